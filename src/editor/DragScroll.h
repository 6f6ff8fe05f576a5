// Moving the map view: scrolling by dragging with the right button held, and centring on a cell.
#pragma once

#include <cstdint>

#include "map/MapDat.h"
#include "resources/Utils.h"

namespace tess {

// The editor's one tile size in view pixels (the pictures under "PICTURES/32x16/").
inline constexpr int32_t kViewTileWidth = 32;
inline constexpr int32_t kViewTileHeight = 16;
inline constexpr int32_t kViewLevelDepth = 4;

// Moves the view for a mouse move from `last` to `now` (view pixels): one column per 10 pixels
// across and two rows (rows move in pairs) per 5 pixels down, each difference truncated toward
// zero, both reversed when `reversed` is set. The view then stays within the map: its top-left
// cell goes no further than what still fills the view rectangle, and never below 0. Returns
// whether the view moved.
bool ScrollViewByDrag(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint last,
                      TPoint now, bool reversed);

// Puts `cell` in the middle of the view as a click on the mini-map does: the top-left cell is the
// cell less half the visible columns ((Right - Left) / 32 + 1) and rows (((Bottom - Top) + 32) / 8
// + 1, one more rounded up), then kept so that the view does not pass the map's right and bottom
// edges, and never below 0.
void CentreViewOn(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint cell);

// Puts a settlement's main building at `cell` in the middle of the view, as choosing the
// settlement from the "Projekt" menu does: the top-left cell is the cell less half the visible
// columns ((Right - Left) / 32 + 1) / 2 and less half the visible rows ((Bottom - Top + 32) / 8
// + 1) / 2 made even, so the rows keep their stagger; then kept on the map as CentreViewOn
// keeps it.
void CentreViewOnSettlement(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint cell);

}  // namespace tess
