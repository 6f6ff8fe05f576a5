// Seed corpora for the fuzz targets, generated in code with the project's own writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tess {
class tMapa;
struct TPoint;
}  // namespace tess

namespace tess::fuzz {

// Writes one seed as CORPUS/<target>/<name> (target is the fuzz program, e.g. "fuzz_map").
void WriteSeed(const std::filesystem::path& corpus, const std::string& target,
               const std::string& name, const std::vector<uint8_t>& bytes);

// The bytes of a map file as the map itself saves it (through a temporary file).
std::vector<uint8_t> SavedMapBytes(const tMapa& map, TPoint centre);

// One function per reader; each lives in its own seeds_<name>.cpp and is called by seeds.cpp.
void WriteArchiveSeeds(const std::filesystem::path& corpus);
void WriteClipSeeds(const std::filesystem::path& corpus);
void WriteMapSeeds(const std::filesystem::path& corpus);
void WriteTableSeeds(const std::filesystem::path& corpus);
void WriteSpriteSeeds(const std::string& corpusDir);
void WriteIndexedBitmapSeeds(const std::filesystem::path& corpus);
void WriteCatalogueSeeds(const std::filesystem::path& corpus);
void WriteViewSeeds(const std::filesystem::path& corpus);
void WriteScriptSeeds(const std::filesystem::path& corpus);
void WriteVideoSeeds(const std::filesystem::path& corpus);
void WriteRecoverySeeds(const std::filesystem::path& corpus);

}  // namespace tess::fuzz
