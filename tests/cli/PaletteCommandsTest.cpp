// tessarine-cli palette list, run end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "game/GameFixture.h"
#include "support/TempDir.h"
#include "writers/GameTableWriter.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

using test::RunCli;

writers::ObjectRow Plant(int32_t id, const char* name, const char* treeIdx, bool sound) {
    writers::ObjectRow row;
    row.Id = id;
    row.Name = Utf8ToCp1250(name);
    row.FileName = "obj/o.dds";
    row.Typ_tree = true;
    row.Tree_idx = treeIdx;
    if (sound) row.Wav_file = "les.wav";
    return row;
}

class PaletteCommandsTest : public ::testing::Test {
  protected:
    PaletteCommandsTest() {
        writers::WriteGameTables(Game(), test::StandardTables());
        writers::WriteDbf(
            dir.File("game/DATA/objects.dbf"),
            writers::ObjectTable({Plant(1, "Smrk", "j", true), Plant(4, "Dub", "l", false),
                                  Plant(26, "Prastarý dub", "", false)}));
    }
    std::string Game() const { return dir.File("game"); }

    std::vector<std::string> Listed(const std::vector<std::string>& options) {
        std::vector<std::string> args = {"palette", "list", "--game-dir", Game()};
        args.insert(args.end(), options.begin(), options.end());
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::string> names;
        for (const auto& entry : result.Json())
            names.push_back(entry["Name"]);
        return names;
    }

    test::TempDir dir;
};

using Names = std::vector<std::string>;

TEST_F(PaletteCommandsTest, ListsATabInPaletteOrderWithTheEntryFields) {
    const auto result = RunCli({"palette", "list", "--page", "Budovy", "--race", "1", "--kind", "3",
                                "--game-dir", Game()});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json entries = result.Json();
    ASSERT_EQ(entries.size(), 2u);
    const nlohmann::json& barracks = entries[0];
    EXPECT_EQ(barracks["Name"], "Kasárna");
    EXPECT_EQ(barracks["IdObject"], 510);
    EXPECT_EQ(barracks["Id"], 11);
    EXPECT_EQ(barracks["Tag"], 3);
    EXPECT_EQ(barracks["UseMesto"], 1);
    EXPECT_EQ(barracks["OwnerClass"], 1);
    EXPECT_EQ(barracks["Group"], 2);
    EXPECT_EQ(barracks["TreeFlags"], nlohmann::json::array({0, 0, 0, 0}));
    EXPECT_EQ(barracks["TreeWeights"], nlohmann::json::array());
    EXPECT_EQ(barracks["TreeLetters"], "");
    EXPECT_EQ(entries[1]["Name"], "Pokladnice");
}

TEST_F(PaletteCommandsTest, PagesTakeTheirFiltersAndNamesWithoutDiacritics) {
    EXPECT_EQ(Listed({"--page", "Příroda"}), (Names{"Dub", "Prastarý dub", "Smrk"}));
    EXPECT_EQ(Listed({"--page", "Priroda", "--letter", "j"}), Names{"Smrk"});
    EXPECT_EQ(Listed({"--page", "priroda", "--letter", ")"}), Names{"Prastarý dub"});
    EXPECT_EQ(Listed({"--page", "Příroda", "--sound-only"}), Names{"Smrk"});
    EXPECT_EQ(Listed({"--page", "Suroviny"}), (Names{"Dub", "Smrk"}));
    EXPECT_EQ(Listed({"--page", "Dalsi"}), Names{});
    EXPECT_EQ(Listed({"--page", "Budovy", "--race", "2"}), Names{});
}

TEST_F(PaletteCommandsTest, TheTextFormListsIndexNameAndPicture) {
    const auto result =
        RunCli({"palette", "list", "--page=Priroda", "--text", "--game-dir", Game()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "0: Dub (IdObject 4, Id 4)\n1: Prastarý dub (IdObject 26, Id 26)\n"
              "2: Smrk (IdObject 1, Id 1)\n");
}

TEST_F(PaletteCommandsTest, AWrongPageOrLetterIsAUsageError) {
    EXPECT_EQ(RunCli({"palette", "list", "--page", "Stromy", "--game-dir", Game()}).status, 2);
    EXPECT_EQ(RunCli({"palette", "list", "--game-dir", Game()}).status, 2);
    EXPECT_EQ(
        RunCli({"palette", "list", "--page", "Priroda", "--letter", "jl", "--game-dir", Game()})
            .status,
        2);
    EXPECT_EQ(
        RunCli({"palette", "list", "--page", "Budovy", "--race", "x", "--game-dir", Game()}).status,
        2);
}

TEST_F(PaletteCommandsTest, AMissingTableEndsWithStatusThree) {
    std::filesystem::remove(dir.File("game/DATA/efects.dbf"));
    const auto result = RunCli({"palette", "list", "--page", "Efekty", "--game-dir", Game()});
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.err.find("efects.dbf"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace tess
