// Map grid benchmarks: save, load and Clear of a 2047 x 2047 map, beside raw file I/O and a
// memset of the same bytes measured in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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
        // Both sides of the load comparison read this one file, so they meet the same page
        // cache.
        map.SaveToFile(File("load.map"), view);
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

// The processor time of the calling thread, in milliseconds: unlike the wall clock it leaves
// out the time other programs take the processor away, which on a shared machine is most of the
// noise.
double ThreadMilliseconds() {
    timespec t;
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
}

// Load and raw read of the same file taken in turns, so that both meet the same machine; the
// counters give the median of each, by the wall clock and by the thread's processor time, and
// the ratios of the medians.
void BM_MapLoadBesideRawRead(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.File("load.map");
    static tMapa loaded;
    std::vector<char> buffer(kFileBytes);
    std::memset(buffer.data(), 0, buffer.size());
    std::vector<double> loads, reads, loadsCpu, readsCpu;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    for (auto _ : state) {
        const auto start = Clock::now();
        const double startCpu = ThreadMilliseconds();
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
        const auto middle = Clock::now();
        const double middleCpu = ThreadMilliseconds();
        ViewPosition view = f.view;
        if (!loaded.LoadFromFile(path, view)) state.SkipWithError("load refused");
        const auto end = Clock::now();
        const double endCpu = ThreadMilliseconds();
        reads.push_back(ms(middle - start));
        loads.push_back(ms(end - middle));
        readsCpu.push_back(middleCpu - startCpu);
        loadsCpu.push_back(endCpu - middleCpu);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    const double load = Median(loads), read = Median(reads);
    const double loadCpu = Median(loadsCpu), readCpu = Median(readsCpu);
    state.counters["load_ms"] = load;
    state.counters["raw_read_ms"] = read;
    state.counters["load_per_read"] = load / read;
    state.counters["load_cpu_ms"] = loadCpu;
    state.counters["raw_read_cpu_ms"] = readCpu;
    state.counters["cpu_load_per_read"] = loadCpu / readCpu;
}
BENCHMARK(BM_MapLoadBesideRawRead)->Unit(benchmark::kMillisecond)->UseManualTime();

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
