// Fuzz target: the edit script reader and runner ("map edit", recorded macros).
//
// The input is a script's text. Damaged JSON and wrong shapes must be refused with a clear
// error; a script that reads is run through the engine on a 128 x 128 map with a small object
// catalogue, where a wrong action must end in a clean error, never a crash. Clip files the
// script names all go to one file in a temporary directory; scripts that would make the map
// larger than 256 cells a side are only read, to keep each run short.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "editor/EditorSession.h"
#include "editor/ScriptRunner.h"
#include "editor/ToolBox.h"
#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Settings.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr int64_t kLargestSide = 256;

std::unique_ptr<tObjects> Catalogue() {
    auto objects = std::make_unique<tObjects>();
    const auto add = [&](int32_t id, int sizeRT, int sizeLT, const char* trees) {
        auto entry = std::make_unique<tObject>();
        entry->Id = id;
        entry->Size_RT = static_cast<uint8_t>(sizeRT);
        entry->Size_LT = static_cast<uint8_t>(sizeLT);
        entry->Anim_Count = 1;
        entry->Typ_tree = trees != nullptr;
        entry->Tree_idx = trees ? trees : "";
        objects->Put(std::move(entry));
    };
    add(5, 1, 1, nullptr);
    add(40, 2, 3, nullptr);
    add(53, 1, 1, nullptr);
    add(101, 1, 1, nullptr);
    add(232, 2, 2, nullptr);
    add(233, 2, 2, nullptr);
    add(300, 1, 1, "j");
    add(301, 1, 1, "l");
    add(500, 2, 2, nullptr);
    for (int32_t id = 212; id <= 226; ++id)
        add(id, 1, 1, nullptr);
    return objects;
}

// The session, made once (its maps are 25 MB each) and given a fresh map for every input.
struct World {
    SilentUi ui;
    MemorySettings settings;
    HeadlessWindow window;
    AcceptAllEditors editors;
    std::filesystem::path clipFile;
    std::unique_ptr<EditorSession> session;

    World() {
        SetUi(&ui);
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("fuzz-script-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        clipFile = dir / "clip.clp";
        SessionSetup setup;
        setup.Settings = &settings;
        setup.Walls = WallTableSource::None;
        session = std::make_unique<EditorSession>(setup, window);
        session->UseObjects(Catalogue());
    }
};

// Whether the script would grow the map beyond what a short run can afford.
bool TooLarge(const nlohmann::json& actions) {
    for (const nlohmann::json& action : actions) {
        if (!action.is_object() || !action.contains("command")) continue;
        for (const char* side : {"width", "height"}) {
            const auto found = action.find(side);
            if (found != action.end() && found->is_number() &&
                found->get<double>() > double(kLargestSide))
                return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* const world = new World();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    EditScript script;
    try {
        script = ReadEditScript(text);
    } catch (const ScriptError& e) {
        Require(std::string_view(e.what()).size() > 0 && !e.Action);
        return 0;
    }
    Require(script.Actions.is_array());
    if (TooLarge(script.Actions) || script.Actions.size() > 64) return 0;

    EditorSession& session = *world->session;
    // Every input starts from the same editor: a new map that "Zpět" would give back, an
    // empty clipboard, the first tool.
    Require(session.NewMapOfSize({"128", "128"}));
    session.Tools().State() = ToolState{};
    session.Clipboard().State = kClipIdle;
    session.Clipboard().Rows = session.Clipboard().Columns = 0;
    session.Clipboard().Undo.Store(session.Map(), session.Store());
    session.Store().SetEditors(&world->editors);
    ScriptRunner runner(session);
    const std::string clip = world->clipFile.string();
    runner.ResolvePath = [clip](const std::string&) { return clip; };
    try {
        runner.RunAll(script);
    } catch (const ScriptError& e) {
        Require(std::string_view(e.what()).size() > 0);
        Require(e.Action && *e.Action < script.Actions.size());
    }

    // What a run leaves must still be a map the editor can draw and save.
    const tMapa& map = session.Map();
    Require(map.Width >= 1 && map.Width <= kMaxMapSize && map.Height >= 1 &&
            map.Height <= kMaxMapSize);
    const ToolState& tools = session.Tools().State();
    Require(tools.PenRadius >= 0 && tools.PenRadius <= kMaxPenRadius);
    const tClipBoard& clipboard = session.Clipboard();
    Require(clipboard.Rows >= 0 && clipboard.Columns >= 0 &&
            int64_t{clipboard.Rows} * clipboard.Columns <= kClipCells);
    const tKalistor& store = session.Store();
    Require(store.UnitCount <= kMaxUnits && store.BuildingCount <= kMaxBuildings &&
            store.SettlementCount <= kMaxSettlements);
    return 0;
}
