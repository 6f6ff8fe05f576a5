// The player, relation and permission editors' rules.
#include <gtest/gtest.h>

#include "game/GameFixture.h"
#include "game/Kalistor.h"
#include "game/PermissionEditor.h"
#include "game/PlayerEditor.h"
#include "game/RelationEditor.h"
#include "resources/Utils.h"

namespace tess {
namespace {

using test::GameTest;

// A store with live players at the given indices, named "Hráč <index>", every relation enemy
// and every permission usable.
std::unique_ptr<tKalistor> StoreWithPlayers(std::initializer_list<int32_t> indices) {
    auto store = std::make_unique<tKalistor>();
    for (int32_t i : indices) {
        tPlayerRec& p = store->Players[static_cast<size_t>(i)];
        p.Used = 1;
        p.Name.Set(Utf8ToCp1250("Hráč " + std::to_string(i)));
        p.IdRasa = 1;
        std::fill(std::begin(p.Vztah), std::end(p.Vztah), kEnemy);
        p.Vztah[i] = kAlly;
        std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 2);
        std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
        std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);
        store->PlayerCount = std::max(store->PlayerCount, i);
    }
    return store;
}

const std::vector<std::string> kRaces{"1   Lidi", "2   Barbaři", "3   Trpaslíci", "4   Elfové"};

// --- player editor ---------------------------------------------------------------------------

TEST(PlayerEditorTest, ShowsTheRecordAndOkStoresEveryControl) {
    auto store = StoreWithPlayers({1, 2});
    tPlayerRec& p = store->Players[2];
    p.IdRasa = 3;
    p.RidiPocitac = 0;
    p.Povaha = 2;
    p.Penize = 100;
    p.Surovina = 50;
    p.Barva = 255;
    PlayerEditorRules rules(*store, 2, p, kRaces);
    EXPECT_EQ(rules.Name, "Hráč 2");
    EXPECT_EQ(rules.IdRasa.SelectedText(), "3   Trpaslíci");
    EXPECT_EQ(rules.Povaha.SelectedText(), "2  Neutrální");
    EXPECT_FALSE(rules.PovahaEnabled());
    EXPECT_EQ(rules.Penize, "100");
    EXPECT_EQ(rules.Surovina, "50");

    rules.Name = "Žlutý";
    rules.IdRasa.Selected = 3;
    rules.RidiPocitac = true;
    EXPECT_TRUE(rules.PovahaEnabled());
    rules.Povaha.Selected = 2;
    rules.Barva = 0x00FF00;
    rules.Penize = "x 250";  // the first number counts
    rules.Surovina = " -7 ";
    rules.Tag = "+9";
    rules.MaxDelniku = "1";
    rules.MaxBuild = "2";
    rules.MaxVojaku = "3";
    rules.MinSkupinka = "4";
    rules.MaxSkupinka = "5";
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(Cp1250ToUtf8(p.Name.Get()), "Žlutý");
    EXPECT_EQ(p.IdRasa, 4);
    EXPECT_EQ(p.RidiPocitac, 1);
    EXPECT_EQ(p.Povaha, 3);
    EXPECT_EQ(p.Barva, 0x00FF00);
    EXPECT_EQ(p.Penize, 250);
    EXPECT_EQ(p.Surovina, -7);
    EXPECT_EQ(p.Tag, 9);
    EXPECT_EQ(p.MaxDelniku + p.MaxBuild + p.MaxVojaku + p.MinSkupinka + p.MaxSkupinka, 15);
}

TEST(PlayerEditorTest, AFieldThatIsNoWholeNumberStopsOkAndStoresNothing) {
    auto store = StoreWithPlayers({1});
    tPlayerRec& p = store->Players[1];
    p.Surovina = 50;
    PlayerEditorRules rules(*store, 1, p, kRaces);
    rules.Name = "Jiný";
    rules.Surovina = "75";
    rules.MaxVojaku = "12a";
    const auto error = rules.Accept();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Field, "MaxVojaku");
    EXPECT_EQ(error->Message, "Pole „Max Vojáků“: „12a“ není celé číslo.");
    EXPECT_EQ(Cp1250ToUtf8(p.Name.Get()), "Hráč 1");
    EXPECT_EQ(p.Surovina, 50);

    // Too large for 32 bits: a whole number and a first number both refuse it.
    rules.MaxVojaku = "1";
    rules.Tag = "2147483648";
    EXPECT_EQ(rules.Accept()->Field, "Tag");
    rules.Tag = "0";
    rules.Penize = "99999999999";
    EXPECT_EQ(rules.Check()->Field, "Penize");
    rules.Penize = "";  // no digits: 0
    EXPECT_FALSE(rules.Accept());
    EXPECT_EQ(p.Penize, 0);
}

TEST(PlayerEditorTest, ARaceOrAttitudeWithoutAnItemKeepsTheStoredNumber) {
    auto store = StoreWithPlayers({1});
    tPlayerRec& p = store->Players[1];
    p.IdRasa = 7;
    p.Povaha = 0;
    PlayerEditorRules rules(*store, 1, p, kRaces);
    EXPECT_FALSE(rules.IdRasa.HasSelection());
    EXPECT_FALSE(rules.Povaha.HasSelection());
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(p.IdRasa, 7);
    EXPECT_EQ(p.Povaha, 0);
}

TEST(PlayerEditorTest, DoubleClickOnMaxBuildCountsTheBuildingsOfThePlayersSettlements) {
    auto store = StoreWithPlayers({1, 2});
    store->SettlementCount = 3;
    store->Settlements[1] = {};
    store->Settlements[1].Used = 1;
    store->Settlements[1].IdPlayer = 2;
    store->Settlements[2].Used = 1;
    store->Settlements[2].IdPlayer = 1;
    store->Settlements[3].Used = 0;  // deleted, though it still names player 2
    store->Settlements[3].IdPlayer = 2;
    const int32_t towns[] = {1, 1, 2, 3, 0, 1};
    store->BuildingCount = 6;
    for (int32_t b = 1; b <= 6; ++b) {
        store->Buildings[b].Used = b == 2 ? 0 : 1;
        store->Buildings[b].IdTouwn = towns[b - 1];
    }
    PlayerEditorRules rules(*store, 2, store->Players[2], kRaces);
    rules.Edit3DoubleClick();
    EXPECT_EQ(rules.MaxBuild, "2");  // buildings 1 and 6
}

TEST(PlayerEditorTest, SmazatDeletesThePlayerAtOnce) {
    auto store = StoreWithPlayers({1, 2});
    PlayerEditorRules rules(*store, 2, store->Players[2], kRaces);
    rules.Name = "nikdy";
    rules.Delete();
    EXPECT_EQ(store->Players[2].Used, 0);
    EXPECT_EQ(Cp1250ToUtf8(store->Players[2].Name.Get()), "Hráč 2");
}

// --- lists -----------------------------------------------------------------------------------

TEST(PlayerListTest, ItemsPadTheNumberToTheirWidthAndMatchOnlyTheirOwnNumber) {
    auto store = StoreWithPlayers({12, 1});
    store->Players[12].Name.Set("Dvanact");
    store->Players[1].Name.Set("Jedna 12");
    const std::vector<std::string> items = PlayerItems(*store, 2);
    EXPECT_EQ(items, (std::vector<std::string>{"1 Jedna 12", "12Dvanact"}));
    // The store's rule takes the first item holding the digits; a preselection takes the
    // item of the number itself.
    EXPECT_EQ(FindItemByNumber(12, items), "1 Jedna 12");
    EXPECT_EQ(FindItemOfNumber(12, items), 1);
    EXPECT_EQ(FindItemOfNumber(2, items), -1);
    EXPECT_EQ(PlayerItems(*store, 4)[0], "1   Jedna 12");
}

TEST(PlayerListTest, WholeNumbersTakeASignAndBlanksButNothingElse) {
    EXPECT_EQ(WholeNumber(" 42 "), 42);
    EXPECT_EQ(WholeNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(WholeNumber("+0"), 0);
    for (const char* bad : {"", " ", "+", "-", "+-1", "1 2", "0x10", "12a", "2147483648", "1.5"})
        EXPECT_FALSE(WholeNumber(bad)) << bad;
    EXPECT_EQ(FirstNumber("ab-12cd3"), 12);
    EXPECT_EQ(FirstNumber("none"), 0);
    EXPECT_FALSE(FirstNumber("x 4294967296"));
}

// --- relation editor -------------------------------------------------------------------------

TEST(RelationEditorTest, ListsEveryLivePlayerWithTheShownPlayersRelations) {
    auto store = StoreWithPlayers({1, 2, 3, 5});
    store->Players[4].Used = 0;
    store->Players[1].Vztah[2] = kNeutral;
    store->Players[1].Vztah[3] = kAlly;
    RelationEditorRules rules(*store, 1);
    EXPECT_EQ(rules.Players.SelectedText(), "1 Hráč 1");
    ASSERT_EQ(rules.Items().size(), 4u);
    EXPECT_EQ(rules.Items()[0].State, BoxState::Empty);  // its own: ally
    EXPECT_EQ(rules.Items()[1].State, BoxState::Greyed);
    EXPECT_EQ(rules.Items()[2].State, BoxState::Empty);
    EXPECT_EQ(rules.Items()[3].Text, "5 Hráč 5");
    EXPECT_EQ(rules.Items()[3].State, BoxState::Ticked);
}

TEST(RelationEditorTest, AClickCyclesTickedGreyedEmptyAndStoringKeepsRelationsSymmetric) {
    auto store = StoreWithPlayers({1, 2, 3});
    RelationEditorRules rules(*store, 1);
    rules.Click(1);
    EXPECT_EQ(rules.Items()[1].State, BoxState::Greyed);
    rules.Store();
    EXPECT_EQ(store->Players[1].Vztah[2], kNeutral);
    EXPECT_EQ(store->Players[2].Vztah[1], kNeutral);
    rules.Click(1);
    EXPECT_EQ(rules.Items()[1].State, BoxState::Empty);
    rules.Click(1);
    EXPECT_EQ(rules.Items()[1].State, BoxState::Ticked);
    rules.Click(99);  // no such item
    EXPECT_EQ(rules.Items().size(), 3u);
}

TEST(RelationEditorTest, EnemyForAllThenOkMakesEveryRelationEnemyBothWays) {
    auto store = StoreWithPlayers({1, 2, 3});
    store->Players[2].Vztah[1] = kAlly;
    store->Players[1].Vztah[2] = kAlly;
    RelationEditorRules rules(*store, 1);
    rules.SetAll(BoxState::Ticked);
    rules.Store();
    for (int32_t j = 1; j <= 3; ++j) {
        EXPECT_EQ(store->Players[1].Vztah[j], kEnemy) << j;
        EXPECT_EQ(store->Players[j].Vztah[1], kEnemy) << j;
    }
}

TEST(RelationEditorTest, ChoosingAnotherPlayerStoresTheShownOneFirst) {
    auto store = StoreWithPlayers({1, 2, 3});
    RelationEditorRules rules(*store, 1);
    rules.SetAll(BoxState::Empty);
    rules.ChoosePlayer(2);  // player 3
    EXPECT_EQ(rules.Shown(), 3);
    EXPECT_EQ(store->Players[1].Vztah[3], kAlly);
    EXPECT_EQ(store->Players[3].Vztah[1], kAlly);
    EXPECT_EQ(rules.Items()[0].State, BoxState::Empty);   // player 1, just stored
    EXPECT_EQ(rules.Items()[1].State, BoxState::Ticked);  // player 2
    // "Storno" now stores nothing more, the earlier store stays.
    rules.SetAll(BoxState::Greyed);
    EXPECT_EQ(store->Players[3].Vztah[2], kEnemy);
    EXPECT_EQ(store->Players[1].Vztah[2], kAlly);
}

TEST(RelationEditorTest, APlayerNotYetLiveIsShownWithoutAComboItemAndStillStored) {
    auto store = StoreWithPlayers({1, 2});
    std::fill(std::begin(store->Players[3].Vztah), std::end(store->Players[3].Vztah), kEnemy);
    RelationEditorRules rules(*store, 3);  // a player being added
    EXPECT_FALSE(rules.Players.HasSelection());
    ASSERT_EQ(rules.Items().size(), 2u);
    rules.Click(0);
    rules.Store();
    EXPECT_EQ(store->Players[3].Vztah[1], kNeutral);
    EXPECT_EQ(store->Players[1].Vztah[3], kNeutral);
    RelationEditorRules nobody(*store, 0);
    EXPECT_TRUE(nobody.Items().empty());
    nobody.Store();
}

// --- permission editor -----------------------------------------------------------------------

BuildingType Town(int32_t id, int32_t race, bool mesto, bool osada, int32_t ex1 = 0,
                  int32_t ex2 = 0, int32_t next = 0) {
    BuildingType b;
    b.Id = id;
    b.Name = "B" + std::to_string(id);
    b.IdRace = race;
    b.UseMesto = mesto;
    b.UseOsada = osada;
    b.IdBEx1 = ex1;
    b.IdBEx2 = ex2;
    b.IdNext = next;
    return b;
}

UpgradeType Upgrade(int32_t id, int32_t required, int32_t building, int32_t item, int32_t spell) {
    UpgradeType u;
    u.Id = id;
    u.Name = "U" + std::to_string(id);
    u.IdUEx1 = required;
    u.IdBuild = {0, building, 0};
    u.IdItem = item;
    u.IdSpell = spell;
    return u;
}

PersonType Unit(int32_t id, int32_t race, bool barracks, int32_t type) {
    PersonType p;
    p.Id = id;
    p.Name = "P" + std::to_string(id);
    p.IdRace = race;
    p.VKasarnach = barracks;
    p.Type = type;
    return p;
}

// Buildings of race 1: 10 is required by 11 and (second field) 12; 13 requires 11; 14 stands
// alone; 15 is no town building; 1500 lies outside the arrays. Race 2 has 20 (osada only).
PermissionTables Tables() {
    PermissionTables t;
    t.Buildings = {Town(10, 1, true, false),        Town(11, 1, true, false, 10),
                   Town(12, 1, true, false, 0, 10), Town(13, 1, true, false, 11),
                   Town(14, 1, true, false),        Town(15, 1, false, true),
                   Town(1500, 1, true, false),      Town(20, 2, false, true)};
    t.Upgrades = {Upgrade(1, 0, 10, 5, 0), Upgrade(2, 1, 10, 5, 0), Upgrade(3, 2, 14, 5, 0),
                  Upgrade(4, 0, 10, 0, 7), Upgrade(5, 0, 20, 5, 0), Upgrade(6, 0, 11, 0, 0),
                  Upgrade(7, 0, 99, 5, 0)};
    t.Persons = {Unit(1, 1, false, 1), Unit(2, 0, false, 2), Unit(3, 2, false, 1),
                 Unit(4, 1, true, 1),  Unit(5, 1, false, 9), Unit(600, 1, false, 1)};
    return t;
}

std::vector<int32_t> ListedTypes(const PermissionEditorRules& rules) {
    std::vector<int32_t> types;
    for (const auto& item : rules.Items())
        types.push_back(item.Type);
    return types;
}

TEST(PermissionEditorTest, EachKindListsItsTypesForTheRaceWithItsLegends) {
    auto store = StoreWithPlayers({1});
    PermissionEditorRules rules(*store, Tables(), 1, 1, kPermitBuildings);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{10, 11, 12, 13, 14}));
    EXPECT_EQ(rules.Items()[0].Text, "10  B10");
    EXPECT_EQ(rules.BoxCaption(1), "Nepoužívat");
    EXPECT_EQ(rules.BoxCaption(3), "Používat");
    EXPECT_FALSE(rules.Box2Visible());
    EXPECT_EQ(rules.Players.SelectedText(), "1 Hráč 1");

    rules.ChooseRace(2);  // barbarians list what an osada may hold
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{20}));
    rules.ChooseRace(1);
    rules.ChooseKind(kPermitWeapons);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_TRUE(rules.Box2Visible());
    EXPECT_EQ(rules.BoxCaption(1), "Nevyzkoumáno");
    EXPECT_EQ(rules.BoxCaption(2), "Nepoužitelné");
    EXPECT_EQ(rules.BoxCaption(3), "Vyzkoumáno");
    rules.ChooseKind(kPermitSpells);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{4}));
    rules.ChooseKind(kPermitInventions);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{6}));
    rules.ChooseKind(kPermitUnits);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{1, 2}));  // 2 is of every race
    rules.ChooseRace(2);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{2, 3}));
}

TEST(PermissionEditorTest, UntickingARequiredBuildingForbidsItsDependantsAndTickingReallowsItself) {
    auto store = StoreWithPlayers({1});
    store->Players[1].IdRasa = 2;  // no town pass
    PermissionEditorRules rules(*store, Tables(), 1, 1, kPermitBuildings);
    rules.Click(0);  // 10
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(rules.Items()[i].State, BoxState::Empty) << i;
    EXPECT_EQ(rules.Items()[4].State, BoxState::Ticked);
    rules.Store();
    const tPlayerRec& p = store->Players[1];
    EXPECT_EQ(p.StavBudov[10], 1);
    EXPECT_EQ(p.StavBudov[11], 1);
    EXPECT_EQ(p.StavBudov[12], 1);
    EXPECT_EQ(p.StavBudov[13], 1);
    EXPECT_EQ(p.StavBudov[14], 3);
    rules.Click(0);
    rules.Store();
    EXPECT_EQ(rules.Items()[0].State, BoxState::Ticked);
    EXPECT_EQ(rules.Items()[1].State, BoxState::Empty);
    EXPECT_EQ(p.StavBudov[10], 3);
    EXPECT_EQ(p.StavBudov[11], 1);
}

TEST(PermissionEditorTest, TheFirstListItemFollowsAForbiddenRequirementLikeAnyOther) {
    auto store = StoreWithPlayers({1});
    PermissionTables t;
    // 31 is listed first and requires 30, which is listed second.
    t.Buildings = {Town(31, 1, true, false, 30), Town(30, 1, true, false)};
    PermissionEditorRules rules(*store, std::move(t), 1, 1, kPermitBuildings);
    rules.Click(1);
    EXPECT_EQ(rules.Items()[0].State, BoxState::Empty);
    EXPECT_EQ(rules.State(kPermitBuildings, 31), 1);
}

TEST(PermissionEditorTest, RequirementCyclesSelfRequirementsAndTypeZeroEnd) {
    auto store = StoreWithPlayers({1});
    PermissionTables t;
    t.Buildings = {Town(40, 1, true, false, 41), Town(41, 1, true, false, 40),
                   Town(42, 1, true, false, 42), Town(0, 1, true, false), Town(43, 1, true, false)};
    PermissionEditorRules rules(*store, std::move(t), 1, 1, kPermitBuildings);
    rules.Click(0);  // 40: 41 follows, and 40 stays forbidden
    EXPECT_EQ(rules.State(kPermitBuildings, 40), 1);
    EXPECT_EQ(rules.State(kPermitBuildings, 41), 1);
    rules.Click(2);  // 42 requires itself
    EXPECT_EQ(rules.State(kPermitBuildings, 42), 1);
    rules.Click(3);  // type 0: "no requirement" is no dependency
    EXPECT_EQ(rules.State(kPermitBuildings, 0), 1);
    EXPECT_EQ(rules.State(kPermitBuildings, 43), 3);
}

TEST(PermissionEditorTest, UpgradesCycleAndAnUnusableOneTakesItsDependantsAlong) {
    auto store = StoreWithPlayers({1});
    PermissionEditorRules rules(*store, Tables(), 1, 1, kPermitWeapons);
    for (const auto& item : rules.Items())
        EXPECT_EQ(item.State, BoxState::Empty);  // 2: not researched
    rules.Click(0);
    EXPECT_EQ(rules.Items()[0].State, BoxState::Ticked);
    EXPECT_EQ(rules.State(kPermitWeapons, 1), 3);
    rules.Click(0);  // unusable: 2 requires 1 and 3 requires 2
    EXPECT_EQ(rules.State(kPermitWeapons, 1), 1);
    EXPECT_EQ(rules.Items()[1].State, BoxState::Greyed);
    EXPECT_EQ(rules.Items()[2].State, BoxState::Greyed);
    EXPECT_EQ(rules.State(kPermitWeapons, 3), 1);
    rules.Click(0);
    EXPECT_EQ(rules.Items()[0].State, BoxState::Empty);
    EXPECT_EQ(rules.State(kPermitWeapons, 1), 2);
    EXPECT_EQ(rules.State(kPermitWeapons, 2), 1);
    rules.Store();
    EXPECT_EQ(store->Players[1].StavVynalezu[3], 1);
}

TEST(PermissionEditorTest, NepouzivatStoresTwoAndOnlyASingleUntickMarksTheUpgrades) {
    auto store = StoreWithPlayers({1});
    PermissionEditorRules rules(*store, Tables(), 1, 1, kPermitBuildings);
    EXPECT_FALSE(rules.SetAll(BoxState::Greyed));  // hidden for buildings
    ASSERT_TRUE(rules.SetAll(BoxState::Empty));
    for (int32_t type : {10, 11, 12, 13, 14})
        EXPECT_EQ(rules.State(kPermitBuildings, type), 2) << type;
    EXPECT_EQ(rules.State(kPermitBuildings, 15), 3);  // not listed
    rules.ChooseKind(kPermitWeapons);                 // stores
    EXPECT_EQ(store->Players[1].StavBudov[10], 2);
    for (const auto& item : rules.Items())
        EXPECT_EQ(item.Text.find(PermissionEditorRules::kForbiddenBuilding), std::string::npos);

    rules.ChooseKind(kPermitBuildings);
    rules.SetAll(BoxState::Ticked);
    rules.Click(4);  // 14: unticked, 1
    rules.ChooseKind(kPermitWeapons);
    EXPECT_EQ(rules.Items()[0].Text, "1   U1");
    EXPECT_EQ(rules.Items()[2].Text, "3   U3 (zakazana budova)");
}

TEST(PermissionEditorTest, SetAllForUpgradesStoresTheBoxesStates) {
    auto store = StoreWithPlayers({1});
    PermissionEditorRules rules(*store, Tables(), 1, 1, kPermitWeapons);
    ASSERT_TRUE(rules.SetAll(BoxState::Greyed));
    EXPECT_EQ(rules.State(kPermitWeapons, 2), 1);
    EXPECT_EQ(rules.State(kPermitWeapons, 5), 2);  // a barbarian weapon, not listed
    rules.SetAll(BoxState::Ticked);
    EXPECT_EQ(rules.State(kPermitWeapons, 3), 3);
    rules.ChooseKind(kPermitUnits);
    rules.Click(0);
    rules.Store();
    EXPECT_EQ(store->Players[1].StavVynalezu[3], 3);
    EXPECT_EQ(store->Players[1].StavJednotek[1], 1);
    EXPECT_EQ(store->Players[1].StavJednotek[2], 3);
}

TEST(PermissionEditorTest, HumanAndDwarfTownStatesPassDownTheUpgradeChains) {
    PermissionTables t;
    // Chains: 50 -> 51 -> 52 (town); 60 -> 61 (town) -> 62 (town), so 60 and 61 are reached
    // from 61 and again from 62; 70 and 71 are towns upgrading into each other.
    t.Buildings = {Town(50, 1, false, false, 0, 0, 51),
                   Town(51, 1, false, false, 0, 0, 52),
                   Town(52, 1, true, false),
                   Town(60, 1, false, false, 0, 0, 61),
                   Town(61, 1, true, false, 0, 0, 62),
                   Town(62, 1, true, false),
                   Town(70, 1, true, false, 0, 0, 71),
                   Town(71, 1, true, false, 0, 0, 70)};
    auto store = StoreWithPlayers({1});
    tPlayerRec& p = store->Players[1];
    p.StavBudov[50] = 3;
    p.StavBudov[51] = 3;
    PermissionEditorRules rules(*store, t, 1, 1, kPermitBuildings);
    rules.Click(0);  // 52 forbidden
    rules.Click(1);  // 61 forbidden; 62 stays usable and comes later in the table
    rules.Store();
    EXPECT_EQ(p.StavBudov[51], 1);
    EXPECT_EQ(p.StavBudov[50], 1);
    EXPECT_EQ(p.StavBudov[61], 3);
    EXPECT_EQ(p.StavBudov[60], 3);
    EXPECT_EQ(p.StavBudov[70], 3);  // the 70 <-> 71 cycle ended

    // Barbarians keep each stage as it was set.
    p.IdRasa = 2;
    p.StavBudov[50] = 3;
    PermissionEditorRules barbarian(*store, t, 1, 1, kPermitBuildings);
    barbarian.Store();
    EXPECT_EQ(p.StavBudov[50], 3);
}

TEST(PermissionEditorTest, TheComboShowsThePlayersOwnRaceAndTypesOutsideTheArraysAreNotListed) {
    auto store = StoreWithPlayers({1, 2});
    store->Players[2].IdRasa = 2;
    PermissionEditorRules rules(*store, Tables(), 1, 9, 0);
    EXPECT_EQ(rules.Race(), 1);
    EXPECT_EQ(rules.Kind(), kPermitBuildings);
    rules.Click(4);
    rules.ChoosePlayer(1);  // stores player 1 first
    EXPECT_EQ(store->Players[1].StavBudov[14], 1);
    EXPECT_EQ(rules.Player(), 2);
    EXPECT_EQ(rules.Race(), 2);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{20}));
    rules.ChooseKind(kPermitUnits);
    rules.ChooseRace(1);
    EXPECT_EQ(ListedTypes(rules), (std::vector<int32_t>{1, 2}));  // 600 has no state
}

TEST_F(GameTest, ThePermissionTablesAreReadWithTheirRequirementsAndFilters) {
    writers::GameTablesData data = test::StandardTables();
    data.Buildings[1].IdBEx2 = 10;
    data.Upgrades = {Upgrade(1, 0, 11, 3, 0)};
    data.Persons[0].VKasarnach = true;
    writers::WriteGameTables(dir.Path().string(), data);
    const PermissionTables tables = PermissionTables::Read();
    ASSERT_EQ(tables.Buildings.size(), data.Buildings.size());
    EXPECT_EQ(tables.Buildings[1].IdBEx2, 10);
    EXPECT_TRUE(tables.Buildings[0].UseMesto);
    ASSERT_EQ(tables.Upgrades.size(), 1u);
    EXPECT_EQ(tables.Upgrades[0].IdBuild[1], 11);
    EXPECT_TRUE(tables.Persons[0].VKasarnach);
}

}  // namespace
}  // namespace tess
