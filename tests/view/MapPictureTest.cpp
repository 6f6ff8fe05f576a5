// Whole-map pictures drawn part by part against one draw of the whole.
#include "view/MapPicture.h"

#include <gtest/gtest.h>

#include "ViewFixture.h"

namespace tess {
namespace {

// A map whose things reach far: tall buildings, trees, units, walls, hills and cliffs, right up
// to every edge.
void Crowd(test::ViewFixture& f) {
    Random rnd(21);
    tMapa& m = *f.map;
    for (int32_t y = 0; y < m.Height; ++y)
        for (int32_t x = 0; x < m.Width; ++x)
            m.SetLevel(x, y, rnd.Next(8));
    for (int32_t y = 0; y < m.Height; y += 2)
        for (int32_t x = 0; x < m.Width; ++x) {
            m.SetTerrain(x, y, rnd.Next(16));
            if (rnd.Next(6) == 0) f.WallBlock(x, y, 1 + rnd.Next(16), rnd.Next(4));
        }
    f.AddBuilding(1, test::kHall, 1);
    f.AddUnit(1, test::kWalker);
    const int objects[] = {test::kTree, test::kBush, test::kRock, test::kBody};
    for (int32_t y = 0; y < m.Height; ++y)
        for (int32_t x = 0; x < m.Width; ++x) {
            if (m.GetOccupancy(x, y) == 3 || rnd.Next(3) != 0) continue;
            const int pick = rnd.Next(6);
            if (pick < 4) f.PutObject(x, y, 0, objects[pick], rnd.Next(256), rnd.Next(8));
            if (pick == 4) f.PutObject(x, y, 1, 1, rnd.Next(256));
            if (pick == 5) f.PutObject(x, y, 2, 1, rnd.Next(256));
        }
}

TEST(MapPicture, PartsPutTogetherGiveTheWholeDraw) {
    test::ViewFixture f(21, 45, 21 * 32, 45 * 8);
    Crowd(f);
    MapPicture picture(f.view);
    ASSERT_EQ(picture.Width(), 21 * 32);
    ASSERT_EQ(picture.Height(), 45 * 8);
    // One draw of everything.
    f.view.Draw(false);
    const tSurface whole = f.surface;
    EXPECT_GT(f.view.PixelsWritten(), uint64_t(whole.Width()) * whole.Height());
    for (const auto& [partWidth, partHeight] :
         {std::pair{37, 23}, std::pair{100, 64}, std::pair{672, 7}, std::pair{5, 360}}) {
        tSurface part(partWidth, partHeight);
        f.view.Surface = &part;
        for (int64_t top = 0; top < picture.Height(); top += partHeight)
            for (int64_t left = 0; left < picture.Width(); left += partWidth) {
                picture.DrawPart(left, top);
                for (int32_t y = 0; y < partHeight && top + y < picture.Height(); ++y)
                    for (int32_t x = 0; x < partWidth && left + x < picture.Width(); ++x)
                        ASSERT_EQ(part.PixelAt(x, y),
                                  whole.PixelAt(int32_t(left + x), int32_t(top + y)))
                            << partWidth << " x " << partHeight << " at " << left + x << ", "
                            << top + y;
            }
    }
    // The view is left where it was.
    EXPECT_EQ(f.view.X, 0);
    EXPECT_EQ(f.view.Right, 21 * 32);
}

TEST(MapPicture, AFrameReachingFarIsStillCutAtTheRightPlace) {
    test::ViewFixture f(16, 64, 16 * 32, 64 * 8);
    // A building picture far above and to the left of its anchor.
    tObject& hall = *f.view.Zoom->Objects->Item(test::kHall);
    hall.Relat_X = 300;
    hall.Relat_Y = 400;
    f.AddBuilding(1, test::kHall, 1);
    f.PutObject(15, 63, 1, 1);
    f.view.Draw(false);
    const tSurface whole = f.surface;
    MapPicture picture(f.view);
    tSurface part(50, 40);
    f.view.Surface = &part;
    for (int64_t top = 0; top < picture.Height(); top += 40)
        for (int64_t left = 0; left < picture.Width(); left += 50) {
            picture.DrawPart(left, top);
            for (int32_t y = 0; y < 40 && top + y < picture.Height(); ++y)
                for (int32_t x = 0; x < 50 && left + x < picture.Width(); ++x)
                    ASSERT_EQ(part.PixelAt(x, y),
                              whole.PixelAt(int32_t(left + x), int32_t(top + y)));
        }
}

}  // namespace
}  // namespace tess
