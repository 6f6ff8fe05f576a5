// The base clip file that fuzz_clip patches and its seeds aim at.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/Clipboard.h"
#include "map/MapDat.h"

namespace tess::fuzz {

// Where the base clip file keeps what a patch may want to hit: the copy-order index of a cell,
// and the record index its link names.
constexpr int32_t kBaseUnitCell = 0;  // a live unit of player 1
constexpr int32_t kBaseUnit = 3;
constexpr int32_t kBaseBuildingCell = 1;  // a live building of settlement 1
constexpr int32_t kBaseBuilding = 2;
constexpr int32_t kBaseDeadUnitCell = 2;  // a link to a unit record that is not live
constexpr int32_t kBaseDeadUnit = 5;
constexpr int32_t kBaseDepositCell = 7;  // a gold deposit anchor without an amount
constexpr int32_t kBaseRows = 6;
constexpr int32_t kBaseColumns = 6;

// The control bytes that lead a patch input: paste rotation (bits 0-2) and game data (bit 3);
// paste column and row (low and high nibble, in steps of 4 from -8).
constexpr size_t kPatchControlBytes = 2;
// Each patch: a 24-bit little-endian offset into the clip file (taken modulo its size) and the
// byte to put there.
constexpr size_t kPatchBytes = 4;
constexpr size_t kMostPatches = 256;

// A diamond region of 6 x 6 cells copied from a small map with a unit, a building, a stale unit
// link and a deposit in it.
inline std::vector<uint8_t> BuildClipBase() {
    auto map = std::make_unique<tMapa>();
    auto store = std::make_unique<tKalistor>();
    auto clip = std::make_unique<tClipBoard>();
    Random random(5);
    map->Create(32, 32, random, WallTableSource::None);
    std::vector<TPoint> cells;
    WalkClipRegion(12, 20, kBaseRows, kBaseColumns, false, 0, [&](int64_t x, int64_t y, int32_t) {
        cells.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
        return true;
    });
    const auto link = [&](int32_t cell, int kind, int32_t id) {
        const TPoint p = cells[static_cast<size_t>(cell)];
        map->SetOccupancy(p.X, p.Y, 2);
        map->SetLinkKind(p.X, p.Y, kind);
        map->SetId(p.X, p.Y, id);
    };
    tUnitRec& unit = store->Units[kBaseUnit];
    unit.Used = 1;
    unit.IdPlayer = 1;
    unit.IdPerson = 4;
    unit.Name.Set("Fuzz");
    link(kBaseUnitCell, 2, kBaseUnit);
    tBuildingRec& building = store->Buildings[kBaseBuilding];
    building.Used = 1;
    building.IdBuilding = 89;
    building.IdTouwn = 1;
    building.Tag = 40;
    link(kBaseBuildingCell, 1, kBaseBuilding);
    link(kBaseDeadUnitCell, 2, kBaseDeadUnit);
    link(kBaseDepositCell, 0, 232);
    store->UnitCount = kBaseDeadUnit;
    store->BuildingCount = kBaseBuilding;
    clip->Rows = kBaseRows;
    clip->Columns = kBaseColumns;
    clip->Copy(*map, *store, 12, 20);
    return clip->SaveToBytes();
}

}  // namespace tess::fuzz
