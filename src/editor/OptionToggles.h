// The check marks of "Nastavení": flipping one, reading one, finding one by its caption.
#pragma once

#include <optional>
#include <string_view>

#include "editor/MainMenu.h"
#include "view/ToolState.h"

namespace tess {

class tKalistor;
class SettingsStore;

// Flips an option's check mark ("Editovat nové budovy" lives in the store, which reads it; the
// scroll direction is remembered in the settings). False for a command that is no toggle.
bool ToggleOption(MenuCommand command, EditorOptions& options, tKalistor& store,
                  SettingsStore& settings);
bool OptionChecked(MenuCommand command, const EditorOptions& options, const tKalistor& store);
// The toggle of "Nastavení" with this caption (UTF-8, exactly as shown).
std::optional<MenuCommand> ToggleByCaption(std::string_view caption);

}  // namespace tess
