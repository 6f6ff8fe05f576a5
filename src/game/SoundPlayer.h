// What the sound dialogs ask of the platform's media player; the forms play through Qt
// Multimedia, tests record the calls.
#pragma once

#include <string>

namespace tess {

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Opens the file (a disk path) and plays it from its start; whatever played stops.
    virtual void Play(const std::string& path) = 0;
    // Stops and lets go of the file.
    virtual void Close() = 0;
};

// Plays the sound a table names ("sound\" + name, as an absolute disk path) when that file
// exists on the disk; nothing happens for an empty name or a missing file. True when it played.
bool PlayTableSound(SoundPlayer& player, const std::string& nameUtf8);

}  // namespace tess
