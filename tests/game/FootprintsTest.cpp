// Object footprints: the fit test, placing, deleting from any cell and the repair pass.
#include "game/Footprints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "../map/ObjectFixture.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "support/TestUi.h"

namespace tess {
namespace {

using Cells = std::set<std::pair<int, int>>;

constexpr int32_t kSmall = 1;   // 1 x 1
constexpr int32_t kHouse = 2;   // 2 x 3
constexpr int32_t kField = 3;   // 2 x 2, forces terrain 8
constexpr int32_t kMarker = 4;  // Size_RT 0

class FootprintTest : public ::testing::Test {
  protected:
    FootprintTest()
        : map(std::make_unique<tMapa>()),
          objects(std::make_unique<tObjects>()),
          store(std::make_unique<tKalistor>()) {
        Random random(7);
        map->Create(64, 64, random, WallTableSource::None);
        test::AddObject(*objects, kSmall, 1, 1);
        test::AddObject(*objects, kHouse, 2, 3);
        test::AddObject(*objects, kField, 2, 2, 8);
        test::AddObject(*objects, kMarker, 0, 3);
    }

    // Every map cell (extra column and row included) with a non-zero Occupancy.
    Cells Occupied() const {
        Cells cells;
        for (int y = 0; y <= map->Height; ++y)
            for (int x = 0; x <= map->Width; ++x)
                if (map->GetOccupancy(x, y) != 0) cells.insert({x, y});
        return cells;
    }
    bool Place(int32_t x, int32_t y, int32_t type) {
        return PlaceObject(*map, *objects, *store, x, y, type, 0, type);
    }
    void Wall(int32_t x, int32_t y) {
        map->SetOccupancy(x, y, 3);
        map->SetId(x, y, 5);
    }

    test::ScopedTestUi ui;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tObjects> objects;
    std::unique_ptr<tKalistor> store;
};

// The 2 x 3 footprint with its anchor at (20, 20): two rows along direction 0, three cells
// each along direction 6.
const Cells kHouseAt20 = {{20, 20}, {19, 19}, {19, 18}, {20, 19}, {20, 18}, {19, 17}};

TEST_F(FootprintTest, OneByOneObjectIsItsAnchorAlone) {
    EXPECT_TRUE(CanPlaceObject(*map, *objects, 5, 5, kSmall));
    ASSERT_TRUE(Place(5, 5, kSmall));
    EXPECT_EQ(Occupied(), (Cells{{5, 5}}));
    EXPECT_EQ(map->GetOccupancy(5, 5), 2);
    EXPECT_EQ(map->GetId(5, 5), kSmall);
    EXPECT_EQ(map->GetLinkKind(5, 5), 0);
}

TEST_F(FootprintTest, TwoByThreeObjectCoversSixCellsFiveOfThemFootprint) {
    ASSERT_TRUE(CanPlaceObject(*map, *objects, 20, 20, kHouse));
    ASSERT_TRUE(Place(20, 20, kHouse));
    EXPECT_EQ(Occupied(), kHouseAt20);
    for (const auto& [x, y] : kHouseAt20) {
        EXPECT_EQ(map->GetOccupancy(x, y), x == 20 && y == 20 ? 2 : 1) << x << "," << y;
        EXPECT_EQ(map->GetId(x, y), kHouse);
    }
}

TEST_F(FootprintTest, FitFailsForAnyCellOffTheMapOrTaken) {
    // Direction 0 from row 0 leaves the map; direction 6 from column 0 of an even row too.
    EXPECT_FALSE(CanPlaceObject(*map, *objects, 10, 0, kHouse));
    EXPECT_FALSE(CanPlaceObject(*map, *objects, 0, 20, kHouse));
    EXPECT_TRUE(CanPlaceObject(*map, *objects, 1, 20, kHouse));
    for (const auto& [x, y] : kHouseAt20) {
        Wall(x, y);
        EXPECT_FALSE(CanPlaceObject(*map, *objects, 20, 20, kHouse)) << x << "," << y;
        map->SetOccupancy(x, y, 1);
        EXPECT_FALSE(CanPlaceObject(*map, *objects, 20, 20, kHouse)) << x << "," << y;
        map->SetOccupancy(x, y, 0);
    }
    EXPECT_TRUE(CanPlaceObject(*map, *objects, 20, 20, kHouse));
    // A type without a footprint fits anywhere; one the catalogue lacks nowhere.
    Wall(30, 30);
    EXPECT_TRUE(CanPlaceObject(*map, *objects, 30, 30, kMarker));
    EXPECT_FALSE(CanPlaceObject(*map, *objects, 40, 40, 1234));
}

TEST_F(FootprintTest, PlacingForcesTheSelectedTypesTerrainAndClearsBlockMarks) {
    for (int y = 0; y <= map->Height; ++y)
        for (int x = 0; x <= map->Width; ++x)
            map->SetBlockMark(x, y, 3);
    // The selected type (the field, terrain 8) decides the terrain, not the placed house.
    ASSERT_TRUE(PlaceObject(*map, *objects, *store, 20, 20, kHouse, 0, kField));
    Cells blocks;
    for (const auto& [x, y] : kHouseAt20) {
        const TPoint top = tMapa::BlockTop(x, y);
        for (const TPoint& p : tMapa::BlockCells(top))
            blocks.insert({p.X, p.Y});
    }
    for (int y = 0; y <= map->Height; ++y) {
        for (int x = 0; x <= map->Width; ++x) {
            const bool touched = blocks.count({x, y}) > 0;
            ASSERT_EQ(map->GetTerrain(x, y), touched ? 8 : 0) << x << "," << y;
            ASSERT_EQ(map->Cell(x, y).BlockMark(), touched ? 0 : 3) << x << "," << y;
        }
    }
    // A selected type without terrain leaves the terrain alone.
    ASSERT_TRUE(PlaceObject(*map, *objects, *store, 40, 40, kSmall, 0, kSmall));
    EXPECT_EQ(map->GetTerrain(40, 40), 0);
}

TEST_F(FootprintTest, PlacingRemovesWhateverStoodOnTheFootprint) {
    // A house at (20, 22) shares (20, 20) and (19, 19) with the one placed below; a wall block
    // holds (19, 18); a small object stands apart.
    ASSERT_TRUE(Place(20, 22, kHouse));
    ASSERT_EQ(map->GetOccupancy(20, 20), 1);
    const TPoint wallTop = tMapa::BlockTop(19, 18);
    for (const TPoint& p : tMapa::BlockCells(wallTop))
        Wall(p.X, p.Y);
    ASSERT_TRUE(Place(30, 30, kSmall));

    ASSERT_TRUE(Place(20, 20, kHouse));
    Cells expected = kHouseAt20;
    expected.insert({30, 30});
    EXPECT_EQ(Occupied(), expected);  // the old house and the whole wall block are gone
    for (const auto& [x, y] : kHouseAt20)
        EXPECT_EQ(map->GetId(x, y), kHouse);
    EXPECT_EQ(map->GetId(18, 17), 0);  // a wall cell outside the new footprint
}

TEST_F(FootprintTest, BuildingsAndUnitsTakeTheirTypeFromTheStore) {
    store->Buildings[3].IdObject = kHouse;
    ASSERT_TRUE(PlaceObject(*map, *objects, *store, 20, 20, 3, 1, kHouse));
    EXPECT_EQ(Occupied(), kHouseAt20);
    for (const auto& [x, y] : kHouseAt20) {
        EXPECT_EQ(map->GetLinkKind(x, y), 1);
        EXPECT_EQ(map->GetId(x, y), 3);
    }
    store->Units[9].IdObject = kSmall;
    ASSERT_TRUE(PlaceObject(*map, *objects, *store, 40, 40, 9, 2, kSmall));
    EXPECT_EQ(map->GetLinkKind(40, 40), 2);
    EXPECT_EQ(map->GetId(40, 40), 9);
}

TEST_F(FootprintTest, UnknownKindIsReportedAndPlacesNothing) {
    EXPECT_FALSE(PlaceObject(*map, *objects, *store, 20, 20, kSmall, 3, kSmall));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "Tohleto se stat nemelo. FAILED");
    EXPECT_TRUE(Occupied().empty());
}

TEST_F(FootprintTest, DeletingAtAnyFootprintCellRemovesTheWholeObject) {
    for (const auto& [x, y] : kHouseAt20) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        ASSERT_TRUE(Place(20, 20, kHouse));
        ASSERT_TRUE(Place(22, 20, kHouse));  // a neighbour of the same type stays
        const Cells neighbour = [&] {
            Cells all = Occupied();
            for (const auto& c : kHouseAt20)
                all.erase(c);
            return all;
        }();
        EXPECT_TRUE(DeleteObject(*map, *objects, *store, x, y));
        EXPECT_EQ(Occupied(), neighbour);
        for (const auto& [cx, cy] : kHouseAt20) {
            EXPECT_EQ(map->GetId(cx, cy), 0);
            EXPECT_EQ(map->GetLinkKind(cx, cy), 0);
        }
        EXPECT_TRUE(DeleteObject(*map, *objects, *store, 22, 20));
        EXPECT_TRUE(Occupied().empty());
    }
}

TEST_F(FootprintTest, DeletingKeepsTheRecordAndLeavesWallsAndEmptyCellsAsTheyStand) {
    store->Buildings[2].Used = 1;
    store->Buildings[2].IdObject = kHouse;
    ASSERT_TRUE(PlaceObject(*map, *objects, *store, 20, 20, 2, 1, kHouse));
    EXPECT_TRUE(DeleteObject(*map, *objects, *store, 19, 17));
    EXPECT_TRUE(Occupied().empty());
    EXPECT_EQ(store->Buildings[2].Used, 1);

    // A wall empties its block and does not count as a removed object.
    const TPoint top = tMapa::BlockTop(30, 30);
    for (const TPoint& p : tMapa::BlockCells(top))
        Wall(p.X, p.Y);
    EXPECT_FALSE(DeleteObject(*map, *objects, *store, 30, 30));
    EXPECT_TRUE(Occupied().empty());
    for (const TPoint& p : tMapa::BlockCells(top))
        EXPECT_EQ(map->GetId(p.X, p.Y), 0);

    // A deposit amount kept in an empty cell's Id is not an object.
    map->SetId(40, 40, 500);
    EXPECT_FALSE(DeleteObject(*map, *objects, *store, 40, 40));
    EXPECT_EQ(map->GetId(40, 40), 500);
}

TEST_F(FootprintTest, DeletingClearsOnlyTheObjectsOwnCells) {
    ASSERT_TRUE(Place(20, 20, kHouse));
    // Damaged data: another object's anchor and a wall inside the house's footprint.
    map->SetOccupancy(19, 18, 2);
    map->SetId(19, 18, kSmall);
    Wall(20, 18);
    EXPECT_TRUE(DeleteObject(*map, *objects, *store, 20, 20));
    EXPECT_EQ(Occupied(), (Cells{{19, 18}, {20, 18}}));
    EXPECT_EQ(map->GetId(19, 18), kSmall);
    EXPECT_EQ(map->GetId(20, 18), 5);
}

TEST_F(FootprintTest, AnchorlessFootprintGivesUpWithoutChanges) {
    // A footprint cell whose south-east and south-west neighbours lead nowhere.
    map->SetOccupancy(30, 30, 1);
    map->SetId(30, 30, kHouse);
    EXPECT_FALSE(DeleteObject(*map, *objects, *store, 30, 30));
    EXPECT_EQ(map->GetOccupancy(30, 30), 1);
    // A column of footprint cells running into the bottom edge, where the steps stay put.
    for (int y = 40; y <= map->Height; ++y) {
        map->SetOccupancy(10, y, 1);
        map->SetId(10, y, kHouse);
    }
    EXPECT_FALSE(DeleteObject(*map, *objects, *store, 10, 40));
}

TEST_F(FootprintTest, DeletingAnObjectWithoutSizeStillRemovesItsAnchor) {
    map->SetOccupancy(30, 30, 2);
    map->SetId(30, 30, kMarker);
    EXPECT_TRUE(DeleteObject(*map, *objects, *store, 30, 30));
    map->SetOccupancy(31, 30, 2);
    map->SetId(31, 30, 4321);  // no catalogue entry
    EXPECT_TRUE(DeleteObject(*map, *objects, *store, 31, 30));
    EXPECT_TRUE(Occupied().empty());
}

TEST_F(FootprintTest, RepairRebuildsLostFootprintsAndEmptiesUnknownTypes) {
    ASSERT_TRUE(Place(20, 20, kHouse));
    for (const auto& [x, y] : kHouseAt20)
        if (map->GetOccupancy(x, y) == 1) map->SetOccupancy(x, y, 0);  // lost cells
    map->SetOccupancy(5, 5, 1);                                        // a stray footprint cell
    map->SetId(5, 5, kHouse);
    map->SetLinkKind(5, 5, 1);
    map->SetOccupancy(40, 40, 2);  // a type the catalogue does not hold
    map->SetId(40, 40, 4321);
    map->SetLinkKind(40, 40, 0);

    RepairSummary summary;
    EXPECT_TRUE(RepairObjects(*map, *objects, *store, &summary));
    EXPECT_EQ(Occupied(), kHouseAt20);
    EXPECT_EQ(map->GetId(5, 5), 0);
    EXPECT_EQ(map->GetLinkKind(5, 5), 1);  // the stray cell keeps its LinkKind
    EXPECT_EQ(map->GetId(40, 40), 0);
    EXPECT_EQ(summary.Anchors, 2);
    EXPECT_EQ(summary.EmptiedAnchors, 1);
    EXPECT_EQ(summary.FootprintCells, 5);
}

TEST_F(FootprintTest, RepairNeverGivesUnitsAFootprint) {
    store->Units[4].IdObject = kHouse;
    map->SetOccupancy(20, 20, 2);
    map->SetLinkKind(20, 20, 2);
    map->SetId(20, 20, 4);
    map->SetOccupancy(20, 19, 1);
    map->SetLinkKind(20, 19, 2);
    map->SetId(20, 19, 4);
    RepairObjects(*map, *objects, *store);
    EXPECT_EQ(Occupied(), (Cells{{20, 20}}));
}

TEST_F(FootprintTest, RepairTakesBuildingTypesFromTheStore) {
    store->Buildings[6].IdObject = kHouse;
    map->SetOccupancy(20, 20, 2);
    map->SetLinkKind(20, 20, 1);
    map->SetId(20, 20, 6);
    store->Buildings[7].IdObject = 4321;  // a picture the catalogue lacks
    map->SetOccupancy(40, 40, 2);
    map->SetLinkKind(40, 40, 1);
    map->SetId(40, 40, 7);
    RepairObjects(*map, *objects, *store);
    EXPECT_EQ(Occupied(), kHouseAt20);
    for (const auto& [x, y] : kHouseAt20)
        EXPECT_EQ(map->GetLinkKind(x, y), 1);
}

TEST_F(FootprintTest, RepairEmptiesAnchorsWhoseEntryCarriesAnotherId) {
    auto entry = std::make_unique<tObject>();
    entry->Id = 11;
    entry->Size_RT = entry->Size_LT = 1;
    auto other = std::make_unique<tObjects>();
    other->Put(std::move(entry));
    std::vector<uint8_t> bytes = other->CacheBytes();
    bytes[11 * kCacheEmptyBytes + 4] = 12;  // slot 11 now says it is object 12
    std::string why;
    ASSERT_TRUE(objects->ReadCacheBytes(bytes, why)) << why;
    map->SetOccupancy(30, 30, 2);
    map->SetId(30, 30, 11);
    RepairObjects(*map, *objects, *store);
    EXPECT_EQ(map->GetOccupancy(30, 30), 0);
}

TEST_F(FootprintTest, RepairDoesNotOverwriteWallsOrOtherAnchors) {
    map->SetOccupancy(20, 20, 2);
    map->SetId(20, 20, kHouse);
    Wall(19, 19);
    map->SetOccupancy(20, 18, 2);
    map->SetId(20, 18, kSmall);
    RepairSummary summary;
    RepairObjects(*map, *objects, *store, &summary);
    EXPECT_EQ(map->GetOccupancy(19, 19), 3);
    EXPECT_EQ(map->GetId(19, 19), 5);
    EXPECT_EQ(map->GetOccupancy(20, 18), 2);
    EXPECT_EQ(map->GetId(20, 18), kSmall);
    EXPECT_EQ(summary.FootprintCells, 3);
}

}  // namespace
}  // namespace tess
