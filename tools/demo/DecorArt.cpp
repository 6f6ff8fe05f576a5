// Resources and unowned decorations: rocks, crystals, deposits, the bone pile, ruins, graves,
// fences, flowers and the rest.
#include <algorithm>
#include <cstdlib>

#include "ObjectArt.h"
#include "SpriteKit.h"

namespace tess::demo {

namespace {

const Rgba kShadow = kGroundShadow;
const Ramp kStone = MakeRamp(Opaque(54, 52, 50), Opaque(206, 200, 190));
const Ramp kWood = MakeRamp(Opaque(56, 34, 18), Opaque(196, 150, 96));
const Ramp kBone = MakeRamp(Opaque(120, 104, 80), Opaque(250, 244, 226));

int R(uint32_t seed, int k, int n) {
    return HashRange(seed, k, 29, n);
}

void Rock(Canvas& c, int x, int y, int rx, int ry, const Ramp& ramp, uint32_t seed) {
    LitBlob(c, x, y, rx, ry, ramp, seed, 5, 30);
    // A crack or two.
    for (int i = 0; i < 2; ++i) {
        const int cx = x - rx / 2 + R(seed, i, std::max(1, rx)),
                  cy = y - ry / 2 + R(seed, i + 5, std::max(1, ry));
        c.Line(cx, cy, cx + 2, cy + 2, ramp[0]);
    }
}

void Crystal(Canvas& c, int ax, int ay, Rgba tint, uint32_t seed) {
    const Ramp ramp = MakeRamp(Mix(tint, kBlack, 150), Mix(tint, Opaque(255, 255, 255), 160));
    const int shards = 4 + R(seed, 0, 3);
    for (int i = 0; i < shards; ++i) {
        const int bx = ax - 8 + R(seed, 10 + i, 17), by = ay + 1 - R(seed, 20 + i, 4);
        const int h = 10 + R(seed, 30 + i, 18) - std::abs(bx - ax);
        const int lean = R(seed, 40 + i, 7) - 3;
        const int w = 3 + R(seed, 50 + i, 2);
        const FixPoint left[] = {Fix(bx - w, by), Fix(bx, by + 2), Fix(bx + lean, by - h),
                                 Fix(bx - w + lean, by - h + 3)};
        const FixPoint right[] = {Fix(bx, by + 2), Fix(bx + w, by), Fix(bx + w + lean, by - h + 3),
                                  Fix(bx + lean, by - h)};
        const FixPoint tip[] = {Fix(bx - w + lean, by - h + 3), Fix(bx + lean, by - h),
                                Fix(bx + w + lean, by - h + 3), Fix(bx + lean, by - h - 4)};
        // Smooth gradients up the shard: this picture is stored with 8 bits per channel.
        c.FillPolygonWith(left, [&](int x, int y) {
            c.Set(x, y, Mix(ramp[3], ramp[4], (by - y) * 256 / std::max(1, h)));
        });
        c.FillPolygonWith(right, [&](int x, int y) {
            c.Set(x, y, Mix(ramp[1], ramp[2], (by - y) * 256 / std::max(1, h)));
        });
        c.FillPolygon(tip, ramp[4]);
    }
    // A soft glow on the ground.
    c.FillEllipseWith(Fix(ax, ay + 2), 14 * 16, 4 * 16, [&](int x, int y) {
        if (c.Get(x, y).a == 0 && ((x + y) & 1) == 0)
            c.Set(x, y, Mix(tint, Opaque(30, 30, 40), 170));
    });
}

// Bones: short light sticks with knobs, and a skull from the later stages on.
void Bone(Canvas& c, int x, int y, int dx, int dy) {
    c.Line(x, y, x + dx, y + dy, kBone[3]);
    c.Line(x, y + 1, x + dx, y + dy + 1, kBone[1]);
    c.Set(x - 1, y, kBone[4]);
    c.Set(x + dx + 1, y + dy, kBone[4]);
}
void Skull(Canvas& c, int x, int y) {
    LitBlob(c, x, y, 4, 3, kBone, 77, 0, 0);
    c.FillRect(x - 2, y + 2, 5, 2, kBone[2]);
    c.Set(x - 2, y, Opaque(30, 20, 20));
    c.Set(x + 1, y, Opaque(30, 20, 20));
    c.Set(x, y + 2, Opaque(60, 40, 30));
}

void Mound(Canvas& c, int ax, int ay, int rt, int lt, const Ramp& ramp, uint32_t seed) {
    const Footprint f = FootprintAt(ax, ay, rt, lt, 2);
    const int cx = (f.left.x + f.right.x) / 32, cy = (f.top.y + f.bottom.y) / 32;
    const int rx = (f.right.x - f.left.x) / 32, ry = (f.bottom.y - f.top.y) / 32;
    DitherEllipse(c, Fix(cx + 2, cy + 2), rx * 16 + 16, ry * 16 + 16, kShadow);
    for (int i = 0; i < 9; ++i) {
        const int ox = (R(seed, i, 2 * rx + 1) - rx) * 2 / 3,
                  oy = (R(seed, i + 20, 2 * ry + 1) - ry) / 2;
        Rock(c, cx + ox, cy + oy - 2, rx / 3 + R(seed, i + 40, rx / 4 + 1), ry / 2 + 3, ramp,
             seed + static_cast<uint32_t>(i));
    }
    Rock(c, cx, cy - ry / 2 - 4, rx * 2 / 3, ry / 2 + 6, ramp, seed + 99);
}

void MineEntrance(Canvas& c, int x, int y) {
    // A dark opening framed by timber, on the lit south-west slope.
    const FixPoint hole[] = {Fix(x - 6, y), Fix(x + 5, y + 5), Fix(x + 5, y - 7),
                             Fix(x - 6, y - 12)};
    c.FillPolygon(hole, Opaque(14, 10, 8));
    c.Line(x - 7, y, x - 7, y - 13, kWood[3]);
    c.Line(x + 6, y + 5, x + 6, y - 7, kWood[1]);
    c.Line(x - 8, y - 13, x + 6, y - 6, kWood[2]);
    c.Line(x - 8, y - 14, x + 6, y - 7, kWood[4]);
}

void Ore(Canvas& c, Rgba colour, uint32_t seed) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba p = c.Get(x, y);
            if (p.a == 0 || Luma(p) < 50) continue;
            const int n = Noise2(seed, x, y, 4, 3);
            if (n > 190 && (Hash(seed, x, y) & 1u))
                c.Set(x, y, Luma(p) > 120 ? Mix(colour, Opaque(255, 255, 230), 90) : colour);
        }
}

// A ruined wall of stone blocks four pixels square: the silhouette follows the 4 x 4 grid.
void BlockRuin(Canvas& c, int ax, int ay, int rt, int lt, int variant, uint32_t seed, bool tower) {
    const Ramp stone = MakeRamp(Opaque(70, 68, 60), Opaque(214, 206, 186));
    const Ramp moss = MakeRamp(Opaque(40, 70, 30), Opaque(120, 160, 70));
    const Footprint f = FootprintAt(ax, ay, rt, lt, 4);
    // Walls along the two back edges and pieces of the front ones, heights varying per column.
    const int cols = c.Width() / 4, rows = c.Height() / 4;
    for (int by = 0; by < rows; ++by)
        for (int bx = 0; bx < cols; ++bx) {
            const int x = bx * 4 + 2, y = by * 4 + 2;
            // The ground line under the block column, along the back edges left-top-right.
            const int x16 = x * 16;
            if (x16 < f.left.x || x16 > f.right.x) continue;
            const int backY = x16 < f.top.x ? f.left.y + (f.top.y - f.left.y) * (x16 - f.left.x) /
                                                             std::max(1, f.top.x - f.left.x)
                                            : f.top.y + (f.right.y - f.top.y) * (x16 - f.top.x) /
                                                            std::max(1, f.right.x - f.top.x);
            const int frontY = x16 < f.bottom.x
                                   ? f.left.y + (f.bottom.y - f.left.y) * (x16 - f.left.x) /
                                                    std::max(1, f.bottom.x - f.left.x)
                                   : f.bottom.y + (f.right.y - f.bottom.y) * (x16 - f.bottom.x) /
                                                      std::max(1, f.right.x - f.bottom.x);
            const int edge = std::min(bx, cols - 1 - bx) * 4;  // distance from the sides
            const int broken =
                static_cast<int>(Hash(seed + static_cast<uint32_t>(variant), bx / 2, 0) % 12u);
            const int wallH =
                tower ? 56 + static_cast<int>(Hash(seed + static_cast<uint32_t>(variant), bx, 0) %
                                              24u)
                      : std::max(8, 34 - edge / 2 - broken);
            const int frontH = tower ? 30 + static_cast<int>(Hash(seed + 7, bx, variant) % 20u)
                                     : static_cast<int>(Hash(seed + 7, bx, variant) % 14u);
            const bool back = y * 16 <= backY && y * 16 > backY - wallH * 16;
            const bool front = y * 16 <= frontY && y * 16 > frontY - frontH * 16;
            // Rubble lies scattered on the floor between the walls.
            const bool floor =
                y * 16 > backY && y * 16 <= frontY && Hash(seed + 9, bx, by) % 5u == 0;
            if (!back && !front && !floor) continue;
            Rgba col;
            if (front || back) {
                const int tone = static_cast<int>(Hash(seed, bx, by) % 3u);
                // Courses of stone: every other row of blocks a shade darker, the lit side
                // (left of the front corner) lighter.
                col = stone[(front ? 2 : 3) + (tone == 0 ? -1 : 0) + (by % 2 == 0 ? 0 : -1) +
                            (x16 < f.bottom.x || back ? 1 : -1)];
                if (Hash(seed + 3, bx, by) % 7u == 0) col = moss[2];
            } else {
                col = stone[1 + static_cast<int>(Hash(seed + 5, bx, by) % 2u)];
            }
            // Each block is a flat 4 x 4 square with a lit top row: one colour per block row.
            c.FillRect(bx * 4, by * 4, 4, 4, col);
            c.FillRect(bx * 4, by * 4, 4, 1, Mix(col, Opaque(255, 255, 240), 50));
        }
}

void Fence(Canvas& c, int ax, int ay, int length, bool alongNE, uint32_t seed) {
    // Posts every cell and two rails, following one diamond axis.
    const int dx = alongNE ? 16 : -16;
    const int x0 = ax - dx / 2, y0 = ay + 4;
    for (int k = 0; k <= length; ++k) {
        const int px = x0 + dx * k, py = y0 - 8 * k;
        for (int h = 0; h < 14; ++h) {
            c.Set(px, py - h, kWood[2]);
            c.Set(px + 1, py - h, kWood[1]);
        }
        c.Set(px, py - 14, kWood[4]);
    }
    for (int rail = 0; rail < 2; ++rail) {
        const int ry = 5 + rail * 5;
        c.Line(x0, y0 - ry, x0 + dx * length, y0 - 8 * length - ry, kWood[3]);
        c.Line(x0, y0 - ry + 1, x0 + dx * length, y0 - 8 * length - ry + 1, kWood[1]);
    }
    (void)seed;
}

void Flowers(Canvas& c, int ax, int ay, int variant, uint32_t seed) {
    static const Rgba kPetals[9] = {
        Opaque(230, 60, 60),   Opaque(250, 220, 60), Opaque(150, 90, 220),
        Opaque(250, 250, 250), Opaque(250, 140, 40), Opaque(90, 140, 250),
        Opaque(250, 120, 180), Opaque(200, 40, 120), Opaque(240, 240, 140)};
    const Rgba petal = kPetals[variant % 9];
    for (int i = 0; i < 7; ++i) {
        const int x = ax - 8 + R(seed, i, 17), y = ay + 2 - R(seed, i + 9, 10);
        c.Line(x, y + 4, x, y, Opaque(50, 120, 40));
        c.Set(x - 1, y + 3, Opaque(70, 150, 50));
        c.Set(x, y - 1, petal);
        c.Set(x - 1, y, petal);
        c.Set(x + 1, y, petal);
        c.Set(x, y, Opaque(250, 230, 120));
    }
}

Canvas DecorFrame(Decor kind, int w, int h, int rt, int lt, int variant, int stage, int frame,
                  uint32_t seed) {
    Canvas c(w, h);
    const AnchorPoint a = AnchorOf(w, h, rt, lt);
    const int ax = a.x, ay = a.y;
    switch (kind) {
        case Decor::Boulder: {
            DitherEllipse(c, Fix(ax + 2, ay + 2), 12 * 16, 4 * 16, kShadow);
            const Ramp ramp =
                variant % 2 ? kStone : MakeRamp(Opaque(60, 54, 48), Opaque(190, 176, 156));
            Rock(c, ax, ay - 5, 8 + variant % 3, 6 + variant % 2, ramp, seed);
            if (variant >= 2) Rock(c, ax + 7, ay - 1, 4, 3, ramp, seed + 3);
            break;
        }
        case Decor::StonePile: {
            const Footprint f = FootprintAt(ax, ay, rt, lt);
            const int cx = (f.left.x + f.right.x) / 32, cy = (f.top.y + f.bottom.y) / 32;
            const int rx = (f.right.x - f.left.x) / 32;
            DitherEllipse(c, Fix(cx + 2, cy + 1), rx * 14, rx * 6, kShadow);
            const int n = 5 + rx / 3;
            for (int i = 0; i < n; ++i) {
                const int ox = R(seed, i, rx + 1) - rx / 2,
                          oy = R(seed, i + 30, rx / 2 + 1) - rx / 4;
                Rock(c, cx + ox, cy + oy - 3 - (n - i) / 3, 3 + R(seed, i + 60, 3) + rx / 8,
                     3 + R(seed, i + 70, 2),
                     variant == 2 ? MakeRamp(Opaque(70, 64, 60), Opaque(230, 224, 214)) : kStone,
                     seed + static_cast<uint32_t>(i));
            }
            break;
        }
        case Decor::Crystal: {
            static const Rgba kTint[3] = {Opaque(80, 150, 250), Opaque(70, 220, 130),
                                          Opaque(240, 70, 80)};
            Crystal(c, ax, ay, kTint[variant % 3], seed);
            break;
        }
        case Decor::BonePile: {
            DitherEllipse(c, Fix(ax, ay - 6), (8 + stage * 2) * 16, (4 + stage) * 10, kShadow);
            const int bones = 2 + stage * 3;
            for (int i = 0; i < bones; ++i) {
                const int layer = i * 5 / std::max(1, bones);
                const int x = ax - 10 - stage / 2 + R(seed, i, 20 + stage),
                          y = ay - 2 - R(seed, i + 50, 6 + stage) - layer * 2;
                Bone(c, x, y, R(seed, i + 90, 9) - 4, R(seed, i + 120, 5) - 2);
            }
            if (stage >= 6) Skull(c, ax - 2, ay - 6 - stage);
            if (stage >= 11) Skull(c, ax + 7, ay - 4 - stage / 2);
            break;
        }
        case Decor::GoldMine:
        case Decor::IronMine: {
            const Ramp ramp = kind == Decor::GoldMine
                                  ? MakeRamp(Opaque(60, 50, 40), Opaque(200, 184, 160))
                                  : MakeRamp(Opaque(50, 46, 50), Opaque(180, 170, 170));
            Mound(c, ax, ay, rt, lt, ramp, seed);
            Ore(c, kind == Decor::GoldMine ? Opaque(240, 200, 40) : Opaque(170, 80, 50), seed + 5);
            MineEntrance(c, ax - 16, ay - 10);
            break;
        }
        case Decor::Well: {
            DitherEllipse(c, Fix(ax + 2, ay + 1), 12 * 16, 5 * 16, kShadow);
            for (int y = ay - 10; y <= ay; ++y)
                for (int x = ax - 9; x <= ax + 9; ++x) {
                    const int idx = x < ax - 3 ? 3 : (x < ax + 4 ? 2 : 1);
                    c.Set(x, y, kStone[idx - (((x + (y / 3) * 2) % 4 == 0 || y % 3 == 0) ? 1 : 0)]);
                }
            c.FillEllipse(Fix(ax, ay - 10), 9 * 16 + 8, 4 * 16, kStone[3]);
            c.FillEllipse(Fix(ax, ay - 10), 7 * 16, 3 * 16, Opaque(20, 30, 50));
            for (int s = -1; s <= 1; s += 2)
                c.Line(ax + s * 8, ay - 10, ax + s * 8, ay - 26, kWood[2]);
            const FixPoint roof[] = {Fix(ax - 12, ay - 24), Fix(ax, ay - 32), Fix(ax + 12, ay - 24),
                                     Fix(ax, ay - 20)};
            c.FillPolygon(roof, Opaque(150, 60, 40));
            c.Line(ax - 12, ay - 24, ax, ay - 32, Opaque(200, 100, 70));
            c.Line(ax, ay - 22, ax, ay - 15, Opaque(60, 40, 30));
            c.FillRect(ax - 1, ay - 15, 3, 3, kWood[1]);
            break;
        }
        case Decor::Statue: {
            DitherEllipse(c, Fix(ax + 2, ay + 1), 12 * 16, 5 * 16, kShadow);
            const Ramp marble = MakeRamp(Opaque(90, 92, 100), Opaque(240, 240, 236));
            const Footprint f = FootprintAt(ax, ay, 1, 1, 3);
            BoxFaces faces;
            faces.left = [&](int, int v, int) { return marble[v % 4 == 0 ? 2 : 3]; };
            faces.right = [&](int, int v, int) { return marble[v % 4 == 0 ? 0 : 1]; };
            faces.top = [&](int, int) { return marble[4]; };
            IsoBox(c, f, 8, faces);
            // The figure: a robed shape with a raised arm, smooth shading (32-bit picture).
            for (int y = ay - 44; y < ay - 8; ++y)
                for (int x = ax - 6; x <= ax + 6; ++x) {
                    const int t = y - (ay - 44);
                    const int half = t < 8 ? 3 : 3 + (t - 8) / 7;
                    if (std::abs(x - ax) > half) continue;
                    c.Set(x, y,
                          Mix(marble[1], marble[4],
                              std::clamp(128 - (x - ax) * 40 + (t < 8 ? 40 : 0), 0, 256)));
                }
            c.Line(ax + 3, ay - 34, ax + 8, ay - 46, marble[2]);
            c.Line(ax + 4, ay - 34, ax + 9, ay - 46, marble[1]);
            break;
        }
        case Decor::Obelisk: {
            DitherEllipse(c, Fix(ax + 3, ay + 1), 10 * 16, 4 * 16, kShadow);
            const Ramp dark = MakeRamp(Opaque(20, 20, 30), Opaque(120, 110, 140));
            for (int y = ay - h + 14; y <= ay; ++y) {
                const int half = 3 + (y - (ay - h + 14)) / 14;
                for (int x = ax - half; x <= ax + half; ++x)
                    c.Set(x, y, dark[x < ax ? 3 : 1]);
            }
            const FixPoint tip[] = {Fix(ax - 3, ay - h + 14), Fix(ax, ay - h + 8),
                                    Fix(ax + 4, ay - h + 14)};
            c.FillPolygon(tip, dark[4]);
            for (int k = 0; k < 5; ++k)
                c.Set(ax - 1, ay - h + 20 + k * 6, Opaque(120, 220, 240));
            break;
        }
        case Decor::Signpost: {
            DitherEllipse(c, Fix(ax + 1, ay + 1), 6 * 16, 3 * 16, kShadow);
            for (int y = ay - 30; y <= ay; ++y) {
                c.Set(ax, y, kWood[2]);
                c.Set(ax + 1, y, kWood[1]);
            }
            c.FillRect(ax - 9, ay - 28, 12, 5, kWood[3]);
            c.FillRect(ax - 1, ay - 21, 11, 5, kWood[2]);
            c.Line(ax - 7, ay - 26, ax, ay - 26, kWood[0]);
            c.Line(ax + 1, ay - 19, ax + 7, ay - 19, kWood[0]);
            break;
        }
        case Decor::Barrels:
        case Decor::Haystack: {
            if (kind == Decor::Haystack) {
                DitherEllipse(c, Fix(ax + 2, ay + 1), 13 * 16, 5 * 16, kShadow);
                LitBlob(c, ax, ay - 9, 11, 11, MakeRamp(Opaque(120, 90, 30), Opaque(250, 226, 120)),
                        seed, 2, 90);
                break;
            }
            for (int i = 0; i < 3; ++i) {
                const int bx = ax - 7 + i * 7 - (i == 1 ? 0 : 0), by = ay - (i == 1 ? 4 : 0);
                for (int y = by - 12; y <= by; ++y)
                    for (int x = bx - 4; x <= bx + 4; ++x) {
                        int idx = x < bx - 1 ? 3 : (x < bx + 2 ? 2 : 1);
                        if (y == by - 10 || y == by - 3) idx = 0;
                        c.Set(x, y, kWood[idx]);
                    }
                c.FillEllipse(Fix(bx, by - 12), 4 * 16 + 8, 2 * 16, kWood[4]);
            }
            break;
        }
        case Decor::Crates:
        case Decor::Cart:
        case Decor::Tent: {
            if (kind == Decor::Tent) {
                const Footprint f = FootprintAt(ax, ay, rt, lt, 3);
                DitherEllipse(c, Fix(ax + 4, ay - 8), 26 * 16, 10 * 16, kShadow);
                RoofStyle st{RoofKind::Gable, MakeRamp(Opaque(110, 90, 60), Opaque(240, 226, 190)),
                             26, 1};
                Roof(c, f, 0, st, seed);
                c.FillRect(ax - 18, ay - 14, 4, 10, Opaque(40, 30, 20));
                break;
            }
            if (kind == Decor::Cart) {
                const Footprint f = FootprintAt(ax, ay, rt, lt, 3);
                BoxFaces faces;
                faces.left = [&](int u, int, int) { return kWood[u % 4 == 0 ? 2 : 3]; };
                faces.right = [&](int u, int, int) { return kWood[u % 6 == 0 ? 0 : 1]; };
                faces.top = [&](int x, int) { return kWood[x % 3 == 0 ? 2 : 3]; };
                Footprint raised = f;
                for (FixPoint* p : {&raised.bottom, &raised.right, &raised.top, &raised.left})
                    p->y -= 6 * 16;
                IsoBox(c, raised, 8, faces);
                for (int k = 0; k < 2; ++k) {
                    const int wx = ax - 2 + k * 26, wy = ay - 2 - k * 13;
                    c.FillEllipse(Fix(wx, wy), 5 * 16, 6 * 16, kWood[0]);
                    c.FillEllipse(Fix(wx, wy), 3 * 16, 4 * 16, kWood[2]);
                    c.Set(wx, wy, kWood[0]);
                }
                c.Line(ax - 12, ay - 8, ax - 24, ay - 2, kWood[1]);
                break;
            }
            for (int i = 0; i < 3; ++i) {
                const int cx = ax - 6 + (i % 2) * 10,
                          cy = ay - (i == 2 ? 9 : 0) + (i == 1 ? -4 : 0);
                const Footprint f{Fix(cx, cy), Fix(cx + 7, cy - 4), Fix(cx, cy - 8),
                                  Fix(cx - 7, cy - 4)};
                BoxFaces faces;
                faces.left = [&](int u, int v, int) {
                    return kWood[(u == 0 || v == 0 || v == 6) ? 1 : 3];
                };
                faces.right = [&](int u, int v, int len) {
                    return kWood[(u == len - 1 || v == 0 || v == 6) ? 0 : 2];
                };
                faces.top = [&](int, int) { return kWood[4]; };
                IsoBox(c, f, 7, faces);
            }
            break;
        }
        case Decor::StoneCircle: {
            const Footprint f = FootprintAt(ax, ay, rt, lt, 4);
            const int cx = (f.left.x + f.right.x) / 32, cy = (f.top.y + f.bottom.y) / 32;
            const int rx = (f.right.x - f.left.x) / 32 - 4, ry = (f.bottom.y - f.top.y) / 32 - 2;
            // Back stones first, then the front ones.
            for (int pass = 0; pass < 2; ++pass)
                for (int i = 0; i < 8; ++i) {
                    static const int kCos[8] = {16, 11, 0, -11, -16, -11, 0, 11};
                    static const int kSin[8] = {0, 11, 16, 11, 0, -11, -16, -11};
                    const int x = cx + rx * kCos[i] / 16, y = cy + ry * kSin[i] / 16;
                    if ((kSin[i] > 0) != (pass == 1)) continue;
                    DitherEllipse(c, Fix(x + 2, y + 1), 64, 32, kShadow);
                    for (int yy = y - 14 - i % 3 * 2; yy <= y; ++yy)
                        for (int xx = x - 2; xx <= x + 2; ++xx)
                            c.Set(xx, yy, kStone[xx < x ? 3 : (xx == x ? 2 : 1)]);
                    c.FillRect(x - 2, y - 15 - i % 3 * 2, 5, 1, kStone[4]);
                }
            break;
        }
        case Decor::Campfire: {
            for (int i = 0; i < 8; ++i) {
                static const int kX[8] = {-7, -5, 0, 5, 7, 5, 0, -5},
                                 kY[8] = {0, -3, -4, -3, 0, 3, 4, 3};
                c.FillEllipse(Fix(ax + kX[i], ay - 3 + kY[i] / 2 * 1), 32, 24, kStone[1 + i % 3]);
            }
            c.Line(ax - 5, ay - 2, ax + 5, ay - 5, kWood[1]);
            c.Line(ax - 5, ay - 5, ax + 5, ay - 2, kWood[2]);
            const Ramp fire = MakeRamp(Opaque(200, 40, 10), Opaque(255, 240, 140));
            for (int k = 0; k < 10; ++k) {
                const int fx = ax - 4 + R(seed + static_cast<uint32_t>(frame), k, 9);
                const int fh = 4 + R(seed + static_cast<uint32_t>(frame), k + 20, 9);
                for (int y = 0; y < fh; ++y)
                    c.Set(fx, ay - 5 - y, fire[std::clamp(4 - y * 5 / fh + (k % 2), 0, 4)]);
            }
            break;
        }
        case Decor::Ruin:
        case Decor::RuinTower:
            BlockRuin(c, ax, ay, rt, lt, variant, seed, kind == Decor::RuinTower);
            break;
        case Decor::Grave: {
            DitherEllipse(c, Fix(ax + 2, ay + 1), 10 * 16, 4 * 16, kShadow);
            LitBlob(c, ax, ay - 1, 9, 3, MakeRamp(Opaque(60, 50, 30), Opaque(150, 130, 90)), seed,
                    1, 40);
            const Ramp stone = MakeRamp(Opaque(70, 74, 80), Opaque(200, 204, 210));
            if (variant % 4 == 1) {  // a cross
                c.FillRect(ax - 1, ay - 22, 3, 20, stone[2]);
                c.FillRect(ax - 5, ay - 17, 11, 3, stone[3]);
                c.FillRect(ax + 1, ay - 22, 1, 20, stone[1]);
            } else {
                const int tall = variant % 4 == 3 ? 20 : 14;
                for (int y = ay - tall; y <= ay - 2; ++y)
                    for (int x = ax - 5; x <= ax + 4; ++x) {
                        const int dy = y - (ay - tall);
                        if (variant % 4 != 2 && dy < 4 && (x - ax) * (x - ax) > dy * 6 + 4)
                            continue;
                        c.Set(x, y, stone[x < ax - 2 ? 3 : (x < ax + 3 ? 2 : 1)]);
                    }
                c.Line(ax - 2, ay - tall + 6, ax + 1, ay - tall + 6, stone[0]);
            }
            break;
        }
        case Decor::Skull: {
            DitherEllipse(c, Fix(ax + 1, ay), 8 * 16, 3 * 16, kShadow);
            if (variant % 2 == 0) Skull(c, ax, ay - 4);
            for (int i = 0; i < 2 + variant % 3; ++i)
                Bone(c, ax - 7 + i * 4, ay - 1 - i % 2, 5 - i * 2, 2 - i);
            break;
        }
        case Decor::FenceNE:
        case Decor::FenceNW:
            Fence(c, ax, ay, std::max(rt, lt), kind == Decor::FenceNE, seed);
            break;
        case Decor::WaterLily: {
            for (int i = 0; i < 2 + variant % 3; ++i) {
                const int x = ax - 8 + R(seed, i, 16), y = ay - 3 + R(seed, i + 9, 6);
                c.FillEllipse(Fix(x, y), 4 * 16, 2 * 16 + 4, Opaque(50, 120, 50));
                c.Line(x, y, x + 3, y - 1, Opaque(30, 80, 40));
                c.FillEllipse(Fix(x - 1, y - 1), 2 * 16, 16, Opaque(90, 170, 70));
                if (variant % 2 == 1 && i == 0) {
                    c.Set(x, y - 2, Opaque(250, 200, 220));
                    c.Set(x - 1, y - 1, Opaque(240, 170, 200));
                    c.Set(x + 1, y - 1, Opaque(240, 170, 200));
                }
            }
            break;
        }
        case Decor::Flowers:
            Flowers(c, ax, ay, variant, seed);
            break;
        case Decor::Mushrooms: {
            static const Rgba kCaps[4] = {Opaque(200, 40, 30), Opaque(170, 110, 60),
                                          Opaque(230, 220, 200), Opaque(120, 80, 160)};
            for (int i = 0; i < 3 + variant % 2; ++i) {
                const int x = ax - 6 + i * 4 + R(seed, i, 3), y = ay - R(seed, i + 5, 4);
                const int hgt = 3 + R(seed, i + 9, 3);
                c.Line(x, y, x, y - hgt, Opaque(236, 228, 210));
                c.FillEllipse(Fix(x, y - hgt), 3 * 16, 2 * 16, kCaps[variant % 4]);
                c.Set(x - 1, y - hgt - 1, Mix(kCaps[variant % 4], Opaque(255, 255, 255), 120));
                if (variant % 4 == 0) c.Set(x + 1, y - hgt, Opaque(250, 250, 250));
            }
            break;
        }
        case Decor::Menhir: {
            DitherEllipse(c, Fix(ax + 3, ay + 1), 9 * 16, 4 * 16, kShadow);
            const Ramp ramp = MakeRamp(Opaque(58, 60, 56), Opaque(196, 196, 180));
            const int top = ay - 24 - variant * 5;
            for (int y = top; y <= ay; ++y) {
                const int half = 3 + (y - top) / 10 + (y - top < 3 ? -1 : 0);
                for (int x = ax - half; x <= ax + half; ++x) {
                    int idx = x < ax - 1 ? 3 : (x < ax + 2 ? 2 : 1);
                    if ((Hash(seed, x, y / 2) & 7u) == 0) idx -= 1;
                    c.Set(x, y, ramp[idx]);
                }
            }
            if (variant >= 2)
                for (int k = 0; k < 3; ++k)
                    c.Set(ax - 1, top + 6 + k * 5, Opaque(90, 140, 220));
            break;
        }
        case Decor::Marker: {
            c.Line(ax, ay, ax, ay - 20, kWood[1]);
            const FixPoint flag[] = {Fix(ax + 1, ay - 20), Fix(ax + 10, ay - 17),
                                     Fix(ax + 1, ay - 14)};
            c.FillPolygon(flag, Opaque(220, 200, 40));
            break;
        }
    }
    if (kind != Decor::Ruin && kind != Decor::RuinTower) AddOutline(c, 100);
    return c;
}

}  // namespace

Canvas DecorPicture(Decor kind, int width, int height, int frames, int sizeRT, int sizeLT,
                    int variant, int stage, uint32_t seed) {
    std::vector<Canvas> all;
    for (int f = 0; f < frames; ++f)
        all.push_back(DecorFrame(kind, width, height, sizeRT, sizeLT,
                                 variant + (kind == Decor::Campfire ? 0 : f), stage, f,
                                 Hash(seed, f, static_cast<int>(kind))));
    return StackFrames(all);
}

}  // namespace tess::demo
