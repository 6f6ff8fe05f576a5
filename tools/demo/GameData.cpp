// Building and person types and the tables of the demo game.
#include "GameData.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "resources/Utils.h"

namespace tess::demo {

namespace {

using BK = BuildingKind;
using C = Container;

std::string Cp(const char* utf8) {
    return Utf8ToCp1250(utf8);
}
std::string N(int v) {
    return std::to_string(v);
}
std::string L(bool v) {
    return v ? "T" : "F";
}

}  // namespace

const std::vector<BuildingType>& BuildingTypes() {
    static const std::vector<BuildingType> types = [] {
        std::vector<BuildingType> t;
        auto add = [&](BuildingType b) { t.push_back(b); };
        // id, name, race, kind, osada, ves, mesto, tag, vliv, civils, req1, req2, nex, next,
        // RT, LT, stages, wav, face clip, face length, container, storage
        add({10,
             "Lidská osada",
             1,
             BK::Centre,
             true,
             false,
             false,
             4,
             0,
             10,
             0,
             0,
             0,
             11,
             3,
             3,
             {true, false, true},
             "budovy\\osada.wav",
             0,
             4});
        add({11,
             "Lidská vesnice",
             1,
             BK::CentreVillage,
             false,
             true,
             false,
             4,
             0,
             20,
             0,
             0,
             0,
             12,
             3,
             3,
             {true, true, true},
             "budovy\\vesnice.wav",
             0,
             3});
        add({12,
             "Lidské město",
             1,
             BK::CentreTown,
             false,
             false,
             true,
             5,
             0,
             40,
             0,
             0,
             0,
             0,
             4,
             4,
             {true, true, false},
             "budovy\\mesto.wav",
             0,
             4});
        add({13,
             "Dům",
             1,
             BK::House,
             true,
             true,
             true,
             0,
             0,
             5,
             0,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\dum.wav",
             1,
             2});
        add({14,
             "Statek",
             1,
             BK::Farm,
             true,
             true,
             false,
             0,
             0,
             3,
             13,
             0,
             0,
             0,
             3,
             2,
             {false, true, true},
             "budovy\\statek.wav",
             0,
             2});
        add({15,
             "Kasárna",
             1,
             BK::Barracks,
             false,
             true,
             true,
             0,
             0,
             0,
             13,
             0,
             0,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\kasarna.wav",
             0,
             4});
        add({16,
             "Kovárna",
             1,
             BK::Smithy,
             false,
             true,
             true,
             0,
             0,
             2,
             15,
             13,
             0,
             0,
             2,
             2,
             {true, false, false},
             "budovy\\kovarna.wav",
             2,
             2});
        add({17,
             "Kostel",
             1,
             BK::Temple,
             false,
             false,
             true,
             0,
             0,
             4,
             16,
             0,
             15,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\kostel.wav",
             0,
             4});
        add({18, "Strážní věž",      1,  BK::Tower, true, true, true, 0, 4, 0, 15, 0, 0, 0, 2,
             2,  {true, true, true}, "", 0,         1});
        add({19,
             "Pila",
             1,
             BK::Sawmill,
             true,
             true,
             false,
             0,
             0,
             2,
             0,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\pila.wav",
             1,
             3});
        add({43,
             "Pokladnice",
             1,
             BK::Treasury,
             false,
             true,
             true,
             0,
             0,
             1,
             15,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\penize.wav",
             0,
             4});
        add({139,
             "Tržiště",
             1,
             BK::Market,
             false,
             false,
             true,
             0,
             0,
             6,
             43,
             0,
             0,
             0,
             3,
             3,
             {false, false, true},
             "budovy\\trh.wav",
             0,
             4});

        add({20,
             "Barbarská osada",
             2,
             BK::Centre,
             true,
             false,
             false,
             4,
             0,
             10,
             0,
             0,
             0,
             0,
             3,
             3,
             {false, true, true},
             "budovy\\barb_osada.wav",
             4,
             4,
             C::DdsrA4R4G4B4});
        add({21,
             "Chýše",
             2,
             BK::House,
             true,
             false,
             false,
             0,
             0,
             5,
             0,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\chyse.wav",
             4,
             2,
             C::DdsrA4R4G4B4});
        add({22,
             "Válečná chata",
             2,
             BK::Barracks,
             true,
             false,
             false,
             0,
             0,
             0,
             21,
             0,
             0,
             0,
             3,
             2,
             {true, true, true},
             "budovy\\valecna.wav",
             4,
             4,
             C::DdsrA4R4G4B4});
        add({23,
             "Totem",
             2,
             BK::Totem,
             true,
             false,
             false,
             0,
             4,
             0,
             0,
             0,
             0,
             0,
             1,
             1,
             {true, false, true},
             "budovy\\totem.wav",
             5,
             3,
             C::DdsrA4R4G4B4});
        add({24,
             "Udírna",
             2,
             BK::Smithy,
             true,
             false,
             false,
             3,
             0,
             2,
             21,
             0,
             0,
             0,
             2,
             2,
             {true, true, false},
             "",
             4,
             1,
             C::DdsrA4R4G4B4});
        add({53,
             "Kořist",
             2,
             BK::Treasury,
             true,
             false,
             false,
             0,
             0,
             0,
             22,
             21,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\korist.wav",
             4,
             4,
             C::DdsrA4R4G4B4});

        add({30,
             "Trpasličí vesnice",
             3,
             BK::CentreVillage,
             false,
             true,
             false,
             4,
             0,
             15,
             0,
             0,
             0,
             31,
             3,
             3,
             {true, true, true},
             "budovy\\trp_vesnice.wav",
             8,
             4,
             C::DdslR5G6B5,
             Storage::Disk});
        add({31,
             "Trpasličí město",
             3,
             BK::CentreTown,
             false,
             false,
             true,
             4,
             0,
             35,
             0,
             0,
             0,
             0,
             4,
             4,
             {true, false, true},
             "budovy\\trp_mesto.wav",
             8,
             4,
             C::DdslR5G6B5,
             Storage::Disk});
        add({32,
             "Sluj",
             3,
             BK::House,
             false,
             true,
             true,
             0,
             0,
             6,
             0,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\sluj.wav",
             9,
             2,
             C::DdslR5G6B5,
             Storage::Disk});
        add({33,
             "Výheň",
             3,
             BK::Smithy,
             false,
             true,
             true,
             0,
             0,
             2,
             32,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\vyhen.wav",
             8,
             4,
             C::DdslR5G6B5,
             Storage::Disk});
        add({34,
             "Pivovar",
             3,
             BK::Brewery,
             false,
             false,
             true,
             3,
             0,
             3,
             32,
             0,
             0,
             0,
             2,
             2,
             {false, true, true},
             "budovy\\pivovar.wav",
             10,
             2,
             C::DdslA4R4G4B4,
             Storage::Disk});
        add({35,
             "Síň předků",
             3,
             BK::Hall,
             false,
             false,
             true,
             0,
             0,
             8,
             33,
             34,
             0,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\sin.wav",
             8,
             4,
             C::DdslR5G6B5,
             Storage::Disk});
        add({36,
             "Hláska",
             3,
             BK::Tower,
             false,
             true,
             true,
             0,
             4,
             0,
             32,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "",
             8,
             1,
             C::DdslR5G6B5,
             Storage::Disk});
        add({90,
             "Důl",
             3,
             BK::Mine,
             false,
             true,
             true,
             0,
             0,
             0,
             32,
             0,
             0,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\dul.wav",
             11,
             1,
             C::DdslR5G6B5,
             Storage::Disk});
        add({92,
             "Klenotnice",
             3,
             BK::Vault,
             false,
             false,
             true,
             0,
             0,
             0,
             90,
             35,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\klenoty.wav",
             8,
             4,
             C::DdslR5G6B5,
             Storage::Disk});

        add({40,
             "Elfské město",
             4,
             BK::CentreTown,
             false,
             false,
             true,
             4,
             0,
             30,
             0,
             0,
             0,
             0,
             4,
             4,
             {true, true, true},
             "budovy\\elf_mesto.wav",
             12,
             4,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({41,
             "Stromový dům",
             4,
             BK::House,
             false,
             false,
             true,
             0,
             0,
             5,
             0,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\strom_dum.wav",
             13,
             2,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({42,
             "Střelnice",
             4,
             BK::Barracks,
             false,
             false,
             true,
             0,
             0,
             0,
             41,
             0,
             0,
             0,
             3,
             2,
             {true, true, true},
             "budovy\\strelnice.wav",
             12,
             4,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({44,
             "Chrám měsíce",
             4,
             BK::Temple,
             false,
             false,
             true,
             0,
             4,
             4,
             42,
             41,
             0,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\chram.wav",
             14,
             2,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({45,
             "Zahrada",
             4,
             BK::Garden,
             false,
             false,
             true,
             0,
             0,
             2,
             41,
             0,
             0,
             0,
             3,
             3,
             {false, false, false},
             "",
             12,
             1,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({95,
             "Elfí pokladnice",
             4,
             BK::Treasury,
             false,
             false,
             true,
             0,
             0,
             0,
             42,
             0,
             0,
             0,
             2,
             2,
             {true, true, true},
             "budovy\\elf_penize.wav",
             12,
             4,
             C::DdslA8R8G8B8,
             Storage::Disk});
        add({123,
             "Studna měsíce",
             4,
             BK::Temple,
             false,
             false,
             true,
             0,
             0,
             0,
             44,
             0,
             0,
             0,
             2,
             2,
             {true, false, true},
             "budovy\\studna.wav",
             15,
             1,
             C::DdslA8R8G8B8,
             Storage::Disk});

        // Neutral buildings. Type 89 is the bone pile: its pictures are objects 212..226.
        add({89,
             "Hromada kostí",
             0,
             BK::BonePile,
             true,
             true,
             true,
             0,
             0,
             0,
             0,
             0,
             0,
             0,
             2,
             2,
             {false, true, true},
             "budovy\\kosti.wav",
             0,
             1,
             C::DdsR5G6B5});
        add({140,
             "Opuštěný důl",
             0,
             BK::Mine,
             true,
             true,
             true,
             0,
             0,
             0,
             0,
             0,
             0,
             0,
             3,
             3,
             {true, true, true},
             "budovy\\dul.wav",
             0,
             1,
             C::DdsA8R8G8B8});
        add({141,
             "Karavana",
             0,
             BK::Caravan,
             true,
             true,
             true,
             0,
             0,
             0,
             0,
             0,
             0,
             0,
             3,
             2,
             {false, false, false},
             "budovy\\karavana.wav",
             0,
             1,
             C::DdsA8R8G8B8});
        add({144,
             "Truhla",
             0,
             BK::Chest,
             true,
             true,
             true,
             0,
             0,
             0,
             0,
             0,
             0,
             0,
             1,
             1,
             {false, false, false},
             "",
             0,
             1,
             C::DdsA8R8G8B8});

        int next = kBuildingPictureBase;
        for (BuildingType& b : t) {
            if (b.kind == BK::BonePile) {
                b.objectId = 226;
                b.stageObjects = {0, 219, 224};
                continue;
            }
            b.objectId = next;
            for (int s = 0; s < 3; ++s)
                b.stageObjects[static_cast<size_t>(s)] =
                    b.stages[static_cast<size_t>(s)] ? next + 1 + s : 0;
            next += 4;
        }
        return t;
    }();
    return types;
}

const std::vector<PersonType>& PersonTypes() {
    static const std::vector<PersonType> types = [] {
        using F = Figure;
        std::vector<PersonType> t;
        // id, name, race, figure, human, invisible, barracks, vliv, attack, defence, lives, type
        t.push_back({1, "Rolník", 1, F::Worker, true, false, false, 0, 2, 2, 20, 1});
        t.push_back({2, "Šermíř", 1, F::Swordsman, true, false, false, 0, 8, 6, 40, 2});
        t.push_back({3, "Lučištník", 1, F::Archer, true, false, false, 0, 7, 3, 30, 3});
        t.push_back({4, "Rytíř", 1, F::Knight, true, false, true, 0, 12, 10, 80, 4});
        t.push_back({5, "Mág", 1, F::Mage, true, false, false, 0, 14, 2, 25, 5});
        t.push_back({6, "Špeh", 1, F::Spy, true, true, false, 0, 4, 2, 20, 6});
        t.push_back({7, "Zvěd", 1, F::Scout, true, false, false, 4, 3, 3, 25, 7});
        t.push_back({10, "Sběrač", 2, F::Worker, true, false, false, 0, 3, 2, 22, 1});
        t.push_back({11, "Sekerník", 2, F::Axeman, true, false, false, 0, 9, 5, 45, 2});
        t.push_back({12, "Berserkr", 2, F::Berserker, true, false, true, 0, 13, 2, 50, 3});
        t.push_back({13, "Šaman", 2, F::Shaman, true, false, false, 4, 10, 2, 30, 5});
        t.push_back({20, "Horník", 3, F::Miner, true, false, false, 0, 3, 4, 30, 1});
        t.push_back({21, "Válečník", 3, F::DwarfWarrior, true, false, false, 0, 9, 9, 55, 2});
        t.push_back({22, "Kušiník", 3, F::Crossbowman, true, false, false, 0, 10, 5, 40, 3});
        t.push_back({30, "Sběračka", 4, F::Gatherer, true, false, false, 0, 2, 2, 20, 1});
        t.push_back({31, "Lučištnice", 4, F::ElfArcher, true, false, false, 0, 9, 3, 30, 3});
        t.push_back({32, "Druid", 4, F::Druid, true, false, false, 4, 11, 4, 35, 5});
        t.push_back({28, "Poutník", 0, F::Wanderer, true, false, false, 0, 2, 2, 25, 8});
        t.push_back({40, "Vlk", 0, F::Wolf, false, false, false, 0, 6, 2, 25, 9});
        t.push_back({41, "Medvěd", 0, F::Bear, false, false, false, 0, 10, 6, 70, 9});
        t.push_back({42, "Kostlivec", 0, F::Skeleton, false, false, false, 0, 7, 4, 30, 10});
        t.push_back({43, "Troll", 0, F::Troll, false, false, false, 0, 14, 8, 90, 10});
        int base = kUnitPictureBase;
        for (PersonType& p : t) {
            p.objectBase = base;
            base += 50;
            switch (p.race) {
                case 2:
                    p.container = C::DdsrA4R4G4B4;
                    break;
                case 3:
                    p.container = C::DdsrR5G6B5;
                    break;
                case 0:
                    p.container = (p.figure == F::Wolf || p.figure == F::Bear) ? C::DdslA4R4G4B4
                                                                               : C::DdsR5G6B5;
                    p.storage = p.container == C::DdslA4R4G4B4 ? Storage::Disk : Storage::Archive;
                    break;
                default:
                    break;
            }
            if (p.figure == F::Wolf) {
                p.width = 32;
                p.height = 28;
            } else if (p.figure == F::Bear || p.figure == F::Troll) {
                p.width = 40;
                p.height = 44;
            } else if (p.race == 3) {
                p.height = 32;
            }
        }
        return t;
    }();
    return types;
}

const std::vector<AnimDesign>& AnimDesigns() {
    static const std::vector<AnimDesign> anims = {
        {1, "ohen*.tga", "pictures/anims/ohen.dds", Effect::Fire, 48, 48, 8},
        {2, "vybuch*.tga", "Pictures/Anims/VYBUCH.DDS", Effect::Explosion, 64, 64, 8},
        {3, "jiskry*.tga", "pictures/anims/jiskry.dds", Effect::Sparkle, 40, 40, 6},
        {4, "kour*.tga", "pictures/anims/kour.dds", Effect::Smoke, 40, 56, 8},
        {5, "leceni*.tga", "pictures/anims/leceni.dds", Effect::Heal, 40, 48, 6},
        {6, "blesk*.tga", "pictures/anims/blesk.dds", Effect::Lightning, 32, 72, 4},
        {7, "sprizka*.tga", "pictures/anims/sprizka.dds", Effect::Splash, 40, 32, 6},
        {8, "sip*.tga", "pictures/anims/sip.dds", Effect::Arrow, 48, 16, 4},
    };
    return anims;
}

int TableDesign::Field(const std::string& fieldName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (AnsiUpperCase(fields[i].name) == AnsiUpperCase(fieldName)) return static_cast<int>(i);
    return -1;
}

const std::string& TableDesign::Value(size_t row, const std::string& fieldName) const {
    const int f = Field(fieldName);
    if (f < 0 || row >= rows.size())
        throw std::out_of_range("no field " + fieldName + " in " + name);
    return rows[row][static_cast<size_t>(f)];
}

namespace {

TableDesign BuildingTable() {
    TableDesign t;
    t.name = "DATA\\building.dbf";
    t.storedPath = "DATA/BUILDING.DBF";
    t.fields = {{"Id", 'N', 5},         {"Name", 'C', 30},      {"id_race", 'N', 2},
                {"use_osada", 'L', 1},  {"use_ves", 'L', 1},    {"use_mesto", 'L', 1},
                {"Tag", 'N', 4},        {"Id_vliv", 'N', 2},    {"CIVILS", 'N', 4},
                {"Id_Object", 'N', 5},  {"Id_object1", 'N', 5}, {"Id_object2", 'N', 5},
                {"Id_object3", 'N', 5}, {"ID_B_EX1", 'N', 5},   {"ID_B_EX2", 'N', 5},
                {"ID_B_NEX", 'N', 5},   {"ID_NEXT", 'N', 5},    {"wav_file", 'C', 40},
                {"Xicht_Pos", 'N', 5},  {"Xicht_Len", 'N', 5}};
    for (const BuildingType& b : BuildingTypes())
        t.rows.push_back({N(b.id),
                          Cp(b.name),
                          N(b.race),
                          L(b.osada),
                          L(b.ves),
                          L(b.mesto),
                          N(b.tag),
                          N(b.vliv),
                          N(b.civils),
                          N(b.objectId),
                          N(b.stageObjects[0]),
                          N(b.stageObjects[1]),
                          N(b.stageObjects[2]),
                          N(b.requires1),
                          N(b.requires2),
                          N(b.notRequired),
                          N(b.next),
                          b.wav,
                          N(b.faceClip),
                          N(b.faceLength)});
    return t;
}

TableDesign PersonTable() {
    TableDesign t;
    t.name = "DATA\\person.dbf";
    t.storedPath = "DATA/Person.dbf";
    t.fields = {{"Id", 'N', 4},         {"Name", 'C', 30},     {"typ_human", 'L', 1},
                {"Id_Race", 'N', 2},    {"novisible", 'L', 1}, {"Id_vliv", 'N', 2},
                {"UtoC", 'N', 4},       {"ObrC", 'N', 4},      {"Zivotu", 'N', 5},
                {"VKasarnach", 'L', 1}, {"type", 'N', 3},      {"Id_obj_chu", 'N', 5}};
    for (const PersonType& p : PersonTypes())
        t.rows.push_back({N(p.id), Cp(p.name), L(p.human), N(p.race), L(p.invisible), N(p.vliv),
                          N(p.attack), N(p.defence), N(p.lives), L(p.inBarracks), N(p.type),
                          N(p.objectBase)});
    return t;
}

TableDesign NamesTable() {
    TableDesign t;
    t.name = "DATA\\names.dbf";
    t.storedPath = "DATA/names.dbf";
    t.fields = {{"Name", 'C', 30}, {"typ_race", 'N', 3}};
    // Bit r-1 of typ_race: the name suits race r (1 human, 2 barbarian, 4 dwarf, 8 elf).
    const std::pair<const char*, int> names[] = {
        {"Bořek", 1},  {"Vojtěch", 1},  {"Radim", 1},   {"Jitka", 1},   {"Zbyněk", 1},
        {"Lubor", 1},  {"Hostivít", 3}, {"Kruk", 2},    {"Grum", 2},    {"Hrdoš", 2},
        {"Ulfar", 2},  {"Brana", 2},    {"Thorgil", 6}, {"Durin", 4},   {"Balgar", 4},
        {"Kazmír", 5}, {"Ruda", 4},     {"Nori", 4},    {"Elwin", 8},   {"Lírien", 8},
        {"Saeli", 8},  {"Anwë", 8},     {"Iliana", 9},  {"Tauriel", 8}, {"Květa", 9},
        {"Ondřej", 1}, {"Žofie", 1},    {"Šimon", 5},   {"Čeněk", 1},   {"Mira", 15},
        {"Stín", 10},  {"Orm", 6},
    };
    for (const auto& [name, mask] : names)
        t.rows.push_back({Cp(name), N(mask)});
    return t;
}

TableDesign RacesTable() {
    TableDesign t;
    t.name = "DATA\\races.dbf";
    t.storedPath = "data/Races.DBF";
    t.storage = Storage::Disk;
    t.fields = {{"Id", 'C', 3}, {"Name", 'C', 20}};
    t.rows = {{"1", Cp("Lidé")}, {"2", Cp("Barbaři")}, {"3", Cp("Trpaslíci")}, {"4", Cp("Elfové")}};
    return t;
}

TableDesign UpgradeTable() {
    TableDesign t;
    t.name = "DATA\\upgrade.dbf";
    t.storedPath = "Data/upgrade.dbf";
    t.storage = Storage::Disk;
    t.fields = {{"Id", 'N', 4},        {"Name", 'C', 30},     {"ID_U_EX1", 'N', 4},
                {"ID_BUILD1", 'N', 4}, {"ID_BUILD2", 'N', 4}, {"ID_BUILD3", 'N', 4},
                {"ID_ITEM", 'N', 4},   {"ID_SPELL", 'N', 4},  {"Popis", 'M', 10}};
    struct U {
        int id;
        const char* name;
        int req, b1, b2, b3, item, spell;
        const char* text;
    };
    const U ups[] = {
        {1, "Železný meč", 0, 16, 0, 0, 1, 0, "Ostřejší čepel pro šermíře."},
        {2, "Ocelový meč", 1, 16, 17, 0, 2, 0, "Ocel kovaná v městské kovárně."},
        {3, "Dlouhý luk", 0, 15, 0, 0, 3, 0, "Větší dostřel lučištníků."},
        {4, "Kuše", 0, 33, 0, 0, 4, 0, "Trpasličí kuše prorazí i zbroj."},
        {5, "Válečná sekera", 0, 22, 24, 0, 5, 0, "Těžká sekera barbarských sekerníků."},
        {6, "Elfí šípy", 3, 42, 0, 0, 6, 0, ""},
        {7, "Runová zbroj", 0, 35, 33, 0, 7, 0, "Zbroj posílená runami předků."},
        {20, "Ohnivá koule", 0, 17, 0, 0, 0, 1, "Mág vrhá plamen na nepřítele."},
        {21, "Blesk", 20, 17, 0, 0, 0, 2, "Úder blesku zasáhne jeden cíl."},
        {22, "Léčení", 0, 44, 17, 0, 0, 3, "Uzdraví zraněné jednotky v okolí."},
        {23, "Kletba šamana", 0, 23, 0, 0, 0, 4, "Oslabí nepřátele kolem totemu."},
        {24, "Kořeny", 22, 44, 45, 0, 0, 5, "Kořeny spoutají nepřítele."},
        {40, "Kolo", 0, 14, 19, 0, 0, 0, "Vozy unesou více nákladu."},
        {41, "Vodní mlýn", 40, 19, 0, 0, 0, 0, ""},
        {42, "Důlní výztuž", 0, 90, 32, 0, 0, 0, "Hlubší štoly v dolech."},
        {43, "Pivo", 0, 34, 0, 0, 0, 0, "Posiluje odvahu trpaslíků."},
        {44, "Palisáda", 0, 20, 21, 0, 0, 0, "Ohrada kolem osady."},
        {45, "Zpěv stromů", 0, 41, 45, 95, 0, 0, "Stromy rostou rychleji."},
        {46, "Obchod", 43, 139, 43, 0, 0, 0, "Tržiště přináší peníze."},
    };
    for (const U& u : ups)
        t.rows.push_back({N(u.id), Cp(u.name), N(u.req), N(u.b1), N(u.b2), N(u.b3), N(u.item),
                          N(u.spell), Cp(u.text)});
    return t;
}

TableDesign EffectsTable() {
    TableDesign t;
    t.name = "DATA\\efects.dbf";
    t.storedPath = "DATA/Efects.DBF";
    t.fields = {{"Id", 'N', 4},         {"Name", 'C', 30},    {"wav_file", 'C', 40},
                {"Cas", 'N', 5},        {"Traileff", 'N', 4}, {"Next_id_ef", 'N', 4},
                {"Doly_circl", 'N', 3}, {"Strela", 'L', 1},   {"Jen_Jednou", 'L', 1},
                {"Each_Anim", 'L', 1},  {"Id_anim", 'N', 4},  {"Odzadu", 'L', 1}};
    struct E {
        int id;
        const char* name;
        const char* wav;
        int cas, trail, next, crater;
        bool arrow, once, each;
        int anim;
        bool backwards;
    };
    const E effects[] = {
        {1, "Oheň", "efekty\\ohen.wav", 80, 0, 4, 0, false, false, true, 1, false},
        {2, "Výbuch", "efekty\\vybuch.wav", 60, 0, 4, 2, false, true, false, 2, false},
        {3, "Jiskření", "efekty\\jiskry.wav", 100, 0, 0, 0, false, false, true, 3, false},
        {4, "Kouř", "", 120, 0, 0, 0, false, true, false, 4, false},
        {5, "Léčení", "efekty\\leceni.wav", 90, 3, 0, 0, false, true, false, 5, false},
        {6, "Blesk", "efekty\\blesk.wav", 50, 0, 2, 1, false, true, false, 6, false},
        {7, "Šplouchnutí", "efekty\\voda.wav", 70, 0, 0, 0, false, true, false, 7, true},
        {8, "Šíp", "efekty\\sip.wav", 40, 0, 7, 0, true, false, false, 8, false},
        {9, "Ohnivá koule", "efekty\\koule.wav", 60, 1, 2, 0, true, false, true, 1, false},
        {10, "Tichý kouř", "", 0, 0, 0, 0, false, false, false, 4, true},
        {11, "Zvuk bez obrazu", "efekty\\gong.wav", 100, 0, 0, 0, false, false, false, 0, false},
    };
    for (const E& e : effects)
        t.rows.push_back({N(e.id), Cp(e.name), e.wav, N(e.cas), N(e.trail), N(e.next), N(e.crater),
                          L(e.arrow), L(e.once), L(e.each), N(e.anim), L(e.backwards)});
    return t;
}

TableDesign AnimsTable() {
    TableDesign t;
    t.name = "data\\Anims.dbf";
    t.storedPath = "data/anims.dbf";
    t.storage = Storage::Disk;
    t.fields = {{"Id", 'N', 4},
                {"FileName", 'C', 60},
                {"Width", 'N', 4},
                {"Height", 'N', 4},
                {"AnimCount", 'N', 4}};
    for (const AnimDesign& a : AnimDesigns())
        t.rows.push_back({N(a.id), a.tableFileName, N(a.width), N(a.height), N(a.frames)});
    return t;
}

TableDesign ObjectsTable() {
    TableDesign t;
    t.name = "DATA/objects.dbf";
    t.storedPath = "Data/Objects.dbf";
    t.storage = Storage::Disk;
    t.fields = {{"Id", 'N', 5},         {"Name", 'C', 20},     {"FileName", 'C', 140},
                {"Typ_tree", 'L', 1},   {"Typ_build", 'L', 1}, {"Typ_Unit", 'L', 1},
                {"Typ_unown", 'L', 1},  {"pod_teren", 'C', 2}, {"Tree_list", 'L', 1},
                {"Tree_jehl", 'L', 1},  {"Tree_ker", 'L', 1},  {"Tree_trop", 'L', 1},
                {"Tree_idx", 'C', 10},  {"Wav_file", 'C', 40}, {"WAV_DAY", 'C', 40},
                {"WAV_NIGHT", 'C', 40}, {"Anim_y", 'N', 4},    {"Relat_X", 'N', 4},
                {"Relat_Y", 'N', 4},    {"Width", 'N', 4},     {"Height", 'N', 4},
                {"Anim_Count", 'N', 3}, {"Size_RT", 'N', 2},   {"Size_LT", 'N', 2}};
    for (const ObjectDesign& o : ObjectCatalogue())
        t.rows.push_back({N(o.id),      o.name,         o.fileName,  L(o.typTree),  L(o.typBuild),
                          L(o.typUnit), L(o.typUnown),  o.podTeren,  L(o.treeList), L(o.treeJehl),
                          L(o.treeKer), L(o.treeTrop),  o.treeIdx,   o.wavFile,     o.wavDay,
                          o.wavNight,   N(o.animY),     N(o.relatX), N(o.relatY),   N(o.width),
                          N(o.height),  N(o.animCount), N(o.sizeRT), N(o.sizeLT)});
    return t;
}

}  // namespace

const std::vector<TableDesign>& DemoTables() {
    static const std::vector<TableDesign> tables = {BuildingTable(), PersonTable(),  NamesTable(),
                                                    RacesTable(),    UpgradeTable(), EffectsTable(),
                                                    AnimsTable(),    ObjectsTable()};
    return tables;
}

const TableDesign& FindTable(const std::string& name) {
    for (const TableDesign& t : DemoTables())
        if (AnsiUpperCase(ReplaceChar(t.name, '/', '\\')) ==
            AnsiUpperCase(ReplaceChar(name, '/', '\\')))
            return t;
    throw std::out_of_range("no table " + name);
}

std::vector<std::string> SoundFiles() {
    std::set<std::string> names;
    auto take = [&](const std::string& s) {
        if (!s.empty()) names.insert(s);
    };
    for (const TableDesign& t : DemoTables())
        for (const char* field : {"wav_file", "WAV_DAY", "WAV_NIGHT"}) {
            const int f = t.Field(field);
            if (f < 0) continue;
            for (const auto& row : t.rows)
                take(row[static_cast<size_t>(f)]);
        }
    return std::vector<std::string>(names.begin(), names.end());
}

}  // namespace tess::demo
