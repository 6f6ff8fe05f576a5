// The editor's user-interface host: real Abort/Retry and message boxes, the caption, the beep.
#pragma once

#include <QPointer>
#include <QWidget>

#include "resources/UiHost.h"

namespace tess {

class QtUiHost final : public UiHost {
  public:
    explicit QtUiHost(QWidget* window = nullptr) : window_(window) {}
    // The window whose caption SetCaption changes and over which the boxes open.
    void SetWindow(QWidget* window) { window_ = window; }

    // Abort ends the program (UiHost::AbortProgram), Retry carries on.
    ErrorChoice ErrorBox(const std::string& text) override;
    // Closing a question box without a button counts as Cancel (or No without Cancel).
    Answer MessageBox(const std::string& text, Buttons buttons) override;
    void SetCaption(const std::string& text) override;
    void Beep() override;

    static constexpr const char* kBoxTitle = "Tessarine";

  private:
    QPointer<QWidget> window_;
};

}  // namespace tess
