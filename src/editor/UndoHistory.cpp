// The edit history behind "Zpět" and "Znovu": one step per edit, each holding only what the edit
// changed, within a memory budget.
#include "editor/UndoHistory.h"

#include "game/Clipboard.h"
#include "resources/Utils.h"

namespace tess {

std::string HistoryStatusText(const HistoryStatus& status) {
    const size_t n = status.UndoSteps;
    const char* steps = n == 1 ? "krok" : (n >= 2 && n <= 4) ? "kroky" : "kroků";
    // Tenths of a MiB, with the decimal separator the user's numbers have.
    const size_t tenths = (status.Bytes * 10 + (size_t{1} << 19)) >> 20;
    const std::string size = std::to_string(tenths / 10) + UserNumberFormat().decimal +
                             std::to_string(tenths % 10) + " MiB";
    return "Historie: " + std::to_string(n) + " " + steps + " zpět, " +
           std::to_string(status.RedoSteps) + " znovu (" + size + ")";
}

void UndoHistory::BeginStep() {
    EndStep();
    snapshot_.Store(map_, store_);
    open_ = true;
}

bool UndoHistory::EndStep() {
    if (!open_) return false;
    open_ = false;
    HistoryStep step = HistoryStep::Between(snapshot_.Map(), snapshot_.Kalistor(), map_, store_);
    if (step.Empty()) return false;
    Add(std::move(step));
    return true;
}

bool UndoHistory::Undo() {
    EndStep();
    if (!CanUndo()) return false;
    --done_;
    steps_[done_].Swap(map_, store_);
    ++revision_;
    Changed();
    return true;
}

bool UndoHistory::Redo() {
    EndStep();
    if (!CanRedo()) return false;
    steps_[done_].Swap(map_, store_);
    ++done_;
    ++revision_;
    Changed();
    return true;
}

void UndoHistory::Clear() {
    open_ = false;
    steps_.clear();
    done_ = floor_ = bytes_ = 0;
    ++revision_;
    Changed();
}

void UndoHistory::Coalesce() {
    EndStep();
    const size_t mark = floor_;
    floor_ = 0;
    DropRedo();
    if (done_ - mark < 2) {
        Changed();
        return;
    }
    // Back to the state before the first of them, where the joined step starts from.
    for (size_t i = done_; i-- > mark;)
        steps_[i].Swap(map_, store_);
    snapshot_.Store(map_, store_);
    for (size_t i = mark; i < done_; ++i)
        steps_[i].Swap(map_, store_);
    while (steps_.size() > mark) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
    done_ = mark;
    HistoryStep joined = HistoryStep::Between(snapshot_.Map(), snapshot_.Kalistor(), map_, store_);
    if (!joined.Empty())
        Add(std::move(joined));
    else
        Changed();
}

void UndoHistory::SetBudget(size_t bytes) {
    budget_ = bytes;
    Evict();
    Changed();
}

void UndoHistory::Add(HistoryStep step) {
    DropRedo();
    bytes_ += step.Bytes();
    steps_.push_back(std::move(step));
    ++done_;
    ++revision_;
    Evict();
    Changed();
}

void UndoHistory::DropRedo() {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
}

void UndoHistory::Evict() {
    // The oldest done steps first; then undone ones, the furthest first, as they can only be
    // redone after the ones before them. The newest done step stays.
    while (bytes_ > budget_ && done_ > 1) {
        bytes_ -= steps_.front().Bytes();
        steps_.pop_front();
        --done_;
        if (floor_ > 0) --floor_;
    }
    while (bytes_ > budget_ && steps_.size() > done_) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
}

void UndoHistory::Changed() {
    if (listener_) listener_(Status());
}

}  // namespace tess
