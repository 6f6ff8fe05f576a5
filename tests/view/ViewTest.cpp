// The isometric view: placement of cells, levels, walls and objects, picking, clipping, layers.
#include "view/ViewDat.h"

#include <gtest/gtest.h>

#include <set>

#include "ViewFixture.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

using test::ViewFixture;

constexpr uint16_t kRed = Rgb565(255, 0, 0);

// The bounding box of the pixels of one colour; Right/Bottom exclusive, empty when none.
SurfaceRect BoxOf(const tSurface& s, uint16_t colour) {
    SurfaceRect box{s.Width(), s.Height(), 0, 0};
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x)
            if (s.PixelAt(x, y) == colour) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

// The red marker of one occupied cell shows where the view puts the cell.
SurfaceRect MarkerBox(ViewFixture& f, int32_t x, int32_t y) {
    f.options.ShowBlocked = true;
    f.map->SetOccupancy(x, y, 1);
    f.view.Draw(false);
    f.map->SetOccupancy(x, y, 0);
    return BoxOf(f.surface, kRed);
}

// Fills a map with everything the view draws, at random: levels that change by one step,
// terrains (slot 15 too), walls, objects of every layer, buildings and units.
void Scatter(ViewFixture& f, Random& rnd) {
    tMapa& m = *f.map;
    for (int32_t y = 0; y < m.Height; ++y)
        for (int32_t x = 0; x < m.Width; ++x) {
            m.SetLevel(x, y, 2 + rnd.Next(3));
            if (rnd.Next(12) == 0) m.SetLevel(x, y, rnd.Next(8));  // now and then a cliff
        }
    for (int32_t y = 0; y < m.Height; y += 2)
        for (int32_t x = 0; x < m.Width; ++x) {
            m.SetTerrain(x, y, rnd.Next(16));
            if (rnd.Next(9) == 0) f.WallBlock(x, y, 1 + rnd.Next(16), rnd.Next(4));
        }
    for (int i = 1; i <= 20; ++i) {
        f.AddBuilding(i, rnd.Next(4) == 0 ? test::kBody : test::kHall, rnd.Next(3));
        f.AddUnit(i, rnd.Next(3) == 0 ? test::kBody : test::kWalker);
    }
    const int objects[] = {test::kTree,   test::kBush, test::kRock, test::kDot, test::kNoFrames,
                           test::kBroken, test::kHall, test::kBody, 77 /* not in the catalogue */};
    for (int32_t y = 0; y < m.Height; ++y)
        for (int32_t x = 0; x < m.Width; ++x) {
            if (m.GetOccupancy(x, y) == 3 || rnd.Next(3) != 0) continue;
            const int kind = rnd.Next(10);
            const int link = kind < 7 ? 0 : kind < 9 ? 1 : 2;
            const int id = link == 0 ? objects[rnd.Next(9)] : 1 + rnd.Next(20);
            f.PutObject(x, y, link, id, rnd.Next(256), rnd.Next(8));
            if (rnd.Next(5) == 0) m.SetOccupancy(x, y, 1);  // a footprint cell: not drawn
        }
}

TEST(ViewDrawing, MatchesThePlainReferenceDrawing) {
    ViewFixture f(40, 80, 480, 360);
    test::ViewFixture reference(40, 80, 480, 360);
    for (int seed = 1; seed <= 12; ++seed) {
        Random rnd(static_cast<uint64_t>(seed));
        Scatter(f, rnd);
        test::CopyMap(f, reference);
        tView& v = f.view;
        v.X = rnd.Next(3) == 0 ? 0 : rnd.Next(30) - 3;
        v.Y = rnd.Next(3) == 0 ? 0 : rnd.Next(50) - 3;
        v.Layers = static_cast<uint8_t>(rnd.Next(2) ? kAllLayers : rnd.Next(64));
        f.options.ShowBlocked = rnd.Next(2) != 0;
        f.clip->State = rnd.Next(2) ? kClipSelecting : kClipIdle;
        f.clip->Rectangular = static_cast<uint8_t>(rnd.Next(2));
        f.clip->CornerA = {v.X + rnd.Next(8), v.Y + rnd.Next(20)};
        f.clip->CornerB = {v.X + rnd.Next(8), v.Y + rnd.Next(20)};
        f.clip->Normalize();
        v.Tools.Clipboard = f.clip.get();
        v.CursorX = v.X + rnd.Next(14);
        v.CursorY = v.Y + rnd.Next(40);
        v.CursorWidth = rnd.Next(4);
        v.CursorHeight = rnd.Next(4);
        f.tools.PenRadius = rnd.Next(4);
        f.tools.ToolCode = rnd.Next(2) ? kObjectTool : 5;
        f.tools.CurrentPack.IdObject = rnd.Next(2) ? test::kHall : test::kRock;
        f.tools.CurrentPack.TreeMode = static_cast<uint8_t>(rnd.Next(4) == 0);
        const bool cursor = rnd.Next(4) != 0;
        static_cast<ViewPosition&>(reference.view) = v;
        reference.view.CursorX = v.CursorX;
        reference.view.CursorY = v.CursorY;
        reference.view.CursorWidth = v.CursorWidth;
        reference.view.CursorHeight = v.CursorHeight;
        reference.view.Layers = v.Layers;
        reference.view.Tools = v.Tools;
        v.Draw(cursor);
        test::ReferenceDraw(reference.view, cursor);
        ASSERT_EQ(test::FirstDifference(f.surface, reference.surface), "") << "seed " << seed;
    }
}

// A scene of every kind of thing, drawn once and looked at: terrain of all slots, a plateau
// with its slopes, a wall mass with a black inside and pieces at its edge, a tree, a bush with
// jitter, a building, a unit, a rock, the red marks of occupied cells and a 2 x 2 cursor.
TEST(ViewDrawing, GoldenScene) {
    ViewFixture f(24, 48, 480, 360);
    tMapa& m = *f.map;
    for (int32_t y = 0; y < 48; y += 2)
        for (int32_t x = 0; x < 24; ++x)
            m.SetTerrain(x, y, (x / 3 + y / 8) % 15);
    for (int32_t y = 18; y < 30; ++y)
        for (int32_t x = 4; x < 9; ++x)
            m.SetLevel(x, y, 4);
    for (int32_t y = 20; y < 28; ++y)
        for (int32_t x = 5; x < 8; ++x)
            m.SetLevel(x, y, 5);
    for (int32_t y = 30; y < 40; y += 2)
        for (int32_t x = 12; x < 16; ++x)
            f.WallBlock(x, y, 5, x % 4);
    f.AddBuilding(1, test::kHall, 1);
    f.AddUnit(1, test::kWalker);
    f.PutObject(3, 10, 0, test::kTree, 136, 1);
    f.PutObject(8, 12, 0, test::kBush, 0x35, 0);
    f.PutObject(10, 20, 1, 1, 136, 0);
    f.PutObject(12, 24, 2, 1, 136, 0);
    f.PutObject(5, 30, 0, test::kRock, 136, 0);
    f.options.ShowBlocked = true;
    f.view.CursorX = 11;
    f.view.CursorY = 34;
    f.view.CursorWidth = 1;
    f.view.CursorHeight = 1;
    f.view.Draw(true);
    EXPECT_EQ(test::PixelChecksum(f.surface), 0xadf13f9dc9aede0eull);
}

// Where a one-pixel object with no jitter on the cell shows: its anchor point, the centre of
// the cell's diamond (the corner plus half a tile).
TPoint DotAt(ViewFixture& f, int32_t x, int32_t y) {
    f.PutObject(x, y, 0, test::kDot, 136);
    f.view.Draw(false);
    f.map->SetOccupancy(x, y, 0);
    const SurfaceRect box = BoxOf(f.surface, Rgb565(255, 255, 0));
    EXPECT_EQ(box.Width() * box.Height(), 1);
    return {box.Left, box.Top};
}

TEST(ViewDrawing, OddRowsSitHalfATileRightAndHalfATileLower) {
    ViewFixture f;
    // At level 0 the corner of (0, 0) is (-16, -8) and that of (0, 1) is (0, 0).
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 2; ++x)
            f.map->SetLevel(x, y, 0);
    EXPECT_EQ(DotAt(f, 0, 0), (TPoint{0, 0}));
    EXPECT_EQ(DotAt(f, 0, 1), (TPoint{16, 8}));
    // Away from the edges, at the usual level 3: (4, 6) has its corner at (112, 28).
    EXPECT_EQ(DotAt(f, 4, 6), (TPoint{128, 36}));
    EXPECT_EQ(DotAt(f, 4, 7), (TPoint{144, 44}));
    EXPECT_EQ(DotAt(f, 5, 6), (TPoint{160, 36}));
    EXPECT_EQ(DotAt(f, 4, 8), (TPoint{128, 52}));
    // Y is forced even: a view at row 1 shows the same as one at row 0.
    f.view.Y = 1;
    EXPECT_EQ(DotAt(f, 4, 6), (TPoint{128, 36}));
    EXPECT_EQ(f.view.Y, 0);
    // The view moved by a column and two rows moves everything by a tile each way.
    f.view.X = 1;
    f.view.Y = 2;
    EXPECT_EQ(DotAt(f, 4, 6), (TPoint{96, 20}));
}

// Cells (cx, cy) and their three up neighbours at the level, so the cell is flat there; with a
// margin around it so that picking's first guess lands on the plateau too.
void Plateau(tMapa& m, int32_t cx, int32_t cy, int level) {
    for (int32_t y = cy - 6; y <= cy + 6; ++y)
        for (int32_t x = cx - 3; x <= cx + 3; ++x)
            m.SetLevel(x, y, level);
}

TEST(ViewDrawing, EachLevelLiftsACellByFourPixelsAndPickingFindsIt) {
    ViewFixture f;
    const int32_t cx = 5, cy = 20;
    const SurfaceRect flat = MarkerBox(f, cx, cy);
    Plateau(*f.map, cx, cy, 5);
    ASSERT_EQ(f.view.Zoom->Terens.CornerShape(cx, cy), (CellShape{5, 0, false}));
    const SurfaceRect raised = MarkerBox(f, cx, cy);
    EXPECT_EQ(raised.Top, flat.Top - 8);
    EXPECT_EQ(raised.Left, flat.Left);
    // Every pixel well inside the drawn diamond picks the raised cell.
    const int32_t centreX = (raised.Left + raised.Right) / 2,
                  centreY = (raised.Top + raised.Bottom) / 2;
    int tried = 0;
    for (int32_t y = raised.Top; y < raised.Bottom; ++y)
        for (int32_t x = raised.Left; x < raised.Right; ++x) {
            if (std::abs(x + 0.5 - centreX) / 16 + std::abs(y + 0.5 - centreY) / 8 > 0.8) continue;
            ++tried;
            ASSERT_EQ(f.view.CellAt(x, y), (TPoint{cx, cy})) << x << ", " << y;
        }
    EXPECT_GT(tried, 100);
    EXPECT_EQ(f.view.CursorX, cx);
    EXPECT_EQ(f.view.CursorY, cy);
}

TEST(ViewPicking, EveryPointInsideADiamondOfAFlatMapPicksItsCell) {
    ViewFixture f;
    for (int32_t viewY : {0, 6}) {
        f.view.X = 3;
        f.view.Y = viewY;
        int tried = 0;
        // The diamond of screen cell (c, r) at level 3 has its centre at (32c + 16 (r mod 2),
        // 8r - 12).
        for (int r = 2; r < 26; ++r)
            for (int c = 0; c < 9; ++c) {
                const int cx = 32 * c + 16 * (r & 1), cy = 8 * r - 12;
                for (int py = cy - 8; py < cy + 8; ++py)
                    for (int px = cx - 16; px < cx + 16; ++px) {
                        if (std::abs(px + 0.5 - cx) / 16 + std::abs(py + 0.5 - cy) / 8 >= 0.9)
                            continue;
                        ++tried;
                        ASSERT_EQ(f.view.CellAt(px, py), (TPoint{3 + c, viewY + r}))
                            << px << ", " << py;
                    }
            }
        EXPECT_GT(tried, 40000);
    }
}

TEST(ViewDrawing, WallBlocksInsideAWallMassDrawNeitherTerrainNorPieces) {
    ViewFixture f(24, 48, 480, 360);
    for (int32_t y = 0; y < 48; y += 2)
        for (int32_t x = 0; x < 24; ++x)
            f.WallBlock(x, y, 5);
    // Open ground in the lower rows so the border blocks show faces.
    for (int32_t y = 34; y < 48; ++y)
        for (int32_t x = 0; x < 24; ++x)
            f.map->SetOccupancy(x, y, 0);
    f.view.X = 2;
    f.view.Y = 4;
    f.view.Draw(false);
    // The cell (10, 14) and all its diagonal neighbours are walls: its diamond stays black.
    const int32_t c = 10 - 2, r = 14 - 4;
    const int32_t sx = 32 * c + 16 * (r & 1) - 16, sy = 8 * r - 8 - 12;
    for (int32_t y = sy + 2; y < sy + 14; ++y)
        for (int32_t x = sx + 8; x < sx + 24; ++x)
            ASSERT_EQ(f.surface.PixelAt(x, y), kBlack565) << x << ", " << y;
    // The blocks at the edge of the mass do draw their pieces (red 220 is kind 5's).
    int wallPixels = 0;
    for (int32_t y = 0; y < f.surface.Height(); ++y)
        for (int32_t x = 0; x < f.surface.Width(); ++x)
            wallPixels += f.surface.ColorAt(x, y).r == Expand5(220 >> 3);
    EXPECT_GT(wallPixels, 1000);
}

TEST(ViewDrawing, JitterOf136PutsTheAnchorOnTheDiamondCentre) {
    ViewFixture f;
    const uint16_t dot = Rgb565(255, 255, 0);
    f.PutObject(6, 13, 0, test::kDot, 136);
    f.view.Draw(false);
    const SurfaceRect box = BoxOf(f.surface, dot);
    // Row 13 (odd) at level 3: corner (32*6 + 16 - 16, 8*13 - 8 - 12); centre 16 right, 8 down.
    EXPECT_EQ(box, (SurfaceRect{192 + 16, 84 + 8, 192 + 17, 84 + 9}));
    // The low nibble moves it across, the high one down, in sixteenths of half a tile (ties
    // to even: -3.5 becomes -4, 2.5 becomes 2).
    f.map->SetJitter(6, 13, 0x15);  // x: 5 - 8 = -3 px; y: (1 - 8) / 2 = -3.5 -> -4
    f.view.Draw(false);
    EXPECT_EQ(BoxOf(f.surface, dot), (SurfaceRect{208 - 3, 92 - 4, 208 - 2, 92 - 3}));
    f.map->SetJitter(6, 13, 0xDF);  // x: 15 - 8 = 7; y: (13 - 8) / 2 = 2.5 -> 2
    f.view.Draw(false);
    EXPECT_EQ(BoxOf(f.surface, dot), (SurfaceRect{208 + 7, 92 + 2, 208 + 8, 92 + 3}));
}

TEST(ViewDrawing, FramesFollowAnimRowAndUnitsShowTheirFirstFrameBodiesTheirLast) {
    ViewFixture f;
    auto greenAt = [&](int32_t x, int32_t y) { return f.surface.ColorAt(x, y).g; };
    // Frames are green 40, 100, 160 from the top. The anchor of (6, 13) is (208, 92).
    f.PutObject(6, 13, 0, test::kTree, 136, 4);  // row 4 mod 3 = 1
    f.view.Draw(false);
    EXPECT_EQ(greenAt(208, 92 - 14), Expand6(100 >> 2));
    f.map->SetAnimRow(6, 13, 2);
    f.view.Draw(false);
    EXPECT_EQ(greenAt(208, 92 - 14), Expand6(160 >> 2));
    // The body picture as an object shows its last frame, as a unit its first.
    f.PutObject(6, 13, 0, test::kBody, 136, 0);
    f.view.Draw(false);
    EXPECT_EQ(greenAt(208, 92 - 3), Expand6(160 >> 2));
    f.PutObject(6, 13, 2, f.AddUnit(3, test::kBody), 136, 0);
    f.view.Draw(false);
    EXPECT_EQ(greenAt(208, 92 - 3), Expand6(40 >> 2));
}

TEST(ViewDrawing, EachLayerBitHidesItsOwnKindOfThing) {
    struct Thing {
        uint8_t bit;
        int link;
        int id;
    };
    ViewFixture f;
    f.AddBuilding(1, test::kHall, 1);
    f.AddUnit(1, test::kWalker);
    const Thing things[] = {{kLayerObjects, 0, test::kRock},
                            {kLayerIndexedTrees, 0, test::kTree},
                            {kLayerPlainTrees, 0, test::kBush},
                            {kLayerBuildings, 1, 1},
                            {kLayerUnits, 2, 1}};
    f.view.Draw(false);
    const uint64_t empty = test::PixelChecksum(f.surface);
    for (const Thing& t : things) {
        f.PutObject(5, 20, t.link, t.id);
        f.view.Layers = kAllLayers;
        f.view.Draw(false);
        EXPECT_NE(test::PixelChecksum(f.surface), empty) << int(t.bit);
        f.view.Layers = static_cast<uint8_t>(kAllLayers & ~t.bit);
        f.view.Draw(false);
        EXPECT_EQ(test::PixelChecksum(f.surface), empty) << int(t.bit);
        f.view.Layers = t.bit;
        f.view.Draw(false);
        EXPECT_NE(test::PixelChecksum(f.surface), empty) << int(t.bit);
        f.map->SetOccupancy(5, 20, 0);
    }
    // Walls: bit 32 hides the pieces, not the wall cells' terrain. A lone block: piece 1.
    f.map->WallTable[0x5555] = 1;
    f.WallBlock(7, 20, 3);
    f.view.Layers = kAllLayers & ~kLayerWalls;
    f.view.Draw(false);
    EXPECT_EQ(test::PixelChecksum(f.surface), empty);
    f.view.Layers = kAllLayers;
    f.view.Draw(false);
    EXPECT_NE(test::PixelChecksum(f.surface), empty);
}

TEST(ViewDrawing, ThePreviewIsHalfTransparentAndOnlyOnFreeCells) {
    ViewFixture f;
    f.tools.ToolCode = kObjectTool;
    f.view.CursorX = 6;
    f.view.CursorY = 13;
    auto drawWith = [&](int32_t idObject) {
        f.tools.CurrentPack.IdObject = idObject;
        f.view.Draw(true);
        return f.surface;
    };
    const tSurface marked = drawWith(0);
    const tSurface preview = drawWith(test::kRock);
    // The rock's anchor is (208, 92); its pixel (10, 4) lands at (208, 92 - 9 + 4).
    const uint32_t under = marked.PixelAt(208, 87), seen = preview.PixelAt(208, 87);
    const uint32_t rock = Rgb565(110, 40, 16);
    auto mix = [](uint32_t s, uint32_t d) { return (s * 128 + d * 127 + 127) / 255; };
    EXPECT_EQ(seen >> 11, mix(rock >> 11, under >> 11));
    EXPECT_EQ(seen >> 5 & 63, mix(rock >> 5 & 63, under >> 5 & 63));
    EXPECT_EQ(seen & 31, mix(rock & 31, under & 31));
    EXPECT_NE(seen, under);
    // While scattering trees, or on an occupied cell, there is no preview.
    f.tools.CurrentPack.TreeMode = 1;
    EXPECT_EQ(test::FirstDifference(drawWith(test::kRock), marked), "");
    f.tools.CurrentPack.TreeMode = 0;
    f.map->SetOccupancy(6, 13, 1);
    const tSurface blocked = drawWith(0);
    EXPECT_EQ(test::FirstDifference(drawWith(test::kRock), blocked), "");
}

TEST(ViewDrawing, TheCursorCoversItsExtentFromTheBrushAnchor) {
    ViewFixture f;
    f.view.CursorX = 6;
    f.view.CursorY = 10;
    f.view.CursorWidth = 2;
    f.view.CursorHeight = 1;
    f.tools.PenRadius = 2;  // the cursor starts one step down: (6, 12)
    f.view.Draw(true);
    const uint16_t cursor = Rgb565(100, 100, 250);
    std::set<std::pair<int32_t, int32_t>> marked;
    for (int32_t r = 0; r < 30; ++r)
        for (int32_t c = 0; c < 10; ++c) {
            const int32_t sx = 32 * c + 16 * (r & 1) - 16, sy = 8 * r - 20;
            if (f.surface.PixelAt(sx + 17, sy + 8) == cursor) marked.insert({c, r});
        }
    // Along direction 0 from (6, 12): (6, 11), (7, 10); the next row one step up-left.
    const std::set<std::pair<int32_t, int32_t>> expected = {{6, 12}, {6, 11}, {7, 10},
                                                            {5, 11}, {6, 10}, {6, 9}};
    EXPECT_EQ(marked, expected);
}

TEST(ViewDrawing, DrawingStaysInsideTheViewRectangle) {
    ViewFixture f(24, 48, 320, 240);
    test::ViewFixture small(24, 48, 200, 150);
    Random rnd(9);
    Scatter(f, rnd);
    test::CopyMap(f, small);
    f.view.Right = 200;
    f.view.Bottom = 150;
    f.view.X = small.view.X = 4;
    f.view.Y = small.view.Y = 10;
    f.view.Draw(false);
    test::ReferenceDraw(small.view, false);
    for (int32_t y = 0; y < 240; ++y)
        for (int32_t x = 0; x < 320; ++x)
            ASSERT_EQ(f.surface.PixelAt(x, y), x < 200 && y < 150 ? small.surface.PixelAt(x, y) : 0)
                << x << ", " << y;
}

TEST(ViewDrawing, ObjectsCutByEveryEdgeMatchTheReference) {
    ViewFixture f(24, 48, 256, 192);
    test::ViewFixture reference(24, 48, 256, 192);
    // Tall buildings and trees along the rows and columns that cross the four edges.
    f.AddBuilding(1, test::kHall, 1);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 24; ++x)
            if (x <= 4 || y <= 3 || x >= 10 || y >= 24)
                f.PutObject(x, y, (x + y) % 2, (x + y) % 2 ? 1 : test::kTree, (x * 37 + y) & 255,
                            y & 7);
    test::CopyMap(f, reference);
    for (TPoint at : {TPoint{0, 0}, TPoint{3, 4}, TPoint{6, 10}, TPoint{20, 40}}) {
        f.view.X = reference.view.X = at.X;
        f.view.Y = reference.view.Y = at.Y;
        f.view.Draw(false);
        test::ReferenceDraw(reference.view, false);
        ASSERT_EQ(test::FirstDifference(f.surface, reference.surface), "") << at.X << ", " << at.Y;
    }
}

TEST(ViewDrawing, HostileCellsAndCataloguesDrawNothingOutsideAndNeverCrash) {
    ViewFixture f(40, 60, 200, 150);
    Random rnd(4);
    tMapa& m = *f.map;
    for (int32_t y = 0; y <= 60; ++y)
        for (int32_t x = 0; x <= 40; ++x)
            m.SetCell(x, y,
                      tMapCell{{uint16_t(rnd.Next(65536)), uint16_t(rnd.Next(65536)),
                                uint16_t(rnd.Next(65536))}});
    for (int i = 0; i <= kMaxBuildings; i += 7)
        f.store->Buildings[size_t(i)].IdObject = rnd.Next(20000) - 5000;
    for (int i = 0; i <= kMaxUnits; i += 7)
        f.store->Units[size_t(i)].IdObject = rnd.Next(20000) - 5000;
    // Entries whose numbers send frames far away or make them absurd.
    tObjects& objects = *f.view.Zoom->Objects;
    objects.Item(test::kRock)->Relat_X = INT32_MAX;
    objects.Item(test::kRock)->Relat_Y = INT32_MIN;
    objects.Item(test::kTree)->Width = -5;
    objects.Item(test::kBush)->Width = INT32_MAX;
    objects.Item(test::kBush)->Height = INT32_MAX / 2;
    objects.Item(test::kWalker)->Relat_Y = -1000000;
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 40; ++x) {
            const int pick = rnd.Next(8);
            if (pick < 3) {
                const int ids[] = {test::kRock, test::kTree, test::kBush};
                m.SetOccupancy(x, y, 2);
                m.SetLinkKind(x, y, 0);
                m.SetId(x, y, ids[pick]);
            }
        }
    f.view.Right = 150;
    f.view.Bottom = 100;
    f.view.CursorX = 35;
    f.view.CursorY = 55;
    f.view.CursorWidth = 20000;
    f.view.CursorHeight = 3;
    f.tools.PenRadius = -40;
    for (TPoint at :
         {TPoint{0, 0}, TPoint{-50, -9}, TPoint{30, 50}, TPoint{INT32_MAX, INT32_MAX}}) {
        f.view.X = at.X;
        f.view.Y = at.Y;
        f.view.Draw(true);
        for (int32_t y = 0; y < 150; ++y)
            for (int32_t x = 0; x < 200; ++x)
                if (x >= 150 || y >= 100) {
                    ASSERT_EQ(f.surface.PixelAt(x, y), 0);
                }
    }
    // A surface smaller than the view rectangle, and a view rectangle off the surface.
    f.surface.SetSize(7, 3);
    f.view.X = 0;
    f.view.Draw(true);
    f.view.Left = -10000;
    f.view.Top = 5000;
    f.view.Draw(true);
    EXPECT_EQ(f.view.PixelsWritten(), 21u);
}

TEST(ViewPictures, ObjectPicturesLoadOnFirstUseAndStay) {
    ViewFixture f;
    // A catalogue entry with a real sprite file and no picture yet.
    writers::RgbaImage image(8, 16, {255, 0, 255, 255});
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 6; ++x)
            image.At(x, y) = {20, 200, 20, 255};
    test::TempDir files;
    const std::string file = files.Write("lantern.dds", writers::WriteDds(image));
    auto lantern = std::make_unique<tObject>();
    lantern->Id = 40;
    lantern->FileName = file;
    lantern->Width = 8;
    lantern->Height = 16;
    lantern->Anim_Count = 1;
    lantern->Relat_X = 4;
    lantern->Relat_Y = 14;
    f.view.Zoom->Objects->Put(std::move(lantern));
    f.ui.Reset();
    f.view.Draw(false);
    EXPECT_TRUE(f.ui.captions.empty());  // not on the map: not loaded
    f.PutObject(6, 13, 0, 40);
    f.view.Draw(false);
    ASSERT_EQ(f.ui.captions.size(), 1u);
    EXPECT_EQ(f.ui.captions[0], "read ... " + file);
    // The anchor (208, 92) is the picture's (4, 14); its opaque (4, 10) is 4 rows higher.
    const tSurface& picture = f.view.Zoom->Objects->Item(40)->Picture;
    ASSERT_EQ(picture.Width(), 8);
    EXPECT_NE(picture.PixelAt(4, 10), picture.TransparentColor());
    EXPECT_EQ(f.surface.PixelAt(208, 88), picture.PixelAt(4, 10));
    f.view.Draw(false);
    EXPECT_EQ(f.ui.captions.size(), 1u);
    EXPECT_TRUE(f.ui.errors.empty());
}

TEST(ViewPictures, ReloadedTerrainPicturesShowOnTheNextDraw) {
    ViewFixture f;
    f.view.Draw(false);
    // (112, 60) is the centre of cell (3, 9).
    const uint16_t before = f.surface.PixelAt(112, 60);
    // A map load or the terrain palette reloads the pictures in place: here the flat tiles of
    // the terrain under the point take another colour.
    const int slot = f.map->GetTerrain(3, 9);
    tTerenOne& one = *f.view.Zoom->Terens.Items[size_t(slot)];
    for (auto& column : one.Flat)
        for (int32_t y = 0; y < column[0].Height(); ++y)
            for (int32_t x = 0; x < column[0].Width(); ++x)
                if (column[0].PixelAt(x, y) != column[0].TransparentColor())
                    column[0].PutPixel565(x, y, Rgb565(1, 2, 250));
    f.view.Draw(false);
    EXPECT_NE(f.surface.PixelAt(112, 60), before);
    EXPECT_EQ(f.surface.PixelAt(112, 60), Rgb565(1, 2, 250));
}

TEST(ViewZoom, SetZoomShowsTheCaptionAndLoadsThePicturesOfTheTileSize) {
    ViewFixture f;
    f.ui.Reset();
    f.view.SetZoom("PICTURES/32x16/", 32, 4, 16, test::FixtureCatalogue());
    ASSERT_FALSE(f.ui.captions.empty());
    EXPECT_EQ(f.ui.captions[0], "prosím chvíli ... načítám data");
    EXPECT_TRUE(f.ui.errors.empty());
    const tZoom& z = *f.view.Zoom;
    EXPECT_EQ(z.Terens.Item(5)->FlatRows, 1);
    for (int kind = 1; kind <= kWallKinds; ++kind)
        EXPECT_EQ(z.Walls[size_t(kind - 1)]->Picture.Width(), 491);
    EXPECT_NE(z.Objects->Item(test::kTree), nullptr);
}

}  // namespace
}  // namespace tess
