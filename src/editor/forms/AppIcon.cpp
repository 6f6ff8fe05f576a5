// The editor's icon, drawn in code (the same design as the installed SVG icon).
#include "editor/forms/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tess {

namespace {

// One diamond cell of the icon's 2 x 2 block, on a 64 x 64 grid.
QPainterPath Diamond(double cx, double cy, double halfWidth, double halfHeight) {
    QPainterPath path;
    path.moveTo(cx, cy - halfHeight);
    path.lineTo(cx + halfWidth, cy);
    path.lineTo(cx, cy + halfHeight);
    path.lineTo(cx - halfWidth, cy);
    path.closeSubpath();
    return path;
}

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    // Four cells of a map seen from above at an angle: grass, water, sand, grass, with a wall.
    const QColor colours[4] = {QColor(0x5a, 0x9e, 0x3c), QColor(0x2f, 0x6f, 0xb8),
                               QColor(0xd9, 0xb8, 0x6a), QColor(0x4c, 0x8a, 0x32)};
    const QPointF centres[4] = {{32, 18}, {47, 32}, {17, 32}, {32, 46}};
    painter.setPen(QPen(QColor(0x1e, 0x2a, 0x1a), 1.5));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(colours[i]);
        painter.drawPath(Diamond(centres[i].x(), centres[i].y(), 15, 14));
    }
    painter.setBrush(QColor(0x6b, 0x5e, 0x55));
    painter.drawRect(QRectF(27, 4, 10, 14));
    return pixmap;
}

}  // namespace

QIcon TessarineIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace tess
