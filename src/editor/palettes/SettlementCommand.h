// The new-settlement commands: the object tool armed with the centre building of a settlement
// kind from the building table.
#pragma once

#include <cstdint>

namespace tess {

class ToolBox;
class tObjects;

// Arms the object tool with the first building of the table (in table order) that is usable in
// the settlement kind (1 osada, 2 ves, 3 mesto), is a settlement centre and, unless race is 0,
// belongs to the race: pen mode, radius 0, the brush outline of its picture's footprint.
// Without one the message "Nedostatek informaci v DATA\BUILDING.dbf" is shown, the tools stay
// as they were and the result is false.
bool NewSettlement(ToolBox& tools, int32_t kind, int32_t race);

}  // namespace tess
