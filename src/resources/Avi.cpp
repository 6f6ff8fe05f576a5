// The video frame reader: the first stream's information and single frames of an AVI file.
#include "resources/Avi.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <mutex>
#include <optional>
#include <vector>

#include "resources/AviHeader.h"
#include "resources/BigFile.h"
#include "resources/DiskFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The stream header lies in the first few kilobytes of every AVI file.
constexpr size_t kHeadBytes = 64 * 1024;

// The step of an operation that failed, named as the error box names it.
enum class Step { FileOpen, GetStream, StreamInfo, GetFrameOpen, GetFrame, Convert };

struct Failure {
    Step step;
};

std::string Message(Step step, const std::string& name) {
    const char* call = "";
    switch (step) {
        case Step::FileOpen:
            call = "AVIFileOpen";
            break;
        case Step::GetStream:
            call = "AVIFileGetStream";
            break;
        case Step::StreamInfo:
            call = "AVIStreamInfo";
            break;
        case Step::GetFrameOpen:
            call = "AVIStreamGetFrameOpen";
            break;
        case Step::GetFrame:
            call = "AVIStreamGetFrame";
            break;
        case Step::Convert:
            return "Avi CreateDIBitmap chybny handle";
    }
    return std::string("Avi ") + call + " \"" + name + "\"";
}

// FFmpeg reports on stderr by default; the reader reports through its error boxes instead.
void QuietFfmpeg() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// An opened file with its first stream's decoder, released in the reverse order of opening.
class VideoSession {
  public:
    explicit VideoSession(const std::string& path) {
        QuietFfmpeg();
        // FFmpeg's open would wait on a named pipe: only a regular file is handed to it.
        try {
            OpenDiskFile(path);
        } catch (const IoError&) {
            throw Failure{Step::FileOpen};
        }
        // Only the AVI demuxer and only plain files: a crafted file must not make FFmpeg read
        // other files, playlists or network addresses.
        AVDictionary* options = nullptr;
        av_dict_set(&options, "protocol_whitelist", "file", 0);
        const int opened = avformat_open_input(&format_, ("file:" + path).c_str(),
                                               av_find_input_format("avi"), &options);
        av_dict_free(&options);
        if (opened < 0) throw Failure{Step::FileOpen};  // nothing is left open then
        if (avformat_find_stream_info(format_, nullptr) < 0) CloseAndFail(Step::FileOpen);
        if (format_->nb_streams == 0) CloseAndFail(Step::GetStream);
    }
    ~VideoSession() {
        av_frame_free(&frame_);
        av_frame_free(&kept_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    AVStream* Stream() const { return format_->streams[0]; }
    bool IsVideo() const { return Stream()->codecpar->codec_type == AVMEDIA_TYPE_VIDEO; }

    void OpenDecoder(const AviLimits& limits) {
        const AVCodecParameters* par = Stream()->codecpar;
        if (!IsVideo() || !SideAccepted(par->width, limits) || !SideAccepted(par->height, limits))
            throw Failure{Step::GetFrameOpen};
        const AVCodec* decoder = avcodec_find_decoder(par->codec_id);
        if (decoder == nullptr) throw Failure{Step::GetFrameOpen};
        codec_ = avcodec_alloc_context3(decoder);
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        kept_ = av_frame_alloc();
        if (!codec_ || !packet_ || !frame_ || !kept_) throw Failure{Step::GetFrameOpen};
        if (avcodec_parameters_to_context(codec_, par) < 0) throw Failure{Step::GetFrameOpen};
        codec_->thread_count = 1;  // one frame is wanted, and the other cores are the user's
        codec_->max_pixels = int64_t(limits.MaxSide) * limits.MaxSide;
        if (avcodec_open2(codec_, decoder, nullptr) < 0) throw Failure{Step::GetFrameOpen};
    }

    // Decodes the frame with the index into Frame(): after a seek to the key frame at or before
    // it, or, with `fromStart`, walking from the start of a freshly opened file (for streams
    // whose index or timestamps the seek cannot trust). False when the frame was not reached.
    bool Decode(int64_t index, bool fromStart, const AviLimits& limits) {
        if (!fromStart && av_seek_frame(format_, 0, TimestampOf(index), AVSEEK_FLAG_BACKWARD) < 0)
            return false;
        avcodec_flush_buffers(codec_);
        return DecodeForward(index, !fromStart, limits);
    }
    const AVFrame& Frame() const { return *kept_; }

    static bool SideAccepted(int side, const AviLimits& limits) {
        return side > 0 && side <= limits.MaxSide;
    }

  private:
    // A constructor that throws runs no destructor: the file is closed before the failure.
    [[noreturn]] void CloseAndFail(Step step) {
        avformat_close_input(&format_);
        throw Failure{step};
    }

    // One frame lasts this long; AVI streams count one tick of their time base a frame.
    AVRational FrameDuration() const {
        const AVStream* st = Stream();
        for (AVRational rate : {st->avg_frame_rate, st->r_frame_rate})
            if (rate.num > 0 && rate.den > 0) return av_inv_q(rate);
        return st->time_base;
    }
    int64_t TimestampOf(int64_t index) const {
        return av_rescale_q(index, FrameDuration(), Stream()->time_base);
    }
    int64_t IndexOf(int64_t timestamp) const {
        return av_rescale_q_rnd(timestamp, Stream()->time_base, FrameDuration(),
                                static_cast<AVRounding>(AV_ROUND_NEAR_INF));
    }

    // Decodes forward from where the file stands. The wanted frame is the last one shown at
    // its index: the frame with that index, or the one before a gap in the timestamps. False
    // when the first decoded frame lies past it (a seek that landed too late), a frame has no
    // timestamp after a seek, the data ends before the frame (a file cut short) or the packet
    // limit was met.
    bool DecodeForward(int64_t index, bool afterSeek, const AviLimits& limits) {
        bool haveKept = false;
        int64_t counted = -1;  // the position of frames without a timestamp, from the start
        int32_t packets = 0;
        bool draining = false;
        while (true) {
            if (!draining) {
                if (av_read_frame(format_, packet_) < 0) {
                    draining = true;
                    avcodec_send_packet(codec_, nullptr);
                } else {
                    const bool ours = packet_->stream_index == 0;
                    if (ours) avcodec_send_packet(codec_, packet_);  // a damaged packet is skipped
                    av_packet_unref(packet_);
                    if (++packets > limits.MaxPacketsPerFrame) return false;
                    if (!ours) continue;
                }
            }
            while (avcodec_receive_frame(codec_, frame_) >= 0) {
                const int64_t stamp = frame_->best_effort_timestamp;
                ++counted;
                if (stamp == AV_NOPTS_VALUE && afterSeek) {
                    av_frame_unref(frame_);
                    return false;
                }
                const int64_t at = stamp == AV_NOPTS_VALUE ? counted : IndexOf(stamp);
                if (at > index) {
                    av_frame_unref(frame_);
                    return haveKept;
                }
                av_frame_unref(kept_);
                av_frame_move_ref(kept_, frame_);
                haveKept = true;
                if (at == index) return true;
            }
            if (draining) return false;  // the data ended before the frame
        }
    }

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVFrame* kept_ = nullptr;
};

// The disk path of a video file name; the video is never looked up in the archive.
std::string VideoPath(const std::string& name) {
    return ResolveDiskPath(name);
}

std::optional<AviStreamHeader> FirstStreamHeader(const std::string& path) {
    DiskFile file;
    try {
        file = OpenDiskFile(path);
    } catch (const IoError&) {
        return std::nullopt;
    }
    std::vector<uint8_t> head(kHeadBytes);
    const ssize_t got = ReadFullyAt(file.Fd.get(), head.data(), head.size(), 0);
    if (got <= 0) return std::nullopt;
    head.resize(static_cast<size_t>(got));
    return ReadFirstStreamHeader(head);
}

uint32_t FrameCountOf(const AVStream& st) {
    if (st.nb_frames > 0) return static_cast<uint32_t>(std::min<int64_t>(st.nb_frames, UINT32_MAX));
    return 0;
}

// Runs an operation, showing the error box of each failed step; after Retry it runs again, at
// most `attempts` times in all. True when it succeeded.
template <typename Operation>
bool WithRetry(const std::string& name, int32_t attempts, Operation operation) {
    for (int32_t attempt = 1;; ++attempt) {
        try {
            operation();
            return true;
        } catch (const Failure& failure) {
            ErrorBox(Message(failure.step, name));
            if (attempt >= attempts) return false;
        }
    }
}

// The frame as 8-bit RGB rows, then into the surface's 16-bit pixels.
void ConvertFrame(const AVFrame& frame, const AviLimits& limits, tSurface& target) {
    if (!VideoSession::SideAccepted(frame.width, limits) ||
        !VideoSession::SideAccepted(frame.height, limits))
        throw Failure{Step::Convert};
    SwsContext* sws = sws_getContext(
        frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), frame.width,
        frame.height, AV_PIX_FMT_RGB24, SWS_POINT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (sws == nullptr) throw Failure{Step::Convert};
    const int stride = frame.width * 3;
    std::vector<uint8_t> rgb(size_t(stride) * size_t(frame.height));
    uint8_t* planes[4] = {rgb.data(), nullptr, nullptr, nullptr};
    int strides[4] = {stride, 0, 0, 0};
    const int rows = sws_scale(sws, frame.data, frame.linesize, 0, frame.height, planes, strides);
    sws_freeContext(sws);
    if (rows != frame.height) throw Failure{Step::Convert};
    target.SetSize(frame.width, frame.height);
    for (int32_t y = 0; y < frame.height; ++y) {
        const uint8_t* in = rgb.data() + size_t(y) * size_t(stride);
        uint16_t* out = target.Row(y);
        for (int32_t x = 0; x < frame.width; ++x, in += 3)
            out[x] = Rgb565(in[0], in[1], in[2]);
    }
}

}  // namespace

void OpenAvi(tAviFile& avi, const std::string& fileName) {
    avi.FileName = fileName;
    const std::string path = VideoPath(fileName);
    WithRetry(fileName, avi.Limits.Attempts, [&] {
        VideoSession session(path);
        if (!session.IsVideo()) return;
        const AVStream& st = *session.Stream();
        const AVCodecParameters& par = *st.codecpar;
        if (!VideoSession::SideAccepted(par.width, avi.Limits) ||
            !VideoSession::SideAccepted(par.height, avi.Limits))
            throw Failure{Step::StreamInfo};
        avi.FrameWidth = par.width;
        avi.FrameHeight = par.height;
        avi.FrameCount = FrameCountOf(st);
        if (const auto header = FirstStreamHeader(path)) {
            avi.Rate = header->Rate;
            avi.Quality = header->Quality;
        } else {
            const AVRational rate = st.avg_frame_rate.num > 0 ? st.avg_frame_rate : st.r_frame_rate;
            avi.Rate = rate.den > 0 ? static_cast<uint32_t>(std::lround(av_q2d(rate))) : 0;
            avi.Quality = UINT32_MAX;
        }
    });
}

bool GetAviFrame(tAviFile& avi, int32_t frame, tSurface& target) {
    const std::string path = VideoPath(avi.FileName);
    return WithRetry(avi.FileName, avi.Limits.Attempts, [&] {
        for (const bool fromStart : {false, true}) {
            VideoSession session(path);
            session.OpenDecoder(avi.Limits);
            const int64_t length = session.Stream()->nb_frames;
            if (frame < 0 || (length > 0 && frame >= length)) throw Failure{Step::GetFrame};
            if (session.Decode(frame, fromStart, avi.Limits)) {
                ConvertFrame(session.Frame(), avi.Limits, target);
                return;
            }
        }
        throw Failure{Step::GetFrame};
    });
}

void CloseAvi(tAviFile& avi) {
    avi.FileName.clear();
}

}  // namespace tess
