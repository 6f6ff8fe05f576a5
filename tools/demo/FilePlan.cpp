// The file plan of the demo game directory.
#include "FilePlan.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "GameData.h"
#include "Terrain.h"
#include "Walls.h"
#include "resources/Utils.h"

namespace tess::demo {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Slope pictures of these sets stay on disk, spelled in capitals: they are read through the
// archive-or-disk lookup, which must find them anyway.
bool SlopeOnDisk(const std::string& set) {
    static const char* kOnDisk[] = {"Lava", "dlazba03", "mramor2", "snih03"};
    for (const char* n : kOnDisk)
        if (Lower(n) == Lower(set)) return true;
    return false;
}

// A directory has one spelling on disk, as on the case-blind file systems the game comes from:
// the first file placed in a directory fixes the spelling of every directory on its path, and
// later files spelled otherwise move into it (their own names keep their letter case). Two
// spellings side by side on a case-sensitive system would make the case-blind lookup pick
// either of them.
void OneSpellingPerDirectory(std::vector<PlannedFile>& plan) {
    std::map<std::string, std::string> spelling;  // upper-cased directory path -> as written
    for (PlannedFile& f : plan) {
        if (f.storage != Storage::Disk) continue;
        std::string written, key;
        size_t pos = 0;
        for (size_t slash; (slash = f.path.find('/', pos)) != std::string::npos; pos = slash + 1) {
            const std::string segment = f.path.substr(pos, slash - pos);
            key += AnsiUpperCase(segment) + "/";
            written = spelling.emplace(key, written + segment + "/").first->second;
        }
        f.path = written + f.path.substr(pos);
    }
}

}  // namespace

std::vector<PlannedFile> DemoFilePlan() {
    std::vector<PlannedFile> plan;
    auto add = [&](std::string path, Storage storage, FileKind kind, std::string source = "",
                   int number = 0, Container container = Container::DdsA4R4G4B4,
                   std::string askedAs = "") {
        plan.push_back(PlannedFile{std::move(path), storage, kind, std::move(source), number,
                                   container, std::move(askedAs)});
    };

    // Terrain pictures. The base pictures must be in the archive: their existence is checked
    // there.
    for (const std::string& set : TerrainSetNames()) {
        add("PICTURES/32x16/TERENY-/" + set + ".bmp", Storage::Archive, FileKind::TerrainFlat, set);
        if (SlopeOnDisk(set))
            add("pictures/32X16/tereny-/" + AnsiUpperCase(set) + "#.BMP", Storage::Disk,
                FileKind::TerrainSlope, set, 0, Container::DdsA4R4G4B4,
                "PICTURES/32x16/TERENY-/" + set + "#.bmp");
        else
            add("PICTURES/32x16/TERENY-/" + set + "#.bmp", Storage::Archive, FileKind::TerrainSlope,
                set);
        // Palette buttons are only looked for in the archive.
        add("PICTURES/terains/" + set + ".dds", Storage::Archive, FileKind::PaletteButton, set, 0,
            Container::DdsDxt3);
        if (HasButtonOverlay(set))
            add("PICTURES/terains/" + set + "_ex_1.dds", Storage::Archive, FileKind::ButtonOverlay,
                set, 0, Container::DdsA4R4G4B4);
    }
    // Walls: the pictures are only taken from the archive; the table goes there too.
    for (int kind = 1; kind <= kWallKinds; ++kind) {
        char name[48];
        std::snprintf(name, sizeof name, "PICTURES/32x16/WALL/zed%02d.bmp", kind);
        add(name, Storage::Archive, FileKind::WallPicture, "", kind);
    }
    add("DATA/teren.dat", Storage::Archive, FileKind::WallTable, "", 0, Container::DdsA4R4G4B4,
        kWallTableName);

    for (const ObjectDesign& o : ObjectCatalogue())
        add(o.file.path, o.file.storage, FileKind::Sprite, "", o.id, o.file.container,
            "PICTURES/32x16/../" + o.fileName);
    // Strips are opened on disk directly.
    for (const AnimDesign& a : AnimDesigns())
        add(a.diskPath, Storage::Disk, FileKind::EffectStrip, a.tableFileName, a.id,
            Container::Dds2);

    for (const TableDesign& t : DemoTables()) {
        add(t.storedPath, t.storage, FileKind::Table, t.name, 0, Container::DdsA4R4G4B4, t.name);
        bool memo = false;
        for (const FieldDef& f : t.fields)
            memo = memo || f.type == 'M';
        // The reader takes the memo file beside the table, named with ".fpt".
        if (memo) add(StripExt(t.storedPath) + ".fpt", t.storage, FileKind::TableMemo, t.name);
    }
    // Sounds live on disk; half of them in another letter case than the tables write.
    int k = 0;
    for (const std::string& s : SoundFiles()) {
        const std::string asked = "sound\\" + s;
        const std::string stored = (k++ % 2) ? "Sound/" + AnsiUpperCase(ReplaceChar(s, '\\', '/'))
                                             : "sound/" + ReplaceChar(s, '\\', '/');
        add(stored, Storage::Disk, FileKind::Sound, s, 0, Container::DdsA4R4G4B4, asked);
    }
    add(kFaceVideo, Storage::Disk, FileKind::FaceVideo, "", 0, Container::DdsA4R4G4B4,
        "Pictures\\ksichtis.avi");
    add("MAPS/default.map", Storage::Disk, FileKind::Map, "", 0, Container::DdsA4R4G4B4,
        "MAPS\\default.map");
    add("MAPS/default.sav", Storage::Disk, FileKind::GameData, "", 0, Container::DdsA4R4G4B4,
        "MAPS\\default.sav");
    // Shipped with the game, so that a read-only installed copy never has to write it.
    add("objects.kar", Storage::Disk, FileKind::ObjectCache);
    OneSpellingPerDirectory(plan);
    return plan;
}

Tone ToneFor(const std::string& soundName) {
    uint32_t h = 2166136261u;
    for (char c : soundName)
        h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    // A pentatonic scale from 220 Hz, lengths 120..480 ms.
    static const int kScale[10] = {220, 247, 277, 330, 370, 440, 494, 554, 659, 740};
    return Tone{kScale[h % 10u], 120 + static_cast<int>((h >> 8) % 5u) * 90};
}

}  // namespace tess::demo
