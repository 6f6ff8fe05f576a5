// The terrain catalogue: flat tiles and slope pieces of the 15 terrain slots, cell markers and
// the slope shape of a cell.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "resources/Surface.h"

namespace tess {

class tMapa;

constexpr int kTerrainSlots = 15;  // slots 0..14 have pictures; 15 never does
constexpr int kNoPictureTerrain = 15;
constexpr int kFlatColumns = 4;
constexpr int kMaxFlatRows = 8;
constexpr int kSlopeSets = 2;
constexpr int kShapeMasks = 15;  // 0 flat, 1..14 slopes
constexpr int kMaxSlopeVariants = 8;
constexpr const char* kTerrainPictureDir = "PICTURES/32x16/TERENY-/";

// Pixel rows a slope piece has below the standard 20, by mask 0..14 (0 is the flat tile).
constexpr std::array<int, kShapeMasks> kSlopeExtra = {0, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0};

// The marker colours (8-bit channels). Every marker is keyed on pure blue.
constexpr Rgb8 kMarkSelectColour{0, 255, 0};
constexpr Rgb8 kMarkBlockedColour{255, 0, 0};
constexpr Rgb8 kMarkCursorColour{100, 100, 250};
constexpr Rgb8 kMarkKeyColour{0, 0, 255};

// The pictures of one terrain slot. Each picture is its own surface whose transparent colour is
// its top-left pixel; a picture whose place lies outside the file's picture stays empty.
struct tTerenOne {
    // [column 0..3][row 0..7], 32 x 16 each; FlatRows rows are present.
    std::array<std::array<tSurface, kMaxFlatRows>, kFlatColumns> Flat;
    uint8_t FlatRows = 0;
    // [set 0..1][mask 1..14][variant 0..7], 32 x (20 + kSlopeExtra[mask]); index 0 unused.
    std::array<std::array<std::array<tSurface, kMaxSlopeVariants>, kShapeMasks>, kSlopeSets> Slope;
    uint8_t SlopeVariants = 0;
};

// The shape of a cell's diamond from its four corner levels. An irregular cell (three different
// levels, possible only in loaded data) is given the shape of a flat tile at its own level, so
// a view that draws ShapeLevel and ShapeMask as they come shows it flat.
struct CellShape {
    int32_t ShapeLevel = 0;  // 0..7
    int32_t ShapeMask = 0;   // 0 flat, 1..14: corners at the higher level (8 top, 4 right,
                             // 2 bottom, 1 left)
    bool Irregular = false;
    friend bool operator==(const CellShape&, const CellShape&) = default;
};

// The shape a cell takes from its four corner levels (top, right, bottom, left): flat at the
// bottom level, a slope mask over the corners at the higher of two levels, or irregular when the
// corners hold three levels or more.
CellShape ShapeFromCorners(int top, int right, int bottom, int left);

class tTerens {
  public:
    tTerens();
    ~tTerens();
    tTerens(const tTerens&) = delete;
    tTerens& operator=(const tTerens&) = delete;

    // Stores the sizes and the map, draws the marker sets and the neutral tiles, resets the
    // map's terrain list (SetDefaultTerrains), then LoadPictures(directory). The geometry is
    // that of the 32 x 16 tile with 4 pixels per level, which is the only size the editor has.
    void Create(int32_t levelDepth, int32_t tileHeight, int32_t tileWidth, tMapa& map,
                const std::string& directory);
    // (Re)loads slots 0..14 from directory + Name + ".bmp" (flat tiles) and Name + "#.bmp"
    // (slope pieces) through the archive, and sets the map's per-terrain loaded flags. A missing
    // base picture shows "neni soubor <name>"; a missing slope picture or a damaged bitmap is
    // reported with the reader's message. The slot then has no pictures of that kind.
    void LoadPictures(const std::string& directory);

    // The shape of the cell (x, y), from the levels of its bottom corner (the cell), top
    // (neighbour 7), right (neighbour 0) and left (neighbour 6), neighbours clamped.
    CellShape CornerShape(int32_t x, int32_t y) const;

    // The picture the view draws for a cell of this terrain, tile variant and shape: for mask 0
    // Flat[TileVariant mod 4][0], for a slope Slope[TileVariant mod 2][mask][0]; for terrain 15
    // the neutral tile of the shape. nullptr (draw nothing) when the slot has no such picture.
    const tSurface* CellPicture(int terrain, int tileVariant, int shapeMask) const;

    // The slot's pictures (nullptr before the slot was first loaded).
    const tTerenOne* Item(int slot) const {
        return slot >= 0 && slot < kTerrainSlots ? Items[static_cast<size_t>(slot)].get() : nullptr;
    }

    std::array<std::unique_ptr<tTerenOne>, kTerrainSlots> Items;
    tMapa* Map = nullptr;
    int32_t TileWidth = 32;
    int32_t TileHeight = 16;
    int32_t LevelDepth = 4;
    // Indexed by shape mask; index 0 is 32 x 16, the others 32 x 20; keyed on pure blue.
    std::array<tSurface, kShapeMasks> MarkSelect;   // green outline with its diagonals
    std::array<tSurface, kShapeMasks> MarkBlocked;  // red outline with its diagonals
    std::array<tSurface, kShapeMasks> MarkCursor;   // light blue checkerboard diamond
    // What a cell of terrain 15 shows: a mid-grey diamond with a faint diagonal hatch, in the
    // marker geometry, so the designer sees the hole the eraser left instead of a black gap.
    std::array<tSurface, kShapeMasks> Neutral;
};

}  // namespace tess
