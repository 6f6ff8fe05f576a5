// What the sound dialogs ask of the platform's media player.
#include "game/SoundPlayer.h"

#include <filesystem>

#include "game/SoundTables.h"
#include "resources/Utils.h"

namespace tess {

bool PlayTableSound(SoundPlayer& player, const std::string& nameUtf8) {
    const std::optional<std::string> path = SoundFilePath(nameUtf8);
    if (!path || !FileExistsOnDisk(*path)) return false;
    player.Play(std::filesystem::absolute(ResolveDiskPath(*path)).string());
    return true;
}

}  // namespace tess
