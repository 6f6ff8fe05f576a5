// tessarine-cli map check, clip info and map paste, run end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "CliRun.h"
#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/GameTableWriter.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

using test::RunCli;
namespace fs = std::filesystem;

// A game directory with rule tables and a valid map pair: two players and a unit of player 2.
class ClipCommandsTest : public ::testing::Test {
  protected:
    ClipCommandsTest()
        : cwd(dir.Path()),
          map(std::make_unique<tMapa>()),
          store(std::make_unique<tKalistor>()),
          clip(std::make_unique<tClipBoard>()) {
        BigFile().Close();
        writers::GameTablesData tables;
        BuildingType hall;
        hall.Id = 12;
        tables.Buildings.push_back(hall);
        writers::WriteGameTables(dir.Path().string(), tables);
        writers::WriteDbf(dir.File("DATA/objects.dbf"), writers::ObjectTable({}));
        Random random(8);
        map->Create(64, 64, random, WallTableSource::None);
        for (int32_t i = 1; i <= 2; ++i)
            store->Players[static_cast<size_t>(i)].Used = 1;
        store->PlayerCount = 2;
        AddUnit(1, 10, 10, 2);
        mapName = dir.File("valid.map");
        Save(mapName);
    }

    void AddUnit(int32_t index, int32_t x, int32_t y, int32_t owner) {
        tUnitRec& u = store->Units[static_cast<size_t>(index)];
        u.Used = 1;
        u.IdPlayer = owner;
        u.IdPerson = 3;
        u.X = x;
        u.Y = y;
        store->UnitCount = std::max(store->UnitCount, index);
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, 2);
        map->SetId(x, y, index);
    }

    // Writes the pair as it stands, whatever a check would say.
    void Save(const std::string& name) {
        map->SaveToFileAtCentre(name, TPoint{5, 5});
        store->SaveToFile(GameDataName(name));
    }

    std::string SaveClip(const std::string& name, int32_t x, int32_t y, int32_t rows,
                         int32_t columns) {
        clip->Rectangular = 1;
        clip->Rows = rows;
        clip->Columns = columns;
        clip->Copy(*map, *store, x, y);
        const std::string path = dir.File(name);
        clip->SaveToFile(path);
        return path;
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tKalistor> store;
    std::unique_ptr<tClipBoard> clip;
    std::string mapName;
};

TEST_F(ClipCommandsTest, MapCheckListsTheFindingsAndExitsOneWithAny) {
    const std::string game = dir.Path().string();
    const auto valid = RunCli({"map", "check", mapName, "--game-dir", game});
    EXPECT_EQ(valid.status, 0) << valid.err;
    EXPECT_EQ(valid.Json(), nlohmann::json::array());

    store->Players[2].Used = 0;
    AddUnit(2, 12, 7, 0);
    const std::string bad = dir.File("bad.map");
    Save(bad);
    const auto found = RunCli({"map", "check", bad, "--game-dir", game});
    EXPECT_EQ(found.status, 1) << found.err;
    EXPECT_EQ(found.Json(), nlohmann::json::parse(R"([
        {"Code": 11, "Text": "Musí být založeni alespoň dva hráči!", "x": 0, "y": 0},
        {"Code": 5, "Text": "Jednotka nepatří žádnému hráči.", "x": 12, "y": 7},
        {"Code": 5, "Text": "Jednotka nepatří žádnému hráči.", "x": 10, "y": 10}])"));
    const auto text = RunCli({"map", "check", bad, "--game-dir", game, "--text"});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out,
              "Musí být založeni alespoň dva hráči!\n"
              "Jednotka nepatří žádnému hráči. [12,7]\n"
              "Jednotka nepatří žádnému hráči. [10,10]\n");

    dir.Write("broken.map", std::string("nonsense"));
    EXPECT_EQ(RunCli({"map", "check", dir.File("broken.map"), "--game-dir", game}).status, 3);
}

TEST_F(ClipCommandsTest, ClipInfoCountsTheRegionAndTheLiveRecords) {
    store->Buildings[4].Used = 1;
    store->Buildings[9].Used = 1;
    store->Buildings[5].Used = 2;  // not live
    const auto info = RunCli({"clip", "info", SaveClip("a.clp", 10, 10, 2, 3)});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.Json(), nlohmann::json::parse(R"({"Rows": 2, "Columns": 3, "Rectangular": 1,
        "Cells": 6, "Units": 1, "Buildings": 2})"));

    std::vector<uint8_t> cut = test::ReadFileBytes(dir.File("a.clp"));
    cut.pop_back();
    const auto refused = RunCli({"clip", "info", dir.Write("cut.clp", cut)});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("1753361"), std::string::npos) << refused.err;
}

TEST_F(ClipCommandsTest, MapPasteWithGameDataSavesThePairWithANewUnit) {
    const std::string clipFile = SaveClip("unit.clp", 10, 10, 1, 1);
    const std::string out = dir.File("out/pasted.map");
    fs::create_directories(dir.File("out"));
    const auto run = RunCli({"map", "paste", mapName, clipFile, "--at", "30,31", "--rotation", "2",
                             "--with-game-data", "-o", out, "--game-dir", dir.Path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.Json()["Saved"], true);

    auto pasted = std::make_unique<tMapa>();
    auto data = std::make_unique<tKalistor>();
    const auto noObjects = std::make_unique<tObjects>();  // units need no catalogue entry
    ViewPosition view;
    ASSERT_TRUE(OpenMapPair(*pasted, *data, *noObjects, view, out, GameDataName(out), nullptr));
    EXPECT_EQ(pasted->StoredViewCentre(), (TPoint{5, 5}));
    EXPECT_EQ(pasted->GetLinkKind(30, 31), 2);
    EXPECT_EQ(pasted->GetId(30, 31), 2);
    EXPECT_EQ(data->UnitCount, 2);
    EXPECT_EQ(data->Units[2].Used, 1);
    EXPECT_EQ(data->Units[2].IdPlayer, 2);
    EXPECT_EQ(data->Units[2].X, 30);
    EXPECT_EQ(data->Units[1].X, 10);
}

TEST_F(ClipCommandsTest, MapPasteThatFailsTheCheckWritesNothing) {
    // Without game data the pasted anchor points at unit 5, which the target does not have.
    map->SetOccupancy(20, 20, 2);
    map->SetLinkKind(20, 20, 2);
    map->SetId(20, 20, 5);
    const std::string clipFile = SaveClip("stale.clp", 20, 20, 1, 1);
    const std::string out = dir.File("never.map");
    const auto run = RunCli({"map", "paste", mapName, clipFile, "--at", "3,3", "-o", out,
                             "--game-dir", dir.Path().string()});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.Json()["Saved"], false);
    EXPECT_EQ(run.Json()["Findings"][0]["Code"], 5);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(GameDataName(out)));

    EXPECT_EQ(RunCli({"map", "paste", mapName, clipFile, "--at", "3,3", "--rotation", "8", "-o",
                      out, "--game-dir", dir.Path().string()})
                  .status,
              2);
    EXPECT_EQ(RunCli({"map", "paste", mapName, dir.File("none.clp"), "--at", "3,3", "-o", out,
                      "--game-dir", dir.Path().string()})
                  .status,
              3);
}

}  // namespace
}  // namespace tess
