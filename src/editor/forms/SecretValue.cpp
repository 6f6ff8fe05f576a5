// The cell-parameter dialog "secret value": the Id parameters of a cell's eight neighbours.
#include "editor/forms/SecretValue.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace tess {

TSecretValue::TSecretValue(const CellParamTexts& shown, QWidget* parent)
    : QDialog(parent), ok_(new QPushButton("Ok", this)) {
    setObjectName("SecretValue");
    setWindowTitle("secret value");
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 8; ++i) {
        auto* edit = new QLineEdit(QString::fromStdString(shown[static_cast<size_t>(i)]), this);
        edit->setObjectName(QString("Edit%1").arg(i + 1));
        edits_[static_cast<size_t>(i)] = edit;
        grid->addWidget(new QLabel(QString("Param %1").arg(i + 1), this), i, 0);
        grid->addWidget(edit, i, 1);
    }
    grid->addWidget(new QLabel("surovina", this), 8, 0, 1, 2);
    ok_->setDefault(true);
    grid->addWidget(ok_, 9, 1, Qt::AlignRight);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

CellParamTexts TSecretValue::Texts() const {
    CellParamTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = edits_[i]->text().toStdString();
    return texts;
}

void TSecretValue::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace tess
