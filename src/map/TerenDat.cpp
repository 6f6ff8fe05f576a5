// The terrain catalogue: flat tiles and slope pieces of the 15 terrain slots, cell markers and
// the slope shape of a cell.
#include "map/TerenDat.h"

#include <algorithm>
#include <cstdlib>

#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Bitmap.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The picture geometry of the 32 x 16 tile set.
constexpr int kTileW = 32;
constexpr int kTileH = 16;
constexpr int kLevelPx = 4;
constexpr int kSlopeBand = 20;  // rows per mask band in a slope picture

struct Pixel {
    int x;
    int y;
};

// A one-pixel line through both end points. Every line of the markers has an odd run along its
// major axis, so no point lies halfway between two pixels and the nearest pixel is unambiguous.
void DrawLine(tSurface& s, Pixel a, Pixel b, uint16_t colour) {
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        s.PutPixel565(a.x, a.y, colour);
        if (a.x == b.x && a.y == b.y) return;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            a.y += sy;
        }
    }
}

enum class MarkerStyle { Diagonals, Checkerboard, Neutral };

// Draws the marker of one shape mask (0 = flat) onto a fresh surface keyed on pure blue.
tSurface DrawMarker(int mask, Rgb8 rgb, MarkerStyle style) {
    tSurface s(kTileW, mask == 0 ? kTileH : kTileH + kLevelPx);
    const uint16_t key = Rgb565(kMarkKeyColour.r, kMarkKeyColour.g, kMarkKeyColour.b);
    const uint16_t colour = Rgb565(rgb.r, rgb.g, rgb.b);
    s.Fill(key);
    s.SetTransparentColor(key);
    const int t = mask == 0 ? 1 : (mask >> 3) & 1;
    const int r = mask == 0 ? 1 : (mask >> 2) & 1;
    const int b = mask == 0 ? 1 : (mask >> 1) & 1;
    const int l = mask == 0 ? 1 : mask & 1;
    const int ld = kLevelPx;
    const std::array<Pixel, 8> outline = {
        Pixel{16, ld - t * ld},          Pixel{31, 8 + ld - 1 - r * ld},
        Pixel{31, 8 + ld - r * ld},      Pixel{16, 16 + ld - 1 - b * ld},
        Pixel{15, 16 + ld - 1 - b * ld}, Pixel{0, 8 + ld - l * ld},
        Pixel{0, 8 + ld - 1 - l * ld},   Pixel{15, ld - t * ld}};
    for (size_t i = 0; i < outline.size(); ++i)
        DrawLine(s, outline[i], outline[(i + 1) % outline.size()], colour);
    if (style == MarkerStyle::Diagonals) {
        DrawLine(s, outline[7], outline[3], colour);
        DrawLine(s, outline[5], outline[1], colour);
        return s;
    }
    // The outline is convex (its left and right corners lie between its top and bottom), so
    // each row's inside runs from its leftmost to its rightmost outline pixel.
    for (int y = 0; y < s.Height(); ++y) {
        int left = s.Width(), right = -1;
        for (int x = 0; x < s.Width(); ++x) {
            if (s.PixelAt(x, y) == key) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
        for (int x = left; x <= right; ++x) {
            uint16_t pixel = colour;
            if (style == MarkerStyle::Checkerboard && (x & 1) == (y & 1)) pixel = key;
            if (style == MarkerStyle::Neutral && (x + 2 * y) % 6 == 0)
                pixel = Rgb565(116, 116, 116);
            s.PutPixel565(x, y, pixel);
        }
    }
    return s;
}

// The rectangle (x, y, width, height) of a picture as a surface of its own, keyed on its own
// top-left pixel. Empty when that pixel lies outside the picture; parts beyond the picture's
// edge take the key colour.
tSurface CutPiece(const tSurface& picture, int x, int y, int width, int height) {
    tSurface piece;
    if (!picture.Contains(x, y)) return piece;
    const uint16_t key = picture.PixelAt(x, y);
    piece.SetSize(width, height);
    piece.Fill(key);
    piece.Draw(0, 0, picture, SurfaceRect{x, y, x + width, y + height});
    piece.SetTransparentColor(key);
    return piece;
}

// Reads and decodes a bitmap; damaged or unreadable files are reported and give false.
bool LoadPicture(const std::string& name, tSurface& picture) {
    try {
        LoadBitmapToSurface(name, picture);
        return true;
    } catch (const IoError& e) {
        ErrorBox(e.what());
    } catch (const std::exception& e) {
        ErrorBox(name + ": " + e.what());
    }
    return false;
}

}  // namespace

tTerens::tTerens() = default;
tTerens::~tTerens() = default;

void tTerens::Create(int32_t levelDepth, int32_t tileHeight, int32_t tileWidth, tMapa& map,
                     const std::string& directory) {
    LevelDepth = levelDepth;
    TileHeight = tileHeight;
    TileWidth = tileWidth;
    Map = &map;
    for (int mask = 0; mask < kShapeMasks; ++mask) {
        const size_t i = static_cast<size_t>(mask);
        MarkSelect[i] = DrawMarker(mask, kMarkSelectColour, MarkerStyle::Diagonals);
        MarkBlocked[i] = DrawMarker(mask, kMarkBlockedColour, MarkerStyle::Diagonals);
        MarkCursor[i] = DrawMarker(mask, kMarkCursorColour, MarkerStyle::Checkerboard);
        Neutral[i] = DrawMarker(mask, Rgb8{128, 128, 128}, MarkerStyle::Neutral);
    }
    map.SetDefaultTerrains();
    LoadPictures(directory);
}

void tTerens::LoadPictures(const std::string& directory) {
    for (int slot = 0; slot < kTerrainSlots; ++slot) {
        auto& item = Items[static_cast<size_t>(slot)];
        // A reload starts from nothing, so a renamed slot never keeps its old pictures.
        item = std::make_unique<tTerenOne>();
        tTerenOne& one = *item;
        if (Map) Map->TerrainLoaded[static_cast<size_t>(slot)] = true;
        const std::string stem =
            directory + (Map ? Cp1250ToUtf8(Map->Terrains[static_cast<size_t>(slot)].Name) : "");

        const std::string baseName = stem + ".bmp";
        tSurface base;
        if (!BigFile().FileExists(baseName)) {
            ErrorBox("neni soubor " + baseName);
        } else if (LoadPicture(baseName, base)) {
            one.FlatRows = static_cast<uint8_t>(std::min(base.Height() / kTileH, kMaxFlatRows));
            for (int c = 0; c < kFlatColumns; ++c)
                for (int r = 0; r < one.FlatRows; ++r)
                    one.Flat[static_cast<size_t>(c)][static_cast<size_t>(r)] =
                        CutPiece(base, kTileW * c, kTileH * r, kTileW, kTileH);
        }

        tSurface slopes;
        if (!LoadPicture(stem + "#.bmp", slopes)) continue;
        const int variants = std::min(slopes.Width() / kTileW / 2, kMaxSlopeVariants);
        one.SlopeVariants = static_cast<uint8_t>(variants);
        for (int s = 0; s < kSlopeSets; ++s)
            for (int m = 1; m < kShapeMasks; ++m)
                for (int v = 0; v < variants; ++v)
                    one.Slope[static_cast<size_t>(s)][static_cast<size_t>(m)]
                             [static_cast<size_t>(v)] =
                        CutPiece(slopes, kTileW * (v + s * variants), kSlopeBand * (m - 1), kTileW,
                                 kSlopeBand + kSlopeExtra[static_cast<size_t>(m)]);
    }
}

CellShape ShapeFromCorners(int top, int right, int bottom, int left) {
    // Top, right, bottom, left: mask bits 8, 4, 2, 1.
    const int corners[4] = {top, right, bottom, left};
    const int a = bottom;
    int b = -1;
    int maskA = 0, maskB = 0;
    for (int corner : corners) {
        maskA <<= 1;
        maskB <<= 1;
        if (corner == a) {
            maskA |= 1;
        } else if (b >= 0 && corner != b) {
            return CellShape{a, 0, true};
        } else {
            b = corner;
            maskB |= 1;
        }
    }
    if (b < 0) return CellShape{a, 0, false};
    if (a < b) return CellShape{b, maskB, false};
    return CellShape{a, maskA, false};
}

CellShape tTerens::CornerShape(int32_t x, int32_t y) const {
    const tMapa& map = *Map;
    const TPoint up = map.Neighbour(x, y, kDirUp);
    const TPoint upRight = map.Neighbour(x, y, kDirUpRight);
    const TPoint upLeft = map.Neighbour(x, y, kDirUpLeft);
    return ShapeFromCorners(map.GetLevel(up.X, up.Y), map.GetLevel(upRight.X, upRight.Y),
                            map.GetLevel(x, y), map.GetLevel(upLeft.X, upLeft.Y));
}

const tSurface* tTerens::CellPicture(int terrain, int tileVariant, int shapeMask) const {
    if (shapeMask < 0 || shapeMask >= kShapeMasks) return nullptr;
    if (terrain == kNoPictureTerrain) return &Neutral[static_cast<size_t>(shapeMask)];
    const tTerenOne* one = Item(terrain);
    if (!one) return nullptr;
    const tSurface* picture =
        shapeMask == 0
            ? (one->FlatRows > 0 ? &one->Flat[static_cast<size_t>(tileVariant & 3)][0] : nullptr)
            : (one->SlopeVariants > 0 ? &one->Slope[static_cast<size_t>(tileVariant & 1)]
                                                   [static_cast<size_t>(shapeMask)][0]
                                      : nullptr);
    return picture && !picture->Empty() ? picture : nullptr;
}

}  // namespace tess
