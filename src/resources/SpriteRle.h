// The run-length tile code of the "DDSR" and "DDS2" containers (16-bit pixels).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tess {

// Reads one tile's compressed bytes. Each control byte k gives a count n = (k & 63) + 1 and an
// operation k >> 6: 0 ends the tile, 1 copies n pixels (2n bytes) from the input, 2 repeats the
// next pixel n times, 3 writes n zero (transparent) pixels. Pixels are two bytes, copied as they
// stand.
class tRle {
  public:
    explicit tRle(std::span<const uint8_t> data) : data_(data) {}

    // Decodes into `out` (the tile's size * size * 2 bytes), which the caller has zero-filled.
    // Once the output is full the next control byte ends the tile; output past the end is
    // discarded. Input that runs out ends the tile: a copy delivers the bytes that are left, a
    // repeat without its whole pixel writes nothing. Nothing is read outside the data.
    void DecodeTile(std::span<uint8_t> out);

    // The read position after decoding (bytes).
    size_t Position() const { return pos_; }

  private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

}  // namespace tess
