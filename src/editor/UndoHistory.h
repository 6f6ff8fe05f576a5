// The edit history behind "Zpět" and "Znovu": one step per edit, each holding only what the edit
// changed, within a memory budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "editor/HistoryStep.h"

namespace tess {

class tMapa;
class tKalistor;
class tData;

inline constexpr size_t kDefaultHistoryBudget = size_t{256} << 20;

struct HistoryStatus {
    size_t UndoSteps = 0;  // steps "Zpět" can undo
    size_t RedoSteps = 0;  // steps "Znovu" can redo
    size_t Bytes = 0;      // memory the steps hold
    friend bool operator==(const HistoryStatus&, const HistoryStatus&) = default;
};

// The status bar's words for it: "Historie: 3 kroky zpět, 1 znovu (2,1 MiB)".
std::string HistoryStatusText(const HistoryStatus& status);

// A step begins with the undo snapshot of map and game data (tData::Store, taken as every
// editing press takes it) and ends with one compare of the document against it: what differs
// becomes the step. An edit that changed nothing adds no step. A new step drops the steps that
// were undone (the redo branch); when the steps hold more than the budget, the oldest go first
// (the newest step stays, however big).
class UndoHistory {
  public:
    UndoHistory(tMapa& map, tKalistor& store, tData& snapshot)
        : map_(map), store_(store), snapshot_(snapshot) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Ends a step still open, then takes the snapshot the next step is compared with.
    void BeginStep();
    // Compares the document with the snapshot; true when the edit changed something and became
    // a step. Nothing happens without an open step.
    bool EndStep();
    bool StepOpen() const { return open_; }

    // Both end an open step first; false (and nothing changes) when there is nothing to undo or
    // redo, or the undo would reach below the floor.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return done_ > floor_; }
    bool CanRedo() const { return done_ < steps_.size(); }

    // Forgets every step (a map opened, a new map).
    void Clear();

    // While a floor is set, undo stops at the steps done when it was set (a macro records or
    // plays from there). The floor follows them when the oldest steps fall off.
    void SetFloor() { floor_ = done_; }
    void ClearFloor() { floor_ = 0; }
    // Joins the steps done since the floor into one step (what a played macro did is undone at
    // once) and lifts the floor; the steps undone after them go.
    void Coalesce();

    void SetBudget(size_t bytes);
    size_t Budget() const { return budget_; }
    HistoryStatus Status() const { return {done_ - floor_, steps_.size() - done_, bytes_}; }
    // Counts every change the history made to the document or to its steps.
    uint64_t Revision() const { return revision_; }
    // Hears every change of the status.
    void SetListener(std::function<void(const HistoryStatus&)> listener) {
        listener_ = std::move(listener);
    }

  private:
    void Add(HistoryStep step);
    void DropRedo();
    void Evict();
    void Changed();

    tMapa& map_;
    tKalistor& store_;
    tData& snapshot_;
    std::deque<HistoryStep> steps_;
    size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    size_t floor_ = 0;
    size_t bytes_ = 0;
    size_t budget_ = kDefaultHistoryBudget;
    bool open_ = false;
    uint64_t revision_ = 0;
    std::function<void(const HistoryStatus&)> listener_;
};

// The step of a command: begun unless a step is already open (a command run inside a press or a
// played macro joins it), ended with the scope.
class HistoryScope {
  public:
    explicit HistoryScope(UndoHistory& history) : history_(history), began_(!history.StepOpen()) {
        if (began_) history_.BeginStep();
    }
    ~HistoryScope() {
        if (began_) history_.EndStep();
    }
    HistoryScope(const HistoryScope&) = delete;
    HistoryScope& operator=(const HistoryScope&) = delete;

  private:
    UndoHistory& history_;
    bool began_;
};

}  // namespace tess
