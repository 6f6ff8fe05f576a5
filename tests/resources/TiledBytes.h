// A tiled sprite file ("DDSR", "DDSL", "DDS2") written field by field, for tests of hostile files.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "resources/Bytes.h"

namespace tess::test {

// Hand-made tiled files: the 20-byte header (its first band right after it), then bands and
// tiles at positions the test chooses.
class TiledBytes {
  public:
    TiledBytes(const char* magic, int32_t width, int32_t height,
               std::array<uint8_t, 4> bits = {4, 4, 4, 4}) {
        w.Bytes(magic, 4);
        w.I32(height);
        w.I32(width);
        w.Bytes(bits.data(), 4);
        w.U32(20);
    }
    uint32_t Pos() const { return static_cast<uint32_t>(w.Size()); }
    TiledBytes& Band(int32_t height, uint32_t more) {
        w.I32(height);
        w.Zeros(8);
        w.U32(more);
        return *this;
    }
    TiledBytes& Tile(uint32_t down, uint32_t right, uint32_t size,
                     const std::vector<uint8_t>& data) {
        w.U32(down);
        w.U32(right);
        w.U32(size);
        w.U32(static_cast<uint32_t>(data.size()));
        w.Bytes(data.data(), data.size());
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return w.Data(); }
    ByteWriter w;
};

}  // namespace tess::test
