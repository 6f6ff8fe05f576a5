// The permission editor's rules ("Použitelné upgrade"): which buildings, weapons, spells,
// inventions and units a player may use, by race and kind.
#include "game/PermissionEditor.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "resources/Utils.h"

namespace tess {

namespace {

// The states the boxes stand for.
constexpr uint8_t kUnusable = 1, kNotResearched = 2, kUsable = 3;

bool IsUpgradeKind(int kind) {
    return kind >= kPermitWeapons && kind <= kPermitInventions;
}

template <size_t N>
bool InArray(int32_t type) {
    return type >= 0 && static_cast<size_t>(type) < N;
}

}  // namespace

PermissionTables PermissionTables::Read() {
    namespace b = building_fields;
    namespace p = person_fields;
    PermissionTables tables;
    tables.Buildings = ReadBuildingTypes(b::Id | b::Name | b::Race | b::UseFlags | b::Requirements);
    tables.Upgrades = ReadUpgrades();
    tables.Persons = ReadPersonTypes(p::Id | p::Name | p::Race | p::Listing);
    return tables;
}

PermissionEditorRules::PermissionEditorRules(tKalistor& store, PermissionTables tables,
                                             int32_t player, int race, int kind)
    : store_(store), tables_(std::move(tables)) {
    // The first record of each number, as a table lookup finds it.
    for (const BuildingType& b : tables_.Buildings)
        buildingById_.emplace(b.Id, &b);
    Players.Items = PlayerItems(store, 2);
    Fill(player, race >= 1 && race <= 4 ? race : 1,
         kind >= kPermitBuildings && kind <= kPermitUnits ? kind : kPermitBuildings);
}

std::string PermissionEditorRules::BoxCaption(int box) const {
    const bool upgrades = IsUpgradeKind(kind_);
    switch (box) {
        case 1:
            return upgrades ? "Nevyzkoumáno" : "Nepoužívat";
        case 2:
            return upgrades ? "Nepoužitelné" : "";
        case 3:
            return upgrades ? "Vyzkoumáno" : "Používat";
        default:
            return "";
    }
}

uint8_t* PermissionEditorRules::Working(int kind) {
    if (kind == kPermitBuildings) return buildings_.data();
    if (kind == kPermitUnits) return units_.data();
    return upgrades_.data();
}

int32_t PermissionEditorRules::WorkingSize(int kind) const {
    if (kind == kPermitBuildings) return kBuildingStates;
    if (kind == kPermitUnits) return kUnitStates;
    return kUpgradeStates;
}

uint8_t PermissionEditorRules::State(int kind, int32_t type) const {
    if (type < 0 || type >= WorkingSize(kind)) return 0;
    const auto t = static_cast<size_t>(type);
    if (kind == kPermitBuildings) return buildings_[t];
    if (kind == kPermitUnits) return units_[t];
    return upgrades_[t];
}

BoxState PermissionEditorRules::LookOf(uint8_t state) const {
    if (state == kUsable) return BoxState::Ticked;
    if (IsUpgradeKind(kind_) && state == kUnusable) return BoxState::Greyed;
    return BoxState::Empty;
}

const BuildingType* PermissionEditorRules::BuildingById(int32_t id) const {
    const auto found = buildingById_.find(id);
    return found == buildingById_.end() ? nullptr : found->second;
}

void PermissionEditorRules::Fill(int32_t player, int race, int kind) {
    entries_.fill(Entry{});
    player_ = player >= 0 && player <= kMaxPlayers ? player : 0;
    race_ = race;
    kind_ = kind;
    const tPlayerRec& p = store_.Players[static_cast<size_t>(player_)];
    std::memcpy(upgrades_.data(), p.StavVynalezu, upgrades_.size());
    std::memcpy(buildings_.data(), p.StavBudov, buildings_.size());
    std::memcpy(units_.data(), p.StavJednotek, units_.size());
    items_.clear();
    Players.SelectNumber(player_);
    if (kind_ == kPermitBuildings)
        FillBuildings();
    else if (kind_ == kPermitUnits)
        FillUnits();
    else
        FillUpgrades();
}

void PermissionEditorRules::AddItem(int32_t type, const std::string& name, uint8_t state) {
    entries_[static_cast<size_t>(type)].Position = static_cast<int>(items_.size());
    items_.push_back({NumberedItem(std::to_string(type), 4, name), type, LookOf(state)});
}

void PermissionEditorRules::FillBuildings() {
    for (const BuildingType& b : tables_.Buildings) {
        // A type number outside the permission array has no state to show or change.
        if (!InArray<kBuildingStates>(b.Id)) continue;
        Entry& entry = entries_[static_cast<size_t>(b.Id)];
        entry.Known = true;
        entry.Position = -1;
        entry.Required[0] = b.IdBEx1;
        entry.Required[1] = b.IdBEx2;
        const bool usable = race_ == 2 ? b.UseOsada : b.UseMesto;
        if (b.IdRace == race_ && usable)
            AddItem(b.Id, Cp1250ToUtf8(b.Name), buildings_[static_cast<size_t>(b.Id)]);
    }
}

void PermissionEditorRules::FillUpgrades() {
    const auto kind = static_cast<UpgradeKind>(kind_);
    for (const UpgradeType& u : tables_.Upgrades) {
        if (!InArray<kUpgradeStates>(u.Id)) continue;
        Entry& entry = entries_[static_cast<size_t>(u.Id)];
        entry.Known = true;
        entry.Position = -1;
        entry.Required[0] = u.IdUEx1;
        entry.Required[1] = 0;
        bool offered = false;
        bool forbidden = false;
        for (int32_t building : u.IdBuild) {
            if (building == 0) continue;
            const BuildingType* type = BuildingById(building);
            if (!type || type->IdRace != race_) continue;
            offered = true;
            if (InArray<kBuildingStates>(building) &&
                buildings_[static_cast<size_t>(building)] == kUnusable)
                forbidden = true;
        }
        if (!offered || !u.IsKind(kind)) continue;
        AddItem(u.Id, Cp1250ToUtf8(u.Name) + (forbidden ? kForbiddenBuilding : ""),
                upgrades_[static_cast<size_t>(u.Id)]);
    }
}

void PermissionEditorRules::FillUnits() {
    for (const PersonType& person : tables_.Persons) {
        if (!InArray<kUnitStates>(person.Id)) continue;
        entries_[static_cast<size_t>(person.Id)].Known = true;
        entries_[static_cast<size_t>(person.Id)].Position = -1;
        if (person.ListedForRace(race_))
            AddItem(person.Id, Cp1250ToUtf8(person.Name), units_[static_cast<size_t>(person.Id)]);
    }
}

void PermissionEditorRules::Click(size_t item) {
    if (item >= items_.size()) return;
    Item& it = items_[item];
    const auto type = static_cast<size_t>(it.Type);
    uint8_t& state = Working(kind_)[type];
    if (IsUpgradeKind(kind_)) {
        switch (it.State) {
            case BoxState::Ticked: {
                it.State = BoxState::Greyed;
                state = kUnusable;
                std::array<bool, kUpgradeStates> visited{};
                visited[type] = true;
                DisableDependants(it.Type, visited);
                break;
            }
            case BoxState::Greyed:
                it.State = BoxState::Empty;
                state = kNotResearched;
                break;
            case BoxState::Empty:
                it.State = BoxState::Ticked;
                state = kUsable;
                break;
        }
        return;
    }
    if (it.State == BoxState::Ticked) {
        it.State = BoxState::Empty;
        state = kUnusable;
        if (kind_ == kPermitBuildings) {
            std::array<bool, kBuildingStates> visited{};
            visited[type] = true;
            ForbidDependants(it.Type, visited);
        }
    } else {
        it.State = BoxState::Ticked;
        state = kUsable;
    }
}

// Requirement 0 means "none", so nothing depends on type 0; a type met again (a requirement
// cycle, or a type requiring itself) is not followed a second time.
void PermissionEditorRules::ForbidDependants(int32_t type,
                                             std::array<bool, kBuildingStates>& visited) {
    if (type == 0) return;
    for (size_t e = 0; e < entries_.size(); ++e) {
        const Entry& entry = entries_[e];
        if (!entry.Known || visited[e]) continue;
        if (entry.Required[0] != type && entry.Required[1] != type) continue;
        visited[e] = true;
        buildings_[e] = kUnusable;
        if (entry.Position >= 0)
            items_[static_cast<size_t>(entry.Position)].State = BoxState::Empty;
        ForbidDependants(static_cast<int32_t>(e), visited);
    }
}

void PermissionEditorRules::DisableDependants(int32_t type,
                                              std::array<bool, kUpgradeStates>& visited) {
    if (type == 0) return;
    for (size_t e = 0; e < entries_.size(); ++e) {
        const Entry& entry = entries_[e];
        if (!entry.Known || visited[e] || entry.Required[0] != type) continue;
        visited[e] = true;
        upgrades_[e] = kUnusable;
        if (entry.Position >= 0)
            items_[static_cast<size_t>(entry.Position)].State = BoxState::Greyed;
        DisableDependants(static_cast<int32_t>(e), visited);
    }
}

bool PermissionEditorRules::SetAll(BoxState look) {
    uint8_t value = kUsable;
    if (look == BoxState::Empty) value = kNotResearched;
    if (look == BoxState::Greyed) {
        if (!Box2Visible()) return false;
        value = kUnusable;
    }
    uint8_t* states = Working(kind_);
    for (Item& item : items_) {
        item.State = look;
        states[item.Type] = value;
    }
    return true;
}

void PermissionEditorRules::ChooseRace(int race) {
    if (race < 1 || race > 4) return;
    Store();
    if (player_ != 0) Fill(player_, race, kind_);
}

void PermissionEditorRules::ChooseKind(int kind) {
    if (kind < kPermitBuildings || kind > kPermitUnits) return;
    Store();
    Fill(player_, race_, kind);
}

void PermissionEditorRules::ChoosePlayer(int comboItem) {
    Store();
    Players.Selected = comboItem;
    const int32_t player = std::clamp(Players.SelectedNumber().value_or(0), 0, kMaxPlayers);
    const int32_t race = store_.Players[static_cast<size_t>(player)].IdRasa;
    Fill(player, race >= 1 && race <= 4 ? race : race_, kind_);
}

void PermissionEditorRules::PassTownStatesDown() {
    // The first record that upgrades into each number.
    std::unordered_map<int32_t, const BuildingType*> upgradesInto;
    for (const BuildingType& b : tables_.Buildings)
        if (b.IdNext != 0) upgradesInto.emplace(b.IdNext, &b);
    for (const BuildingType& town : tables_.Buildings) {
        if (!town.UseMesto || !InArray<kBuildingStates>(town.Id)) continue;
        const uint8_t state = buildings_[static_cast<size_t>(town.Id)];
        std::array<bool, kBuildingStates> visited{};
        visited[static_cast<size_t>(town.Id)] = true;
        for (int32_t current = town.Id;;) {
            const auto lower = upgradesInto.find(current);
            if (lower == upgradesInto.end()) break;
            const int32_t id = lower->second->Id;
            if (!InArray<kBuildingStates>(id) || visited[static_cast<size_t>(id)]) break;
            visited[static_cast<size_t>(id)] = true;
            buildings_[static_cast<size_t>(id)] = state;
            current = id;
        }
    }
}

void PermissionEditorRules::Store() {
    if (player_ < 1 || player_ > kMaxPlayers) return;
    tPlayerRec& p = store_.Players[static_cast<size_t>(player_)];
    std::memcpy(p.StavVynalezu, upgrades_.data(), upgrades_.size());
    if (p.IdRasa == 1 || p.IdRasa == 3) PassTownStatesDown();
    std::memcpy(p.StavBudov, buildings_.data(), buildings_.size());
    std::memcpy(p.StavJednotek, units_.data(), units_.size());
}

}  // namespace tess
