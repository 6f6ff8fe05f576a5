// Sprite files: DirectDraw Surface files and the tiled "DDSR", "DDSL" and "DDS2" containers.
#include "resources/Sprites.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/SpriteLzw.h"
#include "resources/SpriteRle.h"
#include "resources/UiHost.h"

namespace tess {

namespace {

constexpr size_t kDdsHeaderSize = 128;
constexpr size_t kTiledHeaderSize = 20;
constexpr size_t kStripHeaderSize = 28;  // the tiled header and two unused values
constexpr size_t kBandHeaderSize = 16;
constexpr size_t kTileHeaderSize = 16;
constexpr uint32_t kFourCcDxt3 = 'D' | 'X' << 8 | 'T' << 16 | uint32_t('3') << 24;

constexpr char kLoadDds[] = "LoadDDStoSurface";
constexpr char kLoadDdsl[] = "LoadDDSLtoSurface";
constexpr char kLoadDdsr[] = "LoadDDSRtoSurface";
constexpr char kLoadDds2[] = "LoadDDS2toSurface";

// a * b, or the largest value when the product does not fit.
uint64_t MulSaturated(uint64_t a, uint64_t b) {
    return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}
uint64_t AddSaturated(uint64_t a, uint64_t b) {
    return b > UINT64_MAX - a ? UINT64_MAX : a + b;
}

bool MagicIs(std::span<const uint8_t> data, const char* magic) {
    return data.size() >= 4 && std::memcmp(data.data(), magic, 4) == 0;
}

// Our own refusals of files beyond the loader's bounds: "<loader> <file>: <why>".
void Refuse(const char* loader, const std::string& name, const std::string& why) {
    ErrorBox(std::string(loader) + " " + name + ": " + why);
}

// What one decode may allocate: limits.BaseMemoryBytes + limits.MemoryPerFileByte for each byte
// of the file. Set aside first: the file's bytes (read by the loader, and a second time when
// LoadDDStoSurface hands a "DDSL" file on), the tile walk's record of the tiles it visited (at
// most one per 16 bytes of file) and the dictionary's first entries. Surfaces, the tile buffer
// and the dictionary take from the rest before they are allocated.
class MemoryBudget {
  public:
    MemoryBudget(const SpriteLimits& limits, uint64_t fileBytes)
        : fileBytes_(fileBytes),
          total_(AddSaturated(limits.BaseMemoryBytes,
                              MulSaturated(limits.MemoryPerFileByte, fileBytes))),
          left_(total_) {
        Take(AddSaturated(MulSaturated(kFileShare, fileBytes), kFixedBytes));
    }

    uint64_t Left() const { return left_; }
    bool Take(uint64_t bytes) {
        if (bytes > left_) {
            left_ = 0;
            return false;
        }
        left_ -= bytes;
        return true;
    }
    // "..., more than a file of F bytes may take (T)", for refusals.
    std::string Beyond() const {
        return "more than a file of " + std::to_string(fileBytes_) + " bytes may take (" +
               std::to_string(total_) + ")";
    }

  private:
    static constexpr uint64_t kFileShare = 8;
    static constexpr uint64_t kFixedBytes = uint64_t(1) << 20;

    uint64_t fileBytes_;
    uint64_t total_;
    uint64_t left_;
};

// The bytes of the pixel buffer of a width x height surface (rows padded to an even width).
uint64_t SurfaceBytes(int64_t width, int64_t height) {
    return uint64_t((std::max<int64_t>(width, 0) + 1) & ~int64_t(1)) *
           uint64_t(std::max<int64_t>(height, 0)) * 2;
}

// Takes the memory of `count` surfaces of the picture from the budget; refuses the file when
// they do not fit.
bool SurfacesFit(const char* loader, const std::string& name, int64_t width, int64_t height,
                 int count, MemoryBudget& budget) {
    const uint64_t bytes = SurfaceBytes(width, height) * uint64_t(count);
    if (budget.Take(bytes)) return true;
    Refuse(loader, name,
           "picture of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels needs " + std::to_string(bytes) + " bytes, " + budget.Beyond());
    return false;
}

bool PictureSizeAccepted(const char* loader, const std::string& name, int64_t width, int64_t height,
                         const SpriteLimits& limits) {
    if (width >= 0 && height >= 0 && width <= limits.MaxSide && height <= limits.MaxSide)
        return true;
    Refuse(loader, name,
           "picture of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels is outside 0.." + std::to_string(limits.MaxSide) + " per side");
    return false;
}

// --- DirectDraw Surface ----------------------------------------------------------------------

struct DdsHeader {
    uint32_t height, width, flags, fourCc, bitCount, red, green, blue, alpha, caps3, caps4;
};

DdsHeader ParseDds(const uint8_t* p) {
    return {LeU32(p + 12),  LeU32(p + 16),  LeU32(p + 80), LeU32(p + 84),
            LeU32(p + 88),  LeU32(p + 92),  LeU32(p + 96), LeU32(p + 100),
            LeU32(p + 104), LeU32(p + 116), LeU32(p + 120)};
}

// Decodes blocksX x blocksY DXT3 blocks (16 bytes each, in row order) with the top-left block
// at (x0, y0); pixels off the surfaces are dropped.
void DecodeDxt3Blocks(const uint8_t* data, int64_t blocksX, int64_t blocksY, tSurface& target,
                      tSurface* alpha, int64_t x0, int64_t y0) {
    const int64_t width = target.Width(), height = target.Height();
    for (int64_t by = 0; by < blocksY; ++by) {
        const int64_t py = y0 + 4 * by;
        if (py >= height) break;
        if (py + 4 <= 0) continue;
        for (int64_t bx = 0; bx < blocksX; ++bx) {
            const int64_t px = x0 + 4 * bx;
            if (px >= width) break;
            if (px + 4 <= 0) continue;
            const uint8_t* block = data + (by * blocksX + bx) * 16;
            const uint16_t c0 = LeU16(block + 8), c1 = LeU16(block + 10);
            const uint32_t r0 = Expand5(c0 >> 11), g0 = Expand6(c0 >> 5), b0 = Expand5(c0);
            const uint32_t r1 = Expand5(c1 >> 11), g1 = Expand6(c1 >> 5), b1 = Expand5(c1);
            // Each term is truncated on its own; four colours whatever the order of c0, c1.
            const uint16_t palette[4] = {
                Rgb565(r0, g0, b0), Rgb565(r1, g1, b1),
                Rgb565(2 * r0 / 3 + r1 / 3, 2 * g0 / 3 + g1 / 3, 2 * b0 / 3 + b1 / 3),
                Rgb565(r0 / 3 + 2 * r1 / 3, g0 / 3 + 2 * g1 / 3, b0 / 3 + 2 * b1 / 3)};
            const bool inside = px >= 0 && py >= 0 && px + 4 <= width && py + 4 <= height;
            for (int j = 0; j < 4; ++j) {
                const int64_t y = py + j;
                if (!inside && (y < 0 || y >= height)) continue;
                const uint32_t indices = block[12 + j];
                const uint32_t alphaRow = LeU16(block + 2 * j);
                uint16_t* row = target.Row(static_cast<int32_t>(y));
                uint16_t* alphaOut = alpha ? alpha->Row(static_cast<int32_t>(y)) : nullptr;
                for (int i = 0; i < 4; ++i) {
                    const int64_t x = px + i;
                    if (!inside && (x < 0 || x >= width)) continue;
                    row[x] = palette[indices >> (2 * i) & 3u];
                    if (alphaOut) alphaOut[x] = Grey565(Expand4(alphaRow >> (4 * i)));
                }
            }
        }
    }
}

// --- tiled containers ------------------------------------------------------------------------

enum class TileFormat { Unsupported, A4R4G4B4, R5G6B5, A8R8G8B8 };

struct TiledHeader {
    int32_t height = 0;
    int32_t width = 0;
    uint8_t redBits = 0, greenBits = 0, blueBits = 0, alphaBits = 0;
    uint32_t firstBand = 0;
};

// The header from bytes 0..19; bytes the file does not have read as 0.
TiledHeader ParseTiled(std::span<const uint8_t> data) {
    uint8_t raw[kTiledHeaderSize] = {};
    std::memcpy(raw, data.data(), std::min(data.size(), kTiledHeaderSize));
    TiledHeader h;
    h.height = static_cast<int32_t>(LeU32(raw + 4));
    h.width = static_cast<int32_t>(LeU32(raw + 8));
    h.redBits = raw[12];
    h.greenBits = raw[13];
    h.blueBits = raw[14];
    h.alphaBits = raw[15];
    h.firstBand = LeU32(raw + 16);
    return h;
}

TileFormat FormatOf(const TiledHeader& h) {
    const auto is = [&h](int r, int g, int b, int a) {
        return h.redBits == r && h.greenBits == g && h.blueBits == b && h.alphaBits == a;
    };
    if (is(4, 4, 4, 4)) return TileFormat::A4R4G4B4;
    if (is(5, 6, 5, 0)) return TileFormat::R5G6B5;
    if (is(8, 8, 8, 8)) return TileFormat::A8R8G8B8;
    return TileFormat::Unsupported;
}

// The layouts each container takes.
TileFormat AcceptedFormat(const TiledHeader& h, TileCodec codec) {
    const TileFormat f = FormatOf(h);
    if (f == TileFormat::A8R8G8B8 && codec == TileCodec::RunLength) return TileFormat::Unsupported;
    return f;
}

int BytesPerPixel(TileFormat f) {
    return f == TileFormat::A8R8G8B8 ? 4 : 2;
}

// Reads at absolute positions of the file; a read past the end raises the stream's error.
class FileCursor {
  public:
    explicit FileCursor(const SpriteBytes& file) : file_(file) {}
    const uint8_t* At(uint64_t position, uint64_t count) const {
        const uint64_t size = file_.Data.size();
        if (position > size || count > size - position) throw IoError(file_.EndOfFile);
        return file_.Data.data() + position;
    }

  private:
    const SpriteBytes& file_;
};

// The part of a size x size block placed at (x, y) that lies on a surface of width x height:
// tile columns [i0, i1) and rows [j0, j1).
struct TileClip {
    int32_t i0 = 0, i1 = 0, j0 = 0, j1 = 0;
    bool Empty() const { return i0 >= i1 || j0 >= j1; }
    uint64_t Area() const { return Empty() ? 0 : uint64_t(i1 - i0) * uint64_t(j1 - j0); }
};

// Makes `buffer` `bytes` zero bytes long when that stays within `cap`; a larger buffer replaces
// the old one only after the old one is freed, so the two never take memory together.
bool TileBuffer(std::vector<uint8_t>& buffer, size_t bytes, uint64_t cap) {
    if (bytes > cap) return false;
    if (bytes > buffer.capacity()) std::vector<uint8_t>().swap(buffer);
    buffer.assign(bytes, 0);
    return true;
}

TileClip ClipTile(int64_t x, int64_t y, int64_t size, int64_t width, int64_t height) {
    TileClip c;
    c.i0 = static_cast<int32_t>(std::clamp<int64_t>(-x, 0, size));
    c.i1 = static_cast<int32_t>(std::clamp<int64_t>(width - x, 0, size));
    c.j0 = static_cast<int32_t>(std::clamp<int64_t>(-y, 0, size));
    c.j1 = static_cast<int32_t>(std::clamp<int64_t>(height - y, 0, size));
    return c;
}

// Walks the bands and tiles of a tiled container and hands each tile to the visitor, which
// knows the codec, the pixel layout and how far a tile moves the position. Visitor:
//   void BandStart();
//   int64_t Step(uint32_t size);              // how far x or y moves past a tile
//   uint64_t Work(int64_t x, int64_t y, uint32_t size, bool empty);
//                                             // the pixels the tile will cost
//   bool Tile(int64_t x, int64_t y, uint32_t size, std::span<const uint8_t> data, bool empty);
//                                             // false: the file was refused, stop
// A tile header reached twice (links that loop) and a walk that would draw far more tile area
// than the picture has are refused; every read is bounds-checked.
template <class Visitor>
void WalkTiles(const SpriteBytes& file, const TiledHeader& header, const char* loader,
               const SpriteLimits& limits, Visitor& visitor) {
    const FileCursor cursor(file);
    // Tiles cover the picture about once (strips overlap by their borders); the part of the
    // work that does not come from the picture's area comes from the file's own bytes.
    const uint64_t area =
        uint64_t(std::max(header.width, 0)) * uint64_t(std::max(header.height, 0));
    const uint64_t budget =
        AddSaturated(4 * area + uint64_t(limits.MaxTileSide) * uint64_t(limits.MaxTileSide),
                     MulSaturated(limits.MemoryPerFileByte, file.Data.size()));
    uint64_t work = 0;
    std::unordered_set<uint64_t> visited;

    uint64_t pos = header.firstBand;
    int64_t x = 0, y = 0, nextBandTop = 0;
    uint32_t pending = 0, lastDown = 0, lastRight = 0, bandMore = 0;
    do {
        if (lastDown == 0 && lastRight == 0) {
            y = nextBandTop;
            x = 0;
            const uint8_t* band = cursor.At(pos, kBandHeaderSize);
            pos += kBandHeaderSize;
            nextBandTop = y + static_cast<int32_t>(LeU32(band));
            bandMore = LeU32(band + 12);
            visitor.BandStart();
        }
        if (!visited.insert(pos).second) {
            Refuse(loader, file.Name,
                   "the tile at " + std::to_string(pos) + " is reached a second time");
            return;
        }
        const uint8_t* tile = cursor.At(pos, kTileHeaderSize);
        pos += kTileHeaderSize;
        const uint32_t down = LeU32(tile), right = LeU32(tile + 4);
        const uint32_t size = LeU32(tile + 8), length = LeU32(tile + 12);
        if (down != 0) pending = down;
        if (size > uint32_t(limits.MaxTileSide)) {
            Refuse(loader, file.Name,
                   "tile of " + std::to_string(size) + " pixels is larger than " +
                       std::to_string(limits.MaxTileSide));
            return;
        }
        work += visitor.Work(x, y, size, length == 0);
        if (work > budget) {
            Refuse(loader, file.Name, "the tiles cover far more than the picture");
            return;
        }
        std::span<const uint8_t> data;
        if (length != 0) {
            data = {cursor.At(pos, length), length};
            pos += length;
        }
        if (!visitor.Tile(x, y, size, data, length == 0)) return;
        if (right == 0 && pending != 0) {
            pos = pending;
            lastDown = pending;  // the next tile row: no band header comes next
            lastRight = 0;
            pending = 0;
            y += visitor.Step(size);
            x = 0;
        } else {
            if (right != 0) {
                pos = right;
                x += visitor.Step(size);
            }
            lastDown = down;
            lastRight = right;
        }
    } while (lastDown != 0 || lastRight != 0 || bandMore != 0);
}

// Tiles of "DDSR" and "DDSL" written straight into the target (and alpha) surface: the same
// pixels as decoding into a tile surface and drawing it opaque.
class DirectTiles {
  public:
    // The tile buffer and the dictionary share what the budget has left, half each.
    DirectTiles(const SpriteBytes& file, TileCodec codec, TileFormat format, tSurface& target,
                tSurface* alpha, const SpriteLimits& limits, const MemoryBudget& budget)
        : file_(file),
          codec_(codec),
          format_(format),
          target_(target),
          alpha_(alpha),
          tileBytes_(budget.Left() / 2),
          dictionaryEntries_(static_cast<int32_t>(
              std::min<uint64_t>(limits.MaxDictionaryEntries, budget.Left() / 2 / 96))),
          dictionaryBytes_(static_cast<size_t>(
              std::min<uint64_t>(limits.MaxDictionaryBytes, budget.Left() / 2 / 4))),
          dictionary_(dictionaryEntries_, dictionaryBytes_),
          beyond_(budget.Beyond()) {}

    void BandStart() {
        if (codec_ == TileCodec::Dictionary) dictionary_.Reset(8);
    }
    int64_t Step(uint32_t size) const { return size; }
    // An empty tile (or one of a layout that is not decoded) is a fill of its visible part;
    // any other is decoded whole.
    uint64_t Work(int64_t x, int64_t y, uint32_t size, bool empty) const {
        if (empty || format_ == TileFormat::Unsupported)
            return ClipTile(x, y, size, target_.Width(), target_.Height()).Area();
        return uint64_t(size) * size;
    }

    bool Tile(int64_t x, int64_t y, uint32_t size, std::span<const uint8_t> data, bool empty) {
        const TileClip clip = ClipTile(x, y, size, target_.Width(), target_.Height());
        if (empty || format_ == TileFormat::Unsupported) {
            // An empty tile is colour 0; an unsupported layout leaves the tile unwritten, and a
            // fresh tile surface is black too.
            if (!empty) ErrorBox("Nezmany Format");
            if (clip.Empty()) return true;
            const SurfaceRect rect{
                static_cast<int32_t>(x + clip.i0), static_cast<int32_t>(y + clip.j0),
                static_cast<int32_t>(x + clip.i1), static_cast<int32_t>(y + clip.j1)};
            target_.FillRect(rect, kBlack565);
            if (alpha_) alpha_->FillRect(rect, kBlack565);
            return true;
        }
        const size_t bpp = static_cast<size_t>(BytesPerPixel(format_));
        const size_t rowBytes = size_t(size) * bpp;
        if (!TileBuffer(buffer_, rowBytes * size, tileBytes_)) {
            Refuse(codec_ == TileCodec::RunLength ? kLoadDdsr : kLoadDdsl, file_.Name,
                   "tile of " + std::to_string(size) + " pixels needs " +
                       std::to_string(rowBytes * size) + " bytes, " + beyond_);
            return false;
        }
        if (codec_ == TileCodec::RunLength) {
            tRle(data).DecodeTile(buffer_);
        } else {
            dictionary_.SetData(data);
            const tTabulka::Status status =
                dictionary_.DecodeTile(buffer_, static_cast<uint32_t>(rowBytes));
            if (status == tTabulka::Status::TooLarge) {
                Refuse(kLoadDdsl, file_.Name,
                       "the dictionary grows beyond " + std::to_string(dictionaryEntries_) +
                           " entries or " + std::to_string(dictionaryBytes_) + " bytes");
                return false;
            }
        }
        if (!clip.Empty()) Write(x, y, clip, rowBytes, bpp);
        return true;
    }

  private:
    void Write(int64_t x, int64_t y, const TileClip& clip, size_t rowBytes, size_t bpp) {
        for (int32_t j = clip.j0; j < clip.j1; ++j) {
            const int32_t ty = static_cast<int32_t>(y + j);
            const uint8_t* src = buffer_.data() + size_t(j) * rowBytes + size_t(clip.i0) * bpp;
            uint16_t* out = target_.Row(ty) + (x + clip.i0);
            uint16_t* alphaOut = alpha_ ? alpha_->Row(ty) + (x + clip.i0) : nullptr;
            const int32_t n = clip.i1 - clip.i0;
            switch (format_) {
                case TileFormat::A4R4G4B4:
                    for (int32_t i = 0; i < n; ++i, src += 2)
                        out[i] = Rgb565FromArgb4444(LeU16(src));
                    if (alphaOut) {
                        src -= 2 * size_t(n);
                        for (int32_t i = 0; i < n; ++i, src += 2)
                            alphaOut[i] = Grey565(Expand4(src[1] >> 4));
                    }
                    break;
                case TileFormat::R5G6B5:
                    // Expanding and storing again gives the value back: copy it.
                    for (int32_t i = 0; i < n; ++i, src += 2)
                        out[i] = LeU16(src);
                    // No alpha in this layout: the pixels are opaque.
                    if (alphaOut) std::fill(alphaOut, alphaOut + n, Grey565(255));
                    break;
                case TileFormat::A8R8G8B8:
                    for (int32_t i = 0; i < n; ++i, src += 4) {
                        out[i] = Rgb565(src[2], src[1], src[0]);
                        if (alphaOut) alphaOut[i] = Grey565(src[3]);
                    }
                    break;
                case TileFormat::Unsupported:
                    break;
            }
        }
    }

    const SpriteBytes& file_;
    TileCodec codec_;
    TileFormat format_;
    tSurface& target_;
    tSurface* alpha_;
    uint64_t tileBytes_;
    int32_t dictionaryEntries_;
    size_t dictionaryBytes_;
    tTabulka dictionary_;
    std::string beyond_;
    std::vector<uint8_t> buffer_;
};

// Tiles of "DDS2" strips: magenta where a pixel's alpha is 0, only the inner part drawn, and
// neighbouring tiles sharing their one-pixel border.
class StripTiles {
  public:
    StripTiles(const SpriteBytes& file, TileFormat format, tSurface& target,
               const MemoryBudget& budget)
        : file_(file),
          format_(format),
          target_(target),
          tileBytes_(budget.Left()),
          beyond_(budget.Beyond()) {}

    void BandStart() {}
    int64_t Step(uint32_t size) const { return int64_t(size) - 2; }
    uint64_t Work(int64_t x, int64_t y, uint32_t size, bool empty) const {
        if (empty || format_ != TileFormat::A4R4G4B4 || size <= 2)
            return ClipTile(x, y, std::max<int64_t>(int64_t(size) - 2, 0), target_.Width(),
                            target_.Height())
                .Area();
        return uint64_t(size) * size;
    }

    bool Tile(int64_t x, int64_t y, uint32_t size, std::span<const uint8_t> data, bool empty) {
        if (size <= 2) {  // no inner part
            if (!empty && format_ != TileFormat::A4R4G4B4) ErrorBox("Nezmany Format");
            return true;
        }
        const int64_t inner = int64_t(size) - 2;
        const TileClip clip = ClipTile(x, y, inner, target_.Width(), target_.Height());
        const bool decoded = !empty && format_ == TileFormat::A4R4G4B4;
        if (!empty && !decoded) ErrorBox("Nezmany Format");
        if (clip.Empty()) return true;
        if (!decoded) {
            target_.FillRect({static_cast<int32_t>(x + clip.i0), static_cast<int32_t>(y + clip.j0),
                              static_cast<int32_t>(x + clip.i1), static_cast<int32_t>(y + clip.j1)},
                             kMagenta565);
            return true;
        }
        const size_t rowBytes = size_t(size) * 2;
        if (!TileBuffer(buffer_, rowBytes * size, tileBytes_)) {
            Refuse(kLoadDds2, file_.Name,
                   "tile of " + std::to_string(size) + " pixels needs " +
                       std::to_string(rowBytes * size) + " bytes, " + beyond_);
            return false;
        }
        tRle(data).DecodeTile(buffer_);
        for (int32_t j = clip.j0; j < clip.j1; ++j) {
            // Inner pixel (i + 1, j + 1) of the tile lands at (x + i, y + j).
            const uint8_t* src =
                buffer_.data() + size_t(j + 1) * rowBytes + size_t(clip.i0 + 1) * 2;
            uint16_t* out = target_.Row(static_cast<int32_t>(y + j)) + (x + clip.i0);
            for (int32_t i = 0; i < clip.i1 - clip.i0; ++i, src += 2) {
                const uint16_t v = LeU16(src);
                out[i] = (v >> 12) == 0 ? kMagenta565 : Rgb565FromArgb4444(v);
            }
        }
        return true;
    }

  private:
    const SpriteBytes& file_;
    TileFormat format_;
    tSurface& target_;
    uint64_t tileBytes_;
    std::string beyond_;
    std::vector<uint8_t> buffer_;
};

const TBigFile& NoArchive() {
    static const TBigFile none;
    return none;
}

}  // namespace

// --- reading ---------------------------------------------------------------------------------

std::vector<uint8_t> ReadSpriteFile(const std::string& name, bool diskOnly, std::string& endOfFile,
                                    const SpriteLimits& limits) {
    // A file looked up without an archive always comes from the disk.
    const TBigFile& source = diskOnly ? NoArchive() : BigFile();
    std::vector<uint8_t> bytes = source.ReadWholeFile(name, limits.MaxFileBytes);
    // Reads past the end of the bytes in memory raise the error a read of the file would.
    endOfFile = source.EndOfFileText(name);
    return bytes;
}

// --- DirectDraw Surface ----------------------------------------------------------------------

DdsLayout IdentifyDdsLayout(std::span<const uint8_t> header) {
    if (header.size() < kDdsHeaderSize) return DdsLayout::None;
    const DdsHeader h = ParseDds(header.data());
    if (h.bitCount == 16 && h.red == 0x0F00 && h.green == 0x00F0 && h.blue == 0x000F &&
        h.alpha == 0xF000)
        return DdsLayout::A4R4G4B4;
    if (h.bitCount == 32 && h.red == 0xFF0000 && h.green == 0xFF00 && h.blue == 0xFF &&
        h.alpha == 0xFF000000)
        return DdsLayout::A8R8G8B8;
    if (h.bitCount == 16 && h.red == 0xF800 && h.green == 0x07E0 && h.blue == 0x001F &&
        h.alpha == 0)
        return DdsLayout::R5G6B5;
    if (h.flags == 4 && h.fourCc == kFourCcDxt3)
        return h.caps4 == 0 ? DdsLayout::Dxt3 : DdsLayout::TiledDxt3;
    return DdsLayout::None;
}

void DecodeDdsSprite(const SpriteBytes& file, tSurface& target, tSurface* alpha,
                     const SpriteLimits& limits) {
    const std::span<const uint8_t> d = file.Data;
    if (d.size() < kDdsHeaderSize) throw IoError(file.EndOfFile);
    if (!MagicIs(d, "DDS ") && !MagicIs(d, "DDS+"))
        ErrorBox("LoadDDStoSurface nekompatibilni typ souboru " + file.Name);
    const DdsHeader h = ParseDds(d.data());
    const DdsLayout layout = IdentifyDdsLayout(d);
    if (layout == DdsLayout::None) {
        ErrorBox("LoadDDStoSurface nekompatibilni pixel format souboru " + file.Name);
        return;
    }
    if (!PictureSizeAccepted(kLoadDds, file.Name, h.width, h.height, limits)) return;
    const int32_t width = static_cast<int32_t>(h.width), height = static_cast<int32_t>(h.height);
    const uint8_t* pixels = d.data() + kDdsHeaderSize;
    const uint64_t available = d.size() - kDdsHeaderSize;
    const uint64_t area = uint64_t(width) * uint64_t(height);

    // The pixel data the layout needs; a shorter file fails as its rows would fail to read.
    uint64_t need = 0;
    uint32_t tileWidth = 0, tileHeight = 0, tilesPerRow = 0, tileRows = 0;
    switch (layout) {
        case DdsLayout::A4R4G4B4:
        case DdsLayout::R5G6B5:
            need = area * 2;
            break;
        case DdsLayout::A8R8G8B8:
            need = area * 4;
            break;
        case DdsLayout::Dxt3:
            need = uint64_t(width / 4) * uint64_t(height / 4) * 16;
            break;
        case DdsLayout::TiledDxt3:
            tileWidth = h.caps4 & 0xFFFFu;
            tileHeight = h.caps4 >> 16;
            tilesPerRow = h.caps3 & 0xFFFFu;
            tileRows = h.caps3 >> 16;
            need = MulSaturated(uint64_t(tileWidth / 4) * (tileHeight / 4) * 16,
                                uint64_t(tilesPerRow) * tileRows);
            break;
        case DdsLayout::None:
            break;
    }
    if (available < need) throw IoError(file.EndOfFile);
    // Tiled DXT3 sizes its picture from the header, whatever number of tiles follows.
    MemoryBudget budget(limits, d.size());
    const int surfaces = alpha && layout != DdsLayout::R5G6B5 ? 2 : 1;
    if (!SurfacesFit(kLoadDds, file.Name, width, height, surfaces, budget)) return;

    if (layout != DdsLayout::R5G6B5) {
        target.SetSize(width, height);
        if (alpha) alpha->SetSize(width, height);
    }
    switch (layout) {
        case DdsLayout::A4R4G4B4:
            for (int32_t y = 0; y < height; ++y) {
                const uint8_t* src = pixels + size_t(y) * size_t(width) * 2;
                uint16_t* out = target.Row(y);
                for (int32_t x = 0; x < width; ++x)
                    out[x] = Rgb565FromArgb4444(LeU16(src + 2 * x));
                if (alpha) {
                    uint16_t* a = alpha->Row(y);
                    for (int32_t x = 0; x < width; ++x)
                        a[x] = Grey565(Expand4(src[2 * x + 1] >> 4));
                }
            }
            break;
        case DdsLayout::A8R8G8B8:
            for (int32_t y = 0; y < height; ++y) {
                const uint8_t* src = pixels + size_t(y) * size_t(width) * 4;
                uint16_t* out = target.Row(y);
                uint16_t* a = alpha ? alpha->Row(y) : nullptr;
                for (int32_t x = 0; x < width; ++x, src += 4) {
                    out[x] = Rgb565(src[2], src[1], src[0]);
                    if (a) a[x] = Grey565(src[3]);
                }
            }
            break;
        case DdsLayout::R5G6B5:
            // The surface has the file's own pixel format: rows are copied as they stand; the
            // alpha surface is not touched.
            target.SetSize(width, height);
            for (int32_t y = 0; y < height; ++y) {
                const uint8_t* src = pixels + size_t(y) * size_t(width) * 2;
                uint16_t* out = target.Row(y);
                for (int32_t x = 0; x < width; ++x)
                    out[x] = LeU16(src + 2 * x);
            }
            break;
        case DdsLayout::Dxt3:
            // Pixels beyond a multiple of 4 are not decoded.
            DecodeDxt3Blocks(pixels, width / 4, height / 4, target, alpha, 0, 0);
            break;
        case DdsLayout::TiledDxt3: {
            const uint64_t tileBytes = uint64_t(tileWidth / 4) * (tileHeight / 4) * 16;
            // Tiles without a whole block draw an unwritten (black) tile over black: nothing.
            if (tileBytes == 0) break;
            const uint8_t* tile = pixels;
            for (uint32_t t = 0; t < tileRows; ++t) {
                for (uint32_t c = 0; c < tilesPerRow; ++c, tile += tileBytes) {
                    DecodeDxt3Blocks(tile, tileWidth / 4, tileHeight / 4, target, alpha,
                                     int64_t(tileWidth) * c, int64_t(tileHeight) * t);
                }
            }
            break;
        }
        case DdsLayout::None:
            break;
    }
}

void LoadDDStoSurface(const std::string& name, tSurface& target, tSurface* alpha) {
    std::string endOfFile;
    const std::vector<uint8_t> bytes = ReadSpriteFile(name, false, endOfFile);
    // 128 bytes are read before the magic is looked at, whatever the container.
    if (bytes.size() < kDdsHeaderSize) throw IoError(endOfFile);
    if (MagicIs(bytes, "DDSL")) {
        LoadDDSLtoSurface(name, target, alpha);
        return;
    }
    const SpriteBytes file{bytes, name, endOfFile};
    if (MagicIs(bytes, "DDSR")) {
        // The run-length loader would open the same file again: decode what is in memory.
        DecodeTiledSprite(file, TileCodec::RunLength, target, alpha);
        return;
    }
    DecodeDdsSprite(file, target, alpha);
}

// The answers callers expect, including a red mask of 0xF000 for the 16-bit alpha layout (which
// the loader then refuses with its pixel format message) and alpha bits left alone for DXT3.
bool GetDDSInfo(const std::string& name, int32_t& width, int32_t& height, int32_t& alphaBits,
                int32_t& bitsPerPixel) {
    TBigFileStreamPtr stream;
    BigFile().OpenFile(stream, name);
    uint8_t raw[kDdsHeaderSize];
    TBigFile::ReadFile(stream.get(), raw, sizeof raw);
    TBigFile::CloseFile(stream);
    const std::span<const uint8_t> header(raw, sizeof raw);
    if (!MagicIs(header, "DDS ") && !MagicIs(header, "DDS+")) return false;
    const DdsHeader h = ParseDds(raw);
    width = static_cast<int32_t>(h.width);
    height = static_cast<int32_t>(h.height);
    if (h.bitCount == 16 && (h.red == 0x0F00 || h.red == 0xF000) && h.green == 0x00F0 &&
        h.blue == 0x000F && h.alpha == 0xF000) {
        bitsPerPixel = 16;
        alphaBits = 4;
        return true;
    }
    if (IdentifyDdsLayout(header) == DdsLayout::A8R8G8B8) {
        bitsPerPixel = 32;
        alphaBits = 8;
        return true;
    }
    if (IdentifyDdsLayout(header) == DdsLayout::R5G6B5) {
        bitsPerPixel = 16;
        alphaBits = 0;
        return true;
    }
    if (h.flags == 4 && h.fourCc == kFourCcDxt3) {
        bitsPerPixel = 16;
        return true;
    }
    bitsPerPixel = static_cast<int32_t>(h.bitCount);
    return false;
}

// --- tiled containers ------------------------------------------------------------------------

void DecodeTiledSprite(const SpriteBytes& file, TileCodec codec, tSurface& target, tSurface* alpha,
                       const SpriteLimits& limits) {
    const char* magic = codec == TileCodec::RunLength ? "DDSR" : "DDSL";
    const char* loader = codec == TileCodec::RunLength ? kLoadDdsr : kLoadDdsl;
    // Both loaders report a wrong or cut-off header the same way and go on with what was read.
    if (file.Data.size() < kTiledHeaderSize || !MagicIs(file.Data, magic))
        ErrorBox("LoadDDSLtoSurface " + file.Name);
    const TiledHeader header = ParseTiled(file.Data);
    if (!PictureSizeAccepted(loader, file.Name, header.width, header.height, limits)) return;
    MemoryBudget budget(limits, file.Data.size());
    if (!SurfacesFit(loader, file.Name, header.width, header.height, alpha ? 2 : 1, budget)) return;
    target.SetSize(header.width, header.height);
    if (alpha) alpha->SetSize(header.width, header.height);
    DirectTiles tiles(file, codec, AcceptedFormat(header, codec), target, alpha, limits, budget);
    WalkTiles(file, header, loader, limits, tiles);
}

void LoadDDSRtoSurface(const std::string& name, tSurface& target, tSurface* alpha) {
    std::string endOfFile;
    const std::vector<uint8_t> bytes = ReadSpriteFile(name, false, endOfFile);
    DecodeTiledSprite({bytes, name, endOfFile}, TileCodec::RunLength, target, alpha);
}

void LoadDDSLtoSurface(const std::string& name, tSurface& target, tSurface* alpha) {
    std::string endOfFile;
    const std::vector<uint8_t> bytes = ReadSpriteFile(name, true, endOfFile);
    DecodeTiledSprite({bytes, name, endOfFile}, TileCodec::Dictionary, target, alpha);
}

bool GetDDSRInfo(const std::string& name, int32_t& width, int32_t& height, int32_t& alphaBits,
                 int32_t& bitsPerPixel) {
    TBigFileStreamPtr stream;
    BigFile().OpenFile(stream, name);
    uint8_t raw[kTiledHeaderSize];
    TBigFile::ReadFile(stream.get(), raw, sizeof raw);
    TBigFile::CloseFile(stream);
    const TiledHeader h = ParseTiled({raw, sizeof raw});
    width = h.width;
    height = h.height;
    bitsPerPixel = h.redBits + h.greenBits + h.blueBits + h.alphaBits;
    alphaBits = h.alphaBits;
    return MagicIs({raw, sizeof raw}, "DDSR");
}

// --- animation strips ------------------------------------------------------------------------

void DecodeStripSprite(const SpriteBytes& file, tSurface& target, const SpriteLimits& limits) {
    if (file.Data.size() < kStripHeaderSize) throw IoError(file.EndOfFile);
    const TiledHeader header = ParseTiled(file.Data);
    if (!PictureSizeAccepted(kLoadDds2, file.Name, header.width, header.height, limits)) return;
    MemoryBudget budget(limits, file.Data.size());
    if (!SurfacesFit(kLoadDds2, file.Name, header.width, header.height, 1, budget)) return;
    target.SetSize(header.width, header.height);
    target.Fill(kMagenta565);
    target.SetTransparentColor(kMagenta565);
    StripTiles tiles(
        file,
        FormatOf(header) == TileFormat::A4R4G4B4 ? TileFormat::A4R4G4B4 : TileFormat::Unsupported,
        target, budget);
    WalkTiles(file, header, kLoadDds2, limits, tiles);
}

void LoadDDS2toSurface(const std::string& name, tSurface& target) {
    std::string endOfFile;
    const std::vector<uint8_t> bytes = ReadSpriteFile(name, true, endOfFile);
    if (bytes.size() < kTiledHeaderSize) throw IoError(endOfFile);
    if (!MagicIs(bytes, "DDS2")) {
        if (MagicIs(bytes, "DDSR")) return;
        if (MagicIs(bytes, "DDS ")) {
            LoadDDStoSurface(name, target, nullptr);
            return;
        }
        ErrorBox("LoadDDSLtoSurface " + name);
        return;
    }
    DecodeStripSprite({bytes, name, endOfFile}, target);
}

// --- description -----------------------------------------------------------------------------

SpriteInfo DescribeSprite(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4) throw IoError("End of file");
    SpriteInfo info;
    info.Magic.assign(reinterpret_cast<const char*>(bytes.data()), 4);
    if (MagicIs(bytes, "DDS ") || MagicIs(bytes, "DDS+")) {
        if (bytes.size() < kDdsHeaderSize) throw IoError("End of file");
        info.Known = true;
        const DdsHeader h = ParseDds(bytes.data());
        info.Width = h.width;
        info.Height = h.height;
        info.BitsPerPixel = static_cast<int32_t>(h.bitCount);
        switch (IdentifyDdsLayout(bytes)) {
            case DdsLayout::A4R4G4B4:
                info = {info.Magic, info.Width, info.Height, 16, 4, "A4R4G4B4", true};
                break;
            case DdsLayout::A8R8G8B8:
                info = {info.Magic, info.Width, info.Height, 32, 8, "A8R8G8B8", true};
                break;
            case DdsLayout::R5G6B5:
                info = {info.Magic, info.Width, info.Height, 16, 0, "R5G6B5", true};
                break;
            case DdsLayout::Dxt3:
                info = {info.Magic, info.Width, info.Height, 16, 4, "DXT3", true};
                break;
            case DdsLayout::TiledDxt3:
                info = {info.Magic, info.Width, info.Height, 16, 4, "DXT3 tiled", true};
                break;
            case DdsLayout::None:
                break;
        }
        return info;
    }
    const bool strip = MagicIs(bytes, "DDS2");
    if (!MagicIs(bytes, "DDSR") && !MagicIs(bytes, "DDSL") && !strip) return info;
    if (bytes.size() < (strip ? kStripHeaderSize : kTiledHeaderSize)) throw IoError("End of file");
    info.Known = true;
    const TiledHeader h = ParseTiled(bytes);
    info.Width = h.width;
    info.Height = h.height;
    info.BitsPerPixel = h.redBits + h.greenBits + h.blueBits + h.alphaBits;
    info.AlphaBits = h.alphaBits;
    TileFormat format = FormatOf(h);
    if (strip && format != TileFormat::A4R4G4B4) format = TileFormat::Unsupported;
    if (MagicIs(bytes, "DDSR") && format == TileFormat::A8R8G8B8) format = TileFormat::Unsupported;
    switch (format) {
        case TileFormat::A4R4G4B4:
            info.Layout = "A4R4G4B4";
            break;
        case TileFormat::R5G6B5:
            info.Layout = "R5G6B5";
            break;
        case TileFormat::A8R8G8B8:
            info.Layout = "A8R8G8B8";
            break;
        case TileFormat::Unsupported:
            break;
    }
    return info;
}

}  // namespace tess
