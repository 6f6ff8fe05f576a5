// The game tables: reading rules, lookups per use, settlement buildings, race lists, name draws.
#include "game/GameTables.h"

#include "GameFixture.h"
#include "writers/DbfWriter.h"

namespace tess {
namespace {

using test::GameTest;

TEST_F(GameTest, BuildingTypeReadsOnlyTheFieldsAsked) {
    namespace f = building_fields;
    const auto all = FindBuildingType(11, f::All);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->Id, 11);
    EXPECT_EQ(Cp1250ToUtf8(all->Name), "Kasárna");
    EXPECT_EQ(all->IdRace, 1);
    EXPECT_TRUE(all->UseMesto);
    EXPECT_FALSE(all->UseOsada);
    EXPECT_EQ(all->IdVliv, 4);
    EXPECT_EQ(all->IdObject2, 512);

    const auto some = FindBuildingType(11, f::Civils);
    ASSERT_TRUE(some);
    EXPECT_EQ(some->Civils, 3);
    EXPECT_EQ(some->IdVliv, 0);
    EXPECT_TRUE(some->Name.empty());

    EXPECT_FALSE(FindBuildingType(99, f::All));
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(GameTest, MainBuildingIsBitTwoOfTag) {
    BuildingType b;
    b.Tag = 5;
    EXPECT_TRUE(b.IsMainBuilding());
    b.Tag = 3;
    EXPECT_FALSE(b.IsMainBuilding());
    b.Tag = 12;
    EXPECT_TRUE(b.IsMainBuilding());
}

TEST_F(GameTest, SettlementCommandsFindTheFirstQualifyingBuilding) {
    std::vector<int32_t> found;
    for (const SettlementCommand& c : kSettlementCommands) {
        const auto b = FindSettlementBuilding(c.Kind, c.Race);
        found.push_back(b ? b->Id : 0);
    }
    // Town (any race): Radnice; village (any): Náves; human osada: Radnice; human village:
    // Náves; human town: Radnice (Kasárna is no main building); barbarian osada: Chýše; dwarf
    // village: Štola; dwarf town: Sál; elf town: Strom (Tag 12 has bit 2).
    EXPECT_EQ(found, (std::vector<int32_t>{10, 12, 10, 12, 10, 20, 30, 31, 40}));
    const auto radnice = FindSettlementBuilding(kMesto, 1);
    ASSERT_TRUE(radnice);
    EXPECT_EQ(radnice->IdObject, 500);
    EXPECT_EQ(radnice->Tag, 5);
    EXPECT_TRUE(radnice->UseOsada && radnice->UseMesto && !radnice->UseVes);
    EXPECT_FALSE(FindSettlementBuilding(kOsada, 4));
}

TEST_F(GameTest, RaceListItemsPadTheTrimmedId) {
    writers::GameTablesData d = test::StandardTables();
    d.Races = {{" 1", "Lidi"}, {"12", "Dlouzi"}, {"1234", "Dlouhe"}};
    writers::WriteGameTables(dir.Path().string(), d);
    EXPECT_EQ(RaceListItems(), (std::vector<std::string>{"1   Lidi", "12  Dlouzi", "1234Dlouhe"}));
}

TEST_F(GameTest, NamesSuitRacesByBit) {
    const NameEntry borek{"Borek", 5};
    EXPECT_TRUE(borek.SuitsRace(1));
    EXPECT_FALSE(borek.SuitsRace(2));
    EXPECT_TRUE(borek.SuitsRace(3));
    EXPECT_FALSE(borek.SuitsRace(0));
    EXPECT_FALSE(NameEntry({"x", -1}).SuitsRace(33));
    EXPECT_TRUE(NameEntry({"x", -1}).SuitsRace(32));
}

TEST_F(GameTest, NameDrawKeepsToTheRaceAndStopsWhenNothingSuits) {
    Random random(7);
    for (int i = 0; i < 50; ++i) {
        const auto name = DrawUnitName(random, 3);
        ASSERT_TRUE(name);
        EXPECT_TRUE(*name == "Borek" || *name == "Dvalin") << *name;
    }
    // Race 4 has no name: the draw gives up and the last name drawn stands.
    const auto any = DrawUnitName(random, 4);
    ASSERT_TRUE(any);
    EXPECT_FALSE(any->empty());

    writers::GameTablesData d = test::StandardTables();
    d.Names.clear();
    writers::WriteGameTables(dir.Path().string(), d);
    EXPECT_FALSE(DrawUnitName(random, 1));
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(GameTest, PersonsOfEveryRaceAreListedForEachRace) {
    const std::vector<PersonType> persons = ReadPersonTypes();
    ASSERT_EQ(persons.size(), 4u);
    EXPECT_TRUE(persons[1].ListedForRace(2));  // Vlk, race 0
    EXPECT_FALSE(persons[0].ListedForRace(2));
    PersonType barracks = persons[0];
    barracks.VKasarnach = true;
    EXPECT_FALSE(barracks.ListedForRace(1));
    PersonType big = persons[0];
    big.Type = 9;
    EXPECT_FALSE(big.ListedForRace(1));
}

TEST_F(GameTest, GameTableFindFollowsTheSearchRuleAndReportsMissingFieldsOnce) {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 5, 0}, {"NAME", 'C', 10, 0}};
    t.Records = {{false, {"-5", "minus"}},
                 {false, {"5", "plus"}},
                 {false, {"7", "first7"}},
                 {false, {"7", "second7"}}};
    writers::WriteDbf(dir.File("DATA/dup.dbf"), t);
    GameTable table("DATA\\dup.dbf");
    ASSERT_TRUE(table.FindId(5));
    EXPECT_EQ(table.Text("Name"), "minus");  // the digits of -5 come first
    ASSERT_TRUE(table.FindId(7));
    EXPECT_EQ(table.Text("NAME"), "first7");
    EXPECT_FALSE(table.FindId(-5));
    EXPECT_TRUE(table.Eof());
    // A record without a number is no record of -1 (a type number a damaged file may hold).
    EXPECT_FALSE(table.Find("NAME", -1));
    EXPECT_TRUE(table.Eof());

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(table.FindId(7));
        EXPECT_EQ(table.Integer("CIVILS"), 0);
        EXPECT_FALSE(table.Flag("CIVILS"));
    }
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("\"CIVILS    \""), std::string::npos);

    // A missing key field: reported once, nothing found.
    EXPECT_FALSE(table.Find("Code", 1));
    EXPECT_FALSE(table.Find("Code", 2));
    EXPECT_EQ(ui.errors.size(), 2u);
}

TEST_F(GameTest, MissingTableIsReportedAndReadsEmpty) {
    std::filesystem::remove(dir.File("DATA/upgrade.dbf"));
    EXPECT_TRUE(ReadUpgrades().empty());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "\"OpenDBF\" soubor \"DATA\\upgrade.dbf\" neexistuje.");
}

TEST_F(GameTest, UpgradesSortIntoWeaponsSpellsAndInventions) {
    writers::GameTablesData d = test::StandardTables();
    UpgradeType sword{1, "Meč", 0, {10, 0, 0}, 5, 0};
    UpgradeType fire{2, "Oheň", 1, {0, 31, 0}, 0, 3};
    UpgradeType wheel{3, "Kolo", 0, {0, 0, 12}, 0, 0};
    d.Upgrades = {sword, fire, wheel};
    d.Effects = {{4, "Blesk"}};
    writers::WriteGameTables(dir.Path().string(), d);
    const auto upgrades = ReadUpgrades();
    ASSERT_EQ(upgrades.size(), 3u);
    EXPECT_TRUE(upgrades[0].IsKind(UpgradeKind::Weapon));
    EXPECT_FALSE(upgrades[0].IsKind(UpgradeKind::Invention));
    EXPECT_TRUE(upgrades[1].IsKind(UpgradeKind::Spell));
    EXPECT_EQ(upgrades[1].IdUEx1, 1);
    EXPECT_EQ(upgrades[1].IdBuild[1], 31);
    EXPECT_TRUE(upgrades[2].IsKind(UpgradeKind::Invention));
    const auto effects = ReadEffects();
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(effects[0].Id, 4);
    EXPECT_EQ(effects[0].Name, "Blesk");
}

}  // namespace
}  // namespace tess
