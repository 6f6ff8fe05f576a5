// The isometric map view: draws the visible cells into a surface and finds the cell under a point.
#include "view/ViewDat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

// The walk of the brush cursor never needs more steps than this; it bounds the loops should the
// editor hand over a nonsensical extent.
constexpr int64_t kMaxCursorSteps = 1024;

int64_t NearestWide(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// One step in a direction without clamping (the cursor walk skips cells off the map instead).
void Step(int64_t& x, int64_t& y, int direction) {
    const DirectionStep& step = kDirectionSteps[y & 1][direction];
    x += step.dx;
    y += step.dy;
}

}  // namespace

tView::tView() = default;
tView::~tView() = default;

void tView::Create(tSurface& surface, tMapa& map, const SurfaceRect& rect) {
    Surface = &surface;
    Map = &map;
    Left = rect.Left;
    Top = rect.Top;
    Right = rect.Right;
    Bottom = rect.Bottom;
    X = 0;
    Y = 0;
    Zoom.reset();
    Layers = kAllLayers;
}

void tView::SetZoom(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                    int32_t tileHeight) {
    Ui().SetCaption("prosím chvíli ... načítám data");
    Zoom.reset();
    if (!Map) return;  // Create first: the pictures belong to a map
    auto zoom = std::make_unique<tZoom>();
    zoom->Create(directory, tileWidth, levelDepth, tileHeight, *Map);
    Zoom = std::move(zoom);
}

void tView::SetZoom(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                    int32_t tileHeight, std::unique_ptr<tObjects> objects) {
    Ui().SetCaption("prosím chvíli ... načítám data");
    Zoom.reset();
    if (!Map) return;
    auto zoom = std::make_unique<tZoom>();
    zoom->Create(directory, tileWidth, levelDepth, tileHeight, *Map, std::move(objects));
    Zoom = std::move(zoom);
}

int64_t tView::CornerX(int64_t column, int64_t row) const {
    const int64_t tw = Zoom->TileWidth;
    return Left + tw * column + (row & 1) * (tw / 2) - tw / 2;
}

int64_t tView::CornerY(int64_t row, int level) const {
    const int64_t half = Zoom->TileHeight / 2;
    return Top + half * row - half - int64_t{Zoom->LevelDepth} * level;
}

namespace {

// The shape of every combination of four corner levels, by top << 9 | right << 6 | bottom << 3
// | left: one lookup instead of a chain of branches that the hills of a map keep mispredicting.
const std::array<CellShape, 4096>& ShapeTable() {
    static const std::array<CellShape, 4096> table = [] {
        std::array<CellShape, 4096> t{};
        for (int i = 0; i < 4096; ++i)
            t[static_cast<size_t>(i)] = ShapeFromCorners(i >> 9 & 7, i >> 6 & 7, i >> 3 & 7, i & 7);
        return t;
    }();
    return table;
}

}  // namespace

CellShape tView::ShapeOf(int32_t x, int32_t y) const {
    // Away from the top and left edges the three neighbours are in the map: read them directly.
    // (x < Width, so the up-right neighbour never passes the extra column.)
    const int odd = y & 1;
    int top, right, left;
    const int bottom = Map->Cells()[tMapa::Index(x, y)].Level();
    if (y >= 2 && x - 1 + odd >= 0) {
        const tMapCell* cells = Map->Cells();
        top = cells[tMapa::Index(x, y - 2)].Level();
        right = cells[tMapa::Index(x + odd, y - 1)].Level();
        left = cells[tMapa::Index(x - 1 + odd, y - 1)].Level();
    } else {
        const TPoint up = Map->Neighbour(x, y, kDirUp);
        const TPoint upRight = Map->Neighbour(x, y, kDirUpRight);
        const TPoint upLeft = Map->Neighbour(x, y, kDirUpLeft);
        top = Map->GetLevel(up.X, up.Y);
        right = Map->GetLevel(upRight.X, upRight.Y);
        left = Map->GetLevel(upLeft.X, upLeft.Y);
    }
    return ShapeTable()[static_cast<size_t>(top << 9 | right << 6 | bottom << 3 | left)];
}

bool tView::Surrounded(int32_t x, int32_t y) const {
    for (int direction : {kDirUpRight, kDirDownRight, kDirDownLeft, kDirUpLeft}) {
        const TPoint n = Map->Neighbour(x, y, direction);
        if (Map->GetOccupancy(n.X, n.Y) != 3) return false;
    }
    return true;
}

void tView::Draw(bool cursor) {
    X = std::max(X, 0);
    Y = std::max(Y, 0) & ~1;
    pixelsWritten_ = 0;
    columns_ = rows_ = 0;
    if (!Surface) return;
    // Black is all zero bytes: memset is the fastest fill there is.
    std::memset(Surface->Pixels(), 0,
                static_cast<size_t>(Surface->Pitch()) * static_cast<size_t>(Surface->Height()) * 2);
    pixelsWritten_ = uint64_t(Surface->Width()) * uint64_t(Surface->Height());
    if (!Map || !Zoom || Zoom->TileWidth < 1 || Zoom->TileHeight < 2) return;
    clip_ = SurfaceRect{std::max(Left, 0), std::max(Top, 0), std::min(Right, Surface->Width()),
                        std::min(Bottom, Surface->Height())};
    if (clip_.Left >= clip_.Right || clip_.Top >= clip_.Bottom) return;

    const int64_t columns = (int64_t{Right} - Left) / Zoom->TileWidth + 2;
    const int64_t rows =
        (int64_t{Bottom} - Top + int64_t{Zoom->LevelDepth} * 8) / (Zoom->TileHeight / 2) + 2;
    const int64_t width = std::clamp(Map->Width, 0, kMaxMapSize);
    const int64_t height = std::clamp(Map->Height, 0, kMaxMapSize);
    columns_ = static_cast<int32_t>(std::clamp<int64_t>(std::min(columns, width - X), 0, width));
    rows_ = static_cast<int32_t>(std::clamp<int64_t>(std::min(rows, height - Y), 0, height));
    Zoom->BeginFrame();
    places_.resize(static_cast<size_t>(columns_) * static_cast<size_t>(rows_));
    TerrainPass();
    if (cursor) CursorPass();
    ObjectPass();
}

void tView::TerrainPass() {
    const tMapCell* cells = Map->Cells();
    const bool selecting = Tools.Clipboard && Tools.Clipboard->State == kClipSelecting;
    const bool showBlocked = Tools.Options && Tools.Options->ShowBlocked;
    // The picture of each terrain, tile variant and shape, looked up once a frame.
    std::array<const RunPicture*, 16 * 4 * kShapeMasks> tiles;
    std::array<bool, 16 * 4 * kShapeMasks> known{};
    auto tileOf = [&](const tMapCell& cell, int mask) {
        const size_t i = static_cast<size_t>(
            (cell.Terrain() * 4 + (cell.TileVariant() & 3)) * kShapeMasks + mask);
        if (!known[i]) {
            tiles[i] = Zoom->TerrainRuns(cell.Terrain(), cell.TileVariant(), mask);
            known[i] = true;
        }
        return tiles[i];
    };
    for (int32_t r = 0; r < rows_; ++r) {
        const int32_t y = Y + r;
        for (int32_t c = columns_ - 1; c >= 0; --c) {
            const int32_t x = X + c;
            const tMapCell& cell = cells[tMapa::Index(x, y)];
            const CellShape shape = ShapeOf(x, y);
            places_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + c] = CellPlace{
                static_cast<int8_t>(shape.ShapeLevel), static_cast<int8_t>(shape.ShapeMask)};
            if (cell.Occupancy() == 3 && Surrounded(x, y)) continue;
            const int64_t sx = CornerX(c, r);
            const int64_t sy = CornerY(r, shape.ShapeLevel);
            if (const RunPicture* tile = tileOf(cell, shape.ShapeMask))
                pixelsWritten_ += tile->Draw(*Surface, clip_, sx, sy);
            if (showBlocked && cell.Occupancy() != 0)
                pixelsWritten_ += Zoom->MarkerRuns(MarkerSet::Blocked, shape.ShapeMask)
                                      .Draw(*Surface, clip_, sx, sy);
            if (selecting && Tools.Clipboard->InSelection(x, y))
                pixelsWritten_ += Zoom->MarkerRuns(MarkerSet::Select, shape.ShapeMask)
                                      .Draw(*Surface, clip_, sx, sy);
        }
    }
}

void tView::CursorPass() {
    const int64_t width = std::clamp(Map->Width, 0, kMaxMapSize);
    const int64_t height = std::clamp(Map->Height, 0, kMaxMapSize);
    auto inside = [&](int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < width && y < height; };

    static const ToolState kIdle;
    const ToolState& tools = Tools.State ? *Tools.State : kIdle;
    int64_t startX = CursorX, startY = CursorY;
    const int64_t down = std::clamp<int64_t>(int64_t{tools.PenRadius} - 1, 0, kMaxCursorSteps);
    for (int64_t i = 0; i < down; ++i)
        Step(startX, startY, kDirDown);

    const int64_t rows = std::clamp<int64_t>(int64_t{CursorHeight} + 1, 0, kMaxCursorSteps);
    const int64_t columns = std::clamp<int64_t>(int64_t{CursorWidth} + 1, 0, kMaxCursorSteps);
    bool occupied = false;
    int64_t rowX = startX, rowY = startY;
    for (int64_t row = 0; row < rows; ++row) {
        int64_t x = rowX, y = rowY;
        for (int64_t column = 0; column < columns; ++column) {
            if (inside(x, y)) {
                const int32_t cx = static_cast<int32_t>(x), cy = static_cast<int32_t>(y);
                const CellShape shape = ShapeOf(cx, cy);
                const bool taken = Map->GetOccupancy(cx, cy) != 0;
                occupied = occupied || taken;
                const RunPicture& marker = Zoom->MarkerRuns(
                    taken ? MarkerSet::Blocked : MarkerSet::Cursor, shape.ShapeMask);
                pixelsWritten_ += marker.Draw(*Surface, clip_, CornerX(x - X, y - Y),
                                              CornerY(y - Y, shape.ShapeLevel));
            }
            Step(x, y, kDirUpRight);
        }
        Step(rowX, rowY, kDirUpLeft);
    }

    const tAddPack& pack = tools.CurrentPack;
    if (tools.ToolCode != kObjectTool || pack.TreeMode != 0 || pack.IdObject == 0 || occupied)
        return;
    // The preview stands where the object would: on the brush's anchor cell.
    if (!inside(startX, startY)) return;
    const int32_t ax = static_cast<int32_t>(startX), ay = static_cast<int32_t>(startY);
    const CellShape shape = ShapeOf(ax, ay);
    DrawObject(pack.IdObject, Map->Cell(ax, ay), CornerX(startX - X, startY - Y),
               CornerY(startY - Y, shape.ShapeLevel), true, true);
}

void tView::ObjectPass() {
    const tMapCell* cells = Map->Cells();
    const bool walls = Layer(kLayerWalls);
    for (int32_t r = 0; r < rows_; ++r) {
        const int32_t y = Y + r;
        for (int32_t c = columns_ - 1; c >= 0; --c) {
            const int32_t x = X + c;
            const tMapCell& cell = cells[tMapa::Index(x, y)];
            const int occupancy = cell.Occupancy();
            if (occupancy != 2 && occupancy != 3) continue;
            const CellPlace place =
                places_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + c];
            const int64_t sx = CornerX(c, r);
            const int64_t sy = CornerY(r, place.Level);
            if (occupancy == 3) {
                if (!walls || !tMapa::IsBlockBottom(x, y)) continue;
                const RunPicture* runs = Zoom->WallRuns(cell.Id());
                if (!runs) continue;
                WallPiece piece;
                if (Zoom->Walls[static_cast<size_t>(cell.Id() - 1)]->PickPiece(x, y, piece) !=
                    kWallPieceDrawn)
                    continue;
                const SurfaceRect& s = piece.Source;
                pixelsWritten_ +=
                    runs->Draw(*Surface, clip_, sx + piece.OffsetX, sy + piece.OffsetY,
                               WideRect{s.Left, s.Top, s.Right, s.Bottom});
                continue;
            }
            const int id = cell.Id();
            if (id == 0) continue;
            int32_t objectNumber = 0;
            uint8_t layer = 0;
            switch (cell.LinkKind()) {
                case 0: {
                    const tObject* entry = Zoom->Objects ? Zoom->Objects->Item(id) : nullptr;
                    if (!entry) continue;
                    objectNumber = id;
                    layer = !entry->Typ_tree           ? kLayerObjects
                            : !entry->Tree_idx.empty() ? kLayerIndexedTrees
                                                       : kLayerPlainTrees;
                    break;
                }
                case 1:
                    if (!Store || id > kMaxBuildings) continue;
                    objectNumber = Store->Buildings[static_cast<size_t>(id)].IdObject;
                    layer = kLayerBuildings;
                    break;
                case 2:
                    if (!Store || id > kMaxUnits) continue;
                    objectNumber = Store->Units[static_cast<size_t>(id)].IdObject;
                    layer = kLayerUnits;
                    break;
                default:
                    continue;  // no such link
            }
            if (!Layer(layer)) continue;
            DrawObject(objectNumber, cell, sx, sy, cell.LinkKind() == 2, false);
        }
    }
}

void tView::DrawObject(int32_t objectNumber, const tMapCell& cell, int64_t sx, int64_t sy,
                       bool asUnit, bool preview) {
    tObject* entry = Zoom->Objects ? Zoom->Objects->Item(objectNumber) : nullptr;
    if (!entry || !Zoom->Objects->LoadPicture(*entry)) return;
    if (entry->Anim_Count == 0 || entry->Height <= 0) return;
    const RunPicture* runs = Zoom->ObjectRuns(*entry);
    if (!runs) return;
    const int64_t frameHeight = entry->Height;
    WideRect part;
    if (entry->Typ_Unit) {
        // A unit shows its picture's first frame, anything else showing a unit picture its last
        // (the lying body), both the picture's full width.
        const int64_t top = asUnit ? 0 : int64_t{runs->Height()} - frameHeight;
        part = WideRect{0, top, runs->Width(), top + frameHeight};
    } else {
        const int64_t top = int64_t{cell.AnimRow() % entry->Anim_Count} * frameHeight;
        part = WideRect{0, top, entry->Width, top + frameHeight};
    }
    const int64_t tw = Zoom->TileWidth, th = Zoom->TileHeight;
    const int64_t anchorX = sx + tw / 2 + Zoom->JitterX(cell.Jitter());
    const int64_t anchorY = sy + th / 2 + Zoom->JitterY(cell.Jitter());
    const int64_t left = anchorX - NearestWide(entry->Relat_X / 32.0 * double(tw));
    const int64_t top = anchorY - NearestWide(entry->Relat_Y / 16.0 * double(th));
    pixelsWritten_ += preview ? runs->DrawBlended(*Surface, clip_, left, top, part, kPreviewOpacity)
                              : runs->Draw(*Surface, clip_, left, top, part);
}

TPoint tView::CellAt(int32_t mx, int32_t my) {
    const int64_t tw = Zoom ? Zoom->TileWidth : 32;
    const int64_t th = Zoom ? Zoom->TileHeight : 16;
    const int64_t ld = Zoom ? Zoom->LevelDepth : 4;
    const int64_t half = std::max<int64_t>(th / 2, 1);
    const int64_t px = int64_t{mx} - Left;
    const int64_t py = int64_t{my} - Top;
    auto pass = [&](int64_t level) {
        const int64_t yl = py + ld * level;
        int64_t k = yl / half + 1;
        int64_t j = ((Y + k) & 1) == 0 ? (px + tw / 2) / std::max<int64_t>(tw, 1)
                                       : px / std::max<int64_t>(tw, 1);
        const int64_t vy = yl + half - half * k;
        const int64_t vx = px - (tw / 2) * (k & 1) - tw * j;
        if (vx < -2 * vy) {
            --k;
            if (k & 1) --j;
        } else if (vx > 2 * vy) {
            --k;
            if ((k & 1) == 0) ++j;
        }
        return TPoint{Saturate(X + j), Saturate(Y + k)};
    };
    const TPoint first = pass(3);
    const int level = Map ? Map->GetLevel(first.X, first.Y) : 3;
    const TPoint cell = pass(level);
    CursorX = cell.X;
    CursorY = cell.Y;
    return cell;
}

}  // namespace tess
