// The pen, terrain and wall palettes: the tools their buttons and bars choose, the view's
// layers, and the button pictures.
#include "editor/palettes/ToolPalettes.h"

#include <gtest/gtest.h>

#include "editor/ToolBox.h"
#include "map/ObjectsDat.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "view/ViewFixture.h"
#include "writers/ArchiveWriter.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

// The view behind the tools: a fixture's, drawn again whenever its layers change.
class ViewHost final : public ToolHost {
  public:
    explicit ViewHost(test::ViewFixture* fixture = nullptr) : fixture_(fixture) {}
    const tObjects& Objects() const override { return objects_; }
    void SetCursorExtent(int32_t, int32_t) override {}
    void SetLayers(uint8_t mask) override {
        masks.push_back(mask);
        if (!fixture_) return;
        fixture_->view.Layers = mask;
        fixture_->view.Draw(false);
    }
    void EndClipboardModes() override {}
    std::vector<uint8_t> masks;

  private:
    test::ViewFixture* fixture_;
    tObjects objects_;
};

class ToolPalettesTest : public ::testing::Test {
  protected:
    ViewHost host;
    ToolBox tools{host};
};

TEST_F(ToolPalettesTest, PenButtonsSetTheModeTheWidthAndTheDeleteTool) {
    PenPalette pen(tools);
    pen.WidthChange(4);
    EXPECT_EQ(tools.State().PenRadius, 4);
    pen.LineClick();
    EXPECT_EQ(tools.State().PenMode, kPenLine);
    EXPECT_EQ(tools.State().PenRadius, 4);
    pen.FillClick();
    EXPECT_EQ(tools.State().PenMode, kPenFill);
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_EQ(tools.Marks().PenTrackBar, 0);
    pen.PenClick();
    EXPECT_EQ(tools.State().PenMode, kPenFree);
    pen.DeleteClick();
    EXPECT_EQ(tools.State().ToolCode, kDeleteTool);
    EXPECT_TRUE(tools.Marks().DeleteDown);
    pen.WidthChange(20);  // beyond 27 x 27
    EXPECT_EQ(tools.State().PenRadius, kMaxPenRadius);
}

TEST_F(ToolPalettesTest, EachLayerBoxClearsAndSetsOnlyItsOwnBit) {
    PenPalette pen(tools);
    pen.LayerBoxClick(2, false);
    pen.LayerBoxClick(32, false);
    pen.LayerBoxClick(2, true);
    pen.LayerBoxClick(8, false);
    EXPECT_EQ(host.masks, (std::vector<uint8_t>{61, 29, 31, 23}));
    EXPECT_EQ(tools.Marks().Layers, 23);
    // A mask set elsewhere (a script) is where the next box starts from.
    tools.SetViewMask(5);
    pen.LayerBoxClick(32, true);
    EXPECT_EQ(host.masks.back(), 37);
}

TEST(ToolPalettesViewTest, UncheckingTreesHidesTreesAndNothingElse) {
    test::ViewFixture f;
    ViewHost host(&f);
    ToolBox tools(host);
    PenPalette pen(tools);
    f.PutObject(5, 20, 0, test::kRock);
    f.PutObject(9, 24, 0, test::kBush);
    f.PutObject(7, 30, 0, test::kTree);
    f.view.Draw(false);
    const uint64_t everything = test::PixelChecksum(f.surface);
    pen.LayerBoxClick(kLayerBoxes[1].Bit, false);  // "Stromy"
    const uint64_t withoutTrees = test::PixelChecksum(f.surface);
    EXPECT_NE(withoutTrees, everything);
    // Exactly the picture of the same map without its tree.
    f.map->SetOccupancy(7, 30, 0);
    f.view.Layers = kAllLayers;
    f.view.Draw(false);
    EXPECT_EQ(test::PixelChecksum(f.surface), withoutTrees);
}

TEST_F(ToolPalettesTest, TerrainButtonsKeepTheRadiusWithinTerrainsAndLevelsStartAtZero) {
    TerrainPalette terrain(tools);
    terrain.TerrainClick(5);
    tools.SetPenRadius(3);
    terrain.TerrainClick(7);  // terrain to terrain: the radius stays
    EXPECT_EQ(tools.State().ToolCode, 7);
    EXPECT_EQ(tools.State().PenRadius, 3);
    EXPECT_EQ(tools.Marks().TerrainDown, 7);
    terrain.LevelBarChange(2);  // level 5
    EXPECT_EQ(tools.State().ToolCode, kLevelTool + 5);
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_TRUE(tools.Marks().LevelToolDown);
    EXPECT_EQ(tools.Marks().TerrainDown, -1);
    tools.SetPenRadius(2);
    terrain.TerrainClick(7);  // level to terrain: a new class starts at 0
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_FALSE(tools.Marks().LevelToolDown);
    terrain.TerrainClick(15);  // no such button
    EXPECT_EQ(tools.State().ToolCode, 7);
}

TEST_F(ToolPalettesTest, TheLevelButtonsStepOneLevelAndStopAtTheEnds) {
    TerrainPalette terrain(tools);
    terrain.LevelBarChange(0);  // level 7
    terrain.LevelUpClick();     // asks for 8: kept at 7
    EXPECT_EQ(tools.State().ToolCode, kLevelTool + 7);
    EXPECT_EQ(tools.Marks().LevelTrackBar, 0);
    terrain.LevelDownClick();
    EXPECT_EQ(tools.State().ToolCode, kLevelTool + 6);
    EXPECT_EQ(tools.Marks().LevelTrackBar, 1);
    terrain.LevelBarChange(7);  // level 0
    terrain.LevelDownClick();
    EXPECT_EQ(tools.State().ToolCode, kLevelTool);
    terrain.LevelUpClick();
    EXPECT_EQ(tools.State().ToolCode, kLevelTool + 1);
}

TEST_F(ToolPalettesTest, OnlyTheLandTerrainsHaveABinding) {
    for (int32_t t = 0; t < kTerrainButtons; ++t)
        EXPECT_EQ(TerrainPalette::HasBinding(t), t <= 9 || t == 14) << t;
    EXPECT_FALSE(TerrainPalette::HasBinding(15));
}

TEST_F(ToolPalettesTest, WallButtonsChooseKindsOneToEightOrNineToSixteen) {
    WallPalette walls(tools);
    walls.WallClick(3);
    EXPECT_EQ(tools.State().ToolCode, kWallTool);
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 3);
    EXPECT_EQ(tools.State().PenRadius, 1);
    EXPECT_EQ(tools.Marks().WallDown, 3);
    walls.ZalamovatChange(true);  // the chosen kind changes sides
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 11);
    walls.WallClick(5);
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 13);
    EXPECT_EQ(tools.Marks().WallDown, 5);
    walls.ZalamovatChange(false);
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 5);
    // Another tool's entry is left alone.
    tools.PressTerrainButton(2);
    tools.State().CurrentPack.IdObject = 40;
    walls.ZalamovatChange(true);
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 40);
    EXPECT_EQ(walls.KindOf(8), 16);
}

// A 64 x 64 picture of one colour, transparent (black) outside the rectangle.
writers::RgbaImage Block(writers::RgbaPixel colour, int left, int top, int right, int bottom) {
    writers::RgbaImage image(64, 64);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image.At(x, y) = colour;
    return image;
}

TEST(TerrainButtonPictureTest, TheOverlayGoesOverTheButtonAndAMissingPictureLeavesItBlank) {
    test::TempDir dir;
    test::ScopedCurrentDir cwd(dir.Path());
    test::ScopedTestUi ui;
    const writers::DdsOptions options{writers::DdsFormat::R5G6B5};
    dir.Write("zor.dat",
              writers::BuildArchive(
                  {{"PICTURES/terains/Trava.dds",
                    writers::WriteDds(Block({0, 200, 0, 255}, 0, 0, 64, 64), options)},
                   {"PICTURES/terains/Trava_ex_1.dds",
                    writers::WriteDds(Block({200, 0, 0, 255}, 0, 0, 16, 16), options)}}));
    BigFile().Open("zor.dat");
    tSurface button;
    TerrainButtonPicture("Trava", button);
    EXPECT_EQ(button.Width(), 64);
    const Rgb8 overlay = button.ColorAt(5, 5);
    EXPECT_GT(overlay.r, 180);
    EXPECT_EQ(overlay.g, 0);
    const Rgb8 base = button.ColorAt(40, 40);  // around the overlay
    EXPECT_EQ(base.r, 0);
    EXPECT_GT(base.g, 180);

    TerrainButtonPicture("Lava", button);
    EXPECT_EQ(button.Width(), 64);
    EXPECT_EQ(button.PixelAt(5, 5), 0);
    EXPECT_TRUE(ui.errors.empty());
    BigFile().Close();
}

TEST(WallButtonPictureTest, TheFirstPieceIsCentredWithItsKeyLeftOut) {
    tWall wall;
    wall.Picture.SetSize(200, 200);
    wall.Picture.SetTransparentRgb(255, 0, 255);
    wall.Picture.Fill(wall.Picture.TransparentColor());
    wall.Picture.FillRect({1, 1, 65, 81}, 0x1234);
    wall.Picture.PutPixel(10, 10, 255, 0, 255);
    tSurface button;
    WallButtonPicture(wall, 0xCE59, button);
    EXPECT_EQ(button.Width(), kWallButtonWidth);
    EXPECT_EQ(button.Height(), kWallButtonHeight);
    EXPECT_EQ(button.PixelAt(0, 0), 0xCE59);
    EXPECT_EQ(button.PixelAt(4, 4), 0x1234);    // the piece starts at (4, 4)
    EXPECT_EQ(button.PixelAt(67, 83), 0x1234);  // and ends at (67, 83)
    EXPECT_EQ(button.PixelAt(68, 84), 0xCE59);
    EXPECT_EQ(button.PixelAt(4 + 9, 4 + 9), 0xCE59);  // its key colour shows the button
    // No picture: a plain button.
    tWall empty;
    WallButtonPicture(empty, 0xCE59, button);
    EXPECT_EQ(button.PixelAt(30, 40), 0xCE59);
}

}  // namespace
}  // namespace tess
