// The pictures of the object palette's previews: the first frame of an object type fitted into
// the preview and drawn with its transparent colour.
#pragma once

#include <cstdint>

#include "resources/Surface.h"

namespace tess {

class tObjects;

// Where a picture of w x h lands in a preview of sw x sh: at its natural size when it fits,
// otherwise scaled to the preview's width (or, when that is too high, to its height) keeping
// its proportions; centred either way.
SurfaceRect FitPicture(int32_t w, int32_t h, int32_t sw, int32_t sh);

// Nearest-neighbour scaling of `part` of the source into `into` on the target, skipping the
// source's transparent pixels; clipped to the target.
void StretchTransparent(tSurface& target, const SurfaceRect& into, const tSurface& source,
                        const SurfaceRect& part);

// Draws the preview of object type `type` on `target`, which keeps its size and is first filled
// with `background`. The picture is loaded on first use and kept by the catalogue; its size is
// limited to the type's frame. False (only the background drawn) when the type has no picture.
bool DrawPreview(tSurface& target, tObjects& objects, int32_t type, uint16_t background);

}  // namespace tess
