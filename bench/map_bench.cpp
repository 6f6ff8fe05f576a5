// Map grid benchmarks: save, load and Clear of a 2047 x 2047 map, beside raw file I/O and a
// memset of the same bytes measured in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "map/MapDat.h"
#include "resources/UiHost.h"

namespace tess {
namespace {

constexpr int kSide = kMaxMapSize;
constexpr size_t kFileBytes = 6 * size_t(kSide) * kSide + 536;  // what the editor writes

// One full-size map and a scratch directory for the whole run.
struct Fixture {
    tMapa map;
    std::string dir;
    ViewPosition view{0, 0, 0, 0, 1024, 768};

    Fixture() {
        Random random(1);
        map.FillAsNewMap(kSide, kSide, random);
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        dir = pattern;
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string File(const char* name) const { return dir + "/" + name; }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

std::vector<char>& RawBytes() {
    static std::vector<char> bytes(kFileBytes, 'm');
    return bytes;
}

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// Save: header, rows, tail into a temporary file beside the target, fsync, rename.
void BM_MapSave2047(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("save.map");
    for (auto _ : state)
        f.map.SaveToFile(path, f.view);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_MapSave2047)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline of the save: the same number of bytes in one write, with fsync like the save.
void BM_RawWriteFsync(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("raw.bin");
    const std::vector<char>& bytes = RawBytes();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Check(fd >= 0, "open");
        Check(::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()), "write");
        Check(::fsync(fd) == 0, "fsync");
        ::close(fd);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_RawWriteFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

// Load: checks, then the rows straight into the storage, view placement, old-object scan.
void BM_MapLoad2047(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("load.map");
    f.map.SaveToFile(path, f.view);
    static tMapa loaded;
    for (auto _ : state) {
        ViewPosition view = f.view;
        if (!loaded.LoadFromFile(path, view)) state.SkipWithError("load refused");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_MapLoad2047)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline of the load: the same file read whole into a buffer that already exists.
void BM_RawRead(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("load.map");
    f.map.SaveToFile(path, f.view);
    std::vector<char> buffer(kFileBytes);
    std::memset(buffer.data(), 0, buffer.size());
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        Check(fd >= 0, "open");
        size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
            Check(n > 0, "read");
            done += size_t(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFileBytes));
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// Clear of the full grid: zeroing the storage plus five fields rolled for every cell.
void BM_MapClear2047(benchmark::State& state) {
    Fixture& f = TheFixture();
    Random random(2);
    for (auto _ : state) {
        f.map.Clear(random);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_MapClear2047)->Unit(benchmark::kMillisecond);

// Baseline of Clear: zeroing the same storage only.
void BM_StorageMemset(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        std::memset(static_cast<void*>(f.map.Cells()), 0,
                    sizeof(tMapCell) * size_t(kMapStorage) * kMapStorage);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_StorageMemset)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess
