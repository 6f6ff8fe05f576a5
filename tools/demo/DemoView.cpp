// Designs and maps of a written demo game drawn by the editor's own view.
#include "DemoView.h"

#include "DemoWriter.h"
#include "Terrain.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "view/ViewDat.h"

namespace tess::demo {

namespace {

constexpr const char* kZoomDirectory = "PICTURES/32x16/";

}  // namespace

DemoView::DemoView(int32_t width, int32_t height)
    : map_(std::make_unique<tMapa>()),
      store_(std::make_unique<tKalistor>()),
      surface_(width, height),
      view_(std::make_unique<tView>()) {
    map_->ReadWallTable();
    view_->Create(surface_, *map_, SurfaceRect{0, 0, width, height});
    view_->Store = store_.get();
    auto objects = std::make_unique<tObjects>();
    objects->Load(kObjectTable, std::string(kZoomDirectory) + "../");
    view_->SetZoom(kZoomDirectory, kTileWidth, kLevelDepth, kTileHeight, std::move(objects));
}

DemoView::~DemoView() = default;

void DemoView::Show(const MapDesign& design, const std::vector<std::string>& terrainNames) {
    BuildDemoMap(design, *view_->Zoom->Objects, *map_, *store_);
    map_->ReadWallTable();  // the writer builds its map without one
    for (size_t slot = 0; slot < terrainNames.size() && slot < map_->Terrains.size(); ++slot)
        map_->Terrains[slot].Name = terrainNames[slot];
    LoadTerrainPictures();
}

bool DemoView::Open(const std::string& mapName) {
    if (!OpenMapPair(*map_, *store_, *view_->Zoom->Objects, *view_, mapName, GameDataName(mapName),
                     nullptr))
        return false;
    LoadTerrainPictures();
    return true;
}

const tSurface& DemoView::Draw(Cell origin) {
    view_->X = origin.x;
    view_->Y = origin.y;
    view_->Draw(false);
    return surface_;
}

void DemoView::LoadTerrainPictures() {
    view_->Zoom->Terens.LoadPictures(std::string(kZoomDirectory) + "TERENY-/");
}

}  // namespace tess::demo
