// The building editor ("Editace stavby"): a thin shell over its rules, with the construction and
// life bars.
#include "game/forms/EditBuild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "game/forms/EditorForm.h"

namespace tess {

TEditStavba::TEditStavba(BuildingEditorRules& rules, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      rules_(rules),
      name_(new QLineEdit(ToQt(rules.Name), this)),
      idRasa_(new QComboBox(this)),
      idTouwn_(new QComboBox(this)),
      procVystavby_(new QScrollBar(Qt::Horizontal, this)),
      label4_(new QLabel("0%               Výstavba               100%", this)),
      label7_(new QLabel(ToQt(rules.Label7()), this)),
      edTag_(new QLineEdit(ToQt(rules.Tag), this)),
      scrollBar1_(new QScrollBar(Qt::Horizontal, this)),
      pozorovatel_(new QCheckBox("Pozorovatel", this)),
      imortal_(new QCheckBox("Nezničitelná", this)),
      ok_(new QPushButton("Ok", this)),
      cancel_(new QPushButton("Storno", this)),
      delete_(new QPushButton("SMAZAT", this)) {
    setObjectName("EditStavba");
    setWindowTitle(BuildingEditorRules::kCaption);
    name_->setObjectName("Name");
    name_->setEnabled(false);
    idRasa_->setObjectName("IdRasa");
    idRasa_->setEnabled(false);
    idTouwn_->setObjectName("IdTouwn");
    procVystavby_->setObjectName("ProcVystavby");
    procVystavby_->setRange(1, 100);
    procVystavby_->setValue(rules.ProcVystavby());
    label4_->setObjectName("Label4");
    label4_->setAlignment(Qt::AlignCenter);
    label7_->setObjectName("Label7");
    edTag_->setObjectName("EdTag");
    scrollBar1_->setObjectName("ScrollBar1");
    scrollBar1_->setRange(0, 100);
    scrollBar1_->setValue(rules.ProcZivotu());
    pozorovatel_->setObjectName("Pozorovatel");
    pozorovatel_->setChecked(rules.Pozorovatel);
    imortal_->setObjectName("Imortal");
    imortal_->setChecked(rules.Imortal);
    ok_->setObjectName("Ok");
    ok_->setDefault(true);
    cancel_->setObjectName("Storno");
    delete_->setObjectName("Smazat");
    FillCombo(idRasa_, rules.IdRasa);
    FillCombo(idTouwn_, rules.IdTouwn);
    label4_->setText(ToQt(rules.Label4()));

    auto* form = new QFormLayout;
    form->addRow("Jméno", name_);
    form->addRow("Rasa", idRasa_);
    form->addRow("Patří usedlosti", idTouwn_);
    auto* life = new QLabel(BuildingEditorRules::kLifeLabel, this);
    life->setAlignment(Qt::AlignCenter);
    auto* tag = new QHBoxLayout;
    tag->addWidget(label7_);
    tag->addWidget(edTag_, 1);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(pozorovatel_);
    ticks->addWidget(imortal_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(label4_);
    layout->addWidget(procVystavby_);
    layout->addLayout(tag);
    layout->addWidget(life);
    layout->addWidget(scrollBar1_);
    layout->addLayout(ticks);
    layout->addLayout(buttons);

    connect(procVystavby_, &QScrollBar::valueChanged, this, [this] { BarMoved(); });
    connect(scrollBar1_, &QScrollBar::valueChanged, this, [this] { BarMoved(); });
    connect(ok_, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(delete_, &QPushButton::clicked, this, [this] {
        rules_.Delete();
        reject();
    });
}

void TEditStavba::BarMoved() {
    rules_.SetProcVystavby(procVystavby_->value());
    rules_.SetProcZivotu(scrollBar1_->value());
    label4_->setText(ToQt(rules_.Label4()));
}

void TEditStavba::OkClicked() {
    ReadCombo(idTouwn_, rules_.IdTouwn);
    rules_.Tag = edTag_->text().toStdString();
    rules_.Pozorovatel = pozorovatel_->isChecked();
    rules_.Imortal = imortal_->isChecked();
    BarMoved();
    if (const auto error = rules_.Accept()) {
        ShowFieldError(*error, {{"Tag", edTag_}});
        return;
    }
    accept();
}

void TEditStavba::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tess
