// Cell geometry of the staggered map grid for the generator: direction steps, blocks of four
// cells, screen positions. Plain functions on (x, y); the generator keeps its own grids.
#pragma once

namespace tess::demo {

struct Cell {
    int x = 0, y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Directions 0..7 clockwise from up-right; the step depends on the parity of the row.
inline Cell Step(Cell c, int direction) {
    static constexpr int kEven[8][2] = {{0, -1}, {1, 0},  {0, 1},   {0, 2},
                                        {-1, 1}, {-1, 0}, {-1, -1}, {0, -2}};
    static constexpr int kOdd[8][2] = {{1, -1}, {1, 0},  {1, 1},  {0, 2},
                                       {0, 1},  {-1, 0}, {0, -1}, {0, -2}};
    const auto& d = (c.y & 1) ? kOdd[direction & 7] : kEven[direction & 7];
    return Cell{c.x + d[0], c.y + d[1]};
}

// Directions of the two diamond axes and their opposites.
constexpr int kNE = 0, kSE = 2, kSW = 4, kNW = 6;

// The top cell of the block a cell belongs to.
inline Cell BlockTop(Cell c) {
    if ((c.y & 1) == 0) return ((c.y / 2) % 2 == (c.x & 1)) ? Step(c, 7) : c;
    const int f = (c.x & 1) ^ ((c.y / 2) % 2);
    return Step(c, f ? 6 : 0);
}

inline bool IsBlockBottom(Cell c) {
    return (c.y & 1) == 0 && (c.y / 2) % 2 == (c.x & 1);
}

// The four cells of the block whose top cell is t: top, right, bottom, left.
inline void BlockCells(Cell t, Cell out[4]) {
    out[0] = t;
    out[1] = Step(t, kSE);
    out[2] = Step(out[1], kSW);
    out[3] = Step(out[2], kNW);
}

// Screen position of the top-left corner of a cell's 32 x 16 tile at level 0, relative to cell
// (0, 0) of an even first row.
inline int TileLeft(Cell c) {
    return 32 * c.x + (c.y & 1) * 16 - 16;
}
inline int TileTop(Cell c) {
    return 8 * c.y - 8;
}

}  // namespace tess::demo
