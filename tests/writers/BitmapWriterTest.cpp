// Bitmap writer: palettised pictures decode to their colours at every depth and row padding.
#include "writers/BitmapWriter.h"

#include <gtest/gtest.h>

#include "resources/Bitmap.h"
#include "resources/Bytes.h"

namespace tess::writers {
namespace {

// A picture of exactly `colours` distinct colours (each one a surface colour, so it reads back
// exactly), scattered so that neighbouring pixels differ.
RgbaImage WithColours(int w, int h, int colours) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = (x * 7 + y * 13) % colours;
            img.At(x, y) = {Expand5(uint32_t(c)), Expand6(uint32_t(c * 5)),
                            Expand5(uint32_t(c / 31)), 255};
        }
    return img;
}

void ExpectDecodesTo(const std::vector<uint8_t>& bmp, const RgbaImage& img) {
    tSurface s;
    DecodeBitmap(bmp, "t.bmp", s);
    ASSERT_EQ(s.Width(), img.Width);
    ASSERT_EQ(s.Height(), img.Height);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            const RgbaPixel& p = img.At(x, y);
            ASSERT_EQ(s.ColorAt(x, y), (Rgb8{p.r, p.g, p.b})) << x << "," << y;
        }
}

uint16_t BitsPerPixel(const std::vector<uint8_t>& bmp) {
    ByteReader r(bmp);
    r.Seek(28);
    return r.U16();
}

TEST(IndexedBitmap, DecodesToItsColoursWhateverTheRowPadding) {
    for (int bits : {4, 8}) {
        const int colours = bits == 4 ? 16 : 256;
        for (int w = 1; w <= 9; ++w) {  // 4 bits: 1..5 bytes a row, padded to 4 or 8
            SCOPED_TRACE(std::to_string(bits) + " bits, width " + std::to_string(w));
            const RgbaImage img = WithColours(w * 11, 5, colours);
            const std::vector<uint8_t> bmp = WriteBmpIndexed(img, bits);
            EXPECT_EQ(BitsPerPixel(bmp), bits);
            // The colour table holds the colours the picture uses, no more.
            const size_t used = PictureColours(img).size();
            const size_t rowBytes = (size_t(img.Width) * size_t(bits) + 31) / 32 * 4;
            EXPECT_EQ(bmp.size(), 54 + 4 * used + rowBytes * 5);
            ExpectDecodesTo(bmp, img);
        }
    }
}

TEST(IndexedBitmap, CompactTakesTheSmallestDepthThatHoldsTheColours) {
    const struct {
        int colours;
        uint16_t bits;
    } cases[] = {{1, 4}, {16, 4}, {17, 8}, {256, 8}, {257, 24}};
    for (const auto& c : cases) {
        const RgbaImage img = WithColours(40, 20, c.colours);
        ASSERT_EQ(PictureColours(img).size(), size_t(c.colours));
        const std::vector<uint8_t> bmp = WriteBmpCompact(img);
        EXPECT_EQ(BitsPerPixel(bmp), c.bits) << c.colours << " colours";
        ExpectDecodesTo(bmp, img);
    }
    // Alpha plays no part: the same colour at two opacities is one table entry.
    RgbaImage twoAlphas(2, 1, {10, 20, 30, 255});
    twoAlphas.At(1, 0).a = 0;
    EXPECT_EQ(PictureColours(twoAlphas).size(), 1u);
}

TEST(IndexedBitmap, RefusesMoreColoursThanTheDepthHolds) {
    EXPECT_THROW(WriteBmpIndexed(WithColours(40, 20, 17), 4), std::invalid_argument);
    EXPECT_THROW(WriteBmpIndexed(WithColours(40, 20, 257), 8), std::invalid_argument);
    EXPECT_THROW(WriteBmpIndexed(WithColours(4, 4, 2), 2), std::invalid_argument);
}

}  // namespace
}  // namespace tess::writers
