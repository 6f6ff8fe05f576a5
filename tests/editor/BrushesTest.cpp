// The brushes through the engine: levels, terrain blocks, the pen walk, the line, the fill, the
// border repaint, walls, the delete tool and the tree choice.
#include <algorithm>
#include <set>

#include "EngineFixture.h"

namespace tess {
namespace {

using test::EngineTest;

TEST_F(EngineTest, RaisingTakesOneLevelPerPressAndNeverPastANeighbour) {
    Tools().SelectLevelTool(5);
    Click({20, 20});
    EXPECT_EQ(Map().GetLevel(20, 20), 4);
    // The neighbours are at 3: a cell at 4 may not rise to 5 before they follow.
    Click({20, 20});
    EXPECT_EQ(Map().GetLevel(20, 20), 4);
    for (int d = 0; d < 8; ++d) {
        const TPoint n = Map().Neighbour(20, 20, d);
        Map().SetLevel(n.X, n.Y, 4);
    }
    Click({20, 20});
    EXPECT_EQ(Map().GetLevel(20, 20), 5);
    Click({20, 20});
    EXPECT_EQ(Map().GetLevel(20, 20), 5);  // the target reached

    // A neighbour at level 2 blocks raising a cell from level 3.
    const TPoint below = Map().Neighbour(40, 40, kDirDown);
    Map().SetLevel(below.X, below.Y, 2);
    Click({40, 40});
    EXPECT_EQ(Map().GetLevel(40, 40), 3);
    // Lowering toward 0 goes one step, and the same neighbour allows it.
    Tools().SelectLevelTool(0);
    Click({40, 40});
    EXPECT_EQ(Map().GetLevel(40, 40), 2);
}

TEST_F(EngineTest, AOneCellTerrainBrushPaintsTheWholeBlock) {
    Tools().PressTerrainButton(8);
    Click({21, 33});
    const TPoint top = tMapa::BlockTop(21, 33);
    for (const TPoint& cell : tMapa::BlockCells(top))
        EXPECT_EQ(Map().GetTerrain(cell.X, cell.Y), 8) << cell.X << "," << cell.Y;
    EXPECT_EQ(CountTerrain(8), 4);
}

TEST_F(EngineTest, APenDragPaintsEveryCellOfTheLineBetweenTwoMoves) {
    Tools().PressTerrainButton(0);
    Press({10, 40});
    Mouse().MoveToCell({18, 46});  // one move event, eight columns and six rows away
    Release({18, 46});
    TLineStepper stepper;
    stepper.Init({10, 40}, {18, 46});
    std::set<std::pair<int32_t, int32_t>> line = {{10, 40}};
    while (stepper.Running) {
        stepper.Step();
        line.insert({stepper.Current.X, stepper.Current.Y});
    }
    ASSERT_EQ(line.size(), 9u);
    for (const auto& [x, y] : line)
        EXPECT_EQ(Map().GetTerrain(x, y), 0) << x << "," << y;
}

TEST_F(EngineTest, TheLineToolKeepsExactlyTheLastPreviewedLine) {
    Tools().PressTerrainButton(0);
    Tools().SetPenMode(kPenLine);
    Press({30, 60});
    EXPECT_EQ(CountTerrain(0), 0);  // the press only marks the start
    Mouse().MoveToCell({50, 60});
    const int first = CountTerrain(0);
    EXPECT_GT(first, 0);
    EXPECT_EQ(Map().GetTerrain(40, 60), 0);
    Mouse().MoveToCell({30, 90});  // the earlier preview is taken back
    Release({30, 90});
    EXPECT_NE(Map().GetTerrain(40, 60), 0);
    EXPECT_EQ(Map().GetTerrain(30, 60), 0);
    EXPECT_EQ(Map().GetTerrain(30, 80), 0);
    EXPECT_NE(Map().GetTerrain(30, 90), 0);  // the end cell itself is not painted
}

TEST_F(EngineTest, TheLineWalkReachesItsEndBetweenAnyTwoCells) {
    Tools().PressTerrainButton(0);
    Random random(11);
    for (int i = 0; i < 500; ++i) {
        const TPoint from{random.Next(140) - 6, random.Next(140) - 6};
        const TPoint to{random.Next(140) - 6, random.Next(140) - 6};
        EXPECT_TRUE(session->BrushOps().DrawLine(from, to))
            << from.X << "," << from.Y << " to " << to.X << "," << to.Y;
    }
    // Far outside the map on either side.
    EXPECT_TRUE(session->BrushOps().DrawLine({2, 2}, {-40, 300}));
    EXPECT_TRUE(session->BrushOps().DrawLine({3000, -7}, {5, 9}));
}

TEST_F(EngineTest, TheFillCoversTheAreaItStartsInAndStopsAtOtherTerrains) {
    // A ring of rock around a field of grass: the fill stays inside the ring.
    for (int32_t y = 10; y <= 50; ++y)
        for (int32_t x = 10; x <= 30; ++x)
            if (y <= 12 || y >= 48 || x <= 11 || x >= 29) Map().SetTerrain(x, y, 0);
    const int rock = CountTerrain(0);
    Tools().PressTerrainButton(12);
    Tools().SetPenMode(kPenFill);
    Click({20, 30});
    EXPECT_EQ(CountTerrain(0), rock);
    EXPECT_EQ(Map().GetTerrain(20, 30), 12);
    EXPECT_EQ(Map().GetTerrain(14, 16), 12);
    EXPECT_EQ(Map().GetTerrain(60, 60), 5);  // outside the ring
    // The fill's caption while it ran, cleared when it ended.
    const auto filling = std::find(ui.captions.begin(), ui.captions.end(), kFillCaption);
    ASSERT_NE(filling, ui.captions.end());
    EXPECT_EQ(*(filling + 1), "");
    EXPECT_EQ(engine.works, 1);

    // A fill where the tool's terrain already is, or with no terrain tool, only beeps.
    const int beeps = ui.beeps;
    Click({20, 30});
    Tools().PressDeleteButton();
    Tools().SetPenMode(kPenFill);
    Click({60, 60});
    EXPECT_EQ(ui.beeps, beeps + 2);
    EXPECT_EQ(Map().GetTerrain(60, 60), 5);
}

TEST_F(EngineTest, AFillOverTheWholeMapPaintsEveryCell) {
    Tools().PressTerrainButton(1);
    Tools().SetPenMode(kPenFill);
    Click({64, 64});
    EXPECT_EQ(CountTerrain(1), 128 * 128);
}

TEST_F(EngineTest, AFillAbortedAtItsFirstVisitPaintsNothing) {
    engine.abortAfter = 0;
    Tools().PressTerrainButton(2);
    Tools().SetPenMode(kPenFill);
    Click({64, 64});
    EXPECT_EQ(CountTerrain(2), 0);
    EXPECT_EQ(engine.abortChecks, 1);
    EXPECT_EQ(ui.beeps, 1);
    // Aborted later, what was painted stays: fifty blocks.
    engine.abortChecks = 0;
    engine.abortAfter = 50;
    Click({64, 64});
    EXPECT_EQ(engine.abortChecks, 51);
    EXPECT_GT(CountTerrain(2), 100);
    EXPECT_LE(CountTerrain(2), 50 * 4);
}

TEST_F(EngineTest, ALeftPressWhileScrollingRepaintsABorderOnly) {
    // Two terrains meet along a diagonal; the press is on the grass side of the border.
    for (int32_t y = 0; y < 128; ++y)
        for (int32_t x = 0; x < 128; ++x)
            if (x + y / 2 < 40) Map().SetTerrain(x, y, 7);
    Tools().PressTerrainButton(2);
    Mouse().MoveToCell({30, 24});
    Mouse().Down(MouseButton::Right);
    Mouse().Down(MouseButton::Left);
    EXPECT_EQ(State().DragState, kDragScroll);
    Mouse().Up(MouseButton::Left);
    Mouse().Up(MouseButton::Right);
    EXPECT_EQ(Map().GetTerrain(30, 24), 2);
    // The border moved, the rest of either side did not.
    EXPECT_EQ(Map().GetTerrain(100, 100), 5);
    EXPECT_EQ(Map().GetTerrain(5, 5), 7);
    for (int32_t y = 0; y < 128; ++y)
        for (int32_t x = 0; x < 128; ++x)
            if (Map().GetTerrain(x, y) == 2) {
                EXPECT_LT(x + y / 2, 48) << x << "," << y;
            }
    // Undo takes it back: it was an edit like any other.
    session->Run(MenuCommand::Undo);
    EXPECT_EQ(CountTerrain(2), 0);
}

TEST_F(EngineTest, WallsFillTheirBlockAndChangeOnlyWallsWhileZmenaZdiIsMarked) {
    Tools().PressWallButton(3);
    Map().SetOccupancy(61, 61, 2);  // a rock standing where the wall goes is removed whole
    Map().SetId(61, 61, test::kRock);
    Tools().SetPenRadius(0);
    Click({60, 60});
    for (const TPoint& cell : tMapa::BlockCells(tMapa::BlockTop(60, 60))) {
        EXPECT_EQ(Map().GetOccupancy(cell.X, cell.Y), 3);
        EXPECT_EQ(Map().GetId(cell.X, cell.Y), 3);
    }
    session->Run(MenuCommand::ToggleWallChange);
    Tools().PressWallButton(7);
    Tools().SetPenRadius(0);
    Click({60, 60});
    Click({20, 20});
    EXPECT_EQ(Map().GetId(60, 60), 7);
    EXPECT_EQ(Map().GetOccupancy(20, 20), 0);
}

TEST_F(EngineTest, TheDeleteToolRemovesWholeObjectsAndLeavesCellParametersAlone) {
    Tools().SelectPlacement(Entry(test::kHut, test::kHut, kOwnerObject), false);
    Click({50, 50});
    ASSERT_EQ(Map().GetOccupancy(50, 50), 2);
    const TPoint far = Map().Neighbour(Map().Neighbour(50, 50, kDirUpRight).X,
                                       Map().Neighbour(50, 50, kDirUpRight).Y, kDirUpLeft);
    ASSERT_EQ(Map().GetOccupancy(far.X, far.Y), 1);
    // A deposit's amount cell: Occupancy 0, a number in Id.
    Map().SetId(30, 30, test::kHut);
    Tools().PressDeleteButton();
    Click(far);  // a footprint cell of the hut
    Click({30, 30});
    for (int32_t y = 40; y <= 52; ++y)
        for (int32_t x = 45; x <= 55; ++x)
            EXPECT_EQ(Map().GetOccupancy(x, y), 0) << x << "," << y;
    EXPECT_EQ(Map().GetId(30, 30), test::kHut);
    const TPoint beside = Map().Neighbour(30, 30, kDirRight);
    Map().SetOccupancy(beside.X, beside.Y, 2);
    Map().SetId(beside.X, beside.Y, test::kRock);
    Click({30, 30});
    EXPECT_EQ(Map().GetOccupancy(beside.X, beside.Y), 2);
}

TEST_F(EngineTest, TheTreeMixPicksLettersByTheirSharesAndKeepsItsSpacing) {
    tAddPack mix;
    mix.TreeMode = 1;
    mix.TreeLetters = "jl";
    mix.TreeWeights = std::string{char(100), char(0)};
    mix.RandomShade = 1;
    Tools().SelectPlacement(mix, true);
    for (int32_t x = 10; x < 120; x += 10)
        Click({x, 100});
    for (int32_t x = 10; x < 120; x += 10) {
        EXPECT_EQ(Map().GetId(x, 100), test::kPine) << x;
        EXPECT_EQ(Map().GetOccupancy(x, 100), 2);
    }

    // Weights that do not sum to 100 are shares of their sum: every draw finds a letter.
    State().CurrentPack.TreeWeights = std::string{char(0), char(33)};
    for (int32_t x = 10; x < 120; x += 10)
        Click({x, 110});
    for (int32_t x = 10; x < 120; x += 10)
        EXPECT_EQ(Map().GetId(x, 110), test::kOak) << x;

    // With a spacing, no tree goes near one the mix could have put there.
    State().CurrentPack.Spacing = 3;
    Click({20, 104});  // 6 rows below (20, 110)'s neighbours: within reach
    EXPECT_EQ(Map().GetOccupancy(20, 104), 0);
    Click({60, 60});
    EXPECT_EQ(Map().GetOccupancy(60, 60), 2);

    // A mix without letters but with an old flag is reported and places nothing.
    State().CurrentPack.TreeLetters.clear();
    State().CurrentPack.TreeFlags[1] = 1;
    Click({90, 30});
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Stara nepodporovana selekce stromu."});
    EXPECT_EQ(Map().GetOccupancy(90, 30), 0);
}

}  // namespace
}  // namespace tess
