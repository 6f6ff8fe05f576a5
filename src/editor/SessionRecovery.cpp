// The editor session's autosave and crash recovery: the recovery pair saved while the map is
// modified, and the pairs of crashed sessions offered at start-up.
#include "editor/Autosave.h"
#include "editor/EditorSession.h"
#include "editor/RecoveryStore.h"
#include "editor/ToolBox.h"
#include "editor/UndoHistory.h"
#include "game/Clipboard.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"

namespace tess {

void EditorSession::SetRecoveryDirectory(const std::string& directory) {
    recovery_->SetDirectory(directory);
    // Said once, at the start: autosave stays off.
    if (!recovery_->Problem().empty()) Ui().SetCaption(AutosaveFailedCaption(recovery_->Problem()));
}

bool EditorSession::AutosaveTick(int64_t nowMs) {
    // Nothing half done is saved: a drag, a command with its dialogs, a paste preview.
    const bool busy = History().StepOpen() || Tools().State().DragState != kDragIdle ||
                      clipboard_->State == kClipPasting;
    const uint64_t revision = History().Revision();
    if (!recovery_->Usable() || !autosave_->Due(nowMs, revision, Modified, busy)) return false;
    try {
        recovery_->Save(*map_, *store_, tMapa::ViewCentreOf(View()), FileName, nowMs / 1000);
    } catch (const IoError& e) {
        if (autosave_->Failed(nowMs)) Ui().SetCaption(AutosaveFailedCaption(e.what()));
        return false;
    }
    autosave_->Succeeded(nowMs, revision);
    return true;
}

bool EditorSession::OfferRecovery() {
    bool restored = false;
    for (const RecoveryOffer& offer : recovery_->Orphans()) {
        if (restored) break;
        switch (port_.AskRecovery(RecoveryQuestionText(offer.Manifest))) {
            case RecoveryChoice::Restore:
                restored = RestoreRecoveredPair(offer);
                if (restored)
                    recovery_->Adopt(offer);
                else
                    recovery_->MarkOffered(offer);  // kept for a person to look at
                break;
            case RecoveryChoice::Discard:
                recovery_->Discard(offer);
                break;
            case RecoveryChoice::Later:
                recovery_->MarkOffered(offer);
                break;
        }
    }
    // Any left are offered at the next start.
    recovery_->ReleaseOffers();
    return restored;
}

bool EditorSession::RestoreRecoveredPair(const RecoveryOffer& offer) {
    // The recovery files are no map of the designer's: "LastMap" keeps naming the original.
    MemorySettings notRemembered;
    if (!LoadPair(offer.MapPath, offer.SavPath, notRemembered)) return false;
    const std::string& original = offer.Manifest.MapName;
    FileName = original;
    OpenDialog1.FileName = SaveDialog1.FileName = original;
    if (!original.empty()) {
        OpenDialog1.InitialDir = SaveDialog1.InitialDir = ExtractDir(original);
        settings_->SetString(kLastMapValue, original);
    }
    // Unsaved work: "Uložit" writes it where it belongs, the close question asks.
    Modified = true;
    autosave_->Settle(History().Revision());
    PrepocitejHrace();
    return true;
}

void EditorSession::Settled() {
    autosave_->Settle(History().Revision());
}

}  // namespace tess
