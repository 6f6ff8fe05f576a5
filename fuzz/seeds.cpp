// fuzz_seeds CORPUS_DIR: writes the seed corpus of every fuzz target.
#include <cstdio>
#include <exception>

#include "Seeds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_DIR\n");
        return 2;
    }
    try {
        tess::fuzz::WriteSpriteSeeds(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
