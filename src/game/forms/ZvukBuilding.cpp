// The building sound dialog: the building's sound, "Play" and the face of the building's keeper.
#include "game/forms/ZvukBuilding.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "game/SoundPlayer.h"
#include "game/forms/SoundWidgets.h"

namespace tess {

TFormZvukBuilding::TFormZvukBuilding(std::unique_ptr<SoundPlayer> player, QWidget* parent)
    : QDialog(parent),
      player_(std::move(player)),
      rules_(*player_),
      label1_(new QLabel(this)),
      edit1_(new SoundEdit(this)),
      display_(new SurfaceArea(rules_.Display(), kAreaWidth, kAreaHeight, this)),
      play_(new QPushButton("Play", this)),
      ok_(new QPushButton("Ok", this)) {
    setObjectName("FormZvukBuilding");
    setAttribute(Qt::WA_DeleteOnClose);
    label1_->setObjectName("Label1");
    edit1_->setObjectName("Edit1");
    edit1_->setToolTip("Zvuk v adresáři sound; dvojklik vybere soubor");
    display_->setObjectName("Display");
    play_->setObjectName("Play");
    ok_->setObjectName("Ok");
    ok_->setDefault(true);
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);

    auto* layout = new QGridLayout(this);
    layout->addWidget(display_, 0, 0, 3, 1);
    layout->addWidget(label1_, 0, 1);
    layout->addWidget(edit1_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    layout->addLayout(buttons, 2, 1);
    layout->setColumnMinimumWidth(1, 220);

    rules_.SetDisplay(kAreaWidth, kAreaHeight, Rgb565Of(palette().color(QPalette::Button)));
    ConnectSoundChoice(edit1_, rules_.Edit1);
    connect(play_, &QPushButton::clicked, this, [this] { rules_.Play(); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (SaveShowingFailure()) close();
    });
}

TFormZvukBuilding::~TFormZvukBuilding() = default;

QLineEdit* TFormZvukBuilding::Edit1() const {
    return edit1_;
}

void TFormZvukBuilding::Fill(int32_t buildingId) {
    rules_.Fill(buildingId);
    setWindowTitle(QString("Zvuk budovy %1").arg(buildingId));
    label1_->setText(QString::fromStdString(rules_.Label1));
    edit1_->setText(QString::fromStdString(rules_.Edit1));
    display_->update();
}

bool TFormZvukBuilding::SaveShowingFailure() {
    return ReportSave(rules_.Save(), "Zvuk budovy " + std::to_string(rules_.BuildingId()));
}

void TFormZvukBuilding::closeEvent(QCloseEvent* event) {
    rules_.Close();
    QWidget::closeEvent(event);  // QDialog's would call reject(), which closes again
}

}  // namespace tess
