// Writes 24-bit Windows bitmaps (BMP), the format of the terrain and wall pictures.
#include "writers/BitmapWriter.h"

#include "resources/Bytes.h"

namespace tess::writers {

std::vector<uint8_t> WriteBmp24(const RgbaImage& image) {
    const uint32_t rowBytes = (uint32_t(image.Width) * 3 + 3) & ~3u;
    const uint32_t dataSize = rowBytes * uint32_t(image.Height);
    constexpr uint32_t kHeaders = 14 + 40;
    ByteWriter w;
    w.U8('B');
    w.U8('M');
    w.U32(kHeaders + dataSize);
    w.U32(0);
    w.U32(kHeaders);
    w.U32(40);  // BITMAPINFOHEADER
    w.I32(image.Width);
    w.I32(image.Height);  // positive: bottom-up
    w.U16(1);             // planes
    w.U16(24);
    w.U32(0);  // BI_RGB
    w.U32(dataSize);
    w.U32(2835);  // 72 dpi
    w.U32(2835);
    w.U32(0);
    w.U32(0);
    for (int32_t y = image.Height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < image.Width; ++x) {
            const RgbaPixel& p = image.At(x, y);
            w.U8(p.b);
            w.U8(p.g);
            w.U8(p.r);
        }
        w.Zeros(rowBytes - uint32_t(image.Width) * 3);
    }
    return std::move(w.Data());
}

}  // namespace tess::writers
