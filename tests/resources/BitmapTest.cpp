// Windows bitmaps into surfaces: 24-bit pictures through the archive or the disk, damaged data.
#include "resources/Bitmap.h"

#include <gtest/gtest.h>

#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "writers/ArchiveWriter.h"
#include "writers/BitmapWriter.h"

namespace tess {
namespace {

using writers::RgbaImage;
using writers::RgbaPixel;

// Colours the surface holds exactly (expansions of 5/6/5-bit values), varying per pixel.
RgbaImage Pattern(int w, int h) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = {Expand5(x * 7 + y), Expand6(x * 3 + y * 11), Expand5(31 - x), 255};
    return img;
}

void ExpectSame(const tSurface& s, const RgbaImage& img) {
    ASSERT_EQ(s.Width(), img.Width);
    ASSERT_EQ(s.Height(), img.Height);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            const RgbaPixel& p = img.At(x, y);
            ASSERT_EQ(s.ColorAt(x, y), (Rgb8{p.r, p.g, p.b})) << x << "," << y;
        }
}

TEST(Bitmap, Decodes24BitPicturesWithPaddedRowsTopRowFirst) {
    const RgbaImage img = Pattern(5, 3);  // 15 bytes per row, padded to 16
    tSurface s;
    DecodeBitmap(writers::WriteBmp24(img), "t.bmp", s);
    ExpectSame(s, img);
}

TEST(Bitmap, LoadsFromTheArchiveAndFallsBackToTheDisk) {
    test::TempDir dir;
    test::ScopedCurrentDir cd(dir.Path());
    const RgbaImage a = Pattern(4, 4), b = Pattern(3, 2);
    dir.Write("zor.dat", writers::BuildArchive({{"PICTURES/A.BMP", writers::WriteBmp24(a)}}));
    dir.Write("Pictures/b.bmp", writers::WriteBmp24(b));
    BigFile().Open("zor.dat");
    tSurface s;
    LoadBitmapToSurface("pictures\\a.bmp", s);
    ExpectSame(s, a);
    LoadBitmapToSurface("PICTURES/B.BMP", s);
    ExpectSame(s, b);
    EXPECT_THROW(LoadBitmapToSurface("PICTURES/none.bmp", s), IoError);
    BigFile().Close();
}

TEST(Bitmap, DamagedDataIsAnErrorAndLeavesTheSurfaceAlone) {
    std::vector<uint8_t> bmp = writers::WriteBmp24(Pattern(4, 4));
    tSurface s(2, 2);
    s.Fill(0x1234);
    const auto refused = [&s](const std::vector<uint8_t>& bytes) {
        EXPECT_THROW(DecodeBitmap(bytes, "x.bmp", s), IoError);
        EXPECT_EQ(s.Width(), 2);
        EXPECT_EQ(s.PixelAt(1, 1), 0x1234);
    };
    refused({});
    refused(std::vector<uint8_t>(bmp.begin(), bmp.begin() + 20));  // header cut off
    std::vector<uint8_t> shortRows = bmp;  // the last row's bytes are missing
    shortRows.resize(bmp.size() - 4);
    refused(shortRows);
    shortRows[30] = 0x77;  // an unknown compression is decoded as plain rows: checked alike
    refused(shortRows);
    std::vector<uint8_t> png = bmp;
    png[0] = 0x89;  // not "BM"
    refused(png);
    std::vector<uint8_t> huge = bmp;
    huge[18] = 0xFF;  // width 0x0000FFFF... beyond the largest surface
    huge[19] = 0xFF;
    huge[20] = 0x01;
    refused(huge);
    try {
        DecodeBitmap(std::vector<uint8_t>(bmp.begin(), bmp.begin() + 20), "PICTURES/x.bmp", s);
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("PICTURES/x.bmp"), std::string::npos);
    }
}

}  // namespace
}  // namespace tess
