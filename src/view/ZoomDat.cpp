// The pictures the view draws at one tile size: terrain, objects and walls, and their run forms.
#include "view/ZoomDat.h"

#include <cmath>
#include <cstring>

#include "map/MapDat.h"

namespace tess {

namespace {

// The nearest integer, ties to the even one (the default rounding mode).
int32_t Nearest(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

}  // namespace

tZoom::tZoom() : terrain_(static_cast<size_t>(kTerrainSlots) * kTerrainPictures) {
    objects_.resize(kObjectSlots);
}

tZoom::~tZoom() = default;

void tZoom::SetSizes(int32_t tileWidth, int32_t levelDepth, int32_t tileHeight) {
    TileWidth = tileWidth;
    TileHeight = tileHeight;
    LevelDepth = levelDepth;
    for (int j = 0; j < 256; ++j) {
        const size_t i = static_cast<size_t>(j);
        jitterX_[i] = Nearest((j % 16 - 8) / 16.0 * (tileWidth / 2));
        jitterY_[i] = Nearest((j / 16 - 8) / 16.0 * (tileHeight / 2));
    }
}

void tZoom::Create(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                   int32_t tileHeight, tMapa& map) {
    auto objects = std::make_unique<tObjects>();
    SetSizes(tileWidth, levelDepth, tileHeight);
    Terens.Create(levelDepth, tileHeight, tileWidth, map, directory + "TERENY-/");
    DecodeMarkers();
    objects->Create(kObjectTable, directory + "../");
    Objects = std::move(objects);
    CreateWalls(directory, map);
}

void tZoom::Create(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                   int32_t tileHeight, tMapa& map, std::unique_ptr<tObjects> objects) {
    SetSizes(tileWidth, levelDepth, tileHeight);
    Terens.Create(levelDepth, tileHeight, tileWidth, map, directory + "TERENY-/");
    DecodeMarkers();
    Objects = objects ? std::move(objects) : std::make_unique<tObjects>();
    CreateWalls(directory, map);
}

void tZoom::CreateWalls(const std::string& directory, tMapa& map) {
    for (int kind = 1; kind <= kWallKinds; ++kind) {
        auto wall = std::make_unique<tWall>();
        wall->Create(map, WallPictureName(directory, kind));
        Walls[static_cast<size_t>(kind - 1)] = std::move(wall);
        walls_[static_cast<size_t>(kind - 1)].reset();
    }
}

void tZoom::DecodeMarkers() {
    for (size_t mask = 0; mask < static_cast<size_t>(kShapeMasks); ++mask) {
        markers_[0][mask].Decode(Terens.MarkSelect[mask]);
        markers_[1][mask].Decode(Terens.MarkBlocked[mask]);
        markers_[2][mask].Decode(Terens.MarkCursor[mask]);
        neutral_[mask].Decode(Terens.Neutral[mask]);
    }
}

const RunPicture& tZoom::MarkerRuns(MarkerSet set, int shapeMask) const {
    return markers_[static_cast<size_t>(set)][static_cast<size_t>(shapeMask)];
}

const RunPicture* tZoom::TerrainRuns(int terrain, int tileVariant, int shapeMask) {
    if (shapeMask < 0 || shapeMask >= kShapeMasks) return nullptr;
    const tSurface* source = Terens.CellPicture(terrain, tileVariant, shapeMask);
    if (!source) return nullptr;
    if (terrain == kNoPictureTerrain) return &neutral_[static_cast<size_t>(shapeMask)];
    if (terrain < 0 || terrain >= kTerrainSlots) return nullptr;
    const int picture =
        shapeMask == 0 ? (tileVariant & 3) : 4 + (tileVariant & 1) * 14 + shapeMask - 1;
    TerrainEntry& entry = terrain_[static_cast<size_t>(terrain * kTerrainPictures + picture)];
    if (entry.CheckedFrame == frame_) return &entry.Runs;
    entry.CheckedFrame = frame_;
    const size_t count =
        static_cast<size_t>(source->Pitch()) * static_cast<size_t>(source->Height());
    const bool same = entry.Width == source->Width() && entry.Height == source->Height() &&
                      entry.Key == source->TransparentColor() && entry.Source.size() == count &&
                      std::memcmp(entry.Source.data(), source->Pixels(), count * 2) == 0;
    if (!same) {
        entry.Runs.Decode(*source);
        entry.Source.assign(source->Pixels(), source->Pixels() + count);
        entry.Width = source->Width();
        entry.Height = source->Height();
        entry.Key = source->TransparentColor();
    }
    return &entry.Runs;
}

const RunPicture* tZoom::WallRuns(int kind) {
    if (kind < 1 || kind > kWallKinds) return nullptr;
    const size_t i = static_cast<size_t>(kind - 1);
    if (!Walls[i] || Walls[i]->Picture.Empty()) return nullptr;
    if (!walls_[i]) walls_[i] = std::make_unique<RunPicture>(Walls[i]->Picture);
    return walls_[i].get();
}

const RunPicture* tZoom::ObjectRuns(const tObject& entry) {
    if (entry.State != PictureState::Loaded || entry.Picture.Empty()) return nullptr;
    if (static_cast<uint32_t>(entry.Id) >= static_cast<uint32_t>(kObjectSlots)) return nullptr;
    auto& slot = objects_[static_cast<size_t>(entry.Id)];
    const tSurface& picture = entry.Picture;
    if (!slot || slot->Owner != &entry || slot->Pixels != picture.Pixels() ||
        slot->Width != picture.Width() || slot->Height != picture.Height()) {
        if (!slot) slot = std::make_unique<PictureEntry>();
        slot->Owner = &entry;
        slot->Pixels = picture.Pixels();
        slot->Width = picture.Width();
        slot->Height = picture.Height();
        slot->Runs.Decode(picture);
    }
    return &slot->Runs;
}

}  // namespace tess
