// Map design helpers.
#include "MapDesign.h"

#include <algorithm>

#include "Canvas.h"

namespace tess::demo {

Cell MapDesign::Clamp(Cell c) const {
    return Cell{std::clamp(c.x, 0, width - 1), std::clamp(c.y, 0, height - 1)};
}

void EnforceLevelSteps(MapDesign& m) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int pass = 0; pass < 2; ++pass)
            for (int k = 0; k < m.width * m.height; ++k) {
                const int idx = pass == 0 ? k : m.width * m.height - 1 - k;
                const Cell c{idx % m.width, idx / m.width};
                uint8_t& level = m.level[static_cast<size_t>(idx)];
                for (int d = 0; d < 8; ++d) {
                    const Cell n = Step(c, d);
                    if (!m.Inside(n)) continue;
                    const int limit = m.level[m.Index(n)] + 1;
                    if (level > limit) {
                        level = static_cast<uint8_t>(limit);
                        changed = true;
                    }
                }
            }
    }
}

MapDesign BlankMap(int width, int height, uint32_t seed) {
    MapDesign m;
    m.width = width;
    m.height = height;
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    m.terrain.assign(n, 5);
    m.level.assign(n, 3);
    m.wall.assign(n, 0);
    m.variant.assign(n, 0);
    m.tileVariant.resize(n);
    m.animRow.resize(n);
    m.jitter.resize(n);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = m.Index(Cell{x, y});
            const uint32_t h = Hash(seed, x, y);
            m.tileVariant[i] = static_cast<uint8_t>(h & 7u);
            m.animRow[i] = static_cast<uint8_t>((h >> 3) & 7u);
            m.jitter[i] = static_cast<uint8_t>((h >> 8) & 255u);
            // Per block: the value of the block's top cell.
            const Cell top = BlockTop(Cell{x, y});
            m.variant[i] = static_cast<uint8_t>(Hash(seed + 1, top.x, top.y) & 3u);
        }
    m.viewCentre = Cell{width / 2, height / 2};
    return m;
}

}  // namespace tess::demo
