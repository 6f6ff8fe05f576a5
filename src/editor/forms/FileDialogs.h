// Open and save dialogs as the editor's commands describe them (FileDialogSetup).
#pragma once

#include <optional>
#include <string>

#include "editor/MainWindowPort.h"

class QWidget;

namespace tess {

// Modal; the chosen file, or nothing when cancelled. A save dialog asks no overwrite question:
// the commands ask their own where they need one.
std::optional<std::string> ChooseFile(QWidget* parent, const char* title, const char* objectName,
                                      const FileDialogSetup& setup, bool save);

}  // namespace tess
