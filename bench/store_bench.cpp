// Game-data store and table benchmarks: save and load of a full store beside raw file I/O of the
// same bytes, and a table search over 2,000 records beside a plain scan of the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/GameTables.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/Dbf.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"
#include "writers/DbfWriter.h"
#include "writers/GameTableWriter.h"

namespace tess {
namespace {

constexpr int32_t kTableRecords = 2000;

// A game directory with rule tables, a full store, a map that links back to every building and
// unit, and the store's file, made once for the whole run.
struct Fixture {
    std::string dir;
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::vector<uint8_t> savBytes;
    SilentUi ui;

    Fixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        dir = pattern;
        ScopedUi quiet(ui);

        writers::GameTablesData tables;
        for (int32_t id = 1; id <= 150; ++id) {
            BuildingType b;
            b.Id = id;
            b.Name = "Budova " + std::to_string(id);
            b.Tag = id % 10 == 0 ? 4 : 0;
            b.Civils = id % 7;
            b.IdObject = 1000 + id;
            tables.Buildings.push_back(b);
        }
        writers::WriteGameTables(dir, tables);

        writers::DbfTable big;
        big.Fields = {{"ID", 'N', 6, 0}, {"NAME", 'C', 30, 0}, {"VALUE", 'N', 8, 0}};
        for (int32_t i = 1; i <= kTableRecords; ++i)
            big.Records.push_back(
                {false, {std::to_string(i), "Zaznam " + std::to_string(i), std::to_string(i * 3)}});
        writers::WriteDbf(dir + "/DATA/big.dbf", big);

        FillStore();
        Random random(1);
        map->Create(kMaxMapSize, kMaxMapSize, random, WallTableSource::None);
        for (int32_t i = 1; i <= kMaxBuildings; ++i) {
            const tBuildingRec& b = store->Buildings[static_cast<size_t>(i)];
            map->SetLinkKind(b.X, b.Y, 1);
            map->SetId(b.X, b.Y, i);
        }
        for (int32_t i = 1; i <= kMaxUnits; ++i) {
            const tUnitRec& u = store->Units[static_cast<size_t>(i)];
            map->SetLinkKind(u.X, u.Y, 2);
            map->SetId(u.X, u.Y, i);
        }
        const std::string before = std::filesystem::current_path().string();
        std::filesystem::current_path(dir);
        savBytes = store->SaveToBytes();
        std::filesystem::current_path(before);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    void FillStore() {
        for (int32_t i = 1; i <= kMaxPlayers; ++i) {
            tPlayerRec& p = store->Players[static_cast<size_t>(i)];
            p.Used = 1;
            p.Name.Set("Hrac " + std::to_string(i));
            p.IdRasa = 1 + i % 4;
            std::fill(std::begin(p.Vztah), std::end(p.Vztah), 1);
            std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 2);
            std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
            std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);
        }
        store->PlayerCount = kMaxPlayers;
        for (int32_t i = 1; i <= kMaxSettlements; ++i) {
            tSettlementRec& s = store->Settlements[static_cast<size_t>(i)];
            s.Used = 1;
            s.Usedlost = 1 + i % 3;
            s.Name.Set("Mesto " + std::to_string(i));
            s.IdPlayer = i;
        }
        store->SettlementCount = kMaxSettlements;
        for (int32_t i = 1; i <= kMaxBuildings; ++i) {
            tBuildingRec& b = store->Buildings[static_cast<size_t>(i)];
            b.Used = 1;
            b.IdBuilding = 1 + i % 150;
            b.IdObject = 1000 + b.IdBuilding;
            b.IdTouwn = 1 + i % kMaxSettlements;
            b.X = (i * 7) % kMaxMapSize;
            b.Y = (i * 13) / kMaxMapSize * 2;
            b.ProcVystavby = b.ProcZivotu = 100;
        }
        store->BuildingCount = kMaxBuildings;
        for (int32_t i = 1; i <= kMaxUnits; ++i) {
            tUnitRec& u = store->Units[static_cast<size_t>(i)];
            u.Used = 1;
            u.IdPerson = 1 + i % 40;
            u.IdObject = u.IdPerson * 50;
            u.X = (i * 11) % kMaxMapSize;
            u.Y = 1 + (i * 13) / kMaxMapSize * 2;  // odd rows: never a building's cell
            u.Name.Set("Jednotka");
            u.UtoC = u.ObrC = u.Zivoty = u.StaryZaznam = -1;
            u.ProcZivotu = 100;
            u.AIEnabled = 1;
        }
        store->UnitCount = kMaxUnits;
    }
    std::string File(const char* name) const { return dir + "/" + name; }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// Makes the fixture's game directory current (the tables are found relative to it) and keeps
// messages quiet for one benchmark.
class InGameDirectory {
  public:
    explicit InGameDirectory(Fixture& f) : before_(std::filesystem::current_path()), quiet_(f.ui) {
        BigFile().Close();
        std::filesystem::current_path(f.dir);
    }
    ~InGameDirectory() { std::filesystem::current_path(before_); }

  private:
    std::filesystem::path before_;
    ScopedUi quiet_;
};

void BM_StoreSaveFull(benchmark::State& state) {
    Fixture& f = TheFixture();
    InGameDirectory here(f);
    const std::string path = f.File("full.sav");
    for (auto _ : state)
        f.store->SaveToFile(path);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.savBytes.size()));
}
BENCHMARK(BM_StoreSaveFull)->Unit(benchmark::kMillisecond);

// Baseline: the same bytes through the same crash-safe write, without building them.
void BM_StoreSaveBaseline_RawWrite(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("raw.sav");
    for (auto _ : state)
        WriteFileAtomically(path, f.savBytes);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.savBytes.size()));
}
BENCHMARK(BM_StoreSaveBaseline_RawWrite)->Unit(benchmark::kMillisecond);

// The part of a save that is the store's own: recalculations and serialisation.
void BM_StoreSaveToBytesFull(benchmark::State& state) {
    Fixture& f = TheFixture();
    InGameDirectory here(f);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.store->SaveToBytes());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.savBytes.size()));
}
BENCHMARK(BM_StoreSaveToBytesFull)->Unit(benchmark::kMillisecond);

void BM_StoreLoadFull(benchmark::State& state) {
    Fixture& f = TheFixture();
    InGameDirectory here(f);
    const std::string path = f.File("load.sav");
    WriteFileAtomically(path, f.savBytes);
    auto target = std::make_unique<tKalistor>();
    for (auto _ : state)
        if (!target->LoadFromFile(path, f.map.get())) state.SkipWithError("load refused");
    if (target->Units[kMaxUnits].Used != 1) state.SkipWithError("link-back check failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.savBytes.size()));
}
BENCHMARK(BM_StoreLoadFull)->Unit(benchmark::kMillisecond);

// Baseline: reading the same file into memory.
void BM_StoreLoadBaseline_RawRead(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("load.sav");
    WriteFileAtomically(path, f.savBytes);
    std::vector<char> buffer(f.savBytes.size());
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.savBytes.size()));
}
BENCHMARK(BM_StoreLoadBaseline_RawRead)->Unit(benchmark::kMillisecond);

// A search for the last record of a 2,000-record table, in an open table.
void BM_TableLocate2000(benchmark::State& state) {
    Fixture& f = TheFixture();
    InGameDirectory here(f);
    tTable table;
    OpenDBF(table, "DATA\\big.dbf");
    for (auto _ : state) {
        if (!Locate(table, "ID", kTableRecords)) state.SkipWithError("not found");
        benchmark::DoNotOptimize(table.Current);
    }
    CloseDBF(table);
}
BENCHMARK(BM_TableLocate2000)->Unit(benchmark::kMicrosecond);

// Baseline: the same walk written by hand over the same bytes, comparing the key field of each
// record with memcmp.
void BM_TableLocate2000Baseline_RecordScan(benchmark::State& state) {
    Fixture& f = TheFixture();
    std::ifstream in(f.File("DATA/big.dbf"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t header = 32 + 3 * 32 + 1;
    const size_t record = 1 + 6 + 30 + 8;
    const std::string key = "  2000";
    for (auto _ : state) {
        int32_t found = 0;
        for (int32_t r = 0; r < kTableRecords; ++r)
            if (std::memcmp(bytes.data() + header + size_t(r) * record + 1, key.data(), 6) == 0) {
                found = r + 1;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_TableLocate2000Baseline_RecordScan)->Unit(benchmark::kMicrosecond);

// A whole use of a table as the store makes it: open, search, read a field, close.
void BM_TableOpenLocateRead2000(benchmark::State& state) {
    Fixture& f = TheFixture();
    InGameDirectory here(f);
    for (auto _ : state) {
        tTable table;
        OpenDBF(table, "DATA\\big.dbf");
        Locate(table, "ID", kTableRecords);
        benchmark::DoNotOptimize(GetInteger(table, "VALUE"));
        CloseDBF(table);
    }
}
BENCHMARK(BM_TableOpenLocateRead2000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tess
