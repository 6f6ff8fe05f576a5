// tessarine-cli map edit: replays a script of edits through the editor's engine and saves the
// map pair.
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/Cli.h"
#include "editor/EditorSession.h"
#include "editor/ScriptRunner.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Settings.h"

namespace tess::cli {

namespace {

std::string ReadScriptFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError("cannot read the script \"" + path + "\"");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw InputError("cannot read the script \"" + path + "\"");
    return text.str();
}

uint64_t ParseSeed(const std::string& text) {
    try {
        size_t used = 0;
        if (!text.empty() && text[0] != '-') {
            const uint64_t seed = std::stoull(text, &used);
            if (used == text.size()) return seed;
        }
    } catch (const std::exception&) {
    }
    throw UsageError("bad value '" + text + "' for --seed");
}

// Cells of the two map proper areas (before and after) that differ.
int64_t CellsChanged(const std::vector<tMapCell>& before, TPoint sizeBefore, const tMapa& after) {
    const int32_t width = std::max(sizeBefore.X, after.Width);
    const int32_t height = std::max(sizeBefore.Y, after.Height);
    int64_t changed = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const size_t i = tMapa::Index(x, y);
            changed += !(before[i] == after.Cells()[i]);
        }
    return changed;
}

template <typename Records>
int32_t LiveRecords(const Records& records, int32_t count, int32_t limit) {
    int32_t live = 0;
    for (int32_t i = 1; i <= std::min(count, limit); ++i)
        live += records[static_cast<size_t>(i)].Used == 1;
    return live;
}

int MapEdit(const Args& args) {
    args.Expect(2, 2, {"--script", "--game-dir", "--seed"});
    const std::string in = UserPath(args.Positional(0, "IN"));
    const std::string out = UserPath(args.Positional(1, "OUT"));
    const std::string scriptPath = UserPath(args.Required("--script"));
    const std::optional<uint64_t> seed =
        args.Has("--seed") ? std::optional<uint64_t>(ParseSeed(args.Option("--seed")))
                           : std::nullopt;
    EditScript script;
    try {
        script = ReadEditScript(ReadScriptFile(scriptPath));
    } catch (const ScriptError& e) {
        std::fprintf(stderr, "error: %s: %s\n", scriptPath.c_str(), e.what());
        return kUsage;
    }
    if (seed) script.Seed = seed;

    EnterGameDirectory(args);
    MemorySettings settings;
    HeadlessWindow window;
    SessionSetup setup;
    setup.GameDirectory = std::filesystem::current_path().string();
    setup.Settings = &settings;
    auto session = std::make_unique<EditorSession>(setup, window);
    session->UseObjects(LoadObjectCatalogue());
    // The editor's view rectangle: where a resize keeps the view and what the file centres.
    session->View().Right = 1024;
    session->View().Bottom = 768;
    tMapa& map = session->Map();
    tKalistor& store = session->Store();
    if (!OpenMapPair(map, store, session->Objects(), session->View(), in, GameDataName(in),
                     nullptr))
        return kBadInput;
    session->CollectTreeTypes();
    const std::vector<tMapCell> before(map.Cells(),
                                       map.Cells() + size_t{kMapStorage} * kMapStorage);
    const TPoint sizeBefore{map.Width, map.Height};

    ScriptRunner runner(*session);
    runner.ResolvePath = UserPath;
    try {
        runner.RunAll(script);
    } catch (const ScriptError& e) {
        if (e.Action)
            std::fprintf(stderr, "error: action %zu: %s\n", *e.Action, e.what());
        else
            std::fprintf(stderr, "error: %s\n", e.what());
        return kUsage;
    }

    const nlohmann::json summary = {
        {"actions", runner.ActionsRun()},
        {"modified", session->Modified},
        {"cellsChanged", CellsChanged(before, sizeBefore, map)},
        {"players", LiveRecords(store.Players, store.PlayerCount, kMaxPlayers)},
        {"settlements", LiveRecords(store.Settlements, store.SettlementCount, kMaxSettlements)},
        {"buildings", LiveRecords(store.Buildings, store.BuildingCount, kMaxBuildings)},
        {"units", LiveRecords(store.Units, store.UnitCount, kMaxUnits)},
        {"unanswered", runner.Unanswered()}};

    // The centre the script placed the view at, else the one the file had.
    const TPoint centre = runner.ViewCentre().value_or(
        map.StoredViewCentre().value_or(tMapa::ViewCentreOf(session->View())));
    const MapPairSaveResult saved =
        args.Flag("--check") ? SaveMapPair(map, store, centre, out, GameDataName(out), nullptr)
                             : WriteMapPair(map, store, centre, out, GameDataName(out), nullptr);
    if (saved.Outcome == SaveOutcome::CheckFailed) {
        for (const CheckFinding& finding : saved.Findings)
            std::fprintf(stderr, "finding: %s\n", finding.Line().c_str());
        PrintJson(summary);
        return kFindings;
    }
    if (!saved.Saved()) return kBadInput;
    PrintJson(summary);
    return kOk;
}

const Registration edit({"map",
                         "edit",
                         "map edit IN OUT --script FILE [--game-dir DIR] [--seed N] [--check]",
                         {"--check"},
                         MapEdit});

}  // namespace

}  // namespace tess::cli
