// The permission editor's rules ("Použitelné upgrade"): which buildings, weapons, spells,
// inventions and units a player may use, by race and kind.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "game/DialogFields.h"
#include "game/GameTables.h"
#include "game/Kalistor.h"

namespace tess {

// The kinds, as the kind tabs number them.
enum PermissionKind : int {
    kPermitBuildings = 1,
    kPermitWeapons = 2,
    kPermitSpells = 3,
    kPermitInventions = 4,
    kPermitUnits = 5,
};

// The game tables the editor lists, read once when it opens.
struct PermissionTables {
    std::vector<BuildingType> Buildings;  // in file order
    std::vector<UpgradeType> Upgrades;
    std::vector<PersonType> Persons;

    static PermissionTables Read();
};

class PermissionEditorRules {
  public:
    static constexpr const char* kCaption = "Použitelné upgrade";
    static constexpr std::array<const char*, 4> kRaceTabs{"Lidi", "Barbaři", "Trpaslíci", "Elfové"};
    static constexpr std::array<const char*, 5> kKindTabs{"Buodvy", "Zbraně", "Kouzla", "Vynálezy",
                                                          "Jednotky"};
    // Marks an upgrade whose building of the race the player may not build.
    static constexpr const char* kForbiddenBuilding = " (zakazana budova)";

    struct Item {
        std::string Text;  // UTF-8
        int32_t Type = 0;
        BoxState State = BoxState::Empty;
    };

    // Opens on (player, race, kind); a race outside 1..4 opens the first race tab and a kind
    // outside 1..5 the first kind tab.
    PermissionEditorRules(tKalistor& store, PermissionTables tables, int32_t player, int race,
                          int kind);
    PermissionEditorRules(const PermissionEditorRules&) = delete;
    PermissionEditorRules& operator=(const PermissionEditorRules&) = delete;

    // ComboBox1: every live player.
    ChoiceList Players;
    int32_t Player() const { return player_; }
    int Race() const { return race_; }
    int Kind() const { return kind_; }
    // CheckListBox1: the kind's types offered to the race.
    const std::vector<Item>& Items() const { return items_; }

    // The legend and set-all boxes of the kind (1..3); box 2 is hidden for buildings and units.
    std::string BoxCaption(int box) const;
    bool Box2Visible() const { return kind_ != kPermitBuildings && kind_ != kPermitUnits; }

    // A click on an item: buildings and units switch between usable and not (a building no
    // longer usable forbids whatever requires it, depth first); upgrades cycle researched,
    // unusable (making whatever requires it unusable too), not researched.
    void Click(size_t item);
    // A set-all box: every listed item takes the box's look and state; false (nothing changed)
    // for the hidden box.
    bool SetAll(BoxState look);
    // The tabs and the combo store first, then show their choice.
    void ChooseRace(int race);
    void ChooseKind(int kind);
    void ChoosePlayer(int comboItem);
    // Writes the working states to the chosen player; for humans and dwarves each town
    // building's state first passes down to every building that upgrades into it.
    void Store();

    // The working state of a type in the kind's array (0 outside it).
    uint8_t State(int kind, int32_t type) const;

  private:
    struct Entry {
        bool Known = false;
        int Position = -1;  // the item's index, -1 when the type is not listed
        int32_t Required[2] = {0, 0};
    };

    void Fill(int32_t player, int race, int kind);
    void FillBuildings();
    void FillUpgrades();
    void FillUnits();
    void AddItem(int32_t type, const std::string& name, uint8_t state);
    BoxState LookOf(uint8_t state) const;
    uint8_t* Working(int kind);
    int32_t WorkingSize(int kind) const;
    void ForbidDependants(int32_t type, std::array<bool, kBuildingStates>& visited);
    void DisableDependants(int32_t type, std::array<bool, kUpgradeStates>& visited);
    void PassTownStatesDown();
    const BuildingType* BuildingById(int32_t id) const;

    tKalistor& store_;
    PermissionTables tables_;
    int32_t player_ = 0;
    int race_ = 1;
    int kind_ = kPermitBuildings;
    std::array<uint8_t, kUpgradeStates> upgrades_{};
    std::array<uint8_t, kBuildingStates> buildings_{};
    std::array<uint8_t, kUnitStates> units_{};
    std::array<Entry, kBuildingStates> entries_{};
    std::vector<Item> items_;
    std::unordered_map<int32_t, const BuildingType*> buildingById_;
};

}  // namespace tess
