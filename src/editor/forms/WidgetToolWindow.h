// A tool window's place as the session reads and applies it, over a Qt window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "editor/EditorSettings.h"

namespace tess {

// Left and top are the window's frame position on the screen, as move() sets it.
class WidgetToolWindow final : public ToolWindow {
  public:
    explicit WidgetToolWindow(QWidget* window) : window_(window) {}

    int32_t Left() const override { return window_ ? window_->x() : 0; }
    int32_t Top() const override { return window_ ? window_->y() : 0; }
    bool Visible() const override { return window_ && window_->isVisible(); }
    void SetVisible(bool visible) override {
        if (window_) window_->setVisible(visible);
    }
    void SetLeft(int32_t left) override {
        if (window_) window_->move(left, window_->y());
    }
    void SetTop(int32_t top) override {
        if (window_) window_->move(window_->x(), top);
    }

  private:
    QPointer<QWidget> window_;
};

}  // namespace tess
