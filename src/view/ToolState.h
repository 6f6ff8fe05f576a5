// The editor's tool state and option marks as plain records: the editor owns them, the view
// reads them when it draws.
#pragma once

#include <cstdint>

#include "game/AddPack.h"
#include "resources/Utils.h"

namespace tess {

// Tool codes.
constexpr int32_t kLastTerrainTool = 14;  // 0..14 paint that terrain
constexpr int32_t kDeleteTool = 15;
constexpr int32_t kLevelTool = 100;  // 100..107 move the ground toward Level 0..7
constexpr int32_t kObjectTool = 200;
constexpr int32_t kWallTool = 300;

// Pen modes.
constexpr uint8_t kPenFree = 0;  // paint where the mouse goes
constexpr uint8_t kPenLine = 1;
constexpr uint8_t kPenFill = 2;

// Drag states.
constexpr int32_t kDragIdle = 0;
constexpr int32_t kDragLeft = 1;    // the left button pressed for an edit or a copy selection
constexpr int32_t kDragScroll = 2;  // the right button held

// Widest brush radius the palette offers (27 x 27 cells).
constexpr int32_t kMaxPenRadius = 13;

struct ToolState {
    int32_t ToolCode = 0;
    int32_t PenRadius = 0;  // the brush covers (2n+1) x (2n+1) cells
    uint8_t PenMode = kPenFree;
    tAddPack CurrentPack;  // what the object and wall tools place
    int32_t DragState = kDragIdle;
    TPoint LastMousePos;           // view pixels of the previous move
    int32_t LastScrollState = -1;  // the amount dialog's scroll bar; -1 hides it
};

// The check marks of "Nastavení" that the editor reads ("Editovat nové budovy" lives in the
// store, which reads it).
struct EditorOptions {
    bool AutoRepairCells = true;  // "Auto oprava policek": read by nothing
    bool ReverseScroll = false;   // "Obrátit směr posunu mapy"
    bool WallChange = false;      // "Změna zdí": the wall tool changes only existing walls
    bool ShowBlocked = false;     // "Vidět neprůchozví": the view marks occupied cells
    bool SoundEditing = false;    // "Zvukař edituje": clicks open sound editors
};

}  // namespace tess
