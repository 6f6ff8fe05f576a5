// The object palette "Výběr objektů" without its window: the tabs and their fills, the
// previews, the filters, the multiple selection, the "Náhodný" plant mix and the pick from the
// map.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "editor/EnginePorts.h"
#include "editor/ToolBox.h"
#include "editor/palettes/PaletteFills.h"
#include "editor/palettes/PaletteList.h"
#include "editor/palettes/PlantMix.h"

namespace tess {

struct EditContext;

// The window the rules show themselves in.
class ObjectPaletteView {
  public:
    virtual ~ObjectPaletteView() = default;
    // A fill shows the palette; a hidden one first goes to left 20, top 40.
    virtual void ShowPalette() = 0;
    // The list, the previews, their marks or the controls changed.
    virtual void PaletteChanged() = 0;
};

// The race box: an item's race is the first number in its text ("Všichni" has none: 0).
inline constexpr std::array<const char*, 6> kRaceItems = {"Všichni",     "1 Lidé",   "2 Barbaři",
                                                          "3 Trpaslíci", "4 Elfové", "0 Neutrální"};
// The settlement-kind box: 0 lists every kind.
inline constexpr std::array<const char*, 4> kKindItems = {"Všechno", "1 Osada", "2 Vesnice",
                                                          "3 Město"};

// The pages inside "Příroda": the list, or the mix.
enum class NaturePage { Vyber, Nahodny };

// What one of the three previews shows.
struct PreviewSlot {
    int32_t Entry = -1;    // the entry, or -1 past the list's end (a blank preview)
    bool Lowered = false;  // its frame: the chosen entry
    bool Ticked = false;   // its tick box: the entry's object type is selected
};

class ObjectPalette final : public ObjectPalettePort, public ToolListener {
  public:
    static constexpr const char* kCaption = "Výběr objektů";
    static constexpr int32_t kStartSpacing = 3;

    explicit ObjectPalette(EditContext& context);
    ~ObjectPalette() override;
    ObjectPalette(const ObjectPalette&) = delete;
    ObjectPalette& operator=(const ObjectPalette&) = delete;

    void SetView(ObjectPaletteView* view) { view_ = view; }

    // --- fills: the main window's menus, the tabs, the filters and the pick -----------------
    // Race -1 lists every race; kind 1..3 keeps the types usable there, 0 or below all.
    void FillPaletteBuildings(int32_t race, int32_t kind);
    void FillPalettePersons(int32_t race);
    void FillPaletteResources();
    // A letter (CP1250, 0 for none) keeps the plants whose Tree_idx holds it.
    void FillPaletteNature(char letter = 0);
    void FillPaletteOther();
    void FillPaletteEffects();
    // The tab's own fill with the filters it takes (buildings race and kind, units race, plants
    // letter).
    void FillPage(ObjectTab tab, int32_t race, int32_t kind, char letter);
    // A tab chosen in the window: filled as from its menu, buildings and units with the filters
    // the boxes show.
    void SelectTab(ObjectTab tab);

    // --- the controls -------------------------------------------------------------------------
    void TrackBarChange(int32_t position);
    // A click on preview 0..2 chooses entry bar position + preview: the object tool with it
    // (or, in sound mode, the entry's sound editor). A blank preview does nothing.
    void PreviewClick(int32_t preview);
    // Moves the bar so that a preview shows entry `index` and clicks that preview. False when
    // the list has no such entry.
    bool ChooseEntry(int32_t index);
    void RaceBoxChange(int32_t item);
    void KindBoxChange(int32_t item);
    // "Náhodně umístit": the RandomShade a chosen entry gets.
    void NahodneClick(bool ticked);
    // CBox1 .. CBox3: the preview's object type joins or leaves the selection; a selection
    // makes the object tool draw from it ("XxX").
    void CheckBoxClick(int32_t preview, bool ticked);
    // "clear": empties the selection.
    void ClearClick();
    void SelectNaturePage(NaturePage page);
    // A mix row's plant kind (-1 "nic") and weight (0..100); the mix follows.
    void SetMixKind(int32_t row, int32_t kind);
    void SetMixWeight(int32_t row, int32_t weight);
    // "Mezera mezi stromy" / "mezery": a whole number becomes the entry's Spacing. Any other
    // text changes nothing and gives false.
    bool SetSpacingText(const std::string& text);

    // --- ObjectPalettePort, ToolListener -------------------------------------------------------
    void Pick(PalettePage page, int32_t idObject) override;
    void ToolsChanged(const ToolState& state, const PaletteMarks& marks) override;

    // --- what the window shows -----------------------------------------------------------------
    const PaletteList& List() const { return list_; }
    // Whether a fill has run (the palette was created).
    bool Filled() const { return filled_; }
    ObjectTab Tab() const { return tab_; }
    const PaletteFilter& Filter() const { return filter_; }
    int32_t Chosen() const;
    PreviewSlot Preview(int32_t preview) const;
    // The name of the entry at the bar (CP1250) and its footprint "w x h" in cells.
    std::string NameLabel() const;
    std::string SizeLabel() const;
    bool RaceBoxVisible() const { return raceBoxVisible_; }
    bool KindBoxVisible() const { return kindBoxVisible_; }
    bool CheckBoxesVisible() const { return checkBoxesVisible_; }
    int32_t RaceItem() const { return raceItem_; }
    int32_t KindItem() const { return kindItem_; }
    bool Nahodne() const { return nahodne_; }
    NaturePage Nature() const { return nature_; }
    const std::array<MixRow, kMixRows>& MixRows() const { return mixRows_; }
    const PlantMix& Mix() const { return mix_; }
    int32_t Spacing() const { return spacing_; }
    // "Efekty" is there for the sound designer only: while "Zvukař edituje" is ticked (and
    // while it is the tab shown).
    bool EffectsTabShown() const;

  private:
    class Update;

    // The shared steps of every fill: the tab, the list, the chosen entry and the selection.
    void Fill(ObjectTab tab, const PaletteFilter& filter);
    PaletteFilter CatalogueFilter(char letter = 0) const;
    // Which filter boxes and tick boxes the tab shows.
    void ShowControls(bool raceBox, bool kindBox, bool checkBoxes);
    // The unit, resource and plant fills end a plant mix.
    void EndMix();
    // Whether the palette lists that tab with that filter now.
    bool Showing(ObjectTab tab, const PaletteFilter& filter) const;
    // The race and the settlement kind the filter boxes show.
    int32_t BoxRace() const;
    int32_t BoxKind() const;
    void OpenSoundEditor(ObjectTab tab, const tAddPack& entry);
    // The object tool, releasing the other palettes' buttons when it was not the tool yet.
    void ArmObjectTool();
    void RecomputeMix();
    void Changed();

    EditContext& ctx_;
    ObjectPaletteView* view_ = nullptr;
    PaletteList list_;
    bool filled_ = false;
    ObjectTab tab_ = ObjectTab::Budovy;
    PaletteFilter filter_;
    bool raceBoxVisible_ = true;
    bool kindBoxVisible_ = true;
    bool checkBoxesVisible_ = false;
    int32_t raceItem_ = 0;
    int32_t kindItem_ = 0;
    bool nahodne_ = true;
    NaturePage nature_ = NaturePage::Vyber;
    std::array<MixRow, kMixRows> mixRows_{};
    PlantMix mix_;
    int32_t spacing_ = kStartSpacing;
    int updating_ = 0;
    bool dirty_ = false;
};

}  // namespace tess
