// tessarine-cli map commands, run end to end: new, info, cells, resave.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "map/MapDat.h"
#include "resources/Bytes.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using test::RunCli;

class MapCommandsTest : public ::testing::Test {
  protected:
    test::TempDir dir;
};

TEST_F(MapCommandsTest, NewMapIsReproducibleFromItsSeedAndReportsItsInfo) {
    const std::string a = dir.File("a.map"), b = dir.File("b.map"), c = dir.File("c.map");
    const auto made = RunCli({"map", "new", "--size", "256x512", "-o", a, "--seed", "1"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.Json()["Size"], 786968);
    ASSERT_EQ(RunCli({"map", "new", "--size", "256x512", "-o", b, "--seed", "1"}).status, 0);
    ASSERT_EQ(RunCli({"map", "new", "--size", "256x512", "-o", c, "--seed", "2"}).status, 0);
    const auto bytesA = test::ReadFileBytes(a);
    EXPECT_EQ(bytesA, test::ReadFileBytes(b));
    EXPECT_NE(bytesA, test::ReadFileBytes(c));

    const auto info = RunCli({"map", "info", a});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.err, "");
    const nlohmann::json j = info.Json();
    EXPECT_EQ(j["Version"], 1.02);
    EXPECT_EQ(j["Width"], 256);
    EXPECT_EQ(j["Height"], 512);
    EXPECT_EQ(j["Size"], 786968);
    // Saved from a 1024 x 768 view at the top-left corner.
    EXPECT_EQ(j["ViewCentre"], nlohmann::json::array({16, 50}));
    ASSERT_EQ(j["Terrains"].size(), 16u);
    EXPECT_EQ(j["Terrains"][5]["Name"], "Trava");
    EXPECT_EQ(j["Terrains"][9]["Shade"], 0);

    // The cells are what the new-map command makes.
    tMapa map;
    ViewPosition view;
    ASSERT_TRUE(map.LoadFromFile(a, view));
    for (int y = 0; y < 512; y += 7)
        for (int x = 0; x < 256; ++x) {
            ASSERT_EQ(map.GetTerrain(x, y), 5);
            ASSERT_EQ(map.GetLevel(x, y), 3);
        }
}

TEST_F(MapCommandsTest, NewMapRefusesBadArguments) {
    const std::string out = dir.File("x.map");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"map", "new", "--size", "127x512", "-o", out},
          {"map", "new", "--size", "128x2048", "-o", out},
          {"map", "new", "--size", "128", "-o", out},
          {"map", "new", "--size", "128x128"},
          {"map", "new", "--size", "128x128", "-o", out, "--seed", "-4"},
          {"map", "new", "--size", "128x128", "-o", out, "--bogus", "1"}}) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[3];
        EXPECT_NE(r.err.find("usage: tessarine-cli map new"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(MapCommandsTest, CellsListsTheRectangleClippedToTheMap) {
    tMapa map;
    Random random(5);
    map.FillAsNewMap(130, 140, random);
    tMapCell special;
    special.w[0] = 0xF2C7;
    special.w[1] = 0xA5B6;
    special.w[2] = 4321;
    map.SetCell(129, 139, special);
    const std::string path = dir.File("m.map");
    map.SaveToFile(path, ViewPosition{});

    const auto r = RunCli({"map", "cells", path, "--rect", "128,138,5,5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json cells = r.Json();
    ASSERT_EQ(cells.size(), 4u);  // 2 x 2 of the 5 x 5 lie on the map
    const nlohmann::json& last = cells[3];
    EXPECT_EQ(last["x"], 129);
    EXPECT_EQ(last["y"], 139);
    EXPECT_EQ(last["Words"], nlohmann::json::array({0xF2C7, 0xA5B6, 4321}));
    EXPECT_EQ(last["Terrain"], 7);
    EXPECT_EQ(last["Variant"], 0);
    EXPECT_EQ(last["Level"], 3);
    EXPECT_EQ(last["TileVariant"], 1);
    EXPECT_EQ(last["Occupancy"], 2);
    EXPECT_EQ(last["AnimRow"], 5);
    EXPECT_EQ(last["Jitter"], 0x2D);
    EXPECT_EQ(last["LinkKind"], 1);
    EXPECT_EQ(last["Id"], 4321);
    EXPECT_EQ(cells[0]["x"], 128);
    EXPECT_EQ(cells[0]["y"], 138);

    EXPECT_EQ(RunCli({"map", "cells", path, "--rect", "-3,-3,3,3"}).Json().size(), 0u);
    EXPECT_EQ(RunCli({"map", "cells", path, "--rect", "0,0,2"}).status, 2);
    EXPECT_EQ(RunCli({"map", "cells", path, "--rect", "0,0,-1,2"}).status, 2);
}

TEST_F(MapCommandsTest, ResaveGivesAnEditorWrittenFileBackByteForByte) {
    tMapa map;
    Random random(8);
    map.FillAsNewMap(200, 150, random);
    for (int x = 0; x < 200; ++x)
        map.SetId(x, 77, x * 300);
    map.Terrains[4] = {"\x8Akola", 0};  // CP1250
    const std::string in = dir.File("in.map"), out = dir.File("out.map");
    // A view centre near the top-left corner, which a load pushes back into the map.
    map.SaveToFileAtCentre(in, TPoint{1, 1});
    const auto r = RunCli({"map", "resave", in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadFileBytes(out), test::ReadFileBytes(in));

    const auto info = RunCli({"map", "info", in});
    EXPECT_EQ(info.Json()["Terrains"][4]["Name"], "Škola");

    // A file cut after its cells gains the default lists and a centre.
    auto bytes = test::ReadFileBytes(in);
    bytes.resize(16 + 6 * 200 * 150);
    const std::string shortFile = dir.Write("short.map", bytes);
    ASSERT_EQ(RunCli({"map", "resave", shortFile, out}).status, 0);
    EXPECT_EQ(test::ReadFileBytes(out).size(), bytes.size() + 520);
    EXPECT_EQ(RunCli({"map", "info", shortFile}).Json()["ViewCentre"], nullptr);
}

TEST_F(MapCommandsTest, RefusedFilesEndWithStatusThreeAndTheReason) {
    ByteWriter w;
    w.F64(1.01);
    w.I32(128);
    w.I32(128);
    const std::string old = dir.Write("old.map", w.Data());
    const auto r = RunCli({"map", "info", old});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("je verze 1.01\rTessarine je verze 1.02"), std::string::npos) << r.err;

    ByteWriter cut;
    cut.F64(1.02);
    cut.I32(128);
    cut.I32(128);
    cut.Zeros(100);
    const std::string damaged = dir.Write("cut.map", cut.Data());
    const std::string out = dir.File("never.map");
    const auto resave = RunCli({"map", "resave", damaged, out});
    EXPECT_EQ(resave.status, 3);
    EXPECT_NE(resave.err.find("uprostřed buněk"), std::string::npos) << resave.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(RunCli({"map", "cells", dir.File("none.map"), "--rect", "0,0,1,1"}).status, 3);
}

}  // namespace
}  // namespace tess
