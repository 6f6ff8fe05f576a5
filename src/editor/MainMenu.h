// The main window's menu as data: every item with its caption, shortcut, visibility, check mark,
// command, and whether that command works in this build.
#pragma once

#include <string>
#include <vector>

namespace tess {

// What an item does. Arguments (race, settlement kind, record index, wall kind) are in
// MenuItem::Arg1 / Arg2.
enum class MenuCommand {
    None,  // a submenu, a separator, or an item that has no action
    // Mapa
    NewMap,
    OpenMap,
    SaveMap,
    SaveMapAs,
    CheckMap,
    // Úpravy, Schránka
    Undo,
    Redo,
    RecordMacro,  // a toggle: recording starts and stops
    PlayMacro,
    CopyRectangle,
    CopyDiamond,
    Paste,
    LoadClipboard,
    SaveClipboard,
    // Nástrojové lišty
    ShowMiniMap,
    ShowPenPalette,
    ShowTerrainPalette,
    ShowWallPalette,
    NewSettlement,  // Arg1 settlement kind (1 osada, 2 ves, 3 mesto), Arg2 race
    FillBuildings,  // Arg1 race, Arg2 settlement kind
    FillPersons,    // Arg1 race
    FillResources,
    FillNature,
    FillOther,
    // Nastavení
    ToggleAutoRepair,
    ToggleEditNewBuildings,
    ToggleReverseScroll,
    ToggleWallChange,
    ToggleShowBlocked,
    ToggleSoundEditing,
    // Projekt
    NewPlayer,
    EditPlayer,      // Arg1 player index (the items PrepocitejHrace adds)
    EditSettlement,  // Arg1 settlement index (likewise)
    // Spec. func
    ResizeMap,
    RepairObjects,
    DigWater,
    ResetUnits,
    DeleteTrees,
    // Šířka pera
    PenRadius27,
    FillWholeMap,
    // Stěny
    WallKind,  // Arg1 wall kind 1..16
};

// When an item is enabled beside being wired: the object menus need game data to work on.
enum class MenuEnabling {
    Always,
    NeedsPlayer,      // at least one player record in use
    NeedsSettlement,  // at least one settlement record in use
};

// Where the "Projekt" menu's generated items go: after the first two items of these submenus.
enum class MenuList { None, Players, Settlements };

struct MenuItem {
    std::string Name;         // the component name where the item has one, else empty
    std::string Caption;      // UTF-8, exactly as shown
    std::string Shortcut;     // portable key text ("Ctrl+S"), or empty
    std::string AltShortcut;  // a second key that runs the item too, or empty
    bool Separator = false;
    bool Hidden = false;
    bool Checkable = false;
    bool Checked = false;  // the initial mark
    MenuCommand Command = MenuCommand::None;
    int Arg1 = 0;
    int Arg2 = 0;
    MenuEnabling Enabling = MenuEnabling::Always;
    MenuList List = MenuList::None;
    std::vector<MenuItem> Items;  // non-empty for a submenu

    bool IsSubmenu() const { return !Items.empty(); }
};

// The whole main menu, top-level menus in order. "Obrátit směr posunu mapy" starts unchecked;
// start-up sets it from the settings.
const std::vector<MenuItem>& MainMenuItems();

// Whether the editor carries out this command in the current build. Items whose command is not
// wired are shown disabled (a later piece of the editor wires them).
bool IsWired(MenuCommand command);

// Whether an item's shortcut is the one that fires: when two items share a key, the first in
// menu order has it (both run the same command) and the later one only shows it. `item` is an
// item of MainMenuItems().
bool ShortcutIsActive(const MenuItem& item);

// A unique key of an item: its component name, else its path of captions joined by "/".
std::string MenuKey(const MenuItem& item, const std::string& parentPath);

// Calls visit(item, path) for every item, depth first, in menu order; path is the captions of
// the menus above it joined by "/".
template <typename Visit>
void ForEachMenuItem(const std::vector<MenuItem>& items, const std::string& path, Visit&& visit) {
    for (const MenuItem& item : items) {
        visit(item, path);
        if (item.IsSubmenu())
            ForEachMenuItem(item.Items, path.empty() ? item.Caption : path + "/" + item.Caption,
                            visit);
    }
}

}  // namespace tess
