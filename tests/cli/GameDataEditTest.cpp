// tessarine-cli map edit with the "Projekt" menu's commands: players and settlements edited
// through their dialogs' answers, end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "CliRun.h"
#include "game/GameFixture.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/GameTableWriter.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

using test::RunCli;
namespace fs = std::filesystem;

// The standard rule tables and a 64 x 64 map pair with players 1 and 2 and settlement 1.
class GameDataEditTest : public ::testing::Test {
  protected:
    GameDataEditTest() : cwd(dir.Path()) {
        BigFile().Close();
        writers::WriteGameTables(dir.Path().string(), test::StandardTables());
        writers::ObjectRow rock;
        rock.Id = 5;
        rock.Name = "kamen";
        writers::WriteDbf(dir.File("DATA/objects.dbf"), writers::ObjectTable({rock}));
        auto map = std::make_unique<tMapa>();
        Random random(4);
        map->Create(64, 64, random, WallTableSource::None);
        map->SaveToFileAtCentre(dir.File("in.map"), TPoint{20, 20});
        auto store = std::make_unique<tKalistor>();
        for (int32_t i : {1, 2}) {
            tPlayerRec& p = store->Players[i];
            p.Used = 1;
            p.Name.Set("P" + std::to_string(i));
            p.IdRasa = 1;
            std::fill(std::begin(p.Vztah), std::end(p.Vztah), kEnemy);
            p.Vztah[i] = kAlly;
        }
        store->PlayerCount = 2;
        store->Settlements[1].Used = 1;
        store->Settlements[1].Usedlost = 3;
        store->Settlements[1].IdPlayer = 1;
        store->Settlements[1].Name.Set("Hrad");
        store->SettlementCount = 1;
        store->SaveToFile(dir.File("in.sav"));
    }

    test::CliResult Edit(const std::string& script) {
        dir.Write("script.json", script);
        return RunCli({"map", "edit", dir.File("in.map"), dir.File("out.map"), "--script",
                       dir.File("script.json"), "--game-dir", dir.Path().string()});
    }
    std::unique_ptr<tKalistor> LoadOut() {
        auto store = std::make_unique<tKalistor>();
        EXPECT_TRUE(store->LoadFromFile(dir.File("out.sav"), nullptr));
        return store;
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
};

TEST_F(GameDataEditTest, AddPlayerAndEditPlayerStoreTheirAnswers) {
    const auto result = Edit(R"({"actions": [
        {"answer": {"button": "ok", "fields": {"Name": "Třetí", "IdRasa": 3, "Surovina": 80}}},
        {"command": "add-player"},
        {"answer": {"button": "cancel", "relations": {"2": "ally", "3": "neutral"},
                    "permissions": {"kind": 1, "clicks": [11]}}},
        {"command": "edit-player", "player": 1}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.Json()["players"], 3);
    EXPECT_EQ(result.Json()["unanswered"], 0);
    const auto out = LoadOut();
    ASSERT_EQ(out->PlayerCount, 3);
    EXPECT_EQ(Cp1250ToUtf8(out->Players[3].Name.Get()), "Třetí");
    EXPECT_EQ(out->Players[3].IdRasa, 3);
    EXPECT_EQ(out->Players[3].Surovina, 80);
    EXPECT_EQ(out->Players[1].Vztah[2], kAlly);
    EXPECT_EQ(out->Players[2].Vztah[1], kAlly);
    EXPECT_EQ(out->Players[3].Vztah[1], kNeutral);
    EXPECT_EQ(out->Players[1].StavBudov[11], 1);
    EXPECT_EQ(out->Players[1].StavBudov[10], 3);
}

TEST_F(GameDataEditTest, EditSettlementAndDeleteButtons) {
    const auto result = Edit(R"({"actions": [
        {"answer": {"button": "ok", "fields": {"Name": "Brod", "IdPlayer": 2, "Tag": 6}}},
        {"command": "edit-settlement", "settlement": 1},
        {"answer": {"button": "delete"}},
        {"command": "edit-player", "player": 2},
        {"command": "add-player"}]})");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.Json()["unanswered"], 1);  // the new player's editor had no answer
    const auto out = LoadOut();
    EXPECT_EQ(Cp1250ToUtf8(out->Settlements[1].Name.Get()), "Brod");
    EXPECT_EQ(out->Settlements[1].IdPlayer, 2);
    EXPECT_EQ(out->Settlements[1].Tag, 6);
    EXPECT_EQ(out->Settlements[1].Usedlost, 3);
    EXPECT_EQ(out->Players[2].Used, 0);
}

TEST_F(GameDataEditTest, WrongCommandsAndAnswersExitTwoNamingTheActionAndWriteNothing) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {R"({"actions": [{"command": "edit-player", "player": 7}]})",
         "error: action 0: there is no player 7\n"},
        {R"({"actions": [{"command": "edit-settlement"}]})",
         "error: action 0: the command needs \"settlement\"\n"},
        {R"({"actions": [{"command": "add-player", "player": 1}]})",
         "error: action 0: \"add-player\" takes no \"player\"\n"},
        {R"({"actions": [{"command": "undo", "settlement": 1}]})",
         "error: action 0: \"undo\" takes no \"settlement\"\n"},
        {R"({"actions": [{"answer": {"button": "ok", "fields": {"Jmeno": "x"}}},
                         {"command": "edit-player", "player": 1}]})",
         "error: action 1: player editor: unknown field \"Jmeno\"\n"},
        {R"({"actions": [{"answer": {"button": "ok", "fields": {"Tag": "deset"}}},
                         {"command": "edit-settlement", "settlement": 1}]})",
         "error: action 1: settlement editor: field \"Tag\": Ok refused it: Pole „tag“: "
         "„deset“ není celé číslo.\n"},
    };
    for (const auto& c : cases) {
        const auto result = Edit(c.script);
        EXPECT_EQ(result.status, 2) << c.script;
        EXPECT_EQ(result.err, c.error);
        EXPECT_FALSE(fs::exists(dir.File("out.map")));
        EXPECT_FALSE(fs::exists(dir.File("out.sav")));
    }
}

}  // namespace
}  // namespace tess
