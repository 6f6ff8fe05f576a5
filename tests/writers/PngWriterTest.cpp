// The PNG stream writer and its deflate: decoded by stb_image, checked against plain CRC-32 and
// Adler-32; PNG files of surfaces.
#include "writers/PngWriter.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <stdexcept>

#include "resources/Random.h"
#include "resources/Surface.h"
#include "support/TempDir.h"
#include "writers/PngFile.h"

namespace tess::writers {
namespace {

uint32_t BitwiseCrc(const uint8_t* data, size_t size) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

uint32_t Adler(const std::vector<uint8_t>& data) {
    uint64_t a = 1, b = 0;
    for (uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return uint32_t(b << 16 | a);
}

uint32_t BigEndian(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& zlib) {
    int length = 0;
    char* out = stbi_zlib_decode_malloc(reinterpret_cast<const char*>(zlib.data()),
                                        static_cast<int>(zlib.size()), &length);
    EXPECT_NE(out, nullptr);
    if (!out) return {};
    std::vector<uint8_t> bytes(out, out + length);
    std::free(out);
    return bytes;
}

void ExpectRoundTrip(const std::vector<uint8_t>& data) {
    const std::vector<uint8_t> z = DeflateZlib(data.data(), data.size());
    ASSERT_GE(z.size(), 6u);
    EXPECT_EQ((z[0] << 8 | z[1]) % 31, 0);
    EXPECT_EQ(Inflate(z), data);
    EXPECT_EQ(BigEndian(z.data() + z.size() - 4), Adler(data));
}

TEST(Deflate, RoundTripsEveryKindOfInput) {
    Random rnd(3);
    ExpectRoundTrip({});
    ExpectRoundTrip({42});
    ExpectRoundTrip({1, 2, 3});
    ExpectRoundTrip(std::vector<uint8_t>(300000, 0));  // runs of the longest matches
    std::vector<uint8_t> noise(200000);
    for (auto& v : noise)
        v = uint8_t(rnd.Next(256));
    ExpectRoundTrip(noise);  // literals only
    // Repeats exactly at the window's reach and one byte beyond it.
    for (size_t period : {size_t(32768), size_t(32769), size_t(3), size_t(259)}) {
        std::vector<uint8_t> repeated(3 * 32768 + 1000);
        for (size_t i = 0; i < repeated.size(); ++i)
            repeated[i] = i < period ? uint8_t(rnd.Next(256)) : repeated[i - period];
        ExpectRoundTrip(repeated);
    }
    // More than the encoder's buffer, with repeats across its slides.
    std::vector<uint8_t> big(5 * 1024 * 1024 + 17);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = rnd.Next(4) == 0 ? uint8_t(rnd.Next(256)) : uint8_t(i % 97);
    ExpectRoundTrip(big);
}

TEST(Crc32, IsTheStandardOne) {
    const uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc32(check, 9), 0xCBF43926u);
    Random rnd(4);
    std::vector<uint8_t> data(1000);
    for (auto& v : data)
        v = uint8_t(rnd.Next(256));
    for (size_t cut : {size_t(0), size_t(1), size_t(7), size_t(500), size_t(1000)})
        EXPECT_EQ(Crc32(data.data() + cut, data.size() - cut, Crc32(data.data(), cut)),
                  BitwiseCrc(data.data(), data.size()));
}

std::vector<uint8_t> Pattern(uint32_t width, uint32_t height, Random& rnd, bool noisy) {
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = uint8_t((x % 32) * 8);
            p[1] = uint8_t((y % 16) * 16 + (x / 32) % 3);
            p[2] = noisy ? uint8_t(rnd.Next(256)) : uint8_t((x % 32) ^ (y % 16));
        }
    return rgb;
}

TEST(PngStreamWriter, PicturesDecodeToTheirPixels) {
    Random rnd(5);
    for (auto [w, h, noisy] : {std::tuple{1u, 1u, true}, std::tuple{3u, 7u, true},
                               std::tuple{640u, 480u, true}, std::tuple{2000u, 700u, false}}) {
        const std::vector<uint8_t> rgb = Pattern(w, h, rnd, noisy);
        const std::vector<uint8_t> png = EncodePngRgb(rgb.data(), w, h);
        int x = 0, y = 0, channels = 0;
        stbi_uc* decoded = stbi_load_from_memory(png.data(), int(png.size()), &x, &y, &channels, 3);
        ASSERT_NE(decoded, nullptr) << w << " x " << h;
        EXPECT_EQ(uint32_t(x), w);
        EXPECT_EQ(uint32_t(y), h);
        EXPECT_EQ(channels, 3);
        EXPECT_EQ(std::vector<uint8_t>(decoded, decoded + rgb.size()), rgb);
        stbi_image_free(decoded);
    }
}

TEST(PngStreamWriter, GreyPicturesDecodeToTheirLevels) {
    Random rnd(9);
    const uint32_t w = 37, h = 11;
    std::vector<uint8_t> grey(size_t(w) * h);
    for (auto& v : grey)
        v = uint8_t(rnd.Next(256));
    std::vector<uint8_t> png;
    PngStreamWriter writer([&](const uint8_t* d, size_t n) { png.insert(png.end(), d, d + n); }, w,
                           h, PngColour::Grey);
    for (uint32_t y = 0; y < h; ++y)
        writer.AddRow(grey.data() + size_t(y) * w);
    writer.Finish();
    int x = 0, y = 0, channels = 0;
    stbi_uc* decoded = stbi_load_from_memory(png.data(), int(png.size()), &x, &y, &channels, 0);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(std::vector<uint8_t>(decoded, decoded + grey.size()), grey);
    stbi_image_free(decoded);
}

TEST(PngStreamWriter, ChunksAreWellFormed) {
    Random rnd(6);
    const uint32_t w = 1500, h = 400;
    const std::vector<uint8_t> rgb = Pattern(w, h, rnd, true);
    const std::vector<uint8_t> png = EncodePngRgb(rgb.data(), w, h);
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature, signature + 8, png.begin()));
    std::vector<std::string> types;
    std::vector<uint8_t> zlib;
    for (size_t at = 8; at < png.size();) {
        ASSERT_LE(at + 12, png.size());
        const uint32_t length = BigEndian(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
        types.push_back(type);
        EXPECT_EQ(BigEndian(&png[at + 8 + length]), BitwiseCrc(&png[at + 4], length + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(BigEndian(&png[at + 8]), w);
            EXPECT_EQ(BigEndian(&png[at + 12]), h);
            EXPECT_EQ(png[at + 16], 8);
            EXPECT_EQ(png[at + 17], 2);
        }
        if (type == "IDAT") {
            EXPECT_LE(length, 256u * 1024 + 8);
            zlib.insert(zlib.end(), png.begin() + long(at) + 8,
                        png.begin() + long(at + 8 + length));
        }
        at += 12 + length;
    }
    ASSERT_GE(types.size(), 4u);  // IHDR, IDAT in pieces, IEND
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    // The image data: a filter byte of 0 before every row, then the row.
    std::vector<uint8_t> raw;
    for (uint32_t y = 0; y < h; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + long(y) * w * 3, rgb.begin() + long(y + 1) * w * 3);
    }
    EXPECT_EQ(Inflate(zlib), raw);
    EXPECT_EQ(BigEndian(zlib.data() + zlib.size() - 4), Adler(raw));
}

TEST(PngStreamWriter, RepeatedTilesCompressWell) {
    Random rnd(7);
    const std::vector<uint8_t> rgb = Pattern(1024, 512, rnd, false);
    EXPECT_LT(EncodePngRgb(rgb.data(), 1024, 512).size(), rgb.size() / 8);
}

TEST(PngStreamWriter, RefusesWrongSizesAndRowCounts) {
    auto sink = [](const uint8_t*, size_t) {};
    EXPECT_THROW(PngStreamWriter(sink, 0, 5), std::invalid_argument);
    EXPECT_THROW(PngStreamWriter(sink, 5, 0), std::invalid_argument);
    EXPECT_THROW(PngStreamWriter(sink, 0x80000000u, 1), std::invalid_argument);
    PngStreamWriter png(sink, 2, 2);
    const uint8_t row[6] = {};
    png.AddRow(row);
    EXPECT_THROW(png.Finish(), std::logic_error);
    png.AddRow(row);
    EXPECT_THROW(png.AddRow(row), std::logic_error);
    png.Finish();
}

TEST(PngFile, SurfaceDecodesToItsColoursAndAnUnfinishedFileLeavesTheOldOne) {
    test::TempDir dir;
    tSurface surface(5, 3);  // an odd width: the surface's rows are padded
    Random rnd(8);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            surface.PutPixel565(x, y, uint16_t(rnd.Next(65536)));
    surface.PutPixel565(0, 0, 0xFFFF);
    const std::string path = dir.File("view.png");
    WriteSurfacePng(path, surface);
    auto decode = [&] {
        int w = 0, h = 0, channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
        std::vector<uint8_t> rgb;
        if (pixels) rgb.assign(pixels, pixels + size_t(w) * size_t(h) * 3);
        stbi_image_free(pixels);
        EXPECT_EQ(w, 5);
        EXPECT_EQ(h, 3);
        return rgb;
    };
    const std::vector<uint8_t> rgb = decode();
    ASSERT_EQ(rgb.size(), 5u * 3 * 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const Rgb8 c = surface.ColorAt(x, y);
            const uint8_t* p = &rgb[(size_t(y) * 5 + size_t(x)) * 3];
            EXPECT_EQ((Rgb8{p[0], p[1], p[2]}), c) << x << "," << y;
        }
    EXPECT_EQ(rgb[0], 255);  // white stays white
    {
        PngFile unfinished(path, 2, 2);
        const uint8_t row[6] = {};
        unfinished.AddRow(row);
    }
    EXPECT_EQ(decode(), rgb);
}

}  // namespace
}  // namespace tess::writers
