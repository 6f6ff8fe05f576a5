// Windows bitmaps (BMP) decoded into a 16-bit surface: terrain and wall pictures.
#include "resources/Bitmap.h"

#include <stb/stb_image.h>

#include <climits>
#include <memory>

#include "resources/BigFile.h"

namespace tess {

namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

[[noreturn]] void Damaged(const std::string& name, const std::string& why) {
    throw IoError("Damaged bitmap \"" + name + "\": " + why);
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
