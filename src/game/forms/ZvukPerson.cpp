// The person sound dialog: eight sound slots, "Load" from a directory of sounds, "Play", and the
// "Vidět" buttons that show the person turning round or falling. Nothing is stored.
#include "game/forms/ZvukPerson.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "game/SoundPlayer.h"
#include "game/forms/SoundWidgets.h"
#include "resources/Utils.h"

namespace tess {

TFormZvukPerson::TFormZvukPerson(std::unique_ptr<SoundPlayer> player, tObjects* objects,
                                 QWidget* parent)
    : QDialog(parent),
      player_(std::move(player)),
      rules_(*player_, objects),
      label1_(new QLabel(this)),
      checkBox1_(new QCheckBox(PersonSoundRules::kChanged, this)),
      display_(new SurfaceArea(rules_.Display(), kAreaWidth, kAreaHeight, this)),
      load_(new QPushButton("Load", this)),
      play_(new QPushButton("Play", this)),
      ok_(new QPushButton("Ok", this)) {
    setObjectName("FormZvukPerson");
    setAttribute(Qt::WA_DeleteOnClose);
    label1_->setObjectName("Label1");
    checkBox1_->setObjectName("CheckBox1");
    display_->setObjectName("Display");
    load_->setObjectName("Load");
    play_->setObjectName("Play");
    ok_->setObjectName("Ok");
    ok_->setDefault(true);
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);

    auto* slotGrid = new QGridLayout;
    for (int i = 0; i < PersonSoundRules::kSlots; ++i) {
        edits_[size_t(i)] = new QLineEdit(this);
        edits_[size_t(i)]->setObjectName(QString("Edit%1").arg(i + 1));
        edits_[size_t(i)]->installEventFilter(this);
        slotGrid->addWidget(new QLabel(PersonSoundRules::kSlotLabels[size_t(i)], this), i, 0);
        slotGrid->addWidget(edits_[size_t(i)], i, 1);
        connect(edits_[size_t(i)], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            rules_.SlotEdited(i, text.toStdString());
            checkBox1_->setChecked(rules_.CheckBox1);
        });
    }
    auto* seeButtons = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        see_[size_t(i)] = new QPushButton("Vidět", this);
        see_[size_t(i)]->setObjectName(QString("Videt%1").arg(i + 1));
        seeButtons->addWidget(see_[size_t(i)]);
        connect(see_[size_t(i)], &QPushButton::clicked, this, [this, i] {
            const PersonSoundRules::SeeButton button = PersonSoundRules::kSeeButtons[size_t(i)];
            rules_.See(button.section, button.looping);
            display_->update();
            SyncTimer();
        });
    }
    seeButtons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(slotGrid);
    top->addWidget(display_, 0, Qt::AlignTop);
    top->addLayout(seeButtons);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkBox1_);
    buttons->addStretch();
    buttons->addWidget(load_);
    buttons->addWidget(play_);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(top);
    layout->addLayout(buttons);

    rules_.SetDisplaySize(kAreaWidth, kAreaHeight);
    connect(&timer_, &QTimer::timeout, this, [this] {
        rules_.Tick();
        display_->update();
        SyncTimer();
    });
    connect(load_, &QPushButton::clicked, this, [this] { Load(); });
    connect(play_, &QPushButton::clicked, this, [this] { rules_.Play(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::close);
}

TFormZvukPerson::~TFormZvukPerson() = default;

QLineEdit* TFormZvukPerson::Edit(int number) const {
    return number >= 1 && number <= PersonSoundRules::kSlots ? edits_[size_t(number - 1)] : nullptr;
}

QPushButton* TFormZvukPerson::SeeButton(int number) const {
    return number >= 1 && number <= 3 ? see_[size_t(number - 1)] : nullptr;
}

void TFormZvukPerson::Fill(int32_t personId) {
    rules_.Fill(personId);
    setWindowTitle(QString("%1 %2").arg(PersonSoundRules::kCaption).arg(personId));
    label1_->setText(QString::fromStdString(rules_.Label1));
    ShowSlots();
}

void TFormZvukPerson::ShowSlots() {
    for (int i = 0; i < PersonSoundRules::kSlots; ++i)
        edits_[size_t(i)]->setText(QString::fromStdString(rules_.Edit[size_t(i)]));
    checkBox1_->setChecked(rules_.CheckBox1);
}

void TFormZvukPerson::Load() {
    const QString file = QFileDialog::getOpenFileName(
        this, "Load", QString::fromStdString(ResolveDiskPath("sound")), "wav (*.wav *.WAV)");
    if (file.isEmpty()) return;
    rules_.LoadDirectory(file.toStdString(), std::filesystem::current_path().string());
    ShowSlots();
}

void TFormZvukPerson::SyncTimer() {
    if (rules_.TimerEnabled())
        timer_.start(PersonSoundRules::kFrameInterval);
    else
        timer_.stop();
}

bool TFormZvukPerson::eventFilter(QObject* watched, QEvent* event) {
    // "Play" plays the slot the user was in last.
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < PersonSoundRules::kSlots; ++i)
            if (watched == edits_[size_t(i)]) rules_.CurrentSlot = i;
    return QDialog::eventFilter(watched, event);
}

void TFormZvukPerson::closeEvent(QCloseEvent* event) {
    rules_.Close();
    timer_.stop();
    QWidget::closeEvent(event);  // QDialog's would call reject(), which closes again
}

}  // namespace tess
