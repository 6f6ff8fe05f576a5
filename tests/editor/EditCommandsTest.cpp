// Undo, the clipboard's modes and files, the map-wide commands and the mouse's other paths
// (pick, sounds, patrol, cell parameters, cursor) through the engine.
#include <filesystem>

#include "EngineFixture.h"
#include "editor/EditorSettings.h"

namespace tess {
namespace {

using test::EngineTest;

TEST_F(EngineTest, OneZpetUndoesAWholeStrokeAndNothingBeforeTheFirstEdit) {
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(Map().Width, 128);

    Tools().PressTerrainButton(13);
    Tools().SetPenRadius(2);
    Press({10, 20});
    for (int32_t x = 12; x <= 110; x += 7)
        Mouse().MoveToCell({x, 20 + x / 3});
    Release({110, 56});
    const int painted = CountTerrain(13);
    EXPECT_GT(painted, 500);
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(CountTerrain(13), 0);
    // The snapshot stays: a second "Zpět" restores the same map again.
    Tools().PressTerrainButton(13);
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(CountTerrain(13), 0);
}

TEST_F(EngineTest, CopyThenPasteWithRotationDuplicatesCellsAndUnits) {
    // A unit and a patch of lava to copy.
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SelectPlacement(knight, false);
    Click({21, 22});
    for (int32_t y = 20; y < 26; ++y)
        for (int32_t x = 20; x < 24; ++x)
            if (Map().GetOccupancy(x, y) == 0) Map().SetTerrain(x, y, 14);

    session->Run(MenuCommand::CopyRectangle);
    EXPECT_EQ(session->Clipboard().State, kClipSelecting);
    Press({20, 20});
    Mouse().MoveToCell({24, 26});
    Release({24, 26});
    EXPECT_EQ(session->Clipboard().State, kClipIdle);
    EXPECT_EQ(session->Clipboard().Rows, 6);
    EXPECT_EQ(session->Clipboard().Columns, 4);

    session->Run(MenuCommand::Paste);
    Mouse().MoveToCell({80, 80});  // the preview, without game data
    EXPECT_EQ(Map().GetTerrain(80, 80), 14);
    Mouse().MoveToCell({90, 90});  // the first preview is taken back
    EXPECT_EQ(Map().GetTerrain(80, 80), 5);
    Mouse().Down(MouseButton::Middle);  // turned by two directions
    EXPECT_EQ(session->Clipboard().Rotation, 2);
    Mouse().Down(MouseButton::Left);
    Mouse().Up(MouseButton::Left);
    EXPECT_EQ(session->Clipboard().State, kClipIdle);
    EXPECT_EQ(Store().UnitCount, 2);
    const tUnitRec& copy = Store().Units[2];
    EXPECT_EQ(Map().GetLinkKind(copy.X, copy.Y), 2);
    EXPECT_EQ(Map().GetId(copy.X, copy.Y), 2);

    // A right press cancels a paste; choosing a tool does too: the map stays as it was.
    session->Run(MenuCommand::Paste);
    Mouse().MoveToCell({40, 100});
    Mouse().Down(MouseButton::Right);
    Mouse().Up(MouseButton::Right);
    EXPECT_EQ(Map().GetTerrain(40, 100), 5);
    session->Run(MenuCommand::Paste);
    Mouse().MoveToCell({40, 100});
    Tools().PressTerrainButton(3);
    EXPECT_EQ(Map().GetTerrain(40, 100), 5);
    EXPECT_EQ(Store().UnitCount, 2);
}

TEST_F(EngineTest, AClickWithoutADragInCopyModeKeepsTheClipboard) {
    session->Run(MenuCommand::CopyDiamond);
    Press({20, 20});
    Mouse().MoveToCell({20, 30});
    Release({20, 30});
    const int32_t rows = session->Clipboard().Rows;
    ASSERT_GT(rows, 0);
    session->Run(MenuCommand::CopyDiamond);
    Click({50, 50});
    EXPECT_EQ(session->Clipboard().Rows, rows);
    EXPECT_EQ(session->Clipboard().State, kClipIdle);
    // Nor does a selection that a tool ends before it was copied.
    session->Run(MenuCommand::CopyDiamond);
    Press({50, 50});
    Mouse().MoveToCell({50, 80});
    Tools().PressTerrainButton(2);
    EXPECT_EQ(session->Clipboard().Rows, rows);
}

TEST_F(EngineTest, ClipFilesGetTheirExtensionAndTheDialogsStartInTheClipDirectory) {
    EXPECT_EQ(UndoAndClipboard::ClipFileName("/m/les"), "/m/les.clp");
    EXPECT_EQ(UndoAndClipboard::ClipFileName("/m/les.clp"), "/m/les.clp");
    EXPECT_EQ(UndoAndClipboard::ClipFileName("/m/LES.CLP"), "/m/LES.CLP");
    EXPECT_EQ(UndoAndClipboard::ClipFileName("/m/les.clp.txt"), "/m/les.clp.txt.clp");

    // Nothing copied yet: no dialog at all.
    session->Run(MenuCommand::SaveClipboard);
    EXPECT_TRUE(engine.clipSetups.empty());

    session->Run(MenuCommand::CopyRectangle);
    Press({10, 10});
    Mouse().MoveToCell({13, 12});
    Release({13, 12});
    engine.clipAnswers = {dir.File("les")};
    session->Run(MenuCommand::SaveClipboard);
    ASSERT_EQ(engine.clipSetups.size(), 1u);
    EXPECT_EQ(engine.clipSetups[0].Filter, "Schranka k ZOR *.clp|*.clp");
    EXPECT_EQ(engine.clipSetups[0].Directory, dir.Path().string());  // no MAPS/CLIP yet
    EXPECT_EQ(std::filesystem::file_size(dir.File("les.clp")), kClipFileSize);

    std::filesystem::create_directories(dir.Path() / "MAPS" / "clip");
    session->Clipboard().Rows = 0;
    engine.clipAnswers = {dir.File("les.clp")};
    session->Run(MenuCommand::LoadClipboard);
    EXPECT_EQ(engine.clipSetups[1].Directory, (dir.Path() / "MAPS" / "clip").string());
    EXPECT_EQ(session->Clipboard().Rows, 2);
    EXPECT_EQ(session->Clipboard().Columns, 3);
}

TEST_F(EngineTest, ResizeDownAndUpKeepsTheCellsAndRefusesBadAnswers) {
    Map().SetTerrain(120, 120, 14);
    Map().SetLevel(100, 7, 6);
    engine.inputAnswers = {"100", "64"};
    session->Run(MenuCommand::ResizeMap);
    EXPECT_EQ(engine.inputs,
              (std::vector<std::string>{"Nove rozmery|x=|128", "Nove rozmery|y=|128"}));
    EXPECT_EQ(Map().Width, 100);
    EXPECT_EQ(Map().Height, 64);
    engine.inputAnswers = {std::nullopt, "128"};  // cancelled: the prefilled 100 stays
    session->Run(MenuCommand::ResizeMap);
    EXPECT_EQ(Map().Width, 100);
    engine.inputAnswers = {"128", "128"};
    session->Run(MenuCommand::ResizeMap);
    EXPECT_EQ(Map().GetTerrain(120, 120), 14);
    EXPECT_EQ(Map().GetLevel(100, 7), 6);

    for (const auto& [x, y] : {std::pair{"0", "50"}, {"50", "2048"}, {"sto", "50"}}) {
        engine.inputAnswers = {x, y};
        ui.messages.clear();
        session->Run(MenuCommand::ResizeMap);
        EXPECT_EQ(Map().Width, 128) << x << " " << y;
        EXPECT_EQ(Map().Height, 128);
        EXPECT_EQ(ui.messages.size(), 1u);
    }
}

TEST_F(EngineTest, TheObjectRepairRebuildsALostFootprintAndEmptiesUnknownTypes) {
    Tools().SelectPlacement(Entry(test::kHut, test::kHut, kOwnerObject), false);
    Click({50, 60});
    std::vector<TPoint> footprint;
    for (int32_t y = 50; y <= 60; ++y)
        for (int32_t x = 45; x <= 55; ++x)
            if (Map().GetOccupancy(x, y) == 1) footprint.push_back({x, y});
    ASSERT_EQ(footprint.size(), 5u);
    for (const TPoint& cell : footprint) {
        Map().SetOccupancy(cell.X, cell.Y, 0);
        Map().SetId(cell.X, cell.Y, 0);
    }
    Map().SetOccupancy(10, 10, 2);
    Map().SetId(10, 10, 7777);
    session->Run(MenuCommand::RepairObjects);
    for (const TPoint& cell : footprint) {
        EXPECT_EQ(Map().GetOccupancy(cell.X, cell.Y), 1);
        EXPECT_EQ(Map().GetId(cell.X, cell.Y), test::kHut);
    }
    EXPECT_EQ(Map().GetOccupancy(10, 10), 0);
}

TEST_F(EngineTest, DiggingWaterLowersTheShoreOneStepAndDeletingTreesLeavesOtherObjects) {
    for (int32_t y = 40; y < 60; ++y)
        for (int32_t x = 40; x < 60; ++x)
            Map().SetTerrain(x, y, 12);
    // A hill in the lake: one step a run.
    Map().SetLevel(50, 50, 4);
    for (int d = 0; d < 8; ++d) {
        const TPoint n = Map().Neighbour(50, 50, d);
        Map().SetLevel(n.X, n.Y, 4);
    }
    session->Run(MenuCommand::DigWater);
    EXPECT_EQ(State().ToolCode, kLevelTool + 2);
    EXPECT_EQ(State().PenRadius, 0);
    EXPECT_EQ(Map().GetLevel(50, 50), 3);
    EXPECT_EQ(Map().GetLevel(45, 45), 2);
    EXPECT_EQ(Map().GetLevel(50, 38), 2);  // the shore: water two rows below
    EXPECT_EQ(Map().GetLevel(50, 30), 3);  // dry land is left alone
    EXPECT_EQ(Map().GetLevel(90, 90), 3);
    EXPECT_EQ(ui.captions.front(), "0");
    session->Run(MenuCommand::DigWater);
    EXPECT_EQ(Map().GetLevel(50, 50), 2);

    Tools().SelectPlacement(Entry(test::kPine, test::kPine, kOwnerObject), false);
    Click({10, 10});
    Tools().SelectPlacement(Entry(test::kBush, test::kBush, kOwnerObject), false);
    Click({12, 10});
    Tools().SelectPlacement(Entry(test::kRock, test::kRock, kOwnerObject), false);
    Click({14, 10});
    session->Run(MenuCommand::DeleteTrees);
    EXPECT_EQ(Map().GetOccupancy(10, 10), 0);
    EXPECT_EQ(Map().GetOccupancy(12, 10), 2);  // no Tree_idx: not one of the trees
    EXPECT_EQ(Map().GetOccupancy(14, 10), 2);
}

TEST_F(EngineTest, ResettingUnitsAndFillingTheWholeMap) {
    Store().Units[3].UtoC = 40;
    Store().Units[3].Zivoty = 7;
    Store().UnitCount = 3;
    Store().Units[4].ObrC = 9;
    session->Run(MenuCommand::ResetUnits);
    EXPECT_EQ(Store().Units[3].UtoC, -1);
    EXPECT_EQ(Store().Units[3].ObrC, -1);
    EXPECT_EQ(Store().Units[3].Zivoty, -1);
    EXPECT_EQ(Store().Units[4].ObrC, 9);  // beyond the highest unit

    Tools().PressTerrainButton(13);  // deep water is never spread over a whole map
    session->Run(MenuCommand::FillWholeMap);
    EXPECT_EQ(CountTerrain(13), 0);
    Tools().PressTerrainButton(9);
    session->Run(MenuCommand::FillWholeMap);
    EXPECT_EQ(CountTerrain(9), 128 * 128);
}

TEST_F(EngineTest, TheMiddleButtonEditsTheNeighboursParameters) {
    const TPoint right = Map().Neighbour(40, 40, kDirRight);
    Map().SetId(right.X, right.Y, 777);
    CellParamTexts answer;
    answer[0] = "12";
    answer[1] = "";     // left as it is
    answer[2] = "abc";  // refused
    engine.params = {answer};
    Click({40, 40}, MouseButton::Middle);
    ASSERT_EQ(engine.shownParams.size(), 1u);
    EXPECT_EQ(engine.shownParams[0][1], "777");
    const TPoint upRight = Map().Neighbour(40, 40, kDirUpRight);
    EXPECT_EQ(Map().GetId(upRight.X, upRight.Y), 12);
    EXPECT_EQ(Map().GetId(right.X, right.Y), 777);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(CountTerrain(5), 128 * 128);  // no edit
}

TEST_F(EngineTest, PickingWithBothButtonsShowsTheObjectInThePalette) {
    Tools().SelectPlacement(Entry(test::kPine, test::kPine, kOwnerObject), false);
    Click({10, 10});
    Tools().SelectPlacement(Entry(test::kRock, test::kRock, kOwnerObject), false);
    Click({20, 10});
    tAddPack knight = Entry(102, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SelectPlacement(knight, false);
    Click({30, 10});
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({40, 10});
    for (TPoint cell : {TPoint{10, 10}, {20, 10}, {30, 10}, {40, 10}, {50, 10}}) {
        Press(cell, MouseButton::Right);
        Mouse().Down(MouseButton::Left);
        Mouse().Up(MouseButton::Left);
        Release(cell, MouseButton::Right);
    }
    using P = std::pair<PalettePage, int32_t>;
    EXPECT_EQ(engine.picks, (std::vector<P>{{PalettePage::Nature, test::kPine},
                                            {PalettePage::Other, test::kRock},
                                            {PalettePage::AllUnits, 103},
                                            {PalettePage::AllBuildings, test::kHallPicture}}));
}

TEST_F(EngineTest, SoundEditingClicksOpenTheSoundEditorsOfWhatIsThere) {
    Tools().SelectPlacement(Entry(test::kRock, test::kRock, kOwnerObject), false);
    Click({20, 10});
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({40, 10});
    session->Run(MenuCommand::ToggleSoundEditing);
    Click({20, 10});
    Click({40, 10});
    Click({60, 10});
    EXPECT_EQ(engine.sounds, (std::vector<std::string>{"object 5", "building 11"}));
    EXPECT_EQ(Map().GetOccupancy(60, 10), 0);
}

TEST_F(EngineTest, TheHandShowsOverWhatAClickOpensAndThePatrolPickTakesOneClick) {
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SelectPlacement(knight, false);
    Click({30, 10});
    Mouse().MoveToCell({60, 60});
    Mouse().MoveToCell({30, 10});
    EXPECT_EQ(port.cursors.back(), ViewCursor::Hand);
    Mouse().MoveToCell({31, 10});
    EXPECT_EQ(port.cursors.back(), ViewCursor::Default);

    // The unit editor's "Nastavit hlídku" arms the pick with the unit in Extra.
    State().CurrentPack.Tag = -1;
    State().CurrentPack.Extra = 1;
    editors.opened.clear();
    Click({70, 80});
    EXPECT_EQ(Store().Units[1].PatrolaX, 70);
    EXPECT_EQ(Store().Units[1].PatrolaY, 80);
    EXPECT_EQ(State().CurrentPack.Tag, 0);
    EXPECT_EQ(editors.opened, std::vector<std::string>{"unit 1"});
}

TEST_F(EngineTest, WhileEditovatNoveBudovyIsClearANewBuildingOpensItsEditor) {
    session->Run(MenuCommand::ToggleEditNewBuildings);
    editors.answers = {false};
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({40, 10});
    EXPECT_EQ(editors.opened, std::vector<std::string>{"building 1"});
    EXPECT_EQ(Store().Buildings[1].Used, 0);
    EXPECT_EQ(Map().GetOccupancy(40, 10), 0);
}

TEST_F(EngineTest, CommandsThatChangeTheMapMarkItModified) {
    Tools().PressTerrainButton(2);
    Click({10, 10});  // something for "Zpět" to take back
    engine.inputAnswers = {"100", "100"};
    for (MenuCommand command :
         {MenuCommand::Undo, MenuCommand::ResizeMap, MenuCommand::RepairObjects,
          MenuCommand::DigWater, MenuCommand::DeleteTrees, MenuCommand::ResetUnits,
          MenuCommand::FillWholeMap}) {
        if (command == MenuCommand::FillWholeMap) Tools().PressTerrainButton(2);
        session->Modified = false;
        session->Run(command);
        EXPECT_TRUE(session->Modified) << static_cast<int>(command);
    }
    // Copying changes nothing on the map.
    session->Modified = false;
    session->Run(MenuCommand::CopyRectangle);
    EXPECT_FALSE(session->Modified);
}

}  // namespace
}  // namespace tess
