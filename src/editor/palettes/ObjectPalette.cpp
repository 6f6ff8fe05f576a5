// The object palette "Výběr objektů" without its window: the tabs and their fills, the
// previews, the filters, the multiple selection, the "Náhodný" plant mix and the pick from the
// map.
#include "editor/palettes/ObjectPalette.h"

#include <algorithm>
#include <charconv>

#include "editor/EditContext.h"
#include "editor/SoundEditorPort.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The race box's item for a race, or -1 when it has none.
int32_t RaceItemOf(int32_t race) {
    // From the second item on: "Všichni" has no number, but stands for no race of its own.
    for (size_t i = 1; i < kRaceItems.size(); ++i)
        if (GetNumber(kRaceItems[i], 1) == race) return static_cast<int32_t>(i);
    return -1;
}

// The number an item of the race or kind box stands for (0 when its text has none).
int32_t ItemNumber(const char* item) {
    return GetNumber(item, 1);
}

}  // namespace

// Gathers the window's redraws of one operation into one.
class ObjectPalette::Update {
  public:
    explicit Update(ObjectPalette& palette) : palette_(palette) { ++palette_.updating_; }
    ~Update() {
        if (--palette_.updating_ == 0 && palette_.dirty_) {
            palette_.dirty_ = false;
            if (palette_.view_) palette_.view_->PaletteChanged();
        }
    }
    Update(const Update&) = delete;
    Update& operator=(const Update&) = delete;

  private:
    ObjectPalette& palette_;
};

ObjectPalette::ObjectPalette(EditContext& context) : ctx_(context) {
    for (std::string& label : mix_.Labels)
        label = "100%";
    ctx_.Tools.AddListener(this);
}

ObjectPalette::~ObjectPalette() {
    ctx_.Tools.RemoveListener(this);
}

void ObjectPalette::Changed() {
    Update update(*this);
    dirty_ = true;
}

// --- fills -------------------------------------------------------------------------------------

void ObjectPalette::Fill(ObjectTab tab, const PaletteFilter& filter) {
    Update update(*this);
    filled_ = true;
    tab_ = tab;
    filter_ = filter;
    // A fill gives the palette back its size: the mix page closes.
    nature_ = NaturePage::Vyber;
    FillTab(list_, tab, filter, ctx_.Host.Objects());
    ctx_.Tools.MarkObjectEntry(-1);
    ctx_.SelectedTypes.Clear();
    if (view_) view_->ShowPalette();
    Changed();
}

PaletteFilter ObjectPalette::CatalogueFilter(char letter) const {
    PaletteFilter filter;
    filter.Letter = letter;
    filter.SoundOnly = ctx_.Options.SoundEditing;
    return filter;
}

void ObjectPalette::ShowControls(bool raceBox, bool kindBox, bool checkBoxes) {
    raceBoxVisible_ = raceBox;
    kindBoxVisible_ = kindBox;
    checkBoxesVisible_ = checkBoxes;
}

void ObjectPalette::EndMix() {
    // Until an entry is chosen the object tool places nothing from an earlier mix. (The tool
    // itself stays: a terrain brush armed here would paint where the designer meant to place.)
    ctx_.Tools.State().CurrentPack.TreeMode = 0;
    ctx_.Tools.Changed();
}

void ObjectPalette::FillPaletteBuildings(int32_t race, int32_t kind) {
    Update update(*this);
    if (race >= 0 && RaceItemOf(race) >= 0) raceItem_ = RaceItemOf(race);
    if (kind > 0 && kind < static_cast<int32_t>(kKindItems.size())) kindItem_ = kind;
    ShowControls(true, true, false);
    nahodne_ = false;
    Fill(ObjectTab::Budovy, {race, kind, 0, false});
}

void ObjectPalette::FillPalettePersons(int32_t race) {
    Update update(*this);
    if (race != -1 && RaceItemOf(race) >= 0) raceItem_ = RaceItemOf(race);
    ShowControls(true, false, false);
    Fill(ObjectTab::Jednotky, {race, 0, 0, false});
    EndMix();
}

void ObjectPalette::FillPaletteResources() {
    Update update(*this);
    ShowControls(false, false, true);
    nahodne_ = true;
    Fill(ObjectTab::Suroviny, CatalogueFilter());
    EndMix();
}

void ObjectPalette::FillPaletteNature(char letter) {
    Update update(*this);
    ShowControls(false, false, true);
    nahodne_ = true;
    Fill(ObjectTab::Priroda, CatalogueFilter(letter));
    EndMix();
}

void ObjectPalette::FillPaletteOther() {
    Update update(*this);
    ShowControls(false, false, true);
    nahodne_ = true;
    Fill(ObjectTab::Dalsi, CatalogueFilter());
}

void ObjectPalette::FillPaletteEffects() {
    Update update(*this);
    ShowControls(false, false, false);
    Fill(ObjectTab::Efekty, {});
}

void ObjectPalette::FillPage(ObjectTab tab, int32_t race, int32_t kind, char letter) {
    switch (tab) {
        case ObjectTab::Budovy:
            FillPaletteBuildings(race, kind);
            return;
        case ObjectTab::Jednotky:
            FillPalettePersons(race);
            return;
        case ObjectTab::Suroviny:
            FillPaletteResources();
            return;
        case ObjectTab::Priroda:
            FillPaletteNature(letter);
            return;
        case ObjectTab::Dalsi:
            FillPaletteOther();
            return;
        case ObjectTab::Efekty:
            FillPaletteEffects();
            return;
    }
}

void ObjectPalette::SelectTab(ObjectTab tab) {
    FillPage(tab, BoxRace(), BoxKind(), 0);
}

// --- the controls ------------------------------------------------------------------------------

void ObjectPalette::TrackBarChange(int32_t position) {
    list_.SetBarPosition(position);
    Changed();
}

void ObjectPalette::PreviewClick(int32_t preview) {
    const tAddPack* shown = list_.Shown(preview);
    if (!shown) return;
    Update update(*this);
    const int32_t chosen = list_.BarPosition() + preview;
    // A copy: a sound dialog may run while the list changes under it.
    const tAddPack entry = *shown;
    // The sound designer's click opens the entry's sounds and leaves the brush alone.
    if (ctx_.Options.SoundEditing) {
        ctx_.Tools.MarkObjectEntry(chosen);
        OpenSoundEditor(tab_, entry);
        return;
    }
    ctx_.Tools.SelectPlacement(entry, nahodne_);
    ctx_.Tools.MarkObjectEntry(chosen);
}

bool ObjectPalette::ChooseEntry(int32_t index) {
    if (index < 0 || index >= list_.Count()) return false;
    Update update(*this);
    TrackBarChange(std::min(index, list_.BarMax()));
    PreviewClick(index - list_.BarPosition());
    return true;
}

void ObjectPalette::OpenSoundEditor(ObjectTab tab, const tAddPack& entry) {
    SoundEditorPort* sounds = ctx_.Ports.Sounds;
    if (!sounds) return;
    switch (tab) {
        case ObjectTab::Budovy:
            sounds->EditBuildingSounds(entry.Id);
            return;
        case ObjectTab::Jednotky:
            sounds->EditPersonSounds(entry.Extra);
            return;
        case ObjectTab::Suroviny:
        case ObjectTab::Priroda:
        case ObjectTab::Dalsi:
            sounds->EditObjectSounds(entry.IdObject);
            return;
        case ObjectTab::Efekty:
            sounds->EditEffectSounds(entry.Tag);
            return;
    }
}

int32_t ObjectPalette::BoxRace() const {
    return ItemNumber(kRaceItems[static_cast<size_t>(raceItem_)]);
}

int32_t ObjectPalette::BoxKind() const {
    return ItemNumber(kKindItems[static_cast<size_t>(kindItem_)]);
}

void ObjectPalette::RaceBoxChange(int32_t item) {
    if (item < 0 || item >= static_cast<int32_t>(kRaceItems.size())) return;
    Update update(*this);
    raceItem_ = item;
    // "Všichni" has no number: it lists the neutral types, and the box then says so.
    if (tab_ == ObjectTab::Budovy)
        FillPaletteBuildings(BoxRace(), BoxKind());
    else if (tab_ == ObjectTab::Jednotky)
        FillPalettePersons(BoxRace());
    Changed();
}

void ObjectPalette::KindBoxChange(int32_t item) {
    if (item < 0 || item >= static_cast<int32_t>(kKindItems.size())) return;
    Update update(*this);
    kindItem_ = item;
    if (tab_ == ObjectTab::Budovy) FillPaletteBuildings(BoxRace(), BoxKind());
    Changed();
}

void ObjectPalette::NahodneClick(bool ticked) {
    nahodne_ = ticked;
    Changed();
}

void ObjectPalette::CheckBoxClick(int32_t preview, bool ticked) {
    const tAddPack* shown = list_.Shown(preview);
    if (!shown) return;
    Update update(*this);
    TypeList& selected = ctx_.SelectedTypes;
    if (!ticked)
        selected.Remove(shown->IdObject);
    else if (!selected.Contains(shown->IdObject))
        selected.Add(shown->IdObject);
    tAddPack& pack = ctx_.Tools.State().CurrentPack;
    if (selected.Count() > 0) {
        pack.TreeLetters = kSelectedTypesLetters;
        pack.TreeMode = 1;
        ArmObjectTool();
    } else {
        pack.TreeLetters.clear();
    }
    ctx_.Tools.Changed();
    Changed();
}

void ObjectPalette::ClearClick() {
    ctx_.SelectedTypes.Clear();
    Changed();
}

void ObjectPalette::ArmObjectTool() {
    ToolState& state = ctx_.Tools.State();
    if (state.ToolCode != kObjectTool) ctx_.Tools.ResetPaletteMarks();
    state.ToolCode = kObjectTool;
    ctx_.Tools.Changed();
}

void ObjectPalette::SelectNaturePage(NaturePage page) {
    Update update(*this);
    nature_ = page;
    tAddPack& pack = ctx_.Tools.State().CurrentPack;
    if (page == NaturePage::Nahodny) {
        pack.IdObject = 0;
        pack.Id = 0;
        pack.Group = kEntryGroup;
        pack.RandomShade = 1;
        pack.OwnerClass = kOwnerObject;
        pack.Spacing = spacing_;
        ArmObjectTool();
        // Plants go one at a time: the outline is one cell, whatever the brush.
        ctx_.Tools.SetCursorExtent(0, 0);
        RecomputeMix();
    } else {
        ctx_.Tools.MarkObjectEntry(-1);
        pack.TreeMode = 0;
        ArmObjectTool();
    }
    Changed();
}

void ObjectPalette::SetMixKind(int32_t row, int32_t kind) {
    if (row < 0 || row >= kMixRows) return;
    mixRows_[static_cast<size_t>(row)].Kind =
        kind >= 0 && kind < static_cast<int32_t>(kPlantKinds.size()) ? kind : -1;
    RecomputeMix();
}

void ObjectPalette::SetMixWeight(int32_t row, int32_t weight) {
    if (row < 0 || row >= kMixRows) return;
    mixRows_[static_cast<size_t>(row)].Weight = std::clamp(weight, 0, kMaxMixWeight);
    RecomputeMix();
}

void ObjectPalette::RecomputeMix() {
    mix_ = ComputeMix(mixRows_);
    tAddPack& pack = ctx_.Tools.State().CurrentPack;
    pack.TreeLetters = mix_.Letters;
    pack.TreeWeights = mix_.Weights;
    pack.TreeMode = 1;
    ctx_.Tools.Changed();
    Changed();
}

bool ObjectPalette::SetSpacingText(const std::string& text) {
    const std::string trimmed = AllTrim(text);
    int32_t value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || error != std::errc() || stop != end) return false;
    spacing_ = value;
    ctx_.Tools.State().CurrentPack.Spacing = value;
    ctx_.Tools.Changed();
    Changed();
    return true;
}

// --- the pick and the tool state ---------------------------------------------------------------

bool ObjectPalette::Showing(ObjectTab tab, const PaletteFilter& filter) const {
    return filled_ && tab_ == tab && filter_ == filter;
}

void ObjectPalette::Pick(PalettePage page, int32_t idObject) {
    Update update(*this);
    const PaletteFilter everything{-1, 0, 0, false};
    switch (page) {
        case PalettePage::Nature:
            if (!Showing(ObjectTab::Priroda, CatalogueFilter())) FillPaletteNature();
            break;
        case PalettePage::Other:
            if (!Showing(ObjectTab::Dalsi, CatalogueFilter())) FillPaletteOther();
            break;
        case PalettePage::AllBuildings:
            if (!Showing(ObjectTab::Budovy, everything)) FillPaletteBuildings(-1, 0);
            break;
        case PalettePage::AllUnits:
            if (!Showing(ObjectTab::Jednotky, everything)) FillPalettePersons(-1);
            break;
    }
    for (int32_t i = 0; i < list_.Count(); ++i)
        if (list_.Entry(i).IdObject == idObject) ChooseEntry(i);
}

void ObjectPalette::ToolsChanged(const ToolState&, const PaletteMarks&) {
    // The chosen entry's frame follows the marks, which any tool's choice releases.
    Changed();
}

// --- what the window shows ---------------------------------------------------------------------

int32_t ObjectPalette::Chosen() const {
    return ctx_.Tools.Marks().ObjectEntry;
}

PreviewSlot ObjectPalette::Preview(int32_t preview) const {
    PreviewSlot slot;
    const tAddPack* shown = list_.Shown(preview);
    if (!shown) return slot;
    slot.Entry = list_.BarPosition() + preview;
    slot.Lowered = slot.Entry == Chosen();
    slot.Ticked = ctx_.SelectedTypes.Contains(shown->IdObject);
    return slot;
}

std::string ObjectPalette::NameLabel() const {
    const tAddPack* first = list_.Shown(0);
    return first ? first->Name : std::string();
}

std::string ObjectPalette::SizeLabel() const {
    const tAddPack* first = list_.Shown(0);
    if (!first || first->IdObject <= 0) return {};
    const tObject* object = ctx_.Host.Objects().Item(first->IdObject);
    if (!object) return {};
    return std::to_string(object->Size_RT) + " x " + std::to_string(object->Size_LT);
}

bool ObjectPalette::EffectsTabShown() const {
    return ctx_.Options.SoundEditing || tab_ == ObjectTab::Efekty;
}

}  // namespace tess
