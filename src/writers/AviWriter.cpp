// Writes video files: a RIFF "AVI " file with one video stream, uncompressed or run-length coded.
#include "writers/AviWriter.h"

#include <map>
#include <stdexcept>

#include "resources/Bytes.h"

namespace tess::writers {

namespace {

constexpr uint32_t kMainHeader = 56, kStreamHeader = 56, kBitmapHeader = 40;
constexpr uint32_t kHasIndex = 0x10, kKeyFrame = 0x10;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1;
constexpr size_t kPaletteEntries = 256;
constexpr size_t kMaxRun = 255;

void FourCc(ByteWriter& w, const char* code) {
    w.Bytes(code, 4);
}

struct FrameChunk {
    std::vector<uint8_t> Data;
    bool Key = true;
};

// What the stream headers say about the frames.
struct StreamFormat {
    const char* Handler;
    const char* ChunkId;
    uint16_t BitCount;
    uint32_t Compression;
    uint32_t ImageBytes;           // biSizeImage: one uncompressed frame
    std::vector<uint8_t> Palette;  // RGBQUAD entries after the header (none for 24 bits)
};

uint32_t RowBytes(int32_t width, uint32_t bytesPerPixel) {
    return (uint32_t(width) * bytesPerPixel + 3) & ~3u;
}

std::vector<uint8_t> UncompressedFrame(const RgbaImage& f) {
    ByteWriter w;
    const uint32_t pad = RowBytes(f.Width, 3) - uint32_t(f.Width) * 3;
    for (int32_t y = f.Height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < f.Width; ++x) {
            const RgbaPixel& p = f.At(x, y);
            w.U8(p.b);
            w.U8(p.g);
            w.U8(p.r);
        }
        w.Zeros(pad);
    }
    return std::move(w.Data());
}

// The colours of every frame in order of first appearance, and each frame as palette indices.
struct IndexedVideo {
    std::vector<RgbaPixel> Colours;
    std::vector<std::vector<uint8_t>> Frames;
};

IndexedVideo IndexColours(const std::vector<RgbaImage>& frames) {
    IndexedVideo out;
    std::map<uint32_t, uint8_t> known;
    for (const RgbaImage& f : frames) {
        std::vector<uint8_t> indices;
        indices.reserve(f.Pixels.size());
        for (const RgbaPixel& p : f.Pixels) {
            const uint32_t key = uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
            auto found = known.find(key);
            if (found == known.end()) {
                if (out.Colours.size() == kPaletteEntries)
                    throw std::invalid_argument("an RLE8 video holds at most 256 colours");
                found = known.emplace(key, static_cast<uint8_t>(out.Colours.size())).first;
                out.Colours.push_back({p.r, p.g, p.b, 0});
            }
            indices.push_back(found->second);
        }
        out.Frames.push_back(std::move(indices));
    }
    return out;
}

// One frame in RLE8, rows bottom-up. A key frame (no previous frame) codes every pixel as runs;
// a delta frame skips unchanged pixels with the "delta" escape and unchanged row ends with the
// end-of-line escape (a delta may not land past the last column).
std::vector<uint8_t> Rle8Frame(const std::vector<uint8_t>& frame, const std::vector<uint8_t>* prev,
                               int32_t width, int32_t height) {
    ByteWriter w;
    const size_t wide = static_cast<size_t>(width);
    for (int32_t y = height - 1; y >= 0; --y) {
        const size_t row = static_cast<size_t>(y) * wide;
        size_t x = 0;
        while (x < wide) {
            if (prev != nullptr && frame[row + x] == (*prev)[row + x]) {
                size_t end = x;
                while (end < wide && frame[row + end] == (*prev)[row + end])
                    ++end;
                if (end == wide) break;
                for (size_t step; x < end; x += step) {
                    step = std::min(end - x, kMaxRun);
                    w.U8(0);
                    w.U8(2);
                    w.U8(static_cast<uint8_t>(step));
                    w.U8(0);
                }
                continue;
            }
            size_t run = 1;
            while (x + run < wide && run < kMaxRun && frame[row + x + run] == frame[row + x])
                ++run;
            w.U8(static_cast<uint8_t>(run));
            w.U8(frame[row + x]);
            x += run;
        }
        w.U8(0);
        w.U8(y == 0 ? 1 : 0);  // end of line, or after the top row end of picture
    }
    // A coded frame exactly as long as an uncompressed one would be read as uncompressed; the
    // decoder stops at the first end of picture, so a second one only changes the length.
    if (w.Size() == RowBytes(width, 1) * size_t(height)) {
        w.U8(0);
        w.U8(1);
    }
    return std::move(w.Data());
}

StreamFormat Rle8Format(const IndexedVideo& video, int32_t width, int32_t height) {
    StreamFormat format{"mrle", "00dc", 8, kBiRle8, RowBytes(width, 1) * uint32_t(height), {}};
    format.Palette.assign(kPaletteEntries * 4, 0);
    for (size_t i = 0; i < video.Colours.size(); ++i) {
        format.Palette[i * 4] = video.Colours[i].b;
        format.Palette[i * 4 + 1] = video.Colours[i].g;
        format.Palette[i * 4 + 2] = video.Colours[i].r;
    }
    return format;
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

    StreamFormat format{"DIB ", "00db", 24, kBiRgb, RowBytes(width, 3) * uint32_t(height), {}};
    std::vector<FrameChunk> chunks;
    uint64_t dataBytes = 0;
    const auto add = [&](FrameChunk chunk) {
        dataBytes += 8 + chunk.Data.size() + (chunk.Data.size() & 1);
        if (dataBytes > (uint64_t(1) << 31)) throw std::invalid_argument("video too large");
        chunks.push_back(std::move(chunk));
    };
    if (video.Codec == AviCodec::Rle8) {
        const IndexedVideo indexed = IndexColours(video.Frames);
        format = Rle8Format(indexed, width, height);
        for (size_t k = 0; k < indexed.Frames.size(); ++k) {
            const bool key =
                k == 0 || (video.KeyFrameInterval != 0 && k % video.KeyFrameInterval == 0);
            add({Rle8Frame(indexed.Frames[k], key ? nullptr : &indexed.Frames[k - 1], width,
                           height),
                 key});
        }
    } else {
        for (const RgbaImage& f : video.Frames)
            add({UncompressedFrame(f), true});
    }

    const uint64_t frames = chunks.size();
    const uint32_t formatBytes = kBitmapHeader + static_cast<uint32_t>(format.Palette.size());
    const uint32_t streamList = 4 + (8 + kStreamHeader) + (8 + formatBytes);
    const uint32_t headerList = 4 + (8 + kMainHeader) + (8 + streamList);
    const uint64_t moviList = 4 + dataBytes;
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
    w.U32(1000000 / fps);                                   // microseconds per frame
    w.U32(static_cast<uint32_t>(format.ImageBytes * fps));  // most bytes per second
    w.U32(0);                                               // padding granularity
    w.U32(kHasIndex);                                       // flags
    w.U32(static_cast<uint32_t>(frames));                   // total frames
    w.U32(0);                                               // initial frames
    w.U32(1);                                               // streams
    w.U32(format.ImageBytes);                               // suggested buffer size
    w.I32(width);
    w.I32(height);
    w.Zeros(16);  // reserved

    FourCc(w, "LIST");
    w.U32(streamList);
    FourCc(w, "strl");
    FourCc(w, "strh");
    w.U32(kStreamHeader);
    FourCc(w, "vids");
    FourCc(w, format.Handler);
    w.U32(0);  // flags
    w.U16(0);  // priority
    w.U16(0);  // language
    w.U32(0);  // initial frames
    w.U32(1);  // scale: rate / scale frames per second
    w.U32(fps);
    w.U32(0);  // start
    w.U32(static_cast<uint32_t>(frames));
    w.U32(format.ImageBytes);  // suggested buffer size
    w.U32(0xFFFFFFFFu);        // quality: the default
    w.U32(0);                  // sample size: varies (video)
    w.U16(0);                  // frame rectangle: left, top, right, bottom
    w.U16(0);
    w.U16(static_cast<uint16_t>(width));
    w.U16(static_cast<uint16_t>(height));
    FourCc(w, "strf");
    w.U32(formatBytes);
    w.U32(kBitmapHeader);
    w.I32(width);
    w.I32(height);  // positive: bottom-up rows
    w.U16(1);       // planes
    w.U16(format.BitCount);
    w.U32(format.Compression);
    w.U32(format.ImageBytes);
    w.Zeros(8);                                               // resolution
    w.U32(static_cast<uint32_t>(format.Palette.size() / 4));  // colours used
    w.U32(0);                                                 // colours important: all
    w.Bytes(format.Palette.data(), format.Palette.size());

    FourCc(w, "LIST");
    w.U32(static_cast<uint32_t>(moviList));
    const size_t moviId = w.Size();
    FourCc(w, "movi");
    std::vector<uint32_t> offsets;
    for (const FrameChunk& chunk : chunks) {
        offsets.push_back(static_cast<uint32_t>(w.Size() - moviId));
        FourCc(w, format.ChunkId);
        w.U32(static_cast<uint32_t>(chunk.Data.size()));
        w.Bytes(chunk.Data.data(), chunk.Data.size());
        if (chunk.Data.size() & 1) w.U8(0);  // chunks start on even offsets
    }

    FourCc(w, "idx1");
    w.U32(static_cast<uint32_t>(indexBytes));
    for (size_t k = 0; k < chunks.size(); ++k) {
        FourCc(w, format.ChunkId);
        w.U32(chunks[k].Key ? kKeyFrame : 0);
        w.U32(offsets[k]);
        w.U32(static_cast<uint32_t>(chunks[k].Data.size()));
    }
    return std::move(w.Data());
}

std::vector<uint8_t> WriteAudioAvi(const PcmSound& sound) {
    if (sound.Channels == 0 || sound.SampleRate == 0 || sound.Samples.size() % sound.Channels)
        throw std::invalid_argument("a sound needs channels, a rate and whole sample frames");
    const uint32_t blockAlign = 2u * sound.Channels;
    const uint64_t dataBytes = uint64_t(sound.Samples.size()) * 2;
    if (dataBytes > (uint64_t(1) << 30)) throw std::invalid_argument("sound too large");
    const uint32_t data = static_cast<uint32_t>(dataBytes);
    const uint32_t frames = data / blockAlign;
    constexpr uint32_t kWaveFormat = 18;
    const uint32_t streamList = 4 + (8 + kStreamHeader) + (8 + kWaveFormat);
    const uint32_t headerList = 4 + (8 + kMainHeader) + (8 + streamList);
    const uint32_t moviList = 4 + 8 + data + (data & 1);
    const uint32_t riffSize = 4 + (8 + headerList) + (8 + moviList) + (8 + 16);

    ByteWriter w;
    FourCc(w, "RIFF");
    w.U32(riffSize);
    FourCc(w, "AVI ");
    FourCc(w, "LIST");
    w.U32(headerList);
    FourCc(w, "hdrl");
    FourCc(w, "avih");
    w.U32(kMainHeader);
    w.U32(0);  // microseconds per frame: no video
    w.U32(sound.SampleRate * blockAlign);
    w.U32(0);
    w.U32(kHasIndex);
    w.U32(0);  // total frames
    w.U32(0);
    w.U32(1);  // streams
    w.U32(data);
    w.Zeros(8 + 16);  // width, height, reserved

    FourCc(w, "LIST");
    w.U32(streamList);
    FourCc(w, "strl");
    FourCc(w, "strh");
    w.U32(kStreamHeader);
    FourCc(w, "auds");
    w.U32(0);  // handler
    w.U32(0);  // flags
    w.U32(0);  // priority, language
    w.U32(0);  // initial frames
    w.U32(blockAlign);
    w.U32(sound.SampleRate * blockAlign);
    w.U32(0);  // start
    w.U32(frames);
    w.U32(data);
    w.U32(0xFFFFFFFFu);
    w.U32(blockAlign);  // sample size
    w.Zeros(8);         // frame rectangle
    FourCc(w, "strf");
    w.U32(kWaveFormat);
    w.U16(1);  // PCM
    w.U16(sound.Channels);
    w.U32(sound.SampleRate);
    w.U32(sound.SampleRate * blockAlign);
    w.U16(static_cast<uint16_t>(blockAlign));
    w.U16(16);
    w.U16(0);

    FourCc(w, "LIST");
    w.U32(moviList);
    FourCc(w, "movi");
    FourCc(w, "00wb");
    w.U32(data);
    for (int16_t sample : sound.Samples)
        w.U16(static_cast<uint16_t>(sample));
    if (data & 1) w.U8(0);
    FourCc(w, "idx1");
    w.U32(16);
    FourCc(w, "00wb");
    w.U32(kKeyFrame);
    w.U32(4);
    w.U32(data);
    return std::move(w.Data());
}

}  // namespace tess::writers
