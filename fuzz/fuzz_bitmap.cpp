// Fuzz target: Windows bitmaps decoded into a surface.
#include <cstddef>
#include <cstdint>

#include "resources/BigFile.h"
#include "resources/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tess::tSurface surface;
    try {
        tess::DecodeBitmap({data, size}, "fuzz.bmp", surface);
    } catch (const tess::IoError&) {
    }
    return 0;
}
