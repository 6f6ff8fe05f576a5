// The map clipboard with its clip file, and the one-level undo snapshot of map and game data.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "game/Kalistor.h"
#include "map/MapDat.h"

namespace tess {

// Cells a clipboard holds; a copy stops at this many.
constexpr int32_t kClipCells = 65536;
// The clip file: Rows, Columns, all cells, the unit and building arrays as laid out in memory
// (4-byte aligned fields), then the Rectangular byte.
constexpr size_t kClipUnitRecord = 100;
constexpr size_t kClipBuildingRecord = 36;
constexpr size_t kClipCellsOffset = 8;
constexpr size_t kClipUnitsOffset = kClipCellsOffset + 6 * size_t{kClipCells};  // 393,224
constexpr size_t kClipBuildingsOffset =
    kClipUnitsOffset + kClipUnitRecord * (kMaxUnits + 1);  // 1,393,324
constexpr size_t kClipRectangularOffset =
    kClipBuildingsOffset + kClipBuildingRecord * (kMaxBuildings + 1);  // 1,753,360
constexpr size_t kClipFileSize = kClipRectangularOffset + 1;           // 1,753,361

// Clipboard modes (tClipBoard::State).
constexpr int32_t kClipIdle = 0;
constexpr int32_t kClipSelecting = 1;
constexpr int32_t kClipPasting = 2;

// Offsets of cell b from cell a along the two diamond axes: b is reached from a by `AlongUpLeft`
// steps in direction 6 and `AlongUpRight` steps in direction 0 (negative: the opposite way).
struct AxisOffset {
    int32_t AlongUpLeft = 0;   // direction 6
    int32_t AlongUpRight = 0;  // direction 0
    friend bool operator==(const AxisOffset&, const AxisOffset&) = default;
};
AxisOffset AxisOffsets(TPoint a, TPoint b);

// The undo snapshot: a second map and a second store, allocated once, filled by Store and put
// back by Restore. Both copy flat blocks: the map's dimensions and whole cell storage, and the
// four record arrays of the store whole, each with its count.
class tData {
  public:
    tData();
    tData(const tData&) = delete;
    tData& operator=(const tData&) = delete;

    void Store(const tMapa& map, const tKalistor& store);
    // Puts the snapshot back; false (and nothing changes) when no snapshot was ever taken, so
    // that an undo before the first edit cannot blank the map.
    bool Restore(tMapa& map, tKalistor& store) const;
    bool HasSnapshot() const { return stored_; }

    const tMapa& Map() const { return *map_; }
    const tKalistor& Kalistor() const { return *store_; }

  private:
    std::unique_ptr<tMapa> map_;
    std::unique_ptr<tKalistor> store_;
    bool stored_ = false;
};

// The map clipboard. One exists for the run (created on the heap: it holds about 1.8 MB of
// arrays and owns the undo snapshot with its 25 MB map). The main window sets State, the
// corners, Rectangular and Rotation; the operations below do the rest.
class tClipBoard {
  public:
    tClipBoard();
    tClipBoard(const tClipBoard&) = delete;
    tClipBoard& operator=(const tClipBoard&) = delete;

    std::array<tMapCell, kClipCells> Cells{};  // the copied cells in copy order
    int32_t Rows = 0;     // along direction 6 (diamond mode) or y (rectangle mode)
    int32_t Columns = 0;  // along direction 0 or x
    int32_t State = kClipIdle;
    uint8_t Rotation = 0;     // added to the walking directions of a diamond-mode paste (mod 8)
    uint8_t Rectangular = 0;  // 0 diamond mode, 1 rectangle mode
    TPoint CornerA;
    TPoint CornerB;
    TPoint Origin;
    std::array<tUnitRec, kMaxUnits + 1> UnitsCopy;
    std::array<tBuildingRec, kMaxBuildings + 1> BuildingsCopy;
    tData Undo;

    // Origin, Rows and Columns from the two corners.
    void Normalize();
    // Whether the cell lies in the marked region (one row and one column more than Copy takes).
    bool InSelection(int32_t x, int32_t y) const;

    // Copies Rows x Columns cells from (x, y) and the store's whole unit and building arrays;
    // ends the selection (State 0) and resets Rotation. A region of more than 65,536 cells shows
    // "moc dat, zasobnik se nenacetl" in the error box and keeps the whole rows that fit. Cells
    // of the region that lie outside the map are copied as the nearest edge cell without what
    // stands on it, so that nothing is duplicated by a paste.
    void Copy(const tMapa& map, const tKalistor& store, int32_t x, int32_t y);

    // Writes the region from (x, y), keeping the map's heights; each cell's block takes the
    // cell's terrain. With game data every pasted building and unit anchor gets a fresh record
    // (the copied one with the new cell) and the cell its index; an anchor whose copied record
    // is not live, or whose index lies outside the arrays, is pasted without its link. When the
    // store has no free index left, a message says so and the paste stops before that cell;
    // the result is then false. Cells outside the map are skipped.
    bool Paste(tMapa& map, tKalistor& store, int32_t x, int32_t y, bool withGameData);

    // The cells a paste at (x, y) writes, in paste order (positions may lie outside the map).
    // Paste walks the same way; the view may use it to mark where a paste would go.
    template <typename Visit>
    void ForEachPasteCell(int64_t x, int64_t y, Visit&& visit) const;

    // The clip file. SaveToFile writes it crash-safely and raises IoError on failure (the
    // previous file intact). LoadFromFile refuses, with a message and the clipboard as it was,
    // a file it cannot read, of another size, or whose Rows, Columns or Rectangular cannot be
    // ours; a loaded file sets Rotation to 0. Neither touches State, the corners or Origin.
    void SaveToFile(const std::string& name) const;
    bool LoadFromFile(const std::string& name);
    std::vector<uint8_t> SaveToBytes() const;
    // The same into a buffer of exactly kClipFileSize bytes, every byte of which is written.
    void SaveToBuffer(std::span<uint8_t> out) const;
    bool LoadFromBytes(std::span<const uint8_t> bytes, const std::string& name);

    // Live records (Used 1) among the copied ones.
    int32_t LiveUnits() const;
    int32_t LiveBuildings() const;
};

// Why a clip file's bytes cannot be loaded ("" when they can).
std::string ClipFileProblem(std::span<const uint8_t> bytes);

// Walks a region in copy and paste order: `rows` rows of `columns` cells from (x, y); in diamond
// mode each next cell one step in direction (0 + rotation) mod 8 and each next row one step in
// direction (6 + rotation) mod 8 from the previous row's start, in rectangle mode x + 1 and
// y + 1. Positions are not clamped (they may leave the map). visit(x, y, i) returns false to stop.
template <typename Visit>
void WalkClipRegion(int64_t x, int64_t y, int64_t rows, int64_t columns, bool rectangular,
                    int rotation, Visit&& visit) {
    const auto step = [](int64_t& px, int64_t& py, int direction) {
        const DirectionStep& s = kDirectionSteps[py & 1][direction & 7];
        px += s.dx;
        py += s.dy;
    };
    const int cellDirection = kDirUpRight + rotation;
    const int rowDirection = kDirUpLeft + rotation;
    int64_t rowX = x;
    int64_t rowY = y;
    int32_t i = 0;
    for (int64_t r = 0; r < rows; ++r) {
        int64_t cx = rowX;
        int64_t cy = rowY;
        for (int64_t c = 0; c < columns; ++c) {
            if (!visit(cx, cy, i)) return;
            ++i;
            if (rectangular)
                ++cx;
            else
                step(cx, cy, cellDirection);
        }
        if (rectangular)
            ++rowY;
        else
            step(rowX, rowY, rowDirection);
    }
}

template <typename Visit>
void tClipBoard::ForEachPasteCell(int64_t x, int64_t y, Visit&& visit) const {
    // Only whole rows that the cell array holds (a copied or loaded clipboard always fits).
    const int64_t columns = std::max(Columns, 0);
    const int64_t rows =
        columns == 0 ? 0 : std::min<int64_t>(std::max(Rows, 0), kClipCells / columns);
    WalkClipRegion(x, y, rows, columns, Rectangular != 0, Rectangular ? 0 : Rotation,
                   std::forward<Visit>(visit));
}

}  // namespace tess
