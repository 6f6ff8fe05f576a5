// Effect animation strips and the keeper faces of the building dialog's video.
#include <algorithm>
#include <cstdlib>

#include "ObjectArt.h"
#include "SpriteKit.h"

namespace tess::demo {

namespace {

// Alpha falls off towards the edge of a particle so the strip's 4-bit alpha has soft edges.
void Particle(Canvas& c, int x, int y, int r, Rgba colour, int alpha) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int d2 = dx * dx + dy * dy;
            if (d2 > r * r) continue;
            const int a = alpha * (r * r - d2 + 1) / (r * r + 1);
            c.Blend(x + dx, y + dy, WithAlpha(colour, std::clamp(a, 0, 255)));
        }
}

Canvas EffectFrame(Effect kind, int w, int h, int f, int frames, uint32_t seed) {
    Canvas c(w, h);
    const int cx = w / 2, cy = h / 2;
    const int t = f * 256 / std::max(1, frames);  // 0..255 through the cycle
    switch (kind) {
        case Effect::Fire:
            for (int i = 0; i < 28; ++i) {
                const int life = (static_cast<int>(Hash(seed, i, 0) & 255u) + t) & 255;
                const int x = cx - w / 4 + HashRange(seed, i, 1, w / 2) +
                              (life * (HashRange(seed, i, 2, 5) - 2)) / 256;
                const int y = h - 6 - life * (h - 10) / 256;
                const Rgba col = Mix(Opaque(255, 240, 150), Opaque(200, 40, 10), life);
                Particle(c, x, y, 4 - life / 90, col, 255 - life / 2);
            }
            break;
        case Effect::Explosion: {
            const int r = 2 + t * (w / 2 - 4) / 256;
            for (int i = 0; i < 24; ++i) {
                const int ang = HashRange(seed, i, 0, 16);
                static const int kCos[16] = {16,  15,  11,  6,  0, -6, -11, -15,
                                             -16, -15, -11, -6, 0, 6,  11,  15};
                const int x = cx + kCos[ang] * r / 16, y = cy + kCos[(ang + 12) % 16] * r / 16;
                Particle(c, x, y, 3 + (256 - t) / 80,
                         Mix(Opaque(255, 250, 200), Opaque(120, 40, 20), t), 255 - t / 2);
            }
            Particle(c, cx, cy, std::max(1, (256 - t) * (w / 4) / 256), Opaque(255, 230, 140),
                     255 - t);
            break;
        }
        case Effect::Sparkle:
            for (int i = 0; i < 10; ++i) {
                const int phase = (static_cast<int>(Hash(seed, i, 3) & 255u) + t * 2) & 255;
                const int x = 4 + HashRange(seed, i, 4, w - 8),
                          y = 4 + HashRange(seed, i, 5, h - 8);
                const int s = phase < 128 ? phase / 32 : (255 - phase) / 32;
                const Rgba col = i % 2 ? Opaque(200, 230, 255) : Opaque(255, 250, 170);
                c.Line(x - s, y, x + s, y, col);
                c.Line(x, y - s, x, y + s, col);
                c.Set(x, y, Opaque(255, 255, 255));
            }
            break;
        case Effect::Smoke:
            for (int i = 0; i < 12; ++i) {
                const int life = (static_cast<int>(Hash(seed, i, 0) & 255u) + t) & 255;
                const int x = cx + (HashRange(seed, i, 1, 9) - 4) +
                              life * (HashRange(seed, i, 2, 7) - 3) / 256;
                const int y = h - 6 - life * (h - 12) / 256;
                Particle(c, x, y, 3 + life / 50,
                         Mix(Opaque(90, 90, 96), Opaque(200, 200, 206), life), 200 - life * 3 / 4);
            }
            break;
        case Effect::Heal:
            for (int i = 0; i < 12; ++i) {
                const int life = (static_cast<int>(Hash(seed, i, 0) & 255u) + t) & 255;
                const int x = 6 + HashRange(seed, i, 1, w - 12), y = h - 4 - life * (h - 8) / 256;
                const Rgba col = Opaque(120, 250, 140);
                c.Blend(x, y, WithAlpha(col, 255 - life));
                c.Blend(x - 1, y, WithAlpha(col, 200 - life * 3 / 4));
                c.Blend(x + 1, y, WithAlpha(col, 200 - life * 3 / 4));
                c.Blend(x, y - 1, WithAlpha(col, 200 - life * 3 / 4));
                c.Blend(x, y + 1, WithAlpha(col, 200 - life * 3 / 4));
            }
            break;
        case Effect::Lightning: {
            int x = cx + HashRange(seed, f, 0, 9) - 4;
            for (int y = 0; y < h - 2; y += 3) {
                const int nx = std::clamp(x + HashRange(seed, f, y, 7) - 3, 2, w - 3);
                c.Line(x, y, nx, y + 3, Opaque(240, 250, 255));
                c.Blend(x - 1, y, WithAlpha(Opaque(140, 180, 255), 160));
                c.Blend(x + 1, y, WithAlpha(Opaque(140, 180, 255), 160));
                x = nx;
            }
            if (f % 2 == 0) Particle(c, x, h - 3, 3, Opaque(200, 220, 255), 200);
            break;
        }
        case Effect::Splash:
            for (int i = 0; i < 14; ++i) {
                const int dir = HashRange(seed, i, 0, 13) - 6;
                const int x = cx + dir * t / 96,
                          y = h - 6 - (t * (256 - t)) / 1400 - HashRange(seed, i, 1, 5);
                Particle(c, x, y, 2, Opaque(170, 210, 250), 230 - t / 2);
            }
            break;
        case Effect::Arrow: {
            const int x = 2 + t * (w - 14) / 256;
            c.Line(x, cy, x + 10, cy - 2, Opaque(130, 90, 50));
            c.Set(x + 11, cy - 2, Opaque(220, 220, 230));
            c.Set(x + 10, cy - 3, Opaque(220, 220, 230));
            c.Set(x, cy - 1, Opaque(240, 240, 240));
            c.Set(x, cy + 1, Opaque(240, 240, 240));
            break;
        }
    }
    return c;
}

}  // namespace

Canvas EffectStrip(Effect kind, int w, int h, int frames, uint32_t seed) {
    std::vector<Canvas> all;
    for (int f = 0; f < frames; ++f)
        all.push_back(EffectFrame(kind, w, h, f, frames, seed));
    return StackFrames(all);
}

Canvas FaceFrame(Race race, int frame, int w, int h) {
    Canvas c(w, h, Opaque(60, 54, 70));
    // A vignette background.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int d = std::abs(x - w / 2) + std::abs(y - h / 2);
            c.Set(x, y, Mix(Opaque(110, 96, 120), Opaque(30, 26, 36), std::min(256, d * 256 / w)));
        }
    Rgba skin = Opaque(230, 180, 140), hair = Opaque(100, 64, 30), cloth = Opaque(140, 40, 40);
    bool beard = false, ears = false, horns = false;
    switch (race) {
        case Race::Barbarian:
            skin = Opaque(210, 150, 110);
            hair = Opaque(180, 80, 30);
            cloth = Opaque(110, 80, 50);
            horns = true;
            break;
        case Race::Dwarf:
            hair = Opaque(200, 110, 40);
            beard = true;
            cloth = Opaque(80, 70, 110);
            break;
        case Race::Elf:
            skin = Opaque(244, 222, 200);
            hair = Opaque(240, 220, 140);
            cloth = Opaque(50, 120, 70);
            ears = true;
            break;
        default:
            break;
    }
    const int cx = w / 2, cy = h / 2 + 2;
    const int rx = w / 4, ry = h / 3;
    // Shoulders, head, hair, ears, eyes that blink on frame 2, a mouth that opens on odd frames.
    c.FillEllipse(Fix(cx, h + 4), (w / 2) * 16, (h / 4) * 16, cloth);
    LitBlob(c, cx, cy, rx, ry,
            MakeRamp(Mix(skin, Opaque(90, 50, 40), 90), Mix(skin, Opaque(255, 240, 225), 90)), 11,
            0, 0);
    c.FillEllipseWith(Fix(cx, cy - ry / 2), (rx + 1) * 16, (ry / 2 + 1) * 16, [&](int x, int y) {
        if (y < cy - ry / 3) c.Set(x, y, hair);
    });
    if (ears)
        for (int s = -1; s <= 1; s += 2) {
            const FixPoint ear[] = {Fix(cx + s * rx, cy - 2), Fix(cx + s * (rx + 6), cy - 9),
                                    Fix(cx + s * rx, cy + 3)};
            c.FillPolygon(ear, skin);
        }
    if (horns)
        for (int s = -1; s <= 1; s += 2) {
            const FixPoint horn[] = {Fix(cx + s * (rx - 2), cy - ry + 2),
                                     Fix(cx + s * (rx + 8), cy - ry - 10),
                                     Fix(cx + s * (rx + 2), cy - ry + 6)};
            c.FillPolygon(horn, Opaque(236, 226, 200));
        }
    const bool blink = frame % 4 == 2;
    for (int s = -1; s <= 1; s += 2) {
        const int ex = cx + s * rx / 2, ey = cy - 1;
        if (blink) {
            c.Line(ex - 2, ey, ex + 2, ey, Opaque(60, 40, 30));
        } else {
            c.FillRect(ex - 2, ey - 1, 5, 3, Opaque(250, 250, 250));
            c.FillRect(ex - 1, ey - 1, 2, 3, Opaque(40, 70, 120));
        }
        c.Line(ex - 3, ey - 4, ex + 2, ey - 5 + (s > 0 ? 0 : 1), hair);
    }
    const int my = cy + ry / 2;
    if (frame % 2 == 1)
        c.FillEllipse(Fix(cx, my), 4 * 16, 2 * 16, Opaque(90, 30, 30));
    else
        c.Line(cx - 4, my, cx + 4, my, Opaque(120, 60, 50));
    if (beard)
        c.FillEllipseWith(Fix(cx, cy + ry), (rx + 2) * 16, (ry * 2 / 3) * 16, [&](int x, int y) {
            if (y > my + 1 || std::abs(x - cx) > 5)
                c.Set(x, y, Mix(hair, Opaque(0, 0, 0), (Hash(3, x, y) & 63u)));
        });
    return c;
}

}  // namespace tess::demo
