// The default user-interface host and the program-wide error box.
#include "resources/UiHost.h"

#include <cstdio>
#include <cstdlib>

namespace tess {

namespace {

class StderrUi final : public UiHost {
  public:
    ErrorChoice ErrorBox(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
        return ErrorChoice::Retry;
    }
    Answer MessageBox(const std::string& text, Buttons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    void SetCaption(const std::string&) override {}
    void Beep() override {}
};

StderrUi defaultUi;
UiHost* currentUi = &defaultUi;

}  // namespace

void UiHost::AbortProgram() {
    std::exit(EXIT_FAILURE);
}

UiHost& Ui() {
    return *currentUi;
}

UiHost* SetUi(UiHost* host) {
    UiHost* previous = currentUi;
    currentUi = host ? host : &defaultUi;
    return previous;
}

void ErrorBox(const std::string& text) {
    UiHost& host = Ui();
    if (host.ErrorBox(text) == ErrorChoice::Abort) host.AbortProgram();
}

}  // namespace tess
