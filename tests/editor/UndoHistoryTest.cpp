// The edit history: mixed edits undone and redone step by step back to byte-identical states,
// what makes a step and what does not, the redo branch, the budget, and joined steps.
#include <functional>

#include "DocumentState.h"
#include "EngineFixture.h"
#include "editor/HistoryStep.h"
#include "editor/UndoHistory.h"

namespace tess {
namespace {

using test::DocumentState;
using test::EngineTest;

class HistoryTest : public EngineTest {
  protected:
    DocumentState Now() { return DocumentState::Of(Map(), Store()); }
    UndoHistory& History() { return session->History(); }
    size_t UndoSteps() { return History().Status().UndoSteps; }

    void Stroke(std::initializer_list<TPoint> cells) {
        Press(*cells.begin());
        for (const TPoint& cell : cells)
            Mouse().MoveToCell(cell);
        Release(*(cells.end() - 1));
    }
};

TEST_F(HistoryTest, MixedEditsUndoneStepByStepComeBackByteForByteAndRedoneReachTheLast) {
    GiveTwoPlayers();
    std::vector<DocumentState> states{Now()};
    const auto step = [&](const char* what, const std::function<void()>& edit) {
        edit();
        states.push_back(Now());
        ASSERT_EQ(UndoSteps(), states.size() - 1) << what;
        ASSERT_FALSE(states.back() == states[states.size() - 2]) << what << " changed nothing";
    };

    step("terrain stroke", [&] {
        Tools().PressTerrainButton(13);
        Tools().SetPenRadius(2);
        Stroke({{20, 30}, {30, 36}, {44, 40}});
    });
    step("level drag", [&] {
        Tools().SelectLevelTool(6);
        Tools().SetPenRadius(1);
        Stroke({{70, 20}, {74, 30}, {78, 40}});
    });
    step("wall", [&] {
        Tools().PressWallButton(3);
        Click({90, 90});
    });
    step("placed building", [&] {
        Tools().SelectPlacement(Entry(test::kTownPicture, 12, kOwnerBuilding, 4), false);
        Click({40, 80});
    });
    step("paste", [&] {
        session->Run(MenuCommand::CopyRectangle);
        Press({36, 76});
        Mouse().MoveToCell({46, 86});
        Release({46, 86});
        session->Run(MenuCommand::Paste);
        Mouse().MoveToCell({100, 20});
        Mouse().Down(MouseButton::Left);
        Mouse().Up(MouseButton::Left);
    });
    step("dig water", [&] { session->Run(MenuCommand::DigWater); });
    step("editor change", [&] {
        editors.onSettlement = [](tSettlementRec& s) { s.Tag = 77; };
        session->Run(MenuCommand::EditSettlement, 1);
    });
    ASSERT_EQ(Store().BuildingCount, 2);  // the pasted building is a record of its own

    for (size_t k = states.size() - 1; k > 0; --k) {
        session->Run(MenuCommand::Undo);
        EXPECT_TRUE(Now() == states[k - 1]) << "after undoing step " << k;
    }
    EXPECT_EQ(ui.beeps, 0);
    session->Run(MenuCommand::Undo);  // nothing left
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(Now() == states.front());

    for (size_t k = 1; k < states.size(); ++k) {
        session->Run(MenuCommand::Redo);
        EXPECT_TRUE(Now() == states[k]) << "after redoing step " << k;
    }
    session->Run(MenuCommand::Redo);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_TRUE(Now() == states.back());
}

TEST_F(HistoryTest, TheFirstZpetAfterAPressGivesExactlyThePressSnapshot) {
    Tools().PressTerrainButton(12);
    Tools().SetPenRadius(3);
    Stroke({{30, 30}, {50, 60}});
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({80, 80});
    const tData& snapshot = session->Clipboard().Undo;
    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == DocumentState::Of(snapshot.Map(), snapshot.Kalistor()));
}

TEST_F(HistoryTest, WhatChangesNothingAddsNoStep) {
    Tools().PressTerrainButton(2);
    Stroke({{10, 10}, {14, 14}});
    const DocumentState edited = Now();
    ASSERT_EQ(UndoSteps(), 1u);

    // A copy selection, a scroll, a pick, a refused placement, a repaint with nothing to do.
    session->Run(MenuCommand::CopyRectangle);
    Stroke({{50, 50}, {60, 60}});
    Press({70, 70}, MouseButton::Right);
    Mouse().MoveToCell({72, 74});
    Release({72, 74}, MouseButton::Right);
    Tools().SelectPlacement(Entry(test::kRock, test::kRock, kOwnerObject), false);
    Click({30, 30});
    const DocumentState withRock = Now();
    ASSERT_EQ(UndoSteps(), 2u);
    Press({40, 40}, MouseButton::Right);
    Mouse().MoveToCell({30, 30});
    Mouse().Down(MouseButton::Left);  // a pick
    Release({30, 30}, MouseButton::Right);
    Click({30, 30});  // the rock is there: refused
    session->Run(MenuCommand::RepairObjects);
    EXPECT_EQ(UndoSteps(), 2u);
    EXPECT_TRUE(Now() == withRock);

    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == edited);
}

TEST_F(HistoryTest, ResizeAndTheWholeMapFillAreOneStepEach) {
    const DocumentState before = Now();
    EXPECT_TRUE(session->MapCommands().ResizeTo("100", "90"));
    Tools().PressTerrainButton(7);
    session->Run(MenuCommand::FillWholeMap);
    EXPECT_EQ(UndoSteps(), 2u);
    EXPECT_EQ(CountTerrain(7), 100 * 90);

    session->Run(MenuCommand::Undo);
    EXPECT_EQ(Map().Width, 100);
    EXPECT_EQ(CountTerrain(7), 0);
    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == before);
}

TEST_F(HistoryTest, ANewEditAfterUndoDropsTheRedoBranch) {
    Tools().PressTerrainButton(3);
    Stroke({{10, 10}, {20, 10}});
    Stroke({{10, 40}, {20, 40}});
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(History().Status().RedoSteps, 1u);
    Stroke({{10, 80}, {20, 80}});
    const DocumentState last = Now();
    EXPECT_EQ(History().Status().RedoSteps, 0u);
    EXPECT_EQ(UndoSteps(), 2u);
    session->Run(MenuCommand::Redo);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(Now() == last);
    EXPECT_EQ(Map().GetTerrain(15, 40), 5);  // the dropped stroke does not come back
}

TEST_F(HistoryTest, TheBudgetEvictsTheOldestStepsFirst) {
    Tools().PressTerrainButton(9);
    Tools().SetPenRadius(6);
    Stroke({{20, 40}, {30, 50}});
    const size_t oneStroke = History().Status().Bytes;
    ASSERT_GT(oneStroke, 0u);
    History().SetBudget(oneStroke * 5 / 2);

    const DocumentState afterFirst = Now();
    Tools().PressTerrainButton(10);
    Stroke({{80, 40}, {90, 50}});
    Tools().PressTerrainButton(11);
    Stroke({{20, 100}, {30, 110}});
    Tools().PressTerrainButton(12);
    Stroke({{80, 100}, {90, 110}});
    EXPECT_EQ(UndoSteps(), 2u);
    EXPECT_LE(History().Status().Bytes, History().Budget());

    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Undo);  // the first two strokes fell off
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(CountTerrain(11), 0);
    EXPECT_EQ(CountTerrain(12), 0);
    EXPECT_GT(CountTerrain(10), 0);
    EXPECT_FALSE(Now() == afterFirst);

    // The newest step stays whatever the budget.
    History().SetBudget(1);
    EXPECT_EQ(History().Status().RedoSteps + UndoSteps(), 0u);
    Stroke({{60, 60}, {70, 70}});
    EXPECT_EQ(UndoSteps(), 1u);
}

TEST_F(HistoryTest, UndoInTheMiddleOfADragEndsTheDragWithItsStep) {
    Tools().PressTerrainButton(4);
    Press({10, 60});
    Mouse().MoveToCell({30, 60});
    ASSERT_GT(CountTerrain(4), 0);
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(CountTerrain(4), 0);
    EXPECT_EQ(State().DragState, kDragIdle);
    Mouse().MoveToCell({60, 60});
    Release({60, 60});
    EXPECT_EQ(CountTerrain(4), 0);
    session->Run(MenuCommand::Redo);
    EXPECT_GT(CountTerrain(4), 0);
}

TEST_F(HistoryTest, ANewMapStartsANewHistoryAndTheStatusIsShown) {
    Tools().PressTerrainButton(4);
    Stroke({{10, 10}, {20, 20}});
    EXPECT_EQ(port.lastHistory.UndoSteps, 1u);
    EXPECT_GT(port.lastHistory.Bytes, 0u);
    port.sizeAnswers = {MapSizeTexts{"128", "200"}};
    session->NewMapCommand();
    EXPECT_EQ(port.lastHistory, HistoryStatus{});
    const std::string decimal = UserNumberFormat().decimal;
    EXPECT_EQ(HistoryStatusText({3, 1, (size_t{21} << 20) / 10}),
              "Historie: 3 kroky zpět, 1 znovu (2" + decimal + "1 MiB)");
    EXPECT_EQ(HistoryStatusText({5, 0, 0}),
              "Historie: 5 kroků zpět, 0 znovu (0" + decimal + "0 MiB)");
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(Map().Height, 200);
}

TEST_F(HistoryTest, StepsJoinedFromTheFloorUndoAtOnceAndUndoStopsAtTheFloor) {
    Tools().PressTerrainButton(1);
    Stroke({{10, 10}, {20, 10}});
    const DocumentState beforeMacro = Now();
    History().SetFloor();
    Tools().PressTerrainButton(2);
    Stroke({{10, 30}, {20, 30}});
    Stroke({{10, 50}, {20, 50}});
    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Undo);  // the floor
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(Now() == beforeMacro);
    session->Run(MenuCommand::Redo);
    session->Run(MenuCommand::Redo);
    const DocumentState afterMacro = Now();

    History().Coalesce();
    EXPECT_EQ(UndoSteps(), 2u);
    EXPECT_TRUE(Now() == afterMacro);
    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == beforeMacro);
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(CountTerrain(1), 0);
}

// The step itself, on two documents made to differ in every part a step holds.
TEST(HistoryStepTest, ASwapTurnsEitherStateIntoTheOtherAndEqualDocumentsGiveNoStep) {
    auto beforeMap = std::make_unique<tMapa>(), map = std::make_unique<tMapa>();
    auto beforeStore = std::make_unique<tKalistor>(), store = std::make_unique<tKalistor>();
    beforeMap->SetSize(300, 200);
    map->SetSize(300, 200);
    EXPECT_TRUE(HistoryStep::Between(*beforeMap, *beforeStore, *map, *store).Empty());

    map->SetTerrain(5, 5, 9);                            // a block of four cells
    map->SetLevel(2047, 2047, 0);                        // outside the map: ignored
    map->Cells()[tMapa::Index(2047, 2047)].w[2] = 3;     // the storage's last cell
    map->Cells()[tMapa::Index(1000, 1500)].w[1] = 0x55;  // beyond the map's size
    map->SetSize(1200, 1600);
    store->Players[100].Vztah[100] = 2;
    store->Settlements[1].Tag = -4;
    store->Buildings[10000].Imortal = 1;
    store->Units[0].Used = 1;
    store->UnitCount = 7;
    HistoryStep step = HistoryStep::Between(*beforeMap, *beforeStore, *map, *store);
    EXPECT_EQ(step.Cells(), 6u);
    EXPECT_LT(step.Bytes(), 512u);

    const DocumentState after = DocumentState::Of(*map, *store);
    const DocumentState before = DocumentState::Of(*beforeMap, *beforeStore);
    step.Swap(*map, *store);
    EXPECT_TRUE(DocumentState::Of(*map, *store) == before);
    step.Swap(*map, *store);
    EXPECT_TRUE(DocumentState::Of(*map, *store) == after);
}

}  // namespace
}  // namespace tess
