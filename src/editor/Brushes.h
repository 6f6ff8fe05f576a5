// The brush operations: the current tool over the brush, the line walk, the fill, the border
// repaint and the tree choice.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/EditContext.h"

namespace tess {

class Placement;

// The fill's caption while it runs.
inline constexpr const char* kFillCaption = "Filling [abort press ScrollBar]";
// Each terrain's variant weights (60, 20, 10, 10) sum to this.
constexpr int32_t kVariantWeightSum = 100;

// A cell of the fill's and the border repaint's explicit stack, with the next direction to try.
struct WalkFrame {
    TPoint Cell;
    uint8_t Next = 0;
};

class Brushes {
  public:
    Brushes(EditContext& context, Placement& placement) : ctx_(context), placement_(placement) {}

    // Applies the current tool over the (2n+1) x (2n+1) brush whose south corner is `anchor`
    // (n = PenRadius), then the mini-map shows its frame again.
    void PaintAt(TPoint anchor);
    // The same without the mini-map frame (long commands show it once at their end).
    void PaintCells(TPoint anchor);
    // The line walk in the grid's diagonal axes: PaintAt at every cell from `from` up to, but
    // not including, `to`. True when the walk met its end (it always should).
    bool DrawLine(TPoint from, TPoint to);
    // Fills the area of `cell`'s terrain, block by block, with the terrain tool. Refused with a
    // beep when the tool is no terrain or the cell has it already. The abort keys stop it (with
    // a beep); what was painted stays. Works with an explicit stack: a whole 2047 x 2047 map
    // does not grow the call stack. False when refused or aborted.
    bool FloodFill(TPoint cell);
    // The border repaint of a left press while the right button scrolls: when the cell's
    // neighbours two steps away show exactly one other terrain, the cell and every cell of its
    // terrain reached two steps at a time that borders that other terrain get the tool's. It
    // takes the undo snapshot before it paints.
    void RepaintBorder(TPoint cell);
    // The level tool at one cell of the map: one level toward `target` when every neighbour
    // stays within one level of the new height.
    void RaiseOrLower(int32_t x, int32_t y, int32_t target);
    // The tree choice of the object tool at (x, y): sets CurrentPack's IdObject and Id to the
    // chosen type (0 when the spacing finds a tree too close). False when the brush must end.
    bool ChooseTree(int32_t x, int32_t y);

  private:
    // Treats one visited cell by the tool; false when the rest of the brush must be skipped.
    bool TreatCell(int32_t x, int32_t y);
    // Terrain (0..14) or the delete tool (15) at a cell of the map, over its block.
    void PaintBlock(int32_t x, int32_t y, int32_t code, MiniMapPort* mini);
    // False when "Změna zdí" ends the brush.
    bool LayWall(int32_t x, int32_t y);
    void PlotCell(int32_t x, int32_t y);

    EditContext& ctx_;
    Placement& placement_;
    std::vector<WalkFrame> walk_;  // kept: a fill of a whole map needs a million frames
};

}  // namespace tess
