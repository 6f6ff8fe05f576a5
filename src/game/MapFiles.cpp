// Opening and saving a map with its game data: operations the editor and the CLI share.
#include "game/MapFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/DiskFile.h"
#include "resources/SafeFile.h"
#include "resources/Settings.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr const char* kSaving = "Save ...";
constexpr const char* kSaveFailed = "Save ... failed!";
constexpr const char* kSaveOk = "Save ... ok.";
// The largest map file the editor writes, with room for a longer tail of an older build.
constexpr uint64_t kLargestMapFile = 6 * uint64_t(kMaxMapSize) * kMaxMapSize + 4096;

// The previous map file, kept while a pair is written so that it can be put back when the
// second file fails. A hard link costs nothing; where the file system has none, the bytes are
// kept in memory.
class PreviousFile {
  public:
    explicit PreviousFile(std::string path) : path_(std::move(path)) {}
    ~PreviousFile() { Drop(); }
    PreviousFile(const PreviousFile&) = delete;
    PreviousFile& operator=(const PreviousFile&) = delete;

    // Raises IoError when an existing file cannot be kept.
    void Keep() {
        struct stat st;
        if (::stat(path_.c_str(), &st) != 0) {
            if (errno == ENOENT) return;  // nothing to keep: putting back removes the new one
            throw IoError("Cannot save \"" + path_ + "\": " + std::strerror(errno));
        }
        existed_ = true;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name =
                path_ + ".prev-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            if (::link(path_.c_str(), name.c_str()) == 0) {
                link_ = name;
                return;
            }
            if (errno != EEXIST) break;
        }
        bytes_ = ReadDiskFile(path_, kLargestMapFile);
    }

    // Puts the previous file back (or removes the new one when there was none); raises IoError.
    void PutBack() {
        if (!existed_) {
            if (::unlink(path_.c_str()) != 0 && errno != ENOENT)
                throw IoError("Cannot remove \"" + path_ + "\": " + std::strerror(errno));
            return;
        }
        if (!link_.empty()) {
            if (::rename(link_.c_str(), path_.c_str()) != 0)
                throw IoError("Cannot restore \"" + path_ + "\": " + std::strerror(errno));
            link_.clear();
            return;
        }
        WriteFileAtomically(path_, bytes_);
    }

    void Drop() {
        if (!link_.empty()) ::unlink(link_.c_str());
        link_.clear();
        bytes_.clear();
    }

  private:
    std::string path_;
    bool existed_ = false;
    std::string link_;
    std::vector<uint8_t> bytes_;
};

MapPairSaveResult WriteFailed(const std::string& error) {
    Ui().SetCaption(kSaveFailed);
    Ui().MessageBox(error, Buttons::Ok);
    MapPairSaveResult result;
    result.Outcome = SaveOutcome::WriteFailed;
    result.Error = error;
    return result;
}

}  // namespace

std::string GameDataName(const std::string& mapName) {
    return mapName.substr(0, mapName.size() - std::min<size_t>(3, mapName.size())) + "sav";
}

void RemoveGameLinks(tMapa& map) {
    for (int32_t y = 0; y <= map.Height; ++y) {
        for (int32_t x = 0; x <= map.Width; ++x) {
            if (!map.InRange(x, y) || map.Cell(x, y).LinkKind() == 0) continue;
            map.SetOccupancy(x, y, 0);
            map.SetId(x, y, 0);
            map.SetLinkKind(x, y, 0);
        }
    }
}

MapPairSaveResult SaveMapPair(const tMapa& map, tKalistor& store, TPoint viewCentre,
                              const std::string& mapName, const std::string& savName,
                              SettingsStore* settings, CheckProgress* progress,
                              RefusedGameData* refused) {
    Ui().SetCaption(kSaving);
    tMapCheck check(map, store);
    if (check.Check(kCheckFull, false, progress) != 0) {
        Ui().SetCaption(kSaveFailed);
        Ui().Beep();
        MapPairSaveResult result;
        result.Outcome = SaveOutcome::CheckFailed;
        result.Findings = check.Findings();
        return result;
    }
    return WriteMapPair(map, store, viewCentre, mapName, savName, settings, refused);
}

MapPairSaveResult WriteMapPair(const tMapa& map, tKalistor& store, TPoint viewCentre,
                               const std::string& mapName, const std::string& savName,
                               SettingsStore* settings, RefusedGameData* refused) {
    if (mapName.empty() || savName.empty())
        return WriteFailed("Mapu nelze uložit: chybí jméno souboru.");
    const std::string mapPath = ResolveDiskPath(mapName);
    if (mapPath == ResolveDiskPath(savName))
        return WriteFailed("Mapu nelze uložit: mapa a data hry by byly v jednom souboru \"" +
                           mapName + "\".");

    // Everything that can stop the save short of a write happens before the first file changes:
    // the game data's bytes (its recalculations read the game tables) and the kept map file.
    const std::vector<uint8_t> savBytes = store.SaveToBytes();
    if (refused && !refused->Path.empty() &&
        ResolveDiskPath(refused->Path) == ResolveDiskPath(savName)) {
        try {
            KeepDamagedCopy(savName);
        } catch (const IoError& e) {
            return WriteFailed("Poškozený soubor \"" + savName +
                               "\" nelze zachovat, mapa se neuloží: " + e.what());
        }
        refused->Path.clear();
    }
    PreviousFile previousMap(mapPath);
    try {
        previousMap.Keep();
        map.SaveToFileAtCentre(mapName, viewCentre, nullptr);
    } catch (const IoError& e) {
        return WriteFailed(e.what());
    }
    try {
        WriteFileAtomically(ResolveDiskPath(savName), savBytes);
    } catch (const IoError& e) {
        std::string error = e.what();
        try {
            previousMap.PutBack();
        } catch (const IoError& restore) {
            error += std::string("; ") + restore.what();
        }
        return WriteFailed(error);
    }
    previousMap.Drop();
    if (settings) settings->SetString("LastMap", mapName);
    Ui().SetCaption(kSaveOk);
    MapPairSaveResult result;
    result.Outcome = SaveOutcome::Saved;
    return result;
}

bool OpenMapPair(tMapa& map, tKalistor& store, const tObjects& objects, ViewPosition& view,
                 const std::string& mapName, const std::string& savName, SettingsStore* settings,
                 RepairSummary* repaired, RefusedGameData* refused) {
    // A refused map leaves everything as it was: the game data must not be read against a map
    // it does not belong to.
    if (!map.LoadFromFile(mapName, view)) return false;
    if (settings) settings->SetString("LastMap", mapName);

    // Whatever waited to be kept belonged to the map that was open before.
    if (refused) refused->Path.clear();
    const bool exists = FileExistsOnDisk(savName);
    const bool loaded = !exists || store.LoadFromFile(savName, &map);
    if (!exists || !loaded) {
        store.Clear();
        RemoveGameLinks(map);
    }
    if (!loaded && refused) {
        refused->Path = savName;
        Ui().MessageBox("Mapa \"" + mapName +
                            "\" je otevřená bez hráčů, usedlostí, budov a jednotek, protože "
                            "soubor \"" +
                            savName +
                            "\" nelze načíst. Při prvním uložení mapy se tento soubor zachová "
                            "jako \"" +
                            DamagedCopyName(savName) + "\".",
                        Buttons::Ok);
    }

    // Footprints are not trusted from the file: they are rebuilt from the anchors.
    RepairObjects(map, objects, store, repaired);
    return loaded;
}

}  // namespace tess
