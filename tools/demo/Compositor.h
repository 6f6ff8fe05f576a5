// A small isometric compositor for previews and tests: draws a part of a map design the way the
// editor's view places things (terrain pass back to front, wall pieces at block bottoms, objects
// by their anchor points), from the demo's own pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"
#include "MapDesign.h"

namespace tess::demo {

struct SpriteRef {
    const Canvas* picture = nullptr;  // frames stacked vertically; transparent = alpha 0
    int width = 0, height = 0, animCount = 1, relatX = 0, relatY = 0;
    bool unitPicture = false;
};

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    virtual const Canvas& FlatPicture(const std::string& terrainName) = 0;
    virtual const Canvas& SlopePicture(const std::string& terrainName) = 0;
    virtual const Canvas& WallPicture(int kind) = 0;
    virtual SpriteRef Sprite(int objectId) = 0;
};

// The cell's corner shape: the level it is drawn at and the mask (0 flat).
struct Shape {
    int level = 0, mask = 0;
    bool irregular = false;
};
Shape CornerShapeOf(const MapDesign& map, Cell c);

struct ViewOptions {
    Cell origin;  // map cell at the top-left (row made even)
    int width = 640, height = 480;
    bool terrain = true, walls = true, objects = true;
    Rgba background = kBlack;
};

// Terrain names per slot 0..15 (15 is never drawn).
Canvas RenderView(const MapDesign& map, const std::vector<std::string>& terrainNames,
                  PictureSource& pictures, const ViewOptions& options);

}  // namespace tess::demo
