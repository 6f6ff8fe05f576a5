// The four palette windows of the main window: created with it, placed by "Nástrojové lišty"
// and restored with their places at start-up.
#pragma once

#include <array>
#include <memory>

#include "editor/palettes/Palettes.h"

class QWidget;

namespace tess {

class EditorSession;
class TSeleObj;
class TselePero;
class TseleTer;
class TseleWall;
class WidgetToolWindow;

class PaletteWindows final : public PaletteWindowsPort {
  public:
    PaletteWindows(QWidget* mainWindow, EditorSession& session);
    // The windows go before the session they show.
    ~PaletteWindows() override;
    PaletteWindows(const PaletteWindows&) = delete;
    PaletteWindows& operator=(const PaletteWindows&) = delete;

    TselePero* Pero() const { return pero_; }
    TseleTer* Ter() const { return ter_; }
    TSeleObj* Obj() const { return obj_; }
    TseleWall* Wall() const { return wall_; }
    // The place of a palette window (kPenPalette .. kWallPalette).
    ToolWindow* Place(ToolWindowIndex window) const;

    // PaletteWindowsPort
    void ShowToolPalette(ToolWindowIndex window) override;

  private:
    QWidget* Window(ToolWindowIndex window) const;

    QWidget* mainWindow_;
    EditorSession& session_;
    // Children of the main window, deleted here while the session still exists.
    TselePero* pero_;
    TseleTer* ter_;
    TSeleObj* obj_;
    TseleWall* wall_;
    std::array<std::unique_ptr<WidgetToolWindow>, kToolWindowCount> places_;
};

}  // namespace tess
