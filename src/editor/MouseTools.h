// The mouse in the map view: the press, move and release handlers of every tool, in cells. The
// window adds only the step from view pixels to the cell under the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/EditContext.h"

namespace tess {

class Brushes;
class Placement;
class UndoAndClipboard;
class MapWideCommands;

class MouseTools {
  public:
    MouseTools(EditContext& context, Brushes& brushes, Placement& placement,
               UndoAndClipboard& clipboard, MapWideCommands& commands)
        : ctx_(context),
          brushes_(brushes),
          placement_(placement),
          clipboard_(clipboard),
          commands_(commands) {}

    // A press at CursorCell, as the last move left it.
    void Down(MouseButton button);
    // A move to a view point: scrolling while the right button is held, then the cell under
    // the mouse (nothing more without a view).
    void MovePixels(int32_t x, int32_t y);
    // A move onto the cell under the mouse: the brush anchor follows (wider brushes anchor
    // PenRadius - 1 steps further down), the caption shows it, and a left drag paints, draws
    // its line or extends the copy selection.
    void MoveToCell(TPoint underMouse);
    void Up(MouseButton button);

    ViewCursor Cursor() const { return cursor_; }
    // The cell under the mouse as the last move found it (before a wide brush's anchor step).
    TPoint UnderMouse() const { return underMouse_; }

  private:
    // The press steps of a left button that edits (after the undo snapshot).
    void EditPress();
    void Move(TPoint underMouse, bool redraw);
    // A left press while scrolling, on an object: the object palette shows it.
    void Pick(TPoint cell);
    void EditSounds(TPoint cell);
    void SetCursor(ViewCursor cursor);
    // Whether a cell holds an object, building or unit (a wall or an empty cell with a
    // parameter in its Id does not).
    bool HoldsObject(TPoint cell) const;

    EditContext& ctx_;
    Brushes& brushes_;
    Placement& placement_;
    UndoAndClipboard& clipboard_;
    MapWideCommands& commands_;
    ViewCursor cursor_ = ViewCursor::Default;
    std::optional<TPoint> lineEnd_;  // where the line preview ends
    TPoint lastCell_;                // the cell the last move reached
    TPoint underMouse_;              // the cell under the mouse at the last move
};

}  // namespace tess
