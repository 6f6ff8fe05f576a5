// The picture of a whole map as the view draws it, made part by part.
#include "view/MapPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/Kalistor.h"

namespace tess {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Levels 0..7 lift a cell by up to seven level depths.
constexpr int kHighestLevel = 7;

}  // namespace

MapPicture::MapPicture(tView& view) : view_(view) {
    const tZoom& zoom = *view.Zoom;
    const int64_t tw = zoom.TileWidth, th = zoom.TileHeight, ld = zoom.LevelDepth;
    const int64_t columns = std::clamp(view.Map->Width, 0, kMaxMapSize);
    const int64_t rows = std::clamp(view.Map->Height, 0, kMaxMapSize);
    width_ = tw * columns;
    height_ = th / 2 * rows;

    // Terrain and markers: one tile wide, raised by the level, at most 21 rows tall for slopes
    // (two tile heights is a safe bound).
    const int64_t lift = ld * kHighestLevel;
    reachLeft_ = std::min<int64_t>(0, kWallPieceOffsetX);
    reachRight_ = std::max<int64_t>(tw, kWallPieceOffsetX + kWallPieceWidth);
    reachUp_ = -lift + std::min<int64_t>(0, kWallPieceOffsetY);
    reachDown_ = std::max<int64_t>(2 * th, kWallPieceOffsetY + kWallPieceHeight);

    // Objects: every type an anchor shows, with its frame and anchor point.
    int32_t jitterLeft = 0, jitterRight = 0, jitterUp = 0, jitterDown = 0;
    for (int j = 0; j < 256; ++j) {
        jitterLeft = std::min(jitterLeft, zoom.JitterX(j));
        jitterRight = std::max(jitterRight, zoom.JitterX(j));
        jitterUp = std::min(jitterUp, zoom.JitterY(j));
        jitterDown = std::max(jitterDown, zoom.JitterY(j));
    }
    std::vector<bool> seen(kObjectSlots, false);
    auto measure = [&](int64_t number) {
        if (number < 0 || number >= kObjectSlots || seen[static_cast<size_t>(number)]) return;
        seen[static_cast<size_t>(number)] = true;
        tObject* entry =
            view.Zoom->Objects ? view.Zoom->Objects->Item(static_cast<int32_t>(number)) : nullptr;
        if (!entry || !view.Zoom->Objects->LoadPicture(*entry)) return;
        if (entry->Anim_Count == 0 || entry->Height <= 0) return;
        const int64_t frameWidth =
            entry->Typ_Unit ? entry->Picture.Width()
                            : std::clamp<int64_t>(entry->Width, 0, entry->Picture.Width());
        const int64_t relatX =
            static_cast<int64_t>(std::nearbyint(entry->Relat_X / 32.0 * double(tw)));
        const int64_t relatY =
            static_cast<int64_t>(std::nearbyint(entry->Relat_Y / 16.0 * double(th)));
        const int64_t frameHeight = std::min<int64_t>(entry->Height, entry->Picture.Height());
        reachLeft_ = std::min(reachLeft_, tw / 2 + jitterLeft - relatX);
        reachRight_ = std::max(reachRight_, tw / 2 + jitterRight - relatX + frameWidth);
        reachUp_ = std::min(reachUp_, -lift + th / 2 + jitterUp - relatY);
        reachDown_ = std::max(reachDown_, th / 2 + jitterDown - relatY + frameHeight);
    };
    const tMapCell* cells = view.Map->Cells();
    const tKalistor* store = view.Store;
    for (int64_t y = 0; y < rows; ++y) {
        for (int64_t x = 0; x < columns; ++x) {
            const tMapCell& cell =
                cells[tMapa::Index(static_cast<int32_t>(x), static_cast<int32_t>(y))];
            if (cell.Occupancy() != 2 || cell.Id() == 0) continue;
            const int id = cell.Id();
            if (cell.LinkKind() == 0) measure(id);
            if (cell.LinkKind() == 1 && store && id <= kMaxBuildings)
                measure(store->Buildings[static_cast<size_t>(id)].IdObject);
            if (cell.LinkKind() == 2 && store && id <= kMaxUnits)
                measure(store->Units[static_cast<size_t>(id)].IdObject);
        }
    }
    // Anything reaching further than the picture and a surface side shows nowhere in it.
    const int64_t far = width_ + height_ + 2 * tSurface::kMaxSide;
    reachLeft_ = std::max(reachLeft_, -far);
    reachRight_ = std::min(reachRight_, far);
    reachUp_ = std::max(reachUp_, -far);
    reachDown_ = std::min(reachDown_, far);
}

void MapPicture::DrawPart(int64_t left, int64_t top) {
    tView& v = view_;
    const ViewPosition kept = v;
    const int64_t tw = v.Zoom->TileWidth, half = v.Zoom->TileHeight / 2, ld = v.Zoom->LevelDepth;
    const int64_t w = v.Surface->Width(), h = v.Surface->Height();
    const int64_t lastColumn = std::clamp(v.Map->Width, 0, kMaxMapSize) - 1;
    const int64_t lastRow = std::clamp(v.Map->Height, 0, kMaxMapSize) - 1;

    // A cell's tile corner at level 0 is (tw * x + (y & 1) * tw / 2 - tw / 2, half * y - half)
    // in the picture; it touches the part when its reach does.
    const int64_t firstX =
        std::clamp<int64_t>(FloorDiv(left - reachRight_, tw) - 1, 0, lastColumn + 1);
    const int64_t lastX = std::min(FloorDiv(left + w - reachLeft_ + tw / 2, tw) + 1, lastColumn);
    const int64_t firstY =
        std::clamp<int64_t>(FloorDiv(top - reachDown_ + half, half) - 1, 0, lastRow + 1) &
        ~int64_t{1};
    const int64_t lastY = std::min(FloorDiv(top + h - reachUp_ + half, half) + 1, lastRow);
    if (firstX > lastX || firstY > lastY || lastColumn < 0 || lastRow < 0) {
        v.Surface->Fill(kBlack565);
        return;
    }
    // Place the view so that column X and row Y land where they are in the picture, with its
    // rectangle covering the whole surface and enough columns and rows for the cells above.
    v.X = static_cast<int32_t>(firstX);
    v.Y = static_cast<int32_t>(firstY);
    const int64_t viewLeft = tw * firstX - left;
    const int64_t viewTop = half * firstY - top;
    const int64_t viewRight = std::max(w, viewLeft + tw * (lastX - firstX));
    const int64_t viewBottom = std::max(h, viewTop + half * (lastY - firstY) - ld * 8);
    v.Left = static_cast<int32_t>(viewLeft);
    v.Top = static_cast<int32_t>(viewTop);
    v.Right = static_cast<int32_t>(viewRight);
    v.Bottom = static_cast<int32_t>(viewBottom);
    v.Draw(false);
    static_cast<ViewPosition&>(v) = kept;
}

}  // namespace tess
