// The map document: the cell grid, its terrain list and wall-piece table, and the map file.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resources/Random.h"
#include "resources/Settings.h"
#include "resources/Utils.h"

namespace tess {

constexpr int kMapStorage = 2048;    // cells per side of the storage
constexpr int kMaxMapSize = 2047;    // largest Width / Height
constexpr int kMinNewMapSize = 128;  // smallest side the new-map command accepts
constexpr double kMapFileVersion = 1.02;
constexpr size_t kWallTableSize = 65536;
constexpr const char* kWallTableFile = "DATA\\teren.dat";

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

    // Replaces the bits of one field: mask is the field's mask at bit 0.
    void Put(int word, int shift, unsigned mask, int value) {
        w[word] = static_cast<uint16_t>((w[word] & ~(mask << shift)) |
                                        ((static_cast<unsigned>(value) & mask) << shift));
    }

    friend bool operator==(const tMapCell&, const tMapCell&) = default;
};
static_assert(sizeof(tMapCell) == 6, "a cell is three packed 16-bit words");

struct TerrainSlot {
    std::string Name;   // CP1250, at most 30 characters: the stem of the slot's picture files
    uint8_t Shade = 1;  // 1 = the game darkens this terrain by the angle of the light
};

// The name a new map gives terrain slot 0..15 ("" for slot 15 and outside the slots).
const char* DefaultTerrainName(int slot);

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

// The step of one direction from a row of the given parity (0 even, 1 odd).
struct DirectionStep {
    int dx;
    int dy;
};
constexpr DirectionStep kDirectionSteps[2][8] = {
    {{0, -1}, {1, 0}, {0, 1}, {0, 2}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -2}},
    {{1, -1}, {1, 0}, {1, 1}, {0, 2}, {0, 1}, {-1, 0}, {0, -1}, {0, -2}},
};

// Where Create takes the wall-piece table from.
enum class WallTableSource {
    GameData,  // "DATA\teren.dat" through the archive; an error box and all 255 when unreadable
    None,      // all 255 without looking (tools that never draw walls)
};

class tMapa {
  public:
    // Allocates the 2048 x 2048 storage (zeroed, 0 x 0 map, empty wall table of 255s).
    tMapa();

    // Sets the dimensions (each capped to 0..2047), clears the per-terrain loaded flags, reads
    // the wall-piece table (Part of the map object, never saved), then Clear.
    void Create(int width, int height, Random& random,
                WallTableSource walls = WallTableSource::GameData);
    // Zeroes every stored byte, then rolls TileVariant, per-block Variant, AnimRow and Jitter and
    // sets Level 3 for every map cell (rows outer, columns inner), then SetDefaultTerrains.
    void Clear(Random& random);
    // What the new-map command does after its dialog: the size (capped to 0..2047), Clear, then
    // terrain 5, Level 3 and a per-block Variant of random(100) mod 4 on every cell including
    // the extra column and row.
    void FillAsNewMap(int width, int height, Random& random);
    void SetDefaultTerrains();
    // Reads the wall-piece table from "DATA\\teren.dat" through the archive; an unreadable or
    // short file is reported and leaves every entry 255. Create calls it.
    void ReadWallTable();
    // Width and Height capped to 0..2047 (the storage holds one more of each).
    void SetSize(int width, int height);

    // True when 0 <= x <= Width and 0 <= y <= Height; otherwise moves the point into range.
    bool ClampPoint(int32_t& x, int32_t& y) const {
        if (InRange(x, y)) return true;
        x = std::clamp(x, 0, MaxX());
        y = std::clamp(y, 0, MaxY());
        return false;
    }
    bool InRange(int32_t x, int32_t y) const {
        return static_cast<uint32_t>(x) <= static_cast<uint32_t>(MaxX()) &&
               static_cast<uint32_t>(y) <= static_cast<uint32_t>(MaxY());
    }
    // The cell one step in a direction (0..7), brought into range; another direction gives the
    // point itself, brought into range.
    TPoint Neighbour(int32_t x, int32_t y, int direction) const {
        int64_t nx = x;
        int64_t ny = y;
        if (direction >= 0 && direction < 8) {
            const DirectionStep& step = kDirectionSteps[y & 1][direction];
            nx += step.dx;
            ny += step.dy;
        }
        return {static_cast<int32_t>(std::clamp<int64_t>(nx, 0, MaxX())),
                static_cast<int32_t>(std::clamp<int64_t>(ny, 0, MaxY()))};
    }
    // The top cell of the block of four that holds (x, y), for points in range (not clamped).
    static TPoint BlockTop(int32_t x, int32_t y) {
        const int xOdd = x & 1;
        const int halfRowOdd = (y >> 1) & 1;
        if ((y & 1) == 0) return xOdd == halfRowOdd ? TPoint{x, y - 2} : TPoint{x, y};
        return (xOdd ^ halfRowOdd) ? TPoint{x, y - 1} : TPoint{x + 1, y - 1};
    }
    // The four cells of the block whose top cell is given: top, below-right, bottom, left.
    static std::array<TPoint, 4> BlockCells(TPoint top) {
        return {TPoint{top.X, top.Y}, TPoint{top.X, top.Y + 1}, TPoint{top.X, top.Y + 2},
                TPoint{top.X - 1, top.Y + 1}};
    }
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

    void SetTerrain(int32_t x, int32_t y, int value) { SetBlockField(x, y, 0, 0xF, value); }
    void SetVariant(int32_t x, int32_t y, int value) { SetBlockField(x, y, 4, 3, value); }
    void SetBlockMark(int32_t x, int32_t y, int value) { SetBlockField(x, y, 14, 3, value); }
    void SetLevel(int32_t x, int32_t y, int value) { SetField(x, y, 0, 6, 7, value); }
    void SetTileVariant(int32_t x, int32_t y, int value) { SetField(x, y, 0, 9, 7, value); }
    void SetOccupancy(int32_t x, int32_t y, int value) { SetField(x, y, 1, 0, 3, value); }
    void SetAnimRow(int32_t x, int32_t y, int value) { SetField(x, y, 1, 2, 7, value); }
    void SetJitter(int32_t x, int32_t y, int value) { SetField(x, y, 1, 5, 0xFF, value); }
    void SetLinkKind(int32_t x, int32_t y, int value) { SetField(x, y, 1, 13, 3, value); }
    void SetId(int32_t x, int32_t y, int value) { SetField(x, y, 2, 0, 0xFFFF, value); }
    // Replaces a whole cell (clipboard paste); ignored out of range.
    void SetCell(int32_t x, int32_t y, const tMapCell& cell) {
        if (InRange(x, y)) At(x, y) = cell;
    }

    // Reads a map file into this map. Returns false, with the map untouched, when the version
    // differs (the information box of the map file format), or when the file is damaged or
    // unreadable (a clear message in an information box). On success the view position is set
    // from the stored view centre; the caller reloads the terrain pictures.
    bool LoadFromFile(const std::string& name, ViewPosition& view);
    // Writes the map file crash-safely (raises IoError, the previous file intact), then stores
    // the name as "LastMap" when settings are given. A map without cells is not saved (IoError).
    void SaveToFile(const std::string& name, const ViewPosition& view,
                    SettingsStore* settings = nullptr) const;
    // The same with the view centre given directly (tools without a view: resave keeps the
    // centre it loaded).
    void SaveToFileAtCentre(const std::string& name, TPoint centre,
                            SettingsStore* settings = nullptr) const;
    // The view centre stored in the file last loaded; none when that file had none.
    const std::optional<TPoint>& StoredViewCentre() const { return storedViewCentre_; }

    // The view-centre arithmetic of the map file: the cell at the centre of a view, and the
    // view position that shows a stored centre (no centre: the top-left corner).
    static TPoint ViewCentreOf(const ViewPosition& view);
    static void PlaceView(ViewPosition& view, const std::optional<TPoint>& centre, int32_t width,
                          int32_t height);

    // The raw storage: kMapStorage * kMapStorage cells, row y at y * kMapStorage.
    tMapCell* Cells() { return cells_.data(); }
    const tMapCell* Cells() const { return cells_.data(); }
    static size_t Index(int32_t x, int32_t y) {
        return static_cast<size_t>(y) * kMapStorage + static_cast<size_t>(x);
    }

    // Keep within 0..2047 (SetSize does); the cell operations never leave the storage either way.
    int32_t Width = 0;
    int32_t Height = 0;
    std::array<TerrainSlot, 16> Terrains;
    std::array<bool, 16> TerrainLoaded{};  // set by the terrain catalogue; not saved
    std::vector<uint8_t> WallTable;        // 65,536 wall-piece numbers by WallKey; not saved

  private:
    int32_t MaxX() const { return std::clamp(Width, 0, kMaxMapSize); }
    int32_t MaxY() const { return std::clamp(Height, 0, kMaxMapSize); }
    tMapCell& At(int32_t x, int32_t y) { return cells_[Index(x, y)]; }
    void SetField(int32_t x, int32_t y, int word, int shift, unsigned mask, int value) {
        if (InRange(x, y)) At(x, y).Put(word, shift, mask, value);
    }
    // Word 0 field of every in-range cell of the block of (x, y), when (x, y) is in range.
    void SetBlockField(int32_t x, int32_t y, int shift, unsigned mask, int value) {
        if (!InRange(x, y)) return;
        for (const TPoint& p : BlockCells(BlockTop(x, y)))
            if (InRange(p.X, p.Y)) At(p.X, p.Y).Put(0, shift, mask, value);
    }
    // Turns the old pair types into their new form; only rows flagged by the load can hold them.
    void ConvertOldObjects(const std::vector<uint8_t>& rowMayHoldOldPair);

    std::vector<tMapCell> cells_;
    std::optional<TPoint> storedViewCentre_;
};

}  // namespace tess
