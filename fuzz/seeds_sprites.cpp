// Seeds for the sprite and bitmap fuzz targets: small files in every container and layout.
#include <filesystem>
#include <fstream>
#include <vector>

#include "Seeds.h"
#include "resources/BigFile.h"
#include "writers/BitmapWriter.h"
#include "writers/SpriteWriter.h"

namespace tess::fuzz {

namespace {

void Put(const std::string& corpusDir, const std::string& target, const std::string& name,
         const std::vector<uint8_t>& bytes) {
    const std::filesystem::path dir = std::filesystem::path(corpusDir) / target;
    std::filesystem::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw IoError("cannot write seed " + (dir / name).string());
}

// A small picture with transparent corners, a few colours and a gradient.
writers::RgbaImage Sample(int w, int h) {
    writers::RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + 2 * y) % 7 != 0)
                img.At(x, y) = {uint8_t(x * 16), uint8_t(y * 20), uint8_t(128 + x * y),
                                uint8_t(x * 30 + y)};
    return img;
}

}  // namespace

void WriteSpriteSeeds(const std::string& corpusDir) {
    const writers::RgbaImage img = Sample(16, 12), odd = Sample(10, 10);
    using writers::DdsFormat;
    Put(corpusDir, "fuzz_dds", "a4r4g4b4", writers::WriteDds(img, {DdsFormat::A4R4G4B4}));
    Put(corpusDir, "fuzz_dds", "a8r8g8b8", writers::WriteDds(img, {DdsFormat::A8R8G8B8, true}));
    Put(corpusDir, "fuzz_dds", "r5g6b5", writers::WriteDds(img, {DdsFormat::R5G6B5}));
    Put(corpusDir, "fuzz_dds", "dxt3", writers::WriteDds(odd, {DdsFormat::Dxt3}));
    writers::DdsOptions tiled{DdsFormat::TiledDxt3};
    tiled.TileWidth = 8;
    tiled.TileHeight = 4;
    Put(corpusDir, "fuzz_dds", "dxt3-tiled", writers::WriteDds(img, tiled));

    for (int rows : {1, 2}) {
        writers::TiledOptions o;
        o.TileSize = 8;
        o.RowsPerBand = rows;
        const std::string suffix = rows == 1 ? "" : "-down";
        Put(corpusDir, "fuzz_ddsr", "a4r4g4b4" + suffix, writers::WriteDdsr(img, o));
        Put(corpusDir, "fuzz_ddsl", "a4r4g4b4" + suffix, writers::WriteDdsl(img, o));
        o.Pixels = writers::TilePixels::R5G6B5;
        Put(corpusDir, "fuzz_ddsr", "r5g6b5" + suffix, writers::WriteDdsr(odd, o));
        Put(corpusDir, "fuzz_ddsl", "r5g6b5" + suffix, writers::WriteDdsl(odd, o));
        o.Pixels = writers::TilePixels::A8R8G8B8;
        Put(corpusDir, "fuzz_ddsl", "a8r8g8b8" + suffix, writers::WriteDdsl(img, o));
    }
    // A band wide enough for wider codes and zero runs.
    writers::TiledOptions wide;
    wide.Pixels = writers::TilePixels::A8R8G8B8;
    wide.TileSize = 16;
    Put(corpusDir, "fuzz_ddsl", "wide", writers::WriteDdsl(Sample(64, 16), wide));

    Put(corpusDir, "fuzz_dds2", "strip6", writers::WriteDds2(img, 6));
    Put(corpusDir, "fuzz_dds2", "strip12", writers::WriteDds2(odd, 12));

    Put(corpusDir, "fuzz_bitmap", "24bit", writers::WriteBmp24(img));
    Put(corpusDir, "fuzz_bitmap", "24bit-odd", writers::WriteBmp24(Sample(5, 3)));
}

}  // namespace tess::fuzz
