// The building editor ("Editace stavby"): a thin shell over its rules, with the construction and
// life bars.
#pragma once

#include <QDialog>

#include "game/BuildingEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tess {

class TEditStavba final : public QDialog {
    Q_OBJECT
  public:
    explicit TEditStavba(BuildingEditorRules& rules, QWidget* parent = nullptr);

    QLineEdit* Name() const { return name_; }
    QComboBox* IdRasa() const { return idRasa_; }
    QComboBox* IdTouwn() const { return idTouwn_; }
    QScrollBar* ProcVystavby() const { return procVystavby_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label7() const { return label7_; }
    QLineEdit* EdTag() const { return edTag_; }
    QScrollBar* ScrollBar1() const { return scrollBar1_; }
    QCheckBox* Pozorovatel() const { return pozorovatel_; }
    QCheckBox* Imortal() const { return imortal_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* DeleteButton() const { return delete_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BarMoved();
    void OkClicked();

    BuildingEditorRules& rules_;
    QLineEdit* name_;
    QComboBox* idRasa_;
    QComboBox* idTouwn_;
    QScrollBar* procVystavby_;
    QLabel* label4_;
    QLabel* label7_;
    QLineEdit* edTag_;
    QScrollBar* scrollBar1_;
    QCheckBox* pozorovatel_;
    QCheckBox* imortal_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* delete_;
};

}  // namespace tess
