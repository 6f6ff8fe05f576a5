// Seeds for the sprite and bitmap fuzz targets: small files in every container and layout.
#include <cstring>
#include <vector>

#include "Seeds.h"
#include "resources/Bytes.h"
#include "writers/BitmapWriter.h"
#include "writers/SpriteWriter.h"

namespace tess::fuzz {

namespace {

// A seed for its own target; sprite seeds go to fuzz_sprites_real as well, which decodes every
// container with the program's own limits.
void Put(const std::string& corpusDir, const std::string& target, const std::string& name,
         const std::vector<uint8_t>& bytes) {
    WriteSeed(corpusDir, target, name, bytes);
    if (target != "fuzz_bitmap")
        WriteSeed(corpusDir, "fuzz_sprites_real", target + "-" + name, bytes);
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

// Files of a few dozen bytes whose headers declare the largest picture: bands and tiles cut off
// or present, so that the decoders meet the header's claim with almost no content behind it.
void PutHugeHeaders(const std::string& corpusDir) {
    for (const char* magic : {"DDSR", "DDSL", "DDS2"}) {
        const bool strip = magic[3] == '2';
        ByteWriter w;
        w.Bytes(magic, 4);
        w.I32(16384);  // height
        w.I32(16384);  // width
        const uint8_t bits[4] = {4, 4, 4, 4};
        w.Bytes(bits, 4);
        w.U32(strip ? 28 : 20);
        if (strip) w.Zeros(8);
        w.I32(16384);  // one band of the picture's height, no band after it
        w.Zeros(8);
        w.U32(0);
        std::vector<uint8_t> cut = w.Data();
        cut.resize(40);
        // One empty tile of the largest size, and one of one byte that must be decoded.
        ByteWriter emptyTile = w, oneByte = w;
        for (ByteWriter* t : {&emptyTile, &oneByte}) {
            t->U32(0);
            t->U32(0);
            t->U32(4096);
            t->U32(t == &oneByte ? 1 : 0);
        }
        oneByte.U8(0);
        const std::string target = strip             ? "fuzz_dds2"
                                   : magic[3] == 'R' ? "fuzz_ddsr"
                                                     : "fuzz_ddsl";
        Put(corpusDir, target, "huge-40-bytes", cut);
        Put(corpusDir, target, "huge-empty-tile", emptyTile.Data());
        Put(corpusDir, target, "huge-one-byte-tile", oneByte.Data());
    }
    // A tiled DXT3 header of the largest picture with no tile behind it.
    std::vector<uint8_t> dds(128, 0);
    std::memcpy(dds.data(), "DDS ", 4);
    PutLeU32(dds.data() + 12, 16384);
    PutLeU32(dds.data() + 16, 16384);
    PutLeU32(dds.data() + 80, 4);
    std::memcpy(dds.data() + 84, "DXT3", 4);
    PutLeU32(dds.data() + 120, 4 | 4 << 16);
    Put(corpusDir, "fuzz_dds", "huge-tiled-dxt3", dds);
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

    PutHugeHeaders(corpusDir);

    Put(corpusDir, "fuzz_bitmap", "24bit", writers::WriteBmp24(img));
    Put(corpusDir, "fuzz_bitmap", "24bit-odd", writers::WriteBmp24(Sample(5, 3)));
}

}  // namespace tess::fuzz
