// A user-interface host for tests: records what the core showed and answers as scripted.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "resources/UiHost.h"

namespace tess::test {

// Thrown instead of ending the process when a scripted Abort is chosen.
struct AbortRequested {};

class TestUi : public UiHost {
  public:
    ErrorChoice ErrorBox(const std::string& text) override;
    Answer MessageBox(const std::string& text, Buttons buttons) override;
    void SetCaption(const std::string& text) override;
    void Beep() override { ++beeps; }
    [[noreturn]] void AbortProgram() override { throw AbortRequested{}; }

    // Answers used in order; when a queue is empty the error box answers Retry and a message
    // box answers Ok (information) or Yes (questions).
    std::deque<ErrorChoice> errorAnswers;
    std::deque<Answer> messageAnswers;

    std::vector<std::string> errors;
    std::vector<std::string> messages;
    std::vector<std::string> captions;
    int beeps = 0;

    std::string LastCaption() const { return captions.empty() ? std::string() : captions.back(); }
    void Reset();
};

// Installs a TestUi for one test (use as a member of a fixture or a local).
class ScopedTestUi : public TestUi {
  public:
    ScopedTestUi() : previous_(SetUi(this)) {}
    ~ScopedTestUi() override { SetUi(previous_); }
    ScopedTestUi(const ScopedTestUi&) = delete;
    ScopedTestUi& operator=(const ScopedTestUi&) = delete;

  private:
    UiHost* previous_;
};

}  // namespace tess::test
