// The game-data editors answered by a script ("map edit", recorded macros) instead of a user.
#pragma once

#include <string>

#include "editor/ScriptAnswers.h"
#include "editor/ScriptRunner.h"
#include "game/EditorDialogs.h"

namespace tess {

class EditorMapSide;

// An answer a dialog cannot take (unknown field, wrong type, a number Ok refuses, a list item
// that does not exist). The message names the dialog and the field; the record is left as it
// was before the dialog opened. The script runner reports it with the action that opened the
// dialog.
class ScriptAnswerError : public ScriptError {
  public:
    explicit ScriptAnswerError(const std::string& what) : ScriptError(what) {}
};

// Each editor that opens takes the next answer of the queue:
//   {"button": B, "fields": {FIELD: VALUE, ...}}
// where FIELD is the record field the control shows and B one of "ok", "cancel", "delete" (every
// editor), "die", "reset" (Reset, then Ok) and "patrol" (the unit editor). The player editor's
// answer may also carry
//   "relations": {"J": "enemy" | "neutral" | "ally", ...}
//   "permissions": {"race": R, "kind": K, "set-all": "empty" | "greyed" | "ticked",
//                   "clicks": [TYPE, ...]}
// which are set in the relation and permission editors opened from it and stored with their Ok
// (set-all first, then the clicks in order), before the player editor's button is pressed.
// With no answer queued the editor is cancelled and the queue counts it.
class ScriptedEditorDialogs final : public EditorDialogs {
  public:
    ScriptedEditorDialogs(ScriptAnswers& answers, EditorMapSide* map)
        : answers_(answers), map_(map) {}

    bool EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) override;
    bool EditSettlement(tKalistor& store, int32_t index, tSettlementRec& settlement) override;
    bool EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) override;
    bool EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) override;

  private:
    ScriptAnswers& answers_;
    EditorMapSide* map_;
};

}  // namespace tess
