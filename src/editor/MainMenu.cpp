// The main window's menu as data: every item with its caption, shortcut, visibility, check mark,
// command, and whether that command works in this build.
#include "editor/MainMenu.h"

#include <utility>

namespace tess {

namespace {

using C = MenuCommand;

MenuItem Item(std::string name, std::string caption, C command = C::None, int arg1 = 0,
              int arg2 = 0) {
    MenuItem item;
    item.Name = std::move(name);
    item.Caption = std::move(caption);
    item.Command = command;
    item.Arg1 = arg1;
    item.Arg2 = arg2;
    return item;
}

MenuItem Menu(std::string name, std::string caption, std::vector<MenuItem> items) {
    MenuItem menu = Item(std::move(name), std::move(caption));
    menu.Items = std::move(items);
    return menu;
}

MenuItem Separator() {
    MenuItem item;
    item.Caption = "-";
    item.Separator = true;
    return item;
}

MenuItem WithShortcut(MenuItem item, std::string shortcut, std::string alternative = "") {
    item.Shortcut = std::move(shortcut);
    item.AltShortcut = std::move(alternative);
    return item;
}

MenuItem HiddenItem(MenuItem item) {
    item.Hidden = true;
    return item;
}

MenuItem Toggle(std::string name, std::string caption, C command, bool checked) {
    MenuItem item = Item(std::move(name), std::move(caption), command);
    item.Checkable = true;
    item.Checked = checked;
    return item;
}

MenuItem Enabled(MenuItem item, MenuEnabling enabling) {
    item.Enabling = enabling;
    return item;
}

constexpr int kOsada = 1, kVes = 2, kMesto = 3;
constexpr int kHuman = 1, kBarbarian = 2, kDwarf = 3, kElf = 4, kNeutral = 0;

// "Založit usedlost": the same commands in both menus (the human village too: an item that
// does nothing in one menu and founds a village in the other would only puzzle).
std::vector<MenuItem> SettlementItems() {
    return {
        Menu("", "Lidská",
             {Item("", "Osada", C::NewSettlement, kOsada, kHuman),
              Item("", "Vesnice", C::NewSettlement, kVes, kHuman),
              Item("", "Město", C::NewSettlement, kMesto, kHuman)}),
        Item("", "Barbarská osada", C::NewSettlement, kOsada, kBarbarian),
        Menu("", "Trpasličí",
             {Item("", "Vesnice", C::NewSettlement, kVes, kDwarf),
              Item("", "Město", C::NewSettlement, kMesto, kDwarf)}),
        Item("", "Elfské město", C::NewSettlement, kMesto, kElf),
    };
}

std::vector<MenuItem> WallItems() {
    static const char* const kinds[8] = {
        "Jeskyně", "Jeskyně s mechem", "Jeskyně s pískem", "Jeskyně se zdí",
        "Zeď",     "Mramorova Stena",  "Mramor s mechem",  "Normalni"};
    std::vector<MenuItem> items;
    for (int kind = 1; kind <= 16; ++kind) {
        const std::string caption = kinds[(kind - 1) % 8];
        items.push_back(Item("", kind <= 8 ? caption : caption + " ()", C::WallKind, kind));
    }
    return items;
}

std::vector<MenuItem> BuildMainMenu() {
    MenuItem players =
        Menu("", "Hráči", {Item("Zaloithre1", "Založit hráče", C::NewPlayer), Separator()});
    players.List = MenuList::Players;
    MenuItem settlements =
        Menu("", "Usedlosti", {Menu("", "Založit usedlost", SettlementItems()), Separator()});
    settlements.List = MenuList::Settlements;

    return {
        Menu("", "Mapa",
             {Item("Zaloitnovoumapu1", "Nová mapa", C::NewMap),
              Item("Loadmapu1", "Otevřít mapu", C::OpenMap),
              WithShortcut(Item("Save1", "Uložit", C::SaveMap), "Ctrl+S"),
              Item("Savemapu1", "Uložit jako", C::SaveMapAs),
              HiddenItem(Item("pokus2", "pokus", C::CheckMap))}),
        Menu("", "Úpravy",
             {WithShortcut(Item("Zpt1", "Zpět", C::Undo), "Ctrl+Z"),
              WithShortcut(Item("Znovu1", "Znovu", C::Redo), "Ctrl+Y", "Ctrl+Shift+Z"),
              WithShortcut(Item("Copy3", "Zkopírovat", C::CopyRectangle), "Ctrl+C"),
              WithShortcut(Item("Paste1", "Vložit", C::Paste), "Ctrl+V"),
              Item("Load2", "Načíst obsah schránky", C::LoadClipboard),
              Item("Save3", "Uložit obsah schránky", C::SaveClipboard), Separator(),
              Toggle("Nahratmakro1", "Nahrát makro", C::RecordMacro, false),
              Item("Prehratmakro1", "Přehrát makro...", C::PlayMacro)}),
        Menu("", "Nástrojové lišty",
             {Item("LiteMap1", "Mini mapa", C::ShowMiniMap),
              Item("Typpera1", "Typ pera", C::ShowPenPalette),
              Item("Tereny1", "Terény", C::ShowTerrainPalette),
              Item("Stny1", "Stěny", C::ShowWallPalette),
              Menu("", "Objekty",
                   {Enabled(Menu("", "Založit usedlost", SettlementItems()),
                            MenuEnabling::NeedsPlayer),
                    Enabled(Menu("", "Budovy",
                                 {Menu("", "Lidské",
                                       {Item("", "Osada", C::FillBuildings, kHuman, kOsada),
                                        Item("", "Vesnice", C::FillBuildings, kHuman, kVes),
                                        Item("", "Město", C::FillBuildings, kHuman, kMesto)}),
                                  Item("", "Barbarské", C::FillBuildings, kBarbarian, kOsada),
                                  Menu("", "Trpasličí",
                                       {Item("", "Vesnice", C::FillBuildings, kDwarf, kVes),
                                        Item("", "Město", C::FillBuildings, kDwarf, kMesto)}),
                                  Item("", "Elfské", C::FillBuildings, kElf, kMesto),
                                  Item("", "Neutrální", C::FillBuildings, kNeutral, -1)}),
                            MenuEnabling::NeedsSettlement),
                    Enabled(Menu("", "Jednotky",
                                 {Item("", "Lidské", C::FillPersons, kHuman),
                                  Item("", "Barbarské", C::FillPersons, kBarbarian),
                                  Item("", "Trpasličí", C::FillPersons, kDwarf),
                                  Item("", "Elfské", C::FillPersons, kElf),
                                  Item("", "Neutrální", C::FillPersons, kNeutral)}),
                            MenuEnabling::NeedsPlayer),
                    Item("", "Suroviny", C::FillResources), Item("", "Příroda", C::FillNature),
                    Item("", "Další", C::FillOther)})}),
        Menu("", "Nastavení",
             {HiddenItem(
                  Toggle("AutoOpravaPolicek", "Auto oprava policek", C::ToggleAutoRepair, true)),
              HiddenItem(Toggle("Editovatnovbudovy1", "Editovat nové budovy",
                                C::ToggleEditNewBuildings, true)),
              Toggle("Obrtinkniply1", "Obrátit směr posunu mapy", C::ToggleReverseScroll, false),
              HiddenItem(Toggle("Zmnazd1", "Změna zdí", C::ToggleWallChange, false)),
              Toggle("Vidtneprchozv1", "Vidět neprůchozví", C::ToggleShowBlocked, false),
              HiddenItem(Toggle("Zvukaedituje1", "Zvukař edituje", C::ToggleSoundEditing, false))}),
        Menu("", "Projekt", {players, Enabled(settlements, MenuEnabling::NeedsPlayer)}),
        HiddenItem(Menu(
            "", "Schránka",
            {WithShortcut(Item("Copy2", "Copy", C::CopyRectangle), "Ctrl+C"),
             WithShortcut(Item("Copy1", "Copy", C::CopyDiamond), "Ctrl+K"),
             WithShortcut(Item("Past1", "Paste", C::Paste), "Ctrl+V"),
             Item("Save2", "Save", C::SaveClipboard), Item("Load1", "Load", C::LoadClipboard)})),
        Menu("", "Spec. func",
             {Item("ResizeMap", "Resize map", C::ResizeMap),
              Item("Pokus3", "Pokus-kontrola objektu", C::RepairObjects),
              Item("vyhloubenivody1", "vyhloubeni vody", C::DigWater),
              Item("Resetallunit1", "Reset all unit", C::ResetUnits),
              Item("Smazatvsechnystromy1", "Smazat vsechny stromy", C::DeleteTrees)}),
        HiddenItem(Menu(
            "", "Šířka pera",
            {Item("", "1x1"), Item("", "3x3"), Item("", "9x9"), Item("", "27x27", C::PenRadius27),
             Item("", "Pero"), Item("", "Úsečka"), Item("Celoumapu1", "CelouMapu", C::FillWholeMap),
             WithShortcut(Item("", "Zpět", C::Undo), "Ctrl+Z")})),
        HiddenItem(Menu(
            "", "Objekty",
            {Item("", "Budovy"), Item("", "Stromy"), Item("", "Další"), Item("", "Jednotky")})),
        HiddenItem(Menu("", "Stěny", WallItems())),
    };
}

}  // namespace

const std::vector<MenuItem>& MainMenuItems() {
    static const std::vector<MenuItem> menu = BuildMainMenu();
    return menu;
}

bool IsWired(MenuCommand command) {
    switch (command) {
        case C::None:
        case C::NewMap:
        case C::OpenMap:
        case C::SaveMap:
        case C::SaveMapAs:
        case C::CheckMap:
        case C::ShowMiniMap:
        case C::ToggleAutoRepair:
        case C::ToggleEditNewBuildings:
        case C::ToggleReverseScroll:
        case C::ToggleWallChange:
        case C::ToggleShowBlocked:
        case C::ToggleSoundEditing:
        case C::NewPlayer:
        case C::EditPlayer:
        case C::EditSettlement:
        case C::Undo:
        case C::Redo:
        case C::RecordMacro:
        case C::PlayMacro:
        case C::CopyRectangle:
        case C::CopyDiamond:
        case C::Paste:
        case C::LoadClipboard:
        case C::SaveClipboard:
        case C::ResizeMap:
        case C::RepairObjects:
        case C::DigWater:
        case C::ResetUnits:
        case C::DeleteTrees:
        case C::PenRadius27:
        case C::FillWholeMap:
        case C::ShowPenPalette:
        case C::ShowTerrainPalette:
        case C::ShowWallPalette:
        case C::NewSettlement:
        case C::FillBuildings:
        case C::FillPersons:
        case C::FillResources:
        case C::FillNature:
        case C::FillOther:
        case C::WallKind:
            return true;
        default:
            return false;
    }
}

bool ShortcutIsActive(const MenuItem& item) {
    if (item.Shortcut.empty()) return false;
    const MenuItem* first = nullptr;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& candidate, const std::string&) {
        if (!first && candidate.Shortcut == item.Shortcut) first = &candidate;
    });
    return first == &item;
}

std::string MenuKey(const MenuItem& item, const std::string& parentPath) {
    if (!item.Name.empty()) return item.Name;
    return parentPath.empty() ? item.Caption : parentPath + "/" + item.Caption;
}

}  // namespace tess
