// Opening a map pair: the map file, then its game data or an empty store without links.
#include "game/MapFiles.h"

#include "../map/ObjectFixture.h"
#include "GameFixture.h"
#include "game/Footprints.h"
#include "map/MapDat.h"
#include "resources/Settings.h"

namespace tess {
namespace {

class MapPairTest : public test::GameTest {
  protected:
    MapPairTest() : map(std::make_unique<tMapa>()), objects(std::make_unique<tObjects>()) {
        test::AddObject(*objects, 77, 1, 1);
        test::AddObject(*objects, 100, 1, 1);
        test::AddObject(*objects, 500, 1, 1);
        Random random;
        map->Create(64, 64, random, WallTableSource::None);
        store->AddPlayer();
        store->AddUnit(2, 100, 10, 10);
        store->AddBuilding(10, 500, 0);
        store->Buildings[1].X = 20;
        store->Buildings[1].Y = 20;
        map->SetOccupancy(10, 10, 2);
        map->SetLinkKind(10, 10, 2);
        map->SetId(10, 10, 1);
        map->SetOccupancy(20, 20, 2);
        map->SetLinkKind(20, 20, 1);
        map->SetId(20, 20, 1);
        map->SetOccupancy(30, 30, 2);  // a plain object
        map->SetId(30, 30, 77);
        mapName = dir.File("MAPS/test.map");
        std::filesystem::create_directories(dir.File("MAPS"));
        map->SaveToFile(mapName, ViewPosition{});
    }

    std::unique_ptr<tMapa> map;
    std::unique_ptr<tObjects> objects;
    std::string mapName;
    MemorySettings settings;
};

TEST_F(MapPairTest, GameDataNameReplacesTheLastThreeCharacters) {
    EXPECT_EQ(GameDataName("MAPS\\default.map"), "MAPS\\default.sav");
    EXPECT_EQ(GameDataName("x.MAP"), "x.sav");
    EXPECT_EQ(GameDataName("ab"), "sav");
}

TEST_F(MapPairTest, LoadsTheGameDataBesideTheMap) {
    store->SaveToFile(GameDataName(mapName));
    auto opened = std::make_unique<tMapa>();
    auto loaded = std::make_unique<tKalistor>();
    ViewPosition view;
    ASSERT_TRUE(
        OpenMapPair(*opened, *loaded, *objects, view, mapName, GameDataName(mapName), &settings));
    EXPECT_EQ(loaded->UnitCount, 1);
    EXPECT_EQ(loaded->Units[1].Used, 1);
    EXPECT_EQ(loaded->Buildings[1].Used, 1);
    EXPECT_EQ(opened->GetLinkKind(10, 10), 2);
    EXPECT_EQ(settings.GetString("LastMap", ""), mapName);
}

TEST_F(MapPairTest, WithoutGameDataTheStoreIsEmptiedAndLinksRemoved) {
    auto opened = std::make_unique<tMapa>();
    ViewPosition view;
    ASSERT_TRUE(
        OpenMapPair(*opened, *store, *objects, view, mapName, GameDataName(mapName), nullptr));
    EXPECT_EQ(store->PlayerCount, 0);
    EXPECT_EQ(store->UnitCount, 0);
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{20, 20}}) {
        EXPECT_EQ(opened->GetLinkKind(x, y), 0);
        EXPECT_EQ(opened->GetOccupancy(x, y), 0);
        EXPECT_EQ(opened->GetId(x, y), 0);
    }
    EXPECT_EQ(opened->GetOccupancy(30, 30), 2);
    EXPECT_EQ(opened->GetId(30, 30), 77);
}

TEST_F(MapPairTest, OpeningRebuildsFootprintsAndEmptiesUnknownTypes) {
    test::AddObject(*objects, 77, 2, 2);  // the catalogue now says 77 covers 2 x 2 cells
    map->SetOccupancy(40, 40, 2);         // a type the catalogue does not hold
    map->SetId(40, 40, 4321);
    map->SetOccupancy(50, 50, 1);  // a stray footprint cell
    map->SetId(50, 50, 77);
    map->SaveToFile(mapName, ViewPosition{});
    store->SaveToFile(GameDataName(mapName));

    auto opened = std::make_unique<tMapa>();
    auto loaded = std::make_unique<tKalistor>();
    ViewPosition view;
    RepairSummary repaired;
    ASSERT_TRUE(OpenMapPair(*opened, *loaded, *objects, view, mapName, GameDataName(mapName),
                            nullptr, &repaired));
    EXPECT_EQ(repaired.EmptiedAnchors, 1);
    EXPECT_EQ(repaired.FootprintCells, 3);
    EXPECT_EQ(opened->GetOccupancy(40, 40), 0);
    EXPECT_EQ(opened->GetId(40, 40), 0);
    EXPECT_EQ(opened->GetOccupancy(50, 50), 0);
    EXPECT_EQ(opened->GetId(50, 50), 0);
    // 77's footprint from (30, 30): up-right (30, 29), up-left (29, 29), and both (30, 28).
    for (const auto& [x, y] : {std::pair{30, 29}, std::pair{29, 29}, std::pair{30, 28}}) {
        EXPECT_EQ(opened->GetOccupancy(x, y), 1) << x << "," << y;
        EXPECT_EQ(opened->GetId(x, y), 77) << x << "," << y;
    }
    // The unit and the building keep their anchors.
    EXPECT_EQ(opened->GetOccupancy(10, 10), 2);
    EXPECT_EQ(opened->GetOccupancy(20, 20), 2);
}

TEST_F(MapPairTest, RefusedMapLeavesMapAndStoreAsTheyWere) {
    dir.Write("MAPS/bad.map", std::string("not a map"));
    ViewPosition view;
    EXPECT_FALSE(OpenMapPair(*map, *store, *objects, view, dir.File("MAPS/bad.map"),
                             dir.File("MAPS/bad.sav"), &settings));
    EXPECT_EQ(store->UnitCount, 1);
    EXPECT_EQ(map->GetLinkKind(10, 10), 2);
    EXPECT_EQ(settings.GetString("LastMap", "none"), "none");
}

TEST_F(MapPairTest, RefusedGameDataKeepsNothingOfThePreviousMap) {
    dir.Write("MAPS/test.sav", std::string("too short"));
    auto opened = std::make_unique<tMapa>();
    ViewPosition view;
    EXPECT_FALSE(
        OpenMapPair(*opened, *store, *objects, view, mapName, GameDataName(mapName), nullptr));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(opened->Width, 64);
    EXPECT_EQ(store->UnitCount, 0);
    EXPECT_EQ(store->PlayerCount, 0);
    EXPECT_EQ(opened->GetLinkKind(10, 10), 0);
}

}  // namespace
}  // namespace tess
