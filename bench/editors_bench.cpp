// Game-data editor benchmarks: opening the permission editor on full tables, and a click that
// forbids a chain of 1,000 dependent buildings, beside copying the same tables.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/Kalistor.h"
#include "game/PermissionEditor.h"

namespace tess {
namespace {

// Every building type 0..1000, each requiring the one before and usable in a human town, and as
// many human weapons: the largest lists the arrays allow and the longest requirement chain.
const PermissionTables& FullTables() {
    static const PermissionTables tables = [] {
        PermissionTables t;
        for (int32_t id = 0; id < kBuildingStates; ++id) {
            BuildingType b;
            b.Id = id;
            b.Name = "Budova";
            b.IdRace = 1;
            b.UseMesto = true;
            b.IdBEx1 = id > 0 ? id - 1 : 0;
            b.IdNext = id + 1 < kBuildingStates ? id + 1 : 0;
            t.Buildings.push_back(b);
            UpgradeType u;
            u.Id = id;
            u.Name = "Zbran";
            u.IdUEx1 = id > 0 ? id - 1 : 0;
            u.IdBuild = {id, 0, 0};
            u.IdItem = 1;
            t.Upgrades.push_back(u);
        }
        return t;
    }();
    return tables;
}

std::unique_ptr<tKalistor> OnePlayer() {
    auto store = std::make_unique<tKalistor>();
    tPlayerRec& p = store->Players[1];
    p.Used = 1;
    p.IdRasa = 1;
    std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
    std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 3);
    store->PlayerCount = 1;
    return store;
}

// Baseline: the copy of the tables every opening makes.
void BM_CopyPermissionTables(benchmark::State& state) {
    for (auto _ : state) {
        PermissionTables copy = FullTables();
        benchmark::DoNotOptimize(copy.Buildings.data());
    }
}
BENCHMARK(BM_CopyPermissionTables)->Unit(benchmark::kMicrosecond);

void BM_OpenPermissionEditor(benchmark::State& state) {
    auto store = OnePlayer();
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PermissionEditorRules rules(*store, FullTables(), 1, 1, kind);
        benchmark::DoNotOptimize(rules.Items().data());
    }
}
BENCHMARK(BM_OpenPermissionEditor)
    ->Arg(kPermitBuildings)
    ->Arg(kPermitWeapons)
    ->Unit(benchmark::kMicrosecond);

// Unticking the first building forbids the 1,000 that require it one after another; ticking
// it again, then Ok, passes the town states down the 1,000-long upgrade chain.
void BM_ForbidChainAndStore(benchmark::State& state) {
    auto store = OnePlayer();
    PermissionEditorRules rules(*store, FullTables(), 1, 1, kPermitBuildings);
    for (auto _ : state) {
        rules.Click(0);
        rules.Click(0);
        rules.Store();
    }
    benchmark::DoNotOptimize(store->Players[1].StavBudov[1000]);
}
BENCHMARK(BM_ForbidChainAndStore)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tess
