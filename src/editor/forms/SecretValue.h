// The cell-parameter dialog "secret value": the Id parameters of a cell's eight neighbours.
#pragma once

#include <QDialog>
#include <array>

#include "editor/EnginePorts.h"

class QLineEdit;
class QPushButton;

namespace tess {

// Shows the texts; what they mean and what Ok writes is the engine's
// (MapWideCommands::EditCellParams).
class TSecretValue final : public QDialog {
    Q_OBJECT
  public:
    explicit TSecretValue(const CellParamTexts& shown, QWidget* parent = nullptr);

    CellParamTexts Texts() const;
    QLineEdit* Edit(int index) const { return edits_[static_cast<size_t>(index)]; }
    QPushButton* OkButton() const { return ok_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::array<QLineEdit*, 8> edits_{};
    QPushButton* ok_;
};

}  // namespace tess
