// The permission editor ("Použitelné upgrade"): a window over its rules with race and kind tabs,
// the list of types and the legend boxes that set every item.
#include "game/forms/EditUpgrade.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "game/forms/EditorForm.h"

namespace tess {

TStavUpgrade::TStavUpgrade(tKalistor& store, PermissionTables tables, int32_t player, int race,
                           int kind, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      rules_(std::make_unique<PermissionEditorRules>(store, std::move(tables), player, race, kind)),
      combo_(new QComboBox(this)),
      races_(new QTabBar(this)),
      kinds_(new QTabBar(this)),
      list_(new QListWidget(this)),
      boxes_{new QCheckBox(this), new QCheckBox(this), new QCheckBox(this)},
      ok_(new QPushButton("&Ok", this)),
      cancel_(new QPushButton("Storno", this)) {
    setObjectName("StavUpgrade");
    setWindowTitle(PermissionEditorRules::kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    combo_->setObjectName("ComboBox1");
    races_->setObjectName("PageControl1");
    kinds_->setObjectName("PageControl2");
    list_->setObjectName("CheckListBox1");
    ok_->setObjectName("Ok");
    cancel_->setObjectName("Storno");
    for (int i = 0; i < 4; ++i) {
        races_->addTab(PermissionEditorRules::kRaceTabs[static_cast<size_t>(i)]);
        races_->setTabData(i, i + 1);  // the race number
    }
    for (int i = 0; i < 5; ++i)
        kinds_->addTab(PermissionEditorRules::kKindTabs[static_cast<size_t>(i)]);

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
    layout->addWidget(races_);
    layout->addWidget(kinds_);
    layout->addWidget(list_, 1);
    layout->addLayout(legends);
    layout->addLayout(buttons);
    resize(420, 480);

    ShowRules();
    connect(races_, &QTabBar::currentChanged, this, [this](int tab) {
        rules_->ChooseRace(races_->tabData(tab).toInt());
        ShowRules();
    });
    connect(kinds_, &QTabBar::currentChanged, this, [this](int tab) {
        rules_->ChooseKind(tab + 1);
        ShowRules();
    });
    connect(combo_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        rules_->ChoosePlayer(index);
        ShowRules();
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        rules_->Click(static_cast<size_t>(list_->row(item)));
        ShowRules();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        rules_->Store();
        close();
    });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
}

TStavUpgrade::~TStavUpgrade() = default;

void TStavUpgrade::ShowRules() {
    const QSignalBlocker comboBlocker(combo_);
    const QSignalBlocker raceBlocker(races_);
    const QSignalBlocker kindBlocker(kinds_);
    FillCombo(combo_, rules_->Players);
    races_->setCurrentIndex(rules_->Race() - 1);
    kinds_->setCurrentIndex(rules_->Kind() - 1);
    for (int box = 1; box <= 3; ++box)
        boxes_[box - 1]->setText(ToQt(rules_->BoxCaption(box)));
    boxes_[1]->setVisible(rules_->Box2Visible());

    const auto& items = rules_->Items();
    // The list is rebuilt only when another list is shown; a click changes looks and texts.
    bool same = list_->count() == static_cast<int>(items.size());
    for (size_t i = 0; same && i < items.size(); ++i)
        same = list_->item(static_cast<int>(i))->data(Qt::UserRole).toInt() == items[i].Type;
    if (!same) {
        list_->clear();
        for (const auto& item : items) {
            auto* row = new QListWidgetItem(list_);
            row->setData(Qt::UserRole, item.Type);
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
    for (size_t i = 0; i < items.size(); ++i) {
        QListWidgetItem* row = list_->item(static_cast<int>(i));
        row->setText(ToQt(items[i].Text));
        row->setCheckState(CheckStateOf(items[i].State));
    }
}

void TStavUpgrade::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnScreen(this);
}

}  // namespace tess
