// Scrolling the map view by dragging with the right button held.
#pragma once

#include <cstdint>

#include "map/MapDat.h"
#include "resources/Utils.h"

namespace tess {

// The editor's one tile size in view pixels (the pictures under "PICTURES/32x16/").
inline constexpr int32_t kViewTileWidth = 32;
inline constexpr int32_t kViewTileHeight = 16;

// Moves the view for a mouse move from `last` to `now` (view pixels): one column per 10 pixels
// across and two rows (rows move in pairs) per 5 pixels down, each difference truncated toward
// zero, both reversed when `reversed` is set. The view then stays within the map: its top-left
// cell goes no further than what still fills the view rectangle, and never below 0. Returns
// whether the view moved.
bool ScrollViewByDrag(ViewPosition& view, int32_t mapWidth, int32_t mapHeight, TPoint last,
                      TPoint now, bool reversed);

}  // namespace tess
