// "Zpět" and the map clipboard's commands: the copy and paste modes, their previews, and the
// clip files.
#include "editor/UndoAndClipboard.h"

#include <filesystem>

#include "editor/DragScroll.h"
#include "editor/UndoHistory.h"
#include "game/Clipboard.h"
#include "game/Footprints.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr const char* kClipExtension = ".clp";

}  // namespace

void UndoAndClipboard::Undo() {
    Travel(true);
}

void UndoAndClipboard::Redo() {
    Travel(false);
}

void UndoAndClipboard::Travel(bool back) {
    EndModes();
    // A step taken back in the middle of a drag ends the drag: what the mouse does next would
    // belong to no step.
    if (ctx_.State().DragState == kDragLeft) ctx_.State().DragState = kDragIdle;
    UndoHistory& history = ctx_.History;
    history.EndStep();
    if (back ? !history.CanUndo() : !history.CanRedo()) {
        Ui().Beep();
        return;
    }
    ctx_.Host.BlankFrame();
    if (back)
        history.Undo();
    else
        history.Redo();
    ctx_.Modified = true;
    // A resize taken back or done again: the view stays inside the map.
    ScrollViewByDrag(ctx_.Host.View(), ctx_.Map.Width, ctx_.Map.Height, {}, {}, false);
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->Rebuild();
    ctx_.Host.PrepocitejHrace();
    ctx_.Host.MeView();
}

void UndoAndClipboard::StartCopy(bool rectangular) {
    EndModes();
    tClipBoard& clip = ctx_.Clipboard;
    Ui().SetCaption("Copy ...");
    keptRows_ = clip.Rows;
    keptColumns_ = clip.Columns;
    clip.State = kClipSelecting;
    clip.CornerA = clip.CornerB = TPoint{0, 0};
    clip.Rectangular = rectangular ? 1 : 0;
}

void UndoAndClipboard::StartPaste() {
    EndModes();
    Ui().SetCaption("Paste ...");
    ctx_.Clipboard.State = kClipPasting;
    ctx_.Preview.Capture(ctx_.Map);
    ctx_.Host.MeView();
}

void UndoAndClipboard::EndModes() {
    tClipBoard& clip = ctx_.Clipboard;
    // A preview is no paste: the map goes back to what it was before the mode began.
    if (clip.State == kClipPasting) ctx_.Preview.RestoreInto(ctx_.Map);
    if (clip.State == kClipSelecting) {
        clip.Rows = keptRows_;
        clip.Columns = keptColumns_;
    }
    clip.State = kClipIdle;
    previewAt_.reset();
}

void UndoAndClipboard::BeginSelection(TPoint cell) {
    tClipBoard& clip = ctx_.Clipboard;
    clip.CornerA = clip.CornerB = cell;
    clip.Normalize();
}

void UndoAndClipboard::ExtendSelection(TPoint cell) {
    tClipBoard& clip = ctx_.Clipboard;
    clip.CornerB = cell;
    clip.Normalize();
}

void UndoAndClipboard::FinishSelection() {
    tClipBoard& clip = ctx_.Clipboard;
    // A click without a drag selects nothing: the clipboard keeps what it holds.
    if (clip.Rows > 0 && clip.Columns > 0)
        clip.Copy(ctx_.Map, ctx_.Store, clip.Origin.X, clip.Origin.Y);
    else
        EndModes();
    clip.State = kClipIdle;
    ctx_.Host.MeView();
}

void UndoAndClipboard::ShowPastePreview(TPoint cell) {
    tClipBoard& clip = ctx_.Clipboard;
    if (clip.State != kClipPasting || previewAt_ == cell) return;
    ctx_.Preview.RestoreInto(ctx_.Map);
    clip.Paste(ctx_.Map, ctx_.Store, cell.X, cell.Y, false);
    previewAt_ = cell;
}

void UndoAndClipboard::FinishPaste(TPoint cell, bool paste) {
    tClipBoard& clip = ctx_.Clipboard;
    clip.State = kClipIdle;
    previewAt_.reset();
    ctx_.Preview.RestoreInto(ctx_.Map);
    // A step of its own, compared with the map as it was without the preview.
    HistoryScope step(ctx_.History);
    if (paste) clip.Paste(ctx_.Map, ctx_.Store, cell.X, cell.Y, true);
    tess::RepairObjects(ctx_.Map, ctx_.Host.Objects(), ctx_.Store);
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->Rebuild();
    ctx_.Host.MeView();
}

void UndoAndClipboard::RotatePaste(TPoint cell) {
    tClipBoard& clip = ctx_.Clipboard;
    clip.Rotation = static_cast<uint8_t>((clip.Rotation + 2) & 7);
    previewAt_.reset();
    ShowPastePreview(cell);
    ctx_.Host.MeView();
}

void UndoAndClipboard::SaveClipFile() {
    if (ctx_.Clipboard.Rows == 0) return;
    ClipFileDialogPort* dialogs = ctx_.Ports.ClipFiles;
    if (!dialogs) return;
    const std::optional<std::string> chosen =
        dialogs->ChooseClipToSave({kClipFilter, "", ClipDirectory(gameDirectory_), ""});
    ctx_.Host.RestoreCurrentDirectory();
    if (chosen) SaveClipTo(*chosen);
}

void UndoAndClipboard::LoadClipFile() {
    ClipFileDialogPort* dialogs = ctx_.Ports.ClipFiles;
    if (!dialogs) return;
    const std::optional<std::string> chosen =
        dialogs->ChooseClipToOpen({kClipFilter, "", ClipDirectory(gameDirectory_), ""});
    ctx_.Host.RestoreCurrentDirectory();
    if (chosen) LoadClipFrom(*chosen);
}

bool UndoAndClipboard::SaveClipTo(const std::string& chosen) {
    if (ctx_.Clipboard.Rows == 0) return false;
    try {
        ctx_.Clipboard.SaveToFile(ClipFileName(chosen));
        return true;
    } catch (const IoError& e) {
        Ui().MessageBox(e.what(), Buttons::Ok);
        return false;
    }
}

bool UndoAndClipboard::LoadClipFrom(const std::string& name) {
    return ctx_.Clipboard.LoadFromFile(name);
}

std::string UndoAndClipboard::ClipFileName(const std::string& chosen) {
    // The game's names come from a platform that ignores letter case.
    const std::string ending = AnsiUpperCase(
        chosen.substr(chosen.size() - std::min(chosen.size(), std::string(kClipExtension).size())));
    return ending == AnsiUpperCase(kClipExtension) ? chosen : chosen + kClipExtension;
}

std::string UndoAndClipboard::ClipDirectory(const std::string& gameDirectory) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base = gameDirectory.empty() ? fs::current_path(error) : fs::path(gameDirectory);
    const fs::path clips = ResolveDiskPath((base / kClipDirectory).string());
    return fs::is_directory(clips, error) ? clips.string() : base.string();
}

}  // namespace tess
