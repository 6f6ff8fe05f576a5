// Terrain pictures of the demo game: the flat-tile picture "<Name>.bmp" and the slope picture
// "<Name>#.bmp" of every terrain picture set, the 64 x 64 palette buttons and their overlays.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "map/TerenDat.h"

namespace tess::demo {

// The layout of the pictures is the terrain catalogue's (kFlatColumns flat tiles a row, slope
// pieces kSlopeExtra[mask] rows taller than the band).
constexpr int kTileWidth = 32, kTileHeight = 16, kLevelDepth = 4;
constexpr int kSlopeVariants = 2;  // per set; two sets side by side
constexpr int kSlopeBand = 20;     // rows per mask band in the slope picture
// The transparent colour of every terrain picture (its top-left pixel).
constexpr Rgba kTerrainKey = kMagenta;

// The names of the map's default terrain slots 0..14.
const std::vector<std::string>& DefaultTerrainNames();
// The picture-set names the terrain-binding dialog offers, in its order.
const std::vector<std::string>& TerrainDialogNames();
// Every picture set the demo ships: the default names, then the dialog's names that differ
// from them in more than letter case.
const std::vector<std::string>& TerrainSetNames();
// Number of flat-tile rows the set's picture has (animation frames for water and lava).
int TerrainFlatRows(const std::string& name);

// 128 x 16·rows: four variants per row.
Canvas MakeFlatPicture(const std::string& name);
// 128 x 280: set 0 (two variants) then set 1 (two variants); mask m in the band at 20·(m-1).
Canvas MakeSlopePicture(const std::string& name);
// The 64 x 64 palette button.
Canvas MakeTerrainButton(const std::string& name);
// The sets that have an "_ex_1" overlay, and the overlay itself (64 x 64, transparent = black).
bool HasButtonOverlay(const std::string& name);
Canvas MakeButtonOverlay(const std::string& name);

// The slope shape's corners, in the piece's own pixels: the continuous screen positions of the
// top, right, bottom and left corners of a piece for mask 0..14 (0 = flat tile).
struct PieceCorners {
    int tx, ty, rx, ry, bx, by, lx, ly;
};
PieceCorners CornersOf(int mask);

// Whether pixel (x, y) of a piece for mask 0..14 belongs to the drawn diamond.
bool PieceCovers(int mask, int x, int y);

}  // namespace tess::demo
