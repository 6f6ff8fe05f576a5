// The picture of a whole map as the view draws it, made part by part.
#pragma once

#include <cstdint>

#include "view/ViewDat.h"

namespace tess {

// The whole map as a view at cell (0, 0) with its rectangle at the surface's top-left corner
// and large enough for every column and row: TileWidth * Width by TileHeight / 2 * Height
// pixels (the editor's view of the map on a screen of that size; the top rows and the left half
// of the first column of even rows fall outside it, as they do in the editor).
//
// Parts are drawn with the view's own Draw: for a part, the view is placed so that the part's
// pixels land on its surface, and only the cells whose pictures can reach into the part are
// visited. Everything is drawn in the same order as in one draw of the whole picture, so the
// parts put together give exactly that draw, without a surface of the whole size.
class MapPicture {
  public:
    // Measures the picture of the view's map. Loads the pictures of every object type the map
    // shows (their frames decide how far a cell's drawing reaches).
    explicit MapPicture(tView& view);

    int64_t Width() const { return width_; }
    int64_t Height() const { return height_; }

    // Draws the part whose top-left corner is (left, top) of the picture into the view's
    // surface, which gives the part's size. The view's position and rectangle are kept.
    void DrawPart(int64_t left, int64_t top);

  private:
    tView& view_;
    int64_t width_ = 0;
    int64_t height_ = 0;
    // How far anything drawn for a cell reaches from its tile corner at level 0: columns
    // [reachLeft_, reachRight_), rows [reachUp_, reachDown_).
    int64_t reachLeft_ = 0;
    int64_t reachRight_ = 0;
    int64_t reachUp_ = 0;
    int64_t reachDown_ = 0;
};

}  // namespace tess
