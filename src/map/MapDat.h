// The map document: the cell grid, its terrain list and wall-piece table, and the map file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/Random.h"
#include "resources/Settings.h"
#include "resources/Utils.h"

namespace tess {

constexpr int kMapStorage = 2048;  // cells per side of the storage
constexpr int kMaxMapSize = 2047;  // largest Width / Height
constexpr double kMapFileVersion = 1.02;

// One cell: three 16-bit words, the same in memory, in the map file and in the clip file.
//   word 0: Terrain 0-3, Variant 4-5, Level 6-8, TileVariant 9-11, reserved 12-13, block mark 14-15
//   word 1: Occupancy 0-1, AnimRow 2-4, Jitter 5-12, LinkKind 13-14, reserved 15
//   word 2: Id
struct tMapCell {
    uint16_t w[3] = {0, 0, 0};

    int Terrain() const { return w[0] & 0xF; }
    int Variant() const { return (w[0] >> 4) & 3; }
    int Level() const { return (w[0] >> 6) & 7; }
    int TileVariant() const { return (w[0] >> 9) & 7; }
    int BlockMark() const { return (w[0] >> 14) & 3; }
    int Occupancy() const { return w[1] & 3; }
    int AnimRow() const { return (w[1] >> 2) & 7; }
    int Jitter() const { return (w[1] >> 5) & 0xFF; }
    int LinkKind() const { return (w[1] >> 13) & 3; }
    int Id() const { return w[2]; }

    friend bool operator==(const tMapCell&, const tMapCell&) = default;
};
static_assert(sizeof(tMapCell) == 6, "a cell is three packed 16-bit words");

struct TerrainSlot {
    std::string Name;   // CP1250, at most 30 characters: the stem of the slot's picture files
    uint8_t Shade = 1;  // 1 = the game darkens this terrain by the angle of the light
};

// The view fields the map file's view centre is computed from and restored into. The view
// (tView) owns one and hands it to LoadFromFile / SaveToFile.
struct ViewPosition {
    int32_t X = 0;  // map cell shown at the top-left
    int32_t Y = 0;
    int32_t Left = 0;  // view rectangle on the surface, in pixels
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// Directions 0..7 clockwise from up-right: 0 up-right, 1 right, 2 down-right, 3 down (two rows),
// 4 down-left, 5 left, 6 up-left, 7 up (two rows). Steps depend on the parity of the row.
constexpr int kDirUpRight = 0, kDirRight = 1, kDirDownRight = 2, kDirDown = 3, kDirDownLeft = 4,
              kDirLeft = 5, kDirUpLeft = 6, kDirUp = 7;

class tMapa {
public:
    tMapa();

    // Allocates the 2048 x 2048 storage (once), sets the dimensions (capped at 2047), clears the
    // per-terrain loaded flags, reads the wall-piece table from "DATA\teren.dat" (all 255 with
    // the error box when it cannot be read), then Clear.
    void Create(int width, int height, Random& random);
    // Zeroes every stored byte, then rolls TileVariant, per-block Variant, AnimRow and Jitter and
    // sets Level 3 for every map cell (rows outer, columns inner), then SetDefaultTerrains.
    void Clear(Random& random);
    void SetDefaultTerrains();

    // True when 0 <= x <= Width and 0 <= y <= Height; otherwise moves the point into range.
    bool ClampPoint(int32_t& x, int32_t& y) const;
    bool InRange(int32_t x, int32_t y) const {
        return x >= 0 && x <= Width && y >= 0 && y <= Height;
    }
    // The cell one step in a direction, brought into range.
    TPoint Neighbour(int32_t x, int32_t y, int direction) const;
    // The top cell of the block of four that holds (x, y) (not clamped).
    static TPoint BlockTop(int32_t x, int32_t y);
    // True for the bottom cell of its block (where the view draws a wall piece).
    static bool IsBlockBottom(int32_t x, int32_t y) {
        return (y & 1) == 0 && ((y / 2) & 1) == (x & 1);
    }

    // Getters clamp the point and read that cell; setters ignore points out of range.
    const tMapCell& Cell(int32_t x, int32_t y) const {
        ClampPoint(x, y);
        return cells_[Index(x, y)];
    }
    int GetTerrain(int32_t x, int32_t y) const { return Cell(x, y).Terrain(); }
    int GetVariant(int32_t x, int32_t y) const { return Cell(x, y).Variant(); }
    int GetLevel(int32_t x, int32_t y) const { return Cell(x, y).Level(); }
    int GetTileVariant(int32_t x, int32_t y) const { return Cell(x, y).TileVariant(); }
    int GetOccupancy(int32_t x, int32_t y) const { return Cell(x, y).Occupancy(); }
    int GetAnimRow(int32_t x, int32_t y) const { return Cell(x, y).AnimRow(); }
    int GetJitter(int32_t x, int32_t y) const { return Cell(x, y).Jitter(); }
    int GetLinkKind(int32_t x, int32_t y) const { return Cell(x, y).LinkKind(); }
    int GetId(int32_t x, int32_t y) const { return Cell(x, y).Id(); }

    void SetTerrain(int32_t x, int32_t y, int value);    // whole block
    void SetVariant(int32_t x, int32_t y, int value);    // whole block, value mod 4
    void SetBlockMark(int32_t x, int32_t y, int value);  // whole block, bits 14-15 of word 0
    void SetLevel(int32_t x, int32_t y, int value);
    void SetTileVariant(int32_t x, int32_t y, int value);
    void SetOccupancy(int32_t x, int32_t y, int value);
    void SetAnimRow(int32_t x, int32_t y, int value);
    void SetJitter(int32_t x, int32_t y, int value);
    void SetLinkKind(int32_t x, int32_t y, int value);
    void SetId(int32_t x, int32_t y, int value);
    // Replaces a whole cell (clipboard paste); ignored out of range.
    void SetCell(int32_t x, int32_t y, const tMapCell& cell);

    // Reads a map file into this map. Returns false, with the map untouched, when the version
    // differs (the information box of the map file format), or when the file is damaged or
    // unreadable (a clear message in an information box). On success the view position is set
    // from the stored view centre; the caller reloads the terrain pictures.
    bool LoadFromFile(const std::string& name, ViewPosition& view);
    // Writes the map file crash-safely (raises IoError, the previous file intact), then stores
    // the name as "LastMap" when settings are given.
    void SaveToFile(const std::string& name, const ViewPosition& view,
                    SettingsStore* settings = nullptr) const;

    // The raw storage: kMapStorage * kMapStorage cells, row y at y * kMapStorage.
    tMapCell* Cells() { return cells_.data(); }
    const tMapCell* Cells() const { return cells_.data(); }
    static size_t Index(int32_t x, int32_t y) {
        return static_cast<size_t>(y) * kMapStorage + static_cast<size_t>(x);
    }

    int32_t Width = 0;
    int32_t Height = 0;
    std::array<TerrainSlot, 16> Terrains;
    std::array<bool, 16> TerrainLoaded{};  // set by the terrain catalogue; not saved
    std::vector<uint8_t> WallTable;        // 65,536 wall-piece numbers by WallKey; not saved

private:
    tMapCell& At(int32_t x, int32_t y) { return cells_[Index(x, y)]; }

    std::vector<tMapCell> cells_;
};

}  // namespace tess
