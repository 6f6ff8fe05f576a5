// The mini-map window: the reduced picture of the whole map with the frame of the view.
#pragma once

#include <QWidget>
#include <functional>

#include "editor/MainWindowPort.h"
#include "view/LitleMap.h"

namespace tess {

// A tool window over the main window. It shows the mini-map's own surface as it is (no copy),
// sizes itself to the picture, and hands clicks to the mini-map, which moves the view; closing it
// only hides it.
class TLitleM final : public QWidget, public MiniMapPort {
    Q_OBJECT
  public:
    // `mainWindow` is the window it stands beside (and whose width places it).
    explicit TLitleM(QWidget* mainWindow);

    // The map it pictures (start-up step 7).
    void SetMap(tMapa& map, const tKalistor& store);
    // The view whose part the frame shows and whose position a click sets, and the terrain
    // colours from the loaded terrain pictures (start-up step 10).
    void Initialise(ViewPosition& view, const tTerens& terens);
    // Left = the main window's width - this window's width - 10, top = 40.
    void PlaceBesideMainWindow();
    // Called after a click has moved the view: the main window draws it again.
    void SetViewMovedHandler(std::function<void()> handler) { onViewMoved_ = std::move(handler); }

    tLitleMap& Mini() { return mini_; }

    // MiniMapPort
    void Rebuild() override;
    void ShowFrame() override;
    void ShowWindow() override;
    void PlotCell(int32_t x, int32_t y) override { mini_.PlotCell(x, y); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The window's size follows the picture's.
    void FitToPicture();

    QWidget* mainWindow_;
    tLitleMap mini_;
    std::function<void()> onViewMoved_;
};

}  // namespace tess
