// The "Projekt" menu's player and settlement items as commands of edit scripts.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace tess {

class ScriptRunner;

// The keys these commands take beside "command".
inline constexpr const char* kGameDataCommandKeys[] = {"player", "settlement"};

// {"command": "add-player"}, {"command": "edit-player", "player": P} and
// {"command": "edit-settlement", "settlement": S}: the editors open and take the next queued
// answers. False for another command; ScriptError for a bad key or a record that is not live.
bool RunGameDataCommand(ScriptRunner& runner, const std::string& name,
                        const nlohmann::json& action);

}  // namespace tess
