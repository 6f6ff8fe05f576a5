// Seed corpora for the fuzz targets, generated in code with the project's own writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tess::fuzz {

// Writes one seed as CORPUS/<target>/<name> (target is the fuzz program, e.g. "fuzz_map").
void WriteSeed(const std::filesystem::path& corpus, const std::string& target,
               const std::string& name, const std::vector<uint8_t>& bytes);

// One function per reader; each lives in its own seeds_<name>.cpp and is called by seeds.cpp.
void WriteArchiveSeeds(const std::filesystem::path& corpus);
void WriteClipSeeds(const std::filesystem::path& corpus);
void WriteMapSeeds(const std::filesystem::path& corpus);
void WriteTableSeeds(const std::filesystem::path& corpus);
void WriteSpriteSeeds(const std::string& corpusDir);
void WriteIndexedBitmapSeeds(const std::filesystem::path& corpus);
void WriteCatalogueSeeds(const std::filesystem::path& corpus);
void WriteViewSeeds(const std::filesystem::path& corpus);

}  // namespace tess::fuzz
