// What the editor session asks of the main window, the map view and the mini-map: the Qt forms
// and the view implement these, tests script them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/MapSizeRules.h"
#include "game/MapCheck.h"
#include "map/MapDat.h"
#include "resources/Utils.h"

namespace tess {

struct HistoryStatus;

enum class MouseButton { Left, Right, Middle };
// The answers to the start-up question about an autosaved pair: "Obnovit", "Zahodit", or the
// question closed without either (the pair stays and is not offered again).
enum class RecoveryChoice { Restore, Discard, Later };
// The view's mouse cursors: the arrow, the four-way arrow while scrolling, the hand over what a
// click edits.
enum class ViewCursor { Default, Scroll, Hand };

// How a file dialog opens.
struct FileDialogSetup {
    std::string Filter;      // "description|pattern", as the game's tools write filters
    std::string DefaultExt;  // appended when the user types a name without one ("" for none)
    std::string Directory;   // the directory the dialog starts in (a disk path)
    std::string FileName;    // the name it shows first ("" for none)
};

// What the object menus may offer: they need players or settlements to work on.
struct ObjectMenuState {
    bool HasPlayer = false;
    bool HasSettlement = false;
    friend bool operator==(const ObjectMenuState&, const ObjectMenuState&) = default;
};

// The generated part of the "Projekt" menu.
struct ProjectMenuEntry {
    int32_t Index = 0;    // the record index (the item's image index)
    std::string Caption;  // UTF-8
    friend bool operator==(const ProjectMenuEntry&, const ProjectMenuEntry&) = default;
};
struct ProjectMenu {
    std::string Caption;  // the map's base name, or "Projekt"
    std::vector<ProjectMenuEntry> Players;
    std::vector<ProjectMenuEntry> Settlements;
};

class MainWindowPort {
  public:
    virtual ~MainWindowPort() = default;
    // The chosen file (a disk path), or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseMapToOpen(const FileDialogSetup& setup) = 0;
    virtual std::optional<std::string> ChooseMapToSave(const FileDialogSetup& setup) = 0;
    // Shows the size dialog; the texts of its two fields when it was confirmed.
    virtual std::optional<MapSizeTexts> AskNewMapSize() = 0;
    // The surface holds a new frame: show it, and enable the object menus as given.
    virtual void ShowSurface(const ObjectMenuState& menus) = 0;
    virtual void ShowProjectMenu(const ProjectMenu& menu) = 0;
    virtual void SetViewCursor(ViewCursor cursor) = 0;
    // A full map check starts: its findings window is created, not shown yet, and follows the
    // map rows through the progress returned (null: no progress to show).
    virtual CheckProgress* StartMapCheck() = 0;
    // The check is over: with findings the window lists them and shows itself; without any it
    // goes away.
    virtual void FinishMapCheck(const std::vector<CheckFinding>& findings) = 0;
    // Start-up found a pair autosaved by a session that did not end cleanly.
    virtual RecoveryChoice AskRecovery(const std::string& /*question*/) {
        return RecoveryChoice::Later;
    }
    // The undo history changed: how many steps it holds (shown in the status bar).
    virtual void ShowHistory(const HistoryStatus& /*status*/) {}
    // The file a macro is recorded into, or the one to play; nothing when cancelled.
    virtual std::optional<std::string> ChooseMacroFile(const FileDialogSetup& /*setup*/,
                                                       bool /*save*/) {
        return std::nullopt;
    }
};

// The map view as the session uses it: the position it shows, drawing the visible map into the
// session's surface, and the cell under a point of the view.
class MapViewPort {
  public:
    virtual ~MapViewPort() = default;
    virtual ViewPosition& Position() = 0;
    // Draws the whole visible map with the brush cursor.
    virtual void Draw() = 0;
    virtual TPoint CellAt(int32_t x, int32_t y) = 0;
};

// The mini-map window as the session uses it.
class MiniMapPort {
  public:
    virtual ~MiniMapPort() = default;
    // Redraws the whole picture (after a new map or a load), then the frame.
    virtual void Rebuild() = 0;
    // Redraws the frame of the part the view shows.
    virtual void ShowFrame() = 0;
    // Redraws the one pixel of a cell the brushes changed (shown with the next frame).
    virtual void PlotCell(int32_t /*x*/, int32_t /*y*/) {}
    // "Mini mapa": places the window at the main window's right edge, 40 pixels from the top,
    // shows it and redraws its picture and frame.
    virtual void ShowWindow() = 0;
};

}  // namespace tess
