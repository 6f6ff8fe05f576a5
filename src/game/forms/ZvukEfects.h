// The effect sound dialog: the effect's sound and frame time, its animation playing in step with
// the sound, and the effects it leads to.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "game/EffectSoundRules.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class SoundEdit;
class SoundPlayer;
class SurfaceArea;

class TFormZvukEfects final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kAreaWidth = 200, kAreaHeight = 150;

    TFormZvukEfects(std::unique_ptr<SoundPlayer> player, QWidget* parent);
    ~TFormZvukEfects() override;

    // Shows the effect and starts its animation; "Zpět" returns to `backId` (0: no button).
    void Fill(int32_t effectId, int32_t backId);
    // Stores the dialog as "Ok" does; a failure is shown in a message box and false returned.
    bool SaveShowingFailure();

    // Asked to open another effect's dialog (a link label, "Zpět"): the owner saves this one,
    // closes it and opens the new one, with "Zpět" leading back to `backId` when it is not 0.
    std::function<void(int32_t effectId, int32_t backId)> OnOpenEffect;

    EffectSoundRules& Rules() { return rules_; }
    int32_t BackId() const { return backId_; }
    QLabel* Label1() const { return label1_; }
    QLineEdit* Edit1() const;
    QLineEdit* Edit2() const { return edit2_; }
    QPushButton* Label2() const { return label2_; }
    QPushButton* Label3() const { return label3_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label5() const { return label5_; }
    QCheckBox* CheckBox1() const { return checkBox1_; }
    QPushButton* PlayButton() const { return play_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* BackButton() const { return back_; }
    SurfaceArea* Display() const { return display_; }
    QTimer& FrameTimer() { return timer_; }

  public slots:
    // Escape closes the window as its close button does: nothing is stored.
    void reject() override { close(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowRules();
    // The window timer follows the rules' timer: running with its interval, or stopped.
    void SyncTimer();
    void Tick();

    std::unique_ptr<SoundPlayer> player_;
    EffectSoundRules rules_;
    int32_t backId_ = 0;
    QTimer timer_;
    QLabel* label1_;
    SoundEdit* edit1_;
    QLineEdit* edit2_;
    QPushButton* label2_;
    QPushButton* label3_;
    QLabel* label4_;
    QLabel* label5_;
    QCheckBox* checkBox1_;
    SurfaceArea* display_;
    QPushButton* play_;
    QPushButton* ok_;
    QPushButton* back_;
};

}  // namespace tess
