// The mouse in the map view: the press, move and release handlers of every tool, in cells. The
// window adds only the step from view pixels to the cell under the mouse.
#include "editor/MouseTools.h"

#include <algorithm>

#include "editor/Brushes.h"
#include "editor/DragScroll.h"
#include "editor/MapWideCommands.h"
#include "editor/Placement.h"
#include "editor/SoundEditorPort.h"
#include "editor/UndoAndClipboard.h"
#include "editor/UndoHistory.h"
#include "game/Clipboard.h"
#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

std::string CellCaption(TPoint cell) {
    return std::to_string(cell.X) + "x" + std::to_string(cell.Y);
}

bool IsBuilding(int32_t index) {
    return index >= 1 && index <= kMaxBuildings;
}
bool IsUnit(int32_t index) {
    return index >= 1 && index <= kMaxUnits;
}

}  // namespace

bool MouseTools::HoldsObject(TPoint cell) const {
    const int occupancy = ctx_.Map.GetOccupancy(cell.X, cell.Y);
    return occupancy == 1 || occupancy == 2;
}

void MouseTools::SetCursor(ViewCursor cursor) {
    cursor_ = cursor;
    ctx_.Window.SetViewCursor(cursor);
}

void MouseTools::Down(MouseButton button) {
    ToolState& state = ctx_.State();
    tKalistor& store = ctx_.Store;
    tClipBoard& clip = ctx_.Clipboard;
    const TPoint cell = ctx_.CursorCell;
    const bool left = button == MouseButton::Left;
    // Every press counts as a change, even one that only starts scrolling.
    ctx_.Modified = true;
    // A new press ends whatever the last one did, should its release never have come.
    ctx_.History.EndStep();

    // A left press while the right button scrolls picks the object under the mouse in the
    // object palette, or repaints a border; it never starts a drag, and the scroll goes on.
    if (left && state.DragState == kDragScroll) {
        if (HoldsObject(cell)) {
            Pick(cell);
        } else {
            HistoryScope step(ctx_.History);
            brushes_.RepaintBorder(cell);
            ctx_.Host.MeView();
        }
        return;
    }
    // The unit editor's "Nastavit hlídku": this click is the patrol's cell.
    if (left && state.CurrentPack.Tag == -1) {
        state.CurrentPack.Tag = 0;
        ctx_.Tools.Changed();
        const int32_t unit = state.CurrentPack.Extra;
        if (!IsUnit(unit)) return;
        HistoryScope step(ctx_.History);
        store.Units[static_cast<size_t>(unit)].PatrolaX = cell.X;
        store.Units[static_cast<size_t>(unit)].PatrolaY = cell.Y;
        store.EditUnit(unit);
        return;
    }
    if (button != MouseButton::Middle && clip.State == kClipPasting) {
        clipboard_.FinishPaste(cell, left);
        return;
    }
    if (left && ctx_.Options.SoundEditing) {
        EditSounds(cell);
        return;
    }
    if (left && clip.State == kClipSelecting) {
        clipboard_.BeginSelection(cell);
        state.DragState = kDragLeft;
        return;
    }
    switch (button) {
        case MouseButton::Left:
            state.DragState = kDragLeft;
            // The undo snapshot of map and game data; the drag's release ends the step.
            ctx_.History.BeginStep();
            EditPress();
            // A press whose work is done (a dialog, a placement, the fill) is a step already.
            if (state.DragState != kDragLeft) ctx_.History.EndStep();
            return;
        case MouseButton::Right:
            SetCursor(ViewCursor::Scroll);
            state.DragState = kDragScroll;
            return;
        case MouseButton::Middle:
            if (clip.State == kClipPasting)
                clipboard_.RotatePaste(cell);
            else
                commands_.EditCellParams(cell);
            return;
    }
}

void MouseTools::Pick(TPoint cell) {
    ObjectPalettePort* palette = ctx_.Ports.Palette;
    if (!palette) return;
    const tMapCell& c = ctx_.Map.Cell(cell.X, cell.Y);
    const tKalistor& store = ctx_.Store;
    switch (c.LinkKind()) {
        case 0: {
            const tObject* object = ctx_.Host.Objects().Item(c.Id());
            const bool tree = object && object->Typ_tree;
            palette->Pick(tree ? PalettePage::Nature : PalettePage::Other, c.Id());
            return;
        }
        case 1:
            if (IsBuilding(c.Id()))
                palette->Pick(PalettePage::AllBuildings,
                              store.Buildings[static_cast<size_t>(c.Id())].IdObject);
            return;
        case 2:
            // Unit pictures come in blocks of 50 by facing; the palette shows facing 3.
            if (IsUnit(c.Id()))
                palette->Pick(PalettePage::AllUnits,
                              store.Units[static_cast<size_t>(c.Id())].IdObject / 50 * 50 + 3);
            return;
        default:
            return;
    }
}

void MouseTools::EditSounds(TPoint cell) {
    SoundEditorPort* sounds = ctx_.Ports.Sounds;
    if (!sounds || !HoldsObject(cell)) return;
    const tMapCell& c = ctx_.Map.Cell(cell.X, cell.Y);
    const tKalistor& store = ctx_.Store;
    if (c.LinkKind() == 0)
        sounds->EditObjectSounds(c.Id());
    else if (c.LinkKind() == 1 && IsBuilding(c.Id()))
        sounds->EditBuildingSounds(store.Buildings[static_cast<size_t>(c.Id())].IdBuilding);
    else if (c.LinkKind() == 2 && IsUnit(c.Id()))
        sounds->EditPersonSounds(store.Units[static_cast<size_t>(c.Id())].IdPerson);
}

void MouseTools::EditPress() {
    ToolState& state = ctx_.State();
    tMapa& map = ctx_.Map;
    tKalistor& store = ctx_.Store;
    const TPoint cell = ctx_.CursorCell;
    const tMapCell c = map.Cell(cell.X, cell.Y);
    if (HoldsObject(cell)) {
        const int32_t id = c.Id();
        if (c.LinkKind() == 0 && (id == kGoldType || id == kIronType)) {
            state.DragState = kDragIdle;
            if (const std::optional<TPoint> anchor = FindDepositAnchor(map, cell.X, cell.Y))
                placement_.AskDepositAmount(*anchor, id);
            return;
        }
        if (c.LinkKind() == 1) {
            state.DragState = kDragIdle;
            if (!IsBuilding(id)) return;
            const tBuildingRec& building = store.Buildings[static_cast<size_t>(id)];
            const int32_t type = building.IdObject;
            if (building.IdBuilding == kBonesBuilding)
                placement_.AskBones(id);
            else
                store.EditBuilding(id);
            // Deleted in its editor: it leaves the map too. A new picture brings its footprint.
            if (building.Used != 1)
                placement_.DeleteObject(cell.X, cell.Y);
            else if (building.IdObject != type)
                RepairObjects(map, ctx_.Host.Objects(), store);
            ctx_.Host.MeView();
            return;
        }
        if (c.LinkKind() == 2) {
            state.DragState = kDragIdle;
            if (id == 0) {
                map.SetLinkKind(cell.X, cell.Y, 0);
            } else if (IsUnit(id)) {
                tUnitRec& unit = store.Units[static_cast<size_t>(id)];
                unit.X = cell.X;
                unit.Y = cell.Y;
                store.EditUnit(id);
                if (unit.Used != 1) placement_.DeleteObject(cell.X, cell.Y);
            }
            ctx_.Host.MeView();
            return;
        }
    }
    switch (state.PenMode) {
        case kPenFill:
            brushes_.FloodFill(cell);
            return;
        case kPenLine:
            // The line's start; the moves draw it.
            ctx_.Preview.Capture(map);
            lineEnd_.reset();
            return;
        default:
            brushes_.PaintAt(cell);
            ctx_.Host.MeView();
            return;
    }
}

void MouseTools::MovePixels(int32_t x, int32_t y) {
    ToolState& state = ctx_.State();
    bool scrolled = false;
    if (state.DragState == kDragScroll) {
        scrolled = ScrollViewByDrag(ctx_.Host.View(), ctx_.Map.Width, ctx_.Map.Height,
                                    state.LastMousePos, {x, y}, ctx_.Options.ReverseScroll);
        if (scrolled)
            if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->ShowFrame();
    }
    state.LastMousePos = {x, y};
    const std::optional<TPoint> cell = ctx_.Host.CellAt(x, y);
    if (!cell) return;
    // A scroll can leave the same cell under the mouse (reversed, the mouse follows the map):
    // the view moved all the same and is drawn again.
    Move(*cell, scrolled);
}

void MouseTools::MoveToCell(TPoint underMouse) {
    Move(underMouse, false);
}

void MouseTools::Move(TPoint underMouse, bool redraw) {
    ToolState& state = ctx_.State();
    tMapa& map = ctx_.Map;
    tClipBoard& clip = ctx_.Clipboard;
    underMouse_ = underMouse;
    // A brush wider than 3 x 3 has its anchor (its south corner) PenRadius - 1 steps down.
    TPoint cell = underMouse;
    for (int32_t i = 1; i < std::min(state.PenRadius, kMaxPenRadius + 1); ++i)
        cell = map.Neighbour(cell.X, cell.Y, kDirDown);
    const TPoint previous = ctx_.CursorCell;

    // The hand shows where a click opens a dialog: buildings, units and deposits.
    const tMapCell& under = map.Cell(cell.X, cell.Y);
    const bool clickable = HoldsObject(cell) && (under.LinkKind() != 0 || under.Id() == kGoldType ||
                                                 under.Id() == kIronType);
    if (clickable && cursor_ == ViewCursor::Default) SetCursor(ViewCursor::Hand);
    if (!clickable && cursor_ == ViewCursor::Hand) SetCursor(ViewCursor::Default);

    if (clip.State == kClipPasting) clipboard_.ShowPastePreview(cell);
    Ui().SetCaption(CellCaption(ctx_.CursorCell));

    if (state.DragState == kDragLeft && cell != previous) {
        if (clip.State == kClipSelecting) {
            // The selection's first corner stays where the press was.
            clipboard_.ExtendSelection(cell);
        } else if (state.PenMode == kPenLine) {
            // The line always starts where the press was; only its end follows the mouse.
            if (lineEnd_ != cell) {
                ctx_.Preview.RestoreInto(map);
                brushes_.DrawLine(ctx_.CursorCell, cell);
                lineEnd_ = cell;
                redraw = true;
            }
        } else {
            // Every cell of the straight line since the last move, the new cell included.
            TLineStepper stepper;
            stepper.Init(previous, cell);
            while (stepper.Running && state.DragState == kDragLeft) {
                stepper.Step();
                ctx_.CursorCell = stepper.Current;
                brushes_.PaintAt(ctx_.CursorCell);
            }
            ctx_.CursorCell = cell;
            redraw = true;
        }
    } else {
        Ui().SetCaption(CellCaption(cell));
        ctx_.CursorCell = cell;
    }
    // The anchor stays put during a line or a selection: what counts is the cell reached.
    if (cell != lastCell_ || redraw) ctx_.Host.MeView();
    lastCell_ = cell;
}

void MouseTools::Up(MouseButton button) {
    ToolState& state = ctx_.State();
    tClipBoard& clip = ctx_.Clipboard;
    // Everything the press and its drag did is one step.
    ctx_.History.EndStep();
    // Releasing the left button during a scroll leaves the scroll to the right button.
    if (button == MouseButton::Left && state.DragState == kDragScroll) return;
    if (state.DragState == kDragLeft && clip.State == kClipSelecting) clipboard_.FinishSelection();
    if (state.DragState == kDragScroll) SetCursor(ViewCursor::Default);
    state.DragState = kDragIdle;
}

}  // namespace tess
