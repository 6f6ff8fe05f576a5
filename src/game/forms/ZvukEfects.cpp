// The effect sound dialog: the effect's sound and frame time, its animation playing in step with
// the sound, and the effects it leads to.
#include "game/forms/ZvukEfects.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "game/SoundPlayer.h"
#include "game/forms/SoundWidgets.h"

namespace tess {

namespace {

// A label that opens the effect it names: a flat button that reads like a link.
QPushButton* LinkLabel(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet("text-align: left; color: palette(link); text-decoration: underline;");
    return button;
}

}  // namespace

TFormZvukEfects::TFormZvukEfects(std::unique_ptr<SoundPlayer> player, QWidget* parent)
    : QDialog(parent),
      player_(std::move(player)),
      rules_(*player_),
      label1_(new QLabel(this)),
      edit1_(new SoundEdit(this)),
      edit2_(new QLineEdit(this)),
      label2_(LinkLabel("Label2", this)),
      label3_(LinkLabel("Label3", this)),
      label4_(new QLabel(EffectSoundRules::kCraterText, this)),
      label5_(new QLabel(EffectSoundRules::kArrowText, this)),
      checkBox1_(new QCheckBox(EffectSoundRules::kEachAnimText, this)),
      display_(new SurfaceArea(rules_.Display(), kAreaWidth, kAreaHeight, this)),
      play_(new QPushButton("Play", this)),
      ok_(new QPushButton("Ok", this)),
      back_(new QPushButton("Zpět", this)) {
    setObjectName("FormZvukEfects");
    setAttribute(Qt::WA_DeleteOnClose);
    label1_->setObjectName("Label1");
    edit1_->setObjectName("Edit1");
    edit1_->setToolTip("Zvuk v adresáři sound; dvojklik vybere soubor");
    edit2_->setObjectName("Edit2");
    edit2_->setToolTip("Snímků za sekundu");
    label4_->setObjectName("Label4");
    label5_->setObjectName("Label5");
    checkBox1_->setObjectName("CheckBox1");
    display_->setObjectName("Display");
    play_->setObjectName("Play");
    ok_->setObjectName("Ok");
    back_->setObjectName("Zpet");
    ok_->setDefault(true);
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("wav", this), 0, 0);
    fields->addWidget(edit1_, 0, 1);
    fields->addWidget(new QLabel("snímků/s", this), 1, 0);
    fields->addWidget(edit2_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addStretch();
    buttons->addWidget(back_);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(fields);
    layout->addWidget(checkBox1_);
    layout->addWidget(display_, 0, Qt::AlignHCenter);
    for (QWidget* w : {static_cast<QWidget*>(label2_), static_cast<QWidget*>(label3_),
                       static_cast<QWidget*>(label4_), static_cast<QWidget*>(label5_)})
        layout->addWidget(w);
    layout->addLayout(buttons);

    rules_.SetDisplaySize(kAreaWidth, kAreaHeight);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    ConnectSoundChoice(edit1_, rules_.Edit1);
    connect(edit2_, &QLineEdit::textEdited, this, [this](const QString& text) {
        rules_.FramesPerSecondEdited(text.toStdString());
        SyncTimer();
    });
    connect(checkBox1_, &QCheckBox::toggled, this, [this](bool on) { rules_.CheckBox1 = on; });
    connect(play_, &QPushButton::clicked, this, [this] {
        rules_.Play();
        timer_.stop();  // a new cycle starts a whole interval from now
        SyncTimer();
    });
    connect(label2_, &QPushButton::clicked, this, [this] {
        if (OnOpenEffect) OnOpenEffect(rules_.Label2.EffectId, rules_.EffectId());
    });
    connect(label3_, &QPushButton::clicked, this, [this] {
        if (OnOpenEffect) OnOpenEffect(rules_.Label3.EffectId, rules_.EffectId());
    });
    connect(back_, &QPushButton::clicked, this, [this] {
        if (OnOpenEffect) OnOpenEffect(backId_, 0);
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (SaveShowingFailure()) close();
    });
}

TFormZvukEfects::~TFormZvukEfects() = default;

QLineEdit* TFormZvukEfects::Edit1() const {
    return edit1_;
}

void TFormZvukEfects::Fill(int32_t effectId, int32_t backId) {
    backId_ = backId;
    rules_.Fill(effectId);
    setWindowTitle(QString("Zvuk efektu %1").arg(effectId));
    ShowRules();
    SyncTimer();
}

void TFormZvukEfects::ShowRules() {
    label1_->setText(QString::fromStdString(rules_.Label1));
    edit1_->setText(QString::fromStdString(rules_.Edit1));
    edit2_->setText(QString::fromStdString(rules_.Edit2));
    label2_->setText(QString::fromStdString(rules_.Label2.Text));
    label2_->setVisible(rules_.Label2.Visible);
    label3_->setText(QString::fromStdString(rules_.Label3.Text));
    label3_->setVisible(rules_.Label3.Visible);
    label4_->setVisible(rules_.Label4Visible);
    label5_->setVisible(rules_.Label5Visible);
    const QSignalBlocker quiet(checkBox1_);
    checkBox1_->setChecked(rules_.CheckBox1);
    checkBox1_->setEnabled(rules_.CheckBox1Enabled);
    back_->setVisible(backId_ != 0);
    display_->update();
}

void TFormZvukEfects::SyncTimer() {
    const int interval = rules_.TimerInterval();
    if (!rules_.TimerEnabled() || interval <= 0) {
        timer_.stop();
    } else if (!timer_.isActive() || timer_.interval() != interval) {
        timer_.start(interval);
    }
}

void TFormZvukEfects::Tick() {
    rules_.Tick();
    display_->update();
    SyncTimer();
}

bool TFormZvukEfects::SaveShowingFailure() {
    return ReportSave(rules_.Save(), "Zvuk efektu " + std::to_string(rules_.EffectId()));
}

void TFormZvukEfects::closeEvent(QCloseEvent* event) {
    rules_.Close();
    timer_.stop();
    QWidget::closeEvent(event);  // QDialog's would call reject(), which closes again
}

}  // namespace tess
