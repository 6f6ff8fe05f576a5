// The rules of the four palettes as the editor session owns them, with the menu commands that
// fill and show them.
#pragma once

#include <cstdint>

#include "editor/EditorSettings.h"
#include "editor/MainMenu.h"
#include "editor/palettes/ObjectPalette.h"
#include "editor/palettes/ToolPalettes.h"
#include "resources/Utils.h"

namespace tess {

struct EditContext;
class TerrainBinding;

// The palette windows as the main window places them ("Nástrojové lišty").
class PaletteWindowsPort {
  public:
    virtual ~PaletteWindowsPort() = default;
    // Places the pen, terrain or wall palette as its menu item does, shows it and brings its
    // pictures up to date.
    virtual void ShowToolPalette(ToolWindowIndex window) = 0;
};

// Sizes of the windows a tool palette is placed by.
struct PaletteSpotSizes {
    int32_t MainWidth = 0;  // the main window
    int32_t MainHeight = 0;
    int32_t Width = 0;  // the palette
    int32_t Height = 0;
    int32_t PenTop = 0;  // where the pen palette stands
};
// Where "Nástrojové lišty" puts a palette: the pen palette in the main window's bottom right
// corner, the terrain palette at the right edge just above the pen palette, the wall palette
// at (10, 50). Margins are 10 pixels.
TPoint ToolPaletteSpot(ToolWindowIndex window, const PaletteSpotSizes& sizes);

class Palettes {
  public:
    explicit Palettes(EditContext& context);

    ObjectPalette& Objects() { return objects_; }
    PenPalette& Pen() { return pen_; }
    TerrainPalette& Terrain() { return terrain_; }
    WallPalette& Walls() { return walls_; }

    // Null where the program has no windows: the show commands then do nothing.
    void SetWindows(PaletteWindowsPort* windows) { windows_ = windows; }

    // Runs a palette command of the menu: the new settlements, the object palette's fills,
    // "Typ pera", "Terény", "Stěny" and the hidden wall kinds. False for any other command.
    bool Run(MenuCommand command, int arg1, int arg2);
    // After start-up restored the window places: a visible object palette lists "Další".
    void PlacesRestored(const WindowPlaces& places);
    // "Navolit terén" closed with Ok: the slot's new name and shade go into the map (which then
    // counts as modified when they changed), the terrain pictures follow, and the terrain is
    // chosen as by a click. A name without a picture set is refused with a message and changes
    // nothing. The view is drawn again either way; false when refused.
    bool BindingAccepted(const TerrainBinding& binding);

  private:
    EditContext& ctx_;
    PaletteWindowsPort* windows_ = nullptr;
    ObjectPalette objects_;
    PenPalette pen_;
    TerrainPalette terrain_;
    WallPalette walls_;
};

}  // namespace tess
