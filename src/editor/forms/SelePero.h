// The pen palette "Pero": pen, line, fill and delete buttons, the brush width and what the map
// view shows.
#pragma once

#include <QWidget>
#include <array>

#include "editor/ToolBox.h"

class QCheckBox;
class QSlider;
class QToolButton;

namespace tess {

class PenPalette;

class TselePero final : public QWidget, public ToolListener {
    Q_OBJECT
  public:
    TselePero(QWidget* mainWindow, PenPalette& rules, ToolBox& tools);
    ~TselePero() override;

    QToolButton* SpeedButton8() const { return pen_; }
    QToolButton* SpeedButton9() const { return line_; }
    QToolButton* SpeedButton1() const { return fill_; }
    QToolButton* SpeedButton12() const { return delete_; }
    QSlider* TrackBar1() const { return width_; }
    // "Objekty", "Stromy", "Rostliny", "Budovy", "Jednotky", "Stěny".
    QCheckBox* LayerBox(int index) const { return layers_[static_cast<size_t>(index)]; }

    // ToolListener
    void ToolsChanged(const ToolState& state, const PaletteMarks& marks) override;

  private:
    PenPalette& rules_;
    ToolBox& tools_;
    QToolButton* pen_;
    QToolButton* line_;
    QToolButton* fill_;
    QToolButton* delete_;
    QSlider* width_;
    std::array<QCheckBox*, 6> layers_{};
};

}  // namespace tess
