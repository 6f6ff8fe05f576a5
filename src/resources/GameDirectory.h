// Which game directory a program works in, and entering it (current directory and archive).
#pragma once

#include <string>

namespace tess {

// The demo game that ships with the programs, as it lies ("" when none is found):
// $TESSARINE_DEMO_DIR, else "demo" beside the program's directory (build tree), else
// "share/tessarine/demo" of the installation prefix.
std::string DemoGameDirectory();

// Where the designer's own copy of an installed demo game goes:
// $XDG_DATA_HOME/Korvel Studio/Tessarine/demo, with ~/.local/share when XDG_DATA_HOME is not set
// ("" when neither that nor HOME is).
std::string UserDemoDirectory();

// Makes `copy` a copy of the demo game in `installed` unless it already holds a game
// ("zor.dat"): a copy the designer has worked in is never replaced. The files are copied into a
// directory beside `copy` and renamed into place, so a copy cut short is never taken for a game;
// every copied file is writable by its owner. Raises IoError when the copy cannot be made (and
// leaves nothing of it behind).
void EnsureDemoCopy(const std::string& installed, const std::string& copy);

// The game directory to work in: `given` when it is not empty (taken as it stands), else the
// current directory when it holds "zor.dat", else the demo game; "" when there is none. An
// installed demo is not worked in where it lies, which its user usually may not write: the
// designer's copy of it is (made on first use). When that copy cannot be made, the installed
// demo is used and `problem`, when given, says why.
std::string ChooseGameDirectory(const std::string& given, std::string* problem = nullptr);

// Makes `dir` the current directory, because every data path of the game is relative to it,
// and opens its "zor.dat"; without one every file comes from the disk. Raises IoError when the
// directory cannot be entered or the archive is unreadable or damaged.
void EnterGameDirectory(const std::string& dir);

}  // namespace tess
