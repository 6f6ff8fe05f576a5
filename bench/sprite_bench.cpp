// Sprite decoding throughput (MB of output per second) at 512 x 512, beside memcpy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "resources/Random.h"
#include "resources/Sprites.h"
#include "writers/SpriteWriter.h"

namespace {

using namespace tess;

constexpr int kSide = 512;
constexpr size_t kOutputBytes = size_t(kSide) * kSide * 2;

// A sprite-like picture: transparent background, filled discs with shading and noise.
writers::RgbaImage BenchPicture() {
    Random random(42);
    writers::RgbaImage img(kSide, kSide);
    for (int k = 0; k < 40; ++k) {
        const int cx = random.Next(kSide), cy = random.Next(kSide), r = 20 + random.Next(60);
        const uint8_t red = uint8_t(random.Next(256)), green = uint8_t(random.Next(256));
        for (int y = std::max(0, cy - r); y < std::min(kSide, cy + r); ++y)
            for (int x = std::max(0, cx - r); x < std::min(kSide, cx + r); ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r)
                    img.At(x, y) = {red, uint8_t(green + (x - cx) / 4),
                                    uint8_t(128 + (y - cy) + random.Next(4)), 255};
    }
    return img;
}

const writers::RgbaImage& Picture() {
    static const writers::RgbaImage img = BenchPicture();
    return img;
}

void Report(benchmark::State& state, size_t fileBytes) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kOutputBytes));
    state.counters["file_KB"] = double(fileBytes) / 1024.0;
}

void BM_DecodeRunLength512(benchmark::State& state) {
    writers::TiledOptions o;
    o.TileSize = 64;
    const std::vector<uint8_t> file = writers::WriteDdsr(Picture(), o);
    const SpriteBytes bytes{file, "bench.ddsr", "End of file"};
    tSurface surface;
    for (auto _ : state) {
        DecodeTiledSprite(bytes, TileCodec::RunLength, surface, nullptr);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    Report(state, file.size());
}
BENCHMARK(BM_DecodeRunLength512);

void BM_DecodeDictionary512(benchmark::State& state) {
    writers::TiledOptions o;
    o.Pixels = writers::TilePixels::A8R8G8B8;
    o.TileSize = 64;
    const std::vector<uint8_t> file = writers::WriteDdsl(Picture(), o);
    const SpriteBytes bytes{file, "bench.ddsl", "End of file"};
    tSurface surface;
    for (auto _ : state) {
        DecodeTiledSprite(bytes, TileCodec::Dictionary, surface, nullptr);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    Report(state, file.size());
}
BENCHMARK(BM_DecodeDictionary512);

void BM_DecodeDxt3_512(benchmark::State& state) {
    const std::vector<uint8_t> file = writers::WriteDds(Picture(), {writers::DdsFormat::Dxt3});
    const SpriteBytes bytes{file, "bench.dds", "End of file"};
    tSurface surface;
    for (auto _ : state) {
        DecodeDdsSprite(bytes, surface, nullptr);
        benchmark::DoNotOptimize(surface.Pixels());
    }
    Report(state, file.size());
}
BENCHMARK(BM_DecodeDxt3_512);

// Baseline: copying the decoded size once.
void BM_MemcpyOutput512(benchmark::State& state) {
    std::vector<uint8_t> from(kOutputBytes, 1), to(kOutputBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kOutputBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    Report(state, kOutputBytes);
}
BENCHMARK(BM_MemcpyOutput512);

}  // namespace
