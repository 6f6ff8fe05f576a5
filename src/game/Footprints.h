// Object footprints on the map grid: the fit test, placing, deleting and the repair pass.
#pragma once

#include <cstdint>

namespace tess {

class tMapa;
class tObjects;
class tKalistor;

// The object type a cell's link names: the number itself for LinkKind 0, the building's or the
// unit's IdObject for 1 and 2. 0 for any other kind and for a record index outside the store.
int32_t LinkedObjectType(const tKalistor& store, int linkKind, int32_t index);

// True when every footprint cell of the object type lies on the map (0..Width, 0..Height) and
// is empty (Occupancy 0; walls block too). The footprint is Size_RT cells along direction 0 by
// Size_LT cells along direction 6, its front cell at (x, y); a Size_RT of 0 fits anywhere. A
// type the catalogue does not hold has nothing to place: false.
bool CanPlaceObject(const tMapa& map, const tObjects& objects, int32_t x, int32_t y, int32_t type);

// Writes the footprint of an object (kind 0: `index` is the type), a building (1) or a unit
// (2: `index` is the record, the type its IdObject). `selectedType` is the object type selected
// in the object palette: its "pod_teren" terrain, when it has one, goes under every footprint
// block. Each footprint cell, rows along direction 0 and cells along direction 6 from the
// anchor: whatever stands there is removed with DeleteObject, the terrain forced, the block
// mark cleared, then Occupancy 2 for the anchor (1 elsewhere), LinkKind = kind, Id = index.
// Cells off the map are skipped. A type the catalogue does not hold covers its anchor only.
// Any other kind shows "Tohleto se stat nemelo. FAILED" in an error box, places nothing and
// returns false.
bool PlaceObject(tMapa& map, const tObjects& objects, const tKalistor& store, int32_t x, int32_t y,
                 int32_t index, int kind, int32_t selectedType);

// The delete tool's operation (also used by PlaceObject and "Smazat vsechny stromy"): removes
// what stands at (x, y). A wall cell empties its whole block and returns false. A footprint
// cell walks to its anchor (towards the south-east, else the south-west neighbour with the same
// Id and LinkKind; given up after 1000 steps, false). Then the object's footprint is cleared
// (Occupancy, Id, LinkKind 0) and the result is true; the store keeps the building or unit
// record. Only the object's own cells are cleared (same Id and LinkKind as the anchor), and the
// anchor always is, also for a type without a footprint size or without a catalogue entry.
// An empty cell (Occupancy 0, whose Id may hold a deposit amount) is left alone: false.
bool DeleteObject(tMapa& map, const tObjects& objects, const tKalistor& store, int32_t x,
                  int32_t y);

// What one RepairObjects pass did.
struct RepairSummary {
    int32_t Anchors = 0;         // anchors looked at
    int32_t EmptiedAnchors = 0;  // anchors of types the catalogue does not hold
    int32_t FootprintCells = 0;  // footprint cells written
};

// Rebuilds every footprint from its anchor over x = 0..Width, y = 0..Height: footprint cells
// (Occupancy 1) are emptied (Occupancy and Id 0, LinkKind kept), then every anchor of an object
// (LinkKind 0) or building (1) whose type the catalogue lacks, or whose entry carries another
// Id, is emptied; a type of Size_RT or Size_LT 2 or more gets its footprint cells back (rows
// along direction 6, cells along direction 0), with the anchor's LinkKind and Id. Units and
// type 0 are left as they are. A footprint never overwrites a wall or another anchor. Returns
// true.
bool RepairObjects(tMapa& map, const tObjects& objects, const tKalistor& store,
                   RepairSummary* summary = nullptr);

}  // namespace tess
