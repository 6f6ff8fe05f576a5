// Writes video files: a RIFF "AVI " file with one video stream, uncompressed or run-length coded.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/RgbaImage.h"
#include "writers/WavWriter.h"

namespace tess::writers {

enum class AviCodec {
    // 24-bit bottom-up frames, every one a key frame.
    Uncompressed,
    // 8-bit palette frames, Microsoft RLE8: key frames code every pixel, the frames between them
    // only the pixels that changed since the frame before (so a reader must decode forward from
    // the last key frame). The frames may hold at most 256 colours together.
    Rle8,
};

struct AviVideo {
    uint32_t FramesPerSecond = 10;
    AviCodec Codec = AviCodec::Uncompressed;
    // Rle8: frame k is a key frame when k is a multiple of this; 0 makes frame 0 the only one.
    uint32_t KeyFrameInterval = 0;
    std::vector<RgbaImage> Frames;  // all of one size; alpha is dropped
};

// The file: 'hdrl' with the main header 'avih' and one stream list 'strl' ('strh' of type
// "vids", 'strf' a BITMAPINFOHEADER, for Rle8 followed by a 256-entry palette), the 'movi' list
// of chunks, one per frame ('00db' uncompressed, '00dc' coded), and the index 'idx1' (key frames
// flagged, offsets from the 'movi' identifier). Raises std::invalid_argument for no frames,
// frames of different or empty sizes, sides above 32767, a rate of 0, more than 256 colours in
// an Rle8 video or a file over 2 GB.
std::vector<uint8_t> WriteAvi(const AviVideo& video);

// An AVI file whose only stream is audio ('auds', 16-bit PCM in one '00wb' chunk): a file whose
// first stream is not video. Raises std::invalid_argument as WriteWav does.
std::vector<uint8_t> WriteAudioAvi(const PcmSound& sound);

}  // namespace tess::writers
