// Writes video files: a RIFF "AVI " file with one uncompressed 24-bit video stream.
#include "writers/AviWriter.h"

#include <stdexcept>

#include "resources/Bytes.h"

namespace tess::writers {

namespace {

constexpr uint32_t kMainHeader = 56, kStreamHeader = 56, kBitmapHeader = 40;
constexpr uint32_t kHasIndex = 0x10, kKeyFrame = 0x10;

void FourCc(ByteWriter& w, const char* code) {
    w.Bytes(code, 4);
}

}  // namespace

std::vector<uint8_t> WriteAvi(const AviVideo& video) {
    if (video.Frames.empty()) throw std::invalid_argument("a video needs frames");
    if (video.FramesPerSecond == 0) throw std::invalid_argument("a video needs a frame rate");
    const int32_t width = video.Frames[0].Width, height = video.Frames[0].Height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        throw std::invalid_argument("video frame sides are 1..32767");
    for (const RgbaImage& f : video.Frames)
        if (f.Width != width || f.Height != height)
            throw std::invalid_argument("video frames differ in size");

    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    const uint64_t frameBytes = uint64_t(rowBytes) * uint32_t(height);  // even: rows are padded
    const uint64_t frames = video.Frames.size();
    const uint32_t streamList = 4 + (8 + kStreamHeader) + (8 + kBitmapHeader);
    const uint32_t headerList = 4 + (8 + kMainHeader) + (8 + streamList);
    const uint64_t moviList = 4 + frames * (8 + frameBytes);
    const uint64_t indexBytes = frames * 16;
    const uint64_t riffSize = 4 + (8 + headerList) + (8 + moviList) + (8 + indexBytes);
    if (riffSize > (uint64_t(1) << 31)) throw std::invalid_argument("video too large");
    const uint32_t fps = video.FramesPerSecond;

    ByteWriter w;
    FourCc(w, "RIFF");
    w.U32(static_cast<uint32_t>(riffSize));
    FourCc(w, "AVI ");

    FourCc(w, "LIST");
    w.U32(headerList);
    FourCc(w, "hdrl");
    FourCc(w, "avih");
    w.U32(kMainHeader);
    w.U32(1000000 / fps);                            // microseconds per frame
    w.U32(static_cast<uint32_t>(frameBytes * fps));  // most bytes per second
    w.U32(0);                                        // padding granularity
    w.U32(kHasIndex);                                // flags
    w.U32(static_cast<uint32_t>(frames));            // total frames
    w.U32(0);                                        // initial frames
    w.U32(1);                                        // streams
    w.U32(static_cast<uint32_t>(frameBytes));        // suggested buffer size
    w.I32(width);
    w.I32(height);
    w.Zeros(16);  // reserved

    FourCc(w, "LIST");
    w.U32(streamList);
    FourCc(w, "strl");
    FourCc(w, "strh");
    w.U32(kStreamHeader);
    FourCc(w, "vids");
    FourCc(w, "DIB ");  // handler: uncompressed device-independent bitmaps
    w.U32(0);           // flags
    w.U16(0);           // priority
    w.U16(0);           // language
    w.U32(0);           // initial frames
    w.U32(1);           // scale: rate / scale frames per second
    w.U32(fps);
    w.U32(0);  // start
    w.U32(static_cast<uint32_t>(frames));
    w.U32(static_cast<uint32_t>(frameBytes));  // suggested buffer size
    w.U32(0xFFFFFFFFu);                        // quality: the default
    w.U32(0);                                  // sample size: varies (video)
    w.U16(0);                                  // frame rectangle: left, top, right, bottom
    w.U16(0);
    w.U16(static_cast<uint16_t>(width));
    w.U16(static_cast<uint16_t>(height));
    FourCc(w, "strf");
    w.U32(kBitmapHeader);
    w.U32(kBitmapHeader);
    w.I32(width);
    w.I32(height);  // positive: bottom-up rows
    w.U16(1);       // planes
    w.U16(24);
    w.U32(0);  // BI_RGB
    w.U32(static_cast<uint32_t>(frameBytes));
    w.Zeros(16);  // resolution and colour counts

    FourCc(w, "LIST");
    w.U32(static_cast<uint32_t>(moviList));
    const size_t moviId = w.Size();
    FourCc(w, "movi");
    std::vector<uint32_t> offsets;
    for (const RgbaImage& f : video.Frames) {
        offsets.push_back(static_cast<uint32_t>(w.Size() - moviId));
        FourCc(w, "00db");
        w.U32(static_cast<uint32_t>(frameBytes));
        for (int32_t y = height - 1; y >= 0; --y) {
            for (int32_t x = 0; x < width; ++x) {
                const RgbaPixel& p = f.At(x, y);
                w.U8(p.b);
                w.U8(p.g);
                w.U8(p.r);
            }
            w.Zeros(rowBytes - uint32_t(width) * 3);
        }
    }

    FourCc(w, "idx1");
    w.U32(static_cast<uint32_t>(indexBytes));
    for (uint32_t offset : offsets) {
        FourCc(w, "00db");
        w.U32(kKeyFrame);
        w.U32(offset);
        w.U32(static_cast<uint32_t>(frameBytes));
    }
    return std::move(w.Data());
}

}  // namespace tess::writers
