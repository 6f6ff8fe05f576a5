// Opening a map pair: the map file, then its game data or an empty store without links.
#include "game/MapFiles.h"

#include "GameFixture.h"
#include "map/MapDat.h"
#include "resources/Settings.h"

namespace tess {
namespace {

class MapPairTest : public test::GameTest {
  protected:
    MapPairTest() : map(std::make_unique<tMapa>()) {
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
    ASSERT_TRUE(OpenMapPair(*opened, *loaded, view, mapName, GameDataName(mapName), &settings));
    EXPECT_EQ(loaded->UnitCount, 1);
    EXPECT_EQ(loaded->Units[1].Used, 1);
    EXPECT_EQ(loaded->Buildings[1].Used, 1);
    EXPECT_EQ(opened->GetLinkKind(10, 10), 2);
    EXPECT_EQ(settings.GetString("LastMap", ""), mapName);
}

TEST_F(MapPairTest, WithoutGameDataTheStoreIsEmptiedAndLinksRemoved) {
    auto opened = std::make_unique<tMapa>();
    ViewPosition view;
    ASSERT_TRUE(OpenMapPair(*opened, *store, view, mapName, GameDataName(mapName), nullptr));
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

TEST_F(MapPairTest, RefusedMapLeavesMapAndStoreAsTheyWere) {
    dir.Write("MAPS/bad.map", std::string("not a map"));
    ViewPosition view;
    EXPECT_FALSE(OpenMapPair(*map, *store, view, dir.File("MAPS/bad.map"), dir.File("MAPS/bad.sav"),
                             &settings));
    EXPECT_EQ(store->UnitCount, 1);
    EXPECT_EQ(map->GetLinkKind(10, 10), 2);
    EXPECT_EQ(settings.GetString("LastMap", "none"), "none");
}

TEST_F(MapPairTest, RefusedGameDataKeepsNothingOfThePreviousMap) {
    dir.Write("MAPS/test.sav", std::string("too short"));
    auto opened = std::make_unique<tMapa>();
    ViewPosition view;
    EXPECT_FALSE(OpenMapPair(*opened, *store, view, mapName, GameDataName(mapName), nullptr));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(opened->Width, 64);
    EXPECT_EQ(store->UnitCount, 0);
    EXPECT_EQ(store->PlayerCount, 0);
    EXPECT_EQ(opened->GetLinkKind(10, 10), 0);
}

}  // namespace
}  // namespace tess
