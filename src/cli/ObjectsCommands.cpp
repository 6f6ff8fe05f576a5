// tessarine-cli objects commands: build the catalogue cache, list the catalogue.
#include <filesystem>
#include <memory>

#include "cli/Cli.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

// The picture directory the editor's zoom object hands the catalogue.
constexpr const char* kPictureDir = "PICTURES/32x16/../";

nlohmann::json ObjectJson(const tObject& o) {
    return {{"Id", o.Id},
            {"Name", Cp1250ToUtf8(o.Name)},
            {"FileName", Cp1250ToUtf8(o.FileName)},
            {"Typ_tree", o.Typ_tree},
            {"Typ_build", o.Typ_build},
            {"Typ_Unit", o.Typ_Unit},
            {"Typ_unown", o.Typ_unown},
            {"pod_teren", o.pod_teren},
            {"Tree_idx", Cp1250ToUtf8(o.Tree_idx)},
            {"TreeIdxPlain", o.TreeIdxPlain},
            {"HasSound", o.HasSound},
            {"Relat_X", o.Relat_X},
            {"Relat_Y", o.Relat_Y},
            {"Width", o.Width},
            {"Height", o.Height},
            {"Anim_Count", o.Anim_Count},
            {"Size_RT", o.Size_RT},
            {"Size_LT", o.Size_LT},
            {"Tree_list", o.Tree_list},
            {"Tree_jehl", o.Tree_jehl},
            {"Tree_ker", o.Tree_ker},
            {"Tree_trop", o.Tree_trop},
            {"Anim_y", o.Anim_y}};
}

// Rebuilds the cache from the table even when one exists.
int ObjectsBuild(const Args& args) {
    args.Expect(0, 0, {"--game-dir"});
    EnterGameDirectory(args);
    auto objects = std::make_unique<tObjects>();
    if (!objects->BuildFromTable(kObjectTable, kPictureDir))
        throw InputError(std::string("no object table \"") + kObjectTable + "\"");
    const std::string path =
        FileExistsOnDisk(kObjectCacheFile) ? ResolveDiskPath(kObjectCacheFile) : kObjectCacheFile;
    objects->WriteCache(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    PrintJson({{"File", std::filesystem::absolute(path).lexically_normal().string()},
               {"Count", objects->Count()},
               {"Size", error ? nlohmann::json(nullptr) : nlohmann::json(size)}});
    return kOk;
}

// The catalogue as the editor sees it: the cache when it exists, else the table. Nothing is
// written.
int ObjectsList(const Args& args) {
    args.Expect(0, 0, {"--game-dir"});
    EnterGameDirectory(args);
    auto objects = std::make_unique<tObjects>();
    objects->Load(kObjectTable, kPictureDir);
    if (objects->Source() == CatalogueSource::MissingTable)
        throw InputError(std::string("no object catalogue: neither \"") + kObjectCacheFile +
                         "\" nor \"" + kObjectTable + "\"");
    nlohmann::json list = nlohmann::json::array();
    for (int32_t id = 0; id < kObjectSlots; ++id)
        if (const tObject* o = objects->Item(id)) list.push_back(ObjectJson(*o));
    PrintJson(list);
    return kOk;
}

const Registration build({"objects", "build", "objects build [--game-dir DIR]", {}, ObjectsBuild});
const Registration list({"objects", "list", "objects list [--game-dir DIR]", {}, ObjectsList});

}  // namespace

}  // namespace tess::cli
