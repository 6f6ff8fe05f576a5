// Object palette benchmarks: filling and sorting "Další" from a 10,000-type catalogue beside
// copying the same entries unsorted, and one step of the bar (three previews drawn) beside
// copying three finished previews.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/palettes/PaletteFills.h"
#include "editor/palettes/PaletteList.h"
#include "editor/palettes/PreviewPicture.h"
#include "map/ObjectsDat.h"
#include "resources/Random.h"
#include "resources/UiHost.h"

namespace tess {
namespace {

constexpr int32_t kPreviewWidth = 128;
constexpr int32_t kPreviewHeight = 96;

// Names of two to eight letters, some beginning with Czech capitals, so that the sort has work.
std::string RandomName(Random& random) {
    static const char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\x8A\xC8\xD8";
    std::string name;
    const int length = 2 + random.Next(7);
    for (int i = 0; i < length; ++i)
        name.push_back(kLetters[random.Next(sizeof kLetters - 1)]);
    return name;
}

// Every type of the catalogue is another object ("Další") with a loaded 64 x 80 picture.
struct PaletteFixture {
    std::unique_ptr<tObjects> objects = std::make_unique<tObjects>();
    std::vector<tAddPack> entries;  // the fill's entries, before the sort

    PaletteFixture() {
        InstallSilentUi();
        Random random(17);
        for (int32_t id = 0; id < kObjectSlots; ++id) {
            auto object = std::make_unique<tObject>();
            object->Id = id;
            object->Name = RandomName(random);
            object->Typ_unown = 1;
            object->Width = 64;
            object->Height = 80;
            object->Picture.SetSize(64, 160);
            object->Picture.Fill(static_cast<uint16_t>(random.Next(65536)));
            object->Picture.FillRect({0, 0, 8, 8}, 0);  // some transparent pixels
            object->State = PictureState::Loaded;
            objects->Put(std::move(object));
        }
        PaletteList list;
        list.ResetEntries();
        AddTabEntries(list, ObjectTab::Dalsi, {}, *objects);
        entries = list.Entries();
    }
};

PaletteFixture& ThePaletteFixture() {
    static PaletteFixture fixture;
    return fixture;
}

void BM_PaletteFillAndSortOther10000(benchmark::State& state) {
    PaletteFixture& f = ThePaletteFixture();
    PaletteList list;
    for (auto _ : state) {
        FillTab(list, ObjectTab::Dalsi, {}, *f.objects);
        benchmark::DoNotOptimize(list.Entry(0));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * list.Count());
}
BENCHMARK(BM_PaletteFillAndSortOther10000)->Unit(benchmark::kMillisecond);

// Baseline: the same entries copied into the list as they come, without the catalogue or the
// sort.
void BM_PaletteCopyUnsorted10000(benchmark::State& state) {
    PaletteFixture& f = ThePaletteFixture();
    PaletteList list;
    for (auto _ : state) {
        list.ResetEntries();
        for (const tAddPack& entry : f.entries)
            list.AddEntry(entry);
        benchmark::DoNotOptimize(list.Entry(0));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * list.Count());
}
BENCHMARK(BM_PaletteCopyUnsorted10000)->Unit(benchmark::kMillisecond);

// One step of the bar through the 10,000 entries: the three previews drawn from the kept
// pictures.
void BM_PaletteBarStep(benchmark::State& state) {
    PaletteFixture& f = ThePaletteFixture();
    PaletteList list;
    FillTab(list, ObjectTab::Dalsi, {}, *f.objects);
    std::vector<tSurface> previews(kPreviewCount, tSurface(kPreviewWidth, kPreviewHeight));
    int32_t position = 0;
    for (auto _ : state) {
        list.SetBarPosition(position);
        position = position < list.BarMax() ? position + 1 : 0;
        for (int32_t i = 0; i < kPreviewCount; ++i)
            DrawPreview(previews[static_cast<size_t>(i)], *f.objects, list.Shown(i)->IdObject,
                        0xCE59);
        benchmark::DoNotOptimize(previews[0].Pixels());
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}
BENCHMARK(BM_PaletteBarStep)->Unit(benchmark::kMicrosecond);

// Baseline: three finished previews copied onto their surfaces.
void BM_PaletteCopyThreePreviews(benchmark::State& state) {
    const tSurface finished(kPreviewWidth, kPreviewHeight);
    std::vector<tSurface> previews(kPreviewCount, tSurface(kPreviewWidth, kPreviewHeight));
    for (auto _ : state) {
        for (tSurface& preview : previews)
            preview.Draw(0, 0, finished);
        benchmark::DoNotOptimize(previews[0].Pixels());
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}
BENCHMARK(BM_PaletteCopyThreePreviews)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tess
