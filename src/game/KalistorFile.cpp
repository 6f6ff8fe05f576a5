// The game-data file: players, settlements, buildings and units written field by field.
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "game/GameTables.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// Field widths of each record in the file, in file order.
constexpr int kPlayerWidths[] = {1, 31, 4, 1, 4, 4, 4, 4, 4, 101, 1001, 1001, 4, 4, 4, 4, 4, 501};
constexpr int kSettlementWidths[] = {1, 31, 4, 4, 4, 4, 4, 4, 4};
constexpr int kBuildingWidths[] = {1, 4, 4, 4, 4, 4, 1, 4, 1, 1, 1};
constexpr int kUnitWidths[] = {1, 4, 4, 4, 4, 4, 31, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 1, 1, 1};

// Far above the largest file the limits allow (about 1.5 MB); anything bigger is not ours.
constexpr uint64_t kLargestFile = 64 << 20;

struct SectionShape {
    const char* noun;  // Czech genitive plural for messages
    int32_t limit;
    std::span<const int> widths;
};

const SectionShape kSections[] = {
    {"hráčů", kMaxPlayers, kPlayerWidths},
    {"usedlostí", kMaxSettlements, kSettlementWidths},
    {"budov", kMaxBuildings, kBuildingWidths},
    {"jednotek", kMaxUnits, kUnitWidths},
};

// A stored record size this build can read: the end of one of its fields (an older, shorter
// layout) or at least all of them (the bytes beyond the known fields are skipped).
bool ReadableRecordSize(std::span<const int> widths, int32_t size) {
    int32_t end = 0;
    for (int w : widths) {
        end += w;
        if (size == end) return true;
    }
    return size > end;
}

// Checks counts and record sizes against the file before anything is read into the store;
// "" when the file's shape is sound, else why it is not.
std::string CheckShape(const std::vector<uint8_t>& bytes) {
    ByteReader in(bytes);
    in.Skip(8);
    for (const SectionShape& section : kSections) {
        if (in.Remaining() < 8) return std::string("končí před záznamy ") + section.noun;
        const int32_t count = in.I32();
        const int32_t size = in.I32();
        if (count < 0 || count > section.limit)
            return std::string("počet ") + section.noun + " " + std::to_string(count) +
                   " je mimo 0.." + std::to_string(section.limit);
        if (count == 0) continue;
        if (!ReadableRecordSize(section.widths, size))
            return std::string("délka záznamu ") + section.noun + " " + std::to_string(size) +
                   " nemá žádný známý tvar";
        const uint64_t needed = uint64_t(count) * uint64_t(size);
        if (needed > in.Remaining()) return std::string("končí uprostřed záznamů ") + section.noun;
        in.Skip(static_cast<size_t>(needed));
    }
    return {};
}

// Building and person type numbers index the players' permission arrays (StavBudov,
// StavJednotek), so every record that names one outside them, live or not, refuses the file.
// Runs on a file whose shape CheckShape accepted; "" when every type fits, else why not.
std::string CheckTypeNumbers(const std::vector<uint8_t>& bytes) {
    struct Types {
        const char* noun;  // Czech, for the message
        int32_t states;
    };
    const Types kTyped[] = {{"budova", kBuildingStates}, {"jednotka", kUnitStates}};
    ByteReader in(bytes);
    in.Skip(8);
    for (int section = 0; section < 4; ++section) {
        const int32_t count = in.I32();
        const int32_t size = in.I32();
        const size_t start = in.Position();
        // The type follows the Used byte in building and unit records alike.
        if (section >= 2 && count > 0 && size >= 5) {
            const Types& typed = kTyped[section - 2];
            for (int32_t i = 0; i < count; ++i) {
                in.Seek(start + size_t(i) * size_t(size) + 1);
                const int32_t type = in.I32();
                if (type < 0 || type >= typed.states)
                    return std::string(typed.noun) + " " + std::to_string(i + 1) + " má typ " +
                           std::to_string(type) + " mimo 0.." + std::to_string(typed.states - 1);
            }
        }
        in.Seek(start + (count > 0 ? size_t(count) * size_t(size) : 0));
    }
    return {};
}

// Reads the fields of one record while the bytes read so far are fewer than the stored record
// size; each read says whether the field was there.
class RecordFields {
  public:
    RecordFields(ByteReader& in, int32_t size) : in_(in), start_(in.Position()), size_(size) {}

    bool More() const { return in_.Position() - start_ < static_cast<size_t>(size_); }
    bool U8(uint8_t& v) {
        if (!More()) return false;
        v = in_.U8();
        return true;
    }
    bool I32(int32_t& v) {
        if (!More()) return false;
        v = in_.I32();
        return true;
    }
    bool Bytes(uint8_t* p, size_t count) {
        if (!More()) return false;
        in_.Bytes(p, count);
        return true;
    }
    bool Name(ShortString& s) {
        if (!More()) return false;
        s.Length = in_.U8();
        in_.Bytes(s.Text, sizeof s.Text);
        return true;
    }
    // Skips what a longer layout keeps beyond the known fields.
    void Finish() {
        const size_t end = start_ + static_cast<size_t>(size_);
        if (in_.Position() < end) in_.Seek(end);
    }

  private:
    ByteReader& in_;
    size_t start_;
    int32_t size_;
};

void WriteName(ByteWriter& out, const ShortString& s) {
    out.U8(s.Length);
    out.Bytes(s.Text, sizeof s.Text);
}

void ReadPlayer(ByteReader& in, int32_t size, tPlayerRec& p, bool& relationsMissing) {
    ZeroRecord(p);
    std::fill(std::begin(p.Vztah), std::end(p.Vztah), 1);
    std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 2);
    std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
    std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);
    RecordFields r(in, size);
    r.U8(p.Used);
    r.Name(p.Name);
    r.I32(p.IdRasa);
    r.U8(p.RidiPocitac);
    r.I32(p.Povaha);
    r.I32(p.Penize);
    r.I32(p.Barva);
    r.I32(p.Surovina);
    r.I32(p.Tag);
    if (!r.Bytes(p.Vztah, sizeof p.Vztah)) relationsMissing = true;
    r.Bytes(p.StavVynalezu, sizeof p.StavVynalezu);
    r.Bytes(p.StavBudov, sizeof p.StavBudov);
    r.I32(p.MaxDelniku);
    r.I32(p.MaxBuild);
    r.I32(p.MaxVojaku);
    r.I32(p.MinSkupinka);
    r.I32(p.MaxSkupinka);
    r.Bytes(p.StavJednotek, sizeof p.StavJednotek);
    r.Finish();
    // A zero is no state: older files stored nothing there (entry 0 stays as read).
    for (int i = 1; i < kUpgradeStates; ++i)
        if (p.StavVynalezu[i] == 0) p.StavVynalezu[i] = 2;
    for (int i = 1; i < kBuildingStates; ++i)
        if (p.StavBudov[i] == 0) p.StavBudov[i] = 3;
    for (int i = 1; i < kUnitStates; ++i)
        if (p.StavJednotek[i] == 0) p.StavJednotek[i] = 3;
}

void ReadSettlement(ByteReader& in, int32_t size, tSettlementRec& s) {
    ZeroRecord(s);
    RecordFields r(in, size);
    r.U8(s.Used);
    r.Name(s.Name);
    r.I32(s.IdRasa);
    r.I32(s.IdPlayer);
    r.I32(s.HlavniBudova);
    r.I32(s.Civils);
    r.I32(s.Rezerva);
    r.I32(s.Usedlost);
    r.I32(s.Tag);
    r.Finish();
}

// A record links back when the cell at its place carries its index.
bool LinksBack(const tMapa* map, int32_t x, int32_t y, int32_t index) {
    return map == nullptr || map->Cell(x, y).Id() == index;
}

// The game tables a load needs only for records of older, shorter layouts: opened the first
// time such a record asks.
class LoadTables {
  public:
    std::optional<BuildingType> Building(int32_t id) {
        if (!buildings_) buildings_.emplace(tables::kBuilding);
        if (!buildings_->FindId(id)) return std::nullopt;
        return ReadBuildingType(*buildings_, building_fields::Influence);
    }
    std::optional<PersonType> Person(int32_t id) {
        if (!persons_) persons_.emplace(tables::kPerson);
        if (!persons_->FindId(id)) return std::nullopt;
        return ReadPersonType(*persons_, person_fields::Visibility | person_fields::Influence);
    }

  private:
    std::optional<GameTable> buildings_;
    std::optional<GameTable> persons_;
};

void ReadBuilding(ByteReader& in, int32_t size, int32_t index, const tMapa* map, LoadTables& tables,
                  tBuildingRec& b) {
    ZeroRecord(b);
    RecordFields r(in, size);
    r.U8(b.Used);
    r.I32(b.IdBuilding);
    r.I32(b.IdObject);
    r.I32(b.IdTouwn);
    r.I32(b.X);
    r.I32(b.Y);
    if (!LinksBack(map, b.X, b.Y, index)) b.Used = 0;
    r.U8(b.ProcVystavby);
    r.I32(b.Tag);
    if (!r.U8(b.ProcZivotu)) b.ProcZivotu = 100;
    if (!r.U8(b.Pozorovatel)) {
        const auto type = tables.Building(b.IdBuilding);
        b.Pozorovatel = type && type->IdVliv == 4 ? 1 : 0;
    }
    r.U8(b.Imortal);
    r.Finish();
}

// Rounds to the nearest whole number (ties to even), kept within 32 bits.
int32_t RoundToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (rounded <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

void ReadUnit(ByteReader& in, int32_t size, int32_t index, const tMapa* map, LoadTables& tables,
              tUnitRec& u) {
    ZeroRecord(u);
    RecordFields r(in, size);
    r.U8(u.Used);
    r.I32(u.IdPerson);
    r.I32(u.IdPlayer);
    r.I32(u.IdObject);
    if (u.IdPerson == 220) u.IdPerson = 28;  // a person type the game retired
    r.I32(u.X);
    r.I32(u.Y);
    if (!LinksBack(map, u.X, u.Y, index)) u.Used = 0;
    r.Name(u.Name);
    r.I32(u.UtoC);
    r.I32(u.ObrC);
    r.I32(u.Zivoty);
    r.I32(u.Tag);
    r.I32(u.AI);
    r.I32(u.StaryZaznam);
    r.I32(u.Smer);
    if (!r.I32(u.ProcZivotu)) u.ProcZivotu = u.Zivoty;
    r.I32(u.PatrolaX);
    r.I32(u.PatrolaY);
    if (!r.U8(u.AIEnabled)) u.AIEnabled = 1;
    if (!r.U8(u.Neviditelny)) {
        const auto type = tables.Person(u.IdPerson);
        u.Neviditelny = type && type->NoVisible ? 1 : 0;
    }
    if (!r.U8(u.Pozorovatel)) {
        const auto type = tables.Person(u.IdPerson);
        u.Pozorovatel = type && type->IdVliv == 4 ? 1 : 0;
    }
    r.U8(u.Imortal);
    r.Finish();
    // Older records kept lives where the health share is now.
    if (u.StaryZaznam != -1) {
        if (u.ProcZivotu != 0) u.ProcZivotu = RoundToInt32(double(u.Zivoty) / u.ProcZivotu * 100);
        u.StaryZaznam = -1;
    }
}

}  // namespace

std::vector<uint8_t> tKalistor::SaveToBytes() {
    RecalcCivils();
    RecalcMainBuildings();

    ByteWriter out;
    out.Data().reserve(16 + size_t(PlayerCount) * kPlayerFileRecord + 24 +
                       size_t(SettlementCount) * kSettlementFileRecord +
                       size_t(BuildingCount) * kBuildingFileRecord +
                       size_t(UnitCount) * kUnitFileRecord);
    out.F64(kSavFileVersion);
    out.I32(PlayerCount);
    out.I32(kPlayerFileRecord);
    for (int32_t i = 1; i <= PlayerCount; ++i) {
        const tPlayerRec& p = Players[static_cast<size_t>(i)];
        out.U8(p.Used);
        WriteName(out, p.Name);
        out.I32(p.IdRasa);
        out.U8(p.RidiPocitac);
        out.I32(p.Povaha);
        out.I32(p.Penize);
        out.I32(p.Barva);
        out.I32(p.Surovina);
        out.I32(p.Tag);
        out.Bytes(p.Vztah, sizeof p.Vztah);
        out.Bytes(p.StavVynalezu, sizeof p.StavVynalezu);
        out.Bytes(p.StavBudov, sizeof p.StavBudov);
        out.I32(p.MaxDelniku);
        out.I32(p.MaxBuild);
        out.I32(p.MaxVojaku);
        out.I32(p.MinSkupinka);
        out.I32(p.MaxSkupinka);
        out.Bytes(p.StavJednotek, sizeof p.StavJednotek);
    }

    // Dead settlements at the top are dropped for good.
    while (SettlementCount >= 1 && Settlements[static_cast<size_t>(SettlementCount)].Used != 1)
        --SettlementCount;
    out.I32(SettlementCount);
    out.I32(kSettlementFileRecord);
    for (int32_t i = 1; i <= SettlementCount; ++i) {
        const tSettlementRec& s = Settlements[static_cast<size_t>(i)];
        out.U8(s.Used);
        WriteName(out, s.Name);
        out.I32(s.IdRasa);
        out.I32(s.IdPlayer);
        out.I32(s.HlavniBudova);
        out.I32(s.Civils);
        out.I32(s.Rezerva);
        out.I32(s.Usedlost);
        out.I32(s.Tag);
    }

    out.I32(BuildingCount);
    out.I32(kBuildingFileRecord);
    for (int32_t i = 1; i <= BuildingCount; ++i) {
        const tBuildingRec& b = Buildings[static_cast<size_t>(i)];
        out.U8(b.Used);
        out.I32(b.IdBuilding);
        out.I32(b.IdObject);
        out.I32(b.IdTouwn);
        out.I32(b.X);
        out.I32(b.Y);
        out.U8(b.ProcVystavby);
        out.I32(b.Tag);
        out.U8(b.ProcZivotu);
        out.U8(b.Pozorovatel);
        out.U8(b.Imortal);
    }

    out.I32(UnitCount);
    out.I32(kUnitFileRecord);
    for (int32_t i = 1; i <= UnitCount; ++i) {
        const tUnitRec& u = Units[static_cast<size_t>(i)];
        out.U8(u.Used);
        out.I32(u.IdPerson);
        out.I32(u.IdPlayer);
        out.I32(u.IdObject);
        out.I32(u.X);
        out.I32(u.Y);
        WriteName(out, u.Name);
        for (int32_t v : {u.UtoC, u.ObrC, u.Zivoty, u.Tag, u.AI, u.StaryZaznam, u.Smer,
                          u.ProcZivotu, u.PatrolaX, u.PatrolaY})
            out.I32(v);
        out.U8(u.AIEnabled);
        out.U8(u.Neviditelny);
        out.U8(u.Pozorovatel);
        out.U8(u.Imortal);
    }
    return std::move(out.Data());
}

void tKalistor::SaveToFile(const std::string& path) {
    WriteFileAtomically(ResolveDiskPath(path), SaveToBytes());
}

bool tKalistor::LoadFromFile(const std::string& path, const tMapa* map) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadDiskFile(path, kLargestFile);
    } catch (const IoError& e) {
        Ui().MessageBox(std::string("Herní data nelze načíst: ") + e.what() + ".", Buttons::Ok);
        return false;
    }
    return LoadFromBytes(bytes, path, map);
}

bool tKalistor::LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& path,
                              const tMapa* map) {
    if (bytes.size() < 8) {
        Ui().MessageBox("Soubor \"" + path + "\" je poškozený: je kratší než číslo verze.",
                        Buttons::Ok);
        return false;
    }
    ByteReader in(bytes);
    const double version = in.F64();
    if (version != kSavFileVersion) {
        Ui().MessageBox("soubor \"" + path + "\" je verze " + FormatFixed2(version) + "\r" +
                            "Tessarine je verze " + FormatFixed2(kSavFileVersion),
                        Buttons::Ok);
        return false;
    }
    std::string why = CheckShape(bytes);
    if (why.empty()) why = CheckTypeNumbers(bytes);
    if (!why.empty()) {
        Ui().MessageBox("Soubor \"" + path + "\" je poškozený: " + why + ".", Buttons::Ok);
        return false;
    }

    // The shape is sound, so from here on every read stays inside the bytes.
    Clear();
    LoadTables tables;
    bool relationsMissing = false;

    PlayerCount = in.I32();
    int32_t size = in.I32();
    for (int32_t i = 1; i <= PlayerCount; ++i)
        ReadPlayer(in, size, Players[static_cast<size_t>(i)], relationsMissing);

    SettlementCount = in.I32();
    size = in.I32();
    for (int32_t i = 1; i <= SettlementCount; ++i)
        ReadSettlement(in, size, Settlements[static_cast<size_t>(i)]);

    BuildingCount = in.I32();
    size = in.I32();
    for (int32_t i = 1; i <= BuildingCount; ++i)
        ReadBuilding(in, size, i, map, tables, Buildings[static_cast<size_t>(i)]);

    UnitCount = in.I32();
    size = in.I32();
    for (int32_t i = 1; i <= UnitCount; ++i)
        ReadUnit(in, size, i, map, tables, Units[static_cast<size_t>(i)]);

    if (relationsMissing) RecalcRelations(0);
    return true;
}

}  // namespace tess
