// The new-settlement commands: the object tool armed with the centre building of a settlement
// kind from the building table.
#include "editor/palettes/SettlementCommand.h"

#include "editor/ToolBox.h"
#include "editor/palettes/PaletteFills.h"
#include "game/GameTables.h"
#include "resources/UiHost.h"

namespace tess {

bool NewSettlement(ToolBox& tools, int32_t kind, int32_t race) {
    const std::optional<BuildingType> centre = FindSettlementBuilding(kind, race);
    if (!centre) {
        Ui().MessageBox(kSettlementBuildingMissing, Buttons::Ok);
        return false;
    }
    // A fresh entry: a plant mix or a selection left in the entry would otherwise scatter
    // trees where the settlement should go.
    tAddPack entry;
    entry.IdObject = centre->IdObject;
    entry.Id = centre->Id;
    entry.UseOsada = centre->UseOsada;
    entry.UseVes = centre->UseVes;
    entry.UseMesto = centre->UseMesto;
    entry.Tag = centre->Tag;
    entry.Group = kEntryGroup;
    entry.OwnerClass = kOwnerBuilding;
    tools.SetPenMode(kPenFree);
    // Sizes the outline to the building's footprint; the brush itself is one cell.
    tools.SelectPlacement(entry, false);
    tools.State().PenRadius = 0;
    tools.Changed();
    return true;
}

}  // namespace tess
