// tessarine-cli video info / video frame, run as a program on videos we write.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include "CliRun.h"
#include "resources/Surface.h"
#include "support/TempDir.h"
#include "writers/AviWriter.h"

namespace tess {
namespace {

using test::RunCli;
using writers::RgbaImage;

writers::AviVideo Video() {
    writers::AviVideo video;
    video.Codec = writers::AviCodec::Rle8;
    video.FramesPerSecond = 8;
    for (int k = 0; k < 6; ++k) {
        RgbaImage img(12, 7);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 12; ++x)
                img.At(x, y) = {uint8_t(x == k ? 248 : 8 * y), uint8_t(4 * x), 80, 255};
        video.Frames.push_back(img);
    }
    return video;
}

class VideoCommandsTest : public ::testing::Test {
  protected:
    VideoCommandsTest() : cwd(dir.Path()) { dir.Write("faces.avi", writers::WriteAvi(Video())); }
    test::TempDir dir;
    test::ScopedCurrentDir cwd;
};

TEST_F(VideoCommandsTest, InfoPrintsTheRecordsFields) {
    const auto r = RunCli({"video", "info", "faces.avi"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = r.Json();
    EXPECT_EQ(j["FrameWidth"], 12);
    EXPECT_EQ(j["FrameHeight"], 7);
    EXPECT_EQ(j["Rate"], 8);
    EXPECT_EQ(j["FrameCount"], 6);
    EXPECT_EQ(j["Quality"], 0xFFFFFFFFu);
    EXPECT_EQ(RunCli({"video", "info", "faces.avi", "--text"}).out,
              "12 x 7, 6 frames, rate 8, quality 4294967295\n");
}

TEST_F(VideoCommandsTest, FrameWritesThatFrameAsPng) {
    const auto r = RunCli({"video", "frame", "faces.avi", "5", "-o", "five.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    int w = 0, h = 0, n = 0;
    unsigned char* png = stbi_load(dir.File("five.png").c_str(), &w, &h, &n, 3);
    ASSERT_NE(png, nullptr);
    ASSERT_EQ(w, 12);
    ASSERT_EQ(h, 7);
    const RgbaImage expected = Video().Frames[5];
    int wrong = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 12; ++x) {
            const auto& e = expected.At(x, y);
            const Rgb8 c = ExpandRgb565(Rgb565(e.r, e.g, e.b));
            const unsigned char* p = png + (y * 12 + x) * 3;
            wrong += p[0] != c.r || p[1] != c.g || p[2] != c.b;
        }
    stbi_image_free(png);
    EXPECT_EQ(wrong, 0);
}

TEST_F(VideoCommandsTest, BadInputExitsWithThree) {
    auto r = RunCli({"video", "frame", "faces.avi", "6", "-o", "x.png"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "error: Avi AVIStreamGetFrame \"" + dir.File("faces.avi") + "\"\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.png")));
    r = RunCli({"video", "info", "none.avi"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("no video file"), std::string::npos);
    dir.Write("junk.avi", std::string("not a video"));
    r = RunCli({"video", "info", "junk.avi"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(RunCli({"video", "frame", "faces.avi", "x1", "-o", "x.png"}).status, 2);
    EXPECT_EQ(RunCli({"video", "frame", "faces.avi", "1"}).status, 2);
}

}  // namespace
}  // namespace tess
