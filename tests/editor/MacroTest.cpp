// Recorded macros: a session recorded through the window's entry points and played back on the
// pair it started from reaches the same document; the script puts each dialog's answer before
// the action that opened it; a played macro is one step of "Zpět".
#include <filesystem>

#include "EngineFixture.h"
#include "editor/MacroRecorder.h"
#include "editor/ScriptRunner.h"
#include "game/MapFiles.h"
#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

class MacroTest : public test::EngineTest {
  protected:
    MacroTest() {
        GiveTwoPlayers();
        macro = dir.File("MAPS/session.json");
        start = dir.File("MAPS/start.map");
    }

    // The window's mouse: a move reaches a cell, then the press or release acts there.
    void MoveTo(TPoint cell) {
        Mouse().MoveToCell(cell);
        session->MouseMove(0, 0);
    }
    void Down(MouseButton button = MouseButton::Left) { session->MouseDown(button, 0, 0); }
    void Up(MouseButton button = MouseButton::Left) { session->MouseUp(button, 0, 0); }
    void ClickAt(TPoint cell, MouseButton button = MouseButton::Left) {
        MoveTo(cell);
        Down(button);
        Up(button);
    }
    void Drag(std::initializer_list<TPoint> cells) {
        MoveTo(*cells.begin());
        Down();
        for (TPoint cell : cells)
            MoveTo(cell);
        Up();
    }

    // The whole document: every cell of the map storage and the game data's file.
    struct Document {
        int32_t Width = 0, Height = 0;
        std::vector<tMapCell> Cells;
        std::vector<uint8_t> Sav;
        bool operator==(const Document&) const = default;
    };
    Document Now() {
        const tMapa& map = Map();
        // The file is made from a copy: writing it trims the records of the store it is made of.
        auto copy = std::make_unique<tKalistor>();
        const tKalistor& store = Store();
        copy->Players = store.Players;
        copy->PlayerCount = store.PlayerCount;
        copy->Settlements = store.Settlements;
        copy->SettlementCount = store.SettlementCount;
        copy->Buildings = store.Buildings;
        copy->BuildingCount = store.BuildingCount;
        copy->Units = store.Units;
        copy->UnitCount = store.UnitCount;
        return {map.Width, map.Height,
                std::vector<tMapCell>(map.Cells(), map.Cells() + size_t{kMapStorage} * kMapStorage),
                copy->SaveToBytes()};
    }

    // The pair the recording starts from, written as it is.
    void WriteStart() {
        ASSERT_TRUE(tess::WriteMapPair(Map(), Store(), tMapa::ViewCentreOf(session->View()), start,
                                       GameDataName(start), nullptr)
                        .Saved());
    }
    void OpenStart() {
        ASSERT_TRUE(session->LoadMapFiles(start, GameDataName(start)));
        session->Modified = false;
    }

    nlohmann::json ReadMacro() {
        const std::vector<uint8_t> bytes = test::ReadFileBytes(macro);
        return nlohmann::json::parse(bytes.begin(), bytes.end());
    }

    std::string macro;
    std::string start;
};

TEST_F(MacroTest, ARecordedSessionPlayedOnItsStartingPairReachesTheSameDocument) {
    Tools().PressTerrainButton(9);
    WriteStart();
    OpenStart();
    ClickAt({100, 100});  // before the recording: "Zpět" inside it must not reach this
    WriteStart();
    const Document before = Now();

    session->StartRecording(macro, 4242);
    EXPECT_TRUE(session->IsChecked(MenuCommand::RecordMacro));
    // Terrain, levels along a line, trees whose choice draws on the random source.
    Tools().PressTerrainButton(5);
    Tools().SetPenRadius(1);
    Drag({{20, 20}, {25, 22}, {30, 30}});
    Tools().SelectLevelTool(6);
    Tools().SetPenMode(kPenLine);
    Drag({{40, 10}, {50, 15}, {55, 20}});
    Tools().SetPenMode(kPenFree);
    tAddPack pines = Entry(test::kPine, test::kPine, kOwnerObject);
    Tools().SelectPlacement(pines, true);
    Tools().SetPenRadius(3);
    Drag({{60, 30}, {70, 34}});
    // A deposit whose amount is refused once, a second click cancelled, a third changing it.
    Tools().SelectPlacement(Entry(232, 232, kOwnerObject), false);
    Tools().SetPenRadius(0);
    engine.amounts = {AmountReply{"zlato", -1}, AmountReply{"1500", -1}};
    ClickAt({80, 80});
    engine.amounts = {std::nullopt};
    ClickAt({80, 80});
    engine.amounts = {AmountReply{"900", -1}};
    ClickAt({80, 80});
    // The bones building, its bar moved.
    Tools().SelectPlacement(Entry(212, 89, kOwnerBuilding), false);
    engine.amounts = {AmountReply{"300", 50}};
    ClickAt({40, 60});
    ASSERT_EQ(Store().Buildings[1].ProcVystavby, 50);
    // A unit whose editor changed it, another whose editor was cancelled.
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SelectPlacement(knight, false);
    editors.onUnit = [](tUnitRec& unit) { unit.Tag = 77; };
    ClickAt({90, 40});
    editors.onUnit = nullptr;
    editors.answers = {false};
    ClickAt({96, 40});
    // The middle button's cell parameters.
    CellParamTexts params;
    params.fill("0");
    params[0] = "12";
    engine.params = {params};
    ClickAt({5, 5}, MouseButton::Middle);
    // A copy pasted elsewhere, an option, a map-wide command, undo and redo, a resize.
    session->Run(MenuCommand::CopyRectangle);
    Drag({{18, 18}, {32, 32}});
    session->Run(MenuCommand::Paste);
    ClickAt({100, 60});
    session->Run(MenuCommand::ToggleWallChange);
    session->Run(MenuCommand::DeleteTrees);
    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Undo);
    session->Run(MenuCommand::Redo);
    engine.inputAnswers = {"120", "110"};
    session->Run(MenuCommand::ResizeMap);
    ASSERT_EQ(Map().Width, 120);
    // Undo reaches back to the start of the recording and no further.
    for (int i = 0; i < 40; ++i)
        session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == before);
    for (int i = 0; i < 40; ++i)
        session->Run(MenuCommand::Redo);
    ASSERT_TRUE(session->StopRecording());
    EXPECT_FALSE(session->IsChecked(MenuCommand::RecordMacro));
    const Document recorded = Now();
    ASSERT_FALSE(recorded == before);
    EXPECT_EQ(Store().Units[1].Tag, 77);

    // The script: the seed, and each answer before the press that asked for it.
    const nlohmann::json script = ReadMacro();
    EXPECT_EQ(script["seed"], 4242);
    const nlohmann::json& actions = script["actions"];
    size_t zlato = actions.size();
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == nlohmann::json{{"answer", "zlato"}}) zlato = i;
    ASSERT_LT(zlato + 2, actions.size());
    EXPECT_EQ(actions[zlato + 1], (nlohmann::json{{"answer", "1500"}}));
    EXPECT_EQ(actions[zlato + 2], (nlohmann::json{{"press", {80, 80}}}));
    EXPECT_TRUE(std::find(actions.begin(), actions.end(),
                          nlohmann::json{{"answer", {{"text", "300"}, {"scroll", 50}}}}) !=
                actions.end());

    // Played where the recording started, whatever the tools and options are now.
    Tools().PressTerrainButton(2);
    Tools().SetPenRadius(6);
    session->Run(MenuCommand::ToggleWallChange);
    OpenStart();
    ASSERT_TRUE(Now() == before);
    ASSERT_TRUE(session->PlayMacro(macro));
    EXPECT_TRUE(Now() == recorded);
    EXPECT_TRUE(session->Modified);

    // One "Zpět" takes the whole macro back, "Znovu" brings it again.
    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == before);
    session->Run(MenuCommand::Redo);
    EXPECT_TRUE(Now() == recorded);

    // "map edit" runs the same script.
    OpenStart();
    {
        ScriptRunner runner(*session);
        runner.RunAll(ReadEditScript(std::string(script.dump())));
    }
    EXPECT_TRUE(Now() == recorded);
}

TEST_F(MacroTest, TheGameDataEditorsAnswersAreWrittenAsTheDialogLeftTheRecord) {
    WriteStart();
    OpenStart();
    session->StartRecording(macro, 1);
    tAddPack knight = Entry(test::kKnightPicture, 0, kOwnerUnit);
    knight.Extra = 1;
    Tools().SelectPlacement(knight, false);
    editors.onUnit = [](tUnitRec& unit) {
        unit.Tag = 5;
        unit.Smer = 3;
    };
    ClickAt({30, 30});
    editors.onUnit = nullptr;
    editors.onPlayer = [](tPlayerRec& player) { player.Name.Set("Zeleny"); };
    session->Run(MenuCommand::EditPlayer, 2);
    editors.onPlayer = nullptr;
    ASSERT_TRUE(session->StopRecording());
    const Document recorded = Now();
    ASSERT_EQ(Store().Players[2].Name.Get(), "Zeleny");

    const nlohmann::json actions = ReadMacro()["actions"];
    bool unitAnswer = false, playerAnswer = false;
    for (const nlohmann::json& action : actions) {
        if (!action.contains("answer") || !action["answer"].is_object()) continue;
        const nlohmann::json& answer = action["answer"];
        EXPECT_EQ(answer["button"], "ok");
        if (answer["fields"].contains("Smer")) {
            unitAnswer = true;
            EXPECT_EQ(answer["fields"]["Smer"], 3);
            EXPECT_EQ(answer["fields"]["Tag"], "5");
        }
        if (answer["fields"].contains("MaxBuild")) {
            playerAnswer = true;
            EXPECT_EQ(answer["fields"]["Name"], "Zeleny");
        }
    }
    EXPECT_TRUE(unitAnswer);
    EXPECT_TRUE(playerAnswer);

    OpenStart();
    ASSERT_TRUE(session->PlayMacro(macro));
    EXPECT_TRUE(Now() == recorded);
}

TEST_F(MacroTest, APlayThatFailsSaysWhereAndWhatItDidIsOneStep) {
    WriteStart();
    const Document before = Now();
    test::TempDir files;
    const std::string bad = files.Write(
        "bad.json", std::string(R"({"actions": [{"terrain": 3}, {"stroke": [[10, 10], [20, 10]]},
                                    {"stroke": [[10, 10], [5000, 10]]}]})"));
    EXPECT_FALSE(session->PlayMacro(bad));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("(akce 3)"), std::string::npos) << ui.messages.back();
    EXPECT_EQ(Map().GetTerrain(15, 10), 3);
    session->Run(MenuCommand::Undo);
    EXPECT_TRUE(Now() == before);

    const std::string damaged = files.Write("damaged.json", std::string("{\"actions\": ["));
    ui.Reset();
    EXPECT_FALSE(session->PlayMacro(damaged));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("not valid JSON"), std::string::npos);
    EXPECT_FALSE(session->PlayMacro(dir.File("MAPS/none.json")));

    // No macro plays while one records.
    session->StartRecording(macro, 2);
    const std::string good = files.Write("good.json", std::string(R"({"actions": []})"));
    EXPECT_FALSE(session->PlayMacro(good));
}

}  // namespace
}  // namespace tess
