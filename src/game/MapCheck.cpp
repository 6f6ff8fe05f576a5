// The map check: findings over the map grid and the game data, and the deposit anchor search.
#include "game/MapCheck.h"

#include <algorithm>

#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr int kDepositSearchSteps = 1000;

bool IsFootprint(const tMapCell& cell) {
    return cell.Occupancy() == 1;
}

bool SameObject(const tMapCell& a, const tMapCell& b) {
    return a.Id() == b.Id() && a.LinkKind() == b.LinkKind();
}

}  // namespace

std::string FindingText(int code) {
    switch (code) {
        case kFindingNoPlayer:
            return "Není založen žádný hráč.";
        case kFindingNoSettlement:
            return "Není založena žádná usedlost.";
        case kFindingSettlementWithoutPlayer:
            return "Usedlost nemá vyplněného hráče.";
        case kFindingBuildingWithoutSettlement:
            return "Budova nemá vyplňenou usedlost.";
        case kFindingUnitWithoutPlayer:
            return "Jednotka nepatří žádnému hráči.";
        case kFindingMineWithoutAmount:
            return "Důl nemá vyplněn počet suroviny.";
        case kFindingTooFewPlayers:
            return "Musí být založeni alespoň dva hráči!";
    }
    return {};
}

std::string CheckFinding::Line() const {
    std::string line = Text();
    if (X != 0 && Y != 0) line += " [" + std::to_string(X) + "," + std::to_string(Y) + "]";
    return line;
}

std::optional<TPoint> FindDepositAnchor(const tMapa& map, int32_t x, int32_t y) {
    map.ClampPoint(x, y);
    TPoint at{x, y};
    // An anchor is where the search ends; starting on one must not wander onto a neighbouring
    // deposit of the same kind.
    for (int step = 0; step < kDepositSearchSteps; ++step) {
        const tMapCell& here = map.Cell(at.X, at.Y);
        if (!IsFootprint(here)) return at;
        const TPoint downRight = map.Neighbour(at.X, at.Y, kDirDownRight);
        const TPoint downLeft = map.Neighbour(at.X, at.Y, kDirDownLeft);
        TPoint next = at;
        if (downRight != at && SameObject(map.Cell(downRight.X, downRight.Y), here))
            next = downRight;
        else if (downLeft != at && SameObject(map.Cell(downLeft.X, downLeft.Y), here))
            next = downLeft;
        if (next == at) return std::nullopt;  // the footprint does not lead anywhere
        at = next;
    }
    return std::nullopt;
}

bool tMapCheck::IsLivePlayer(int32_t index) const {
    return index >= 1 && index <= std::min(store_.PlayerCount, kMaxPlayers) &&
           store_.Players[static_cast<size_t>(index)].Used == 1;
}

bool tMapCheck::IsLiveSettlement(int32_t index) const {
    return index >= 1 && index <= std::min(store_.SettlementCount, kMaxSettlements) &&
           store_.Settlements[static_cast<size_t>(index)].Used == 1;
}

int32_t tMapCheck::PlayerCount() const {
    int32_t count = 0;
    for (int32_t i = 1; i <= kMaxPlayers; ++i)
        count += IsLivePlayer(i) ? 1 : 0;
    return count;
}

int32_t tMapCheck::SettlementCount() const {
    int32_t count = 0;
    for (int32_t i = 1; i <= kMaxSettlements; ++i)
        count += IsLiveSettlement(i) ? 1 : 0;
    return count;
}

int tMapCheck::Check(int what, bool show, CheckProgress* progress) {
    int result = 0;
    switch (what) {
        case kCheckPlayers:
        case kCheckPlayersToo:
            result = PlayerCount() == 0 ? kFindingNoPlayer : 0;
            break;
        case kCheckSettlements:
            result = SettlementCount() == 0 ? kFindingNoSettlement : 0;
            break;
        case kCheckFull:
            FullCheck(progress);
            result = findings_.empty() ? 0 : -1;
            break;
        default:
            break;
    }
    if (show && result != 0)
        Ui().MessageBox(result == -1 ? kCheckFindingsCaption : FindingText(result), Buttons::Ok);
    return result;
}

void tMapCheck::FullCheck(CheckProgress* progress) {
    findings_.clear();
    const int32_t height = std::clamp(map_.Height, 0, kMaxMapSize);
    const int32_t width = std::clamp(map_.Width, 0, kMaxMapSize);
    if (progress) progress->Start(height);

    if (PlayerCount() < 2) Add(kFindingTooFewPlayers);
    for (int32_t s = 1; s <= std::min(store_.SettlementCount, kMaxSettlements); ++s)
        if (IsLiveSettlement(s) &&
            !IsLivePlayer(store_.Settlements[static_cast<size_t>(s)].IdPlayer))
            Add(kFindingSettlementWithoutPlayer);

    // A record index of a cell that lies outside the arrays reads as an empty record: a link
    // that leads nowhere is reported like one that leads to an empty slot.
    tBuildingRec noBuilding;
    ZeroRecord(noBuilding);
    tUnitRec noUnit;
    ZeroRecord(noUnit);

    // The extra column and row are part of the storage the cell operations reach: checked too.
    for (int32_t y = 0; y <= height; ++y) {
        if (progress) progress->Position(y);
        const tMapCell* row = map_.Cells() + tMapa::Index(0, y);
        for (int32_t x = 0; x <= width; ++x) {
            const tMapCell& cell = row[x];
            if (cell.Occupancy() != 2) continue;
            const int32_t id = cell.Id();
            switch (cell.LinkKind()) {
                case 0: {
                    if (id != kGoldDeposit && id != kIronDeposit) break;
                    const std::optional<TPoint> anchor = FindDepositAnchor(map_, x, y);
                    if (!anchor) break;
                    const TPoint amount = map_.Neighbour(anchor->X, anchor->Y, kDirLeft);
                    if (map_.GetId(amount.X, amount.Y) == 0) Add(kFindingMineWithoutAmount, x, y);
                    break;
                }
                case 1: {
                    const tBuildingRec& b = id <= kMaxBuildings
                                                ? store_.Buildings[static_cast<size_t>(id)]
                                                : noBuilding;
                    if (b.IdBuilding == kAmountBuildingType && b.Tag == 0)
                        Add(kFindingMineWithoutAmount, x, y);
                    else if (IsLiveSettlement(b.IdTouwn)) {
                        const int32_t owner =
                            store_.Settlements[static_cast<size_t>(b.IdTouwn)].IdPlayer;
                        if (!IsLivePlayer(owner)) Add(kFindingSettlementWithoutPlayer, x, y);
                    } else {
                        Add(kFindingBuildingWithoutSettlement, x, y);
                    }
                    break;
                }
                case 2: {
                    const tUnitRec& u =
                        id <= kMaxUnits ? store_.Units[static_cast<size_t>(id)] : noUnit;
                    if (!IsLivePlayer(u.IdPlayer)) Add(kFindingUnitWithoutPlayer, x, y);
                    break;
                }
                default:
                    break;
            }
        }
    }
}

bool tMapCheck::OpenFinding(int32_t cellKey) {
    if (cellKey < 0) return false;
    const int32_t x = cellKey % 65536;
    const int32_t y = cellKey / 65536;
    if (!map_.InRange(x, y)) return false;
    const tMapCell& cell = map_.Cell(x, y);
    if (cell.Occupancy() != 2) return false;
    if (cell.LinkKind() == 1) return store_.EditBuilding(cell.Id());
    if (cell.LinkKind() == 2) return store_.EditUnit(cell.Id());
    return false;
}

}  // namespace tess
