// "Navolit terén": the picture set and shading of one terrain slot.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tess {

class TerrainBinding;

class TEditTeren final : public QDialog {
    Q_OBJECT
  public:
    // Shows and edits `binding`, which Ok leaves holding the choice.
    TEditTeren(QWidget* parent, TerrainBinding& binding);

    QLineEdit* Edit1() const { return edit_; }
    QCheckBox* CheckBox1() const { return shade_; }
    QComboBox* ComboBox1() const { return sets_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* BrowseButton() const { return browse_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Browse();

    TerrainBinding& binding_;
    QLineEdit* edit_;
    QCheckBox* shade_;
    QComboBox* sets_;
    QPushButton* browse_;
    QPushButton* ok_;
};

}  // namespace tess
