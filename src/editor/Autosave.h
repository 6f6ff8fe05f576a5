// When the editor autosaves the map it works on, and the words it uses about autosaving and
// recovery.
#pragma once

#include <cstdint>
#include <string>

#include "editor/RecoveryManifest.h"

namespace tess {

// The window's timer asks often; a save is due when the map is modified, the history shows a
// change since the last autosave (or since the map was opened, made or saved), the interval has
// passed since then, and no edit is in progress (a drag, a dialog, a paste preview in the map).
class AutosaveRules {
  public:
    // Minutes between saves; 0 (or less) turns autosave off.
    void SetInterval(double minutes);
    bool Enabled() const { return intervalMs_ > 0; }

    // Nothing is left to autosave: the map was opened, made or saved. The interval counts from
    // the next tick.
    void Settle(uint64_t revision);
    bool Due(int64_t nowMs, uint64_t revision, bool modified, bool busy);
    void Succeeded(int64_t nowMs, uint64_t revision);
    // A failed save is tried again after the interval. True for the first failure after a
    // success, the one the caption reports.
    bool Failed(int64_t nowMs);

  private:
    int64_t intervalMs_ = 0;
    int64_t lastMs_ = -1;  // the last save, settle or failure; -1 before the first tick
    uint64_t savedRevision_ = 0;
    bool failing_ = false;
};

// The start-up question about a pair left by a session that did not end cleanly.
std::string RecoveryQuestionText(const RecoveryManifest& manifest);
// The caption of a failed autosave.
std::string AutosaveFailedCaption(const std::string& why);

}  // namespace tess
