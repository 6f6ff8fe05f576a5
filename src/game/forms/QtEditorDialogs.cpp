// The game-data editors the store opens, shown as the real dialogs.
#include "game/forms/QtEditorDialogs.h"

#include "game/forms/EditBuild.h"
#include "game/forms/EditPlayer.h"
#include "game/forms/EditTouwn.h"
#include "game/forms/EditVojak.h"

namespace tess {

bool QtEditorDialogs::EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) {
    PlayerEditorRules rules(store, index, player);
    TEditHrac dialog(rules, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtEditorDialogs::EditSettlement(tKalistor& store, int32_t, tSettlementRec& settlement) {
    SettlementEditorRules rules(store, settlement);
    TEditMesto dialog(rules, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtEditorDialogs::EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) {
    BuildingEditorRules rules(store, index, building, &map_);
    TEditStavba dialog(rules, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtEditorDialogs::EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) {
    UnitEditorRules rules(store, index, unit, &map_);
    TEditSoldier dialog(rules, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tess
