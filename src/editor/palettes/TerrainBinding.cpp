// "Navolit terén": which picture set a terrain slot of the map shows and whether the game
// shades it, without its window.
#include "editor/palettes/TerrainBinding.h"

#include <algorithm>

#include "map/MapDat.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr size_t kBrowseSuffix = 5;  // "#.bmp"

}  // namespace

TerrainBinding::TerrainBinding(const tMapa& map, int32_t terrain)
    : terrain_(std::clamp<int32_t>(terrain, 0, static_cast<int32_t>(map.Terrains.size()) - 1)) {
    const TerrainSlot& slot = map.Terrains[static_cast<size_t>(terrain_)];
    name_ = Cp1250ToUtf8(slot.Name);
    shade_ = slot.Shade != 0;
}

void TerrainBinding::FileChosen(const std::string& path) {
    const std::string name = ExtractName(path);
    name_ = name.substr(0, name.size() - std::min(name.size(), kBrowseSuffix));
}

std::string TerrainBinding::StoredName() const {
    std::string name = Utf8ToCp1250(name_);
    if (name.size() > kSlotNameChars) name.resize(kSlotNameChars);
    return name;
}

bool TerrainBinding::Apply(tMapa& map) const {
    TerrainSlot& slot = map.Terrains[static_cast<size_t>(terrain_)];
    std::string name = StoredName();
    const uint8_t shade = shade_ ? 1 : 0;
    const bool changed = slot.Name != name || slot.Shade != shade;
    slot.Name = std::move(name);
    slot.Shade = shade;
    return changed;
}

}  // namespace tess
