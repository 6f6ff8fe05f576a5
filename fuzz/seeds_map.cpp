// Seeds for fuzz_map: small map files written by the map itself, and shortened variants.
#include "Seeds.h"
#include "map/MapDat.h"
#include "resources/Bytes.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace tess::fuzz {

std::vector<uint8_t> SavedMapBytes(const tMapa& map, TPoint centre) {
    char pattern[] = "/tmp/tess-seed-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::close(fd);
    map.SaveToFileAtCentre(pattern, centre);
    std::vector<uint8_t> bytes;
    if (std::FILE* f = std::fopen(pattern, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    ::unlink(pattern);
    return bytes;
}

void WriteMapSeeds(const std::filesystem::path& corpus) {
    const std::string target = "fuzz_map";
    tMapa map;
    Random random(11);
    map.FillAsNewMap(6, 5, random);
    map.SetOccupancy(2, 3, 3);
    map.SetId(2, 3, 4);
    const std::vector<uint8_t> full = SavedMapBytes(map, TPoint{3, 2});
    WriteSeed(corpus, target, "full-6x5", full);
    const size_t cellsEnd = 16 + 6 * 6 * 5;
    WriteSeed(corpus, target, "cells-only", {full.begin(), full.begin() + long(cellsEnd)});
    WriteSeed(corpus, target, "centre-only", {full.begin(), full.begin() + long(cellsEnd) + 8});
    WriteSeed(corpus, target, "no-shades", {full.begin(), full.end() - 16});

    // The two old pair types, placed so that the load converts them.
    map.FillAsNewMap(8, 8, random);
    for (const auto& [x, y, id] : {std::tuple{3, 5, 270}, {4, 4, 270}, {5, 7, 271}, {5, 6, 271}}) {
        map.SetOccupancy(x, y, 2);
        map.SetId(x, y, id);
    }
    WriteSeed(corpus, target, "old-pairs", SavedMapBytes(map, TPoint{-5, 900}));

    map.FillAsNewMap(1, 1, random);
    WriteSeed(corpus, target, "one-cell", SavedMapBytes(map, TPoint{0, 0}));

    std::vector<uint8_t> old = full;
    ByteWriter version;
    version.F64(1.01);
    std::copy(version.Data().begin(), version.Data().end(), old.begin());
    WriteSeed(corpus, target, "version-1.01", old);
}

}  // namespace tess::fuzz
