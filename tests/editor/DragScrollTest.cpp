// Scrolling by dragging: pixels to cells, truncation, reversal and the limits of the map.
#include "editor/DragScroll.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

ViewPosition View(int32_t x, int32_t y) {
    ViewPosition view;
    view.X = x;
    view.Y = y;
    view.Right = 640;   // 20 columns
    view.Bottom = 480;  // 60 rows
    return view;
}

TEST(DragScrollTest, TenPixelsPerColumnAndFivePerPairOfRows) {
    ViewPosition view = View(100, 100);
    EXPECT_TRUE(ScrollViewByDrag(view, 1000, 1000, {200, 200}, {229, 214}, false));
    EXPECT_EQ(view.X, 102);  // 29 / 10
    EXPECT_EQ(view.Y, 104);  // 2 * (14 / 5)
    // Truncation toward zero both ways: small moves do not scroll.
    EXPECT_FALSE(ScrollViewByDrag(view, 1000, 1000, {200, 200}, {191, 196}, false));
    EXPECT_EQ(view.X, 102);
    EXPECT_EQ(view.Y, 104);
    ScrollViewByDrag(view, 1000, 1000, {200, 200}, {179, 189}, false);
    EXPECT_EQ(view.X, 100);
    EXPECT_EQ(view.Y, 100);
}

TEST(DragScrollTest, ReversedScrollingMovesTheOtherWay) {
    ViewPosition view = View(100, 100);
    ScrollViewByDrag(view, 1000, 1000, {200, 200}, {230, 215}, true);
    EXPECT_EQ(view.X, 97);
    EXPECT_EQ(view.Y, 94);
}

TEST(DragScrollTest, TheViewStaysOnTheMap) {
    ViewPosition view = View(5, 4);
    ScrollViewByDrag(view, 1000, 1000, {500, 500}, {0, 0}, false);
    EXPECT_EQ(view.X, 0);
    EXPECT_EQ(view.Y, 0);
    // The far edge: Width - 640/32 - 2 and Height - 480/8 - 2.
    ScrollViewByDrag(view, 1000, 800, {0, 0}, {100000, 100000}, false);
    EXPECT_EQ(view.X, 978);
    EXPECT_EQ(view.Y, 738);
    // A map smaller than the view keeps the view at its top-left corner.
    ScrollViewByDrag(view, 10, 10, {0, 0}, {500, 500}, false);
    EXPECT_EQ(view.X, 0);
    EXPECT_EQ(view.Y, 0);
}

TEST(DragScrollTest, ExtremePositionsDoNotOverflow) {
    ViewPosition view = View(0, 0);
    ScrollViewByDrag(view, 2047, 2047, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, false);
    EXPECT_EQ(view.X, 2047 - 20 - 2);
    EXPECT_EQ(view.Y, 2047 - 60 - 2);
    ScrollViewByDrag(view, 2047, 2047, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}, true);
    EXPECT_EQ(view.X, 2047 - 20 - 2);
}

}  // namespace
}  // namespace tess
