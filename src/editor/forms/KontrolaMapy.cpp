// The map check's findings window: a tree of findings above a progress bar over the map rows.
#include "editor/forms/KontrolaMapy.h"

#include <algorithm>

#include <QHeaderView>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tess {

namespace {

constexpr int kCellRole = Qt::UserRole;

}  // namespace

TfKontrolaMapy::TfKontrolaMapy(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      tree_(new QTreeWidget(this)),
      progress_(new QProgressBar(this)) {
    setObjectName("fKontrolaMapy");
    setWindowTitle(kCheckWindowTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(420, 260);

    tree_->setObjectName("TreeView1");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setColumnCount(1);
    progress_->setObjectName("ProgressBar1");
    progress_->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tree_, 1);
    layout->addWidget(progress_);

    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { TreeView1Click(item); });
}

void TfKontrolaMapy::Start(int32_t maximum) {
    progress_->setRange(0, std::max(maximum, 0));
    progress_->setValue(0);
}

void TfKontrolaMapy::Position(int32_t row) {
    progress_->setValue(row);
}

void TfKontrolaMapy::ShowFindings(const std::vector<CheckFinding>& findings) {
    tree_->clear();
    for (const CheckFinding& finding : findings) {
        auto* item = new QTreeWidgetItem(tree_);
        item->setText(0, QString::fromStdString(finding.Line()));
        item->setData(0, kCellRole, finding.CellKey());
    }
    setWindowTitle(kCheckFindingsCaption);
    show();
    raise();
}

void TfKontrolaMapy::TreeView1Click(QTreeWidgetItem* item) {
    if (!item || !onFinding_) return;
    onFinding_(item->data(0, kCellRole).toInt());
}

}  // namespace tess
