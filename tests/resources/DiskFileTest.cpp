// Whole-file reads: the size limit, what is not a regular file, archive members and the disk.
#include "resources/DiskFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "writers/ArchiveWriter.h"

namespace tess {
namespace {

std::string ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const IoError& e) {
        return e.what();
    }
    return "no error";
}

TEST(DiskFileTest, LimitAndKindOfFileAreCheckedBeforeReading) {
    test::TempDir dir;
    test::ScopedCurrentDir cd(dir.Path());
    dir.Write("Data/Ten.bin", std::string("0123456789"));
    // Either separator and any letter case find the file.
    EXPECT_EQ(ReadDiskFile("DATA\\ten.BIN", 10).size(), 10u);
    EXPECT_EQ(ErrorOf([] { ReadDiskFile("data/ten.bin", 9); }),
              "File too large \"data/ten.bin\": 10 bytes, at most 9");
    EXPECT_NE(ErrorOf([] { ReadDiskFile("data/none.bin", 9); }).find("Cannot open file"),
              std::string::npos);
    EXPECT_EQ(ErrorOf([] { ReadDiskFile("Data", 100); }),
              "Cannot open file \"Data\": not a regular file");
    EXPECT_TRUE(ReadDiskFile(dir.Write("empty", std::string()), 0).empty());
}

TEST(DiskFileTest, ArchiveMembersKeepTheLimitAndTheirOwnEndOfFile) {
    test::TempDir dir;
    test::ScopedCurrentDir cd(dir.Path());
    TBigFile archive;
    archive.Open(dir.Write("zor.dat", writers::BuildArchive({{"DATA/A.BIN", {1, 2, 3, 4}}})));
    dir.Write("disk.bin", std::string("xy"));
    EXPECT_EQ(archive.ReadWholeFile("data\\a.bin", 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(ErrorOf([&] { archive.ReadWholeFile("data\\a.bin", 3); }),
              "File too large \"data\\a.bin\": 4 bytes, at most 3");
    EXPECT_EQ(archive.ReadWholeFile("disk.bin", 2).size(), 2u);
    EXPECT_EQ(archive.EndOfFileText("DATA/A.BIN"), "End of file");
    EXPECT_EQ(archive.EndOfFileText("disk.bin"), DiskEndOfFile("disk.bin"));
}

}  // namespace
}  // namespace tess
