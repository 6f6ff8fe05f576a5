// The mini-map: sizes and scales, colours, the view frame and clicks.
#include "view/LitleMap.h"

#include <gtest/gtest.h>

#include "ViewFixture.h"

namespace tess {
namespace {

TEST(MiniMapSize, HalvesUntilTheAreaFits) {
    EXPECT_EQ(MiniMapSizeFor(256, 512).Width, 128);
    EXPECT_EQ(MiniMapSizeFor(256, 512).Height, 128);
    EXPECT_EQ(MiniMapSizeFor(2047, 2047).Width, 255);
    EXPECT_EQ(MiniMapSizeFor(2047, 2047).Height, 127);
    EXPECT_EQ(MiniMapSizeFor(128, 128).Width, 128);
    EXPECT_EQ(MiniMapSizeFor(128, 128).Height, 64);
    // 256 wide is still accepted; 257 is not.
    EXPECT_EQ(MiniMapSizeFor(256, 200).Width, 256);
    EXPECT_EQ(MiniMapSizeFor(257, 200).Width, 128);
}

class LitleMapTest : public ::testing::Test {
  protected:
    LitleMapTest() : f(64, 128, 320, 240) {
        mini.Map = f.map.get();
        mini.Store = f.store.get();
        mini.View = &f.view;
        mini.ComputeColors(f.view.Zoom->Terens);
    }
    void Resize(int32_t width, int32_t height) {
        Random random(1);
        f.map->Create(width, height, random, WallTableSource::None);
    }
    test::ViewFixture f;
    tLitleMap mini;
};

TEST_F(LitleMapTest, ScalesOfTheIssueSizes) {
    Resize(256, 512);
    mini.Rebuild(1024);
    EXPECT_EQ(mini.Picture.Width(), 128);
    EXPECT_EQ(mini.Picture.Height(), 128);
    EXPECT_EQ(mini.ScaleX, 2);
    EXPECT_EQ(mini.ScaleY, 4);
    EXPECT_EQ(mini.WindowLeft, 1024 - 128 - 10);
    Resize(2047, 2047);
    mini.Rebuild(1024);
    EXPECT_EQ(mini.Picture.Width(), 255);
    EXPECT_EQ(mini.Picture.Height(), 127);
    EXPECT_EQ(mini.ScaleX, 8);
    EXPECT_EQ(mini.ScaleY, 16);
    EXPECT_EQ(mini.DXDraw1.Width(), 255);
}

TEST_F(LitleMapTest, TinyMapsKeepAPixel) {
    Resize(1, 1);
    mini.Rebuild(800);
    EXPECT_EQ(mini.Picture.Width(), 1);
    EXPECT_EQ(mini.Picture.Height(), 1);
    EXPECT_EQ(mini.ScaleY, 1);
    Resize(2047, 1);
    mini.Rebuild(800);
    EXPECT_EQ(mini.Picture.Height(), 1);
    mini.DXDraw1MouseDown(100, 0);
}

TEST_F(LitleMapTest, ColoursComeFromTerrainWallsAndBuildingOwners) {
    // Terrain slot 4 takes its first flat tile's centre pixel; slot 15 the fixed grey.
    const tSurface& tile = f.view.Zoom->Terens.Item(4)->Flat[0][0];
    EXPECT_EQ(mini.TerrainColors[4], tile.PixelAt(16, 8));
    EXPECT_EQ(mini.TerrainColors[15], Rgb565(128, 128, 120));
    f.map->SetTerrain(10, 20, 4);
    f.map->SetTerrain(20, 40, 15);
    f.WallBlock(30, 60, 2);
    f.AddBuilding(7, test::kHall, 1);  // settlement 1 belongs to player 1 (blue)
    f.PutObject(40, 80, 1, 7);
    f.map->SetOccupancy(41, 80, 1);
    f.map->SetLinkKind(41, 80, 1);
    f.map->SetId(41, 80, 7);
    f.AddBuilding(8, test::kHall, 55);  // a settlement nobody uses: player 0, black
    f.PutObject(42, 82, 1, 8);
    mini.Rebuild(640);
    ASSERT_EQ(mini.ScaleX, 1);
    ASSERT_EQ(mini.ScaleY, 2);
    EXPECT_EQ(mini.Picture.PixelAt(10, 10), mini.TerrainColors[4]);
    EXPECT_EQ(mini.Picture.PixelAt(20, 20), Rgb565(128, 128, 120));
    EXPECT_EQ(mini.Picture.PixelAt(30, 30), kBlack565);
    EXPECT_EQ(mini.Picture.PixelAt(40, 40), Rgb565(0, 0, 255));
    EXPECT_EQ(mini.Picture.PixelAt(41, 40), Rgb565(0, 0, 255));
    EXPECT_EQ(mini.Picture.PixelAt(42, 41), kBlack565);
    // A brush stroke re-plots single cells.
    f.map->SetOccupancy(40, 80, 0);
    f.map->SetLinkKind(40, 80, 0);
    mini.PlotCell(40, 80);
    EXPECT_EQ(mini.Picture.PixelAt(40, 40), mini.TerrainColors[f.map->GetTerrain(40, 80)]);
    // Cells outside the picture change nothing.
    mini.PlotCell(-1, 5);
    mini.PlotCell(5000, 5000);
}

TEST_F(LitleMapTest, TheFrameShowsTheViewsPart) {
    Resize(256, 512);
    f.view.Right = 1024;
    f.view.Bottom = 768;
    f.view.X = 40;
    f.view.Y = 100;
    mini.Rebuild(1024);
    // VC = 1024 / 32 + 1 = 33, VR = (768 + 32) / 8 + 1 = 101.
    EXPECT_EQ(mini.FrameRect(), (SurfaceRect{20, 25, (40 + 33) / 2, (100 + 101) / 4}));
    const uint16_t white = Rgb565(255, 255, 255);
    EXPECT_EQ(mini.DXDraw1.PixelAt(20, 25), white);
    EXPECT_EQ(mini.DXDraw1.PixelAt(35, 49), white);
    EXPECT_EQ(mini.DXDraw1.PixelAt(27, 25), white);
    EXPECT_EQ(mini.DXDraw1.PixelAt(27, 37), mini.Picture.PixelAt(27, 37));  // inside: the map
    EXPECT_NE(mini.Picture.PixelAt(20, 25), white);
}

TEST_F(LitleMapTest, AClickCentresTheViewAndKeepsItOnTheMap) {
    Resize(256, 512);
    f.view.Right = 1024;
    f.view.Bottom = 768;
    mini.Rebuild(1024);
    mini.DXDraw1MouseDown(0, 0);
    EXPECT_EQ(f.view.X, 0);
    EXPECT_EQ(f.view.Y, 0);
    // x 50 * 2 - 33 / 2 = 84; y 60 * 4 - 102 / 2 = 189.
    mini.DXDraw1MouseDown(50, 60);
    EXPECT_EQ(f.view.X, 84);
    EXPECT_EQ(f.view.Y, 189);
    // The far corner: X + 1024 / 32 may not pass 256, Y + 768 / 8 not 512.
    mini.DXDraw1MouseDown(127, 127);
    EXPECT_EQ(f.view.X, 256 - 32);
    EXPECT_EQ(f.view.Y, 512 - 96);
    EXPECT_EQ(mini.FrameRect().Left, (256 - 32) / 2);
    // A view wider than the map stays at its left edge.
    f.view.Right = 20000;
    mini.DXDraw1MouseDown(100, 10);
    EXPECT_EQ(f.view.X, 0);
}

}  // namespace
}  // namespace tess
