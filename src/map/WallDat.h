// Walls: the picture of one wall kind and the choice of the piece a wall block shows.
#pragma once

#include <cstdint>
#include <string>

#include "resources/Surface.h"

namespace tess {

class tMapa;

constexpr int kWallKinds = 16;
constexpr int kWallPieceWidth = 64;
constexpr int kWallPieceHeight = 80;
constexpr int kWallPieceOffsetX = -16;  // from the bottom cell's tile corner
constexpr int kWallPieceOffsetY = -64;
constexpr int kWallEndShiftNear = 198;  // end pictures of pieces 0 and 2
constexpr int kWallEndShiftFar = 231;

// PickPiece results.
constexpr int kWallPieceDrawn = 0;
constexpr int kWallNotWall = 1;
constexpr int kWallNothing = 255;

// The picture of wall kind 1..16 under a zoom directory: dir + "WALL/zed01.bmp" ...
std::string WallPictureName(const std::string& zoomDirectory, int kind);

// The neighbourhood key of a wall cell: for directions 0..7 the cell two steps away (each step
// clamped) gives two bits, 00 for a wall and 01 for anything else; direction 0 is bits 15-14.
uint16_t WallKey(const tMapa& map, int32_t x, int32_t y);

// The picture row of a wall-piece number: 0..3 for pieces 0..3, 4..7 for pieces 8..11, -1 for
// the pieces that have no picture (4..7, above 11, 255).
int WallPictureRow(int piece);

// Where a wall piece comes from in the picture and where it goes relative to the cell's tile
// corner.
struct WallPiece {
    SurfaceRect Source;
    int32_t OffsetX = kWallPieceOffsetX;
    int32_t OffsetY = kWallPieceOffsetY;
};

// One wall kind: its picture (magenta transparent) and the map whose walls it draws.
class tWall {
  public:
    // Reads the bitmap when the archive or the disk has it; a missing file leaves the picture
    // empty (nothing shows for the kind), a damaged one is reported and leaves it empty too.
    void Create(const tMapa& map, const std::string& fileName);

    // For the wall cell (x, y): kWallPieceDrawn with the piece, kWallNotWall when the cell is
    // not a wall, kWallNothing when the block shows nothing (surrounded by walls, or the table
    // gives no picture row). The rectangle is column Variant, picture row of the piece. Pieces 0
    // and 2 look along direction 0 and 6 respectively: when the cell two steps on is not a wall
    // the rectangle moves 231 pixels right, when it is but the cell three steps on is not, 198.
    // Costs at most 21 clamped steps and one table read: cheap enough for every frame.
    int PickPiece(int32_t x, int32_t y, WallPiece& piece) const;

    tSurface Picture;
    const tMapa* Map = nullptr;
};

}  // namespace tess
