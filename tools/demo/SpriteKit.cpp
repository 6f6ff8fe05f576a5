// The shared sprite drawing helpers.
#include "SpriteKit.h"

#include <algorithm>
#include <cstdlib>

namespace tess::demo {

Ramp MakeRamp(Rgba base) {
    Ramp r;
    r.c[0] = Mix(Scale(base, 110), Opaque(20, 24, 48), 40);
    r.c[1] = Scale(base, 175);
    r.c[2] = base;
    r.c[3] = Mix(base, Opaque(255, 246, 220), 60);
    r.c[4] = Mix(base, Opaque(255, 250, 236), 130);
    return r;
}

Ramp MakeRamp(Rgba dark, Rgba light) {
    Ramp r;
    for (int i = 0; i < 5; ++i)
        r.c[static_cast<size_t>(i)] = Mix(dark, light, i * 64);
    return r;
}

void LitBlob(Canvas& c, int cx, int cy, int rx, int ry, const Ramp& ramp, uint32_t seed, int ragged,
             int speckle) {
    if (rx <= 0 || ry <= 0) return;
    const int64_t rx2 = static_cast<int64_t>(rx) * rx, ry2 = static_cast<int64_t>(ry) * ry;
    for (int y = cy - ry - 2; y <= cy + ry + 2; ++y)
        for (int x = cx - rx - 2; x <= cx + rx + 2; ++x) {
            const int dx = x - cx, dy = y - cy;
            const int64_t v = dx * dx * ry2 + dy * dy * rx2, lim = rx2 * ry2;
            const int n = Noise2(seed, x, y, 2, 2) - 128;
            if (v * 256 > lim * (256 + n * ragged / 4)) continue;
            int light = SphereLight(dx * 16 * ry, dy * 16 * rx, rx * ry * 16 + 1);
            light += (static_cast<int>(Hash(seed + 1, x, y) & 255u) - 128) * speckle / 128;
            const int idx = std::clamp(light * 5 / 257, 0, 4);
            c.Set(x, y, ramp[idx]);
        }
}

void Trunk(Canvas& c, int x, int baseY, int h, int wb, int wt, const Ramp& ramp, uint32_t seed) {
    for (int k = 0; k < h; ++k) {
        const int y = baseY - k;
        const int w = wb + (wt - wb) * k / std::max(1, h);
        const int left = x - w / 2;
        for (int i = 0; i < w; ++i) {
            int idx = i * 3 < w ? 3 : (i * 3 < 2 * w ? 2 : 1);
            if (i == w - 1 && w > 2) idx = 0;
            if ((Hash(seed, left + i, y / 2) & 7u) == 0) idx = std::max(0, idx - 1);
            c.Set(left + i, y, ramp[idx]);
        }
    }
}

void Branch(Canvas& c, int x0, int y0, int x1, int y1, Rgba colour, int thickness) {
    c.Line(x0, y0, x1, y1, colour);
    if (thickness > 1) c.Line(x0 + 1, y0, x1 + 1, y1, colour);
}

AnchorPoint AnchorOf(int w, int h, int rt, int lt) {
    return AnchorPoint{16 * lt + (w - 16 * (rt + lt)) / 2, h - 12};
}

Footprint FootprintAt(int ax, int ay, int rt, int lt, int inset) {
    Footprint f;
    const int bx = ax * 16, by = (ay + 8) * 16;
    f.bottom = {bx, by - inset * 16};
    f.right = {bx + rt * 256 - 2 * inset * 16, by - rt * 128};
    f.left = {bx - lt * 256 + 2 * inset * 16, by - lt * 128};
    f.top = {bx + (rt - lt) * 256, by - (rt + lt) * 128 + inset * 16};
    return f;
}

namespace {

FixPoint Up(FixPoint p, int h) {
    return FixPoint{p.x, p.y - h * 16};
}

// Paints a wall face from a to b (ground line), `height` tall.
void Face(Canvas& c, FixPoint a, FixPoint b, int height,
          const std::function<Rgba(int, int, int)>& paint) {
    const FixPoint quad[] = {a, b, Up(b, height), Up(a, height)};
    const int length = std::max(1, (b.x - a.x) / 16);
    c.FillPolygonWith(quad, [&](int x, int y) {
        const int x16 = x * 16 + 8;
        const int u = std::clamp((x16 - a.x) / 16, 0, length - 1);
        const int64_t groundY =
            a.y + static_cast<int64_t>(b.y - a.y) * (x16 - a.x) / std::max(1, b.x - a.x);
        const int v = static_cast<int>((groundY - (y * 16 + 8)) / 16);
        const Rgba col = paint(u, std::clamp(v, 0, height - 1), length);
        if (col.a != 0) c.Set(x, y, col);
    });
}

}  // namespace

void IsoBox(Canvas& c, const Footprint& f, int height, const BoxFaces& faces) {
    if (faces.left) Face(c, f.left, f.bottom, height, faces.left);
    if (faces.right) Face(c, f.bottom, f.right, height, faces.right);
    if (faces.top) {
        const FixPoint top[] = {Up(f.bottom, height), Up(f.right, height), Up(f.top, height),
                                Up(f.left, height)};
        c.FillPolygonWith(top, [&](int x, int y) {
            const Rgba col = faces.top(x, y);
            if (col.a != 0) c.Set(x, y, col);
        });
    }
}

namespace {

// Paints a roof plane given by its corners with a pattern in rows parallel to the eave a-b.
void RoofPlane(Canvas& c, std::initializer_list<FixPoint> pts, FixPoint a, FixPoint b, int light,
               const RoofStyle& st, uint32_t seed) {
    std::vector<FixPoint> poly(pts);
    c.FillPolygonWith(poly, [&](int x, int y) {
        const int x16 = x * 16 + 8, y16 = y * 16 + 8;
        const int64_t eaveY = a.y + static_cast<int64_t>(b.y - a.y) * (x16 - a.x) /
                                        std::max(1, b.x - a.x == 0 ? 1 : b.x - a.x);
        const int up = static_cast<int>((eaveY - y16) / 16);  // pixels above the eave
        int idx = light;
        switch (st.pattern) {
            case 0: {  // tiles: rows of 3, joints staggered
                const int row = std::max(0, up) / 3;
                if (std::max(0, up) % 3 == 0) idx -= 1;
                if ((x + row * 2) % 4 == 0) idx -= 1;
                break;
            }
            case 1: {  // thatch: streaks running down the slope
                const int n = static_cast<int>(Hash(seed, x, std::max(0, up) / 4) & 7u);
                if (n < 2) idx -= 1;
                if (n == 7) idx += 1;
                if (up >= 0 && up % 6 == 0 && (x & 1)) idx -= 1;
                break;
            }
            case 2: {  // shingles: small offset rows
                const int row = std::max(0, up) / 2;
                if (std::max(0, up) % 2 == 0 && (x + row) % 3 != 0) idx -= 1;
                break;
            }
            case 3: {  // leaves: lit clumps
                const int n = Noise2(seed, x, y, 3, 3);
                idx += (n - 128) / 70;
                if ((Hash(seed + 3, x, y) & 15u) == 0) idx += 1;
                break;
            }
            default: {  // slate: larger plates
                const int row = std::max(0, up) / 4;
                if (std::max(0, up) % 4 == 0) idx -= 1;
                if ((x + row * 3) % 6 == 0) idx -= 1;
                break;
            }
        }
        if (up <= 0) idx -= 1;  // the eave's shadow line
        c.Set(x, y, st.ramp[idx]);
    });
}

FixPoint Mid(FixPoint a, FixPoint b) {
    return FixPoint{(a.x + b.x) / 2, (a.y + b.y) / 2};
}

}  // namespace

void Roof(Canvas& c, const Footprint& f0, int base, const RoofStyle& st, uint32_t seed) {
    // The roof stands on the box top and overhangs it by a pixel.
    Footprint f{Up(f0.bottom, base - 1), Up(f0.right, base), Up(f0.top, base), Up(f0.left, base)};
    f.bottom.y += 16;
    f.right.x += 32;
    f.left.x -= 32;
    const int rise = st.rise;
    switch (st.kind) {
        case RoofKind::Flat: {
            const FixPoint top[] = {f.bottom, f.right, f.top, f.left};
            c.FillPolygon(top, st.ramp[2]);
            // A parapet with merlons along the two front edges.
            for (int i = 0; i < 2; ++i) {
                const FixPoint a = i == 0 ? f.left : f.bottom, b = i == 0 ? f.bottom : f.right;
                const int len = (b.x - a.x) / 16;
                for (int u = 0; u < len; ++u) {
                    const int x = a.x / 16 + u;
                    const int y = (a.y + (b.y - a.y) * u / std::max(1, len)) / 16;
                    const int h = (u / 3) % 2 == 0 ? 4 : 2;
                    for (int k = 0; k < h; ++k)
                        c.Set(x, y - k, st.ramp[i == 0 ? 3 : 1]);
                }
            }
            break;
        }
        case RoofKind::Cone:
        case RoofKind::Dome: {
            const int cx = (f.left.x + f.right.x) / 32, cy = (f.top.y + f.bottom.y) / 32;
            const int rx = (f.right.x - f.left.x) / 32, ry = (f.bottom.y - f.top.y) / 32;
            if (st.kind == RoofKind::Dome) {
                LitBlob(c, cx, cy - rise / 2, rx, rise / 2 + ry, st.ramp, seed, 0, 10);
                c.FillEllipseWith(Fix(cx, cy), rx * 16, ry * 16, [&](int x, int y) {
                    if (c.Get(x, y).a == 0) c.Set(x, y, st.ramp[1]);
                });
                break;
            }
            const FixPoint apex = Fix(cx, cy - rise);
            c.FillEllipseWith(Fix(cx, cy), rx * 16, ry * 16,
                              [&](int x, int y) { c.Set(x, y, st.ramp[1]); });
            for (int y = cy - rise; y <= cy + ry; ++y)
                for (int x = cx - rx; x <= cx + rx; ++x) {
                    // Inside the cone's silhouette: between the apex and the base ellipse.
                    const int t16 =
                        (y * 16 + 8 - apex.y) * 16 / std::max(1, (cy - (cy - rise)) * 16);
                    const int half = rx * std::min(16, t16) / 16;
                    if (t16 < 0 || std::abs(x - cx) > half) continue;
                    if (y > cy && (x - cx) * (x - cx) * ry * ry + (y - cy) * (y - cy) * rx * rx >
                                      rx * rx * ry * ry)
                        continue;
                    int idx = x < cx - half / 3 ? 3 : (x < cx + half / 3 ? 2 : 1);
                    if (st.pattern == 0 && ((y - (cy - rise)) % 3 == 0)) idx -= 1;
                    if (st.pattern == 1 && (Hash(seed, x, y / 3) & 3u) == 0) idx -= 1;
                    c.Set(x, y, st.ramp[idx]);
                }
            break;
        }
        case RoofKind::Hip:
        case RoofKind::Gable:
        case RoofKind::Thatch:
        case RoofKind::GableCross: {
            // Ridge along the longer axis, lifted by `rise`.
            const int lenRT = std::abs(f.right.x - f.bottom.x),
                      lenLT = std::abs(f.bottom.x - f.left.x);
            const bool alongRT = lenRT >= lenLT;
            FixPoint r0, r1;  // ridge ends
            if (alongRT) {
                r0 = Up(Mid(f.left, f.bottom), rise);
                r1 = Up(Mid(f.top, f.right), rise);
            } else {
                r0 = Up(Mid(f.bottom, f.right), rise);
                r1 = Up(Mid(f.left, f.top), rise);
            }
            if (st.kind == RoofKind::Hip) {
                const FixPoint d{(r1.x - r0.x) / 4, (r1.y - r0.y) / 4};
                r0 = FixPoint{r0.x + d.x, r0.y + d.y};
                r1 = FixPoint{r1.x - d.x, r1.y - d.y};
            }
            if (alongRT) {
                RoofPlane(c, {f.left, f.top, r1, r0}, f.left, f.top, 3, st, seed);  // back, lit
                RoofPlane(c, {f.top, f.right, r1}, f.top, f.right, 2, st, seed);
                RoofPlane(c, {f.bottom, f.right, r1, r0}, f.bottom, f.right, 1, st, seed);  // front
                if (st.kind == RoofKind::Hip)
                    RoofPlane(c, {f.left, f.bottom, r0}, f.left, f.bottom, 3, st, seed);
            } else {
                RoofPlane(c, {f.top, f.right, r0, r1}, f.top, f.right, 2, st, seed);
                RoofPlane(c, {f.left, f.top, r1}, f.left, f.top, 3, st, seed);
                RoofPlane(c, {f.left, f.bottom, r0, r1}, f.left, f.bottom, 3, st,
                          seed);  // front, lit
                if (st.kind == RoofKind::Hip)
                    RoofPlane(c, {f.bottom, f.right, r0}, f.bottom, f.right, 1, st, seed);
            }
            // The ridge line.
            c.Line(r0.x / 16, r0.y / 16, r1.x / 16, r1.y / 16, st.ramp[4]);
            break;
        }
    }
}

Canvas StackFrames(const std::vector<Canvas>& frames) {
    if (frames.empty()) return Canvas();
    const int w = frames[0].Width(), h = frames[0].Height();
    Canvas out(w, h * static_cast<int>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i)
        out.Blit(frames[i], 0, 0, w, h, 0, h * static_cast<int>(i));
    return out;
}

Bounds VisibleBounds(const Canvas& c) {
    Bounds b{c.Width(), c.Height(), 0, 0};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Get(x, y).a != 0) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x + 1);
                b.y1 = std::max(b.y1, y + 1);
            }
    if (b.x1 == 0) return Bounds{};
    return b;
}

}  // namespace tess::demo
