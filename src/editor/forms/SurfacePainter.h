// Painting a 16-bit surface into a widget.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "resources/Surface.h"

namespace tess {

// Draws the surface's own buffer at the top-left corner of `area` without a copy and paints the
// rest of `area` black (all of it when the surface is empty).
void PaintSurface(QPainter& painter, const tSurface& surface, const QRect& area);

// A copy of the surface's pixels that outlives it (button pictures, previews).
QImage SurfaceImage(const tSurface& surface);
// A colour as the surfaces store it.
uint16_t SurfacePixel(const QColor& colour);

}  // namespace tess
