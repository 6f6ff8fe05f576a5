// The new-settlement commands: the centre building they arm and the message when there is none.
#include "editor/palettes/SettlementCommand.h"

#include <gtest/gtest.h>

#include "PaletteFixture.h"
#include "game/GameTables.h"

namespace tess {
namespace {

using test::PaletteTest;

TEST_F(PaletteTest, ANewSettlementArmsTheObjectToolWithTheFirstCentreOfItsKindAndRace) {
    Tools().SetPenMode(kPenLine);
    Tools().SetPenRadius(4);
    State().CurrentPack.TreeMode = 1;
    State().CurrentPack.TreeLetters = "jl";
    ASSERT_TRUE(session->Run(MenuCommand::NewSettlement, 1, 1));  // human osada: Radnice
    const ToolState& state = State();
    EXPECT_EQ(state.ToolCode, kObjectTool);
    EXPECT_EQ(state.PenMode, kPenFree);
    EXPECT_EQ(state.PenRadius, 0);
    EXPECT_EQ(state.CurrentPack.Id, 10);
    EXPECT_EQ(state.CurrentPack.IdObject, 500);
    EXPECT_EQ(state.CurrentPack.Tag, 5);
    EXPECT_EQ(state.CurrentPack.UseOsada, 1);
    EXPECT_EQ(state.CurrentPack.UseVes, 0);
    EXPECT_EQ(state.CurrentPack.UseMesto, 1);
    EXPECT_EQ(state.CurrentPack.OwnerClass, kOwnerBuilding);
    EXPECT_EQ(state.CurrentPack.TreeMode, 0);  // no trees where the settlement goes
    EXPECT_EQ(state.CurrentPack.TreeLetters, "");

    ASSERT_TRUE(NewSettlement(Tools(), kMesto, 3));  // dwarf town: Sál
    EXPECT_EQ(State().CurrentPack.Id, 31);
    ASSERT_TRUE(NewSettlement(Tools(), kVesnice, 0));  // any village: Náves comes first
    EXPECT_EQ(State().CurrentPack.Id, 12);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PaletteTest, WithoutACentreTheToolsStayAndTheMessageSaysWhy) {
    Tools().PressTerrainButton(3);
    const ToolState before = State();
    EXPECT_FALSE(NewSettlement(Tools(), kOsada, 4));  // no elf osada
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Nedostatek informaci v DATA\\BUILDING.dbf");
    EXPECT_EQ(State().ToolCode, before.ToolCode);
    EXPECT_EQ(State().CurrentPack, before.CurrentPack);
    EXPECT_EQ(Tools().Marks().TerrainDown, 3);
}

}  // namespace
}  // namespace tess
