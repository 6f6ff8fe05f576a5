// Seed corpora for the fuzz targets, written with our own writers: one function per area.
#pragma once

#include <string>

namespace tess::fuzz {

// Writes CORPUS_DIR/fuzz_<target>/<seed> files for the sprite and bitmap readers.
void WriteSpriteSeeds(const std::string& corpusDir);

}  // namespace tess::fuzz
