// Builds the game's rule tables (building, person, names, races, upgrade, efects) from records.
#include "writers/GameTableWriter.h"

#include <filesystem>

#include "resources/BigFile.h"

namespace tess::writers {

namespace {

DbfField Number(const char* name, uint8_t length = 6) {
    return {name, 'N', length, 0};
}
DbfField Text(const char* name, uint8_t length = 30) {
    return {name, 'C', length, 0};
}
DbfField Logical(const char* name) {
    return {name, 'L', 1, 0};
}

std::string N(int32_t v) {
    return std::to_string(v);
}
std::string L(bool v) {
    return v ? "T" : "F";
}

}  // namespace

DbfTable BuildingTable(const std::vector<BuildingType>& types) {
    DbfTable t;
    t.Fields = {Number("ID"),         Text("NAME"),         Number("ID_RACE", 2),
                Logical("USE_OSADA"), Logical("USE_VES"),   Logical("USE_MESTO"),
                Number("TAG"),        Number("ID_VLIV", 3), Number("CIVILS"),
                Number("ID_OBJECT"),  Number("ID_OBJECT1"), Number("ID_OBJECT2"),
                Number("ID_OBJECT3"), Number("ID_B_EX1"),   Number("ID_B_EX2"),
                Number("ID_B_NEX"),   Number("ID_NEXT")};
    for (const BuildingType& b : types)
        t.Records.push_back(
            {false,
             {N(b.Id), b.Name, N(b.IdRace), L(b.UseOsada), L(b.UseVes), L(b.UseMesto), N(b.Tag),
              N(b.IdVliv), N(b.Civils), N(b.IdObject), N(b.IdObject1), N(b.IdObject2),
              N(b.IdObject3), N(b.IdBEx1), N(b.IdBEx2), N(b.IdBNex), N(b.IdNext)}});
    return t;
}

DbfTable PersonTable(const std::vector<PersonType>& types) {
    DbfTable t;
    t.Fields = {Number("ID"),          Text("NAME"),         Logical("TYP_HUMAN"),
                Number("ID_RACE", 2),  Logical("NOVISIBLE"), Number("ID_VLIV", 3),
                Number("UTOC"),        Number("OBRC"),       Number("ZIVOTU"),
                Logical("VKASARNACH"), Number("TYPE", 3)};
    for (const PersonType& p : types)
        t.Records.push_back(
            {false,
             {N(p.Id), p.Name, L(p.TypHuman), N(p.IdRace), L(p.NoVisible), N(p.IdVliv), N(p.UtoC),
              N(p.ObrC), N(p.Zivotu), L(p.VKasarnach), N(p.Type)}});
    return t;
}

DbfTable NamesTable(const std::vector<NameEntry>& names) {
    DbfTable t;
    t.Fields = {Text("NAME"), Number("TYP_RACE", 4)};
    for (const NameEntry& n : names)
        t.Records.push_back({false, {n.Name, N(n.TypRace)}});
    return t;
}

DbfTable RacesTable(const std::vector<RaceEntry>& races) {
    DbfTable t;
    t.Fields = {Text("ID", 4), Text("NAME")};
    for (const RaceEntry& r : races)
        t.Records.push_back({false, {r.Id, r.Name}});
    return t;
}

DbfTable UpgradeTable(const std::vector<UpgradeType>& upgrades) {
    DbfTable t;
    t.Fields = {Number("ID"),        Text("NAME"),        Number("ID_U_EX1"), Number("ID_BUILD1"),
                Number("ID_BUILD2"), Number("ID_BUILD3"), Number("ID_ITEM"),  Number("ID_SPELL")};
    for (const UpgradeType& u : upgrades)
        t.Records.push_back({false,
                             {N(u.Id), u.Name, N(u.IdUEx1), N(u.IdBuild[0]), N(u.IdBuild[1]),
                              N(u.IdBuild[2]), N(u.IdItem), N(u.IdSpell)}});
    return t;
}

DbfTable EffectsTable(const std::vector<EffectEntry>& effects) {
    DbfTable t;
    t.Fields = {Number("ID"), Text("NAME")};
    for (const EffectEntry& e : effects)
        t.Records.push_back({false, {N(e.Id), e.Name}});
    return t;
}

void WriteGameTables(const std::string& dir, const GameTablesData& data) {
    const std::filesystem::path dataDir = std::filesystem::path(dir) / "DATA";
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    if (error) throw IoError("Cannot create \"" + dataDir.string() + "\": " + error.message());
    WriteDbf((dataDir / "building.dbf").string(), BuildingTable(data.Buildings));
    WriteDbf((dataDir / "person.dbf").string(), PersonTable(data.Persons));
    WriteDbf((dataDir / "names.dbf").string(), NamesTable(data.Names));
    WriteDbf((dataDir / "races.dbf").string(), RacesTable(data.Races));
    WriteDbf((dataDir / "upgrade.dbf").string(), UpgradeTable(data.Upgrades));
    WriteDbf((dataDir / "efects.dbf").string(), EffectsTable(data.Effects));
}

}  // namespace tess::writers
