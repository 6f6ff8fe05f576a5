// The one owner of the tool state: the tool, the brush, the pen mode, the placement entry, the
// drag, and what the palettes show of them, with the operations the palettes and commands call.
#pragma once

#include <cstdint>
#include <vector>

#include "game/AddPack.h"
#include "view/ToolState.h"

namespace tess {

class tObjects;

// What the palettes show beside the tool state itself.
struct PaletteMarks {
    int32_t PenTrackBar = 0;     // the pen palette's "Šířka pera" bar, 0..13
    int32_t LevelTrackBar = 4;   // the terrain palette's level bar, 0..7 (7 - the level)
    bool LevelToolDown = false;  // its level frame lowered: a level tool is chosen
    bool DeleteDown = false;     // the pen palette's delete button
    int32_t TerrainDown = -1;    // the terrain palette's pressed button (terrain 0..14)
    int32_t WallDown = -1;       // the wall palette's pressed button (1..8)
    int32_t ObjectEntry = -1;    // the object palette's chosen entry
    uint8_t Layers = 63;         // the view's layer mask: the pen palette's "Vidět na mapě"
    friend bool operator==(const PaletteMarks&, const PaletteMarks&) = default;
};

// The palettes follow the tool state through this.
class ToolListener {
  public:
    virtual ~ToolListener() = default;
    // Once after each operation that changed the tool state or the marks.
    virtual void ToolsChanged(const ToolState& state, const PaletteMarks& marks) = 0;
    // The map's terrain list changed (new map, load): the terrain palette reloads its pictures.
    virtual void TerrainListChanged() {}
};

// What the tool state changes around it.
class ToolHost {
  public:
    virtual ~ToolHost() = default;
    // The object catalogue the placement entries' types come from.
    virtual const tObjects& Objects() const = 0;
    // The view's cursor extent in cells, minus one, along directions 0 and 6.
    virtual void SetCursorExtent(int32_t width, int32_t height) = 0;
    // The view's Layers; then the view is drawn again.
    virtual void SetLayers(uint8_t mask) = 0;
    // Choosing a tool ends the clipboard's copy and paste modes.
    virtual void EndClipboardModes() = 0;
};

class ToolBox {
  public:
    explicit ToolBox(ToolHost& host) : host_(host) {}
    ToolBox(const ToolBox&) = delete;
    ToolBox& operator=(const ToolBox&) = delete;

    // The state the view reads and the engine's rooms change. Whoever changes a field a palette
    // shows directly calls Changed() afterwards.
    ToolState& State() { return state_; }
    const ToolState& State() const { return state_; }
    const PaletteMarks& Marks() const { return marks_; }

    // Releases every palette's selection marks; then chooses the tool. Codes 0..14 form one
    // class and 100..107 another, any other code is its own class: within a class the brush
    // keeps the pen palette's bar, a new class starts at radius 0. Ends the clipboard's modes.
    void SelectTool(int32_t code);
    // The brush radius (0..13), the view's cursor extent (2r) and the pen palette's bar.
    void SetPenRadius(int32_t radius);
    // The level tool toward `level` (clamped to 0..7); the level bar shows 7 - level.
    void SelectLevelTool(int32_t level);
    // The object tool with a copy of the entry, its RandomShade from `randomShade`, the cursor
    // sized to the entry's object type.
    void SelectPlacement(const tAddPack& entry, bool randomShade);
    // The wall tool of a kind (1..16) with a 3 x 3 brush.
    void SelectWallTool(int32_t kind);
    // Pen, line or fill; fill works block by block with radius 0.
    void SetPenMode(uint8_t mode);
    // "27x27": radius 13 without touching the cursor extent or the bar.
    void PenRadius27();
    // The view's brush outline alone (extents in cells, minus one), the radius unchanged: the
    // object palette's mix shows a 1 x 1 outline whatever the brush.
    void SetCursorExtent(int32_t width, int32_t height);
    // The view's layer mask (kept in the marks); the view is drawn again.
    void SetViewMask(uint8_t mask);
    void ResetPaletteMarks();

    // The palette buttons that choose a tool and stay down: the delete tool, a terrain, a wall
    // kind (1..16; the button 1..8 of its picture goes down), an object palette entry.
    void PressDeleteButton();
    void PressTerrainButton(int32_t terrain);
    void PressWallButton(int32_t kind);
    void MarkObjectEntry(int32_t entry);

    void AddListener(ToolListener* listener);
    void RemoveListener(ToolListener* listener);
    // Tells the listeners about a change made to State() directly.
    void Changed();
    void TerrainListChanged();

  private:
    // Listeners hear once per outermost operation, however many it calls.
    class Batch;

    ToolHost& host_;
    ToolState state_;
    PaletteMarks marks_;
    std::vector<ToolListener*> listeners_;
    int batchDepth_ = 0;
    bool changed_ = false;
};

}  // namespace tess
