// Object catalogue benchmarks: building from a 10,000-record table against reading its cache,
// and the object repair over a full map densely covered with objects against one plain pass.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"
#include "writers/ObjectTableWriter.h"

namespace tess {
namespace {

// A scratch game directory with a table of 10,000 objects and the cache built from it.
struct CatalogueFixture {
    std::string dir;
    std::string table;
    std::string cache;
    size_t cacheBytes = 0;

    CatalogueFixture() {
        InstallSilentUi();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        dir = pattern;
        std::filesystem::create_directories(dir + "/DATA");
        std::vector<writers::ObjectRow> rows(kObjectSlots);
        for (int32_t id = 0; id < kObjectSlots; ++id) {
            writers::ObjectRow& row = rows[static_cast<size_t>(id)];
            row.Id = id;
            row.Name = "objekt " + std::to_string(id);
            row.FileName = "objekty/o" + std::to_string(id) + ".dds";
            row.Typ_tree = id % 3 == 0;
            row.Tree_idx = id % 3 == 0 ? "lsj" : "";
            row.pod_teren = id % 7 == 0 ? "TR" : "";
            row.Width = 64;
            row.Height = 80;
            row.Size_RT = 1 + id % 3;
            row.Size_LT = 1 + id % 2;
        }
        table = dir + "/DATA/objects.dbf";
        writers::WriteDbf(table, writers::ObjectTable(rows));
        auto objects = std::make_unique<tObjects>();
        objects->BuildFromTable(table, "PICTURES/32x16/../");
        cache = dir + "/objects.kar";
        objects->WriteCache(cache);
        cacheBytes = std::filesystem::file_size(cache);
    }
    ~CatalogueFixture() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

CatalogueFixture& TheCatalogueFixture() {
    static CatalogueFixture fixture;
    return fixture;
}

void BM_CatalogueFromTable10000(benchmark::State& state) {
    CatalogueFixture& f = TheCatalogueFixture();
    auto objects = std::make_unique<tObjects>();
    for (auto _ : state)
        if (!objects->BuildFromTable(f.table, "PICTURES/32x16/../"))
            state.SkipWithError("no table");
    state.SetItemsProcessed(int64_t(state.iterations()) * kObjectSlots);
}
BENCHMARK(BM_CatalogueFromTable10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatalogueFromCache10000(benchmark::State& state) {
    CatalogueFixture& f = TheCatalogueFixture();
    auto objects = std::make_unique<tObjects>();
    std::string why;
    for (auto _ : state)
        if (!objects->ReadCacheFile(f.cache, why)) state.SkipWithError("cache refused");
    state.SetItemsProcessed(int64_t(state.iterations()) * kObjectSlots);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.cacheBytes));
}
BENCHMARK(BM_CatalogueFromCache10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline of the cache read: the same file read whole into a buffer that already exists.
void BM_CacheFileRawRead(benchmark::State& state) {
    CatalogueFixture& f = TheCatalogueFixture();
    std::vector<char> buffer(f.cacheBytes);
    for (auto _ : state) {
        const int fd = ::open(f.cache.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) state.SkipWithError("open");
        size_t done = 0;
        while (fd >= 0 && done < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        if (fd >= 0) ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.cacheBytes));
}
BENCHMARK(BM_CacheFileRawRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full 2047 x 2047 map covered with objects of 1 x 1 up to 3 x 2 cells wherever they fit,
// trees, buildings and units among them, and a little wall.
struct RepairFixture {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tObjects> objects = std::make_unique<tObjects>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    int64_t anchors = 0;

    RepairFixture() {
        InstallSilentUi();
        Random random(11);
        map->FillAsNewMap(kMaxMapSize, kMaxMapSize, random);
        for (int32_t id = 1; id <= 6; ++id) {
            auto o = std::make_unique<tObject>();
            o->Id = id;
            o->Size_RT = static_cast<uint8_t>(1 + (id - 1) % 3);
            o->Size_LT = static_cast<uint8_t>(1 + (id - 1) / 3);
            objects->Put(std::move(o));
        }
        for (int32_t b = 1; b <= kMaxBuildings; ++b)
            store->Buildings[size_t(b)].IdObject = 5;
        for (int32_t u = 1; u <= kMaxUnits; ++u)
            store->Units[size_t(u)].IdObject = 1;
        int32_t building = 0, unit = 0;
        for (int32_t y = 0; y < kMaxMapSize; ++y) {
            for (int32_t x = 0; x < kMaxMapSize; ++x) {
                const int roll = random.Next(100);
                if (roll < 2) {
                    map->SetOccupancy(x, y, 3);
                    map->SetId(x, y, 1);
                    continue;
                }
                int kind = 0;
                int32_t index = 1 + random.Next(6);
                if (roll < 4 && building < kMaxBuildings) {
                    kind = 1;
                    index = ++building;
                } else if (roll < 6 && unit < kMaxUnits) {
                    kind = 2;
                    index = ++unit;
                }
                const int32_t type = LinkedObjectType(*store, kind, index);
                if (!CanPlaceObject(*map, *objects, x, y, type)) continue;
                PlaceObject(*map, *objects, *store, x, y, index, kind, type);
                ++anchors;
            }
        }
    }
};

RepairFixture& TheRepairFixture() {
    static RepairFixture fixture;
    return fixture;
}

void BM_RepairObjects2047Dense(benchmark::State& state) {
    RepairFixture& f = TheRepairFixture();
    RepairSummary summary;
    for (auto _ : state) {
        RepairObjects(*f.map, *f.objects, *f.store, &summary);
        benchmark::ClobberMemory();
    }
    state.counters["anchors"] = double(summary.Anchors);
    state.counters["footprint"] = double(summary.FootprintCells);
    state.SetItemsProcessed(int64_t(state.iterations()) * kMaxMapSize * kMaxMapSize);
}
BENCHMARK(BM_RepairObjects2047Dense)->Unit(benchmark::kMillisecond);

// Baseline: one plain pass over the same cells, reading each and counting the anchors.
void BM_PlainPass2047(benchmark::State& state) {
    RepairFixture& f = TheRepairFixture();
    const tMapCell* cells = f.map->Cells();
    for (auto _ : state) {
        int64_t anchors = 0;
        for (int32_t y = 0; y <= kMaxMapSize; ++y) {
            const tMapCell* row = cells + tMapa::Index(0, y);
            for (int32_t x = 0; x <= kMaxMapSize; ++x)
                anchors += (row[x].w[1] & 3u) == 2;
        }
        benchmark::DoNotOptimize(anchors);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kMaxMapSize * kMaxMapSize);
}
BENCHMARK(BM_PlainPass2047)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess
