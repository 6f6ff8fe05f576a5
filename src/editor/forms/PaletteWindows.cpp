// The four palette windows of the main window: created with it, placed by "Nástrojové lišty"
// and restored with their places at start-up.
#include "editor/forms/PaletteWindows.h"

#include <QWidget>

#include "editor/EditorSession.h"
#include "editor/forms/SeleObj.h"
#include "editor/forms/SelePero.h"
#include "editor/forms/SeleTer.h"
#include "editor/forms/SeleWall.h"
#include "editor/forms/WidgetToolWindow.h"

namespace tess {

PaletteWindows::PaletteWindows(QWidget* mainWindow, EditorSession& session)
    : mainWindow_(mainWindow),
      session_(session),
      // In the order start-up creates them; each stays hidden until shown or restored.
      pero_(new TselePero(mainWindow, session.PaletteRules().Pen(), session.Tools())),
      ter_(new TseleTer(mainWindow, session)),
      obj_(new TSeleObj(mainWindow, session)),
      wall_(new TseleWall(mainWindow, session)) {
    for (ToolWindowIndex window : {kPenPalette, kTerrainPalette, kObjectPalette, kWallPalette}) {
        Window(window)->hide();
        places_[window] = std::make_unique<WidgetToolWindow>(Window(window));
    }
    session.PaletteRules().SetWindows(this);
}

PaletteWindows::~PaletteWindows() {
    session_.PaletteRules().SetWindows(nullptr);
    delete wall_;
    delete obj_;
    delete ter_;
    delete pero_;
}

QWidget* PaletteWindows::Window(ToolWindowIndex window) const {
    switch (window) {
        case kPenPalette:
            return pero_;
        case kTerrainPalette:
            return ter_;
        case kObjectPalette:
            return obj_;
        case kWallPalette:
            return wall_;
        default:
            return nullptr;
    }
}

ToolWindow* PaletteWindows::Place(ToolWindowIndex window) const {
    return places_[window].get();
}

void PaletteWindows::ShowToolPalette(ToolWindowIndex window) {
    QWidget* palette = Window(window);
    if (!palette) return;
    // The terrain buttons follow the map's terrain list; the wall buttons refill as they show.
    if (window == kTerrainPalette) ter_->ReLoad();
    // Shown first: the window's frame, which the place depends on, comes with it.
    palette->show();
    const QRect main = mainWindow_->frameGeometry();
    const PaletteSpotSizes sizes{main.width(), main.height(), palette->frameGeometry().width(),
                                 palette->frameGeometry().height(), pero_->y()};
    const TPoint spot = ToolPaletteSpot(window, sizes);
    palette->move(spot.X, spot.Y);
    palette->raise();
}

}  // namespace tess
