// Editing engine benchmarks, each beside a baseline measured in the same run:
// - the fill of a whole 2047 x 2047 map of one terrain beside a plain breadth-first walk that
//   paints the same blocks;
// - one mouse move in paste mode (a 256 x 256 clip on a 2047 x 2047 map, drawn into a 1920 x
//   1080 view) beside one 25 MB memcpy and one redraw of the same view;
// - a drag of 100 cells with the 27 x 27 terrain brush beside the same SetTerrain calls;
// - "vyhloubeni vody" and "Smazat vsechny stromy" on a full map beside a plain walk over its
//   cells.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/Brushes.h"
#include "editor/EditorSession.h"
#include "editor/MapWideCommands.h"
#include "editor/MouseTools.h"
#include "editor/ScriptRunner.h"
#include "editor/ToolBox.h"
#include "game/Clipboard.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/GameDirectory.h"
#include "resources/Settings.h"
#include "resources/UiHost.h"
#include "view/ViewDat.h"

namespace tess {
namespace {

constexpr size_t kCells = size_t{kMapStorage} * kMapStorage;
constexpr int32_t kTreeType = 300;

// A headless editor on a 2047 x 2047 map with lakes and scattered trees; its cells are kept so
// that every iteration of a destructive command starts from the same map.
struct BigScene {
    SilentUi ui;
    MemorySettings settings;
    HeadlessWindow window;
    std::unique_ptr<EditorSession> session;
    std::vector<tMapCell> pristine;
    int64_t trees = 0;

    BigScene() {
        SetUi(&ui);
        SessionSetup setup;
        setup.Settings = &settings;
        setup.Walls = WallTableSource::None;
        session = std::make_unique<EditorSession>(setup, window);
        auto objects = std::make_unique<tObjects>();
        auto tree = std::make_unique<tObject>();
        tree->Id = kTreeType;
        tree->Typ_tree = 1;
        tree->Tree_idx = "j";
        tree->Size_RT = tree->Size_LT = 1;
        objects->Put(std::move(tree));
        session->UseObjects(std::move(objects));
        session->NewMapOfSize({"2047", "2047"});
        pristine.assign(Map().Cells(), Map().Cells() + kCells);
    }

    // Lakes on a sixth of the map and a tree on about every fortieth free cell.
    void AddLakesAndTrees() {
        tMapa& map = Map();
        for (int32_t y = 0; y < map.Height; ++y)
            for (int32_t x = 0; x < map.Width; ++x) {
                if ((x / 64 + y / 128) % 6 == 0) {
                    map.SetTerrain(x, y, 12);
                } else if ((x * 7 + y * 13) % 41 == 0) {
                    map.SetOccupancy(x, y, 2);
                    map.SetId(x, y, kTreeType);
                    ++trees;
                }
            }
        pristine.assign(map.Cells(), map.Cells() + kCells);
    }

    void Restore() { std::memcpy(Map().Cells(), pristine.data(), kCells * sizeof(tMapCell)); }
    tMapa& Map() { return session->Map(); }
};

BigScene& Plain() {
    static BigScene scene;
    return scene;
}

BigScene& Wet() {
    static BigScene* scene = [] {
        auto* s = new BigScene();
        s->AddLakesAndTrees();
        return s;
    }();
    return *scene;
}

// --- the fill --------------------------------------------------------------------------------

void BM_FloodFillWholeMap(benchmark::State& state) {
    BigScene& scene = Plain();
    int terrain = 1;
    for (auto _ : state) {
        terrain = terrain == 1 ? 2 : 1;  // each run fills what the last one painted
        scene.session->Tools().PressTerrainButton(terrain);
        scene.session->Tools().SetPenMode(kPenFill);
        scene.session->BrushOps().FloodFill({1000, 1000});
    }
    state.counters["cells"] = double(kMaxMapSize) * kMaxMapSize;
}
BENCHMARK(BM_FloodFillWholeMap)->Unit(benchmark::kMillisecond)->Iterations(6);

// The same blocks reached two steps at a time (up-right, down-right, down-left, up-left) and
// painted, breadth first, without the brush.
void BM_FloodFillBaselineBreadthFirst(benchmark::State& state) {
    BigScene& scene = Plain();
    tMapa& map = scene.Map();
    std::vector<TPoint> queue;
    int terrain = 1;
    for (auto _ : state) {
        terrain = terrain == 1 ? 2 : 1;
        const int old = map.GetTerrain(1000, 1000);
        queue.clear();
        map.SetTerrain(1000, 1000, terrain);
        queue.push_back({1000, 1000});
        for (size_t head = 0; head < queue.size(); ++head) {
            for (int direction : {kDirUpRight, kDirDownRight, kDirDownLeft, kDirUpLeft}) {
                const TPoint once = map.Neighbour(queue[head].X, queue[head].Y, direction);
                const TPoint next = map.Neighbour(once.X, once.Y, direction);
                if (map.GetTerrain(next.X, next.Y) != old) continue;
                map.SetTerrain(next.X, next.Y, terrain);
                queue.push_back(next);
            }
        }
        benchmark::DoNotOptimize(queue.data());
    }
    state.counters["blocks"] = double(queue.size());
}
BENCHMARK(BM_FloodFillBaselineBreadthFirst)->Unit(benchmark::kMillisecond)->Iterations(6);

// --- a drag with the widest brush ------------------------------------------------------------

constexpr int kDragCells = 100;
constexpr TPoint kDragStart{600, 900};

void BM_Drag27x27TerrainBrush(benchmark::State& state) {
    BigScene& scene = Plain();
    EditorSession& session = *scene.session;
    int terrain = 3;
    for (auto _ : state) {
        state.PauseTiming();
        terrain = terrain == 3 ? 4 : 3;
        session.Tools().PressTerrainButton(terrain);
        session.Tools().SetPenMode(kPenFree);
        session.Tools().SetPenRadius(kMaxPenRadius);
        session.Mouse().MoveToCell(kDragStart);
        session.Mouse().Down(MouseButton::Left);  // with its undo snapshot, not timed
        state.ResumeTiming();
        for (int i = 1; i <= kDragCells; ++i)
            session.Mouse().MoveToCell({kDragStart.X + i, kDragStart.Y});
        state.PauseTiming();
        session.Mouse().Up(MouseButton::Left);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Drag27x27TerrainBrush)->Unit(benchmark::kMillisecond);

// The SetTerrain calls of the same drag: each move walks the line from the last anchor to the
// new one (the end twice), and each anchor paints the 27 x 27 brush.
void BM_Drag27x27BaselineSetTerrain(benchmark::State& state) {
    BigScene& scene = Plain();
    tMapa& map = scene.Map();
    const auto anchorOf = [&](TPoint under) {
        for (int i = 1; i < kMaxPenRadius; ++i)
            under = map.Neighbour(under.X, under.Y, kDirDown);
        return under;
    };
    const auto brush = [&](TPoint anchor, int terrain) {
        TPoint rowStart = anchor;
        for (int row = 0; row < 2 * kMaxPenRadius + 1; ++row) {
            TPoint cell = rowStart;
            for (int column = 0; column < 2 * kMaxPenRadius + 1; ++column) {
                map.SetTerrain(cell.X, cell.Y, terrain);
                cell = map.Neighbour(cell.X, cell.Y, kDirUpRight);
            }
            rowStart = map.Neighbour(rowStart.X, rowStart.Y, kDirUpLeft);
        }
    };
    int terrain = 3;
    for (auto _ : state) {
        terrain = terrain == 3 ? 4 : 3;
        TPoint previous = anchorOf(kDragStart);
        for (int i = 1; i <= kDragCells; ++i) {
            const TPoint next = anchorOf({kDragStart.X + i, kDragStart.Y});
            TLineStepper stepper;
            stepper.Init(previous, next);
            while (stepper.Running) {
                stepper.Step();
                brush(stepper.Current, terrain);
            }
            previous = next;
        }
        benchmark::DoNotOptimize(map.Cells());
    }
}
BENCHMARK(BM_Drag27x27BaselineSetTerrain)->Unit(benchmark::kMillisecond);

// --- map-wide commands -----------------------------------------------------------------------

void BM_DigWaterFullMap(benchmark::State& state) {
    BigScene& scene = Wet();
    for (auto _ : state) {
        state.PauseTiming();
        scene.Restore();
        state.ResumeTiming();
        scene.session->MapCommands().DigWater();
    }
}
BENCHMARK(BM_DigWaterFullMap)->Unit(benchmark::kMillisecond);

void BM_DeleteTreesFullMap(benchmark::State& state) {
    BigScene& scene = Wet();
    for (auto _ : state) {
        state.PauseTiming();
        scene.Restore();
        state.ResumeTiming();
        scene.session->MapCommands().DeleteTrees();
    }
    state.counters["trees"] = double(scene.trees);
}
BENCHMARK(BM_DeleteTreesFullMap)->Unit(benchmark::kMillisecond);

// Every cell of the map proper read once through the grid, as a plain walk over a map does: its
// terrain, level, occupancy and link.
void BM_MapWalkBaseline(benchmark::State& state) {
    BigScene& scene = Wet();
    const tMapa& map = scene.Map();
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int32_t y = 0; y < map.Height; ++y)
            for (int32_t x = 0; x < map.Width; ++x) {
                const tMapCell& cell = map.Cell(x, y);
                sum += cell.Terrain() + cell.Level() + cell.Occupancy() + cell.LinkKind();
            }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_MapWalkBaseline)->Unit(benchmark::kMillisecond);

// The same cells read straight from the storage, which the compiler turns into vector loads: the
// memory's own speed.
void BM_MapWalkRawBaseline(benchmark::State& state) {
    BigScene& scene = Wet();
    const tMapa& map = scene.Map();
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int32_t y = 0; y < map.Height; ++y) {
            const tMapCell* row = map.Cells() + tMapa::Index(0, y);
            for (int32_t x = 0; x < map.Width; ++x)
                sum += row[x].w[0] ^ row[x].w[1];
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_MapWalkRawBaseline)->Unit(benchmark::kMillisecond);

// --- paste mode ------------------------------------------------------------------------------

constexpr int32_t kViewWidth = 1920;
constexpr int32_t kViewHeight = 1080;

// The editor on the demo game with a 1920 x 1080 view, a 2047 x 2047 map and a 256 x 256
// rectangle in the clipboard, pasting.
struct PasteScene {
    SilentUi ui;
    MemorySettings settings;
    HeadlessWindow window;
    std::unique_ptr<EditorSession> session;
    std::vector<tMapCell> copy = std::vector<tMapCell>(kCells);
    bool ready = false;

    PasteScene() {
        SetUi(&ui);
        const std::string dir = DemoGameDirectory();
        if (dir.empty()) return;
        EnterGameDirectory(dir);
        SessionSetup setup;
        setup.GameDirectory = dir;
        setup.Settings = &settings;
        session = std::make_unique<EditorSession>(setup, window);
        session->MeReSize(kViewWidth, kViewHeight);
        session->CreateView();
        session->NewMapOfSize({"2047", "2047"});
        tMapa& map = session->Map();
        for (int32_t y = 400; y < 700; ++y)
            for (int32_t x = 400; x < 700; ++x)
                map.SetTerrain(x, y, (x / 8 + y / 16) % 14);
        tClipBoard& clip = session->Clipboard();
        clip.Rectangular = 1;
        clip.Rows = clip.Columns = 256;
        clip.Copy(map, session->Store(), 420, 420);
        session->View().X = 950;
        session->View().Y = 950;
        session->Run(MenuCommand::Paste);
        session->Mouse().MoveToCell({1000, 1000});  // every picture in sight loaded
        ready = true;
    }
};

PasteScene& Pasting() {
    static PasteScene scene;
    return scene;
}

void BM_PasteModeMouseMove(benchmark::State& state) {
    PasteScene& scene = Pasting();
    if (!scene.ready) {
        state.SkipWithError("no demo game");
        return;
    }
    int32_t x = 1000;
    for (auto _ : state) {
        x = x == 1000 ? 1001 : 1000;  // another cell each time: a new preview
        scene.session->Mouse().MoveToCell({x, 1000});
        benchmark::DoNotOptimize(scene.session->Surface().Pixels());
    }
}
BENCHMARK(BM_PasteModeMouseMove)->Unit(benchmark::kMillisecond);

void BM_PasteModeBaselineMemcpyAndRedraw(benchmark::State& state) {
    PasteScene& scene = Pasting();
    if (!scene.ready) {
        state.SkipWithError("no demo game");
        return;
    }
    std::memcpy(scene.copy.data(), scene.session->Map().Cells(), kCells * sizeof(tMapCell));
    for (auto _ : state) {
        std::memcpy(scene.session->Map().Cells(), scene.copy.data(), kCells * sizeof(tMapCell));
        scene.session->MapView()->Draw(true);
        benchmark::DoNotOptimize(scene.session->Surface().Pixels());
    }
}
BENCHMARK(BM_PasteModeBaselineMemcpyAndRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess
