// The table reader: walking, field lookup, value rules, search, memo fields, damaged tables.
#include "resources/Dbf.h"

#include <gtest/gtest.h>

#include <climits>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/DbfWriter.h"

namespace tess {
namespace {

using writers::DbfField;
using writers::DbfRecord;
using writers::DbfTable;

class DbfTest : public ::testing::Test {
  protected:
    DbfTest() : cwd(dir.Path()) { BigFile().Close(); }
    ~DbfTest() override { BigFile().Close(); }

    // Writes DATA/<name> (and its memo) and returns the name the game would use.
    std::string Write(const std::string& name, const DbfTable& table,
                      const writers::DbfOptions& options = {}) {
        const writers::DbfFiles files = writers::BuildDbf(table, options);
        dir.Write("DATA/" + name, files.Table);
        if (!files.Memo.empty()) dir.Write("DATA/" + StemOf(name) + ".fpt", files.Memo);
        return "DATA\\" + name;
    }
    static std::string StemOf(const std::string& name) { return name.substr(0, name.rfind('.')); }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
};

DbfTable ThreeRecords() {
    DbfTable t;
    t.Fields = {{"ID", 'N', 6, 0}, {"NAME", 'C', 10, 0}};
    t.Records = {{false, {"1", "first"}}, {false, {"2", "second"}}, {false, {"3", "third"}}};
    return t;
}

TEST_F(DbfTest, EmptyTableIsAtItsEndAtOnce) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 6, 0}};
    tTable table;
    OpenDBF(table, Write("empty.dbf", t));
    EXPECT_EQ(table.RecordCount, 0);
    EXPECT_EQ(table.FieldCount, 1);
    EXPECT_TRUE(Eof(table));
    First(table);
    EXPECT_TRUE(Eof(table));
    EXPECT_FALSE(Locate(table, "ID", 0));
    // Reading at the position past the end: only GetInteger swallows the error.
    EXPECT_EQ(GetInteger(table, "ID"), 0);
    EXPECT_THROW(GetString(table, "ID"), IoError);
    EXPECT_THROW(GetBool(table, "ID"), IoError);
    EXPECT_TRUE(ui.errors.empty());
    CloseDBF(table);
    EXPECT_TRUE(table.FileName.empty());
}

TEST_F(DbfTest, WalksRecordsAndKeepsGoRecordInBounds) {
    tTable table;
    OpenDBF(table, Write("three.dbf", ThreeRecords()));
    std::vector<std::string> names;
    for (First(table); !Eof(table); Next(table))
        names.push_back(GetString(table, "name"));
    EXPECT_EQ(names, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(table.Current, 4);
    Next(table);  // past the end is as far as it goes
    EXPECT_EQ(table.Current, 4);

    GoRecord(table, 2);
    EXPECT_EQ(GetInteger(table, "id"), 2);
    GoRecord(table, 0);
    EXPECT_EQ(table.Current, 2);
    GoRecord(table, 5);  // RecordCount + 2
    EXPECT_EQ(table.Current, 2);
    GoRecord(table, -1);
    EXPECT_EQ(table.Current, 2);
    GoRecord(table, 4);  // RecordCount + 1: accepted
    EXPECT_TRUE(Eof(table));
    EXPECT_THROW(
        {
            try {
                GetString(table, "NAME");
            } catch (const IoError& e) {
                EXPECT_STREQ(e.what(), "End of file");
                throw;
            }
        },
        IoError);
}

TEST_F(DbfTest, FieldNamesMatchAnyArgumentCaseButOnlyUpperCaseStoredNames) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 4, 0}, {"name", 'C', 8, 0}, {"ID_OBJECT1", 'N', 4, 0}};
    t.Records = {{false, {"7", "lower", "12"}}};
    tTable table;
    OpenDBF(table, Write("case.dbf", t));
    EXPECT_EQ(GetInteger(table, "id"), 7);
    EXPECT_EQ(GetInteger(table, "Id"), 7);
    EXPECT_EQ(GetInteger(table, "ID"), 7);
    EXPECT_EQ(GetInteger(table, "Id_object1"), 12);
    EXPECT_TRUE(ui.errors.empty());

    EXPECT_EQ(GetString(table, "name"), "");
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0],
              "\"GetFieldname\" Field \"NAME      \" v tabulce \"DATA\\case.dbf\" neexistuje.");
    // Longer than the 10 name bytes: never found, reported unpadded.
    EXPECT_EQ(GetInteger(table, "ID_OBJECT12"), 0);
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_NE(ui.errors[1].find("\"ID_OBJECT12\""), std::string::npos);
    EXPECT_FALSE(GetBool(table, "missing"));
    EXPECT_EQ(ui.errors.size(), 3u);

    // The out record keeps what it held when the lookup fails.
    tField field;
    field.Value = "kept";
    GetFieldname(table, "nothing", field);
    EXPECT_EQ(field.Value, "kept");
    GetFieldname(table, "id", field);
    EXPECT_EQ(field.Name, "ID        ");
    EXPECT_EQ(field.Value, "   7");
    EXPECT_EQ(field.FieldType, 'N');
    EXPECT_EQ(field.Length, 4);
}

TEST_F(DbfTest, IntegerAndTextRulesTrimDifferently) {
    DbfTable t;
    t.Fields = {{"V", 'C', 12, 0}};
    for (const char* v : {"  12  ", "-7", "12a", "99999999999", "", "  ", "+5", "-", "1 2"})
        t.Records.push_back({false, {v}});
    tTable table;
    OpenDBF(table, Write("values.dbf", t));
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {12, "  12"}, {-7, "-7"}, {0, "12a"}, {0, "99999999999"}, {0, ""},
        {0, ""},      {0, "+5"},  {0, "-"},   {0, "1 2"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        GoRecord(table, static_cast<int32_t>(i + 1));
        EXPECT_EQ(GetInteger(table, "V"), expected[i].first) << "record " << i + 1;
        EXPECT_EQ(GetString(table, "V"), expected[i].second) << "record " << i + 1;
    }
}

TEST_F(DbfTest, IntegerOutOfRangeGivesZero) {
    DbfTable t;
    t.Fields = {{"V", 'N', 11, 0}};
    t.Records = {{false, {"2147483647"}},
                 {false, {"2147483648"}},
                 {false, {"-2147483648"}},
                 {false, {"-2147483649"}}};
    tTable table;
    OpenDBF(table, Write("range.dbf", t));
    const int32_t expected[] = {2147483647, 0, INT32_MIN, 0};
    for (int32_t r = 1; r <= 4; ++r) {
        GoRecord(table, r);
        EXPECT_EQ(GetInteger(table, "V"), expected[r - 1]) << r;
    }
}

TEST_F(DbfTest, BoolIsTrueForAnyT) {
    DbfTable t;
    t.Fields = {{"F", 'C', 3, 0}};
    for (const char* v : {"T", "t", "xtx", "Y", "F", " ", "", "ť"})
        t.Records.push_back({false, {v}});
    tTable table;
    OpenDBF(table, Write("flags.dbf", t));
    std::vector<bool> got;
    for (First(table); !Eof(table); Next(table))
        got.push_back(GetBool(table, "f"));
    // The Czech upper case of "ť" is "Ť", not "T".
    EXPECT_EQ(got, (std::vector<bool>{true, true, true, false, false, false, false, false}));
}

TEST_F(DbfTest, DeletedRecordsReadAndMatchLikeOthers) {
    DbfTable t = ThreeRecords();
    t.Records[1].Deleted = true;
    tTable table;
    OpenDBF(table, Write("deleted.dbf", t));
    EXPECT_EQ(table.RecordCount, 3);
    ASSERT_TRUE(Locate(table, "ID", 2));
    EXPECT_EQ(table.Current, 2);
    EXPECT_EQ(GetString(table, "NAME"), "second");
}

TEST_F(DbfTest, LocateComparesByFieldType) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 5, 0}, {"CODE", 'C', 10, 0}, {"OK", 'L', 1, 0}, {"RATE", 'N', 8, 2}};
    t.Records = {{false, {"-5", "ABC", "F", "1.25"}},
                 {false, {"12", "ABC       ", "T", "  3.50"}},
                 {false, {"x7y", "abc", "t", "-2.00"}}};
    tTable table;
    OpenDBF(table, Write("locate.dbf", t));

    // The first run of digits: a stored -5 is found as 5 and never as -5.
    EXPECT_TRUE(Locate(table, "id", 5));
    EXPECT_EQ(table.Current, 1);
    EXPECT_FALSE(Locate(table, "id", -5));
    EXPECT_TRUE(Eof(table));
    EXPECT_TRUE(Locate(table, "ID", 7));
    EXPECT_EQ(table.Current, 3);

    // Stored filling spaces take part in the comparison.
    EXPECT_FALSE(Locate(table, "CODE", "ABC"));
    EXPECT_TRUE(Locate(table, "CODE", "ABC       "));
    EXPECT_EQ(table.Current, 1);  // the writer padded the first record's "ABC"
    EXPECT_TRUE(Locate(table, "CODE", std::string("abc       ")));
    EXPECT_EQ(table.Current, 3);

    EXPECT_TRUE(Locate(table, "OK", true));
    EXPECT_EQ(table.Current, 2);
    EXPECT_TRUE(Locate(table, "OK", false));
    EXPECT_EQ(table.Current, 1);

    EXPECT_TRUE(Locate(table, "RATE", 3.5));
    EXPECT_EQ(table.Current, 2);
    EXPECT_TRUE(Locate(table, "RATE", -2.0));
    EXPECT_EQ(table.Current, 3);

    // A value of the wrong kind for the field never matches.
    EXPECT_FALSE(Locate(table, "CODE", 12));
    EXPECT_FALSE(Locate(table, "RATE", 1));
    EXPECT_FALSE(Locate(table, "ID", "12"));
    EXPECT_TRUE(ui.errors.empty());

    // A missing field is reported once for the search and leaves the table past the end.
    GoRecord(table, 2);
    EXPECT_FALSE(Locate(table, "NOPE", 1));
    EXPECT_TRUE(Eof(table));
    EXPECT_EQ(ui.errors.size(), 1u);
}

// Values that give no number (text and decimal fields, a digit run too long for 32 bits) must
// not be found by a search for any integer: not for -1, nor for the int32 extremes. (An empty
// numeric value has no digit run and counts as 0, as the search rule says.)
TEST_F(DbfTest, IntegerSearchNeverMatchesAValueWithoutANumber) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 12, 0}, {"CODE", 'C', 4, 0}, {"RATE", 'N', 8, 2}};
    t.Records = {{false, {"99999999999", "-1", "-1.00"}}, {false, {"x", "", ""}}};
    tTable table;
    OpenDBF(table, Write("nokey.dbf", t));
    for (const int32_t value : {-1, INT32_MIN, INT32_MAX}) {
        for (const char* field : {"ID", "CODE", "RATE"}) {
            EXPECT_FALSE(Locate(table, field, value)) << field << " " << value;
            EXPECT_TRUE(Eof(table));
        }
    }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DbfTest, MemoFieldsReadTheirTextOrNothing) {
    DbfTable t;
    t.Fields = {{"ID", 'N', 4, 0}, {"NOTE", 'M', 10, 0}, {"BIN", 'M', 4, 0}};
    const std::string longText(300, 'x');
    t.Records = {{false, {"1", "first memo  ", "binary"}},
                 {false, {"2", "", ""}},
                 {false, {"3", longText, "second"}}};
    tTable table;
    const std::string name = Write("memo.dbf", t, {.MemoBlockSize = 32});
    OpenDBF(table, name);
    First(table);
    EXPECT_EQ(GetString(table, "NOTE"), "first memo  ");  // not trimmed
    EXPECT_EQ(GetString(table, "bin"), "binary");
    Next(table);
    EXPECT_EQ(GetString(table, "NOTE"), "");  // an all-space block number
    Next(table);
    EXPECT_EQ(GetString(table, "NOTE"), longText);
    EXPECT_EQ(GetString(table, "BIN"), "second");
    CloseDBF(table);

    // A memo file that lost its tail: the text past the end is "", the rest still reads.
    const std::vector<uint8_t> memo = test::ReadFileBytes(dir.File("DATA/memo.fpt"));
    // 512 header bytes, then one 32-byte block for each of the first record's memos.
    dir.Write("DATA/memo.fpt", std::vector<uint8_t>(memo.begin(), memo.begin() + 512 + 64));
    OpenDBF(table, name);
    First(table);
    EXPECT_EQ(GetString(table, "NOTE"), "first memo  ");
    GoRecord(table, 3);
    EXPECT_EQ(GetString(table, "NOTE"), "");
    CloseDBF(table);

    // No memo file at all.
    std::filesystem::remove(dir.File("DATA/memo.fpt"));
    OpenDBF(table, name);
    EXPECT_EQ(GetString(table, "NOTE"), "");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DbfTest, MemoPointersThatCannotBeFollowedGiveEmptyText) {
    DbfTable t;
    t.Fields = {{"NOTE", 'M', 10, 0}};
    t.Records = {{false, {"text"}}};
    const std::string name = Write("ptr.dbf", t);
    std::vector<uint8_t> bytes = test::ReadFileBytes(dir.File("DATA/ptr.dbf"));
    const size_t value = bytes.size() - 1 - 10;  // the one record's field, before the end mark
    for (const char* pointer :
         {"    999999", "2147483647", "        -1", "8         ", " 12x      "}) {
        std::copy_n(pointer, 10, bytes.begin() + static_cast<long>(value));
        dir.Write("DATA/ptr.dbf", bytes);
        tTable table;
        OpenDBF(table, name);
        EXPECT_EQ(GetString(table, "NOTE"), "") << pointer;
    }
    // A block size of zero points every block at the header.
    std::vector<uint8_t> memo = test::ReadFileBytes(dir.File("DATA/ptr.fpt"));
    std::fill_n(memo.begin() + 4, 4, 0);
    dir.Write("DATA/ptr.fpt", memo);
    std::copy_n("         8", 10, bytes.begin() + static_cast<long>(value));
    dir.Write("DATA/ptr.dbf", bytes);
    tTable table;
    OpenDBF(table, name);
    EXPECT_EQ(GetString(table, "NOTE"), "");
}

TEST_F(DbfTest, MissingTableShowsTheErrorBoxAndReadsEmpty) {
    tTable table;
    OpenDBF(table, "DATA\\none.dbf");
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "\"OpenDBF\" soubor \"DATA\\none.dbf\" neexistuje.");
    EXPECT_EQ(table.FileName, "DATA\\none.dbf");
    EXPECT_EQ(table.FieldCount, 0);
    EXPECT_TRUE(Eof(table));
    EXPECT_FALSE(Locate(table, "ID", 1));

    ui.errorAnswers.push_back(ErrorChoice::Abort);
    EXPECT_THROW(OpenDBF(table, "DATA\\none.dbf"), test::AbortRequested);
}

TEST_F(DbfTest, ArchiveMemberComesBeforeTheDiskFile) {
    Write("both.dbf", ThreeRecords());
    DbfTable inArchive = ThreeRecords();
    inArchive.Records.resize(1);
    inArchive.Records[0].Values[1] = "archived";
    BigFile().Open(dir.Write(
        "zor.dat", writers::BuildArchive({{"DATA/BOTH.DBF", writers::BuildDbf(inArchive).Table}})));
    tTable table;
    OpenDBF(table, "data/Both.dbf");
    EXPECT_EQ(table.RecordCount, 1);
    EXPECT_EQ(GetString(table, "NAME"), "archived");
}

// Rewrites header words of a written table.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes.at(at + static_cast<size_t>(i)) = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
}

TEST_F(DbfTest, DamagedTablesReadAsFarAsTheyAreWhole) {
    const std::vector<uint8_t> good = writers::BuildDbf(ThreeRecords()).Table;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int32_t records;
        int32_t fields;
    };
    const Case cases[] = {
        {"shorter than the header", std::vector<uint8_t>(good.begin(), good.begin() + 10), 0, 0},
        {"header length below 33", Patched(good, 8, 32, 2), 0, 0},
        {"header past the file", Patched(good, 8, 60000, 2), 0, 0},
        {"negative record count", Patched(good, 4, 0xFFFFFFFFu, 4), 0, 2},
        {"record size 0", Patched(good, 10, 0, 2), 0, 2},
        {"record size past the file", Patched(good, 10, 5000, 2), 0, 2},
        {"count beyond the file", Patched(good, 4, 1000000, 4), 3, 2},
        {"last record cut off", std::vector<uint8_t>(good.begin(), good.end() - 5), 2, 2},
    };
    for (const Case& c : cases) {
        ui.Reset();
        dir.Write("DATA/bad.dbf", c.bytes);
        tTable table;
        OpenDBF(table, "DATA\\bad.dbf");
        EXPECT_EQ(table.RecordCount, c.records) << c.what;
        EXPECT_EQ(table.FieldCount, c.fields) << c.what;
        ASSERT_EQ(ui.errors.size(), 1u) << c.what;
        EXPECT_NE(ui.errors[0].find("poškozený"), std::string::npos) << c.what;
        // Every record the table admits to can be read.
        int32_t walked = 0;
        for (First(table); !Eof(table); Next(table), ++walked) {
            GetString(table, "NAME");
            GetInteger(table, "ID");
        }
        EXPECT_EQ(walked, c.records) << c.what;
    }
}

TEST_F(DbfTest, FieldsLongerThanTheRecordSizeStillStayInTheFile) {
    // Fields that add up to more than the stored record size reach into the next record; the
    // last record is dropped when its fields would run past the end of the file.
    std::vector<uint8_t> bytes = writers::BuildDbf(ThreeRecords(), {.EndMarker = false}).Table;
    bytes = Patched(bytes, 10, 12, 2);  // the fields need 17 bytes
    bytes.resize(bytes.size() - 17 * 3 + 12 * 3);
    dir.Write("DATA/spill.dbf", bytes);
    tTable table;
    OpenDBF(table, "DATA\\spill.dbf");
    EXPECT_EQ(table.RecordCount, 2);
    EXPECT_EQ(ui.errors.size(), 1u);
    for (First(table); !Eof(table); Next(table))
        GetString(table, "NAME");
}

TEST_F(DbfTest, WritesReachTheFileOnlyThroughASave) {
    const std::string name = Write("ro.dbf", ThreeRecords());
    const std::vector<uint8_t> before = test::ReadFileBytes(dir.File("DATA/ro.dbf"));
    tTable table;
    OpenDBF(table, name);
    SetString(table, "NAME", "changed");
    SetInteger(table, "ID", 99);
    SetBool(table, "ID", true);
    EXPECT_EQ(GetString(table, "NAME"), "changed");
    CloseDBF(table);
    EXPECT_EQ(test::ReadFileBytes(dir.File("DATA/ro.dbf")), before);
}

}  // namespace
}  // namespace tess
