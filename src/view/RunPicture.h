// Pictures decoded once into runs of opaque pixels, drawn with clipping and an optional blend.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/Surface.h"

namespace tess {

// A rectangle in 64-bit coordinates: picture parts and positions that come from map data can
// lie anywhere, and nothing may overflow on the way to the clip.
struct WideRect {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;
};

// A picture as rows of opaque runs: every pixel that differs from the picture's transparent
// colour, grouped into horizontal runs, with the pixels of each row stored one after another.
// Drawing copies runs, so transparent areas cost nothing and clipping works on whole runs.
// Drawing a run picture gives exactly the pixels that a colour-keyed draw of its source gives.
class RunPicture {
  public:
    RunPicture() = default;
    explicit RunPicture(const tSurface& source) { Decode(source); }

    // Replaces the runs with those of `source` (pixels equal to its transparent colour are left
    // out).
    void Decode(const tSurface& source);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    size_t RunCount() const { return runs_.size(); }
    size_t OpaquePixels() const { return pixels_.size(); }

    // Draws the part of the picture (clipped to the picture) with the part's top-left corner at
    // (x, y) of the target, clipped to `clip` (which must lie on the target). Returns the number
    // of pixels written.
    uint64_t Draw(tSurface& target, const SurfaceRect& clip, int64_t x, int64_t y,
                  const WideRect& part) const;
    uint64_t Draw(tSurface& target, const SurfaceRect& clip, int64_t x, int64_t y) const {
        return Draw(target, clip, x, y, WideRect{0, 0, width_, height_});
    }
    // As Draw, mixing every drawn pixel with the target as tSurface::DrawBlended does.
    uint64_t DrawBlended(tSurface& target, const SurfaceRect& clip, int64_t x, int64_t y,
                         const WideRect& part, uint8_t opacity) const;

  private:
    struct Run {
        uint16_t X;       // first column
        uint16_t Length;  // pixels
        uint32_t Offset;  // index of its first pixel in pixels_
    };

    // The source rows and columns of `part` that land inside `clip` when the part's corner is
    // at (x, y); false when nothing does. `shiftX` and `shiftY` map source to target.
    struct Window {
        int32_t Left, Top, Right, Bottom;
        int64_t ShiftX, ShiftY;
    };
    bool Place(const SurfaceRect& clip, int64_t x, int64_t y, const WideRect& part,
               Window& window) const;

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> rowFirst_;  // index of each row's first run; Height + 1 entries
    std::vector<Run> runs_;
    std::vector<uint16_t> pixels_;
    // For pictures with at most one run in every row: that run (length 0 for an empty row).
    std::vector<Run> rowRuns_;
};

}  // namespace tess
