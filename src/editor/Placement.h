// Putting one placement entry on a cell with the game-data records it needs, deleting what
// stands on a cell, and the amount dialog of deposits and bone piles.
#pragma once

#include <cstdint>
#include <string>

#include "editor/EditContext.h"

namespace tess {

// Captions and bounds of the amount dialog.
inline constexpr const char* kAmountTitle = "Těžba";
inline constexpr const char* kAmountRefused = "Pouze [1..65535]";
constexpr int32_t kMinAmount = 1;
constexpr int32_t kMaxAmount = 65535;

// The object types that keep an amount in the cell W of their anchor, and the building type
// whose Tag holds bones and whose picture follows its ProcVystavby.
constexpr int32_t kGoldType = 232;
constexpr int32_t kIronType = 233;
constexpr int32_t kBonesBuilding = 89;
constexpr int32_t kBonesPicture = 212;

class Placement {
  public:
    explicit Placement(EditContext& context) : ctx_(context) {}

    // Puts `entry` at (x, y): the fit test, the cell's shade, the unit, settlement and building
    // records (whose dialogs may cancel), the picture families, a deposit's amount, then the
    // footprint. True when the cell accepted the entry (also when nothing visible went onto the
    // map); false when the map refused it or a game-data step was cancelled, and then no
    // record is left behind. A unit whose dialog was cancelled clears the entry's IdObject.
    bool PlaceEntry(int32_t x, int32_t y, tAddPack& entry);
    // Removes the object, building or unit standing on (x, y), its whole footprint; a wall
    // cell empties its block. True when an object (not a wall) was removed. A cell whose
    // Occupancy holds nothing is left alone, whatever its Id carries.
    bool DeleteObject(int32_t x, int32_t y);
    // "Těžba": shows `value` under `caption` until Ok gives a number in 1..65535 (the title
    // says "Pouze [1..65535]" after a refused one). The scroll bar shows while LastScrollState
    // is not -1, and Ok stores its position there. Cancelling keeps `value`, brought into
    // 1..65535.
    int32_t AskAmount(const std::string& caption, int32_t value);
    // Asks the amount of the gold or iron deposit anchored at `anchor` into the cell W of it;
    // false (nothing asked) when that cell is not a free cell of its own.
    bool AskDepositAmount(TPoint anchor, int32_t type);
    // Asks the bones of building type 89 and sets its picture from its construction state.
    void AskBones(int32_t building);

  private:
    EditContext& ctx_;
};

}  // namespace tess
