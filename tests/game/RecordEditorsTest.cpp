// The settlement, building and unit editors' rules, their buttons' effect on the map, and the
// store opening them.
#include <gtest/gtest.h>

#include <functional>

#include "game/BuildingEditor.h"
#include "game/EditorMapSide.h"
#include "game/GameFixture.h"
#include "game/SettlementEditor.h"
#include "game/UnitEditor.h"
#include "map/MapDat.h"
#include "map/ObjectFixture.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {
namespace {

const std::vector<std::string> kRaces{"1   Lidi", "2   Barbaři", "3   Trpaslíci", "4   Elfové"};

// A map with the store's records standing on it, reached through the map side the editors use.
class RecordEditorTest : public test::GameTest {
  protected:
    RecordEditorTest()
        : map(std::make_unique<tMapa>()),
          objects(std::make_unique<tObjects>()),
          side(
              *map, [this]() -> const tObjects& { return *objects; }, *store,
              [this](int32_t unit) { armed.push_back(unit); }) {
        Random random(3);
        map->Create(64, 64, random, WallTableSource::None);
        test::AddObject(*objects, 510, 2, 2);
        for (int32_t i : {1, 2}) {
            store->Players[i].Used = 1;
            store->Players[i].Name.Set("P" + std::to_string(i));
        }
        store->PlayerCount = 2;
    }

    // A live building of type 11 ("Kasárna", pictures 510..513) standing at (x, y).
    tBuildingRec& PlaceBuilding(int32_t index, int32_t x, int32_t y) {
        tBuildingRec& b = store->Buildings[index];
        b.Used = 1;
        b.IdBuilding = 11;
        b.IdObject = 510;
        b.X = x;
        b.Y = y;
        b.ProcVystavby = 100;
        b.ProcZivotu = 100;
        store->BuildingCount = std::max(store->BuildingCount, index);
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, 1);
        map->SetId(x, y, index);
        map->SetOccupancy(x, y - 1, 1);
        map->SetLinkKind(x, y - 1, 1);
        map->SetId(x, y - 1, index);
        return b;
    }
    // A live unit of person type 1 (attack 10, defence 5, lives 100) standing at (x, y).
    tUnitRec& PlaceUnit(int32_t index, int32_t x, int32_t y, int32_t picture) {
        tUnitRec& u = store->Units[index];
        u.Used = 1;
        u.IdPerson = 1;
        u.IdPlayer = 1;
        u.IdObject = picture;
        u.X = x;
        u.Y = y;
        u.UtoC = u.ObrC = u.Zivoty = -1;
        u.ProcZivotu = 100;
        u.StaryZaznam = -1;
        store->UnitCount = std::max(store->UnitCount, index);
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, 2);
        map->SetId(x, y, index);
        return u;
    }
    std::vector<BuildingType> Table() const { return test::StandardTables().Buildings; }

    std::unique_ptr<tMapa> map;
    std::unique_ptr<tObjects> objects;
    std::vector<int32_t> armed;
    GridMapSide side;
};

// The store's editors as the dialogs build them, each answered by a script over its rules.
class RulesEditors final : public EditorDialogs {
  public:
    explicit RulesEditors(EditorMapSide& side) : side_(side) {}
    std::function<bool(UnitEditorRules&)> unit;
    std::function<bool(BuildingEditorRules&)> building;

    bool EditPlayer(tKalistor&, int32_t, tPlayerRec&) override { return false; }
    bool EditSettlement(tKalistor&, int32_t, tSettlementRec&) override { return false; }
    bool EditBuilding(tKalistor& store, int32_t index, tBuildingRec& b) override {
        BuildingEditorRules rules(store, index, b, &side_);
        return building(rules);
    }
    bool EditUnit(tKalistor& store, int32_t index, tUnitRec& u) override {
        UnitEditorRules rules(store, index, u, &side_);
        return unit(rules);
    }

  private:
    EditorMapSide& side_;
};

// --- settlement editor -----------------------------------------------------------------------

TEST_F(RecordEditorTest, ASettlementShowsItsKindAndOkStoresItsFields) {
    tSettlementRec& s = store->Settlements[1];
    s.Used = 1;
    s.Usedlost = 2;
    s.IdRasa = 3;
    s.IdPlayer = 2;
    s.Tag = 4;
    s.Name.Set("Ves");
    store->SettlementCount = 1;
    SettlementEditorRules rules(*store, s, kRaces);
    EXPECT_EQ(rules.Usedlost.SelectedText(), "2 - Vesnice");
    EXPECT_EQ(rules.IdRasa.SelectedText(), "3   Trpaslíci");
    EXPECT_EQ(rules.IdPlayer.Items, (std::vector<std::string>{"1   P1", "2   P2"}));
    EXPECT_EQ(rules.IdPlayer.SelectedText(), "2   P2");
    EXPECT_EQ(rules.Tag, "4");
    rules.Name = "Hrad nad řekou, který má dlouhé jméno";
    rules.IdPlayer.Selected = 0;
    rules.IdRasa.Selected = 0;
    rules.Tag = "-3";
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(Cp1250ToUtf8(s.Name.Get()), "Hrad nad řekou, který má dlouh");  // 30 bytes
    EXPECT_EQ(s.IdPlayer, 1);
    EXPECT_EQ(s.IdRasa, 1);
    EXPECT_EQ(s.Tag, -3);
    EXPECT_EQ(s.Usedlost, 2);
}

TEST_F(RecordEditorTest, ASettlementOfAnUnknownKindOrOwnerShowsNothingAndKeepsIt) {
    tSettlementRec& s = store->Settlements[1];
    s.Used = 1;
    s.Usedlost = 7;
    s.IdPlayer = 0;
    SettlementEditorRules rules(*store, s, kRaces);
    EXPECT_FALSE(rules.Usedlost.HasSelection());
    EXPECT_FALSE(rules.IdPlayer.HasSelection());
    rules.Tag = "tag";
    const auto error = rules.Accept();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Field, "Tag");
    EXPECT_EQ(error->Message, "Pole „tag“: „tag“ není celé číslo.");
    rules.Tag = "0";
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(s.Usedlost, 7);
    EXPECT_EQ(s.IdPlayer, 0);
    rules.Delete();
    EXPECT_EQ(s.Used, 0);
}

// --- building editor -------------------------------------------------------------------------

TEST_F(RecordEditorTest, ABuildingShowsItsTypeAndTheBarsLabel) {
    tBuildingRec& b = PlaceBuilding(1, 20, 20);
    b.ProcVystavby = 50;
    b.ProcZivotu = 80;
    b.Tag = 12;
    b.Pozorovatel = 1;
    BuildingEditorRules rules(*store, 1, b, &side, Table(), kRaces);
    EXPECT_EQ(rules.Name, "Kasárna");
    EXPECT_EQ(rules.IdRasa.SelectedText(), "1   Lidi");
    EXPECT_EQ(rules.Label4(), "Výstavba 50 %");
    EXPECT_EQ(rules.Label7(), "tag");
    EXPECT_EQ(rules.ProcZivotu(), 80);
    EXPECT_TRUE(rules.Pozorovatel);
    EXPECT_FALSE(rules.Imortal);
    rules.SetProcZivotu(130);
    EXPECT_EQ(rules.ProcZivotu(), 100);
    rules.SetProcVystavby(0);
    EXPECT_EQ(rules.Label4(), "Výstavba 1 %");

    b.IdBuilding = 43;  // a money building
    BuildingEditorRules money(*store, 1, b, &side, Table(), kRaces);
    EXPECT_EQ(money.Label7(), "Peníze/Surovina");
}

TEST_F(RecordEditorTest, ABuildingOfAnUnknownTypeIsFoundByItsPicture) {
    tBuildingRec& b = PlaceBuilding(1, 20, 20);
    b.IdBuilding = 77;
    b.IdObject = 602;  // "Chýše", second stage
    BuildingEditorRules rules(*store, 1, b, &side, Table(), kRaces);
    EXPECT_EQ(b.IdBuilding, 20);
    EXPECT_EQ(rules.Name, "Chýše");

    b.IdBuilding = 77;
    b.IdObject = 9999;  // no picture matches: the first record is shown, nothing changes
    BuildingEditorRules unknown(*store, 1, b, &side, Table(), kRaces);
    EXPECT_EQ(unknown.Name, "Radnice");
    EXPECT_EQ(b.IdBuilding, 77);
    unknown.SetProcVystavby(20);
    ASSERT_FALSE(unknown.Accept());
    EXPECT_EQ(b.IdObject, 9999);
    EXPECT_EQ(b.ProcVystavby, 20);
}

TEST(BuildingStageTest, EachConstructionStageHasItsPictureAndEmptyStagesFallThrough) {
    BuildingType type;
    type.IdObject = 100;
    type.IdObject1 = 101;
    type.IdObject2 = 102;
    type.IdObject3 = 103;
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 20, 7), 101);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 33, 7), 102);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 65, 7), 102);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 66, 7), 103);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 98, 7), 103);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 99, 7), 7);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 100, 7), 100);
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 99, 0), 102);  // no picture yet
    type.IdObject2 = 0;
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 50, 7), 103);
    type.IdObject3 = 0;
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 50, 7), 100);
    type.IdObject1 = 0;
    EXPECT_EQ(BuildingEditorRules::StagePicture(type, 10, 7), 100);
}

TEST_F(RecordEditorTest, OkStoresTheBuildingsFieldsAndItsStagePicture) {
    tBuildingRec& b = PlaceBuilding(1, 20, 20);
    store->Settlements[2].Used = 1;
    store->SettlementCount = 2;
    BuildingEditorRules rules(*store, 1, b, &side, Table(), kRaces);
    EXPECT_EQ(rules.IdTouwn.Items, (std::vector<std::string>{"2   "}));
    rules.IdTouwn.Selected = 0;
    rules.SetProcVystavby(50);
    rules.SetProcZivotu(40);
    rules.Tag = "zlato 300";
    rules.Imortal = true;
    rules.Pozorovatel = true;
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(b.IdTouwn, 2);
    EXPECT_EQ(b.ProcVystavby, 50);
    EXPECT_EQ(b.ProcZivotu, 40);
    EXPECT_EQ(b.Tag, 300);
    EXPECT_EQ(b.Imortal, 1);
    EXPECT_EQ(b.Pozorovatel, 1);
    EXPECT_EQ(b.IdObject, 512);
}

TEST_F(RecordEditorTest, SmazatRemovesTheBuildingAndItsObjectOnlyWhereItStands) {
    tBuildingRec& b = PlaceBuilding(1, 20, 20);
    BuildingEditorRules rules(*store, 1, b, &side, Table(), kRaces);
    rules.Delete();
    EXPECT_EQ(b.Used, 0);
    EXPECT_EQ(map->GetOccupancy(20, 20), 0);
    EXPECT_EQ(map->GetOccupancy(20, 19), 0);

    // A building not yet placed (its editor opens first) leaves the map alone.
    PlaceBuilding(2, 30, 30);
    tBuildingRec& fresh = store->Buildings[3];
    fresh = store->Buildings[2];
    fresh.X = 30;
    fresh.Y = 30;
    BuildingEditorRules other(*store, 3, fresh, &side, Table(), kRaces);
    other.Delete();
    EXPECT_EQ(map->GetOccupancy(30, 30), 2);
    EXPECT_EQ(map->GetId(30, 30), 2);
}

// --- unit editor -----------------------------------------------------------------------------

TEST_F(RecordEditorTest, TableValuesShowInBlackUnlessTheUnitHasItsOwn) {
    tUnitRec& u = PlaceUnit(1, 10, 10, 3450);
    u.ObrC = 7;
    u.Zivoty = 100;  // the table's value, though not -1
    u.ProcZivotu = 25;
    UnitEditorRules rules(*store, 1, u, &side);
    EXPECT_EQ(rules.UtoC.Text, "10");
    EXPECT_FALSE(rules.UtoC.Red());
    EXPECT_EQ(rules.ObrC.Text, "7");
    EXPECT_TRUE(rules.ObrC.Red());
    EXPECT_EQ(rules.Zivoty().Text, "100");
    EXPECT_EQ(rules.MaxZivoty(), "25");
    rules.SetZivotyText("50");
    EXPECT_TRUE(rules.Zivoty().Red());
    EXPECT_EQ(rules.MaxZivoty(), "12");  // 12.5 goes to the even neighbour
    rules.SetZivotyText("5x");
    EXPECT_TRUE(rules.Zivoty().Red());
    EXPECT_EQ(rules.MaxZivoty(), "12");  // kept while the text is no number
    rules.SetZivotyText("100");
    rules.SetProcZivotu(-4);
    EXPECT_EQ(rules.MaxZivoty(), "0");
}

TEST_F(RecordEditorTest, AValueEqualToTheTableIsStoredAsMinusOne) {
    tUnitRec& u = PlaceUnit(1, 10, 10, 3450);
    u.UtoC = 15;
    UnitEditorRules rules(*store, 1, u, &side);
    EXPECT_EQ(rules.UtoC.Text, "15");
    rules.UtoC.Text = "10";
    rules.ObrC.Text = "6";
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(u.UtoC, -1);
    EXPECT_EQ(u.ObrC, 6);
    EXPECT_EQ(u.Zivoty, -1);

    rules.UtoC.Text = "-1 ";  // the table's value, typed as the file keeps it
    rules.ObrC.Text = "abc";
    const auto error = rules.Accept();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Field, "ObrC");
    EXPECT_EQ(error->Message, "Pole „Obran. č.“: „abc“ není celé číslo.");
    EXPECT_EQ(u.ObrC, 6);
}

TEST_F(RecordEditorTest, AUnitOfATypeTheTableLacksKeepsItsValuesWhenTheEditsStayEmpty) {
    tUnitRec& u = PlaceUnit(1, 10, 10, 3450);
    u.IdPerson = 77;
    u.UtoC = 40;
    u.Zivoty = 3;
    UnitEditorRules rules(*store, 1, u, &side);
    EXPECT_EQ(rules.UtoC.Text, "");
    EXPECT_EQ(rules.MaxZivoty(), UnitEditorRules::kMaxZivotyStart);
    rules.ObrC.Text = "9";
    EXPECT_FALSE(rules.ObrC.Red());
    rules.Reset();  // no table values to put back
    ASSERT_FALSE(rules.Accept());
    EXPECT_EQ(u.UtoC, 40);
    EXPECT_EQ(u.ObrC, 9);
    EXPECT_EQ(u.Zivoty, 3);
}

TEST_F(RecordEditorTest, OkStoresTheUnitsControlsAndTheStoreTurnsItToItsNewDirection) {
    tUnitRec& u = PlaceUnit(1, 10, 10, 3455);
    u.Smer = 5;
    u.AI = 2;
    RulesEditors editors(side);
    store->SetEditors(&editors);
    editors.unit = [](UnitEditorRules& rules) {
        EXPECT_EQ(rules.Smer(), 5);
        EXPECT_EQ(rules.AI.SelectedText(), "2 Normální");
        EXPECT_EQ(rules.IdPlayer.SelectedText(), "1   P1");
        rules.PressDirection(UnitEditorRules::kDirectionGrid[0][1]);  // top row, middle
        rules.AI.Selected = 2;
        rules.IdPlayer.Selected = 1;
        rules.Name = "Jan";
        rules.Tag = "8";
        rules.PatrolaX = "4";
        rules.PatrolaY = "6";
        rules.SetProcZivotu(60);
        rules.Neviditelny = true;
        rules.AIEnabled = true;
        return !rules.Accept();
    };
    ASSERT_TRUE(store->EditUnit(1));
    EXPECT_EQ(u.Smer, 7);
    EXPECT_EQ(u.IdObject, 3457);
    EXPECT_EQ(u.AI, 1);
    EXPECT_EQ(u.IdPlayer, 2);
    EXPECT_EQ(Cp1250ToUtf8(u.Name.Get()), "Jan");
    EXPECT_EQ(u.Tag, 8);
    EXPECT_EQ(u.PatrolaX, 4);
    EXPECT_EQ(u.PatrolaY, 6);
    EXPECT_EQ(u.ProcZivotu, 60);
    EXPECT_EQ(u.Neviditelny, 1);
    EXPECT_EQ(u.AIEnabled, 1);
    EXPECT_EQ(store->LastSmer, 7);
    EXPECT_EQ(store->LastPlayer, 2);
}

TEST_F(RecordEditorTest, ZemritLeavesTheBodyAndSmazatLeavesNothing) {
    RulesEditors editors(side);
    store->SetEditors(&editors);
    tUnitRec& u = PlaceUnit(1, 10, 10, 3450);
    editors.unit = [](UnitEditorRules& rules) {
        rules.Die();
        return false;
    };
    EXPECT_FALSE(store->EditUnit(1));
    EXPECT_EQ(u.Used, 0);
    EXPECT_EQ(map->GetOccupancy(10, 10), 2);
    EXPECT_EQ(map->GetLinkKind(10, 10), 0);
    EXPECT_EQ(map->GetId(10, 10), 3474);

    tUnitRec& v = PlaceUnit(2, 12, 12, 3450);
    editors.unit = [](UnitEditorRules& rules) {
        rules.Delete();
        return false;
    };
    EXPECT_FALSE(store->EditUnit(2));
    EXPECT_EQ(v.Used, 0);
    EXPECT_EQ(map->GetOccupancy(12, 12), 0);
    EXPECT_EQ(map->GetId(12, 12), 0);

    // A new unit dies before it stands anywhere: no body.
    editors.unit = [](UnitEditorRules& rules) {
        rules.Die();
        return false;
    };
    EXPECT_EQ(store->AddUnit(1, 3450, 14, 14), 0);
    EXPECT_EQ(map->GetOccupancy(14, 14), 0);
}

TEST_F(RecordEditorTest, ResetWritesTheTableValuesAtOnceAndPatrolAcceptsAndArms) {
    tUnitRec& u = PlaceUnit(3, 10, 10, 3450);
    u.UtoC = 30;
    u.Zivoty = 7;
    {
        UnitEditorRules rules(*store, 3, u, &side);
        rules.Reset();
        EXPECT_EQ(u.UtoC, 10);
        EXPECT_EQ(u.ObrC, 5);
        EXPECT_EQ(u.Zivoty, 100);
        EXPECT_EQ(rules.UtoC.Text, "10");
        EXPECT_FALSE(rules.UtoC.Red());
        EXPECT_EQ(rules.MaxZivoty(), "100");
    }
    UnitEditorRules rules(*store, 3, u, &side);
    rules.Tag = "5";
    rules.Name = "Hlídka";
    ASSERT_FALSE(rules.SetPatrol());
    EXPECT_EQ(u.Tag, 5);
    EXPECT_EQ(u.UtoC, -1);
    EXPECT_EQ(armed, (std::vector<int32_t>{3}));
    rules.Tag = "99999999999";
    EXPECT_TRUE(rules.SetPatrol());
    EXPECT_EQ(armed.size(), 1u);
}

}  // namespace
}  // namespace tess
