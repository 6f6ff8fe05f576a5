// A silent user-interface host for fuzz targets: every error box answers Retry.
#pragma once

#include "resources/UiHost.h"

namespace tess::fuzz {

class SilentUi final : public UiHost {
  public:
    ErrorChoice ErrorBox(const std::string&) override { return ErrorChoice::Retry; }
    Answer MessageBox(const std::string&, Buttons) override { return Answer::Ok; }
    void SetCaption(const std::string&) override {}
    void Beep() override {}
};

// Installs the silent host once for the whole fuzzing run.
inline void InstallSilentUi() {
    static SilentUi ui;
    static const bool installed = (SetUi(&ui), true);
    (void)installed;
}

}  // namespace tess::fuzz
