// The sound dialogs' media player: Qt Multimedia's sound effect, made on the first sound played.
#pragma once

#include <QUrl>
#include <memory>

#include "game/SoundPlayer.h"

class QSoundEffect;

namespace tess {

// The game's sounds are short uncompressed ".wav" files, which QSoundEffect plays straight
// through the audio device. (QMediaPlayer would need a complete media backend; Qt 6.4's
// GStreamer backend crashes on creation where its plugins are missing.) Without an audio device
// the effect reports an error and stays silent; the dialogs go on as if the sound had played.
class QtSoundPlayer final : public SoundPlayer {
  public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void Play(const std::string& path) override;
    void Close() override;

    // The file playing or last played (empty after Close).
    QUrl Source() const;

  private:
    // Made when first needed: a dialog that never plays a sound never opens an audio device.
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace tess
