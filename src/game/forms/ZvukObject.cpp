// The map object sound dialog (modal): one sound for every moment or one for the day and one for
// the night, "Loop" and the sound's distance. It offers its controls only; nothing is stored.
#include "game/forms/ZvukObject.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

TFormZvukObject::TFormZvukObject(int32_t objectType, QWidget* parent)
    : QDialog(parent),
      rules_(objectType),
      dayLabel_(new QLabel(ObjectSoundRules::kDay, this)),
      nightLabel_(new QLabel(ObjectSoundRules::kNight, this)),
      eachLabel_(new QLabel("wav", this)),
      each_(new QRadioButton(ObjectSoundRules::kEach, this)),
      dayNight_(new QRadioButton(ObjectSoundRules::kDayNight, this)),
      checkBox1_(new QCheckBox(ObjectSoundRules::kLoop, this)),
      button1_(new QPushButton(ObjectSoundRules::kSave, this)) {
    setObjectName("FormZvukObject");
    setWindowTitle(QString("%1 %2").arg(ObjectSoundRules::kCaption).arg(objectType));
    for (int i = 0; i < 5; ++i) {
        edits_[i] = new QLineEdit(this);
        edits_[i]->setObjectName(QString("Edit%1").arg(i + 1));
    }
    each_->setObjectName("RadioButtonEach");
    dayNight_->setObjectName("RadioButtonDayNight");
    checkBox1_->setObjectName("CheckBox1");
    checkBox1_->setTristate(true);
    button1_->setObjectName("Button1");
    button1_->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(edits_[2], 0, 0, 1, 3);
    grid->addWidget(each_, 1, 0);
    grid->addWidget(eachLabel_, 1, 1);
    grid->addWidget(edits_[0], 1, 2);
    grid->addWidget(dayNight_, 2, 0);
    grid->addWidget(dayLabel_, 2, 1);
    grid->addWidget(edits_[3], 2, 2);
    grid->addWidget(nightLabel_, 3, 1);
    grid->addWidget(edits_[4], 3, 2);
    grid->addWidget(checkBox1_, 4, 0);
    grid->addWidget(new QLabel(ObjectSoundRules::kDistance, this), 5, 1);
    grid->addWidget(edits_[1], 5, 2);
    grid->addWidget(button1_, 6, 2, Qt::AlignRight);

    for (int i = 0; i < 5; ++i)
        connect(edits_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { rules_.Edit[size_t(i)] = text.toStdString(); });
    connect(each_, &QRadioButton::clicked, this, [this] {
        rules_.ChooseEach();
        ShowRules();
    });
    connect(dayNight_, &QRadioButton::clicked, this, [this] {
        rules_.ChooseDayNight();
        ShowRules();
    });
    connect(checkBox1_, &QCheckBox::stateChanged, this, [this](int state) {
        rules_.CheckBox1 = state == Qt::Checked     ? CheckState::Checked
                           : state == Qt::Unchecked ? CheckState::Unchecked
                                                    : CheckState::Grey;
    });
    connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
    ShowRules();
}

QLineEdit* TFormZvukObject::Edit(int number) const {
    return number >= 1 && number <= 5 ? edits_[number - 1] : nullptr;
}

void TFormZvukObject::ShowRules() {
    for (int i = 0; i < 5; ++i)
        edits_[i]->setText(QString::fromStdString(rules_.Edit[size_t(i)]));
    each_->setChecked(rules_.RadioButtonEach);
    dayNight_->setChecked(rules_.RadioButtonDayNight);
    edits_[0]->setVisible(rules_.EachVisible);
    eachLabel_->setVisible(rules_.EachVisible);
    for (QWidget* w : {static_cast<QWidget*>(edits_[3]), static_cast<QWidget*>(edits_[4]),
                       static_cast<QWidget*>(dayLabel_), static_cast<QWidget*>(nightLabel_)})
        w->setVisible(rules_.DayNightVisible);
    const QSignalBlocker quiet(checkBox1_);
    checkBox1_->setCheckState(rules_.CheckBox1 == CheckState::Checked     ? Qt::Checked
                              : rules_.CheckBox1 == CheckState::Unchecked ? Qt::Unchecked
                                                                          : Qt::PartiallyChecked);
    checkBox1_->setEnabled(rules_.CheckBox1Enabled);
}

}  // namespace tess
