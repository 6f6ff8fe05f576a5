// The video frame reader on files of our own writer: stream information, frames by index in two
// codecs, what is refused and how failures are reported.
#include "resources/Avi.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/BigFile.h"
#include "support/NamedPipe.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/AviWriter.h"

namespace tess {
namespace {

using writers::AviCodec;
using writers::AviVideo;
using writers::RgbaImage;
using writers::RgbaPixel;

// Frame k: a bar at column k over a pattern, with a corner colour that only frame k has, so a
// wrong frame (a neighbour, or a delta frame decoded over the wrong picture) shows.
RgbaImage Frame(int w, int h, int k) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = x == k % w ? RgbaPixel{248, 252, 0, 255}
                                      : RgbaPixel{uint8_t(x / 4 * 16), uint8_t(y * 8), 96, 255};
    img.At(0, 0) = {uint8_t(k * 8), 0, 248, 255};
    return img;
}

AviVideo Clip(AviCodec codec, int frames, uint32_t keyInterval, int w = 24, int h = 10) {
    AviVideo video;
    video.Codec = codec;
    video.FramesPerSecond = 25;
    video.KeyFrameInterval = keyInterval;
    for (int k = 0; k < frames; ++k)
        video.Frames.push_back(Frame(w, h, k));
    return video;
}

// Every pixel of the surface is the frame's colour in 16 bits.
void ExpectFrame(const tSurface& surface, const RgbaImage& expected) {
    ASSERT_EQ(surface.Width(), expected.Width);
    ASSERT_EQ(surface.Height(), expected.Height);
    for (int y = 0; y < expected.Height; ++y)
        for (int x = 0; x < expected.Width; ++x) {
            const RgbaPixel& e = expected.At(x, y);
            ASSERT_EQ(surface.PixelAt(x, y), Rgb565(e.r, e.g, e.b)) << x << "," << y;
        }
}

class AviTest : public ::testing::Test {
  protected:
    AviTest() : cwd(dir.Path()) { BigFile().Close(); }

    std::string Write(const std::string& name, const AviVideo& video) {
        dir.Write(name, writers::WriteAvi(video));
        return name;
    }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
};

TEST_F(AviTest, OpenReadsTheFirstStreamsInformation) {
    tAviFile avi;
    OpenAvi(avi, Write("Pictures/faces.avi", Clip(AviCodec::Rle8, 12, 5, 30, 20)));
    EXPECT_EQ(avi.FileName, "Pictures/faces.avi");
    EXPECT_EQ(avi.FrameWidth, 30);
    EXPECT_EQ(avi.FrameHeight, 20);
    EXPECT_EQ(avi.Rate, 25u);
    EXPECT_EQ(avi.FrameCount, 12u);
    EXPECT_EQ(avi.Quality, 0xFFFFFFFFu);
    CloseAvi(avi);
    EXPECT_EQ(avi.FileName, "");
    EXPECT_EQ(avi.FrameCount, 12u);  // closing forgets only the name
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(AviTest, FramesByIndexInBothCodecs) {
    struct Case {
        const char* name;
        AviCodec codec;
        uint32_t keys;
    };
    // Uncompressed frames are all key frames; RLE8 with one key frame at the start makes the
    // last frame the sum of every delta before it, and a key frame every 8 exercises the seek.
    for (const Case c : {Case{"raw", AviCodec::Uncompressed, 0}, Case{"far", AviCodec::Rle8, 0},
                         Case{"every8", AviCodec::Rle8, 8}}) {
        SCOPED_TRACE(c.name);
        const AviVideo video = Clip(c.codec, 21, c.keys);
        tAviFile avi;
        avi.FileName = Write(std::string(c.name) + ".avi", video);
        for (int k : {0, 20, 9, 8, 7, 16, 1, 20}) {
            SCOPED_TRACE("frame " + std::to_string(k));
            tSurface surface;
            ASSERT_TRUE(GetAviFrame(avi, k, surface));
            ExpectFrame(surface, video.Frames[size_t(k)]);
        }
    }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(AviTest, NamesResolveOnDiskAndNeverInTheArchive) {
    const AviVideo video = Clip(AviCodec::Uncompressed, 3, 0);
    Write("PICTURES/KsichtIs.AVI", video);
    // An archive member of the same name is not consulted.
    dir.Write("zor.dat",
              writers::BuildArchive({{"PICTURES/ONLYHERE.AVI", writers::WriteAvi(video)}}));
    BigFile().Open("zor.dat");
    tAviFile avi;
    OpenAvi(avi, "Pictures\\ksichtis.avi");
    EXPECT_EQ(avi.FrameCount, 3u);
    tSurface surface;
    EXPECT_TRUE(GetAviFrame(avi, 2, surface));
    ExpectFrame(surface, video.Frames[2]);
    EXPECT_TRUE(ui.errors.empty());
    OpenAvi(avi, "Pictures\\onlyhere.avi");
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_EQ(ui.errors[0], "Avi AVIFileOpen \"Pictures\\onlyhere.avi\"");
    BigFile().Close();
}

TEST_F(AviTest, FirstStreamThatIsNotVideoLeavesTheFieldsAndHasNoFrames) {
    writers::PcmSound sound;
    sound.Samples.assign(2205, 100);
    dir.Write("talk.avi", writers::WriteAudioAvi(sound));
    tAviFile avi;
    avi.FrameWidth = 7;
    avi.FrameHeight = 8;
    avi.Rate = 9;
    avi.FrameCount = 10;
    avi.Quality = 11;
    OpenAvi(avi, "talk.avi");
    EXPECT_EQ(avi.FileName, "talk.avi");
    EXPECT_EQ(avi.FrameWidth, 7);
    EXPECT_EQ(avi.FrameHeight, 8);
    EXPECT_EQ(avi.Rate, 9u);
    EXPECT_EQ(avi.FrameCount, 10u);
    EXPECT_EQ(avi.Quality, 11u);
    EXPECT_TRUE(ui.errors.empty());

    tSurface surface(3, 3);
    surface.Fill(0x1234);
    EXPECT_FALSE(GetAviFrame(avi, 0, surface));
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_EQ(ui.errors[0], "Avi AVIStreamGetFrameOpen \"talk.avi\"");
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.PixelAt(1, 1), 0x1234);
}

TEST_F(AviTest, MissingFileShowsItsBoxRetriesAndGivesUp) {
    tAviFile avi;
    avi.FrameCount = 5;
    OpenAvi(avi, "Pictures\\none.avi");
    // Retry repeats the step; after the third failure the operation gives up.
    EXPECT_EQ(ui.errors, std::vector<std::string>(3, "Avi AVIFileOpen \"Pictures\\none.avi\""));
    EXPECT_EQ(avi.FrameCount, 5u);
    ui.Reset();
    tSurface surface;
    EXPECT_FALSE(GetAviFrame(avi, 0, surface));
    EXPECT_EQ(ui.errors.size(), 3u);
    // Abort ends the program at the first box.
    ui.Reset();
    ui.errorAnswers = {ErrorChoice::Abort};
    EXPECT_THROW(OpenAvi(avi, "Pictures\\none.avi"), test::AbortRequested);
}

// Answers the first error box by putting the file in place, as a user who fixed it would.
class FixingUi : public test::ScopedTestUi {
  public:
    ErrorChoice ErrorBox(const std::string& text) override {
        if (fix) {
            fix();
            fix = nullptr;
        }
        return test::ScopedTestUi::ErrorBox(text);
    }
    std::function<void()> fix;
};

// A named pipe in place of the face video is refused as a file that cannot be opened, rather
// than waited on for a writer.
TEST_F(AviTest, NamedPipeIsRefusedLikeAMissingFile) {
    const test::NamedPipe pipe(dir.File("Pictures/ksichtis.avi"));
    tAviFile avi;
    OpenAvi(avi, "Pictures\\ksichtis.avi");
    EXPECT_EQ(ui.errors, std::vector<std::string>(3, "Avi AVIFileOpen \"Pictures\\ksichtis.avi\""));
    ui.Reset();
    tSurface surface;
    EXPECT_FALSE(GetAviFrame(avi, 0, surface));
    EXPECT_EQ(ui.errors.size(), 3u);
    EXPECT_FALSE(pipe.ReleasedAReader());
}

TEST_F(AviTest, RetryAfterTheFileAppearedSucceeds) {
    FixingUi fixing;
    const AviVideo video = Clip(AviCodec::Rle8, 4, 0);
    fixing.fix = [&] { Write("late.avi", video); };
    tAviFile avi;
    tSurface surface;
    avi.FileName = "late.avi";
    EXPECT_TRUE(GetAviFrame(avi, 3, surface));
    EXPECT_EQ(fixing.errors, std::vector<std::string>{"Avi AVIFileOpen \"late.avi\""});
    ExpectFrame(surface, video.Frames[3]);
}

TEST_F(AviTest, FramesOutsideTheClipAndDamagedFilesAreRefused) {
    const AviVideo video = Clip(AviCodec::Rle8, 10, 0);
    tAviFile avi;
    avi.FileName = Write("ten.avi", video);
    tSurface surface;
    for (int k : {-1, 10, 1000}) {
        ui.Reset();
        EXPECT_FALSE(GetAviFrame(avi, k, surface)) << k;
        ASSERT_EQ(ui.errors.size(), 3u);
        EXPECT_EQ(ui.errors[0], "Avi AVIStreamGetFrame \"ten.avi\"");
    }
    EXPECT_TRUE(surface.Empty());

    // The file cut short: the frames still there decode, the rest are refused (not answered
    // with the last frame there is), nothing breaks.
    const AviVideo raw = Clip(AviCodec::Uncompressed, 10, 0);
    std::vector<uint8_t> bytes = writers::WriteAvi(raw);
    bytes.resize(bytes.size() / 2);
    dir.Write("cut.avi", bytes);
    avi.FileName = "cut.avi";
    ui.Reset();
    ASSERT_TRUE(GetAviFrame(avi, 2, surface));
    ExpectFrame(surface, raw.Frames[2]);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_FALSE(GetAviFrame(avi, 9, surface));
    EXPECT_FALSE(ui.errors.empty());

    // Not a video at all.
    dir.Write("text.avi", std::string("RIFF....AVI LIST nothing useful here"));
    ui.Reset();
    OpenAvi(avi, "text.avi");
    EXPECT_EQ(ui.errors.size(), 3u);
}

TEST_F(AviTest, LimitsRefuseFramesBeyondThem) {
    const AviVideo video = Clip(AviCodec::Rle8, 30, 0);
    tAviFile avi;
    avi.FileName = Write("long.avi", video);
    avi.Limits.MaxPacketsPerFrame = 10;
    tSurface surface;
    EXPECT_TRUE(GetAviFrame(avi, 9, surface));
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_FALSE(GetAviFrame(avi, 29, surface));  // 30 packets from the only key frame
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_EQ(ui.errors[0], "Avi AVIStreamGetFrame \"long.avi\"");

    avi.Limits = {};
    avi.Limits.MaxSide = 16;  // the frames are 24 wide
    ui.Reset();
    OpenAvi(avi, "long.avi");
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_EQ(ui.errors[0], "Avi AVIStreamInfo \"long.avi\"");
    ui.Reset();
    EXPECT_FALSE(GetAviFrame(avi, 0, surface));
    EXPECT_EQ(ui.errors[0], "Avi AVIStreamGetFrameOpen \"long.avi\"");
}

}  // namespace
}  // namespace tess
