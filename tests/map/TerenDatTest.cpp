// The terrain catalogue: slope shapes, cutting tiles and pieces, markers.
#include "map/TerenDat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/BitmapWriter.h"

namespace tess {
namespace {

using writers::RgbaImage;

class ShapeTest : public ::testing::Test {
  protected:
    ShapeTest() : map(std::make_unique<tMapa>()) {
        Random random(3);
        map->Create(32, 32, random, WallTableSource::None);  // every level 3
        terens.Map = map.get();
    }
    std::unique_ptr<tMapa> map;
    tTerens terens;
};

TEST_F(ShapeTest, FourEqualCornersAreFlat) {
    EXPECT_EQ(terens.CornerShape(10, 10), (CellShape{3, 0, false}));
    // On the edge the missing neighbours are the clamped cells.
    EXPECT_EQ(terens.CornerShape(0, 0), (CellShape{3, 0, false}));
}

TEST_F(ShapeTest, OneHigherCornerLiftsTheShapeOneLowerCornerKeepsIt) {
    map->SetLevel(10, 8, 4);  // the up neighbour of (10, 10) carries the top corner
    EXPECT_EQ(terens.CornerShape(10, 10), (CellShape{4, 8, false}));
    map->SetLevel(10, 8, 2);
    EXPECT_EQ(terens.CornerShape(10, 10), (CellShape{3, 7, false}));
}

TEST_F(ShapeTest, EveryMaskComesFromItsHighCorners) {
    // Corners of (10, 10): top (10, 8), right (10, 9), bottom itself, left (9, 9).
    const std::pair<int, int> corner[4] = {{10, 8}, {10, 9}, {10, 10}, {9, 9}};
    for (int mask = 1; mask < 15; ++mask) {
        for (int bit = 0; bit < 4; ++bit) {
            const bool high = (mask >> (3 - bit)) & 1;
            map->SetLevel(corner[bit].first, corner[bit].second, high ? 6 : 5);
        }
        EXPECT_EQ(terens.CornerShape(10, 10), (CellShape{6, mask, false})) << mask;
    }
}

TEST_F(ShapeTest, ThreeLevelsAreIrregularAndDrawnFlatAtTheCellsOwnLevel) {
    map->SetLevel(10, 8, 4);
    map->SetLevel(9, 9, 2);
    EXPECT_EQ(terens.CornerShape(10, 10), (CellShape{3, 0, true}));
}

// --- pictures ----------------------------------------------------------------------------------

// Every pixel names its place: red the column of 32, green the row of 16 (base) or 20
// (slopes) in steps of 8, blue the pixel row inside it. Distinct colours per band.
RgbaImage Banded(int w, int h, int band) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = {uint8_t(8 + 16 * (x / 32)), uint8_t(8 + 8 * (y / band)),
                            uint8_t(8 * (y % band)), 255};
    return img;
}

uint16_t BandedPixel(int x, int y, int band) {
    return Rgb565(uint8_t(8 + 16 * (x / 32)), uint8_t(8 + 8 * (y / band)), uint8_t(8 * (y % band)));
}

class TerrainPictureTest : public ::testing::Test {
  protected:
    TerrainPictureTest() : cwd(dir.Path()), map(std::make_unique<tMapa>()) {
        BigFile().Close();
        Random random(3);
        map->Create(32, 32, random, WallTableSource::None);
        for (int slot = 0; slot < 15; ++slot) {
            WritePictures(map->Terrains[static_cast<size_t>(slot)].Name, 128, 16, 128);
        }
    }
    ~TerrainPictureTest() override { BigFile().Close(); }

    void WritePictures(const std::string& name, int baseW, int baseH, int slopeW) {
        const std::string stem = std::string(kTerrainPictureDir) + name;
        dir.Write(stem + ".bmp", writers::WriteBmp24(Banded(baseW, baseH, 16)));
        dir.Write(stem + "#.bmp", writers::WriteBmp24(Banded(slopeW, 20 * 14 + 1, 20)));
    }

    void BuildArchiveWith(const std::string& name, const std::vector<uint8_t>& bytes) {
        dir.Write("zor.dat", writers::BuildArchive({{name, bytes}}));
        BigFile().Open(dir.File("zor.dat"));
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
    std::unique_ptr<tMapa> map;
    tTerens terens;
};

TEST_F(TerrainPictureTest, FlatTilesAreCutFromTheBaseWithTheirRowsCapped) {
    WritePictures("Skala", 128, 200, 128);  // 200 / 16 = 12 rows: 8 kept
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    EXPECT_TRUE(ui.errors.empty());
    const tTerenOne& one = *terens.Item(0);
    ASSERT_EQ(one.FlatRows, 8);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 8; ++r) {
            const tSurface& tile = one.Flat[static_cast<size_t>(c)][static_cast<size_t>(r)];
            ASSERT_EQ(tile.Width(), 32);
            ASSERT_EQ(tile.Height(), 16);
            EXPECT_EQ(tile.PixelAt(5, 9), BandedPixel(32 * c + 5, 16 * r + 9, 16));
            // Each picture is keyed on its own top-left pixel.
            EXPECT_EQ(tile.TransparentColor(), BandedPixel(32 * c, 16 * r, 16));
        }
    }
    EXPECT_EQ(terens.Item(1)->FlatRows, 1);
    for (size_t slot = 0; slot < 15; ++slot)
        EXPECT_TRUE(map->TerrainLoaded[slot]) << slot;
    EXPECT_FALSE(map->TerrainLoaded[15]);
}

TEST_F(TerrainPictureTest, SlopePiecesTakeTheirExtraRowFromTheNextBand) {
    WritePictures("Skala", 128, 16, 96);  // 96 / 32 / 2: one variant per set
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    const tTerenOne& one = *terens.Item(0);
    ASSERT_EQ(one.SlopeVariants, 1);
    for (int set = 0; set < 2; ++set) {
        for (int mask = 1; mask < 15; ++mask) {
            SCOPED_TRACE(testing::Message() << "set " << set << " mask " << mask);
            const tSurface& piece =
                one.Slope[static_cast<size_t>(set)][static_cast<size_t>(mask)][0];
            // Masks with a low bottom corner and a high left or right one reach one row lower.
            const int extra = mask == 1 || mask == 4 || mask == 5 || mask == 8 || mask == 9 ||
                              mask == 12 || mask == 13;
            ASSERT_EQ(piece.Width(), 32);
            ASSERT_EQ(piece.Height(), 20 + extra);
            const int x0 = 32 * set, y0 = 20 * (mask - 1);
            EXPECT_EQ(piece.TransparentColor(), BandedPixel(x0, y0, 20));
            EXPECT_EQ(piece.PixelAt(31, 19), BandedPixel(x0 + 31, y0 + 19, 20));
            if (extra) {
                EXPECT_EQ(piece.PixelAt(3, 20), BandedPixel(x0 + 3, y0 + 20, 20));
            }
        }
    }
    // The second variant column is not there.
    EXPECT_TRUE(one.Slope[0][1][1].Empty());
}

TEST_F(TerrainPictureTest, MissingBasePictureIsReportedByName) {
    std::filesystem::remove(dir.File(std::string(kTerrainPictureDir) + "Poust.bmp"));
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "neni soubor PICTURES/32x16/TERENY-/Poust.bmp");
    EXPECT_EQ(terens.Item(1)->FlatRows, 0);
    EXPECT_EQ(terens.Item(1)->SlopeVariants, 2);  // the slope picture still loads
    EXPECT_TRUE(map->TerrainLoaded[1]);
    EXPECT_EQ(terens.CellPicture(1, 0, 0), nullptr);
    EXPECT_NE(terens.CellPicture(1, 0, 5), nullptr);
}

TEST_F(TerrainPictureTest, PicturesComeFromTheArchiveFirst) {
    // The archive holds another "Trava": a single row of darker tiles.
    RgbaImage dark(128, 32, {10, 20, 30, 255});
    BuildArchiveWith("PICTURES/32x16/TERENY-/Trava.bmp", writers::WriteBmp24(dark));
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    EXPECT_EQ(terens.Item(5)->FlatRows, 2);
    EXPECT_EQ(terens.Item(5)->Flat[3][1].PixelAt(9, 9), Rgb565(10, 20, 30));
}

TEST_F(TerrainPictureTest, ReloadFollowsARenamedSlotAndCreateResetsTheNames) {
    map->Terrains[2].Name = "Skala";
    WritePictures("Jine", 128, 48, 128);
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    EXPECT_EQ(map->Terrains[2].Name, "HlinaK");
    map->Terrains[2].Name = "Jine";
    terens.LoadPictures(kTerrainPictureDir);
    EXPECT_EQ(terens.Item(2)->FlatRows, 3);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(TerrainPictureTest, TheViewGetsTheVariantsItDrawsAndTheNeutralTileForTerrain15) {
    WritePictures("Skala", 128, 16, 256);
    terens.Create(4, 16, 32, *map, kTerrainPictureDir);
    const tTerenOne& one = *terens.Item(0);
    EXPECT_EQ(terens.CellPicture(0, 6, 0), &one.Flat[2][0]);
    EXPECT_EQ(terens.CellPicture(0, 7, 9), &one.Slope[1][9][0]);
    EXPECT_EQ(terens.CellPicture(15, 3, 0), &terens.Neutral[0]);
    EXPECT_EQ(terens.CellPicture(15, 3, 12), &terens.Neutral[12]);
    // The neutral tile: mid grey inside, keyed blue outside.
    const tSurface& hole = terens.Neutral[0];
    EXPECT_EQ(hole.PixelAt(0, 0), hole.TransparentColor());
    const Rgb8 inside = hole.ColorAt(16, 8);
    EXPECT_NEAR(inside.r, 124, 10);
    EXPECT_EQ(inside.r, inside.b);
}

// --- markers -----------------------------------------------------------------------------------

// The pixels of a straight line, each the nearest to the exact line on the major axis (the
// markers' lines never pass halfway between two pixels).
std::set<std::pair<int, int>> NearestLine(int x0, int y0, int x1, int y1) {
    std::set<std::pair<int, int>> pixels;
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0 : double(i) / steps;
        pixels.insert({int(std::lround(x0 + t * (x1 - x0))), int(std::lround(y0 + t * (y1 - y0)))});
    }
    return pixels;
}

std::set<std::pair<int, int>> MarkerPixels(int mask, bool diagonals) {
    const int t = mask == 0 ? 1 : mask >> 3 & 1, r = mask == 0 ? 1 : mask >> 2 & 1;
    const int b = mask == 0 ? 1 : mask >> 1 & 1, l = mask == 0 ? 1 : mask & 1;
    const int p[8][2] = {{16, 4 - 4 * t},  {31, 11 - 4 * r}, {31, 12 - 4 * r}, {16, 19 - 4 * b},
                         {15, 19 - 4 * b}, {0, 12 - 4 * l},  {0, 11 - 4 * l},  {15, 4 - 4 * t}};
    std::set<std::pair<int, int>> all;
    for (int i = 0; i < 8; ++i) {
        const auto line = NearestLine(p[i][0], p[i][1], p[(i + 1) % 8][0], p[(i + 1) % 8][1]);
        all.insert(line.begin(), line.end());
    }
    if (diagonals) {
        for (const auto& line : {NearestLine(15, 4 - 4 * t, 16, 19 - 4 * b),
                                 NearestLine(0, 12 - 4 * l, 31, 11 - 4 * r)})
            all.insert(line.begin(), line.end());
    }
    return all;
}

TEST(Markers, OutlinesAndDiagonalsFollowTheCornerHeights) {
    test::ScopedTestUi ui;  // no pictures in this directory
    tTerens terens;
    tMapa map;
    terens.Create(4, 16, 32, map, "nowhere/");
    const uint16_t blue = Rgb565(0, 0, 255);
    for (int mask = 0; mask < 15; ++mask) {
        SCOPED_TRACE(mask);
        const auto expected = MarkerPixels(mask, true);
        for (const auto* set : {&terens.MarkSelect, &terens.MarkBlocked}) {
            const tSurface& s = (*set)[static_cast<size_t>(mask)];
            ASSERT_EQ(s.Width(), 32);
            ASSERT_EQ(s.Height(), mask == 0 ? 16 : 20);
            EXPECT_EQ(s.TransparentColor(), blue);
            const uint16_t colour =
                set == &terens.MarkSelect ? Rgb565(0, 255, 0) : Rgb565(255, 0, 0);
            for (int y = 0; y < s.Height(); ++y)
                for (int x = 0; x < s.Width(); ++x)
                    ASSERT_EQ(s.PixelAt(x, y), expected.count({x, y}) ? colour : blue)
                        << x << "," << y;
        }
    }
}

TEST(Markers, CursorIsACheckerboardOfTheFilledDiamond) {
    test::ScopedTestUi ui;
    tTerens terens;
    tMapa map;
    terens.Create(4, 16, 32, map, "nowhere/");
    const uint16_t blue = Rgb565(0, 0, 255);
    const uint16_t light = Rgb565(100, 100, 250);
    for (int mask : {0, 8, 7}) {
        SCOPED_TRACE(mask);
        const auto outline = MarkerPixels(mask, false);
        const tSurface& s = terens.MarkCursor[static_cast<size_t>(mask)];
        for (int y = 0; y < s.Height(); ++y) {
            int left = 99, right = -1;
            for (const auto& [x, py] : outline)
                if (py == y) left = std::min(left, x), right = std::max(right, x);
            for (int x = 0; x < s.Width(); ++x) {
                const bool inside = x >= left && x <= right;
                ASSERT_EQ(s.PixelAt(x, y), inside && (x & 1) != (y & 1) ? light : blue)
                    << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace tess
