// Windows bitmaps (BMP) decoded into a 16-bit surface: terrain and wall pictures.
#include "resources/Bitmap.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "resources/BigFile.h"
#include "resources/Bytes.h"

namespace tess {

namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

[[noreturn]] void Damaged(const std::string& name, const std::string& why) {
    throw IoError("Damaged bitmap \"" + name + "\": " + why);
}

// Whether the uncompressed pixel rows the header promises fit in the file. The decoder would
// otherwise make up the missing rows, after allocating the whole picture for them.
bool PixelRowsPresent(std::span<const uint8_t> bytes) {
    if (bytes.size() < 30) return false;
    const uint8_t* p = bytes.data();
    const uint32_t offset = LeU32(p + 10), headerSize = LeU32(p + 14);
    int64_t width, height, bits, compression = 0;
    if (headerSize == 12) {
        width = LeU16(p + 18);
        height = LeU16(p + 20);
        bits = LeU16(p + 24);
    } else {
        if (bytes.size() < 34) return false;
        width = static_cast<int32_t>(LeU32(p + 18));
        height = static_cast<int32_t>(LeU32(p + 22));
        bits = LeU16(p + 28);
        compression = LeU32(p + 30);
    }
    // Run-length compressed rows have no fixed size; the decoder refuses them anyway. Any
    // other value is decoded as plain rows.
    if (compression == 1 || compression == 2) return true;
    const int64_t rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    return int64_t(offset) + rowBytes * std::abs(height) <= int64_t(bytes.size());
}

}  // namespace

void DecodeBitmap(std::span<const uint8_t> bytes, const std::string& name, tSurface& target) {
    // stb_image takes many formats; a Windows bitmap starts with "BM".
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') Damaged(name, "not a bitmap");
    if (bytes.size() > size_t(INT_MAX)) Damaged(name, "file too large");
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    // The size is checked before stb allocates anything for the pixels.
    if (!stbi_info_from_memory(data, length, &width, &height, &channels))
        Damaged(name, stbi_failure_reason());
    if (width <= 0 || height <= 0 || width > tSurface::kMaxSide || height > tSurface::kMaxSide)
        Damaged(name, "picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is out of range");
    if (!PixelRowsPresent(bytes)) Damaged(name, "the pixel data is cut off");
    std::unique_ptr<unsigned char, StbFree> rgb(
        stbi_load_from_memory(data, length, &width, &height, &channels, 3));
    if (!rgb) Damaged(name, stbi_failure_reason());

    tSurface decoded(width, height);
    const unsigned char* p = rgb.get();
    for (int32_t y = 0; y < height; ++y) {
        uint16_t* row = decoded.Row(y);
        for (int32_t x = 0; x < width; ++x, p += 3)
            row[x] = Rgb565(p[0], p[1], p[2]);
    }
    decoded.SetTransparentColor(target.TransparentColor());
    target = std::move(decoded);
}

void LoadBitmapToSurface(const std::string& name, tSurface& target) {
    const std::vector<uint8_t> bytes = BigFile().ReadWholeFile(name);
    DecodeBitmap(bytes, name, target);
}

}  // namespace tess
