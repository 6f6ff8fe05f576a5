// The game's rule tables (buildings, persons, names, races, upgrades, effects): every table and
// field the store, the editors, the palette and the settlement commands read, and how.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Dbf.h"
#include "resources/GameTable.h"
#include "resources/Random.h"

namespace tess {

namespace tables {
inline constexpr char kBuilding[] = "DATA\\building.dbf";
inline constexpr char kPerson[] = "DATA\\person.dbf";
inline constexpr char kNames[] = "DATA\\names.dbf";
inline constexpr char kRaces[] = "DATA\\races.dbf";
inline constexpr char kUpgrade[] = "DATA\\upgrade.dbf";
inline constexpr char kEffects[] = "DATA\\efects.dbf";
}  // namespace tables

// The three ways a value is read: a whole number (trimmed; empty or other text gives 0), a flag
// (true when the text holds the letter T in either case), a text (trailing blanks removed).
int32_t ReadInteger(tTable& table, std::string_view field);
bool ReadFlag(tTable& table, std::string_view field);
std::string ReadText(tTable& table, std::string_view field);

// --- building.dbf ------------------------------------------------------------------------------

struct BuildingType {
    int32_t Id = 0;
    std::string Name;  // CP1250
    int32_t IdRace = 0;
    bool UseOsada = false;
    bool UseVes = false;
    bool UseMesto = false;
    int32_t Tag = 0;
    int32_t IdVliv = 0;
    int32_t Civils = 0;
    int32_t IdObject = 0;  // finished picture
    int32_t IdObject1 = 0;
    int32_t IdObject2 = 0;
    int32_t IdObject3 = 0;
    int32_t IdBEx1 = 0;
    int32_t IdBEx2 = 0;
    int32_t IdBNex = 0;
    int32_t IdNext = 0;

    // Bit 2 of Tag marks the main building of a settlement.
    bool IsMainBuilding() const { return (Tag & 4) != 0; }
};

// Which fields a caller reads; each caller reads only what it uses.
namespace building_fields {
enum : unsigned {
    Id = 1u << 0,
    Name = 1u << 1,
    Race = 1u << 2,      // id_race
    UseFlags = 1u << 3,  // use_osada, use_ves, use_mesto
    Tag = 1u << 4,
    Influence = 1u << 5,  // Id_vliv
    Civils = 1u << 6,
    Pictures = 1u << 7,      // Id_Object, Id_object1..3
    Requirements = 1u << 8,  // ID_B_EX1, ID_B_EX2, ID_B_NEX, ID_NEXT
    All = (1u << 9) - 1,
};
}

BuildingType ReadBuildingType(GameTable& table, unsigned fields);
// Every record in file order.
std::vector<BuildingType> ReadBuildingTypes(unsigned fields = building_fields::All);
// The record whose Id is the type, looked up by a use of its own.
std::optional<BuildingType> FindBuildingType(int32_t id, unsigned fields);

// --- person.dbf --------------------------------------------------------------------------------

struct PersonType {
    int32_t Id = 0;
    std::string Name;
    bool TypHuman = false;  // gets a name drawn from the names table
    int32_t IdRace = 0;     // 0 = every race
    bool NoVisible = false;
    int32_t IdVliv = 0;
    int32_t UtoC = 0;
    int32_t ObrC = 0;
    int32_t Zivotu = 0;
    bool VKasarnach = false;
    int32_t Type = 0;

    // Listed in a race's unit permission list.
    bool ListedForRace(int32_t race) const {
        return (IdRace == race || IdRace == 0) && !VKasarnach && Type < 9;
    }
};

namespace person_fields {
enum : unsigned {
    Id = 1u << 0,
    Name = 1u << 1,
    Human = 1u << 2,       // typ_human
    Race = 1u << 3,        // Id_Race
    Visibility = 1u << 4,  // novisible
    Influence = 1u << 5,   // Id_vliv
    Strength = 1u << 6,    // UtoC, ObrC, Zivotu
    Listing = 1u << 7,     // VKasarnach, type
    All = (1u << 8) - 1,
};
}

PersonType ReadPersonType(GameTable& table, unsigned fields);
std::vector<PersonType> ReadPersonTypes(unsigned fields = person_fields::All);
std::optional<PersonType> FindPersonType(int32_t id, unsigned fields);

// --- names.dbf ---------------------------------------------------------------------------------

struct NameEntry {
    std::string Name;
    int32_t TypRace = 0;  // bit (r - 1): the name suits race r

    bool SuitsRace(int32_t race) const {
        return race >= 1 && race <= 32 && (static_cast<uint32_t>(TypRace) >> (race - 1) & 1u);
    }
};

std::vector<NameEntry> ReadNames();

// How many records a name draw looks at before the last name drawn stands.
constexpr int kNameDrawLimit = 1000;

// Draws a name for a human unit of a race (0 = any): random records until one suits the race,
// at most kNameDrawLimit draws. Empty when the table has no records.
std::optional<std::string> DrawUnitName(Random& random, int32_t race);

// --- races.dbf ---------------------------------------------------------------------------------

struct RaceEntry {
    std::string Id;  // trimmed text
    std::string Name;
};

std::vector<RaceEntry> ReadRaces();
// The race list of the player, settlement and building editors: the Id padded with blanks to
// four characters, then the name (CP1250).
std::vector<std::string> RaceListItems();

// --- upgrade.dbf -------------------------------------------------------------------------------

enum class UpgradeKind { Weapon = 2, Spell = 3, Invention = 4 };

struct UpgradeType {
    int32_t Id = 0;
    std::string Name;
    int32_t IdUEx1 = 0;
    std::array<int32_t, 3> IdBuild{};  // ID_BUILD1..3
    int32_t IdItem = 0;
    int32_t IdSpell = 0;

    bool IsKind(UpgradeKind kind) const {
        switch (kind) {
            case UpgradeKind::Weapon:
                return IdItem != 0;
            case UpgradeKind::Spell:
                return IdSpell != 0;
            case UpgradeKind::Invention:
                return IdItem == 0 && IdSpell == 0;
        }
        return false;
    }
};

std::vector<UpgradeType> ReadUpgrades();

// --- efects.dbf --------------------------------------------------------------------------------

struct EffectEntry {
    int32_t Id = 0;
    std::string Name;
};

std::vector<EffectEntry> ReadEffects();

// --- settlement commands -----------------------------------------------------------------------

// The settlement kinds: 1 "Osada", 2 "Vesnice", 3 "Mesto".
constexpr int kOsada = 1, kVesnice = 2, kMesto = 3;

struct SettlementCommand {
    const char* Handler;  // the main window's handler
    int Kind;             // the use flag the building must have
    int Race;             // 0 = any race
};

inline constexpr std::array<SettlementCommand, 9> kSettlementCommands{{
    {"Novemesto1Click", kMesto, 0},
    {"Novvesnice1Click", kVesnice, 0},
    {"Novosada1Click", kOsada, 1},
    {"Novlidksvesnice1Click", kVesnice, 1},
    {"Novlidskmsto1Click", kMesto, 1},
    {"Novbarbarskosada1Click", kOsada, 2},
    {"N7Click", kVesnice, 3},
    {"Novtrpaslimsto1Click", kMesto, 3},
    {"Novelfskmsto1Click", kMesto, 4},
}};

// Shown by a settlement command when no building qualifies.
inline constexpr char kSettlementBuildingMissing[] = "Nedostatek informaci v DATA\\BUILDING.dbf";

// The first building type in file order usable in the kind of settlement, marked as a main
// building and (unless race is 0) of the race. Fills Id, Id_Object, the use flags and Tag.
std::optional<BuildingType> FindSettlementBuilding(int kind, int race);

}  // namespace tess
