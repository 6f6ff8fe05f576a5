// tessarine-cli dbf and sav commands, run end to end: dump a table, dump a game-data file.
#include <gtest/gtest.h>

#include <memory>

#include "CliRun.h"
#include "game/EditorDialogs.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "writers/ArchiveWriter.h"
#include "writers/DbfWriter.h"
#include "writers/GameTableWriter.h"

namespace tess {
namespace {

using test::RunCli;

class TableCommandsTest : public ::testing::Test {
  protected:
    TableCommandsTest() : cwd(dir.Path()) {
        BigFile().Close();
        writers::GameTablesData tables;
        tables.Persons.push_back({});
        tables.Persons[0].Id = 1;
        tables.Persons[0].Name = "Vlk";
        writers::WriteGameTables(dir.Path().string(), tables);
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
};

TEST_F(TableCommandsTest, DbfDumpShowsFieldsAndEveryRecordAsText) {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 5, 0}, {"Name", 'C', 12, 0}, {"OK", 'L', 1, 0}, {"NOTE", 'M', 10, 0}};
    t.Records = {{false, {"1", Utf8ToCp1250("Žluťoučký"), "T", "memo text "}},
                 {true, {"-20", "  lead", "F", ""}}};
    writers::WriteDbf(dir.File("t.dbf"), t);
    const auto r = RunCli({"dbf", "dump", "t.dbf", "--game-dir", dir.Path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = r.Json();
    EXPECT_EQ(j["RecordCount"], 2);
    ASSERT_EQ(j["Fields"].size(), 4u);
    EXPECT_EQ(
        j["Fields"][1],
        (nlohmann::json{{"Name", "Name"}, {"FieldType", "C"}, {"Length", 12}, {"Decimals", 0}}));
    EXPECT_EQ(j["Fields"][3]["FieldType"], "M");
    // Values as the reader gives them by name: trailing blanks gone, memo text whole, and the
    // lower-case field read all the same.
    EXPECT_EQ(j["Records"][0],
              (nlohmann::json{
                  {"ID", "    1"}, {"Name", "Žluťoučký"}, {"OK", "T"}, {"NOTE", "memo text "}}));
    EXPECT_EQ(j["Records"][1]["ID"], "  -20");
    EXPECT_EQ(j["Records"][1]["Name"], "  lead");
    EXPECT_EQ(j["Records"][1]["NOTE"], "");
}

TEST_F(TableCommandsTest, DbfDumpReadsGameDataNamesThroughTheArchive) {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 3, 0}};
    t.Records = {{false, {"7"}}};
    dir.Write("game/zor.dat",
              writers::BuildArchive({{"DATA/ONLY.DBF", writers::BuildDbf(t).Table}}));
    const auto r = RunCli({"dbf", "dump", "DATA\\only.dbf", "--game-dir", dir.File("game")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.Json()["Records"][0]["ID"], "  7");
}

TEST_F(TableCommandsTest, DbfDumpOfMissingOrDamagedTablesFails) {
    EXPECT_EQ(RunCli({"dbf", "dump", "none.dbf", "--game-dir", dir.Path().string()}).status, 3);
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 3, 0}};
    t.Records = {{false, {"1"}}, {false, {"2"}}};
    std::vector<uint8_t> bytes = writers::BuildDbf(t).Table;
    bytes.resize(bytes.size() - 5);  // the end mark and the second record
    dir.Write("cut.dbf", bytes);
    const auto r = RunCli({"dbf", "dump", "cut.dbf", "--game-dir", dir.Path().string()});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("poškozený"), std::string::npos) << r.err;
    EXPECT_EQ(r.Json()["RecordCount"], 1);
    EXPECT_EQ(RunCli({"dbf", "dump"}).status, 2);
}

class SavCommandsTest : public TableCommandsTest {
  protected:
    SavCommandsTest() {
        auto store = std::make_unique<tKalistor>();
        AcceptAllEditors editors;
        store->SetEditors(&editors);
        store->AddPlayer();
        store->Players[1].Name.Set(Utf8ToCp1250("Hráč"));
        store->AddUnit(1, 50, 5, 6);
        store->AddUnit(1, 50, 7, 8);
        store->SaveToFile(dir.File("m.sav"));

        auto map = std::make_unique<tMapa>();
        Random random;
        map->Create(32, 32, random, WallTableSource::None);
        map->SetLinkKind(5, 6, 2);
        map->SetId(5, 6, 1);  // unit 2 has no link
        map->SaveToFile(dir.File("m.map"), ViewPosition{});
        map->SetId(7, 8, 2);
        map->SaveToFile(dir.File("both.map"), ViewPosition{});
    }

    test::CliResult Dump(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"sav", "dump", "m.sav", "--game-dir", dir.Path().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }
};

TEST_F(SavCommandsTest, DumpsEveryRecordInsideTheCountsUnderItsFieldNames) {
    const auto r = Dump();
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = r.Json();
    EXPECT_EQ(j["Version"], 1.01);
    ASSERT_EQ(j["Players"].size(), 1u);
    const nlohmann::json& p = j["Players"][0];
    EXPECT_EQ(p["Index"], 1);
    EXPECT_EQ(p["Name"], "Hráč");
    EXPECT_EQ(p["Barva"], 255 * 65536);
    ASSERT_EQ(p["Vztah"].size(), 101u);
    EXPECT_EQ(p["Vztah"][1], 3);
    EXPECT_EQ(p["StavVynalezu"].size(), 1001u);
    EXPECT_EQ(p["StavJednotek"].size(), 501u);
    EXPECT_TRUE(j["Settlements"].empty());
    ASSERT_EQ(j["Units"].size(), 2u);
    EXPECT_EQ(j["Units"][0]["Used"], 1);
    EXPECT_EQ(j["Units"][0]["Name"], "Vlk");
    EXPECT_EQ(j["Units"][0]["StaryZaznam"], -1);
    // The map beside the file has no link for unit 2.
    EXPECT_EQ(j["Units"][1]["Index"], 2);
    EXPECT_EQ(j["Units"][1]["Used"], 0);
}

TEST_F(SavCommandsTest, MapOptionChoosesTheMapThatDrivesTheLinkCheck) {
    auto r = Dump({"--map", dir.File("both.map")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.Json()["Units"][1]["Used"], 1);

    std::filesystem::remove(dir.File("m.map"));
    r = Dump();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("not checked"), std::string::npos);
    EXPECT_EQ(r.Json()["Units"][1]["Used"], 1);

    EXPECT_EQ(Dump({"--map", dir.File("none.map")}).status, 3);
}

TEST_F(SavCommandsTest, RefusedFilesExitWithBadInput) {
    std::vector<uint8_t> bytes = test::ReadFileBytes(dir.File("m.sav"));
    ByteWriter version;
    version.F64(1.0);
    std::copy(version.Data().begin(), version.Data().end(), bytes.begin());
    dir.Write("m.sav", bytes);
    auto r = Dump();
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("je verze 1.00"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    dir.Write("m.sav", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20));
    EXPECT_EQ(Dump().status, 3);
}

}  // namespace
}  // namespace tess
