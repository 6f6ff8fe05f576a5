// Saving a map pair: the check first, then both files or neither.
#include <filesystem>
#include <memory>
#include <set>

#include "GameFixture.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Settings.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

class SaveMapPairTest : public test::GameTest {
  protected:
    SaveMapPairTest() : map(std::make_unique<tMapa>()) {
        Random random(4);
        map->Create(50, 40, random, WallTableSource::None);
        fs::create_directories(dir.File("MAPS"));
        mapName = dir.File("MAPS/pair.map");
        savName = GameDataName(mapName);
    }

    void MakeValid() {
        for (int32_t i = 1; i <= 2; ++i) {
            store->Players[static_cast<size_t>(i)].Used = 1;
            store->PlayerCount = i;
        }
        tUnitRec& u = store->Units[1];
        u.Used = 1;
        u.IdPlayer = 2;
        u.X = 8;
        u.Y = 9;
        store->UnitCount = 1;
        map->SetOccupancy(8, 9, 2);
        map->SetLinkKind(8, 9, 2);
        map->SetId(8, 9, 1);
    }

    MapPairSaveResult Save(RefusedGameData* refused = nullptr) {
        return SaveMapPair(*map, *store, TPoint{3, 4}, mapName, savName, &settings, nullptr,
                           refused);
    }

    // The names in MAPS, so that a test sees every file a save left behind.
    std::set<std::string> MapsDirectory() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.File("MAPS")))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::unique_ptr<tMapa> map;
    std::string mapName;
    std::string savName;
    MemorySettings settings;
};

TEST_F(SaveMapPairTest, FailedCheckWritesNothing) {
    store->Players[1].Used = 1;
    store->PlayerCount = 1;
    const MapPairSaveResult result = Save();
    EXPECT_EQ(result.Outcome, SaveOutcome::CheckFailed);
    ASSERT_EQ(result.Findings.size(), 1u);
    EXPECT_EQ(result.Findings[0].Code, 11);
    EXPECT_TRUE(MapsDirectory().empty());
    EXPECT_EQ(ui.captions, (std::vector<std::string>{"Save ...", "Save ... failed!"}));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(settings.GetString("LastMap", "none"), "none");
}

TEST_F(SaveMapPairTest, PassedCheckWritesTheMapAndItsGameData) {
    MakeValid();
    const MapPairSaveResult result = Save();
    ASSERT_TRUE(result.Saved()) << result.Error;
    EXPECT_EQ(ui.captions, (std::vector<std::string>{"Save ...", "Save ... ok."}));
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_EQ(MapsDirectory(), (std::set<std::string>{"pair.map", "pair.sav"}));
    EXPECT_EQ(settings.GetString("LastMap", ""), mapName);

    auto opened = std::make_unique<tMapa>();
    auto loaded = std::make_unique<tKalistor>();
    const auto noObjects = std::make_unique<tObjects>();  // units need no catalogue entry
    ViewPosition view;
    ASSERT_TRUE(OpenMapPair(*opened, *loaded, *noObjects, view, mapName, savName, nullptr));
    EXPECT_EQ(opened->StoredViewCentre(), (TPoint{3, 4}));
    EXPECT_EQ(loaded->Units[1].Used, 1);
    EXPECT_EQ(loaded->Units[1].IdPlayer, 2);
    EXPECT_EQ(opened->GetId(8, 9), 1);
}

TEST_F(SaveMapPairTest, FailedGameDataWritePutsThePreviousMapFileBack) {
    MakeValid();
    ASSERT_TRUE(Save().Saved());
    const std::vector<uint8_t> previous = test::ReadFileBytes(mapName);

    // The game-data file cannot be replaced: a directory stands in its place.
    fs::remove(savName);
    fs::create_directory(savName);
    map->SetTerrain(20, 20, 11);
    ui.Reset();
    const MapPairSaveResult result = Save();
    EXPECT_EQ(result.Outcome, SaveOutcome::WriteFailed);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(test::ReadFileBytes(mapName), previous);
    EXPECT_EQ(MapsDirectory(), (std::set<std::string>{"pair.map", "pair.sav"}));
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], result.Error);
}

TEST_F(SaveMapPairTest, FailedGameDataWriteRemovesAMapFileThatWasNotThereBefore) {
    MakeValid();
    fs::create_directory(savName);
    const MapPairSaveResult result = Save();
    EXPECT_EQ(result.Outcome, SaveOutcome::WriteFailed);
    EXPECT_EQ(MapsDirectory(), (std::set<std::string>{"pair.sav"}));
    EXPECT_EQ(settings.GetString("LastMap", "none"), "none");
}

TEST_F(SaveMapPairTest, FailedMapWriteLeavesTheGameDataFileAlone) {
    MakeValid();
    mapName = dir.File("MISSING/pair.map");
    savName = dir.File("MAPS/pair.sav");
    dir.Write("MAPS/pair.sav", std::string("old"));
    EXPECT_EQ(Save().Outcome, SaveOutcome::WriteFailed);
    EXPECT_EQ(test::ReadFileBytes(savName), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(fs::exists(dir.File("MISSING")));
}

TEST_F(SaveMapPairTest, OneFileForBothHalvesIsRefused) {
    MakeValid();
    mapName = dir.File("MAPS/pair.sav");
    EXPECT_EQ(Save().Outcome, SaveOutcome::WriteFailed);
    EXPECT_TRUE(MapsDirectory().empty());
}

// A game-data file refused when its map opened is kept as "NAME.sav.damaged" by the first save
// of that map, and no save ever overwrites a kept file.
TEST_F(SaveMapPairTest, RefusedGameDataIsKeptByTheFirstSaveAndNeverOverwritten) {
    const auto noObjects = std::make_unique<tObjects>();
    RefusedGameData refused;
    const auto open = [&] {
        ViewPosition view;
        ui.Reset();
        return OpenMapPair(*map, *store, *noObjects, view, mapName, savName, nullptr, nullptr,
                           &refused);
    };
    const auto bytes = [](const std::string& s) {
        return std::vector<uint8_t>(s.begin(), s.end());
    };
    MakeValid();
    ASSERT_TRUE(Save().Saved());
    dir.Write("MAPS/pair.sav", std::string("broken"));
    EXPECT_FALSE(open());
    EXPECT_EQ(refused.Path, savName);
    // The loader says why; then the user learns what that means for the map and its save.
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("bez hráčů"), std::string::npos) << ui.messages[1];
    EXPECT_NE(ui.messages[1].find("pair.sav.damaged\""), std::string::npos) << ui.messages[1];

    // The designer sets the players up again. A save under another name leaves the refused
    // file alone and still waiting.
    MakeValid();
    const std::string original = savName;
    savName = dir.File("MAPS/other.sav");
    ASSERT_TRUE(Save(&refused).Saved());
    EXPECT_EQ(refused.Path, original);
    EXPECT_FALSE(fs::exists(original + ".damaged"));
    savName = original;

    ASSERT_TRUE(Save(&refused).Saved());
    EXPECT_TRUE(refused.Path.empty());
    EXPECT_EQ(test::ReadFileBytes(savName + ".damaged"), bytes("broken"));
    ASSERT_TRUE(Save(&refused).Saved());
    EXPECT_EQ(MapsDirectory(),
              (std::set<std::string>{"pair.map", "pair.sav", "pair.sav.damaged", "other.sav"}));
    EXPECT_EQ(test::ReadFileBytes(savName + ".damaged"), bytes("broken"));

    // Refused again later: kept beside the first copy, which stays as it was.
    dir.Write("MAPS/pair.sav", std::string("broken again"));
    EXPECT_FALSE(open());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("pair.sav.damaged.2\""), std::string::npos) << ui.messages[1];
    MakeValid();
    ASSERT_TRUE(Save(&refused).Saved());
    EXPECT_EQ(test::ReadFileBytes(savName + ".damaged.2"), bytes("broken again"));
    EXPECT_EQ(test::ReadFileBytes(savName + ".damaged"), bytes("broken"));

    // A map whose game data loads leaves nothing waiting.
    dir.Write("MAPS/pair.sav", std::string("broken a third time"));
    EXPECT_FALSE(open());
    store->SaveToFile(savName);
    EXPECT_TRUE(open());
    EXPECT_TRUE(refused.Path.empty());
}

}  // namespace
}  // namespace tess
