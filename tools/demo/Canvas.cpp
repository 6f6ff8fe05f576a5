// The RGBA canvas and its drawing kit.
#include "Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace tess::demo {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int FloorDivInt(int a, int b) {
    return static_cast<int>(FloorDiv(a, b));
}
int Mod(int a, int b) {
    return a - FloorDivInt(a, b) * b;
}

uint8_t Clamp8(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// Smoothstep on 0..256.
int Smooth(int t) {
    return t * t * (768 - 2 * t) / 65536;
}

int Bilinear(int v00, int v10, int v01, int v11, int tx, int ty) {
    const int sx = Smooth(tx), sy = Smooth(ty);
    const int top = v00 * (256 - sx) + v10 * sx;
    const int bottom = v01 * (256 - sx) + v11 * sx;
    return (top * (256 - sy) + bottom * sy) >> 16;
}

}  // namespace

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

void Canvas::Blend(int x, int y, Rgba c) {
    if (!Contains(x, y) || c.a == 0) return;
    Rgba& d = pixels_[Index(x, y)];
    if (c.a == 255 || d.a == 0) {
        d = c;
        return;
    }
    const int a = c.a;
    d.r = static_cast<uint8_t>((c.r * a + d.r * (255 - a) + 127) / 255);
    d.g = static_cast<uint8_t>((c.g * a + d.g * (255 - a) + 127) / 255);
    d.b = static_cast<uint8_t>((c.b * a + d.b * (255 - a) + 127) / 255);
    d.a = static_cast<uint8_t>(std::min(255, a + d.a * (255 - a) / 255));
}

void Canvas::Fill(Rgba c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
    for (int j = std::max(y, 0); j < std::min(y + h, height_); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, width_); ++i)
            pixels_[Index(i, j)] = c;
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Blend(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillPolygonWith(std::span<const FixPoint> points,
                             const std::function<void(int, int)>& fn) {
    if (points.size() < 3) return;
    int minY = points[0].y, maxY = points[0].y;
    for (const FixPoint& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int firstRow = std::max(0, FloorDivInt(minY - 8, kFix));
    const int lastRow = std::min(height_ - 1, FloorDivInt(maxY - 8, kFix) + 1);
    std::vector<int64_t> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int64_t yc = row * kFix + 8;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const FixPoint& a = points[i];
            const FixPoint& b = points[(i + 1) % points.size()];
            if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y)) {
                const int64_t num = (yc - a.y) * (b.x - a.x);
                crossings.push_back(a.x + FloorDiv(num, b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre 16x + 8 lies in [xa, xb).
            const int from = static_cast<int>(FloorDiv(crossings[i] - 8 + kFix - 1, kFix));
            const int to = static_cast<int>(FloorDiv(crossings[i + 1] - 8 + kFix - 1, kFix));
            for (int x = std::max(from, 0); x < std::min(to, width_); ++x)
                fn(x, row);
        }
    }
}

void Canvas::FillPolygon(std::span<const FixPoint> points, Rgba c) {
    FillPolygonWith(points, [&](int x, int y) { Blend(x, y, c); });
}

void Canvas::FillEllipseWith(FixPoint centre, int rx, int ry,
                             const std::function<void(int, int)>& fn) {
    if (rx <= 0 || ry <= 0) return;
    const int64_t rx2 = static_cast<int64_t>(rx) * rx, ry2 = static_cast<int64_t>(ry) * ry;
    const int x0 = std::max(0, FloorDivInt(centre.x - rx, kFix) - 1);
    const int x1 = std::min(width_ - 1, FloorDivInt(centre.x + rx, kFix) + 1);
    const int y0 = std::max(0, FloorDivInt(centre.y - ry, kFix) - 1);
    const int y1 = std::min(height_ - 1, FloorDivInt(centre.y + ry, kFix) + 1);
    for (int y = y0; y <= y1; ++y) {
        const int64_t dy = y * kFix + 8 - centre.y;
        for (int x = x0; x <= x1; ++x) {
            const int64_t dx = x * kFix + 8 - centre.x;
            if (dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2) fn(x, y);
        }
    }
}

void Canvas::FillEllipse(FixPoint centre, int rx, int ry, Rgba c) {
    FillEllipseWith(centre, rx, ry, [&](int x, int y) { Blend(x, y, c); });
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (src.Contains(sx + i, sy + j)) Set(dx + i, dy + j, src.Get(sx + i, sy + j));
}

void Canvas::Draw(const Canvas& src, int dx, int dy) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i)
            Blend(dx + i, dy + j, src.Get(i, j));
}

void Canvas::DrawKeyed(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const Rgba c = src.Get(sx + i, sy + j);
            if (c.a != 0) Set(dx + i, dy + j, Rgba{c.r, c.g, c.b, 255});
        }
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    out.Blit(*this, x, y, w, h, 0, 0);
    return out;
}

Rgba Mix(Rgba a, Rgba b, int t) {
    t = std::clamp(t, 0, 256);
    auto m = [t](int u, int v) { return static_cast<uint8_t>((u * (256 - t) + v * t) >> 8); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba Scale(Rgba c, int f) {
    return Rgba{Clamp8((c.r * f + 128) >> 8), Clamp8((c.g * f + 128) >> 8),
                Clamp8((c.b * f + 128) >> 8), c.a};
}

Rgba WithAlpha(Rgba c, int a) {
    return Rgba{c.r, c.g, c.b, Clamp8(a)};
}

int Luma(Rgba c) {
    return (c.r * 77 + c.g * 150 + c.b * 29) >> 8;
}

uint16_t To565(Rgba c) {
    return static_cast<uint16_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
}

Rgba From565(uint16_t v) {
    const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return Opaque((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

uint16_t To4444(Rgba c) {
    return static_cast<uint16_t>(((c.a >> 4) << 12) | ((c.r >> 4) << 8) | ((c.g >> 4) << 4) |
                                 (c.b >> 4));
}

Rgba From4444(uint16_t v) {
    return Rgba{static_cast<uint8_t>(((v >> 8) & 15) * 17),
                static_cast<uint8_t>(((v >> 4) & 15) * 17), static_cast<uint8_t>((v & 15) * 17),
                static_cast<uint8_t>(((v >> 12) & 15) * 17)};
}

uint32_t Hash(uint32_t seed, int32_t x, int32_t y) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

int HashRange(uint32_t seed, int32_t x, int32_t y, int n) {
    if (n <= 1) return 0;
    return static_cast<int>((static_cast<uint64_t>(Hash(seed, x, y)) * static_cast<uint64_t>(n)) >>
                            32);
}

int Noise2(uint32_t seed, int x, int y, int cellW, int cellH) {
    const int gx = FloorDivInt(x, cellW), gy = FloorDivInt(y, cellH);
    const int tx = (x - gx * cellW) * 256 / cellW, ty = (y - gy * cellH) * 256 / cellH;
    auto v = [&](int i, int j) { return static_cast<int>(Hash(seed, gx + i, gy + j) & 255u); };
    return Bilinear(v(0, 0), v(1, 0), v(0, 1), v(1, 1), tx, ty);
}

void LatticeReduce(int& x, int& y) {
    const int k = FloorDivInt(y, 8);
    y -= 8 * k;
    x = Mod(x - 16 * k, 32);
}

uint32_t LatticeHash(uint32_t seed, int x, int y) {
    LatticeReduce(x, y);
    return Hash(seed, x, y);
}

int LatticeNoise(uint32_t seed, int x, int y, int cellW, int cellH) {
    const int periodI = 32 / cellW, shiftI = 16 / cellW, periodJ = 8 / cellH;
    const int gx = FloorDivInt(x, cellW), gy = FloorDivInt(y, cellH);
    const int tx = (x - gx * cellW) * 256 / cellW, ty = (y - gy * cellH) * 256 / cellH;
    auto v = [&](int i, int j) {
        const int k = FloorDivInt(j, periodJ);
        const int jr = j - k * periodJ;
        const int ir = Mod(i - k * shiftI, periodI);
        return static_cast<int>(Hash(seed, ir, jr) & 255u);
    };
    return Bilinear(v(gx, gy), v(gx + 1, gy), v(gx, gy + 1), v(gx + 1, gy + 1), tx, ty);
}

int ISqrt(int64_t v) {
    if (v <= 0) return 0;
    int64_t r = 0, bit = int64_t{1} << 62;
    while (bit > v)
        bit >>= 2;
    while (bit != 0) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<int>(r);
}

int SphereLight(int dx, int dy, int r) {
    if (r <= 0) return 0;
    const int64_t d2 = static_cast<int64_t>(dx) * dx + static_cast<int64_t>(dy) * dy;
    const int64_t r2 = static_cast<int64_t>(r) * r;
    const int nz = d2 >= r2 ? 0 : ISqrt(r2 - d2);
    // Light from the upper left and above: (-115, -154, 169) / 256.
    const int64_t dot = -115LL * dx - 154LL * dy + 169LL * nz;
    return std::clamp(static_cast<int>(dot / r), 0, 256);
}

void AddOutline(Canvas& c, int factor256) {
    const Canvas source = c;
    static constexpr int kDx[4] = {1, -1, 0, 0}, kDy[4] = {0, 0, 1, -1};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            if (source.Get(x, y).a != 0) continue;
            for (int k = 0; k < 4; ++k) {
                const Rgba n = source.Get(x + kDx[k], y + kDy[k]);
                if (n.a == 255 && !(n == kGroundShadow)) {
                    c.Set(x, y, Scale(n, factor256));
                    break;
                }
            }
        }
}

void DitherEllipse(Canvas& c, FixPoint centre, int rx, int ry, Rgba colour) {
    c.FillEllipseWith(centre, rx, ry, [&](int x, int y) {
        if (((x + y) & 1) == 0 && c.Get(x, y).a == 0) c.Set(x, y, colour);
    });
}

}  // namespace tess::demo
