// The drawing kit: coverage rules the terrain seams depend on, lattice-periodic noise, colour
// conversions as the loaders expand them, blending and outlines.
#include <gtest/gtest.h>

#include "Canvas.h"

namespace tess::demo {
namespace {

TEST(Polygons, PixelsWhoseCentreLiesInsideAreFilled) {
    // The tile diamond (16,0) (32,8) (16,16) (0,8): pixel centres strictly inside, with the
    // half-open rule at the left and right edges.
    Canvas c(32, 16);
    const FixPoint d[] = {Fix(16, 0), Fix(32, 8), Fix(16, 16), Fix(0, 8)};
    c.FillPolygon(d, kBlack);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const int cx2 = 2 * x + 1, cy2 = 2 * y + 1;  // centres in half pixels
            const bool inside = std::abs(cx2 - 32) + 2 * std::abs(cy2 - 16) < 32;
            EXPECT_EQ(c.Get(x, y) == kBlack, inside) << x << "," << y;
        }
    // Two polygons sharing an edge cover every pixel exactly once.
    Canvas a(20, 20), b(20, 20);
    const FixPoint left[] = {Fix(0, 0), Fix(13, 0), Fix(7, 20), Fix(0, 20)};
    const FixPoint right[] = {Fix(13, 0), Fix(20, 0), Fix(20, 20), Fix(7, 20)};
    a.FillPolygon(left, kBlack);
    b.FillPolygon(right, kBlack);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_NE(a.Get(x, y) == kBlack, b.Get(x, y) == kBlack) << x << "," << y;
}

TEST(Polygons, ClippedAtTheCanvasEdges) {
    Canvas c(8, 8);
    const FixPoint big[] = {Fix(-20, -20), Fix(30, -20), Fix(30, 30), Fix(-20, 30)};
    c.FillPolygon(big, kBlack);
    for (const Rgba& p : c.Pixels())
        EXPECT_EQ(p, kBlack);
    Canvas e(8, 8);
    e.FillEllipse(Fix(4, 4), 4 * 16, 2 * 16, kBlack);
    EXPECT_EQ(e.Get(4, 4), kBlack);
    EXPECT_EQ(e.Get(4, 6), kClear);  // 2.5 rows below the centre, outside the 2-row radius
    EXPECT_EQ(e.Get(4, 1), kClear);
    EXPECT_EQ(e.Get(0, 4), kBlack);  // 3.5 columns away, inside the 4-column radius
}

// Noise that repeats with the cell lattice is what lets equal tiles join without a seam.
TEST(Noise, LatticeNoiseRepeatsWithTheCellLattice) {
    for (const auto& [w, h] : {std::pair{16, 8}, {8, 4}, {4, 4}, {4, 2}, {2, 2}})
        for (int y = -20; y < 20; ++y)
            for (int x = -40; x < 40; ++x) {
                const int v = LatticeNoise(77, x, y, w, h);
                ASSERT_EQ(v, LatticeNoise(77, x + 32, y, w, h)) << w << "x" << h;
                ASSERT_EQ(v, LatticeNoise(77, x + 16, y + 8, w, h)) << w << "x" << h;
                ASSERT_EQ(v, LatticeNoise(77, x - 16, y + 8, w, h)) << w << "x" << h;
                ASSERT_GE(v, 0);
                ASSERT_LE(v, 255);
            }
    for (int y = -9; y < 9; ++y)
        for (int x = -9; x < 9; ++x)
            EXPECT_EQ(LatticeHash(5, x, y), LatticeHash(5, x + 16, y + 8));
}

TEST(Noise, ValuesSpreadOverTheirRange) {
    int low = 0, high = 0, counts[8] = {};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int v = Noise2(3, x, y, 4, 4);
            low += v < 64;
            high += v > 192;
            ++counts[HashRange(9, x, y, 8)];
        }
    EXPECT_GT(low, 100);
    EXPECT_GT(high, 100);
    for (int n : counts)
        EXPECT_NEAR(n, 512, 120);
}

TEST(Colour, SixteenBitFormsExpandAsTheLoadersDo) {
    // 5 bits become (v << 3) | (v >> 2), 6 bits (v << 2) | (v >> 4), 4 bits v · 17.
    EXPECT_EQ(From565(0xF81F), kMagenta);
    EXPECT_EQ(From565(To565(Opaque(8, 4, 8))), Opaque(8, 4, 8));
    EXPECT_EQ(From565(0x8410), Opaque(132, 130, 132));
    EXPECT_EQ(From4444(0xFF0F), kMagenta);
    EXPECT_EQ(From4444(To4444(Opaque(0x35, 0x67, 0x9B))), Opaque(0x33, 0x66, 0x99));
    for (int v = 0; v < 65536; v += 7)
        ASSERT_EQ(To565(From565(static_cast<uint16_t>(v))), v);
}

TEST(Colour, BlendingAndScaling) {
    Canvas c(1, 1, Opaque(0, 0, 200));
    c.Blend(0, 0, WithAlpha(Opaque(200, 0, 0), 128));
    EXPECT_EQ(c.Get(0, 0), Opaque(100, 0, 100));
    c.Blend(0, 0, kClear);  // nothing
    EXPECT_EQ(c.Get(0, 0), Opaque(100, 0, 100));
    EXPECT_EQ(Scale(Opaque(100, 200, 250), 512), Opaque(200, 255, 255));
    EXPECT_EQ(Mix(kBlack, Opaque(200, 100, 0), 128), Opaque(100, 50, 0));
}

TEST(Integers, SquareRootsAndLight) {
    for (int64_t v = 0; v < 200000; v += 13) {
        const int r = ISqrt(v);
        ASSERT_LE(static_cast<int64_t>(r) * r, v);
        ASSERT_GT(static_cast<int64_t>(r + 1) * (r + 1), v);
    }
    EXPECT_EQ(ISqrt(int64_t{1} << 60), 1 << 30);
    // Upper-left points of a sphere face the light; lower-right ones turn away.
    EXPECT_GT(SphereLight(-8, -8, 16), SphereLight(0, 0, 16));
    EXPECT_GT(SphereLight(0, 0, 16), SphereLight(8, 8, 16));
    EXPECT_EQ(SphereLight(16, 16, 16), 0);
}

TEST(Outline, DarkensTheRimButNotShadows) {
    Canvas c(5, 3);
    c.Set(2, 1, Opaque(200, 100, 50));
    c.Set(0, 1, kGroundShadow);
    AddOutline(c, 128);
    EXPECT_EQ(c.Get(1, 1), Opaque(100, 50, 25));
    EXPECT_EQ(c.Get(2, 0), Opaque(100, 50, 25));
    EXPECT_EQ(c.Get(3, 1), Opaque(100, 50, 25));
    EXPECT_EQ(c.Get(1, 0), kClear);  // diagonal neighbours get nothing
    EXPECT_EQ(c.Get(0, 0), kClear);  // nor the neighbours of a shadow pixel
}

}  // namespace
}  // namespace tess::demo
