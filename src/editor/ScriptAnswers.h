// Answers a script queues for the dialogs its later actions open ("map edit", recorded macros).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include <nlohmann/json.hpp>

namespace tess {

// A first-in, first-out queue of answers. A dialog that opens takes the next answer; when none
// is queued the dialog is cancelled and counted as unanswered.
class ScriptAnswers {
  public:
    void Push(nlohmann::json answer) { queue_.push_back(std::move(answer)); }

    // The next answer, taken off the queue; nothing (and one more unanswered dialog) when the
    // queue is empty.
    std::optional<nlohmann::json> Take() {
        if (queue_.empty()) {
            ++unanswered_;
            return std::nullopt;
        }
        nlohmann::json answer = std::move(queue_.front());
        queue_.pop_front();
        return answer;
    }

    size_t Pending() const { return queue_.size(); }
    int32_t Unanswered() const { return unanswered_; }

  private:
    std::deque<nlohmann::json> queue_;
    int32_t unanswered_ = 0;
};

}  // namespace tess
