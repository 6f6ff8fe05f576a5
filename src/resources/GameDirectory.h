// Which game directory a program works in, and entering it (current directory and archive).
#pragma once

#include <string>

namespace tess {

// The demo game that ships with the programs ("" when none is found): $TESSARINE_DEMO_DIR, else
// "demo" beside the program's directory (build tree), else "share/tessarine/demo" of the
// installation prefix.
std::string DemoGameDirectory();

// The game directory to work in: `given` when it is not empty (taken as it stands), else the
// current directory when it holds "zor.dat", else the demo game; "" when there is none.
std::string ChooseGameDirectory(const std::string& given);

// Makes `dir` the current directory, because every data path of the game is relative to it,
// and opens its "zor.dat"; without one every file comes from the disk. Raises IoError when the
// directory cannot be entered or the archive is unreadable or damaged.
void EnterGameDirectory(const std::string& dir);

}  // namespace tess
