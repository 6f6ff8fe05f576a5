// PNG files on disk, written crash-safely row by row: the one way the programs and tools write
// pictures (map renders, mini-maps, the demo generator's previews).
#pragma once

#include <cstdint>
#include <string>

#include "resources/SafeFile.h"
#include "writers/PngWriter.h"

namespace tess {
class tSurface;
}

namespace tess::writers {

// An 8-bit RGB (or grey) PNG file. The target appears only on Commit, once every row is
// written; a writer destroyed before that leaves any previous file in place. Raises IoError on
// a failed write and the PNG writer's errors on a wrong size or row count.
class PngFile {
  public:
    PngFile(const std::string& path, uint32_t width, uint32_t height,
            PngColour colour = PngColour::Rgb);
    // One row, top row first: width * 3 bytes (red, green, blue), or width bytes of grey.
    void AddRow(const uint8_t* row) { png_.AddRow(row); }
    void Commit();

  private:
    AtomicFileWriter file_;
    PngStreamWriter png_;
};

// 16-bit surface pixels as 8-bit red, green, blue (ExpandRgb565).
void Rgb565ToRgb(const uint16_t* pixels, size_t count, uint8_t* rgb);

// A whole surface as a PNG file.
void WriteSurfacePng(const std::string& path, const tSurface& surface);

}  // namespace tess::writers
