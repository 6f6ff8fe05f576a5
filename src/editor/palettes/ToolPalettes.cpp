// The rules of the three small tool palettes: "Pero" (pen modes, brush width, what the view
// shows), "Tereny" (terrains and the ground level) and "Lišta pro tvorbu zdí" (wall kinds).
#include "editor/palettes/ToolPalettes.h"

#include <algorithm>

#include "editor/ToolBox.h"
#include "map/WallDat.h"
#include "resources/BigFile.h"
#include "resources/Sprites.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr const char* kButtonDirectory = "PICTURES/terains/";
// The first piece of a wall picture: column 0, row 0.
constexpr SurfaceRect kFirstWallPiece{1, 1, 1 + kWallPieceWidth, 1 + kWallPieceHeight};

// Draws an archive picture onto the button when the archive has it.
void DrawButtonLayer(const std::string& name, tSurface& button, bool transparent) {
    if (!BigFile().FindEntry(name)) return;
    tSurface picture;
    try {
        LoadDDStoSurface(name, picture, nullptr);
    } catch (const IoError& e) {
        ErrorBox(name + ": " + e.what());
        return;
    }
    if (transparent)
        button.DrawTransparent(0, 0, picture);
    else
        button.Draw(0, 0, picture);
}

}  // namespace

// --- "Pero" ------------------------------------------------------------------------------------

void PenPalette::PenClick() {
    tools_.SetPenMode(kPenFree);
}

void PenPalette::LineClick() {
    tools_.SetPenMode(kPenLine);
}

void PenPalette::FillClick() {
    tools_.SetPenMode(kPenFill);
}

void PenPalette::DeleteClick() {
    tools_.PressDeleteButton();
}

void PenPalette::WidthChange(int32_t position) {
    tools_.SetPenRadius(position);
}

void PenPalette::LayerBoxClick(uint8_t bit, bool ticked) {
    // From the view's mask as it is now, whoever set it last.
    const uint8_t layers = tools_.Marks().Layers;
    tools_.SetViewMask(static_cast<uint8_t>((layers & ~bit) | (ticked ? bit : 0)));
}

// --- "Tereny" ----------------------------------------------------------------------------------

void TerrainPalette::TerrainClick(int32_t terrain) {
    if (terrain < 0 || terrain >= kTerrainButtons) return;
    tools_.PressTerrainButton(terrain);
}

void TerrainPalette::LevelBarChange(int32_t position) {
    tools_.SelectLevelTool(kLevelBarMax - position);
}

void TerrainPalette::LevelUpClick() {
    tools_.SelectLevelTool(kLevelBarMax + 1 - tools_.Marks().LevelTrackBar);
}

void TerrainPalette::LevelDownClick() {
    tools_.SelectLevelTool(kLevelBarMax - 1 - tools_.Marks().LevelTrackBar);
}

bool TerrainPalette::HasBinding(int32_t terrain) {
    return (terrain >= 0 && terrain <= 9) || terrain == 14;
}

void TerrainButtonPicture(const std::string& slotName, tSurface& button) {
    button.SetSize(kTerrainButtonSide, kTerrainButtonSide);
    const std::string stem = kButtonDirectory + Cp1250ToUtf8(slotName);
    DrawButtonLayer(stem + ".dds", button, false);
    DrawButtonLayer(stem + "_ex_1.dds", button, true);
}

// --- "Lišta pro tvorbu zdí" --------------------------------------------------------------------

void WallPalette::WallClick(int32_t tag) {
    if (tag < 1 || tag > kWallButtons) return;
    tools_.PressWallButton(KindOf(tag));
}

void WallPalette::ZalamovatChange(bool ticked) {
    zalamovat_ = ticked;
    ToolState& state = tools_.State();
    if (state.ToolCode != kWallTool) return;
    const int32_t kind = state.CurrentPack.IdObject;
    state.CurrentPack.IdObject =
        (std::max(kind, 1) - 1) % kWallButtons + 1 + (ticked ? kWallButtons : 0);
    tools_.Changed();
}

void WallButtonPicture(const tWall& wall, uint16_t background, tSurface& button) {
    button.SetSize(kWallButtonWidth, kWallButtonHeight);
    button.Fill(background);
    const SurfaceRect piece = kFirstWallPiece;
    button.DrawTransparent((kWallButtonWidth - piece.Width()) / 2,
                           (kWallButtonHeight - piece.Height()) / 2, wall.Picture, piece);
}

}  // namespace tess
