// The terrain palette "Tereny": fifteen terrain buttons with their pictures and the level bar.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "editor/ToolBox.h"
#include "editor/palettes/ToolPalettes.h"

class QFrame;
class QSlider;
class QToolButton;

namespace tess {

class EditorSession;
class TerrainBinding;

class TseleTer final : public QWidget, public ToolListener {
    Q_OBJECT
  public:
    TseleTer(QWidget* mainWindow, EditorSession& session);
    ~TseleTer() override;

    // Teren1 .. Teren15 (index 0..14).
    QToolButton* Teren(int index) const { return buttons_[static_cast<size_t>(index)]; }
    QSlider* TrackBar1() const { return level_; }
    QToolButton* BitBtn4() const { return up_; }
    QToolButton* BitBtn3() const { return down_; }
    QFrame* Bevel2() const { return bevel_; }

    // Every button's picture from the map's terrain list.
    void ReLoad();
    // Runs "Navolit terén" for a terrain. Tests replace the dialog with one that answers at
    // once (true: Ok).
    void EditTerrain(int32_t terrain);
    std::function<bool(TerrainBinding&)> RunBindingDialog;

    // ToolListener
    void ToolsChanged(const ToolState& state, const PaletteMarks& marks) override;
    void TerrainListChanged() override { ReLoad(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EditorSession& session_;
    std::array<QToolButton*, kTerrainButtons> buttons_{};
    QSlider* level_;
    QToolButton* up_;
    QToolButton* down_;
    QFrame* bevel_;
};

}  // namespace tess
