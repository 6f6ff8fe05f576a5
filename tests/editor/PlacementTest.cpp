// Placing entries through the engine: objects and their picture families, buildings with their
// settlements, units, deposits with their amounts, the bones building, and undoing a placement.
#include <set>

#include "EngineFixture.h"

namespace tess {
namespace {

using test::EngineTest;

AmountReply Typed(const char* text, int32_t scroll = -1) {
    return {text, scroll};
}

TEST_F(EngineTest, APlainObjectTakesAPictureOfItsFamilyAndItsShade) {
    Tools().SelectPlacement(Entry(101, 101, kOwnerObject), false);
    std::set<int> seen;
    for (int32_t x = 4; x < 124; x += 4) {
        Click({x, 20});
        const int id = Map().GetId(x, 20);
        EXPECT_GE(id, 100);
        EXPECT_LE(id, 103);
        EXPECT_EQ(Map().GetJitter(x, 20), 136);
        seen.insert(id);
    }
    EXPECT_GT(seen.size(), 1u);
    Tools().SelectPlacement(Entry(test::kRock, test::kRock, kOwnerObject), true);
    std::set<int> shades;
    for (int32_t x = 4; x < 124; x += 4) {
        Click({x, 40});
        shades.insert(Map().GetJitter(x, 40));
    }
    EXPECT_GT(shades.size(), 5u);
    // A refused cell leaves the drag going: the next cell may take it.
    Click({4, 40});
    EXPECT_EQ(State().DragState, kDragIdle);
}

TEST_F(EngineTest, ABuildingPlacedByOnePressIsGoneFromMapAndRecordsAfterZpet) {
    // A settlement centre (Tag bit 2) snaps to its block's top cell and founds the settlement.
    Tools().SelectPlacement(Entry(test::kTownPicture, 12, kOwnerBuilding, 4), false);
    Click({31, 41});
    const TPoint top = tMapa::BlockTop(31, 41);
    ASSERT_EQ(Store().SettlementCount, 1);
    ASSERT_EQ(Store().BuildingCount, 1);
    EXPECT_EQ(Store().Settlements[1].HlavniBudova, 1);
    EXPECT_EQ(Store().Buildings[1].X, top.X);
    EXPECT_EQ(Store().Buildings[1].Y, top.Y);
    EXPECT_EQ(Map().GetLinkKind(top.X, top.Y), 1);
    EXPECT_EQ(Map().GetId(top.X, top.Y), 1);
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"settlement 1"}));

    // An ordinary building goes to the nearest settlement with a main building.
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({60, 80});
    ASSERT_EQ(Store().BuildingCount, 2);
    EXPECT_EQ(Store().Buildings[2].IdTouwn, 1);
    EXPECT_EQ(Map().GetOccupancy(60, 80), 2);
    EXPECT_EQ(Map().GetLinkKind(60, 80), 1);

    session->Run(MenuCommand::Undo);
    EXPECT_EQ(Map().GetOccupancy(60, 80), 0);
    EXPECT_EQ(Map().GetLinkKind(60, 80), 0);
    EXPECT_EQ(Store().Buildings[2].Used, 0);
    EXPECT_EQ(Store().BuildingCount, 1);
    EXPECT_EQ(Store().Buildings[1].Used, 1);  // the press before it stays
}

TEST_F(EngineTest, ABuildingWithoutASettlementBelongsToNoneAndACancelledFoundingLeavesNothing) {
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({20, 20});
    EXPECT_EQ(Store().Buildings[1].IdTouwn, 0);

    editors.answers = {false};  // the settlement editor is cancelled
    Tools().SelectPlacement(Entry(test::kTownPicture, 12, kOwnerBuilding, 4), false);
    Press({70, 70});
    EXPECT_EQ(State().DragState, kDragLeft);  // the drag goes on trying
    Release({70, 70});
    EXPECT_EQ(Store().SettlementCount, 0);
    EXPECT_EQ(Store().BuildingCount, 1);
    const TPoint top = tMapa::BlockTop(70, 70);
    EXPECT_EQ(Map().GetOccupancy(top.X, top.Y), 0);
}

TEST_F(EngineTest, AUnitGetsItsRecordAtItsCellAndACancelledOneStopsTheTool) {
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SetPenRadius(1);  // the brush's cells all try; the first success ends the drag
    Tools().SelectPlacement(knight, false);
    Click({40, 40});
    ASSERT_EQ(Store().UnitCount, 1);
    const tUnitRec& unit = Store().Units[1];
    EXPECT_EQ(unit.IdPerson, 1);
    EXPECT_EQ(Map().GetOccupancy(unit.X, unit.Y), 2);
    EXPECT_EQ(Map().GetLinkKind(unit.X, unit.Y), 2);
    EXPECT_EQ(Map().GetId(unit.X, unit.Y), 1);

    editors.answers = {false};
    Click({80, 40});
    EXPECT_EQ(Store().Units[2].Used, 0);
    EXPECT_EQ(Map().GetOccupancy(80, 40), 0);
    EXPECT_EQ(State().CurrentPack.IdObject, 0);  // nothing more to place until another entry
    Click({90, 40});
    EXPECT_EQ(Store().UnitCount, 1);
}

TEST_F(EngineTest, ADepositAsksItsAmountUntilItIsANumberInRange) {
    Tools().SelectPlacement(Entry(232, 232, kOwnerObject), false);
    engine.amounts = {Typed("0"), Typed("zlato"), Typed("65536"), Typed(" 1500 ")};
    Click({50, 50});
    ASSERT_EQ(engine.amountRequests.size(), 4u);
    EXPECT_EQ(engine.amountRequests[0].Title, "Těžba");
    EXPECT_EQ(engine.amountRequests[0].Caption, "Zlato");
    EXPECT_EQ(engine.amountRequests[0].Text, "0");
    EXPECT_EQ(engine.amountRequests[0].ScrollPosition, -1);
    EXPECT_EQ(engine.amountRequests[1].Title, "Pouze [1..65535]");
    EXPECT_EQ(engine.amountRequests[1].Text, "0");
    const TPoint west = Map().Neighbour(50, 50, kDirLeft);
    EXPECT_EQ(Map().GetId(west.X, west.Y), 1500);
    EXPECT_EQ(Map().GetOccupancy(west.X, west.Y), 0);
    EXPECT_EQ(Map().GetId(50, 50), 232);

    // A click on the deposit asks again, from any of its cells; cancelled, it keeps its value.
    Tools().PressTerrainButton(5);
    const TPoint footprint = Map().Neighbour(50, 50, kDirUpRight);
    engine.amounts = {std::nullopt};
    Click(footprint);
    EXPECT_EQ(engine.amountRequests.back().Text, "1500");
    EXPECT_EQ(Map().GetId(west.X, west.Y), 1500);
    // The amount cell itself holds no object: a click there paints.
    const size_t asked = engine.amountRequests.size();
    Click(west);
    EXPECT_EQ(engine.amountRequests.size(), asked);
    EXPECT_TRUE(editors.opened.empty());

    // Iron where the amount's cell is taken is refused.
    Tools().SelectPlacement(Entry(233, 233, kOwnerObject), false);
    Map().SetOccupancy(29, 70, 3);
    Click({30, 70});
    EXPECT_EQ(Map().GetOccupancy(30, 70), 0);
}

TEST_F(EngineTest, TheBonesBuildingAsksItsBonesAndFollowsItsScrollBar) {
    tAddPack bones = Entry(212, 89, kOwnerBuilding);
    Tools().SelectPlacement(bones, false);
    engine.amounts = {Typed("300", 50)};
    Click({40, 60});
    ASSERT_EQ(engine.amountRequests.size(), 1u);
    EXPECT_EQ(engine.amountRequests[0].Caption, "Kostí");
    EXPECT_EQ(engine.amountRequests[0].ScrollPosition, 1);
    const tBuildingRec& b = Store().Buildings[1];
    EXPECT_EQ(b.Tag, 300);
    EXPECT_EQ(b.ProcVystavby, 50);
    EXPECT_EQ(b.IdObject, 50 * 14 / 100 + 212);

    // A click on it asks again from where it stands, and opens no building editor.
    Tools().PressTerrainButton(5);
    engine.amounts = {Typed("20", 100)};
    Click({40, 60});
    EXPECT_EQ(engine.amountRequests.back().ScrollPosition, 50);
    EXPECT_EQ(b.Tag, 20);
    EXPECT_EQ(b.IdObject, 226);
    EXPECT_TRUE(editors.opened.empty());
}

TEST_F(EngineTest, ClicksOnBuildingsAndUnitsOpenTheirEditorsAndADeletedOneLeavesTheMap) {
    Tools().SelectPlacement(Entry(test::kHallPicture, 11, kOwnerBuilding), false);
    Click({30, 30});
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 2;
    Tools().SelectPlacement(knight, false);
    Click({60, 30});
    editors.opened.clear();

    Tools().PressTerrainButton(1);
    Click(Map().Neighbour(30, 30, kDirUpLeft));  // a footprint cell of the hall
    Click({60, 30});
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"building 1", "unit 1"}));
    EXPECT_EQ(Map().GetTerrain(30, 30), 5);  // no paint on a click that opened an editor

    // "Zemřít" deletes the record and ends the dialog as cancelled.
    editors.onUnit = [](tUnitRec& unit) { unit.Used = 0; };
    editors.answers = {false};
    Click({60, 30});
    EXPECT_EQ(Map().GetOccupancy(60, 30), 0);
}

}  // namespace
}  // namespace tess
