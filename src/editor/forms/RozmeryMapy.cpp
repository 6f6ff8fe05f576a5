// The new-map size dialog: two sides and "Ok" enabled by the field changed last.
#include "editor/forms/RozmeryMapy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace tess {

TRozmeryMapy::TRozmeryMapy(QWidget* parent)
    : QDialog(parent),
      editX_(new QLineEdit(MapSizeRules::kInitialX, this)),
      editY_(new QLineEdit(MapSizeRules::kInitialY, this)),
      ok_(new QPushButton(MapSizeRules::kOk, this)),
      cancel_(new QPushButton(MapSizeRules::kCancel, this)) {
    setObjectName("RozmeryMapy");
    setWindowTitle(MapSizeRules::kCaption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    editX_->setObjectName("EditX");
    editY_->setObjectName("EditY");
    editX_->setToolTip(MapSizeRules::kHint);
    editY_->setToolTip(MapSizeRules::kHint);
    ok_->setObjectName("Ok");
    cancel_->setObjectName("Storno");
    ok_->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(MapSizeRules::kLabelX, this), 0, 0);
    grid->addWidget(editX_, 0, 1);
    grid->addWidget(new QLabel(MapSizeRules::kLabelY, this), 1, 0);
    grid->addWidget(editY_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(editX_, &QLineEdit::textChanged, this, [this](const QString& text) {
        rules_.EditXChanged(text.toStdString());
        ok_->setEnabled(rules_.OkEnabled());
    });
    connect(editY_, &QLineEdit::textChanged, this, [this](const QString& text) {
        rules_.EditYChanged(text.toStdString());
        ok_->setEnabled(rules_.OkEnabled());
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    ok_->setEnabled(rules_.OkEnabled());
}

MapSizeTexts TRozmeryMapy::Texts() const {
    return {editX_->text().toStdString(), editY_->text().toStdString()};
}

void TRozmeryMapy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not over the main window.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace tess
