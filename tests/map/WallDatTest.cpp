// Walls: the neighbourhood key, the piece choice with its end pieces, the wall picture.
#include "map/WallDat.h"

#include <gtest/gtest.h>

#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/BitmapWriter.h"

namespace tess {
namespace {

class WallTest : public ::testing::Test {
  protected:
    WallTest() : map(std::make_unique<tMapa>()) {
        Random random(5);
        map->Create(64, 64, random, WallTableSource::None);
        wall.Map = map.get();
    }

    // Makes the block whose top cell is given a wall of kind 2 with the variant.
    void WallBlock(int32_t topX, int32_t topY, int variant = 0) {
        for (const TPoint& p : tMapa::BlockCells({topX, topY})) {
            map->SetOccupancy(p.X, p.Y, 3);
            map->SetId(p.X, p.Y, 2);
        }
        map->SetVariant(topX, topY, variant);
    }
    void Cell(TPoint p, bool isWall) { map->SetOccupancy(p.X, p.Y, isWall ? 3 : 0); }
    TPoint Step(TPoint p, int direction, int times = 1) const {
        for (int i = 0; i < times; ++i)
            p = map->Neighbour(p.X, p.Y, direction);
        return p;
    }

    std::unique_ptr<tMapa> map;
    tWall wall;
    WallPiece piece;
};

// A block's top cell and its bottom cell, where the view draws the block's wall piece.
constexpr TPoint kTop{21, 20};
constexpr TPoint kBottom{21, 22};

TEST_F(WallTest, LoneBlockHasNoWallAroundIt) {
    ASSERT_TRUE(tMapa::IsBlockBottom(kBottom.X, kBottom.Y));
    WallBlock(kTop.X, kTop.Y);
    EXPECT_EQ(WallKey(*map, kBottom.X, kBottom.Y), 0x5555);
    // Every neighbouring block that is a wall clears its pair of bits.
    const TPoint east = Step(kBottom, kDirRight, 2);
    map->SetOccupancy(east.X, east.Y, 3);
    EXPECT_EQ(WallKey(*map, kBottom.X, kBottom.Y), 0x5555 & ~(3u << 12));
    const TPoint up = Step(kBottom, kDirUp, 2);
    map->SetOccupancy(up.X, up.Y, 3);
    EXPECT_EQ(WallKey(*map, kBottom.X, kBottom.Y), 0x5555 & ~(3u << 12) & ~3u);
}

TEST_F(WallTest, SurroundedBlockAndPiecesWithoutRowDrawNothing) {
    std::fill(map->WallTable.begin(), map->WallTable.end(), 1);
    for (int y = 10; y <= 40; ++y)
        for (int x = 10; x <= 40; ++x)
            map->SetOccupancy(x, y, 3);
    EXPECT_EQ(WallKey(*map, 24, 24), 0);
    EXPECT_EQ(wall.PickPiece(24, 24, piece), kWallNothing);

    map->SetOccupancy(24, 28, 0);  // opens the key's bits for direction 3
    const uint16_t key = WallKey(*map, 24, 24);
    ASSERT_EQ(key, 1u << 8);
    for (int value : {4, 5, 7, 12, 200, 255}) {
        map->WallTable[key] = static_cast<uint8_t>(value);
        EXPECT_EQ(wall.PickPiece(24, 24, piece), kWallNothing) << value;
    }
    map->WallTable[key] = 11;
    EXPECT_EQ(wall.PickPiece(24, 24, piece), kWallPieceDrawn);
}

TEST_F(WallTest, CellsThatAreNotWallsAreSaidSo) {
    EXPECT_EQ(wall.PickPiece(kBottom.X, kBottom.Y, piece), kWallNotWall);
}

TEST_F(WallTest, PieceRectangleFollowsVariantAndPictureRow) {
    WallBlock(kTop.X, kTop.Y, 2);
    const struct {
        int piece;
        int row;
    } cases[] = {{1, 1}, {3, 3}, {8, 4}, {9, 5}, {10, 6}, {11, 7}};
    for (const auto& c : cases) {
        map->WallTable[0x5555] = static_cast<uint8_t>(c.piece);
        ASSERT_EQ(wall.PickPiece(kBottom.X, kBottom.Y, piece), kWallPieceDrawn) << c.piece;
        EXPECT_EQ(piece.Source, (SurfaceRect{131, 81 * c.row + 1, 195, 81 * c.row + 81}))
            << c.piece;
        EXPECT_EQ(piece.OffsetX, -16);
        EXPECT_EQ(piece.OffsetY, -64);
    }
}

TEST_F(WallTest, EndPiecesShiftByWhereTheRunStops) {
    // Every key gives the piece under test, so only the cells along the run matter.
    for (const auto& [number, direction] : {std::pair{0, kDirUpRight}, std::pair{2, kDirUpLeft}}) {
        SCOPED_TRACE(number);
        std::fill(map->WallTable.begin(), map->WallTable.end(), static_cast<uint8_t>(number));
        const TPoint start{30, 40};
        Cell(start, true);
        map->SetVariant(start.X, start.Y, 0);
        const TPoint b = Step(start, direction, 2);
        const TPoint d = Step(start, direction, 3);
        const struct {
            bool b, d;
            int shift;
        } cases[] = {{false, false, 231}, {false, true, 231}, {true, false, 198}, {true, true, 0}};
        for (const auto& c : cases) {
            Cell(b, c.b);
            Cell(d, c.d);
            ASSERT_EQ(wall.PickPiece(start.X, start.Y, piece), kWallPieceDrawn);
            EXPECT_EQ(piece.Source.Left, 1 + c.shift) << c.b << c.d;
            EXPECT_EQ(piece.Source.Width(), 64);
        }
        Cell(b, false);
        Cell(d, false);
    }
    // Other pieces never shift.
    std::fill(map->WallTable.begin(), map->WallTable.end(), 3);
    EXPECT_EQ(wall.PickPiece(30, 40, piece), kWallPieceDrawn);
    EXPECT_EQ(piece.Source.Left, 1);
}

TEST(WallPicture, NamesLoadingAndMissingFiles) {
    test::TempDir dir;
    test::ScopedCurrentDir cwd(dir.Path());
    test::ScopedTestUi ui;
    BigFile().Close();
    EXPECT_EQ(WallPictureName("PICTURES/32x16/", 7), "PICTURES/32x16/WALL/zed07.bmp");
    EXPECT_EQ(WallPictureName("PICTURES/32x16/", 16), "PICTURES/32x16/WALL/zed16.bmp");

    writers::RgbaImage image(491, 649, {255, 0, 255, 255});
    image.At(100, 100) = {10, 20, 30, 255};
    dir.Write("PICTURES/32x16/WALL/zed01.bmp", writers::WriteBmp24(image));
    tMapa map;
    tWall one, two;
    one.Create(map, WallPictureName("PICTURES/32x16/", 1));
    EXPECT_EQ(one.Picture.Width(), 491);
    EXPECT_EQ(one.Picture.PixelAt(100, 100), Rgb565(10, 20, 30));
    EXPECT_EQ(one.Picture.TransparentColor(), kMagenta565);
    two.Create(map, WallPictureName("PICTURES/32x16/", 2));
    EXPECT_TRUE(two.Picture.Empty());
    EXPECT_TRUE(ui.errors.empty());

    dir.Write("PICTURES/32x16/WALL/zed03.bmp", std::string("BM broken"));
    tWall three;
    three.Create(map, WallPictureName("PICTURES/32x16/", 3));
    EXPECT_TRUE(three.Picture.Empty());
    EXPECT_EQ(ui.errors.size(), 1u);
}

}  // namespace
}  // namespace tess
