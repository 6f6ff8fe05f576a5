// Fuzz target: dictionary tiled sprites ("DDSL"): bands, tile links and the dictionary codec.
#include <cstddef>
#include <cstdint>

#include "FuzzSprites.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tess;
    InstallSilentUi();
    const SpriteBytes file{{data, size}, "fuzz.ddsl", "End of file"};
    tSurface colour, alpha;
    try {
        DecodeTiledSprite(file, TileCodec::Dictionary, colour, &alpha, fuzz::FuzzSpriteLimits());
    } catch (const IoError&) {
    }
    return 0;
}
