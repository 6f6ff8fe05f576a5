// "Zpět" and the map clipboard's commands: the copy and paste modes, their previews, and the
// clip files.
#pragma once

#include <optional>
#include <string>

#include "editor/EditContext.h"

namespace tess {

inline constexpr const char* kClipFilter = "Schranka k ZOR *.clp|*.clp";
inline constexpr const char* kClipDirectory = "MAPS/CLIP";

class UndoAndClipboard {
  public:
    explicit UndoAndClipboard(EditContext& context) : ctx_(context) {}

    // "Zpět": a blank frame, then the map and game data as they were before the last step of
    // the history; "Znovu" does the last step undone again. With nothing to undo or redo: a
    // beep. Either ends a drag in progress (its step first).
    void Undo();
    void Redo();
    // "Zkopírovat" (rectangle) and the hidden diamond copy: the selection mode starts.
    void StartCopy(bool rectangular);
    // "Vložit": the paste mode starts; the map is kept for the previews.
    void StartPaste();
    // Takes back the paste preview, or the selection, and ends both modes (choosing a tool
    // does this).
    void EndModes();
    // The selection's press, moves and release in copy mode. The region's size lives in the
    // clipboard's Rows and Columns, which also size what it holds: a selection that ends
    // without a copy (a click, a tool chosen) gives them back.
    void BeginSelection(TPoint cell);
    void ExtendSelection(TPoint cell);
    void FinishSelection();
    // The paste preview at a cell: the map as kept, with the clipboard pasted without its game
    // data. Drawn again only when the cell or the rotation changed since the last preview.
    void ShowPastePreview(TPoint cell);
    // A press in paste mode: the map as kept, then (left button) the clipboard pasted with its
    // game data; the mode ends and the footprints are rebuilt.
    void FinishPaste(TPoint cell, bool paste);
    // A middle press in paste mode: the clipboard turns by two directions.
    void RotatePaste(TPoint cell);

    // "Uložit obsah schránky" / "Načíst obsah schránky" through their dialogs.
    void SaveClipFile();
    void LoadClipFile();
    // The same without a dialog; false (after a message) when the file could not be written
    // or read, or (save) the clipboard is empty.
    bool SaveClipTo(const std::string& chosen);
    bool LoadClipFrom(const std::string& name);
    // A chosen save name with ".clp" appended unless it already ends so.
    static std::string ClipFileName(const std::string& chosen);
    // Where the clip dialogs start: "MAPS/CLIP" under the game directory when it exists, else
    // the game directory.
    static std::string ClipDirectory(const std::string& gameDirectory);

    void SetGameDirectory(std::string directory) { gameDirectory_ = std::move(directory); }

  private:
    void Travel(bool back);

    EditContext& ctx_;
    std::string gameDirectory_;
    std::optional<TPoint> previewAt_;  // where the paste preview stands
    int32_t keptRows_ = 0;             // the clipboard's size while a selection runs
    int32_t keptColumns_ = 0;
};

}  // namespace tess
