// The game's rule tables (buildings, persons, names, races, upgrades, effects): every table and
// field the store, the editors, the palette and the settlement commands read, and how.
#include "game/GameTables.h"

#include "resources/Utils.h"

namespace tess {

int32_t ReadInteger(tTable& table, std::string_view field) {
    return GetInteger(table, field);
}
bool ReadFlag(tTable& table, std::string_view field) {
    return GetBool(table, field);
}
std::string ReadText(tTable& table, std::string_view field) {
    return GetString(table, field);
}

// --- building.dbf ------------------------------------------------------------------------------

BuildingType ReadBuildingType(GameTable& t, unsigned fields) {
    namespace f = building_fields;
    BuildingType b;
    if (fields & f::Id) b.Id = t.Integer("Id");
    if (fields & f::Name) b.Name = t.Text("Name");
    if (fields & f::Race) b.IdRace = t.Integer("id_race");
    if (fields & f::UseFlags) {
        b.UseOsada = t.Flag("use_osada");
        b.UseVes = t.Flag("use_ves");
        b.UseMesto = t.Flag("use_mesto");
    }
    if (fields & f::Tag) b.Tag = t.Integer("Tag");
    if (fields & f::Influence) b.IdVliv = t.Integer("Id_vliv");
    if (fields & f::Civils) b.Civils = t.Integer("CIVILS");
    if (fields & f::Pictures) {
        b.IdObject = t.Integer("Id_Object");
        b.IdObject1 = t.Integer("Id_object1");
        b.IdObject2 = t.Integer("Id_object2");
        b.IdObject3 = t.Integer("Id_object3");
    }
    if (fields & f::Requirements) {
        b.IdBEx1 = t.Integer("ID_B_EX1");
        b.IdBEx2 = t.Integer("ID_B_EX2");
        b.IdBNex = t.Integer("ID_B_NEX");
        b.IdNext = t.Integer("ID_NEXT");
    }
    return b;
}

std::vector<BuildingType> ReadBuildingTypes(unsigned fields) {
    GameTable table(tables::kBuilding);
    std::vector<BuildingType> types;
    for (table.First(); !table.Eof(); table.Next())
        types.push_back(ReadBuildingType(table, fields));
    return types;
}

std::optional<BuildingType> FindBuildingType(int32_t id, unsigned fields) {
    GameTable table(tables::kBuilding);
    if (!table.FindId(id)) return std::nullopt;
    return ReadBuildingType(table, fields);
}

// --- person.dbf --------------------------------------------------------------------------------

PersonType ReadPersonType(GameTable& t, unsigned fields) {
    namespace f = person_fields;
    PersonType p;
    if (fields & f::Id) p.Id = t.Integer("Id");
    if (fields & f::Name) p.Name = t.Text("Name");
    if (fields & f::Human) p.TypHuman = t.Flag("typ_human");
    if (fields & f::Race) p.IdRace = t.Integer("Id_Race");
    if (fields & f::Visibility) p.NoVisible = t.Flag("novisible");
    if (fields & f::Influence) p.IdVliv = t.Integer("Id_vliv");
    if (fields & f::Strength) {
        p.UtoC = t.Integer("UtoC");
        p.ObrC = t.Integer("ObrC");
        p.Zivotu = t.Integer("Zivotu");
    }
    if (fields & f::Listing) {
        p.VKasarnach = t.Flag("VKasarnach");
        p.Type = t.Integer("type");
    }
    return p;
}

std::vector<PersonType> ReadPersonTypes(unsigned fields) {
    GameTable table(tables::kPerson);
    std::vector<PersonType> types;
    for (table.First(); !table.Eof(); table.Next())
        types.push_back(ReadPersonType(table, fields));
    return types;
}

std::optional<PersonType> FindPersonType(int32_t id, unsigned fields) {
    GameTable table(tables::kPerson);
    if (!table.FindId(id)) return std::nullopt;
    return ReadPersonType(table, fields);
}

// --- names.dbf ---------------------------------------------------------------------------------

std::vector<NameEntry> ReadNames() {
    GameTable table(tables::kNames);
    std::vector<NameEntry> names;
    for (table.First(); !table.Eof(); table.Next())
        names.push_back({table.Text("Name"), table.Integer("typ_race")});
    return names;
}

std::optional<std::string> DrawUnitName(Random& random, int32_t race) {
    GameTable table(tables::kNames);
    std::optional<std::string> name;
    for (int draw = 0; draw < kNameDrawLimit; ++draw) {
        // Record 0 does not exist: positioning there keeps the record the table stands on.
        table.GoRecord(random.Next(table.RecordCount()));
        if (table.Eof()) break;  // an empty table has no name to give
        name = table.Text("Name");
        if (race == 0) break;
        if (NameEntry{*name, table.Integer("typ_race")}.SuitsRace(race)) break;
    }
    return name;
}

// --- races.dbf ---------------------------------------------------------------------------------

std::vector<RaceEntry> ReadRaces() {
    GameTable table(tables::kRaces);
    std::vector<RaceEntry> races;
    for (table.First(); !table.Eof(); table.Next())
        races.push_back({AllTrim(table.Text("Id")), table.Text("Name")});
    return races;
}

std::vector<std::string> RaceListItems() {
    std::vector<std::string> items;
    for (const RaceEntry& race : ReadRaces())
        items.push_back(PadRight(race.Id, 4, " ") + race.Name);
    return items;
}

// --- upgrade.dbf -------------------------------------------------------------------------------

std::vector<UpgradeType> ReadUpgrades() {
    GameTable t(tables::kUpgrade);
    std::vector<UpgradeType> upgrades;
    for (t.First(); !t.Eof(); t.Next()) {
        UpgradeType u;
        u.Id = t.Integer("Id");
        u.Name = t.Text("Name");
        u.IdUEx1 = t.Integer("ID_U_EX1");
        u.IdBuild = {t.Integer("ID_BUILD1"), t.Integer("ID_BUILD2"), t.Integer("ID_BUILD3")};
        u.IdItem = t.Integer("ID_ITEM");
        u.IdSpell = t.Integer("ID_SPELL");
        upgrades.push_back(std::move(u));
    }
    return upgrades;
}

// --- efects.dbf --------------------------------------------------------------------------------

std::vector<EffectEntry> ReadEffects() {
    GameTable table(tables::kEffects);
    std::vector<EffectEntry> effects;
    for (table.First(); !table.Eof(); table.Next())
        effects.push_back({table.Integer("Id"), table.Text("Name")});
    return effects;
}

// --- settlement commands -----------------------------------------------------------------------

std::optional<BuildingType> FindSettlementBuilding(int kind, int race) {
    namespace f = building_fields;
    GameTable table(tables::kBuilding);
    for (table.First(); !table.Eof(); table.Next()) {
        BuildingType b = ReadBuildingType(table, f::Id | f::UseFlags | f::Tag);
        b.IdObject = table.Integer("Id_Object");
        const bool usable = (kind == kOsada && b.UseOsada) || (kind == kVesnice && b.UseVes) ||
                            (kind == kMesto && b.UseMesto);
        if (!usable || !b.IsMainBuilding()) continue;
        if (race != 0 && table.Integer("Id_Race") != race) continue;
        return b;
    }
    return std::nullopt;
}

}  // namespace tess
