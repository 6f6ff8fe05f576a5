// tessarine-cli map edit, run end to end: a script's edits saved, its errors, the check, seeds.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "CliRun.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/GameTableWriter.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

using test::RunCli;
namespace fs = std::filesystem;

// A game directory with rule tables, a small object table and a 64 x 64 map pair with two
// players (a pair the check passes).
class MapEditTest : public ::testing::Test {
  protected:
    MapEditTest() : cwd(dir.Path()) {
        BigFile().Close();
        writers::WriteGameTables(dir.Path().string(), {});
        writers::ObjectRow rock;
        rock.Id = 5;
        rock.Name = "kamen";
        writers::ObjectRow pine = rock;
        pine.Id = 300;
        pine.Name = "jedle";
        pine.Typ_tree = true;
        pine.Tree_idx = "j";
        writers::WriteDbf(dir.File("DATA/objects.dbf"), writers::ObjectTable({rock, pine}));
        auto map = std::make_unique<tMapa>();
        Random random(4);
        map->Create(64, 64, random, WallTableSource::None);
        map->SaveToFileAtCentre(dir.File("in.map"), TPoint{20, 20});
        auto store = std::make_unique<tKalistor>();
        store->Players[1].Used = store->Players[2].Used = 1;
        store->PlayerCount = 2;
        store->SaveToFile(dir.File("in.sav"));
    }

    test::CliResult Edit(const std::string& script, std::vector<std::string> extra = {}) {
        dir.Write("script.json", script);
        std::vector<std::string> args = {"map",
                                         "edit",
                                         dir.File("in.map"),
                                         dir.File("out.map"),
                                         "--script",
                                         dir.File("script.json"),
                                         "--game-dir",
                                         dir.Path().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    std::unique_ptr<tMapa> LoadOut() {
        auto map = std::make_unique<tMapa>();
        ViewPosition view;
        EXPECT_TRUE(map->LoadFromFile(dir.File("out.map"), view));
        return map;
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
};

TEST_F(MapEditTest, AScriptsEditsAreSavedAndSummed) {
    const auto result = Edit(R"({"actions": [
        {"terrain": 12}, {"stroke": [[10, 10], [14, 18]]},
        {"terrain": 3}, {"stroke": [[30, 30], [40, 30]]}, {"command": "undo"},
        {"place": {"IdObject": 5, "Id": 5}}, {"click": [50, 50]}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json summary = result.Json();
    EXPECT_EQ(summary["actions"], 7);
    EXPECT_EQ(summary["modified"], true);
    EXPECT_EQ(summary["players"], 2);
    EXPECT_EQ(summary["units"], 0);
    EXPECT_EQ(summary["unanswered"], 0);
    const auto out = LoadOut();
    EXPECT_EQ(out->GetTerrain(12, 14), 12);
    EXPECT_EQ(out->GetTerrain(35, 30), 0);  // undone
    EXPECT_EQ(out->GetId(50, 50), 5);
    EXPECT_EQ(out->GetOccupancy(50, 50), 2);
    EXPECT_GT(summary["cellsChanged"].get<int>(), 10);
    EXPECT_TRUE(fs::exists(dir.File("out.sav")));
}

TEST_F(MapEditTest, UndoStepsBackThroughTheEditsAndRedoDoesThemAgain) {
    const auto result = Edit(R"({"actions": [
        {"terrain": 12}, {"stroke": [[10, 10], [14, 18]]},
        {"terrain": 3}, {"stroke": [[30, 30], [40, 30]]},
        {"place": {"IdObject": 5, "Id": 5}}, {"click": [50, 50]},
        {"command": "undo"}, {"command": "undo"}, {"command": "undo"}, {"command": "undo"},
        {"command": "redo"}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = LoadOut();
    EXPECT_EQ(out->GetTerrain(12, 14), 12);  // undone, then done again
    EXPECT_NE(out->GetTerrain(35, 30), 3);
    EXPECT_EQ(out->GetOccupancy(50, 50), 0);
}

TEST_F(MapEditTest, TheViewActionGivesTheCentreTheSavedMapKeeps) {
    ASSERT_EQ(Edit(R"({"actions": [{"terrain": 2}, {"click": [5, 5]}]})").status, 0);
    EXPECT_EQ(LoadOut()->StoredViewCentre(), (TPoint{20, 20}));  // the one it was opened with

    ASSERT_EQ(
        Edit(R"({"actions": [{"view": [40, 33]}, {"terrain": 2}, {"click": [5, 5]}]})").status, 0);
    EXPECT_EQ(LoadOut()->StoredViewCentre(), (TPoint{40, 33}));
    // A view wider than the map centres beyond it: the file keeps that centre all the same.
    ASSERT_EQ(Edit(R"({"actions": [{"view": [70, 90]}]})").status, 0);
    EXPECT_EQ(LoadOut()->StoredViewCentre(), (TPoint{70, 90}));
    const auto refused = Edit(R"({"actions": [{"view": [1, "2"]}]})");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("action 0"), std::string::npos) << refused.err;
}

TEST_F(MapEditTest, PaletteAndMixActionsChooseWhatTheObjectToolPlaces) {
    const auto result = Edit(R"({"seed": 3, "actions": [
        {"palette": {"page": "Priroda", "entry": 0}}, {"click": [20, 20]},
        {"mix": [["j", 100]], "spacing": 0}, {"click": [40, 40]}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = LoadOut();
    EXPECT_EQ(out->GetId(20, 20), 300);
    EXPECT_EQ(out->GetOccupancy(20, 20), 2);
    // The mix draws among the tree types whose letters hold "j": only the fir.
    EXPECT_EQ(out->GetId(40, 40), 300);
    EXPECT_EQ(out->GetOccupancy(40, 40), 2);

    const auto wrong = Edit(R"({"actions": [{"palette": {"page": "Stromy", "entry": 0}}]})");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("action 0"), std::string::npos) << wrong.err;
}

TEST_F(MapEditTest, AWrongActionExitsTwoNamingItAndWritesNothing) {
    const auto result = Edit(R"({"actions": [{"terrain": 3}, {"click": [64, 0]}]})");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "error: action 1: the cell [64, 0] is outside the map (64 x 64)\n");
    EXPECT_FALSE(fs::exists(dir.File("out.map")));
    EXPECT_FALSE(fs::exists(dir.File("out.sav")));
    EXPECT_EQ(Edit("{\"actions\": [").status, 2);
    EXPECT_EQ(Edit("{}", {"--seed", "x"}).status, 2);
}

TEST_F(MapEditTest, WithCheckAMapWithFindingsIsNotWritten) {
    const char* script = R"({"actions": [{"command": "new-map", "width": 128, "height": 128}]})";
    const auto checked = Edit(script, {"--check"});
    EXPECT_EQ(checked.status, 1) << checked.err;
    EXPECT_NE(checked.err.find("Musí být založeni alespoň dva hráči!"), std::string::npos);
    EXPECT_EQ(checked.Json()["players"], 0);
    EXPECT_FALSE(fs::exists(dir.File("out.map")));
    const auto unchecked = Edit(script);
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
    EXPECT_EQ(LoadOut()->Width, 128);
}

TEST_F(MapEditTest, TheSeedMakesTheFilesRepeatable) {
    const char* script = R"({"seed": 5, "actions": [{"place": {"IdObject": 5, "Id": 5,
        "RandomShade": 1}}, {"click": [20, 20]}, {"terrain": 2}, {"click": [30, 30]}]})";
    ASSERT_EQ(Edit(script).status, 0);
    const auto first = test::ReadFileBytes(dir.File("out.map"));
    ASSERT_EQ(Edit(script).status, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("out.map")), first);
    ASSERT_EQ(Edit(script, {"--seed", "6"}).status, 0);
    EXPECT_NE(test::ReadFileBytes(dir.File("out.map")), first);
}

}  // namespace
}  // namespace tess
