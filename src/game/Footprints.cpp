// Object footprints on the map grid: the fit test, placing, deleting and the repair pass.
#include "game/Footprints.h"

#include <algorithm>
#include <vector>

#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr int kMaxAnchorSteps = 1000;
constexpr uint32_t kKnownType = 1u << 16;

// One step in a direction without clamping: a footprint that leaves the map must not fold back
// onto the edge cells, which belong to something else.
inline void Step(int32_t& x, int32_t& y, int direction) {
    const DirectionStep& step = kDirectionSteps[y & 1][direction];
    x += step.dx;
    y += step.dy;
}

// Calls visit(x, y, first) for rows x perRow cells: each row starts one step in `rowDirection`
// from the previous row's start, each cell one step in `cellDirection` from the previous one.
template <typename Visit>
void WalkFootprint(int32_t x, int32_t y, int rows, int perRow, int rowDirection, int cellDirection,
                   Visit&& visit) {
    bool first = true;
    for (int r = 0; r < rows; ++r) {
        int32_t cx = x, cy = y;
        for (int c = 0; c < perRow; ++c) {
            visit(cx, cy, first);
            first = false;
            Step(cx, cy, cellDirection);
        }
        Step(x, y, rowDirection);
    }
}

bool SameLink(const tMapCell& cell, int id, int linkKind) {
    return cell.Id() == id && cell.LinkKind() == linkKind;
}

void Empty(tMapa& map, int32_t x, int32_t y) {
    map.SetOccupancy(x, y, 0);
    map.SetId(x, y, 0);
    map.SetLinkKind(x, y, 0);
}

}  // namespace

int32_t LinkedObjectType(const tKalistor& store, int linkKind, int32_t index) {
    switch (linkKind) {
        case 0:
            return index;
        case 1:
            return index >= 1 && index <= kMaxBuildings
                       ? store.Buildings[static_cast<size_t>(index)].IdObject
                       : 0;
        case 2:
            return index >= 1 && index <= kMaxUnits
                       ? store.Units[static_cast<size_t>(index)].IdObject
                       : 0;
        default:
            return 0;
    }
}

bool CanPlaceObject(const tMapa& map, const tObjects& objects, int32_t x, int32_t y, int32_t type) {
    const tObject* object = objects.Item(type);
    if (!object) return false;
    bool fits = true;
    WalkFootprint(x, y, object->Size_RT, object->Size_LT, kDirUpRight, kDirUpLeft,
                  [&](int32_t cx, int32_t cy, bool) {
                      if (fits && (!map.InRange(cx, cy) || map.Cell(cx, cy).Occupancy() != 0))
                          fits = false;
                  });
    return fits;
}

bool PlaceObject(tMapa& map, const tObjects& objects, const tKalistor& store, int32_t x, int32_t y,
                 int32_t index, int kind, int32_t selectedType) {
    if (kind < 0 || kind > 2) {
        ErrorBox("Tohleto se stat nemelo. FAILED");
        return false;
    }
    const tObject* object = objects.Item(LinkedObjectType(store, kind, index));
    const int rows = object ? object->Size_RT : 1;
    const int perRow = object ? object->Size_LT : 1;
    const tObject* selected = objects.Item(selectedType);
    const uint16_t terrain = selected ? selected->pod_teren : kNoTerrainUnder;
    WalkFootprint(x, y, rows, perRow, kDirUpRight, kDirUpLeft,
                  [&](int32_t cx, int32_t cy, bool first) {
                      if (!map.InRange(cx, cy)) return;
                      if (map.Cell(cx, cy).Occupancy() != 0)
                          DeleteObject(map, objects, store, cx, cy);
                      if (terrain != kNoTerrainUnder) map.SetTerrain(cx, cy, terrain);
                      map.SetBlockMark(cx, cy, 0);
                      map.SetOccupancy(cx, cy, first ? 2 : 1);
                      map.SetLinkKind(cx, cy, kind);
                      map.SetId(cx, cy, index);
                  });
    return true;
}

bool DeleteObject(tMapa& map, const tObjects& objects, const tKalistor& store, int32_t x,
                  int32_t y) {
    if (!map.InRange(x, y)) return false;
    const tMapCell start = map.Cell(x, y);
    const int id = start.Id();
    if (id == 0) return false;
    if (start.Occupancy() == 3) {
        for (const TPoint& p : tMapa::BlockCells(tMapa::BlockTop(x, y))) {
            map.SetOccupancy(p.X, p.Y, 0);
            map.SetId(p.X, p.Y, 0);
        }
        return false;
    }
    if (start.Occupancy() == 0) return false;

    const int linkKind = start.LinkKind();
    int32_t ax = x, ay = y;
    for (int steps = 0; map.Cell(ax, ay).Occupancy() == 1; ++steps) {
        if (steps >= kMaxAnchorSteps) return false;
        const TPoint below = map.Neighbour(ax, ay, kDirDownRight);
        const TPoint left = map.Neighbour(ax, ay, kDirDownLeft);
        if (SameLink(map.Cell(below.X, below.Y), id, linkKind)) {
            ax = below.X, ay = below.Y;
        } else if (SameLink(map.Cell(left.X, left.Y), id, linkKind)) {
            ax = left.X, ay = left.Y;
        }
    }

    const int32_t type = LinkedObjectType(store, linkKind, id);
    if (type == 0) return false;
    const tObject* object = objects.Item(type);
    const int columns = object ? std::max<int>(object->Size_RT, 1) : 1;
    const int perColumn = object ? std::max<int>(object->Size_LT, 1) : 1;
    WalkFootprint(ax, ay, columns, perColumn, kDirUpRight, kDirUpLeft,
                  [&](int32_t cx, int32_t cy, bool anchor) {
                      if (!map.InRange(cx, cy)) return;
                      const tMapCell& cell = map.Cell(cx, cy);
                      if (anchor || (cell.Occupancy() == 1 && SameLink(cell, id, linkKind)))
                          Empty(map, cx, cy);
                  });
    return true;
}

bool RepairObjects(tMapa& map, const tObjects& objects, const tKalistor& store,
                   RepairSummary* summary) {
    // The footprint of every type in one small table (0: the catalogue does not hold the type,
    // or its entry carries another number), so an anchor costs one read instead of a walk
    // through the entry.
    std::vector<uint32_t> footprint(kObjectSlots, 0);
    for (int32_t type = 0; type < kObjectSlots; ++type) {
        const tObject* object = objects.Item(type);
        if (object && object->Id == type)
            footprint[static_cast<size_t>(type)] =
                kKnownType | uint32_t(object->Size_RT) << 8 | object->Size_LT;
    }

    RepairSummary done;
    tMapCell* cells = map.Cells();
    const uint32_t maxX = static_cast<uint32_t>(std::clamp(map.Width, 0, kMaxMapSize));
    const uint32_t maxY = static_cast<uint32_t>(std::clamp(map.Height, 0, kMaxMapSize));
    // Every footprint cell lies in a row above its anchor (both axes step one row up), so one
    // sweep down the rows can first empty a row's footprint cells and then let the row's anchors
    // mark the rows above, which the sweep has already emptied: the result is that of emptying
    // the whole map first and marking afterwards.
    std::vector<uint32_t> anchorsInRow(kMapStorage + 1);
    for (uint32_t y = 0; y <= maxY; ++y) {
        tMapCell* row = cells + tMapa::Index(0, static_cast<int32_t>(y));
        uint32_t count = 0;
        // Without branches: on a densely covered map whether a cell is a footprint cell is
        // too irregular to predict.
        for (uint32_t x = 0; x <= maxX; ++x) {
            const uint16_t flags = row[x].w[1];
            const uint16_t keep = (flags & 3u) == 1 ? 0 : 0xFFFF;
            row[x].w[1] = static_cast<uint16_t>(flags & (keep | ~3u));  // LinkKind stays
            row[x].w[2] = static_cast<uint16_t>(row[x].w[2] & keep);
            // The row's anchors, gathered the same way.
            anchorsInRow[count] = x;
            count += (flags & 3u) == 2;
        }
        done.Anchors += static_cast<int32_t>(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t x = anchorsInRow[i];
            tMapCell& anchor = row[x];
            const int linkKind = anchor.LinkKind();
            if (linkKind > 1) continue;  // units stand on their anchor alone
            const int32_t type = LinkedObjectType(store, linkKind, anchor.Id());
            if (type == 0) continue;
            const uint32_t size = static_cast<uint32_t>(type) < static_cast<uint32_t>(kObjectSlots)
                                      ? footprint[static_cast<size_t>(type)]
                                      : 0;
            if (size == 0) {
                anchor.w[1] = static_cast<uint16_t>(anchor.w[1] & ~3u);
                anchor.w[2] = 0;
                ++done.EmptiedAnchors;
                continue;
            }
            const int alongRT = static_cast<int>(size >> 8 & 0xFF);
            const int alongLT = static_cast<int>(size & 0xFF);
            if (alongRT < 2 && alongLT < 2) continue;
            const uint16_t link = static_cast<uint16_t>(1u | unsigned(linkKind) << 13);
            const uint16_t id = anchor.w[2];
            // Size_LT rows, each starting up-left of the previous one; Size_RT cells per row,
            // each up-right of the previous one.
            int32_t rowX = static_cast<int32_t>(x), rowY = static_cast<int32_t>(y);
            for (int r = 0; r < alongLT; ++r) {
                int32_t cx = rowX, cy = rowY;
                for (int c = 0; c < alongRT; ++c) {
                    if ((r | c) != 0 && static_cast<uint32_t>(cx) <= maxX &&
                        static_cast<uint32_t>(cy) <= maxY) {
                        tMapCell& cell = cells[tMapa::Index(cx, cy)];
                        // Another object's anchor or a wall is never overwritten.
                        if ((cell.w[1] & 3u) < 2) {
                            cell.w[1] =
                                static_cast<uint16_t>((cell.w[1] & ~(3u | 3u << 13)) | link);
                            cell.w[2] = id;
                            ++done.FootprintCells;
                        }
                    }
                    cx += cy & 1;  // up-right: (0, -1) from an even row, (+1, -1) from an odd
                    --cy;
                }
                rowX += (rowY & 1) - 1;  // up-left: (-1, -1) from an even row, (0, -1) from odd
                --rowY;
            }
        }
    }
    if (summary) *summary = done;
    return true;
}

}  // namespace tess
