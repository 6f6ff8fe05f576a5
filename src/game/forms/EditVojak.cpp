// The unit editor ("Editace jednotky"): a thin shell over its rules, with table values in red or
// black and the 3 x 3 grid of direction buttons.
#include "game/forms/EditVojak.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "game/forms/EditorForm.h"

namespace tess {

namespace {

// The arrow drawn on each direction button, 0 up-right and clockwise.
const char* const kArrows[8] = {"↗", "→", "↘", "↓", "↙", "←", "↖", "↑"};

void Colour(QLineEdit* edit, bool red) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, red ? QColor(Qt::red) : QColor(Qt::black));
    edit->setPalette(palette);
}

}  // namespace

TEditSoldier::TEditSoldier(UnitEditorRules& rules, QWidget* parent)
    : QDialog(parent),
      rules_(rules),
      name_(new QLineEdit(ToQt(rules.Name), this)),
      edUtoC_(TableEdit("EdUtoC", rules.UtoC)),
      edObrC_(TableEdit("EdObrC", rules.ObrC)),
      edZivoty_(TableEdit("EdZivoty", rules.Zivoty())),
      maxZivoty_(new QLabel(ToQt(rules.MaxZivoty()), this)),
      scrollBar1_(new QScrollBar(Qt::Horizontal, this)),
      idPlayer_(new QComboBox(this)),
      edTag_(new QLineEdit(ToQt(rules.Tag), this)),
      ai_(new QComboBox(this)),
      directions_(new QButtonGroup(this)),
      patrolX_(new QLineEdit(ToQt(rules.PatrolaX), this)),
      patrolY_(new QLineEdit(ToQt(rules.PatrolaY), this)) {
    setObjectName("EditSoldier");
    setWindowTitle(UnitEditorRules::kCaption);
    name_->setObjectName("Name");
    name_->setMaxLength(30);
    maxZivoty_->setObjectName("MaxZivoty");
    scrollBar1_->setObjectName("ScrollBar1");
    scrollBar1_->setRange(0, 100);
    scrollBar1_->setValue(rules.ProcZivotu());
    idPlayer_->setObjectName("IdPlayer");
    edTag_->setObjectName("EdTag");
    ai_->setObjectName("AI");
    patrolX_->setObjectName("EditpatrolaX");
    patrolY_->setObjectName("EditpatrolaY");
    patrolX_->hide();
    patrolY_->hide();
    FillCombo(idPlayer_, rules.IdPlayer);
    FillCombo(ai_, rules.AI);
    ShowTableValues();
    controls_ = {{"UtoC", edUtoC_}, {"ObrC", edObrC_},      {"Zivoty", edZivoty_},
                 {"Tag", edTag_},   {"PatrolaX", patrolX_}, {"PatrolaY", patrolY_}};

    auto* form = new QFormLayout;
    form->addRow("Jméno", name_);
    form->addRow(UnitEditorRules::kUtoC, edUtoC_);
    form->addRow(UnitEditorRules::kObrC, edObrC_);
    form->addRow(UnitEditorRules::kZivoty, edZivoty_);
    form->addRow(QString(), maxZivoty_);
    form->addRow(QString(), scrollBar1_);
    form->addRow("Patří hráči", idPlayer_);
    form->addRow(UnitEditorRules::kTag, edTag_);
    form->addRow("Agresivita", ai_);

    auto* direction = new QGroupBox("Směr", this);
    auto* grid = new QGridLayout(direction);
    directions_->setExclusive(true);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int number = UnitEditorRules::kDirectionGrid[row][column];
            if (number < 0) continue;
            auto* button = new QToolButton(direction);
            button->setObjectName(QString("SpeedButton%1").arg(number));
            button->setText(kArrows[number]);
            button->setCheckable(true);
            button->setChecked(number == rules.Smer());
            directions_->addButton(button, number);
            grid->addWidget(button, row, column);
        }
    }

    auto* ticks = new QVBoxLayout;
    const std::pair<const char*, const char*> tickBoxes[] = {{"AIEnabled", "AIEnabled"},
                                                             {"Imortal", "Nesmrtelná"},
                                                             {"Neviditelny", "Neviditelná"},
                                                             {"Pozorovatel", "Pozorovatel"}};
    const bool ticked[] = {rules.AIEnabled, rules.Imortal, rules.Neviditelny, rules.Pozorovatel};
    for (size_t i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(tickBoxes[i].second, this);
        box->setObjectName(tickBoxes[i].first);
        box->setChecked(ticked[i]);
        ticks_[tickBoxes[i].first] = box;
        ticks->addWidget(box);
    }
    ticks->addStretch();

    struct ButtonSpec {
        int number;
        const char* caption;
        const char* hint;
    };
    const ButtonSpec specs[] = {
        {1, "Ok", ""},
        {5, "Storno", ""},
        {3, "SMAZAT", ""},
        {2, "Zemřít",
         "Po jednotce zůstane pouze mrtvola. Mrtvola nemizí, ale nejde z ní kouslit kostlivec"},
        {4, "Reset", "Nastaví vlastnosti na implicitní nastavení"},
        {6, "Nastavit hlídku", "Určí se místo ke kterému bude jednotka hlídkovat"},
    };
    auto* buttons = new QHBoxLayout;
    for (const ButtonSpec& spec : specs) {
        auto* button = new QPushButton(spec.caption, this);
        button->setObjectName(QString("Button%1").arg(spec.number));
        button->setToolTip(spec.hint);
        buttons->addWidget(button);
    }
    Button(1)->setDefault(true);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(direction);
    right->addLayout(ticks);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(edUtoC_, &QLineEdit::textChanged, this, [this](const QString& text) {
        rules_.UtoC.Text = text.toStdString();
        Colour(edUtoC_, rules_.UtoC.Red());
    });
    connect(edObrC_, &QLineEdit::textChanged, this, [this](const QString& text) {
        rules_.ObrC.Text = text.toStdString();
        Colour(edObrC_, rules_.ObrC.Red());
    });
    connect(edZivoty_, &QLineEdit::textChanged, this, [this](const QString& text) {
        rules_.SetZivotyText(text.toStdString());
        Colour(edZivoty_, rules_.Zivoty().Red());
        maxZivoty_->setText(ToQt(rules_.MaxZivoty()));
    });
    connect(scrollBar1_, &QScrollBar::valueChanged, this, [this](int value) {
        rules_.SetProcZivotu(value);
        maxZivoty_->setText(ToQt(rules_.MaxZivoty()));
    });
    connect(directions_, &QButtonGroup::idClicked, this,
            [this](int number) { rules_.PressDirection(number); });
    connect(Button(1), &QPushButton::clicked, this, [this] {
        ReadControls();
        Finish(rules_.Accept());
    });
    connect(Button(5), &QPushButton::clicked, this, &QDialog::reject);
    connect(Button(3), &QPushButton::clicked, this, [this] {
        rules_.Delete();
        reject();
    });
    connect(Button(2), &QPushButton::clicked, this, [this] {
        rules_.Die();
        reject();
    });
    connect(Button(4), &QPushButton::clicked, this, [this] {
        rules_.Reset();
        ShowTableValues();
    });
    connect(Button(6), &QPushButton::clicked, this, [this] {
        ReadControls();
        Finish(rules_.SetPatrol());
    });
}

QLineEdit* TEditSoldier::TableEdit(const char* objectName,
                                   const UnitEditorRules::TableValueEdit& edit) {
    auto* line = new QLineEdit(ToQt(edit.Text), this);
    line->setObjectName(objectName);
    return line;
}

void TEditSoldier::ShowTableValues() {
    edUtoC_->setText(ToQt(rules_.UtoC.Text));
    edObrC_->setText(ToQt(rules_.ObrC.Text));
    edZivoty_->setText(ToQt(rules_.Zivoty().Text));
    // An empty edit (a type the table lacks) has nothing to differ from.
    Colour(edUtoC_, !rules_.UtoC.Text.empty() && rules_.UtoC.Red());
    Colour(edObrC_, !rules_.ObrC.Text.empty() && rules_.ObrC.Red());
    Colour(edZivoty_, !rules_.Zivoty().Text.empty() && rules_.Zivoty().Red());
    maxZivoty_->setText(ToQt(rules_.MaxZivoty()));
}

QToolButton* TEditSoldier::SpeedButton(int direction) const {
    return qobject_cast<QToolButton*>(directions_->button(direction));
}

QPushButton* TEditSoldier::Button(int number) const {
    return findChild<QPushButton*>(QString("Button%1").arg(number));
}

void TEditSoldier::ReadControls() {
    rules_.Name = name_->text().toStdString();
    ReadCombo(idPlayer_, rules_.IdPlayer);
    rules_.Tag = edTag_->text().toStdString();
    ReadCombo(ai_, rules_.AI);
    rules_.PatrolaX = patrolX_->text().toStdString();
    rules_.PatrolaY = patrolY_->text().toStdString();
    rules_.AIEnabled = ticks_.at("AIEnabled")->isChecked();
    rules_.Imortal = ticks_.at("Imortal")->isChecked();
    rules_.Neviditelny = ticks_.at("Neviditelny")->isChecked();
    rules_.Pozorovatel = ticks_.at("Pozorovatel")->isChecked();
}

void TEditSoldier::Finish(std::optional<FieldError> error) {
    if (error) {
        ShowFieldError(*error, controls_);
        return;
    }
    accept();
}

void TEditSoldier::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tess
