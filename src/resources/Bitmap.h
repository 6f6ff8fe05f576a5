// Windows bitmaps (BMP) decoded into a 16-bit surface: terrain and wall pictures.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "resources/Surface.h"

namespace tess {

// Reads the file through the archive (member first, disk otherwise) and decodes it. A missing
// file raises IoError as OpenFile does; damaged or unsupported bitmap data raises IoError
// naming the file. The surface is only changed when decoding succeeds.
void LoadBitmapToSurface(const std::string& name, tSurface& target);

// Decodes BMP bytes (any bit depth the Windows format has, bottom-up or top-down, uncompressed
// or with bit-field masks). Refuses pictures larger than tSurface::kMaxSide per side. `name`
// only goes into the error message.
void DecodeBitmap(std::span<const uint8_t> bytes, const std::string& name, tSurface& target);

}  // namespace tess
