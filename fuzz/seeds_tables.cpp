// Seed corpora of the table and game-data fuzz targets, made with our own writers.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Seeds.h"
#include "game/Kalistor.h"
#include "resources/Bytes.h"
#include "resources/UiHost.h"
#include "writers/DbfWriter.h"

namespace tess::fuzz {

namespace {

namespace fs = std::filesystem;

// The table target's input: table length, table, memo.
std::vector<uint8_t> TableInput(const writers::DbfTable& table,
                                const writers::DbfOptions& options = {}) {
    const writers::DbfFiles files = writers::BuildDbf(table, options);
    ByteWriter out;
    out.U32(static_cast<uint32_t>(files.Table.size()));
    out.Bytes(files.Table.data(), files.Table.size());
    out.Bytes(files.Memo.data(), files.Memo.size());
    return std::move(out.Data());
}

void WriteDbfSeeds(const fs::path& corpus) {
    writers::DbfTable mixed;
    mixed.Fields = {{"ID", 'N', 5, 0},   {"NAME", 'C', 12, 0}, {"OK", 'L', 1, 0},
                    {"RATE", 'N', 8, 2}, {"NOTE", 'M', 10, 0}, {"BIN", 'M', 4, 0},
                    {"lower", 'C', 3, 0}};
    mixed.Records = {{false, {"1", "Prvni", "T", "1.50", "memo one", "bin", "abc"}},
                     {true, {"-20", "  Druhy", "F", "-3.25", "", "second memo", "x"}},
                     {false, {"x7y", "", "?", "", std::string(200, 'm'), "", ""}}};
    WriteSeed(corpus, "fuzz_dbf", "mixed", TableInput(mixed));
    WriteSeed(corpus, "fuzz_dbf", "mixed-block16",
              TableInput(mixed, {.MemoBlockSize = 16, .EndMarker = false}));

    writers::DbfTable empty;
    empty.Fields = {{"ID", 'N', 5, 0}};
    WriteSeed(corpus, "fuzz_dbf", "empty", TableInput(empty));

    writers::DbfTable names;
    names.Fields = {{"NAME", 'C', 30, 0}, {"TYP_RACE", 'N', 4, 0}};
    for (int i = 0; i < 20; ++i)
        names.Records.push_back(
            {i % 5 == 0, {"Jmeno " + std::to_string(i), std::to_string(i % 16)}});
    WriteSeed(corpus, "fuzz_dbf", "names", TableInput(names));
}

// A store with every kind of record, set directly (no editors, no tables).
std::unique_ptr<tKalistor> SeedStore() {
    auto store = std::make_unique<tKalistor>();
    for (int32_t i = 1; i <= 3; ++i) {
        tPlayerRec& p = store->Players[static_cast<size_t>(i)];
        p.Used = i != 2;
        p.Name.Set("Hrac " + std::to_string(i));
        p.RidiPocitac = i == 3 ? 0 : 1;
        p.Povaha = i;
        std::fill(std::begin(p.Vztah), std::end(p.Vztah), 1);
        std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 2);
        std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
        std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);
    }
    store->PlayerCount = 3;
    for (int32_t i = 1; i <= 2; ++i) {
        tSettlementRec& s = store->Settlements[static_cast<size_t>(i)];
        s.Used = 1;
        s.Usedlost = i;
        s.Name.Set("Mesto");
        s.IdPlayer = i;
    }
    store->SettlementCount = 2;
    for (int32_t i = 1; i <= 6; ++i) {
        tBuildingRec& b = store->Buildings[static_cast<size_t>(i)];
        b.Used = 1;
        b.IdBuilding = i * 3;
        b.IdObject = 500 + i;
        b.IdTouwn = 1 + i % 2;
        b.X = b.Y = i;
        b.ProcVystavby = b.ProcZivotu = 100;
    }
    store->BuildingCount = 6;
    for (int32_t i = 1; i <= 6; ++i) {
        tUnitRec& u = store->Units[static_cast<size_t>(i)];
        u.Used = 1;
        u.IdPerson = i == 3 ? 220 : i;
        u.IdObject = i * 50;
        u.X = u.Y = 10 + i;
        u.Name.Set("Jednotka");
        u.UtoC = u.ObrC = -1;
        u.Zivoty = 40;
        u.StaryZaznam = i == 4 ? 0 : -1;
        u.ProcZivotu = 80;
        u.AIEnabled = 1;
    }
    store->UnitCount = 6;
    return store;
}

// The same file with every record of each section cut to the given size.
std::vector<uint8_t> Repack(const std::vector<uint8_t>& full, const int32_t (&sizes)[4]) {
    const int32_t fullSizes[4] = {kPlayerFileRecord, kSettlementFileRecord, kBuildingFileRecord,
                                  kUnitFileRecord};
    ByteReader in(full);
    ByteWriter out;
    out.F64(in.F64());
    for (int s = 0; s < 4; ++s) {
        const int32_t count = in.I32();
        in.I32();
        out.I32(count);
        out.I32(sizes[s]);
        std::vector<uint8_t> record(static_cast<size_t>(fullSizes[s]));
        for (int32_t i = 0; i < count; ++i) {
            in.Bytes(record.data(), record.size());
            out.Bytes(record.data(), static_cast<size_t>(std::min(sizes[s], fullSizes[s])));
        }
    }
    return std::move(out.Data());
}

void WriteSavSeeds(const fs::path& corpus) {
    // Built without game tables: the recalculations of a save report them missing, quietly.
    SilentUi quiet;
    ScopedUi scoped(quiet);
    const std::vector<uint8_t> full = SeedStore()->SaveToBytes();
    // Type numbers at the ends of the permission arrays, and one past them (refused).
    auto edges = SeedStore();
    edges->Buildings[1].IdBuilding = kBuildingStates - 1;
    edges->Units[1].IdPerson = kUnitStates - 1;
    auto hostile = SeedStore();
    hostile->Buildings[2].IdBuilding = kBuildingStates;
    hostile->Units[5].IdPerson = -1;
    for (const char* target : {"fuzz_sav", "fuzz_sav_editors"}) {
        WriteSeed(corpus, target, "empty", tKalistor().SaveToBytes());
        WriteSeed(corpus, target, "full", full);
        WriteSeed(corpus, target, "short-players", Repack(full, {2180, 60, 29, 96}));
        WriteSeed(corpus, target, "no-relations", Repack(full, {57, 60, 29, 96}));
        WriteSeed(corpus, target, "short-records", Repack(full, {2681, 32, 26, 80}));
        WriteSeed(corpus, target, "type-edges", edges->SaveToBytes());
        WriteSeed(corpus, target, "hostile-types", hostile->SaveToBytes());
    }
}

}  // namespace

void WriteTableSeeds(const fs::path& corpus) {
    WriteDbfSeeds(corpus);
    WriteSavSeeds(corpus);
}

}  // namespace tess::fuzz
