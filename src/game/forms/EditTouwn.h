// The settlement editor ("Editace usedlosti"): a thin shell over its rules.
#pragma once

#include <QDialog>

#include "game/SettlementEditor.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tess {

class TEditMesto final : public QDialog {
    Q_OBJECT
  public:
    explicit TEditMesto(SettlementEditorRules& rules, QWidget* parent = nullptr);

    QLineEdit* Name() const { return name_; }
    QComboBox* IdRasa() const { return idRasa_; }
    QComboBox* IdPlayer() const { return idPlayer_; }
    QLineEdit* Tag() const { return tag_; }
    QComboBox* Usedlost() const { return usedlost_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* DeleteButton() const { return delete_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OkClicked();

    SettlementEditorRules& rules_;
    QLineEdit* name_;
    QComboBox* idRasa_;
    QComboBox* idPlayer_;
    QLineEdit* tag_;
    QComboBox* usedlost_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* delete_;
};

}  // namespace tess
