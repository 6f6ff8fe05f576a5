// Every picture of the demo game, generated on first use and kept: terrain, walls and object
// sprites, for the writing phase, the tests and the preview.
#pragma once

#include <map>
#include <string>

#include "Canvas.h"

namespace tess::demo {

class ArtLibrary {
  public:
    const Canvas& FlatPicture(const std::string& terrainName);
    const Canvas& SlopePicture(const std::string& terrainName);
    const Canvas& WallPicture(int kind);
    // The generated picture of an object (frames stacked), or none for an unknown id.
    const Canvas* ObjectPicture(int objectId);

  private:
    std::map<std::string, Canvas> flat_, slope_;
    std::map<int, Canvas> walls_;
    std::map<int, Canvas> sprites_;
};

}  // namespace tess::demo
