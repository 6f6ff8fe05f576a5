// "Navolit terén": the picture set and shading of one terrain slot.
#include "editor/forms/EditTeren.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/palettes/TerrainBinding.h"
#include "resources/Utils.h"

namespace tess {

TEditTeren::TEditTeren(QWidget* parent, TerrainBinding& binding)
    : QDialog(parent),
      binding_(binding),
      edit_(new QLineEdit(this)),
      shade_(new QCheckBox(TerrainBinding::kShadeCaption, this)),
      sets_(new QComboBox(this)),
      browse_(new QPushButton("Procházet", this)),
      ok_(new QPushButton("Ok", this)) {
    setObjectName("EditTeren");
    setWindowTitle(TerrainBinding::kCaption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    edit_->setObjectName("Edit1");
    edit_->setReadOnly(true);
    edit_->setVisible(false);
    shade_->setObjectName("CheckBox1");
    sets_->setObjectName("ComboBox1");
    // A name of the designer's own may be typed as well as chosen.
    sets_->setEditable(true);
    for (const char* set : kPictureSets)
        sets_->addItem(set);
    browse_->setObjectName("Button2");
    browse_->setVisible(false);
    ok_->setObjectName("Ok");
    ok_->setDefault(true);

    const QString name = QString::fromStdString(binding_.Name());
    edit_->setText(name);
    sets_->setCurrentText(name);
    shade_->setChecked(binding_.Shade());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(sets_);
    layout->addWidget(shade_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(browse_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    layout->addLayout(buttons);

    connect(sets_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        binding_.PictureSetChosen(text.toStdString());
        edit_->setText(text);
    });
    connect(shade_, &QCheckBox::toggled, this, [this](bool ticked) { binding_.SetShade(ticked); });
    connect(browse_, &QPushButton::clicked, this, [this] { Browse(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void TEditTeren::Browse() {
    const QString directory =
        QString::fromStdString(ResolveDiskPath(TerrainBinding::kBrowseDirectory));
    const QString chosen = QFileDialog::getOpenFileName(
        this, TerrainBinding::kCaption,
        QDir(directory).filePath(QString::fromStdString(binding_.BrowseFileName())),
        "*#.bmp (*#.bmp)");
    if (chosen.isEmpty()) return;
    binding_.FileChosen(chosen.toStdString());
    edit_->setText(QString::fromStdString(binding_.Name()));
    sets_->setCurrentText(edit_->text());
}

void TEditTeren::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace tess
