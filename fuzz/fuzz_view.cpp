// Fuzz target: the view, the whole-map picture and the mini-map drawing whatever a loaded map
// holds, with a small catalogue made in memory.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "MemoryFile.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/UiHost.h"
#include "view/LitleMap.h"
#include "view/MapPicture.h"
#include "view/ViewDat.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr int32_t kSurfaceWidth = 160;
constexpr int32_t kSurfaceHeight = 120;
constexpr int32_t kViewRight = 128;  // the view rectangle leaves a margin that stays black
constexpr int32_t kViewBottom = 96;

// A picture of w x h with a coloured diamond-ish inside on a magenta key.
tSurface Piece(int32_t w, int32_t h, uint16_t colour) {
    tSurface s(w, h);
    s.Fill(kMagenta565);
    s.SetTransparentColor(kMagenta565);
    for (int32_t y = 1; y < h - 1; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (std::abs(x - w / 2) * h < (h / 2 - std::abs(y - h / 2) + 1) * w)
                s.PutPixel565(x, y, static_cast<uint16_t>(colour + y));
    return s;
}

std::unique_ptr<tObject> Object(int32_t id, tSurface picture, int32_t width, int32_t height,
                                uint8_t frames, int32_t relatX, int32_t relatY) {
    auto o = std::make_unique<tObject>();
    o->Id = id;
    o->Picture = std::move(picture);
    o->State = o->Picture.Empty() ? PictureState::Failed : PictureState::Loaded;
    o->Width = width;
    o->Height = height;
    o->Anim_Count = frames;
    o->Relat_X = relatX;
    o->Relat_Y = relatY;
    return o;
}

// Everything drawing needs, made once: map, store, view with its pictures, mini-map.
struct World {
    SilentUi ui;
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    tSurface surface{kSurfaceWidth, kSurfaceHeight};
    ToolState tools;
    EditorOptions options;
    tView view;
    tLitleMap mini;
    fuzz::MemoryFile file;

    World() {
        SetUi(&ui);
        view.Create(surface, *map, SurfaceRect{0, 0, kViewRight, kViewBottom});
        view.Store = store.get();
        view.Tools = {&tools, &options, nullptr};
        auto objects = std::make_unique<tObjects>();
        objects->Put(Object(1, Piece(24, 96, 0x0400), 24, 32, 3, 12, 28));  // tree, 3 frames
        objects->Put(Object(2, Piece(64, 48, 0x8000), 64, 48, 1, 32, 40));  // building
        objects->Put(Object(3, Piece(16, 24, 0x0010), 16, 24, 2, 8, 20));   // unit facing
        objects->Put(Object(4, Piece(20, 30, 0x2000), 20, 10, 3, 10, 7));   // unit body
        objects->Put(Object(5, Piece(10, 10, 0x1234), 10, 10, 0, 5, 5));    // no frames
        objects->Put(Object(6, tSurface(), 10, 10, 1, 5, 5));               // failed picture
        objects->Put(Object(7, Piece(30, 30, 0x4321), -3, 1 << 30, 200, INT32_MAX, INT32_MIN));
        objects->Put(Object(8, Piece(12, 12, 0x7777), INT32_MAX, 12, 1, -5000000, 3000000));
        objects->Item(1)->Typ_tree = 1;
        objects->Item(1)->Tree_idx = "a";
        objects->Item(3)->Typ_Unit = 1;
        objects->Item(4)->Typ_Unit = 1;
        // No picture files: the terrain catalogue reports them (quietly) and is filled below.
        view.SetZoom("/nonexistent/", 32, 4, 16, std::move(objects));
        tTerens& terens = view.Zoom->Terens;
        for (int slot = 0; slot < kTerrainSlots; ++slot) {
            auto one = std::make_unique<tTerenOne>();
            one->FlatRows = 1;
            one->SlopeVariants = 1;
            for (size_t v = 0; v < 4; ++v)
                one->Flat[v][0] = Piece(32, 16, static_cast<uint16_t>(0x0841 * (slot + 1) + v));
            for (size_t s = 0; s < 2; ++s)
                for (int m = 1; m < kShapeMasks; ++m)
                    one->Slope[s][size_t(m)][0] = Piece(32, 20 + kSlopeExtra[size_t(m)],
                                                        static_cast<uint16_t>(0x1000 + m * 64 + s));
            terens.Items[size_t(slot)] = std::move(one);
        }
        for (int kind : {1, 5}) {
            tSurface& wall = view.Zoom->Walls[size_t(kind - 1)]->Picture;
            wall = Piece(491, 649, static_cast<uint16_t>(0xF800 + kind));
        }
        map->WallTable.assign(kWallTableSize, 0);
        for (size_t key = 0; key < kWallTableSize; ++key)
            map->WallTable[key] = static_cast<uint8_t>(key * 2654435761u >> 24) % 14;
        for (int32_t i = 1; i <= 40; ++i) {
            store->Buildings[size_t(i)].IdObject = i % 9;
            store->Buildings[size_t(i)].IdTouwn = i % 5 - 1;
            store->Units[size_t(i)].IdObject = i % 3 == 0 ? 4 : 3;
        }
        store->Settlements[1].IdPlayer = 1;
        store->Players[1].Barva = 0x00FF00;
        mini.Map = map.get();
        mini.Store = store.get();
        mini.View = &view;
        mini.ComputeColors(terens);
    }
};

bool MarginIsBlack(const tSurface& s) {
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x)
            if ((x >= kViewRight || y >= kViewBottom) && s.PixelAt(x, y) != 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* const world = new World();  // the map is 25 MB: once, never per input
    tView& view = world->view;
    tMapa& map = *world->map;
    if (!map.LoadFromFile(world->file.Hold(data, size), view)) return 0;

    // The view's position, tools and layers from the input's last bytes.
    auto byte = [&](size_t back) { return size > back ? data[size - 1 - back] : uint8_t(0); };
    view.X = byte(0) % 64 - 8;
    view.Y = byte(1) % 64 - 8;
    view.Layers = byte(2) & 63;
    world->options.ShowBlocked = byte(3) & 1;
    world->tools.ToolCode = byte(3) & 2 ? kObjectTool : 0;
    world->tools.CurrentPack.IdObject = byte(4) % 10;
    world->tools.PenRadius = byte(5) % 4;
    view.CursorWidth = byte(6) % 5;
    view.CursorHeight = byte(7) % 5;
    const TPoint picked = view.CellAt(byte(8) % kViewRight, byte(9) % kViewBottom);
    (void)picked;
    view.Draw(true);
    Require(MarginIsBlack(world->surface));

    // The whole picture of small maps, in one draw and in parts: the same pixels.
    if (int64_t{map.Width} * map.Height <= 1600 && map.Width <= 128 && map.Height <= 512) {
        tSurface whole(map.Width * 32, map.Height * 8);
        tSurface part(37, 23);
        const ViewPosition kept = view;
        view.Surface = &whole;
        view.X = view.Y = view.Left = view.Top = 0;
        view.Right = whole.Width();
        view.Bottom = whole.Height();
        view.Draw(false);
        MapPicture picture(view);
        view.Surface = &part;
        for (int64_t top = 0; top < picture.Height(); top += 23)
            for (int64_t left = 0; left < picture.Width(); left += 37) {
                picture.DrawPart(left, top);
                for (int32_t y = 0; y < 23 && top + y < picture.Height(); ++y)
                    for (int32_t x = 0; x < 37 && left + x < picture.Width(); ++x)
                        Require(part.PixelAt(x, y) ==
                                whole.PixelAt(int32_t(left + x), int32_t(top + y)));
            }
        view.Surface = &world->surface;
        static_cast<ViewPosition&>(view) = kept;
    }

    world->mini.Rebuild(640);
    world->mini.PlotCell(byte(10), byte(11));
    world->mini.DXDraw1MouseDown(byte(12) % 300, byte(13) % 200);
    Require(world->mini.DXDraw1.Width() == world->mini.Picture.Width());
    return 0;
}
