// Designs and maps of a written demo game drawn by the editor's own view, for the tests of the
// art and for the preview: the demo never draws a scene with a renderer of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MapDesign.h"
#include "resources/Surface.h"

namespace tess {
class tMapa;
class tKalistor;
class tView;
}  // namespace tess

namespace tess::demo {

class DemoView {
  public:
    // A view of width x height pixels with the pictures of the current directory, which must be
    // a written game directory with its archive open (the object catalogue from its
    // "objects.kar", which is not written).
    DemoView(int32_t width, int32_t height);
    ~DemoView();
    DemoView(const DemoView&) = delete;
    DemoView& operator=(const DemoView&) = delete;

    // Puts a design into the map as the demo writer does (BuildDemoMap), reads the wall-piece
    // table, and gives terrain slot i the picture set terrainNames[i] (slots beyond the list
    // keep the default names).
    void Show(const MapDesign& design, const std::vector<std::string>& terrainNames = {});
    // Opens a map pair of the game directory (the game-data name derived as the editor does);
    // false when the map was refused.
    bool Open(const std::string& mapName);

    // Draws the view with `origin` as its top-left cell, as the editor shows it without a
    // cursor, and returns the surface.
    const tSurface& Draw(Cell origin);

    tMapa& Map() { return *map_; }
    tKalistor& Store() { return *store_; }
    tView& View() { return *view_; }

  private:
    void LoadTerrainPictures();

    std::unique_ptr<tMapa> map_;
    std::unique_ptr<tKalistor> store_;
    tSurface surface_;
    std::unique_ptr<tView> view_;
};

}  // namespace tess::demo
