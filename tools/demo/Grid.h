// Cells of the demo's map design, moved and grouped by the map model's own geometry (direction
// steps and blocks of four), so the design and the map it becomes agree cell for cell.
#pragma once

#include "map/MapDat.h"

namespace tess::demo {

struct Cell {
    int x = 0, y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// One step in a direction 0..7 without clamping: the design checks its own edges.
inline Cell Step(Cell c, int direction) {
    const DirectionStep& d = kDirectionSteps[c.y & 1][direction & 7];
    return Cell{c.x + d.dx, c.y + d.dy};
}

inline Cell BlockTop(Cell c) {
    const TPoint top = tMapa::BlockTop(c.x, c.y);
    return Cell{top.X, top.Y};
}

// The four cells of the block whose top cell is t: top, right, bottom, left.
inline void BlockCells(Cell t, Cell out[4]) {
    const std::array<TPoint, 4> cells = tMapa::BlockCells(TPoint{t.x, t.y});
    for (size_t i = 0; i < cells.size(); ++i)
        out[i] = Cell{cells[i].X, cells[i].Y};
}

}  // namespace tess::demo
