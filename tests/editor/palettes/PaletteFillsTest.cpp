// What each tab lists, from the tables and the catalogue, with its filters and entry values.
#include "editor/palettes/PaletteFills.h"

#include <gtest/gtest.h>

#include "PaletteFixture.h"

namespace tess {
namespace {

class PaletteFillsTest : public test::GameTest {
  protected:
    PaletteFillsTest() : objects(test::PaletteCatalogue()) {
        test::WritePaletteTables(dir.Path().string());
    }

    std::vector<std::string> Listed(ObjectTab tab, const PaletteFilter& filter = {}) {
        FillTab(list, tab, filter, *objects);
        std::vector<std::string> names;
        for (const tAddPack& entry : list.Entries())
            names.push_back(Cp1250ToUtf8(entry.Name));
        return names;
    }

    std::unique_ptr<tObjects> objects;
    PaletteList list;
};

using Names = std::vector<std::string>;

TEST_F(PaletteFillsTest, BuildingsSkipSettlementCentresAndFilterByRaceAndKind) {
    // Radnice (Tag 5), Náves, Chýše, Štola, Sál (Tag 4) and Strom (Tag 12) are centres.
    EXPECT_EQ(Listed(ObjectTab::Budovy), (Names{"Kasárna", "Pokladnice"}));
    EXPECT_EQ(Listed(ObjectTab::Budovy, {1, 3, 0, false}), (Names{"Kasárna", "Pokladnice"}));
    EXPECT_EQ(Listed(ObjectTab::Budovy, {1, 1, 0, false}), Names{});
    EXPECT_EQ(Listed(ObjectTab::Budovy, {2, 0, 0, false}), Names{});
    EXPECT_EQ(Listed(ObjectTab::Budovy, {1, 4, 0, false}), Names{});  // no such kind
    EXPECT_EQ(Listed(ObjectTab::Budovy, {1, -1, 0, false}), (Names{"Kasárna", "Pokladnice"}));

    FillTab(list, ObjectTab::Budovy, {}, *objects);
    const tAddPack& barracks = list.Entry(0);
    EXPECT_EQ(barracks.IdObject, 510);
    EXPECT_EQ(barracks.Id, 11);
    EXPECT_EQ(barracks.Tag, 3);
    EXPECT_EQ(barracks.UseOsada, 0);
    EXPECT_EQ(barracks.UseMesto, 1);
    EXPECT_EQ(barracks.RandomShade, 0);
    EXPECT_EQ(barracks.Group, 2);
    EXPECT_EQ(barracks.OwnerClass, kOwnerBuilding);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(PaletteFillsTest, UnitsShowTheirFacingAndCarryTheirPersonType) {
    EXPECT_EQ(Listed(ObjectTab::Jednotky), (Names{"Lučištník", "Rytíř", "Trpaslík", "Vlk"}));
    EXPECT_EQ(Listed(ObjectTab::Jednotky, {0, 0, 0, false}), Names{"Vlk"});
    EXPECT_EQ(Listed(ObjectTab::Jednotky, {1, 0, 0, false}), (Names{"Lučištník", "Rytíř"}));
    const tAddPack& archer = list.Entry(0);
    EXPECT_EQ(archer.IdObject, 3003);
    EXPECT_EQ(archer.Extra, 28);
    EXPECT_EQ(archer.Id, 0);
    EXPECT_EQ(archer.OwnerClass, kOwnerUnit);
    EXPECT_EQ(archer.Group, 2);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(PaletteFillsTest, ResourcesAreThePlainTreesAndTheListedTypesWithTheBonePileAsABuilding) {
    // "KOST" sorts before "KÁME": "Á" is above every letter from A to Z.
    EXPECT_EQ(Listed(ObjectTab::Suroviny), (Names{"Dub", "Kosti", "Kámen", "Smrk", "Zlato"}));
    const tAddPack& bones = list.Entry(1);
    EXPECT_EQ(bones.IdObject, 212);
    EXPECT_EQ(bones.Id, 89);
    EXPECT_EQ(bones.RandomShade, 0);
    EXPECT_EQ(bones.OwnerClass, kOwnerBuilding);
    const tAddPack& gold = list.Entry(4);
    EXPECT_EQ(gold.IdObject, 232);
    EXPECT_EQ(gold.Id, 232);
    EXPECT_EQ(gold.RandomShade, 1);
    EXPECT_EQ(gold.OwnerClass, kOwnerObject);
    EXPECT_EQ(Listed(ObjectTab::Suroviny, {-1, 0, 0, true}), Names{"Smrk"});
}

TEST_F(PaletteFillsTest, PlantsFollowTheLetterAndSpecialTakesThoseWithoutLetters) {
    EXPECT_EQ(Listed(ObjectTab::Priroda), (Names{"Dub", "Palma", "Prastarý dub", "Smrk"}));
    EXPECT_EQ(Listed(ObjectTab::Priroda, {-1, 0, 'l', false}), Names{"Dub"});
    EXPECT_EQ(Listed(ObjectTab::Priroda, {-1, 0, ')', false}), Names{"Prastarý dub"});
    EXPECT_EQ(Listed(ObjectTab::Priroda, {-1, 0, 'q', false}), Names{});
    EXPECT_EQ(list.BarMax(), 0);
    EXPECT_FALSE(list.BarEnabled());
}

TEST_F(PaletteFillsTest, OtherObjectsLeaveOutNamesBeginningWithTwo) {
    EXPECT_EQ(Listed(ObjectTab::Dalsi), Names{"Balvan"});
    EXPECT_EQ(list.Entry(0).RandomShade, 1);
    EXPECT_EQ(list.Entry(0).OwnerClass, kOwnerObject);
}

TEST_F(PaletteFillsTest, EffectsCarryTheirIdInTheTagAndGroup99) {
    EXPECT_EQ(Listed(ObjectTab::Efekty), (Names{"Blesk", "Oheň"}));
    const tAddPack& fire = list.Entry(1);
    EXPECT_EQ(fire.Tag, 7);
    EXPECT_EQ(fire.IdObject, 0);
    EXPECT_EQ(fire.Group, 99);
    EXPECT_EQ(fire.OwnerClass, kOwnerBuilding);
}

TEST(PaletteTabsTest, TabsAreFoundByCaptionOrWithoutDiacritics) {
    EXPECT_EQ(ObjectTabByName("Příroda"), ObjectTab::Priroda);
    EXPECT_EQ(ObjectTabByName("Priroda"), ObjectTab::Priroda);
    EXPECT_EQ(ObjectTabByName("DALSI"), ObjectTab::Dalsi);
    EXPECT_EQ(ObjectTabByName("Další"), ObjectTab::Dalsi);
    EXPECT_EQ(ObjectTabByName("efekty"), ObjectTab::Efekty);
    EXPECT_EQ(ObjectTabByName("Stromy"), std::nullopt);
    EXPECT_STREQ(ObjectTabName(ObjectTab::Jednotky), "Jednotky");
}

}  // namespace
}  // namespace tess
