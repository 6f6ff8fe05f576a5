// PNG files on disk, written crash-safely row by row.
#include "writers/PngFile.h"

#include <vector>

#include "resources/Surface.h"

namespace tess::writers {

PngFile::PngFile(const std::string& path, uint32_t width, uint32_t height, PngColour colour)
    : file_(path),
      png_([this](const uint8_t* d, size_t n) { file_.Write(d, n); }, width, height, colour) {}

void PngFile::Commit() {
    png_.Finish();
    file_.Commit();
}

void Rgb565ToRgb(const uint16_t* pixels, size_t count, uint8_t* rgb) {
    for (size_t i = 0; i < count; ++i) {
        const Rgb8 c = ExpandRgb565(pixels[i]);
        rgb[0] = c.r;
        rgb[1] = c.g;
        rgb[2] = c.b;
        rgb += 3;
    }
}

void WriteSurfacePng(const std::string& path, const tSurface& surface) {
    PngFile png(path, static_cast<uint32_t>(surface.Width()),
                static_cast<uint32_t>(surface.Height()));
    std::vector<uint8_t> row(static_cast<size_t>(surface.Width()) * 3);
    for (int32_t y = 0; y < surface.Height(); ++y) {
        Rgb565ToRgb(surface.Row(y), static_cast<size_t>(surface.Width()), row.data());
        png.AddRow(row.data());
    }
    png.Commit();
}

}  // namespace tess::writers
