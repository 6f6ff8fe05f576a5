// The game-data store: players, settlements, buildings and units placed on a map, and its file.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "game/EditorDialogs.h"
#include "resources/Random.h"

namespace tess {

class tMapa;

constexpr int32_t kMaxPlayers = 100;
constexpr int32_t kMaxSettlements = 100;
constexpr int32_t kMaxBuildings = 10000;
constexpr int32_t kMaxUnits = 10000;
// Entries of the per-type permission arrays of a player (type numbers 0..1000 and 0..500).
constexpr int32_t kUpgradeStates = 1001;
constexpr int32_t kBuildingStates = 1001;
constexpr int32_t kUnitStates = 501;

constexpr double kSavFileVersion = 1.01;
// Record sizes in the game-data file (records are packed there, field by field).
constexpr int32_t kPlayerFileRecord = 2681;
constexpr int32_t kSettlementFileRecord = 60;
constexpr int32_t kBuildingFileRecord = 29;
constexpr int32_t kUnitFileRecord = 96;

// Relation values and the attitude of a computer player.
constexpr uint8_t kEnemy = 1, kNeutral = 2, kAlly = 3;

// A name as stored in records and files: a length byte and 30 bytes of CP1250 text. The bytes
// are kept as they were read, so a record goes back to its file unchanged.
struct ShortString {
    uint8_t Length = 0;
    char Text[30] = {};

    std::string Get() const { return std::string(Text, std::min<size_t>(Length, sizeof Text)); }
    // Cuts the text to 30 bytes; unused bytes become zero.
    void Set(std::string_view text) {
        Length = static_cast<uint8_t>(std::min(text.size(), sizeof Text));
        std::memset(Text, 0, sizeof Text);
        std::memcpy(Text, text.data(), Length);
    }
};
static_assert(sizeof(ShortString) == 31 && alignof(ShortString) == 1);

// The records keep their fields in memory order with natural alignment; the clip file stores
// building and unit records exactly so. Keep them plain: no constructors, no virtuals.
struct tPlayerRec {
    uint8_t Used;
    ShortString Name;
    int32_t IdRasa;
    uint8_t RidiPocitac;
    int32_t Povaha;
    int32_t Penize;
    int32_t Barva;  // red + green * 256 + blue * 65536
    int32_t Surovina;
    int32_t Tag;
    uint8_t Vztah[kMaxPlayers + 1];
    uint8_t StavVynalezu[kUpgradeStates];  // 1 unusable, 2 not researched, 3 researched
    uint8_t StavBudov[kBuildingStates];    // 3 usable; 1 and 2 not usable
    int32_t MaxDelniku;
    int32_t MaxBuild;
    int32_t MaxVojaku;
    int32_t MinSkupinka;
    int32_t MaxSkupinka;
    uint8_t StavJednotek[kUnitStates];  // 3 usable; 1 and 2 not usable
};

struct tSettlementRec {
    uint8_t Used;
    int32_t Usedlost;  // 1 "Osada", 2 "Vesnice", 3 "Mesto"
    ShortString Name;
    int32_t IdRasa;
    int32_t IdPlayer;
    int32_t HlavniBudova;  // recalculated
    int32_t Civils;        // recalculated
    int32_t Rezerva;
    int32_t Tag;
};

struct tBuildingRec {
    uint8_t Used;
    int32_t IdBuilding;
    int32_t IdObject;
    int32_t IdTouwn;
    int32_t X;
    int32_t Y;
    uint8_t ProcVystavby;
    int32_t Tag;
    uint8_t ProcZivotu;
    uint8_t Pozorovatel;
    uint8_t Imortal;
};

struct tUnitRec {
    uint8_t Used;
    int32_t IdPerson;
    int32_t IdPlayer;
    int32_t IdObject;  // a multiple of 50 for the type, plus Smer
    int32_t X;
    int32_t Y;
    ShortString Name;
    int32_t UtoC;  // -1: the person table's value
    int32_t ObrC;
    int32_t Zivoty;
    int32_t Tag;
    int32_t AI;           // 0 low, 1 high, 2 normal
    int32_t StaryZaznam;  // -1 in every current record
    int32_t Smer;         // 0..7
    int32_t ProcZivotu;
    int32_t PatrolaX;
    int32_t PatrolaY;
    uint8_t AIEnabled;
    uint8_t Neviditelny;
    uint8_t Pozorovatel;
    uint8_t Imortal;
};

static_assert(sizeof(tBuildingRec) == 36 && offsetof(tBuildingRec, Tag) == 28 &&
              offsetof(tBuildingRec, Imortal) == 34);
static_assert(sizeof(tUnitRec) == 100 && offsetof(tUnitRec, Name) == 24 &&
              offsetof(tUnitRec, UtoC) == 56 && offsetof(tUnitRec, AIEnabled) == 96);

// Sets every byte of a record, padding included, to zero.
template <typename Record>
void ZeroRecord(Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    std::memset(static_cast<void*>(&record), 0, sizeof record);
}

// The money buildings, whose Tag holds the money or material they keep.
inline constexpr std::array<int32_t, 11> kMoneyBuildings{43,  53,  90,  92, 95, 123,
                                                         140, 141, 144, 89, 139};

class tKalistor {
  public:
    tKalistor();
    tKalistor(const tKalistor&) = delete;
    tKalistor& operator=(const tKalistor&) = delete;

    // Index 0 of every array is never used; a count holds the highest index ever taken.
    std::array<tPlayerRec, kMaxPlayers + 1> Players;
    int32_t PlayerCount = 0;
    std::array<tSettlementRec, kMaxSettlements + 1> Settlements;
    int32_t SettlementCount = 0;
    std::array<tBuildingRec, kMaxBuildings + 1> Buildings;
    int32_t BuildingCount = 0;
    std::array<tUnitRec, kMaxUnits + 1> Units;
    int32_t UnitCount = 0;

    // Defaults of the next new unit: the values of the last accepted unit edit. Not saved;
    // Clear and loading keep them.
    int32_t LastPlayer = 0;
    int32_t LastAI = 0;
    int32_t LastSmer = 0;
    uint8_t LastAIEnabled = 1;

    // The main window's option "Editovat nové budovy": while it is set (the initial state) a new
    // building gets no editor.
    bool EditNewBuildings = true;

    // Where the Edit operations show their dialogs; without editors nothing is accepted.
    void SetEditors(EditorDialogs* editors) { editors_ = editors; }
    EditorDialogs* Editors() const { return editors_; }
    // The program's random source for name draws (the store's own one until set).
    void SetRandom(Random* random) { random_ = random ? random : &ownRandom_; }

    // All counts 0, every record zero bytes.
    void Clear();

    // Each Add takes the first index whose record is not live, fills its defaults and opens its
    // editor. They return the new index, or 0 when the editor was cancelled or the array is full
    // (then a message says so). AddUnit returning 0 also means the object tool has nothing to
    // place: the placing command clears its current entry.
    int32_t AddPlayer();
    int32_t AddSettlement(int32_t buildingType);
    int32_t AddBuilding(int32_t buildingType, int32_t objectNumber, int32_t settlement);
    int32_t AddUnit(int32_t personType, int32_t objectNumber, int32_t x, int32_t y);

    // Open the editor on a record; true when it was accepted. Out-of-range indices give false.
    bool EditPlayer(int32_t index);
    bool EditSettlement(int32_t index);
    bool EditBuilding(int32_t index);
    bool EditUnit(int32_t index);

    // Player 0 means every player.
    void RecalcRelations(int32_t player);
    void RecalcCivils();
    void RecalcMainBuildings();
    static bool IsMoneyBuilding(int32_t buildingType);

    // The settlement a new building at (x, y) belongs to: the live settlement with a main
    // building nearest to the cell (squared distance; on a tie the lower index), or 0.
    int32_t NearestSettlement(int32_t x, int32_t y) const;

    // Writes the game-data file crash-safely (the previous file stays intact on failure).
    // Raises IoError when the file cannot be written.
    void SaveToFile(const std::string& path);
    // The file's bytes as SaveToFile writes them (it recalculates and trims first, too).
    std::vector<uint8_t> SaveToBytes();
    // Reads a game-data file. Records whose map cell does not link back to them are loaded as
    // dead; without a map that check is skipped. Returns false, after a message and with the
    // store untouched, for another version, a damaged or impossible file or one that cannot be
    // read.
    bool LoadFromFile(const std::string& path, const tMapa* map);
    bool LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& path,
                       const tMapa* map);

  private:
    bool ShowEditor(int kind, int32_t index);

    EditorDialogs* editors_ = nullptr;
    Random ownRandom_;
    Random* random_ = &ownRandom_;
};

// The first item whose text contains the decimal form of the value, or "".
std::string FindItemByNumber(int32_t value, const std::vector<std::string>& items);
// The number a chosen item stands for: the first run of digits in its text, 0 without one.
int32_t ItemNumber(std::string_view text);

}  // namespace tess
