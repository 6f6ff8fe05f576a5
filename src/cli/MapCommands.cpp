// tessarine-cli map commands: info, cells, new, resave.
#include <filesystem>
#include <iostream>
#include <random>

#include "cli/Cli.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

// The map these commands load into: one per run, like the editor's (the storage is 25 MB).
tMapa& CommandMap() {
    static tMapa map;
    return map;
}

// The view a new map is saved with: the editor's 1024 x 768 view at the top-left corner.
constexpr ViewPosition kNewMapView{0, 0, 0, 0, 1024, 768};

// Loads a map file as the editor's load does; the map file's own message has gone to stderr.
bool Load(tMapa& map, const std::string& path) {
    ViewPosition view;
    return map.LoadFromFile(path, view);
}

nlohmann::json CentreJson(const std::optional<TPoint>& centre) {
    if (!centre) return nullptr;
    return nlohmann::json::array({centre->X, centre->Y});
}

int MapInfo(const Args& args) {
    args.Expect(1, 1, {});
    const std::string path = UserPath(args.Positional(0, "FILE"));
    tMapa& map = CommandMap();
    if (!Load(map, path)) return kBadInput;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    nlohmann::json terrains = nlohmann::json::array();
    for (const TerrainSlot& slot : map.Terrains)
        terrains.push_back({{"Name", Cp1250ToUtf8(slot.Name)}, {"Shade", slot.Shade}});
    if (args.Flag("--text")) {
        std::cout << "version " << FormatFixed2(kMapFileVersion) << ", " << map.Width << " x "
                  << map.Height << " cells, " << (error ? 0 : size) << " bytes\n";
        const auto& centre = map.StoredViewCentre();
        if (centre)
            std::cout << "view centre " << centre->X << ", " << centre->Y << "\n";
        else
            std::cout << "no view centre\n";
        for (size_t i = 0; i < map.Terrains.size(); ++i)
            std::cout << "terrain " << i << ": \"" << Cp1250ToUtf8(map.Terrains[i].Name)
                      << "\" shade " << int(map.Terrains[i].Shade) << "\n";
        return kOk;
    }
    PrintJson({{"Version", kMapFileVersion},
               {"Width", map.Width},
               {"Height", map.Height},
               {"ViewCentre", CentreJson(map.StoredViewCentre())},
               {"Terrains", terrains},
               {"Size", error ? nlohmann::json(nullptr) : nlohmann::json(size)}});
    return kOk;
}

int MapCells(const Args& args) {
    args.Expect(1, 1, {"--rect"});
    const std::string path = UserPath(args.Positional(0, "FILE"));
    const std::vector<int> rect = ParseIntList(args.Required("--rect"), 4, "--rect");
    if (rect[2] < 0 || rect[3] < 0)
        throw UsageError("--rect needs a width and height of 0 or more");
    tMapa& map = CommandMap();
    if (!Load(map, path)) return kBadInput;
    // The part of the rectangle that lies on the map proper (what the file holds).
    const int64_t left = std::max<int64_t>(rect[0], 0);
    const int64_t top = std::max<int64_t>(rect[1], 0);
    const int64_t right = std::min<int64_t>(int64_t{rect[0]} + rect[2], map.Width);
    const int64_t bottom = std::min<int64_t>(int64_t{rect[1]} + rect[3], map.Height);
    nlohmann::json cells = nlohmann::json::array();
    for (int64_t y = top; y < bottom; ++y) {
        for (int64_t x = left; x < right; ++x) {
            const tMapCell& c = map.Cell(static_cast<int32_t>(x), static_cast<int32_t>(y));
            cells.push_back({{"x", x},
                             {"y", y},
                             {"Terrain", c.Terrain()},
                             {"Variant", c.Variant()},
                             {"Level", c.Level()},
                             {"TileVariant", c.TileVariant()},
                             {"Occupancy", c.Occupancy()},
                             {"AnimRow", c.AnimRow()},
                             {"Jitter", c.Jitter()},
                             {"LinkKind", c.LinkKind()},
                             {"Id", c.Id()},
                             {"Words", {c.w[0], c.w[1], c.w[2]}}});
        }
    }
    PrintJson(cells);
    return kOk;
}

uint64_t ParseSeed(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("bad value '" + text + "' for --seed");
    try {
        return std::stoull(text);
    } catch (const std::exception&) {
        throw UsageError("bad value '" + text + "' for --seed");
    }
}

int MapNew(const Args& args) {
    args.Expect(0, 0, {"--size", "-o", "--seed"});
    const std::vector<int> size = ParseIntList(args.Required("--size"), 2, "--size");
    for (int side : size)
        if (side < kMinNewMapSize || side > kMaxMapSize)
            throw UsageError("--size: each side must lie in " + std::to_string(kMinNewMapSize) +
                             ".." + std::to_string(kMaxMapSize));
    const std::string out = UserPath(args.Required("-o"));
    const uint64_t seed =
        args.Has("--seed") ? ParseSeed(args.Option("--seed")) : std::random_device{}();
    Random random(seed);
    // The map needs no game data: the constructor leaves a map without wall pieces, and
    // nothing of the new-map fill draws walls.
    tMapa& map = CommandMap();
    map.FillAsNewMap(size[0], size[1], random);
    map.SaveToFile(out, kNewMapView);
    std::error_code error;
    PrintJson({{"File", out},
               {"Width", map.Width},
               {"Height", map.Height},
               {"Seed", seed},
               {"Size", std::filesystem::file_size(out, error)}});
    return kOk;
}

int MapResave(const Args& args) {
    args.Expect(2, 2, {});
    const std::string in = UserPath(args.Positional(0, "IN"));
    const std::string out = UserPath(args.Positional(1, "OUT"));
    tMapa& map = CommandMap();
    if (!Load(map, in)) return kBadInput;
    // The stored centre goes back unchanged; a file without one gets the top-left corner.
    map.SaveToFileAtCentre(out, map.StoredViewCentre().value_or(TPoint{0, 0}));
    return kOk;
}

const Registration info({"map", "info", "map info FILE [--text]", {"--text"}, MapInfo});
const Registration cells({"map", "cells", "map cells FILE --rect X,Y,W,H", {}, MapCells});
const Registration create({"map", "new", "map new --size WxH -o FILE [--seed N]", {}, MapNew});
const Registration resave({"map", "resave", "map resave IN OUT", {}, MapResave});

}  // namespace

}  // namespace tess::cli
