// The tool state's rules: tool classes and the brush radius, the level, placement and wall
// tools, pen modes, "27x27", and what the palettes are told.
#include "editor/ToolBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "map/ObjectFixture.h"
#include "map/ObjectsDat.h"

namespace tess {
namespace {

class RecordingHost final : public ToolHost {
  public:
    const tObjects& Objects() const override { return objects; }
    void SetCursorExtent(int32_t width, int32_t height) override {
        cursorWidth = width;
        cursorHeight = height;
    }
    void SetLayers(uint8_t mask) override { layers.push_back(mask); }
    void EndClipboardModes() override { ++modesEnded; }

    tObjects objects;
    int32_t cursorWidth = -1;
    int32_t cursorHeight = -1;
    std::vector<uint8_t> layers;
    int modesEnded = 0;
};

class RecordingListener final : public ToolListener {
  public:
    void ToolsChanged(const ToolState& state, const PaletteMarks& marks) override {
        codes.push_back(state.ToolCode);
        last = marks;
    }
    void TerrainListChanged() override { ++terrainLists; }
    std::vector<int32_t> codes;
    PaletteMarks last;
    int terrainLists = 0;
};

class ToolBoxTest : public ::testing::Test {
  protected:
    ToolBoxTest() { tools.AddListener(&listener); }
    RecordingHost host;
    ToolBox tools{host};
    RecordingListener listener;
};

TEST_F(ToolBoxTest, TheRadiusStaysWithinAToolClassAndStartsAtZeroInANewOne) {
    tools.PressTerrainButton(5);
    tools.SetPenRadius(4);
    EXPECT_EQ(host.cursorWidth, 8);
    EXPECT_EQ(tools.Marks().PenTrackBar, 4);

    tools.SelectTool(7);  // terrain to terrain keeps the pen palette's bar
    EXPECT_EQ(tools.State().PenRadius, 4);
    tools.SelectTool(kLevelTool + 2);  // level is another class
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_EQ(host.cursorWidth, 0);
    tools.SetPenRadius(2);
    tools.SelectTool(kLevelTool + 6);  // level to level keeps it
    EXPECT_EQ(tools.State().PenRadius, 2);
    tools.SelectTool(5);  // level to terrain resets it
    EXPECT_EQ(tools.State().PenRadius, 0);
    tools.SetPenRadius(3);
    tools.SelectTool(kDeleteTool);  // the delete tool is a class of its own
    EXPECT_EQ(tools.State().PenRadius, 0);
    tools.SetPenRadius(3);
    tools.SelectTool(kDeleteTool);
    EXPECT_EQ(tools.State().PenRadius, 3);
    EXPECT_EQ(tools.State().ToolCode, kDeleteTool);
}

TEST_F(ToolBoxTest, ChoosingAToolReleasesEveryMarkAndEndsTheClipboardModes) {
    tools.PressTerrainButton(3);
    EXPECT_EQ(tools.Marks().TerrainDown, 3);
    tools.MarkObjectEntry(6);
    const int ended = host.modesEnded;
    tools.PressDeleteButton();
    EXPECT_EQ(host.modesEnded, ended + 1);
    EXPECT_TRUE(tools.Marks().DeleteDown);
    EXPECT_EQ(tools.Marks().TerrainDown, -1);
    EXPECT_EQ(tools.Marks().ObjectEntry, -1);
    tools.PressWallButton(12);  // a bent wall shows as the button of its picture
    EXPECT_FALSE(tools.Marks().DeleteDown);
    EXPECT_EQ(tools.Marks().WallDown, 4);
    EXPECT_EQ(tools.State().ToolCode, kWallTool);
    EXPECT_EQ(tools.State().CurrentPack.IdObject, 12);
    EXPECT_EQ(tools.State().PenRadius, 1);  // walls go on with a 3 x 3 brush
}

TEST_F(ToolBoxTest, TheLevelToolClampsItsLevelAndMovesTheLevelBar) {
    tools.SelectLevelTool(8);
    EXPECT_EQ(tools.State().ToolCode, kLevelTool + 7);
    EXPECT_EQ(tools.Marks().LevelTrackBar, 0);
    EXPECT_TRUE(tools.Marks().LevelToolDown);
    tools.SelectLevelTool(-3);
    EXPECT_EQ(tools.State().ToolCode, kLevelTool);
    EXPECT_EQ(tools.Marks().LevelTrackBar, 7);
    tools.PressTerrainButton(1);
    EXPECT_FALSE(tools.Marks().LevelToolDown);
}

TEST_F(ToolBoxTest, APlacementCopiesTheEntryAndSizesTheCursorToItsObject) {
    test::AddObject(host.objects, 510, 3, 2);
    tAddPack entry;
    entry.Name = "Kasárna";
    entry.IdObject = 510;
    entry.Id = 11;
    entry.OwnerClass = kOwnerBuilding;
    tools.SetPenRadius(5);
    tools.SelectPlacement(entry, true);
    EXPECT_EQ(tools.State().ToolCode, kObjectTool);
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_EQ(tools.State().CurrentPack.Name, "Kasárna");
    EXPECT_EQ(tools.State().CurrentPack.RandomShade, 1);
    EXPECT_EQ(host.cursorWidth, 2);
    EXPECT_EQ(host.cursorHeight, 1);
    entry.IdObject = 9999;  // not in the catalogue: a one-cell cursor
    tools.SelectPlacement(entry, false);
    EXPECT_EQ(tools.State().CurrentPack.RandomShade, 0);
    EXPECT_EQ(host.cursorWidth, 0);
}

TEST_F(ToolBoxTest, PenModesAndTheHiddenWidestBrush) {
    tools.SetPenRadius(6);
    tools.SetPenMode(kPenLine);
    EXPECT_EQ(tools.State().PenRadius, 6);
    tools.SetPenMode(kPenFill);  // the fill works block by block
    EXPECT_EQ(tools.State().PenMode, kPenFill);
    EXPECT_EQ(tools.State().PenRadius, 0);
    EXPECT_EQ(host.cursorWidth, 0);
    tools.PenRadius27();
    EXPECT_EQ(tools.State().PenRadius, kMaxPenRadius);
    EXPECT_EQ(host.cursorWidth, 0);  // the cursor keeps its size, the bar its place
    EXPECT_EQ(tools.Marks().PenTrackBar, 0);
    tools.SetPenRadius(40);  // beyond the palette's range
    EXPECT_EQ(tools.State().PenRadius, kMaxPenRadius);
    tools.SetViewMask(61);
    EXPECT_EQ(host.layers, std::vector<uint8_t>{61});
}

TEST_F(ToolBoxTest, ListenersHearOnceForEachOperation) {
    tools.SelectLevelTool(2);  // clears marks, selects, sets the radius and the bar: one call
    ASSERT_EQ(listener.codes.size(), 1u);
    EXPECT_EQ(listener.codes.back(), kLevelTool + 2);
    EXPECT_EQ(listener.last.LevelTrackBar, 5);
    tools.State().ToolCode = 0;  // a direct change is told with Changed()
    tools.Changed();
    EXPECT_EQ(listener.codes.size(), 2u);
    tools.TerrainListChanged();
    EXPECT_EQ(listener.terrainLists, 1);
    tools.RemoveListener(&listener);
    tools.SelectTool(5);
    EXPECT_EQ(listener.codes.size(), 2u);
}

}  // namespace
}  // namespace tess
