// An 8-bit RGBA picture: the input of the sprite and bitmap writers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tess::writers {

struct RgbaPixel {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
    friend bool operator==(const RgbaPixel&, const RgbaPixel&) = default;
};

// Rows top to bottom, each left to right. Pixels with alpha 0 are transparent; the games'
// pictures keep them black so the colour key (black) finds them.
struct RgbaImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<RgbaPixel> Pixels;

    RgbaImage() = default;
    RgbaImage(int32_t width, int32_t height, RgbaPixel fill = {}) : Width(width), Height(height) {
        if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
        Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    }
    RgbaPixel& At(int32_t x, int32_t y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    const RgbaPixel& At(int32_t x, int32_t y) const {
        return Pixels[static_cast<size_t>(y) * Width + x];
    }
    // The pixel, or transparent black outside the picture.
    RgbaPixel Get(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < Width && y < Height ? At(x, y) : RgbaPixel{};
    }
};

}  // namespace tess::writers
