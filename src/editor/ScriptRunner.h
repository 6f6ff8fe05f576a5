// Scripted edits: JSON actions in cells replayed through the editor session's engine, with the
// answers for the dialogs they open ("map edit", recorded macros).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "editor/MainWindowPort.h"
#include "editor/ScriptAnswers.h"
#include "game/AddPack.h"

namespace tess {

class EditorSession;
class EditorDialogs;

// A script that cannot run: damaged JSON, a wrong shape, an unknown verb, a bad value, a cell
// outside the map. `Action` is the index of the action at fault, none for the script itself.
struct ScriptError : std::runtime_error {
    explicit ScriptError(const std::string& what, std::optional<size_t> action = std::nullopt)
        : std::runtime_error(what), Action(action) {}
    std::optional<size_t> Action;
};

// {"seed": N, "actions": [...]}; the seed is optional.
struct EditScript {
    std::optional<uint64_t> Seed;
    nlohmann::json Actions = nlohmann::json::array();
};
// Reads a script's text; ScriptError for damaged JSON or another shape. The actions' verbs
// and values are checked when they run.
EditScript ReadEditScript(std::string_view text);

class ScriptRunner;

// An entry's fields as the "place" verb takes them (and "palette list" prints them).
nlohmann::json AddPackJson(const tAddPack& entry);

// One verb: its key in an action, the other keys an action of it may carry, and its handler.
// A handler raises ScriptError (without an index) for a bad value.
struct ScriptVerb {
    const char* Name;
    std::vector<const char*> Extras;
    void (*Run)(ScriptRunner& runner, const nlohmann::json& action);
};
// The table of verbs: the engine's, then those other parts of the editor add (one line each in
// ScriptVerbs.cpp).
std::span<const ScriptVerb> ScriptVerbs();

class ScriptRunner {
  public:
    // While the runner lives, the session's amount and cell-parameter dialogs and the store's
    // editor dialogs take their answers from Answers().
    explicit ScriptRunner(EditorSession& session);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    EditorSession& Session() { return session_; }
    ScriptAnswers& Answers() { return answers_; }
    // The store's editor dialogs while the runner runs; until others are installed, the
    // scripted ones that take their answers from Answers().
    void InstallEditorDialogs(EditorDialogs* dialogs);

    // Runs one action; ScriptError carries `index`.
    void Run(const nlohmann::json& action, size_t index);
    // Seeds the session's random source when the script has a seed, then runs every action.
    void RunAll(const EditScript& script);
    int32_t ActionsRun() const { return actionsRun_; }
    // Dialogs that found no queued answer and were cancelled.
    int32_t Unanswered() const { return answers_.Unanswered(); }
    // The view centre the last "view" action placed the view at: the centre a saved map keeps.
    const std::optional<TPoint>& ViewCentre() const { return viewCentre_; }
    void SetViewCentre(TPoint cell) { viewCentre_ = cell; }

    // File names a script gives, as the program finds them (the command-line tool: relative to
    // the directory it started in). The default keeps them as they are.
    std::function<std::string(const std::string&)> ResolvePath;

    // --- reading values, for the verb handlers (ScriptError when bad) ------------------------
    static int64_t Integer(const nlohmann::json& value, const char* what, int64_t min, int64_t max);
    static std::string Text(const nlohmann::json& value, const char* what);
    static bool Boolean(const nlohmann::json& value, const char* what);
    // A cell [x, y] of the map (0 <= x < Width, 0 <= y < Height).
    TPoint Cell(const nlohmann::json& value) const;
    // The action's "button": "left" (also when omitted), "right" or "middle".
    static MouseButton Button(const nlohmann::json& action);

  private:
    class Dialogs;

    EditorSession& session_;
    ScriptAnswers answers_;
    std::unique_ptr<Dialogs> dialogs_;
    int32_t actionsRun_ = 0;
    std::optional<TPoint> viewCentre_;
};

// The main window of a session without a display: no dialog answers, nothing is shown.
class HeadlessWindow final : public MainWindowPort {
  public:
    std::optional<std::string> ChooseMapToOpen(const FileDialogSetup&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseMapToSave(const FileDialogSetup&) override {
        return std::nullopt;
    }
    std::optional<MapSizeTexts> AskNewMapSize() override { return std::nullopt; }
    void ShowSurface(const ObjectMenuState&) override {}
    void ShowProjectMenu(const ProjectMenu&) override {}
    void SetViewCursor(ViewCursor) override {}
    CheckProgress* StartMapCheck() override { return nullptr; }
    void FinishMapCheck(const std::vector<CheckFinding>&) override {}
};

}  // namespace tess
