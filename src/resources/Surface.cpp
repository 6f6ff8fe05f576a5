// The 16-bit picture surface: RGB565 pixels in memory, colour conversion, fills and blits.
#include "resources/Surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace tess {

void tSurface::SetSize(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxSide || height > kMaxSide)
        throw std::length_error("surface of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels is too large");
    width_ = width;
    height_ = height;
    pitch_ = (width + 1) & ~1;
    pixels_.assign(static_cast<size_t>(pitch_) * static_cast<size_t>(height), kBlack565);
}

void tSurface::Fill(uint16_t pixel) {
    std::fill(pixels_.begin(), pixels_.end(), pixel);
}

void tSurface::FillRect(const SurfaceRect& rect, uint16_t pixel) {
    const int32_t left = std::max(rect.Left, 0), right = std::min(rect.Right, width_);
    const int32_t top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, height_);
    if (left >= right || top >= bottom) return;
    for (int32_t y = top; y < bottom; ++y)
        std::fill(Row(y) + left, Row(y) + right, pixel);
}

bool tSurface::Clip(int32_t& x, int32_t& y, const tSurface& source, SurfaceRect& part) const {
    // 64-bit arithmetic: positions far off the surface must not overflow.
    int64_t left = std::max(part.Left, 0), top = std::max(part.Top, 0);
    int64_t right = std::min(part.Right, source.width_);
    int64_t bottom = std::min(part.Bottom, source.height_);
    int64_t tx = int64_t(x) + (left - part.Left), ty = int64_t(y) + (top - part.Top);
    if (tx < 0) {
        left -= tx;
        tx = 0;
    }
    if (ty < 0) {
        top -= ty;
        ty = 0;
    }
    right = std::min(right, left + (width_ - tx));
    bottom = std::min(bottom, top + (height_ - ty));
    if (left >= right || top >= bottom) return false;
    part = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
            static_cast<int32_t>(bottom)};
    x = static_cast<int32_t>(tx);
    y = static_cast<int32_t>(ty);
    return true;
}

void tSurface::Draw(int32_t x, int32_t y, const tSurface& source) {
    Draw(x, y, source, {0, 0, source.width_, source.height_});
}

void tSurface::Draw(int32_t x, int32_t y, const tSurface& source, const SurfaceRect& part) {
    SurfaceRect r = part;
    if (!Clip(x, y, source, r)) return;
    const size_t bytes = static_cast<size_t>(r.Width()) * 2;
    if (&source == this) {  // rows may overlap: memmove, in the safe order
        if (y <= r.Top) {
            for (int32_t j = 0; j < r.Height(); ++j)
                std::memmove(Row(y + j) + x, Row(r.Top + j) + r.Left, bytes);
        } else {
            for (int32_t j = r.Height() - 1; j >= 0; --j)
                std::memmove(Row(y + j) + x, Row(r.Top + j) + r.Left, bytes);
        }
        return;
    }
    for (int32_t j = 0; j < r.Height(); ++j)
        std::memcpy(Row(y + j) + x, source.Row(r.Top + j) + r.Left, bytes);
}

void tSurface::DrawTransparent(int32_t x, int32_t y, const tSurface& source) {
    DrawTransparent(x, y, source, {0, 0, source.width_, source.height_});
}

void tSurface::DrawTransparent(int32_t x, int32_t y, const tSurface& source,
                               const SurfaceRect& part) {
    SurfaceRect r = part;
    if (!Clip(x, y, source, r)) return;
    if (&source == this) {  // drawing a surface onto itself: go through a copy
        const tSurface copy = source;
        DrawTransparent(x, y, copy, r);
        return;
    }
    const uint16_t key = source.transparent_;
    const int32_t w = r.Width();
    for (int32_t j = 0; j < r.Height(); ++j) {
        const uint16_t* s = source.Row(r.Top + j) + r.Left;
        uint16_t* d = Row(y + j) + x;
        for (int32_t i = 0; i < w; ++i) {
            const uint16_t v = s[i];
            d[i] = v == key ? d[i] : v;
        }
    }
}

namespace {

inline uint32_t MixChannel(uint32_t s, uint32_t d, uint32_t a) {
    return (s * a + d * (255u - a) + 127u) / 255u;
}

}  // namespace

void tSurface::DrawBlended(int32_t x, int32_t y, const tSurface& source, const SurfaceRect& part,
                           uint8_t opacity) {
    SurfaceRect r = part;
    if (!Clip(x, y, source, r)) return;
    if (&source == this) {
        const tSurface copy = source;
        DrawBlended(x, y, copy, r, opacity);
        return;
    }
    const uint16_t key = source.transparent_;
    const uint32_t a = opacity;
    for (int32_t j = 0; j < r.Height(); ++j) {
        const uint16_t* s = source.Row(r.Top + j) + r.Left;
        uint16_t* d = Row(y + j) + x;
        for (int32_t i = 0; i < r.Width(); ++i) {
            const uint32_t sv = s[i];
            if (sv == key) continue;
            const uint32_t dv = d[i];
            const uint32_t red = MixChannel(sv >> 11, dv >> 11, a);
            const uint32_t green = MixChannel(sv >> 5 & 63u, dv >> 5 & 63u, a);
            const uint32_t blue = MixChannel(sv & 31u, dv & 31u, a);
            d[i] = static_cast<uint16_t>(red << 11 | green << 5 | blue);
        }
    }
}

}  // namespace tess
