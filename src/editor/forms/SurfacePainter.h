// Painting a 16-bit surface into a widget.
#pragma once

#include <QPainter>
#include <QRect>

#include "resources/Surface.h"

namespace tess {

// Draws the surface's own buffer at the top-left corner of `area` without a copy and paints the
// rest of `area` black (all of it when the surface is empty).
void PaintSurface(QPainter& painter, const tSurface& surface, const QRect& area);

}  // namespace tess
