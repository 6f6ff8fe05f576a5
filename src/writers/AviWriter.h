// Writes video files: a RIFF "AVI " file with one uncompressed 24-bit video stream.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/RgbaImage.h"

namespace tess::writers {

struct AviVideo {
    uint32_t FramesPerSecond = 10;
    std::vector<RgbaImage> Frames;  // all of one size; alpha is dropped
};

// The file: 'hdrl' with the main header 'avih' and one stream list 'strl' ('strh' of type
// "vids", 'strf' a BITMAPINFOHEADER of uncompressed 24-bit bottom-up frames), the 'movi' list
// of '00db' chunks, one per frame, and the index 'idx1' (every frame a key frame, offsets from
// the 'movi' identifier). Raises std::invalid_argument for no frames, frames of different or
// empty sizes, sides above 32767, a rate of 0 or a file over 2 GB.
std::vector<uint8_t> WriteAvi(const AviVideo& video);

}  // namespace tess::writers
