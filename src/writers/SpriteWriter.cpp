// Writes sprite files: DirectDraw Surface layouts and the "DDSR", "DDSL", "DDS2" containers.
#include "writers/SpriteWriter.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "resources/Bytes.h"
#include "writers/SpriteEncoders.h"

namespace tess::writers {

namespace {

// Header flags: caps, height, width, pixel format, and pitch or linear size.
constexpr uint32_t kHeaderFlagsPitch = 0x1 | 0x2 | 0x4 | 0x1000 | 0x8;
constexpr uint32_t kHeaderFlagsLinear = 0x1 | 0x2 | 0x4 | 0x1000 | 0x80000;
constexpr uint32_t kPixelRgb = 0x40, kPixelAlpha = 0x1, kPixelFourCc = 0x4;
constexpr uint32_t kCapsTexture = 0x1000;

struct DdsPixelFormat {
    uint32_t flags = 0, fourCc = 0, bitCount = 0, red = 0, green = 0, blue = 0, alpha = 0;
};

void WriteDdsHeader(ByteWriter& w, const RgbaImage& image, bool plus, uint32_t headerFlags,
                    uint32_t pitchOrSize, const DdsPixelFormat& pf, uint32_t caps3,
                    uint32_t caps4) {
    w.Bytes(plus ? "DDS+" : "DDS ", 4);
    w.U32(124);
    w.U32(headerFlags);
    w.U32(uint32_t(image.Height));
    w.U32(uint32_t(image.Width));
    w.U32(pitchOrSize);
    w.U32(0);  // depth
    w.U32(0);  // mipmap count
    w.Zeros(44);
    w.U32(32);  // pixel format size
    w.U32(pf.flags);
    w.U32(pf.fourCc);
    w.U32(pf.bitCount);
    w.U32(pf.red);
    w.U32(pf.green);
    w.U32(pf.blue);
    w.U32(pf.alpha);
    w.U32(kCapsTexture);
    w.U32(0);
    w.U32(caps3);
    w.U32(caps4);
    w.U32(0);
}

// The DXT3 blocks of the area (x0, y0) .. + blocksX * 4, blocksY * 4, row by row.
void WriteDxt3Blocks(ByteWriter& w, const RgbaImage& image, int32_t x0, int32_t y0, int32_t blocksX,
                     int32_t blocksY) {
    std::array<RgbaPixel, 16> block;
    for (int32_t by = 0; by < blocksY; ++by) {
        for (int32_t bx = 0; bx < blocksX; ++bx) {
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    block[size_t(j * 4 + i)] = image.Get(x0 + bx * 4 + i, y0 + by * 4 + j);
            const std::array<uint8_t, 16> bytes = EncodeDxt3Block(block);
            w.Bytes(bytes.data(), bytes.size());
        }
    }
}

int32_t CeilDiv(int32_t a, int32_t b) {
    return (a + b - 1) / b;
}

struct TiledBits {
    uint8_t red, green, blue, alpha;
    int bytesPerPixel;
};

TiledBits BitsOf(TilePixels pixels) {
    switch (pixels) {
        case TilePixels::A4R4G4B4:
            return {4, 4, 4, 4, 2};
        case TilePixels::R5G6B5:
            return {5, 6, 5, 0, 2};
        case TilePixels::A8R8G8B8:
            return {8, 8, 8, 8, 4};
    }
    return {4, 4, 4, 4, 2};
}

void PutPixel(std::vector<uint8_t>& out, TilePixels pixels, const RgbaPixel& p) {
    switch (pixels) {
        case TilePixels::A4R4G4B4: {
            const uint16_t v = ToArgb4444(p);
            out.push_back(static_cast<uint8_t>(v));
            out.push_back(static_cast<uint8_t>(v >> 8));
            break;
        }
        case TilePixels::R5G6B5: {
            const uint16_t v = ToRgb565(p);
            out.push_back(static_cast<uint8_t>(v));
            out.push_back(static_cast<uint8_t>(v >> 8));
            break;
        }
        case TilePixels::A8R8G8B8:
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
            break;
    }
}

struct EncodedTile {
    uint32_t size = 0;
    std::vector<uint8_t> data;  // empty: an empty tile
};

// Lays out one band: its header, then the tile rows one after another; each row's tiles are
// chained by right links and each row's first tile links down to the next row's first tile.
void WriteBand(ByteWriter& w, const std::vector<std::vector<EncodedTile>>& rows, int32_t bandHeight,
               bool more) {
    w.I32(bandHeight);
    w.U32(0);
    w.U32(0);
    w.U32(more ? 1 : 0);
    std::vector<std::vector<uint32_t>> positions(rows.size());
    uint64_t p = w.Size();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const EncodedTile& t : rows[r]) {
            positions[r].push_back(static_cast<uint32_t>(p));
            p += 16 + t.data.size();
        }
    }
    if (p > UINT32_MAX) throw std::length_error("sprite file too large");
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const EncodedTile& t = rows[r][c];
            w.U32(c == 0 && r + 1 < rows.size() ? positions[r + 1][0] : 0);
            w.U32(c + 1 < rows[r].size() ? positions[r][c + 1] : 0);
            w.U32(t.size);
            w.U32(static_cast<uint32_t>(t.data.size()));
            w.Bytes(t.data.data(), t.data.size());
        }
    }
}

std::vector<uint8_t> WriteTiled(const RgbaImage& image, const TiledOptions& o, bool dictionary) {
    if (o.TileSize < 1 || o.RowsPerBand < 1) throw std::invalid_argument("bad tile layout");
    if (!dictionary && o.Pixels == TilePixels::A8R8G8B8)
        throw std::invalid_argument("run-length tiles are 16-bit");
    const TiledBits bits = BitsOf(o.Pixels);
    const int32_t s = o.TileSize;
    const int32_t cols = std::max(1, CeilDiv(image.Width, s));
    const int32_t tileRows = std::max(1, CeilDiv(image.Height, s));
    const int32_t bands = CeilDiv(tileRows, o.RowsPerBand);

    ByteWriter w;
    w.Bytes(dictionary ? "DDSL" : "DDSR", 4);
    w.I32(image.Height);
    w.I32(image.Width);
    w.U8(bits.red);
    w.U8(bits.green);
    w.U8(bits.blue);
    w.U8(bits.alpha);
    w.U32(20);

    DictionaryEncoder encoder;
    std::vector<uint8_t> raw;
    std::vector<uint16_t> pixels16;
    for (int32_t b = 0; b < bands; ++b) {
        const int32_t firstRow = b * o.RowsPerBand;
        const int32_t rowCount = std::min(o.RowsPerBand, tileRows - firstRow);
        encoder.Reset();
        std::vector<std::vector<EncodedTile>> rows(static_cast<size_t>(rowCount));
        for (int32_t r = 0; r < rowCount; ++r) {
            for (int32_t c = 0; c < cols; ++c) {
                raw.clear();
                for (int32_t j = 0; j < s; ++j)
                    for (int32_t i = 0; i < s; ++i)
                        PutPixel(raw, o.Pixels, image.Get(c * s + i, (firstRow + r) * s + j));
                EncodedTile tile;
                tile.size = uint32_t(s);
                const bool allZero =
                    std::all_of(raw.begin(), raw.end(), [](uint8_t v) { return v == 0; });
                if (!(o.EmptyTiles && allZero)) {
                    if (dictionary) {
                        tile.data = encoder.EncodeTile(raw, uint32_t(s * bits.bytesPerPixel));
                    } else {
                        pixels16.resize(raw.size() / 2);
                        for (size_t k = 0; k < pixels16.size(); ++k)
                            pixels16[k] = static_cast<uint16_t>(raw[2 * k] | raw[2 * k + 1] << 8);
                        tile.data = EncodeRleTile(pixels16);
                    }
                }
                rows[size_t(r)].push_back(std::move(tile));
            }
        }
        WriteBand(w, rows, rowCount * s, b + 1 < bands);
    }
    return std::move(w.Data());
}

}  // namespace

std::vector<uint8_t> WriteDds(const RgbaImage& image, const DdsOptions& o) {
    ByteWriter w;
    const uint32_t width = uint32_t(image.Width), height = uint32_t(image.Height);
    switch (o.Format) {
        case DdsFormat::A4R4G4B4:
        case DdsFormat::R5G6B5: {
            const bool alpha = o.Format == DdsFormat::A4R4G4B4;
            const DdsPixelFormat pf =
                alpha
                    ? DdsPixelFormat{kPixelRgb | kPixelAlpha, 0, 16, 0x0F00, 0x00F0, 0x000F, 0xF000}
                    : DdsPixelFormat{kPixelRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
            WriteDdsHeader(w, image, o.PlusMagic, kHeaderFlagsPitch, width * 2, pf, 0, 0);
            for (const RgbaPixel& p : image.Pixels)
                w.U16(alpha ? ToArgb4444(p) : ToRgb565(p));
            break;
        }
        case DdsFormat::A8R8G8B8: {
            const DdsPixelFormat pf{
                kPixelRgb | kPixelAlpha, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
            WriteDdsHeader(w, image, o.PlusMagic, kHeaderFlagsPitch, width * 4, pf, 0, 0);
            for (const RgbaPixel& p : image.Pixels)
                w.Bytes(std::array{p.b, p.g, p.r, p.a}.data(), 4);
            break;
        }
        case DdsFormat::Dxt3: {
            const DdsPixelFormat pf{kPixelFourCc, 'D' | 'X' << 8 | 'T' << 16 | uint32_t('3') << 24};
            WriteDdsHeader(w, image, o.PlusMagic, kHeaderFlagsLinear,
                           (width / 4) * (height / 4) * 16, pf, 0, 0);
            WriteDxt3Blocks(w, image, 0, 0, image.Width / 4, image.Height / 4);
            break;
        }
        case DdsFormat::TiledDxt3: {
            const int32_t tw = o.TileWidth, th = o.TileHeight;
            if (tw < 4 || th < 4 || tw % 4 || th % 4 || tw > 65532 || th > 65532)
                throw std::invalid_argument("tile sides are multiples of 4 up to 65532");
            const int32_t perRow = CeilDiv(image.Width, tw), rows = CeilDiv(image.Height, th);
            if (perRow > 65535 || rows > 65535) throw std::invalid_argument("too many tiles");
            const DdsPixelFormat pf{kPixelFourCc, 'D' | 'X' << 8 | 'T' << 16 | uint32_t('3') << 24};
            const uint32_t tileBytes = uint32_t(tw / 4) * uint32_t(th / 4) * 16;
            WriteDdsHeader(w, image, o.PlusMagic, kHeaderFlagsLinear,
                           tileBytes * uint32_t(perRow) * uint32_t(rows), pf,
                           uint32_t(perRow) | uint32_t(rows) << 16,
                           uint32_t(tw) | uint32_t(th) << 16);
            for (int32_t t = 0; t < rows; ++t)
                for (int32_t c = 0; c < perRow; ++c)
                    WriteDxt3Blocks(w, image, c * tw, t * th, tw / 4, th / 4);
            break;
        }
    }
    return std::move(w.Data());
}

std::vector<uint8_t> WriteDdsr(const RgbaImage& image, const TiledOptions& options) {
    return WriteTiled(image, options, false);
}

std::vector<uint8_t> WriteDdsl(const RgbaImage& image, const TiledOptions& options) {
    return WriteTiled(image, options, true);
}

std::vector<uint8_t> WriteDds2(const RgbaImage& image, int32_t tileSize) {
    if (tileSize <= 2) throw std::invalid_argument("strip tiles are larger than 2 pixels");
    const int32_t inner = tileSize - 2;
    const int32_t cols = std::max(1, CeilDiv(image.Width, inner));
    const int32_t rows = std::max(1, CeilDiv(image.Height, inner));
    ByteWriter w;
    w.Bytes("DDS2", 4);
    w.I32(image.Height);
    w.I32(image.Width);
    for (int k = 0; k < 4; ++k)
        w.U8(4);
    w.U32(28);
    w.U32(0);  // two values the loader skips
    w.U32(0);
    std::vector<uint16_t> pixels(size_t(tileSize) * size_t(tileSize));
    for (int32_t r = 0; r < rows; ++r) {
        std::vector<std::vector<EncodedTile>> band(1);
        for (int32_t c = 0; c < cols; ++c) {
            // Tile pixel (i, j) is picture pixel (c * inner + i - 1, r * inner + j - 1): the
            // border repeats the neighbours' edge pixels.
            for (int32_t j = 0; j < tileSize; ++j) {
                for (int32_t i = 0; i < tileSize; ++i) {
                    const RgbaPixel p = image.Get(c * inner + i - 1, r * inner + j - 1);
                    uint16_t v = 0;
                    if (p.a != 0) {
                        v = ToArgb4444(p);
                        if ((v >> 12) == 0) v |= 0x1000;  // any alpha but 0 shows the colour
                    }
                    pixels[size_t(j) * size_t(tileSize) + size_t(i)] = v;
                }
            }
            EncodedTile tile;
            tile.size = uint32_t(tileSize);
            if (std::any_of(pixels.begin(), pixels.end(), [](uint16_t v) { return v != 0; }))
                tile.data = EncodeRleTile(pixels);
            band[0].push_back(std::move(tile));
        }
        WriteBand(w, band, inner, r + 1 < rows);
    }
    return std::move(w.Data());
}

}  // namespace tess::writers
