// Walls of the demo game: the wall-piece table "DATA\teren.dat" (which piece each neighbourhood
// key selects) and the pictures "WALL/zed01.bmp" .. "zed16.bmp" drawn to match it.
//
// Design (see README.md in this folder): a wall block is a box of rock one block wide and 48
// pixels tall with a black top, the same black that fills the inside of a wall mass. Only the
// faces towards open ground in front (south-east and south-west) are drawn textured; the back
// edges towards open ground behind get a lit rim. Blocks with no open neighbour along the two
// diamond axes draw nothing: their neighbours' boxes already cover everything they would show.
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"
#include "map/WallDat.h"

namespace tess::demo {

// The piece size, the kinds, the picture rows of the pieces (WallPictureRow) and the shifts of
// the end pieces are the wall model's. The end pieces are drawn kWallEndShiftFar to the right of
// the normal piece of the same variant, so the picture is wide enough for variant 3's end piece.
constexpr int kWallPictureWidth = 65 * 3 + 1 + kWallEndShiftFar + kWallPieceWidth;  // 491
constexpr int kWallPictureHeight = 81 * 8 + 1;                                      // 649
constexpr Rgba kWallKey = kMagenta;

// What each piece shows.
enum WallPiece : uint8_t {
    kFaceSouthEastEnd = 0,  // face towards SE; its NE end (the end rectangle is always used)
    kCornerSouth = 1,       // faces towards SE and SW: the south corner, or a lone pillar
    kFaceSouthWestEnd = 2,  // face towards SW; its NW end
    kFaceSouthEast = 3,     // face towards SE, the run going on to the NE
    kFaceSouthWest = 8,     // face towards SW, the run going on to the NW
    kRimNorthEast = 9,      // open ground behind, beyond the NE edge
    kRimNorthWest = 10,     // open ground behind, beyond the NW edge
    kRimNorth = 11,         // open ground beyond both back edges: the north corner
    kNothing = 255,
};

// Whether the two key bits of direction d (0..7) say "not a wall".
inline bool KeyOpen(uint16_t key, int d) {
    return ((key >> (2 * (7 - d))) & 3) != 0;
}
uint8_t WallPieceFor(uint16_t key);
// The 65,536-byte table, index = key.
std::vector<uint8_t> MakeWallPieceTable();

const char* WallKindCaption(int kind);  // UTF-8, as the wall menu shows it
// The picture of wall kind 1..16: 491 x 649, transparent = magenta, at most 16 colours.
Canvas MakeWallPicture(int kind);

}  // namespace tess::demo
