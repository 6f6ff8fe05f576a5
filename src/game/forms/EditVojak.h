// The unit editor ("Editace jednotky"): a thin shell over its rules, with table values in red or
// black and the 3 x 3 grid of direction buttons.
#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "game/UnitEditor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace tess {

class TEditSoldier final : public QDialog {
    Q_OBJECT
  public:
    explicit TEditSoldier(UnitEditorRules& rules, QWidget* parent = nullptr);

    QLineEdit* Name() const { return name_; }
    QLineEdit* EdUtoC() const { return edUtoC_; }
    QLineEdit* EdObrC() const { return edObrC_; }
    QLineEdit* EdZivoty() const { return edZivoty_; }
    QLabel* MaxZivoty() const { return maxZivoty_; }
    QScrollBar* ScrollBar1() const { return scrollBar1_; }
    QComboBox* IdPlayer() const { return idPlayer_; }
    QLineEdit* EdTag() const { return edTag_; }
    QComboBox* AI() const { return ai_; }
    QToolButton* SpeedButton(int direction) const;
    QCheckBox* Tick(const std::string& field) const { return ticks_.at(field); }
    // Button1 "Ok", Button2 "Zemřít", Button3 "SMAZAT", Button4 "Reset", Button5 "Storno",
    // Button6 "Nastavit hlídku".
    QPushButton* Button(int number) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLineEdit* TableEdit(const char* objectName, const UnitEditorRules::TableValueEdit& edit);
    void ShowTableValues();
    void ReadControls();
    void Finish(std::optional<FieldError> error);

    UnitEditorRules& rules_;
    QLineEdit* name_;
    QLineEdit* edUtoC_;
    QLineEdit* edObrC_;
    QLineEdit* edZivoty_;
    QLabel* maxZivoty_;
    QScrollBar* scrollBar1_;
    QComboBox* idPlayer_;
    QLineEdit* edTag_;
    QComboBox* ai_;
    QButtonGroup* directions_;
    QLineEdit* patrolX_;
    QLineEdit* patrolY_;
    std::map<std::string, QCheckBox*> ticks_;
    std::map<std::string, QWidget*> controls_;
};

}  // namespace tess
