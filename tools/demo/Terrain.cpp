// Terrain pictures: lattice-periodic material textures cut into flat diamonds and lit slope
// pieces.
#include "Terrain.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <tuple>

#include "map/MapDat.h"

namespace tess::demo {

namespace {

// ---------------------------------------------------------------------------------------------
// Names

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// ---------------------------------------------------------------------------------------------
// Shading: 15 light levels, 7 = a flat tile. Lit levels warm up, shaded ones cool down.

constexpr int kFlatShade = 7;

Rgba ShadeColour(Rgba c, int level) {
    const int d = level - kFlatShade;
    const int f = d < 0 ? 256 + d * 19 : 256 + d * 13;
    Rgba s = Scale(c, f);
    auto add = [](uint8_t& v, int delta) {
        v = static_cast<uint8_t>(std::clamp(v + delta, 0, 255));
    };
    if (d > 0) {
        add(s.r, d * 3);
        add(s.g, d * 2);
    } else if (d < 0) {
        add(s.b, -d * 3);
        add(s.r, d);
    }
    return s;
}

// ---------------------------------------------------------------------------------------------
// Materials: a palette of at most 16 colours and a pattern giving a palette index for a ground
// position. Patterns repeat with the cell lattice, so equal tiles join without seams; the
// variant adds details placed well inside the diamond.

struct Px {
    int x, y;     // ground position in the tile's frame (lattice-periodic use only)
    int variant;  // 0..3 flat columns, 4..7 slope pieces
    int frame;    // flat-tile row (animation frame)
    uint32_t seed;
};

using Palette = std::vector<Rgba>;
using Pattern = int (*)(const Px&, int colours);

// Seed of the parts that differ between tile variants: fine detail may differ freely, because
// at the 2-pixel overlap of two tiles one of them simply wins and the eye sees no seam at that
// scale; broad shapes are shared by all variants so that they continue across tile edges.
uint32_t VariantSeed(const Px& p, int k) {
    return p.seed + static_cast<uint32_t>(k) + 977u * static_cast<uint32_t>(p.variant + 1);
}
int Fbm(const Px& p, int k) {
    const uint32_t s = p.seed + static_cast<uint32_t>(k);
    const uint32_t v = VariantSeed(p, k);
    return (LatticeNoise(s, p.x, p.y, 16, 8) * 2 + LatticeNoise(s + 1, p.x, p.y, 8, 4) * 2 +
            LatticeNoise(v + 2, p.x, p.y, 4, 4) * 3 + LatticeNoise(v + 3, p.x, p.y, 2, 2) * 2 +
            static_cast<int>(Hash(v + 4, p.x, p.y) & 255u)) /
           10;
}
int Grain(const Px& p, int k, int x, int y) {
    return static_cast<int>(Hash(VariantSeed(p, k), x, y) & 255u);
}
int ToIndex(int v256, int lo, int hi) {
    return std::clamp(lo + v256 * (hi - lo + 1) / 256, lo, hi);
}
// Contrast stretch around the middle.
int Stretch(int v, int k) {
    return std::clamp(128 + (v - 128) * k / 4, 0, 255);
}

// A detail of a tile variant (a stone, a puddle, a flower...): placed well inside the diamond so
// it never meets a tile edge. Variants carry different numbers of them, some none, so that most
// tiles stay plain and the details do not form a visible grid.
struct Feature {
    int x, y, kind, size;
};
std::vector<Feature> FeaturesOf(uint32_t seed, int variant, int most, int kinds, int margin) {
    std::vector<Feature> out;
    const int count = HashRange(seed ^ 0xC0FFu, variant, most, most + 1);
    for (int i = 0; i < count * 8 && static_cast<int>(out.size()) < count; ++i) {
        const uint32_t h = Hash(seed ^ 0xFEA7u, variant, i);
        const int x = 3 + static_cast<int>(h % 26u), y = 2 + static_cast<int>((h >> 8) % 12u);
        const int size = static_cast<int>((h >> 24) % 3u);
        if (std::abs(2 * x + 1 - 32) + 2 * std::abs(2 * y + 1 - 16) > 34 - 4 * (margin + size))
            continue;
        bool close = false;
        for (const Feature& f : out)
            close = close || (std::abs(f.x - x) + 2 * std::abs(f.y - y) < 8);
        if (!close)
            out.push_back({x, y, static_cast<int>((h >> 16) % static_cast<uint32_t>(kinds)), size});
    }
    return out;
}
const std::vector<Feature>& Features(const Px& p, uint32_t salt, int most, int kinds, int margin) {
    static std::map<std::tuple<uint32_t, int, int, int, int>, std::vector<Feature>> cache;
    const uint32_t seed = p.seed + salt;
    auto key = std::make_tuple(seed, p.variant, most, kinds, margin);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, FeaturesOf(seed, p.variant, most, kinds, margin)).first;
    return it->second;
}

// Positive remainder.
int PMod(int a, int m) {
    return ((a % m) + m) % m;
}
// Coordinates along the two diamond axes: u is constant along a north-east line, w along a
// north-west one; both repeat with the lattice.
int AxisU(const Px& p) {
    return p.x + 2 * p.y + 64;
}
int AxisW(const Px& p) {
    return p.x - 2 * p.y + 64;
}

// A shaded ellipse (stone, puddle) at a feature: 0 outside, else 1 + light 0..256.
int Blob(const Px& p, const Feature& f, int rx, int ry) {
    const int dx = p.x - f.x, dy = p.y - f.y;
    if (dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) return 0;
    return 1 + SphereLight(dx * 16 * ry, dy * 16 * rx, rx * ry * 16 + 8);
}

// Stones of a variant on a jittered grid, only where they stay inside the diamond.
struct StoneHit {
    bool inside = false;
    int light = 0;
    int tone = 0;
    bool rim = false;
};
StoneHit Stones(const Px& p, int salt, int cell, int rmax, int fill) {
    StoneHit hit;
    const uint32_t seed = VariantSeed(p, salt);
    const int gx = p.x / cell, gy = (p.y * 2) / cell;
    for (int j = gy - 1; j <= gy + 1; ++j)
        for (int i = gx - 1; i <= gx + 1; ++i) {
            const uint32_t h = Hash(seed, i, j);
            if (static_cast<int>(h & 255u) >= fill) continue;
            const int cx = i * cell + static_cast<int>((h >> 8) % static_cast<uint32_t>(cell));
            const int cy =
                (j * cell + static_cast<int>((h >> 12) % static_cast<uint32_t>(cell))) / 2;
            const int r = 1 + static_cast<int>((h >> 16) % static_cast<uint32_t>(rmax));
            if (std::abs(2 * cx + 1 - 32) + 2 * std::abs(2 * cy + 1 - 16) > 30 - 4 * r) continue;
            const int dx = p.x - cx, dy = (p.y - cy) * 2;
            const int d2 = dx * dx + dy * dy, rr = r * r + r;
            if (d2 > rr) continue;
            hit.inside = true;
            hit.light = SphereLight(dx * 16, dy * 16, r * 16 + 8);
            hit.tone = static_cast<int>((h >> 24) & 255u);
            hit.rim = d2 > r * r - r;
            return hit;
        }
    return hit;
}

int Base(const Px& p, int lo, int hi, int contrast) {
    return ToIndex(Stretch(Fbm(p, 0), contrast), lo, hi);
}

// --- patterns ---------------------------------------------------------------------------------

int PatGrass(const Px& p, int n) {
    int idx = Base(p, 1, n - 5, 6);
    const int g = Grain(p, 7, p.x, p.y);
    if (g < 26) idx = std::min(idx + 2, n - 5);  // blade tips
    if (Grain(p, 7, p.x, p.y + 1) < 26) idx = std::min(idx + 1, n - 5);
    if (g > 236) idx = std::max(idx - 2, 0);
    for (const Feature& f : Features(p, 1, 3, 5, 2)) {
        const int dx = p.x - f.x, dy = p.y - f.y;
        if (f.kind == 0 && dy == 0 && (dx == 0 || dx == 1))
            return dx == 0 ? n - 1 : n - 3;  // flower
        if (f.kind >= 1 && (dy == 0 || dy == -1) && std::abs(dx) <= 1 + f.size / 2 &&
            ((dx + dy) & 1) == 0)
            return dy == -1 ? n - 4 : std::max(0, idx - 2);  // tuft
    }
    return idx;
}

int PatFlowers(const Px& p, int n) {
    for (const Feature& f : Features(p, 3, 5, 3, 1)) {
        const int dx = p.x - f.x, dy = p.y - f.y;
        if (std::abs(dx) + std::abs(dy) <= 1)
            return (dx == 0 && dy == 0) ? n - 1 : n - 2 - f.kind % 3;
    }
    int idx = Base(p, 0, n - 6, 5);
    const int g = Grain(p, 5, p.x, p.y);
    if (g < 6) return n - 2 - (g % 3);
    if (g < 40) idx = std::min(idx + 2, n - 6);
    return idx;
}

int PatSand(const Px& p, int n) {
    const int wobble = LatticeNoise(p.seed + 9, p.x, p.y, 8, 4) / 48;
    const int phase = PMod(AxisU(p) + wobble, 8);
    const int wave = phase < 4 ? phase : 8 - phase;
    const int v = Fbm(p, 0) / 2 + wave * 20 + Grain(p, 2, p.x, p.y) / 12;
    int idx = ToIndex(std::clamp(v, 0, 255), 0, n - 2);
    for (const Feature& f : Features(p, 4, 1, 1, 1))
        if (p.x == f.x && p.y == f.y) idx = n - 1;
    return idx;
}

int PatSoil(const Px& p, int n) {
    int idx = Base(p, 0, n - 3, 5);
    const int g = Grain(p, 3, p.x, p.y);
    if (g < 10) idx = std::max(0, idx - 2);
    if (g > 248) idx = n - 1;
    const StoneHit s = Stones(p, 11, 8, 1, 70);
    if (s.inside) idx = s.light > 150 ? n - 1 : n - 2;
    return idx;
}

int PatClay(const Px& p, int n) {
    int idx = Base(p, 2, n - 2, 5);
    const int crack = std::abs(LatticeNoise(VariantSeed(p, 5), p.x, p.y, 8, 4) - 128);
    if (crack < 5)
        idx = 0;
    else if (crack < 9)
        idx = std::min(idx + 1, n - 2);  // the lit lip of the crack
    if (Grain(p, 8, p.x, p.y) < 6) idx = n - 1;
    return idx;
}

int PatRock(const Px& p, int n) {
    int idx = Base(p, 2, n - 2, 7);
    const int crack = std::abs(LatticeNoise(VariantSeed(p, 6), p.x, p.y, 8, 4) - 128);
    const int shared = std::abs(LatticeNoise(p.seed + 12, p.x, p.y, 8, 4) - 128);
    if (crack < 4 || shared < 3)
        idx = 0;
    else if (crack < 7)
        idx = n - 1;
    for (const Feature& f : Features(p, 13, 2, 1, 2)) {
        const int b = Blob(p, f, 3 + f.size, 2);
        if (b) return std::clamp(2 + (b - 1) / 32, 1, n - 1);
    }
    return idx;
}

int PatMossRock(const Px& p, int n) {
    const int moss = LatticeNoise(p.seed + 21, p.x, p.y, 8, 4) / 2 +
                     LatticeNoise(VariantSeed(p, 22), p.x, p.y, 4, 2) / 2;
    if (moss > 168) return n - 4 + std::min(3, (moss - 168) / 8 + (Grain(p, 23, p.x, p.y) < 40));
    return PatRock(p, n - 4);
}

int PatPebbles(const Px& p, int n) {
    const StoneHit s = Stones(p, 1, 5, 3, 150);
    if (s.inside) {
        if (s.rim && s.light < 70) return 1;
        const int base = n / 2 + (s.tone % 3);
        return std::clamp(base + (s.light - 120) / 48, n / 2 - 1, n - 1);
    }
    return Base(p, 0, n / 2 - 2, 4);
}

// Small iso-aligned stones in courses: joints two pixels wide so that lines read unbroken.
int PatCobbles(const Px& p, int n) {
    const int u = AxisU(p), w = AxisW(p) + (PMod(AxisU(p) / 8, 2) ? 4 : 0);
    const int su = PMod(u, 8), sw = PMod(w, 8);
    if (su < 2 || sw < 2) return 0;
    const int tone = static_cast<int>(Hash(p.seed, PMod(u / 8, 4), PMod(w / 8, 4)) % 4u);
    int idx = 4 + tone + (Grain(p, 2, p.x, p.y) < 40 ? -1 : 0);
    if (su == 2 || sw == 2) idx += 2;  // lit side
    if (su == 7 || sw == 7) idx = 2;   // shaded side
    return std::clamp(idx, 1, n - 1);
}

int PatForest(const Px& p, int n) {
    int idx = Base(p, 0, n - 6, 6);
    const int g = Grain(p, 2, p.x, p.y);
    if (g < 12)
        idx = n - 6 + 1 + (g % 3);  // fallen leaves
    else if (g < 26)
        idx = std::max(0, idx - 2);
    for (const Feature& f : Features(p, 5, 2, 3, 3)) {
        const int dx = p.x - f.x, dy = p.y - f.y;
        if (f.kind == 0 && dy == 0 && std::abs(dx) <= 1)
            return dx == 0 ? n - 1 : n - 2;  // mushroom
        if (f.kind == 0 && dy == 1 && dx == 0) return n - 1;
        if (f.kind >= 1 && dx >= -2 && dx <= 2 && dy == -(dx / 2)) return 1;  // twig
    }
    return idx;
}

int PatSwamp(const Px& p, int n) {
    for (const Feature& f : Features(p, 4, 2, 2, 2)) {
        const int b = Blob(p, f, 4 + f.size, 2 + f.size / 2);
        if (b) {
            if (p.y == f.y - 1 && p.x == f.x - 1) return n - 1;  // glint
            return b > 100 ? 1 : 0;
        }
    }
    int idx = Base(p, 2, n - 3, 5);
    if (Grain(p, 8, p.x, p.y) < 22) idx = n - 2;
    return idx;
}

int PatSnow(const Px& p, int n) {
    int idx = Base(p, 0, n - 2, 4);
    if (Grain(p, 1, p.x, p.y) < 6) idx = n - 1;
    return idx;
}

int PatSnowGrass(const Px& p, int n) {
    for (const Feature& f : Features(p, 31, 2, 1, 3)) {
        const int b = Blob(p, f, 5 + f.size, 2 + f.size / 2);
        if (b && Grain(p, 2, p.x, p.y) > 60) return 1 + std::min(2, (b - 1) / 90);
    }
    return 4 + PatSnow(p, n - 4);
}

int PatTrampled(const Px& p, int n) {
    for (const Feature& f : Features(p, 7, 3, 2, 3)) {
        const int dx = p.x - f.x, dy = p.y - f.y;
        if ((dx == 0 || dx == 1) && dy == 0) return 1;
        if ((dx == 4 || dx == 5) && dy == 1) return 1;
    }
    return PatSnow(p, n);
}

int PatWater(const Px& p, int n) {
    const int idx = Base(p, 0, n - 4, 3);
    for (const Feature& f : Features(p, 40, 2, 3, 2)) {
        // Wave crests drift to the right from frame to frame.
        const int dx = p.x - f.x - (p.frame + f.kind) % 4, dy = p.y - f.y;
        const int len = 1 + f.size;
        if (dy == 0 && std::abs(dx) <= len) return dx == 0 ? n - 1 : n - 2;
        if (dy == 1 && std::abs(dx) < len) return std::max(0, idx - 2);
    }
    if (Grain(p, 9 + p.frame, p.x, p.y) < 4) return n - 3;
    return idx;
}

int PatLava(const Px& p, int n) {
    // Glowing cracks between plates of crust; the plates differ per variant and the broad glow
    // is shared, so the cracks read as one molten surface.
    const int crack = std::abs(LatticeNoise(VariantSeed(p, 8), p.x, p.y, 8, 4) - 128) +
                      std::abs(LatticeNoise(VariantSeed(p, 9), p.x, p.y, 4, 2) - 128) / 3;
    const int heat = LatticeNoise(p.seed + 7, p.x, p.y, 8, 4) / 32 + (p.frame == 0 ? 0 : 3);
    if (crack < 4 + heat) return n - 1;
    if (crack < 9 + heat) return n - 2;
    if (crack < 14 + heat) return n - 3;
    if (crack < 18 + heat) return n - 4;
    return Base(p, 0, n - 6, 5);
}

int PatCooledLava(const Px& p, int n) {
    const int crack = std::abs(LatticeNoise(VariantSeed(p, 7), p.x, p.y, 8, 4) - 128);
    if (crack < 4) return n - 1;
    if (crack < 7) return n - 2;
    return Base(p, 0, n - 3, 6);
}

// Slabs along both diamond axes, size in axis units (16 = four slabs per tile).
int PatSlabs(const Px& p, int n, int size, bool staggered) {
    const int u = AxisU(p);
    const int w = AxisW(p) + (staggered && PMod(u / size, 2) ? size / 2 : 0);
    const int su = PMod(u, size), sw = PMod(w, size);
    if (su < 2 || sw < 2) return 0;
    const int slab =
        static_cast<int>(Hash(p.seed, PMod(u / size, 64 / size), PMod(w / size, 64 / size)) % 3u);
    int idx = 3 + slab * 2 + Fbm(p, 1) / 128;
    if (Grain(p, 2, p.x, p.y) < 16) idx -= 1;
    if (su < 4 || sw < 4) idx = n - 1;  // lit edge
    if (su >= size - 2 || sw >= size - 2) idx = 1;
    return std::clamp(idx, 1, n - 1);
}
int PatFlagstones(const Px& p, int n) {
    return PatSlabs(p, n, 16, false);
}
int PatBasalt(const Px& p, int n) {
    return PatSlabs(p, n, 16, true);
}

int PatCheck(const Px& p, int n) {
    const int u = AxisU(p), w = AxisW(p);
    if (PMod(u, 16) < 2 || PMod(w, 16) < 2) return 0;
    const bool light = (PMod(u / 16, 2) ^ PMod(w / 16, 2)) != 0;
    return std::clamp((light ? n - 4 : 3) + Fbm(p, 0) / 100 + (Grain(p, 1, p.x, p.y) < 18 ? 1 : 0),
                      1, n - 1);
}

int PatBricks(const Px& p, int n) {
    // Bricks 16 long and 8 wide along alternating axes: a basket weave.
    const int u = AxisU(p), w = AxisW(p);
    const bool alongU = (PMod(u / 16, 2) ^ PMod(w / 16, 2)) == 0;
    const int a = alongU ? u : w, b = alongU ? w : u;
    if (PMod(a, 16) < 2 || PMod(b, 8) < 2) return 0;
    const int tone = static_cast<int>(Hash(p.seed, PMod(u / 8, 8), PMod(w / 8, 8)) % 4u);
    int idx = 3 + tone * 2 + Fbm(p, 1) / 160;
    if (PMod(b, 8) == 2) idx += 1;
    return std::clamp(idx, 1, n - 1);
}

int PatPlanks(const Px& p, int n) {
    const int u = AxisU(p), w = AxisW(p);
    const int board = PMod(u / 8, 8);
    const int offset = static_cast<int>(Hash(p.seed, board, 0) % 32u);
    if (PMod(u, 8) < 2) return 0;
    if (PMod(w + offset * 2, 64) < 2) return 1;
    const int grain = LatticeNoise(VariantSeed(p, 3), p.x, p.y, 4, 2) / 64;
    int idx = 3 + static_cast<int>(Hash(p.seed + 1, board, 0) % 3u) * 2 + (grain > 1 ? 1 : 0);
    if (PMod(u, 8) == 2) idx += 1;
    if (Grain(p, 5, p.x, p.y) < 5) idx = 2;  // knot
    return std::clamp(idx, 1, n - 1);
}

int PatMarble(const Px& p, int n) {
    const int u = AxisU(p), w = AxisW(p);
    if (PMod(u, 32) < 2 || PMod(w, 32) < 2) return 0;
    const int vein = std::abs(LatticeNoise(p.seed + 3, p.x, p.y, 8, 4) - 128);
    const int vein2 = std::abs(LatticeNoise(VariantSeed(p, 5), p.x, p.y, 4, 4) - 128);
    if (vein < 4) return 1;
    if (vein < 8 || vein2 < 3) return 2;
    int idx = ToIndex(Fbm(p, 9), 4, n - 2);
    if (PMod(u, 32) < 4 || PMod(w, 32) < 4) idx = n - 1;
    return idx;
}

int PatIce(const Px& p, int n) {
    const int crack = std::abs(LatticeNoise(VariantSeed(p, 3), p.x, p.y, 8, 4) - 128);
    if (crack < 3) return n - 1;
    int idx = Base(p, 0, n - 3, 5);
    for (const Feature& f : Features(p, 6, 2, 1, 2)) {
        const int du = AxisW(p) - (f.x - 2 * f.y + 64);
        if (std::abs(p.x - f.x) < 5 && (du == 0 || du == 1)) idx = n - 2;  // gloss streak
    }
    return idx;
}

int PatGravel(const Px& p, int n) {
    const StoneHit s = Stones(p, 1, 3, 1, 200);
    if (s.inside) return std::clamp(n / 2 + s.tone % 3 + (s.light - 100) / 60, 2, n - 1);
    return ToIndex(Grain(p, 3, p.x, p.y) / 2 + Fbm(p, 0) / 2, 0, n / 2);
}

int PatPath(const Px& p, int n) {
    int idx = Base(p, 2, n - 3, 4);
    const int g = Grain(p, 1, p.x, p.y);
    if (g < 8) idx -= 2;
    if (g > 250) idx = n - 1;
    const StoneHit s = Stones(p, 3, 8, 1, 60);
    if (s.inside) idx = s.light > 140 ? n - 1 : n - 2;
    return std::clamp(idx, 0, n - 1);
}

// --- material table -------------------------------------------------------------------------

Palette RampPal(std::initializer_list<Rgba> stops, int count) {
    std::vector<Rgba> s(stops);
    Palette out;
    for (int i = 0; i < count; ++i) {
        const int pos = i * 256 * (static_cast<int>(s.size()) - 1) / std::max(1, count - 1);
        const int k = std::min(pos / 256, static_cast<int>(s.size()) - 2);
        out.push_back(Mix(s[static_cast<size_t>(k)], s[static_cast<size_t>(k) + 1], pos - k * 256));
    }
    return out;
}
Palette Join(Palette a, std::initializer_list<Rgba> extra) {
    for (Rgba c : extra)
        a.push_back(c);
    return a;
}
Palette Join(Palette a, const Palette& extra) {
    for (Rgba c : extra)
        a.push_back(c);
    return a;
}

struct Material {
    const char* name;
    int rows;
    Palette palette;
    Pattern pattern;
    uint32_t seed;
};

const std::vector<Material>& Materials() {
    static const std::vector<Material> all = [] {
        std::vector<Material> m;
        auto add = [&](const char* name, int rows, Palette pal, Pattern pat) {
            m.push_back(Material{name, rows, std::move(pal), pat,
                                 Hash(0x7E77A1u, static_cast<int>(m.size()), 3)});
        };
        add("Skala", 1,
            RampPal({Opaque(52, 48, 46), Opaque(104, 98, 92), Opaque(150, 144, 134)}, 12), PatRock);
        add("Poust", 1,
            Join(RampPal({Opaque(196, 150, 86), Opaque(226, 190, 120), Opaque(244, 218, 156)}, 11),
                 {Opaque(150, 112, 70)}),
            PatSand);
        add("HlinaK", 1,
            Join(RampPal({Opaque(92, 44, 30), Opaque(150, 74, 46), Opaque(186, 104, 66)}, 11),
                 {Opaque(210, 150, 110)}),
            PatClay);
        add("KameniB", 1,
            RampPal({Opaque(120, 104, 80), Opaque(168, 150, 118), Opaque(204, 198, 184),
                     Opaque(236, 232, 222)},
                    14),
            PatPebbles);
        add("KameniT", 1,
            RampPal({Opaque(36, 36, 38), Opaque(66, 64, 62), Opaque(96, 100, 104),
                     Opaque(146, 150, 156)},
                    14),
            PatPebbles);
        add("Trava", 2,
            Join(RampPal({Opaque(38, 80, 26), Opaque(74, 128, 40), Opaque(124, 172, 64)}, 11),
                 {Opaque(150, 196, 86), Opaque(236, 220, 90), Opaque(246, 246, 236),
                  Opaque(230, 236, 120)}),
            PatGrass);
        add("TravaS", 1,
            Join(RampPal({Opaque(102, 96, 40), Opaque(154, 140, 64), Opaque(198, 180, 100)}, 11),
                 {Opaque(214, 200, 120), Opaque(180, 120, 60), Opaque(236, 226, 170),
                  Opaque(226, 214, 140)}),
            PatGrass);
        add("Les", 1,
            Join(RampPal({Opaque(32, 40, 20), Opaque(58, 70, 32), Opaque(86, 92, 44)}, 10),
                 {Opaque(150, 84, 30), Opaque(176, 120, 40), Opaque(120, 60, 30),
                  Opaque(192, 60, 44), Opaque(110, 90, 50), Opaque(236, 226, 200)}),
            PatForest);
        add("Bazina", 1,
            Join({Opaque(30, 42, 34), Opaque(46, 62, 50)},
                 {Opaque(56, 64, 34), Opaque(68, 78, 40), Opaque(82, 90, 46), Opaque(96, 102, 52),
                  Opaque(110, 114, 60), Opaque(124, 126, 70), Opaque(134, 140, 80),
                  Opaque(104, 130, 64), Opaque(150, 180, 170)}),
            PatSwamp);
        add("Snih", 1,
            RampPal({Opaque(176, 190, 214), Opaque(214, 224, 238), Opaque(240, 244, 250),
                     Opaque(252, 252, 255)},
                    10),
            PatSnow);
        add("cp", 1,
            RampPal({Opaque(106, 80, 52), Opaque(156, 122, 82), Opaque(190, 160, 116),
                     Opaque(222, 200, 160)},
                    11),
            PatPath);
        add("ck", 1,
            RampPal({Opaque(44, 40, 36), Opaque(72, 68, 62), Opaque(128, 122, 112),
                     Opaque(180, 174, 162), Opaque(206, 202, 192)},
                    12),
            PatCobbles);
        add("Voda-melka-pohyb0000", 4,
            Join(RampPal({Opaque(40, 128, 138), Opaque(64, 158, 160), Opaque(96, 184, 176)}, 9),
                 {Opaque(160, 214, 210), Opaque(150, 220, 220), Opaque(236, 250, 250)}),
            PatWater);
        add("Voda-hluboka-pohyb0000", 4,
            Join(RampPal({Opaque(14, 34, 80), Opaque(24, 58, 112), Opaque(34, 78, 132)}, 9),
                 {Opaque(60, 110, 160), Opaque(120, 170, 210), Opaque(220, 236, 250)}),
            PatWater);
        add("Lava", 2,
            Join(RampPal({Opaque(40, 16, 12), Opaque(82, 30, 18), Opaque(110, 44, 22)}, 9),
                 {Opaque(150, 40, 14), Opaque(200, 60, 10), Opaque(246, 128, 20),
                  Opaque(252, 200, 60), Opaque(255, 248, 170)}),
            PatLava);
        add("dlazba01", 1,
            RampPal({Opaque(60, 58, 56), Opaque(118, 116, 110), Opaque(170, 166, 156),
                     Opaque(214, 210, 200)},
                    12),
            PatFlagstones);
        add("dlazba02", 1,
            Join({Opaque(90, 70, 60)}, RampPal({Opaque(110, 40, 30), Opaque(160, 64, 44),
                                                Opaque(196, 100, 70), Opaque(222, 150, 110)},
                                               11)),
            PatBricks);
        add("dlazba03", 1,
            RampPal(
                {Opaque(18, 18, 22), Opaque(40, 40, 46), Opaque(64, 66, 74), Opaque(104, 108, 120)},
                12),
            PatBasalt);
        add("dlazba04", 1,
            RampPal({Opaque(100, 76, 50), Opaque(170, 136, 90), Opaque(214, 188, 140),
                     Opaque(238, 222, 190)},
                    12),
            PatCheck);
        add("drevo01", 1,
            RampPal({Opaque(80, 50, 26), Opaque(150, 104, 56), Opaque(196, 150, 90),
                     Opaque(222, 186, 130)},
                    11),
            PatPlanks);
        add("drevo02", 1,
            RampPal(
                {Opaque(34, 20, 12), Opaque(74, 44, 24), Opaque(106, 66, 36), Opaque(140, 94, 56)},
                11),
            PatPlanks);
        add("Hlina", 1,
            RampPal({Opaque(60, 42, 26), Opaque(106, 76, 46), Opaque(142, 106, 70),
                     Opaque(176, 140, 100)},
                    11),
            PatSoil);
        add("hlina06", 1,
            RampPal(
                {Opaque(30, 24, 18), Opaque(58, 44, 32), Opaque(84, 64, 46), Opaque(118, 94, 70)},
                11),
            PatSoil);
        add("hlina07", 1,
            RampPal({Opaque(120, 90, 44), Opaque(170, 132, 70), Opaque(204, 170, 104),
                     Opaque(228, 204, 150)},
                    11),
            PatSoil);
        add("mramor01", 1,
            Join({Opaque(150, 150, 156), Opaque(174, 170, 176), Opaque(196, 192, 196)},
                 RampPal({Opaque(214, 210, 206), Opaque(236, 234, 230), Opaque(250, 250, 248)}, 8)),
            PatMarble);
        add("mramor2", 1,
            Join({Opaque(12, 30, 24), Opaque(200, 220, 210), Opaque(140, 170, 156)},
                 RampPal({Opaque(20, 60, 46), Opaque(34, 86, 66), Opaque(56, 110, 88)}, 8)),
            PatMarble);
        add("pisek6", 1,
            Join(RampPal({Opaque(214, 190, 140), Opaque(236, 218, 176), Opaque(250, 240, 210)}, 11),
                 {Opaque(170, 150, 120)}),
            PatSand);
        add("poust2", 1,
            Join(RampPal({Opaque(150, 70, 40), Opaque(196, 104, 60), Opaque(226, 146, 92)}, 11),
                 {Opaque(110, 60, 40)}),
            PatSand);
        add("skalaMech", 1,
            Join(RampPal({Opaque(46, 46, 42), Opaque(96, 94, 84), Opaque(140, 138, 126)}, 10),
                 {Opaque(52, 84, 30), Opaque(74, 110, 40), Opaque(98, 136, 52),
                  Opaque(124, 160, 70)}),
            PatMossRock);
        add("trava6", 1,
            Join(RampPal({Opaque(20, 60, 18), Opaque(40, 100, 30), Opaque(70, 140, 44)}, 11),
                 {Opaque(96, 166, 60), Opaque(210, 60, 50), Opaque(250, 250, 250),
                  Opaque(246, 200, 60)}),
            PatGrass);
        add("trava7", 1,
            Join(RampPal({Opaque(44, 92, 30), Opaque(84, 140, 48), Opaque(130, 180, 70)}, 10),
                 {Opaque(120, 90, 200), Opaque(200, 80, 160), Opaque(250, 220, 70),
                  Opaque(250, 140, 60), Opaque(255, 255, 255)}),
            PatFlowers);
        add("trava8", 1,
            Join(RampPal({Opaque(26, 76, 66), Opaque(54, 120, 96), Opaque(96, 160, 128)}, 11),
                 {Opaque(130, 190, 156), Opaque(160, 200, 230), Opaque(240, 250, 250),
                  Opaque(190, 220, 240)}),
            PatGrass);
        add("travaFial", 1,
            Join(RampPal({Opaque(46, 26, 70), Opaque(88, 52, 122), Opaque(130, 90, 170)}, 11),
                 {Opaque(160, 120, 196), Opaque(240, 210, 120), Opaque(236, 236, 250),
                  Opaque(180, 230, 220)}),
            PatGrass);
        add("led01", 1,
            RampPal({Opaque(130, 180, 210), Opaque(170, 214, 234), Opaque(206, 236, 248),
                     Opaque(248, 252, 255)},
                    10),
            PatIce);
        add("snih02", 1,
            Join({Opaque(96, 116, 72), Opaque(118, 136, 90), Opaque(140, 154, 112),
                  Opaque(164, 172, 140)},
                 RampPal({Opaque(190, 202, 220), Opaque(228, 234, 244), Opaque(252, 252, 255)}, 9)),
            PatSnowGrass);
        add("led02", 1,
            RampPal({Opaque(30, 60, 110), Opaque(56, 100, 150), Opaque(96, 146, 190),
                     Opaque(200, 230, 250)},
                    10),
            PatIce);
        add("snih03", 1,
            RampPal({Opaque(150, 156, 170), Opaque(196, 202, 214), Opaque(226, 230, 238),
                     Opaque(246, 248, 252)},
                    10),
            PatTrampled);
        add("kameni", 1,
            RampPal({Opaque(70, 62, 54), Opaque(120, 110, 98), Opaque(166, 158, 146),
                     Opaque(210, 204, 194)},
                    12),
            PatGravel);
        add("lava02", 1,
            Join(RampPal({Opaque(22, 20, 22), Opaque(44, 40, 42), Opaque(70, 64, 62)}, 9),
                 {Opaque(140, 40, 20), Opaque(220, 90, 30)}),
            PatCooledLava);
        return m;
    }();
    return all;
}

const Material& MaterialOf(const std::string& name) {
    const std::string key = Lower(name);
    for (const Material& m : Materials())
        if (Lower(m.name) == key) return m;
    return Materials()[5];  // grass for anything unknown
}

Rgba Texel(const Material& m, int x, int y, int variant, int frame, int shade) {
    const int n = static_cast<int>(m.palette.size());
    const int idx = std::clamp(m.pattern(Px{x, y, variant, frame, m.seed}, n), 0, n - 1);
    return ShadeColour(m.palette[static_cast<size_t>(idx)], shade);
}

// ---------------------------------------------------------------------------------------------
// Slope geometry

struct Corner {
    int x, y, h;  // ground position (flat frame) and height flag
};

bool SplitTopBottom(int mask) {
    return mask == 4 || mask == 1 || mask == 14 || mask == 11 || mask == 10;
}

struct Plane {
    int64_t an, bn, cn, det;  // h = (an·X + bn·Y + cn) / det
    int shade;
};

// Light level of a triangle: world X, depth 2·Y, height kZ per level; light from the upper left.
int ShadeOfTriangle(const Corner& a, const Corner& b, const Corner& c) {
    constexpr int64_t kZ = 7;
    const int64_t v1x = b.x - a.x, v1y = 2 * (b.y - a.y), v1z = kZ * (b.h - a.h);
    const int64_t v2x = c.x - a.x, v2y = 2 * (c.y - a.y), v2z = kZ * (c.h - a.h);
    int64_t nx = v1y * v2z - v1z * v2y, ny = v1z * v2x - v1x * v2z, nz = v1x * v2y - v1y * v2x;
    if (nz < 0) {
        nx = -nx;
        ny = -ny;
        nz = -nz;
    }
    constexpr int64_t lx = -10, ly = -10, lz = 14;
    const int64_t len = ISqrt(nx * nx + ny * ny + nz * nz);
    const int64_t llen = ISqrt(lx * lx + ly * ly + lz * lz);
    const int64_t bright = 1000 * (nx * lx + ny * ly + nz * lz) / std::max<int64_t>(1, len * llen);
    const int64_t flat = 1000 * lz / llen;
    return std::clamp(kFlatShade + static_cast<int>((bright - flat) * 13 / 1000), 0, 14);
}

Plane PlaneOf(const Corner& p0, const Corner& p1, const Corner& p2) {
    const int64_t dX1 = p1.x - p0.x, dY1 = p1.y - p0.y, dh1 = p1.h - p0.h;
    const int64_t dX2 = p2.x - p0.x, dY2 = p2.y - p0.y, dh2 = p2.h - p0.h;
    Plane pl{};
    pl.det = dX1 * dY2 - dX2 * dY1;
    pl.an = dh1 * dY2 - dh2 * dY1;
    pl.bn = dX1 * dh2 - dX2 * dh1;
    pl.cn = p0.h * pl.det - pl.an * p0.x - pl.bn * p0.y;
    pl.shade = ShadeOfTriangle(p0, p1, p2);
    return pl;
}

int64_t FloorDiv64(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// x (sixteenths) where the segment a-b crosses row position y16.
int64_t CrossX(int ax, int ay, int bx, int by, int64_t y16) {
    const int64_t ax16 = ax * 16, ay16 = ay * 16, bx16 = bx * 16, by16 = by * 16;
    if (by16 == ay16) return ax16;
    return ax16 + FloorDiv64((y16 - ay16) * (bx16 - ax16), by16 - ay16);
}

// Draws one piece (mask 0 = flat) of material m into the picture at (ox, oy).
void DrawPiece(Canvas& pic, int ox, int oy, const Material& m, int mask, int variant, int frame) {
    const PieceCorners pc = CornersOf(mask);
    const int t = mask == 0 ? 1 : (mask >> 3) & 1, r = mask == 0 ? 1 : (mask >> 2) & 1;
    const int b = mask == 0 ? 1 : (mask >> 1) & 1, l = mask == 0 ? 1 : mask & 1;
    const Corner T{16, 0, t}, R{32, 8, r}, B{16, 16, b}, L{0, 8, l};
    const bool splitTB = SplitTopBottom(mask);
    const Plane first = splitTB ? PlaneOf(T, B, L) : PlaneOf(T, R, L);   // left / upper
    const Plane second = splitTB ? PlaneOf(T, R, B) : PlaneOf(L, R, B);  // right / lower
    const int height = mask == 0 ? kTileHeight : kSlopeBand;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kTileWidth; ++x) {
            if (!PieceCovers(mask, x, y)) continue;
            const int64_t x16 = 16 * x + 8, y16 = 16 * y + 8;
            bool useFirst;
            if (splitTB) {
                useFirst = x16 < 256;
            } else {
                const int64_t lineY = 16 * pc.ly + (16 * (pc.ry - pc.ly) * x16) / 512;
                useFirst = y16 < lineY;
            }
            const Plane& pl = useFirst ? first : second;
            // Ground Y of the pixel: screen y = Y + 4·(1 - h(X, Y)).
            const int64_t num = (y16 - 64) * pl.det + 4 * pl.an * x16 + 64 * pl.cn;
            const int64_t den = pl.det - 4 * pl.bn;
            const int64_t gy16 = FloorDiv64(2 * num + den, 2 * den);
            const int gy = static_cast<int>(FloorDiv64(gy16 + 8, 16));
            const int shade = mask == 0 ? kFlatShade : pl.shade;
            pic.Set(ox + x, oy + y, Texel(m, x, gy, variant, frame, shade));
        }
}

}  // namespace

PieceCorners CornersOf(int mask) {
    const int t = mask == 0 ? 1 : (mask >> 3) & 1, r = mask == 0 ? 1 : (mask >> 2) & 1;
    const int b = mask == 0 ? 1 : (mask >> 1) & 1, l = mask == 0 ? 1 : mask & 1;
    return PieceCorners{16, 4 * (1 - t),      32, 8 + 4 * (1 - r),
                        16, 16 + 4 * (1 - b), 0,  8 + 4 * (1 - l)};
}

bool PieceCovers(int mask, int x, int y) {
    const PieceCorners c = CornersOf(mask);
    const int64_t y16 = 16 * y + 8;
    if (y16 < 16 * c.ty || y16 > 16 * c.by) return false;
    const int64_t left = y16 <= 16 * c.ly ? CrossX(c.tx, c.ty, c.lx, c.ly, y16)
                                          : CrossX(c.lx, c.ly, c.bx, c.by, y16);
    const int64_t right = y16 <= 16 * c.ry ? CrossX(c.tx, c.ty, c.rx, c.ry, y16)
                                           : CrossX(c.rx, c.ry, c.bx, c.by, y16);
    // One pixel of overlap on each side: neighbouring pieces share their edges, never a gap.
    const int64_t x16 = 16 * x + 8;
    return x16 >= left - 16 && x16 <= right + 16;
}

const std::vector<std::string>& DefaultTerrainNames() {
    // The editor's fifteen named slots, as a new map lists them.
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (int slot = 0; slot < 15; ++slot)
            out.emplace_back(tess::DefaultTerrainName(slot));
        return out;
    }();
    return names;
}

const std::vector<std::string>& TerrainDialogNames() {
    static const std::vector<std::string> names = {
        "bazina",  "hlinaK",    "kameniB", "kameniT",  "travaS",   "Les",       "poust",
        "snih",    "skala",     "trava",   "dlazba02", "lava",     "dlazba01",  "drevo01",
        "drevo02", "Hlina",     "hlina06", "hlina07",  "mramor01", "mramor2",   "pisek6",
        "poust2",  "skalaMech", "trava6",  "trava7",   "trava8",   "travaFial", "led01",
        "snih02",  "led02",     "snih03",  "dlazba03", "dlazba04", "kameni",    "lava02"};
    return names;
}

const std::vector<std::string>& TerrainSetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out = DefaultTerrainNames();
        for (const std::string& n : TerrainDialogNames()) {
            bool known = false;
            for (const std::string& o : out)
                known = known || Lower(o) == Lower(n);
            if (!known) out.push_back(n);
        }
        return out;
    }();
    return names;
}

int TerrainFlatRows(const std::string& name) {
    return MaterialOf(name).rows;
}

Canvas MakeFlatPicture(const std::string& name) {
    const Material& m = MaterialOf(name);
    Canvas pic(kFlatColumns * kTileWidth, m.rows * kTileHeight, kTerrainKey);
    for (int row = 0; row < m.rows; ++row)
        for (int col = 0; col < kFlatColumns; ++col)
            DrawPiece(pic, col * kTileWidth, row * kTileHeight, m, 0, col, row);
    return pic;
}

Canvas MakeSlopePicture(const std::string& name) {
    const Material& m = MaterialOf(name);
    Canvas pic(2 * kSlopeVariants * kTileWidth, 14 * kSlopeBand, kTerrainKey);
    for (int set = 0; set < 2; ++set)
        for (int v = 0; v < kSlopeVariants; ++v)
            for (int mask = 1; mask <= 14; ++mask)
                DrawPiece(pic, (set * kSlopeVariants + v) * kTileWidth, (mask - 1) * kSlopeBand, m,
                          mask, 4 + set * kSlopeVariants + v, 0);
    return pic;
}

Canvas MakeTerrainButton(const std::string& name) {
    const Material& m = MaterialOf(name);
    Canvas button(64, 64, kBlack);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            // The diamond of the staggered grid that holds the pixel gives the tile variant.
            int best = 0, bi = 0, bj = 0;
            for (int j = -1; j <= 9; ++j)
                for (int i = -1; i <= 2; ++i) {
                    const int cx = 16 + 32 * i + 16 * (j & 1), cy = 8 * j;
                    const int d = std::abs(2 * (x - cx) + 1) + 2 * std::abs(2 * (y - cy) + 1);
                    if (i == -1 && j == -1) best = d + 1;
                    if (d < best) {
                        best = d;
                        bi = i;
                        bj = j;
                    }
                }
            const int lx = x - (16 + 32 * bi + 16 * (bj & 1)) + 16, ly = y - 8 * bj + 8;
            const int variant = HashRange(0xB077u, bi, bj, 4);
            int shade = kFlatShade;
            if (x < 2 || y < 2) shade = 10;
            if (x > 61 || y > 61) shade = 4;
            button.Set(x, y, Texel(m, lx, ly, variant, 0, shade));
        }
    return button;
}

bool HasButtonOverlay(const std::string& name) {
    static const char* kWith[] = {
        "Voda-melka-pohyb0000", "Voda-hluboka-pohyb0000", "Lava", "Snih", "Bazina", "Les"};
    for (const char* n : kWith)
        if (Lower(n) == Lower(name)) return true;
    return false;
}

Canvas MakeButtonOverlay(const std::string& name) {
    Canvas o(64, 64, kBlack);
    const std::string key = Lower(name);
    const Rgba white = Opaque(250, 252, 255), shade = Opaque(60, 70, 90);
    if (key.rfind("voda", 0) == 0) {
        // Two wave crests.
        for (int k = 0; k < 2; ++k)
            for (int x = 10; x < 54; ++x) {
                const int phase = (x + k * 6) % 16;
                const int y = 40 + k * 10 - (phase < 8 ? phase : 16 - phase) / 2;
                o.Set(x, y, white);
                o.Set(x, y + 1, shade);
            }
    } else if (key == "lava") {
        const FixPoint flame[] = {Fix(32, 18), Fix(40, 32), Fix(42, 44), Fix(36, 52),
                                  Fix(28, 52), Fix(22, 44), Fix(26, 34)};
        o.FillPolygon(flame, Opaque(250, 150, 30));
        const FixPoint core[] = {Fix(32, 32), Fix(37, 42), Fix(34, 50), Fix(30, 50), Fix(27, 42)};
        o.FillPolygon(core, Opaque(255, 240, 140));
    } else if (key == "snih") {
        for (int k = 0; k < 3; ++k) {
            static constexpr int kDir[3][2] = {{0, 12}, {10, 6}, {10, -6}};
            o.Line(32 - kDir[k][0], 32 - kDir[k][1], 32 + kDir[k][0], 32 + kDir[k][1], white);
        }
        o.FillEllipse(Fix(32, 32), 40, 40, white);
    } else if (key == "bazina") {
        for (int k = 0; k < 4; ++k) {
            const int x = 22 + k * 6;
            o.Line(x, 54, x + (k - 2), 22 + (k % 2) * 6, Opaque(120, 150, 60));
            o.FillRect(x + (k - 2) - 1, 22 + (k % 2) * 6, 3, 6, Opaque(110, 70, 40));
        }
    } else if (key == "les") {
        const FixPoint tree[] = {Fix(32, 14), Fix(44, 40), Fix(20, 40)};
        o.FillPolygon(tree, Opaque(30, 90, 40));
        o.FillRect(30, 40, 4, 10, Opaque(100, 64, 30));
    }
    return o;
}

}  // namespace tess::demo
