// Fuzz target: the game-data file. Loads it against a small linked map; whatever loads must
// save, load again and save to the same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"
#include "writers/ArchiveWriter.h"
#include "writers/GameTableWriter.h"

namespace {

// An archive with rule tables (older, shorter records take defaults from them), a map
// whose first cells link to the first records, and two stores.
struct Setup {
    tess::SilentUi ui;
    std::string dir;
    std::unique_ptr<tess::tMapa> map = std::make_unique<tess::tMapa>();
    std::unique_ptr<tess::tKalistor> first = std::make_unique<tess::tKalistor>();
    std::unique_ptr<tess::tKalistor> second = std::make_unique<tess::tKalistor>();

    Setup() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-fuzz-sav-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        dir = pattern;
        tess::SetUi(&ui);
        tess::writers::GameTablesData tables;
        for (int32_t id = 1; id <= 30; ++id) {
            tess::BuildingType b;
            b.Id = id;
            b.Tag = id % 3 == 0 ? 4 : 0;
            b.IdVliv = id % 4;
            b.Civils = id;
            tables.Buildings.push_back(b);
            tess::PersonType p;
            p.Id = id;
            p.NoVisible = id % 2 == 0;
            p.IdVliv = id % 5;
            tables.Persons.push_back(p);
        }
        // In an archive, so the tables are found without changing the current directory
        // (libFuzzer reads its corpus by relative paths).
        const std::string archive = pattern + "/zor.dat";
        const std::vector<uint8_t> bytes = tess::writers::BuildArchive(
            {{"DATA/building.dbf",
              tess::writers::BuildDbf(tess::writers::BuildingTable(tables.Buildings)).Table},
             {"DATA/person.dbf",
              tess::writers::BuildDbf(tess::writers::PersonTable(tables.Persons)).Table}});
        tess::WriteFileAtomically(archive, bytes);
        tess::BigFile().Open(archive);
        tess::Random random(1);
        map->Create(64, 64, random, tess::WallTableSource::None);
        for (int32_t i = 1; i <= 40; ++i) {
            map->SetLinkKind(i, i, 1 + i % 2);
            map->SetId(i, i, i);
        }
    }
    ~Setup() {
        tess::BigFile().Close();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    const std::vector<uint8_t> bytes(data, data + size);
    const tess::tMapa* map = size % 2 == 0 ? setup.map.get() : nullptr;
    if (!setup.first->LoadFromBytes(bytes, "fuzz.sav", map)) return 0;
    // Whatever loads names only types the players' permission arrays hold.
    const tess::tKalistor& loaded = *setup.first;
    for (int32_t i = 1; i <= loaded.BuildingCount; ++i) {
        const int32_t type = loaded.Buildings[static_cast<size_t>(i)].IdBuilding;
        if (type < 0 || type >= tess::kBuildingStates) __builtin_trap();
    }
    for (int32_t i = 1; i <= loaded.UnitCount; ++i) {
        const int32_t type = loaded.Units[static_cast<size_t>(i)].IdPerson;
        if (type < 0 || type >= tess::kUnitStates) __builtin_trap();
    }
    const std::vector<uint8_t> saved = setup.first->SaveToBytes();
    if (!setup.second->LoadFromBytes(saved, "fuzz.sav", map)) __builtin_trap();
    if (setup.second->SaveToBytes() != saved) __builtin_trap();
    return 0;
}
