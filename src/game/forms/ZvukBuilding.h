// The building sound dialog: the building's sound, "Play" and the face of the building's keeper.
#pragma once

#include <QDialog>
#include <memory>

#include "game/BuildingSoundRules.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class SoundEdit;
class SoundPlayer;
class SurfaceArea;

class TFormZvukBuilding final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kAreaWidth = 96, kAreaHeight = 96;

    TFormZvukBuilding(std::unique_ptr<SoundPlayer> player, QWidget* parent);
    ~TFormZvukBuilding() override;

    void Fill(int32_t buildingId);
    // Stores the dialog as "Ok" does; a failure is shown in a message box and false returned.
    bool SaveShowingFailure();

    BuildingSoundRules& Rules() { return rules_; }
    QLabel* Label1() const { return label1_; }
    QLineEdit* Edit1() const;
    QPushButton* PlayButton() const { return play_; }
    QPushButton* OkButton() const { return ok_; }
    SurfaceArea* Display() const { return display_; }

  public slots:
    void reject() override { close(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::unique_ptr<SoundPlayer> player_;
    BuildingSoundRules rules_;
    QLabel* label1_;
    SoundEdit* edit1_;
    SurfaceArea* display_;
    QPushButton* play_;
    QPushButton* ok_;
};

}  // namespace tess
