// A game-data file refused when its map opened, kept as "NAME.sav.damaged" by the first save.
#pragma once

#include <string>

namespace tess {

// Set when a map opened but its game-data file was refused: the map came up without game data,
// and saving it would replace the refused file with an empty store. The first save of that map
// therefore keeps the refused file under a name of its own before it writes a new one.
struct RefusedGameData {
    std::string Path;  // the refused file as the map pair named it; empty when nothing waits
};

// The name a refused file would be kept under now: "NAME.damaged", or "NAME.damaged.2", ...
// when that is taken. Kept files are never overwritten.
std::string DamagedCopyName(const std::string& path);

// Keeps a copy of the file at `path` as DamagedCopyName(path) and returns that name; "" when
// the file is no longer there. Raises IoError when it cannot be kept.
std::string KeepDamagedCopy(const std::string& path);

}  // namespace tess
