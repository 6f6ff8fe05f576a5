// The mini-map: a reduced picture of the whole map with the frame of the part the view shows.
#pragma once

#include <array>
#include <cstdint>

#include "map/MapDat.h"
#include "resources/Surface.h"

namespace tess {

class tKalistor;
class tTerens;

// The colour of terrain slot 15, and of every slot until ComputeColors finds its picture.
constexpr uint16_t kUnpaintedTerrain565 = Rgb565(128, 128, 120);
constexpr uint16_t kMiniMapFrame565 = Rgb565(255, 255, 255);

// The size of a mini-map's drawing area for a map: Width by Height / 2, both halved while the
// width is 257 or more or the height 129 or more.
struct MiniMapSize {
    int32_t Width = 0;
    int32_t Height = 0;
};
MiniMapSize MiniMapSizeFor(int32_t mapWidth, int32_t mapHeight);

// The picture side of the mini-map window (the window itself is a form of its own). The window
// shows DXDraw1 and forwards clicks to DXDraw1MouseDown. All divisions truncate toward zero.
class tLitleMap {
  public:
    // What the window shows: Picture with the white frame of the view.
    tSurface DXDraw1;
    tMapa* Map = nullptr;
    // One pixel per ScaleX x ScaleY cells.
    tSurface Picture;
    int32_t ScaleX = 1;
    int32_t ScaleY = 1;
    std::array<uint16_t, 16> TerrainColors;

    // The game data whose buildings show in their owners' colours (none: terrain only).
    const tKalistor* Store = nullptr;
    // The main view whose part the frame shows and whose position a click sets.
    ViewPosition* View = nullptr;
    // Where the window's left edge goes: the main window's width - the picture width - 10.
    int32_t WindowLeft = 0;

    tLitleMap();

    // Slot i = 0..14 takes the colour of the centre pixel of its first flat tile; slots without
    // one (and slot 15) keep theirs.
    void ComputeColors(const tTerens& terens);
    // Sizes the picture and the scales for the map, places the window's left edge for a main
    // window `mainWindowWidth` pixels wide, plots every ScaleY-th row, then ShowFrame.
    void Rebuild(int32_t mainWindowWidth);
    // The pixel of the cell: black for a wall, the owner's colour for a building, else the
    // colour of its terrain.
    void PlotCell(int32_t x, int32_t y);
    // Copies Picture into DXDraw1 and draws the view frame over it.
    void ShowFrame();
    // The view frame on the picture, corners (X / ScaleX, Y / ScaleY) and ((X + VC) / ScaleX,
    // (Y + VR) / ScaleY); the right and bottom edges are exclusive.
    SurfaceRect FrameRect() const;
    // A click at (x, y) on the picture: centres the view there (kept on the map), then
    // ShowFrame. The caller redraws the view.
    void DXDraw1MouseDown(int32_t x, int32_t y);

  private:
    uint16_t CellColour(int32_t x, int32_t y) const;
};

}  // namespace tess
