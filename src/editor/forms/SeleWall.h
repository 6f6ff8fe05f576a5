// The wall palette "Lišta pro tvorbu zdí": eight wall kinds with their pictures and
// "Zalamovat".
#pragma once

#include <QWidget>
#include <array>

#include "editor/ToolBox.h"
#include "editor/palettes/ToolPalettes.h"

class QCheckBox;
class QToolButton;

namespace tess {

class EditorSession;

class TseleWall final : public QWidget, public ToolListener {
    Q_OBJECT
  public:
    TseleWall(QWidget* mainWindow, EditorSession& session);
    ~TseleWall() override;

    // SpeedButton1 .. SpeedButton8 (index 0..7).
    QToolButton* SpeedButton(int index) const { return buttons_[static_cast<size_t>(index)]; }
    QCheckBox* CheckBox1() const { return zalamovat_; }

    // Every button gets the picture of the wall kind it stands for now.
    void FillList();

    // ToolListener
    void ToolsChanged(const ToolState& state, const PaletteMarks& marks) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    EditorSession& session_;
    std::array<QToolButton*, kWallButtons> buttons_{};
    QCheckBox* zalamovat_;
};

}  // namespace tess
