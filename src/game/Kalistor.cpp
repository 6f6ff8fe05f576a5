// The game-data store: records, defaults of new records, editors and recalculations.
#include "game/Kalistor.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "game/GameTables.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

enum EditorKind { kPlayerEditor, kSettlementEditor, kBuildingEditor, kUnitEditor };

constexpr int32_t kBlue = 255 * 65536;
constexpr int32_t kRed = 255;

// The first index from 1 upward whose record is not live, cleared to zero bytes; 0 (after a
// message) when every index up to the limit is taken.
template <typename Record, size_t N>
int32_t TakeFreeIndex(std::array<Record, N>& records, const char* what) {
    const int32_t limit = static_cast<int32_t>(N) - 1;
    int32_t index = 1;
    while (index <= limit && records[static_cast<size_t>(index)].Used == 1)
        ++index;
    if (index > limit) {
        Ui().MessageBox(std::string("Nelze přidat ") + what + ": je jich již " +
                            std::to_string(limit) + ", víc jich mapa mít nemůže.",
                        Buttons::Ok);
        return 0;
    }
    ZeroRecord(records[static_cast<size_t>(index)]);
    return index;
}

template <size_t N>
bool InRange(int32_t index) {
    return index >= 1 && static_cast<size_t>(index) < N;
}

}  // namespace

tKalistor::tKalistor() {
    Clear();
}

void tKalistor::Clear() {
    PlayerCount = SettlementCount = BuildingCount = UnitCount = 0;
    for (tPlayerRec& r : Players)
        ZeroRecord(r);
    for (tSettlementRec& r : Settlements)
        ZeroRecord(r);
    for (tBuildingRec& r : Buildings)
        ZeroRecord(r);
    for (tUnitRec& r : Units)
        ZeroRecord(r);
}

bool tKalistor::ShowEditor(int kind, int32_t index) {
    if (!editors_) return false;
    switch (kind) {
        case kPlayerEditor:
            return editors_->EditPlayer(*this, index, Players[static_cast<size_t>(index)]);
        case kSettlementEditor:
            return editors_->EditSettlement(*this, index, Settlements[static_cast<size_t>(index)]);
        case kBuildingEditor:
            return editors_->EditBuilding(*this, index, Buildings[static_cast<size_t>(index)]);
        case kUnitEditor:
            return editors_->EditUnit(*this, index, Units[static_cast<size_t>(index)]);
    }
    return false;
}

// --- players -----------------------------------------------------------------------------------

int32_t tKalistor::AddPlayer() {
    const int32_t index = TakeFreeIndex(Players, "dalšího hráče");
    if (index == 0) return 0;
    tPlayerRec& p = Players[static_cast<size_t>(index)];
    p.Name.Set(Utf8ToCp1250("Nový hráč"));
    p.IdRasa = 1;
    p.RidiPocitac = 1;
    p.Povaha = 1;
    p.Penize = 100;
    p.Barva = index == 1 ? kBlue : kRed;
    p.Surovina = 50;
    std::fill(std::begin(p.Vztah), std::end(p.Vztah), kEnemy);
    p.Vztah[index] = kAlly;
    std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 2);
    std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
    std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);

    const bool accepted = ShowEditor(kPlayerEditor, index);
    if (accepted) {
        p.Used = 1;
        PlayerCount = std::max(PlayerCount, index);
    }
    RecalcRelations(index);
    return accepted ? index : 0;
}

bool tKalistor::EditPlayer(int32_t index) {
    return InRange<kMaxPlayers + 1>(index) && ShowEditor(kPlayerEditor, index);
}

void tKalistor::RecalcRelations(int32_t player) {
    const int32_t count = std::clamp(PlayerCount, 0, kMaxPlayers);
    for (int32_t q = 1; q <= count; ++q) {
        if (player != 0 && q != player) continue;
        tPlayerRec& pq = Players[static_cast<size_t>(q)];
        if (pq.RidiPocitac != 0 && pq.Povaha == kNeutral) {
            for (int32_t r = 1; r <= count; ++r) {
                pq.Vztah[r] = kNeutral;
                Players[static_cast<size_t>(r)].Vztah[q] = kNeutral;
            }
        } else if (pq.RidiPocitac != 0 && pq.Povaha == kAlly) {
            // The first player that a person plays, live or not.
            for (int32_t r = 1; r <= kMaxPlayers; ++r) {
                if (Players[static_cast<size_t>(r)].RidiPocitac != 0) continue;
                pq.Vztah[r] = kAlly;
                Players[static_cast<size_t>(r)].Vztah[q] = kAlly;
                break;
            }
        }
        pq.Vztah[q] = kAlly;
    }
}

// --- settlements -------------------------------------------------------------------------------

int32_t tKalistor::AddSettlement(int32_t buildingType) {
    namespace f = building_fields;
    const int32_t index = TakeFreeIndex(Settlements, "další usedlost");
    if (index == 0) return 0;
    tSettlementRec& s = Settlements[static_cast<size_t>(index)];
    s.Name.Set(Utf8ToCp1250("Nové město"));
    if (const auto type = FindBuildingType(buildingType, f::Race | f::UseFlags)) {
        s.IdRasa = type->IdRace;
        // The last of the three flags that is set decides.
        if (type->UseOsada) s.Usedlost = kOsada;
        if (type->UseVes) s.Usedlost = kVesnice;
        if (type->UseMesto) s.Usedlost = kMesto;
    }
    s.IdPlayer = 0;
    s.HlavniBudova = 0;
    if (!EditSettlement(index)) {
        s.Used = 0;
        return 0;
    }
    s.Used = 1;
    SettlementCount = std::max(SettlementCount, index);
    return index;
}

bool tKalistor::EditSettlement(int32_t index) {
    if (!InRange<kMaxSettlements + 1>(index)) return false;
    RecalcCivils();
    return ShowEditor(kSettlementEditor, index);
}

void tKalistor::RecalcCivils() {
    namespace f = building_fields;
    GameTable table(tables::kBuilding);
    const int32_t settlements = std::clamp(SettlementCount, 0, kMaxSettlements);
    const int32_t buildings = std::clamp(BuildingCount, 0, kMaxBuildings);
    std::array<int64_t, kMaxSettlements + 1> sums{};
    std::unordered_map<int32_t, int32_t> civilsOfType;  // many buildings share a type
    for (int32_t b = 1; b <= buildings; ++b) {
        const tBuildingRec& rec = Buildings[static_cast<size_t>(b)];
        if (rec.Used != 1 || rec.IdTouwn < 1 || rec.IdTouwn > settlements) continue;
        auto known = civilsOfType.find(rec.IdBuilding);
        if (known == civilsOfType.end()) {
            const int32_t civils =
                table.FindId(rec.IdBuilding) ? ReadBuildingType(table, f::Civils).Civils : 0;
            known = civilsOfType.emplace(rec.IdBuilding, civils).first;
        }
        sums[static_cast<size_t>(rec.IdTouwn)] += known->second;
    }
    for (int32_t s = 1; s <= settlements; ++s) {
        tSettlementRec& rec = Settlements[static_cast<size_t>(s)];
        // The sum wraps like the 32-bit field it is kept in.
        if (rec.Used == 1) rec.Civils = static_cast<int32_t>(static_cast<uint32_t>(sums[s]));
    }
}

void tKalistor::RecalcMainBuildings() {
    namespace f = building_fields;
    GameTable table(tables::kBuilding);
    const int32_t settlements = std::clamp(SettlementCount, 0, kMaxSettlements);
    const int32_t buildings = std::clamp(BuildingCount, 0, kMaxBuildings);
    for (int32_t s = 0; s <= settlements; ++s)
        Settlements[static_cast<size_t>(s)].HlavniBudova = 0;
    // In ascending order, so the last main building of a settlement is the one that stays.
    std::unordered_map<int32_t, bool> mainType;
    for (int32_t b = 0; b <= buildings; ++b) {
        const tBuildingRec& rec = Buildings[static_cast<size_t>(b)];
        if (rec.Used != 1 || rec.IdTouwn < 0 || rec.IdTouwn > settlements) continue;
        auto known = mainType.find(rec.IdBuilding);
        if (known == mainType.end()) {
            const bool main =
                table.FindId(rec.IdBuilding) && ReadBuildingType(table, f::Tag).IsMainBuilding();
            known = mainType.emplace(rec.IdBuilding, main).first;
        }
        if (known->second) Settlements[static_cast<size_t>(rec.IdTouwn)].HlavniBudova = b;
    }
}

int32_t tKalistor::NearestSettlement(int32_t x, int32_t y) const {
    int32_t best = 0;
    int64_t bestDistance = 0;
    const int32_t settlements = std::clamp(SettlementCount, 0, kMaxSettlements);
    for (int32_t s = 1; s <= settlements; ++s) {
        const tSettlementRec& rec = Settlements[static_cast<size_t>(s)];
        if (rec.Used != 1 || rec.HlavniBudova < 1 || rec.HlavniBudova > kMaxBuildings) continue;
        const tBuildingRec& main = Buildings[static_cast<size_t>(rec.HlavniBudova)];
        const int64_t dx = int64_t(main.X) - x;
        const int64_t dy = int64_t(main.Y) - y;
        const int64_t distance = dx * dx + dy * dy;
        if (best == 0 || distance < bestDistance) {
            best = s;
            bestDistance = distance;
        }
    }
    return best;
}

// --- buildings ---------------------------------------------------------------------------------

int32_t tKalistor::AddBuilding(int32_t buildingType, int32_t objectNumber, int32_t settlement) {
    const int32_t index = TakeFreeIndex(Buildings, "další budovu");
    if (index == 0) return 0;
    tBuildingRec& b = Buildings[static_cast<size_t>(index)];
    b.IdBuilding = buildingType;
    b.IdObject = objectNumber;
    b.IdTouwn = settlement;
    b.ProcVystavby = 100;
    b.ProcZivotu = 100;
    if (const auto type = FindBuildingType(buildingType, building_fields::Influence))
        b.Pozorovatel = type->IdVliv == 4 ? 1 : 0;
    if (!EditNewBuildings && !EditBuilding(index)) {
        b.Used = 0;
        return 0;
    }
    b.Used = 1;
    BuildingCount = std::max(BuildingCount, index);
    return index;
}

bool tKalistor::EditBuilding(int32_t index) {
    return InRange<kMaxBuildings + 1>(index) && ShowEditor(kBuildingEditor, index);
}

bool tKalistor::IsMoneyBuilding(int32_t buildingType) {
    return std::find(kMoneyBuildings.begin(), kMoneyBuildings.end(), buildingType) !=
           kMoneyBuildings.end();
}

// --- units -------------------------------------------------------------------------------------

int32_t tKalistor::AddUnit(int32_t personType, int32_t objectNumber, int32_t x, int32_t y) {
    namespace f = person_fields;
    const int32_t index = TakeFreeIndex(Units, "další jednotku");
    if (index == 0) return 0;
    tUnitRec& u = Units[static_cast<size_t>(index)];
    u.IdPerson = personType;
    u.IdObject = objectNumber;
    u.X = x;
    u.Y = y;
    u.IdPlayer = LastPlayer;
    u.AI = LastAI;
    u.Smer = LastSmer;
    u.AIEnabled = LastAIEnabled;
    u.Tag = 0;
    u.StaryZaznam = -1;
    u.PatrolaX = u.PatrolaY = 0;
    u.Neviditelny = 0;
    const auto type =
        FindPersonType(personType, f::Name | f::Human | f::Race | f::Visibility | f::Influence);
    if (type) {
        u.Name.Set(type->Name);
        u.UtoC = u.ObrC = u.Zivoty = -1;
        u.ProcZivotu = 100;
        u.Neviditelny = type->NoVisible ? 1 : 0;
        if (type->IdVliv == 4) u.Pozorovatel = 1;
        if (type->TypHuman) {
            if (const auto name = DrawUnitName(*random_, type->IdRace)) u.Name.Set(*name);
        }
    }
    if (!EditUnit(index)) {
        u.Used = 0;
        return 0;
    }
    UnitCount = std::max(UnitCount, index);
    return index;
}

bool tKalistor::EditUnit(int32_t index) {
    if (!InRange<kMaxUnits + 1>(index) || !ShowEditor(kUnitEditor, index)) return false;
    tUnitRec& u = Units[static_cast<size_t>(index)];
    // Computed wide and wrapped to 32 bits, so odd values typed into the editor cannot overflow.
    u.IdObject = static_cast<int32_t>(
        static_cast<uint32_t>(int64_t(u.IdObject) / 50 * 50 + int64_t(u.Smer)));
    u.Used = 1;
    LastSmer = u.Smer;
    LastPlayer = u.IdPlayer;
    LastAI = u.AI;
    LastAIEnabled = u.AIEnabled;
    return true;
}

// --- lists -------------------------------------------------------------------------------------

std::string FindItemByNumber(int32_t value, const std::vector<std::string>& items) {
    const std::string number = std::to_string(value);
    for (const std::string& item : items)
        if (item.find(number) != std::string::npos) return item;
    return {};
}

int32_t ItemNumber(std::string_view text) {
    return GetNumber(text, 1);
}

}  // namespace tess
