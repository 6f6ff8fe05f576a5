// Run pictures against the surface's own colour-keyed and blended blits.
#include "view/RunPicture.h"

#include <gtest/gtest.h>

#include "resources/Random.h"

namespace tess {
namespace {

// A picture with holes of every length, on its key colour.
tSurface Holey(Random& rnd, int32_t width, int32_t height, uint16_t key) {
    tSurface s(width, height);
    s.SetTransparentColor(key);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            s.PutPixel565(x, y,
                          rnd.Next(3) == 0 ? key : static_cast<uint16_t>(1 + rnd.Next(65000)));
    // A full row and an empty one.
    if (height > 2) {
        for (int32_t x = 0; x < width; ++x) {
            s.PutPixel565(x, 0, 77);
            s.PutPixel565(x, 1, key);
        }
    }
    return s;
}

tSurface Background(Random& rnd, int32_t width, int32_t height) {
    tSurface s(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            s.PutPixel565(x, y, static_cast<uint16_t>(rnd.Next(65536)));
    return s;
}

TEST(RunPicture, DrawsExactlyWhatTheColourKeyedBlitDraws) {
    Random rnd(11);
    for (int round = 0; round < 400; ++round) {
        const int32_t w = 1 + rnd.Next(40), h = 1 + rnd.Next(30);
        const uint16_t key = round % 2 ? kMagenta565 : static_cast<uint16_t>(rnd.Next(65536));
        const tSurface picture = Holey(rnd, w, h, key);
        const RunPicture runs(picture);
        const tSurface target = Background(rnd, 37, 29);
        // Positions beyond every edge and parts that stick out of the picture.
        const int32_t x = rnd.Next(90) - 45, y = rnd.Next(70) - 35;
        SurfaceRect part{rnd.Next(w + 10) - 5, rnd.Next(h + 10) - 5, 0, 0};
        part.Right = part.Left + rnd.Next(w + 10);
        part.Bottom = part.Top + rnd.Next(h + 10);
        tSurface expected = target, actual = target;
        expected.DrawTransparent(x, y, picture, part);
        const uint64_t written = runs.Draw(actual, SurfaceRect{0, 0, 37, 29}, x, y,
                                           WideRect{part.Left, part.Top, part.Right, part.Bottom});
        for (int32_t ty = 0; ty < 29; ++ty)
            for (int32_t tx = 0; tx < 37; ++tx)
                ASSERT_EQ(actual.PixelAt(tx, ty), expected.PixelAt(tx, ty))
                    << "round " << round << " at " << tx << ", " << ty;
        // Every opaque pixel that landed was counted.
        uint64_t changed = 0;
        for (int32_t py = std::max(part.Top, 0); py < std::min(part.Bottom, h); ++py)
            for (int32_t px = std::max(part.Left, 0); px < std::min(part.Right, w); ++px)
                changed += picture.PixelAt(px, py) != key &&
                           target.Contains(x + px - part.Left, y + py - part.Top);
        ASSERT_EQ(written, changed) << "round " << round;
    }
}

TEST(RunPicture, ClipsToAGivenRectangleAndFarAwayPositions) {
    Random rnd(12);
    const tSurface picture = Holey(rnd, 30, 20, kMagenta565);
    const RunPicture runs(picture);
    tSurface target(64, 48);
    const SurfaceRect clip{10, 5, 40, 30};
    runs.Draw(target, clip, 0, 0);
    runs.Draw(target, clip, 30, 20);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x)
            if (x < 10 || x >= 40 || y < 5 || y >= 30) {
                ASSERT_EQ(target.PixelAt(x, y), 0);
            }
    // Positions and parts that would overflow 32 bits draw nothing.
    EXPECT_EQ(runs.Draw(target, clip, INT64_C(1) << 40, 0), 0u);
    EXPECT_EQ(runs.Draw(target, clip, 0, -(INT64_C(1) << 40)), 0u);
    EXPECT_EQ(runs.Draw(target, clip, 12, 7, WideRect{INT32_MAX, 0, INT64_MAX / 2, 10}), 0u);
    EXPECT_EQ(runs.Draw(target, clip, 12, 7, WideRect{0, 5, 30, 5}), 0u);
}

TEST(RunPicture, BlendsAsTheSurfacesBlendedBlit) {
    Random rnd(13);
    for (int round = 0; round < 100; ++round) {
        const tSurface picture = Holey(rnd, 1 + rnd.Next(25), 1 + rnd.Next(25), kMagenta565);
        const RunPicture runs(picture);
        const tSurface target = Background(rnd, 30, 30);
        const int32_t x = rnd.Next(40) - 20, y = rnd.Next(40) - 20;
        const uint8_t opacity = static_cast<uint8_t>(rnd.Next(256));
        const SurfaceRect part{0, 0, picture.Width(), picture.Height()};
        tSurface expected = target, actual = target;
        expected.DrawBlended(x, y, picture, part, opacity);
        runs.DrawBlended(actual, SurfaceRect{0, 0, 30, 30}, x, y,
                         WideRect{0, 0, picture.Width(), picture.Height()}, opacity);
        for (int32_t ty = 0; ty < 30; ++ty)
            for (int32_t tx = 0; tx < 30; ++tx)
                ASSERT_EQ(actual.PixelAt(tx, ty), expected.PixelAt(tx, ty)) << round;
    }
}

TEST(RunPicture, AnEmptyOrFullyTransparentPictureDrawsNothing) {
    tSurface clear(8, 8);
    clear.Fill(kMagenta565);
    clear.SetTransparentColor(kMagenta565);
    tSurface target(8, 8);
    target.Fill(123);
    EXPECT_EQ(RunPicture(clear).RunCount(), 0u);
    EXPECT_EQ(RunPicture(clear).Draw(target, SurfaceRect{0, 0, 8, 8}, 0, 0), 0u);
    EXPECT_EQ(RunPicture(tSurface()).Draw(target, SurfaceRect{0, 0, 8, 8}, 0, 0), 0u);
    EXPECT_EQ(target.PixelAt(3, 3), 123);
}

}  // namespace
}  // namespace tess
