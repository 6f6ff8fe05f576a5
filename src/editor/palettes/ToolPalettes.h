// The rules of the three small tool palettes: "Pero" (pen modes, brush width, what the view
// shows), "Tereny" (terrains and the ground level) and "Lišta pro tvorbu zdí" (wall kinds).
#pragma once

#include <cstdint>
#include <string>

#include "resources/Surface.h"

namespace tess {

class ToolBox;
class tWall;

// --- "Pero" ------------------------------------------------------------------------------------

// The six "Vidět na mapě" boxes, each with its category bit of the view's Layers.
struct LayerBox {
    const char* Name;
    const char* Caption;
    uint8_t Bit;
};
inline constexpr LayerBox kLayerBoxes[6] = {
    {"ChBObjekty", "Objekty", 1}, {"ChBStromy", "Stromy", 2},      {"ChBRostliny", "Rostliny", 4},
    {"ChBBudovy", "Budovy", 8},   {"ChBJednotky", "Jednotky", 16}, {"ChBSteny", "Stěny", 32}};

class PenPalette {
  public:
    explicit PenPalette(ToolBox& tools) : tools_(tools) {}

    void PenClick();     // SpeedButton8: paint where the mouse goes
    void LineClick();    // SpeedButton9
    void FillClick();    // SpeedButton1: block by block, radius 0
    void DeleteClick();  // SpeedButton12: the delete tool, its button stays down
    // "Šířka pera": radius 0..13 (1 x 1 .. 27 x 27).
    void WidthChange(int32_t position);
    // A "Vidět na mapě" box: its bit cleared from the view's mask, set again when ticked.
    void LayerBoxClick(uint8_t bit, bool ticked);

  private:
    ToolBox& tools_;
};

// --- "Tereny" ----------------------------------------------------------------------------------

// The palette has a button for each of the terrains 0..14, 64 x 64 pixels.
constexpr int32_t kTerrainButtons = 15;
constexpr int32_t kTerrainButtonSide = 64;
// The level bar runs 0..7 from the highest level down; it starts at 4 (level 3).
constexpr int32_t kLevelBarMax = 7;

class TerrainPalette {
  public:
    explicit TerrainPalette(ToolBox& tools) : tools_(tools) {}

    // Teren1 .. Teren15: terrain t, the button stays down.
    void TerrainClick(int32_t terrain);
    // The level bar: the level tool toward 7 - position.
    void LevelBarChange(int32_t position);
    // BitBtn4 / BitBtn3: one level above / below the bar's (kept within 0..7).
    void LevelUpClick();
    void LevelDownClick();
    // Whether a double click on the terrain's button opens "Navolit terén": terrains 0..9 and
    // 14 (the water slots 10..13 keep their pictures).
    static bool HasBinding(int32_t terrain);

  private:
    ToolBox& tools_;
};

// The button picture of a terrain slot name (CP1250): 64 x 64, black, with the archive's
// "PICTURES/terains/<name>.dds" drawn in and "<name>_ex_1.dds" over it where they exist. A
// missing picture leaves the button blank; a damaged one is reported and left out.
void TerrainButtonPicture(const std::string& slotName, tSurface& button);

// --- "Lišta pro tvorbu zdí" --------------------------------------------------------------------

// Eight buttons of 73 x 89 pixels for the kinds 1..8, or 9..16 with "Zalamovat".
constexpr int32_t kWallButtons = 8;
constexpr int32_t kWallButtonWidth = 73;
constexpr int32_t kWallButtonHeight = 89;

class WallPalette {
  public:
    explicit WallPalette(ToolBox& tools) : tools_(tools) {}

    // SpeedButton1 .. SpeedButton8 (tag 1..8): the wall tool of that kind, plus 8 with
    // "Zalamovat".
    void WallClick(int32_t tag);
    // "Zalamovat": the buttons' kinds follow; a chosen wall kind keeps its picture and changes
    // sides.
    void ZalamovatChange(bool ticked);
    bool Zalamovat() const { return zalamovat_; }
    // The wall kind button `tag` stands for now.
    int32_t KindOf(int32_t tag) const { return tag + (zalamovat_ ? kWallButtons : 0); }

  private:
    ToolBox& tools_;
    bool zalamovat_ = false;
};

// A wall button's picture: the first piece of the kind's wall picture, centred on a
// 73 x 89 button of the colour `background`. An empty wall picture leaves it plain.
void WallButtonPicture(const tWall& wall, uint16_t background, tSurface& button);

}  // namespace tess
