// What the core asks of the user interface: error boxes, message boxes, caption, beep.
#pragma once

#include <stdexcept>
#include <string>

namespace tess {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };
enum class ErrorChoice { Abort, Retry };

// Implemented by the Qt forms (real dialogs), the CLI (stderr) and tests (scripted answers).
// Every text is UTF-8; callers convert CP1250 data to UTF-8 before they build a message.
class UiHost {
  public:
    virtual ~UiHost() = default;
    // The Abort/Retry report of broken or missing data.
    virtual ErrorChoice ErrorBox(const std::string& text) = 0;
    // An information box (Ok) or a question (Yes/No, Yes/No/Cancel).
    virtual Answer MessageBox(const std::string& text, Buttons buttons) = 0;
    // The main window's caption, used for progress and results of long work.
    virtual void SetCaption(const std::string& text) = 0;
    virtual void Beep() = 0;
    // Called after the user chose Abort; the default ends the process in an orderly way.
    [[noreturn]] virtual void AbortProgram();
};

// The host the core reports to. Until one is installed, a host that prints to stderr and
// answers Retry / Ok / Yes is used.
UiHost& Ui();
// Installs a host (nullptr restores the default); returns the previous one.
UiHost* SetUi(UiHost* host);

// Shows nothing and never stops the program: error boxes answer Retry, questions Yes, and both
// are counted. For fuzzing, benchmarks and seed writing, where nobody is there to answer.
class SilentUi final : public UiHost {
  public:
    ErrorChoice ErrorBox(const std::string&) override {
        ++errors;
        return ErrorChoice::Retry;
    }
    Answer MessageBox(const std::string&, Buttons buttons) override {
        ++messages;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    void SetCaption(const std::string&) override {}
    void Beep() override {}

    int errors = 0;
    int messages = 0;
};

// Installs one SilentUi for the rest of the process.
inline void InstallSilentUi() {
    static SilentUi ui;
    static const bool installed = (SetUi(&ui), true);
    (void)installed;
}

// Installs a host for the lifetime of the guard.
class ScopedUi {
  public:
    explicit ScopedUi(UiHost& host) : previous_(SetUi(&host)) {}
    ~ScopedUi() { SetUi(previous_); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

  private:
    UiHost* previous_;
};

// Reports broken or missing data: Abort ends the program, Retry returns to the caller, which
// carries on after the failed step.
void ErrorBox(const std::string& text);

}  // namespace tess
