// The unit editor's rules ("Editace jednotky"): what it shows of a unit, the values that follow the
// person table, what Ok stores, and its buttons.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/DialogFields.h"
#include "game/GameTables.h"

namespace tess {

class tKalistor;
struct tUnitRec;
class EditorMapSide;

class UnitEditorRules {
  public:
    static constexpr const char* kCaption = "Editace jednotky";
    static constexpr const char* kUtoC = "Útoč. č.";
    static constexpr const char* kObrC = "Obran. č.";
    static constexpr const char* kZivoty = "Životy";
    static constexpr const char* kTag = "tag";
    static constexpr const char* kMaxZivotyStart = "Celkem životů";
    // The direction buttons in their 3 x 3 grid, row by row; -1 is the empty centre.
    static constexpr std::array<std::array<int, 3>, 3> kDirectionGrid{
        {{6, 7, 0}, {5, -1, 1}, {4, 3, 2}}};
    // The aggressiveness items, in the order the box lists them.
    static const std::vector<std::string>& AiItems();

    // An edit that shows the person table's value unless the unit has its own.
    struct TableValueEdit {
        std::string Text;
        std::optional<int32_t> TableValue;  // the edit's tag; none when the type is not known
        // Red while the text is not the table's value (or no whole number at all).
        bool Red() const;
    };

    // Opens on unit `index`; `type` is its person type (none when the table lacks it).
    UnitEditorRules(tKalistor& store, int32_t index, tUnitRec& unit, EditorMapSide* map,
                    std::optional<PersonType> type);
    // The same with the person type looked up.
    UnitEditorRules(tKalistor& store, int32_t index, tUnitRec& unit, EditorMapSide* map);

    std::string Name;
    TableValueEdit UtoC;
    TableValueEdit ObrC;
    ChoiceList IdPlayer;  // every live player
    std::string Tag;
    ChoiceList AI;
    std::string PatrolaX;  // hidden
    std::string PatrolaY;
    bool AIEnabled = false;
    bool Imortal = false;
    bool Neviditelny = false;
    bool Pozorovatel = false;

    // The lives edit and the health bar (0..100) drive the "MaxZivoty" label.
    const TableValueEdit& Zivoty() const { return zivoty_; }
    void SetZivotyText(std::string text);
    int ProcZivotu() const { return procZivotu_; }
    void SetProcZivotu(int percent);
    // round(lives x health / 100); it keeps its last text while the lives are no whole number.
    const std::string& MaxZivoty() const { return maxZivoty_; }

    // The pressed direction button, -1 for none; pressing one releases the others.
    int Smer() const { return smer_; }
    void PressDirection(int direction);

    std::optional<FieldError> Check() const;
    // Ok: Name, the three table values (-1 when equal to the table), ProcZivotu, IdPlayer, Tag,
    // AI, Smer, the patrol cell and the four ticks. Nothing is stored when a number cannot be
    // read. (The store then puts the direction into IdObject and marks the unit live.)
    std::optional<FieldError> Accept();
    // "SMAZAT": the unit is deleted and its object removed from the map; ends cancelled.
    void Delete();
    // "Zemřít": as "SMAZAT", and the unit's body (its picture + 24) stays where it stood.
    void Die();
    // "Reset": the table's values go into the record at once and into the edits.
    void Reset();
    // "Nastavit hlídku": Ok, then the next map click chooses the unit's patrol cell.
    std::optional<FieldError> SetPatrol();

  private:
    struct Values;
    std::optional<FieldError> Read(Values& values) const;
    void RefreshMaxZivoty();

    int32_t index_;
    tUnitRec& unit_;
    EditorMapSide* map_;
    std::optional<PersonType> type_;
    TableValueEdit zivoty_;
    int procZivotu_ = 100;
    std::string maxZivoty_ = kMaxZivotyStart;
    int smer_ = -1;
};

}  // namespace tess
