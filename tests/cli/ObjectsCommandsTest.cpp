// tessarine-cli objects build / list and map repair, run end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "map/MapDat.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "writers/GameTableWriter.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

using test::RunCli;
using writers::ObjectRow;

ObjectRow Row(int32_t id, int sizeRT = 1, int sizeLT = 1) {
    ObjectRow row;
    row.Id = id;
    row.Name = "o" + std::to_string(id);
    row.FileName = "obj/o.dds";
    row.Size_RT = sizeRT;
    row.Size_LT = sizeLT;
    return row;
}

class ObjectsCommandsTest : public ::testing::Test {
  protected:
    void WriteTable(const std::vector<ObjectRow>& rows) {
        std::filesystem::create_directories(dir.File("game/DATA"));
        writers::WriteDbf(dir.File("game/DATA/objects.dbf"), writers::ObjectTable(rows));
    }
    std::string Game() const { return dir.File("game"); }
    std::string Cache() const { return dir.File("game/objects.kar"); }

    test::TempDir dir;
};

TEST_F(ObjectsCommandsTest, BuildWritesTheCacheFromTheTableEvenWhenOneExists) {
    ObjectRow skipped = Row(58);
    skipped.Typ_Unit = true;
    WriteTable({Row(1), Row(2), skipped});
    const auto first = RunCli({"objects", "build", "--game-dir", Game()});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.Json()["Count"], 2);
    EXPECT_EQ(first.Json()["Size"], 2 * 215 + 9998 * 4);
    EXPECT_EQ(std::filesystem::file_size(Cache()), 2u * 215 + 9998 * 4);

    WriteTable({Row(1), Row(2), Row(3)});
    const auto second = RunCli({"objects", "build", "--game-dir", Game()});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.Json()["Count"], 3);
    EXPECT_EQ(std::filesystem::file_size(Cache()), 3u * 215 + 9997 * 4);
}

TEST_F(ObjectsCommandsTest, ListShowsEveryFieldWithoutWritingTheCache) {
    ObjectRow tree = Row(42, 2, 3);
    tree.Name = Utf8ToCp1250("Smrk žlutý");
    tree.FileName = "stromy/smrk.dds";
    tree.Typ_tree = true;
    tree.pod_teren = "TR";
    tree.Tree_jehl = true;
    tree.Tree_idx = "ls";
    tree.WAV_DAY = "les.wav";
    tree.Relat_X = 12;
    tree.Relat_Y = -3;
    tree.Width = 40;
    tree.Height = 60;
    tree.Anim_Count = 2;
    tree.Anim_y = 5;
    WriteTable({Row(7), tree});
    const auto r = RunCli({"objects", "list", "--game-dir", Game()});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json list = r.Json();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["Id"], 7);
    const nlohmann::json& o = list[1];
    EXPECT_EQ(o["Id"], 42);
    EXPECT_EQ(o["Name"], "Smrk žlutý");
    EXPECT_EQ(o["FileName"], "PICTURES/32x16/../stromy/smrk.dds");
    EXPECT_EQ(o["Typ_tree"], 1);
    EXPECT_EQ(o["Typ_build"], 0);
    EXPECT_EQ(o["Typ_Unit"], 0);
    EXPECT_EQ(o["Typ_unown"], 0);
    EXPECT_EQ(o["pod_teren"], 5);
    EXPECT_EQ(o["Tree_idx"], "ls");
    EXPECT_EQ(o["TreeIdxPlain"], 1);
    EXPECT_EQ(o["HasSound"], 1);
    EXPECT_EQ(o["Relat_X"], 12);
    EXPECT_EQ(o["Relat_Y"], -3);
    EXPECT_EQ(o["Width"], 40);
    EXPECT_EQ(o["Height"], 60);
    EXPECT_EQ(o["Anim_Count"], 2);
    EXPECT_EQ(o["Size_RT"], 2);
    EXPECT_EQ(o["Size_LT"], 3);
    EXPECT_EQ(o["Tree_list"], 0);
    EXPECT_EQ(o["Tree_jehl"], 1);
    EXPECT_EQ(o["Tree_ker"], 0);
    EXPECT_EQ(o["Tree_trop"], 0);
    EXPECT_EQ(o["Anim_y"], 5);
    EXPECT_FALSE(std::filesystem::exists(Cache()));

    // Once the cache exists the list comes from it, as the editor's catalogue does.
    ASSERT_EQ(RunCli({"objects", "build", "--game-dir", Game()}).status, 0);
    WriteTable({Row(9)});
    const auto cached = RunCli({"objects", "list", "--game-dir", Game()});
    ASSERT_EQ(cached.status, 0) << cached.err;
    EXPECT_EQ(cached.Json().size(), 2u);
}

TEST_F(ObjectsCommandsTest, MissingTableIsBadInput) {
    std::filesystem::create_directories(Game());
    EXPECT_EQ(RunCli({"objects", "build", "--game-dir", Game()}).status, 3);
    EXPECT_EQ(RunCli({"objects", "list", "--game-dir", Game()}).status, 3);
    EXPECT_FALSE(std::filesystem::exists(Cache()));
}

TEST_F(ObjectsCommandsTest, MapRepairRebuildsFootprintsAndSavesThePair) {
    WriteTable({Row(2, 2, 3)});
    writers::WriteGameTables(Game(), {});  // saving the game data reads the rule tables
    auto map = std::make_unique<tMapa>();
    Random random(1);
    map->Create(64, 64, random, WallTableSource::None);
    map->SetOccupancy(20, 20, 2);  // a 2 x 3 object without its footprint
    map->SetId(20, 20, 2);
    map->SetOccupancy(30, 30, 2);  // a type the catalogue lacks
    map->SetId(30, 30, 4321);
    map->SaveToFileAtCentre(dir.File("in.map"), {12, 34});

    const auto r =
        RunCli({"map", "repair", dir.File("in.map"), dir.File("out.map"), "--game-dir", Game()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.Json()["EmptiedAnchors"], 1);
    EXPECT_EQ(r.Json()["FootprintCells"], 5);
    ASSERT_TRUE(std::filesystem::exists(dir.File("out.sav")));

    auto repaired = std::make_unique<tMapa>();
    ViewPosition view;
    ASSERT_TRUE(repaired->LoadFromFile(dir.File("out.map"), view));
    EXPECT_EQ(repaired->StoredViewCentre(), (TPoint{12, 34}));
    EXPECT_EQ(repaired->GetOccupancy(19, 17), 1);
    EXPECT_EQ(repaired->GetId(19, 17), 2);
    EXPECT_EQ(repaired->GetOccupancy(30, 30), 0);
    EXPECT_EQ(repaired->GetId(30, 30), 0);
}

TEST_F(ObjectsCommandsTest, MapRepairRefusesADamagedMapAndWritesNothing) {
    WriteTable({Row(2)});
    dir.Write("in.map", std::string("not a map at all"));
    const auto r =
        RunCli({"map", "repair", dir.File("in.map"), dir.File("out.map"), "--game-dir", Game()});
    EXPECT_EQ(r.status, 3);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.map")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.sav")));
}

}  // namespace
}  // namespace tess
