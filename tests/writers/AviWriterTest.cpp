// Video writer: FFmpeg reads the stream and any frame by its index; the chunks a video-for-
// Windows reader relies on; videos it refuses to write.
#include "writers/AviWriter.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "resources/Bytes.h"
#include "support/TempDir.h"

namespace tess::writers {
namespace {

// Frame k: every pixel differs from its neighbours and from the same pixel of other frames.
RgbaImage Frame(int w, int h, int k) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = {uint8_t(x * 40 + k), uint8_t(y * 60 + 3 * k), uint8_t(200 - 50 * k),
                            uint8_t(k == 0 ? 0 : 255)};  // alpha plays no part
    return img;
}

AviVideo SmallVideo() {
    AviVideo video;
    video.FramesPerSecond = 8;
    for (int k = 0; k < 4; ++k)
        video.Frames.push_back(Frame(5, 3, k));  // 15 bytes a row, padded to 16
    return video;
}

// The file opened with libavformat and its first stream's decoder; released at the end.
struct FfmpegVideo {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();

    explicit FfmpegVideo(const std::string& path) {
        if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return;
        if (avformat_find_stream_info(format, nullptr) < 0) return;
        const AVCodec* decoder = avcodec_find_decoder(format->streams[0]->codecpar->codec_id);
        if (decoder == nullptr) return;
        codec = avcodec_alloc_context3(decoder);
        avcodec_parameters_to_context(codec, format->streams[0]->codecpar);
        if (avcodec_open2(codec, decoder, nullptr) < 0) avcodec_free_context(&codec);
    }
    ~FfmpegVideo() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }

    // Seeks to the frame with the index and decodes it; false when that fails.
    bool ReadFrame(int64_t index) {
        if (av_seek_frame(format, 0, index, AVSEEK_FLAG_BACKWARD) < 0) return false;
        avcodec_flush_buffers(codec);
        while (av_read_frame(format, packet) >= 0) {
            const bool wanted = packet->stream_index == 0 && packet->pts == index;
            const bool sent = wanted && avcodec_send_packet(codec, packet) >= 0;
            av_packet_unref(packet);
            if (sent) return avcodec_receive_frame(codec, frame) >= 0;
        }
        return false;
    }
};

TEST(AviWriter, FfmpegReadsTheStreamAndEveryFrameByIndex) {
    const AviVideo video = SmallVideo();
    test::TempDir dir;
    const std::string path = dir.Write("faces.avi", WriteAvi(video));
    FfmpegVideo avi(path);
    ASSERT_NE(avi.format, nullptr);
    ASSERT_NE(avi.codec, nullptr);
    ASSERT_EQ(avi.format->nb_streams, 1u);
    const AVStream* stream = avi.format->streams[0];
    EXPECT_EQ(stream->codecpar->codec_type, AVMEDIA_TYPE_VIDEO);
    EXPECT_EQ(stream->codecpar->codec_id, AV_CODEC_ID_RAWVIDEO);
    EXPECT_EQ(stream->codecpar->width, 5);
    EXPECT_EQ(stream->codecpar->height, 3);
    EXPECT_EQ(stream->nb_frames, 4);
    EXPECT_EQ(av_q2d(stream->avg_frame_rate), 8.0);

    for (int64_t index : {2, 0, 3, 1}) {
        SCOPED_TRACE("frame " + std::to_string(index));
        ASSERT_TRUE(avi.ReadFrame(index));
        ASSERT_EQ(avi.frame->format, AV_PIX_FMT_BGR24);
        const RgbaImage& expected = video.Frames[size_t(index)];
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const uint8_t* p = avi.frame->data[0] + y * avi.frame->linesize[0] + x * 3;
                const RgbaPixel& e = expected.At(x, y);
                ASSERT_EQ((std::array{p[2], p[1], p[0]}), (std::array{e.r, e.g, e.b}))
                    << x << "," << y;
            }
    }
}

std::string FourCcAt(const std::vector<uint8_t>& bytes, size_t at) {
    return std::string(bytes.begin() + long(at), bytes.begin() + long(at) + 4);
}

TEST(AviWriter, HeadersAndIndexWhereAStreamReaderLooks) {
    const std::vector<uint8_t> avi = WriteAvi(SmallVideo());
    ByteReader r(avi);
    r.Seek(4);
    EXPECT_EQ(r.U32(), avi.size() - 8);
    // The stream header: type, handler, scale and rate, length, quality, frame rectangle.
    const size_t strh = 12 + 12 + 8 + 56 + 12;
    ASSERT_EQ(FourCcAt(avi, strh), "strh");
    EXPECT_EQ(FourCcAt(avi, strh + 8), "vids");
    r.Seek(strh + 8 + 20);
    EXPECT_EQ(r.U32(), 1u);   // scale
    EXPECT_EQ(r.U32(), 8u);   // rate
    EXPECT_EQ(r.U32(), 0u);   // start
    EXPECT_EQ(r.U32(), 4u);   // length in frames
    EXPECT_EQ(r.U32(), 48u);  // suggested buffer: one padded frame
    r.Seek(strh + 8 + 48);
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(r.U16(), 0);
    EXPECT_EQ(r.U16(), 5);  // right edge: the frame width
    EXPECT_EQ(r.U16(), 3);  // bottom edge: the frame height
    // Every index entry points, from the 'movi' identifier, at a '00db' chunk of one frame.
    const size_t idx1 = avi.size() - 8 - 4 * 16;
    ASSERT_EQ(FourCcAt(avi, idx1), "idx1");
    const size_t movi = idx1 - 4 * (8 + 48) - 4;
    ASSERT_EQ(FourCcAt(avi, movi), "movi");
    r.Seek(idx1 + 8);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(FourCcAt(avi, r.Position()), "00db");
        r.Skip(4);
        EXPECT_EQ(r.U32(), 0x10u);  // key frame
        const uint32_t offset = r.U32();
        EXPECT_EQ(r.U32(), 48u);
        EXPECT_EQ(FourCcAt(avi, movi + offset), "00db");
        EXPECT_EQ(offset, 4u + uint32_t(k) * 56u);
    }
}

// Frame k of a clip whose frames change only in part: a bar that moves, over a fixed pattern wider
// than one run (270 equal pixels), so delta frames skip pixels inside rows and at their ends.
RgbaImage MovingBar(int w, int h, int k) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool bar = x == (k * 3) % w && y > 0;
            img.At(x, y) =
                bar ? RgbaPixel{255, 255, 0, 255}
                    : RgbaPixel{uint8_t(x >= 270 ? 200 : x / 16), uint8_t(y * 20), 90, 255};
        }
    return img;
}

TEST(AviWriter, Rle8FramesDecodeExactlyOneAfterAnother) {
    AviVideo video;
    video.Codec = AviCodec::Rle8;
    video.FramesPerSecond = 25;
    video.KeyFrameInterval = 4;
    for (int k = 0; k < 9; ++k)
        video.Frames.push_back(MovingBar(300, 5, k));  // rows longer than one run of 255
    test::TempDir dir;
    FfmpegVideo avi(dir.Write("bar.avi", WriteAvi(video)));
    ASSERT_NE(avi.codec, nullptr);
    EXPECT_EQ(avi.format->streams[0]->codecpar->codec_id, AV_CODEC_ID_MSRLE);
    EXPECT_EQ(avi.format->streams[0]->nb_frames, 9);

    int decoded = 0;
    std::vector<bool> keys;
    const auto check = [&] {
        while (avcodec_receive_frame(avi.codec, avi.frame) >= 0) {
            SCOPED_TRACE("frame " + std::to_string(decoded));
            ASSERT_EQ(avi.frame->format, AV_PIX_FMT_PAL8);
            const auto* palette = reinterpret_cast<const uint32_t*>(avi.frame->data[1]);
            const RgbaImage& expected = video.Frames[size_t(decoded)];
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 300; ++x) {
                    const uint32_t argb =
                        palette[avi.frame->data[0][y * avi.frame->linesize[0] + x]];
                    const RgbaPixel& e = expected.At(x, y);
                    ASSERT_EQ(argb & 0xFFFFFF, uint32_t(e.r) << 16 | uint32_t(e.g) << 8 | e.b)
                        << x << "," << y;
                }
            ++decoded;
        }
    };
    while (av_read_frame(avi.format, avi.packet) >= 0) {
        keys.push_back((avi.packet->flags & AV_PKT_FLAG_KEY) != 0);
        ASSERT_GE(avcodec_send_packet(avi.codec, avi.packet), 0);
        av_packet_unref(avi.packet);
        check();
    }
    avcodec_send_packet(avi.codec, nullptr);
    check();
    EXPECT_EQ(decoded, 9);
    EXPECT_EQ(keys,
              (std::vector<bool>{true, false, false, false, true, false, false, false, true}));
}

TEST(AviWriter, Rle8DeltaFramesStoreOnlyWhatChanged) {
    AviVideo video;
    video.Codec = AviCodec::Rle8;
    for (int k = 0; k < 3; ++k) {
        // A busy picture (no two neighbours alike) with one pixel that changes.
        RgbaImage img(64, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x)
                img.At(x, y) = {uint8_t((x * 7 + y * 3) % 5 * 40), 0, 0, 255};
        img.At(10 + k, 7) = {0, 255, 0, 255};
        video.Frames.push_back(img);
    }
    const size_t keyOnly = WriteAvi(video).size();
    video.KeyFrameInterval = 1;
    const size_t allKeys = WriteAvi(video).size();
    // A key frame codes 2048 single-pixel runs (4 KB); a delta frame a skip, two pixels and the
    // row ends.
    EXPECT_GT(allKeys, keyOnly + 2 * 3500);
}

TEST(AviWriter, RefusesVideosItCannotDescribe) {
    AviVideo video = SmallVideo();
    video.Frames[2] = Frame(6, 3, 2);
    EXPECT_THROW(WriteAvi(video), std::invalid_argument);  // frames of two sizes
    EXPECT_THROW(WriteAvi(AviVideo{}), std::invalid_argument);
    video = SmallVideo();
    video.FramesPerSecond = 0;
    EXPECT_THROW(WriteAvi(video), std::invalid_argument);
    video = SmallVideo();
    video.Frames = {RgbaImage(40000, 1)};
    EXPECT_THROW(WriteAvi(video), std::invalid_argument);
    // Palette frames hold 256 colours at most.
    video = AviVideo{};
    video.Codec = AviCodec::Rle8;
    video.Frames = {RgbaImage(257, 1)};
    for (int x = 0; x < 257; ++x)
        video.Frames[0].At(x, 0) = {uint8_t(x), uint8_t(x >> 8), 0, 255};
    EXPECT_THROW(WriteAvi(video), std::invalid_argument);
    video.Frames[0].At(256, 0) = video.Frames[0].At(0, 0);
    EXPECT_NO_THROW(WriteAvi(video));
}

}  // namespace
}  // namespace tess::writers
