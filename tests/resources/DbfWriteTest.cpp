// Table writes: how values are laid out, what is refused, and saving on disk and in the archive.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "resources/BigFile.h"
#include "resources/Dbf.h"
#include "resources/GameDataWrite.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/DbfWriter.h"

namespace tess {
namespace {

using writers::ArchiveMember;
using writers::DbfTable;

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

DbfTable Effects() {
    DbfTable t;
    t.Fields = {{"ID", 'N', 4, 0},        {"WAV_FILE", 'C', 12, 0}, {"CAS", 'N', 5, 0},
                {"EACH_ANIM", 'L', 1, 0}, {"RATE", 'N', 7, 2},      {"NOTE", 'M', 10, 0}};
    t.Records = {{false, {"1", "a.wav", "80", "T", "1.50", "memo"}},
                 {false, {"2", "b.wav", "120", "F", "0.00", ""}}};
    return t;
}

// The bytes of one field of one record (1-based), as stored.
std::string StoredField(const std::vector<uint8_t>& file, const tTable& table, int32_t record,
                        std::string_view name) {
    const tFieldDescriptor* f = table.FindField(name);
    const size_t start = size_t(record - 1) * table.RecordSize + table.HeaderSize + f->Offset;
    return std::string(file.begin() + long(start), file.begin() + long(start + f->Length));
}

// Every byte outside [from, from + length) is the same in both files.
void ExpectSameOutside(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after,
                       size_t from, size_t length) {
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        if (i >= from && i < from + length) continue;
        ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
}

class DbfWriteTest : public ::testing::Test {
  protected:
    DbfWriteTest() : cwd(dir.Path()) { BigFile().Close(); }
    ~DbfWriteTest() override { BigFile().Close(); }

    std::string WriteDisk() {
        dir.Write("DATA/efects.dbf", writers::BuildDbf(Effects()).Table);
        return dir.File("DATA/efects.dbf");
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
};

TEST_F(DbfWriteTest, ValuesAreLaidOutAsDbaseStoresThemAndOnlyTheyChange) {
    const std::string path = WriteDisk();
    const std::vector<uint8_t> before = test::ReadFileBytes(path);
    tTable table;
    OpenDBF(table, "data\\Efects.dbf");
    ASSERT_TRUE(Locate(table, "Id", 2));
    EXPECT_FALSE(table.Modified());
    SetString(table, "Wav_File", "FX\\BOOM.WAV");
    SetInteger(table, "Cas", 40);
    SetBool(table, "each_anim", true);
    SetInteger(table, "RATE", -3);
    EXPECT_TRUE(table.Modified());
    // Reads see the change before it is saved.
    EXPECT_EQ(GetString(table, "WAV_FILE"), "FX\\BOOM.WAV");
    EXPECT_EQ(test::ReadFileBytes(path), before);

    SaveDBF(table);
    EXPECT_FALSE(table.Modified());
    const std::vector<uint8_t> after = test::ReadFileBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(StoredField(after, table, 2, "WAV_FILE"), "FX\\BOOM.WAV ");
    EXPECT_EQ(StoredField(after, table, 2, "CAS"), "   40");
    EXPECT_EQ(StoredField(after, table, 2, "EACH_ANIM"), "T");
    EXPECT_EQ(StoredField(after, table, 2, "RATE"), "  -3.00");
    // Every other byte (header, record 1, the record's ID and NOTE) is as it was.
    const size_t record2 = size_t(table.RecordSize) + table.HeaderSize;
    const size_t wav = record2 + table.FindField("WAV_FILE")->Offset;
    const size_t note = record2 + table.FindField("NOTE")->Offset;
    ExpectSameOutside(before, after, wav, note - wav);
    CloseDBF(table);

    tTable again;
    OpenDBF(again, "DATA/EFECTS.DBF");
    ASSERT_TRUE(Locate(again, "ID", 2));
    EXPECT_EQ(GetInteger(again, "CAS"), 40);
    EXPECT_TRUE(GetBool(again, "EACH_ANIM"));
    EXPECT_EQ(GetString(again, "NOTE"), "");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DbfWriteTest, RefusedWritesRaiseAndChangeNothing) {
    const std::string path = WriteDisk();
    const std::vector<uint8_t> before = test::ReadFileBytes(path);
    tTable table;
    OpenDBF(table, "DATA\\efects.dbf");
    ASSERT_TRUE(Locate(table, "ID", 1));
    EXPECT_THROW(SetString(table, "WAV_FILE", "far\\too\\long.wav"), IoError);  // 17 > 12
    EXPECT_THROW(SetInteger(table, "CAS", 123456), IoError);                    // 6 > 5
    EXPECT_THROW(SetInteger(table, "RATE", -10000), IoError);  // "-10000.00" is 9 > 7
    EXPECT_THROW(SetString(table, "NOTE", "x"), IoError);      // memo fields stay as they are
    EXPECT_THROW(SetBool(table, "MISSING", true), IoError);
    try {
        SetString(table, "wav", "x");
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "\"SetString\" Field \"WAV       \" v tabulce \"DATA\\efects.dbf\" neexistuje.");
    }
    // A value exactly as long as the field fits.
    EXPECT_NO_THROW(SetString(table, "WAV_FILE", "123456789012"));
    EXPECT_EQ(GetString(table, "WAV_FILE"), "123456789012");
    // Past the end of the table there is no record to write.
    EXPECT_FALSE(Locate(table, "ID", 7));
    EXPECT_THROW(SetString(table, "WAV_FILE", "x"), IoError);
    CloseDBF(table);  // closing without SaveDBF drops the change
    EXPECT_EQ(test::ReadFileBytes(path), before);
    // The write operations report through their exception, never an error box.
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DbfWriteTest, UnchangedTableSavesNothingAndMissingTableCannotBeSaved) {
    const std::string path = WriteDisk();
    const auto stamp = std::filesystem::last_write_time(path);
    tTable table;
    OpenDBF(table, "DATA\\efects.dbf");
    SaveDBF(table);
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
    ASSERT_TRUE(Locate(table, "ID", 1));
    SetInteger(table, "CAS", 1);
    std::filesystem::remove(path);
    EXPECT_THROW(SaveDBF(table), IoError);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(table.Modified());  // kept, so a later save can try again
}

TEST_F(DbfWriteTest, ReadOnlyTableIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    const std::string path = WriteDisk();
    const std::vector<uint8_t> before = test::ReadFileBytes(path);
    ::chmod(path.c_str(), 0444);
    tTable table;
    OpenDBF(table, "DATA\\efects.dbf");
    ASSERT_TRUE(Locate(table, "ID", 1));
    SetInteger(table, "CAS", 1);
    EXPECT_THROW(SaveDBF(table), IoError);
    EXPECT_EQ(test::ReadFileBytes(path), before);
}

// --- tables inside the archive ----------------------------------------------------------------

class ArchiveTableTest : public DbfWriteTest {
  protected:
    ArchiveTableTest() {
        members = {{"DATA/Efects.DBF", writers::BuildDbf(Effects()).Table},
                   {"DATA/other.dbf", Bytes("other member bytes")},
                   {"PICTURES/a.dds", Bytes("picture")},
                   {"z.txt", Bytes("")}};
        archivePath = dir.Write("zor.dat", writers::BuildArchive(members));
        BigFile().Open("zor.dat");
    }

    // Every member but the table reads back as it was written.
    void ExpectOtherMembersUnchanged() {
        for (size_t i = 1; i < members.size(); ++i)
            EXPECT_EQ(BigFile().ReadWholeFile(members[i].name), members[i].data) << members[i].name;
    }

    std::vector<ArchiveMember> members;
    std::string archivePath;
};

TEST_F(ArchiveTableTest, SaveReplacesTheMemberInPlaceAndNothingElse) {
    const std::vector<uint8_t> before = test::ReadFileBytes(archivePath);
    tTable table;
    OpenDBF(table, "data\\efects.dbf");
    EXPECT_TRUE(table.FromArchive());
    ASSERT_TRUE(Locate(table, "ID", 1));
    SetString(table, "WAV_FILE", "FX\\BOOM.WAV");
    SaveDBF(table);

    EXPECT_FALSE(std::filesystem::exists(dir.File("DATA")));  // no disk copy appeared
    // Only the field's bytes inside the member changed.
    const TBigFileFileEntry* entry = BigFile().FindEntry("DATA/Efects.DBF");
    ASSERT_NE(entry, nullptr);
    ExpectSameOutside(before, test::ReadFileBytes(archivePath),
                      entry->Offset + table.HeaderSize + table.FindField("WAV_FILE")->Offset, 12);
    ExpectOtherMembersUnchanged();
    CloseDBF(table);

    tTable again;
    OpenDBF(again, "DATA/EFECTS.DBF");
    ASSERT_TRUE(Locate(again, "ID", 1));
    EXPECT_EQ(GetString(again, "WAV_FILE"), "FX\\BOOM.WAV");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(ArchiveTableTest, LargerMemberMovesToTheEndWithOnlyItsEntryChanged) {
    const std::vector<uint8_t> before = test::ReadFileBytes(archivePath);
    const TBigFileFileEntry old = *BigFile().FindEntry("DATA/other.dbf");
    const std::vector<uint8_t> longer = Bytes("a member that no longer fits where it was");
    ReplaceArchiveMember(BigFile(), "data\\other.dbf", longer);

    std::vector<uint8_t> after = test::ReadFileBytes(archivePath);
    ASSERT_EQ(after.size(), before.size() + longer.size());
    EXPECT_TRUE(std::equal(longer.begin(), longer.end(), after.end() - long(longer.size())));
    const TBigFileFileEntry* moved = BigFile().FindEntry("DATA/other.dbf");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->Offset, before.size());
    EXPECT_EQ(moved->Size, longer.size());
    // Outside the entry's offset and size fields the old bytes are all there.
    after.resize(before.size());
    ExpectSameOutside(before, after, old.EntryPos + old.Name.size() + 1, 8);
    EXPECT_EQ(BigFile().ReadWholeFile("DATA/other.dbf"), longer);
    EXPECT_EQ(BigFile().ReadWholeFile("DATA/Efects.DBF"), members[0].data);
    for (size_t i = 2; i < members.size(); ++i)
        EXPECT_EQ(BigFile().ReadWholeFile(members[i].name), members[i].data);
}

TEST_F(ArchiveTableTest, SharedBytesAreNeverOverwritten) {
    // Two entries over the same data: replacing one must leave the other's bytes alone.
    std::vector<uint8_t> archive(8);
    const std::string data = "shared!";
    archive.insert(archive.end(), data.begin(), data.end());
    const uint32_t directory = static_cast<uint32_t>(archive.size());
    for (const char* name : {"A.BIN", "B.BIN"}) {
        archive.insert(archive.end(), name, name + 6);  // with its zero byte
        for (uint32_t v : {8u, uint32_t(data.size())})
            for (int k = 0; k < 4; ++k)
                archive.push_back(static_cast<uint8_t>(v >> (8 * k)));
    }
    archive[0] = 2;
    archive[4] = static_cast<uint8_t>(directory);
    dir.Write("zor.dat", archive);
    BigFile().Open("zor.dat");
    ReplaceArchiveMember(BigFile(), "a.bin", Bytes("own"));
    EXPECT_EQ(BigFile().ReadWholeFile("A.BIN"), Bytes("own"));
    EXPECT_EQ(BigFile().ReadWholeFile("B.BIN"), Bytes(data));
}

// A member set aside as damaged (its data runs past the end of the file) still owns what the
// file holds of it: a replacement written in place must not go over those bytes.
TEST_F(ArchiveTableTest, BytesOfADamagedMemberAreNeverOverwritten) {
    std::vector<uint8_t> archive(8);
    const std::string data = "shared!";
    archive.insert(archive.end(), data.begin(), data.end());
    const uint32_t directory = static_cast<uint32_t>(archive.size());
    for (const auto& [name, size] :
         {std::pair{"A.BIN", uint32_t(data.size())}, std::pair{"C.BIN", uint32_t(1) << 30}}) {
        archive.insert(archive.end(), name, name + 6);  // with its zero byte
        for (uint32_t v : {8u, size})
            for (int k = 0; k < 4; ++k)
                archive.push_back(static_cast<uint8_t>(v >> (8 * k)));
    }
    archive[0] = 2;
    archive[4] = static_cast<uint8_t>(directory);
    dir.Write("zor.dat", archive);
    BigFile().Open("zor.dat");
    ASSERT_EQ(BigFile().DamagedEntries().size(), 1u);
    ReplaceArchiveMember(BigFile(), "a.bin", Bytes("own"));
    EXPECT_EQ(BigFile().ReadWholeFile("A.BIN"), Bytes("own"));
    const std::vector<uint8_t> after = test::ReadFileBytes(archivePath);
    EXPECT_EQ(std::string(after.begin() + 8, after.begin() + 8 + long(data.size())), data);
}

TEST_F(ArchiveTableTest, ArchiveChangedOnDiskIsLeftAlone) {
    tTable table;
    OpenDBF(table, "DATA\\efects.dbf");
    ASSERT_TRUE(Locate(table, "ID", 2));
    SetBool(table, "EACH_ANIM", true);
    // Another program rewrote the archive meanwhile, with the table somewhere else.
    std::vector<ArchiveMember> reordered = {members[1], members[0], members[2]};
    const std::vector<uint8_t> theirs = writers::BuildArchive(reordered);
    dir.Write("zor.dat", theirs);
    EXPECT_THROW(SaveDBF(table), IoError);
    EXPECT_EQ(test::ReadFileBytes(archivePath), theirs);
    // No temporary file is left beside it.
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST_F(ArchiveTableTest, NameOutsideTheArchiveIsRefused) {
    EXPECT_THROW(ReplaceArchiveMember(BigFile(), "DATA/none.dbf", Bytes("x")), IoError);
}

}  // namespace
}  // namespace tess
