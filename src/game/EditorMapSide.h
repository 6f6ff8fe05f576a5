// What the game-data editors do to the map beside their record: remove a deleted record's object,
// leave a dead unit's body, arm the patrol pick.
#pragma once

#include <cstdint>
#include <functional>

namespace tess {

class tMapa;
class tObjects;
class tKalistor;

// The editors' delete buttons and "Nastavit hlídku" reach the map through this, so their rules
// never hold the map itself. The editor session implements it with the editing engine's tools.
class EditorMapSide {
  public:
    virtual ~EditorMapSide() = default;
    // Removes the object of building (link kind 1) or unit (2) `index` whose anchor is (x, y).
    // False, and nothing touched, when the cell there does not carry that record: a record
    // whose editor opens before it is placed has no object of its own yet.
    virtual bool RemoveRecordObject(int linkKind, int32_t index, int32_t x, int32_t y) = 0;
    // Makes (x, y) the anchor of the plain object `type` (a dead unit's body).
    virtual void LeaveBody(int32_t x, int32_t y, int32_t type) = 0;
    // The next map click sets the unit's patrol cell and opens its editor again.
    virtual void ArmPatrolPick(int32_t unit) = 0;
};

// The map-level steps of RemoveRecordObject and LeaveBody.
bool RemoveRecordObject(tMapa& map, const tObjects& objects, const tKalistor& store, int linkKind,
                        int32_t index, int32_t x, int32_t y);
void LeaveBody(tMapa& map, int32_t x, int32_t y, int32_t type);

// An EditorMapSide over one map: the objects come from a function because the editor's
// catalogue is replaced once its view exists; the patrol pick goes to a handler (none: the
// button only accepts).
class GridMapSide final : public EditorMapSide {
  public:
    GridMapSide(tMapa& map, std::function<const tObjects&()> objects, const tKalistor& store,
                std::function<void(int32_t)> armPatrolPick = {})
        : map_(map),
          objects_(std::move(objects)),
          store_(store),
          armPatrolPick_(std::move(armPatrolPick)) {}

    bool RemoveRecordObject(int linkKind, int32_t index, int32_t x, int32_t y) override {
        return tess::RemoveRecordObject(map_, objects_(), store_, linkKind, index, x, y);
    }
    void LeaveBody(int32_t x, int32_t y, int32_t type) override {
        tess::LeaveBody(map_, x, y, type);
    }
    void ArmPatrolPick(int32_t unit) override {
        if (armPatrolPick_) armPatrolPick_(unit);
    }

  private:
    tMapa& map_;
    std::function<const tObjects&()> objects_;
    const tKalistor& store_;
    std::function<void(int32_t)> armPatrolPick_;
};

}  // namespace tess
