// One step of the edit history: the bytes of the map and its game data that the step changed,
// kept as compact runs, and the swap that undoes and redoes it.
#include "editor/HistoryStep.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <stdexcept>

#include "game/Kalistor.h"
#include "map/MapDat.h"

namespace tess {

namespace {

// The parts of a document a step compares, in the order a step lists them.
enum Region : uint8_t {
    kCellRegion,
    kPlayerRegion,
    kSettlementRegion,
    kBuildingRegion,
    kUnitRegion,
    kSizeRegion,  // Width, Height and the four record counts
};

constexpr size_t kCells = size_t{kMapStorage} * kMapStorage;
// A run: its region, its first unit and its length in units, then the bytes of its units.
constexpr size_t kRunHeader = 1 + 4 + 4;
// Blocks compared whole before a differing one is looked at unit by unit: big enough that the
// calls cost nothing beside the memory read, small enough to stay in the first-level cache.
constexpr size_t kBlockBytes = 4096;

using Sizes = std::array<int32_t, 6>;

Sizes SizesOf(const tMapa& map, const tKalistor& store) {
    return {map.Width,           map.Height,     store.PlayerCount, store.SettlementCount,
            store.BuildingCount, store.UnitCount};
}

void PutSizes(tMapa& map, tKalistor& store, const Sizes& sizes) {
    map.Width = sizes[0];
    map.Height = sizes[1];
    store.PlayerCount = sizes[2];
    store.SettlementCount = sizes[3];
    store.BuildingCount = sizes[4];
    store.UnitCount = sizes[5];
}

template <typename Array>
std::span<uint8_t> BytesOf(Array& array) {
    static_assert(std::is_trivially_copyable_v<typename Array::value_type>);
    return {reinterpret_cast<uint8_t*>(array.data()), sizeof(array)};
}
template <typename Array>
std::span<const uint8_t> BytesOf(const Array& array) {
    static_assert(std::is_trivially_copyable_v<typename Array::value_type>);
    return {reinterpret_cast<const uint8_t*>(array.data()), sizeof(array)};
}

// The bytes of a record array of the store (the size region is packed apart).
template <typename Store>
auto RecordBytes(Store& store, uint8_t region) {
    switch (region) {
        case kPlayerRegion:
            return BytesOf(store.Players);
        case kSettlementRegion:
            return BytesOf(store.Settlements);
        case kBuildingRegion:
            return BytesOf(store.Buildings);
        case kUnitRegion:
            return BytesOf(store.Units);
        default:
            throw std::logic_error("a history step names an unknown region");
    }
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    out.insert(out.end(), bytes, bytes + 4);
}

uint32_t GetU32(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

// Appends a run for every stretch of `Unit`-byte units where `now` differs from `before`, with
// the bytes of `before`. Unchanged gaps shorter than a run's header join the runs around them.
// Returns how many units differ.
template <size_t Unit>
size_t AppendRuns(std::vector<uint8_t>& out, uint8_t region, const uint8_t* before,
                  const uint8_t* now, size_t units) {
    constexpr size_t kBlockUnits = std::max<size_t>(1, kBlockBytes / Unit);
    constexpr size_t kMaxGap = kRunHeader / Unit;
    size_t changed = 0;
    bool open = false;
    size_t start = 0;
    size_t end = 0;
    const auto flush = [&] {
        if (!open) return;
        out.push_back(region);
        PutU32(out, static_cast<uint32_t>(start));
        PutU32(out, static_cast<uint32_t>(end - start));
        out.insert(out.end(), before + start * Unit, before + end * Unit);
        open = false;
    };
    for (size_t block = 0; block < units; block += kBlockUnits) {
        const size_t count = std::min(kBlockUnits, units - block);
        if (std::memcmp(before + block * Unit, now + block * Unit, count * Unit) == 0) continue;
        for (size_t i = block; i < block + count; ++i) {
            if (std::memcmp(before + i * Unit, now + i * Unit, Unit) == 0) continue;
            ++changed;
            if (open && i - end <= kMaxGap) {
                end = i + 1;
                continue;
            }
            flush();
            open = true;
            start = i;
            end = i + 1;
        }
    }
    flush();
    return changed;
}

template <size_t Unit>
void AppendRecordRuns(std::vector<uint8_t>& out, uint8_t region, const tKalistor& before,
                      const tKalistor& now) {
    const std::span<const uint8_t> a = RecordBytes(before, region);
    const std::span<const uint8_t> b = RecordBytes(now, region);
    AppendRuns<Unit>(out, region, a.data(), b.data(), a.size() / Unit);
}

}  // namespace

HistoryStep HistoryStep::Between(const tMapa& beforeMap, const tKalistor& beforeStore,
                                 const tMapa& map, const tKalistor& store) {
    static_assert(sizeof(tMapCell) == 6);
    HistoryStep step;
    step.cells_ = AppendRuns<sizeof(tMapCell)>(
        step.runs_, kCellRegion, reinterpret_cast<const uint8_t*>(beforeMap.Cells()),
        reinterpret_cast<const uint8_t*>(map.Cells()), kCells);
    for (uint8_t region : {kPlayerRegion, kSettlementRegion, kBuildingRegion, kUnitRegion})
        AppendRecordRuns<1>(step.runs_, region, beforeStore, store);
    const Sizes before = SizesOf(beforeMap, beforeStore);
    const Sizes after = SizesOf(map, store);
    AppendRuns<sizeof(int32_t)>(step.runs_, kSizeRegion,
                                reinterpret_cast<const uint8_t*>(before.data()),
                                reinterpret_cast<const uint8_t*>(after.data()), before.size());
    step.runs_.shrink_to_fit();
    return step;
}

void HistoryStep::Swap(tMapa& map, tKalistor& store) {
    Sizes sizes = SizesOf(map, store);
    bool sizesChanged = false;
    size_t at = 0;
    while (at < runs_.size()) {
        const uint8_t region = runs_[at];
        const size_t first = GetU32(&runs_[at + 1]);
        const size_t count = GetU32(&runs_[at + 5]);
        at += kRunHeader;
        std::span<uint8_t> target;
        size_t unit = 1;
        if (region == kCellRegion) {
            unit = sizeof(tMapCell);
            target = {reinterpret_cast<uint8_t*>(map.Cells()), kCells * unit};
        } else if (region == kSizeRegion) {
            unit = sizeof(int32_t);
            target = {reinterpret_cast<uint8_t*>(sizes.data()), sizeof(sizes)};
            sizesChanged = true;
        } else {
            target = RecordBytes(store, region);
        }
        const size_t bytes = count * unit;
        // The runs are this program's own, written by Between over the same layout.
        if (first * unit + bytes > target.size() || at + bytes > runs_.size())
            throw std::logic_error("a history step does not fit the document");
        std::swap_ranges(runs_.begin() + static_cast<ptrdiff_t>(at),
                         runs_.begin() + static_cast<ptrdiff_t>(at + bytes),
                         target.begin() + static_cast<ptrdiff_t>(first * unit));
        at += bytes;
    }
    if (sizesChanged) PutSizes(map, store, sizes);
}

}  // namespace tess
