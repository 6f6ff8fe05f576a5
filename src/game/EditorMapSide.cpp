// What the game-data editors do to the map beside their record.
#include "game/EditorMapSide.h"

#include "game/Footprints.h"
#include "map/MapDat.h"

namespace tess {

bool RemoveRecordObject(tMapa& map, const tObjects& objects, const tKalistor& store, int linkKind,
                        int32_t index, int32_t x, int32_t y) {
    if (!map.InRange(x, y) || index < 1) return false;
    const tMapCell& cell = map.Cell(x, y);
    if (cell.Occupancy() != 2 || cell.LinkKind() != linkKind || cell.Id() != index) return false;
    return DeleteObject(map, objects, store, x, y);
}

void LeaveBody(tMapa& map, int32_t x, int32_t y, int32_t type) {
    if (!map.InRange(x, y)) return;
    map.SetOccupancy(x, y, 2);
    map.SetLinkKind(x, y, 0);
    map.SetId(x, y, type & 0xFFFF);
}

}  // namespace tess
