// The editor dialogs the game-data store opens; the forms implement them, tests script them.
#pragma once

#include <cstdint>

namespace tess {

class tKalistor;
struct tPlayerRec;
struct tSettlementRec;
struct tBuildingRec;
struct tUnitRec;

// Each editor shows one record modally. On Ok it stores its controls into the record it is
// given and returns true; otherwise it returns false and the record keeps what the dialog did
// not store (a delete button clears the record's Used byte and ends the dialog as cancelled).
// The store is passed for what the dialogs read or change beside the record (player and
// settlement lists, other players' relations).
class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;
    virtual bool EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) = 0;
    virtual bool EditSettlement(tKalistor& store, int32_t index, tSettlementRec& settlement) = 0;
    virtual bool EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) = 0;
    virtual bool EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) = 0;
};

// Accepts every record unchanged: for programs that build game data without a user (the demo
// game generator, benchmarks).
class AcceptAllEditors final : public EditorDialogs {
  public:
    bool EditPlayer(tKalistor&, int32_t, tPlayerRec&) override { return true; }
    bool EditSettlement(tKalistor&, int32_t, tSettlementRec&) override { return true; }
    bool EditBuilding(tKalistor&, int32_t, tBuildingRec&) override { return true; }
    bool EditUnit(tKalistor&, int32_t, tUnitRec&) override { return true; }
};

}  // namespace tess
