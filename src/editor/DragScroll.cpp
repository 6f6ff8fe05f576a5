// Moving the map view: scrolling by dragging with the right button held, and centring on a cell.
#include "editor/DragScroll.h"

#include <algorithm>

namespace tess {

bool ScrollViewByDrag(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint last,
                      TPoint now, bool reversed) {
    // 64-bit arithmetic: mouse positions come from the window system and are not trusted to
    // stay small.
    int64_t dx = (static_cast<int64_t>(now.X) - last.X) / 10;
    int64_t dy = (static_cast<int64_t>(now.Y) - last.Y) / 5;
    if (reversed) {
        dx = -dx;
        dy = -dy;
    }
    int64_t x = view.X + dx;
    int64_t y = view.Y + 2 * dy;
    // The upper bound first, then 0: a view wider than the map stays at the map's left edge.
    x = std::min<int64_t>(x, int64_t{mapWidth} - view.Right / kViewTileWidth - 2);
    y = std::min<int64_t>(y, int64_t{mapHeight} - view.Bottom / (kViewTileHeight / 2) - 2);
    x = std::max<int64_t>(x, 0);
    y = std::max<int64_t>(y, 0);
    const bool moved = x != view.X || y != view.Y;
    view.X = static_cast<int32_t>(x);
    view.Y = static_cast<int32_t>(y);
    return moved;
}

namespace {

// The view's top-left cell kept so that the view does not pass the map's right and bottom edges,
// and never below 0.
void KeepOnMap(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, int64_t x, int64_t y) {
    x = std::max<int64_t>(x, 0);
    y = std::max<int64_t>(y, 0);
    if (x + view.Right / kViewTileWidth > mapWidth)
        x = int64_t{mapWidth} - view.Right / kViewTileWidth;
    if (y + view.Bottom / (kViewTileHeight / 2) > mapHeight)
        y = int64_t{mapHeight} - view.Bottom / (kViewTileHeight / 2);
    // A view larger than the map stays at its top-left corner.
    view.X = static_cast<int32_t>(std::max<int64_t>(x, 0));
    view.Y = static_cast<int32_t>(std::max<int64_t>(y, 0));
}

int64_t VisibleColumns(const ViewPosition& view) {
    return (int64_t{view.Right} - view.Left) / kViewTileWidth + 1;
}

int64_t VisibleRows(const ViewPosition& view) {
    return (int64_t{view.Bottom} - view.Top + 8 * kViewLevelDepth) / (kViewTileHeight / 2) + 1;
}

}  // namespace

void CentreViewOn(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint cell) {
    KeepOnMap(view, mapWidth, mapHeight, int64_t{cell.X} - VisibleColumns(view) / 2,
              int64_t{cell.Y} - (VisibleRows(view) + 1) / 2);
}

void CentreViewOnSettlement(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint cell) {
    // An even number of rows keeps the stagger of the building's row.
    KeepOnMap(view, mapWidth, mapHeight, int64_t{cell.X} - VisibleColumns(view) / 2,
              int64_t{cell.Y} - (VisibleRows(view) / 2 & ~int64_t{1}));
}

}  // namespace tess
