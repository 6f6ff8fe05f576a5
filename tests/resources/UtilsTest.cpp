// String, path, number and line-stepping routines.
#include "resources/Utils.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/TempDir.h"

namespace tess {
namespace {

TEST(Cp1250, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
    EXPECT_EQ(Cp1250ToUtf8("\x8A\xED\xF8"), "Šíř");
    EXPECT_EQ(Utf8ToCp1250("Nový hráč"), "Nov\xFD hr\xE1\xE8");
    // Bytes that are not UTF-8 are already CP1250 and pass through.
    EXPECT_EQ(Utf8ToCp1250("\xE1\x20"), "\xE1\x20");
    EXPECT_EQ(Utf8ToCp1250("日"), "?");
}

TEST(CaseTables, CzechTableLeavesOtherAccentedLettersAlone) {
    EXPECT_EQ(UpperCaseCz("abc\xE1\xE8\xEF\xF9\x9E"), "ABC\xC1\xC8\xCF\xD9\x8E");
    // a-umlaut and o-umlaut are not in the Czech table
    EXPECT_EQ(UpperCaseCz("\xE4\xF6"), "\xE4\xF6");
    EXPECT_EQ(AnsiUpperCase("\xE4\xF6\xB3\xFF"), "\xC4\xD6\xA3\xFF");
    EXPECT_EQ(AnsiUpperCase("data/objects.dbf"), "DATA/OBJECTS.DBF");
}

TEST(CaseTables, TheWholeCzechTableMapsLetterByLetter) {
    const std::string lower = Utf8ToCp1250("abcdefghijklmnopqrstuvwxyzáčďéěíňřšťúůýž");
    const std::string upper = Utf8ToCp1250("ABCDEFGHIJKLMNOPQRSTUVWXYZÁČĎÉĚÍŇŘŠŤÚŮÝŽ");
    ASSERT_EQ(lower.size(), 40u);
    EXPECT_EQ(UpperCaseCz(lower), upper);
    EXPECT_EQ(UpperCaseCz(upper), upper);
    EXPECT_EQ(AnsiUpperCase(lower), upper);
    // Every other byte stays as it is under the Czech table.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (lower.find(c) == std::string::npos) {
            EXPECT_EQ(UpperCaseCz(std::string(1, c))[0], c) << b;
        }
    }
}

TEST(Trimming, OnlySpacesAreTrimmed) {
    EXPECT_EQ(AllTrim("  a b  "), "a b");
    EXPECT_EQ(AllTrim("    "), "");
    EXPECT_EQ(AllTrim("\ta\t"), "\ta\t");
    EXPECT_EQ(RightTrim("  12  "), "  12");
    EXPECT_EQ(PadRight("12", 4, " "), "12  ");
    EXPECT_EQ(PadLeft("7", 3, "0"), "007");
    EXPECT_EQ(PadRight("toolong", 3, " "), "toolong");
    EXPECT_EQ(ReplaceChar("a/b/c", '/', '\\'), "a\\b\\c");
}

TEST(ReplaceText, DoesNotRetryTheBreakingCharacter) {
    EXPECT_EQ(ReplaceText("xab", "abc", ""), "xab");
    EXPECT_EQ(ReplaceText("a*b*", "*", ""), "ab");
    EXPECT_EQ(ReplaceText("walk.tga", "tga", "dds"), "walk.dds");
    // "aab" with find "ab": the second a breaks the match and is not tried again as a start.
    EXPECT_EQ(ReplaceText("aab", "ab", "X"), "aab");
    EXPECT_EQ(ReplaceText("abab", "ab", "X"), "XX");
}

TEST(Paths, SplitOnEitherSeparator) {
    EXPECT_EQ(StripExt("objects"), "");
    EXPECT_EQ(StripExt("a.b.dbf"), "a.b");
    EXPECT_EQ(ExtractBaseName("x\\a.b.dbf"), "a");
    EXPECT_EQ(ExtractName("MAPS/sub\\m.map"), "m.map");
    EXPECT_EQ(ExtractDir("MAPS/sub\\m.map"), "MAPS/sub\\");
    EXPECT_EQ(ExtractDir("m.map"), "");
    EXPECT_EQ(AddSlash("dir"), "dir\\");
    EXPECT_EQ(AddSlash("dir/"), "dir/");
}

TEST(GetNumber, TakesTheNthDigitRun) {
    EXPECT_EQ(GetNumber("12 ab 345", 2), 345);
    EXPECT_EQ(GetNumber("-7", 1), 7);
    EXPECT_EQ(GetNumber("abc", 1), 0);
    EXPECT_EQ(GetNumber("1.5", 2), 5);
    EXPECT_EQ(GetNumber("2147483647", 1), 2147483647);
    EXPECT_THROW(GetNumber("x 2147483648", 1), ConvertError);
    // A too-large run that is not the one asked for is not converted.
    EXPECT_EQ(GetNumber("99999999999 3", 2), 3);
}

TEST(FormatFixed2, UsesTheUserFormat) {
    NumberFormat saved = UserNumberFormat();
    EXPECT_EQ(FormatFixed2(1.02), "1.02");
    EXPECT_EQ(FormatFixed2(1234567.5), "1,234,567.50");
    UserNumberFormat() = NumberFormat{",", "\xC2\xA0"};
    EXPECT_EQ(FormatFixed2(1.0), "1,00");
    EXPECT_EQ(FormatFixed2(-1234.5),
              "-1\xC2\xA0"
              "234,50");
    UserNumberFormat() = saved;
    EXPECT_EQ(FormatFixed2(0.005), "0.01");
    EXPECT_EQ(FormatFixed2(std::nan("")), "NAN");
    EXPECT_EQ(FormatFixed2(-HUGE_VAL), "-INF");
    // Wider than any fixed buffer: all 309 digits, grouped.
    const std::string huge = FormatFixed2(1e308);
    EXPECT_EQ(huge.size(), 309u + 102u + 3u);
    EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
}

TEST(LineStepper, VisitsEveryCellAndRepeatsTheTarget) {
    TLineStepper s;
    s.Init({0, 0}, {3, 1});
    std::vector<TPoint> seen;
    std::vector<bool> running;
    while (s.Running) {
        s.Step();
        seen.push_back(s.Current);
        running.push_back(s.Running);
    }
    const std::vector<TPoint> expected = {{1, 0}, {2, 1}, {3, 1}, {3, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(running, (std::vector<bool>{true, true, true, false}));
}

TEST(LineStepper, WalksBackwardsAlongTheMajorAxis) {
    TLineStepper s;
    s.Init({5, 5}, {4, 1});
    std::vector<TPoint> seen;
    while (s.Running) {
        s.Step();
        seen.push_back(s.Current);
    }
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.back(), (TPoint{4, 1}));
    EXPECT_EQ(seen.size(), 5u);  // four steps along y, then the repeated target
    for (size_t i = 1; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i].Y, seen[i - 1].Y - 1);
}

TEST(DiskLookup, ResolvesSeparatorsAndCaseSegmentBySegment) {
    test::TempDir dir;
    dir.Write("Pictures/32x16/Tereny-/Trava.bmp", "x");
    test::ScopedCurrentDir cd(dir.Path());
    EXPECT_TRUE(FileExistsOnDisk("PICTURES\\32X16\\TERENY-\\trava.BMP"));
    EXPECT_TRUE(FileExistsOnDisk("pictures/32x16/tereny-/Trava.bmp"));
    EXPECT_EQ(ResolveDiskPath("PICTURES\\32x16\\TERENY-\\TRAVA.bmp"),
              "Pictures/32x16/Tereny-/Trava.bmp");
    EXPECT_FALSE(FileExistsOnDisk("PICTURES\\32X16\\TERENY-\\none.bmp"));
    EXPECT_FALSE(FileExistsOnDisk("PICTURES"));  // a directory is not a file
    EXPECT_FALSE(FileExistsOnDisk(""));
}

}  // namespace
}  // namespace tess
