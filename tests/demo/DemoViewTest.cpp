// The demo's terrain and wall pictures drawn by the editor's own view from the written demo:
// slopes of every shape join without holes, and a wall mass shows its faces towards the viewer.
#include <gtest/gtest.h>

#include <set>

#include "DemoFixture.h"
#include "DemoView.h"
#include "MapDesign.h"
#include "SpriteKit.h"
#include "view/ViewDat.h"

namespace tess::demo {
namespace {

TEST_F(InDemoGame, HillOfEveryShapeLeavesNoHoles) {
    // Random heights, then the level brush's invariant: bumps, hollows and saddles of every shape.
    MapDesign m = BlankMap(14, 40, 3);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.level[m.Index({x, y})] = static_cast<uint8_t>(1 + HashRange(7, x, y, 7));
    EnforceLevelSteps(m);
    DemoView view(400, 280);
    view.Show(m);
    std::set<int> masks;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            masks.insert(view.View().Zoom->Terens.CornerShape(x, y).ShapeMask);
    EXPECT_EQ(masks.size(), 15u);  // flat and all fourteen slope shapes

    // The view fills with black first; grass has no black pixel, so any left is a hole.
    const tSurface& surface = view.Draw({0, 0});
    int holes = 0;
    for (int y = 24; y < 250; ++y)
        for (int x = 16; x < 400; ++x)
            holes += surface.PixelAt(x, y) == kBlack565;
    EXPECT_EQ(holes, 0);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(InDemoGame, WallMassShowsFacesInFront) {
    MapDesign m = BlankMap(16, 48, 9);
    for (int y = 10; y < 30; ++y)
        for (int x = 4; x < 12; ++x)
            m.wall[m.Index({x, y})] = 1;
    // Make the mass block-aligned: every block fully wall or not.
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const Cell t = BlockTop({x, y});
            m.wall[m.Index({x, y})] = m.Inside(t) ? m.wall[m.Index(t)] : 0;
        }
    DemoView view(480, 360);
    view.Show(m);
    const tSurface& surface = view.Draw({0, 0});
    // The middle of the mass is black: the view skips the terrain there and the wall tops are
    // black.
    EXPECT_EQ(surface.PixelAt(32 * 8, 8 * 18 - 40), kBlack565);
    // Something textured (a face, neither black nor grass) below the mass's south edge.
    int faces = 0;
    for (int y = 8 * 26; y < 8 * 34; ++y)
        for (int x = 32 * 5; x < 32 * 11; ++x) {
            const Rgb8 p = surface.ColorAt(x, y);
            faces += !(p == Rgb8{}) && p.g < p.r + 10;  // rock is grey-brown, grass is green
        }
    EXPECT_GT(faces, 300);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

}  // namespace
}  // namespace tess::demo
