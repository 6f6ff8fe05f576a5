// The palettes' menu commands in the session: "Nástrojové lišty" and the hidden wall kinds.
#include "editor/palettes/Palettes.h"

#include <gtest/gtest.h>

#include "PaletteFixture.h"

namespace tess {
namespace {

using test::PaletteTest;

class RecordingWindows final : public PaletteWindowsPort {
  public:
    void ShowToolPalette(ToolWindowIndex window) override { shown.push_back(window); }
    std::vector<ToolWindowIndex> shown;
};

TEST_F(PaletteTest, ToolbarItemsShowTheirPalettesAndDoNothingWithoutWindows) {
    for (MenuCommand command : {MenuCommand::ShowPenPalette, MenuCommand::ShowTerrainPalette,
                                MenuCommand::ShowWallPalette})
        EXPECT_TRUE(session->Run(command));  // the command-line tool has no windows
    RecordingWindows windows;
    session->PaletteRules().SetWindows(&windows);
    session->Run(MenuCommand::ShowWallPalette);
    session->Run(MenuCommand::ShowPenPalette);
    session->Run(MenuCommand::ShowTerrainPalette);
    EXPECT_EQ(windows.shown,
              (std::vector<ToolWindowIndex>{kWallPalette, kPenPalette, kTerrainPalette}));
    session->PaletteRules().SetWindows(nullptr);
    // Other commands are not the palettes'.
    EXPECT_FALSE(session->PaletteRules().Run(MenuCommand::Undo, 0, 0));
}

TEST(PaletteSpotTest, ToolPalettesGoToTheRightCornerStackedOrToTheLeft) {
    const PaletteSpotSizes sizes{1280, 1000, 200, 150, 700};
    EXPECT_EQ(ToolPaletteSpot(kPenPalette, sizes), (TPoint{1070, 840}));
    EXPECT_EQ(ToolPaletteSpot(kTerrainPalette, sizes), (TPoint{1070, 540}));
    EXPECT_EQ(ToolPaletteSpot(kWallPalette, sizes), (TPoint{10, 50}));
}

TEST_F(PaletteTest, TheHiddenWallMenuSetsTheKindOfTheEntry) {
    Tools().PressWallButton(2);
    ASSERT_TRUE(session->Run(MenuCommand::WallKind, 14));
    EXPECT_EQ(State().CurrentPack.IdObject, 14);
    EXPECT_EQ(State().ToolCode, kWallTool);
}

}  // namespace
}  // namespace tess
