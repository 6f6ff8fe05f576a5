// Commands over the whole map: new map, resize, object repair, digging water, deleting trees,
// resetting units, the whole-map fill, and the cell-parameter dialog.
#include "editor/MapWideCommands.h"

#include <algorithm>
#include <array>
#include <vector>

#include "editor/Brushes.h"
#include "editor/DragScroll.h"
#include "editor/Placement.h"
#include "editor/UndoAndClipboard.h"
#include "editor/UndoHistory.h"
#include "game/Footprints.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr int32_t kDigLevel = 2;
// Swamp and the two waters.
constexpr unsigned kWetTerrains = 1u << 8 | 1u << 12 | 1u << 13;
// The whole-map fill leaves out the deep water and the lava.
constexpr int32_t kFirstUnfillable = 13;

unsigned IsWet(const tMapCell& cell) {
    return (kWetTerrains >> cell.Terrain()) & 1u;
}

}  // namespace

template <typename Row>
void MapWideCommands::ForEachRow(int32_t rows, Row&& row) {
    LongWorkPort* work = ctx_.Ports.Work;
    if (work) work->BeginWork(rows);
    for (int32_t y = 0; y < rows; ++y) {
        Ui().SetCaption(std::to_string(y));
        if (work) work->WorkProgress(y);
        row(y);
    }
    if (work) work->EndWork();
}

bool MapWideCommands::NewMapOfSize(const MapSizeTexts& texts) {
    const MapSizeOutcome outcome = MapSizeRules::Confirm(texts);
    if (!outcome.Size) {
        Ui().MessageBox(outcome.Reason, Buttons::Ok);
        return false;
    }
    clipboard_.EndModes();
    ctx_.Map.FillAsNewMap(outcome.Size->Width, outcome.Size->Height, ctx_.Rng);
    ctx_.Store.Clear();
    // Nothing of the last map is left to undo.
    ctx_.History.Clear();
    // The default terrain list replaces the old map's: its pictures must follow.
    ctx_.Host.ReloadTerrainPictures();
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->Rebuild();
    return true;
}

void MapWideCommands::ResizeMap() {
    // The repair and the new size are one step, taken from the map without a paste preview.
    clipboard_.EndModes();
    HistoryScope step(ctx_.History);
    tess::RepairObjects(ctx_.Map, ctx_.Host.Objects(), ctx_.Store);
    std::string width = std::to_string(ctx_.Map.Width);
    std::string height = std::to_string(ctx_.Map.Height);
    // A cancelled box keeps the size it showed.
    if (InputBoxPort* input = ctx_.Ports.Input) {
        if (auto answer = input->InputBox(kResizeTitle, "x=", width)) width = *answer;
        if (auto answer = input->InputBox(kResizeTitle, "y=", height)) height = *answer;
    }
    ApplySize(width, height);
}

bool MapWideCommands::ResizeTo(const std::string& width, const std::string& height) {
    clipboard_.EndModes();
    HistoryScope step(ctx_.History);
    tess::RepairObjects(ctx_.Map, ctx_.Host.Objects(), ctx_.Store);
    return ApplySize(width, height);
}

bool MapWideCommands::ApplySize(const std::string& width, const std::string& height) {
    const auto w = WholeNumberIn(width, 1, kMaxMapSize);
    const auto h = WholeNumberIn(height, 1, kMaxMapSize);
    if (!w || !h) {
        Ui().MessageBox("Mapa zůstala beze změny: rozměry musí být celá čísla od 1 do " +
                            std::to_string(kMaxMapSize) + ".",
                        Buttons::Ok);
        return false;
    }
    clipboard_.EndModes();
    ctx_.Modified = true;
    // No cell moves: cells beyond a smaller size keep their contents for a later enlargement.
    ctx_.Map.SetSize(*w, *h);
    ScrollViewByDrag(ctx_.Host.View(), *w, *h, {}, {}, false);
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->Rebuild();
    ctx_.Host.MeView();
    return true;
}

void MapWideCommands::RepairObjects() {
    clipboard_.EndModes();
    HistoryScope step(ctx_.History);
    tess::RepairObjects(ctx_.Map, ctx_.Host.Objects(), ctx_.Store);
    ctx_.Modified = true;
    ctx_.Host.MeView();
}

void MapWideCommands::DigWater() {
    // One level step per cell: the brush is a single cell whatever the level bar shows.
    ctx_.Tools.SetPenRadius(0);
    ctx_.Tools.SelectTool(kLevelTool + kDigLevel);
    HistoryScope step(ctx_.History);
    ctx_.Modified = true;
    tMapa& map = ctx_.Map;
    const int32_t width = std::clamp(map.Width, 0, kMaxMapSize);
    const int32_t height = std::clamp(map.Height, 0, kMaxMapSize);
    const tMapCell* cells = map.Cells();
    // Which cells of a row are wet, worked out once for the three rows that look at it (the
    // storage holds the column past the map, which SE may reach).
    std::array<std::vector<uint8_t>, 3> wet;
    std::array<int32_t, 3> wetRow = {-1, -1, -1};
    const auto wetCells = [&](int32_t y) -> const uint8_t* {
        const size_t slot = static_cast<size_t>(y % 3);
        if (wetRow[slot] != y) {
            wet[slot].resize(static_cast<size_t>(width) + 1);
            const tMapCell* row = cells + tMapa::Index(0, y);
            for (int32_t x = 0; x <= width; ++x)
                wet[slot][static_cast<size_t>(x)] = static_cast<uint8_t>(IsWet(row[x]));
            wetRow[slot] = y;
        }
        return wet[slot].data();
    };
    std::vector<uint8_t> dig(static_cast<size_t>(width));
    ForEachRow(height, [&](int32_t y) {
        // A cell's step changes only its own level, so the row's cells to dig are known before
        // the first of them is dug: the cell itself or its S, SE or SW neighbour (clamped as
        // Neighbour clamps) is wet, and the cell is not at level 2.
        const uint8_t* here = wetCells(y);
        const uint8_t* below = wetCells(std::min(y + 1, height));
        const uint8_t* twoBelow = wetCells(std::min(y + 2, height));
        const tMapCell* row = cells + tMapa::Index(0, y);
        const int32_t odd = y & 1;
        for (int32_t x = 0; x < width; ++x) {
            const unsigned near =
                here[x] | twoBelow[x] | below[x + odd] | below[std::max(x - 1 + odd, 0)];
            dig[static_cast<size_t>(x)] =
                static_cast<uint8_t>(near & (row[x].Level() != kDigLevel));
        }
        // The level tool with a one-cell brush: one step toward level 2.
        for (int32_t x = 0; x < width; ++x)
            if (dig[static_cast<size_t>(x)]) brushes_.RaiseOrLower(x, y, kDigLevel);
    });
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->ShowFrame();
}

void MapWideCommands::DeleteTrees() {
    const tObjects& objects = ctx_.Host.Objects();
    std::vector<uint8_t> isTree(kObjectSlots, 0);
    for (int32_t type = 0; type < kObjectSlots; ++type)
        if (const tObject* object = objects.Item(type)) isTree[type] = !object->Tree_idx.empty();
    tMapa& map = ctx_.Map;
    clipboard_.EndModes();
    HistoryScope step(ctx_.History);
    ctx_.Modified = true;
    const int32_t width = map.Width;
    ForEachRow(map.Height, [&](int32_t y) {
        const tMapCell* row = map.Cells() + tMapa::Index(0, y);
        for (int32_t x = 0; x < width; ++x) {
            const tMapCell& cell = row[x];
            const int occupancy = cell.Occupancy();
            if ((occupancy == 1 || occupancy == 2) && cell.LinkKind() == 0 &&
                cell.Id() < kObjectSlots && isTree[cell.Id()])
                placement_.DeleteObject(x, y);
        }
    });
    ctx_.Host.MeView();
}

void MapWideCommands::ResetUnits() {
    tKalistor& store = ctx_.Store;
    HistoryScope step(ctx_.History);
    ctx_.Modified = true;
    const int32_t last = std::clamp(store.UnitCount, 0, kMaxUnits);
    for (int32_t i = 0; i <= last; ++i) {
        tUnitRec& unit = store.Units[static_cast<size_t>(i)];
        unit.UtoC = -1;
        unit.ObrC = -1;
        unit.Zivoty = -1;
    }
}

void MapWideCommands::FillWholeMap() {
    const int32_t code = ctx_.State().ToolCode;
    if (code < 0 || code >= kFirstUnfillable) return;
    clipboard_.EndModes();
    HistoryScope step(ctx_.History);
    ctx_.Modified = true;
    tMapa& map = ctx_.Map;
    for (int32_t y = 0; y < map.Height; ++y)
        for (int32_t x = 0; x < map.Width; ++x)
            map.SetTerrain(x, y, code);
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->Rebuild();
}

void MapWideCommands::EditCellParams(TPoint cell) {
    CellParamsDialogPort* dialog = ctx_.Ports.CellParams;
    if (!dialog) return;
    tMapa& map = ctx_.Map;
    CellParamTexts texts;
    for (int direction = 0; direction < 8; ++direction) {
        const TPoint n = map.Neighbour(cell.X, cell.Y, direction);
        texts[static_cast<size_t>(direction)] = std::to_string(map.GetId(n.X, n.Y));
    }
    const std::optional<CellParamTexts> answer = dialog->EditCellParams(texts);
    if (!answer) return;
    HistoryScope step(ctx_.History);
    std::string refused;
    for (int direction = 0; direction < 8; ++direction) {
        const std::string& text = (*answer)[static_cast<size_t>(direction)];
        if (AllTrim(text).empty()) continue;
        const std::optional<int32_t> value = WholeNumberIn(text, 0, 65535);
        if (!value) {
            refused += (refused.empty() ? "Param " : ", Param ") + std::to_string(direction + 1);
            continue;
        }
        const TPoint n = map.Neighbour(cell.X, cell.Y, direction);
        map.SetId(n.X, n.Y, *value);
    }
    if (!refused.empty())
        Ui().MessageBox(refused + ": hodnota musí být celé číslo od 0 do 65535.", Buttons::Ok);
}

}  // namespace tess
