// The "Projekt" menu's player and settlement items as commands of edit scripts.
#include "editor/GameDataVerbs.h"

#include <array>

#include "editor/EditorSession.h"
#include "editor/ScriptRunner.h"
#include "game/Kalistor.h"

namespace tess {

namespace {

// The record named by the action's key: a live one, as the menu lists only those.
template <typename Record, size_t N>
int32_t LiveRecord(const nlohmann::json& action, const char* key,
                   const std::array<Record, N>& records, int32_t count) {
    const auto found = action.find(key);
    if (found == action.end()) throw ScriptError(std::string("the command needs \"") + key + "\"");
    const auto index = static_cast<int32_t>(ScriptRunner::Integer(*found, key, 1, N - 1));
    if (index > count || records[static_cast<size_t>(index)].Used != 1)
        throw ScriptError(std::string("there is no ") + key + " " + std::to_string(index));
    return index;
}

void Refuse(const nlohmann::json& action, const std::string& name, const char* key) {
    if (action.contains(key)) throw ScriptError("\"" + name + "\" takes no \"" + key + "\"");
}

}  // namespace

bool RunGameDataCommand(ScriptRunner& runner, const std::string& name,
                        const nlohmann::json& action) {
    EditorSession& session = runner.Session();
    const tKalistor& store = session.Store();
    if (name == "add-player") {
        Refuse(action, name, "player");
        Refuse(action, name, "settlement");
        session.Run(MenuCommand::NewPlayer);
    } else if (name == "edit-player") {
        Refuse(action, name, "settlement");
        session.Run(MenuCommand::EditPlayer,
                    LiveRecord(action, "player", store.Players, store.PlayerCount));
    } else if (name == "edit-settlement") {
        Refuse(action, name, "player");
        session.Run(MenuCommand::EditSettlement,
                    LiveRecord(action, "settlement", store.Settlements, store.SettlementCount));
    } else {
        return false;
    }
    return true;
}

}  // namespace tess
