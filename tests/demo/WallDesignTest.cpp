// The wall-piece table design and the wall pictures drawn for it.
#include <gtest/gtest.h>

#include <set>

#include "Walls.h"

namespace tess::demo {
namespace {

// Builds a key from the open directions (0..7); every other direction is a wall.
uint16_t KeyOpenAt(std::initializer_list<int> open) {
    uint16_t key = 0;
    for (int d : open)
        key = static_cast<uint16_t>(key | (1 << (2 * (7 - d))));
    return key;
}

TEST(WallTable, SurroundedAndCornerOnlyBlocksDrawNothing) {
    const std::vector<uint8_t> table = MakeWallPieceTable();
    ASSERT_EQ(table.size(), 65536u);
    EXPECT_EQ(table[0], kNothing);
    // Only diagonal neighbours open: hidden behind the boxes along the axes.
    EXPECT_EQ(table[KeyOpenAt({1})], kNothing);
    EXPECT_EQ(table[KeyOpenAt({3, 5, 7})], kNothing);
}

TEST(WallTable, StraightRunsPickStraightFaces) {
    const std::vector<uint8_t> table = MakeWallPieceTable();
    // A wall one block thick running along the north-east axis: ground on both long sides.
    EXPECT_EQ(table[KeyOpenAt({1, 2, 3, 5, 6, 7})], kFaceSouthEast);
    // Along the north-west axis.
    EXPECT_EQ(table[KeyOpenAt({0, 1, 3, 4, 5, 7})], kFaceSouthWest);
    // The edge of a wide mass with open ground only in front.
    EXPECT_EQ(table[KeyOpenAt({2, 3})], kFaceSouthEast);
    EXPECT_EQ(table[KeyOpenAt({3, 4})], kFaceSouthWest);
    // The south corner of a mass and a lone block show both faces.
    EXPECT_EQ(table[KeyOpenAt({2, 3, 4})], kCornerSouth);
    EXPECT_EQ(table[0x5555], kCornerSouth);
    // Open ground behind only: rims.
    EXPECT_EQ(table[KeyOpenAt({0})], kRimNorthEast);
    EXPECT_EQ(table[KeyOpenAt({6})], kRimNorthWest);
    EXPECT_EQ(table[KeyOpenAt({0, 6, 7})], kRimNorth);
}

TEST(WallTable, RunEndsUseTheEndPieces) {
    const std::vector<uint8_t> table = MakeWallPieceTable();
    // The north-east end of a south-east face, and the north-west end of a south-west face.
    EXPECT_EQ(table[KeyOpenAt({0, 1, 2, 3})], kFaceSouthEastEnd);
    EXPECT_EQ(table[KeyOpenAt({3, 4, 5, 6})], kFaceSouthWestEnd);
}

// Pieces 0 and 2 shift to their end pictures when the block two steps along direction 0 (6) is
// not a wall, which is exactly what the key's bits for that direction say. The table picks them
// only then, so the normal rectangles of rows 0 and 2 (which share columns with variant 0's end
// piece) are never drawn.
TEST(WallTable, EndPiecesAreChosenOnlyWhenTheirEndRectangleApplies) {
    const std::vector<uint8_t> table = MakeWallPieceTable();
    for (int key = 1; key < 65536; ++key) {
        const uint8_t piece = table[static_cast<size_t>(key)];
        if (piece == kFaceSouthEastEnd) {
            EXPECT_TRUE(KeyOpen(static_cast<uint16_t>(key), 0)) << key;
        }
        if (piece == kFaceSouthWestEnd) {
            EXPECT_TRUE(KeyOpen(static_cast<uint16_t>(key), 6)) << key;
        }
    }
}

TEST(WallTable, EveryChosenPieceHasAPictureRow) {
    const std::vector<uint8_t> table = MakeWallPieceTable();
    std::set<int> used;
    for (uint8_t v : table) {
        if (v == kNothing) continue;
        ASSERT_LE(v, 11);
        EXPECT_GE(WallPictureRow(v), 0) << int{v};
        used.insert(v);
    }
    // All eight picture rows are in use.
    EXPECT_EQ(used.size(), 8u);
}

// The rectangle PickPiece cuts for a piece and variant.
struct Rect {
    int x, y;
};
Rect PieceRect(int piece, int variant) {
    Rect r{65 * variant + 1, 81 * WallPictureRow(piece) + 1};
    if (piece == kFaceSouthEastEnd || piece == kFaceSouthWestEnd) r.x += kWallEndShiftFar;
    return r;
}

TEST(WallPictures, LayoutColoursAndPieces) {
    const int pieces[] = {0, 1, 2, 3, 8, 9, 10, 11};
    for (int kind = 1; kind <= kWallKinds; ++kind) {
        const Canvas pic = MakeWallPicture(kind);
        ASSERT_EQ(pic.Width(), kWallPictureWidth);
        ASSERT_EQ(pic.Height(), kWallPictureHeight);
        // Small enough for a 4-bit bitmap.
        std::set<uint32_t> colours;
        for (const Rgba& p : pic.Pixels())
            colours.insert(static_cast<uint32_t>(p.r) << 16 | p.g << 8 | p.b);
        EXPECT_LE(colours.size(), 16u) << kind;
        for (const Rgba& p : pic.Pixels())
            if (!(p == kWallKey)) {
                ASSERT_NE(To565(p), To565(kWallKey)) << kind;
            }
        for (int piece : pieces)
            for (int v = 0; v < 4; ++v) {
                const Rect r = PieceRect(piece, v);
                int drawn = 0, textured = 0, outside = 0;
                for (int y = 0; y < kWallPieceHeight; ++y)
                    for (int x = 0; x < kWallPieceWidth; ++x) {
                        const Rgba p = pic.Get(r.x + x, r.y + y);
                        if (p == kWallKey) continue;
                        ++drawn;
                        textured += !(p == kBlack);
                        // Nothing outside the block's box: above its top (but for lumps of rock
                        // on a rim) or below its ground.
                        const int half =
                            std::abs(2 * x + 1 - 64) / 4;  // the top edge at |x - 32| / 2
                        outside += y + 3 < half || y > 81 - half;
                    }
                EXPECT_EQ(outside, 0) << kind << " piece " << piece << " v " << v;
                EXPECT_GT(drawn, 1500) << kind << " piece " << piece << " v " << v;
                EXPECT_GT(textured, 30) << kind << " piece " << piece << " v " << v;
            }
    }
}

}  // namespace
}  // namespace tess::demo
