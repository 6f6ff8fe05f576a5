// The picture cache.
#include "Library.h"

#include "Objects.h"
#include "Terrain.h"
#include "Walls.h"

namespace tess::demo {

const Canvas& ArtLibrary::FlatPicture(const std::string& name) {
    auto it = flat_.find(name);
    if (it == flat_.end()) it = flat_.emplace(name, MakeFlatPicture(name)).first;
    return it->second;
}

const Canvas& ArtLibrary::SlopePicture(const std::string& name) {
    auto it = slope_.find(name);
    if (it == slope_.end()) it = slope_.emplace(name, MakeSlopePicture(name)).first;
    return it->second;
}

const Canvas& ArtLibrary::WallPicture(int kind) {
    auto it = walls_.find(kind);
    if (it == walls_.end()) it = walls_.emplace(kind, MakeWallPicture(kind)).first;
    return it->second;
}

const Canvas* ArtLibrary::ObjectPicture(int objectId) {
    const ObjectDesign* o = FindObject(objectId);
    if (o == nullptr || !o->draw) return nullptr;
    auto it = sprites_.find(objectId);
    if (it == sprites_.end()) it = sprites_.emplace(objectId, o->draw()).first;
    return &it->second;
}

}  // namespace tess::demo
