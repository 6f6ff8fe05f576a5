// The pictures the view draws at one tile size: terrain, objects and walls, and their run forms.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "map/ObjectsDat.h"
#include "map/TerenDat.h"
#include "map/WallDat.h"
#include "view/RunPicture.h"

namespace tess {

class tMapa;

// The three marker sets of the terrain catalogue.
enum class MarkerSet { Select, Blocked, Cursor };

// Owns the terrain catalogue, the object catalogue and the 16 wall kinds of one tile size, and
// keeps every picture it has drawn decoded into runs. Run forms are made on first use and kept:
// terrain pictures are checked against their source once per frame (the map's load and the
// terrain palette reload them in place), object and wall pictures load once and never change.
class tZoom {
  public:
    tZoom();
    ~tZoom();
    tZoom(const tZoom&) = delete;
    tZoom& operator=(const tZoom&) = delete;

    // Builds everything for the tile size: the terrain catalogue from directory + "TERENY-/"
    // (which resets the map's terrain list), the object catalogue from "DATA/objects.dbf" with
    // the picture directory directory + "../" (through its cache "objects.kar"), and the walls
    // from directory + "WALL/zed01.bmp" .. "WALL/zed16.bmp".
    void Create(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                int32_t tileHeight, tMapa& map);
    // The same with an object catalogue the caller has built (tools that must not write the
    // cache, tests).
    void Create(const std::string& directory, int32_t tileWidth, int32_t levelDepth,
                int32_t tileHeight, tMapa& map, std::unique_ptr<tObjects> objects);

    tTerens Terens;
    std::unique_ptr<tObjects> Objects;
    std::array<std::unique_ptr<tWall>, kWallKinds> Walls;  // kinds 1..16 at 0..15

    int32_t TileWidth = 32;
    int32_t TileHeight = 16;
    int32_t LevelDepth = 4;

    // --- run forms, for the view -----------------------------------------------------------

    // Marks the start of a frame: terrain pictures are checked again on their next use.
    void BeginFrame() { ++frame_; }
    // The terrain picture of a cell (tTerens::CellPicture) as runs; nullptr when there is none.
    const RunPicture* TerrainRuns(int terrain, int tileVariant, int shapeMask);
    // A marker of the shape mask 0..14.
    const RunPicture& MarkerRuns(MarkerSet set, int shapeMask) const;
    // The picture of wall kind 1..16 as runs; nullptr for other kinds or an empty picture.
    const RunPicture* WallRuns(int kind);
    // The loaded picture of a catalogue entry as runs; nullptr when it has none.
    const RunPicture* ObjectRuns(const tObject& entry);

    // The anchor shift of a cell's Jitter in pixels: nearest((Jitter mod 16 - 8) / 16 * TW/2)
    // and nearest((Jitter div 16 - 8) / 16 * TH/2), ties to even.
    int32_t JitterX(int jitter) const { return jitterX_[static_cast<size_t>(jitter & 255)]; }
    int32_t JitterY(int jitter) const { return jitterY_[static_cast<size_t>(jitter & 255)]; }

  private:
    // A terrain picture's runs with the source they were made from, to notice a reload.
    struct TerrainEntry {
        RunPicture Runs;
        std::vector<uint16_t> Source;
        int32_t Width = -1;
        int32_t Height = -1;
        uint16_t Key = 0;
        uint64_t CheckedFrame = 0;
    };
    struct PictureEntry {
        const tObject* Owner = nullptr;
        const uint16_t* Pixels = nullptr;
        int32_t Width = 0;
        int32_t Height = 0;
        RunPicture Runs;
    };
    // Pictures per terrain slot: 4 flat variants, then set 0 masks 1..14, set 1 masks 1..14.
    static constexpr int kTerrainPictures = 4 + 2 * 14;

    void SetSizes(int32_t tileWidth, int32_t levelDepth, int32_t tileHeight);
    void DecodeMarkers();
    void CreateWalls(const std::string& directory, tMapa& map);

    uint64_t frame_ = 1;
    std::vector<TerrainEntry> terrain_;  // (slot 0..14) * kTerrainPictures + picture
    std::array<std::array<RunPicture, kShapeMasks>, 3> markers_;
    std::array<RunPicture, kShapeMasks> neutral_;
    std::array<std::unique_ptr<RunPicture>, kWallKinds> walls_;
    std::vector<std::unique_ptr<PictureEntry>> objects_;  // by object number
    std::array<int32_t, 256> jitterX_{};
    std::array<int32_t, 256> jitterY_{};
};

}  // namespace tess
