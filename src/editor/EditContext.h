// What the editing engine's rooms (brushes, mouse, placement, commands) work on, wired by the
// editor session: the documents, the tool state, the marks the session keeps, and the ports.
#pragma once

#include <optional>

#include "editor/EnginePorts.h"
#include "editor/MainWindowPort.h"
#include "editor/PreviewGrid.h"
#include "editor/ToolBox.h"
#include "editor/TypeList.h"
#include "resources/Random.h"
#include "view/ToolState.h"

namespace tess {

class tMapa;
class tKalistor;
class tClipBoard;
class tObjects;
class UndoHistory;

// What the rooms ask of the session around them.
class EditHost {
  public:
    virtual ~EditHost() = default;
    virtual const tObjects& Objects() const = 0;
    // Draws the view and shows it.
    virtual void MeView() = 0;
    virtual ViewPosition& View() = 0;
    // The cell under a view point; nothing while there is no view.
    virtual std::optional<TPoint> CellAt(int32_t x, int32_t y) = 0;
    virtual MiniMapPort* MiniMap() = 0;
    // Rebuilds the "Projekt" menu from the live records.
    virtual void PrepocitejHrace() = 0;
    // The map's terrain list changed: the view's terrain pictures follow.
    virtual void ReloadTerrainPictures() = 0;
    // Shows an empty (black) frame.
    virtual void BlankFrame() = 0;
    // After a file dialog: back into the game directory, which every data path is relative to.
    virtual void RestoreCurrentDirectory() = 0;
};

struct EditContext {
    tMapa& Map;
    tKalistor& Store;
    tClipBoard& Clipboard;
    ToolBox& Tools;
    Random& Rng;
    EditorOptions& Options;
    TypeList& TreeTypes;
    TypeList& SelectedTypes;
    TPoint& CursorCell;  // the cell under the mouse; the brush's anchor
    bool& Modified;
    PreviewGrid& Preview;
    EnginePorts& Ports;
    // Every edit becomes one of its steps.
    UndoHistory& History;
    MainWindowPort& Window;
    EditHost& Host;

    ToolState& State() { return Tools.State(); }
};

}  // namespace tess
