// The generator's grid geometry and placement rules: blocks, corner shapes, the level steps,
// footprints and anchors, and how the compositor places frames.
#include <gtest/gtest.h>

#include <set>

#include "Compositor.h"
#include "DemoMap.h"
#include "Library.h"
#include "MapDesign.h"
#include "SpriteKit.h"
#include "Terrain.h"

namespace tess::demo {
namespace {

TEST(Blocks, FourCellsEachWithOneTopAndOneBottom) {
    for (int y = 2; y < 40; ++y)
        for (int x = 1; x < 20; ++x) {
            const Cell t = BlockTop({x, y});
            Cell cells[4];
            BlockCells(t, cells);
            int found = 0, bottoms = 0;
            for (const Cell& c : cells) {
                found += c == Cell{x, y};
                bottoms += IsBlockBottom(c);
                EXPECT_EQ(BlockTop(c), t);
            }
            EXPECT_EQ(found, 1) << x << "," << y;
            EXPECT_EQ(bottoms, 1) << x << "," << y;
            EXPECT_TRUE(IsBlockBottom(cells[2]));
        }
}

TEST(Steps, AxisStepsCommuteAndOppositesCancel) {
    for (const Cell c : {Cell{5, 6}, Cell{5, 7}, Cell{0, 1}})
        for (int d = 0; d < 8; ++d)
            EXPECT_EQ(Step(Step(c, d), (d + 4) % 8), c) << d;
    const Cell c{7, 9};
    EXPECT_EQ(Step(Step(c, 0), 6), Step(Step(c, 6), 0));
    EXPECT_EQ(Step(Step(c, 0), 6), Step(c, 7));
}

MapDesign Flat(int level) {
    MapDesign m = BlankMap(6, 12, 1);
    std::fill(m.level.begin(), m.level.end(), static_cast<uint8_t>(level));
    return m;
}

TEST(CornerShapes, LevelsAndMasksOfTheCorners) {
    MapDesign m = Flat(3);
    const Cell c{2, 6};
    EXPECT_EQ(CornerShapeOf(m, c).mask, 0);
    EXPECT_EQ(CornerShapeOf(m, c).level, 3);
    m.level[m.Index(Step(c, 7))] = 4;  // the top corner one higher
    EXPECT_EQ(CornerShapeOf(m, c).level, 4);
    EXPECT_EQ(CornerShapeOf(m, c).mask, 8);
    m.level[m.Index(Step(c, 7))] = 2;  // one lower: the other three are high
    EXPECT_EQ(CornerShapeOf(m, c).level, 3);
    EXPECT_EQ(CornerShapeOf(m, c).mask, 7);
    m.level[m.Index(Step(c, 0))] = 4;  // three different levels
    EXPECT_TRUE(CornerShapeOf(m, c).irregular);
}

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

// A picture source with one flat terrain and one two-frame test sprite.
class TestPictures : public PictureSource {
  public:
    TestPictures()
        : flat_(MakeFlatPicture("Trava")), slope_(MakeSlopePicture("Trava")), sprite_(8, 20) {
        sprite_.FillRect(0, 0, 8, 10, Opaque(200, 0, 0));   // frame 0 red
        sprite_.FillRect(0, 10, 8, 10, Opaque(0, 0, 200));  // frame 1 blue
    }
    const Canvas& FlatPicture(const std::string&) override { return flat_; }
    const Canvas& SlopePicture(const std::string&) override { return slope_; }
    const Canvas& WallPicture(int) override { return flat_; }
    SpriteRef Sprite(int id) override { return SpriteRef{&sprite_, 8, 10, 2, 4, 9, id == 2}; }

  private:
    Canvas flat_, slope_, sprite_;
};

TEST(Compositor, ObjectsSitOnTheirAnchorWithTheRightFrame) {
    MapDesign m = Flat(3);
    std::fill(m.jitter.begin(), m.jitter.end(), static_cast<uint8_t>(136));
    std::fill(m.animRow.begin(), m.animRow.end(), static_cast<uint8_t>(3));
    m.objects.push_back({1, {2, 4}, 136, 0});
    m.units.push_back({1, 1, 2, 0, {4, 4}});
    TestPictures pics;
    std::vector<std::string> names(16, "Trava");
    ViewOptions o;
    o.width = 200;
    o.height = 100;
    o.terrain = false;
    o.background = kClear;
    const Canvas v = RenderView(m, names, pics, o);
    // Cell (2, 4) at level 3: tile corner (48, 24 - 12); the anchor 16 right and 8 down; the
    // frame's anchor point is (4, 9). AnimRow 3 mod 2 frames: frame 1, blue.
    EXPECT_EQ(v.Get(48 + 16 - 4, 24 - 12 + 8 - 9), Opaque(0, 0, 200));
    EXPECT_EQ(v.Get(48 + 16 - 4 + 7, 24 - 12 + 8 - 9 + 9), Opaque(0, 0, 200));
    EXPECT_EQ(v.Get(48 + 16 - 5, 24 - 12 + 8 - 9), kClear);
    // A unit shows its picture's top frame, whatever the row: red.
    EXPECT_EQ(v.Get(112 + 16 - 4, 24 - 12 + 8 - 9), Opaque(200, 0, 0));
}

TEST(Compositor, JitterShiftsTheAnchor) {
    MapDesign m = Flat(0);
    m.objects.push_back({1, {2, 4}, 0x9A, 0});  // low nibble 10: +2, high nibble 9: +1/2 → 0
    TestPictures pics;
    std::vector<std::string> names(16, "Trava");
    ViewOptions o;
    o.width = 200;
    o.height = 100;
    o.terrain = false;
    o.background = kClear;
    const Canvas v = RenderView(m, names, pics, o);
    EXPECT_NE(v.Get(48 + 16 - 4 + 2, 24 + 8 - 9), kClear);
    EXPECT_EQ(v.Get(48 + 16 - 4 + 1, 24 + 8 - 9), kClear);
}

}  // namespace
}  // namespace tess::demo
