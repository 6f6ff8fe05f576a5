// The wall-piece table and the wall pictures.
#include "Walls.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tess::demo {

uint8_t WallPieceFor(uint16_t key) {
    if (key == 0) return kNothing;
    const bool ne = KeyOpen(key, 0), se = KeyOpen(key, 2), sw = KeyOpen(key, 4),
               nw = KeyOpen(key, 6);
    if (se && sw) return kCornerSouth;
    if (se) return ne ? kFaceSouthEastEnd : kFaceSouthEast;
    if (sw) return nw ? kFaceSouthWestEnd : kFaceSouthWest;
    if (ne && nw) return kRimNorth;
    if (ne) return kRimNorthEast;
    if (nw) return kRimNorthWest;
    // Only diagonal neighbours open: the boxes of the blocks along both axes hide this one.
    return kNothing;
}

std::vector<uint8_t> MakeWallPieceTable() {
    std::vector<uint8_t> table(65536);
    for (int key = 0; key < 65536; ++key)
        table[static_cast<size_t>(key)] = WallPieceFor(static_cast<uint16_t>(key));
    return table;
}

const char* WallKindCaption(int kind) {
    static const char* kNames[16] = {
        "Jeskyně",    "Jeskyně s mechem",    "Jeskyně s pískem",    "Jeskyně se zdí",
        "Zeď",        "Mramorova Stena",     "Mramor s mechem",     "Normalni",
        "Jeskyně ()", "Jeskyně s mechem ()", "Jeskyně s pískem ()", "Jeskyně se zdí ()",
        "Zeď ()",     "Mramorova Stena ()",  "Mramor s mechem ()",  "Normalni ()"};
    return kNames[std::clamp(kind, 1, 16) - 1];
}

namespace {

// The 16 colours of a wall picture: key, black, nine face shades, three accent shades and two
// rim shades.
struct WallPalette {
    std::array<Rgba, 9> ramp;
    std::array<Rgba, 3> accent;
    Rgba rimLight, rimDark;
};

enum class Surface { Rock, Masonry, Marble, Granite };

struct WallStyle {
    Surface surface;
    int accent;   // 0 none, 1 moss, 2 sand, 3 bricks
    bool broken;  // kinds 9..16: jagged or crenellated top
    WallPalette pal;
};

std::array<Rgba, 9> Ramp9(Rgba dark, Rgba mid, Rgba light) {
    std::array<Rgba, 9> r;
    for (int i = 0; i < 9; ++i)
        r[static_cast<size_t>(i)] = i < 4 ? Mix(dark, mid, i * 64) : Mix(mid, light, (i - 4) * 52);
    return r;
}

WallStyle StyleOf(int kind) {
    const int base = (kind - 1) % 8;
    const bool broken = kind > 8;
    WallStyle s{};
    s.broken = broken;
    auto pal = [&](Rgba d, Rgba m, Rgba l, std::array<Rgba, 3> acc) {
        if (broken) {  // the folded kinds are a shade colder and darker
            d = Mix(d, Opaque(20, 24, 34), 60);
            m = Mix(m, Opaque(70, 76, 92), 50);
            l = Mix(l, Opaque(150, 156, 170), 40);
        }
        s.pal.ramp = Ramp9(d, m, l);
        s.pal.accent = acc;
        s.pal.rimLight = Mix(l, Opaque(255, 255, 255), 90);
        s.pal.rimDark = Mix(d, kBlack, 100);
    };
    const std::array<Rgba, 3> moss = {Opaque(40, 70, 24), Opaque(70, 110, 36),
                                      Opaque(110, 150, 56)};
    switch (base) {
        case 0:
            s.surface = Surface::Rock;
            pal(Opaque(40, 34, 30), Opaque(104, 92, 80), Opaque(176, 164, 146), moss);
            break;
        case 1:
            s.surface = Surface::Rock;
            s.accent = 1;
            pal(Opaque(34, 36, 32), Opaque(90, 92, 80), Opaque(160, 160, 140), moss);
            break;
        case 2:
            s.surface = Surface::Rock;
            s.accent = 2;
            pal(Opaque(70, 50, 30), Opaque(160, 124, 76), Opaque(230, 200, 140),
                {Opaque(176, 140, 84), Opaque(214, 182, 120), Opaque(240, 220, 170)});
            break;
        case 3:
            s.surface = Surface::Rock;
            s.accent = 3;
            pal(Opaque(42, 36, 34), Opaque(100, 90, 84), Opaque(170, 160, 150),
                {Opaque(90, 40, 30), Opaque(140, 70, 50), Opaque(180, 110, 80)});
            break;
        case 4:
            s.surface = Surface::Masonry;
            pal(Opaque(44, 44, 48), Opaque(116, 114, 112), Opaque(196, 192, 184), moss);
            break;
        case 5:
            s.surface = Surface::Marble;
            pal(Opaque(110, 110, 118), Opaque(200, 198, 196), Opaque(250, 248, 244), moss);
            break;
        case 6:
            s.surface = Surface::Marble;
            s.accent = 1;
            pal(Opaque(100, 104, 104), Opaque(186, 190, 184), Opaque(240, 242, 236), moss);
            break;
        default:
            s.surface = Surface::Granite;
            pal(Opaque(48, 50, 56), Opaque(120, 124, 132), Opaque(190, 194, 200), moss);
            break;
    }
    return s;
}

constexpr int kFaceHeight = 48;

// One texel of a face: u runs along the face (0..31, repeating with the block), v upwards from
// the ground (0..47). Returns a ramp level 0..8, or 100 + accent index.
int FaceTexel(const WallStyle& st, int u, int v, int variant, uint32_t seed) {
    const int uu = ((u % 32) + 32) % 32;
    int level = 4;
    switch (st.surface) {
        case Surface::Rock: {
            // Boulders on a jittered grid of 8 x 8 that repeats every 32 along the face.
            int best = 1 << 30, second = 1 << 30, bestLight = 0, tone = 0;
            for (int gj = v / 8 - 1; gj <= v / 8 + 1; ++gj)
                for (int gi = uu / 8 - 1; gi <= uu / 8 + 1; ++gi) {
                    const int wrapped = ((gi % 4) + 4) % 4;
                    // Detail boulders differ per variant, but those on the seam are shared.
                    const uint32_t h =
                        Hash(seed + (wrapped == 0 ? 0u : static_cast<uint32_t>(variant) * 131u),
                             wrapped, gj);
                    const int cx = gi * 8 + static_cast<int>(h % 7u),
                              cy = gj * 8 + static_cast<int>((h >> 4) % 7u);
                    const int dx = uu - cx, dy = v - cy;
                    const int d = dx * dx + dy * dy * 2;
                    if (d < best) {
                        second = best;
                        best = d;
                        bestLight = SphereLight(dx * 16, -dy * 16, 96);
                        tone = static_cast<int>((h >> 12) % 3u);
                    } else if (d < second) {
                        second = d;
                    }
                }
            if (second - best < 10) return 0;  // crack between boulders
            level = 2 + tone + bestLight / 64;
            if (second - best < 22) level -= 1;
            break;
        }
        case Surface::Masonry:
        case Surface::Granite: {
            const int course = st.surface == Surface::Masonry ? 6 : 8;
            const int row = v / course;
            const int len = st.surface == Surface::Masonry ? 11 : 16;
            const int shift = static_cast<int>(Hash(seed, row, 7) % static_cast<uint32_t>(len));
            const int pos = (uu + shift) % 32;
            const int inRow = v % course;
            const int block = pos / len + row * 7;
            const bool jointV = pos % len == 0 || pos == 0;
            if (inRow == 0 || jointV) return 0;
            const int tone =
                static_cast<int>(Hash(seed + static_cast<uint32_t>(variant), block, row) % 3u);
            level = 3 + tone;
            if (inRow == course - 1) level += 2;  // lit upper edge
            if (pos % len == 1) level += 1;
            if (inRow == 1) level -= 1;
            if (st.surface == Surface::Granite && (Hash(seed + 5, uu, v) & 7u) == 0) level -= 1;
            break;
        }
        case Surface::Marble: {
            const int row = v / 12;
            const int shift = row % 2 == 0 ? 0 : 8;
            const int pos = (uu + shift) % 32;
            const int inRow = v % 12;
            if (inRow == 0 || pos % 16 == 0) return 1;
            level = 5 + static_cast<int>(Hash(seed, pos / 16, row) % 2u);
            const int vein = std::abs(
                Noise2(seed + static_cast<uint32_t>(variant) + 9, uu + 40 * row, v, 8, 6) - 128);
            if (vein < 6) level = 3;
            if (inRow == 11) level = 8;
            if (pos % 16 == 1) level += 1;
            break;
        }
    }
    // Accents.
    if (st.accent == 1) {
        const int moss =
            Noise2(seed + 77 + static_cast<uint32_t>(variant), uu, v, 6, 4) + v * 3 - 60;
        if (moss > 200) return 100 + std::min(2, (moss - 200) / 20);
    } else if (st.accent == 2) {
        if (v < 5 + static_cast<int>(Hash(seed + 3, uu / 3, 0) % 4u)) return 100 + (v > 2 ? 1 : 2);
        if (((v + uu / 8) % 9) == 0) return 102;
    } else if (st.accent == 3) {
        const int patch = Noise2(seed + 33 + static_cast<uint32_t>(variant), uu, v, 12, 10);
        if (patch > 150) {
            const int row = v / 4, pos = (uu + (row % 2) * 4) % 8;
            if (v % 4 == 0 || pos == 0) return 0;
            return 100 + static_cast<int>(Hash(seed, (uu + (row % 2) * 4) / 8, row) % 3u);
        }
    }
    return std::clamp(level, 0, 8);
}

// Height of the face's top above the ground at u: 48, lowered by the jagged or crenellated top
// of the folded kinds.
int TopOf(const WallStyle& st, int u, uint32_t seed) {
    if (!st.broken) return kFaceHeight;
    const int uu = ((u % 32) + 32) % 32;
    if (st.surface == Surface::Masonry || st.surface == Surface::Marble ||
        st.surface == Surface::Granite)
        return (uu / 4) % 2 == 0 ? kFaceHeight : kFaceHeight - 4;  // crenellations
    return kFaceHeight - 2 - static_cast<int>(Noise2(seed + 55, uu, 0, 4, 4) % 6);
}

struct PieceSpec {
    bool faceSE = false, faceSW = false;
    bool endNE = false, endNW = false;
    bool rimNE = false, rimNW = false;
};

Rgba Colour(const WallPalette& pal, int code, int offset) {
    if (code >= 100)
        return pal
            .accent[static_cast<size_t>(std::clamp(code - 100 + (offset < 0 ? -1 : 0), 0, 2))];
    return pal.ramp[static_cast<size_t>(std::clamp(code + offset, 0, 8))];
}

// How far the rounded end of a rock face is cut back at height v (0 at the ground and the top
// of the cut profile).
int EndCut(const WallStyle& st, int v) {
    if (st.surface != Surface::Rock) return 0;
    const int k = std::abs(v - 20);
    return std::clamp((k * k) / 90 - 1, 0, 6);
}

void DrawPiece(Canvas& pic, int ox, int oy, const WallStyle& st, const PieceSpec& spec, int variant,
               uint32_t seed) {
    const WallPalette& pal = st.pal;
    // The box: black everywhere the rock mass stands (the bottom edges one pixel low so no
    // terrain seam shows under the wall).
    const FixPoint hex[] = {Fix(32, 0),  Fix(64, 16), Fix(64, 65),
                            Fix(32, 81), Fix(0, 65),  Fix(0, 16)};
    Canvas piece(kWallPieceWidth, kWallPieceHeight, kClear);
    piece.FillPolygon(hex, kBlack);

    // Faces.
    for (int y = 0; y < kWallPieceHeight; ++y)
        for (int x = 0; x < kWallPieceWidth; ++x) {
            const bool right = x >= 32;
            if (right ? !spec.faceSE : !spec.faceSW) continue;
            // u along the face, ground line and height above it.
            const int u = right ? x - 32 : x;
            const int ground2 = right ? 160 - u : 128 + x;  // twice the ground line's y
            const int v = (ground2 - (2 * y + 1)) / 2;
            if (v < -1) continue;
            const int top = TopOf(st, right ? u : x, seed);
            if (v >= top) continue;
            const int vv = std::max(v, 0);
            int code = FaceTexel(st, right ? u : x - 32, vv, variant, seed);
            // Light: the SW face (left) faces the light, the SE face (right) is in shade.
            int offset = right ? -2 : 1;
            if (vv < 6) offset -= 1;         // darker at the foot
            if (vv >= top - 2) offset += 2;  // lit lip along the top
            if (right && spec.endNE) {
                const int cut = EndCut(st, vv);
                if (u >= 32 - cut) {
                    piece.Set(x, y, kClear);
                    continue;
                }
                if (u >= 28 - cut) offset -= 1;  // turning away from the light
                if (st.surface != Surface::Rock && u >= 27 && (vv / 6) % 2 == 0)
                    code = 6;  // quoins
            }
            if (!right && spec.endNW) {
                const int cut = EndCut(st, vv);
                if (u < cut) {
                    piece.Set(x, y, kClear);
                    continue;
                }
                if (u < cut + 3) offset += 1;
                if (st.surface != Surface::Rock && u < 5 && (vv / 6) % 2 == 1) code = 7;
            }
            piece.Set(x, y, Colour(pal, code, offset));
        }
    // Top of the box above a cut-back end stays black only over the remaining rock.
    if (spec.endNE && st.surface == Surface::Rock)
        for (int y = 0; y < 40; ++y)
            for (int x = 58; x < 64; ++x)
                if (piece.Get(x, y) == kBlack && 2 * y + 1 > (x - 32) + 2 &&
                    x - 58 > (y < 16 ? 3 : 6))
                    piece.Set(x, y, kClear);
    if (spec.endNW && st.surface == Surface::Rock)
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 6; ++x)
                if (piece.Get(x, y) == kBlack && 5 - x > (y < 16 ? 3 : 6)) piece.Set(x, y, kClear);

    // Rims along the back edges of the top (open ground behind), with a few lumps of rock.
    auto rim = [&](bool north_east) {
        for (int i = 0; i <= 32; ++i) {
            const int x = north_east ? 32 + i : 32 - i;
            const int y = i / 2;
            if (x < 0 || x >= kWallPieceWidth) continue;
            int lump = 0;
            if (st.surface == Surface::Rock)
                lump = static_cast<int>(Hash(seed + 91, (x + 1) / 3, north_east) % 3u);
            else if (st.broken)
                lump = (i / 4) % 2 == 0 ? 2 : 0;  // merlons
            for (int k = -lump; k <= 2; ++k)
                piece.Set(x, y + k, k < 1 ? pal.rimLight : (k == 1 ? pal.ramp[5] : pal.rimDark));
        }
    };
    if (spec.rimNE) rim(true);
    if (spec.rimNW) rim(false);

    pic.DrawKeyed(piece, 0, 0, kWallPieceWidth, kWallPieceHeight, ox, oy);
}

}  // namespace

Canvas MakeWallPicture(int kind) {
    const WallStyle st = StyleOf(kind);
    const uint32_t seed = Hash(0x3A11u, kind, 0);
    Canvas pic(kWallPictureWidth, kWallPictureHeight, kWallKey);
    const PieceSpec rows[8] = {
        {.faceSE = true}, {.faceSE = true, .faceSW = true},
        {.faceSW = true}, {.faceSE = true},
        {.faceSW = true}, {.rimNE = true},
        {.rimNW = true},  {.rimNE = true, .rimNW = true},
    };
    for (int row = 0; row < 8; ++row)
        for (int v = 0; v < 4; ++v)
            DrawPiece(pic, 65 * v + 1, 81 * row + 1, st, rows[row], v, seed);
    // End pieces of rows 0 and 2, drawn last: variant 0's end piece shares columns with variant
    // 3's normal piece, which the table never selects for these rows.
    const PieceSpec endSE{.faceSE = true, .endNE = true, .rimNE = true};
    const PieceSpec endSW{.faceSW = true, .endNW = true, .rimNW = true};
    for (int v = 0; v < 4; ++v) {
        pic.FillRect(65 * v + 1 + kWallEndShiftFar, 1, kWallPieceWidth, kWallPieceHeight, kWallKey);
        pic.FillRect(65 * v + 1 + kWallEndShiftFar, 81 * 2 + 1, kWallPieceWidth, kWallPieceHeight,
                     kWallKey);
        DrawPiece(pic, 65 * v + 1 + kWallEndShiftFar, 1, st, endSE, v, seed);
        DrawPiece(pic, 65 * v + 1 + kWallEndShiftFar, 81 * 2 + 1, st, endSW, v, seed);
    }
    return pic;
}

}  // namespace tess::demo
