// What each tab of the object palette lists: the building, unit and effect tables and the
// object catalogue, with their filters and the entries made from them.
#include "editor/palettes/PaletteFills.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "game/GameTables.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {

namespace {

struct TabName {
    ObjectTab Tab;
    const char* Caption;
    const char* Plain;  // without diacritics
};
constexpr std::array<TabName, kObjectTabCount> kTabNames = {{
    {ObjectTab::Budovy, "Budovy", "budovy"},
    {ObjectTab::Jednotky, "Jednotky", "jednotky"},
    {ObjectTab::Suroviny, "Suroviny", "suroviny"},
    {ObjectTab::Priroda, "Příroda", "priroda"},
    {ObjectTab::Dalsi, "Další", "dalsi"},
    {ObjectTab::Efekty, "Efekty", "efekty"},
}};

// Person pictures: the facing the palette shows is three numbers after the type's first.
constexpr int32_t kPersonFacing = 3;

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool KindAllows(int32_t kind, const BuildingType& type) {
    if (kind <= 0) return true;
    if (kind == kOsada) return type.UseOsada;
    if (kind == kVesnice) return type.UseVes;
    if (kind == kMesto) return type.UseMesto;
    return false;
}

void AddBuildings(PaletteList& list, const PaletteFilter& filter) {
    namespace f = building_fields;
    GameTable table(tables::kBuilding);
    for (table.First(); !table.Eof(); table.Next()) {
        const BuildingType type =
            ReadBuildingType(table, f::Id | f::Name | f::Race | f::Tag | f::UseFlags);
        // Settlement centres come from the new-settlement commands only.
        if (type.IsMainBuilding()) continue;
        if (filter.Race >= 0 && type.IdRace != filter.Race) continue;
        if (!KindAllows(filter.Kind, type)) continue;
        tAddPack entry;
        entry.Name = type.Name;
        entry.IdObject = table.Integer("Id_object");
        entry.Id = type.Id;
        entry.Tag = type.Tag;
        entry.UseOsada = type.UseOsada;
        entry.UseVes = type.UseVes;
        entry.UseMesto = type.UseMesto;
        entry.Group = kEntryGroup;
        entry.OwnerClass = kOwnerBuilding;
        if (!list.AddEntry(entry)) return;
    }
}

void AddPersons(PaletteList& list, const PaletteFilter& filter) {
    namespace f = person_fields;
    GameTable table(tables::kPerson);
    for (table.First(); !table.Eof(); table.Next()) {
        const PersonType type = ReadPersonType(table, f::Id | f::Name | f::Race);
        if (filter.Race != -1 && type.IdRace != filter.Race) continue;
        tAddPack entry;
        entry.Name = type.Name;
        entry.IdObject = table.Integer("Id_obj_chu") + kPersonFacing;
        entry.Extra = type.Id;
        entry.Group = kEntryGroup;
        entry.OwnerClass = kOwnerUnit;
        if (!list.AddEntry(entry)) return;
    }
}

void AddEffects(PaletteList& list) {
    for (const EffectEntry& effect : ReadEffects()) {
        tAddPack entry;
        entry.Name = effect.Name;
        entry.Tag = effect.Id;
        entry.Group = kEffectGroup;
        entry.OwnerClass = kOwnerBuilding;
        if (!list.AddEntry(entry)) return;
    }
}

bool IsResource(const tObject& object) {
    return object.TreeIdxPlain != 0 || std::find(kResourceTypes.begin(), kResourceTypes.end(),
                                                 object.Id) != kResourceTypes.end();
}

bool IsListedPlant(const tObject& object, char letter) {
    if (!object.Typ_tree) return false;
    if (letter == 0) return true;
    // ")" is the letter of "Speciální ()": it also takes the plants without letters.
    if (object.Tree_idx.empty() && letter == ')') return true;
    return object.Tree_idx.find(letter) != std::string::npos;
}

bool IsOther(const tObject& object) {
    return object.Typ_unown && (object.Name.empty() || object.Name[0] != '2');
}

// The entry of a catalogue object; the bone pile is placed as a building.
tAddPack ObjectEntry(const tObject& object) {
    tAddPack entry;
    entry.Name = object.Name;
    entry.IdObject = object.Id;
    entry.Id = object.Id;
    entry.RandomShade = 1;
    entry.Group = kEntryGroup;
    entry.OwnerClass = kOwnerObject;
    if (object.Id == kBonePileType) {
        entry.Id = kBonePileBuilding;
        entry.RandomShade = 0;
        entry.OwnerClass = kOwnerBuilding;
    }
    return entry;
}

template <typename Listed>
void AddObjects(PaletteList& list, const tObjects& objects, bool soundOnly, Listed listed) {
    for (int32_t type = 0; type < kObjectSlots; ++type) {
        const tObject* object = objects.Item(type);
        if (!object || !listed(*object)) continue;
        if (soundOnly && !object->HasSound) continue;
        if (!list.AddEntry(ObjectEntry(*object))) return;
    }
}

}  // namespace

const char* ObjectTabName(ObjectTab tab) {
    return kTabNames[static_cast<size_t>(tab)].Caption;
}

std::optional<ObjectTab> ObjectTabByName(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (const TabName& tab : kTabNames)
        if (name == tab.Caption || lower == tab.Plain) return tab.Tab;
    return std::nullopt;
}

void AddTabEntries(PaletteList& list, ObjectTab tab, const PaletteFilter& filter,
                   const tObjects& objects) {
    switch (tab) {
        case ObjectTab::Budovy:
            AddBuildings(list, filter);
            return;
        case ObjectTab::Jednotky:
            AddPersons(list, filter);
            return;
        case ObjectTab::Suroviny:
            AddObjects(list, objects, filter.SoundOnly, IsResource);
            return;
        case ObjectTab::Priroda:
            AddObjects(list, objects, filter.SoundOnly, [letter = filter.Letter](const tObject& o) {
                return IsListedPlant(o, letter);
            });
            return;
        case ObjectTab::Dalsi:
            AddObjects(list, objects, filter.SoundOnly, IsOther);
            return;
        case ObjectTab::Efekty:
            AddEffects(list);
            return;
    }
}

void FillTab(PaletteList& list, ObjectTab tab, const PaletteFilter& filter,
             const tObjects& objects) {
    list.ResetEntries();
    AddTabEntries(list, tab, filter, objects);
    list.FinishFill();
}

}  // namespace tess
