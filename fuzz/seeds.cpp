// fuzz_seeds CORPUS_DIR: writes the seed corpus of every fuzz target into CORPUS_DIR/fuzz_<name>/.
#include <cstdio>
#include <exception>
#include <fstream>

#include "Seeds.h"

namespace tess::fuzz {

void WriteSeed(const std::filesystem::path& corpus, const std::string& target,
               const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path dir = corpus / target;
    std::filesystem::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write seed " + (dir / name).string());
}

}  // namespace tess::fuzz

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path corpus = argv[1];
        tess::fuzz::WriteArchiveSeeds(corpus);
        tess::fuzz::WriteClipSeeds(corpus);
        tess::fuzz::WriteMapSeeds(corpus);
        tess::fuzz::WriteTableSeeds(corpus);
        tess::fuzz::WriteSpriteSeeds(corpus.string());
        tess::fuzz::WriteIndexedBitmapSeeds(corpus);
        tess::fuzz::WriteCatalogueSeeds(corpus);
        tess::fuzz::WriteViewSeeds(corpus);
        tess::fuzz::WriteScriptSeeds(corpus);
        tess::fuzz::WriteVideoSeeds(corpus);
        tess::fuzz::WriteRecoverySeeds(corpus);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
