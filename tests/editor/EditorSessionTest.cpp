// The main window's rules without a window: start-up, map files, saving, closing, options.
#include "editor/EditorSession.h"

#include <filesystem>

#include "SessionFixture.h"
#include "editor/ToolBox.h"
#include "game/MapFiles.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using test::SessionTest;

MapSizeTexts Size(const char* x, const char* y) {
    return {x, y};
}

// --- start-up --------------------------------------------------------------------------------

TEST_F(SessionTest, StartUpOpensTheLastMapAndEndsReady) {
    const std::string mapName = WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    settings.SetString(kLastMapValue, "MAPS\\default.map");
    StartUp();

    EXPECT_EQ(port.sizeDialogs, 0);
    EXPECT_EQ(session->Map().Width, 64);
    EXPECT_EQ(session->Store().UnitCount, 1);
    EXPECT_EQ(session->FileName, "MAPS\\default.map");
    EXPECT_EQ(session->SaveDialog1.FileName, "MAPS\\default.map");
    EXPECT_EQ(session->OpenDialog1.InitialDir, "MAPS\\");
    EXPECT_FALSE(session->Modified);
    ASSERT_GE(ui.captions.size(), 2u);
    EXPECT_EQ(ui.captions[ui.captions.size() - 2], "Loading \"MAPS\\default.map\"...");
    EXPECT_EQ(ui.LastCaption(), "Tessarine redy ...");
    EXPECT_EQ(port.lastProject.Caption, "default");
    EXPECT_TRUE(port.lastMenus.HasPlayer);
    EXPECT_FALSE(port.lastMenus.HasSettlement);
}

TEST_F(SessionTest, StartUpUsesTheDefaultLastMapName) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    EXPECT_EQ(port.sizeDialogs, 0);
    EXPECT_EQ(session->FileName, "MAPS\\default.map");
}

TEST_F(SessionTest, StartUpWithoutALastMapForcesTheSizeDialogUntilAMapExists) {
    settings.SetString(kLastMapValue, "MAPS\\gone.map");
    port.sizeAnswers = {std::nullopt, Size("100", "300"), std::nullopt, Size("300", "400")};
    StartUp();

    EXPECT_EQ(port.sizeDialogs, 4);
    EXPECT_EQ(session->Map().Width, 300);
    EXPECT_EQ(session->Map().Height, 400);
    EXPECT_EQ(session->FileName, "");
    EXPECT_EQ(session->Map().GetTerrain(150, 200), 5);
    EXPECT_EQ(ui.messages.size(), 1u);  // the refused 100
    EXPECT_EQ(ui.LastCaption(), "Tessarine redy ...");
    EXPECT_EQ(port.lastProject.Caption, "Projekt");
}

TEST_F(SessionTest, AnUnreadableLastMapIsNotKeptAsTheFileName) {
    dir.Write("MAPS/default.map", std::string("not a map at all"));
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    EXPECT_EQ(port.sizeDialogs, 1);
    EXPECT_EQ(session->FileName, "");
    EXPECT_EQ(session->SaveDialog1.FileName, "");
    EXPECT_EQ(session->Map().Width, 128);
}

TEST_F(SessionTest, ReverseScrollIsCheckedExactlyWhenTheSettingIsOne) {
    for (const auto& [stored, checked] : {std::pair{1, true}, {0, false}, {2, false}}) {
        settings.SetInt(kReverseScrollValue, stored);
        session->ReadSettings();
        EXPECT_EQ(session->IsChecked(MenuCommand::ToggleReverseScroll), checked) << stored;
    }
}

// --- new map ---------------------------------------------------------------------------------

TEST_F(SessionTest, NewMapFillsTheMapAndForgetsTheFileName) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    session->Modified = true;
    port.sizeAnswers = {Size("128", "2047")};
    EXPECT_TRUE(session->Run(MenuCommand::NewMap));
    EXPECT_EQ(session->Map().Width, 128);
    EXPECT_EQ(session->Map().Height, 2047);
    EXPECT_EQ(session->Map().GetLevel(5, 5), 3);
    EXPECT_EQ(session->Map().GetLinkKind(10, 10), 0);
    EXPECT_EQ(session->Store().UnitCount, 0);
    EXPECT_EQ(session->FileName, "");
    EXPECT_EQ(session->SaveDialog1.FileName, "");
    EXPECT_EQ(port.lastProject.Caption, "Projekt");
    EXPECT_TRUE(port.lastProject.Players.empty());
    EXPECT_TRUE(session->Modified);  // a new map does not count as saved
}

TEST_F(SessionTest, ConfirmedSizeWithABadOtherFieldLeavesTheMapUnchanged) {
    const std::string mapName = WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    const tMapCell before = session->Map().Cell(10, 10);
    for (const MapSizeTexts& texts : {Size("2048", "300"), Size("300", "12x"), Size("", "")}) {
        ui.Reset();
        port.sizeAnswers = {texts};
        session->Run(MenuCommand::NewMap);
        EXPECT_EQ(session->Map().Width, 64);
        EXPECT_EQ(session->Map().Height, 64);
        EXPECT_EQ(session->Map().Cell(10, 10), before);
        EXPECT_EQ(session->Store().UnitCount, 1);
        EXPECT_EQ(session->FileName, "MAPS\\default.map");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("rozměr"), std::string::npos) << ui.messages[0];
    }
}

// --- opening ---------------------------------------------------------------------------------

TEST_F(SessionTest, OpeningDerivesTheGameDataNameFromTheLastThreeCharacters) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    // Upper-case "MAP" still pairs with "sav"; a four-letter extension loses three letters.
    for (const auto& [mapRel, savRel] : {std::pair{"MAPS/UPPER.MAP", "MAPS/UPPER.sav"},
                                         std::pair{"MAPS/long.mapa", "MAPS/long.msav"}}) {
        const std::string mapName = WriteMapPair(mapRel, savRel);
        port.openAnswers = {mapName};
        session->Run(MenuCommand::OpenMap);
        EXPECT_EQ(session->FileName, mapName);
        EXPECT_EQ(session->Store().UnitCount, 1) << savRel;
        EXPECT_EQ(session->Map().GetLinkKind(10, 10), 2) << savRel;
    }
    EXPECT_EQ(port.openSetups[0].Filter, "Mapa k ZOR|*.map");
    EXPECT_EQ(port.openSetups[0].Directory, dir.File("MAPS"));
}

TEST_F(SessionTest, FileDialogsStartAtTheCurrentMapOnThisDisk) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();  // FileName as the settings keep it, with a backslash
    port.saveAnswers = {std::nullopt};
    port.openAnswers = {std::nullopt};
    session->SaveAsCommand();
    session->OpenMapCommand();
    for (const FileDialogSetup& setup : {port.saveSetups.at(0), port.openSetups.at(0)}) {
        EXPECT_EQ(setup.FileName, dir.File("MAPS/default.map"));
        EXPECT_TRUE(std::filesystem::equivalent(setup.Directory, dir.File("MAPS")));
    }
    EXPECT_EQ(session->FileName, "MAPS\\default.map");
}

TEST_F(SessionTest, OpeningReturnsToTheGameDirectory) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    const std::string mapName = WriteMapPair("MAPS/a.map", "MAPS/a.sav");
    std::filesystem::current_path(dir.Path() / "MAPS");
    port.openAnswers = {mapName};
    session->Run(MenuCommand::OpenMap);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());
    std::filesystem::current_path(dir.Path() / "MAPS");
    port.openAnswers = {std::nullopt};
    session->Run(MenuCommand::OpenMap);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());
}

TEST_F(SessionTest, ARefusedMapFileKeepsTheCurrentMapItsNameAndItsChanges) {
    const std::string mapName = WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    session->Modified = true;
    const std::string bad = dir.Write("MAPS/bad.map", std::string("damaged"));
    port.openAnswers = {bad};
    session->Run(MenuCommand::OpenMap);
    EXPECT_EQ(session->FileName, "MAPS\\default.map");
    EXPECT_EQ(session->SaveDialog1.FileName, "MAPS\\default.map");
    EXPECT_TRUE(session->Modified);
    EXPECT_EQ(session->Store().UnitCount, 1);
    EXPECT_EQ(settings.GetString(kLastMapValue, ""), "MAPS\\default.map");
}

TEST_F(SessionTest, ARefusedGameDataFileStillOpensTheMap) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    const std::string mapName = WriteMapPair("MAPS/b.map", "MAPS/b.sav");
    dir.Write("MAPS/b.sav", std::string("short"));
    port.openAnswers = {mapName};
    session->Run(MenuCommand::OpenMap);
    EXPECT_EQ(session->FileName, mapName);
    EXPECT_EQ(session->Map().Width, 64);
    EXPECT_EQ(session->Store().UnitCount, 0);
}

// --- saving ----------------------------------------------------------------------------------

TEST_F(SessionTest, SaveWritesBothFilesAndReportsOk) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    session->Map().SetLevel(3, 3, 6);
    session->Modified = true;
    std::filesystem::remove(dir.File("MAPS/default.sav"));
    session->Run(MenuCommand::SaveMap);

    EXPECT_EQ(ui.captions[ui.captions.size() - 2], "Save ...");
    EXPECT_EQ(ui.LastCaption(), "Save ... ok.");
    EXPECT_FALSE(session->Modified);
    EXPECT_TRUE(std::filesystem::exists(dir.File("MAPS/default.sav")));
    auto reread = std::make_unique<tMapa>();
    ViewPosition view;
    ASSERT_TRUE(reread->LoadFromFile(dir.File("MAPS/default.map"), view));
    EXPECT_EQ(reread->GetLevel(3, 3), 6);
    EXPECT_EQ(settings.GetString(kLastMapValue, ""), "MAPS\\default.map");
}

TEST_F(SessionTest, AMapFailingTheCheckIsNotSavedAndItsFindingsAreShown) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    const auto before = test::ReadFileBytes(dir.File("MAPS/default.map"));
    const auto savBefore = test::ReadFileBytes(dir.File("MAPS/default.sav"));
    session->Map().SetLevel(3, 3, 6);
    session->Modified = true;
    session->Store().Players[2].Used = 0;  // one player is too few
    EXPECT_FALSE(session->SaveMapFiles(dir.File("MAPS/default.map"), dir.File("MAPS/default.sav")));
    EXPECT_EQ(port.checksStarted, 1);
    EXPECT_EQ(port.checksFinished, 1);
    ASSERT_EQ(port.lastFindings.size(), 1u);
    EXPECT_EQ(port.lastFindings[0].Code, kFindingTooFewPlayers);
    EXPECT_EQ(port.progress.maximum, 64);  // the window's progress follows the map rows
    EXPECT_GT(port.progress.rows, 0);
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(session->Modified);
    EXPECT_EQ(test::ReadFileBytes(dir.File("MAPS/default.map")), before);
    EXPECT_EQ(test::ReadFileBytes(dir.File("MAPS/default.sav")), savBefore);
}

TEST_F(SessionTest, AnUnnamedMapFailingTheCheckIsRefusedBeforeANameIsAsked) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    session->Modified = true;
    ui.messageAnswers = {Answer::Yes};  // the close question saves to the (empty) name
    EXPECT_FALSE(session->CloseRequested());
    EXPECT_TRUE(port.saveSetups.empty());
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(port.lastFindings.size(), 1u);
    EXPECT_EQ(port.lastFindings[0].Code, kFindingTooFewPlayers);
    EXPECT_TRUE(session->Modified);
}

TEST_F(SessionTest, TheHiddenCheckItemRunsTheFullCheck) {
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    EXPECT_TRUE(session->Run(MenuCommand::CheckMap));
    EXPECT_EQ(port.checksFinished, 1);
    EXPECT_TRUE(port.lastFindings.empty());
    // A unit whose owner is gone is listed with its cell.
    session->Store().Units[1].IdPlayer = 7;
    session->Run(MenuCommand::CheckMap);
    EXPECT_EQ(port.checksFinished, 2);
    ASSERT_EQ(port.lastFindings.size(), 1u);
    EXPECT_EQ(port.lastFindings[0].Line(), "Jednotka nepatří žádnému hráči. [10,10]");
    EXPECT_TRUE(ui.messages.empty());  // the window shows the findings, no message box
}

TEST_F(SessionTest, AFailedWriteIsReportedAndNotCountedAsSaved) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    GiveTwoPlayers();
    session->Modified = true;
    EXPECT_FALSE(session->SaveMapFiles(dir.File("no/such/dir/x.map"), dir.File("no/such/x.sav")));
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(session->Modified);
}

TEST_F(SessionTest, SaveOnANewMapAsksForAName) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    GiveTwoPlayers();
    const std::string target = dir.File("MAPS/fresh.map");
    port.saveAnswers = {target};
    session->Run(MenuCommand::SaveMap);
    ASSERT_EQ(port.saveSetups.size(), 1u);
    EXPECT_EQ(port.saveSetups[0].Filter, "Mapa k ZOR *.map|*.map");
    EXPECT_EQ(port.saveSetups[0].DefaultExt, "map");
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::exists(dir.File("MAPS/fresh.sav")));
    EXPECT_EQ(session->FileName, target);
    EXPECT_EQ(session->SaveDialog1.FileName, target);
    EXPECT_EQ(port.lastProject.Caption, "fresh");
    // The next save goes to the same file without a dialog.
    session->Run(MenuCommand::SaveMap);
    EXPECT_EQ(port.saveSetups.size(), 1u);
}

TEST_F(SessionTest, SaveAsAsksBeforeOverwriting) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    GiveTwoPlayers();
    const std::string target = dir.Write("MAPS/old.map", std::string("keep me"));
    port.saveAnswers = {target};
    ui.messageAnswers = {Answer::No};
    EXPECT_FALSE(session->SaveAsCommand());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Opravdu prepsat existujici soubor " + target + "?");
    EXPECT_EQ(test::ReadFileBytes(target).size(), 7u);
    EXPECT_EQ(session->FileName, "");

    port.saveAnswers = {target};
    ui.messageAnswers = {Answer::Yes};
    EXPECT_TRUE(session->SaveAsCommand());
    EXPECT_GT(test::ReadFileBytes(target).size(), 7u);
    EXPECT_EQ(session->FileName, target);
}

// --- closing ---------------------------------------------------------------------------------

struct CloseCase {
    const char* name;
    bool modified;
    std::optional<Answer> answer;  // none: no question expected
    bool checkPasses;
    bool closes;
    bool placesWritten;
};

class CloseQuestionTest : public SessionTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestionTest, AsksOnlyWhenModifiedAndWritesPlacesForAnyAnswer) {
    const CloseCase& c = GetParam();
    WriteMapPair("MAPS/default.map", "MAPS/default.sav");
    StartUp();
    if (!c.checkPasses) session->Store().Players[2].Used = 0;
    session->Modified = c.modified;
    ui.Reset();
    if (c.answer) ui.messageAnswers = {*c.answer};

    EXPECT_EQ(session->CloseRequested(), c.closes);
    if (c.answer) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], "Uložit mapu do souboru \"MAPS\\default.map\"?");
    } else {
        EXPECT_TRUE(ui.messages.empty());
    }
    EXPECT_EQ(settings.GetInt("LitleMX", -1) != -1, c.placesWritten);
    EXPECT_EQ(settings.GetInt("seleWallY", -1) != -1, c.placesWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, CloseQuestionTest,
    ::testing::Values(CloseCase{"NotModified", false, std::nullopt, true, true, false},
                      CloseCase{"YesSaved", true, Answer::Yes, true, true, true},
                      CloseCase{"YesCheckFails", true, Answer::Yes, false, false, true},
                      CloseCase{"No", true, Answer::No, true, true, true},
                      CloseCase{"Cancel", true, Answer::Cancel, true, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, ClosingANewMapAsksPlainlyAndACancelledNameKeepsTheWindow) {
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    GiveTwoPlayers();
    session->Modified = true;
    ui.messageAnswers = {Answer::Yes};
    port.saveAnswers = {std::nullopt};
    EXPECT_FALSE(session->CloseRequested());
    EXPECT_EQ(ui.messages.at(0), "Uložit mapu?");
    EXPECT_EQ(port.saveSetups.size(), 1u);
}

// --- window places ---------------------------------------------------------------------------

class FakeWindow final : public ToolWindow {
  public:
    int32_t Left() const override { return left; }
    int32_t Top() const override { return top; }
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override {
        visible = v;
        calls += "v";
    }
    void SetLeft(int32_t v) override {
        left = v;
        calls += "l";
    }
    void SetTop(int32_t v) override {
        top = v;
        calls += "t";
    }
    int32_t left = 0;
    int32_t top = 0;
    bool visible = false;
    std::string calls;
};

TEST_F(SessionTest, WindowPlacesRoundTripThroughTheSettings) {
    FakeWindow mini, pen, objects;
    mini.left = 11;  // the defaults come from the window's current place
    mini.top = 22;
    settings.SetInt("selePeroX", 300);
    settings.SetInt("selePeroY", 400);
    settings.SetBool("selePeroex", true);
    settings.SetInt("seleTerX", 5);  // a window that does not exist keeps its values
    session->RestoreWindowPlaces({&mini, &pen, nullptr, &objects, nullptr});

    EXPECT_EQ(pen.calls, "vlt");
    EXPECT_EQ(pen.left, 300);
    EXPECT_EQ(pen.top, 400);
    EXPECT_TRUE(pen.visible);
    EXPECT_EQ(mini.left, 11);
    EXPECT_EQ(mini.top, 22);
    EXPECT_FALSE(mini.visible);

    mini.left = 700;
    mini.visible = true;
    objects.top = 90;
    session->SaveWindowPlaces();
    EXPECT_EQ(settings.GetInt("LitleMX", 0), 700);
    EXPECT_TRUE(settings.GetBool("LitleMex", false));
    EXPECT_EQ(settings.GetInt("SeleObjY", 0), 90);
    EXPECT_EQ(settings.GetInt("seleTerX", 0), 5);
    EXPECT_FALSE(settings.GetBool("seleWallex", true));

    // The next run restores what this one wrote.
    FakeWindow mini2;
    EditorSession next(setup, port);
    next.RestoreWindowPlaces({&mini2, nullptr, nullptr, nullptr, nullptr});
    EXPECT_EQ(mini2.left, 700);
    EXPECT_TRUE(mini2.visible);
}

// --- the "Projekt" menu and the object menus -------------------------------------------------

TEST_F(SessionTest, ProjectMenuListsRecordsInUseAndTheMapName) {
    tKalistor& store = session->Store();
    store.Players[1].Used = 1;
    store.Players[1].Name.Set(Utf8ToCp1250("Žlutý"));
    store.Players[2].Used = 0;  // deleted
    store.Players[3].Used = 1;
    store.Players[3].Name.Set("Modry");
    store.PlayerCount = 3;
    store.Settlements[2].Used = 1;
    store.Settlements[2].Name.Set("Brod");
    store.SettlementCount = 2;
    session->FileName = "/games/velmora/MAPS/Horni Les.map";
    session->PrepocitejHrace();

    EXPECT_EQ(port.lastProject.Caption, "Horni Les");
    EXPECT_EQ(port.lastProject.Players,
              (std::vector<ProjectMenuEntry>{{1, "Žlutý"}, {3, "Modry"}}));
    EXPECT_EQ(port.lastProject.Settlements, (std::vector<ProjectMenuEntry>{{2, "Brod"}}));
    EXPECT_EQ(session->ObjectMenus(), (ObjectMenuState{true, true}));

    store.Players[1].Used = 0;
    store.Players[3].Used = 0;
    store.Settlements[2].Used = 0;
    EXPECT_EQ(session->ObjectMenus(), (ObjectMenuState{false, false}));
}

// --- options ---------------------------------------------------------------------------------

TEST_F(SessionTest, TogglesFlipTheirMarkAndTheScrollDirectionIsRemembered) {
    EXPECT_TRUE(session->IsChecked(MenuCommand::ToggleAutoRepair));
    EXPECT_TRUE(session->IsChecked(MenuCommand::ToggleEditNewBuildings));
    EXPECT_TRUE(session->Run(MenuCommand::ToggleEditNewBuildings));
    EXPECT_FALSE(session->Store().EditNewBuildings);

    session->Run(MenuCommand::ToggleReverseScroll);
    EXPECT_EQ(settings.GetInt(kReverseScrollValue, -1), 1);
    session->Run(MenuCommand::ToggleReverseScroll);
    EXPECT_EQ(settings.GetInt(kReverseScrollValue, -1), 0);

    for (MenuCommand toggle : {MenuCommand::ToggleWallChange, MenuCommand::ToggleShowBlocked,
                               MenuCommand::ToggleSoundEditing}) {
        EXPECT_FALSE(session->IsChecked(toggle));
        session->Run(toggle);
        EXPECT_TRUE(session->IsChecked(toggle));
    }
}

TEST(MainMenuWiring, EveryItemWithACommandIsCarriedOut) {
    // Items whose command is not wired are shown disabled: none may be left so.
    std::vector<std::string> unwired;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& item, const std::string& path) {
        if (item.Command != MenuCommand::None && !IsWired(item.Command))
            unwired.push_back(MenuKey(item, path));
    });
    EXPECT_EQ(unwired, std::vector<std::string>{});
}

// --- the mouse -------------------------------------------------------------------------------

// A view that reports one cell per 32 x 8 pixels and counts its frames.
class GridView final : public MapViewPort {
  public:
    ViewPosition& Position() override { return position; }
    void Draw() override { ++draws; }
    TPoint CellAt(int32_t x, int32_t y) override {
        return {position.X + x / 32, position.Y + y / 8};
    }
    ViewPosition position;
    int draws = 0;
};

TEST_F(SessionTest, EveryPressCountsAsAChange) {
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        session->Modified = false;
        session->MouseDown(button, 5, 5);
        session->MouseUp(button, 5, 5);
        EXPECT_TRUE(session->Modified);
    }
}

TEST_F(SessionTest, RightDragScrollsWithTheFourWayCursor) {
    GridView view;
    session->AttachView(&view);
    port.sizeAnswers = {Size("1000", "1000")};
    StartUp();
    session->MouseMove(500, 300);
    session->MouseDown(MouseButton::Right, 500, 300);
    EXPECT_EQ(port.cursors.back(), ViewCursor::Scroll);
    session->MouseMove(475, 290);  // 25 left, 10 up: drag the map the other way
    EXPECT_EQ(view.position.X, 0);
    session->MouseMove(525, 310);  // 50 right, 20 down
    EXPECT_EQ(view.position.X, 5);
    EXPECT_EQ(view.position.Y, 8);
    // A left press while scrolling does not end the scroll.
    session->MouseDown(MouseButton::Left, 525, 310);
    EXPECT_EQ(session->Tools().State().DragState, 2);
    session->MouseUp(MouseButton::Right, 525, 310);
    EXPECT_EQ(port.cursors.back(), ViewCursor::Default);
    session->MouseMove(625, 410);
    EXPECT_EQ(view.position.X, 5);

    session->Run(MenuCommand::ToggleReverseScroll);
    session->MouseDown(MouseButton::Right, 625, 410);
    session->MouseMove(645, 415);
    EXPECT_EQ(view.position.X, 3);
    EXPECT_EQ(view.position.Y, 6);
}

TEST_F(SessionTest, MovingOntoAnotherCellShowsItInTheCaptionAndRedraws) {
    GridView view;
    session->AttachView(&view);
    port.sizeAnswers = {Size("256", "512")};
    StartUp();
    const int draws = view.draws;
    session->MouseMove(70, 20);
    EXPECT_EQ(ui.LastCaption(), "2x2");
    EXPECT_EQ(session->CursorCell, (TPoint{2, 2}));
    EXPECT_EQ(view.draws, draws + 1);
    session->MouseMove(75, 21);  // the same cell: no new frame
    EXPECT_EQ(view.draws, draws + 1);
    session->MouseMove(120 * 32, 57 * 8);
    EXPECT_EQ(ui.LastCaption(), "120x57");
}

// A mini-map that counts what the session asks of it.
class CountingMiniMap final : public MiniMapPort {
  public:
    void Rebuild() override { ++rebuilds; }
    void ShowFrame() override { ++frames; }
    void ShowWindow() override { ++shown; }
    int rebuilds = 0;
    int frames = 0;
    int shown = 0;
};

TEST_F(SessionTest, TheMiniMapFollowsNewMapsLoadsScrollingAndItsMenuItem) {
    GridView view;
    CountingMiniMap mini;
    session->AttachView(&view);
    session->AttachMiniMap(&mini);
    port.sizeAnswers = {Size("1000", "1000")};
    StartUp();
    EXPECT_EQ(mini.rebuilds, 1);  // the forced new map
    const std::string other = WriteMapPair("MAPS/other.map", "MAPS/other.sav");
    port.openAnswers = {other};
    session->Run(MenuCommand::OpenMap);
    EXPECT_EQ(mini.rebuilds, 2);

    session->MouseMove(100, 100);
    session->MouseDown(MouseButton::Right, 100, 100);
    session->MouseMove(80, 100);  // the view is at the map's left edge already: nothing moved
    session->MouseMove(89, 100);  // less than a column
    EXPECT_EQ(mini.frames, 0);
    session->MouseMove(120, 100);
    EXPECT_EQ(view.position.X, 3);
    EXPECT_EQ(mini.frames, 1);
    session->MouseUp(MouseButton::Right, 120, 100);

    EXPECT_TRUE(session->Run(MenuCommand::ShowMiniMap));
    EXPECT_EQ(mini.shown, 1);
}

TEST_F(SessionTest, AScrollThatKeepsTheCellUnderTheMouseStillRedraws) {
    GridView view;
    session->AttachView(&view);
    port.sizeAnswers = {Size("1000", "1000")};
    StartUp();
    session->MeReSize(640, 480);
    session->Options.ReverseScroll = true;
    view.position.X = 10;
    session->MouseMove(30, 100);
    session->MouseDown(MouseButton::Right, 30, 100);
    const TPoint cell = session->CursorCell;
    const int draws = view.draws;
    // Ten pixels right: one column back, and the mouse crossed into the next column.
    session->MouseMove(40, 100);
    EXPECT_EQ(view.position.X, 9);
    EXPECT_EQ(session->CursorCell, cell);
    EXPECT_EQ(view.draws, draws + 1);
    // Without a scroll, the same cell is not drawn again.
    session->MouseMove(41, 101);
    EXPECT_EQ(view.draws, draws + 1);
    session->MouseUp(MouseButton::Right, 41, 101);
}

TEST_F(SessionTest, AFindingCentresTheViewOnItsCellAndOpensItsEditor) {
    GridView view;
    CountingMiniMap mini;
    session->AttachView(&view);
    session->AttachMiniMap(&mini);
    port.sizeAnswers = {Size("1000", "1000")};
    StartUp();
    session->MeReSize(640, 480);  // 21 columns, 65 rows
    const int draws = view.draws;
    session->ShowFinding(300 * 65536 + 400);
    EXPECT_EQ(view.position.X, 400 - 21 / 2);
    EXPECT_EQ(view.position.Y, 300 - 66 / 2);
    EXPECT_EQ(view.draws, draws + 1);
    EXPECT_EQ(mini.frames, 1);
    // Near the corner the view stays on the map; a finding without a cell goes nowhere.
    session->ShowFinding(1 * 65536 + 995);
    EXPECT_EQ(view.position.X, 1000 - 640 / 32);
    EXPECT_EQ(view.position.Y, 0);
    session->ShowFinding(0);
    EXPECT_EQ(view.position.X, 1000 - 640 / 32);

    // With the editors there, the record's editor opens on the cell in sight.
    session->Store().SetEditors(&editors);
    session->Map().SetOccupancy(40, 50, 2);
    session->Map().SetLinkKind(40, 50, 2);
    session->Map().SetId(40, 50, 3);
    session->Store().Units[3].Used = 1;
    session->ShowFinding(50 * 65536 + 40);
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"unit 3"}));
    EXPECT_EQ(view.position.X, 40 - 21 / 2);
}

TEST_F(SessionTest, ShowingBlockedCellsRedrawsAtOnce) {
    GridView view;
    session->AttachView(&view);
    port.sizeAnswers = {Size("128", "128")};
    StartUp();
    const int draws = view.draws;
    session->Run(MenuCommand::ToggleShowBlocked);
    EXPECT_EQ(view.draws, draws + 1);
    EXPECT_TRUE(session->Options.ShowBlocked);
}

TEST_F(SessionTest, AWideBrushAnchorsBelowTheCellUnderTheMouse) {
    GridView view;
    session->AttachView(&view);
    port.sizeAnswers = {Size("256", "512")};
    StartUp();
    session->Tools().SetPenRadius(3);
    session->MouseMove(10 * 32, 20 * 8);
    EXPECT_EQ(session->CursorCell, (TPoint{10, 24}));  // two steps down, two rows each
    EXPECT_EQ(ui.LastCaption(), "10x24");
    session->MouseMove(10 * 32, 510 * 8);  // the steps stop at the map's edge
    EXPECT_EQ(session->CursorCell.Y, 512);
}

// --- type lists ------------------------------------------------------------------------------

TEST(TypeListTest, RemoveClosesTheGapAndAFullListKeepsItsEntries) {
    TypeList list;
    for (int32_t t : {5, 7, 5, 9})
        list.Add(t);
    list.Remove(5);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], 7);
    EXPECT_EQ(list[1], 5);
    EXPECT_EQ(list[2], 9);
    list.Remove(42);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.Contains(0));  // the freed slot is not an entry

    list.Clear();
    for (int32_t t = 0; t < TypeList::kCapacity; ++t)
        ASSERT_TRUE(list.Add(t));
    EXPECT_FALSE(list.Add(5000));
    EXPECT_EQ(list.Count(), TypeList::kCapacity);
    EXPECT_FALSE(list.Contains(5000));
}

TEST_F(SessionTest, TreeTypesAreCollectedInAscendingOrder) {
    session->CollectTreeTypes([](int32_t type) { return type % 1000 == 7; });
    ASSERT_EQ(session->TreeTypes.Count(), 10);
    EXPECT_EQ(session->TreeTypes[0], 7);
    EXPECT_EQ(session->TreeTypes[9], 9007);
    session->CollectTreeTypes([](int32_t) { return true; });
    EXPECT_EQ(session->TreeTypes.Count(), TypeList::kCapacity);
    EXPECT_EQ(session->TreeTypes[TypeList::kCapacity - 1], TypeList::kCapacity - 1);
}

}  // namespace
}  // namespace tess
