// The isometric map view: draws the visible cells into a surface and finds the cell under a point.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "map/MapDat.h"
#include "resources/Surface.h"
#include "view/ToolState.h"
#include "view/ZoomDat.h"

namespace tess {

class tKalistor;
class tClipBoard;

// Layer bits of tView::Layers.
constexpr uint8_t kLayerObjects = 1;       // objects that are not trees
constexpr uint8_t kLayerIndexedTrees = 2;  // trees with a Tree_idx
constexpr uint8_t kLayerPlainTrees = 4;    // trees without one
constexpr uint8_t kLayerBuildings = 8;
constexpr uint8_t kLayerUnits = 16;
constexpr uint8_t kLayerWalls = 32;
constexpr uint8_t kAllLayers = 63;

constexpr uint8_t kPreviewOpacity = 128;  // the object preview under the cursor

// Where the view reads the editor's state when it draws: the editor's own records, never
// copies. Null pointers read as an idle editor.
struct ViewTools {
    // The cursor starts PenRadius - 1 cells lower; the object tool previews CurrentPack.
    const ToolState* State = nullptr;
    // "Vidět neprůchozví" marks occupied cells.
    const EditorOptions* Options = nullptr;
    const tClipBoard* Clipboard = nullptr;  // its selection is marked while State is 1
};

// The view. X, Y, Left, Top, Right and Bottom are the view position the map file's view centre
// is computed from (ViewPosition, which the view is).
class tView : public ViewPosition {
  public:
    tView();
    ~tView();
    tView(const tView&) = delete;
    tView& operator=(const tView&) = delete;

    // X = Y = 0, no zoom, Layers 63; the view rectangle is `rect`.
    void Create(tSurface& surface, tMapa& map, const SurfaceRect& rect);
    // Shows "prosím chvíli ... načítám data" as the caption, frees the old zoom and creates the
    // new one (start-up: "PICTURES/32x16/", 32, 4, 16).
    void SetZoom(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                 int32_t tileHeight);
    // The same with an object catalogue the caller has built.
    void SetZoom(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                 int32_t tileHeight, std::unique_ptr<tObjects> objects);

    // Fills the surface with black and draws the view into it, clipped to the view rectangle:
    // terrain, markers, the brush cursor when `cursor` is set, walls and objects. Raises X and Y
    // to 0 when negative and makes Y even first.
    void Draw(bool cursor);
    // The cell under the view point (mx, my), heights taken into account; also stored in
    // CursorX, CursorY.
    TPoint CellAt(int32_t mx, int32_t my);
    bool Layer(uint8_t bit) const { return (Layers & bit) != 0; }

    tMapa* Map = nullptr;
    tSurface* Surface = nullptr;
    std::unique_ptr<tZoom> Zoom;
    int32_t CursorX = 0;
    int32_t CursorY = 0;
    int32_t CursorWidth = 0;   // extent along direction 0, minus one
    int32_t CursorHeight = 0;  // extent along direction 6, minus one
    uint8_t Layers = kAllLayers;

    // The game data whose buildings and units the cells link to (none: they are not drawn).
    const tKalistor* Store = nullptr;
    ViewTools Tools;

    // Pixels the last Draw wrote, the black fill included.
    uint64_t PixelsWritten() const { return pixelsWritten_; }

  private:
    // A visible cell's shape, kept from the terrain pass for the passes after it.
    struct CellPlace {
        int8_t Level;  // ShapeLevel
        int8_t Mask;   // ShapeMask, or -1 for a surrounded wall cell
    };

    CellShape ShapeOf(int32_t x, int32_t y) const;
    bool Surrounded(int32_t x, int32_t y) const;
    void TerrainPass();
    void CursorPass();
    void ObjectPass();
    // Draws an object type with its anchor cell's tile corner at (sx, sy).
    void DrawObject(int32_t objectNumber, const tMapCell& cell, int64_t sx, int64_t sy, bool asUnit,
                    bool preview);
    int64_t CornerX(int64_t column, int64_t row) const;
    int64_t CornerY(int64_t row, int level) const;

    // The frame being drawn.
    SurfaceRect clip_;
    int32_t columns_ = 0;  // visible columns inside the map
    int32_t rows_ = 0;     // visible rows inside the map
    std::vector<CellPlace> places_;
    uint64_t pixelsWritten_ = 0;
};

}  // namespace tess
