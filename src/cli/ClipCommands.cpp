// tessarine-cli clipboard and check commands: map check, clip info, map paste.
#include <iostream>
#include <memory>

#include "cli/Cli.h"
#include "game/Clipboard.h"
#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

// The check's progress in the caption, which the tool shows on a terminal only.
class CaptionProgress final : public CheckProgress {
  public:
    void Start(int32_t maximum) override { maximum_ = maximum; }
    void Position(int32_t row) override {
        if (row % 256 == 0 || row == maximum_)
            Ui().SetCaption("Kontrola mapy: řádek " + std::to_string(row) + " z " +
                            std::to_string(maximum_));
    }

  private:
    int32_t maximum_ = 0;
};

// The map, store and catalogue of one run, allocated once like the editor's (the grid alone is
// 25 MB). Needs the game directory: the catalogue comes from it.
struct MapPair {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    std::unique_ptr<tObjects> objects = LoadObjectCatalogue();

    // Opens the map and the game-data file beside it as the editor does (with the object repair).
    bool Open(const std::string& path) {
        ViewPosition view;
        return OpenMapPair(*map, *store, *objects, view, path, GameDataName(path), nullptr);
    }
};

nlohmann::json FindingsJson(const std::vector<CheckFinding>& findings) {
    nlohmann::json list = nlohmann::json::array();
    for (const CheckFinding& f : findings)
        list.push_back({{"Code", f.Code}, {"Text", f.Text()}, {"x", f.X}, {"y", f.Y}});
    return list;
}

int MapCheck(const Args& args) {
    args.Expect(1, 1, {"--game-dir"});
    const std::string path = UserPath(args.Positional(0, "MAP"));
    EnterGameDirectory(args);
    MapPair pair;
    if (!pair.Open(path)) return kBadInput;
    CaptionProgress progress;
    tMapCheck check(*pair.map, *pair.store);
    check.Check(kCheckFull, false, &progress);
    if (args.Flag("--text")) {
        for (const CheckFinding& f : check.Findings())
            std::cout << f.Line() << "\n";
    } else {
        PrintJson(FindingsJson(check.Findings()));
    }
    return check.Findings().empty() ? kOk : kFindings;
}

int ClipInfo(const Args& args) {
    args.Expect(1, 1, {});
    const std::string path = UserPath(args.Positional(0, "FILE"));
    auto clip = std::make_unique<tClipBoard>();
    if (!clip->LoadFromFile(path)) return kBadInput;
    const nlohmann::json info = {{"Rows", clip->Rows},
                                 {"Columns", clip->Columns},
                                 {"Rectangular", clip->Rectangular},
                                 {"Cells", int64_t{clip->Rows} * clip->Columns},
                                 {"Units", clip->LiveUnits()},
                                 {"Buildings", clip->LiveBuildings()}};
    if (args.Flag("--text")) {
        std::cout << clip->Rows << " rows of " << clip->Columns << " cells, "
                  << (clip->Rectangular ? "rectangle" : "diamond") << ", " << clip->LiveUnits()
                  << " units, " << clip->LiveBuildings() << " buildings\n";
        return kOk;
    }
    PrintJson(info);
    return kOk;
}

int MapPaste(const Args& args) {
    args.Expect(2, 2, {"--at", "--rotation", "-o", "--game-dir"});
    const std::string mapPath = UserPath(args.Positional(0, "MAP"));
    const std::string clipPath = UserPath(args.Positional(1, "CLIP"));
    const std::vector<int> at = ParseIntList(args.Required("--at"), 2, "--at");
    const int rotation =
        args.Has("--rotation") ? ParseIntList(args.Option("--rotation"), 1, "--rotation")[0] : 0;
    if (rotation < 0 || rotation > 7) throw UsageError("--rotation must lie in 0..7");
    const std::string out = UserPath(args.Required("-o"));
    EnterGameDirectory(args);

    MapPair pair;
    if (!pair.Open(mapPath)) return kBadInput;
    auto clip = std::make_unique<tClipBoard>();
    if (!clip->LoadFromFile(clipPath)) return kBadInput;
    clip->Rotation = static_cast<uint8_t>(rotation);
    // A paste the store cannot take whole is not saved: its message has gone to stderr.
    if (!clip->Paste(*pair.map, *pair.store, at[0], at[1], args.Flag("--with-game-data")))
        return kBadInput;

    // As in the editor, the object footprints are rebuilt after a paste.
    RepairObjects(*pair.map, *pair.objects, *pair.store);
    const TPoint centre = pair.map->StoredViewCentre().value_or(TPoint{0, 0});
    const MapPairSaveResult saved =
        SaveMapPair(*pair.map, *pair.store, centre, out, GameDataName(out), nullptr);
    switch (saved.Outcome) {
        case SaveOutcome::Saved:
            PrintJson({{"Saved", true}, {"Map", out}, {"GameData", GameDataName(out)}});
            return kOk;
        case SaveOutcome::CheckFailed:
            PrintJson({{"Saved", false}, {"Findings", FindingsJson(saved.Findings)}});
            return kFindings;
        case SaveOutcome::WriteFailed:
            break;
    }
    return kBadInput;
}

const Registration check({"map",
                          "check",
                          "map check MAP [--game-dir DIR] [--text]   (exit 1 when the check "
                          "finds anything)",
                          {"--text"},
                          MapCheck});
const Registration info({"clip", "info", "clip info FILE [--text]", {"--text"}, ClipInfo});
const Registration paste({"map",
                          "paste",
                          "map paste MAP CLIP --at X,Y [--rotation R] [--with-game-data] -o OUT "
                          "[--game-dir DIR]   (saves OUT and its .sav only when the map check "
                          "passes; otherwise exit 1 and nothing is written)",
                          {"--with-game-data"},
                          MapPaste});

}  // namespace

}  // namespace tess::cli
