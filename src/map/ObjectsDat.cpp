// The object catalogue: built from the object table or its cache file, pictures on first use.
#include "map/ObjectsDat.h"

#include <cmath>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/GameTable.h"
#include "resources/SafeFile.h"
#include "resources/Sprites.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The "pod_teren" codes in slot order.
constexpr std::array<std::string_view, 15> kTerrainCodes = {
    "SK", "PS", "HK", "KB", "KT", "TR", "TS", "LS", "BZ", "SH", "CP", "CK", "VM", "VH", "LV"};

std::string Cut(std::string text, size_t capacity) {
    if (text.size() > capacity) text.resize(capacity);
    return text;
}

// Objects drawn with black as their transparent colour and loaded only from the plain and the
// run-length sprite files.
bool IsBlackKeyed(int32_t id) {
    return id == 231 || (id >= 360 && id <= 363) || (id >= 411 && id <= 419);
}

// One entry of the cache as laid out in the file (presence word excluded).
void WriteEntry(ByteWriter& out, const tObject& o) {
    out.I32(o.Id);
    out.ShortString(o.FileName, kObjectFileChars);
    out.ShortString(o.Name, kObjectNameChars);
    out.U8(o.Typ_tree);
    out.U8(o.Typ_build);
    out.U8(o.Typ_unown);  // the file keeps Typ_unown before Typ_Unit
    out.U8(o.Typ_Unit);
    out.I32(o.Relat_X);
    out.I32(o.Relat_Y);
    out.I32(o.Width);
    out.I32(o.Height);
    out.U8(o.Anim_Count);
    out.U8(o.Size_RT);
    out.U8(o.Size_LT);
    out.U8(o.Tree_list);
    out.U8(o.Tree_jehl);
    out.U8(o.Tree_ker);
    out.U8(o.Tree_trop);
    out.I32(o.Anim_y);
    out.ShortString(o.Tree_idx, kTreeIdxChars);
    out.U8(o.HasSound);
    out.U16(o.pod_teren);
}

// A short string whose length byte fits its field; a longer one means the file is not a cache.
std::string ReadShortString(ByteReader& in, size_t capacity, const char* field, int32_t slot) {
    const size_t at = in.Position();
    const uint8_t length = in.U8();
    if (length > capacity)
        throw IoError("položka " + std::to_string(slot) + ": " + field + " má délku " +
                      std::to_string(length) + " (nejvýše " + std::to_string(capacity) + ")");
    in.Seek(at);
    return in.ShortString(capacity);
}

std::unique_ptr<tObject> ReadEntry(ByteReader& in, int32_t slot) {
    auto o = std::make_unique<tObject>();
    o->Id = in.I32();
    o->FileName = ReadShortString(in, kObjectFileChars, "FileName", slot);
    o->Name = ReadShortString(in, kObjectNameChars, "Name", slot);
    o->Typ_tree = in.U8();
    o->Typ_build = in.U8();
    o->Typ_unown = in.U8();
    o->Typ_Unit = in.U8();
    o->Relat_X = in.I32();
    o->Relat_Y = in.I32();
    o->Width = in.I32();
    o->Height = in.I32();
    o->Anim_Count = in.U8();
    o->Size_RT = in.U8();
    o->Size_LT = in.U8();
    o->Tree_list = in.U8();
    o->Tree_jehl = in.U8();
    o->Tree_ker = in.U8();
    o->Tree_trop = in.U8();
    o->Anim_y = in.I32();
    o->Tree_idx = ReadShortString(in, kTreeIdxChars, "Tree_idx", slot);
    o->HasSound = in.U8();
    o->pod_teren = in.U16();
    o->TreeIdxPlain = ComputeTreeIdxPlain(o->Tree_idx);
    return o;
}

// The first four bytes of a sprite file, which choose its decoder.
std::string SpriteMagic(const std::string& file) {
    TBigFileStreamPtr stream;
    BigFile().OpenFile(stream, file);
    char magic[4];
    TBigFile::ReadFile(stream.get(), magic, sizeof magic);
    TBigFile::CloseFile(stream);
    return std::string(magic, sizeof magic);
}

}  // namespace

uint16_t TerrainUnderCode(std::string_view code) {
    for (size_t slot = 0; slot < kTerrainCodes.size(); ++slot)
        if (code == kTerrainCodes[slot]) return static_cast<uint16_t>(slot);
    return kNoTerrainUnder;
}

uint8_t ComputeTreeIdxPlain(std::string_view treeIdx) {
    return !treeIdx.empty() && treeIdx.find_first_of("tbarpk") == std::string_view::npos ? 1 : 0;
}

bool KeepsUnitPicture(int32_t id) {
    const int32_t facing = id % 50;
    return (facing >= 0 && facing <= 7) || (facing >= 24 && facing <= 31);
}

int32_t FrameHeight(int32_t pictureHeight, int32_t frames) {
    // nearbyint rounds to the nearest integer with ties to even (the default rounding mode).
    return static_cast<int32_t>(
        std::nearbyint(static_cast<double>(pictureHeight) / frames + 0.4999));
}

tObjects::tObjects() = default;
tObjects::~tObjects() = default;

void tObjects::Clear() {
    for (auto& item : items_)
        item.reset();
    source_ = CatalogueSource::None;
}

void tObjects::Put(std::unique_ptr<tObject> entry) {
    const int32_t id = entry->Id;
    if (static_cast<uint32_t>(id) >= static_cast<uint32_t>(kObjectSlots)) return;
    items_[static_cast<size_t>(id)] = std::move(entry);
}

int32_t tObjects::Count() const {
    int32_t count = 0;
    for (const auto& item : items_)
        count += item ? 1 : 0;
    return count;
}

void tObjects::Create(const std::string& tableName, const std::string& pictureDir) {
    CreateImpl(tableName, pictureDir, true);
}

void tObjects::Load(const std::string& tableName, const std::string& pictureDir) {
    CreateImpl(tableName, pictureDir, false);
}

void tObjects::CreateImpl(const std::string& tableName, const std::string& pictureDir,
                          bool writeCache) {
    Clear();
    std::string cachePath = kObjectCacheFile;
    if (FileExistsOnDisk(cachePath)) {
        cachePath = ResolveDiskPath(cachePath);
        std::string why;
        if (ReadCacheFile(cachePath, why)) {
            source_ = CatalogueSource::Cache;
            return;
        }
        // Half a catalogue would silently lose object types on every map opened with it.
        ErrorBox(std::string("Soubor \"") + kObjectCacheFile + "\" je poškozený (" + why +
                 "); katalog objektů se sestaví znovu z tabulky.");
    }
    if (!BuildFromTable(tableName, pictureDir)) return;
    if (!writeCache) return;
    try {
        WriteCache(cachePath);
    } catch (const IoError& e) {
        Ui().MessageBox(
            std::string("Soubor \"") + kObjectCacheFile + "\" nelze zapsat: " + e.what() + ".",
            Buttons::Ok);
    }
}

bool tObjects::BuildFromTable(const std::string& tableName, const std::string& pictureDir) {
    Clear();
    const bool exists = BigFile().FileExists(tableName);
    GameTable table(tableName);  // a missing table is reported by the reader
    if (!exists) {
        source_ = CatalogueSource::MissingTable;
        return false;
    }
    const std::string prefix = Utf8ToCp1250(pictureDir);
    for (table.First(); !table.Eof(); table.Next()) {
        const int32_t id = table.Integer("Id");
        const bool unitPicture = table.Flag("Typ_Unit");
        if (unitPicture && !KeepsUnitPicture(id)) continue;
        const std::string path = prefix + table.Text("FileName");
        Ui().SetCaption("read ... " + Cp1250ToUtf8(path));
        // Numbers outside the catalogue have no slot to go to.
        if (static_cast<uint32_t>(id) >= static_cast<uint32_t>(kObjectSlots)) continue;

        auto o = std::make_unique<tObject>();
        o->Id = id;
        o->Name = Cut(table.Text("Name"), kObjectNameChars);
        o->FileName = Cut(path, kObjectFileChars);
        o->Typ_tree = table.Flag("Typ_tree");
        o->Typ_build = table.Flag("Typ_build");
        o->Typ_Unit = unitPicture;
        o->Typ_unown = table.Flag("Typ_unown");
        o->pod_teren = TerrainUnderCode(table.Text("pod_teren"));
        o->Tree_list = table.Flag("Tree_list");
        o->Tree_jehl = table.Flag("Tree_jehl");
        o->Tree_ker = table.Flag("Tree_ker");
        o->Tree_trop = table.Flag("Tree_trop");
        o->Tree_idx = Cut(table.Text("Tree_idx"), kTreeIdxChars);
        // Computed here as well as when the cache is read, so the first run (which builds the
        // cache) sorts the palettes the same as every later one.
        o->TreeIdxPlain = ComputeTreeIdxPlain(o->Tree_idx);
        o->HasSound = !table.Text("Wav_file").empty() || !table.Text("WAV_DAY").empty() ||
                      !table.Text("WAV_NIGHT").empty();
        o->Anim_y = table.Integer("Anim_y");
        o->Relat_X = table.Integer("Relat_X");
        o->Relat_Y = table.Integer("Relat_Y");
        o->Width = table.Integer("Width");
        o->Height = table.Integer("Height");
        // Byte fields keep the low byte of the number, as a byte assignment does.
        o->Anim_Count = static_cast<uint8_t>(table.Integer("Anim_Count"));
        o->Size_RT = static_cast<uint8_t>(table.Integer("Size_RT"));
        o->Size_LT = static_cast<uint8_t>(table.Integer("Size_LT"));
        items_[static_cast<size_t>(id)] = std::move(o);
    }
    source_ = CatalogueSource::Table;
    return true;
}

std::vector<uint8_t> tObjects::CacheBytes() const {
    ByteWriter out;
    out.Data().reserve(static_cast<size_t>(Count()) * kCacheEntryBytes +
                       static_cast<size_t>(kObjectSlots - Count()) * kCacheEmptyBytes);
    for (const auto& item : items_) {
        if (!item) {
            out.U32(0);
            continue;
        }
        out.U32(kCachePresent);
        WriteEntry(out, *item);
    }
    return std::move(out.Data());
}

bool tObjects::ReadCacheBytes(std::span<const uint8_t> bytes, std::string& why) {
    auto read = std::make_unique<std::array<std::unique_ptr<tObject>, kObjectSlots>>();
    ByteReader in(bytes);
    int32_t slot = 0;
    try {
        for (; slot < kObjectSlots; ++slot)
            if (in.U32() != 0) (*read)[static_cast<size_t>(slot)] = ReadEntry(in, slot);
    } catch (const IoError& e) {
        why = std::string(e.what()) == "End of file"
                  ? "končí uprostřed položky " + std::to_string(slot)
                  : std::string(e.what());
        return false;
    }
    if (!in.AtEnd()) {
        why = "za poslední položkou následuje ještě " + std::to_string(in.Remaining()) + " bajtů";
        return false;
    }
    items_ = std::move(*read);
    return true;
}

bool tObjects::ReadCacheFile(const std::string& path, std::string& why) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadDiskFile(path, kCacheMaxBytes);
    } catch (const IoError& e) {
        why = e.what();
        return false;
    }
    return ReadCacheBytes(bytes, why);
}

void tObjects::WriteCache(const std::string& path) const {
    WriteFileAtomically(path, CacheBytes());
}

bool tObjects::LoadPicture(tObject& entry) {
    if (entry.State != PictureState::NotLoaded) return entry.State == PictureState::Loaded;
    const std::string file = Cp1250ToUtf8(entry.FileName);
    Ui().SetCaption("read ... " + file);
    bool loaded = false;
    try {
        loaded = LoadPictureFile(entry, file);
    } catch (const std::exception& e) {
        // A missing or unreadable file; the loaders report damaged content themselves.
        ErrorBox(std::string(e.what()) + " (" + file + ")");
        loaded = false;
    }
    if (!loaded) entry.Picture = tSurface();
    entry.State = loaded ? PictureState::Loaded : PictureState::Failed;
    return loaded;
}

bool tObjects::LoadPictureFile(tObject& entry, const std::string& file) {
    tSurface& picture = entry.Picture;
    if (entry.Typ_Unit && entry.Id % 50 >= 0 && entry.Id % 50 <= 7) {
        // A facing: only the top-left frame of the file is kept.
        if (entry.Width < 1 || entry.Height < 1 || entry.Width > tSurface::kMaxSide ||
            entry.Height > tSurface::kMaxSide) {
            ErrorBox("Objekt " + std::to_string(entry.Id) + " (" + file +
                     ") má nepřípustný rozměr snímku " + std::to_string(entry.Width) + " x " +
                     std::to_string(entry.Height) + ".");
            return false;
        }
        tSurface whole;
        LoadDDStoSurface(file, whole, nullptr);
        if (whole.Empty()) return false;
        picture.SetSize(entry.Width, entry.Height);
        // Where the file is smaller than the frame, nothing shows.
        picture.Fill(kMagenta565);
        picture.Draw(0, 0, whole);
        picture.SetTransparentColor(kMagenta565);
        return true;
    }

    if (entry.Typ_Unit) {
        LoadDDStoSurface(file, picture, nullptr);
        picture.SetTransparentColor(kMagenta565);
    } else if (IsBlackKeyed(entry.Id)) {
        int32_t width = 0, height = 0, alphaBits = 0, bitsPerPixel = 0;
        if (GetDDSInfo(file, width, height, alphaBits, bitsPerPixel))
            LoadDDStoSurface(file, picture, nullptr);
        if (GetDDSRInfo(file, width, height, alphaBits, bitsPerPixel))
            LoadDDSRtoSurface(file, picture, nullptr);
        picture.SetTransparentColor(kBlack565);
    } else {
        const std::string magic = SpriteMagic(file);
        if (magic == "DDS2")
            LoadDDS2toSurface(file, picture);
        else if (magic == "DDSR")
            LoadDDSRtoSurface(file, picture, nullptr);
        else if (magic == "DDS " || magic == "DDS+")
            LoadDDStoSurface(file, picture, nullptr);
        else if (magic == "DDSL")
            LoadDDSLtoSurface(file, picture, nullptr);
        else {
            ErrorBox("LoadDDSLtoSurface " + file);
            return false;
        }
        picture.SetTransparentColor(kMagenta565);
    }
    if (picture.Empty()) return false;
    // Without frames there is no frame height to take; the view skips such objects.
    if (entry.Anim_Count > 0) entry.Height = FrameHeight(picture.Height(), entry.Anim_Count);
    return true;
}

}  // namespace tess
