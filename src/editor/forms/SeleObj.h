// The object palette "Výběr objektů": tabs, three previews with their frames, names and tick
// boxes, the bar, the filters, and the "Náhodný" plant mix.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "editor/palettes/ObjectPalette.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTabBar;

namespace tess {

class EditorSession;
class TPreview;

class TSeleObj final : public QWidget, public ObjectPaletteView {
    Q_OBJECT
  public:
    static constexpr int kPreviewWidth = 128;
    static constexpr int kPreviewHeight = 96;

    TSeleObj(QWidget* mainWindow, EditorSession& session);
    ~TSeleObj() override;

    QTabBar* PageControl1() const { return tabs_; }
    QTabBar* PageControl2() const { return naturePages_; }
    // DXDraw1 .. DXDraw3 (index 0..2) and their frames and tick boxes.
    TPreview* Preview(int index) const { return previews_[static_cast<size_t>(index)]; }
    QFrame* Bevel(int index) const { return bevels_[static_cast<size_t>(index)]; }
    QCheckBox* CBox(int index) const { return boxes_[static_cast<size_t>(index)]; }
    QSlider* TrackBar() const { return bar_; }
    QLabel* NameLabel() const { return name_; }
    QLabel* Rozmery() const { return size_; }
    QComboBox* ComboBoxRasy() const { return races_; }
    QComboBox* ComboBoxTyp() const { return kinds_; }
    QCheckBox* Nahodne() const { return nahodne_; }
    QPushButton* Button1() const { return clear_; }
    QLineEdit* Edit1() const { return spacing1_; }
    QLineEdit* Edit2() const { return spacing2_; }
    // ComboBox1 .. ComboBox4, TrackBar1 .. TrackBar4, Label1 .. Label4 (index 0..3).
    QComboBox* MixBox(int row) const { return mixBoxes_[static_cast<size_t>(row)]; }
    QSlider* MixBar(int row) const { return mixBars_[static_cast<size_t>(row)]; }
    QLabel* MixLabel(int row) const { return mixLabels_[static_cast<size_t>(row)]; }
    // Whether the mix rows are what the palette shows now.
    bool MixShown() const;

    // ObjectPaletteView
    void ShowPalette() override;
    void PaletteChanged() override;

  protected:
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QWidget* BuildListPage();
    QWidget* BuildMixPage();
    void Refresh();
    void RefreshTabs();

    EditorSession& session_;
    ObjectPalette& rules_;
    QTabBar* tabs_;
    QTabBar* naturePages_;
    QComboBox* races_;
    QComboBox* kinds_;
    QCheckBox* nahodne_;
    QStackedWidget* pages_;
    std::array<TPreview*, kPreviewCount> previews_{};
    std::array<QFrame*, kPreviewCount> bevels_{};
    std::array<QCheckBox*, kPreviewCount> boxes_{};
    QSlider* bar_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLineEdit* spacing1_ = nullptr;
    QLineEdit* spacing2_ = nullptr;
    std::array<QComboBox*, kMixRows> mixBoxes_{};
    std::array<QSlider*, kMixRows> mixBars_{};
    std::array<QLabel*, kMixRows> mixLabels_{};
};

// One preview: the entry's picture fitted in, or its name when it has none. The picture is
// made once per entry shown and kept until another entry comes.
class TPreview final : public QWidget {
    Q_OBJECT
  public:
    TPreview(QWidget* parent, EditorSession& session, int tag);
    // The entry shown (null: a blank preview).
    void Show(const tAddPack* entry);
    int Tag() const { return tag_; }

  signals:
    void Clicked(int tag);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Render();

    EditorSession& session_;
    int tag_;
    bool blank_ = true;
    int32_t type_ = 0;
    QString name_;
    QImage picture_;
    bool rendered_ = false;
};

}  // namespace tess
