// Undo history benchmarks, each beside a baseline measured in the same run:
// - ending a step on a 2047 x 2047 map after a 27 x 27 brush dab beside one memcmp of the two
//   25 MB grids the step compares;
// - undoing and redoing a 100-cell stroke beside copying its changed cells there and back;
// - the memory 1,000 strokes of the 27 x 27 terrain brush keep in the history, per step, beside
//   the bytes of the cells they changed;
// - an autosave of a full map beside writing the same pair as "Uložit" does.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/MouseTools.h"
#include "editor/RecoveryStore.h"
#include "editor/ScriptRunner.h"
#include "editor/ToolBox.h"
#include "editor/UndoHistory.h"
#include "game/Clipboard.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "resources/Random.h"
#include "resources/Settings.h"
#include "resources/UiHost.h"

namespace tess {
namespace {

constexpr size_t kCells = size_t{kMapStorage} * kMapStorage;
constexpr size_t kGridBytes = kCells * sizeof(tMapCell);

// A full-size map with its store and snapshot, and the history over them, without a session.
struct HistoryScene {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    std::unique_ptr<tData> snapshot = std::make_unique<tData>();
    UndoHistory history{*map, *store, *snapshot};

    HistoryScene() {
        Random random(1);
        map->FillAsNewMap(kMaxMapSize, kMaxMapSize, random);
    }
    // The cells of a 27 x 27 brush at (x, y), as the brush walks them.
    void Dab(int32_t x, int32_t y, int terrain) {
        TPoint row{x, y};
        for (int r = 0; r < 2 * kMaxPenRadius + 1; ++r) {
            TPoint cell = row;
            for (int c = 0; c < 2 * kMaxPenRadius + 1; ++c) {
                map->SetTerrain(cell.X, cell.Y, terrain);
                cell = map->Neighbour(cell.X, cell.Y, kDirUpRight);
            }
            row = map->Neighbour(row.X, row.Y, kDirUpLeft);
        }
    }
};

HistoryScene& Scene() {
    static HistoryScene scene;
    return scene;
}

// --- ending a step ---------------------------------------------------------------------------

void BM_HistoryEndStepAfterA27x27Dab(benchmark::State& state) {
    HistoryScene& scene = Scene();
    int terrain = 1;
    size_t cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.history.BeginStep();  // the press's snapshot, taken as every press takes it
        terrain = terrain == 1 ? 2 : 1;
        scene.Dab(1000, 1000, terrain);
        state.ResumeTiming();
        scene.history.EndStep();
        state.PauseTiming();
        cells = scene.history.Status().Bytes;
        scene.history.Clear();
        state.ResumeTiming();
    }
    state.counters["stepBytes"] = double(cells);
}
BENCHMARK(BM_HistoryEndStepAfterA27x27Dab)->Unit(benchmark::kMillisecond);

void BM_HistoryEndStepBaselineMemcmp(benchmark::State& state) {
    HistoryScene& scene = Scene();
    scene.snapshot->Store(*scene.map, *scene.store);
    const void* a = scene.map->Cells();
    const void* b = scene.snapshot->Map().Cells();
    for (auto _ : state) {
        int result = std::memcmp(a, b, kGridBytes);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kGridBytes));
}
BENCHMARK(BM_HistoryEndStepBaselineMemcmp)->Unit(benchmark::kMillisecond);

// --- undoing a stroke ------------------------------------------------------------------------

// A stroke of the 1 x 1 level brush down a diagonal: 100 cells, each in a row of its own.
std::vector<size_t> StrokeCells() {
    std::vector<size_t> cells;
    for (int32_t i = 0; i < 100; ++i)
        cells.push_back(tMapa::Index(300 + i / 2, 400 + i));
    return cells;
}

void BM_HistoryUndoRedoA100CellStroke(benchmark::State& state) {
    HistoryScene& scene = Scene();
    scene.history.Clear();
    scene.history.BeginStep();
    for (size_t index : StrokeCells()) {
        tMapCell& cell = scene.map->Cells()[index];
        cell.Put(0, 6, 7, cell.Level() + 1);
    }
    scene.history.EndStep();
    for (auto _ : state) {
        scene.history.Undo();
        scene.history.Redo();
    }
    state.counters["steps"] = double(scene.history.Status().UndoSteps);
}
BENCHMARK(BM_HistoryUndoRedoA100CellStroke);

void BM_HistoryUndoRedoBaselineCopyCells(benchmark::State& state) {
    HistoryScene& scene = Scene();
    const std::vector<size_t> cells = StrokeCells();
    std::vector<tMapCell> before, after;
    for (size_t index : cells) {
        before.push_back(scene.map->Cells()[index]);
        after.push_back(scene.map->Cells()[index]);
        after.back().Put(0, 6, 7, after.back().Level() + 1);
    }
    tMapCell* grid = scene.map->Cells();
    for (auto _ : state) {
        for (size_t i = 0; i < cells.size(); ++i)
            grid[cells[i]] = before[i];
        benchmark::ClobberMemory();
        for (size_t i = 0; i < cells.size(); ++i)
            grid[cells[i]] = after[i];
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HistoryUndoRedoBaselineCopyCells);

// --- memory of 1,000 strokes -----------------------------------------------------------------

// Strokes as the window makes them: a press, five moves of the 27 x 27 terrain brush, a release,
// in places spread over the map, the terrain changing from stroke to stroke.
void BM_HistoryMemoryOf1000BrushStrokes(benchmark::State& state) {
    SilentUi ui;
    UiHost* previous = SetUi(&ui);
    MemorySettings settings;
    HeadlessWindow window;
    SessionSetup setup;
    setup.Settings = &settings;
    setup.Walls = WallTableSource::None;
    EditorSession session(setup, window);
    session.NewMapOfSize({"2047", "2047"});
    constexpr int kStrokes = 1000;
    size_t changedCells = 0;
    Random places(9);
    for (auto _ : state) {
        session.History().Clear();
        changedCells = 0;
        for (int i = 0; i < kStrokes; ++i) {
            session.Tools().PressTerrainButton(i % 14);
            session.Tools().SetPenRadius(kMaxPenRadius);
            const int32_t x = 40 + int32_t(places.Next(1900));
            const int32_t y = 80 + int32_t(places.Next(1880));
            session.Mouse().MoveToCell({x, y});
            session.Mouse().Down(MouseButton::Left);
            for (int32_t step = 1; step <= 5; ++step)
                session.Mouse().MoveToCell({x + step, y + step});
            const tData& snapshot = session.Clipboard().Undo;
            const tMapCell* before = snapshot.Map().Cells();
            session.Mouse().Up(MouseButton::Left);
            // Counted against the press's snapshot, as the step was.
            const tMapCell* now = session.Map().Cells();
            for (int32_t row = std::max(0, y - 60); row <= std::min(kMaxMapSize, y + 40); ++row)
                for (int32_t column = std::max(0, x - 40); column <= std::min(kMaxMapSize, x + 40);
                     ++column) {
                    const size_t index = tMapa::Index(column, row);
                    changedCells += !(before[index] == now[index]);
                }
        }
    }
    const HistoryStatus status = session.History().Status();
    state.counters["steps"] = double(status.UndoSteps);
    state.counters["KiBPerStep"] = double(status.Bytes) / double(status.UndoSteps) / 1024;
    state.counters["changedCellKiBPerStep"] =
        double(changedCells * sizeof(tMapCell)) / kStrokes / 1024;
    SetUi(previous);
}
BENCHMARK(BM_HistoryMemoryOf1000BrushStrokes)->Unit(benchmark::kSecond)->Iterations(1);

// --- autosave --------------------------------------------------------------------------------

// The temporary directory of the autosave benchmarks, removed at the end.
struct ScratchDir {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tess-autosave-" + std::to_string(::getpid()));
    ScratchDir() { std::filesystem::create_directories(path); }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// One autosave of a full 2047 x 2047 map: the recovery pair, its
// manifest and the copy of the store it is made from.
void BM_AutosaveOfAFullMap(benchmark::State& state) {
    HistoryScene& scene = Scene();
    ScratchDir dir;
    SilentUi ui;  // the bench has no game tables: the store's lookups say so
    UiHost* previous = SetUi(&ui);
    RecoveryStore recovery("/nonexistent-game-directory");
    recovery.SetDirectory((dir.path / "recovery").string());
    int64_t at = 0;
    for (auto _ : state)
        recovery.Save(*scene.map, *scene.store, {1000, 1000}, "MAPS\\velka.map", ++at);
    recovery.RemoveOwn();
    SetUi(previous);
}
BENCHMARK(BM_AutosaveOfAFullMap)->Unit(benchmark::kMillisecond);

// The baseline: the same pair written as "Uložit" writes it, without the check.
void BM_AutosaveBaselineWritePair(benchmark::State& state) {
    HistoryScene& scene = Scene();
    ScratchDir dir;
    SilentUi ui;
    UiHost* previous = SetUi(&ui);
    const std::string map = (dir.path / "velka.map").string();
    for (auto _ : state)
        WriteMapPair(*scene.map, *scene.store, {1000, 1000}, map, GameDataName(map), nullptr);
    SetUi(previous);
}
BENCHMARK(BM_AutosaveBaselineWritePair)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess
