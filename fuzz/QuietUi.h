// A user-interface host for fuzz targets: shows nothing, answers Retry / Ok / Yes, counts.
#pragma once

#include "resources/UiHost.h"

namespace tess::fuzz {

class QuietUi final : public UiHost {
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

}  // namespace tess::fuzz
