// Object catalogue entries made in code for footprint, repair and map-pair tests.
#pragma once

#include <memory>

#include "map/ObjectsDat.h"

namespace tess::test {

// Puts an entry of the given footprint into the catalogue and returns it.
inline tObject& AddObject(tObjects& objects, int32_t id, int sizeRT, int sizeLT,
                          uint16_t terrainUnder = kNoTerrainUnder) {
    auto entry = std::make_unique<tObject>();
    entry->Id = id;
    entry->Size_RT = static_cast<uint8_t>(sizeRT);
    entry->Size_LT = static_cast<uint8_t>(sizeLT);
    entry->pod_teren = terrainUnder;
    entry->Anim_Count = 1;
    tObject& ref = *entry;
    objects.Put(std::move(entry));
    return ref;
}

}  // namespace tess::test
