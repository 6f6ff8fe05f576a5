// The sound dialogs as the map view and the object palette open them: at most one effect, one
// building and one person dialog at a time, and the modal object dialog.
#include "game/forms/SoundEditors.h"

#include "game/forms/QtSoundPlayer.h"
#include "game/forms/ZvukBuilding.h"
#include "game/forms/ZvukEfects.h"
#include "game/forms/ZvukObject.h"
#include "game/forms/ZvukPerson.h"

namespace tess {

namespace {

constexpr int kColumnWidth = 380;
constexpr int kMargin = 24;
constexpr int kTop = 72;

}  // namespace

SoundEditors::SoundEditors(QWidget* parent, CatalogueSource catalogue, PlayerFactory players)
    : parent_(parent), catalogue_(std::move(catalogue)), players_(std::move(players)) {}

SoundEditors::~SoundEditors() {
    // Their parent may outlive this object; the dialogs go with it.
    for (QWidget* dialog :
         {static_cast<QWidget*>(effect_.data()), static_cast<QWidget*>(building_.data()),
          static_cast<QWidget*>(person_.data())})
        delete dialog;
}

TFormZvukEfects* SoundEditors::EffectDialog() const {
    return effect_;
}
TFormZvukBuilding* SoundEditors::BuildingDialog() const {
    return building_;
}
TFormZvukPerson* SoundEditors::PersonDialog() const {
    return person_;
}

std::unique_ptr<SoundPlayer> SoundEditors::NewPlayer() const {
    return players_ ? players_() : std::make_unique<QtSoundPlayer>();
}

void SoundEditors::Place(QWidget* dialog, int column) const {
    if (!parent_) return;
    const QRect frame = parent_->frameGeometry();
    dialog->move(frame.left() + kMargin + column * kColumnWidth, frame.top() + kTop);
}

bool SoundEditors::EditObjectSounds(int32_t objectType) {
    TFormZvukObject dialog(objectType, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void SoundEditors::EditEffectSounds(int32_t effectId) {
    OpenEffect(effectId, 0);
}

void SoundEditors::OpenEffect(int32_t effectId, int32_t backId) {
    // Close() lets go of the old dialog later: this may run inside one of its own buttons.
    if (effect_) {
        if (!effect_->SaveShowingFailure()) return;
        effect_->close();
    }
    auto* dialog = new TFormZvukEfects(NewPlayer(), parent_);
    dialog->OnOpenEffect = [this](int32_t id, int32_t back) { OpenEffect(id, back); };
    dialog->Fill(effectId, backId);
    Place(dialog, 0);
    effect_ = dialog;
    dialog->show();
}

void SoundEditors::EditBuildingSounds(int32_t buildingId) {
    if (building_) {
        if (!building_->SaveShowingFailure()) return;
        building_->close();
    }
    auto* dialog = new TFormZvukBuilding(NewPlayer(), parent_);
    dialog->Fill(buildingId);
    Place(dialog, 1);
    building_ = dialog;
    dialog->show();
}

void SoundEditors::EditPersonSounds(int32_t personId) {
    // The person dialog stores nothing, so replacing it only closes it.
    if (person_) person_->close();
    auto* dialog = new TFormZvukPerson(NewPlayer(), catalogue_ ? catalogue_() : nullptr, parent_);
    dialog->Fill(personId);
    Place(dialog, 2);
    person_ = dialog;
    dialog->show();
}

}  // namespace tess
