// The mini-map: a reduced picture of the whole map with the frame of the part the view shows.
#include "view/LitleMap.h"

#include <algorithm>

#include "game/Kalistor.h"
#include "map/TerenDat.h"

namespace tess {

namespace {

// The view's visible columns and rows as the mini-map counts them (32 x 16 tiles, 4 pixels a
// level).
int64_t VisibleColumns(const ViewPosition& v) {
    return (int64_t{v.Right} - v.Left) / 32 + 1;
}
int64_t VisibleRows(const ViewPosition& v) {
    return (int64_t{v.Bottom} - v.Top + 4 * 8) / 8 + 1;
}

uint16_t BarvaTo565(int32_t barva) {
    const uint32_t c = static_cast<uint32_t>(barva);
    return Rgb565(static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                  static_cast<uint8_t>(c >> 16));
}

}  // namespace

MiniMapSize MiniMapSizeFor(int32_t mapWidth, int32_t mapHeight) {
    int32_t width = std::max(mapWidth, 0);
    int32_t height = std::max(mapHeight, 0) / 2;
    while (width >= 257 || height >= 129) {
        width /= 2;
        height /= 2;
    }
    return {width, height};
}

tLitleMap::tLitleMap() {
    TerrainColors.fill(kUnpaintedTerrain565);
}

void tLitleMap::ComputeColors(const tTerens& terens) {
    for (int slot = 0; slot < kTerrainSlots; ++slot) {
        const tTerenOne* one = terens.Item(slot);
        if (!one || one->FlatRows == 0) continue;
        const tSurface& tile = one->Flat[0][0];
        if (tile.Empty()) continue;
        TerrainColors[static_cast<size_t>(slot)] =
            tile.PixelAt(tile.Width() / 2, tile.Height() / 2);
    }
}

void tLitleMap::Rebuild(int32_t mainWindowWidth) {
    if (!Map) return;
    const int32_t width = std::clamp(Map->Width, 0, kMaxMapSize);
    const int32_t height = std::clamp(Map->Height, 0, kMaxMapSize);
    MiniMapSize size = MiniMapSizeFor(width, height);
    // A map one row high (or a row of one cell) would leave a side of 0 and a scale divided by
    // it: the picture keeps at least one pixel each way.
    size.Width = std::max(size.Width, 1);
    size.Height = std::max(size.Height, 1);
    ScaleX = std::max(width / size.Width, 1);
    ScaleY = std::max(height / size.Height, 1);
    Picture.SetSize(size.Width, size.Height);
    WindowLeft = mainWindowWidth - size.Width - 10;
    for (int32_t y = 0; y < height; y += ScaleY)
        for (int32_t x = 0; x < width; ++x)
            PlotCell(x, y);
    ShowFrame();
}

uint16_t tLitleMap::CellColour(int32_t x, int32_t y) const {
    const tMapCell& cell = Map->Cell(x, y);
    if (cell.Occupancy() == 3) return kBlack565;
    if ((cell.Occupancy() == 1 || cell.Occupancy() == 2) && cell.LinkKind() == 1 && Store) {
        // Building -> settlement -> player; an index outside its array counts as record 0,
        // which is never used (and black).
        auto pick = [](int64_t index, int64_t last) {
            return index >= 0 && index <= last ? index : 0;
        };
        const tBuildingRec& building =
            Store->Buildings[static_cast<size_t>(pick(cell.Id(), kMaxBuildings))];
        const tSettlementRec& settlement =
            Store->Settlements[static_cast<size_t>(pick(building.IdTouwn, kMaxSettlements))];
        const tPlayerRec& player =
            Store->Players[static_cast<size_t>(pick(settlement.IdPlayer, kMaxPlayers))];
        return BarvaTo565(player.Barva);
    }
    return TerrainColors[static_cast<size_t>(cell.Terrain())];
}

void tLitleMap::PlotCell(int32_t x, int32_t y) {
    if (!Map || x < 0 || y < 0) return;
    Picture.PutPixel565(x / ScaleX, y / ScaleY, CellColour(x, y));
}

SurfaceRect tLitleMap::FrameRect() const {
    if (!View) return {};
    const int64_t left = View->X / ScaleX, top = View->Y / ScaleY;
    const int64_t right = (View->X + VisibleColumns(*View)) / ScaleX;
    const int64_t bottom = (View->Y + VisibleRows(*View)) / ScaleY;
    auto narrow = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, -65536, 65536));
    };
    return {narrow(left), narrow(top), narrow(right), narrow(bottom)};
}

void tLitleMap::ShowFrame() {
    DXDraw1.SetSize(Picture.Width(), Picture.Height());
    DXDraw1.Draw(0, 0, Picture);
    if (!View) return;
    const SurfaceRect frame = FrameRect();
    // An outline along the rectangle's edges; a frame thinner than a pixel is still one pixel.
    const int32_t right = std::max(frame.Left, frame.Right - 1);
    const int32_t bottom = std::max(frame.Top, frame.Bottom - 1);
    DXDraw1.FillRect({frame.Left, frame.Top, right + 1, frame.Top + 1}, kMiniMapFrame565);
    DXDraw1.FillRect({frame.Left, bottom, right + 1, bottom + 1}, kMiniMapFrame565);
    DXDraw1.FillRect({frame.Left, frame.Top, frame.Left + 1, bottom + 1}, kMiniMapFrame565);
    DXDraw1.FillRect({right, frame.Top, right + 1, bottom + 1}, kMiniMapFrame565);
}

void tLitleMap::DXDraw1MouseDown(int32_t x, int32_t y) {
    if (!Map || !View) return;
    const int64_t columns = VisibleColumns(*View), rows = VisibleRows(*View);
    int64_t viewX = int64_t{x} * ScaleX - columns / 2;
    int64_t viewY = int64_t{y} * ScaleY - (rows + 1) / 2;
    viewX = std::max<int64_t>(viewX, 0);
    viewY = std::max<int64_t>(viewY, 0);
    if (viewX + View->Right / 32 > Map->Width) viewX = Map->Width - View->Right / 32;
    if (viewY + View->Bottom / 8 > Map->Height) viewY = Map->Height - View->Bottom / 8;
    // A view larger than the map would be pushed off its top-left corner; the view's own draw
    // raises it to 0 anyway, so the frame is drawn where the view will be.
    View->X = static_cast<int32_t>(std::max<int64_t>(viewX, 0));
    View->Y = static_cast<int32_t>(std::max<int64_t>(viewY, 0));
    ShowFrame();
}

}  // namespace tess
