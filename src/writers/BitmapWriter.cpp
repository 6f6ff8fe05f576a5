// Writes Windows bitmaps (BMP), the format of the terrain and wall pictures.
#include "writers/BitmapWriter.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <unordered_set>

#include "resources/Bytes.h"

namespace tess::writers {

namespace {

constexpr uint32_t kFileHeader = 14, kInfoHeader = 40;

uint32_t PackedRgb(const RgbaPixel& p) {
    return uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
}

void WriteHeaders(ByteWriter& w, const RgbaImage& image, int bitsPerPixel, uint32_t colours,
                  uint32_t rowBytes) {
    const uint32_t dataOffset = kFileHeader + kInfoHeader + 4 * colours;
    const uint32_t dataSize = rowBytes * uint32_t(image.Height);
    w.U8('B');
    w.U8('M');
    w.U32(dataOffset + dataSize);
    w.U32(0);
    w.U32(dataOffset);
    w.U32(kInfoHeader);  // BITMAPINFOHEADER
    w.I32(image.Width);
    w.I32(image.Height);  // positive: bottom-up
    w.U16(1);             // planes
    w.U16(static_cast<uint16_t>(bitsPerPixel));
    w.U32(0);  // BI_RGB
    w.U32(dataSize);
    w.U32(2835);  // 72 dpi
    w.U32(2835);
    w.U32(colours);  // colours used (0 for 24 bits: no table)
    w.U32(0);
}

// The picture's colours as packed RGB, ascending; stops looking once it has found more than
// `limit` (the result then holds limit + 1 of them).
std::vector<uint32_t> DistinctColours(const RgbaImage& image, size_t limit) {
    std::unordered_set<uint32_t> seen;
    uint32_t last = UINT32_MAX;  // no packed colour: the top byte is always 0
    for (const RgbaPixel& p : image.Pixels) {
        const uint32_t v = PackedRgb(p);
        if (v == last) continue;  // runs of one colour are the rule
        last = v;
        if (seen.insert(v).second && seen.size() > limit) break;
    }
    std::vector<uint32_t> colours(seen.begin(), seen.end());
    std::sort(colours.begin(), colours.end());
    return colours;
}

// The file with the given colour table (packed RGB, ascending), which holds every colour of the
// picture.
std::vector<uint8_t> Indexed(const RgbaImage& image, int bitsPerPixel,
                             const std::vector<uint32_t>& colours) {
    const uint32_t rowBytes = (uint32_t(image.Width) * uint32_t(bitsPerPixel) + 31) / 32 * 4;
    ByteWriter w;
    WriteHeaders(w, image, bitsPerPixel, static_cast<uint32_t>(colours.size()), rowBytes);
    for (uint32_t c : colours) {
        w.U8(uint8_t(c));
        w.U8(uint8_t(c >> 8));
        w.U8(uint8_t(c >> 16));
        w.U8(0);
    }
    std::vector<uint8_t> row(rowBytes);
    uint32_t lastColour = UINT32_MAX;
    uint8_t lastIndex = 0;
    for (int32_t y = image.Height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        for (int32_t x = 0; x < image.Width; ++x) {
            const uint32_t v = PackedRgb(image.At(x, y));
            if (v != lastColour) {
                lastColour = v;
                lastIndex = static_cast<uint8_t>(
                    std::lower_bound(colours.begin(), colours.end(), v) - colours.begin());
            }
            if (bitsPerPixel == 8)
                row[size_t(x)] = lastIndex;
            else  // the left pixel of each pair in the high nibble
                row[size_t(x) / 2] |= static_cast<uint8_t>(x % 2 == 0 ? lastIndex << 4 : lastIndex);
        }
        w.Bytes(row.data(), row.size());
    }
    return std::move(w.Data());
}

}  // namespace

std::vector<uint8_t> WriteBmp24(const RgbaImage& image) {
    const uint32_t rowBytes = (uint32_t(image.Width) * 3 + 3) & ~3u;
    ByteWriter w;
    WriteHeaders(w, image, 24, 0, rowBytes);
    for (int32_t y = image.Height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < image.Width; ++x) {
            const RgbaPixel& p = image.At(x, y);
            w.U8(p.b);
            w.U8(p.g);
            w.U8(p.r);
        }
        w.Zeros(rowBytes - uint32_t(image.Width) * 3);
    }
    return std::move(w.Data());
}

std::vector<RgbaPixel> PictureColours(const RgbaImage& image) {
    std::vector<RgbaPixel> colours;
    for (uint32_t v : DistinctColours(image, SIZE_MAX))
        colours.push_back(RgbaPixel{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), 255});
    return colours;
}

std::vector<uint8_t> WriteBmpIndexed(const RgbaImage& image, int bitsPerPixel) {
    if (bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("indexed bitmaps have 4 or 8 bits per pixel");
    const size_t most = size_t(1) << bitsPerPixel;
    const std::vector<uint32_t> colours = DistinctColours(image, most);
    if (colours.size() > most)
        throw std::invalid_argument("the picture has more colours than " +
                                    std::to_string(bitsPerPixel) + " bits per pixel hold (" +
                                    std::to_string(most) + ")");
    return Indexed(image, bitsPerPixel, colours);
}

std::vector<uint8_t> WriteBmpCompact(const RgbaImage& image) {
    const std::vector<uint32_t> colours = DistinctColours(image, 256);
    if (colours.size() <= 16) return Indexed(image, 4, colours);
    if (colours.size() <= 256) return Indexed(image, 8, colours);
    return WriteBmp24(image);
}

}  // namespace tess::writers
