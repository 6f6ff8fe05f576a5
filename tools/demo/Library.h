// Every picture of the demo game, generated on first use and kept: terrain, walls and object
// sprites, served to the compositor and to the writing phase.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "Compositor.h"

namespace tess::demo {

class ArtLibrary : public PictureSource {
  public:
    const Canvas& FlatPicture(const std::string& terrainName) override;
    const Canvas& SlopePicture(const std::string& terrainName) override;
    const Canvas& WallPicture(int kind) override;
    SpriteRef Sprite(int objectId) override;
    // The generated picture of an object (frames stacked), or none for an unknown id.
    const Canvas* ObjectPicture(int objectId);

  private:
    std::map<std::string, Canvas> flat_, slope_;
    std::map<int, Canvas> walls_;
    std::map<int, Canvas> sprites_;
};

}  // namespace tess::demo
