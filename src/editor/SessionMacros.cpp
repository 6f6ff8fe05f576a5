// The editor session's recorded macros: "Nahrát makro" writes what the designer does as an edit
// script, "Přehrát makro..." plays one on the open map as one step of "Zpět".
#include <random>

#include "editor/EditorSession.h"
#include "editor/MacroRecorder.h"
#include "editor/ScriptRunner.h"
#include "editor/UndoHistory.h"
#include "resources/BigFile.h"
#include "resources/DiskFile.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr const char* kMacroFilter = "Makro Tessarine *.json|*.json";
// A macro of a whole day's work is a few megabytes; anything far larger is no macro.
constexpr uint64_t kMaxMacroBytes = uint64_t{256} << 20;

uint64_t FreshSeed() {
    std::random_device device;
    return (uint64_t{device()} << 32 | device()) & ((uint64_t{1} << 53) - 1);
}

}  // namespace

FileDialogSetup EditorSession::MacroSetup() const {
    return {kMacroFilter, "json", macroPath_.empty() ? gameDirectory_ : ExtractDir(macroPath_),
            macroPath_};
}

void EditorSession::RecordMacroCommand() {
    if (macro_) {
        StopRecording();
        return;
    }
    const std::optional<std::string> path = port_.ChooseMacroFile(MacroSetup(), true);
    RestoreCurrentDirectory();
    if (path) StartRecording(*path, FreshSeed());
}

void EditorSession::StartRecording(const std::string& path, uint64_t seed) {
    // What is undone while recording must be undone in the replay too: nothing before its start.
    History().EndStep();
    History().SetFloor();
    random_.Seed(seed);
    macroPath_ = path;
    macro_ = std::make_unique<MacroRecorder>(*this, seed);
}

bool EditorSession::StopRecording() {
    if (!macro_) return false;
    const std::unique_ptr<MacroRecorder> recorder = std::move(macro_);
    History().ClearFloor();
    recorder->Finish();
    try {
        recorder->WriteTo(macroPath_);
    } catch (const IoError& e) {
        Ui().MessageBox("Makro se nepodařilo uložit: " + std::string(e.what()), Buttons::Ok);
        return false;
    }
    return true;
}

void EditorSession::PlayMacroCommand() {
    // A macro played while one records would leave the recording without its actions.
    if (macro_) {
        Ui().Beep();
        return;
    }
    const std::optional<std::string> path = port_.ChooseMacroFile(MacroSetup(), false);
    RestoreCurrentDirectory();
    if (path) PlayMacro(*path);
}

bool EditorSession::PlayMacro(const std::string& path) {
    if (macro_) return false;
    EditScript script;
    try {
        const std::vector<uint8_t> bytes = ReadDiskFile(path, kMaxMacroBytes);
        script = ReadEditScript(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::exception& e) {
        Ui().MessageBox("Makro \"" + path + "\" nelze přehrát: " + e.what(), Buttons::Ok);
        return false;
    }
    macroPath_ = path;
    UndoHistory& history = History();
    history.EndStep();
    history.SetFloor();
    bool played = true;
    std::string failure;
    {
        ScriptRunner runner(*this);
        try {
            runner.RunAll(script);
        } catch (const ScriptError& e) {
            played = false;
            failure = e.what();
            if (e.Action) failure += " (akce " + std::to_string(*e.Action + 1) + ")";
        } catch (const std::exception& e) {
            played = false;
            failure = e.what();
        }
    }
    // Whatever it did is one step: one "Zpět" takes it all back.
    history.Coalesce();
    MeView();
    PrepocitejHrace();
    if (!played) Ui().MessageBox("Makro \"" + path + "\" nelze přehrát: " + failure, Buttons::Ok);
    return played;
}

}  // namespace tess
