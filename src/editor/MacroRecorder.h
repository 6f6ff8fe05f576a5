// "Nahrát makro": what the designer does through the engine, written as an edit script that
// "Přehrát makro..." and "tessarine-cli map edit" replay.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "editor/EnginePorts.h"
#include "editor/MainMenu.h"
#include "game/AddPack.h"
#include "game/EditorDialogs.h"
#include "resources/Utils.h"

namespace tess {

class EditorSession;

// Records one macro. The session tells it about every press, move, release and command of the
// window; while it lives it stands between the engine and the window's dialogs (amount, cell
// parameters, clip files, the game-data editors) and writes down what they answered.
//
// A replay starts in the state the recording started in (the same pair, the seed the script
// names) and must reach the same state after every action. The tool state is not written when
// the palettes change it but before the next press or command, as the verbs that give the
// session's state from whatever the replay holds; the dialogs' answers are put before the action
// that opened them, as the script's queued answers.
class MacroRecorder {
  public:
    MacroRecorder(EditorSession& session, uint64_t seed);
    ~MacroRecorder();
    MacroRecorder(const MacroRecorder&) = delete;
    MacroRecorder& operator=(const MacroRecorder&) = delete;

    // --- what the window did ------------------------------------------------------------------
    // Before the press goes to the engine (the cell under the mouse is the one the last move
    // reached).
    void Press(MouseButton button);
    // After a move: written when it reached another cell.
    void Moved();
    // Before the release goes to the engine.
    void Release(MouseButton button);
    // Around a menu command: the verb goes before it, or after it for the commands whose values
    // only the command's own dialog knows (a new size, a clip file).
    void BeforeCommand(MenuCommand command, int arg1);
    void AfterCommand(MenuCommand command);
    // "Nová mapa" made a map of this size.
    void NewMap(int32_t width, int32_t height);

    // The recording ends: the view's place, which a saved map keeps, closes the script.
    void Finish();

    // The script so far: {"seed": N, "actions": [...]}.
    nlohmann::json Script() const;
    size_t ActionCount() const { return actions_.size(); }
    // Writes the script crash-safely; raises IoError.
    void WriteTo(const std::string& path) const;

  private:
    class Dialogs;

    // The tool verbs that bring a replay from the state last written to the session's state.
    void SyncTools();
    // Starts an action: the answers of the dialogs it opens go before it.
    void Begin(nlohmann::json action);
    void Answer(nlohmann::json answer);
    TPoint UnderMouse() const;

    // The tool state as the replay holds it after the actions written so far.
    struct Tools {
        int32_t ToolCode = 0;
        int32_t PenRadius = 0;
        uint8_t PenMode = 0;
        tAddPack Pack;
        uint8_t Layers = 63;
        friend bool operator==(const Tools&, const Tools&) = default;
    };
    Tools Now() const;

    EditorSession& session_;
    uint64_t seed_;
    nlohmann::json actions_ = nlohmann::json::array();
    size_t answerAt_ = 0;  // where the current action's answers go
    Tools written_;
    std::optional<TPoint> lastCell_;
    std::optional<std::pair<int32_t, int32_t>> sizeBefore_;
    std::optional<std::string> clipFile_;  // the clip file the last dialog chose
    std::unique_ptr<Dialogs> dialogs_;
};

}  // namespace tess
