// Terrain pictures of the demo game: layouts the terrain catalogue cuts, transparent keys,
// lighting.
#include <gtest/gtest.h>

#include <set>

#include "Terrain.h"
#include "resources/Utils.h"

namespace tess::demo {
namespace {

bool HasSet(const std::string& name) {
    for (const std::string& n : TerrainSetNames())
        if (AnsiUpperCase(n) == AnsiUpperCase(name)) return true;
    return false;
}

TEST(TerrainSets, EverySlotNameAndDialogNameHasPictures) {
    ASSERT_EQ(DefaultTerrainNames().size(), 15u);
    for (const std::string& n : DefaultTerrainNames())
        EXPECT_TRUE(HasSet(n)) << n;
    for (const std::string& n : TerrainDialogNames())
        EXPECT_TRUE(HasSet(n)) << n;
    // No two sets share a file name (the lookups ignore letter case).
    std::set<std::string> upper;
    for (const std::string& n : TerrainSetNames())
        EXPECT_TRUE(upper.insert(AnsiUpperCase(n)).second) << n;
}

TEST(TerrainPictures, LayoutsMatchWhatTheCatalogueCuts) {
    for (const std::string& name : TerrainSetNames()) {
        const Canvas flat = MakeFlatPicture(name);
        const Canvas slope = MakeSlopePicture(name);
        EXPECT_EQ(flat.Width(), 4 * kTileWidth) << name;
        EXPECT_EQ(flat.Height() % kTileHeight, 0) << name;
        const int rows = flat.Height() / kTileHeight;
        EXPECT_GE(rows, 1) << name;
        EXPECT_LE(rows, 8) << name;
        EXPECT_EQ(rows, TerrainFlatRows(name)) << name;
        // Two sets of two variants; every mask band 20 rows, the last piece ends the picture.
        EXPECT_EQ(slope.Width() / kTileWidth / 2, kSlopeVariants) << name;
        EXPECT_EQ(slope.Height(), 14 * kSlopeBand) << name;
    }
}

// Each piece's transparent colour is its own top-left pixel: it must be the key and no drawn
// pixel may show as the key once the picture is a 16-bit surface.
TEST(TerrainPictures, KeyIsEveryPiecesTopLeftAndNoDrawnPixelMatchesIt) {
    const uint16_t key = To565(kTerrainKey);
    for (const std::string& name : TerrainSetNames()) {
        const Canvas flat = MakeFlatPicture(name);
        const Canvas slope = MakeSlopePicture(name);
        for (int r = 0; r < flat.Height() / kTileHeight; ++r)
            for (int c = 0; c < 4; ++c) {
                EXPECT_EQ(flat.Get(c * 32, r * 16), kTerrainKey) << name;
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 32; ++x) {
                        const Rgba p = flat.Get(c * 32 + x, r * 16 + y);
                        // Exactly the diamond the view expects is drawn.
                        EXPECT_EQ(p != kTerrainKey, PieceCovers(0, x, y))
                            << name << " " << x << "," << y;
                        if (p != kTerrainKey) {
                            EXPECT_NE(To565(p), key) << name;
                        }
                    }
            }
        for (int set = 0; set < 2 * kSlopeVariants; ++set)
            for (int mask = 1; mask <= 14; ++mask) {
                const int ox = set * 32, oy = (mask - 1) * kSlopeBand;
                EXPECT_EQ(slope.Get(ox, oy), kTerrainKey) << name << " mask " << mask;
                for (int y = 0; y < kSlopeBand; ++y)
                    for (int x = 0; x < 32; ++x) {
                        const Rgba p = slope.Get(ox + x, oy + y);
                        EXPECT_EQ(p != kTerrainKey, PieceCovers(mask, x, y))
                            << name << " mask " << mask;
                        if (p != kTerrainKey) {
                            EXPECT_NE(To565(p), key) << name;
                        }
                    }
            }
    }
}

// Pieces with an extra row take the first row of the next band: that row holds only the next
// piece's top corner, never a stray line across the tile.
TEST(TerrainPictures, ExtraRowsBorrowOnlyTheNextPiecesTip) {
    const Canvas slope = MakeSlopePicture("Trava");
    for (int mask = 1; mask <= 13; ++mask) {
        if (kSlopeExtra[mask] == 0) continue;
        int drawn = 0;
        for (int x = 0; x < 32; ++x)
            drawn += slope.Get(x, mask * kSlopeBand) != kTerrainKey;
        EXPECT_LE(drawn, 4) << "mask " << mask;
    }
}

// An 8-bit palette is enough for every terrain picture.
TEST(TerrainPictures, AtMost256Colours) {
    for (const std::string& name : TerrainSetNames()) {
        std::set<uint32_t> colours;
        for (const Canvas& c : {MakeFlatPicture(name), MakeSlopePicture(name)})
            for (const Rgba& p : c.Pixels())
                colours.insert(static_cast<uint32_t>(p.r) << 16 | p.g << 8 | p.b);
        EXPECT_LE(colours.size(), 256u) << name;
    }
}

int MeanLuma(const Canvas& pic, int ox, int oy, int mask) {
    int sum = 0, n = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 32; ++x)
            if (PieceCovers(mask, x, y)) {
                sum += Luma(pic.Get(ox + x, oy + y));
                ++n;
            }
    return sum / std::max(1, n);
}

TEST(TerrainPictures, SlopesAreLitFromTheUpperLeft) {
    const Canvas flat = MakeFlatPicture("Skala");
    const Canvas slope = MakeSlopePicture("Skala");
    const int level = MeanLuma(flat, 0, 0, 0);
    // Mask 6 (right and bottom corners high) faces the upper left; mask 9 (top and left high)
    // faces the lower right.
    const int facing = MeanLuma(slope, 0, 5 * kSlopeBand, 6);
    const int away = MeanLuma(slope, 0, 8 * kSlopeBand, 9);
    EXPECT_GT(facing, level + 8);
    EXPECT_LT(away, level - 8);
}

TEST(TerrainPictures, GenerationIsRepeatable) {
    for (const char* name : {"Trava", "Voda-melka-pohyb0000", "Lava", "dlazba02"}) {
        EXPECT_EQ(MakeFlatPicture(name).Pixels(), MakeFlatPicture(name).Pixels()) << name;
        EXPECT_EQ(MakeSlopePicture(name).Pixels(), MakeSlopePicture(name).Pixels()) << name;
        EXPECT_EQ(MakeTerrainButton(name).Pixels(), MakeTerrainButton(name).Pixels()) << name;
    }
}

TEST(TerrainButtons, SizesAndOverlays) {
    int overlays = 0;
    for (const std::string& name : TerrainSetNames()) {
        const Canvas b = MakeTerrainButton(name);
        EXPECT_EQ(b.Width(), 64);
        EXPECT_EQ(b.Height(), 64);
        if (!HasButtonOverlay(name)) continue;
        ++overlays;
        const Canvas o = MakeButtonOverlay(name);
        int drawn = 0;
        for (const Rgba& p : o.Pixels())
            drawn += !(p == kBlack);
        // The overlay is drawn over the button with black as transparent: some, not all, drawn.
        EXPECT_GT(drawn, 20) << name;
        EXPECT_LT(drawn, 64 * 64 / 2) << name;
    }
    EXPECT_GE(overlays, 3);
}

}  // namespace
}  // namespace tess::demo
