// The game-data store's editor dialogs as a script answers them.
#pragma once

#include <memory>

#include "editor/ScriptAnswers.h"
#include "game/EditorDialogs.h"

namespace tess {

// The dialogs a script runner installs in the store: each takes the next queued answer.
std::unique_ptr<EditorDialogs> MakeScriptEditorDialogs(ScriptAnswers& answers);

}  // namespace tess
