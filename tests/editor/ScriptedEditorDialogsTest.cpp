// The game-data editors answered by scripts: fields set as the user would, buttons, the relation
// and permission answers, and clear refusals of bad answers.
#include "editor/ScriptedEditorDialogs.h"

#include <gtest/gtest.h>

#include <functional>

#include "game/EditorMapSide.h"
#include "game/GameFixture.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {
namespace {

using nlohmann::json;

class ScriptedDialogsTest : public test::GameTest {
  protected:
    ScriptedDialogsTest()
        : map(std::make_unique<tMapa>()),
          side(
              *map, [this]() -> const tObjects& { return objects; }, *store,
              [this](int32_t unit) { armed = unit; }),
          dialogs(answers, &side) {
        Random random(5);
        map->Create(64, 64, random, WallTableSource::None);
        store->SetEditors(&dialogs);
    }

    // Live players 1..count, human, every relation enemy.
    void Players(int32_t count) {
        for (int32_t i = 1; i <= count; ++i) {
            answers.Push({{"button", "ok"}, {"fields", {{"Name", "P" + std::to_string(i)}}}});
            ASSERT_EQ(store->AddPlayer(), i);
        }
    }
    tUnitRec& PlacedUnit(int32_t index, int32_t x, int32_t y) {
        tUnitRec& u = store->Units[index];
        u.Used = 1;
        u.IdPerson = 1;
        u.IdPlayer = 1;
        u.IdObject = 3450;
        u.X = x;
        u.Y = y;
        u.UtoC = u.ObrC = u.Zivoty = -1;
        store->UnitCount = std::max(store->UnitCount, index);
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, 2);
        map->SetId(x, y, index);
        return u;
    }
    // The refusal an answer gives, with the store's bytes unchanged by it.
    std::string Refusal(const std::function<void()>& open) {
        const std::vector<uint8_t> before = store->SaveToBytes();
        try {
            open();
        } catch (const ScriptAnswerError& e) {
            EXPECT_EQ(store->SaveToBytes(), before) << e.what();
            return e.what();
        }
        ADD_FAILURE() << "the answer was taken";
        return "";
    }

    std::unique_ptr<tMapa> map;
    tObjects objects;
    int32_t armed = 0;
    GridMapSide side;
    ScriptAnswers answers;
    ScriptedEditorDialogs dialogs;
};

TEST_F(ScriptedDialogsTest, APlayerAnswerSetsTheControlsBeforeOk) {
    answers.Push({{"button", "ok"},
                  {"fields",
                   {{"Name", "Modrý"},
                    {"IdRasa", 3},
                    {"RidiPocitac", true},
                    {"Povaha", 2},
                    {"Barva", 0x00FF00},
                    {"Penize", 500},
                    {"Surovina", " 60 "},
                    {"Tag", -4},
                    {"MaxBuild", 9}}}});
    ASSERT_EQ(store->AddPlayer(), 1);
    const tPlayerRec& p = store->Players[1];
    EXPECT_EQ(p.Used, 1);
    EXPECT_EQ(Cp1250ToUtf8(p.Name.Get()), "Modrý");
    EXPECT_EQ(p.IdRasa, 3);
    EXPECT_EQ(p.Povaha, 2);
    EXPECT_EQ(p.Barva, 0x00FF00);
    EXPECT_EQ(p.Penize, 500);
    EXPECT_EQ(p.Surovina, 60);
    EXPECT_EQ(p.Tag, -4);
    EXPECT_EQ(p.MaxBuild, 9);
    EXPECT_EQ(answers.Pending(), 0u);
}

TEST_F(ScriptedDialogsTest, RelationsAndPermissionsAreStoredFromThePlayersAnswer) {
    Players(3);
    answers.Push({{"button", "cancel"},
                  {"relations", {{"2", "neutral"}, {"3", "ally"}, {"1", "enemy"}}},
                  {"permissions", {{"kind", 1}, {"set-all", "ticked"}, {"clicks", {11, 43}}}}});
    EXPECT_FALSE(store->EditPlayer(1));
    const tPlayerRec& p = store->Players[1];
    EXPECT_EQ(p.Vztah[2], kNeutral);
    EXPECT_EQ(store->Players[2].Vztah[1], kNeutral);
    EXPECT_EQ(p.Vztah[3], kAlly);
    EXPECT_EQ(store->Players[3].Vztah[1], kAlly);
    EXPECT_EQ(p.Vztah[1], kEnemy);
    EXPECT_EQ(p.StavBudov[10], 3);
    EXPECT_EQ(p.StavBudov[11], 1);
    EXPECT_EQ(p.StavBudov[43], 1);

    answers.Push({{"button", "ok"}, {"permissions", {{"race", 3}, {"kind", 5}, {"clicks", {3}}}}});
    EXPECT_TRUE(store->EditPlayer(2));
    EXPECT_EQ(store->Players[2].StavJednotek[3], 1);
}

TEST_F(ScriptedDialogsTest, DeleteEndsCancelledWithThePlayerGoneAndNoAnswerCancels) {
    Players(2);
    answers.Push({{"button", "delete"}, {"fields", {{"Name", "X"}}}});
    EXPECT_FALSE(store->EditPlayer(2));
    EXPECT_EQ(store->Players[2].Used, 0);
    EXPECT_EQ(store->Players[2].Name.Get(), "P2");
    EXPECT_FALSE(store->EditPlayer(1));
    EXPECT_EQ(answers.Unanswered(), 1);
    EXPECT_EQ(store->AddPlayer(), 0);
    EXPECT_EQ(answers.Unanswered(), 2);
}

TEST_F(ScriptedDialogsTest, BadPlayerAnswersAreRefusedByNameAndChangeNothing) {
    Players(2);
    const auto refuse = [&](json answer) {
        return Refusal([&] {
            answers.Push(std::move(answer));
            store->EditPlayer(1);
        });
    };
    EXPECT_EQ(refuse({{"button", "ok"}, {"fields", {{"Jmeno", "x"}}}}),
              "player editor: unknown field \"Jmeno\"");
    EXPECT_EQ(refuse({{"button", "ok"}, {"fields", {{"Name", 5}}}}),
              "player editor: field \"Name\": expected a text");
    EXPECT_EQ(refuse({{"button", "ok"}, {"fields", {{"IdRasa", 9}}}}),
              "player editor: field \"IdRasa\": the list has no item 9");
    EXPECT_EQ(refuse({{"button", "ok"}, {"fields", {{"Barva", "red"}}}}),
              "player editor: field \"Barva\": expected a whole number");
    EXPECT_EQ(refuse({{"button", "ok"}, {"fields", {{"Povaha", 3}, {"RidiPocitac", 0}}}}),
              "player editor: field \"Povaha\": the box is enabled only while \"RidiPocitac\" is "
              "ticked");
    EXPECT_EQ(refuse({{"button", "okay"}}),
              "player editor: unknown button \"okay\", expected one of \"ok\", \"cancel\", "
              "\"delete\"");
    EXPECT_EQ(refuse(json::array()), "player editor: the answer must be an object");
    EXPECT_EQ(refuse({{"button", "ok"}, {"field", {}}}), "player editor: unknown key \"field\"");
    // Ok refuses the text: neither the relations nor the other fields are stored.
    EXPECT_EQ(refuse({{"button", "ok"},
                      {"fields", {{"Name", "Nový"}, {"Surovina", "hodně"}}},
                      {"relations", {{"2", "ally"}}}}),
              "player editor: field \"Surovina\": Ok refused it: Pole „Surovina“: „hodně“ není "
              "celé číslo.");
    EXPECT_EQ(refuse({{"button", "ok"}, {"relations", {{"7", "ally"}}}}),
              "relation editor: player \"7\" is not in the list");
    EXPECT_EQ(refuse({{"button", "ok"}, {"relations", {{"2", "friend"}}}}),
              "relation editor: player \"2\": expected \"enemy\", \"neutral\" or \"ally\"");
    EXPECT_EQ(refuse({{"button", "ok"}, {"permissions", {{"kind", 1}, {"set-all", "greyed"}}}}),
              "permission editor: \"set-all\": the greyed box is hidden for this kind");
    EXPECT_EQ(refuse({{"button", "ok"}, {"permissions", {{"clicks", {12}}}}}),
              "permission editor: type 12 is not listed for race 1, kind 1");
    EXPECT_EQ(refuse({{"button", "ok"}, {"permissions", {{"kind", 6}}}}),
              "permission editor: 6 lies outside 1..5");
    EXPECT_EQ(refuse({{"button", "ok"}, {"permissions", {{"races", 1}}}}),
              "permission editor: unknown key \"races\"");
}

TEST_F(ScriptedDialogsTest, SettlementAndBuildingAnswers) {
    Players(2);
    answers.Push({{"button", "ok"},
                  {"fields", {{"Name", "Lhota"}, {"IdPlayer", 2}, {"Tag", 3}, {"IdRasa", 1}}}});
    ASSERT_EQ(store->AddSettlement(12), 1);
    const tSettlementRec& s = store->Settlements[1];
    EXPECT_EQ(Cp1250ToUtf8(s.Name.Get()), "Lhota");
    EXPECT_EQ(s.IdPlayer, 2);
    EXPECT_EQ(s.Tag, 3);
    EXPECT_EQ(s.Usedlost, 2);
    answers.Push({{"button", "ok"}, {"fields", {{"Usedlost", 3}}}});
    EXPECT_EQ(Refusal([&] { store->EditSettlement(1); }),
              "settlement editor: field \"Usedlost\": the control only shows it");

    store->EditNewBuildings = false;
    answers.Push(
        {{"button", "ok"},
         {"fields", {{"IdTouwn", 1}, {"ProcVystavby", 20}, {"Tag", "100 kusů"}, {"Imortal", 1}}}});
    const int32_t b = store->AddBuilding(11, 510, 0);
    ASSERT_EQ(b, 1);
    const tBuildingRec& building = store->Buildings[1];
    EXPECT_EQ(building.IdTouwn, 1);
    EXPECT_EQ(building.ProcVystavby, 20);
    EXPECT_EQ(building.IdObject, 511);
    EXPECT_EQ(building.Tag, 100);
    EXPECT_EQ(building.Imortal, 1);
    answers.Push({{"button", "ok"}, {"fields", {{"ProcVystavby", 0}}}});
    EXPECT_EQ(Refusal([&] { store->EditBuilding(1); }),
              "building editor: field \"ProcVystavby\": 0 lies outside 1..100");

    // "delete" removes the building's object where it stands.
    map->SetOccupancy(5, 6, 2);
    map->SetLinkKind(5, 6, 1);
    map->SetId(5, 6, 1);
    store->Buildings[1].X = 5;
    store->Buildings[1].Y = 6;
    answers.Push({{"button", "delete"}});
    EXPECT_FALSE(store->EditBuilding(1));
    EXPECT_EQ(store->Buildings[1].Used, 0);
    EXPECT_EQ(map->GetOccupancy(5, 6), 0);
}

TEST_F(ScriptedDialogsTest, UnitButtonsDieResetAndPatrol) {
    Players(2);
    tUnitRec& u = PlacedUnit(1, 10, 10);
    answers.Push(
        {{"button", "ok"},
         {"fields", {{"Smer", 7}, {"UtoC", 10}, {"ObrC", "12"}, {"AI", 1}, {"IdPlayer", 2}}}});
    ASSERT_TRUE(store->EditUnit(1));
    EXPECT_EQ(u.Smer, 7);
    EXPECT_EQ(u.IdObject, 3457);
    EXPECT_EQ(u.UtoC, -1);
    EXPECT_EQ(u.ObrC, 12);
    EXPECT_EQ(u.AI, 1);
    EXPECT_EQ(u.IdPlayer, 2);

    answers.Push({{"button", "reset"}, {"fields", {{"Tag", 4}}}});
    ASSERT_TRUE(store->EditUnit(1));
    EXPECT_EQ(u.ObrC, -1);
    EXPECT_EQ(u.Tag, 4);

    answers.Push({{"button", "patrol"}});
    ASSERT_TRUE(store->EditUnit(1));
    EXPECT_EQ(armed, 1);

    answers.Push({{"button", "ok"}, {"fields", {{"Zivoty", "mnoho"}}}});
    EXPECT_EQ(Refusal([&] { store->EditUnit(1); }),
              "unit editor: field \"Zivoty\": Ok refused it: Pole „Životy“: „mnoho“ není celé "
              "číslo.");
    answers.Push({{"button", "ok"}, {"fields", {{"Smer", 8}}}});
    EXPECT_EQ(Refusal([&] { store->EditUnit(1); }),
              "unit editor: field \"Smer\": 8 lies outside 0..7");

    answers.Push({{"button", "die"}});
    EXPECT_FALSE(store->EditUnit(1));
    EXPECT_EQ(u.Used, 0);
    EXPECT_EQ(map->GetLinkKind(10, 10), 0);
    EXPECT_EQ(map->GetId(10, 10), 3457 + 24);
}

}  // namespace
}  // namespace tess
