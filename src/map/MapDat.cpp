// The map document: the cell grid, its terrain list and wall-piece table, and the map file.
#include "map/MapDat.h"

#include <unistd.h>

#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>

#include "map/MapFileRows.h"
#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr size_t kCellBytes = 6;
constexpr size_t kHeaderBytes = 16;  // version, Width, Height
constexpr size_t kNameBytes = 31;    // a short string: length byte and 30 characters
constexpr size_t kCentreBytes = 8;
constexpr size_t kNamesBytes = 16 * kNameBytes;
constexpr size_t kShadeBytes = 16;
constexpr size_t kTailBytes = kCentreBytes + kNamesBytes + kShadeBytes;  // 520

// Two object types of old maps (kOldPairUpRightId, kOldPairUpLeftId) were stored as a pair of
// anchors; a load turns each pair into the new type at the first cell and the old type one cell
// further on.
constexpr int kNewUpRightId = 443;
constexpr int kNewUpLeftId = 442;

struct DefaultTerrain {
    const char* name;
    uint8_t shade;
};
constexpr DefaultTerrain kDefaultTerrains[16] = {
    {"Skala", 1},
    {"Poust", 1},
    {"HlinaK", 1},
    {"KameniB", 1},
    {"KameniT", 1},
    {"Trava", 1},
    {"TravaS", 1},
    {"Les", 1},
    {"Bazina", 1},
    {"Snih", 0},
    {"cp", 1},
    {"ck", 1},
    {"Voda-melka-pohyb0000", 1},
    {"Voda-hluboka-pohyb0000", 1},
    {"Lava", 1},
    {"", 1},
};
// Slot whose shade is 0 when a file carries no shade list ("Snih").
constexpr int kUnshadedSlot = 9;

constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

int32_t ToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

const char* DefaultTerrainName(int slot) {
    return slot >= 0 && slot < 16 ? kDefaultTerrains[slot].name : "";
}

tMapa::tMapa()
    : WallTable(kWallTableSize, 255), cells_(static_cast<size_t>(kMapStorage) * kMapStorage) {}

void tMapa::SetSize(int width, int height) {
    Width = std::clamp(width, 0, kMaxMapSize);
    Height = std::clamp(height, 0, kMaxMapSize);
}

void tMapa::Create(int width, int height, Random& random, WallTableSource walls) {
    SetSize(width, height);
    TerrainLoaded.fill(false);
    if (walls == WallTableSource::GameData)
        ReadWallTable();
    else
        WallTable.assign(kWallTableSize, 255);
    Clear(random);
}

void tMapa::ReadWallTable() {
    std::vector<uint8_t> table(kWallTableSize);
    try {
        TBigFileStreamPtr stream;
        BigFile().OpenFile(stream, kWallTableFile);
        TBigFile::ReadFile(stream.get(), table.data(), table.size());
        TBigFile::CloseFile(stream);
        WallTable = std::move(table);
        return;
    } catch (const IoError&) {
        // Reported below in the program's own words; a short file counts as unreadable.
    }
    WallTable.assign(kWallTableSize, 255);
    ErrorBox(std::string("Nelze nalezt definicni soubor vazby terenu \"") + kWallTableFile + "\".");
}

void tMapa::Clear(Random& random) {
    std::memset(static_cast<void*>(cells_.data()), 0, cells_.size() * sizeof(tMapCell));
    const int32_t width = MaxX();
    const int32_t height = MaxY();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            tMapCell& cell = At(x, y);
            cell.Put(0, 9, 7, random.Next(8));
            SetBlockField(x, y, 4, 3, random.Next(4));
            cell.Put(0, 6, 7, 3);
            cell.Put(1, 2, 7, random.Next(8));
            cell.Put(1, 5, 0xFF, random.Next(256));
        }
    }
    SetDefaultTerrains();
}

void tMapa::FillAsNewMap(int width, int height, Random& random) {
    SetSize(width, height);
    Clear(random);
    for (int32_t y = 0; y <= Height; ++y) {
        for (int32_t x = 0; x <= Width; ++x) {
            SetTerrain(x, y, 5);
            SetLevel(x, y, 3);
            SetVariant(x, y, random.Next(100) & 3);
        }
    }
}

void tMapa::SetDefaultTerrains() {
    for (size_t i = 0; i < Terrains.size(); ++i) {
        Terrains[i].Name = kDefaultTerrains[i].name;
        Terrains[i].Shade = kDefaultTerrains[i].shade;
    }
}

TPoint tMapa::ViewCentreOf(const ViewPosition& view) {
    const int64_t column = int64_t{view.X} + ((int64_t{view.Right} - view.Left) / 32 + 1) / 2;
    const int64_t row = int64_t{view.Y} + ((int64_t{view.Bottom} - view.Top + 4 * 8) / 8 + 1) / 2;
    return {ToInt32(column), ToInt32(row)};
}

void tMapa::PlaceView(ViewPosition& view, const std::optional<TPoint>& centre, int32_t width,
                      int32_t height) {
    if (!centre) {
        view.X = 0;
        view.Y = 0;
        return;
    }
    int64_t x = int64_t{centre->X} - ((int64_t{view.Right} - view.Left) / 32 + 1) / 2;
    int64_t y = int64_t{centre->Y} - ((int64_t{view.Bottom} - view.Top + 4 * 8) / 8 + 1) / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    if (x + view.Right / 32 > width) x = int64_t{width} - view.Right / 32;
    if (y + view.Bottom / 8 > height) y = int64_t{height} - view.Bottom / 8;
    view.X = ToInt32(x);
    view.Y = ToInt32(y);
}

bool tMapa::LoadFromFile(const std::string& name, ViewPosition& view) {
    const auto refuse = [](const std::string& text) {
        Ui().MessageBox(text, Buttons::Ok);
        return false;
    };
    const std::string quoted = "\"" + name + "\"";

    DiskFile disk;
    try {
        disk = OpenDiskFile(name);
    } catch (const IoError& e) {
        return refuse(std::string("Mapu nelze načíst: ") + e.what() + ".");
    }
    const FileDescriptor& file = disk.Fd;
    const uint64_t fileSize = disk.Size;

    uint8_t header[kHeaderBytes];
    const ssize_t headerRead = ReadFullyAt(file.get(), header, sizeof header, 0);
    if (headerRead < 0)
        return refuse("Chyba čtení souboru " + quoted + ": " + std::strerror(errno));
    if (headerRead < 8) return refuse("Soubor " + quoted + " není mapa: chybí číslo verze.");
    ByteReader head(std::span<const uint8_t>(header, static_cast<size_t>(headerRead)));
    const double version = head.F64();
    if (version != kMapFileVersion) {
        Ui().MessageBox("soubor " + quoted + " je verze " + FormatFixed2(version) + "\r" +
                            "Tessarine je verze " + FormatFixed2(kMapFileVersion),
                        Buttons::Ok);
        return false;
    }
    if (headerRead < static_cast<ssize_t>(kHeaderBytes))
        return refuse("Soubor " + quoted + " je poškozený: končí před rozměry mapy.");
    const int32_t width = head.I32();
    const int32_t height = head.I32();
    if (width < 1 || width > kMaxMapSize || height < 1 || height > kMaxMapSize)
        return refuse("Soubor " + quoted + " je poškozený: rozměry mapy " + std::to_string(width) +
                      " x " + std::to_string(height) + " leží mimo rozsah 1 až " +
                      std::to_string(kMaxMapSize) + ".");
    const uint64_t cellsEnd =
        kHeaderBytes + kCellBytes * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (fileSize < cellsEnd)
        return refuse("Soubor " + quoted + " je poškozený: končí uprostřed buněk mapy.");

    // The tail first, so that everything is checked before the first cell of the map changes.
    const size_t tailSize =
        static_cast<size_t>(std::min<uint64_t>(fileSize - cellsEnd, kTailBytes));
    uint8_t tailBytes[kTailBytes];
    if (ReadFullyAt(file.get(), tailBytes, tailSize, cellsEnd) != static_cast<ssize_t>(tailSize))
        return refuse("Chyba čtení souboru " + quoted + ".");
    if (tailSize > kCentreBytes && tailSize < kCentreBytes + kNamesBytes)
        return refuse("Soubor " + quoted + " je poškozený: končí uprostřed seznamu terénů.");
    if (tailSize > kCentreBytes + kNamesBytes && tailSize < kTailBytes)
        return refuse("Soubor " + quoted + " je poškozený: končí uprostřed stínování terénů.");
    ByteReader tail(std::span<const uint8_t>(tailBytes, tailSize));
    std::optional<TPoint> centre;
    if (tailSize >= kCentreBytes) {
        const int32_t column = tail.I32();
        centre = TPoint{column, tail.I32()};
    } else {
        tail.Skip(tailSize);  // a partial view centre is read, and the file is at its end
    }
    std::array<TerrainSlot, 16> terrains;
    for (size_t i = 0; i < terrains.size(); ++i) {
        terrains[i].Name = kDefaultTerrains[i].name;
        terrains[i].Shade = i == kUnshadedSlot ? 0 : 1;
    }
    if (!tail.AtEnd())
        for (TerrainSlot& slot : terrains)
            slot.Name = tail.ShortString(kNameBytes - 1);
    if (!tail.AtEnd())
        for (TerrainSlot& slot : terrains)
            slot.Shade = tail.U8();

    // The extra column and row are never saved; they are reset so that nothing of the previous
    // map is read through the clamping getters at the edges (the column as the rows are read).
    tMapCell edge;
    edge.Put(0, 6, 7, 3);
    std::vector<uint8_t> mayHoldOldPair;
    if (!ReadCellRows(file.get(), cells_.data(), width, height, edge, mayHoldOldPair))
        return refuse("Chyba čtení souboru " + quoted + ": " + std::strerror(errno) +
                      " (mapa je načtena jen zčásti).");

    Width = width;
    Height = height;
    for (int32_t x = 0; x <= Width; ++x)
        At(x, Height) = edge;
    Terrains = std::move(terrains);
    storedViewCentre_ = centre;
    PlaceView(view, centre, Width, Height);
    ConvertOldObjects(mayHoldOldPair);
    return true;
}

void tMapa::ConvertOldObjects(const std::vector<uint8_t>& rowMayHoldOldPair) {
    // P keeps the new type; its neighbour A empties; the cell B after A gets the old type again.
    const auto convert = [this](int32_t x, int32_t y, int direction, int oldId, int newId) {
        const TPoint a = Neighbour(x, y, direction);
        if (GetId(a.X, a.Y) != oldId) return;
        SetId(x, y, newId);
        SetJitter(x, y, 0);
        SetOccupancy(a.X, a.Y, 0);
        const TPoint b = Neighbour(a.X, a.Y, direction);
        SetOccupancy(b.X, b.Y, 2);
        SetId(b.X, b.Y, oldId);
        SetJitter(b.X, b.Y, 0);
    };
    for (int32_t y = 0; y < Height; ++y) {
        if (!rowMayHoldOldPair[static_cast<size_t>(y)]) continue;
        for (int32_t x = 0; x < Width; ++x) {
            const tMapCell& cell = At(x, y);
            if (cell.Occupancy() != 2 || cell.LinkKind() != 0) continue;
            if (cell.Id() == kOldPairUpRightId)
                convert(x, y, kDirUpRight, kOldPairUpRightId, kNewUpRightId);
            else if (cell.Id() == kOldPairUpLeftId)
                convert(x, y, kDirUpLeft, kOldPairUpLeftId, kNewUpLeftId);
        }
    }
}

void tMapa::SaveToFile(const std::string& name, const ViewPosition& view,
                       SettingsStore* settings) const {
    SaveToFileAtCentre(name, ViewCentreOf(view), settings);
}

void tMapa::SaveToFileAtCentre(const std::string& name, TPoint centre,
                               SettingsStore* settings) const {
    if (Width < 1 || Width > kMaxMapSize || Height < 1 || Height > kMaxMapSize)
        throw IoError("Cannot save \"" + name + "\": the map has no cells");
    AtomicFileWriter out(ResolveDiskPath(name));
    ByteWriter head;
    head.F64(kMapFileVersion);
    head.I32(Width);
    head.I32(Height);
    out.Write(head.Data());

    const size_t rowCells = static_cast<size_t>(Width);
    std::vector<tMapCell> swapped;
    for (int32_t y = 0; y < Height; ++y) {
        const tMapCell* row = cells_.data() + Index(0, y);
        if constexpr (!kLittleEndianHost) {
            swapped.assign(row, row + rowCells);
            CellsToLittleEndian(swapped.data(), swapped.size());
            row = swapped.data();
        }
        out.Write(row, rowCells * kCellBytes);
    }

    ByteWriter tail;
    tail.I32(centre.X);
    tail.I32(centre.Y);
    for (const TerrainSlot& slot : Terrains)
        tail.ShortString(slot.Name, kNameBytes - 1);
    for (const TerrainSlot& slot : Terrains)
        tail.U8(slot.Shade);
    out.Write(tail.Data());
    out.Commit();
    if (settings) settings->SetString("LastMap", name);
}

}  // namespace tess
