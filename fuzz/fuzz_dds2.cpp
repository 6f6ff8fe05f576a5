// Fuzz target: animation strips ("DDS2"): overlapping run-length tiles on a magenta surface.
#include <cstddef>
#include <cstdint>

#include "FuzzSprites.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tess;
    InstallSilentUi();
    const SpriteBytes file{{data, size}, "fuzz.dds2", "End of file"};
    tSurface strip;
    try {
        DecodeStripSprite(file, strip, fuzz::FuzzSpriteLimits());
    } catch (const IoError&) {
    }
    return 0;
}
