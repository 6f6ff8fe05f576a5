// Full redraws of a 1920 x 1080 view over the busiest part of the demo map, beside a naive
// colour-keyed blit loop and memcpy; the PNG stream writer beside stb_image_write, and its
// deflate beside zlib's fastest level on the same bytes.
#include <benchmark/benchmark.h>
#include <stb/stb_image_write.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "resources/GameDirectory.h"
#include "resources/Random.h"
#include "resources/UiHost.h"
#include "view/MapPicture.h"
#include "view/ViewDat.h"
#include "writers/PngWriter.h"

namespace {

using namespace tess;

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// The demo game's map in a 1920 x 1080 view, placed over its busiest part.
struct DemoScene {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    tSurface surface{kWidth, kHeight};
    tView view;
    bool ready = false;
    int32_t cells = 0, anchors = 0, covered = 0, walls = 0;

    // dense: every free cell of the window gets a tree or a decoration of the demo catalogue
    // as well (the worst case: most cells with objects, big sprites over each other).
    explicit DemoScene(bool dense) {
        static SilentUi ui;
        SetUi(&ui);
        const std::string dir = DemoGameDirectory();
        if (dir.empty()) return;
        EnterGameDirectory(dir);
        map->ReadWallTable();
        view.Create(surface, *map, SurfaceRect{0, 0, kWidth, kHeight});
        view.Store = store.get();
        view.SetZoom("PICTURES/32x16/", 32, 4, 16);
        if (!OpenMapPair(*map, *store, *view.Zoom->Objects, view, "MAPS/default.map",
                         "MAPS/default.sav", nullptr))
            return;
        view.Zoom->Terens.LoadPictures("PICTURES/32x16/TERENY-/");
        PlaceOverBusiestPart();
        if (dense) Crowd();
        view.Draw(false);  // loads every picture in sight
        ready = true;
    }

    // The window of visible cells with the most cells under objects among those with a few
    // walls (at most an eighth of the cells: a cave mass draws little and would flatter).
    void PlaceOverBusiestPart() {
        const int32_t columns = kWidth / 32 + 2, rows = (kHeight + 32) / 8 + 2;
        int64_t best = -1;
        for (int32_t y0 = 0; y0 + rows <= map->Height; y0 += 8)
            for (int32_t x0 = 0; x0 + columns <= map->Width; x0 += 4) {
                int64_t objects = 0, wallCells = 0;
                for (int32_t y = y0; y < y0 + rows; ++y)
                    for (int32_t x = x0; x < x0 + columns; ++x) {
                        const int o = map->GetOccupancy(x, y);
                        objects += o == 1 || o == 2;
                        wallCells += o == 3;
                    }
                if (wallCells == 0 || wallCells > columns * rows / 8 || objects <= best) continue;
                best = objects;
                view.X = x0;
                view.Y = y0;
            }
        Count();
    }

    void Crowd() {
        std::vector<int32_t> kinds;
        for (int32_t id = 0; id < kObjectSlots; ++id) {
            tObject* o = view.Zoom->Objects->Item(id);
            if (o && !o->Typ_build && !o->Typ_Unit && o->Anim_Count > 0 &&
                view.Zoom->Objects->LoadPicture(*o))
                kinds.push_back(id);
        }
        Random random(77);
        const int32_t columns = kWidth / 32 + 2, rows = (kHeight + 32) / 8 + 2;
        for (int32_t y = view.Y; y < std::min(view.Y + rows, map->Height); ++y)
            for (int32_t x = view.X; x < std::min(view.X + columns, map->Width); ++x) {
                if (map->GetOccupancy(x, y) != 0) continue;
                map->SetOccupancy(x, y, 2);
                map->SetLinkKind(x, y, 0);
                map->SetId(x, y, kinds[size_t(random.Next(int(kinds.size())))]);
            }
        cells = anchors = covered = walls = 0;
        Count();
    }

    void Count() {
        const int32_t columns = kWidth / 32 + 2, rows = (kHeight + 32) / 8 + 2;
        for (int32_t y = view.Y; y < view.Y + rows; ++y)
            for (int32_t x = view.X; x < view.X + columns; ++x) {
                ++cells;
                const int o = map->GetOccupancy(x, y);
                anchors += o == 2;
                covered += o == 1;
                walls += o == 3;
            }
    }
};

DemoScene& Scene() {
    static DemoScene scene(false);
    return scene;
}

DemoScene& DenseScene() {
    static DemoScene scene(true);
    return scene;
}

// memcpy of a buffer the size of the surface: bytes per second, best of a few rounds.
double MemcpyRate() {
    static const double rate = [] {
        const size_t bytes = size_t(kWidth) * kHeight * 2;
        std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
        double best = 0;
        for (int round = 0; round < 5; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 20; ++i) {
                std::memcpy(b.data(), a.data(), bytes);
                benchmark::DoNotOptimize(b.data());
            }
            const double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            best = std::max(best, 20.0 * double(bytes) / s);
        }
        return best;
    }();
    return rate;
}

void RunRedraw(benchmark::State& state, DemoScene& scene) {
    if (!scene.ready) {
        state.SkipWithError("no demo game");
        return;
    }
    for (auto _ : state) {
        scene.view.Draw(false);
        benchmark::DoNotOptimize(scene.surface.Pixels());
    }
    const double bytes = double(scene.view.PixelsWritten()) * 2;
    state.counters["MB_written"] = bytes / 1e6;
    state.counters["bound_ms"] = bytes / MemcpyRate() * 1e3;
    state.counters["cells"] = scene.cells;
    state.counters["anchors"] = scene.anchors;
    state.counters["covered"] = scene.covered;
    state.counters["walls"] = scene.walls;
    state.counters["view_x"] = scene.view.X;
    state.counters["view_y"] = scene.view.Y;
}
void BM_ViewRedraw1080p(benchmark::State& state) {
    RunRedraw(state, Scene());
}
BENCHMARK(BM_ViewRedraw1080p)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_ViewRedraw1080pCrowded(benchmark::State& state) {
    RunRedraw(state, DenseScene());
}
BENCHMARK(BM_ViewRedraw1080pCrowded)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Black-keyed copies of a flat tile and of a 64 x 64 piece of a tree for the naive loop.
tSurface BlackKeyed(const tSurface& source, SurfaceRect part) {
    tSurface s(part.Width(), part.Height());
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x) {
            const uint16_t p = source.PixelAt(part.Left + x, part.Top + y);
            s.PutPixel565(
                x, y,
                p == source.TransparentColor() || !source.Contains(part.Left + x, part.Top + y)
                    ? 0
                    : (p ? p : 1));
        }
    return s;
}

// The naive blit the issue measures against: clipped, then a per-pixel colour-key test.
void NaiveBlit(tSurface& target, const tSurface& source, int32_t x, int32_t y) {
    const int32_t left = std::max(0, -x), top = std::max(0, -y);
    const int32_t right = std::min(source.Width(), target.Width() - x);
    const int32_t bottom = std::min(source.Height(), target.Height() - y);
    for (int32_t sy = top; sy < bottom; ++sy) {
        const uint16_t* s = source.Row(sy);
        uint16_t* d = target.Row(y + sy) + x;
        for (int32_t sx = left; sx < right; ++sx)
            if (s[sx]) d[sx] = s[sx];
    }
}

void BM_NaiveBaseline1080p(benchmark::State& state) {
    DemoScene& scene = Scene();
    if (!scene.ready) {
        state.SkipWithError("no demo game");
        return;
    }
    tZoom& zoom = *scene.view.Zoom;
    const tSurface tile = BlackKeyed(zoom.Terens.Item(5)->Flat[0][0], {0, 0, 32, 16});
    tObject* tree = nullptr;
    for (int32_t id = 1; id < kObjectSlots && !tree; ++id) {
        tObject* o = zoom.Objects->Item(id);
        if (o && o->Typ_tree && zoom.Objects->LoadPicture(*o) && o->Picture.Width() >= 32) tree = o;
    }
    const tSurface sprite = BlackKeyed(tree->Picture, {0, 0, 64, 64});
    tSurface target(kWidth, kHeight);
    const int32_t columns = kWidth / 32 + 2, rows = (kHeight + 32) / 8 + 2;
    for (auto _ : state) {
        target.Fill(0);
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t c = columns - 1; c >= 0; --c) {
                const int32_t sx = 32 * c + 16 * (r & 1) - 16, sy = 8 * r - 8 - 12;
                NaiveBlit(target, tile, sx, sy);
                NaiveBlit(target, sprite, sx - 16, sy - 48);
            }
        benchmark::DoNotOptimize(target.Pixels());
    }
}
BENCHMARK(BM_NaiveBaseline1080p)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_MemcpySurface1080p(benchmark::State& state) {
    const size_t bytes = size_t(kWidth) * kHeight * 2;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_MemcpySurface1080p)->Unit(benchmark::kMillisecond);

// A 4096 x 1024 band of the demo map's whole picture as RGB, for the PNG encoders.
const std::vector<uint8_t>& DemoBand() {
    static const std::vector<uint8_t> rgb = [] {
        std::vector<uint8_t> out;
        DemoScene& scene = Scene();
        if (!scene.ready) return out;
        MapPicture picture(scene.view);
        tSurface part(4096, 1024);
        tSurface* kept = scene.view.Surface;
        scene.view.Surface = &part;
        picture.DrawPart(1024, 1024);
        scene.view.Surface = kept;
        out.reserve(size_t(4096) * 1024 * 3);
        for (int32_t y = 0; y < 1024; ++y)
            for (int32_t x = 0; x < 4096; ++x) {
                const Rgb8 c = part.ColorAt(x, y);
                out.insert(out.end(), {c.r, c.g, c.b});
            }
        return out;
    }();
    return rgb;
}

void BM_PngStreamWriterDemoBand(benchmark::State& state) {
    const std::vector<uint8_t>& rgb = DemoBand();
    if (rgb.empty()) {
        state.SkipWithError("no demo game");
        return;
    }
    size_t size = 0;
    for (auto _ : state) {
        size = 0;
        writers::PngStreamWriter png([&](const uint8_t*, size_t n) { size += n; }, 4096, 1024);
        for (int32_t y = 0; y < 1024; ++y)
            png.AddRow(rgb.data() + size_t(y) * 4096 * 3);
        png.Finish();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgb.size()));
    state.counters["file_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_PngStreamWriterDemoBand)->Unit(benchmark::kMillisecond);

void CountBytes(void* context, void*, int size) {
    *static_cast<size_t*>(context) += size_t(size);
}

void BM_StbPngDemoBand(benchmark::State& state) {
    const std::vector<uint8_t>& rgb = DemoBand();
    if (rgb.empty()) {
        state.SkipWithError("no demo game");
        return;
    }
    size_t size = 0;
    for (auto _ : state) {
        size = 0;
        stbi_write_png_to_func(CountBytes, &size, 4096, 1024, 3, rgb.data(), 4096 * 3);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rgb.size()));
    state.counters["file_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_StbPngDemoBand)->Unit(benchmark::kMillisecond);

// The band as the PNG writer hands it to its deflate: a filter byte of 0 before every row.
const std::vector<uint8_t>& FilteredDemoBand() {
    static const std::vector<uint8_t> bytes = [] {
        const std::vector<uint8_t>& rgb = DemoBand();
        std::vector<uint8_t> out;
        const size_t row = size_t(4096) * 3;
        for (size_t at = 0; at < rgb.size(); at += row) {
            out.push_back(0);
            out.insert(out.end(), rgb.begin() + long(at), rgb.begin() + long(at + row));
        }
        return out;
    }();
    return bytes;
}

void BM_DeflateOursDemoBand(benchmark::State& state) {
    const std::vector<uint8_t>& raw = FilteredDemoBand();
    if (raw.empty()) {
        state.SkipWithError("no demo game");
        return;
    }
    size_t size = 0;
    for (auto _ : state)
        size = writers::DeflateZlib(raw.data(), raw.size()).size();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw.size()));
    state.counters["zlib_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_DeflateOursDemoBand)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// zlib at levels 1 (its fastest) and 6 (its default), one stream of the whole input.
void BM_DeflateZlibDemoBand(benchmark::State& state) {
    const std::vector<uint8_t>& raw = FilteredDemoBand();
    if (raw.empty()) {
        state.SkipWithError("no demo game");
        return;
    }
    std::vector<uint8_t> out(compressBound(uLong(raw.size())));
    uLongf size = 0;
    for (auto _ : state) {
        size = uLongf(out.size());
        if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), int(state.range(0))) !=
            Z_OK) {
            state.SkipWithError("zlib failed");
            return;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw.size()));
    state.counters["zlib_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_DeflateZlibDemoBand)
    ->Arg(1)
    ->Arg(6)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
