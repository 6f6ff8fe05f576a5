// The player editor ("Editace hráče"): a thin shell over its rules, with the colour dialog and the
// buttons that open the relation and permission editors.
#include "game/forms/EditPlayer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "game/PermissionEditor.h"
#include "game/forms/EditUpgrade.h"
#include "game/forms/EditVztah.h"
#include "game/forms/EditorForm.h"

namespace tess {

namespace {

// Barva keeps red in its low byte, as the game stores colours.
QColor ColourOf(int32_t barva) {
    return QColor(barva & 0xFF, (barva >> 8) & 0xFF, (barva >> 16) & 0xFF);
}
int32_t BarvaOf(const QColor& colour) {
    return colour.red() + colour.green() * 256 + colour.blue() * 65536;
}

std::optional<QColor> RunColourDialog(QColor initial, QWidget* parent) {
    QColorDialog dialog(initial, parent);
    dialog.setObjectName("Color");
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

}  // namespace

TEditHrac::TEditHrac(PlayerEditorRules& rules, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      rules_(rules),
      chooseColour_(RunColourDialog),
      name_(new QLineEdit(ToQt(rules.Name), this)),
      idRasa_(new QComboBox(this)),
      ridiPocitac_(new QCheckBox("Řídí počítač", this)),
      povaha_(new QComboBox(this)),
      barva_(new QPushButton("Barva", this)) {
    setObjectName("EditHrac");
    setWindowTitle(PlayerEditorRules::kCaption);
    name_->setObjectName("Name");
    name_->setMaxLength(30);
    idRasa_->setObjectName("IdRasa");
    ridiPocitac_->setObjectName("RidiPocitac");
    povaha_->setObjectName("Povaha");
    barva_->setObjectName("Button4");
    FillCombo(idRasa_, rules.IdRasa);
    FillCombo(povaha_, rules.Povaha);
    ridiPocitac_->setChecked(rules.RidiPocitac);
    povaha_->setEnabled(rules.PovahaEnabled());
    ShowColour();
    controls_ = {{"Name", name_}, {"IdRasa", idRasa_}, {"Povaha", povaha_}};

    auto* top = new QFormLayout;
    top->addRow("Jméno", name_);
    top->addRow("Rasa", idRasa_);
    top->addRow(QString(), ridiPocitac_);
    top->addRow("Povaha", povaha_);
    top->addRow(QString(), barva_);

    auto* pages = new QTabWidget(this);
    pages->setObjectName("PageControl1");
    auto* suroviny = new QWidget;
    auto* surovinyForm = new QFormLayout(suroviny);
    surovinyForm->addRow(PlayerEditorRules::kPenize, AddEdit("Penize", "Penize", rules.Penize));
    surovinyForm->addRow(PlayerEditorRules::kSurovina,
                         AddEdit("Surovina", "Surovina", rules.Surovina));
    surovinyForm->addRow(PlayerEditorRules::kTag, AddEdit("Tag", "Edit1", rules.Tag));
    pages->addTab(suroviny, "Suroviny");
    auto* ai = new QWidget;
    auto* aiForm = new QFormLayout(ai);
    aiForm->addRow(PlayerEditorRules::kMaxDelniku,
                   AddEdit("MaxDelniku", "Edit2", rules.MaxDelniku));
    aiForm->addRow(PlayerEditorRules::kMaxBuild, AddEdit("MaxBuild", "Edit3", rules.MaxBuild));
    aiForm->addRow(PlayerEditorRules::kMaxVojaku, AddEdit("MaxVojaku", "Edit4", rules.MaxVojaku));
    aiForm->addRow(PlayerEditorRules::kMinSkupinka,
                   AddEdit("MinSkupinka", "Edit5", rules.MinSkupinka));
    aiForm->addRow(PlayerEditorRules::kMaxSkupinka,
                   AddEdit("MaxSkupinka", "Edit6", rules.MaxSkupinka));
    pages->addTab(ai, "AI omezení");
    auto* inventions = new QWidget;
    auto* inventionButtons = new QVBoxLayout(inventions);
    const char* kinds[] = {"Budovy", "Zbraně", "Kouzla", "Upgrade", "Jednotky"};
    for (int kind = kPermitBuildings; kind <= kPermitUnits; ++kind) {
        auto* button = new QPushButton(kinds[kind - 1], inventions);
        button->setObjectName(QString("Permission%1").arg(kind));
        connect(button, &QPushButton::clicked, this, [this, kind] { OpenPermissions(kind); });
        inventionButtons->addWidget(button);
    }
    inventionButtons->addStretch();
    pages->addTab(inventions, "Vynálezy");
    edits_.at("MaxBuild")->installEventFilter(this);

    auto* relations = new QPushButton("Vztah s ostatními hráči", this);
    relations->setObjectName("Vztahy");
    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("Ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Storno", this);
    cancel->setObjectName("Storno");
    auto* remove = new QPushButton("SMAZAT", this);
    remove->setObjectName("Smazat");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(relations);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(remove);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages);
    layout->addLayout(buttons);

    connect(ridiPocitac_, &QCheckBox::toggled, this, [this](bool ticked) {
        rules_.RidiPocitac = ticked;
        povaha_->setEnabled(rules_.PovahaEnabled());
    });
    connect(barva_, &QPushButton::clicked, this, [this] {
        if (const auto colour = chooseColour_(ColourOf(rules_.Barva), this)) {
            rules_.Barva = BarvaOf(*colour);
            ShowColour();
        }
    });
    connect(relations, &QPushButton::clicked, this, [this] { OpenRelations(); });
    connect(ok, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this] {
        rules_.Delete();
        reject();
    });
}

QLineEdit* TEditHrac::AddEdit(const char* field, const char* objectName, const std::string& text) {
    auto* edit = new QLineEdit(ToQt(text), this);
    edit->setObjectName(objectName);
    edits_[field] = edit;
    controls_[field] = edit;
    return edit;
}

QLineEdit* TEditHrac::Edit(const std::string& field) const {
    const auto found = edits_.find(field);
    return found == edits_.end() ? nullptr : found->second;
}

QPushButton* TEditHrac::Button(const std::string& objectName) const {
    return findChild<QPushButton*>(ToQt(objectName));
}

std::vector<TVztahHracu*> TEditHrac::RelationWindows() const {
    std::vector<TVztahHracu*> open;
    for (const auto& window : relations_)
        if (window) open.push_back(window);
    return open;
}

std::vector<TStavUpgrade*> TEditHrac::PermissionWindows() const {
    std::vector<TStavUpgrade*> open;
    for (const auto& window : permissions_)
        if (window) open.push_back(window);
    return open;
}

void TEditHrac::ShowColour() {
    QPalette palette = barva_->palette();
    palette.setColor(QPalette::ButtonText, ColourOf(rules_.Barva));
    barva_->setPalette(palette);
}

void TEditHrac::ReadControls() {
    rules_.Name = name_->text().toStdString();
    ReadCombo(idRasa_, rules_.IdRasa);
    rules_.RidiPocitac = ridiPocitac_->isChecked();
    ReadCombo(povaha_, rules_.Povaha);
    rules_.Penize = edits_.at("Penize")->text().toStdString();
    rules_.Surovina = edits_.at("Surovina")->text().toStdString();
    rules_.Tag = edits_.at("Tag")->text().toStdString();
    rules_.MaxDelniku = edits_.at("MaxDelniku")->text().toStdString();
    rules_.MaxBuild = edits_.at("MaxBuild")->text().toStdString();
    rules_.MaxVojaku = edits_.at("MaxVojaku")->text().toStdString();
    rules_.MinSkupinka = edits_.at("MinSkupinka")->text().toStdString();
    rules_.MaxSkupinka = edits_.at("MaxSkupinka")->text().toStdString();
}

void TEditHrac::OkClicked() {
    ReadControls();
    if (const auto error = rules_.Accept()) {
        ShowFieldError(*error, controls_);
        return;
    }
    accept();
}

void TEditHrac::OpenRelations() {
    // Children of this dialog, so they take input while it is modal; they close with it.
    auto* window = new TVztahHracu(rules_.Store(), rules_.Index(), this);
    relations_.emplace_back(window);
    window->show();
}

void TEditHrac::OpenPermissions(int kind) {
    auto* window = new TStavUpgrade(rules_.Store(), PermissionTables::Read(), rules_.Index(),
                                    rules_.StoredRace(), kind, this);
    permissions_.emplace_back(window);
    window->show();
}

void TEditHrac::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

bool TEditHrac::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == edits_.at("MaxBuild")) {
        rules_.Edit3DoubleClick();
        edits_.at("MaxBuild")->setText(ToQt(rules_.MaxBuild));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tess
