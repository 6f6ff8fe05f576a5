// The pictures of the object palette's previews: the first frame of an object type fitted into
// the preview and drawn with its transparent colour.
#include "editor/palettes/PreviewPicture.h"

#include <algorithm>

#include "map/ObjectsDat.h"

namespace tess {

SurfaceRect FitPicture(int32_t w, int32_t h, int32_t sw, int32_t sh) {
    int32_t dw = w;
    int32_t dh = h;
    if ((w > sw || h > sh) && w > 0) {
        dw = sw;
        dh = sw * h / w;
        if (dh > sh && h > 0) {
            dh = sh;
            dw = w * dh / h;
        }
    }
    const int32_t left = sw / 2 - dw / 2;
    const int32_t top = sh / 2 - dh / 2;
    return {left, top, left + dw, top + dh};
}

void StretchTransparent(tSurface& target, const SurfaceRect& into, const tSurface& source,
                        const SurfaceRect& part) {
    const int32_t dw = into.Width();
    const int32_t dh = into.Height();
    const int32_t pw = part.Width();
    const int32_t ph = part.Height();
    if (dw <= 0 || dh <= 0 || pw <= 0 || ph <= 0) return;
    const uint16_t key = source.TransparentColor();
    const int32_t x0 = std::max(into.Left, 0);
    const int32_t x1 = std::min(into.Right, target.Width());
    const int32_t y0 = std::max(into.Top, 0);
    const int32_t y1 = std::min(into.Bottom, target.Height());
    for (int32_t y = y0; y < y1; ++y) {
        const int32_t sy = part.Top + static_cast<int32_t>(int64_t{y - into.Top} * ph / dh);
        if (sy < 0 || sy >= source.Height()) continue;
        const uint16_t* from = source.Row(sy);
        uint16_t* to = target.Row(y);
        for (int32_t x = x0; x < x1; ++x) {
            const int32_t sx = part.Left + static_cast<int32_t>(int64_t{x - into.Left} * pw / dw);
            if (sx < 0 || sx >= source.Width()) continue;
            if (from[sx] != key) to[x] = from[sx];
        }
    }
}

bool DrawPreview(tSurface& target, tObjects& objects, int32_t type, uint16_t background) {
    target.Fill(background);
    tObject* object = objects.Item(type);
    if (!object || !objects.LoadPicture(*object)) return false;
    const tSurface& picture = object->Picture;
    // The first frame only: frames are stacked below each other.
    const int32_t w = std::min(picture.Width(), object->Width);
    const int32_t h = std::min(picture.Height(), object->Height);
    if (w <= 0 || h <= 0) return false;
    StretchTransparent(target, FitPicture(w, h, target.Width(), target.Height()), picture,
                       {0, 0, w, h});
    return true;
}

}  // namespace tess
