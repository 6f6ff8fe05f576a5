// tess_demo_preview OUTPUT_DIR [WHAT] [GAME_DIR]: contact sheets of the demo art, and scenes
// drawn by the editor's own view, as PNG files, for looking at the art while working on it.
// Scenes and the "written" sheets need a written game directory: GAME_DIR, else the demo game
// is written into OUTPUT_DIR/game first.
#include <stb/stb_easy_font.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "DemoMap.h"
#include "DemoView.h"
#include "DemoWriter.h"
#include "FilePlan.h"
#include "GameData.h"
#include "Library.h"
#include "ObjectArt.h"
#include "Objects.h"
#include "Terrain.h"
#include "Walls.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/Bitmap.h"
#include "resources/GameDirectory.h"
#include "resources/Sprites.h"
#include "resources/Utils.h"
#include "view/LitleMap.h"
#include "view/ViewDat.h"
#include "writers/PngFile.h"

using namespace tess::demo;

namespace {

namespace fs = std::filesystem;

std::string g_outDir = ".";

void Written(const std::string& path, int width, int height) {
    std::printf("%s (%d x %d)\n", path.c_str(), width, height);
}

void WritePng(const Canvas& c, const std::string& name) {
    const std::string path = g_outDir + "/" + name;
    tess::writers::PngFile png(path, static_cast<uint32_t>(c.Width()),
                               static_cast<uint32_t>(c.Height()));
    std::vector<uint8_t> row(static_cast<size_t>(c.Width()) * 3);
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba p = c.Get(x, y);
            row[size_t(x) * 3] = p.r;
            row[size_t(x) * 3 + 1] = p.g;
            row[size_t(x) * 3 + 2] = p.b;
        }
        png.AddRow(row.data());
    }
    png.Commit();
    Written(path, c.Width(), c.Height());
}

void WritePng(const tess::tSurface& s, const std::string& name) {
    const std::string path = g_outDir + "/" + name;
    tess::writers::WriteSurfacePng(path, s);
    Written(path, s.Width(), s.Height());
}

// A decoded picture as a canvas; pixels of the transparent colour become transparent when
// `keyed`, and keep their colour otherwise.
Canvas FromSurface(const tess::tSurface& s, uint16_t key = 0, bool keyed = false) {
    Canvas c(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const uint16_t p = s.PixelAt(x, y);
            const tess::Rgb8 rgb = tess::ExpandRgb565(p);
            c.Set(x, y, keyed && p == key ? kClear : Opaque(rgb.r, rgb.g, rgb.b));
        }
    return c;
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

// A hill of level 2..7 on a flat field, every cell terrain slot 5.
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
}

// Every set as a small hill on the map, and close-ups three times enlarged, a page of 6.
void TerrainScenes() {
    const MapDesign hill = HillMap(12, 30);
    DemoView small(320, 200);
    Sheet hills(5, 320, 200);
    for (const std::string& name : TerrainSetNames()) {
        small.Show(hill, TerrainListWith(name));
        hills.Add(FromSurface(small.Draw({0, 0})), name);
    }
    WritePng(hills.Build(), "terrain_hills.png");
    small.Show(hill, TerrainListWith("Trava"));
    WritePng(Upscale(FromSurface(small.Draw({0, 0})), 3), "hill_grass_x3.png");

    const MapDesign patch = HillMap(8, 28);
    const std::vector<std::string>& sets = TerrainSetNames();
    DemoView closeup(200, 100);
    for (size_t page = 0; page * 6 < sets.size(); ++page) {
        Sheet closeups(3, 200 * 3, 100 * 3);
        for (size_t k = page * 6; k < std::min(sets.size(), page * 6 + 6); ++k) {
            closeup.Show(patch, TerrainListWith(sets[k]));
            closeups.Add(Upscale(FromSurface(closeup.Draw({0, 4})), 3), sets[k]);
        }
        WritePng(closeups.Build(), "terrain_closeup_" + std::to_string(page + 1) + ".png");
    }
}

void WallSheets(ArtLibrary& art) {
    Sheet pics(4, 491, 649);
    for (int k = 1; k <= tess::kWallKinds; ++k)
        pics.Add(
            ShowKey(art.WallPicture(k), kWallKey),
            std::string("zed") + (k < 10 ? "0" : "") + std::to_string(k) + " " + std::to_string(k));
    WritePng(pics.Build(), "walls.png");
    WritePng(Upscale(ShowKey(art.WallPicture(1), kWallKey), 2), "wall01_x2.png");
}

// A cave outline, a masonry ring and a marble wall on a grass field.
void WallScenes() {
    MapDesign m = BlankMap(20, 60, 5);
    auto wallBlock = [&](int x, int y, int kind) {
        Cell cells[4];
        BlockCells(BlockTop(Cell{x, y}), cells);
        const uint8_t variant = m.variant[m.Index(m.Clamp(cells[0]))];
        for (const Cell& c : cells)
            if (m.Inside(c)) {
                m.wall[m.Index(c)] = static_cast<uint8_t>(kind);
                m.variant[m.Index(c)] = variant;
            }
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
    DemoView view(640, 480);
    view.Show(m);
    const Canvas scene = FromSurface(view.Draw({0, 0}));
    WritePng(scene, "walls_composite.png");
    WritePng(Upscale(scene.Crop(0, 0, 320, 240), 2), "walls_composite_x2.png");
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

// The demo map as the editor shows it: the mini-map and scenes around its places.
void MapScenes() {
    DemoView view(960, 600);
    if (!view.Open("MAPS\\default.map")) {
        std::fprintf(stderr, "the map pair did not load\n");
        return;
    }
    const tess::tMapa& map = view.Map();
    const tess::tKalistor& store = view.Store();
    std::printf("map %d x %d: %d players, %d settlements, %d buildings, %d units\n", map.Width,
                map.Height, store.PlayerCount, store.SettlementCount, store.BuildingCount,
                store.UnitCount);
    tess::tLitleMap mini;
    mini.ComputeColors(view.View().Zoom->Terens);
    mini.Map = &view.Map();
    mini.Store = &store;
    mini.View = &view.View();
    mini.Rebuild(960);
    WritePng(Upscale(FromSurface(mini.Picture), 4), "map_minimap.png");

    struct Place {
        std::string name;
        Cell cell;
    };
    std::vector<Place> places = {{"cave", {205, 60}},    {"castle", {158, 468}},
                                 {"lake", {75, 215}},    {"oasis", {205, 395}},
                                 {"temple", {236, 476}}, {"volcano", {234, 169}}};
    static const char* kSettlements[] = {"town",    "village",       "barbarians",
                                         "dwarves", "dwarf_village", "elves"};
    for (int32_t s = 1; s <= store.SettlementCount && s <= 6; ++s) {
        const tess::tBuildingRec& b =
            store.Buildings[static_cast<size_t>(store.Settlements[size_t(s)].HlavniBudova)];
        places.push_back({kSettlements[s - 1], {b.X, b.Y}});
    }
    if (map.StoredViewCentre())
        places.push_back({"view_centre", {map.StoredViewCentre()->X, map.StoredViewCentre()->Y}});
    for (const Place& p : places)
        WritePng(view.Draw({p.cell.x - 15, p.cell.y - 36}), "scene_" + p.name + ".png");
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
    for (int k = 1; k <= tess::kWallKinds; ++k)
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

// The files of the written game read back through the program's loaders.
void WrittenSheets() {
    Sheet flats(4, 128 * 3, 64 * 3), slopes(8, 128 * 2, 280 * 2), walls(4, 491, 649);
    auto bitmap = [](const std::string& name) {
        tess::tSurface s;
        try {
            tess::LoadBitmapToSurface(name, s);
        } catch (const tess::IoError& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        return FromSurface(s);
    };
    for (const std::string& name : TerrainSetNames()) {
        flats.Add(Upscale(bitmap(std::string(tess::kTerrainPictureDir) + name + ".bmp"), 3), name);
        slopes.Add(Upscale(bitmap(std::string(tess::kTerrainPictureDir) + name + "#.bmp"), 2),
                   name);
    }
    for (int k = 1; k <= tess::kWallKinds; ++k)
        walls.Add(bitmap(tess::WallPictureName("PICTURES/32x16/", k)), "zed " + std::to_string(k));
    WritePng(flats.Build(), "written_terrain_flat.png");
    WritePng(slopes.Build(), "written_terrain_slopes.png");
    WritePng(walls.Build(), "written_walls.png");

    Sheet buttons(8, 64 * 2, 64 * 2);
    for (const std::string& name : TerrainSetNames()) {
        tess::tSurface button, overlay;
        tess::LoadDDStoSurface("PICTURES/terains/" + name + ".dds", button, nullptr);
        Canvas b = FromSurface(button);
        if (tess::BigFile().FindEntry("PICTURES/terains/" + name + "_ex_1.dds")) {
            tess::LoadDDStoSurface("PICTURES/terains/" + name + "_ex_1.dds", overlay, nullptr);
            b.Draw(FromSurface(overlay, 0, true), 0, 0);
        }
        buttons.Add(Upscale(b, 2), name.substr(0, 20));
    }
    WritePng(buttons.Build(), "written_buttons.png");

    // Sprites as the object catalogue loads them.
    DemoView view(64, 64);
    tess::tObjects& catalogue = *view.View().Zoom->Objects;
    Sheet sprites(8, 230, 150);
    for (int32_t id = 0; id < tess::kObjectSlots; ++id) {
        tess::tObject* entry = catalogue.Item(id);
        if (entry == nullptr || !catalogue.LoadPicture(*entry)) continue;
        sprites.Add(
            ShowKey(FromSurface(entry->Picture, entry->Picture.TransparentColor(), true), kClear),
            std::to_string(id));
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
}

// The game directory the scenes are drawn from: the one given, else the demo written anew.
std::string SceneGameDirectory(const char* given) {
    if (given != nullptr) return fs::absolute(given).string();
    const std::string dir = g_outDir + "/game";
    WriteDemoGame(dir);
    std::printf("%s (the demo game)\n", dir.c_str());
    return dir;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_outDir = argv[1];
    fs::create_directories(g_outDir);
    g_outDir = fs::absolute(g_outDir).string();
    const std::string what = argc > 2 ? argv[2] : "all";
    auto wants = [&](const char* part) { return what == "all" || what == part; };
    try {
        ArtLibrary art;
        if (what == "fingerprint") {
            Fingerprint(art);
            return 0;
        }
        if (wants("terrain")) TerrainSheets(art);
        if (wants("walls")) WallSheets(art);
        if (wants("trees")) TreeSheet();
        if (wants("objects")) ObjectSheets(art);
        if (wants("buttons")) ButtonSheet();
        if (wants("terrain") || wants("walls") || wants("map") || wants("written")) {
            tess::EnterGameDirectory(SceneGameDirectory(argc > 3 ? argv[3] : nullptr));
            if (wants("terrain")) TerrainScenes();
            if (wants("walls")) WallScenes();
            if (wants("map")) MapScenes();
            if (wants("written")) WrittenSheets();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tess_demo_preview: %s\n", e.what());
        return 1;
    }
    return 0;
}
