// The small interfaces through which the editing engine asks for what lives above it: the
// object palette's pick, the amount dialog "Těžba", the cell-parameter dialog "secret value",
// input boxes, the clip file dialogs, and the progress and abort keys of long work.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/MainWindowPort.h"

namespace tess {

class SoundEditorPort;

// The object palette's pages a pick from the map can show.
enum class PalettePage {
    Nature,        // "Příroda"
    Other,         // "Další"
    AllBuildings,  // every building, no race or settlement-kind filter
    AllUnits,      // every unit, no race filter
};

class ObjectPalettePort {
  public:
    virtual ~ObjectPalettePort() = default;
    // Shows `page`, filling it only when the palette is not showing that page already, then
    // selects every entry whose IdObject equals `idObject` as a click on it would.
    virtual void Pick(PalettePage page, int32_t idObject) = 0;
};

// One showing of the amount dialog "Těžba".
struct AmountRequest {
    std::string Title;    // "Těžba", or "Pouze [1..65535]" after a number it refused
    std::string Caption;  // its label: "Zlato", "Železo", "Kostí"
    std::string Text;     // its edit field
    // Its scroll bar (hint "stav kostry", 1..100); -1 hides it.
    int32_t ScrollPosition = -1;
};
struct AmountReply {
    std::string Text;
    int32_t ScrollPosition = -1;
};

class AmountDialogPort {
  public:
    virtual ~AmountDialogPort() = default;
    // Modal; what the fields hold when Ok closed it, nothing when it was cancelled.
    virtual std::optional<AmountReply> AskAmount(const AmountRequest& request) = 0;
};

// The texts of "secret value"'s fields Edit1 .. Edit8.
using CellParamTexts = std::array<std::string, 8>;

class CellParamsDialogPort {
  public:
    virtual ~CellParamsDialogPort() = default;
    // Modal; the eight texts when Ok closed it.
    virtual std::optional<CellParamTexts> EditCellParams(const CellParamTexts& shown) = 0;
};

class InputBoxPort {
  public:
    virtual ~InputBoxPort() = default;
    // A one-line question prefilled with `text`; the answer, or nothing when cancelled.
    virtual std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                                const std::string& text) = 0;
};

class ClipFileDialogPort {
  public:
    virtual ~ClipFileDialogPort() = default;
    // The chosen file (a disk path), or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseClipToSave(const FileDialogSetup& setup) = 0;
    virtual std::optional<std::string> ChooseClipToOpen(const FileDialogSetup& setup) = 0;
};

// Work that runs to its end inside one command: the window shows its progress and stays
// painted. The caption is the engine's (through the user-interface host).
class LongWorkPort {
  public:
    virtual ~LongWorkPort() = default;
    virtual void BeginWork(int32_t total) = 0;
    virtual void WorkProgress(int32_t done) = 0;
    // The fill's abort keys: Scroll Lock pressed or toggled on where the platform reports it,
    // and Esc. Called often; an implementation keeps it cheap.
    virtual bool AbortRequested() = 0;
    virtual void EndWork() = 0;
};

// Where the engine finds them; null where a program has none (the dialog counts as cancelled,
// nothing opens, no progress is shown, nothing aborts).
struct EnginePorts {
    ObjectPalettePort* Palette = nullptr;
    AmountDialogPort* Amount = nullptr;
    CellParamsDialogPort* CellParams = nullptr;
    InputBoxPort* Input = nullptr;
    ClipFileDialogPort* ClipFiles = nullptr;
    LongWorkPort* Work = nullptr;
    SoundEditorPort* Sounds = nullptr;
};

}  // namespace tess
