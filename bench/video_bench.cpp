// Video frame reading: the last frame of a 10-second clip beside its first frame (the cost of
// decoding forward from the key frame), for run-length frames with a single key frame and for
// uncompressed frames, where every frame is a key frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "resources/Avi.h"
#include "resources/UiHost.h"
#include "writers/AviWriter.h"

namespace tess {
namespace {

constexpr int kSide = 96;  // a keeper's face
constexpr int kFramesPerSecond = 25;
constexpr int kFrames = 10 * kFramesPerSecond;

// A face-like clip: a still backdrop and a moving part, so delta frames stay small.
writers::AviVideo Clip(writers::AviCodec codec) {
    writers::AviVideo video;
    video.Codec = codec;
    video.FramesPerSecond = kFramesPerSecond;
    for (int k = 0; k < kFrames; ++k) {
        writers::RgbaImage img(kSide, kSide);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int dx = x - kSide / 2, dy = y - kSide / 2 - (k % 8);
                const bool face = dx * dx + dy * dy < 30 * 30;
                img.At(x, y) = face ? writers::RgbaPixel{uint8_t(200 + (x + k) % 5 * 8), 150,
                                                         uint8_t(100 + y % 4 * 16), 255}
                                    : writers::RgbaPixel{20, uint8_t(30 + y / 8), 60, 255};
            }
        video.Frames.push_back(img);
    }
    return video;
}

// The two clips, written once for the run into a temporary directory.
struct Files {
    std::filesystem::path dir;
    std::string rle, raw;
    Files() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        dir = pattern;
        rle = Write("rle.avi", writers::WriteAvi(Clip(writers::AviCodec::Rle8)));
        raw = Write("raw.avi", writers::WriteAvi(Clip(writers::AviCodec::Uncompressed)));
    }
    ~Files() { std::filesystem::remove_all(dir); }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

void ReadFrame(benchmark::State& state, const std::string& path, int32_t index) {
    SilentUi ui;
    ScopedUi quiet(ui);
    tAviFile avi;
    avi.FileName = path;
    tSurface frame;
    for (auto _ : state) {
        if (!GetAviFrame(avi, index, frame)) state.SkipWithError("frame not read");
        benchmark::DoNotOptimize(frame.Pixels());
    }
    state.counters["frame"] = index;
}

// Baseline: the first frame, right after the key frame that starts the clip.
void BM_AviFirstFrameRle(benchmark::State& state) {
    ReadFrame(state, TheFiles().rle, 0);
}
BENCHMARK(BM_AviFirstFrameRle)->Unit(benchmark::kMicrosecond);

// The last frame: 249 delta frames decoded after the key frame.
void BM_AviLastFrameRle(benchmark::State& state) {
    ReadFrame(state, TheFiles().rle, kFrames - 1);
}
BENCHMARK(BM_AviLastFrameRle)->Unit(benchmark::kMicrosecond);

void BM_AviFirstFrameUncompressed(benchmark::State& state) {
    ReadFrame(state, TheFiles().raw, 0);
}
BENCHMARK(BM_AviFirstFrameUncompressed)->Unit(benchmark::kMicrosecond);

// Every frame is a key frame: the seek goes straight to it.
void BM_AviLastFrameUncompressed(benchmark::State& state) {
    ReadFrame(state, TheFiles().raw, kFrames - 1);
}
BENCHMARK(BM_AviLastFrameUncompressed)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tess
