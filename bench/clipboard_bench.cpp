// Undo snapshot and map check benchmarks, each beside a baseline over the same bytes or cells.
//
// The snapshot's store and restore beside a memcpy of the same bytes; the full check of a
// 2047 x 2047 map with 10,000 units and 10,000 buildings beside a plain walk over the same cells.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "map/MapDat.h"

namespace tess {
namespace {

// The bytes a snapshot copies: the whole cell storage and the four record arrays.
constexpr size_t kGridBytes = sizeof(tMapCell) * size_t{kMapStorage} * kMapStorage;
constexpr size_t kRecordBytes = sizeof(tKalistor::Players) + sizeof(tKalistor::Settlements) +
                                sizeof(tKalistor::Buildings) + sizeof(tKalistor::Units);

// A full map and store, made once: every building and unit has its anchor, every unit and
// building is consistent, so the check walks everything and finds nothing.
struct Fixture {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    std::unique_ptr<tClipBoard> clip = std::make_unique<tClipBoard>();

    Fixture() {
        Random random(1);
        map->Create(kMaxMapSize, kMaxMapSize, random, WallTableSource::None);
        for (int32_t i = 1; i <= kMaxPlayers; ++i)
            store->Players[static_cast<size_t>(i)].Used = 1;
        store->PlayerCount = kMaxPlayers;
        for (int32_t i = 1; i <= kMaxSettlements; ++i) {
            store->Settlements[static_cast<size_t>(i)].Used = 1;
            store->Settlements[static_cast<size_t>(i)].IdPlayer = i;
        }
        store->SettlementCount = kMaxSettlements;
        // Buildings on even rows, units on odd rows, spread over the whole map.
        for (int32_t i = 1; i <= kMaxBuildings; ++i) {
            tBuildingRec& b = store->Buildings[static_cast<size_t>(i)];
            b.Used = 1;
            b.IdBuilding = 1 + i % 150;
            b.IdTouwn = 1 + i % kMaxSettlements;
            b.Tag = 100;  // type 89 keeps an amount
            b.X = (i * 7) % kMaxMapSize;
            b.Y = (i * 13) / kMaxMapSize * 2;
            Link(b.X, b.Y, 1, i);
        }
        store->BuildingCount = kMaxBuildings;
        for (int32_t i = 1; i <= kMaxUnits; ++i) {
            tUnitRec& u = store->Units[static_cast<size_t>(i)];
            u.Used = 1;
            u.IdPlayer = 1 + i % kMaxPlayers;
            u.X = (i * 11) % kMaxMapSize;
            u.Y = 1 + (i * 13) / kMaxMapSize * 2;
            Link(u.X, u.Y, 2, i);
        }
        store->UnitCount = kMaxUnits;
        // Deposits with their amounts, so that the deposit rule runs too.
        for (int32_t i = 0; i < 500; ++i) {
            const int32_t x = 2 + (i * 37) % (kMaxMapSize - 4);
            const int32_t y = 201 + 2 * ((i * 53) % 900);  // clear of the records
            map->SetOccupancy(x, y, 2);
            map->SetId(x, y, i % 2 ? kGoldDeposit : kIronDeposit);
            map->SetId(x - 1, y, 300);
        }
    }

    void Link(int32_t x, int32_t y, int kind, int32_t index) {
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, kind);
        map->SetId(x, y, index);
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

void BM_SnapshotStore(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        f.clip->Undo.Store(*f.map, *f.store);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kGridBytes + kRecordBytes));
}
BENCHMARK(BM_SnapshotStore)->Unit(benchmark::kMillisecond);

void BM_SnapshotRestore(benchmark::State& state) {
    Fixture& f = TheFixture();
    f.clip->Undo.Store(*f.map, *f.store);
    for (auto _ : state) {
        f.clip->Undo.Restore(*f.map, *f.store);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kGridBytes + kRecordBytes));
}
BENCHMARK(BM_SnapshotRestore)->Unit(benchmark::kMillisecond);

// Baseline: one memcpy of the same number of bytes between two buffers touched beforehand.
void BM_SnapshotBaseline_Memcpy(benchmark::State& state) {
    const size_t bytes = kGridBytes + kRecordBytes;
    std::vector<uint8_t> from(bytes, 1);
    std::vector<uint8_t> to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_SnapshotBaseline_Memcpy)->Unit(benchmark::kMillisecond);

void BM_MapCheckFull(benchmark::State& state) {
    Fixture& f = TheFixture();
    tMapCheck check(*f.map, *f.store);
    for (auto _ : state) {
        if (check.Check(kCheckFull, false) != 0)
            state.SkipWithError(
                ("the fixture has findings: " + check.Findings()[0].Line()).c_str());
        benchmark::DoNotOptimize(check.Findings().data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * (kMaxMapSize + 1) * (kMaxMapSize + 1));
}
BENCHMARK(BM_MapCheckFull)->Unit(benchmark::kMillisecond);

// Baseline: the same cells walked in the same order, counting the anchors.
void BM_MapCheckBaseline_CellWalk(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        int64_t anchors = 0;
        for (int32_t y = 0; y <= kMaxMapSize; ++y) {
            const tMapCell* row = f.map->Cells() + tMapa::Index(0, y);
            for (int32_t x = 0; x <= kMaxMapSize; ++x)
                anchors += row[x].Occupancy() == 2;
        }
        benchmark::DoNotOptimize(anchors);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * (kMaxMapSize + 1) * (kMaxMapSize + 1));
}
BENCHMARK(BM_MapCheckBaseline_CellWalk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess
