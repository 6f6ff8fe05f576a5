// Bounds for the sprite fuzz targets: small ones so that every input decodes quickly, and the
// program's own, which fuzz_sprites_real runs every container with.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/BigFile.h"
#include "resources/Sprites.h"

namespace tess::fuzz {

inline SpriteLimits FuzzSpriteLimits() {
    SpriteLimits limits;
    limits.MaxSide = 512;
    limits.MaxTileSide = 128;
    limits.MaxFileBytes = 1 << 20;
    limits.MaxDictionaryEntries = 1 << 16;
    limits.MaxDictionaryBytes = 1 << 22;
    limits.BaseMemoryBytes = 8 << 20;
    return limits;
}

// Decodes a sprite file as the loaders do after reading it, by its magic; a cut-off file raises
// IoError as a short read would.
inline void DecodeAnySprite(const uint8_t* data, size_t size, const SpriteLimits& limits) {
    const SpriteBytes file{{data, size}, "fuzz.spr", "End of file"};
    const auto magicIs = [&](const char* m) {
        return size >= 4 && data[0] == m[0] && data[1] == m[1] && data[2] == m[2] &&
               data[3] == m[3];
    };
    tSurface colour, alpha;
    try {
        if (magicIs("DDSR"))
            DecodeTiledSprite(file, TileCodec::RunLength, colour, &alpha, limits);
        else if (magicIs("DDSL"))
            DecodeTiledSprite(file, TileCodec::Dictionary, colour, &alpha, limits);
        else if (magicIs("DDS2"))
            DecodeStripSprite(file, colour, limits);
        else
            DecodeDdsSprite(file, colour, &alpha, limits);
    } catch (const IoError&) {
    }
}

}  // namespace tess::fuzz
