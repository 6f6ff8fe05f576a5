// Pictures decoded once into runs of opaque pixels, drawn with clipping and an optional blend.
#include "view/RunPicture.h"

#include <algorithm>
#include <cstring>

namespace tess {

namespace {

// Copies n pixels. Most runs are short (the rows of a tile are 4 to 32 pixels), so they are
// copied with two overlapping moves of a fixed size instead of a call into the library.
inline void CopyPixels(uint16_t* target, const uint16_t* source, size_t n) {
    auto* d = reinterpret_cast<unsigned char*>(target);
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const size_t bytes = n * 2;
    if (bytes <= 16) {
        if (bytes >= 8) {
            std::memcpy(d, s, 8);
            std::memcpy(d + bytes - 8, s + bytes - 8, 8);
        } else if (bytes >= 4) {
            std::memcpy(d, s, 4);
            std::memcpy(d + bytes - 4, s + bytes - 4, 4);
        } else if (bytes == 2) {
            std::memcpy(d, s, 2);
        }
    } else if (bytes <= 32) {
        std::memcpy(d, s, 16);
        std::memcpy(d + bytes - 16, s + bytes - 16, 16);
    } else if (bytes <= 64) {
        std::memcpy(d, s, 32);
        std::memcpy(d + bytes - 32, s + bytes - 32, 32);
    } else {
        std::memcpy(d, s, bytes);
    }
}

}  // namespace

void RunPicture::Decode(const tSurface& source) {
    width_ = source.Width();
    height_ = source.Height();
    rowFirst_.assign(static_cast<size_t>(height_) + 1, 0);
    runs_.clear();
    pixels_.clear();
    const uint16_t key = source.TransparentColor();
    for (int32_t y = 0; y < height_; ++y) {
        rowFirst_[static_cast<size_t>(y)] = static_cast<uint32_t>(runs_.size());
        const uint16_t* row = source.Row(y);
        int32_t x = 0;
        while (x < width_) {
            while (x < width_ && row[x] == key)
                ++x;
            const int32_t start = x;
            while (x < width_ && row[x] != key)
                ++x;
            if (x == start) break;
            runs_.push_back(Run{static_cast<uint16_t>(start), static_cast<uint16_t>(x - start),
                                static_cast<uint32_t>(pixels_.size())});
            pixels_.insert(pixels_.end(), row + start, row + x);
        }
    }
    rowFirst_[static_cast<size_t>(height_)] = static_cast<uint32_t>(runs_.size());
    // Tiles and markers have at most one run a row: they get a run per row, found by index.
    rowRuns_.clear();
    bool single = true;
    for (int32_t y = 0; y < height_ && single; ++y)
        single = rowFirst_[static_cast<size_t>(y) + 1] - rowFirst_[static_cast<size_t>(y)] <= 1;
    if (!single) return;
    rowRuns_.assign(static_cast<size_t>(height_), Run{0, 0, 0});
    for (int32_t y = 0; y < height_; ++y)
        if (rowFirst_[static_cast<size_t>(y) + 1] > rowFirst_[static_cast<size_t>(y)])
            rowRuns_[static_cast<size_t>(y)] = runs_[rowFirst_[static_cast<size_t>(y)]];
}

inline bool RunPicture::Place(const SurfaceRect& clip, int64_t x, int64_t y, const WideRect& part,
                              Window& window) const {
    // Source pixel (sx, sy) of the part lands on (sx + shiftX, sy + shiftY).
    const int64_t shiftX = x - part.Left;
    const int64_t shiftY = y - part.Top;
    const int64_t left = std::max({part.Left, int64_t{0}, clip.Left - shiftX});
    const int64_t right = std::min({part.Right, int64_t{width_}, clip.Right - shiftX});
    const int64_t top = std::max({part.Top, int64_t{0}, clip.Top - shiftY});
    const int64_t bottom = std::min({part.Bottom, int64_t{height_}, clip.Bottom - shiftY});
    if (left >= right || top >= bottom) return false;
    window = Window{static_cast<int32_t>(left),
                    static_cast<int32_t>(top),
                    static_cast<int32_t>(right),
                    static_cast<int32_t>(bottom),
                    shiftX,
                    shiftY};
    return true;
}

uint64_t RunPicture::Draw(tSurface& target, const SurfaceRect& clip, int64_t x, int64_t y,
                          const WideRect& part) const {
    Window w;
    if (!Place(clip, x, y, part, w)) return 0;
    uint64_t written = 0;
    const Run* runs = runs_.data();
    const uint16_t* pixels = pixels_.data();
    if (w.Left == 0 && w.Right == width_ && !rowRuns_.empty()) {
        // A tile or marker with nothing to cut at the sides, the commonest draw of all.
        uint16_t* const base = target.Pixels();
        const size_t pitch = static_cast<size_t>(target.Pitch());
        size_t at = static_cast<size_t>(w.Top + w.ShiftY) * pitch + static_cast<size_t>(w.ShiftX);
        for (int32_t sy = w.Top; sy < w.Bottom; ++sy, at += pitch) {
            const Run& run = rowRuns_[static_cast<size_t>(sy)];
            CopyPixels(base + at + run.X, pixels + run.Offset, run.Length);
            written += run.Length;
        }
        return written;
    }
    if (w.Left == 0 && w.Right == width_) {
        // Nothing to cut at the sides: whole runs.
        for (int32_t sy = w.Top; sy < w.Bottom; ++sy) {
            uint16_t* row = target.Row(static_cast<int32_t>(sy + w.ShiftY)) + w.ShiftX;
            const uint32_t end = rowFirst_[static_cast<size_t>(sy) + 1];
            for (uint32_t i = rowFirst_[static_cast<size_t>(sy)]; i < end; ++i) {
                const Run& run = runs[i];
                CopyPixels(row + run.X, pixels + run.Offset, run.Length);
                written += run.Length;
            }
        }
        return written;
    }
    for (int32_t sy = w.Top; sy < w.Bottom; ++sy) {
        uint16_t* row = target.Row(static_cast<int32_t>(sy + w.ShiftY));
        const uint32_t end = rowFirst_[static_cast<size_t>(sy) + 1];
        for (uint32_t i = rowFirst_[static_cast<size_t>(sy)]; i < end; ++i) {
            const Run& run = runs[i];
            const int32_t from = std::max<int32_t>(run.X, w.Left);
            const int32_t to = std::min<int32_t>(run.X + run.Length, w.Right);
            if (from >= to) {
                if (run.X >= w.Right) break;  // runs are in column order
                continue;
            }
            CopyPixels(row + (from + w.ShiftX), pixels + run.Offset + (from - run.X),
                       static_cast<size_t>(to - from));
            written += static_cast<uint64_t>(to - from);
        }
    }
    return written;
}

namespace {

inline uint32_t MixChannel(uint32_t s, uint32_t d, uint32_t a) {
    return (s * a + d * (255u - a) + 127u) / 255u;
}

inline uint16_t Mix(uint16_t source, uint16_t target, uint32_t a) {
    const uint32_t red = MixChannel(source >> 11, target >> 11, a);
    const uint32_t green = MixChannel(source >> 5 & 63u, target >> 5 & 63u, a);
    const uint32_t blue = MixChannel(source & 31u, target & 31u, a);
    return static_cast<uint16_t>(red << 11 | green << 5 | blue);
}

}  // namespace

uint64_t RunPicture::DrawBlended(tSurface& target, const SurfaceRect& clip, int64_t x, int64_t y,
                                 const WideRect& part, uint8_t opacity) const {
    Window w;
    if (!Place(clip, x, y, part, w)) return 0;
    uint64_t written = 0;
    for (int32_t sy = w.Top; sy < w.Bottom; ++sy) {
        uint16_t* row = target.Row(static_cast<int32_t>(sy + w.ShiftY));
        const uint32_t end = rowFirst_[static_cast<size_t>(sy) + 1];
        for (uint32_t i = rowFirst_[static_cast<size_t>(sy)]; i < end; ++i) {
            const Run& run = runs_[i];
            const int32_t from = std::max<int32_t>(run.X, w.Left);
            const int32_t to = std::min<int32_t>(run.X + run.Length, w.Right);
            for (int32_t sx = from; sx < to; ++sx) {
                uint16_t& pixel = row[sx + w.ShiftX];
                pixel =
                    Mix(pixels_[run.Offset + static_cast<uint32_t>(sx - run.X)], pixel, opacity);
            }
            written += static_cast<uint64_t>(std::max(to - from, 0));
        }
    }
    return written;
}

}  // namespace tess
