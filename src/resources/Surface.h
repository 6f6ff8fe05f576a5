// The 16-bit picture surface: RGB565 pixels in memory, colour conversion, fills and blits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tess {

// --- colour conversion -----------------------------------------------------------------------
// A surface pixel is RGB565: red in bits 11-15, green in bits 5-10, blue in bits 0-4.
//
// Into the surface an 8-bit channel keeps its top bits (red and blue v >> 3, green v >> 2).
// Out of the surface a channel is expanded to 8 bits by repeating its top bits:
//   5-bit v -> (v << 3) | (v >> 2), 6-bit v -> (v << 2) | (v >> 4).
// The two are exact inverses on every value the expansion yields: writing an expanded colour
// and reading it back gives the same 8-bit values, and Rgb565(Expand...(p)) == p for every
// pixel p. An 8-bit value that no 5- or 6-bit value expands to reads back as the expansion of
// its top bits (the surface holds 16 bits per pixel).

// A 4-bit channel expanded to 8 bits: v * 17.
constexpr uint8_t Expand4(uint32_t v) {
    return static_cast<uint8_t>((v & 15u) * 17u);
}
constexpr uint8_t Expand5(uint32_t v) {
    v &= 31u;
    return static_cast<uint8_t>(v << 3 | v >> 2);
}
constexpr uint8_t Expand6(uint32_t v) {
    v &= 63u;
    return static_cast<uint8_t>(v << 2 | v >> 4);
}

constexpr uint16_t Rgb565(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
}

// The surface pixel of a 16-bit A4R4G4B4 value's colour (each channel expanded from 4 bits,
// then stored as above): the 4-bit v becomes (v << 1) | (v >> 3) in 5 bits, (v << 2) | (v >> 2)
// in 6 bits.
constexpr uint16_t Rgb565FromArgb4444(uint32_t v) {
    const uint32_t r = v >> 8 & 15u, g = v >> 4 & 15u, b = v & 15u;
    return static_cast<uint16_t>((r << 1 | r >> 3) << 11 | (g << 2 | g >> 2) << 5 |
                                 (b << 1 | b >> 3));
}

// The grey surface pixel of an 8-bit level (red = green = blue = level).
constexpr uint16_t Grey565(uint8_t level) {
    return Rgb565(level, level, level);
}

constexpr uint16_t kBlack565 = 0;
constexpr uint16_t kMagenta565 = Rgb565(255, 0, 255);

struct Rgb8 {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

constexpr Rgb8 ExpandRgb565(uint16_t p) {
    return {Expand5(p >> 11), Expand6(p >> 5), Expand5(p)};
}

// A rectangle with exclusive right and bottom edges.
struct SurfaceRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const SurfaceRect&, const SurfaceRect&) = default;
};

// A picture of RGB565 pixels, rows one after another at a pitch of an even number of pixels so
// every row starts 4-byte aligned (a QImage in Format_RGB16 can show the buffer as it is).
// Drawing clips to the target; nothing ever writes outside the buffer.
class tSurface {
  public:
    // The largest side the surface accepts; sprite loaders refuse larger pictures before they
    // get here.
    static constexpr int32_t kMaxSide = 16384;

    tSurface() = default;
    tSurface(int32_t width, int32_t height) { SetSize(width, height); }

    // Resizes to width x height (negative sides count as 0) and makes every pixel black.
    // A side above kMaxSide raises std::length_error.
    void SetSize(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Pixels per row in the buffer (>= Width(), even).
    int32_t Pitch() const { return pitch_; }
    int32_t BytesPerLine() const { return pitch_ * 2; }
    uint16_t* Pixels() { return pixels_.data(); }
    const uint16_t* Pixels() const { return pixels_.data(); }
    uint16_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * pitch_; }
    const uint16_t* Row(int32_t y) const {
        return pixels_.data() + static_cast<size_t>(y) * pitch_;
    }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    // One pixel from 8-bit channels, converted as described above; ignored outside.
    void PutPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
        if (Contains(x, y)) Row(y)[x] = Rgb565(red, green, blue);
    }
    // A raw RGB565 pixel; ignored outside.
    void PutPixel565(int32_t x, int32_t y, uint16_t pixel) {
        if (Contains(x, y)) Row(y)[x] = pixel;
    }
    // The raw pixel; 0 outside.
    uint16_t PixelAt(int32_t x, int32_t y) const { return Contains(x, y) ? Row(y)[x] : 0; }
    // The pixel expanded to 8-bit channels.
    Rgb8 ColorAt(int32_t x, int32_t y) const { return ExpandRgb565(PixelAt(x, y)); }

    void Fill(uint16_t pixel);
    // Fills the part of the rectangle that lies on the surface.
    void FillRect(const SurfaceRect& rect, uint16_t pixel);

    // The colour key of transparent draws (black unless set).
    void SetTransparentColor(uint16_t pixel) { transparent_ = pixel; }
    void SetTransparentRgb(uint8_t red, uint8_t green, uint8_t blue) {
        transparent_ = Rgb565(red, green, blue);
    }
    uint16_t TransparentColor() const { return transparent_; }

    // Copies the source (or the source rectangle, clipped to the source) with its top-left at
    // (x, y), clipped to this surface. Opaque: every pixel is copied.
    void Draw(int32_t x, int32_t y, const tSurface& source);
    void Draw(int32_t x, int32_t y, const tSurface& source, const SurfaceRect& part);
    // As Draw, but source pixels equal to the source's transparent colour are skipped.
    void DrawTransparent(int32_t x, int32_t y, const tSurface& source);
    void DrawTransparent(int32_t x, int32_t y, const tSurface& source, const SurfaceRect& part);
    // As DrawTransparent, mixing each drawn pixel with what is underneath: every 5- or 6-bit
    // channel becomes (source * opacity + target * (255 - opacity) + 127) / 255. The view's
    // object preview uses opacity 128.
    void DrawBlended(int32_t x, int32_t y, const tSurface& source, const SurfaceRect& part,
                     uint8_t opacity);

  private:
    // The part of `part` (clipped to the source) that lands on this surface at (x, y): the
    // source rectangle and the target position; false when nothing remains.
    bool Clip(int32_t& x, int32_t& y, const tSurface& source, SurfaceRect& part) const;

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t pitch_ = 0;
    uint16_t transparent_ = kBlack565;
    std::vector<uint16_t> pixels_;
};

}  // namespace tess
