// Trees of every palette family, a few shapes each.
#include <algorithm>
#include <cstdlib>

#include "ObjectArt.h"
#include "SpriteKit.h"

namespace tess::demo {

namespace {

const Rgba kShadow = kGroundShadow;
const Ramp kBark = MakeRamp(Opaque(40, 26, 16), Opaque(150, 110, 70));
const Ramp kGreyBark = MakeRamp(Opaque(46, 44, 42), Opaque(170, 164, 156));
const Ramp kSnow = MakeRamp(Opaque(150, 170, 200), Opaque(255, 255, 255));

int R(uint32_t seed, int k, int n) {
    return HashRange(seed, k, 17, n);
}

// Tiers of a conifer from the bottom up, with an optional cap of snow on each tier.
void Conifer(Canvas& c, int ax, int ay, int w, int h, uint32_t seed, const Ramp& leaves,
             bool snow) {
    const int trunkH = h / 7 + 1;
    Trunk(c, ax, ay, trunkH + 4, 4, 3, kBark, seed);
    const int tiers = 4 + R(seed, 1, 3);
    const int top = ay - h + 2, bottom = ay - trunkH;
    const int lean = R(seed, 2, 3) - 1;
    for (int t = 0; t < tiers; ++t) {
        const int yBase = bottom - (bottom - top) * t / (tiers + 1);
        const int yApex = top + (bottom - top) * t / (tiers + 3) / 2 - 2;
        const int half = (w / 2 - 3) * (tiers - t + 1) / (tiers + 1) + 2 + R(seed, 30 + t, 3) - 1;
        const int cx = ax + lean * t / 2;
        for (int y = yApex; y <= yBase + 2; ++y) {
            const int span = half * (y - yApex) / std::max(1, yBase - yApex);
            for (int x = cx - span; x <= cx + span; ++x) {
                // Jagged lower edge: needle tips hang below the tier line.
                if (y > yBase && (Hash(seed + static_cast<uint32_t>(t), x, 0) % 3u) != 0) continue;
                const int rel = (x - cx) * 4 / std::max(1, span + 1);
                int idx = rel < -1 ? 3 : (rel < 1 ? 2 : 1);
                if (y > yBase - 2) idx -= 1;
                if (y < yApex + 2 && t > 0) idx += 1;
                if ((Hash(seed + 9, x, y) & 7u) == 0) idx += (rel < 0 ? 1 : -1);
                Rgba col = leaves[idx];
                // Snow lies along the upper side of each tier's hanging branches.
                const bool leftEdge = x - (cx - span) < 3 && x < cx;
                const bool lowerBand = y >= yBase - 2 && x < cx - span / 4;
                if (snow && (leftEdge || lowerBand) && (Hash(seed + 4, x, y) % 5u) != 0)
                    col = kSnow[idx + 2];
                if (snow && y < yApex + 3 && t == tiers - 1) col = kSnow[3];
                c.Set(x, y, col);
            }
        }
    }
}

// A cloud of lit blobs as a leafy crown.
void Crown(Canvas& c, int cx, int cy, int rx, int ry, uint32_t seed, const std::vector<Ramp>& ramps,
           bool snow = false) {
    const int blobs = 5 + R(seed, 2, 3);
    for (int i = 0; i < blobs; ++i) {
        const int ox = (R(seed, 10 + i, 2 * rx + 1) - rx) / 2;
        const int oy = (R(seed, 20 + i, 2 * ry + 1) - ry) * 2 / 3;
        const int r = std::max(3, rx / 2 + R(seed, 30 + i, rx / 3 + 1));
        const Ramp& ramp =
            ramps[static_cast<size_t>(R(seed, 40 + i, static_cast<int>(ramps.size())))];
        LitBlob(c, cx + ox, cy + oy + 1, r, r * ry / std::max(1, rx), ramp,
                seed + static_cast<uint32_t>(i), 3, 50);
    }
    LitBlob(c, cx - rx / 5, cy - ry / 4, rx * 2 / 3, ry * 2 / 3, ramps[0], seed + 99, 3, 50);
    if (snow)
        for (int y = cy - ry - 3; y < cy; ++y)
            for (int x = cx - rx - 3; x < cx + rx; ++x) {
                const Rgba p = c.Get(x, y);
                if (p.a == 0) continue;
                // Snow settles where the crown faces up: the pixel above is empty or close to it.
                if (c.Get(x, y - 2).a == 0 || (Hash(seed + 5, x, y) & 7u) == 0)
                    c.Set(x, y, kSnow[3 + static_cast<int>(Hash(seed, x, y) & 1u)]);
            }
}

// Branches growing up and out from a trunk top, recursively.
void Branches(Canvas& c, int x, int y, int dx, int dy, int depth, Rgba colour, Rgba tip,
              uint32_t seed) {
    const int x1 = x + dx, y1 = y + dy;
    Branch(c, x, y, x1, y1, colour, depth > 2 ? 2 : 1);
    if (depth == 0) {
        c.Set(x1, y1, tip);
        return;
    }
    const int spread = 2 + R(seed, depth, 3);
    Branches(c, x1, y1, dx * 2 / 3 - spread, dy * 2 / 3 - 1, depth - 1, colour, tip, seed * 3 + 1);
    Branches(c, x1, y1, dx * 2 / 3 + spread, dy * 2 / 3 - 1, depth - 1, colour, tip, seed * 5 + 2);
}

void Palm(Canvas& c, int ax, int ay, int w, int h, uint32_t seed) {
    const int lean = R(seed, 1, 9) - 4;
    const int topY = ay - h * 2 / 3;
    // Segmented, curved trunk.
    for (int y = ay; y >= topY; --y) {
        const int t = (ay - y) * 16 / std::max(1, ay - topY);
        const int x = ax + lean * t * t / 256;
        const bool ring = (y % 3) == 0;
        c.Set(x - 1, y, kBark[ring ? 2 : 3]);
        c.Set(x, y, kBark[ring ? 1 : 2]);
        c.Set(x + 1, y, kBark[ring ? 0 : 1]);
    }
    const int tx = ax + lean, ty = topY;
    const Ramp fronds = MakeRamp(Opaque(30, 90, 30), Opaque(150, 210, 80));
    const int n = 7;
    for (int i = 0; i < n; ++i) {
        const int dirX = (i * 2 - (n - 1)) * (w / 2 - 3) / (n - 1);
        const int dirY = -std::abs(n / 2 - i) * 2 - 3 + (i % 2) * 2;
        const int len = 12;
        for (int k = 0; k <= len; ++k) {
            const int x = tx + dirX * k / len;
            const int y = ty + dirY * k / len + (k * k) / 14;  // drooping
            const int idx = dirX < 0 ? 3 : (dirX == 0 ? 2 : 1);
            c.Set(x, y, fronds[idx]);
            if (k > 2 && k < len) {
                c.Set(x, y + 1, fronds[idx - 1]);
                if (k % 2 == 0) c.Set(x + (dirX < 0 ? -1 : 1), y + 2, fronds[idx - 1]);
            }
        }
    }
    c.FillEllipse(Fix(tx, ty + 1), 24, 20, kBark[1]);  // coconuts
    c.Set(tx - 1, ty + 1, Opaque(120, 80, 40));
}

void Bush(Canvas& c, int ax, int ay, int w, int h, uint32_t seed, const Ramp& ramp, bool berries) {
    const int blobs = 3 + R(seed, 1, 2);
    for (int i = 0; i < blobs; ++i) {
        const int ox = (i * 2 - blobs + 1) * w / (blobs * 3);
        const int r = w / 4 + R(seed, 10 + i, 3);
        LitBlob(c, ax + ox, ay - h / 3 - R(seed, 20 + i, 3), r, r * 3 / 4, ramp,
                seed + static_cast<uint32_t>(i), 3, 60);
    }
    LitBlob(c, ax - 1, ay - h / 2, w / 3, h / 3, ramp, seed + 50, 3, 60);
    if (berries)
        for (int i = 0; i < 6; ++i) {
            const int x = ax - w / 3 + R(seed, 60 + i, w * 2 / 3);
            const int y = ay - h * 2 / 3 + R(seed, 70 + i, h / 2);
            if (c.Get(x, y).a != 0) c.Set(x, y, Opaque(220, 40, 60));
        }
}

void Willow(Canvas& c, int ax, int ay, int w, int h, uint32_t seed) {
    const Ramp leaves = MakeRamp(Opaque(50, 64, 30), Opaque(150, 160, 80));
    Trunk(c, ax, ay, h / 2, 6, 4, kBark, seed);
    for (int i = -2; i <= 2; ++i)
        c.Set(ax + i * 2, ay + 1, kBark[1]);  // roots
    Crown(c, ax, ay - h * 2 / 3, w / 2 - 4, h / 5, seed, {leaves});
    // Hanging strands.
    for (int x = ax - w / 2 + 3; x <= ax + w / 2 - 3; x += 2) {
        const int top = ay - h * 2 / 3;
        const int len = h / 3 + R(seed, x + 100, h / 5);
        for (int k = 0; k < len; ++k) {
            if (c.Get(x, top + k).a != 0 && k < 4) continue;
            c.Set(x, top + k, leaves[k < len / 2 ? 2 : 1]);
        }
    }
}

void Bamboo(Canvas& c, int ax, int ay, int w, int h, uint32_t seed) {
    const Ramp stalk = MakeRamp(Opaque(60, 110, 40), Opaque(190, 220, 110));
    const int stalks = 5;
    for (int i = 0; i < stalks; ++i) {
        const int x = ax + (i * 2 - stalks + 1) * (w / 2 - 4) / stalks + R(seed, i, 3) - 1;
        const int top = ay - h + 4 + R(seed, i + 10, h / 4);
        const int lean = R(seed, i + 20, 3) - 1;
        for (int y = ay; y >= top; --y) {
            const int xx = x + lean * (ay - y) / std::max(1, h / 2);
            const bool node = (y % 7) == 0;
            c.Set(xx, y, stalk[node ? 1 : 3]);
            c.Set(xx + 1, y, stalk[node ? 0 : 2]);
            if (node && y < ay - 6 && (Hash(seed, i, y) & 1u)) {
                const int dir = (Hash(seed + 1, i, y) & 1u) ? 1 : -1;
                for (int k = 1; k <= 5; ++k)
                    c.Set(xx + dir * k, y - k / 2 + 1, stalk[k < 3 ? 3 : 2]);
            }
        }
    }
}

void Reeds(Canvas& c, int ax, int ay, int w, int h, uint32_t seed) {
    const Ramp blade = MakeRamp(Opaque(70, 90, 40), Opaque(180, 190, 110));
    for (int i = 0; i < 9; ++i) {
        const int dx = (i - 4) * (w / 2 - 2) / 4;
        const int top = ay - h + 3 + R(seed, i, h / 3);
        c.Line(ax + i % 3 - 1, ay, ax + dx, top, blade[1 + i % 3]);
        if (i % 3 == 0) c.FillEllipse(Fix(ax + dx, top + 2), 16, 40, Opaque(110, 70, 40));
    }
}

void Stump(Canvas& c, int ax, int ay, int w, uint32_t seed, bool mushrooms) {
    const int r = w / 3;
    for (int y = ay - 6; y <= ay; ++y)
        for (int x = ax - r; x <= ax + r; ++x)
            c.Set(x, y, kBark[x < ax - r / 3 ? 3 : (x < ax + r / 3 ? 2 : 1)]);
    c.FillEllipseWith(Fix(ax, ay), r * 16 + 8, r * 8 + 8, [&](int x, int y) {
        if (y >= ay) c.Set(x, y, kBark[1]);
    });
    const Ramp wood = MakeRamp(Opaque(150, 110, 60), Opaque(236, 204, 150));
    c.FillEllipseWith(Fix(ax, ay - 6), r * 16 + 8, r * 8 + 8, [&](int x, int y) {
        const int dx = x - ax, dy = (y - (ay - 6)) * 2;
        const int ring = (dx * dx + dy * dy) / 6;
        c.Set(x, y, wood[ring % 2 ? 2 : 3]);
    });
    for (int i = -r - 1; i <= r + 1; i += 2)
        c.Set(ax + i, ay + 1, kBark[0]);  // roots
    if (mushrooms)
        for (int i = 0; i < 3; ++i) {
            const int x = ax + r + 1 + i * 2 - R(seed, i, 2), y = ay - 1 - i % 2;
            c.Set(x, y, Opaque(230, 220, 200));
            c.Set(x, y - 1, Opaque(200, 60, 40));
            c.Set(x - 1, y - 1, Opaque(220, 80, 60));
        }
}

Canvas TreeFrame(char kind, int w, int h, uint32_t seed) {
    Canvas c(w, h);
    const int ax = w / 2, ay = h - 5;
    const Ramp green = MakeRamp(Opaque(30, 70, 26), Opaque(150, 200, 80));
    const Ramp green2 = MakeRamp(Opaque(24, 60, 30), Opaque(120, 180, 70));
    const Ramp darkGreen = MakeRamp(Opaque(14, 40, 26), Opaque(70, 140, 80));
    if (kind != 'r' && kind != 'p' && kind != 'k')
        DitherEllipse(c, Fix(ax + 2, ay), (w / 3) * 16, 48, kShadow);
    switch (kind) {
        case 'j':
            Conifer(c, ax, ay, w, h, seed, darkGreen, false);
            break;
        case 'i':
            Conifer(c, ax, ay, w, h, seed, darkGreen, true);
            break;
        case 'q': {  // pine: a tall bare trunk and flat clumps of needles at the top
            const int trunkH = h * 3 / 5;
            Trunk(c, ax, ay, trunkH + 2, 4, 3, MakeRamp(Opaque(70, 36, 20), Opaque(200, 120, 70)),
                  seed);
            const Ramp needles = MakeRamp(Opaque(16, 44, 30), Opaque(90, 150, 90));
            for (int k = 0; k < 4; ++k) {
                const int cx = ax + (R(seed, 50 + k, 3) - 1) * (w / 5) * (k % 2 ? 1 : -1);
                const int cy = ay - trunkH - 2 + k * 3 - R(seed, 60 + k, 4);
                if (k > 0) Branch(c, ax, cy + 4, cx, cy + 1, kBark[1], 1);
                LitBlob(c, cx, cy, w / 4 + 2 - k, 3 + (k == 0), needles,
                        seed + static_cast<uint32_t>(k), 3, 70);
            }
            LitBlob(c, ax, ay - trunkH - 6, w / 4, 4, needles, seed + 9, 3, 70);
            break;
        }
        case 'o':  // poplar: a tall narrow crown
            Trunk(c, ax, ay, h / 4, 4, 3, kBark, seed);
            for (int k = 0; k < 5; ++k)
                LitBlob(c, ax + R(seed, k, 3) - 1, ay - h / 4 - k * (h / 7) - 2,
                        w / 2 - 3 - std::abs(k - 2), h / 8 + 1, green,
                        seed + static_cast<uint32_t>(k), 3, 60);
            break;
        case 'l':
        case 'n':
        case 'm':
        case 'd':
        case 'f':
        case 'e':
        case 'w':
        case 'x': {
            std::vector<Ramp> ramps{green, green2};
            Ramp bark = kBark;
            if (kind == 'd')
                ramps = {MakeRamp(Opaque(120, 40, 10), Opaque(250, 170, 60)),
                         MakeRamp(Opaque(110, 60, 10), Opaque(250, 220, 90)),
                         MakeRamp(Opaque(100, 20, 20), Opaque(230, 90, 60))};
            if (kind == 'f')
                ramps = {MakeRamp(Opaque(50, 20, 80), Opaque(200, 140, 230)),
                         MakeRamp(Opaque(40, 30, 90), Opaque(160, 130, 240))};
            if (kind == 'e') {
                ramps = {MakeRamp(Opaque(10, 20, 24), Opaque(60, 90, 90)),
                         MakeRamp(Opaque(20, 12, 30), Opaque(80, 60, 100))};
                bark = MakeRamp(Opaque(16, 12, 14), Opaque(90, 70, 70));
            }
            if (kind == 'n') ramps = {MakeRamp(Opaque(40, 100, 30), Opaque(170, 230, 90))};
            if (kind == 'w') bark = kGreyBark;
            const int trunkH = kind == 'x' ? h / 3 : h / 3;
            const int trunkW = kind == 'x' ? 12 : (kind == 'e' ? 4 : 5);
            Trunk(c, ax, ay, trunkH + 4, trunkW, trunkW - 2, bark, seed);
            if (kind == 'w')  // birch marks
                for (int y = ay - trunkH; y < ay; y += 3)
                    c.Set(ax - 1 + static_cast<int>(Hash(seed, y, 0) % 3u), y, Opaque(30, 30, 30));
            if (kind == 'e')  // twisted limbs
                for (int s = -1; s <= 1; s += 2)
                    Branch(c, ax, ay - trunkH + 2, ax + s * w / 3, ay - trunkH - 6, bark[1], 1);
            if (kind == 'x') {
                for (int s = -1; s <= 1; s += 2)
                    Branch(c, ax, ay - trunkH + 6, ax + s * w / 3, ay - trunkH - 4, bark[2], 2);
                for (int i = -3; i <= 3; ++i)
                    c.Set(ax + i * 3, ay + 1 + std::abs(i) / 2, bark[1]);
            }
            const int crownY = ay - trunkH - (h - trunkH) / 3;
            Crown(c, ax, crownY, w / 2 - 7, (h - trunkH) * 2 / 5, seed, ramps, kind == 'm');
            if (kind == 'n')
                for (int i = 0; i < 7; ++i) {
                    const int x = ax - w / 3 + R(seed, 80 + i, w * 2 / 3),
                              y = crownY - h / 8 + R(seed, 90 + i, h / 4);
                    if (c.Get(x, y).a != 0) c.Set(x, y, Opaque(230, 50, 40));
                }
            if (kind == 'f')
                for (int i = 0; i < 6; ++i) {
                    const int x = ax - w / 3 + R(seed, 80 + i, w * 2 / 3),
                              y = crownY - h / 6 + R(seed, 90 + i, h / 3);
                    if (c.Get(x, y).a != 0) c.Set(x, y, Opaque(250, 230, 160));
                }
            break;
        }
        case 'h':
        case 'z':
        case 'y': {
            const Ramp& bark = kind == 'z' ? kGreyBark : kBark;
            const int trunkH = h / 3;
            Trunk(c, ax, ay, trunkH + 2, 5, 3, bark, seed);
            const Rgba limb = kind == 'z' ? Opaque(110, 116, 130)
                                          : (kind == 'y' ? Opaque(60, 50, 44) : Opaque(90, 66, 44));
            const Rgba tip = kind == 'z' ? Opaque(240, 248, 255) : limb;
            const int depth = kind == 'y' ? 2 : 3;
            Branches(c, ax, ay - trunkH, -w / 6, -h / 6, depth, limb, tip, seed);
            Branches(c, ax, ay - trunkH, w / 6, -h / 6, depth, limb, tip, seed + 7);
            Branches(c, ax, ay - trunkH, 0, -h / 5, depth, limb, tip, seed + 13);
            if (kind == 'z')  // frost along the upper sides of limbs
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        if (c.Get(x, y) == limb && c.Get(x, y - 1).a == 0 &&
                            (Hash(seed, x, y) & 1u))
                            c.Set(x, y - 1, Opaque(230, 240, 255));
            break;
        }
        case 't':
            Palm(c, ax, ay, w, h, seed);
            break;
        case 'k':
            DitherEllipse(c, Fix(ax + 1, ay), (w / 3) * 16, 40, kShadow);
            Bush(c, ax, ay, w, h, seed, green2, (seed & 1u) != 0);
            break;
        case 'b':
            Willow(c, ax, ay, w, h, seed);
            break;
        case 'a':
            Bamboo(c, ax, ay, w, h, seed);
            break;
        case 'r':
            Reeds(c, ax, ay, w, h, seed);
            break;
        case 'p':
            Stump(c, ax, ay, w, seed, (seed & 1u) != 0);
            break;
        default:
            LitBlob(c, ax, ay - h / 2, w / 3, h / 3, green, seed);
            break;
    }
    AddOutline(c, 110);
    return c;
}

}  // namespace

Canvas TreePicture(char kind, int width, int height, int frames, uint32_t seed) {
    std::vector<Canvas> all;
    for (int f = 0; f < frames; ++f)
        all.push_back(TreeFrame(kind, width, height, Hash(seed, f, kind)));
    return StackFrames(all);
}

}  // namespace tess::demo
