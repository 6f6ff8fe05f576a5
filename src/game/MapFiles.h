// Opening and saving a map with its game data: operations the editor and the CLI share.
#pragma once

#include <string>
#include <vector>

#include "game/MapCheck.h"
#include "game/RefusedGameData.h"
#include "resources/Utils.h"

namespace tess {

class tMapa;
class tKalistor;
class tObjects;
class SettingsStore;
struct ViewPosition;
struct RepairSummary;

// The game-data file name that goes with a map file name: its last three characters replaced
// by "sav".
std::string GameDataName(const std::string& mapName);

// Reads the map file, then the game-data file beside it when that exists on disk; without one
// the store is emptied and the map keeps no building or unit link. Then every object footprint
// is rebuilt from its anchor with the catalogue (RepairObjects), which also empties anchors of
// types the catalogue lacks. Returns false when the map file was refused (map and store
// untouched) or the game-data file was refused (the map is loaded and repaired, the store empty
// and the links gone, so no record of the previous map survives). `settings`, when given,
// remembers the map as "LastMap"; `repaired`, when given, receives what the repair did.
// `refused`, given by a caller that may save the map later, is set to the refused game-data
// file (and cleared for a map whose game data loaded); the user is then told that the map is
// open without game data and that the first save keeps the refused file.
bool OpenMapPair(tMapa& map, tKalistor& store, const tObjects& objects, ViewPosition& view,
                 const std::string& mapName, const std::string& savName, SettingsStore* settings,
                 RepairSummary* repaired = nullptr, RefusedGameData* refused = nullptr);

enum class SaveOutcome {
    Saved,        // both files written
    CheckFailed,  // the map check found something; nothing was written
    WriteFailed,  // a file could not be written; both files are as they were before
};

struct MapPairSaveResult {
    SaveOutcome Outcome = SaveOutcome::WriteFailed;
    std::vector<CheckFinding> Findings;  // of the check, when it failed
    std::string Error;                   // why a write failed (already shown to the user)
    bool Saved() const { return Outcome == SaveOutcome::Saved; }
};

// Saves a map pair: caption "Save ...", then the full map check. When it finds anything nothing
// is written, the caption becomes "Save ... failed!" and the beep sounds; the findings come back
// for the findings window. Otherwise the map file and then the game-data file are written, each
// crash-safely, and the pair is never left half-updated: when the game-data file cannot be
// written, the previous map file is put back (or the new one removed when there was none), the
// error is shown in a message box and the caption says "Save ... failed!". On success the
// caption becomes "Save ... ok." and `settings`, when given, remembers the map as "LastMap".
// `viewCentre` is the cell stored as the map file's view centre (tMapa::ViewCentreOf of the
// view). The file names must be given; asking for one ("Uložit jako") is the window's part.
// When `refused` names the game-data file being written, that file is first kept as
// KeepDamagedCopy does (nothing is written when it cannot be kept) and `refused` is cleared.
MapPairSaveResult SaveMapPair(const tMapa& map, tKalistor& store, TPoint viewCentre,
                              const std::string& mapName, const std::string& savName,
                              SettingsStore* settings, CheckProgress* progress = nullptr,
                              RefusedGameData* refused = nullptr);

// The writing half of SaveMapPair, without the check: both files crash-safely, never half
// updated, the same captions, messages and "LastMap", and a refused game-data file kept first.
MapPairSaveResult WriteMapPair(const tMapa& map, tKalistor& store, TPoint viewCentre,
                               const std::string& mapName, const std::string& savName,
                               SettingsStore* settings, RefusedGameData* refused = nullptr);

// Empties every cell that links to a building or a unit.
void RemoveGameLinks(tMapa& map);

}  // namespace tess
