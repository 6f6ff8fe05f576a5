// Encoders of the sprite codecs: run-length tiles, dictionary tiles and DXT3 blocks.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "writers/RgbaImage.h"

namespace tess::writers {

// One tile of 16-bit pixels (little-endian in the output) in the run-length code: zero runs,
// repeated pixels and literal stretches of at most 64 pixels each, then the end byte.
std::vector<uint8_t> EncodeRleTile(std::span<const uint16_t> pixels);

// The dictionary code, tile by tile, keeping the same dictionary the decoder keeps: reset at
// the start of each band, carried over from tile to tile, no string across a row end, runs of
// zero bytes as codes above the dictionary, wider codes when a code no longer fits.
class DictionaryEncoder {
  public:
    // Runs of at least this many zero bytes become zero-run codes.
    static constexpr uint32_t kMinZeroRun = 3;

    DictionaryEncoder() { Reset(); }
    // The start of a band.
    void Reset();
    // One tile: whole rows of rowLength bytes, ending with the end code (padded to a byte).
    std::vector<uint8_t> EncodeTile(std::span<const uint8_t> bytes, uint32_t rowLength);

    int32_t LastIndex() const { return lastIndex_; }
    int32_t CodeWidth() const { return codeWidth_; }
    // How many widen and zero-run codes were written since construction (for tests).
    uint64_t WidenCount() const { return widenCount_; }
    uint64_t ZeroRunCount() const { return zeroRunCount_; }

  private:
    void Put(uint32_t code);
    // Widens until `code` fits the code width.
    void Fit(uint32_t code);

    std::unordered_map<uint64_t, int32_t> children_;  // (code << 8 | byte) -> code
    int32_t lastIndex_ = 0;
    int32_t codeWidth_ = 0;
    int32_t previous_ = -1;
    std::vector<uint8_t> out_;
    uint64_t bits_ = 0;
    int bitCount_ = 0;
    uint64_t widenCount_ = 0;
    uint64_t zeroRunCount_ = 0;
};

// One 4 x 4 block (pixels in row order) as 16 bytes of DXT3: 4-bit alpha rows, two R5G6B5
// endpoints and 2-bit indices. Endpoints are chosen among the block's own colours, its
// bounding box and its principal axis for the least error against the exact palette the
// decoder builds; a block with black pixels keeps black exact (the colour key).
std::array<uint8_t, 16> EncodeDxt3Block(const std::array<RgbaPixel, 16>& pixels);

// Channel quantisation used by the writers, rounding to the nearest level.
uint8_t To4Bits(uint8_t v);
uint16_t ToArgb4444(const RgbaPixel& p);
uint16_t ToRgb565(const RgbaPixel& p);

}  // namespace tess::writers
