// Scripts through the engine: the verbs, the answers for the dialogs their actions open, the
// unanswered ones, and what makes a script wrong.
#include "editor/ScriptRunner.h"

#include "EngineFixture.h"
#include "editor/OptionToggles.h"

namespace tess {
namespace {

using nlohmann::json;

class ScriptTest : public test::EngineTest {
  protected:
    // Runs the script's actions; the error's action index and text when one is wrong.
    std::string RunScript(const char* text) {
        try {
            runner.RunAll(ReadEditScript(text));
        } catch (const ScriptError& e) {
            return (e.Action ? std::to_string(*e.Action) + ": " : std::string()) + e.what();
        }
        return "";
    }

    ScriptRunner runner{*session};
};

TEST_F(ScriptTest, ToolVerbsSetTheToolStateAsThePalettesDo) {
    EXPECT_EQ(RunScript(R"({"actions": [{"terrain": 7}, {"radius": 3}, {"pen": "line"}]})"), "");
    EXPECT_EQ(State().ToolCode, 7);
    EXPECT_EQ(State().PenRadius, 3);
    EXPECT_EQ(State().PenMode, kPenLine);
    EXPECT_EQ(Tools().Marks().TerrainDown, 7);
    EXPECT_EQ(RunScript(R"({"actions": [{"level": 6}, {"wall": 9}, {"layers": 31}]})"), "");
    EXPECT_EQ(State().ToolCode, kWallTool);
    EXPECT_EQ(State().CurrentPack.IdObject, 9);
    EXPECT_EQ(RunScript(R"({"actions": [{"delete": true}, {"pen": "fill"}]})"), "");
    EXPECT_EQ(State().ToolCode, kDeleteTool);
    EXPECT_EQ(State().PenRadius, 0);
    EXPECT_EQ(RunScript(R"({"actions": [{"place": {"IdObject": 300, "Id": 300, "Name": "Jedle",
        "TreeLetters": "jl", "TreeWeights": [60, 40], "Spacing": 2, "RandomShade": 1}}]})"),
              "");
    const tAddPack& pack = State().CurrentPack;
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(pack.Name, "Jedle");
    EXPECT_EQ(pack.TreeWeights, std::string("\x3c\x28"));
    EXPECT_EQ(pack.Spacing, 2);
    EXPECT_EQ(pack.RandomShade, 1);
    EXPECT_EQ(pack.OwnerClass, kOwnerObject);
    EXPECT_EQ(runner.ActionsRun(), 9);
}

TEST_F(ScriptTest, OptionsAreSetByTheirCaptionsAndReachTheirReaders) {
    EXPECT_EQ(RunScript(R"({"actions": [
        {"option": "Vidět neprůchozví", "checked": true},
        {"option": "Vidět neprůchozví", "checked": true},
        {"option": "Změna zdí", "checked": true},
        {"option": "Editovat nové budovy", "checked": false}]})"),
              "");
    EXPECT_TRUE(session->Options.ShowBlocked);
    EXPECT_TRUE(session->Options.WallChange);
    EXPECT_FALSE(Store().EditNewBuildings);
    EXPECT_EQ(RunScript(R"({"actions": [{"option": "Neexistuje", "checked": true}]})"),
              "0: no option \"Neexistuje\" in \"Nastavení\"");
}

TEST_F(ScriptTest, AnswersAreTakenInOrderAndMissingOnesAreCounted) {
    EXPECT_EQ(RunScript(R"({"actions": [
        {"place": {"IdObject": 232, "Id": 232}},
        {"answer": "hodně"}, {"answer": 70000}, {"answer": 700},
        {"click": [40, 40]},
        {"place": {"IdObject": 233, "Id": 233}},
        {"click": [60, 40]}]})"),
              "");
    const TPoint gold = Map().Neighbour(40, 40, kDirLeft);
    const TPoint iron = Map().Neighbour(60, 40, kDirLeft);
    EXPECT_EQ(Map().GetId(gold.X, gold.Y), 700);
    EXPECT_EQ(Map().GetId(iron.X, iron.Y), 1);  // cancelled: the least amount there is
    EXPECT_EQ(runner.Unanswered(), 1);
    EXPECT_EQ(Map().GetId(60, 40), 233);

    // "secret value": the fields named are written, the rest keep what they showed.
    const TPoint right = Map().Neighbour(80, 80, kDirRight);
    Map().SetId(right.X, right.Y, 31);
    EXPECT_EQ(RunScript(R"({"actions": [{"answer": {"Edit1": "12", "Edit3": 44}},
        {"click": [80, 80], "button": "middle"}]})"),
              "");
    const TPoint upRight = Map().Neighbour(80, 80, kDirUpRight);
    const TPoint downRight = Map().Neighbour(80, 80, kDirDownRight);
    EXPECT_EQ(Map().GetId(upRight.X, upRight.Y), 12);
    EXPECT_EQ(Map().GetId(right.X, right.Y), 31);
    EXPECT_EQ(Map().GetId(downRight.X, downRight.Y), 44);
}

TEST_F(ScriptTest, EditorDialogsTakeTheirAnswersAndOthersCanBeInstalled) {
    const char* script = R"({"actions": [
        {"option": "Editovat nové budovy", "checked": false},
        {"place": {"IdObject": 500, "Id": 11, "OwnerClass": 1}},
        {"answer": {"button": "ok", "fields": {"Tag": 9, "ProcVystavby": 99}}},
        {"click": [30, 30]},
        {"click": [50, 30]}]})";
    // At 99 % the building keeps the entry's picture, which the catalogue holds.
    EXPECT_EQ(RunScript(script), "");
    EXPECT_EQ(Store().BuildingCount, 1);
    EXPECT_EQ(Store().Buildings[1].Tag, 9);
    EXPECT_EQ(runner.Unanswered(), 1);  // the second building found no answer
    EXPECT_EQ(runner.Answers().Pending(), 0u);

    runner.InstallEditorDialogs(&editors);
    EXPECT_EQ(RunScript(R"({"actions": [{"click": [70, 30]}]})"), "");
    EXPECT_EQ(Store().Buildings[2].Used, 1);
    EXPECT_EQ(editors.opened, std::vector<std::string>{"building 2"});
}

TEST_F(ScriptTest, TheSameSeedGivesTheSameMap) {
    const char* script = R"({"seed": 99, "actions": [{"terrain": 2}, {"radius": 4},
        {"stroke": [[10, 10], [60, 90], [120, 20]]},
        {"place": {"IdObject": 101, "Id": 101, "RandomShade": 1}}, {"click": [64, 64]}]})";
    EXPECT_EQ(RunScript(script), "");
    const std::vector<tMapCell> first(Map().Cells(), Map().Cells() + kMapStorage * 130);
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "undo"}]})"), "");
    EXPECT_EQ(RunScript(script), "");
    EXPECT_TRUE(std::equal(first.begin(), first.end(), Map().Cells()));
}

TEST_F(ScriptTest, WrongScriptsNameTheActionAtFault) {
    EXPECT_EQ(RunScript(R"({"actions": [{"terrain": 2}, {"paint": [1, 2]}]})"),
              "1: unknown verb \"paint\"");
    EXPECT_EQ(RunScript(R"({"actions": [{"click": [128, 5]}]})"),
              "0: the cell [128, 5] is outside the map (128 x 128)");
    EXPECT_EQ(RunScript(R"({"actions": [{"click": [-1, 5]}]})"),
              "0: the cell [-1, 5] is outside the map (128 x 128)");
    EXPECT_EQ(RunScript(R"({"actions": [{"click": [1, 5], "buton": "left"}]})"),
              "0: unknown key \"buton\" for \"click\"");
    EXPECT_EQ(RunScript(R"({"actions": [{"press": [1, 5], "button": "both"}]})"),
              "0: \"button\" must be \"left\", \"right\" or \"middle\"");
    EXPECT_EQ(RunScript(R"({"actions": [{"radius": 14}]})"),
              "0: \"radius\" must be a whole number from 0 to 13");
    EXPECT_EQ(RunScript(R"({"actions": [{"terrain": 2.5}]})"),
              "0: \"terrain\" must be a whole number from 0 to 14");
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "resize", "width": 3000, "height": 5}]})"),
              "0: \"width\" must be a whole number from 1 to 2047");
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "new-map", "width": 100, "height": 500}]})"),
              "0: \"width\" must be a whole number from 128 to 2047");
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "undo", "file": "x"}]})"),
              "0: \"undo\" takes no \"file\"");
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "load-clip", "file": "/nowhere/x.clp"}]})"),
              "0: the clip file \"/nowhere/x.clp\" could not be read");
    EXPECT_EQ(RunScript(R"({"actions": [{"place": {"IdObjekt": 5}}]})"),
              "0: unknown entry field \"IdObjekt\"");
    EXPECT_EQ(RunScript(R"({"actions": [{"stroke": []}]})"),
              "0: \"stroke\" must be a non-empty array of cells");
    EXPECT_EQ(RunScript(R"({"actions": [5]})"), "0: an action must be a JSON object");
    EXPECT_EQ(RunScript(R"({"actions": [{}]})"), "0: unknown verb \"\"");
    EXPECT_EQ(RunScript(R"({"actions": []})"), "");
    EXPECT_EQ(RunScript(R"({"actions": [)"), "the script is not valid JSON");
    EXPECT_EQ(RunScript(R"([])"), "the script must be a JSON object");
    EXPECT_EQ(RunScript(R"({"seed": 1})"), "the script has no \"actions\"");
    EXPECT_EQ(RunScript(R"({"seed": -1, "actions": []})"),
              "\"seed\" must be a whole number of 0 or more");
    EXPECT_EQ(RunScript(R"({"actions": [], "macro": 1})"), "unknown key \"macro\" in the script");
}

TEST_F(ScriptTest, MapCommandsRunWithTheSizesTheyAreGiven) {
    EXPECT_EQ(RunScript(R"({"actions": [{"command": "new-map", "width": 300, "height": 200},
        {"command": "resize", "width": 150, "height": 100}]})"),
              "");
    EXPECT_EQ(Map().Width, 150);
    EXPECT_EQ(Map().Height, 100);
    EXPECT_EQ(session->FileName, "");
}

TEST(ScriptRunnerPorts, TheSessionGetsItsOwnDialogsBackWhenTheRunnerEnds) {
    test::ScopedTestUi ui;
    MemorySettings settings;
    HeadlessWindow window;
    SessionSetup setup;
    setup.Settings = &settings;
    setup.Walls = WallTableSource::None;
    EditorSession session(setup, window);
    test::ScriptedEngine engine;
    session.Ports() = engine.Ports();
    {
        ScriptRunner runner(session);
        EXPECT_NE(session.Ports().Amount, static_cast<AmountDialogPort*>(&engine));
        EXPECT_NE(session.Store().Editors(), nullptr);
    }
    EXPECT_EQ(session.Ports().Amount, static_cast<AmountDialogPort*>(&engine));
    EXPECT_EQ(session.Ports().CellParams, static_cast<CellParamsDialogPort*>(&engine));
    EXPECT_EQ(session.Store().Editors(), nullptr);
}

}  // namespace
}  // namespace tess
