// The permission editor ("Použitelné upgrade"): a window over its rules with race and kind tabs,
// the list of types and the legend boxes that set every item.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "game/PermissionEditor.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabBar;

namespace tess {

class TStavUpgrade final : public QWidget {
    Q_OBJECT
  public:
    // Opens on (player, race, kind); the window deletes itself when closed.
    TStavUpgrade(tKalistor& store, PermissionTables tables, int32_t player, int race, int kind,
                 QWidget* parent = nullptr);
    ~TStavUpgrade() override;

    PermissionEditorRules& Rules() { return *rules_; }
    QComboBox* ComboBox1() const { return combo_; }
    QTabBar* RaceTabs() const { return races_; }
    QTabBar* KindTabs() const { return kinds_; }
    QListWidget* CheckListBox1() const { return list_; }
    QCheckBox* LegendBox(int box) const { return boxes_[box - 1]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowRules();

    std::unique_ptr<PermissionEditorRules> rules_;
    QComboBox* combo_;
    QTabBar* races_;
    QTabBar* kinds_;
    QListWidget* list_;
    std::array<QCheckBox*, 3> boxes_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tess
