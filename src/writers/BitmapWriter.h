// Writes Windows bitmaps (BMP), the format of the terrain and wall pictures: 24-bit, and 4- or
// 8-bit with a colour table for pictures of few colours.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/RgbaImage.h"

namespace tess::writers {

// Bottom-up rows of blue, green, red padded to 4 bytes; alpha is dropped.
std::vector<uint8_t> WriteBmp24(const RgbaImage& image);

// The distinct colours of a picture (alpha ignored), ascending by red, then green, then blue.
std::vector<RgbaPixel> PictureColours(const RgbaImage& image);

// A bitmap with a colour table: 4 bits per pixel (up to 16 colours) or 8 bits (up to 256),
// uncompressed, bottom-up. The table holds the picture's colours in PictureColours order.
// Raises std::invalid_argument for another depth or a picture with more colours than it holds.
std::vector<uint8_t> WriteBmpIndexed(const RgbaImage& image, int bitsPerPixel);

// The smallest of the three: 4 bits for up to 16 colours, 8 bits for up to 256, else 24 bits.
std::vector<uint8_t> WriteBmpCompact(const RgbaImage& image);

}  // namespace tess::writers
