// A small game made in code for the view tests, and a plain reference drawing of the view.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "game/Clipboard.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "view/ViewDat.h"
#include "writers/BitmapWriter.h"

namespace tess::test {

using writers::RgbaImage;
using writers::RgbaPixel;

constexpr RgbaPixel kKey{255, 0, 255, 255};

// Object numbers of the fixture catalogue.
constexpr int32_t kTree = 10;      // tree with a Tree_idx, three frames
constexpr int32_t kBush = 11;      // tree without one
constexpr int32_t kRock = 12;      // not a tree
constexpr int32_t kDot = 13;       // a single pixel at its anchor point
constexpr int32_t kNoFrames = 14;  // Anim_Count 0
constexpr int32_t kBroken = 15;    // its picture failed to load
constexpr int32_t kHall = 1000;    // a building picture
constexpr int32_t kWalker = 3000;  // a unit facing
constexpr int32_t kBody = 3024;    // a unit body: three frames, the last one lying

// The flat tile's diamond: rows 4, 8, .. 32, 32, .. 4 pixels wide, centred on x = 16.
inline bool InFlatDiamond(int x, int y) {
    const int w = y < 8 ? 4 * (y + 1) : 4 * (16 - y);
    return x >= 16 - w / 2 && x < 16 + w / 2;
}

inline RgbaPixel FlatColour(int slot, int variant, int y) {
    return {uint8_t(30 + 12 * slot), uint8_t(70 + 40 * variant), uint8_t(40 + 6 * y), 255};
}
inline RgbaPixel SlopeColour(int slot, int set, int mask) {
    return {uint8_t(30 + 12 * slot), uint8_t(20 + 9 * mask), uint8_t(150 + 80 * set), 255};
}
// Red 212..242: no terrain, marker or object picture of the fixture has it.
inline RgbaPixel WallColour(int kind, int variant, int row) {
    return {uint8_t(210 + 2 * kind), uint8_t(60 + 30 * variant), uint8_t(20 + 25 * row), 255};
}

// Terrain and wall pictures on disk, written once per test program.
class FixtureGame {
  public:
    static const FixtureGame& Get() {
        static const FixtureGame game;
        return game;
    }
    const std::filesystem::path& Dir() const { return dir_.Path(); }

  private:
    FixtureGame() {
        tMapa names;
        names.SetDefaultTerrains();
        for (int slot = 0; slot < kTerrainSlots; ++slot) {
            const std::string stem =
                "PICTURES/32x16/TERENY-/" + names.Terrains[static_cast<size_t>(slot)].Name;
            RgbaImage flat(128, 16, kKey);
            for (int v = 0; v < 4; ++v)
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 32; ++x)
                        if (InFlatDiamond(x, y)) flat.At(32 * v + x, y) = FlatColour(slot, v, y);
            dir_.Write(stem + ".bmp", writers::WriteBmp24(flat));
            // One variant per set; each piece a diamond lifted by the mask's high corners.
            RgbaImage slopes(64, 280, kKey);
            for (int s = 0; s < 2; ++s)
                for (int m = 1; m < 15; ++m)
                    for (int y = 0; y < 16; ++y)
                        for (int x = 0; x < 32; ++x)
                            if (InFlatDiamond(x, y))
                                slopes.At(32 * s + x, 20 * (m - 1) + y + 2 + (m & 1)) =
                                    SlopeColour(slot, s, m);
            dir_.Write(stem + "#.bmp", writers::WriteBmp24(slopes));
        }
        for (int kind = 1; kind <= kWallKinds; ++kind) {
            RgbaImage wall(491, 649, kKey);
            for (int v = 0; v < 4; ++v)
                for (int p = 0; p < 8; ++p)
                    for (int y = 24; y < 80; ++y)
                        for (int x = 6 + p; x < 58 - p; ++x)
                            wall.At(65 * v + 1 + x, 81 * p + 1 + y) = WallColour(kind, v, p);
            char name[64];
            std::snprintf(name, sizeof name, "PICTURES/32x16/WALL/zed%02d.bmp", kind);
            dir_.Write(name, writers::WriteBmp24(wall));
        }
    }
    TempDir dir_;
};

// A picture with frames stacked vertically, each filled with its own colour inside a border
// of key pixels one pixel wide (so transparency and frame edges both show).
inline tSurface FramedPicture(int width, int frameHeight, int frames, uint8_t base) {
    tSurface s(width, frameHeight * frames);
    s.Fill(kMagenta565);
    s.SetTransparentColor(kMagenta565);
    for (int f = 0; f < frames; ++f)
        for (int y = 1; y < frameHeight - 1; ++y)
            for (int x = 1; x < width - 1; ++x)
                s.PutPixel(x, f * frameHeight + y, base, uint8_t(40 + 60 * f), uint8_t(4 * y));
    return s;
}

inline std::unique_ptr<tObject> MakeObject(int32_t id, tSurface picture, int32_t width,
                                           int32_t height, uint8_t frames, int32_t relatX,
                                           int32_t relatY) {
    auto o = std::make_unique<tObject>();
    o->Id = id;
    o->Picture = std::move(picture);
    o->State = PictureState::Loaded;
    o->Width = width;
    o->Height = height;
    o->Anim_Count = frames;
    o->Relat_X = relatX;
    o->Relat_Y = relatY;
    o->Size_RT = 1;
    o->Size_LT = 1;
    return o;
}

inline std::unique_ptr<tObjects> FixtureCatalogue() {
    auto objects = std::make_unique<tObjects>();
    auto tree = MakeObject(kTree, FramedPicture(24, 32, 3, 200), 24, 32, 3, 12, 28);
    tree->Typ_tree = 1;
    tree->Tree_idx = "a";
    objects->Put(std::move(tree));
    auto bush = MakeObject(kBush, FramedPicture(16, 20, 1, 150), 16, 20, 1, 8, 16);
    bush->Typ_tree = 1;
    objects->Put(std::move(bush));
    objects->Put(MakeObject(kRock, FramedPicture(20, 12, 1, 110), 20, 12, 1, 10, 9));
    tSurface dot(1, 1);
    dot.PutPixel(0, 0, 255, 255, 0);
    dot.SetTransparentColor(kMagenta565);
    objects->Put(MakeObject(kDot, std::move(dot), 1, 1, 1, 0, 0));
    objects->Put(MakeObject(kNoFrames, FramedPicture(10, 10, 1, 90), 10, 10, 0, 5, 5));
    auto broken = MakeObject(kBroken, tSurface(), 10, 10, 1, 5, 5);
    broken->State = PictureState::Failed;
    objects->Put(std::move(broken));
    objects->Put(MakeObject(kHall, FramedPicture(64, 48, 1, 230), 64, 48, 1, 32, 40));
    auto walker = MakeObject(kWalker, FramedPicture(16, 24, 1, 60), 16, 24, 2, 8, 20);
    walker->Typ_Unit = 1;
    objects->Put(std::move(walker));
    auto body = MakeObject(kBody, FramedPicture(20, 10, 3, 80), 20, 10, 3, 10, 7);
    body->Typ_Unit = 1;
    objects->Put(std::move(body));
    return objects;
}

// A map, its game data and a view drawn into a surface, with the fixture's pictures.
class ViewFixture {
  public:
    explicit ViewFixture(int32_t mapWidth = 24, int32_t mapHeight = 48, int32_t surfaceWidth = 320,
                         int32_t surfaceHeight = 240)
        : cwd_(FixtureGame::Get().Dir()),
          map(std::make_unique<tMapa>()),
          store(std::make_unique<tKalistor>()),
          clip(std::make_unique<tClipBoard>()),
          surface(surfaceWidth, surfaceHeight) {
        BigFile().Close();
        Random random(5);
        map->Create(mapWidth, mapHeight, random, WallTableSource::None);
        view.Create(surface, *map, SurfaceRect{0, 0, surfaceWidth, surfaceHeight});
        view.Store = store.get();
        view.Tools = {&tools, &options, nullptr};
        view.SetZoom("PICTURES/32x16/", 32, 4, 16, FixtureCatalogue());
        for (size_t key = 0; key < kWallTableSize; ++key)
            map->WallTable[key] = key == 0 ? 255 : static_cast<uint8_t>(key % 12);
        EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
        // The first player blue, the others red, as new players are.
        store->Players[1].Used = 1;
        store->Players[1].Barva = 255 << 16;
        store->Players[2].Used = 1;
        store->Players[2].Barva = 255;
        store->PlayerCount = 2;
        store->Settlements[1].Used = 1;
        store->Settlements[1].IdPlayer = 1;
        store->SettlementCount = 1;
    }

    void PutObject(int32_t x, int32_t y, int linkKind, int id, int jitter = 136, int animRow = 0) {
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, linkKind);
        map->SetId(x, y, id);
        map->SetJitter(x, y, jitter);
        map->SetAnimRow(x, y, animRow);
    }
    int32_t AddBuilding(int32_t index, int32_t objectNumber, int32_t settlement) {
        tBuildingRec& b = store->Buildings[static_cast<size_t>(index)];
        b.Used = 1;
        b.IdObject = objectNumber;
        b.IdTouwn = settlement;
        store->BuildingCount = std::max(store->BuildingCount, index);
        return index;
    }
    int32_t AddUnit(int32_t index, int32_t objectNumber) {
        tUnitRec& u = store->Units[static_cast<size_t>(index)];
        u.Used = 1;
        u.IdObject = objectNumber;
        store->UnitCount = std::max(store->UnitCount, index);
        return index;
    }
    // Walls on every cell of the blocks whose top cells lie in the rectangle of top cells.
    void WallBlock(int32_t x, int32_t y, int kind, int variant = 0) {
        for (const TPoint& p : tMapa::BlockCells(tMapa::BlockTop(x, y))) {
            map->SetOccupancy(p.X, p.Y, 3);
            map->SetId(p.X, p.Y, kind);
        }
        map->SetVariant(x, y, variant);
    }

  private:
    ScopedCurrentDir cwd_;

  public:
    ScopedTestUi ui;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tKalistor> store;
    std::unique_ptr<tClipBoard> clip;
    tSurface surface;
    // What the view reads of the editor.
    ToolState tools;
    EditorOptions options;
    tView view;
};

// Gives `to` the cells and the building and unit records of `from`.
inline void CopyMap(const ViewFixture& from, ViewFixture& to) {
    std::copy(from.map->Cells(), from.map->Cells() + kMapStorage * kMapStorage, to.map->Cells());
    to.store->Buildings = from.store->Buildings;
    to.store->Units = from.store->Units;
}

// The view drawn straight from its rules with the surface's own colour-keyed blits: nothing
// but DrawTransparent and DrawBlended, which clip to the target only (the views compared with
// it fill their surface). Pictures, shapes and wall pieces come from the model.
inline void ReferenceDraw(tView& v, bool cursor) {
    v.X = std::max(v.X, 0);
    v.Y = std::max(v.Y, 0) & ~1;
    tSurface& s = *v.Surface;
    s.Fill(0);
    tMapa& m = *v.Map;
    tZoom& z = *v.Zoom;
    const tTerens& t = z.Terens;
    const int columns = (v.Right - v.Left) / 32 + 2;
    const int rows = (v.Bottom - v.Top + 32) / 8 + 2;
    auto cornerX = [&](int c, int r) { return v.Left + 32 * c + (r & 1) * 16 - 16; };
    auto cornerY = [&](int r, int level) { return v.Top + 8 * r - 8 - 4 * level; };
    auto inMap = [&](int x, int y) { return x >= 0 && y >= 0 && x < m.Width && y < m.Height; };
    auto isWall = [&](TPoint p) { return m.GetOccupancy(p.X, p.Y) == 3; };

    auto drawObject = [&](int number, int x, int y, int sx, int sy, bool asUnit, bool preview) {
        tObject* o = z.Objects->Item(number);
        if (!o || !z.Objects->LoadPicture(*o) || o->Anim_Count == 0 || o->Height <= 0) return;
        const tSurface& pic = o->Picture;
        SurfaceRect part;
        if (o->Typ_Unit) {
            const int top = asUnit ? 0 : pic.Height() - o->Height;
            part = {0, top, pic.Width(), top + o->Height};
        } else {
            const int top = m.GetAnimRow(x, y) % o->Anim_Count * o->Height;
            part = {0, top, o->Width, top + o->Height};
        }
        const int jitter = m.GetJitter(x, y);
        const int ax = sx + 16 + int(std::nearbyint((jitter % 16 - 8) / 16.0 * 16));
        const int ay = sy + 8 + int(std::nearbyint((jitter / 16 - 8) / 16.0 * 8));
        const int left = ax - int(std::nearbyint(o->Relat_X / 32.0 * 32));
        const int top = ay - int(std::nearbyint(o->Relat_Y / 16.0 * 16));
        if (preview)
            s.DrawBlended(left, top, pic, part, 128);
        else
            s.DrawTransparent(left, top, pic, part);
    };

    for (int r = 0; r < rows; ++r)
        for (int c = columns - 1; c >= 0; --c) {
            const int x = v.X + c, y = v.Y + r;
            if (!inMap(x, y)) continue;
            if (isWall({x, y}) && isWall(m.Neighbour(x, y, 0)) && isWall(m.Neighbour(x, y, 2)) &&
                isWall(m.Neighbour(x, y, 4)) && isWall(m.Neighbour(x, y, 6)))
                continue;
            const CellShape shape = t.CornerShape(x, y);
            const int sx = cornerX(c, r), sy = cornerY(r, shape.ShapeLevel);
            if (const tSurface* pic =
                    t.CellPicture(m.GetTerrain(x, y), m.GetTileVariant(x, y), shape.ShapeMask))
                s.DrawTransparent(sx, sy, *pic);
            if (v.Tools.Options->ShowBlocked && m.GetOccupancy(x, y) != 0)
                s.DrawTransparent(sx, sy, t.MarkBlocked[size_t(shape.ShapeMask)]);
            if (v.Tools.Clipboard && v.Tools.Clipboard->State == 1 &&
                v.Tools.Clipboard->InSelection(x, y))
                s.DrawTransparent(sx, sy, t.MarkSelect[size_t(shape.ShapeMask)]);
        }

    if (cursor) {
        int x0 = v.CursorX, y0 = v.CursorY;
        auto step = [](int& x, int& y, int d) {
            x += kDirectionSteps[y & 1][d].dx;
            y += kDirectionSteps[y & 1][d].dy;
        };
        const ToolState& tools = *v.Tools.State;
        for (int i = 0; i < tools.PenRadius - 1; ++i)
            step(x0, y0, 3);
        bool occupied = false;
        int rx = x0, ry = y0;
        for (int row = 0; row <= v.CursorHeight; ++row) {
            int x = rx, y = ry;
            for (int col = 0; col <= v.CursorWidth; ++col) {
                if (inMap(x, y)) {
                    const CellShape shape = t.CornerShape(x, y);
                    const bool taken = m.GetOccupancy(x, y) != 0;
                    occupied = occupied || taken;
                    s.DrawTransparent(cornerX(x - v.X, y - v.Y), cornerY(y - v.Y, shape.ShapeLevel),
                                      taken ? t.MarkBlocked[size_t(shape.ShapeMask)]
                                            : t.MarkCursor[size_t(shape.ShapeMask)]);
                }
                step(x, y, 0);
            }
            step(rx, ry, 6);
        }
        const tAddPack& pack = tools.CurrentPack;
        if (tools.ToolCode == 200 && pack.TreeMode == 0 && pack.IdObject != 0 && !occupied &&
            inMap(x0, y0))
            drawObject(pack.IdObject, x0, y0, cornerX(x0 - v.X, y0 - v.Y),
                       cornerY(y0 - v.Y, t.CornerShape(x0, y0).ShapeLevel), true, true);
    }

    for (int r = 0; r < rows; ++r)
        for (int c = columns - 1; c >= 0; --c) {
            const int x = v.X + c, y = v.Y + r;
            if (!inMap(x, y)) continue;
            const int sx = cornerX(c, r), sy = cornerY(r, t.CornerShape(x, y).ShapeLevel);
            const int occupancy = m.GetOccupancy(x, y), id = m.GetId(x, y);
            if (occupancy == 3) {
                if (y % 2 == 0 && (y / 2) % 2 == x % 2 && v.Layer(32) && id >= 1 && id <= 16) {
                    WallPiece piece;
                    const tWall& wall = *z.Walls[size_t(id - 1)];
                    if (wall.PickPiece(x, y, piece) == 0)
                        s.DrawTransparent(sx + piece.OffsetX, sy + piece.OffsetY, wall.Picture,
                                          piece.Source);
                }
                continue;
            }
            if (occupancy != 2 || id == 0) continue;
            const int link = m.GetLinkKind(x, y);
            if (link == 0) {
                const tObject* o = z.Objects->Item(id);
                if (!o) continue;
                const uint8_t bit = !o->Typ_tree ? 1 : !o->Tree_idx.empty() ? 2 : 4;
                if (v.Layer(bit)) drawObject(id, x, y, sx, sy, false, false);
            } else if (link == 1 && v.Store && id <= kMaxBuildings && v.Layer(8)) {
                drawObject(v.Store->Buildings[size_t(id)].IdObject, x, y, sx, sy, false, false);
            } else if (link == 2 && v.Store && id <= kMaxUnits && v.Layer(16)) {
                drawObject(v.Store->Units[size_t(id)].IdObject, x, y, sx, sy, true, false);
            }
        }
}

// FNV-1a over a surface's visible pixels.
inline uint64_t PixelChecksum(const tSurface& s) {
    uint64_t h = 1469598103934665603ull;
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x) {
            const uint16_t p = s.Row(y)[x];
            h = (h ^ (p & 0xFF)) * 1099511628211ull;
            h = (h ^ (p >> 8)) * 1099511628211ull;
        }
    return h;
}

// The first pixel where two surfaces differ, as text; empty when they are the same.
inline std::string FirstDifference(const tSurface& a, const tSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.Row(y)[x] != b.Row(y)[x])
                return "(" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + std::to_string(a.Row(y)[x]) + " vs " + std::to_string(b.Row(y)[x]);
    return "";
}

}  // namespace tess::test
