// The sound dialogs as the map view and the object palette open them: at most one effect, one
// building and one person dialog at a time, and the modal object dialog.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "editor/SoundEditorPort.h"

namespace tess {

class SoundPlayer;
class tObjects;
class TFormZvukBuilding;
class TFormZvukEfects;
class TFormZvukPerson;

class SoundEditors final : public SoundEditorPort {
  public:
    using PlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;
    using CatalogueSource = std::function<tObjects*()>;

    // The dialogs open over `parent` (null in tests). `catalogue` gives the object catalogue the
    // person dialog shows pictures from (it exists only once the editor has started up);
    // `players` makes each dialog's media player (Qt Multimedia unless given).
    explicit SoundEditors(QWidget* parent, CatalogueSource catalogue = {},
                          PlayerFactory players = {});
    ~SoundEditors() override;

    bool EditObjectSounds(int32_t objectType) override;
    void EditBuildingSounds(int32_t buildingId) override;
    void EditPersonSounds(int32_t personId) override;
    void EditEffectSounds(int32_t effectId) override;

    // Opens an effect's dialog, with "Zpět" leading back to `backId` (0: none). The open effect
    // dialog is saved as its "Ok" does and closed first; when that save fails it stays open
    // (its message says why) and the new one does not open.
    void OpenEffect(int32_t effectId, int32_t backId);

    // The open dialog of each kind, or null.
    TFormZvukEfects* EffectDialog() const;
    TFormZvukBuilding* BuildingDialog() const;
    TFormZvukPerson* PersonDialog() const;

  private:
    std::unique_ptr<SoundPlayer> NewPlayer() const;
    // Places a new dialog of the kind beside the others, so the three never cover each other.
    void Place(QWidget* dialog, int column) const;

    QPointer<QWidget> parent_;
    CatalogueSource catalogue_;
    PlayerFactory players_;
    QPointer<TFormZvukEfects> effect_;
    QPointer<TFormZvukBuilding> building_;
    QPointer<TFormZvukPerson> person_;
};

}  // namespace tess
