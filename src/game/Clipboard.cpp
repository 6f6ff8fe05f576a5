// The map clipboard, its clip file and the undo snapshot.
#include "game/Clipboard.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr const char* kTooMuchData = "moc dat, zasobnik se nenacetl";

// floor(v / 2) and ceil(v / 2) for any sign.
int64_t HalfDown(int64_t v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}
int64_t HalfUp(int64_t v) {
    return -HalfDown(-v);
}

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// A cell of the map at a position that may lie outside it. Outside, the nearest edge cell is
// read without what stands on it: a region that sticks out of the map must not copy the edge's
// objects, buildings and units again and again.
tMapCell ReadCell(const tMapa& map, int64_t x, int64_t y) {
    const bool inside = x >= 0 && y >= 0 && x <= map.Width && y <= map.Height;
    const int32_t cx = Saturate(std::clamp<int64_t>(x, -1, kMapStorage));
    const int32_t cy = Saturate(std::clamp<int64_t>(y, -1, kMapStorage));
    tMapCell cell = map.Cell(cx, cy);
    if (!inside) {
        cell.Put(1, 0, 3, 0);   // Occupancy
        cell.Put(1, 13, 3, 0);  // LinkKind
        cell.Put(2, 0, 0xFFFF, 0);
    }
    return cell;
}

// The first index from `from` upward whose record is not live; 0 when none is left.
template <typename Record, size_t N>
int32_t FreeIndexFrom(const std::array<Record, N>& records, int32_t from) {
    for (int32_t i = std::max(from, 1); i < static_cast<int32_t>(N); ++i)
        if (records[static_cast<size_t>(i)].Used != 1) return i;
    return 0;
}

void PutName(uint8_t* p, const ShortString& s) {
    p[0] = s.Length;
    std::memcpy(p + 1, s.Text, sizeof s.Text);
}
void GetName(const uint8_t* p, ShortString& s) {
    s.Length = p[0];
    std::memcpy(s.Text, p + 1, sizeof s.Text);
}

// The unit record as laid out in memory: 32-bit fields on multiples of 4.
void PutUnit(uint8_t* p, const tUnitRec& u) {
    p[0] = u.Used;
    p[1] = p[2] = p[3] = 0;
    PutLeI32(p + 4, u.IdPerson);
    PutLeI32(p + 8, u.IdPlayer);
    PutLeI32(p + 12, u.IdObject);
    PutLeI32(p + 16, u.X);
    PutLeI32(p + 20, u.Y);
    PutName(p + 24, u.Name);
    p[55] = 0;
    PutLeI32(p + 56, u.UtoC);
    PutLeI32(p + 60, u.ObrC);
    PutLeI32(p + 64, u.Zivoty);
    PutLeI32(p + 68, u.Tag);
    PutLeI32(p + 72, u.AI);
    PutLeI32(p + 76, u.StaryZaznam);
    PutLeI32(p + 80, u.Smer);
    PutLeI32(p + 84, u.ProcZivotu);
    PutLeI32(p + 88, u.PatrolaX);
    PutLeI32(p + 92, u.PatrolaY);
    p[96] = u.AIEnabled;
    p[97] = u.Neviditelny;
    p[98] = u.Pozorovatel;
    p[99] = u.Imortal;
}

void GetUnit(const uint8_t* p, tUnitRec& u) {
    ZeroRecord(u);
    u.Used = p[0];
    u.IdPerson = LeI32(p + 4);
    u.IdPlayer = LeI32(p + 8);
    u.IdObject = LeI32(p + 12);
    u.X = LeI32(p + 16);
    u.Y = LeI32(p + 20);
    GetName(p + 24, u.Name);
    u.UtoC = LeI32(p + 56);
    u.ObrC = LeI32(p + 60);
    u.Zivoty = LeI32(p + 64);
    u.Tag = LeI32(p + 68);
    u.AI = LeI32(p + 72);
    u.StaryZaznam = LeI32(p + 76);
    u.Smer = LeI32(p + 80);
    u.ProcZivotu = LeI32(p + 84);
    u.PatrolaX = LeI32(p + 88);
    u.PatrolaY = LeI32(p + 92);
    u.AIEnabled = p[96];
    u.Neviditelny = p[97];
    u.Pozorovatel = p[98];
    u.Imortal = p[99];
}

void PutBuilding(uint8_t* p, const tBuildingRec& b) {
    p[0] = b.Used;
    p[1] = p[2] = p[3] = 0;
    PutLeI32(p + 4, b.IdBuilding);
    PutLeI32(p + 8, b.IdObject);
    PutLeI32(p + 12, b.IdTouwn);
    PutLeI32(p + 16, b.X);
    PutLeI32(p + 20, b.Y);
    p[24] = b.ProcVystavby;
    p[25] = p[26] = p[27] = 0;
    PutLeI32(p + 28, b.Tag);
    p[32] = b.ProcZivotu;
    p[33] = b.Pozorovatel;
    p[34] = b.Imortal;
    p[35] = 0;
}

void GetBuilding(const uint8_t* p, tBuildingRec& b) {
    ZeroRecord(b);
    b.Used = p[0];
    b.IdBuilding = LeI32(p + 4);
    b.IdObject = LeI32(p + 8);
    b.IdTouwn = LeI32(p + 12);
    b.X = LeI32(p + 16);
    b.Y = LeI32(p + 20);
    b.ProcVystavby = p[24];
    b.Tag = LeI32(p + 28);
    b.ProcZivotu = p[32];
    b.Pozorovatel = p[33];
    b.Imortal = p[34];
}

// Reads a clip file whole; "" on success, else why not. The size is checked before anything is
// read, so a huge or endless file costs nothing.
std::string ReadClipFile(const std::string& name, std::vector<uint8_t>& bytes) {
    try {
        bytes = ReadDiskFile(name, kClipFileSize);
    } catch (const IoError& e) {
        return e.what();
    }
    if (bytes.size() != kClipFileSize)
        return "má " + std::to_string(bytes.size()) + " bajtů, soubor schránky jich má " +
               std::to_string(kClipFileSize);
    return {};
}

}  // namespace

AxisOffset AxisOffsets(TPoint a, TPoint b) {
    // A step in direction 0 keeps x + ceil(y / 2) and lowers x - floor(y / 2) by one; a step in
    // direction 6 keeps the second and lowers the first. With k = (direction-0 offset) + b.y that
    // gives k = (b.x - a.x) + floor(a.y / 2) + ceil(b.y / 2). It equals
    // nearest((b.x - a.x) + (b.y + a.y) / 2 + 0.4999) (half to even; no tie can arise) except
    // when a.y is odd and b.y even, where it is one less.
    const int64_t k = (int64_t{b.X} - a.X) + HalfDown(a.Y) + HalfUp(b.Y);
    return {Saturate(int64_t{a.Y} - k), Saturate(k - b.Y)};
}

// --- undo snapshot -----------------------------------------------------------------------------

tData::tData() : map_(std::make_unique<tMapa>()), store_(std::make_unique<tKalistor>()) {}

namespace {

// The parts a snapshot holds, copied as flat blocks.
void CopyGrid(const tMapa& from, tMapa& to) {
    to.Width = from.Width;
    to.Height = from.Height;
    std::memcpy(static_cast<void*>(to.Cells()), from.Cells(),
                sizeof(tMapCell) * size_t{kMapStorage} * kMapStorage);
}

template <typename Array>
void CopyRecords(const Array& from, Array& to) {
    static_assert(std::is_trivially_copyable_v<typename Array::value_type>);
    std::memcpy(static_cast<void*>(to.data()), from.data(), sizeof(from));
}

void CopyStore(const tKalistor& from, tKalistor& to) {
    to.PlayerCount = from.PlayerCount;
    CopyRecords(from.Players, to.Players);
    to.SettlementCount = from.SettlementCount;
    CopyRecords(from.Settlements, to.Settlements);
    to.BuildingCount = from.BuildingCount;
    CopyRecords(from.Buildings, to.Buildings);
    to.UnitCount = from.UnitCount;
    CopyRecords(from.Units, to.Units);
}

}  // namespace

void tData::Store(const tMapa& map, const tKalistor& store) {
    CopyGrid(map, *map_);
    CopyStore(store, *store_);
    stored_ = true;
}

bool tData::Restore(tMapa& map, tKalistor& store) const {
    if (!stored_) return false;
    CopyGrid(*map_, map);
    CopyStore(*store_, store);
    return true;
}

// --- clipboard ---------------------------------------------------------------------------------

tClipBoard::tClipBoard() {
    for (tUnitRec& u : UnitsCopy)
        ZeroRecord(u);
    for (tBuildingRec& b : BuildingsCopy)
        ZeroRecord(b);
}

void tClipBoard::Normalize() {
    if (Rectangular) {
        Origin = {std::min(CornerA.X, CornerB.X), std::min(CornerA.Y, CornerB.Y)};
        Columns = Saturate(std::abs(int64_t{CornerA.X} - CornerB.X));
        Rows = Saturate(std::abs(int64_t{CornerA.Y} - CornerB.Y));
        return;
    }
    const AxisOffset offset = AxisOffsets(CornerA, CornerB);
    Rows = offset.AlongUpLeft;
    Columns = offset.AlongUpRight;
    int64_t x = CornerA.X;
    int64_t y = CornerA.Y;
    const auto walk = [&x, &y](int64_t steps, int direction) {
        for (int64_t s = 0; s < steps; ++s) {
            const DirectionStep& step = kDirectionSteps[y & 1][direction];
            x += step.dx;
            y += step.dy;
        }
    };
    // The origin is the corner from which the rows run up-left and the cells up-right.
    if (Rows < 0) {
        Rows = Saturate(-int64_t{Rows});
        walk(std::min<int64_t>(Rows, 2 * kMapStorage), kDirDownRight);
    }
    if (Columns < 0) {
        Columns = Saturate(-int64_t{Columns});
        walk(std::min<int64_t>(Columns, 2 * kMapStorage), kDirDownLeft);
    }
    Origin = {Saturate(x), Saturate(y)};
}

bool tClipBoard::InSelection(int32_t x, int32_t y) const {
    if (Rectangular)
        return Origin.X <= x && int64_t{x} <= int64_t{Origin.X} + Columns && Origin.Y <= y &&
               int64_t{y} <= int64_t{Origin.Y} + Rows;
    const AxisOffset offset = AxisOffsets(Origin, {x, y});
    return offset.AlongUpLeft >= 0 && offset.AlongUpLeft <= Rows && offset.AlongUpRight >= 0 &&
           offset.AlongUpRight <= Columns;
}

void tClipBoard::Copy(const tMapa& map, const tKalistor& store, int32_t x, int32_t y) {
    State = kClipIdle;
    Rows = std::max(Rows, 0);
    Columns = std::max(Columns, 0);
    int32_t copied = 0;
    bool tooMany = false;
    WalkClipRegion(x, y, Rows, Columns, Rectangular != 0, 0,
                   [&](int64_t cx, int64_t cy, int32_t i) {
                       if (i >= kClipCells) {
                           tooMany = true;
                           return false;
                       }
                       Cells[static_cast<size_t>(i)] = ReadCell(map, cx, cy);
                       copied = i + 1;
                       return true;
                   });
    if (tooMany) {
        ErrorBox(kTooMuchData);
        // Whole rows only, so that a paste and the clip file see a complete region.
        Rows = kClipCells / Columns;
    }
    // Cells past the region carry nothing of an earlier copy into a clip file.
    std::fill(Cells.begin() + copied, Cells.end(), tMapCell{});
    CopyRecords(store.Units, UnitsCopy);
    CopyRecords(store.Buildings, BuildingsCopy);
    Rotation = 0;
}

bool tClipBoard::Paste(tMapa& map, tKalistor& store, int32_t x, int32_t y, bool withGameData) {
    bool complete = true;
    int32_t nextUnit = 1;
    int32_t nextBuilding = 1;
    ForEachPasteCell(x, y, [&](int64_t cx, int64_t cy, int32_t i) {
        if (cx < 0 || cy < 0 || cx > map.Width || cy > map.Height) return true;
        const auto px = static_cast<int32_t>(cx);
        const auto py = static_cast<int32_t>(cy);
        tMapCell cell = Cells[static_cast<size_t>(i)];
        const int kind = cell.LinkKind();
        if (withGameData && cell.Occupancy() == 2 && (kind == 1 || kind == 2)) {
            const int32_t id = cell.Id();
            const bool live =
                kind == 2 ? id <= kMaxUnits && UnitsCopy[static_cast<size_t>(id)].Used == 1
                          : id <= kMaxBuildings && BuildingsCopy[static_cast<size_t>(id)].Used == 1;
            if (id < 1 || !live) {
                // No record to paste: the anchor would point at an unrelated record.
                cell.Put(1, 0, 3, 0);
                cell.Put(1, 13, 3, 0);
                cell.Put(2, 0, 0xFFFF, 0);
            } else if (kind == 2) {
                const int32_t slot = FreeIndexFrom(store.Units, nextUnit);
                if (slot == 0) {
                    Ui().MessageBox("Vkládání zastaveno: mapa má již " + std::to_string(kMaxUnits) +
                                        " jednotek, víc jich mít nemůže.",
                                    Buttons::Ok);
                    complete = false;
                    return false;
                }
                tUnitRec& unit = store.Units[static_cast<size_t>(slot)];
                unit = UnitsCopy[static_cast<size_t>(id)];
                unit.X = px;
                unit.Y = py;
                store.UnitCount = std::max(store.UnitCount, slot);
                cell.Put(2, 0, 0xFFFF, slot);
                nextUnit = slot + 1;
            } else {
                const int32_t slot = FreeIndexFrom(store.Buildings, nextBuilding);
                if (slot == 0) {
                    Ui().MessageBox("Vkládání zastaveno: mapa má již " +
                                        std::to_string(kMaxBuildings) +
                                        " budov, víc jich mít nemůže.",
                                    Buttons::Ok);
                    complete = false;
                    return false;
                }
                tBuildingRec& building = store.Buildings[static_cast<size_t>(slot)];
                building = BuildingsCopy[static_cast<size_t>(id)];
                building.X = px;
                building.Y = py;
                store.BuildingCount = std::max(store.BuildingCount, slot);
                cell.Put(2, 0, 0xFFFF, slot);
                nextBuilding = slot + 1;
            }
        }
        // Heights are not pasted; terrain goes to the whole block of the cell.
        const int level = map.GetLevel(px, py);
        map.SetCell(px, py, cell);
        map.SetLevel(px, py, level);
        map.SetTerrain(px, py, cell.Terrain());
        return true;
    });
    return complete;
}

int32_t tClipBoard::LiveUnits() const {
    return static_cast<int32_t>(std::count_if(UnitsCopy.begin(), UnitsCopy.end(),
                                              [](const tUnitRec& u) { return u.Used == 1; }));
}

int32_t tClipBoard::LiveBuildings() const {
    return static_cast<int32_t>(std::count_if(BuildingsCopy.begin(), BuildingsCopy.end(),
                                              [](const tBuildingRec& b) { return b.Used == 1; }));
}

// --- clip file ---------------------------------------------------------------------------------

std::vector<uint8_t> tClipBoard::SaveToBytes() const {
    std::vector<uint8_t> bytes(kClipFileSize);
    SaveToBuffer(bytes);
    return bytes;
}

void tClipBoard::SaveToBuffer(std::span<uint8_t> out) const {
    if (out.size() != kClipFileSize) throw std::invalid_argument("clip file buffer of wrong size");
    // Every byte is written, the ones without meaning as zeros.
    uint8_t* p = out.data();
    PutLeI32(p, Rows);
    PutLeI32(p + 4, Columns);
    for (size_t i = 0; i < Cells.size(); ++i)
        for (size_t w = 0; w < 3; ++w)
            PutLeU16(p + kClipCellsOffset + 6 * i + 2 * w, Cells[i].w[w]);
    for (size_t i = 0; i < UnitsCopy.size(); ++i)
        PutUnit(p + kClipUnitsOffset + kClipUnitRecord * i, UnitsCopy[i]);
    for (size_t i = 0; i < BuildingsCopy.size(); ++i)
        PutBuilding(p + kClipBuildingsOffset + kClipBuildingRecord * i, BuildingsCopy[i]);
    p[kClipRectangularOffset] = Rectangular;
}

void tClipBoard::SaveToFile(const std::string& name) const {
    WriteFileAtomically(ResolveDiskPath(name), SaveToBytes());
}

std::string ClipFileProblem(std::span<const uint8_t> bytes) {
    if (bytes.size() != kClipFileSize)
        return "má " + std::to_string(bytes.size()) + " bajtů, soubor schránky jich má " +
               std::to_string(kClipFileSize);
    const int32_t rows = LeI32(bytes.data());
    const int32_t columns = LeI32(bytes.data() + 4);
    if (rows < 0 || columns < 0 || int64_t{rows} * columns > kClipCells)
        return "výřez " + std::to_string(rows) + " x " + std::to_string(columns) +
               " buněk není možný (schránka má nejvýše " + std::to_string(kClipCells) + " buněk)";
    if (bytes[kClipRectangularOffset] > 1)
        return "neznámý tvar výřezu " + std::to_string(bytes[kClipRectangularOffset]);
    return {};
}

bool tClipBoard::LoadFromBytes(std::span<const uint8_t> bytes, const std::string& name) {
    if (const std::string problem = ClipFileProblem(bytes); !problem.empty()) {
        Ui().MessageBox("Soubor schránky \"" + name + "\" nelze načíst: " + problem + ".",
                        Buttons::Ok);
        return false;
    }
    // Checked above: from here on every read lies inside the bytes.
    const uint8_t* p = bytes.data();
    Rows = LeI32(p);
    Columns = LeI32(p + 4);
    for (size_t i = 0; i < Cells.size(); ++i)
        for (size_t w = 0; w < 3; ++w)
            Cells[i].w[w] = LeU16(p + kClipCellsOffset + 6 * i + 2 * w);
    for (size_t i = 0; i < UnitsCopy.size(); ++i)
        GetUnit(p + kClipUnitsOffset + kClipUnitRecord * i, UnitsCopy[i]);
    for (size_t i = 0; i < BuildingsCopy.size(); ++i)
        GetBuilding(p + kClipBuildingsOffset + kClipBuildingRecord * i, BuildingsCopy[i]);
    Rectangular = p[kClipRectangularOffset];
    Rotation = 0;
    return true;
}

bool tClipBoard::LoadFromFile(const std::string& name) {
    std::vector<uint8_t> bytes;
    if (const std::string why = ReadClipFile(name, bytes); !why.empty()) {
        Ui().MessageBox("Soubor schránky \"" + name + "\" nelze načíst: " + why + ".", Buttons::Ok);
        return false;
    }
    return LoadFromBytes(bytes, name);
}

}  // namespace tess
