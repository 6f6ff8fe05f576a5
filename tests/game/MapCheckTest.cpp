// The map check: kinds, findings and their order, deposit anchors, what a finding opens.
#include "game/MapCheck.h"

#include <gtest/gtest.h>

#include <memory>

#include "GameFixture.h"
#include "map/MapDat.h"

namespace tess {
namespace {

class MapCheckTest : public ::testing::Test {
  protected:
    MapCheckTest() : map(std::make_unique<tMapa>()), store(std::make_unique<tKalistor>()) {
        Random random(9);
        map->Create(40, 30, random, WallTableSource::None);
        store->SetEditors(&editors);
    }

    void AddPlayer(int32_t index) {
        store->Players[static_cast<size_t>(index)].Used = 1;
        store->PlayerCount = std::max(store->PlayerCount, index);
    }
    void AddSettlement(int32_t index, int32_t owner) {
        tSettlementRec& s = store->Settlements[static_cast<size_t>(index)];
        s.Used = 1;
        s.IdPlayer = owner;
        store->SettlementCount = std::max(store->SettlementCount, index);
    }
    void AddBuilding(int32_t index, int32_t x, int32_t y, int32_t settlement, int32_t type = 12,
                     int32_t tag = 0) {
        tBuildingRec& b = store->Buildings[static_cast<size_t>(index)];
        b.Used = 1;
        b.IdBuilding = type;
        b.IdTouwn = settlement;
        b.Tag = tag;
        b.X = x;
        b.Y = y;
        store->BuildingCount = std::max(store->BuildingCount, index);
        Anchor(x, y, 1, index);
    }
    void AddUnit(int32_t index, int32_t x, int32_t y, int32_t owner) {
        tUnitRec& u = store->Units[static_cast<size_t>(index)];
        u.Used = 1;
        u.IdPlayer = owner;
        u.X = x;
        u.Y = y;
        store->UnitCount = std::max(store->UnitCount, index);
        Anchor(x, y, 2, index);
    }
    void Anchor(int32_t x, int32_t y, int kind, int id) {
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, kind);
        map->SetId(x, y, id);
    }
    // A deposit of the given type with its anchor at (x, y) and a 2 x 2 footprint.
    void Deposit(int32_t x, int32_t y, int type) {
        for (int r = 0; r < 2; ++r) {
            TPoint p{x, y};
            for (int i = 0; i < r; ++i)
                p = map->Neighbour(p.X, p.Y, kDirUpLeft);
            for (int c = 0; c < 2; ++c) {
                map->SetOccupancy(p.X, p.Y, r == 0 && c == 0 ? 2 : 1);
                map->SetLinkKind(p.X, p.Y, 0);
                map->SetId(p.X, p.Y, type);
                p = map->Neighbour(p.X, p.Y, kDirUpRight);
            }
        }
    }

    std::vector<std::string> Lines(const tMapCheck& check) {
        std::vector<std::string> lines;
        for (const CheckFinding& f : check.Findings())
            lines.push_back(f.Line());
        return lines;
    }

    test::ScopedTestUi ui;
    test::ScriptedEditors editors;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tKalistor> store;
};

TEST_F(MapCheckTest, OnePlayerAndNothingElseGivesOnlyTheTooFewPlayersFinding) {
    AddPlayer(1);
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    ASSERT_EQ(check.Findings().size(), 1u);
    EXPECT_EQ(check.Findings()[0].Code, 11);
    EXPECT_EQ(check.Findings()[0].Line(), "Musí být založeni alespoň dva hráči!");
    EXPECT_TRUE(ui.messages.empty());

    AddPlayer(2);
    EXPECT_EQ(check.Check(kCheckFull, true), 0);
    EXPECT_TRUE(check.Findings().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MapCheckTest, DeadPlayersDoNotCount) {
    AddPlayer(1);
    AddPlayer(2);
    store->Players[2].Used = 0;
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.PlayerCount(), 1);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    // A live record above the count is not a player either.
    store->Players[2].Used = 1;
    store->PlayerCount = 1;
    EXPECT_EQ(check.PlayerCount(), 1);
}

TEST_F(MapCheckTest, SmallKindsReturnTheirCodeAndShowItWhenAsked) {
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckNothing, true), 0);
    EXPECT_EQ(check.Check(kCheckPlayers, false), 1);
    EXPECT_EQ(check.Check(kCheckPlayersToo, false), 1);
    EXPECT_EQ(check.Check(kCheckSettlements, false), 2);
    EXPECT_EQ(check.Check(3, true), 0);  // not a kind
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(check.Check(kCheckSettlements, true), 2);
    EXPECT_EQ(check.Check(kCheckFull, true), -1);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], "Není založena žádná usedlost.");
    EXPECT_EQ(ui.messages[1], "V mapě byly nalezeny chyby.");

    AddPlayer(3);
    AddSettlement(2, 3);
    EXPECT_EQ(check.Check(kCheckPlayers, false), 0);
    EXPECT_EQ(check.Check(kCheckSettlements, false), 0);
    EXPECT_EQ(check.SettlementCount(), 1);
}

TEST_F(MapCheckTest, UnitOfNoPlayerIsReportedAtItsCell) {
    AddPlayer(1);
    AddPlayer(2);
    AddUnit(1, 12, 7, 0);
    AddUnit(2, 13, 7, 2);  // a live owner
    AddUnit(3, 14, 7, 9);  // an owner that does not exist
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    EXPECT_EQ(Lines(check), (std::vector<std::string>{"Jednotka nepatří žádnému hráči. [12,7]",
                                                      "Jednotka nepatří žádnému hráči. [14,7]"}));
    EXPECT_EQ(check.Findings()[0].CellKey(), 7 * 65536 + 12);
}

TEST_F(MapCheckTest, FindingsInColumnOrRowZeroHaveNoCellSuffix) {
    AddPlayer(1);
    AddPlayer(2);
    AddUnit(1, 0, 5, 0);
    AddUnit(2, 6, 0, 0);
    AddUnit(3, 0, 0, 0);
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    EXPECT_EQ(Lines(check), (std::vector<std::string>{"Jednotka nepatří žádnému hráči.",
                                                      "Jednotka nepatří žádnému hráči.",
                                                      "Jednotka nepatří žádnému hráči."}));
    // The line still keeps the cell, so that choosing it opens the unit.
    EXPECT_EQ(check.Findings()[0].CellKey(), 0 * 65536 + 0);
    EXPECT_EQ(check.Findings()[1].CellKey(), 0 * 65536 + 6);
    EXPECT_EQ(check.Findings()[2].CellKey(), 5 * 65536 + 0);
}

TEST_F(MapCheckTest, BuildingsNeedALiveSettlementOfALivePlayerAndAmountBuildingsAnAmount) {
    AddPlayer(1);
    AddPlayer(2);
    AddSettlement(1, 1);  // fine
    AddSettlement(2, 5);  // its owner is no player
    AddBuilding(1, 3, 3, 1);
    AddBuilding(2, 4, 3, 2);
    AddBuilding(3, 5, 3, 7);  // no such settlement
    AddBuilding(4, 6, 3, 1, 89, 0);
    AddBuilding(5, 7, 3, 0, 89, 0);  // the amount is missing: the settlement is not looked at
    AddBuilding(6, 8, 3, 1, 89, 500);
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    EXPECT_EQ(Lines(check), (std::vector<std::string>{
                                "Usedlost nemá vyplněného hráče.",
                                "Usedlost nemá vyplněného hráče. [4,3]",
                                "Budova nemá vyplňenou usedlost. [5,3]",
                                "Důl nemá vyplněn počet suroviny. [6,3]",
                                "Důl nemá vyplněn počet suroviny. [7,3]",
                            }));
}

TEST_F(MapCheckTest, FindingsComeInTheirOrderAndBrokenLinksAreReported) {
    AddPlayer(1);
    AddSettlement(1, 0);
    AddUnit(1, 20, 9, 0);
    AddBuilding(1, 3, 20, 0);
    AddUnit(2, 5, 9, 0);
    Anchor(30, 25, 2, 60000);  // a unit index beyond the array
    Anchor(31, 25, 1, 50000);  // and a building one
    // The extra column and row belong to the storage the cells reach: checked too.
    Anchor(40, 30, 2, 0);
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    std::vector<int> codes;
    std::vector<int32_t> keys;
    for (const CheckFinding& f : check.Findings()) {
        codes.push_back(f.Code);
        keys.push_back(f.CellKey());
    }
    EXPECT_EQ(codes, (std::vector<int>{11, 3, 5, 5, 4, 5, 4, 5}));
    EXPECT_EQ(keys, (std::vector<int32_t>{0, 0, 9 * 65536 + 5, 9 * 65536 + 20, 20 * 65536 + 3,
                                          25 * 65536 + 30, 25 * 65536 + 31, 30 * 65536 + 40}));

    // Each full check starts a new list.
    check.Check(kCheckFull, false);
    EXPECT_EQ(check.Findings().size(), 8u);
}

TEST_F(MapCheckTest, DepositsNeedAnAmountLeftOfTheirAnchor) {
    AddPlayer(1);
    AddPlayer(2);
    Deposit(10, 10, kGoldDeposit);
    Deposit(20, 10, kIronDeposit);
    map->SetId(19, 10, 250);  // the iron deposit's amount
    Deposit(30, 20, 234);     // another object: no amount needed
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), -1);
    EXPECT_EQ(Lines(check), (std::vector<std::string>{"Důl nemá vyplněn počet suroviny. [10,10]"}));
    map->SetId(9, 10, 1);
    EXPECT_EQ(check.Check(kCheckFull, false), 0);
}

TEST_F(MapCheckTest, DepositAnchorSearchFollowsTheFootprintDown) {
    Deposit(10, 10, kGoldDeposit);
    const TPoint left = map->Neighbour(10, 10, kDirUpLeft);
    const TPoint top = map->Neighbour(left.X, left.Y, kDirUpRight);
    ASSERT_EQ(map->GetOccupancy(top.X, top.Y), 1);
    EXPECT_EQ(FindDepositAnchor(*map, top.X, top.Y), (TPoint{10, 10}));
    // An anchor is its own, even with another deposit of the kind right below it.
    Anchor(10, 11, 0, kGoldDeposit);
    EXPECT_EQ(FindDepositAnchor(*map, 10, 10), (TPoint{10, 10}));
    // A footprint cell that leads nowhere gives up.
    map->SetOccupancy(25, 25, 1);
    map->SetId(25, 25, kGoldDeposit);
    EXPECT_EQ(FindDepositAnchor(*map, 25, 25), std::nullopt);
}

TEST_F(MapCheckTest, ProgressFollowsEveryRowOfTheFullCheck) {
    struct Recorder : CheckProgress {
        int32_t maximum = -1;
        std::vector<int32_t> rows;
        void Start(int32_t m) override { maximum = m; }
        void Position(int32_t row) override { rows.push_back(row); }
    } progress;
    tMapCheck check(*map, *store);
    check.Check(kCheckFull, false, &progress);
    EXPECT_EQ(progress.maximum, 30);
    ASSERT_EQ(progress.rows.size(), 31u);
    EXPECT_EQ(progress.rows.front(), 0);
    EXPECT_EQ(progress.rows.back(), 30);
}

TEST_F(MapCheckTest, ChoosingAFindingOpensTheEditorOfWhatStandsThere) {
    AddBuilding(3, 5, 6, 0);
    AddUnit(2, 7, 8, 0);
    Anchor(9, 9, 0, 100);
    tMapCheck check(*map, *store);
    editors.answers = {true, false};
    EXPECT_TRUE(check.OpenFinding(6 * 65536 + 5));
    EXPECT_FALSE(check.OpenFinding(8 * 65536 + 7));
    EXPECT_FALSE(check.OpenFinding(9 * 65536 + 9));  // a plain object
    EXPECT_FALSE(check.OpenFinding(0));              // an empty cell
    EXPECT_FALSE(check.OpenFinding(5000 * 65536));   // not on the map
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"building 3", "unit 2"}));
}

}  // namespace
}  // namespace tess
