// The game-data editors the store opens, shown as the real dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "game/EditorDialogs.h"

namespace tess {

class EditorMapSide;

// Each call creates its dialog over the record, runs it modally and frees it.
class QtEditorDialogs final : public EditorDialogs {
  public:
    // `map` takes the delete buttons' and "Nastavit hlídku"'s effect on the map; the dialogs
    // open over `parent`.
    QtEditorDialogs(EditorMapSide& map, QWidget* parent) : map_(map), parent_(parent) {}

    bool EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) override;
    bool EditSettlement(tKalistor& store, int32_t index, tSettlementRec& settlement) override;
    bool EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) override;
    bool EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) override;

  private:
    EditorMapSide& map_;
    QPointer<QWidget> parent_;
};

}  // namespace tess
