// Writes sprite files: DirectDraw Surface layouts and the "DDSR", "DDSL", "DDS2" containers.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/RgbaImage.h"

namespace tess::writers {

enum class DdsFormat { A4R4G4B4, A8R8G8B8, R5G6B5, Dxt3, TiledDxt3 };

struct DdsOptions {
    DdsFormat Format = DdsFormat::A8R8G8B8;
    bool PlusMagic = false;  // "DDS+" instead of "DDS "
    // Tiled DXT3 only: the tile size, multiples of 4 up to 65532.
    int32_t TileWidth = 64;
    int32_t TileHeight = 64;
};

// A DirectDraw Surface file: the 128-byte header and the pixel data. DXT3 stores the whole
// 4 x 4 blocks of the picture (width / 4 per row, height / 4 rows), as the loader reads them;
// tiled DXT3 stores enough tiles to cover the picture, parts outside it transparent black.
std::vector<uint8_t> WriteDds(const RgbaImage& image, const DdsOptions& options = {});

enum class TilePixels { A4R4G4B4, R5G6B5, A8R8G8B8 };

struct TiledOptions {
    TilePixels Pixels = TilePixels::A4R4G4B4;  // A8R8G8B8 only in "DDSL"
    int32_t TileSize = 32;
    // Tile rows per band; rows after the first are reached through the first tile's down link.
    int32_t RowsPerBand = 1;
    // Store tiles whose pixels are all zero as empty tiles (data length 0).
    bool EmptyTiles = true;
};

// "DDSR": run-length coded tiles. Parts of edge tiles outside the picture are transparent.
std::vector<uint8_t> WriteDdsr(const RgbaImage& image, const TiledOptions& options = {});
// "DDSL": dictionary coded tiles, one dictionary per band.
std::vector<uint8_t> WriteDdsl(const RgbaImage& image, const TiledOptions& options = {});
// "DDS2": an animation strip in A4R4G4B4 run-length tiles of tileSize (> 2) pixels whose
// one-pixel borders repeat the neighbouring tiles' pixels. Pixels with alpha 0 show magenta.
std::vector<uint8_t> WriteDds2(const RgbaImage& image, int32_t tileSize = 34);

}  // namespace tess::writers
