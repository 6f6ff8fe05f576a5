// Fuzz target: the clip file, loaded, walked, saved again and pasted into a small map.
//
// An input of exactly the clip file's size is loaded as it is. Any other input must be refused
// as it is, and then patches a valid clip file (see ClipBase.h), so that small inputs reach
// every byte of the 1.7 MB format. Whatever loads is walked as "clip info" walks it, saved
// again, pasted into a small map with and without game data, and the map check runs over it.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "ClipBase.h"
#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "map/MapDat.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr int32_t kMapSide = 48;

// Large objects, made once and reused for every input.
struct Setup {
    SilentUi ui;
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    std::unique_ptr<tClipBoard> clip = std::make_unique<tClipBoard>();
    std::vector<uint8_t> base = fuzz::BuildClipBase();
    std::vector<tMapCell> pristine;  // the map's cells 0..kMapSide in both directions
    std::vector<uint8_t> saved = std::vector<uint8_t>(kClipFileSize);

    Setup() {
        SetUi(&ui);
        Random random(7);
        map->Create(kMapSide, kMapSide, random, WallTableSource::None);
        for (int32_t y = 0; y <= kMapSide; ++y)
            for (int32_t x = 0; x <= kMapSide; ++x)
                pristine.push_back(map->Cell(x, y));
        Require(clip->LoadFromBytes(base, "base.clp"));
    }

    void ResetMapAndStore() {
        size_t i = 0;
        for (int32_t y = 0; y <= kMapSide; ++y)
            for (int32_t x = 0; x <= kMapSide; ++x)
                map->SetCell(x, y, pristine[i++]);
        store->Clear();
        for (int32_t p = 1; p <= 2; ++p)
            store->Players[static_cast<size_t>(p)].Used = 1;
        store->PlayerCount = 2;
        store->Settlements[1].Used = 1;
        store->Settlements[1].IdPlayer = 1;
        store->SettlementCount = 1;
    }
};

// What a refused load must leave alone.
struct Fingerprint {
    int32_t rows, columns;
    uint8_t rectangular, rotation;
    tMapCell first, last;
    int32_t unitOwner, buildingTag;

    explicit Fingerprint(const tClipBoard& c)
        : rows(c.Rows),
          columns(c.Columns),
          rectangular(c.Rectangular),
          rotation(c.Rotation),
          first(c.Cells.front()),
          last(c.Cells.back()),
          unitOwner(c.UnitsCopy[fuzz::kBaseUnit].IdPlayer),
          buildingTag(c.BuildingsCopy[fuzz::kBaseBuilding].Tag) {}
    bool operator==(const Fingerprint&) const = default;
};

void PasteAndCheck(Setup& s, uint8_t control, uint8_t position) {
    tClipBoard& clip = *s.clip;
    Require(clip.Rows >= 0 && clip.Columns >= 0 && int64_t{clip.Rows} * clip.Columns <= 65536);
    Require(clip.Rectangular <= 1 && clip.Rotation == 0);
    // What "clip info" shows.
    Require(clip.LiveUnits() <= kMaxUnits + 1 && clip.LiveBuildings() <= kMaxBuildings + 1);
    // Whatever loaded saves to a file that loads, with the same region.
    clip.SaveToBuffer(s.saved);
    Require(ClipFileProblem(s.saved).empty());
    Require(s.saved[kClipRectangularOffset] == clip.Rectangular &&
            s.saved[0] == (clip.Rows & 0xFF));

    s.ResetMapAndStore();
    clip.Rotation = control & 7;
    const bool withGameData = (control & 8) != 0;
    const int32_t x = (position & 15) * 4 - 8;
    const int32_t y = (position >> 4) * 4 - 8;
    Require(clip.Paste(*s.map, *s.store, x, y, withGameData));
    Require(s.map->Width == kMapSide && s.map->Height == kMapSide);

    // Every record a paste made stands where its cell links back to it.
    if (!withGameData) Require(s.store->UnitCount == 0 && s.store->BuildingCount == 0);
    Require(s.store->UnitCount <= kMaxUnits && s.store->BuildingCount <= kMaxBuildings);
    for (int32_t i = 1; i <= s.store->UnitCount; ++i) {
        const tUnitRec& u = s.store->Units[static_cast<size_t>(i)];
        if (u.Used != 1) continue;
        const tMapCell& c = s.map->Cell(u.X, u.Y);
        Require(s.map->InRange(u.X, u.Y) && c.Occupancy() == 2 && c.LinkKind() == 2 && c.Id() == i);
    }
    for (int32_t i = 1; i <= s.store->BuildingCount; ++i) {
        const tBuildingRec& b = s.store->Buildings[static_cast<size_t>(i)];
        if (b.Used != 1) continue;
        const tMapCell& c = s.map->Cell(b.X, b.Y);
        Require(s.map->InRange(b.X, b.Y) && c.Occupancy() == 2 && c.LinkKind() == 1 && c.Id() == i);
    }

    tMapCheck check(*s.map, *s.store);
    check.Check(kCheckFull, false);
    for (const CheckFinding& f : check.Findings())
        Require(!f.Text().empty() && s.map->InRange(f.X, f.Y));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup* const setup = new Setup();
    Setup& s = *setup;
    const std::span<const uint8_t> input(data, size);

    if (size == kClipFileSize) {
        const Fingerprint before(*s.clip);
        if (!s.clip->LoadFromBytes(input, "fuzz.clp")) {
            Require(!ClipFileProblem(input).empty() && Fingerprint(*s.clip) == before);
            return 0;
        }
        PasteAndCheck(s, data[size - 2], data[size - 3]);
        return 0;
    }

    // Another size is refused and changes nothing.
    const Fingerprint before(*s.clip);
    const int messages = s.ui.messages;
    Require(!s.clip->LoadFromBytes(input, "fuzz.clp"));
    Require(Fingerprint(*s.clip) == before && s.ui.messages == messages + 1);

    // Patch the base, load, and put the base's bytes back afterwards.
    const uint8_t control = size > 0 ? data[0] : 0;
    const uint8_t position = size > 1 ? data[1] : 0x55;
    std::vector<std::pair<size_t, uint8_t>> undo;
    for (size_t p = fuzz::kPatchControlBytes;
         p + fuzz::kPatchBytes <= size && undo.size() < fuzz::kMostPatches;
         p += fuzz::kPatchBytes) {
        const size_t offset =
            (size_t(data[p]) | size_t(data[p + 1]) << 8 | size_t(data[p + 2]) << 16) %
            kClipFileSize;
        undo.emplace_back(offset, s.base[offset]);
        s.base[offset] = data[p + 3];
    }
    const bool loaded = s.clip->LoadFromBytes(s.base, "fuzz.clp");
    if (!loaded) Require(!ClipFileProblem(s.base).empty() && Fingerprint(*s.clip) == before);
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        s.base[it->first] = it->second;
    if (loaded) PasteAndCheck(s, control, position);
    return 0;
}
