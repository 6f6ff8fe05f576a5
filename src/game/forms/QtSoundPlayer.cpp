// The sound dialogs' media player: Qt Multimedia's sound effect, made on the first sound played.
#include "game/forms/QtSoundPlayer.h"

#include <QSoundEffect>

namespace tess {

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() {
    Close();
}

void QtSoundPlayer::Play(const std::string& path) {
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect_->play();
}

void QtSoundPlayer::Close() {
    if (!effect_) return;
    effect_->stop();
    effect_->setSource(QUrl());
}

QUrl QtSoundPlayer::Source() const {
    return effect_ ? effect_->source() : QUrl();
}

}  // namespace tess
