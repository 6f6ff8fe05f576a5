// Painting a 16-bit surface into a widget.
#include "editor/forms/SurfacePainter.h"

namespace tess {

void PaintSurface(QPainter& painter, const tSurface& surface, const QRect& area) {
    if (surface.Empty()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    // The surface's rows are 4-byte aligned, as QImage wants them.
    const QImage image(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                       surface.Height(), surface.BytesPerLine(), QImage::Format_RGB16);
    painter.drawImage(area.topLeft(), image);
    // Between a resize and the next frame the surface may be smaller than the widget.
    if (surface.Width() < area.width())
        painter.fillRect(area.left() + surface.Width(), area.top(), area.width() - surface.Width(),
                         area.height(), Qt::black);
    if (surface.Height() < area.height())
        painter.fillRect(area.left(), area.top() + surface.Height(), area.width(),
                         area.height() - surface.Height(), Qt::black);
}

QImage SurfaceImage(const tSurface& surface) {
    if (surface.Empty()) return {};
    return QImage(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(),
                  surface.Height(), surface.BytesPerLine(), QImage::Format_RGB16)
        .copy();
}

uint16_t SurfacePixel(const QColor& colour) {
    return Rgb565(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                  static_cast<uint8_t>(colour.blue()));
}

}  // namespace tess
