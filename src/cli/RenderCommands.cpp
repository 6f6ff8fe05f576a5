// tessarine-cli render commands: the map view and the mini-map as PNG pictures.
#include <algorithm>
#include <iostream>
#include <memory>

#include "cli/Cli.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "view/LitleMap.h"
#include "view/MapPicture.h"
#include "view/ViewDat.h"
#include "writers/PngFile.h"

namespace tess::cli {

namespace {

constexpr const char* kZoomDirectory = "PICTURES/32x16/";
constexpr int32_t kDefaultViewWidth = 1024;
constexpr int32_t kDefaultViewHeight = 768;
// A whole-map picture is drawn in bands of this many rows, each in parts at most this wide, so
// no surface of the whole picture is ever held (a 2047 x 2047 map is 65,504 x 16,376 pixels).
constexpr int32_t kBandRows = 256;
constexpr int32_t kPartColumns = 8192;

// The map, store and view of one run, set up as the editor's start-up does: the view and its
// pictures first (the terrain catalogue resets the terrain list), then the map pair, then the
// terrain pictures of the map's own terrain list.
struct RenderSession {
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();
    tSurface surface;
    tView view;

    RenderSession(int32_t width, int32_t height) {
        surface.SetSize(width, height);
        map->ReadWallTable();
        view.Create(surface, *map, SurfaceRect{0, 0, width, height});
        view.Store = store.get();
        view.SetZoom(kZoomDirectory, 32, 4, 16, LoadObjectCatalogue());
    }

    // Opens the map pair; the view takes the stored view centre.
    bool Open(const std::string& path) {
        if (!OpenMapPair(*map, *store, *view.Zoom->Objects, view, path, GameDataName(path),
                         nullptr))
            return false;
        view.Zoom->Terens.LoadPictures(std::string(kZoomDirectory) + "TERENY-/");
        return true;
    }
};

// The whole map, band by band; returns the picture's size.
std::pair<int64_t, int64_t> WriteWholeMapPng(const std::string& path, tView& view) {
    MapPicture picture(view);
    if (picture.Width() < 1 || picture.Height() < 1) throw InputError("the map has no cells");
    const int64_t width = picture.Width(), height = picture.Height();
    writers::PngFile png(path, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    std::vector<uint8_t> band(static_cast<size_t>(width) * 3 * kBandRows);
    tSurface part;
    view.Surface = &part;
    for (int64_t top = 0; top < height; top += kBandRows) {
        const int32_t rows = static_cast<int32_t>(std::min<int64_t>(kBandRows, height - top));
        for (int64_t left = 0; left < width; left += kPartColumns) {
            const int32_t columns =
                static_cast<int32_t>(std::min<int64_t>(kPartColumns, width - left));
            if (part.Width() != columns || part.Height() != rows) part.SetSize(columns, rows);
            picture.DrawPart(left, top);
            for (int32_t y = 0; y < rows; ++y)
                writers::Rgb565ToRgb(
                    part.Row(y), static_cast<size_t>(columns),
                    band.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) +
                                   static_cast<size_t>(left)) *
                                      3);
        }
        for (int32_t y = 0; y < rows; ++y)
            png.AddRow(band.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3);
    }
    png.Commit();
    return {width, height};
}

int MapRender(const Args& args) {
    args.Expect(1, 1, {"-o", "--game-dir", "--view", "--layers"});
    const std::string path = UserPath(args.Positional(0, "MAP"));
    const std::string out = UserPath(args.Required("-o"));
    const bool all = args.Flag("--all");
    if (all && args.Has("--view")) throw UsageError("--view does not go with --all");
    std::vector<int> rect;
    if (args.Has("--view")) {
        rect = ParseIntList(args.Option("--view"), 4, "--view");
        if (rect[2] < 1 || rect[3] < 1 || rect[2] > tSurface::kMaxSide ||
            rect[3] > tSurface::kMaxSide)
            throw UsageError("--view: width and height must lie in 1.." +
                             std::to_string(tSurface::kMaxSide));
    }
    int layers = kAllLayers;
    if (args.Has("--layers")) {
        layers = ParseIntList(args.Option("--layers"), 1, "--layers")[0];
        if (layers < 0 || layers > kAllLayers)
            throw UsageError(
                "--layers: a mask of 0..63 (1 objects, 2 trees with Tree_idx, "
                "4 other trees, 8 buildings, 16 units, 32 walls)");
    }
    EnterGameDirectory(args);
    const int32_t width = rect.empty() ? kDefaultViewWidth : rect[2];
    const int32_t height = rect.empty() ? kDefaultViewHeight : rect[3];
    RenderSession session(width, height);
    if (!session.Open(path)) return kBadInput;
    tView& view = session.view;
    view.Layers = static_cast<uint8_t>(layers);
    if (all) {
        const auto [pictureWidth, pictureHeight] = WriteWholeMapPng(out, view);
        PrintJson({{"File", out},
                   {"Width", pictureWidth},
                   {"Height", pictureHeight},
                   {"Layers", layers}});
        return kOk;
    }
    if (!rect.empty()) {
        view.X = rect[0];
        view.Y = rect[1];
    }
    view.Draw(false);
    writers::WriteSurfacePng(out, session.surface);
    PrintJson({{"File", out},
               {"Width", width},
               {"Height", height},
               {"X", view.X},
               {"Y", view.Y},
               {"Layers", layers}});
    return kOk;
}

int MapMinimap(const Args& args) {
    args.Expect(1, 1, {"-o", "--game-dir"});
    const std::string path = UserPath(args.Positional(0, "MAP"));
    const std::string out = UserPath(args.Required("-o"));
    EnterGameDirectory(args);
    RenderSession session(kDefaultViewWidth, kDefaultViewHeight);
    // The editor takes the colours once, from the pictures of the default terrain list.
    tLitleMap mini;
    mini.ComputeColors(session.view.Zoom->Terens);
    if (!session.Open(path)) return kBadInput;
    mini.Map = session.map.get();
    mini.Store = session.store.get();
    mini.View = &session.view;
    mini.Rebuild(kDefaultViewWidth);
    if (mini.DXDraw1.Empty()) throw InputError("the map has no cells");
    writers::WriteSurfacePng(out, mini.DXDraw1);
    const SurfaceRect frame = mini.FrameRect();
    PrintJson({{"File", out},
               {"Width", mini.DXDraw1.Width()},
               {"Height", mini.DXDraw1.Height()},
               {"ScaleX", mini.ScaleX},
               {"ScaleY", mini.ScaleY},
               {"Frame", {frame.Left, frame.Top, frame.Right, frame.Bottom}}});
    return kOk;
}

const Registration render({"map",
                           "render",
                           "map render MAP -o OUT.png [--game-dir DIR] [--view X,Y,WIDTH,HEIGHT] "
                           "[--all] [--layers MASK]",
                           {"--all"},
                           MapRender});
const Registration minimap(
    {"map", "minimap", "map minimap MAP -o OUT.png [--game-dir DIR]", {}, MapMinimap});

}  // namespace

}  // namespace tess::cli
