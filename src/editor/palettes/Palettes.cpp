// The rules of the four palettes as the editor session owns them, with the menu commands that
// fill and show them.
#include "editor/palettes/Palettes.h"

#include "editor/EditContext.h"
#include "editor/palettes/SettlementCommand.h"
#include "editor/palettes/TerrainBinding.h"
#include "map/TerenDat.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr int32_t kPaletteMargin = 10;
constexpr TPoint kWallPaletteSpot{10, 50};

}  // namespace

TPoint ToolPaletteSpot(ToolWindowIndex window, const PaletteSpotSizes& sizes) {
    const int32_t right = sizes.MainWidth - sizes.Width - kPaletteMargin;
    switch (window) {
        case kPenPalette:
            return {right, sizes.MainHeight - sizes.Height - kPaletteMargin};
        case kTerrainPalette:
            return {right, sizes.PenTop - sizes.Height - kPaletteMargin};
        default:
            return kWallPaletteSpot;
    }
}

Palettes::Palettes(EditContext& context)
    : ctx_(context),
      objects_(context),
      pen_(context.Tools),
      terrain_(context.Tools),
      walls_(context.Tools) {}

bool Palettes::Run(MenuCommand command, int arg1, int arg2) {
    switch (command) {
        case MenuCommand::ShowPenPalette:
            if (windows_) windows_->ShowToolPalette(kPenPalette);
            return true;
        case MenuCommand::ShowTerrainPalette:
            if (windows_) windows_->ShowToolPalette(kTerrainPalette);
            return true;
        case MenuCommand::ShowWallPalette:
            if (windows_) windows_->ShowToolPalette(kWallPalette);
            return true;
        case MenuCommand::NewSettlement:
            NewSettlement(ctx_.Tools, arg1, arg2);
            return true;
        case MenuCommand::FillBuildings:
            objects_.FillPaletteBuildings(arg1, arg2);
            return true;
        case MenuCommand::FillPersons:
            objects_.FillPalettePersons(arg1);
            return true;
        case MenuCommand::FillResources:
            objects_.FillPaletteResources();
            return true;
        case MenuCommand::FillNature:
            objects_.FillPaletteNature();
            return true;
        case MenuCommand::FillOther:
            objects_.FillPaletteOther();
            return true;
        case MenuCommand::WallKind:
            ctx_.Tools.State().CurrentPack.IdObject = arg1;
            ctx_.Tools.Changed();
            return true;
        default:
            return false;
    }
}

void Palettes::PlacesRestored(const WindowPlaces& places) {
    if (places[kObjectPalette].Visible) objects_.FillPaletteOther();
}

bool Palettes::BindingAccepted(const TerrainBinding& binding) {
    // A slot whose flat tiles do not exist would draw nothing here and break the map in the
    // game; the name typed is refused before it reaches the map.
    const std::string tiles =
        std::string(kTerrainPictureDir) + Cp1250ToUtf8(binding.StoredName()) + ".bmp";
    if (!BigFile().FileExists(tiles)) {
        Ui().MessageBox("neni soubor " + tiles, Buttons::Ok);
        ctx_.Host.MeView();
        return false;
    }
    if (binding.Apply(ctx_.Map)) ctx_.Modified = true;
    // The palette's buttons and the view's pictures both follow the map's terrain list.
    ctx_.Host.ReloadTerrainPictures();
    terrain_.TerrainClick(binding.Terrain());
    ctx_.Host.MeView();
    return true;
}

}  // namespace tess
