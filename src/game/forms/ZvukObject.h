// The map object sound dialog (modal): one sound for every moment or one for the day and one for
// the night, "Loop" and the sound's distance. It offers its controls only; nothing is stored.
#pragma once

#include <QDialog>

#include "game/ObjectSoundRules.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tess {

class TFormZvukObject final : public QDialog {
    Q_OBJECT
  public:
    TFormZvukObject(int32_t objectType, QWidget* parent);

    ObjectSoundRules& Rules() { return rules_; }
    QLineEdit* Edit(int number) const;  // Edit1..Edit5
    QRadioButton* RadioButtonEach() const { return each_; }
    QRadioButton* RadioButtonDayNight() const { return dayNight_; }
    QCheckBox* CheckBox1() const { return checkBox1_; }
    QPushButton* Button1() const { return button1_; }

  private:
    void ShowRules();

    ObjectSoundRules rules_;
    QLineEdit* edits_[5];
    QLabel* dayLabel_;
    QLabel* nightLabel_;
    QLabel* eachLabel_;
    QRadioButton* each_;
    QRadioButton* dayNight_;
    QCheckBox* checkBox1_;
    QPushButton* button1_;
};

}  // namespace tess
