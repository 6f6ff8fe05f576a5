// The previews' pictures: the fit rule, the transparent stretch and the first frame.
#include "editor/palettes/PreviewPicture.h"

#include <gtest/gtest.h>

#include "map/ObjectFixture.h"
#include "map/ObjectsDat.h"

namespace tess {
namespace {

TEST(PreviewPictureTest, SmallPicturesKeepTheirSizeAndLargeOnesShrinkInProportion) {
    // Natural size, centred.
    EXPECT_EQ(FitPicture(20, 10, 100, 80), (SurfaceRect{40, 35, 60, 45}));
    // Too wide: the preview's width, the height in proportion.
    EXPECT_EQ(FitPicture(200, 50, 100, 80), (SurfaceRect{0, 28, 100, 53}));
    // Too high even then: the preview's height, the width in proportion.
    EXPECT_EQ(FitPicture(50, 200, 100, 80), (SurfaceRect{40, 0, 60, 80}));
    EXPECT_EQ(FitPicture(0, 0, 100, 80), (SurfaceRect{50, 40, 50, 40}));
}

TEST(PreviewPictureTest, TheStretchSkipsTransparentPixels) {
    tSurface source(2, 2);
    source.SetTransparentColor(0xF81F);
    source.PutPixel565(0, 0, 0x1111);
    source.PutPixel565(1, 0, 0xF81F);
    source.PutPixel565(0, 1, 0x2222);
    source.PutPixel565(1, 1, 0x3333);
    tSurface target(4, 4);
    target.Fill(0x7777);
    StretchTransparent(target, {0, 0, 4, 4}, source, {0, 0, 2, 2});
    EXPECT_EQ(target.PixelAt(0, 0), 0x1111);
    EXPECT_EQ(target.PixelAt(1, 1), 0x1111);
    EXPECT_EQ(target.PixelAt(2, 0), 0x7777);  // transparent: the background stays
    EXPECT_EQ(target.PixelAt(3, 1), 0x7777);
    EXPECT_EQ(target.PixelAt(0, 3), 0x2222);
    EXPECT_EQ(target.PixelAt(3, 3), 0x3333);
    // Partly outside the target: clipped, nothing written out of range.
    StretchTransparent(target, {-2, -2, 2, 2}, source, {0, 0, 2, 2});
    EXPECT_EQ(target.PixelAt(0, 0), 0x3333);
}

TEST(PreviewPictureTest, APreviewShowsTheFirstFrameOnly) {
    tObjects objects;
    tObject& object = test::AddObject(objects, 5, 1, 1);
    object.Width = 4;
    object.Height = 2;
    // Two frames stacked; the second one is all another colour.
    object.Picture.SetSize(4, 4);
    object.Picture.FillRect({0, 0, 4, 2}, 0x1234);
    object.Picture.FillRect({0, 2, 4, 4}, 0x4321);
    object.State = PictureState::Loaded;
    tSurface preview(8, 8);
    ASSERT_TRUE(DrawPreview(preview, objects, 5, 0xFFFF));
    EXPECT_EQ(preview.PixelAt(4, 4), 0x1234);
    EXPECT_EQ(preview.PixelAt(2, 3), 0x1234);
    EXPECT_EQ(preview.PixelAt(0, 0), 0xFFFF);
    int frameTwo = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            frameTwo += preview.PixelAt(x, y) == 0x4321;
    EXPECT_EQ(frameTwo, 0);
    // A type the catalogue lacks: the background only.
    EXPECT_FALSE(DrawPreview(preview, objects, 6, 0xFFFF));
    EXPECT_EQ(preview.PixelAt(4, 4), 0xFFFF);
}

}  // namespace
}  // namespace tess
