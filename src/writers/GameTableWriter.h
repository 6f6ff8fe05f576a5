// Builds the game's rule tables (building, person, names, races, upgrade, efects) from records.
#pragma once

#include <string>
#include <vector>

#include "game/GameTables.h"
#include "writers/DbfWriter.h"

namespace tess::writers {

// The tables with the fields the program reads, names upper-cased as the reader requires.
DbfTable BuildingTable(const std::vector<BuildingType>& types);
DbfTable PersonTable(const std::vector<PersonType>& types);
DbfTable NamesTable(const std::vector<NameEntry>& names);
DbfTable RacesTable(const std::vector<RaceEntry>& races);
DbfTable UpgradeTable(const std::vector<UpgradeType>& upgrades);
DbfTable EffectsTable(const std::vector<EffectEntry>& effects);

struct GameTablesData {
    std::vector<BuildingType> Buildings;
    std::vector<PersonType> Persons;
    std::vector<NameEntry> Names;
    std::vector<RaceEntry> Races;
    std::vector<UpgradeType> Upgrades;
    std::vector<EffectEntry> Effects;
};

// Writes the six tables as dir/DATA/building.dbf, person.dbf, names.dbf, races.dbf,
// upgrade.dbf and efects.dbf. Raises IoError.
void WriteGameTables(const std::string& dir, const GameTablesData& data);

}  // namespace tess::writers
