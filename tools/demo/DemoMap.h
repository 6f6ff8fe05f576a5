// The demo map: a landscape of plains, hills, a lake with a swamp, snowy mountains with caves
// and a little lava, a desert with an oasis, forests of every kind, ruins, and the settlements of
// four peoples plus the wild beasts, as plain data (see README.md for the layout).
#pragma once

#include "MapDesign.h"

namespace tess::demo {

// The recommended size: the new-map dialog's default 256 columns by 512 rows (square on the
// ground, since two rows make one row of diamonds).
constexpr int kDemoMapWidth = 256, kDemoMapHeight = 512;

// Deterministic for a given size. Sizes from 128 x 128 up work; the layout scales with the map.
MapDesign DesignDemoMap(int width = kDemoMapWidth, int height = kDemoMapHeight);

// The footprint cells of an object type anchored at a cell (the front cell): Size_RT rows
// along direction 0, each Size_LT cells along direction 6.
std::vector<Cell> FootprintCells(Cell anchor, int sizeRT, int sizeLT);

// Terrain slots of the default terrain list used by the demo map.
enum TerrainSlot : uint8_t {
    kSkala = 0,
    kPoust,
    kHlinaK,
    kKameniB,
    kKameniT,
    kTrava,
    kTravaS,
    kLes,
    kBazina,
    kSnih,
    kPath,
    kCobbles,
    kShallow,
    kDeep,
    kLava,
};

}  // namespace tess::demo
