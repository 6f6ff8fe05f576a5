// The person sound dialog: eight sound slots, "Load" from a directory of sounds, "Play", and the
// "Vidět" buttons that show the person turning round or falling. Nothing is stored.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>
#include <memory>

#include "game/PersonSoundRules.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class SoundPlayer;
class SurfaceArea;

class TFormZvukPerson final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kAreaWidth = 120, kAreaHeight = 120;

    TFormZvukPerson(std::unique_ptr<SoundPlayer> player, tObjects* objects, QWidget* parent);
    ~TFormZvukPerson() override;

    void Fill(int32_t personId);

    PersonSoundRules& Rules() { return rules_; }
    QLabel* Label1() const { return label1_; }
    QLineEdit* Edit(int number) const;  // Edit1..Edit8
    QCheckBox* CheckBox1() const { return checkBox1_; }
    QPushButton* SeeButton(int number) const;  // 1..3
    QPushButton* LoadButton() const { return load_; }
    QPushButton* PlayButton() const { return play_; }
    QPushButton* OkButton() const { return ok_; }
    QTimer& FrameTimer() { return timer_; }

  public slots:
    void reject() override { close(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowSlots();
    void Load();
    void SyncTimer();

    std::unique_ptr<SoundPlayer> player_;
    PersonSoundRules rules_;
    QTimer timer_;
    QLabel* label1_;
    std::array<QLineEdit*, PersonSoundRules::kSlots> edits_{};
    QCheckBox* checkBox1_;
    std::array<QPushButton*, 3> see_{};
    SurfaceArea* display_;
    QPushButton* load_;
    QPushButton* play_;
    QPushButton* ok_;
};

}  // namespace tess
