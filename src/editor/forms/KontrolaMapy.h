// The map check's findings window: a tree of findings above a progress bar over the map rows.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "game/MapCheck.h"

class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tess {

// One window per full check. It follows the check's rows while hidden; with findings it lists
// them, says so in its caption and stays on top until the user closes it (closing frees it).
class TfKontrolaMapy final : public QWidget, public CheckProgress {
    Q_OBJECT
  public:
    explicit TfKontrolaMapy(QWidget* parent = nullptr);

    // Lists the findings, one line each, sets the caption "V mapě byly nalezeny chyby." and
    // shows the window.
    void ShowFindings(const std::vector<CheckFinding>& findings);
    // Called with a chosen line's cell (row * 65,536 + column).
    void SetFindingHandler(std::function<void(int32_t)> handler) {
        onFinding_ = std::move(handler);
    }

    QTreeWidget* TreeView1() const { return tree_; }
    QProgressBar* ProgressBar1() const { return progress_; }

    // CheckProgress
    void Start(int32_t maximum) override;
    void Position(int32_t row) override;

  private:
    void TreeView1Click(QTreeWidgetItem* item);

    QTreeWidget* tree_;
    QProgressBar* progress_;
    std::function<void(int32_t)> onFinding_;
};

}  // namespace tess
