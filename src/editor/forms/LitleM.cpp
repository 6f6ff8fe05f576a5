// The mini-map window: the reduced picture of the whole map with the frame of the view.
#include "editor/forms/LitleM.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "editor/forms/SurfacePainter.h"

namespace tess {

namespace {

constexpr int kTop = 40;
constexpr int kRightMargin = 10;

}  // namespace

TLitleM::TLitleM(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool), mainWindow_(mainWindow) {
    setObjectName("LitleM");
    setWindowTitle("Mini mapa");
    // Every pixel comes from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(1, 1);
}

void TLitleM::SetMap(tMapa& map, const tKalistor& store) {
    mini_.Map = &map;
    mini_.Store = &store;
}

void TLitleM::Initialise(ViewPosition& view, const tTerens& terens) {
    mini_.View = &view;
    mini_.ComputeColors(terens);
}

void TLitleM::PlaceBesideMainWindow() {
    const int mainWidth = mainWindow_ ? mainWindow_->frameGeometry().width() : 0;
    move(mainWidth - frameGeometry().width() - kRightMargin, kTop);
}

void TLitleM::FitToPicture() {
    const tSurface& picture = mini_.DXDraw1;
    setFixedSize(std::max(picture.Width(), 1), std::max(picture.Height(), 1));
}

void TLitleM::Rebuild() {
    const int mainWidth = mainWindow_ ? mainWindow_->frameGeometry().width() : 0;
    mini_.Rebuild(mainWidth);
    FitToPicture();
    // The left edge follows the new width; the top stays where the user put it.
    move(mainWidth - frameGeometry().width() - kRightMargin, y());
    update();
}

void TLitleM::ShowFrame() {
    mini_.ShowFrame();
    FitToPicture();
    update();
}

void TLitleM::ShowWindow() {
    PlaceBesideMainWindow();
    show();
    Rebuild();
}

void TLitleM::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintSurface(painter, mini_.DXDraw1, rect());
}

void TLitleM::mousePressEvent(QMouseEvent* event) {
    // Any button.
    const QPoint at = event->position().toPoint();
    mini_.DXDraw1MouseDown(at.x(), at.y());
    if (onViewMoved_) onViewMoved_();
}

}  // namespace tess
