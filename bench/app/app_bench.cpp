// The editor's main window on the demo game (offscreen platform): start-up to the first drawn and
// shown frame beside opening the map pair alone, and the redraw when the mouse reaches another
// cell of a 1920 x 1080 view beside copying the surface once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/GameDirectory.h"
#include "resources/Settings.h"
#include "resources/UiHost.h"
#include "view/ViewDat.h"

namespace {

using namespace tess;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The application, the silent boxes and the demo game as the current directory; false when the
// demo game was not built.
bool EnterDemo() {
    static const bool ready = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tess_bench_app";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        static SilentUi ui;
        SetUi(&ui);
        const std::string dir = DemoGameDirectory();
        if (dir.empty()) return false;
        EnterGameDirectory(dir);
        return true;
    }();
    return ready;
}

SessionSetup DemoSetup(MemorySettings& settings) {
    SessionSetup setup;
    setup.GameDirectory = ".";
    setup.Settings = &settings;
    setup.Seed = 1;
    return setup;
}

// Everything from the window's creation to its first frame on the screen: the map at full
// capacity, the view with its pictures and object catalogue, the mini-map, the settings, the
// demo's default map with its game data and object repair, the tree types, the first redraw,
// and painting it into the window.
void BM_StartUpToFirstFrame(benchmark::State& state) {
    if (!EnterDemo()) return state.SkipWithError("no demo game");
    for (auto _ : state) {
        MemorySettings settings;
        TForm1 form(DemoSetup(settings));
        form.resize(kWidth, kHeight);
        form.show();
        form.DXDraw1InitializeSurface();
        form.DXDraw1()->repaint();
        if (!form.Ready() || form.Session().FileName != "MAPS\\default.map")
            return state.SkipWithError("start-up did not open the demo map");
        benchmark::DoNotOptimize(form.Session().Surface().PixelAt(kWidth / 2, kHeight / 2));
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(8);

// Baseline: the demo's map pair alone into a map of full capacity, with the same catalogue for
// the object repair (the catalogue is built outside the timing).
void BM_StartUpBaselineOpenMapPair(benchmark::State& state) {
    if (!EnterDemo()) return state.SkipWithError("no demo game");
    auto map = std::make_unique<tMapa>();
    auto store = std::make_unique<tKalistor>();
    Random random(1);
    map->Create(kMaxMapSize, kMaxMapSize, random, WallTableSource::GameData);
    tObjects objects;
    objects.Create("DATA/objects.dbf", "PICTURES/32x16/../");
    for (auto _ : state) {
        ViewPosition view;
        if (!OpenMapPair(*map, *store, objects, view, "MAPS/default.map", "MAPS/default.sav",
                         nullptr))
            return state.SkipWithError("the demo map did not open");
        benchmark::DoNotOptimize(map->Width);
    }
}
BENCHMARK(BM_StartUpBaselineOpenMapPair)->Unit(benchmark::kMillisecond)->Iterations(8);

// Second baseline: the view's pictures alone (terrain, walls and the object catalogue from its
// cache), the largest single step of start-up.
void BM_StartUpBaselineViewPictures(benchmark::State& state) {
    if (!EnterDemo()) return state.SkipWithError("no demo game");
    auto map = std::make_unique<tMapa>();
    Random random(1);
    map->Create(kMaxMapSize, kMaxMapSize, random, WallTableSource::GameData);
    tSurface surface(kWidth, kHeight);
    for (auto _ : state) {
        tView view;
        view.Create(surface, *map, SurfaceRect{0, 0, kWidth, kHeight});
        view.SetZoom(kZoomDirectory, 32, 4, 16);
        benchmark::DoNotOptimize(view.Zoom->Objects.get());
    }
}
BENCHMARK(BM_StartUpBaselineViewPictures)->Unit(benchmark::kMillisecond)->Iterations(8);

// A started 1920 x 1080 view of the demo map, kept for the redraw benchmarks.
struct StartedWindow {
    MemorySettings settings;
    std::unique_ptr<TForm1> form;

    StartedWindow() {
        form = std::make_unique<TForm1>(DemoSetup(settings));
        form->resize(kWidth, kHeight);
        form->show();
        form->DXDraw1InitializeSurface();
        // The view alone fills 1920 x 1080, the menu bar above it.
        form->resize(kWidth, kHeight + form->height() - form->DXDraw1()->height());
        QCoreApplication::processEvents();
    }
    bool Ready() const {
        return form->Ready() && form->Session().Surface().Width() == kWidth &&
               form->Session().Surface().Height() == kHeight;
    }
};

StartedWindow& Window() {
    static StartedWindow window;
    return window;
}

// The mouse goes back and forth between two cells: each move draws the whole view again.
void BM_MouseCrossesCellRedraw1080p(benchmark::State& state) {
    if (!EnterDemo()) return state.SkipWithError("no demo game");
    StartedWindow& window = Window();
    if (!window.Ready()) return state.SkipWithError("the view is not 1920 x 1080");
    MapSurfaceWidget* widget = window.form->DXDraw1();
    const bool present = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        const QPointF at((step++ & 1) ? 960 + 3 * 32 : 960, 540);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
        // Painting the surface into the window, as the next paint event does.
        if (present) widget->repaint();
    }
    state.SetLabel(present ? "draw + paint into the window" : "draw only");
    state.counters["Mpixel/s"] = benchmark::Counter(
        double(kWidth) * kHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MouseCrossesCellRedraw1080p)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same mouse moves inside one cell: nothing is drawn.
void BM_MouseWithinCell1080p(benchmark::State& state) {
    if (!EnterDemo()) return state.SkipWithError("no demo game");
    StartedWindow& window = Window();
    if (!window.Ready()) return state.SkipWithError("the view is not 1920 x 1080");
    MapSurfaceWidget* widget = window.form->DXDraw1();
    int step = 0;
    for (auto _ : state) {
        const QPointF at((step++ & 1) ? 971 : 970, 541);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
}
BENCHMARK(BM_MouseWithinCell1080p)->Unit(benchmark::kMicrosecond);

// Baseline: one copy of the 1920 x 1080 surface.
void BM_RedrawBaselineMemcpySurface1080p(benchmark::State& state) {
    tSurface from(kWidth, kHeight);
    tSurface to(kWidth, kHeight);
    from.Fill(Rgb565(10, 200, 30));
    const size_t bytes = static_cast<size_t>(from.BytesPerLine()) * kHeight;
    for (auto _ : state) {
        std::memcpy(to.Pixels(), from.Pixels(), bytes);
        benchmark::ClobberMemory();
    }
    state.counters["Mpixel/s"] = benchmark::Counter(
        double(kWidth) * kHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RedrawBaselineMemcpySurface1080p)->Unit(benchmark::kMillisecond);

}  // namespace
