// Opening a map together with its game data: the one operation the editor and the CLI share.
#pragma once

#include <string>

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
bool OpenMapPair(tMapa& map, tKalistor& store, const tObjects& objects, ViewPosition& view,
                 const std::string& mapName, const std::string& savName, SettingsStore* settings,
                 RepairSummary* repaired = nullptr);

// Empties every cell that links to a building or a unit.
void RemoveGameLinks(tMapa& map);

}  // namespace tess
