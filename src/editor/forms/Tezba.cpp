// The amount dialog "Těžba": a caption, the amount's field and the construction scroll bar.
#include "editor/forms/Tezba.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tess {

namespace {

constexpr int kScrollMax = 100;  // construction in per cent

}  // namespace

TTezba::TTezba(const AmountRequest& request, QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(QString::fromStdString(request.Caption), this)),
      edit_(new QLineEdit(QString::fromStdString(request.Text), this)),
      scroll_(new QScrollBar(Qt::Horizontal, this)),
      ok_(new QPushButton("OK", this)) {
    setObjectName("Tezba");
    setWindowTitle(QString::fromStdString(request.Title));
    edit_->setObjectName("Edit1");
    scroll_->setObjectName("ScrollBar1");
    scroll_->setToolTip("stav kostry");
    scroll_->setRange(1, kScrollMax);
    scroll_->setVisible(request.ScrollPosition != -1);
    if (request.ScrollPosition != -1) scroll_->setValue(request.ScrollPosition);
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addWidget(scroll_);
    layout->addWidget(ok_, 0, Qt::AlignRight);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    edit_->selectAll();
}

AmountReply TTezba::Reply() const {
    return {edit_->text().toStdString(), scroll_->isVisibleTo(this) ? scroll_->value() : -1};
}

}  // namespace tess
