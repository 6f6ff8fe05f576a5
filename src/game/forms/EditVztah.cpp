// The relation editor ("Vztah hráčů"): a window over its rules with a three-state box per player
// and legend boxes that set every box.
#include "game/forms/EditVztah.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "game/forms/EditorForm.h"

namespace tess {

TVztahHracu::TVztahHracu(tKalistor& store, int32_t player, QWidget* parent)
    : QWidget(parent, Qt::Window),
      rules_(std::make_unique<RelationEditorRules>(store, player)),
      combo_(new QComboBox(this)),
      list_(new QListWidget(this)),
      boxes_{new QCheckBox(RelationEditorRules::kAllyLegend, this),
             new QCheckBox(RelationEditorRules::kNeutralLegend, this),
             new QCheckBox(RelationEditorRules::kEnemyLegend, this)},
      ok_(new QPushButton("&Ok", this)),
      cancel_(new QPushButton("Storno", this)) {
    setObjectName("VztahHracu");
    setWindowTitle(RelationEditorRules::kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    combo_->setObjectName("ComboBox1");
    list_->setObjectName("CheckListBox1");
    ok_->setObjectName("Ok");
    cancel_->setObjectName("Storno");

    QHBoxLayout* legends = SetAllLegends(boxes_, [this](BoxState look) {
        rules_->SetAll(look);
        ShowRules();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(combo_);
    layout->addWidget(list_, 1);
    layout->addLayout(legends);
    layout->addLayout(buttons);
    resize(300, 360);

    ShowRules();
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        rules_->Click(static_cast<size_t>(list_->row(item)));
        ShowRules();
    });
    connect(combo_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        rules_->ChoosePlayer(index);
        ShowRules();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        rules_->Store();
        close();
    });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
}

TVztahHracu::~TVztahHracu() = default;

void TVztahHracu::ShowRules() {
    const QSignalBlocker blocker(combo_);
    FillCombo(combo_, rules_->Players);
    const auto& items = rules_->Items();
    if (list_->count() != static_cast<int>(items.size())) {
        list_->clear();
        for (const auto& item : items) {
            auto* row = new QListWidgetItem(ToQt(item.Text), list_);
            // Not user-checkable: a click goes through the rules, which cycle the box their way.
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
    for (size_t i = 0; i < items.size(); ++i) {
        QListWidgetItem* row = list_->item(static_cast<int>(i));
        row->setText(ToQt(items[i].Text));
        row->setCheckState(CheckStateOf(items[i].State));
    }
}

void TVztahHracu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tess
