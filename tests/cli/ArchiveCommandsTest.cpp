// tessarine-cli archive commands, run end to end: create, list, extract.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using test::RunCli;

TEST(ArchiveCommands, CreateListAndExtractRoundTrip) {
    test::TempDir dir;
    dir.Write("game/Data/Objects.dbf", "objects");
    dir.Write("game/Pictures/32x16/Šipka.dds", std::vector<uint8_t>(3000, 0xAB));
    dir.Write("game/readme.txt", "");
    const std::string archive = dir.File("game/zor.dat");  // inside the packed directory

    for (int run = 0; run < 2; ++run) {  // the second run must not pack the first archive
        const auto made = RunCli({"archive", "create", dir.File("game"), "-o", archive});
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.Json()["Entries"], 3);
    }
    const auto list = RunCli({"archive", "list", archive});
    ASSERT_EQ(list.status, 0) << list.err;
    const nlohmann::json entries = list.Json();
    ASSERT_EQ(entries.size(), 3u);
    // The directory as the archive holds it: upper-cased, in descending order.
    EXPECT_EQ(entries[0]["Name"], "README.TXT");
    EXPECT_EQ(entries[1]["Name"], "PICTURES/32X16/ŠIPKA.DDS");
    EXPECT_EQ(entries[2]["Name"], "DATA/OBJECTS.DBF");
    EXPECT_EQ(entries[1]["Size"], 3000);
    EXPECT_EQ(entries[2]["Size"], 7);
    TBigFile reader;
    reader.Open(archive);
    EXPECT_EQ(reader.FindEntry("data/objects.dbf")->Offset, entries[2]["Offset"]);

    // Extract finds the member by the archive's own lookup rules.
    const std::string out = dir.File("out.dds");
    const auto got =
        RunCli({"archive", "extract", archive, "pictures\\32x16\\.\\šipka.DDS", "-o", out});
    ASSERT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(test::ReadFileBytes(out), std::vector<uint8_t>(3000, 0xAB));
    const auto empty = RunCli({"archive", "extract", archive, "README.TXT", "-o", out});
    ASSERT_EQ(empty.status, 0) << empty.err;
    EXPECT_TRUE(test::ReadFileBytes(out).empty());
}

TEST(ArchiveCommands, MissingMembersAndDamagedArchivesAreBadInput) {
    test::TempDir dir;
    dir.Write("game/a.txt", "a");
    const std::string archive = dir.File("zor.dat");
    ASSERT_EQ(RunCli({"archive", "create", dir.File("game"), "-o", archive}).status, 0);
    // A disk file of that name is not a member.
    test::ScopedCurrentDir cd(dir.Path());
    dir.Write("b.txt", "disk");
    const auto missing = RunCli({"archive", "extract", archive, "b.txt", "-o", dir.File("o")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("b.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o")));

    auto bytes = test::ReadFileBytes(archive);
    bytes[0] = 0xFF;  // entry count far past the end
    const std::string bad = dir.Write("bad.dat", bytes);
    const auto list = RunCli({"archive", "list", bad});
    EXPECT_EQ(list.status, 3);
    EXPECT_NE(list.err.find("Damaged archive"), std::string::npos) << list.err;
    EXPECT_EQ(RunCli({"archive", "list", dir.File("none.dat")}).status, 3);

    // A member whose data lies past the end: the archive still lists, that member does not
    // extract.
    bytes = test::ReadFileBytes(archive);
    bytes[bytes.size() - 1] = 0x40;  // the last entry's size
    const std::string oneBad = dir.Write("onebad.dat", bytes);
    const auto listed = RunCli({"archive", "list", oneBad});
    EXPECT_EQ(listed.status, 0) << listed.err;
    const auto damaged = RunCli({"archive", "extract", oneBad, "a.txt", "-o", dir.File("o")});
    EXPECT_EQ(damaged.status, 3);
    EXPECT_NE(damaged.err.find("damaged"), std::string::npos) << damaged.err;
    EXPECT_EQ(RunCli({"archive", "create", dir.File("nodir"), "-o", dir.File("x")}).status, 3);
    EXPECT_EQ(RunCli({"archive", "list"}).status, 2);
}

}  // namespace
}  // namespace tess
