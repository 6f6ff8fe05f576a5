// The settlement editor ("Editace usedlosti"): a thin shell over its rules.
#include "game/forms/EditTouwn.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "game/forms/EditorForm.h"

namespace tess {

TEditMesto::TEditMesto(SettlementEditorRules& rules, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      rules_(rules),
      name_(new QLineEdit(ToQt(rules.Name), this)),
      idRasa_(new QComboBox(this)),
      idPlayer_(new QComboBox(this)),
      tag_(new QLineEdit(ToQt(rules.Tag), this)),
      usedlost_(new QComboBox(this)),
      ok_(new QPushButton("Ok", this)),
      cancel_(new QPushButton("Storno", this)),
      delete_(new QPushButton("SMAZAT", this)) {
    setObjectName("EditMesto");
    setWindowTitle(SettlementEditorRules::kCaption);
    name_->setObjectName("Name");
    name_->setMaxLength(30);
    idRasa_->setObjectName("IdRasa");
    idRasa_->setToolTip("rasa která tohle město zbudovala");
    idPlayer_->setObjectName("IdPlayer");
    tag_->setObjectName("TAG");
    usedlost_->setObjectName("usedlost");
    usedlost_->setEnabled(false);
    ok_->setObjectName("Ok");
    ok_->setDefault(true);
    cancel_->setObjectName("Storno");
    delete_->setObjectName("Smazat");
    FillCombo(idRasa_, rules.IdRasa);
    FillCombo(idPlayer_, rules.IdPlayer);
    FillCombo(usedlost_, rules.Usedlost);

    auto* form = new QFormLayout;
    form->addRow("Jméno", name_);
    form->addRow("Rasa", idRasa_);
    form->addRow("Patří hráči", idPlayer_);
    form->addRow(SettlementEditorRules::kTag, tag_);
    form->addRow("Usedlost", usedlost_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(delete_, &QPushButton::clicked, this, [this] {
        rules_.Delete();
        reject();
    });
}

void TEditMesto::OkClicked() {
    rules_.Name = name_->text().toStdString();
    ReadCombo(idRasa_, rules_.IdRasa);
    ReadCombo(idPlayer_, rules_.IdPlayer);
    rules_.Tag = tag_->text().toStdString();
    if (const auto error = rules_.Accept()) {
        ShowFieldError(*error, {{"Tag", tag_}});
        return;
    }
    accept();
}

void TEditMesto::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tess
