// The object catalogue: every object type a map cell can show, its cache file and its pictures.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Surface.h"

namespace tess {

constexpr int32_t kObjectSlots = 10000;      // object numbers 0..9999
constexpr uint16_t kNoTerrainUnder = 65535;  // pod_teren: no terrain forced
constexpr const char* kObjectCacheFile = "objects.kar";
constexpr const char* kObjectTable = "DATA/objects.dbf";
constexpr size_t kCacheEntryBytes = 215;  // a present entry, presence word included
constexpr size_t kCacheEmptyBytes = 4;    // an empty slot: the presence word alone
constexpr size_t kCacheMaxBytes = kObjectSlots * kCacheEntryBytes;
constexpr uint32_t kCachePresent = 1;  // the presence word this program writes

// Capacities of the short strings (text bytes, without the length byte).
constexpr size_t kObjectNameChars = 20;
constexpr size_t kObjectFileChars = 140;
constexpr size_t kTreeIdxChars = 10;

// Whether an entry's picture has been asked for: a picture that failed to load is not tried
// again (the view asks on every frame).
enum class PictureState : uint8_t { NotLoaded, Loaded, Failed };

// One object type. Strings are CP1250 and never longer than their capacity.
struct tObject {
    int32_t Id = 0;
    std::string Name;      // at most 20
    std::string FileName;  // at most 140: the picture directory prefix and the table's file name
    uint8_t Typ_tree = 0;
    uint8_t Typ_build = 0;
    uint8_t Typ_Unit = 0;
    uint8_t Typ_unown = 0;
    uint16_t pod_teren = kNoTerrainUnder;  // terrain slot forced under the object
    uint16_t Reserved = 0;
    uint8_t Tree_list = 0;
    uint8_t Tree_jehl = 0;
    uint8_t Tree_ker = 0;
    uint8_t Tree_trop = 0;
    uint8_t TreeIdxPlain = 0;  // Tree_idx is set and holds none of "t", "b", "a", "r", "p", "k"
    std::string Tree_idx;      // at most 10
    uint8_t HasSound = 0;
    int32_t Anim_y = 0;
    int32_t Relat_X = 0;  // anchor point inside a frame, pixels from the left edge
    int32_t Relat_Y = 0;  // ... and from the top edge
    int32_t Width = 0;    // frame size
    int32_t Height = 0;   // recomputed from the picture when it loads
    uint8_t Anim_Count = 0;
    uint8_t Size_RT = 0;  // footprint extent along direction 0
    uint8_t Size_LT = 0;  // footprint extent along direction 6

    // The picture, empty until LoadPicture. Frames are stacked vertically, each Height rows;
    // the transparent colour is set (magenta, or black for a few decorations).
    tSurface Picture;
    PictureState State = PictureState::NotLoaded;
};

// The terrain slot a "pod_teren" code names ("SK" 0 .. "LV" 14, compared exactly), else 65535.
uint16_t TerrainUnderCode(std::string_view code);
// 1 when the letters are not empty and hold none of "t", "b", "a", "r", "p", "k".
uint8_t ComputeTreeIdxPlain(std::string_view treeIdx);
// Unit pictures enter the catalogue only for the facings (Id mod 50 in 0..7) and the bodies
// (24..31).
bool KeepsUnitPicture(int32_t id);
// The frame height of a picture with `frames` frames stacked: the nearest integer to
// (height / frames + 0.4999), ties to even. `frames` must not be 0.
int32_t FrameHeight(int32_t pictureHeight, int32_t frames);

// Where the catalogue came from on its last build.
enum class CatalogueSource {
    None,          // not built yet
    Cache,         // "objects.kar" read whole
    Table,         // built from the table (the cache was missing, damaged or not wanted)
    MissingTable,  // neither a usable cache nor the table: the catalogue is empty
};

class tObjects {
  public:
    tObjects();
    ~tObjects();
    tObjects(const tObjects&) = delete;
    tObjects& operator=(const tObjects&) = delete;

    // Builds the catalogue: from "objects.kar" in the current directory when it exists and is
    // whole; otherwise from the table (the zoom object passes "DATA/objects.dbf" and its picture
    // directory followed by "../"), then writes "objects.kar" crash-safely. A damaged cache is
    // reported in an error box and replaced by a rebuild. Without the table (reported by the
    // table reader) the catalogue is empty and no cache is written, so a later start with the
    // table present builds it properly. A cache that cannot be written is reported in an
    // information box; the catalogue is usable all the same.
    void Create(const std::string& tableName, const std::string& pictureDir);
    // The same without writing the cache (tools that only read the catalogue).
    void Load(const std::string& tableName, const std::string& pictureDir);

    // The entry for an object number, or nullptr (also for numbers outside 0..9999).
    const tObject* Item(int32_t id) const {
        return static_cast<uint32_t>(id) < static_cast<uint32_t>(kObjectSlots) ? items_[id].get()
                                                                               : nullptr;
    }
    tObject* Item(int32_t id) {
        return static_cast<uint32_t>(id) < static_cast<uint32_t>(kObjectSlots) ? items_[id].get()
                                                                               : nullptr;
    }

    // Loads the entry's picture on first use: true when it has one. Sets the caption
    // "read ... <FileName>". Failures (a missing or damaged file, a frame size the picture
    // cannot have) are reported once; the entry then stays without a picture and later calls
    // return false at once.
    bool LoadPicture(tObject& entry);

    // --- the steps Create is made of (the command-line tool and tests call them) -----------

    // Empties every slot.
    void Clear();
    // Replaces the catalogue with the table's records: unit pictures other than facings and
    // bodies are skipped, the caption shows "read ... <picture path>" per record. False when
    // the table does not exist (the catalogue is then empty).
    bool BuildFromTable(const std::string& tableName, const std::string& pictureDir);
    // The cache file's bytes for the current catalogue.
    std::vector<uint8_t> CacheBytes() const;
    // Replaces the catalogue with a cache's content. A file that ends inside an entry, goes on
    // after the last one or holds a string longer than its field is refused: false, `why` says
    // what is wrong and the catalogue is unchanged.
    bool ReadCacheBytes(std::span<const uint8_t> bytes, std::string& why);
    // Reads a cache file from the disk; false with `why` when it cannot be read or is damaged.
    bool ReadCacheFile(const std::string& path, std::string& why);
    // Writes the cache crash-safely; raises IoError (the previous file stays).
    void WriteCache(const std::string& path) const;

    // Puts an entry into its slot (entry.Id in 0..9999), replacing what was there.
    void Put(std::unique_ptr<tObject> entry);
    int32_t Count() const;
    CatalogueSource Source() const { return source_; }

  private:
    void CreateImpl(const std::string& tableName, const std::string& pictureDir, bool writeCache);
    bool LoadPictureFile(tObject& entry, const std::string& file);

    std::array<std::unique_ptr<tObject>, kObjectSlots> items_;
    CatalogueSource source_ = CatalogueSource::None;
};

}  // namespace tess
