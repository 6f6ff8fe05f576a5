// The generator's placement rules: the level steps, footprints and anchors.
#include <gtest/gtest.h>

#include <set>

#include "DemoMap.h"
#include "MapDesign.h"
#include "SpriteKit.h"
#include "Terrain.h"

namespace tess::demo {
namespace {

TEST(LevelSteps, LowersOnlyAndJustEnough) {
    MapDesign m = BlankMap(20, 40, 4);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.level[m.Index({x, y})] = static_cast<uint8_t>(HashRange(3, x, y, 8));
    const std::vector<uint8_t> before = m.level;
    EnforceLevelSteps(m);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const size_t i = m.Index({x, y});
            ASSERT_LE(m.level[i], before[i]);
            bool limited = m.level[i] == before[i];
            for (int d = 0; d < 8; ++d) {
                const Cell n = Step({x, y}, d);
                if (!m.Inside(n)) continue;
                ASSERT_LE(std::abs(m.level[i] - m.level[m.Index(n)]), 1);
                limited = limited || m.level[m.Index(n)] + 1 == m.level[i];
            }
            // A lowered cell sits exactly one above a neighbour: raising it would break the rule.
            EXPECT_TRUE(limited) << x << "," << y;
        }
}

TEST(Footprints, RowsAlongDirectionZeroCellsAlongSix) {
    const std::vector<Cell> f = FootprintCells({10, 20}, 2, 3);
    ASSERT_EQ(f.size(), 6u);
    EXPECT_EQ(f[0], (Cell{10, 20}));
    EXPECT_EQ(f[1], Step({10, 20}, 6));
    EXPECT_EQ(f[3], Step({10, 20}, 0));
    // The anchor is the front cell: lowest on the screen.
    for (const Cell& c : f)
        EXPECT_LE(c.y, 20);
}

TEST(Anchors, TheFootprintDiamondSitsAtTheFrameBottom) {
    for (const auto& [rt, lt] : {std::pair{1, 1}, {2, 2}, {3, 2}, {1, 2}}) {
        const int w = 16 * (rt + lt) + 16, h = 80;
        const AnchorPoint a = AnchorOf(w, h, rt, lt);
        const Footprint f = FootprintAt(a.x, a.y, rt, lt);
        EXPECT_EQ(f.bottom.y / 16, h - 4);             // 4 pixels above the frame's bottom
        EXPECT_EQ(f.left.x / 16, w - f.right.x / 16);  // centred
        EXPECT_EQ(f.right.x - f.left.x, 16 * 16 * (rt + lt));
        EXPECT_EQ(f.bottom.y - f.top.y, 8 * 16 * (rt + lt));
    }
}

}  // namespace
}  // namespace tess::demo
