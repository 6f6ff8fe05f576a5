// The preview compositor.
#include "Compositor.h"

#include <algorithm>
#include <map>

#include "Terrain.h"
#include "Walls.h"

namespace tess::demo {

namespace {

Cell Neighbour(const MapDesign& map, Cell c, int d) {
    return map.Clamp(Step(c, d));
}

bool IsWall(const MapDesign& map, Cell c) {
    return map.wall[map.Index(map.Clamp(c))] != 0;
}

// Copies the pixels of a rectangle that differ from the key colour.
void DrawWithKey(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy,
                 Rgba key) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!src.Contains(sx + i, sy + j)) continue;
            const Rgba c = src.Get(sx + i, sy + j);
            if (c == key || c.a == 0) continue;
            dst.Set(dx + i, dy + j, c);
        }
}

int NearestEven(int twice) {
    // Nearest integer to twice/2, ties to the even neighbour.
    if (twice % 2 == 0) return twice / 2;
    const int lo = twice >= 0 ? twice / 2 : -((-twice + 1) / 2);
    return (lo % 2 == 0) ? lo : lo + 1;
}

struct Anchor {
    int objectId = 0;
    int linkKind = 0;
    int jitter = 136;
};

}  // namespace

Shape CornerShapeOf(const MapDesign& map, Cell c) {
    const int own = map.level[map.Index(map.Clamp(c))];
    const int corners[4] = {map.level[map.Index(Neighbour(map, c, 7))],
                            map.level[map.Index(Neighbour(map, c, 0))], own,
                            map.level[map.Index(Neighbour(map, c, 6))]};
    int maskA = 0, maskB = 0, other = -1;
    Shape s;
    for (int v : corners) {
        maskA <<= 1;
        maskB <<= 1;
        if (v == own) {
            maskA |= 1;
        } else {
            if (other >= 0 && v != other) {
                s.irregular = true;
                s.level = own;
                return s;
            }
            other = v;
            maskB |= 1;
        }
    }
    if (other < 0) {
        s.level = own;
    } else if (own < other) {
        s.level = other;
        s.mask = maskB;
    } else {
        s.level = own;
        s.mask = maskA;
    }
    return s;
}

Canvas RenderView(const MapDesign& map, const std::vector<std::string>& terrainNames,
                  PictureSource& pictures, const ViewOptions& o) {
    Canvas out(o.width, o.height, o.background);
    const int X = std::max(0, o.origin.x), Y = std::max(0, o.origin.y) & ~1;
    const int cols = o.width / kTileWidth + 2;
    const int rows = (o.height + kLevelDepth * 8) / (kTileHeight / 2) + 2;
    auto screen = [&](int c, int r, int level, int& sx, int& sy) {
        sx = kTileWidth * c + (r % 2) * kTileWidth / 2 - kTileWidth / 2;
        sy = (kTileHeight / 2) * r - kTileHeight / 2 - kLevelDepth * level;
    };

    if (o.terrain) {
        for (int r = 0; r < rows; ++r)
            for (int c = cols - 1; c >= 0; --c) {
                const Cell cell{X + c, Y + r};
                if (!map.Inside(cell)) continue;
                if (IsWall(map, cell) && IsWall(map, Step(cell, 0)) && IsWall(map, Step(cell, 2)) &&
                    IsWall(map, Step(cell, 4)) && IsWall(map, Step(cell, 6)))
                    continue;
                const size_t i = map.Index(cell);
                const int slot = map.terrain[i] & 15;
                if (slot >= static_cast<int>(terrainNames.size()) || slot == 15) continue;
                const std::string& name = terrainNames[static_cast<size_t>(slot)];
                const Shape shape = CornerShapeOf(map, cell);
                int sx, sy;
                screen(c, r, shape.level, sx, sy);
                if (shape.mask == 0) {
                    const Canvas& pic = pictures.FlatPicture(name);
                    const int px = kTileWidth * (map.tileVariant[i] % 4);
                    DrawWithKey(out, pic, px, 0, kTileWidth, kTileHeight, sx, sy, pic.Get(px, 0));
                } else {
                    const Canvas& pic = pictures.SlopePicture(name);
                    const int variants = std::min(8, pic.Width() / kTileWidth / 2);
                    const int px = kTileWidth * ((map.tileVariant[i] % 2) * variants);
                    const int py = kSlopeBand * (shape.mask - 1);
                    DrawWithKey(out, pic, px, py, kTileWidth, kSlopeBand + kSlopeExtra[shape.mask],
                                sx, sy, pic.Get(px, py));
                }
            }
    }

    std::map<std::pair<int, int>, Anchor> anchors;
    if (o.objects) {
        for (const ObjectPlacement& p : map.objects)
            anchors[{p.at.x, p.at.y}] = {p.id, 0, p.jitter};
        for (const BuildingDesign& b : map.buildings)
            anchors[{b.at.x, b.at.y}] = {b.objectId, 1, 136};
        for (const UnitDesign& u : map.units)
            anchors[{u.at.x, u.at.y}] = {u.objectId, 2, 136};
    }
    const std::vector<uint8_t> table = MakeWallPieceTable();
    for (int r = 0; r < rows; ++r)
        for (int c = cols - 1; c >= 0; --c) {
            const Cell cell{X + c, Y + r};
            if (!map.Inside(cell)) continue;
            const size_t i = map.Index(cell);
            const Shape shape = CornerShapeOf(map, cell);
            int sx, sy;
            screen(c, r, shape.level, sx, sy);
            if (map.wall[i] != 0) {
                if (!o.walls || !IsBlockBottom(cell)) continue;
                uint16_t key = 0;
                for (int d = 0; d < 8; ++d) {
                    const Cell two = Neighbour(map, Neighbour(map, cell, d), d);
                    key = static_cast<uint16_t>((key << 2) | (IsWall(map, two) ? 0 : 1));
                }
                if (key == 0) continue;
                const int piece = table[key];
                if (piece > 11 || kWallPieceRow[piece] < 0) continue;
                int left = 65 * map.variant[i] + 1;
                const int top = 81 * kWallPieceRow[piece] + 1;
                if (piece == 0 || piece == 2) {
                    const int d = piece == 0 ? 0 : 6;
                    const Cell a = Neighbour(map, cell, d), b = Neighbour(map, a, d),
                               e = Neighbour(map, b, d);
                    if (IsWall(map, b) && !IsWall(map, e)) left += kWallEndShiftFar;
                    if (!IsWall(map, b)) left += kWallEndShift;
                }
                const Canvas& pic = pictures.WallPicture(map.wall[i]);
                DrawWithKey(out, pic, left, top, kWallPieceWidth, kWallPieceHeight, sx - 16,
                            sy - 64, kWallKey);
                continue;
            }
            auto it = anchors.find({cell.x, cell.y});
            if (it == anchors.end()) continue;
            const Anchor& a = it->second;
            const SpriteRef s = pictures.Sprite(a.objectId);
            if (s.picture == nullptr || s.animCount <= 0) continue;
            const int ax = sx + 16 + (a.jitter % 16 - 8);
            const int ay = sy + 8 + NearestEven(a.jitter / 16 - 8);
            int frameTop;
            if (s.unitPicture)
                frameTop = a.linkKind == 2 ? 0 : s.picture->Height() - s.height;
            else
                frameTop = (map.animRow[i] % s.animCount) * s.height;
            out.DrawKeyed(*s.picture, 0, frameTop, s.width, s.height, ax - s.relatX, ay - s.relatY);
        }
    return out;
}

}  // namespace tess::demo
