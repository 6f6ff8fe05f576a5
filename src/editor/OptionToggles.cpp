// The check marks of "Nastavení": flipping one, reading one, finding one by its caption.
#include "editor/OptionToggles.h"

#include "editor/EditorSettings.h"
#include "game/Kalistor.h"
#include "resources/Settings.h"

namespace tess {

namespace {

// The mark a command flips; null for a command that is no toggle (the store's option aside).
template <typename Options>
auto MarkOf(MenuCommand command, Options& options) -> decltype(&options.ShowBlocked) {
    switch (command) {
        case MenuCommand::ToggleAutoRepair:
            return &options.AutoRepairCells;
        case MenuCommand::ToggleReverseScroll:
            return &options.ReverseScroll;
        case MenuCommand::ToggleWallChange:
            return &options.WallChange;
        case MenuCommand::ToggleShowBlocked:
            return &options.ShowBlocked;
        case MenuCommand::ToggleSoundEditing:
            return &options.SoundEditing;
        default:
            return nullptr;
    }
}

}  // namespace

bool ToggleOption(MenuCommand command, EditorOptions& options, tKalistor& store,
                  SettingsStore& settings) {
    if (command == MenuCommand::ToggleEditNewBuildings) {
        store.EditNewBuildings = !store.EditNewBuildings;
        return true;
    }
    bool* mark = MarkOf(command, options);
    if (!mark) return false;
    *mark = !*mark;
    if (command == MenuCommand::ToggleReverseScroll)
        settings.SetInt(kReverseScrollValue, *mark ? 1 : 0);
    return true;
}

bool OptionChecked(MenuCommand command, const EditorOptions& options, const tKalistor& store) {
    if (command == MenuCommand::ToggleEditNewBuildings) return store.EditNewBuildings;
    const bool* mark = MarkOf(command, options);
    return mark && *mark;
}

std::optional<MenuCommand> ToggleByCaption(std::string_view caption) {
    std::optional<MenuCommand> found;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& item, const std::string&) {
        if (!found && item.Checkable && item.Caption == caption) found = item.Command;
    });
    return found;
}

}  // namespace tess
