// Writes 24-bit Windows bitmaps (BMP), the format of the terrain and wall pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/RgbaImage.h"

namespace tess::writers {

// Bottom-up rows of blue, green, red padded to 4 bytes; alpha is dropped.
std::vector<uint8_t> WriteBmp24(const RgbaImage& image);

}  // namespace tess::writers
