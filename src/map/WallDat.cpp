// Walls: the picture of one wall kind and the choice of the piece a wall block shows.
#include "map/WallDat.h"

#include <cstdio>

#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Bitmap.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

bool IsWall(const tMapa& map, TPoint p) {
    return map.Cell(p.X, p.Y).Occupancy() == 3;
}

// The horizontal shift of an end piece looking along `direction` from (x, y).
int EndShift(const tMapa& map, int32_t x, int32_t y, int direction) {
    const TPoint a = map.Neighbour(x, y, direction);
    const TPoint b = map.Neighbour(a.X, a.Y, direction);
    if (!IsWall(map, b)) return kWallEndShiftFar;
    const TPoint d = map.Neighbour(b.X, b.Y, direction);
    return IsWall(map, d) ? 0 : kWallEndShiftNear;
}

}  // namespace

std::string WallPictureName(const std::string& zoomDirectory, int kind) {
    char name[32];
    std::snprintf(name, sizeof name, "WALL/zed%02d.bmp", kind);
    return zoomDirectory + name;
}

uint16_t WallKey(const tMapa& map, int32_t x, int32_t y) {
    unsigned key = 0;
    for (int direction = 0; direction < 8; ++direction) {
        const TPoint one = map.Neighbour(x, y, direction);
        const TPoint two = map.Neighbour(one.X, one.Y, direction);
        key = key << 2 | (IsWall(map, two) ? 0u : 1u);
    }
    return static_cast<uint16_t>(key);
}

int WallPictureRow(int piece) {
    if (piece >= 0 && piece <= 3) return piece;
    if (piece >= 8 && piece <= 11) return piece - 4;
    return -1;
}

void tWall::Create(const tMapa& map, const std::string& fileName) {
    Map = &map;
    Picture = tSurface();
    if (BigFile().FileExists(fileName)) {
        try {
            LoadBitmapToSurface(fileName, Picture);
        } catch (const std::exception& e) {
            ErrorBox(e.what());
            Picture = tSurface();
        }
    }
    Picture.SetTransparentRgb(255, 0, 255);
}

int tWall::PickPiece(int32_t x, int32_t y, WallPiece& piece) const {
    const tMapa& map = *Map;
    const tMapCell& cell = map.Cell(x, y);
    if (cell.Occupancy() != 3) return kWallNotWall;
    const uint16_t key = WallKey(map, x, y);
    if (key == 0 || map.WallTable.size() <= key) return kWallNothing;
    const int number = map.WallTable[key];
    const int row = WallPictureRow(number);
    if (row < 0) return kWallNothing;
    const int32_t left = 65 * cell.Variant() + 1;
    const int32_t top = 81 * row + 1;
    piece.Source = SurfaceRect{left, top, left + kWallPieceWidth, top + kWallPieceHeight};
    piece.OffsetX = kWallPieceOffsetX;
    piece.OffsetY = kWallPieceOffsetY;
    int shift = 0;
    if (number == 0) shift = EndShift(map, x, y, kDirUpRight);
    if (number == 2) shift = EndShift(map, x, y, kDirUpLeft);
    piece.Source.Left += shift;
    piece.Source.Right += shift;
    return kWallPieceDrawn;
}

}  // namespace tess
