// tessarine-cli demo, run end to end: writes a game directory the tool then works in, writes
// over its own demo, and leaves other people's directories alone unless told to.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

TEST(DemoCommand, WritesAGameDirectoryTheToolCanUse) {
    test::TempDir dir;
    const std::string game = dir.File("new/game");  // parents are created
    const auto made = RunCli({"demo", "-o", game});
    ASSERT_EQ(made.status, 0) << made.err;
    const nlohmann::json summary = made.Json();
    EXPECT_GT(summary["Archive"]["Members"].get<int>(), 100);
    EXPECT_EQ(summary["Archive"]["Size"].get<uint64_t>(), fs::file_size(game + "/zor.dat"));
    EXPECT_GT(summary["DiskFiles"].get<int>(), 40);

    // The tool works in it: the game data loads against its map and the game's tables, every
    // record linked to its cell.
    const auto sav = RunCli({"sav", "dump", game + "/MAPS/default.sav", "--game-dir", game});
    ASSERT_EQ(sav.status, 0) << sav.err;
    const nlohmann::json data = sav.Json();
    EXPECT_EQ(data["Players"].size(), 5u);
    EXPECT_GT(data["Buildings"].size(), 40u);
    for (const auto& b : data["Buildings"])
        EXPECT_EQ(b["Used"], 1) << b.dump();
    for (const auto& u : data["Units"])
        EXPECT_EQ(u["Used"], 1) << u.dump();

    // A directory that holds a demo is written over without asking.
    dir.Write("new/game/MAPS/mine.map", "my own map");
    const auto again = RunCli({"demo", "-o", game});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(fs::exists(game + "/MAPS/mine.map"));  // files of its own are left alone
}

TEST(DemoCommand, RefusesOtherDirectoriesUnlessForced) {
    test::TempDir dir;
    const std::string mine = dir.Write("mine/notes.txt", "keep me");
    const auto refused = RunCli({"demo", "-o", dir.File("mine")});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir.File("mine/zor.dat")));

    const auto onFile = RunCli({"demo", "-o", mine, "--force"});
    EXPECT_EQ(onFile.status, 3);  // a file is no directory, forced or not
    EXPECT_EQ(RunCli({"demo"}).status, 2);
    EXPECT_EQ(RunCli({"demo", "-o", dir.File("x"), "extra"}).status, 2);

    const auto forced = RunCli({"demo", "-o", dir.File("mine"), "--force"});
    ASSERT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(fs::exists(dir.File("mine/zor.dat")));
    EXPECT_EQ(test::ReadFileBytes(mine).size(), 7u);
}

}  // namespace
}  // namespace tess
