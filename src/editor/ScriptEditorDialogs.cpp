// The game-data store's editor dialogs as a script answers them.
#include "editor/ScriptEditorDialogs.h"

namespace tess {

namespace {

// Until the editors' own scripted dialogs exist, each dialog takes its answer (so that the
// answers of later dialogs keep their order, and a missing one is counted) and is cancelled.
class CancellingEditors final : public EditorDialogs {
  public:
    explicit CancellingEditors(ScriptAnswers& answers) : answers_(answers) {}
    bool EditPlayer(tKalistor&, int32_t, tPlayerRec&) override { return Cancel(); }
    bool EditSettlement(tKalistor&, int32_t, tSettlementRec&) override { return Cancel(); }
    bool EditBuilding(tKalistor&, int32_t, tBuildingRec&) override { return Cancel(); }
    bool EditUnit(tKalistor&, int32_t, tUnitRec&) override { return Cancel(); }

  private:
    bool Cancel() {
        answers_.Take();
        return false;
    }
    ScriptAnswers& answers_;
};

}  // namespace

std::unique_ptr<EditorDialogs> MakeScriptEditorDialogs(ScriptAnswers& answers) {
    return std::make_unique<CancellingEditors>(answers);
}

}  // namespace tess
