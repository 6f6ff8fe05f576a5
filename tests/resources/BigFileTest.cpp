// The archive: directory loading, lookup rules, member and disk streams, damaged archives.
#include "resources/BigFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "resources/Utils.h"
#include "support/NamedPipe.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"

namespace tess {
namespace {

using writers::ArchiveMember;
using writers::BuildArchive;

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

class BigFileTest : public ::testing::Test {
  protected:
    void OpenArchive(const std::vector<ArchiveMember>& members) {
        archive.Open(dir.Write("zor.dat", BuildArchive(members)));
    }
    test::TempDir dir;
    TBigFile archive;
};

TEST_F(BigFileTest, LooksUpNamesWhateverTheCaseSeparatorOrDotSegments) {
    OpenArchive({{"DATA/objects.dbf", Bytes("obj")},
                 {"pictures/a.dds", Bytes("pic")},
                 {"MAPS/default.map", Bytes("map")}});
    for (const char* name : {"data\\objects.dbf", "DATA/OBJECTS.DBF", "DATA\\x\\..\\objects.dbf",
                             "./data/./Objects.DBF"}) {
        const TBigFileFileEntry* e = archive.FindEntry(name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(e->Name, "DATA/OBJECTS.DBF");
        EXPECT_EQ(e->Size, 3u);
    }
    EXPECT_EQ(archive.FindEntry("DATA/objects.db"), nullptr);
    // Sorts below every name in the directory.
    EXPECT_EQ(archive.FindEntry("A.TXT"), nullptr);
    EXPECT_EQ(archive.FindEntry("ZZZ"), nullptr);
    // The directory is kept in descending byte order.
    ASSERT_EQ(archive.Directory().size(), 3u);
    EXPECT_EQ(archive.Directory()[0].Name, "PICTURES/A.DDS");
    EXPECT_EQ(archive.Directory()[2].Name, "DATA/OBJECTS.DBF");
}

TEST_F(BigFileTest, MemberReadsUpToSizeThenEndOfFile) {
    OpenArchive({{"A.BIN", Bytes("0123456789")}, {"B.BIN", Bytes("abc")}});
    TBigFileStreamPtr a, b;
    ASSERT_TRUE(archive.OpenFile(a, "a.bin"));
    ASSERT_TRUE(archive.OpenFile(b, "b.bin"));
    EXPECT_EQ(TBigFile::FileSize(a.get()), 10);
    char buf[16] = {};
    TBigFile::SeekFile(a.get(), 6);
    TBigFile::ReadFile(b.get(), buf, 2);  // interleaved streams each seek first
    EXPECT_EQ(std::string(buf, 2), "ab");
    TBigFile::ReadFile(a.get(), buf, 4);
    EXPECT_EQ(std::string(buf, 4), "6789");
    TBigFile::SeekFile(a.get(), 8);
    std::fill(buf, buf + 16, '.');
    try {
        TBigFile::ReadFile(a.get(), buf, 3);
        FAIL() << "expected End of file";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), "End of file");
    }
    EXPECT_EQ(std::string(buf, 3), "89.");  // the available bytes were delivered
    TBigFile::CloseFile(a);
    EXPECT_EQ(a, nullptr);
    // Null streams do nothing.
    TBigFile::ReadFile(nullptr, buf, 1);
    EXPECT_EQ(TBigFile::FileSize(nullptr), 0);
    TBigFile::CloseFile(a);
}

TEST_F(BigFileTest, FallsBackToTheDiskAndRaisesForMissingFiles) {
    OpenArchive({});
    dir.Write("Data/Names.dbf", "disk");
    test::ScopedCurrentDir cd(dir.Path());
    EXPECT_EQ(archive.FindEntry("DATA/NAMES.DBF"), nullptr);
    EXPECT_TRUE(archive.FileExists("DATA\\names.dbf"));
    TBigFileStreamPtr s;
    ASSERT_TRUE(archive.OpenFile(s, "DATA\\names.dbf"));
    EXPECT_EQ(TBigFile::FileSize(s.get()), 4);
    char buf[8];
    TBigFile::ReadFile(s.get(), buf, 4);
    EXPECT_THROW(TBigFile::ReadFile(s.get(), buf, 1), IoError);
    EXPECT_THROW(archive.OpenFile(s, "DATA\\missing.dbf"), IoError);
    EXPECT_FALSE(archive.FileExists("DATA\\missing.dbf"));
}

// A named pipe in the game directory (a table, a picture, the archive itself) is refused at
// once: opening one for reading would otherwise wait for a writer that never comes.
TEST_F(BigFileTest, NamedPipesAreRefusedInsteadOfWaitedOn) {
    OpenArchive({});
    test::ScopedCurrentDir cd(dir.Path());
    const test::NamedPipe table(dir.File("DATA/building.dbf"));
    TBigFileStreamPtr s;
    try {
        archive.OpenFile(s, "DATA\\BUILDING.DBF");
        ADD_FAILURE() << "the pipe was opened";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
    }
    EXPECT_EQ(s, nullptr);
    EXPECT_THROW(archive.ReadWholeFile("DATA\\building.dbf"), IoError);

    const test::NamedPipe zor(dir.File("pipe.dat"));
    EXPECT_THROW(archive.Open("pipe.dat"), IoError);
    EXPECT_TRUE(archive.Directory().empty());
    EXPECT_FALSE(table.ReleasedAReader());
    EXPECT_FALSE(zor.ReleasedAReader());
}

TEST_F(BigFileTest, ReadOnlyFilesExistAndOpen) {
    const std::string path = dir.Write("ro.dat", "ro");
    ::chmod(path.c_str(), 0444);
    test::ScopedCurrentDir cd(dir.Path());
    EXPECT_TRUE(FileExistsOnDisk("RO.DAT"));
    TBigFileStreamPtr s;
    EXPECT_TRUE(archive.OpenFile(s, "ro.dat"));
}

TEST_F(BigFileTest, DamagedArchivesAreRefusedAndLeaveItEmpty) {
    OpenArchive({{"A.BIN", Bytes("x")}});
    ASSERT_NE(archive.FindEntry("A.BIN"), nullptr);

    std::vector<uint8_t> good = BuildArchive({{"A.BIN", Bytes("0123")}});
    // Entry count far beyond what the file can hold.
    std::vector<uint8_t> bad = good;
    bad[0] = 0xFF;
    bad[1] = 0xFF;
    EXPECT_THROW(archive.Open(dir.Write("bad1.dat", bad)), IoError);
    EXPECT_EQ(archive.FindEntry("A.BIN"), nullptr);
    // Directory offset past the end.
    bad = good;
    bad[7] = 0x7F;
    EXPECT_THROW(archive.Open(dir.Write("bad2.dat", bad)), IoError);
    // Name without its zero byte (the file ends inside the name).
    bad = good;
    bad.resize(bad.size() - 9);
    EXPECT_THROW(archive.Open(dir.Write("bad4.dat", bad)), IoError);
    // Shorter than the header.
    EXPECT_THROW(archive.Open(dir.Write("bad5.dat", Bytes("abc"))), IoError);
    EXPECT_THROW(archive.Open(dir.File("none.dat")), IoError);
}

// A member whose data lies past the end of the file is refused on its own: the other members
// stay readable, its name falls to the disk, and the damage is reported the first time it is
// asked for.
TEST_F(BigFileTest, OneDamagedMemberLeavesTheOthersUsable) {
    std::vector<uint8_t> bytes =
        BuildArchive({{"A.BIN", Bytes("aaa")}, {"B.BIN", Bytes("bbb")}, {"C.BIN", Bytes("ccc")}});
    const std::string name = "B.BIN";
    const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    const size_t size = size_t(at - bytes.begin()) + name.size() + 1 + 4;
    bytes[size + 3] = 0x40;  // B's size becomes about 1 GiB
    test::ScopedTestUi ui;
    test::ScopedCurrentDir cd(dir.Path());
    archive.Open(dir.Write("zor.dat", bytes));

    ASSERT_EQ(archive.Directory().size(), 2u);
    ASSERT_EQ(archive.DamagedEntries().size(), 1u);
    EXPECT_EQ(archive.FindEntry("b.bin"), nullptr);
    EXPECT_NE(archive.FindDamagedEntry("b.bin"), nullptr);
    EXPECT_EQ(archive.ReadWholeFile("a.bin"), Bytes("aaa"));
    EXPECT_EQ(archive.ReadWholeFile("C.BIN"), Bytes("ccc"));
    EXPECT_TRUE(ui.errors.empty());

    // Without a disk file of that name the read fails as a missing file does, after the report.
    EXPECT_THROW(archive.ReadWholeFile("b.bin"), IoError);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("\"B.BIN\" leží za koncem souboru"), std::string::npos)
        << ui.errors[0];
    // The disk file stands in for it, and the damage is not reported again.
    dir.Write("b.bin", std::string("disk"));
    EXPECT_FALSE(archive.FileExists("nothing.bin"));
    EXPECT_TRUE(archive.FileExists("B.BIN"));
    TBigFileStreamPtr s;
    ASSERT_TRUE(archive.OpenFile(s, "B.BIN"));
    EXPECT_EQ(TBigFile::FileSize(s.get()), 4);
    EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(BigFileTest, EveryNameIsFoundWhateverItsBytes) {
    // Prefixes of each other, high CP1250 bytes (compared unsigned), digits and punctuation.
    const std::vector<std::string> names = {"A",
                                            "AB",
                                            "ABC",
                                            "B",
                                            "\x8AKOLA.DBF",
                                            "\xC8"
                                            "ERT/\x8D"
                                            "EN.BMP",
                                            "ZED",
                                            "Z",
                                            "0",
                                            "_",
                                            "a/b/c",
                                            "PICTURES/32X16/TERENY-/TRAVA0.DDS",
                                            "PICTURES/32X16/TERENY-/TRAVA1.DDS",
                                            "\xFF"};
    std::vector<ArchiveMember> members;
    for (size_t i = 0; i < names.size(); ++i)
        members.push_back({names[i], Bytes(std::to_string(i))});
    OpenArchive(members);
    for (size_t i = 0; i < names.size(); ++i) {
        const TBigFileFileEntry* e = archive.FindEntry(Cp1250ToUtf8(names[i]));
        ASSERT_NE(e, nullptr) << i;
        TBigFileStreamPtr s;
        archive.OpenFile(s, Cp1250ToUtf8(names[i]));
        std::string got(static_cast<size_t>(TBigFile::FileSize(s.get())), ' ');
        TBigFile::ReadFile(s.get(), got.data(), got.size());
        EXPECT_EQ(got, std::to_string(i));
    }
    // Lower-case accented letters find their upper-cased entries; ".." may climb back in.
    EXPECT_NE(archive.FindEntry("škola.dbf"), nullptr);
    EXPECT_NE(archive.FindEntry("čert\\ťen.bmp"), nullptr);
    EXPECT_NE(archive.FindEntry("pictures/../pictures/32x16/./tereny-\\trava1.dds"), nullptr);
    EXPECT_EQ(archive.FindEntry("AB/"), nullptr);
    EXPECT_EQ(archive.FindEntry(""), nullptr);
}

TEST_F(BigFileTest, ReadsPastTheMemberNeverReachPastIt) {
    OpenArchive({{"A.BIN", Bytes("abcd")}, {"B.BIN", Bytes("efgh")}});
    TBigFileStreamPtr s;
    archive.OpenFile(s, "A.BIN");
    char buf[8] = {};
    // A huge count must not wrap around and read the next member (or beyond the buffer).
    TBigFile::SeekFile(s.get(), 2);
    EXPECT_THROW(TBigFile::ReadFile(s.get(), buf, SIZE_MAX - 1), IoError);
    EXPECT_EQ(std::string(buf, 2), "cd");
    // Seeking is not checked; reading there delivers nothing.
    for (int64_t position : {int64_t{4}, int64_t{100}, int64_t{-1}, INT64_MIN}) {
        std::fill(buf, buf + 8, '.');
        TBigFile::SeekFile(s.get(), position);
        EXPECT_THROW(TBigFile::ReadFile(s.get(), buf, 1), IoError) << position;
        EXPECT_EQ(buf[0], '.');
    }
    // Zero bytes at the end is fine.
    TBigFile::SeekFile(s.get(), 4);
    TBigFile::ReadFile(s.get(), buf, 0);
    EXPECT_EQ(TBigFile::FileSize(s.get()), 4);
}

TEST_F(BigFileTest, EntriesMustFitTheThousandByteWindow) {
    // 991 name bytes + zero + 8 = 1000: the largest entry there is.
    const std::string longest(991, 'N');
    OpenArchive({{longest, Bytes("x")}, {"", Bytes("empty name")}});
    EXPECT_NE(archive.FindEntry(longest), nullptr);
    ASSERT_EQ(archive.Directory().size(), 2u);
    EXPECT_EQ(archive.Directory().back().Name, "");
    EXPECT_THROW(archive.Open(dir.Write("long.dat", BuildArchive({{longest + "N", Bytes("x")}}))),
                 IoError);
    // Entries of empty names only: 9 bytes each, still a valid directory.
    archive.Open(dir.Write("empty.dat", BuildArchive({{"", {}}, {"", {}}})));
    EXPECT_EQ(archive.Directory().size(), 2u);
}

TEST_F(BigFileTest, EmptyArchiveSendsEveryLookupToTheDisk) {
    OpenArchive({});
    EXPECT_TRUE(archive.Directory().empty());
    EXPECT_EQ(archive.FindEntry("ANY"), nullptr);
}

}  // namespace
}  // namespace tess
