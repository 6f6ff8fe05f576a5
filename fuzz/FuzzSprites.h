// Bounds for the sprite fuzz targets: small enough that every input decodes quickly.
#pragma once

#include "resources/Sprites.h"

namespace tess::fuzz {

inline SpriteLimits FuzzSpriteLimits() {
    SpriteLimits limits;
    limits.MaxSide = 512;
    limits.MaxTileSide = 128;
    limits.MaxFileBytes = 1 << 20;
    limits.MaxDictionaryEntries = 1 << 16;
    limits.MaxDictionaryBytes = 1 << 22;
    return limits;
}

}  // namespace tess::fuzz
