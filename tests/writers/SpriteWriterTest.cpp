// Sprite encoders: tiles decode to their input, DXT3 quality, compact files of real sizes.
#include "writers/SpriteWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "resources/Random.h"
#include "resources/SpriteLzw.h"
#include "resources/SpriteRle.h"
#include "resources/Sprites.h"
#include "support/TestUi.h"
#include "writers/SpriteEncoders.h"

namespace tess::writers {
namespace {

// A sprite-like picture: a transparent background with a few filled shapes and noise.
RgbaImage SpriteLike(int w, int h, uint32_t seed) {
    Random random(seed);
    RgbaImage img(w, h);
    for (int k = 0; k < 6; ++k) {
        const int cx = int(random.Next(uint32_t(w))), cy = int(random.Next(uint32_t(h)));
        const int r = 8 + int(random.Next(uint32_t(std::max(1, w / 5))));
        const RgbaPixel base{uint8_t(random.Next(256)), uint8_t(random.Next(256)),
                             uint8_t(random.Next(256)), 255};
        for (int y = std::max(0, cy - r); y < std::min(h, cy + r); ++y)
            for (int x = std::max(0, cx - r); x < std::min(w, cx + r); ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r) {
                    RgbaPixel p = base;
                    p.r = uint8_t(p.r + random.Next(8));
                    p.g = uint8_t(p.g ^ ((x / 4 + y / 4) & 7));
                    img.At(x, y) = p;
                }
    }
    return img;
}

std::vector<uint16_t> DecodeRle(const std::vector<uint8_t>& data, size_t pixels) {
    std::vector<uint8_t> buffer(pixels * 2, 0);
    tRle(data).DecodeTile(buffer);
    std::vector<uint16_t> out(pixels);
    for (size_t i = 0; i < pixels; ++i)
        out[i] = uint16_t(buffer[2 * i] | buffer[2 * i + 1] << 8);
    return out;
}

TEST(RunLengthEncoder, TilesDecodeToTheirPixels) {
    Random random(7);
    std::vector<std::vector<uint16_t>> tiles = {
        std::vector<uint16_t>(64 * 64, 0),       // all transparent
        std::vector<uint16_t>(64 * 64, 0x1234),  // one colour
        std::vector<uint16_t>(1, 0x8001),
    };
    for (int k = 0; k < 20; ++k) {
        std::vector<uint16_t> t(size_t(1 + random.Next(40)) * 37);
        uint16_t v = 0;
        for (uint16_t& p : t) {
            // Runs of every length, zeros and literals mixed.
            if (random.Next(5) == 0) v = random.Next(3) == 0 ? 0 : uint16_t(random.Next(65536));
            p = random.Next(7) == 0 ? uint16_t(random.Next(65536)) : v;
        }
        tiles.push_back(t);
    }
    for (const auto& t : tiles) {
        const std::vector<uint8_t> data = EncodeRleTile(t);
        ASSERT_EQ(DecodeRle(data, t.size()), t);
        tRle rle(data);
        std::vector<uint8_t> buffer(t.size() * 2);
        rle.DecodeTile(buffer);
        EXPECT_EQ(rle.Position(), data.size()) << "the end byte is the last";
    }
    // Uniform tiles take a byte per 64 zero pixels, three per 64 repeated pixels.
    EXPECT_EQ(EncodeRleTile(tiles[0]).size(), 64u + 1);
    EXPECT_EQ(EncodeRleTile(tiles[1]).size(), 3u * 64 + 1);
}

TEST(DictionaryEncoder, BandsDecodeTileByTileWithTheSameDictionary) {
    test::ScopedTestUi ui;
    const RgbaImage img = SpriteLike(256, 64, 3);
    DictionaryEncoder encoder;
    tTabulka decoder;
    for (int band = 0; band < 2; ++band) {
        encoder.Reset();
        decoder.Reset(8);
        for (int tile = 0; tile < 8; ++tile) {
            // A 32 x 32 tile of A8R8G8B8 bytes.
            std::vector<uint8_t> bytes;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const RgbaPixel& p = img.At(tile * 32 + x, band * 32 + y);
                    bytes.insert(bytes.end(), {p.b, p.g, p.r, p.a});
                }
            const std::vector<uint8_t> data = encoder.EncodeTile(bytes, 128);
            std::vector<uint8_t> out(bytes.size(), 0);
            decoder.SetData(data);
            ASSERT_EQ(decoder.DecodeTile(out, 128), tTabulka::Status::Ok);
            ASSERT_EQ(out, bytes) << "band " << band << " tile " << tile;
            // Both sides keep the same dictionary.
            ASSERT_EQ(decoder.LastIndex, encoder.LastIndex());
            ASSERT_EQ(decoder.CodeWidth, encoder.CodeWidth());
        }
    }
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_GT(encoder.WidenCount(), 0u);
    EXPECT_GT(encoder.ZeroRunCount(), 0u);
}

TEST(DictionaryEncoder, RowsOfOddLengthsAndLongZeroRuns) {
    test::ScopedTestUi ui;
    Random random(11);
    DictionaryEncoder encoder;
    tTabulka decoder;
    decoder.Reset(8);
    for (uint32_t row : {1u, 3u, 600u, 2048u}) {
        std::vector<uint8_t> bytes(size_t(row) * 5, 0);
        for (size_t i = 0; i < bytes.size(); ++i)
            if (random.Next(4) == 0) bytes[i] = uint8_t(random.Next(3));
        const std::vector<uint8_t> data = encoder.EncodeTile(bytes, row);
        std::vector<uint8_t> out(bytes.size(), 0);
        decoder.SetData(data);
        ASSERT_EQ(decoder.DecodeTile(out, row), tTabulka::Status::Ok);
        ASSERT_EQ(out, bytes) << row;
    }
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_THROW(encoder.EncodeTile(std::vector<uint8_t>(10), 3), std::invalid_argument);
}

Rgb8 Shown(const RgbaPixel& p) {
    return ExpandRgb565(Rgb565(p.r, p.g, p.b));
}

// Decodes a block through the loader (a 4 x 4 DXT3 file).
tSurface DecodeBlock(const std::array<RgbaPixel, 16>& px) {
    RgbaImage img(4, 4);
    std::copy(px.begin(), px.end(), img.Pixels.begin());
    const std::vector<uint8_t> file = WriteDds(img, {DdsFormat::Dxt3});
    tSurface s;
    DecodeDdsSprite({file, "b.dds", "End of file"}, s, nullptr);
    return s;
}

TEST(Dxt3Encoder, TwoColourBlocksAreExactAndBlackStaysBlack) {
    std::array<RgbaPixel, 16> two;
    for (size_t i = 0; i < 16; ++i)
        two[i] = i % 3 ? RgbaPixel{Expand5(3), Expand6(50), Expand5(20), 255}
                       : RgbaPixel{Expand5(30), Expand6(2), Expand5(9), 255};
    tSurface s = DecodeBlock(two);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.ColorAt(i % 4, i / 4), Shown(two[size_t(i)]));

    // Black (transparent) pixels beside coloured ones decode to exact black.
    std::array<RgbaPixel, 16> mixed;
    for (size_t i = 0; i < 16; ++i)
        mixed[i] = i < 5 ? RgbaPixel{} : RgbaPixel{uint8_t(180 + i), uint8_t(90 + 2 * i), 40, 255};
    s = DecodeBlock(mixed);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.PixelAt(i % 4, i / 4), 0);
    for (int i = 5; i < 16; ++i)
        EXPECT_NE(s.PixelAt(i % 4, i / 4), 0);
}

// Channel errors summed: of the DXT3 round trip of `count` random blocks, minus those of storing
// the colours in 16 bits alone (the least any encoder can reach on this surface); per pixel.
double ExcessError(int count, bool alongOneLine, int64_t& worst) {
    Random random(5);
    const auto error = [](const Rgb8& got, const RgbaPixel& want) {
        return int64_t(std::abs(got.r - want.r) + std::abs(got.g - want.g) +
                       std::abs(got.b - want.b));
    };
    int64_t total = 0, stored = 0;
    for (int k = 0; k < count; ++k) {
        std::array<RgbaPixel, 16> px;
        const int r0 = random.Next(200), g0 = random.Next(200), b0 = random.Next(200);
        const int dr = random.Next(15), dg = random.Next(15), db = random.Next(15);
        for (int i = 0; i < 16; ++i) {
            // Along one line in colour space (what four colours on a line fit), or a gradient
            // in two directions with a little noise.
            const int t = alongOneLine ? random.Next(4) * 3 : 0;
            px[size_t(i)] = alongOneLine
                                ? RgbaPixel{uint8_t(r0 + dr * t / 3), uint8_t(g0 + dg * t / 3),
                                            uint8_t(b0 + db * t / 3), 255}
                                : RgbaPixel{uint8_t(r0 + dr * (i % 4) + random.Next(3)),
                                            uint8_t(g0 + dg * (i / 4) + random.Next(3)),
                                            uint8_t(b0 + db * (i % 4 + i / 4) / 2), 255};
        }
        const tSurface s = DecodeBlock(px);
        for (int i = 0; i < 16; ++i) {
            const int64_t e = error(s.ColorAt(i % 4, i / 4), px[size_t(i)]);
            total += e;
            stored += error(Shown(px[size_t(i)]), px[size_t(i)]);
            worst = std::max(worst, e);
        }
    }
    return double(total - stored) / (count * 16);
}

TEST(Dxt3Encoder, BlocksStayCloseToWhatTheSurfaceCanHold) {
    int64_t worst = 0;
    const double line = ExcessError(200, true, worst);
    EXPECT_LT(line, 3.0);
    const double plane = ExcessError(200, false, worst);
    EXPECT_LT(plane, 7.0);
    EXPECT_LT(worst, 60);
}

TEST(SpriteFilesOfRealSize, AreCompactAndLoad) {
    test::ScopedTestUi ui;
    const RgbaImage img = SpriteLike(512, 512, 9);
    const size_t raw = 512 * 512 * 2;
    TiledOptions o;
    o.TileSize = 64;
    const std::vector<uint8_t> ddsr = WriteDdsr(img, o), ddsl = WriteDdsl(img, o);
    const std::vector<uint8_t> dxt3 = WriteDds(img, {DdsFormat::Dxt3});
    EXPECT_LT(ddsr.size(), raw / 2);
    EXPECT_LT(ddsl.size(), raw / 2);
    EXPECT_EQ(dxt3.size(), 128u + 512 * 512);
    tSurface a, b;
    DecodeTiledSprite({ddsr, "a", "End of file"}, TileCodec::RunLength, a, nullptr);
    DecodeTiledSprite({ddsl, "b", "End of file"}, TileCodec::Dictionary, b, nullptr);
    for (int y = 0; y < 512; y += 3)
        for (int x = 0; x < 512; x += 5) {
            const RgbaPixel& p = img.At(x, y);
            const uint16_t want =
                Rgb565(Expand4(To4Bits(p.r)), Expand4(To4Bits(p.g)), Expand4(To4Bits(p.b)));
            ASSERT_EQ(a.PixelAt(x, y), want);
            ASSERT_EQ(b.PixelAt(x, y), want);
        }
    EXPECT_TRUE(ui.errors.empty());
}

TEST(SpriteWriterOptions, RefuseLayoutsTheContainersDoNotHave) {
    const RgbaImage img(8, 8);
    TiledOptions wide;
    wide.Pixels = TilePixels::A8R8G8B8;
    EXPECT_THROW(WriteDdsr(img, wide), std::invalid_argument);
    EXPECT_NO_THROW(WriteDdsl(img, wide));
    DdsOptions tiled{DdsFormat::TiledDxt3};
    tiled.TileWidth = 6;
    EXPECT_THROW(WriteDds(img, tiled), std::invalid_argument);
    EXPECT_THROW(WriteDds2(img, 2), std::invalid_argument);
}

}  // namespace
}  // namespace tess::writers
