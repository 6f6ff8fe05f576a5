// The seed corpora of the fuzz targets, each written by its own function into
// CORPUS_DIR/fuzz_<name>/.
#pragma once

#include <string>

namespace tess::fuzz {

void WriteTableSeeds(const std::string& corpusDir);

}  // namespace tess::fuzz
