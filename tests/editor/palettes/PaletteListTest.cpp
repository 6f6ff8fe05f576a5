// The object palette's list: the sort key and order, the bar and the entry limit.
#include "editor/palettes/PaletteList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Utils.h"

namespace tess {
namespace {

tAddPack Named(const char* utf8, int32_t id = 0) {
    tAddPack entry;
    entry.Name = Utf8ToCp1250(utf8);
    entry.Id = id;
    return entry;
}

std::vector<int32_t> Ids(const PaletteList& list) {
    std::vector<int32_t> ids;
    for (const tAddPack& entry : list.Entries())
        ids.push_back(entry.Id);
    return ids;
}

TEST(PaletteListTest, TheKeyIsTheFirstFourUpperCasedBytesWithMissingOnesAtZero) {
    EXPECT_EQ(PaletteSortKey("abcdef"), 0x41424344u);
    EXPECT_EQ(PaletteSortKey("ab"), 0x41420000u);
    EXPECT_EQ(PaletteSortKey(""), 0u);
    // Czech letters are upper-cased by the Czech table: "č" (0xE8) becomes "Č" (0xC8).
    EXPECT_EQ(PaletteSortKey(Utf8ToCp1250("čá")), 0xC8C10000u);
}

TEST(PaletteListTest, EqualKeysKeepTableOrderAndAccentedCapitalsFollowZ) {
    PaletteList list;
    list.ResetEntries();
    for (const tAddPack& entry :
         {Named("Štola", 1), Named("Zed", 2), Named("DOMEK", 3), Named("dome", 4),
          Named("Domeček", 5), Named("Ab", 6), Named("", 7), Named("Čtvrť", 8)})
        list.AddEntry(entry);
    list.SortEntries();
    // "DOMEK", "dome" and "Domeček" share the key "DOME" and keep the order they came in; the
    // accented capitals sort after every name from A to Z, by their code ("Š" 0x8A, "Č" 0xC8).
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{7, 6, 3, 4, 5, 2, 1, 8}));
}

TEST(PaletteListTest, TheBarGrowsWithEachEntryAndEndsShowingTheLastThree) {
    PaletteList list;
    list.ResetEntries();
    EXPECT_FALSE(list.BarEnabled());
    list.AddEntry(Named("a"));
    EXPECT_TRUE(list.BarEnabled());
    EXPECT_EQ(list.BarMax(), 0);
    for (int i = 0; i < 9; ++i)
        list.AddEntry(Named("b"));
    EXPECT_EQ(list.BarMax(), 9);
    list.FinishFill();
    EXPECT_EQ(list.BarMax(), 7);  // entries 7, 8 and 9 at the bar's end
    list.SetBarPosition(50);
    EXPECT_EQ(list.BarPosition(), 7);
    ASSERT_NE(list.Shown(2), nullptr);
    EXPECT_EQ(list.Shown(2), &list.Entry(9));
    EXPECT_EQ(list.Shown(3), nullptr);

    // Two entries: the bar stays at 0 and the third preview is blank.
    list.ResetEntries();
    EXPECT_EQ(list.BarPosition(), 0);
    list.AddEntry(Named("a"));
    list.AddEntry(Named("b"));
    list.FinishFill();
    EXPECT_EQ(list.BarMax(), 0);
    EXPECT_NE(list.Shown(1), nullptr);
    EXPECT_EQ(list.Shown(2), nullptr);
}

TEST(PaletteListTest, AddingStopsAtTheLimit) {
    PaletteList list;
    list.ResetEntries();
    for (int32_t i = 0; i < kMaxPaletteEntries; ++i)
        ASSERT_TRUE(list.AddEntry(Named("x", i)));
    EXPECT_FALSE(list.AddEntry(Named("y", -1)));
    EXPECT_EQ(list.Count(), kMaxPaletteEntries);
    EXPECT_EQ(list.Entry(kMaxPaletteEntries - 1).Id, kMaxPaletteEntries - 1);
    EXPECT_EQ(list.BarMax(), kMaxPaletteEntries - 1);
}

}  // namespace
}  // namespace tess
