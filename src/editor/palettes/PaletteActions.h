// What the palette actions of a script do once their values are read: choose an entry of a
// filled tab, set up the plant mix, arm a new settlement.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "editor/palettes/PaletteFills.h"

namespace tess {

class ObjectPalette;
class ToolBox;

// {"palette": {"page": P, "race": R, "kind": K, "letter": C, "entry": N}}
struct PaletteChoice {
    ObjectTab Tab = ObjectTab::Budovy;
    int32_t Race = -1;  // buildings and units; -1 every race
    int32_t Kind = 0;   // buildings; 0 every kind
    char Letter = 0;    // plants (CP1250); 0 none
    int32_t Entry = 0;  // in palette order
};
// Fills the tab as its menu does, then clicks the entry as the window would. ScriptError when
// the list has no such entry.
void ChooseFromPalette(ObjectPalette& palette, const PaletteChoice& choice);

// {"mix": [[LETTER, WEIGHT], ...], "spacing": S}
struct MixChoice {
    std::vector<std::pair<char, int32_t>> Rows;  // at most four: plant letter, weight 0..100
    std::optional<int32_t> Spacing;
};
// The "Náhodný" page of "Příroda" (filled first when another tab is shown) with these rows and
// the rest "nic". ScriptError for more than four rows or a letter no plant kind has.
void ChooseMix(ObjectPalette& palette, const MixChoice& choice);

// {"new-settlement": {"kind": "osada" | "ves" | "mesto", "race": R}}: the settlement kind
// (1..3) by its name; 0 for any other text.
int32_t SettlementKindByName(const std::string& name);
// Arms the new settlement (race 0: any race). ScriptError with the table's message when the
// building table has no such centre.
void ChooseNewSettlement(ToolBox& tools, int32_t kind, int32_t race);

}  // namespace tess
