// The brush operations: the current tool over the brush, the line walk, the fill, the border
// repaint and the tree choice.
#include "editor/Brushes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "editor/Placement.h"
#include "game/Clipboard.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr int32_t kMaxTreeDraws = 1000;
// Plants further apart than this are never looked for: the spacing is a few cells in practice,
// and the search grows with its square.
constexpr int32_t kMaxSpacing = 100;
// Progress of a fill is reported every this many blocks.
constexpr int32_t kFillProgressStep = 4096;

// The fill and the border repaint move two steps at a time, block to block.
TPoint TwoSteps(const tMapa& map, TPoint cell, int direction) {
    const TPoint once = map.Neighbour(cell.X, cell.Y, direction);
    return map.Neighbour(once.X, once.Y, direction);
}

// One step without clamping: the line walk must reach its end even where it leaves the map.
void Step(TPoint& cell, int direction) {
    const DirectionStep& step = kDirectionSteps[cell.Y & 1][direction];
    cell.X += step.dx;
    cell.Y += step.dy;
}

// A depth-first walk with an explicit stack that visits exactly what the recursive walk
// "enter the cell, then each of its `directions` in order whose cell qualifies" visits, in the
// same order; `enter` returns false to stop the whole walk. The stack's storage is kept
// between walks.
template <size_t N, typename Qualifies, typename Enter>
void WalkDepthFirst(std::vector<WalkFrame>& stack, const tMapa& map, TPoint start,
                    const int (&directions)[N], Qualifies&& qualifies, Enter&& enter) {
    stack.clear();
    if (!enter(start)) return;
    stack.push_back({start, 0});
    while (!stack.empty()) {
        WalkFrame& top = stack.back();
        if (top.Next == N) {
            stack.pop_back();
            continue;
        }
        const TPoint next = TwoSteps(map, top.Cell, directions[top.Next++]);
        if (!qualifies(next)) continue;
        if (!enter(next)) return;
        stack.push_back({next, 0});
    }
}

}  // namespace

void Brushes::PlotCell(int32_t x, int32_t y) {
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->PlotCell(x, y);
}

void Brushes::PaintAt(TPoint anchor) {
    PaintCells(anchor);
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->ShowFrame();
}

void Brushes::PaintCells(TPoint anchor) {
    const tMapa& map = ctx_.Map;
    const int32_t side = 2 * std::clamp(ctx_.State().PenRadius, 0, kMaxPenRadius) + 1;
    const int32_t code = ctx_.State().ToolCode;
    // Terrain and delete, the brushes of long strokes and fills, go straight to their block.
    const bool blockTool = code >= 0 && code <= kDeleteTool;
    MiniMapPort* mini = ctx_.Host.MiniMap();
    // Rows step up-left from the anchor, the cells of a row up-right: the anchor is the brush's
    // south corner.
    TPoint rowStart = anchor;
    for (int32_t row = 0; row < side; ++row) {
        TPoint cell = rowStart;
        for (int32_t column = 0; column < side; ++column) {
            if (!blockTool) {
                if (!TreatCell(cell.X, cell.Y)) return;
            } else if (map.InRange(cell.X, cell.Y)) {
                PaintBlock(cell.X, cell.Y, code, mini);
            }
            cell = map.Neighbour(cell.X, cell.Y, kDirUpRight);
        }
        rowStart = map.Neighbour(rowStart.X, rowStart.Y, kDirUpLeft);
    }
}

bool Brushes::TreatCell(int32_t x, int32_t y) {
    if (!ctx_.Map.InRange(x, y)) return true;
    ToolState& state = ctx_.State();
    const int32_t code = state.ToolCode;
    if (code >= kLevelTool && code <= kLevelTool + 7) {
        RaiseOrLower(x, y, code - kLevelTool);
    } else if (code == kObjectTool) {
        if (state.CurrentPack.TreeMode != 0 && !ChooseTree(x, y)) return false;
        if (placement_.PlaceEntry(x, y, state.CurrentPack)) state.DragState = kDragIdle;
    } else if (code == kWallTool) {
        if (!LayWall(x, y)) return false;
    } else {
        PaintBlock(x, y, code, ctx_.Host.MiniMap());
    }
    return true;
}

void Brushes::RaiseOrLower(int32_t x, int32_t y, int32_t target) {
    tMapa& map = ctx_.Map;
    tMapCell* cells = map.Cells();
    const size_t at = tMapa::Index(x, y);
    uint16_t& word = cells[at].w[0];
    const int level = (word >> 6) & 7;
    if (target == level) return;
    const int step = target > level ? 1 : -1;
    if (level + step < 0 || level + step > 7) return;
    // Every neighbour must stay within one level of the new height. They are the eight cells
    // Neighbour finds (clamped to the map), read directly: dig water runs this for every cell
    // of a map's waters and shores.
    const auto fits = [&](size_t n) {
        return static_cast<unsigned>((((cells[n].w[0] >> 6) & 7) - level) * step) <= 2u;
    };
    const int32_t maxX = std::clamp(map.Width, 0, kMaxMapSize);
    const int32_t maxY = std::clamp(map.Height, 0, kMaxMapSize);
    const int32_t odd = y & 1;
    if (x >= 1 && x + 1 <= maxX && y >= 2 && y + 2 <= maxY) {
        // Inside: fixed offsets in the storage, by the row's parity.
        constexpr size_t row = kMapStorage;
        const size_t right = at + odd, left = at + odd - 1;
        if (!fits(right - row) || !fits(at + 1) || !fits(right + row) || !fits(at + 2 * row) ||
            !fits(left + row) || !fits(at - 1) || !fits(left - row) || !fits(at - 2 * row))
            return;
    } else {
        const int32_t left = std::max(x - 1, 0), right = std::min(x + 1, maxX);
        const int32_t leftDiagonal = std::max(x - 1 + odd, 0);
        const int32_t rightDiagonal = std::min(x + odd, maxX);
        const int32_t up = std::max(y - 1, 0), down = std::min(y + 1, maxY);
        const int32_t up2 = std::max(y - 2, 0), down2 = std::min(y + 2, maxY);
        for (const size_t n : {tMapa::Index(rightDiagonal, up), tMapa::Index(right, y),
                               tMapa::Index(rightDiagonal, down), tMapa::Index(x, down2),
                               tMapa::Index(leftDiagonal, down), tMapa::Index(left, y),
                               tMapa::Index(leftDiagonal, up), tMapa::Index(x, up2)})
            if (!fits(n)) return;
    }
    word = static_cast<uint16_t>((word & ~(7u << 6)) | unsigned(level + step) << 6);
}

bool Brushes::LayWall(int32_t x, int32_t y) {
    tMapa& map = ctx_.Map;
    const TPoint top = tMapa::BlockTop(x, y);
    const int variant = ctx_.Rng.Next(4);
    // "Změna zdí" changes only walls that are there: a block without one ends the brush.
    if (ctx_.Options.WallChange && map.GetOccupancy(top.X, top.Y) != 3) return false;
    const int32_t kind = ctx_.State().CurrentPack.IdObject;
    for (const TPoint& cell : tMapa::BlockCells(top)) {
        if (!map.InRange(cell.X, cell.Y)) continue;
        // A wall replaces a whole object, never a part of one that would be left behind.
        const int occupancy = map.GetOccupancy(cell.X, cell.Y);
        if (occupancy == 1 || occupancy == 2) placement_.DeleteObject(cell.X, cell.Y);
        map.SetOccupancy(cell.X, cell.Y, 3);
        map.SetId(cell.X, cell.Y, kind);
        PlotCell(cell.X, cell.Y);
    }
    map.SetVariant(top.X, top.Y, variant);
    return true;
}

void Brushes::PaintBlock(int32_t x, int32_t y, int32_t code, MiniMapPort* mini) {
    tMapa& map = ctx_.Map;
    const TPoint top = tMapa::BlockTop(x, y);
    if (code == kDeleteTool) {
        // The delete tool paints no terrain, so it leaves the terrain's picture variant alone.
        placement_.DeleteObject(x, y);
    } else if (code >= 0 && code <= kLastTerrainTool) {
        // The block's terrain and its newly rolled variant in one pass over its cells: what
        // SetTerrain and SetVariant do one after the other.
        const unsigned variant = static_cast<unsigned>(ctx_.Rng.Next(kVariantWeightSum) & 3);
        const unsigned bits = static_cast<unsigned>(code) | variant << 4;
        const auto paint = [bits](tMapCell& cell) {
            cell.w[0] = static_cast<uint16_t>((cell.w[0] & ~0x3Fu) | bits);
        };
        tMapCell* cells = map.Cells();
        const int32_t maxX = std::clamp(map.Width, 0, kMaxMapSize);
        const int32_t maxY = std::clamp(map.Height, 0, kMaxMapSize);
        if (top.X >= 1 && top.X <= maxX && top.Y >= 0 && top.Y + 2 <= maxY) {
            // The whole block lies on the map: top, below-right, bottom, left.
            tMapCell* t = cells + tMapa::Index(top.X, top.Y);
            paint(t[0]);
            paint(t[kMapStorage]);
            paint(t[2 * kMapStorage]);
            paint(t[kMapStorage - 1]);
        } else {
            for (const TPoint& cell : tMapa::BlockCells(top))
                if (map.InRange(cell.X, cell.Y)) paint(cells[tMapa::Index(cell.X, cell.Y)]);
        }
    } else {
        return;  // no tool
    }
    if (mini)
        for (const TPoint& cell : tMapa::BlockCells(top))
            if (map.InRange(cell.X, cell.Y)) mini->PlotCell(cell.X, cell.Y);
}

bool Brushes::ChooseTree(int32_t x, int32_t y) {
    tAddPack& pack = ctx_.State().CurrentPack;
    const tObjects& objects = ctx_.Host.Objects();
    const bool anyFlag =
        std::any_of(pack.TreeFlags.begin(), pack.TreeFlags.end(), [](uint8_t f) { return f; });
    if (!anyFlag && pack.TreeLetters.empty()) return false;

    const bool selected = pack.TreeLetters == kSelectedTypesLetters;
    int32_t type = 0;
    if (selected) {
        const TypeList& types = ctx_.SelectedTypes;
        type = types[ctx_.Rng.Next(types.Count())];
    } else if (!pack.TreeLetters.empty()) {
        // The weights are shares of their sum: with the palette's per cents that is 100, and a
        // mix whose rounding lost a per cent still always picks a letter.
        const size_t letters = std::min(pack.TreeLetters.size(), pack.TreeWeights.size());
        int32_t sum = 0;
        for (size_t i = 0; i < letters; ++i)
            sum += static_cast<uint8_t>(pack.TreeWeights[i]);
        if (sum == 0) return false;
        int32_t r = ctx_.Rng.Next(sum);
        char letter = 0;
        for (size_t i = 0; i < letters && letter == 0; ++i) {
            r -= static_cast<uint8_t>(pack.TreeWeights[i]);
            if (r < 0) letter = pack.TreeLetters[i];
        }
        const TypeList& trees = ctx_.TreeTypes;
        for (int32_t draw = 0;; ++draw) {
            if (draw == kMaxTreeDraws) return false;
            const int32_t candidate = trees[ctx_.Rng.Next(trees.Count())];
            const tObject* object = objects.Item(candidate);
            if (object && object->Typ_tree && object->Tree_idx.find(letter) != std::string::npos) {
                type = candidate;
                break;
            }
        }
    } else {
        ErrorBox("Stara nepodporovana selekce stromu.");
    }
    pack.IdObject = type;
    pack.Id = type;
    pack.OwnerClass = kOwnerObject;

    // No plant within the spacing of another that the mix could have put there.
    const auto blocks = [&](int32_t other) {
        if (selected) return ctx_.SelectedTypes.Contains(other);
        const tObject* object = objects.Item(other);
        if (!object) return false;
        return pack.TreeLetters.empty() ? object->Typ_tree != 0 : !object->Tree_idx.empty();
    };
    const int32_t reach = 2 * std::clamp(pack.Spacing, 0, kMaxSpacing);
    for (int32_t dy = -reach; dy <= reach; ++dy) {
        const int32_t squared = reach * reach - dy * dy;
        const int32_t w = squared < 0 ? 0 : static_cast<int32_t>(std::lround(std::sqrt(squared)));
        const int32_t h = w / 2;
        for (int32_t dx = -h; dx <= h; ++dx) {
            const tMapCell& cell = ctx_.Map.Cell(x + dx, y + dy);
            if (cell.Occupancy() == 2 && cell.LinkKind() == 0 && blocks(cell.Id())) {
                pack.IdObject = 0;
                pack.Id = 0;
                pack.OwnerClass = kOwnerObject;
                PlotCell(x + dx, y + dy);
            }
        }
    }
    return true;
}

bool Brushes::DrawLine(TPoint from, TPoint to) {
    const int32_t x1 = from.X, y1 = from.Y, x2 = to.X, y2 = to.Y;
    // The offsets along the two diamond axes: q toward up-right, p toward down-right.
    const int64_t halfUp = (int64_t{y1} + y2 + 1) >> 1;  // the ceiling of (y1 + y2) / 2
    int64_t a = int64_t{x2} - x1 + halfUp;
    if ((y1 & 1) == 1 && (y2 & 1) == 0) --a;
    const int64_t p = a - y1, q = a - y2;
    const int64_t P = std::abs(q), Q = std::abs(p);
    const bool qMajor = P > Q;
    const int64_t inc1 = qMajor ? 2 * Q : 2 * P;
    const int64_t inc2 = qMajor ? 2 * (Q - P) : 2 * (P - Q);
    int64_t e = qMajor ? 2 * Q - P : 2 * P - Q;
    TPoint cell = from;
    // The walk takes at most one step per unit of either offset; the bound only guards against
    // a walk that would never meet its end.
    for (int64_t guard = 2 * (P + Q) + 2; cell != to && guard > 0; --guard) {
        PaintAt(cell);
        if (qMajor)
            Step(cell, q < 0 ? kDirDownLeft : kDirUpRight);
        else
            Step(cell, p < 0 ? kDirUpLeft : kDirDownRight);
        if (e < 0) {
            e += inc1;
            continue;
        }
        const int64_t minor = qMajor ? p : q;
        if (minor != 0) {
            PaintAt(cell);
            if (qMajor)
                Step(cell, minor < 0 ? kDirUpLeft : kDirDownRight);
            else
                Step(cell, minor < 0 ? kDirDownLeft : kDirUpRight);
        }
        e += inc2;
    }
    return cell == to;
}

bool Brushes::FloodFill(TPoint cell) {
    tMapa& map = ctx_.Map;
    Ui().SetCaption(kFillCaption);
    const int old = map.GetTerrain(cell.X, cell.Y);
    const int32_t code = ctx_.State().ToolCode;
    if (code < 0 || code > kLastTerrainTool || code == old) {
        Ui().Beep();
        Ui().SetCaption("");
        return false;
    }
    LongWorkPort* work = ctx_.Ports.Work;
    if (work) work->BeginWork((map.Width + 1) * (map.Height + 1) / 4);
    bool aborted = false;
    int32_t visited = 0;
    static constexpr int kDirections[] = {kDirUpRight, kDirDownRight, kDirDownLeft, kDirUpLeft};
    WalkDepthFirst(
        walk_, map, cell, kDirections,
        [&](TPoint next) { return map.GetTerrain(next.X, next.Y) == old; },
        [&](TPoint next) {
            if (work && work->AbortRequested()) {
                aborted = true;
                Ui().Beep();
                return false;
            }
            PaintCells(next);
            if (work && ++visited % kFillProgressStep == 0) work->WorkProgress(visited);
            return true;
        });
    if (work) work->EndWork();
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->ShowFrame();
    Ui().SetCaption("");
    ctx_.Host.MeView();
    return !aborted;
}

void Brushes::RepaintBorder(TPoint cell) {
    tMapa& map = ctx_.Map;
    const int t = map.GetTerrain(cell.X, cell.Y);
    const int32_t code = ctx_.State().ToolCode;
    // Only a terrain tool repaints, and only a border between exactly two terrains.
    if (code < 0 || code > kLastTerrainTool || code == t) return;
    int other = -1;
    for (int direction = 0; direction < 8; ++direction) {
        const TPoint next = TwoSteps(map, cell, direction);
        const int terrain = map.GetTerrain(next.X, next.Y);
        if (terrain == t || terrain == other) continue;
        if (other != -1) return;  // a third terrain
        other = terrain;
    }
    if (other == -1) return;
    const auto borders = [&](TPoint at) {
        for (int direction = 0; direction < 8; ++direction) {
            const TPoint next = TwoSteps(map, at, direction);
            if (map.GetTerrain(next.X, next.Y) == other) return true;
        }
        return false;
    };
    static constexpr int kAllDirections[] = {0, 1, 2, 3, 4, 5, 6, 7};
    // Only a cell that borders the other terrain is painted, and only a painted cell leads on.
    if (!borders(cell)) return;
    // An edit like any other: "Zpět" takes it back.
    ctx_.Clipboard.Undo.Store(map, ctx_.Store);
    WalkDepthFirst(
        walk_, map, cell, kAllDirections,
        [&](TPoint next) { return map.GetTerrain(next.X, next.Y) == t && borders(next); },
        [&](TPoint next) {
            map.SetTerrain(next.X, next.Y, code);
            for (const TPoint& c : tMapa::BlockCells(tMapa::BlockTop(next.X, next.Y)))
                if (map.InRange(c.X, c.Y)) PlotCell(c.X, c.Y);
            return true;
        });
    if (MiniMapPort* mini = ctx_.Host.MiniMap()) mini->ShowFrame();
}

}  // namespace tess
