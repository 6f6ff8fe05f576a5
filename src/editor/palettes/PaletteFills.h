// What each tab of the object palette lists: the building, unit and effect tables and the
// object catalogue, with their filters and the entries made from them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/palettes/PaletteList.h"

namespace tess {

class tObjects;

// The tabs of the object palette, in their order.
enum class ObjectTab { Budovy, Jednotky, Suroviny, Priroda, Dalsi, Efekty };
constexpr int kObjectTabCount = 6;

// The tab's caption (UTF-8).
const char* ObjectTabName(ObjectTab tab);
// A tab by its caption, or by its caption without diacritics in any letter case ("Priroda",
// "dalsi").
std::optional<ObjectTab> ObjectTabByName(std::string_view name);

// The resource types that are listed whatever their catalogue flags say.
constexpr std::array<int32_t, 9> kResourceTypes = {129, 130, 131, 132, 133, 134, 212, 232, 233};
// The resource placed as a building of type 89 (a bone pile).
constexpr int32_t kBonePileType = 212;
constexpr int32_t kBonePileBuilding = 89;
// The group of effect entries; every other entry has kEntryGroup.
constexpr uint8_t kEntryGroup = 2;
constexpr uint8_t kEffectGroup = 99;

struct PaletteFilter {
    // Buildings and units: only this race (0 neutral); -1 every race.
    int32_t Race = -1;
    // Buildings: 1 osada, 2 ves, 3 mesto keep only the types usable there; 0 or below keeps
    // every type, any other kind none.
    int32_t Kind = 0;
    // Plants: a letter (CP1250) the type's Tree_idx must hold; ")" also takes the plants that
    // have none. 0: no letter.
    char Letter = 0;
    // Resources, plants and other objects: only types that have sounds ("Zvukař edituje").
    bool SoundOnly = false;

    friend bool operator==(const PaletteFilter&, const PaletteFilter&) = default;
};

// Appends the tab's entries in table or catalogue order. The tables are opened for the call
// and closed again; the catalogue is only read.
void AddTabEntries(PaletteList& list, ObjectTab tab, const PaletteFilter& filter,
                   const tObjects& objects);
// A whole fill: the list emptied, the tab's entries added, sorted and finished.
void FillTab(PaletteList& list, ObjectTab tab, const PaletteFilter& filter,
             const tObjects& objects);

}  // namespace tess
