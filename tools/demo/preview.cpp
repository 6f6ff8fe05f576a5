// tess_demo_preview OUTPUT_DIR [WHAT]: writes contact sheets of the demo art and composites of
// small map areas as PNG files, for looking at the art while working on it; with WHAT "written
// GAME_DIR" the same from a written game directory, read back through the program's loaders.
#include <stb/stb_easy_font.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Compositor.h"
#include "DemoMap.h"
#include "FilePlan.h"
#include "GameData.h"
#include "Library.h"
#include "ObjectArt.h"
#include "Objects.h"
#include "Terrain.h"
#include "Walls.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/Bitmap.h"
#include "resources/Bytes.h"
#include "resources/Dbf.h"
#include "resources/Sprites.h"
#include "resources/Utils.h"

using namespace tess::demo;

namespace {

std::string g_outDir = ".";

void WritePng(const Canvas& c, const std::string& name) {
    std::vector<uint8_t> bytes;
    bytes.reserve(c.Pixels().size() * 4);
    for (const Rgba& p : c.Pixels()) {
        bytes.push_back(p.r);
        bytes.push_back(p.g);
        bytes.push_back(p.b);
        bytes.push_back(p.a);
    }
    const std::string path = g_outDir + "/" + name;
    if (!stbi_write_png(path.c_str(), c.Width(), c.Height(), 4, bytes.data(), c.Width() * 4))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    else
        std::printf("%s (%d x %d)\n", path.c_str(), c.Width(), c.Height());
}

Canvas Upscale(const Canvas& c, int k) {
    Canvas out(c.Width() * k, c.Height() * k);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.Set(x, y, c.Get(x / k, y / k));
    return out;
}

// Shows the transparent key as a dark checkerboard so shapes read against it.
Canvas ShowKey(const Canvas& c, Rgba key) {
    Canvas out = c;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba p = c.Get(x, y);
            if (p == key || p.a == 0)
                out.Set(x, y, ((x / 4 + y / 4) & 1) ? Opaque(44, 46, 52) : Opaque(56, 58, 64));
        }
    return out;
}

void Label(Canvas& c, int x, int y, const std::string& text, Rgba colour = Opaque(230, 230, 230)) {
    static char buffer[60000];
    std::string t = text;
    const int quads = stb_easy_font_print(0, 0, t.data(), nullptr, buffer, sizeof buffer);
    for (int q = 0; q < quads; ++q) {
        const float* v = reinterpret_cast<const float*>(buffer + q * 64);
        const int x0 = static_cast<int>(v[0]), y0 = static_cast<int>(v[1]);
        const int x1 = static_cast<int>(v[8]), y1 = static_cast<int>(v[9]);
        c.FillRect(x + x0, y + y0, x1 - x0, y1 - y0, colour);
    }
}

// A simple grid of labelled tiles.
class Sheet {
  public:
    Sheet(int columns, int cellW, int cellH) : columns_(columns), w_(cellW), h_(cellH + 14) {}
    void Add(const Canvas& c, const std::string& label) { items_.push_back({c, label}); }
    Canvas Build() const {
        const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
        Canvas out(columns_ * (w_ + 8) + 8, rows * (h_ + 8) + 8, Opaque(24, 26, 30));
        for (size_t i = 0; i < items_.size(); ++i) {
            const int cx = 8 + static_cast<int>(i) % columns_ * (w_ + 8);
            const int cy = 8 + static_cast<int>(i) / columns_ * (h_ + 8);
            out.Blit(items_[i].first, 0, 0, std::min(w_, items_[i].first.Width()),
                     std::min(h_ - 14, items_[i].first.Height()), cx, cy + 14);
            Label(out, cx, cy + 2, items_[i].second);
        }
        return out;
    }

  private:
    int columns_, w_, h_;
    std::vector<std::pair<Canvas, std::string>> items_;
};

std::vector<std::string> TerrainListWith(const std::string& slot5) {
    std::vector<std::string> names = DefaultTerrainNames();
    names.push_back("");
    names[5] = slot5;
    return names;
}

// A hill of level 3..7 on a flat field, every cell terrain slot 5.
MapDesign HillMap(int w, int h) {
    MapDesign m = BlankMap(w, h, 11);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int px = 32 * x + (y & 1) * 16, py = 8 * y;
            const int cx = 32 * w / 2, cy = 8 * h / 2;
            const int d = (std::abs(px - cx) + 2 * std::abs(py - cy)) / 22;
            m.level[m.Index({x, y})] = static_cast<uint8_t>(std::clamp(8 - d, 2, 7));
        }
    EnforceLevelSteps(m);
    return m;
}

void TerrainSheets(ArtLibrary& art) {
    Sheet flats(4, 128 * 3, 64 * 3);
    Sheet slopes(8, 128 * 2, 280 * 2);
    for (const std::string& name : TerrainSetNames()) {
        flats.Add(Upscale(ShowKey(art.FlatPicture(name), kTerrainKey), 3), name);
        slopes.Add(Upscale(ShowKey(art.SlopePicture(name), kTerrainKey), 2), name);
    }
    WritePng(flats.Build(), "terrain_flat.png");
    WritePng(slopes.Build(), "terrain_slopes.png");

    // Every set as a small hill on the map, drawn by the view's rules.
    Sheet hills(5, 320, 200);
    const MapDesign hill = HillMap(12, 30);
    for (const std::string& name : TerrainSetNames()) {
        ViewOptions o;
        o.width = 320;
        o.height = 200;
        o.origin = {0, 0};
        o.background = kMagenta;
        hills.Add(RenderView(hill, TerrainListWith(name), art, o), name);
    }
    WritePng(hills.Build(), "terrain_hills.png");

    // Close-ups: a flat field with a small hill per set, three times enlarged, a page of 6.
    const MapDesign patch = HillMap(8, 28);
    const std::vector<std::string>& sets = TerrainSetNames();
    for (size_t page = 0; page * 6 < sets.size(); ++page) {
        Sheet closeups(3, 200 * 3, 100 * 3);
        for (size_t k = page * 6; k < std::min(sets.size(), page * 6 + 6); ++k) {
            ViewOptions o;
            o.width = 200;
            o.height = 100;
            o.origin = {0, 4};
            o.background = kMagenta;
            closeups.Add(Upscale(RenderView(patch, TerrainListWith(sets[k]), art, o), 3), sets[k]);
        }
        WritePng(closeups.Build(), "terrain_closeup_" + std::to_string(page + 1) + ".png");
    }
    ViewOptions big;
    big.width = 320;
    big.height = 200;
    big.background = kMagenta;
    WritePng(Upscale(RenderView(hill, TerrainListWith("Trava"), art, big), 3), "hill_grass_x3.png");
}

void WallSheets(ArtLibrary& art) {
    Sheet pics(4, 491, 649);
    for (int k = 1; k <= kWallKinds; ++k)
        pics.Add(
            ShowKey(art.WallPicture(k), kWallKey),
            std::string("zed") + (k < 10 ? "0" : "") + std::to_string(k) + " " + std::to_string(k));
    WritePng(pics.Build(), "walls.png");
    WritePng(Upscale(ShowKey(art.WallPicture(1), kWallKey), 2), "wall01_x2.png");

    // A cave outline, a masonry ring and a marble wall on a grass field.
    MapDesign m = BlankMap(20, 60, 5);
    auto wallBlock = [&](int bx, int by, int kind) {
        // Block at block coordinates: top cell at (bx, 4·by + 2·(bx & 1))... pick the cell and
        // walk to its block.
        Cell t = BlockTop(Cell{bx, by});
        Cell cells[4];
        BlockCells(t, cells);
        for (const Cell& c : cells)
            if (m.Inside(c)) m.wall[m.Index(c)] = static_cast<uint8_t>(kind);
        const uint8_t v = m.variant[m.Index(m.Clamp(t))];
        for (const Cell& c : cells)
            if (m.Inside(c)) m.variant[m.Index(c)] = v;
    };
    for (int y = 6; y < 28; ++y)
        for (int x = 2; x < 9; ++x) {
            const int dx = x * 2 - 11, dy = y - 17;
            if (dx * dx * 4 + dy * dy < 130) wallBlock(x, y, 1);
        }
    for (int y = 6; y < 26; ++y)
        for (int x = 11; x < 18; ++x)
            if (x == 11 || x == 17 || y < 8 || y > 23) wallBlock(x, y, 5);
    for (int y = 34; y < 56; ++y)
        for (int x = 2; x < 18; ++x) {
            const int dx = x * 2 - 20, dy = y - 45;
            if (dx * dx * 4 + dy * dy < 200 && dx * dx * 4 + dy * dy > 40)
                wallBlock(x, y, (x < 10) ? 6 : 13);
        }
    ViewOptions o;
    o.width = 640;
    o.height = 480;
    WritePng(RenderView(m, DefaultTerrainNames(), art, o), "walls_composite.png");
    WritePng(Upscale(RenderView(m, DefaultTerrainNames(), art, o).Crop(0, 0, 320, 240), 2),
             "walls_composite_x2.png");
}

void TreeSheet() {
    Sheet sheet(4, 4 * 48 * 2, 100 * 2);
    const char* kinds = "jqilnmdfewxhzytkbarpo";
    for (const char* k = kinds; *k; ++k) {
        const int w =
            *k == 'x' ? 96 : (*k == 'o' ? 24 : (*k == 'k' || *k == 'r' || *k == 'p' ? 28 : 44));
        const int h = *k == 'x' ? 100 : (*k == 'k' || *k == 'r' ? 28 : (*k == 'p' ? 18 : 64));
        const Canvas pic = TreePicture(*k, w, h, 4, 1234);
        Canvas row(4 * w, h);
        for (int f = 0; f < 4; ++f)
            row.Blit(pic, 0, f * h, w, h, f * w, 0);
        sheet.Add(Upscale(ShowKey(row, kClear), 2), std::string(1, *k));
    }
    WritePng(sheet.Build(), "trees.png");
}

// All frames of a picture side by side.
Canvas FramesInRow(const Canvas& pic, int frameH) {
    const int frames = std::max(1, pic.Height() / std::max(1, frameH));
    Canvas row(pic.Width() * frames + 2 * (frames - 1), frameH);
    for (int f = 0; f < frames; ++f)
        row.Blit(pic, 0, f * frameH, pic.Width(), frameH, f * (pic.Width() + 2), 0);
    return row;
}

void ObjectSheets(ArtLibrary& art) {
    Sheet decor(6, 260, 120);
    Sheet buildings(4, 4 * 148, 190);
    for (const ObjectDesign& o : ObjectCatalogue()) {
        if (o.typUnit || o.typTree) continue;
        const Canvas* pic = art.ObjectPicture(o.id);
        if (!pic) continue;
        if (o.id >= kBuildingPictureBase) continue;
        decor.Add(ShowKey(Upscale(FramesInRow(*pic, o.height), 2), kClear),
                  std::to_string(o.id) + " " + ContainerName(o.file.container));
    }
    for (const BuildingType& b : BuildingTypes()) {
        if (b.kind == BuildingKind::BonePile) continue;
        const ObjectDesign* fin = FindObject(b.objectId);
        Canvas row((fin->width + 4) * 4, fin->height);
        int x = 0;
        for (int s = 0; s < 3; ++s) {
            if (b.stageObjects[static_cast<size_t>(s)] != 0)
                row.Blit(*art.ObjectPicture(b.stageObjects[static_cast<size_t>(s)]), 0, 0,
                         fin->width, fin->height, x, 0);
            x += fin->width + 4;
        }
        row.Blit(*art.ObjectPicture(b.objectId), 0, 0, fin->width, fin->height, x, 0);
        buildings.Add(ShowKey(row, kClear), std::to_string(b.id) + " race " +
                                                std::to_string(b.race) + " " +
                                                ContainerName(b.container));
    }
    WritePng(decor.Build(), "objects_decor.png");
    WritePng(buildings.Build(), "objects_buildings.png");

    Sheet units(1, 17 * 44 * 2, 46 * 2);
    for (const PersonType& p : PersonTypes()) {
        Canvas row(17 * 44, 46);
        for (int d = 0; d < 8; ++d) {
            const ObjectDesign* o = FindObject(p.objectBase + d);
            row.Blit(*art.ObjectPicture(o->id), 0, 0, o->width, o->height, d * 44, 0);
        }
        const ObjectDesign* w = FindObject(p.objectBase + 3);
        row.Blit(*art.ObjectPicture(w->id), 0, w->height, w->width, w->height, 8 * 44, 0);
        for (int d = 0; d < 8; ++d) {
            const ObjectDesign* o = FindObject(p.objectBase + 24 + d);
            const Canvas* pic = art.ObjectPicture(o->id);
            row.Blit(*pic, 0, pic->Height() - o->height, o->width, o->height, (9 + d) * 44, 0);
        }
        units.Add(Upscale(ShowKey(row, kClear), 2),
                  std::to_string(p.id) + " " + ContainerName(p.container));
    }
    WritePng(units.Build(), "units.png");
    Sheet zoom(1, 10 * 44 * 4, 46 * 4);
    for (int person : {2, 5, 11, 21, 31, 40, 43}) {
        const PersonType* pt = nullptr;
        for (const PersonType& p : PersonTypes())
            if (p.id == person) pt = &p;
        Canvas row(10 * 44, 46);
        for (int d = 0; d < 8; ++d) {
            const ObjectDesign* o = FindObject(pt->objectBase + d);
            row.Blit(*art.ObjectPicture(o->id), 0, 0, o->width, o->height, d * 44, 0);
        }
        const ObjectDesign* b = FindObject(pt->objectBase + 27);
        const Canvas* pic = art.ObjectPicture(b->id);
        row.Blit(*pic, 0, pic->Height() - b->height, b->width, b->height, 8 * 44, 0);
        zoom.Add(Upscale(ShowKey(row, kClear), 4), std::to_string(person));
    }
    WritePng(zoom.Build(), "units_zoom.png");

    Sheet fx(1, 900, 140);
    for (const AnimDesign& a : AnimDesigns()) {
        const Canvas strip =
            EffectStrip(a.effect, a.width, a.height, a.frames, Hash(0xEFFu, a.id, 0));
        Canvas shown(strip.Width(), strip.Height(), Opaque(40, 60, 40));
        shown.Draw(strip, 0, 0);
        fx.Add(Upscale(FramesInRow(shown, a.height), 2), a.tableFileName);
    }
    WritePng(fx.Build(), "effects.png");
    Sheet faces(kFaceFrames, kFaceWidth * 2, kFaceHeight * 2);
    for (int r = 1; r <= 4; ++r)
        for (int f = 0; f < kFaceFrames; ++f)
            faces.Add(Upscale(FaceFrame(static_cast<Race>(r), f, kFaceWidth, kFaceHeight), 2),
                      "race " + std::to_string(r));
    WritePng(faces.Build(), "faces.png");
}

// The whole map at one pixel per cell, coloured by terrain, with walls, objects, buildings
// and units marked.
Canvas Overview(const MapDesign& m) {
    static const Rgba kColour[15] = {
        Opaque(120, 116, 110), Opaque(226, 196, 130), Opaque(160, 84, 52),  Opaque(196, 186, 164),
        Opaque(70, 70, 74),    Opaque(80, 140, 50),   Opaque(170, 160, 80), Opaque(60, 80, 36),
        Opaque(80, 90, 50),    Opaque(236, 240, 250), Opaque(170, 136, 90), Opaque(120, 116, 108),
        Opaque(70, 160, 170),  Opaque(30, 60, 120),   Opaque(240, 110, 20)};
    Canvas c(m.width * 2, m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const size_t i = m.Index({x, y});
            Rgba col = kColour[m.terrain[i] % 15];
            col = Scale(col, 176 + m.level[i] * 20);
            if (m.wall[i]) col = Opaque(20, 16, 14);
            c.Set(2 * x + (y & 1), y, col);
            c.Set(2 * x + (y & 1) + 1, y, col);
        }
    for (const ObjectPlacement& o : m.objects)
        c.Set(2 * o.at.x + (o.at.y & 1), o.at.y,
              o.id < 100 ? Opaque(20, 70, 20) : Opaque(250, 250, 250));
    for (const BuildingDesign& b : m.buildings)
        c.FillRect(2 * b.at.x - 2, b.at.y - 2, 5, 5, Opaque(250, 40, 200));
    for (const UnitDesign& u : m.units)
        c.FillRect(2 * u.at.x - 1, u.at.y - 1, 3, 3, Opaque(255, 255, 0));
    return c;
}

void MapSheets(ArtLibrary& art) {
    const MapDesign m = DesignDemoMap();
    std::printf("map %d x %d: %zu objects, %zu buildings, %zu units, %zu settlements\n", m.width,
                m.height, m.objects.size(), m.buildings.size(), m.units.size(),
                m.settlements.size());
    WritePng(Upscale(Overview(m), 2), "map_overview.png");
    std::vector<std::string> names = DefaultTerrainNames();
    names.push_back("");
    struct View {
        const char* name;
        int settlement;  // 0: use the cell below
        Cell cell;
    };
    const View views[] = {
        {"town", 1, {}},          {"village", 2, {}},        {"barbarians", 3, {}},
        {"dwarves", 4, {}},       {"dwarf_village", 5, {}},  {"elves", 6, {}},
        {"cave", 0, {205, 60}},   {"castle", 0, {158, 468}}, {"lake", 0, {75, 215}},
        {"oasis", 0, {205, 395}}, {"temple", 0, {236, 476}}, {"volcano", 0, {234, 169}}};
    for (const View& v : views) {
        Cell centre = v.cell;
        if (v.settlement > 0)
            for (const BuildingDesign& b : m.buildings)
                if (b.settlement == v.settlement) {
                    centre = b.at;
                    break;
                }
        ViewOptions o;
        o.width = 960;
        o.height = 600;
        o.origin = {centre.x - 15, centre.y - 36};
        WritePng(RenderView(m, names, art, o), std::string("scene_") + v.name + ".png");
    }
}

void ButtonSheet() {
    Sheet sheet(8, 64 * 2, 64 * 2);
    for (const std::string& name : TerrainSetNames()) {
        Canvas b = MakeTerrainButton(name);
        if (HasButtonOverlay(name)) {
            const Canvas o = MakeButtonOverlay(name);
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    if (!(o.Get(x, y) == kBlack)) b.Set(x, y, o.Get(x, y));
        }
        sheet.Add(Upscale(b, 2), name.substr(0, 20));
    }
    WritePng(sheet.Build(), "terrain_buttons.png");
}

// A checksum over everything the generator makes, to compare builds.
void Fingerprint(ArtLibrary& art) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&](const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < n; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    };
    auto canvas = [&](const Canvas& c) {
        mix(c.Pixels().data(), c.Pixels().size() * sizeof(Rgba));
    };
    for (const std::string& name : TerrainSetNames()) {
        canvas(art.FlatPicture(name));
        canvas(art.SlopePicture(name));
        canvas(MakeTerrainButton(name));
        if (HasButtonOverlay(name)) canvas(MakeButtonOverlay(name));
    }
    for (int k = 1; k <= kWallKinds; ++k)
        canvas(art.WallPicture(k));
    const std::vector<uint8_t> table = MakeWallPieceTable();
    mix(table.data(), table.size());
    for (const ObjectDesign& o : ObjectCatalogue())
        canvas(PrepareForContainer(*art.ObjectPicture(o.id), o.file.container, o.file.key));
    for (const AnimDesign& a : AnimDesigns())
        canvas(EffectStrip(a.effect, a.width, a.height, a.frames, Hash(0xEFFu, a.id, 0)));
    for (int r = 1; r <= 4; ++r)
        for (int f = 0; f < kFaceFrames; ++f)
            canvas(FaceFrame(static_cast<Race>(r), f, kFaceWidth, kFaceHeight));
    const MapDesign m = DesignDemoMap();
    for (const auto* v :
         {&m.terrain, &m.level, &m.wall, &m.variant, &m.tileVariant, &m.animRow, &m.jitter})
        mix(v->data(), v->size());
    for (const ObjectPlacement& o : m.objects)
        mix(&o, sizeof o);
    for (const TableDesign& t : DemoTables())
        for (const auto& row : t.rows)
            for (const std::string& v : row)
                mix(v.data(), v.size());
    for (const PlannedFile& f : DemoFilePlan())
        mix(f.path.data(), f.path.size());
    std::printf("fingerprint %016llx\n", static_cast<unsigned long long>(h));
}

// --- a written game directory, read back through the program's loaders ---------------------

// A decoded picture as a canvas; pixels of the transparent colour become transparent when
// `keyed`, and keep the colour otherwise (the compositor keys terrain by its top-left pixel).
Canvas FromSurface(const tess::tSurface& s, uint16_t key, bool keyed) {
    Canvas c(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const uint16_t p = s.PixelAt(x, y);
            const tess::Rgb8 rgb = tess::ExpandRgb565(p);
            c.Set(x, y, keyed && p == key ? kClear : Opaque(rgb.r, rgb.g, rgb.b));
        }
    return c;
}

// The catalogue fields the view needs, read from the written objects table.
struct TableObject {
    std::string fileName;
    int width = 0, height = 0, animCount = 1, relatX = 0, relatY = 0;
    bool unit = false;
};

std::map<int, TableObject> ReadObjectTable() {
    std::map<int, TableObject> objects;
    tess::tTable t;
    tess::OpenDBF(t, "DATA/objects.dbf");
    for (tess::First(t); !tess::Eof(t); tess::Next(t)) {
        TableObject o;
        o.fileName = tess::GetString(t, "FileName");
        o.width = tess::GetInteger(t, "Width");
        o.height = tess::GetInteger(t, "Height");
        o.animCount = tess::GetInteger(t, "Anim_Count");
        o.relatX = tess::GetInteger(t, "Relat_X");
        o.relatY = tess::GetInteger(t, "Relat_Y");
        o.unit = tess::GetBool(t, "Typ_Unit");
        objects[tess::GetInteger(t, "Id")] = o;
    }
    tess::CloseDBF(t);
    return objects;
}

// Objects drawn with black as their transparent colour, as the catalogue loads them.
bool BlackKeyed(int id) {
    return id == 231 || (id >= 360 && id <= 363) || (id >= 411 && id <= 419);
}

// Pictures from the files of the current game directory.
class LoadedPictures : public PictureSource {
  public:
    LoadedPictures() : objects_(ReadObjectTable()) {}

    const Canvas& FlatPicture(const std::string& name) override {
        return Bitmap(flat_, "PICTURES/32x16/TERENY-/" + name + ".bmp");
    }
    const Canvas& SlopePicture(const std::string& name) override {
        return Bitmap(slope_, "PICTURES/32x16/TERENY-/" + name + "#.bmp");
    }
    const Canvas& WallPicture(int kind) override {
        char name[48];
        std::snprintf(name, sizeof name, "PICTURES/32x16/WALL/zed%02d.bmp", kind);
        return Bitmap(walls_, name);
    }
    SpriteRef Sprite(int id) override {
        auto o = objects_.find(id);
        if (o == objects_.end()) return SpriteRef{};
        auto it = sprites_.find(id);
        if (it == sprites_.end()) {
            tess::tSurface s;
            tess::LoadDDStoSurface("PICTURES/32x16/../" + o->second.fileName, s, nullptr);
            const uint16_t key = BlackKeyed(id) ? 0 : tess::kMagenta565;
            it = sprites_.emplace(id, FromSurface(s, key, true)).first;
        }
        const TableObject& t = o->second;
        return SpriteRef{&it->second, t.width, t.height, t.animCount, t.relatX, t.relatY, t.unit};
    }
    const std::map<int, TableObject>& Objects() const { return objects_; }

  private:
    const Canvas& Bitmap(std::map<std::string, Canvas>& cache, const std::string& name) {
        auto it = cache.find(name);
        if (it == cache.end()) {
            tess::tSurface s;
            try {
                tess::LoadBitmapToSurface(name, s);
            } catch (const tess::IoError& e) {
                std::fprintf(stderr, "%s\n", e.what());
            }
            it = cache.emplace(name, FromSurface(s, 0, false)).first;
        }
        return it->second;
    }

    std::map<int, TableObject> objects_;
    std::map<std::string, Canvas> flat_, slope_, walls_;
    std::map<int, Canvas> sprites_;
};

// The loaded map and its game data as a design the compositor draws.
MapDesign DesignOf(const tess::tMapa& map, const tess::tKalistor& store) {
    MapDesign m;
    m.width = map.Width;
    m.height = map.Height;
    const size_t n = static_cast<size_t>(m.width) * static_cast<size_t>(m.height);
    for (auto* v :
         {&m.terrain, &m.level, &m.wall, &m.variant, &m.tileVariant, &m.animRow, &m.jitter})
        v->assign(n, 0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const tess::tMapCell& c = map.Cell(x, y);
            const size_t i = m.Index({x, y});
            m.terrain[i] = static_cast<uint8_t>(c.Terrain());
            m.level[i] = static_cast<uint8_t>(c.Level());
            m.variant[i] = static_cast<uint8_t>(c.Variant());
            m.tileVariant[i] = static_cast<uint8_t>(c.TileVariant());
            m.animRow[i] = static_cast<uint8_t>(c.AnimRow());
            m.jitter[i] = static_cast<uint8_t>(c.Jitter());
            if (c.Occupancy() == 3) m.wall[i] = static_cast<uint8_t>(c.Id());
            if (c.Occupancy() != 2) continue;
            if (c.LinkKind() == 0) m.objects.push_back({c.Id(), {x, y}, c.Jitter(), 0});
            if (c.LinkKind() == 1) {
                BuildingDesign b;
                b.objectId = store.Buildings[static_cast<size_t>(c.Id())].IdObject;
                b.at = {x, y};
                m.buildings.push_back(b);
            }
            if (c.LinkKind() == 2) {
                UnitDesign u;
                u.objectId = store.Units[static_cast<size_t>(c.Id())].IdObject;
                u.at = {x, y};
                m.units.push_back(u);
            }
        }
    return m;
}

// The frames of the face video: the '00db' chunks of uncompressed 24-bit bottom-up pictures.
std::vector<Canvas> FaceFrames(const std::string& name, int w, int h) {
    const std::vector<uint8_t> avi = tess::BigFile().ReadWholeFile(name);
    std::vector<Canvas> frames;
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    for (size_t at = 0; at + 8 <= avi.size();) {
        if (std::string(avi.begin() + long(at), avi.begin() + long(at) + 4) != "00db") {
            ++at;
            continue;
        }
        tess::ByteReader r(avi);
        r.Seek(at + 4);
        const uint32_t size = r.U32();
        if (size != rowBytes * uint32_t(h) || at + 8 + size > avi.size()) {
            ++at;
            continue;
        }
        Canvas c(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = &avi[at + 8 + size_t(h - 1 - y) * rowBytes + size_t(x) * 3];
                c.Set(x, y, Opaque(p[2], p[1], p[0]));
            }
        frames.push_back(c);
        at += 8 + size;
    }
    return frames;
}

void WrittenGame(const std::string& gameDir) {
    const std::string out = std::filesystem::absolute(g_outDir).string();
    g_outDir = out;
    std::filesystem::current_path(gameDir);
    tess::BigFile().Open("zor.dat");
    LoadedPictures pictures;

    Sheet flats(4, 128 * 3, 64 * 3), slopes(8, 128 * 2, 280 * 2), walls(4, 491, 649);
    for (const std::string& name : TerrainSetNames()) {
        flats.Add(Upscale(pictures.FlatPicture(name), 3), name);
        slopes.Add(Upscale(pictures.SlopePicture(name), 2), name);
    }
    for (int k = 1; k <= kWallKinds; ++k)
        walls.Add(pictures.WallPicture(k), "zed " + std::to_string(k));
    WritePng(flats.Build(), "written_terrain_flat.png");
    WritePng(slopes.Build(), "written_terrain_slopes.png");
    WritePng(walls.Build(), "written_walls.png");

    Sheet buttons(8, 64 * 2, 64 * 2);
    for (const std::string& name : TerrainSetNames()) {
        tess::tSurface button, overlay;
        tess::LoadDDStoSurface("PICTURES/terains/" + name + ".dds", button, nullptr);
        Canvas b = FromSurface(button, 0, false);
        if (tess::BigFile().FindEntry("PICTURES/terains/" + name + "_ex_1.dds")) {
            tess::LoadDDStoSurface("PICTURES/terains/" + name + "_ex_1.dds", overlay, nullptr);
            b.Draw(FromSurface(overlay, 0, true), 0, 0);
        }
        buttons.Add(Upscale(b, 2), name.substr(0, 20));
    }
    WritePng(buttons.Build(), "written_buttons.png");

    Sheet sprites(8, 230, 150);
    for (const auto& [id, o] : pictures.Objects()) {
        const SpriteRef s = pictures.Sprite(id);
        if (s.picture == nullptr) continue;
        sprites.Add(ShowKey(*s.picture, kClear), std::to_string(id));
    }
    WritePng(sprites.Build(), "written_sprites.png");

    Sheet fx(1, 900, 140);
    for (const AnimDesign& a : AnimDesigns()) {
        tess::tSurface strip;
        const std::string name =
            "pictures\\anims\\" +
            tess::ReplaceText(tess::ReplaceText(a.tableFileName, "*", ""), "tga", "dds");
        tess::LoadDDS2toSurface(name, strip);
        fx.Add(Upscale(FramesInRow(ShowKey(FromSurface(strip, tess::kMagenta565, true), kClear),
                                   a.height),
                       2),
               name);
    }
    WritePng(fx.Build(), "written_effects.png");

    Sheet faces(kFaceFrames, kFaceWidth * 2, kFaceHeight * 2);
    int frame = 0;
    for (const Canvas& f : FaceFrames("Pictures\\ksichtis.avi", kFaceWidth, kFaceHeight))
        faces.Add(Upscale(f, 2), "frame " + std::to_string(frame++));
    WritePng(faces.Build(), "written_faces.png");

    auto map = std::make_unique<tess::tMapa>();
    auto store = std::make_unique<tess::tKalistor>();
    auto objects = std::make_unique<tess::tObjects>();
    objects->Load(tess::kObjectTable, "PICTURES/32x16/../");
    tess::ViewPosition view;
    if (!tess::OpenMapPair(*map, *store, *objects, view, "MAPS\\default.map", "MAPS\\default.sav",
                           nullptr)) {
        std::fprintf(stderr, "the map pair did not load\n");
        return;
    }
    const MapDesign m = DesignOf(*map, *store);
    WritePng(Upscale(Overview(m), 2), "written_map_overview.png");
    std::vector<std::string> names;
    for (const tess::TerrainSlot& slot : map->Terrains)
        names.push_back(slot.Name);
    struct View {
        const char* name;
        Cell cell;
    };
    std::vector<View> views = {{"cave", {205, 60}},    {"castle", {158, 468}},
                               {"lake", {75, 215}},    {"oasis", {205, 395}},
                               {"temple", {236, 476}}, {"volcano", {234, 169}}};
    static const char* kSettlements[] = {"town",    "village",       "barbarians",
                                         "dwarves", "dwarf_village", "elves"};
    for (int32_t s = 1; s <= store->SettlementCount && s <= 6; ++s) {
        const tess::tBuildingRec& b =
            store->Buildings[static_cast<size_t>(store->Settlements[size_t(s)].HlavniBudova)];
        views.push_back({kSettlements[s - 1], {b.X, b.Y}});
    }
    if (map->StoredViewCentre())
        views.push_back({"view_centre", {map->StoredViewCentre()->X, map->StoredViewCentre()->Y}});
    for (const View& v : views) {
        ViewOptions o;
        o.width = 960;
        o.height = 600;
        o.origin = {v.cell.x - 15, v.cell.y - 36};
        WritePng(RenderView(m, names, pictures, o),
                 std::string("written_scene_") + v.name + ".png");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_outDir = argv[1];
    std::filesystem::create_directories(g_outDir);
    const std::string what = argc > 2 ? argv[2] : "all";
    ArtLibrary art;
    if (what == "all" || what == "terrain") TerrainSheets(art);
    if (what == "all" || what == "walls") WallSheets(art);
    if (what == "all" || what == "trees") TreeSheet();
    if (what == "all" || what == "objects") ObjectSheets(art);
    if (what == "all" || what == "map") MapSheets(art);
    if (what == "all" || what == "buttons") ButtonSheet();
    if (what == "fingerprint") Fingerprint(art);
    if (what == "written") {
        if (argc < 4) {
            std::fprintf(stderr, "usage: tess_demo_preview OUTPUT_DIR written GAME_DIR\n");
            return 2;
        }
        WrittenGame(argv[3]);
    }
    return 0;
}
