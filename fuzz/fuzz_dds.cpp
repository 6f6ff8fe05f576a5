// Fuzz target: DirectDraw Surface files (every layout, DXT3 and tiled DXT3) and their headers.
#include <cstddef>
#include <cstdint>

#include "FuzzSprites.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tess;
    InstallSilentUi();
    const SpriteBytes file{{data, size}, "fuzz.dds", "End of file"};
    tSurface colour, alpha;
    try {
        DecodeDdsSprite(file, colour, &alpha, fuzz::FuzzSpriteLimits());
    } catch (const IoError&) {
    }
    try {
        DescribeSprite(file.Data);
    } catch (const IoError&) {
    }
    return 0;
}
