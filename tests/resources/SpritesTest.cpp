// Sprite loaders: every container and layout, their messages, tile walks and hostile files.
#include "resources/Sprites.h"

#include <gtest/gtest.h>

#include <chrono>

#include "TiledBytes.h"
#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/SpriteEncoders.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

using test::TiledBytes;
using writers::RgbaImage;
using writers::RgbaPixel;

// Colours a 16-bit surface holds exactly, different per pixel, with a transparent corner.
RgbaImage Picture(int w, int h, bool fourBit = false) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (x < 3 && y < 2) continue;  // transparent black
            if (fourBit)
                img.At(x, y) = {Expand4(x + y), Expand4(x * 3), Expand4(15 - y), Expand4(x ^ y)};
            else
                img.At(x, y) = {Expand5(x + y), Expand6(x * 5 + y), Expand5(31 - x),
                                uint8_t(x * 16 + y)};
        }
    }
    return img;
}

// Each pixel is the file's 8-bit colour as the surface stores it.
void ExpectColours(const tSurface& s, const RgbaImage& img) {
    ASSERT_EQ(s.Width(), img.Width);
    ASSERT_EQ(s.Height(), img.Height);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            const RgbaPixel& p = img.At(x, y);
            ASSERT_EQ(s.PixelAt(x, y), Rgb565(p.r, p.g, p.b)) << "at " << x << "," << y;
        }
}

// The alpha surface holds grey pixels of the opacity (given as the 8-bit level expected).
void ExpectAlpha(const tSurface& s, const RgbaImage& img, bool fourBit) {
    ASSERT_EQ(s.Width(), img.Width);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            const uint8_t a = fourBit ? Expand4(writers::To4Bits(img.At(x, y).a)) : img.At(x, y).a;
            ASSERT_EQ(s.PixelAt(x, y), Rgb565(a, a, a)) << "at " << x << "," << y;
        }
}

// A game directory with an archive; files on disk are written beside it.
class SpriteFiles : public ::testing::Test {
  protected:
    SpriteFiles() : cd(dir.Path()) {}
    ~SpriteFiles() override { BigFile().Close(); }
    void Archive(const std::vector<writers::ArchiveMember>& members) {
        dir.Write("zor.dat", writers::BuildArchive(members));
        BigFile().Open("zor.dat");
    }
    std::string Disk(const std::string& name, const std::vector<uint8_t>& bytes) {
        dir.Write(name, bytes);
        return name;
    }
    test::TempDir dir;
    test::ScopedCurrentDir cd;
    test::ScopedTestUi ui;
};

// --- DirectDraw Surface ----------------------------------------------------------------------

TEST_F(SpriteFiles, UncompressedLayoutsDecodeColourAndAlpha) {
    const RgbaImage img = Picture(7, 5), img4 = Picture(7, 5, true);
    tSurface colour, alpha;
    LoadDDStoSurface(Disk("a.dds", writers::WriteDds(img4, {writers::DdsFormat::A4R4G4B4})), colour,
                     &alpha);
    ExpectColours(colour, img4);
    ExpectAlpha(alpha, img4, true);

    LoadDDStoSurface(Disk("b.dds", writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8})), colour,
                     &alpha);
    ExpectColours(colour, img);
    ExpectAlpha(alpha, img, false);

    // R5G6B5 rows are copied as they stand; the alpha surface is not touched.
    tSurface untouched(2, 2);
    untouched.Fill(0x1234);
    LoadDDStoSurface(Disk("c.dds", writers::WriteDds(img, {writers::DdsFormat::R5G6B5})), colour,
                     &untouched);
    ExpectColours(colour, img);
    EXPECT_EQ(untouched.Width(), 2);
    EXPECT_EQ(untouched.PixelAt(1, 1), 0x1234);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, PlusMagicLoadsExactlyLikeTheOrdinaryOne) {
    const RgbaImage img = Picture(9, 6);
    for (writers::DdsFormat f : {writers::DdsFormat::A8R8G8B8, writers::DdsFormat::Dxt3}) {
        tSurface a, b, alphaA, alphaB;
        LoadDDStoSurface(Disk("a.dds", writers::WriteDds(img, {f, false})), a, &alphaA);
        LoadDDStoSurface(Disk("b.dds", writers::WriteDds(img, {f, true})), b, &alphaB);
        ASSERT_EQ(a.Width(), 9);
        ASSERT_EQ(b.Height(), 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) {
                EXPECT_EQ(a.PixelAt(x, y), b.PixelAt(x, y));
                EXPECT_EQ(alphaA.PixelAt(x, y), alphaB.PixelAt(x, y));
            }
    }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, Dxt3DecodesWholeBlocksOnly) {
    const RgbaImage white(10, 10, {255, 255, 255, 255});
    tSurface colour, alpha;
    LoadDDStoSurface(Disk("w.dds", writers::WriteDds(white, {writers::DdsFormat::Dxt3})), colour,
                     &alpha);
    ASSERT_EQ(colour.Width(), 10);
    ASSERT_EQ(colour.Height(), 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool decoded = x < 8 && y < 8;
            EXPECT_EQ(colour.PixelAt(x, y), decoded ? 0xFFFF : 0) << x << "," << y;
            EXPECT_EQ(alpha.PixelAt(x, y), decoded ? 0xFFFF : 0) << x << "," << y;
        }
}

// A 4 x 4 DXT3 file with one hand-made block.
std::vector<uint8_t> OneBlock(const std::array<uint8_t, 16>& block) {
    std::vector<uint8_t> file = writers::WriteDds(RgbaImage(4, 4), {writers::DdsFormat::Dxt3});
    std::copy(block.begin(), block.end(), file.begin() + 128);
    return file;
}

TEST_F(SpriteFiles, Dxt3PaletteTruncatesEachTermAndAlphaIsPerPixel) {
    // c0 = c1 = green 1 (8-bit 4): the in-between colours are 2*4/3 + 4/3 = 3, whose top six
    // bits are 0 (a combined (2*4 + 4)/3 = 4 would give green 1).
    // Row 0 alpha 0x0F80: pixels 0..3 have 0, 8, 15, 0. Row indices 0, 2, 3, 1.
    const std::array<uint8_t, 16> block = {0x80, 0x0F, 0,    0, 0,    0,    0,    0,
                                           0x20, 0,    0x20, 0, 0x78, 0x78, 0x78, 0x78};
    tSurface colour, alpha;
    LoadDDStoSurface(Disk("p.dds", OneBlock(block)), colour, &alpha);
    EXPECT_EQ(colour.PixelAt(0, 0), 0x0020);
    EXPECT_EQ(colour.PixelAt(1, 0), 0x0000);
    EXPECT_EQ(colour.PixelAt(2, 0), 0x0000);
    EXPECT_EQ(colour.PixelAt(3, 0), 0x0020);
    EXPECT_EQ(alpha.PixelAt(0, 0), 0);
    EXPECT_EQ(alpha.PixelAt(1, 0), Rgb565(136, 136, 136));
    EXPECT_EQ(alpha.PixelAt(2, 0), 0xFFFF);
    EXPECT_EQ(alpha.PixelAt(0, 1), 0);
    // Four colours whatever the order: c0 black, c1 white gives 85 and 170 between them.
    const std::array<uint8_t, 16> ramp = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xE4, 0, 0, 0};
    LoadDDStoSurface(Disk("r.dds", OneBlock(ramp)), colour, nullptr);
    EXPECT_EQ(colour.PixelAt(0, 0), 0x0000);                 // index 0
    EXPECT_EQ(colour.PixelAt(1, 0), 0xFFFF);                 // index 1
    EXPECT_EQ(colour.PixelAt(2, 0), Rgb565(85, 85, 85));     // index 2
    EXPECT_EQ(colour.PixelAt(3, 0), Rgb565(170, 170, 170));  // index 3
}

TEST_F(SpriteFiles, TiledDxt3PlacesTilesInRowsAndClipsThePicture) {
    // Each 8 x 8 tile one solid colour: DXT3 keeps such blocks exact.
    RgbaImage img(20, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            img.At(x, y) = {Expand5(x / 8 * 10), Expand6(y / 8 * 30), Expand5(7), 255};
    writers::DdsOptions o{writers::DdsFormat::TiledDxt3};
    o.TileWidth = 8;
    o.TileHeight = 8;
    tSurface colour, alpha;
    LoadDDStoSurface(Disk("t.dds", writers::WriteDds(img, o)), colour, &alpha);
    ExpectColours(colour, img);
    EXPECT_EQ(alpha.PixelAt(19, 11), 0xFFFF);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, WrongMagicIsReportedThenReadAnywayAndUnknownLayoutsStop) {
    const RgbaImage img = Picture(4, 3);
    std::vector<uint8_t> file = writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8});
    std::copy_n("XYZW", 4, file.begin());
    tSurface colour;
    LoadDDStoSurface(Disk("x.dds", file), colour, nullptr);
    EXPECT_EQ(ui.errors,
              (std::vector<std::string>{"LoadDDStoSurface nekompatibilni typ souboru x.dds"}));
    ExpectColours(colour, img);

    ui.Reset();
    file = writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8});
    file[88] = 24;  // a 24-bit layout is none of the five
    colour.SetSize(2, 2);
    colour.Fill(0x4321);
    LoadDDStoSurface(Disk("y.dds", file), colour, nullptr);
    EXPECT_EQ(
        ui.errors,
        (std::vector<std::string>{"LoadDDStoSurface nekompatibilni pixel format souboru y.dds"}));
    EXPECT_EQ(colour.Width(), 2);
    EXPECT_EQ(colour.PixelAt(0, 0), 0x4321);
}

TEST_F(SpriteFiles, TheFirst128BytesAreReadWhateverTheContainer) {
    // A small run-length sprite, shorter than 128 bytes.
    const std::vector<uint8_t> small = writers::WriteDdsr(RgbaImage(2, 2, {255, 0, 0, 255}));
    ASSERT_LT(small.size(), 128u);
    Archive({{"PICTURES/S.DDSR", small}});
    tSurface colour;
    try {
        LoadDDStoSurface("pictures/s.ddsr", colour, nullptr);
        ADD_FAILURE() << "no read error";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), "End of file");
    }
    LoadDDSRtoSurface("pictures/s.ddsr", colour, nullptr);
    EXPECT_EQ(colour.PixelAt(1, 1), Rgb565(255, 0, 0));
    // From the disk the disk file's own read error is raised.
    EXPECT_THROW(LoadDDStoSurface(Disk("s2.ddsr", small), colour, nullptr), IoError);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, InformationAnswersIncludingTheRedMaskQuirk) {
    const RgbaImage img(6, 5);
    int32_t w = -1, h = -1, alphaBits = -1, bpp = -1;
    const auto info = [&](const std::vector<uint8_t>& file) {
        return GetDDSInfo(Disk("i.dds", file), w, h, alphaBits, bpp);
    };
    EXPECT_TRUE(info(writers::WriteDds(img, {writers::DdsFormat::A4R4G4B4})));
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(bpp, 16);
    EXPECT_EQ(alphaBits, 4);
    EXPECT_TRUE(info(writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8})));
    EXPECT_EQ(bpp, 32);
    EXPECT_EQ(alphaBits, 8);
    EXPECT_TRUE(info(writers::WriteDds(img, {writers::DdsFormat::R5G6B5, true})));
    EXPECT_EQ(bpp, 16);
    EXPECT_EQ(alphaBits, 0);
    alphaBits = 77;
    EXPECT_TRUE(info(writers::WriteDds(img, {writers::DdsFormat::Dxt3})));
    EXPECT_EQ(bpp, 16);
    EXPECT_EQ(alphaBits, 77);  // left alone

    // Red mask 0xF000: the information says yes, the loader refuses the pixel format.
    std::vector<uint8_t> quirk = writers::WriteDds(img, {writers::DdsFormat::A4R4G4B4});
    quirk[93] = 0xF0;  // red mask 0x0F00 -> 0xF000
    quirk[92] = 0x00;
    EXPECT_TRUE(info(quirk));
    EXPECT_EQ(alphaBits, 4);
    tSurface colour;
    LoadDDStoSurface("i.dds", colour, nullptr);
    EXPECT_EQ(
        ui.errors,
        (std::vector<std::string>{"LoadDDStoSurface nekompatibilni pixel format souboru i.dds"}));

    std::vector<uint8_t> other = writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8});
    other[88] = 24;
    alphaBits = 77;
    EXPECT_FALSE(info(other));
    EXPECT_EQ(bpp, 24);
    EXPECT_EQ(alphaBits, 77);
    w = -1;
    EXPECT_FALSE(info(writers::WriteDdsr(RgbaImage(70, 70))));  // not a DDS magic
    EXPECT_EQ(w, -1);

    EXPECT_TRUE(
        GetDDSRInfo(Disk("r.ddsr", writers::WriteDdsr(RgbaImage(7, 3))), w, h, alphaBits, bpp));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(bpp, 16);
    EXPECT_EQ(alphaBits, 4);
    writers::TiledOptions rgb;
    rgb.Pixels = writers::TilePixels::R5G6B5;
    EXPECT_FALSE(GetDDSRInfo(Disk("l.ddsl", writers::WriteDdsl(RgbaImage(7, 3), rgb)), w, h,
                             alphaBits, bpp));
    EXPECT_EQ(bpp, 16);
    EXPECT_EQ(alphaBits, 0);
}

// --- tiled containers ------------------------------------------------------------------------

TEST_F(SpriteFiles, RunLengthContainerRoundTripsAcrossBandsAndDownLinks) {
    const RgbaImage img = Picture(70, 45, true);
    for (int rowsPerBand : {1, 3}) {
        writers::TiledOptions o;
        o.TileSize = 16;
        o.RowsPerBand = rowsPerBand;
        tSurface colour, alpha;
        LoadDDSRtoSurface(Disk("a.ddsr", writers::WriteDdsr(img, o)), colour, &alpha);
        ExpectColours(colour, img);
        ExpectAlpha(alpha, img, true);
        // The general loader hands "DDSR" files to the same decoding.
        tSurface again;
        LoadDDStoSurface("a.ddsr", again, nullptr);
        ExpectColours(again, img);
    }
    writers::TiledOptions rgb;
    rgb.Pixels = writers::TilePixels::R5G6B5;
    const RgbaImage img565 = Picture(33, 17);
    tSurface colour;
    LoadDDSRtoSurface(Disk("b.ddsr", writers::WriteDdsr(img565, rgb)), colour, nullptr);
    ExpectColours(colour, img565);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, DictionaryContainerRoundTripsWithZeroRunsAndWiderCodes) {
    // Wide bands of varied pixels and transparent stretches make the dictionary grow past
    // 9 bits and use zero runs.
    RgbaImage img(512, 70);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 512; ++x)
            if ((x / 24 + y / 10) % 3 != 0)
                img.At(x, y) = {Expand5(x % 32), Expand6((x * y) % 64), Expand5(y % 32),
                                uint8_t(x + y)};
    for (writers::TilePixels px : {writers::TilePixels::A8R8G8B8, writers::TilePixels::A4R4G4B4,
                                   writers::TilePixels::R5G6B5}) {
        writers::TiledOptions o;
        o.Pixels = px;
        o.TileSize = 32;
        o.RowsPerBand = 2;
        RgbaImage source = img;
        if (px == writers::TilePixels::A4R4G4B4)
            for (RgbaPixel& p : source.Pixels)
                p = {Expand4(p.r >> 4), Expand4(p.g >> 4), Expand4(p.b >> 4), p.a};
        tSurface colour, alpha;
        LoadDDSLtoSurface(Disk("a.ddsl", writers::WriteDdsl(source, o)), colour, &alpha);
        ExpectColours(colour, source);
        if (px == writers::TilePixels::A8R8G8B8) ExpectAlpha(alpha, source, false);
    }
    EXPECT_TRUE(ui.errors.empty());
    // The encoder did use both codes this test is about.
    writers::DictionaryEncoder probe;
    std::vector<uint8_t> row(32 * 4 * 32);
    for (size_t i = 0; i < row.size(); ++i)
        row[i] = (i / 64) % 3 ? uint8_t(i * 7 + i / 128) : 0;
    for (int k = 0; k < 16; ++k)
        probe.EncodeTile(row, 32 * 4);
    EXPECT_GT(probe.WidenCount(), 0u);
    EXPECT_GT(probe.ZeroRunCount(), 0u);
}

TEST_F(SpriteFiles, DictionaryFilesComeFromTheDiskOnly) {
    const RgbaImage img = Picture(40, 40, true);
    const std::vector<uint8_t> ddsl = writers::WriteDdsl(img), ddsr = writers::WriteDdsr(img);
    ASSERT_GE(ddsl.size(), 128u);
    Archive({{"PICTURES/A.DDSL", ddsl}, {"PICTURES/A.DDSR", ddsr}});
    tSurface colour;
    EXPECT_THROW(LoadDDSLtoSurface("PICTURES/A.DDSL", colour, nullptr), IoError);
    EXPECT_THROW(LoadDDStoSurface("PICTURES/A.DDSL", colour, nullptr), IoError);
    LoadDDSRtoSurface("PICTURES/A.DDSR", colour, nullptr);
    ExpectColours(colour, img);
    // On the disk (any letter case) it loads, also through the general loader.
    Disk("pictures/a.ddsl", ddsl);
    tSurface fromDisk;
    LoadDDStoSurface("PICTURES/A.DDSL", fromDisk, nullptr);
    ExpectColours(fromDisk, img);
    EXPECT_TRUE(ui.errors.empty());
}

// A run-length tile of one 16-bit pixel value, size x size.
std::vector<uint8_t> Solid(uint16_t pixel, uint32_t size) {
    return writers::EncodeRleTile(std::vector<uint16_t>(size_t(size) * size, pixel));
}

constexpr uint16_t kRed = 0xFF00, kGreen = 0xF0F0, kBlue = 0xF00F, kGrey = 0xF888;

TEST_F(SpriteFiles, FirstTileDownLinkStartsTheNextRowOfTheBand) {
    // Tiles of 4 in an 8 x 8 picture, one band: A (down -> C, right -> B), B; C (right -> D), D.
    const std::vector<uint8_t> a = Solid(kRed, 4), b = Solid(kGreen, 4), c = Solid(kBlue, 4);
    const uint32_t posA = 36, posB = posA + 16 + uint32_t(a.size());
    const uint32_t posC = posB + 16 + uint32_t(b.size()), posD = posC + 16 + uint32_t(c.size());
    TiledBytes f("DDSR", 8, 8);
    f.Band(8, 0)
        .Tile(posC, posB, 4, a)
        .Tile(0, 0, 4, b)
        .Tile(0, posD, 4, c)
        .Tile(0, 0, 4, Solid(kGrey, 4));
    ASSERT_EQ(f.Pos(), posD + 16 + Solid(kGrey, 4).size());
    tSurface colour;
    LoadDDSRtoSurface(Disk("d.ddsr", f.Bytes()), colour, nullptr);
    EXPECT_EQ(colour.PixelAt(3, 3), Rgb565FromArgb4444(kRed));
    EXPECT_EQ(colour.PixelAt(4, 0), Rgb565FromArgb4444(kGreen));
    EXPECT_EQ(colour.PixelAt(0, 4), Rgb565FromArgb4444(kBlue));
    EXPECT_EQ(colour.PixelAt(7, 7), Rgb565FromArgb4444(kGrey));
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, EmptyTileIsABlackSquare) {
    // Two bands at the same height (band height 0): the second band's empty tile covers the
    // first band's red tile with colour 0.
    const std::vector<uint8_t> red = Solid(kRed, 4);
    TiledBytes f("DDSR", 6, 6);
    f.Band(0, 1).Tile(0, 0, 4, red).Band(2, 0).Tile(0, 0, 3, {});
    tSurface colour, alpha;
    LoadDDSRtoSurface(Disk("e.ddsr", f.Bytes()), colour, &alpha);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool covered = x < 3 && y < 3;
            EXPECT_EQ(colour.PixelAt(x, y), covered ? 0 : Rgb565FromArgb4444(kRed));
            EXPECT_EQ(alpha.PixelAt(x, y), covered ? 0 : 0xFFFF);
        }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, UnacceptedBitCountsAndWrongMagicsAreReported) {
    // (8,8,8,8) is for "DDSL" only: each tile with data is reported, empty tiles are not.
    TiledBytes f("DDSR", 8, 4, {8, 8, 8, 8});
    const uint32_t second = 36 + 16 + 3;
    f.Band(4, 0)
        .Tile(0, second, 4, {0x80, 1, 2})
        .Tile(0, second + 19, 4, {0x80, 1, 2})
        .Tile(0, 0, 4, {});
    tSurface colour;
    LoadDDSRtoSurface(Disk("n.ddsr", f.Bytes()), colour, nullptr);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Nezmany Format", "Nezmany Format"}));
    EXPECT_EQ(colour.PixelAt(1, 1), 0);

    // Both tiled loaders report a wrong magic with the same text and go on.
    ui.Reset();
    std::vector<uint8_t> renamed = writers::WriteDdsr(Picture(5, 5, true));
    std::copy_n("DDSX", 4, renamed.begin());
    LoadDDSRtoSurface(Disk("m.ddsr", renamed), colour, nullptr);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"LoadDDSLtoSurface m.ddsr"}));
    ExpectColours(colour, Picture(5, 5, true));
    // A header cut short is reported the same way; what follows fails to read.
    ui.Reset();
    EXPECT_THROW(LoadDDSRtoSurface(Disk("c.ddsr", {'D', 'D', 'S', 'R', 1, 0}), colour, nullptr),
                 IoError);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"LoadDDSLtoSurface c.ddsr"}));
}

// --- animation strips ------------------------------------------------------------------------

TEST_F(SpriteFiles, StripRoundTripShowsMagentaWhereTransparent) {
    const RgbaImage img = Picture(70, 40, true);
    tSurface strip;
    LoadDDS2toSurface(Disk("s.dds2", writers::WriteDds2(img, 34)), strip);
    ASSERT_EQ(strip.Width(), 70);
    ASSERT_EQ(strip.Height(), 40);
    EXPECT_EQ(strip.TransparentColor(), kMagenta565);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 70; ++x) {
            const RgbaPixel& p = img.At(x, y);
            const uint16_t expected =
                writers::To4Bits(p.a) == 0 ? kMagenta565 : Rgb565(p.r, p.g, p.b);
            ASSERT_EQ(strip.PixelAt(x, y), expected) << x << "," << y;
        }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, StripTilesOverlapByTheirBorders) {
    // Two tiles of 34 in a row; pixel (i, j) of tile k has red = k, green = i >> 2 & 15,
    // blue = i & 3 (all opaque), so each drawn pixel tells where it came from.
    std::vector<std::vector<uint8_t>> data;
    for (uint16_t k = 0; k < 2; ++k) {
        std::vector<uint16_t> px(34 * 34);
        for (int j = 0; j < 34; ++j)
            for (int i = 0; i < 34; ++i)
                px[size_t(j * 34 + i)] = uint16_t(0xF000 | k << 8 | (i >> 2 & 15) << 4 | (i & 3));
        data.push_back(writers::EncodeRleTile(px));
    }
    ByteWriter w;
    w.Bytes("DDS2", 4);
    w.I32(32);
    w.I32(64);
    w.Bytes(std::array<uint8_t, 4>{4, 4, 4, 4}.data(), 4);
    w.U32(28);
    w.Zeros(8);
    w.I32(32);
    w.Zeros(8);
    w.U32(0);
    const uint32_t second = 28 + 16 + 16 + uint32_t(data[0].size());
    for (uint32_t k = 0; k < 2; ++k) {
        w.U32(0);
        w.U32(k == 0 ? second : 0);
        w.U32(34);
        w.U32(uint32_t(data[k].size()));
        w.Bytes(data[k].data(), data[k].size());
    }
    tSurface strip;
    LoadDDS2toSurface(Disk("o.dds2", w.Data()), strip);
    const auto from = [](uint16_t k, int i) {
        return Rgb565FromArgb4444(uint16_t(k << 8 | (i >> 2 & 15) << 4 | (i & 3)));
    };
    EXPECT_EQ(strip.PixelAt(0, 0), from(0, 1));    // the first tile's pixel 1
    EXPECT_EQ(strip.PixelAt(31, 5), from(0, 32));  // its pixel 32; 33 is never drawn
    EXPECT_EQ(strip.PixelAt(32, 5), from(1, 1));   // the second tile starts at x = 32
    EXPECT_EQ(strip.PixelAt(63, 31), from(1, 32));
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, StripLoaderDispatchesOnTheMagic) {
    tSurface strip(3, 3);
    strip.Fill(0x1111);
    LoadDDS2toSurface(Disk("r.dds2", writers::WriteDdsr(Picture(8, 8, true))), strip);
    EXPECT_EQ(strip.Width(), 3);  // "DDSR": nothing loaded
    EXPECT_EQ(strip.PixelAt(0, 0), 0x1111);

    const RgbaImage img = Picture(6, 4);
    LoadDDS2toSurface(Disk("d.dds2", writers::WriteDds(img, {writers::DdsFormat::R5G6B5})), strip);
    ExpectColours(strip, img);

    LoadDDS2toSurface(Disk("l.dds2", writers::WriteDdsl(Picture(8, 8, true))), strip);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"LoadDDSLtoSurface l.dds2"}));

    // Strips take only (4,4,4,4): other tiles are reported and stay magenta.
    ui.Reset();
    std::vector<uint8_t> bits = writers::WriteDds2(Picture(10, 10, true), 8);
    bits[12] = 5;
    bits[13] = 6;
    bits[14] = 5;
    bits[15] = 0;
    LoadDDS2toSurface(Disk("b.dds2", bits), strip);
    EXPECT_FALSE(ui.errors.empty());
    EXPECT_EQ(ui.errors.front(), "Nezmany Format");
    EXPECT_EQ(strip.PixelAt(5, 5), kMagenta565);
}

// --- hostile files ---------------------------------------------------------------------------

SpriteBytes Bytes(const std::vector<uint8_t>& data, const char* name = "h.spr") {
    return {data, name, "End of file"};
}

TEST_F(SpriteFiles, HugeAndNegativePicturesAreRefusedBeforeAnythingIsAllocated) {
    std::vector<uint8_t> dds = writers::WriteDds(RgbaImage(4, 4), {writers::DdsFormat::A8R8G8B8});
    dds[16] = 0xA0;  // width 100000
    dds[17] = 0x86;
    dds[18] = 0x01;
    tSurface colour(1, 1);
    colour.Fill(0x5555);
    DecodeDdsSprite(Bytes(dds), colour, nullptr);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("LoadDDStoSurface h.spr"), std::string::npos);
    EXPECT_NE(ui.errors[0].find("100000"), std::string::npos);
    EXPECT_EQ(colour.PixelAt(0, 0), 0x5555);

    ui.Reset();
    TiledBytes negative("DDSR", -5, 4);
    negative.Band(4, 0).Tile(0, 0, 4, {});
    DecodeTiledSprite(Bytes(negative.Bytes()), TileCodec::RunLength, colour, nullptr);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("LoadDDSRtoSurface"), std::string::npos);
    EXPECT_EQ(colour.Width(), 1);

    // Pixel data shorter than the header promises fails like a short read, before drawing.
    ui.Reset();
    std::vector<uint8_t> cut = writers::WriteDds(RgbaImage(64, 64), {writers::DdsFormat::A4R4G4B4});
    cut.resize(cut.size() - 1);
    EXPECT_THROW(DecodeDdsSprite(Bytes(cut), colour, nullptr), IoError);
    EXPECT_EQ(colour.Width(), 1);
}

TEST_F(SpriteFiles, TiledDxt3WithoutWholeBlocksDoesNoWork) {
    std::vector<uint8_t> dds = writers::WriteDds(RgbaImage(8, 8), {writers::DdsFormat::Dxt3});
    const uint32_t caps3 = 0xFFFFFFFF, caps4 = 2 | 3 << 16;  // 65535 x 65535 tiles of 2 x 3
    for (int i = 0; i < 4; ++i) {
        dds[116 + i] = uint8_t(caps3 >> (8 * i));
        dds[120 + i] = uint8_t(caps4 >> (8 * i));
    }
    tSurface colour;
    const auto start = std::chrono::steady_clock::now();
    DecodeDdsSprite(Bytes(dds), colour, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(colour.Width(), 8);
    // With whole blocks, that many tiles need more data than the file has.
    dds[120] = 4;
    dds[122] = 4;
    EXPECT_THROW(DecodeDdsSprite(Bytes(dds), colour, nullptr), IoError);
}

TEST_F(SpriteFiles, TileWalksThatLoopOrOverreachAreRefused) {
    tSurface colour;
    // A tile whose right link points at itself.
    TiledBytes loop("DDSR", 8, 8);
    loop.Band(8, 0).Tile(0, 36, 4, {});
    DecodeTiledSprite(Bytes(loop.Bytes()), TileCodec::RunLength, colour, nullptr);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("reached a second time"), std::string::npos);

    // Bands that keep starting at the same place, over and over (a band-level loop), each
    // with a tile to decode that costs far more than its bytes and the picture are worth.
    ui.Reset();
    TiledBytes bands("DDSR", 8, 8);
    bands.Band(0, 1).Tile(0, 0, 8, {});
    for (int i = 0; i < 200; ++i)
        bands.Band(0, 1).Tile(0, 0, 64, {0x00});
    bands.Band(0, 0).Tile(0, 0, 1, {});
    SpriteLimits limits;
    limits.MaxTileSide = 64;
    DecodeTiledSprite(Bytes(bands.Bytes()), TileCodec::RunLength, colour, nullptr, limits);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("cover far more"), std::string::npos);

    // A tile side beyond the bound.
    ui.Reset();
    TiledBytes big("DDSL", 8, 8);
    big.Band(8, 0).Tile(0, 0, 100000, {1, 2, 3});
    DecodeTiledSprite(Bytes(big.Bytes()), TileCodec::Dictionary, colour, nullptr);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("LoadDDSLtoSurface h.spr: tile of 100000"), std::string::npos);

    // Links and lengths past the end of the file fail as reads do.
    ui.Reset();
    TiledBytes past("DDSR", 8, 8);
    past.Band(8, 0).Tile(0, 5000, 4, {});
    EXPECT_THROW(DecodeTiledSprite(Bytes(past.Bytes()), TileCodec::RunLength, colour, nullptr),
                 IoError);
    TiledBytes longData("DDSR", 8, 8);
    longData.Band(8, 0).Tile(0, 0, 4, {0x00});
    std::vector<uint8_t> lying = longData.Bytes();
    lying[36 + 12] = 200;  // data length 200, one byte present
    try {
        DecodeTiledSprite({lying, "p.ddsr", "Read beyond end of file"}, TileCodec::RunLength,
                          colour, nullptr);
        ADD_FAILURE() << "no read error";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    TiledBytes firstBand("DDSR", 8, 8);
    std::vector<uint8_t> noBand = firstBand.Bytes();
    noBand[16] = 0xFF;
    EXPECT_THROW(DecodeTiledSprite(Bytes(noBand), TileCodec::RunLength, colour, nullptr), IoError);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(SpriteFiles, TilesOutsideThePictureAreClipped) {
    // A band whose second tile is half outside, then one far above the picture (the first
    // band's height is negative).
    const std::vector<uint8_t> red = Solid(kRed, 4);
    const uint32_t second = 36 + 16 + uint32_t(red.size());
    TiledBytes f("DDSR", 6, 6);
    f.Band(-100, 1).Tile(0, second, 4, red).Tile(0, 0, 4, red);  // the second half outside
    f.Band(4, 0);
    f.Tile(0, f.Pos() + 16 + uint32_t(red.size()), 4, red).Tile(0, 0, 4, red);
    tSurface colour;
    DecodeTiledSprite(Bytes(f.Bytes()), TileCodec::RunLength, colour, nullptr);
    EXPECT_TRUE(ui.errors.empty());
    // The first band drew at y = 0; the second starts at -100 and is off the surface.
    EXPECT_EQ(colour.PixelAt(5, 3), Rgb565FromArgb4444(kRed));
    EXPECT_EQ(colour.PixelAt(0, 4), 0);
}

TEST_F(SpriteFiles, DictionaryGrowthBeyondTheBoundIsRefused) {
    // One tile whose codes define ever longer strings ("AA", "AAA", ...).
    std::vector<uint8_t> codes;
    uint64_t bits = 0;
    int count = 0;
    const auto put = [&](uint32_t code) {
        bits |= uint64_t(code) << count;
        count += 9;
        while (count >= 8) {
            codes.push_back(uint8_t(bits));
            bits >>= 8;
            count -= 8;
        }
    };
    put('A');
    for (uint32_t c = 258; c < 500; ++c)
        put(c);
    put(256);
    codes.push_back(uint8_t(bits));
    TiledBytes f("DDSL", 64, 64);
    f.Band(64, 0).Tile(0, 0, 64, codes);
    SpriteLimits limits;
    limits.MaxDictionaryBytes = 8192;
    tSurface colour;
    DecodeTiledSprite(Bytes(f.Bytes()), TileCodec::Dictionary, colour, nullptr, limits);
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_NE(ui.errors.back().find("dictionary grows beyond"), std::string::npos);
    // Within the default bounds the same tile decodes (reporting its long strings).
    ui.Reset();
    DecodeTiledSprite(Bytes(f.Bytes()), TileCodec::Dictionary, colour, nullptr);
    for (const std::string& e : ui.errors)
        EXPECT_EQ(e.find("dictionary grows"), std::string::npos);
}

}  // namespace
}  // namespace tess
