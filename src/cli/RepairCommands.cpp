// tessarine-cli map repair: open a map pair (which rebuilds the object footprints) and save it.
#include <memory>

#include "cli/Cli.h"
#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"

namespace tess::cli {

namespace {

int MapRepair(const Args& args) {
    args.Expect(2, 2, {"--game-dir"});
    const std::string in = UserPath(args.Positional(0, "IN"));
    const std::string out = UserPath(args.Positional(1, "OUT"));
    EnterGameDirectory(args);
    const auto objects = LoadObjectCatalogue();

    auto map = std::make_unique<tMapa>();
    auto store = std::make_unique<tKalistor>();
    ViewPosition view;
    RepairSummary summary;
    // A refused map or game-data file has been reported; nothing is written.
    if (!OpenMapPair(*map, *store, *objects, view, in, GameDataName(in), nullptr, &summary))
        return kBadInput;

    const std::string savOut = GameDataName(out);
    map->SaveToFileAtCentre(out, map->StoredViewCentre().value_or(TPoint{0, 0}));
    store->SaveToFile(savOut);
    PrintJson({{"Map", out},
               {"GameData", savOut},
               {"Anchors", summary.Anchors},
               {"EmptiedAnchors", summary.EmptiedAnchors},
               {"FootprintCells", summary.FootprintCells}});
    return kOk;
}

const Registration repair({"map", "repair", "map repair IN OUT [--game-dir DIR]", {}, MapRepair});

}  // namespace

}  // namespace tess::cli
