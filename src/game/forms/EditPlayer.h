// The player editor ("Editace hráče"): a thin shell over its rules, with the colour dialog and the
// buttons that open the relation and permission editors.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/PlayerEditor.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tess {

class TVztahHracu;
class TStavUpgrade;

class TEditHrac final : public QDialog {
    Q_OBJECT
  public:
    // The colour dialog: the colour chosen, or nothing when it was cancelled.
    using ColourChooser = std::function<std::optional<QColor>(QColor initial, QWidget* parent)>;

    explicit TEditHrac(PlayerEditorRules& rules, QWidget* parent = nullptr);

    void SetColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

    QLineEdit* Name() const { return name_; }
    QComboBox* IdRasa() const { return idRasa_; }
    QCheckBox* RidiPocitac() const { return ridiPocitac_; }
    QComboBox* Povaha() const { return povaha_; }
    QPushButton* Button4() const { return barva_; }
    // Penize, Surovina, Edit1 ("tag"), Edit2..Edit6, by record field.
    QLineEdit* Edit(const std::string& field) const;
    QPushButton* Button(const std::string& objectName) const;
    // The relation and permission windows opened so far and still open.
    std::vector<TVztahHracu*> RelationWindows() const;
    std::vector<TStavUpgrade*> PermissionWindows() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* AddEdit(const char* field, const char* objectName, const std::string& text);
    void ReadControls();
    void ShowColour();
    void OkClicked();
    void OpenRelations();
    void OpenPermissions(int kind);

    PlayerEditorRules& rules_;
    ColourChooser chooseColour_;
    QLineEdit* name_;
    QComboBox* idRasa_;
    QCheckBox* ridiPocitac_;
    QComboBox* povaha_;
    QPushButton* barva_;
    std::map<std::string, QLineEdit*> edits_;
    std::map<std::string, QWidget*> controls_;
    std::vector<QPointer<TVztahHracu>> relations_;
    std::vector<QPointer<TStavUpgrade>> permissions_;
};

}  // namespace tess
