// The "Projekt" menu's player and settlement items, and a finding opening its record's editor.
#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "editor/DragScroll.h"
#include "editor/ScriptedEditorDialogs.h"
#include "editor/ToolBox.h"

namespace tess {
namespace {

using nlohmann::json;

// A view that only holds its position and counts its frames.
class CountingView final : public MapViewPort {
  public:
    ViewPosition& Position() override { return position; }
    void Draw() override { ++draws; }
    TPoint CellAt(int32_t x, int32_t y) override { return {x, y}; }
    ViewPosition position;
    int draws = 0;
};

class CountingMiniMap final : public MiniMapPort {
  public:
    void Rebuild() override {}
    void ShowFrame() override { ++frames; }
    void ShowWindow() override {}
    int frames = 0;
};

class ProjectCommandsTest : public test::SessionTest {
  protected:
    ProjectCommandsTest() : dialogs(answers, &session->MapSide()) {
        session->AttachView(&view);
        session->AttachMiniMap(&mini);
        session->Store().SetEditors(&dialogs);
        port.sizeAnswers = {MapSizeTexts{"512", "512"}};
        StartUp();
        session->MeReSize(640, 480);
    }
    std::vector<std::string> PlayerCaptions() const {
        std::vector<std::string> captions;
        for (const ProjectMenuEntry& entry : port.lastProject.Players)
            captions.push_back(std::to_string(entry.Index) + " " + entry.Caption);
        return captions;
    }

    CountingView view;
    CountingMiniMap mini;
    ScriptAnswers answers;
    ScriptedEditorDialogs dialogs;
};

TEST_F(ProjectCommandsTest, NewPlayerAndEditPlayerRebuildTheMenuAndMarkTheMapChanged) {
    ASSERT_TRUE(IsWired(MenuCommand::NewPlayer));
    ASSERT_FALSE(session->Modified);
    const int frames = port.frames;
    answers.Push({{"button", "ok"}, {"fields", {{"Name", "Červený"}}}});
    ASSERT_TRUE(session->Run(MenuCommand::NewPlayer));
    EXPECT_EQ(PlayerCaptions(), (std::vector<std::string>{"1 Červený"}));
    EXPECT_TRUE(session->Modified);
    EXPECT_GT(port.frames, frames);
    EXPECT_TRUE(port.lastMenus.HasPlayer);

    session->Modified = false;
    answers.Push({{"button", "ok"}, {"fields", {{"Name", "Zelený"}}}});
    ASSERT_TRUE(session->Run(MenuCommand::EditPlayer, 1));
    EXPECT_EQ(PlayerCaptions(), (std::vector<std::string>{"1 Zelený"}));
    EXPECT_TRUE(session->Modified);

    answers.Push({{"button", "delete"}});
    session->Run(MenuCommand::EditPlayer, 1);
    EXPECT_TRUE(PlayerCaptions().empty());
    EXPECT_FALSE(port.lastMenus.HasPlayer);
    // An index outside the store opens nothing.
    session->Run(MenuCommand::EditPlayer, 500);
    EXPECT_EQ(answers.Unanswered(), 0);
}

TEST_F(ProjectCommandsTest, ASettlementsItemCentresTheViewOnItsMainBuildingFirst) {
    tKalistor& store = session->Store();
    store.Settlements[1].Used = 1;
    store.Settlements[1].HlavniBudova = 2;
    store.SettlementCount = 1;
    store.Buildings[2].Used = 1;
    store.Buildings[2].X = 200;
    store.Buildings[2].Y = 301;
    store.BuildingCount = 2;
    const int frames = mini.frames;
    answers.Push({{"button", "ok"}, {"fields", {{"Name", "Brod"}}}});
    ASSERT_TRUE(session->Run(MenuCommand::EditSettlement, 1));
    // 640 / 32 + 1 = 21 columns, (480 + 32) / 8 + 1 = 65 rows: 10 columns and 32 rows back.
    EXPECT_EQ(view.position.X, 190);
    EXPECT_EQ(view.position.Y, 269);
    EXPECT_EQ(mini.frames, frames + 1);
    ASSERT_EQ(port.lastProject.Settlements.size(), 1u);
    EXPECT_EQ(port.lastProject.Settlements[0].Caption, "Brod");

    // Near the map's corner the view stays on the map; without a main building it stays put.
    store.Buildings[2].X = 3;
    store.Buildings[2].Y = 3;
    answers.Push({{"button", "cancel"}});
    session->Run(MenuCommand::EditSettlement, 1);
    EXPECT_EQ(view.position.X, 0);
    EXPECT_EQ(view.position.Y, 0);
    view.position.X = 50;
    store.Settlements[1].HlavniBudova = 0;
    answers.Push({{"button", "cancel"}});
    session->Run(MenuCommand::EditSettlement, 1);
    EXPECT_EQ(view.position.X, 50);
}

TEST_F(ProjectCommandsTest, AFindingOpensItsUnitsEditorAndItsDeleteReachesTheMap) {
    tKalistor& store = session->Store();
    tMapa& map = session->Map();
    store.Units[4].Used = 1;
    store.Units[4].IdObject = 3450;
    store.Units[4].X = 40;
    store.Units[4].Y = 50;
    store.UnitCount = 4;
    map.SetOccupancy(40, 50, 2);
    map.SetLinkKind(40, 50, 2);
    map.SetId(40, 50, 4);
    answers.Push({{"button", "patrol"}});
    session->ShowFinding(50 * 65536 + 40);
    // The next map click chooses the unit's patrol cell.
    EXPECT_EQ(session->Tools().State().CurrentPack.Tag, -1);
    EXPECT_EQ(session->Tools().State().CurrentPack.Extra, 4);
    EXPECT_TRUE(session->Modified);
    answers.Push({{"button", "delete"}});
    session->ShowFinding(50 * 65536 + 40);
    EXPECT_EQ(store.Units[4].Used, 0);
    EXPECT_EQ(map.GetOccupancy(40, 50), 0);
}

}  // namespace
}  // namespace tess
