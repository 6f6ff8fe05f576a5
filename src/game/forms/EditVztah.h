// The relation editor ("Vztah hráčů"): a window over its rules with a three-state box per player
// and legend boxes that set every box.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "game/RelationEditor.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace tess {

class TVztahHracu final : public QWidget {
    Q_OBJECT
  public:
    // Opens on the player; the window deletes itself when closed.
    TVztahHracu(tKalistor& store, int32_t player, QWidget* parent = nullptr);
    ~TVztahHracu() override;

    RelationEditorRules& Rules() { return *rules_; }
    QComboBox* ComboBox1() const { return combo_; }
    QListWidget* CheckListBox1() const { return list_; }
    QCheckBox* LegendBox(int box) const { return boxes_[box - 1]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowRules();

    std::unique_ptr<RelationEditorRules> rules_;
    QComboBox* combo_;
    QListWidget* list_;
    std::array<QCheckBox*, 3> boxes_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tess
