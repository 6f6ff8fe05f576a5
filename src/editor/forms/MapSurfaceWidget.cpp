// The map view's window: shows the view surface as it is and passes the mouse to the session.
#include "editor/forms/MapSurfaceWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <optional>

#include "editor/EditorSession.h"
#include "editor/forms/SurfacePainter.h"

namespace tess {

namespace {

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace

MapSurfaceWidget::MapSurfaceWidget(EditorSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("DXDraw1");
    setMouseTracking(true);
    // Every pixel comes from the surface: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void MapSurfaceWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintSurface(painter, session_.Surface(), rect());
}

void MapSurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize_) onResize_();
}

void MapSurfaceWidget::mousePressEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = ButtonOf(event->button());
    if (!button) return;
    const QPoint at = event->position().toPoint();
    session_.MouseDown(*button, at.x(), at.y());
}

void MapSurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    session_.MouseMove(at.x(), at.y());
}

void MapSurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = ButtonOf(event->button());
    if (!button) return;
    const QPoint at = event->position().toPoint();
    session_.MouseUp(*button, at.x(), at.y());
}

}  // namespace tess
