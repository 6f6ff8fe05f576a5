// Seeds for the bitmap reader: palettised bitmaps of 4 and 8 bits per pixel, as the demo game's
// terrain and wall pictures are written.
#include "Seeds.h"
#include "writers/BitmapWriter.h"

namespace tess::fuzz {

namespace {

// A picture of `colours` colours in bands, `w` wide (odd widths pad their rows).
writers::RgbaImage Banded(int w, int h, int colours) {
    writers::RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = (x + 3 * y) % colours;
            img.At(x, y) = {uint8_t(c * 255 / colours), uint8_t(255 - c * 7), uint8_t(c * 13), 255};
        }
    return img;
}

}  // namespace

void WriteIndexedBitmapSeeds(const std::filesystem::path& corpus) {
    WriteSeed(corpus, "fuzz_bitmap", "4bit", writers::WriteBmpIndexed(Banded(9, 5, 16), 4));
    WriteSeed(corpus, "fuzz_bitmap", "4bit-one-colour",
              writers::WriteBmpIndexed(Banded(1, 3, 1), 4));
    WriteSeed(corpus, "fuzz_bitmap", "8bit", writers::WriteBmpIndexed(Banded(13, 7, 200), 8));
}

}  // namespace tess::fuzz
