// Drawing helpers shared by the object pictures: colour ramps, lit blobs, iso boxes and roofs,
// frame sheets.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace tess::demo {

// Five shades from dark to light around a base colour.
struct Ramp {
    std::array<Rgba, 5> c;
    Rgba operator[](int i) const { return c[static_cast<size_t>(i < 0 ? 0 : (i > 4 ? 4 : i))]; }
};
Ramp MakeRamp(Rgba base);
Ramp MakeRamp(Rgba dark, Rgba light);

// A blob lit from the upper left with ragged edges: foliage, rocks, heaps.
void LitBlob(Canvas& c, int cx, int cy, int rx, int ry, const Ramp& ramp, uint32_t seed,
             int ragged = 2, int speckle = 40);

// A tapering vertical trunk from (x, baseY) up to height h, lit on its left side.
void Trunk(Canvas& c, int x, int baseY, int h, int widthBottom, int widthTop, const Ramp& ramp,
           uint32_t seed);

// A branch line with thickness 1 or 2 pixels.
void Branch(Canvas& c, int x0, int y0, int x1, int y1, Rgba colour, int thickness);

// The screen outline of an object's footprint: for an anchor point (ax, ay) and extents along
// the two axes, the ground diamond's corners (bottom, right, top, left).
struct Footprint {
    FixPoint bottom, right, top, left;
};
Footprint FootprintAt(int ax, int ay, int sizeRT, int sizeLT, int inset16 = 0);

// Where the anchor point (the centre of the anchor cell) lies in a frame of w x h pixels for an
// object of the given footprint: the footprint's diamond is centred horizontally and its bottom
// corner sits 4 pixels above the frame's bottom edge.
struct AnchorPoint {
    int x = 0, y = 0;
};
AnchorPoint AnchorOf(int w, int h, int sizeRT, int sizeLT);

// A box standing on a ground diamond, `height` pixels tall: the south-west face (lit), the
// south-east face (shaded) and the top. Face painters get (u, v) along the face and up.
struct BoxFaces {
    std::function<Rgba(int u, int v, int length)> left, right;
    std::function<Rgba(int x, int y)> top;
};
void IsoBox(Canvas& c, const Footprint& f, int height, const BoxFaces& faces);

// Roof kinds over a footprint raised by `base` pixels.
enum class RoofKind { Gable, GableCross, Hip, Cone, Dome, Flat, Thatch };
struct RoofStyle {
    RoofKind kind = RoofKind::Gable;
    Ramp ramp;
    int rise = 20;
    int pattern = 0;  // 0 tiles, 1 thatch, 2 shingles, 3 leaves, 4 slate
};
void Roof(Canvas& c, const Footprint& f, int base, const RoofStyle& style, uint32_t seed);

// Stacks frames vertically into one picture.
Canvas StackFrames(const std::vector<Canvas>& frames);

// The visible bounds of a canvas (alpha above 0): x0, y0, x1, y1 exclusive; all zero when empty.
struct Bounds {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
Bounds VisibleBounds(const Canvas& c);

}  // namespace tess::demo
