// The amount dialog "Těžba": a caption, the amount's field and the construction scroll bar.
#pragma once

#include <QDialog>

#include "editor/EnginePorts.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tess {

// One showing of the dialog; which numbers it takes and what happens after is the engine's
// (Placement::AskAmount).
class TTezba final : public QDialog {
    Q_OBJECT
  public:
    TTezba(const AmountRequest& request, QWidget* parent = nullptr);

    AmountReply Reply() const;
    QLineEdit* Edit() const { return edit_; }
    QScrollBar* ScrollBar() const { return scroll_; }
    QLabel* Caption() const { return label_; }
    QPushButton* OkButton() const { return ok_; }

  private:
    QLabel* label_;
    QLineEdit* edit_;
    QScrollBar* scroll_;
    QPushButton* ok_;
};

}  // namespace tess
