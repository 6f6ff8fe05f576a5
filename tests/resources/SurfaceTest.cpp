// The 16-bit surface: exact colour conversion, sizing, clipped opaque, keyed and blended draws.
#include "resources/Surface.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tess {
namespace {

TEST(SurfaceColour, ExpansionRulesAndExactRoundTrip) {
    EXPECT_EQ(Expand4(8), 136);
    EXPECT_EQ(Expand4(15), 255);
    EXPECT_EQ(Expand5(16), 132);  // (16 << 3) | (16 >> 2)
    EXPECT_EQ(Expand5(31), 255);
    EXPECT_EQ(Expand6(32), 130);  // (32 << 2) | (32 >> 4)
    EXPECT_EQ(Expand6(63), 255);
    // Every surface pixel survives expansion to 8 bits and conversion back.
    for (uint32_t p = 0; p <= 0xFFFF; ++p) {
        const Rgb8 c = ExpandRgb565(static_cast<uint16_t>(p));
        ASSERT_EQ(Rgb565(c.r, c.g, c.b), p);
    }
    // The 4-bit shortcut equals expanding to 8 bits and storing.
    for (uint32_t v = 0; v <= 0x0FFF; ++v) {
        const uint16_t viaBytes = Rgb565(Expand4(v >> 8), Expand4(v >> 4), Expand4(v));
        ASSERT_EQ(Rgb565FromArgb4444(v | 0x5000), viaBytes) << v;
    }
    EXPECT_EQ(kMagenta565, 0xF81F);
}

TEST(SurfaceColour, PixelsReadBackAsTheExpansionOfWhatTheSurfaceHolds) {
    tSurface s(2, 1);
    s.PutPixel(0, 0, Expand5(9), Expand6(40), Expand5(3));
    EXPECT_EQ(s.ColorAt(0, 0), (Rgb8{Expand5(9), Expand6(40), Expand5(3)}));
    // 17 is no 5-bit expansion: red keeps its top bits (2) and reads back as 16.
    s.PutPixel(1, 0, 17, 17, 17);
    EXPECT_EQ(s.ColorAt(1, 0), (Rgb8{16, 16, 16}));
    // Writes and reads outside the surface are ignored.
    s.PutPixel(2, 0, 255, 255, 255);
    s.PutPixel(-1, 0, 255, 255, 255);
    EXPECT_EQ(s.PixelAt(2, 0), 0);
    EXPECT_EQ(s.PixelAt(0, 1), 0);
}

TEST(SurfaceSize, EvenPitchBlackPixelsAndBounds) {
    tSurface s(3, 2);
    EXPECT_EQ(s.Pitch(), 4);
    EXPECT_EQ(s.BytesPerLine() % 4, 0);
    s.Fill(0x1234);
    s.SetSize(5, 3);
    EXPECT_EQ(s.Pitch(), 6);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.PixelAt(x, y), 0);
    s.SetSize(-4, 7);
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(s.Width(), 0);
    EXPECT_THROW(s.SetSize(tSurface::kMaxSide + 1, 1), std::length_error);
}

// A surface whose pixel (x, y) is 1 + x + 16 * y.
tSurface Numbered(int w, int h) {
    tSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.PutPixel565(x, y, static_cast<uint16_t>(1 + x + 16 * y));
    return s;
}

TEST(SurfaceDraw, OpaqueDrawClipsOnEveryEdge) {
    const tSurface src = Numbered(4, 3);
    tSurface dst(5, 4);
    dst.Fill(0xFFFF);
    dst.Draw(-2, -1, src);  // only the source's (2..3, 1..2) lands, at (0..1, 0..1)
    EXPECT_EQ(dst.PixelAt(0, 0), 1 + 2 + 16);
    EXPECT_EQ(dst.PixelAt(1, 1), 1 + 3 + 32);
    EXPECT_EQ(dst.PixelAt(2, 0), 0xFFFF);
    EXPECT_EQ(dst.PixelAt(0, 2), 0xFFFF);

    dst.Fill(0xFFFF);
    dst.Draw(3, 2, src);  // right and bottom edges cut
    EXPECT_EQ(dst.PixelAt(3, 2), 1);
    EXPECT_EQ(dst.PixelAt(4, 3), 1 + 1 + 16);
    EXPECT_EQ(dst.PixelAt(2, 2), 0xFFFF);

    dst.Fill(0xFFFF);
    dst.Draw(1000000, -1000000, src);  // far away: nothing
    dst.Draw(INT32_MAX, INT32_MAX, src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dst.PixelAt(x, y), 0xFFFF);
}

TEST(SurfaceDraw, SourceRectangleIsClippedToTheSource) {
    const tSurface src = Numbered(4, 4);
    tSurface dst(4, 4);
    // The rectangle sticks out left and above the source: the part inside starts at (0, 0)
    // of the source and lands one pixel right and down of (0, 0).
    dst.Draw(0, 0, src, {-1, -1, 2, 2});
    EXPECT_EQ(dst.PixelAt(0, 0), 0);
    EXPECT_EQ(dst.PixelAt(1, 1), 1);
    EXPECT_EQ(dst.PixelAt(2, 2), 1 + 1 + 16);
    EXPECT_EQ(dst.PixelAt(3, 3), 0);
    // A frame cut out of a strip, as the view draws animation frames.
    tSurface frame(4, 2);
    frame.Draw(0, 0, src, {0, 2, 4, 4});
    EXPECT_EQ(frame.PixelAt(0, 0), 1 + 32);
    EXPECT_EQ(frame.PixelAt(3, 1), 1 + 3 + 48);
}

TEST(SurfaceDraw, OverlappingDrawOntoItselfMovesPixelsIntact) {
    tSurface s = Numbered(6, 6);
    s.Draw(1, 1, s, {0, 0, 5, 5});
    EXPECT_EQ(s.PixelAt(1, 1), 1);
    EXPECT_EQ(s.PixelAt(5, 5), 1 + 4 + 64);
    s = Numbered(6, 6);
    s.Draw(0, 0, s, {1, 1, 6, 6});
    EXPECT_EQ(s.PixelAt(0, 0), 1 + 1 + 16);
    EXPECT_EQ(s.PixelAt(4, 4), 1 + 5 + 80);
}

TEST(SurfaceDraw, TransparentDrawSkipsTheSourcesKey) {
    tSurface src(3, 1);
    src.PutPixel565(0, 0, kMagenta565);
    src.PutPixel565(1, 0, 0);  // black is drawn when the key is magenta
    src.PutPixel565(2, 0, 0x1111);
    src.SetTransparentColor(kMagenta565);
    tSurface dst(3, 1);
    dst.Fill(0x2222);
    dst.DrawTransparent(0, 0, src);
    EXPECT_EQ(dst.PixelAt(0, 0), 0x2222);
    EXPECT_EQ(dst.PixelAt(1, 0), 0);
    EXPECT_EQ(dst.PixelAt(2, 0), 0x1111);
    // The default key is black.
    tSurface plain(3, 1);
    plain.PutPixel565(2, 0, 0x3333);
    dst.Fill(0x2222);
    dst.DrawTransparent(-1, 0, plain);
    EXPECT_EQ(dst.PixelAt(0, 0), 0x2222);
    EXPECT_EQ(dst.PixelAt(1, 0), 0x3333);
    EXPECT_EQ(dst.PixelAt(2, 0), 0x2222);
}

TEST(SurfaceDraw, BlendedDrawMixesChannelsAndKeepsTheKey) {
    tSurface src(2, 1);
    src.PutPixel(0, 0, 255, 255, 255);
    src.SetTransparentColor(kMagenta565);
    src.PutPixel565(1, 0, kMagenta565);
    tSurface dst(2, 1);
    dst.DrawBlended(0, 0, src, {0, 0, 2, 1}, 128);
    // (31 * 128 + 127) / 255 = 16, (63 * 128 + 127) / 255 = 32.
    EXPECT_EQ(dst.PixelAt(0, 0), 16 << 11 | 32 << 5 | 16);
    EXPECT_EQ(dst.PixelAt(1, 0), 0);
    dst.Fill(0x1234);
    dst.DrawBlended(0, 0, src, {0, 0, 1, 1}, 255);
    EXPECT_EQ(dst.PixelAt(0, 0), 0xFFFF);
    dst.Fill(0x1234);
    dst.DrawBlended(0, 0, src, {0, 0, 1, 1}, 0);
    EXPECT_EQ(dst.PixelAt(0, 0), 0x1234);
}

TEST(SurfaceFill, FillRectIsClipped) {
    tSurface s(4, 4);
    s.FillRect({-5, 2, 2, 100}, 7);
    EXPECT_EQ(s.PixelAt(0, 2), 7);
    EXPECT_EQ(s.PixelAt(1, 3), 7);
    EXPECT_EQ(s.PixelAt(2, 3), 0);
    EXPECT_EQ(s.PixelAt(0, 1), 0);
    s.FillRect({3, 3, 2, 2}, 9);  // inverted: nothing
    EXPECT_EQ(s.PixelAt(2, 2), 0);
}

}  // namespace
}  // namespace tess
