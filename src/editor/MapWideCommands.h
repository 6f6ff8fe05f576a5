// Commands over the whole map: new map, resize, object repair, digging water, deleting trees,
// resetting units, the whole-map fill, and the cell-parameter dialog.
#pragma once

#include <optional>
#include <string>

#include "editor/EditContext.h"
#include "editor/MapSizeRules.h"

namespace tess {

class Brushes;
class Placement;
class UndoAndClipboard;

inline constexpr const char* kResizeTitle = "Nove rozmery";

// Every command that changes the map or its game data marks the map modified, so that closing
// the window asks to save it.
class MapWideCommands {
  public:
    MapWideCommands(EditContext& context, Brushes& brushes, Placement& placement,
                    UndoAndClipboard& clipboard)
        : ctx_(context), brushes_(brushes), placement_(placement), clipboard_(clipboard) {}

    // The map part of "Nová mapa" with the size dialog's texts: a map of terrain 5 at level 3,
    // empty game data, the default terrain list with its pictures. False (after a message)
    // when the texts are refused; the map is then unchanged.
    bool NewMapOfSize(const MapSizeTexts& texts);
    // "Resize map": the object repair, then the two input boxes "x=" and "y=".
    void ResizeMap();
    // The same with the answers given (the repair included). Answers outside 1..2047, or
    // not numbers, leave the map unchanged with a message: false.
    bool ResizeTo(const std::string& width, const std::string& height);
    // "Pokus-kontrola objektu".
    void RepairObjects();
    // "vyhloubeni vody": one level step toward 2 at every cell by swamp or water.
    void DigWater();
    // "Smazat vsechny stromy".
    void DeleteTrees();
    // "Reset all unit": attack, defence and lives back to the person table's.
    void ResetUnits();
    // "CelouMapu": the terrain tool's terrain (below 13) over the whole map.
    void FillWholeMap();
    // "secret value" for a cell: the Id parameters of its eight neighbours.
    void EditCellParams(TPoint cell);

  private:
    // Brings the size from the answers; the map stays as it is when either is refused.
    bool ApplySize(const std::string& width, const std::string& height);
    // Row by row with the row number in the caption and the window's progress.
    template <typename Row>
    void ForEachRow(int32_t rows, Row&& row);

    EditContext& ctx_;
    Brushes& brushes_;
    Placement& placement_;
    UndoAndClipboard& clipboard_;
};

}  // namespace tess
