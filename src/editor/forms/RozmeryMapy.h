// The new-map size dialog: two sides and "Ok" enabled by the field changed last.
#pragma once

#include <QDialog>

#include "editor/MapSizeRules.h"

class QLineEdit;
class QPushButton;

namespace tess {

class TRozmeryMapy final : public QDialog {
    Q_OBJECT
  public:
    explicit TRozmeryMapy(QWidget* parent = nullptr);

    MapSizeTexts Texts() const;
    QLineEdit* EditX() const { return editX_; }
    QLineEdit* EditY() const { return editY_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    MapSizeRules rules_;
    QLineEdit* editX_;
    QLineEdit* editY_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tess
