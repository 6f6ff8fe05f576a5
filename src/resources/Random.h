// The program's seedable random source (brushes, new maps, name draws).
#pragma once

#include <cstdint>

namespace tess {

// A small, fast generator (splitmix64: a 64-bit counter advanced by a fixed odd constant, each
// value mixed by two multiply-xorshift rounds); the same seed gives the same sequence on every
// machine, which keeps new maps, scripts and tests reproducible.
class Random {
  public:
    explicit Random(uint64_t seed = 0x5EED5EEDu) { Seed(seed); }

    void Seed(uint64_t seed) { state_ = seed ^ 0x9E3779B97F4A7C15ull; }

    uint64_t NextU64() {
        // splitmix64
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in 0 .. range-1; 0 for a range below 1.
    int Next(int range) {
        if (range <= 1) return 0;
        return static_cast<int>((NextU64() >> 32) * static_cast<uint64_t>(range) >> 32);
    }

  private:
    uint64_t state_ = 0;
};

}  // namespace tess
