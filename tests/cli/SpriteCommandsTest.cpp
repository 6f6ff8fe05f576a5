// tessarine-cli sprite info / sprite decode, run as a program on sprite files we write.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "resources/Surface.h"
#include "support/TempDir.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

using writers::RgbaImage;
using writers::RgbaPixel;

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the tool in `dir` with the arguments (already quoted where needed).
CliRun Cli(const test::TempDir& dir, const std::string& arguments) {
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    const std::string command = "cd '" + dir.Path().string() + "' && '" TESS_CLI_PATH "' " +
                                arguments + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
}

RgbaImage Picture(int w, int h) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + y) % 5 != 0)
                img.At(x, y) = {Expand4(x), Expand4(y), Expand4(x + y), Expand4(15 - x)};
    return img;
}

struct Png {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

Png LoadPng(const std::string& path, int channels) {
    Png png;
    int n = 0;
    stbi_uc* data = stbi_load(path.c_str(), &png.width, &png.height, &n, channels);
    if (!data) return png;
    png.pixels.assign(data, data + size_t(png.width) * size_t(png.height) * size_t(channels));
    stbi_image_free(data);
    return png;
}

TEST(SpriteCli, InfoTellsMagicSizeAndLayout) {
    test::TempDir dir;
    const RgbaImage img = Picture(20, 12);
    writers::DdsOptions tiled{writers::DdsFormat::TiledDxt3};
    tiled.TileWidth = 8;
    tiled.TileHeight = 8;
    writers::TiledOptions wide;
    wide.Pixels = writers::TilePixels::A8R8G8B8;
    dir.Write("a.dds", writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8, true}));
    dir.Write("t.dds", writers::WriteDds(img, tiled));
    dir.Write("r.ddsr", writers::WriteDdsr(img));
    dir.Write("l.ddsl", writers::WriteDdsl(img, wide));
    dir.Write("s.dds2", writers::WriteDds2(img, 10));
    const auto info = [&](const std::string& file) {
        const CliRun run = Cli(dir, "sprite info " + file);
        EXPECT_EQ(run.status, 0) << run.err;
        return nlohmann::json::parse(run.out);
    };
    EXPECT_EQ(info("a.dds"), nlohmann::json::parse(R"({"Magic": "DDS+", "Width": 20,
        "Height": 12, "BitsPerPixel": 32, "AlphaBits": 8, "Layout": "A8R8G8B8"})"));
    EXPECT_EQ(info("t.dds")["Layout"], "DXT3 tiled");
    EXPECT_EQ(info("r.ddsr"), nlohmann::json::parse(R"({"Magic": "DDSR", "Width": 20,
        "Height": 12, "BitsPerPixel": 16, "AlphaBits": 4, "Layout": "A4R4G4B4"})"));
    EXPECT_EQ(info("l.ddsl")["BitsPerPixel"], 32);
    EXPECT_EQ(info("s.dds2")["Magic"], "DDS2");

    // A layout the loader refuses: Layout null.
    std::vector<uint8_t> odd = writers::WriteDds(img, {writers::DdsFormat::A8R8G8B8});
    odd[88] = 24;
    dir.Write("odd.dds", odd);
    EXPECT_TRUE(info("odd.dds")["Layout"].is_null());
    const CliRun text = Cli(dir, "sprite info r.ddsr --text");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("20 x 12, A4R4G4B4"), std::string::npos);

    dir.Write("x.txt", std::string("hello, not a sprite"));
    dir.Write("cut.dds", std::string("DDS \x01\x02"));
    for (const char* bad : {"x.txt", "cut.dds", "missing.dds"}) {
        const CliRun run = Cli(dir, std::string("sprite info ") + bad);
        EXPECT_EQ(run.status, 3) << bad;
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(SpriteCli, DecodeWritesColourAndAlphaPictures) {
    test::TempDir dir;
    const RgbaImage img = Picture(21, 13);
    dir.Write("in/r.ddsr", writers::WriteDdsr(img));
    const CliRun run = Cli(dir, "sprite decode in/r.ddsr -o out.png --alpha out-alpha.png");
    ASSERT_EQ(run.status, 0) << run.err;
    const Png colour = LoadPng(dir.File("out.png"), 3),
              alpha = LoadPng(dir.File("out-alpha.png"), 1);
    ASSERT_EQ(colour.width, 21);
    ASSERT_EQ(colour.height, 13);
    ASSERT_EQ(alpha.width, 21);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 21; ++x) {
            const RgbaPixel& p = img.At(x, y);
            const Rgb8 shown = ExpandRgb565(Rgb565(p.r, p.g, p.b));
            const size_t i = size_t(y) * 21 + size_t(x);
            ASSERT_EQ(colour.pixels[3 * i], shown.r);
            ASSERT_EQ(colour.pixels[3 * i + 1], shown.g);
            ASSERT_EQ(colour.pixels[3 * i + 2], shown.b);
            ASSERT_EQ(alpha.pixels[i], ExpandRgb565(Rgb565(p.a, p.a, p.a)).g);
        }
    // R5G6B5 has no alpha to write.
    dir.Write("plain.dds", writers::WriteDds(img, {writers::DdsFormat::R5G6B5}));
    EXPECT_EQ(Cli(dir, "sprite decode plain.dds -o p.png --alpha pa.png").status, 3);
}

TEST(SpriteCli, StripDecodingKeepsMagentaAsAColour) {
    test::TempDir dir;
    const RgbaImage img = Picture(30, 9);
    dir.Write("s.dds2", writers::WriteDds2(img, 12));
    const CliRun run = Cli(dir, "sprite decode s.dds2 -o s.png --strip");
    ASSERT_EQ(run.status, 0) << run.err;
    const Png png = LoadPng(dir.File("s.png"), 3);
    ASSERT_EQ(png.width, 30);
    const size_t transparent = 0;  // pixel (0, 0): (0 + 0) % 5 == 0
    EXPECT_EQ(png.pixels[transparent], 255);
    EXPECT_EQ(png.pixels[transparent + 1], 0);
    EXPECT_EQ(png.pixels[transparent + 2], 255);
    EXPECT_EQ(Cli(dir, "sprite decode s.dds2 -o s.png --strip --alpha a.png").status, 2);
}

TEST(SpriteCli, DamagedSpritesEndWithStatus3) {
    test::TempDir dir;
    // CliRun-length tiles in the 32-bit layout: every tile is reported, the run goes on.
    std::vector<uint8_t> bad = writers::WriteDdsr(Picture(8, 8));
    bad[12] = bad[13] = bad[14] = bad[15] = 8;
    dir.Write("bad.ddsr", bad);
    const CliRun run = Cli(dir, "sprite decode bad.ddsr -o bad.png");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("Nezmany Format"), std::string::npos);
    // A tile linking to itself.
    std::vector<uint8_t> loop =
        writers::WriteDdsr(Picture(64, 8), {writers::TilePixels::A4R4G4B4, 32});
    loop[40] = 36;  // first tile's right link -> itself
    loop[41] = loop[42] = loop[43] = 0;
    dir.Write("loop.ddsr", loop);
    const CliRun looped = Cli(dir, "sprite decode loop.ddsr -o loop.png");
    EXPECT_EQ(looped.status, 3);
    EXPECT_NE(looped.err.find("reached a second time"), std::string::npos);
    EXPECT_EQ(Cli(dir, "sprite decode loop.ddsr").status, 2);
}

}  // namespace
}  // namespace tess
