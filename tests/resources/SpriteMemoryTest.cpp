// Sprite decoding bounded by the file: peak heap under 64 MiB plus 64 bytes per byte of file.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "TiledBytes.h"
#include "resources/Sprites.h"
#include "support/TestUi.h"

// The heap of this test program, counted so that a test can see the peak of one decode. Every
// allocation of the containers (surfaces, buffers, the dictionary) goes through these.
namespace {

std::atomic<int64_t> gHeapNow{0};
std::atomic<int64_t> gHeapPeak{0};

// Not inlined: the compiler would otherwise take the size checks here for sizes of its callers.
[[gnu::noinline]] void* Allocate(size_t size, size_t alignment) {
    void* p = alignment <= alignof(std::max_align_t)
                  ? std::malloc(size ? size : 1)
                  : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (!p) throw std::bad_alloc();
    const int64_t now = gHeapNow += static_cast<int64_t>(malloc_usable_size(p));
    int64_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (!p) return;
    gHeapNow -= static_cast<int64_t>(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(size_t size) {
    return Allocate(size, 0);
}
void* operator new[](size_t size) {
    return Allocate(size, 0);
}
void* operator new(size_t size, std::align_val_t a) {
    return Allocate(size, static_cast<size_t>(a));
}
void* operator new[](size_t size, std::align_val_t a) {
    return Allocate(size, static_cast<size_t>(a));
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
    Release(p);
}

namespace tess {
namespace {

using test::TiledBytes;

constexpr int64_t kMiB = int64_t(1) << 20;

// The most one decode of a file of that size may take above what was in use before it.
int64_t Allowed(size_t fileBytes) {
    return 64 * kMiB + 64 * static_cast<int64_t>(fileBytes);
}

// Decodes with the program's own limits and returns the heap's peak above its level before.
template <typename Decode>
int64_t PeakOf(Decode decode) {
    const int64_t before = gHeapNow.load();
    gHeapPeak = before;
    try {
        decode();
    } catch (const IoError&) {
    }
    return gHeapPeak.load() - before;
}

SpriteBytes Bytes(const std::vector<uint8_t>& data) {
    return {data, "big.spr", "End of file"};
}

// A strip ("DDS2"): the tiled header, two unused values, the first band after them.
std::vector<uint8_t> StripHeader(int32_t width, int32_t height) {
    ByteWriter w;
    w.Bytes("DDS2", 4);
    w.I32(height);
    w.I32(width);
    const uint8_t bits[4] = {4, 4, 4, 4};
    w.Bytes(bits, 4);
    w.U32(28);
    w.Zeros(8);
    return w.Data();
}

// The codes of one "DDSL" tile that define ever longer strings ("AA", "AAA", ...) up to the
// entry `last`, so that a file of n codes grows its dictionary by about n * n / 2 bytes. Where a
// row of `rowBytes` ends exactly, the next code names no string being defined (the decoder
// forgets the previous string there): the longest entry is repeated first.
std::vector<uint8_t> GrowingDictionary(uint32_t last, uint32_t rowBytes) {
    std::vector<uint8_t> out;
    uint64_t bits = 0;
    int count = 0, width = 9;
    const auto put = [&](uint32_t code) {
        bits |= uint64_t(code) << count;
        count += width;
        while (count >= 8) {
            out.push_back(uint8_t(bits));
            bits >>= 8;
            count -= 8;
        }
    };
    uint64_t written = 1;
    put('A');
    bool previous = true;
    uint32_t defined = 257;  // entries 258 and up hold "A" repeated (entry - 256) times
    while (defined < last) {
        const uint32_t code = previous ? defined + 1 : defined;
        if (code >= (1u << width)) {
            put(257);  // the widen code
            ++width;
        }
        put(code);
        written += code > 257 ? code - 256 : 1;
        defined = std::max(defined, code);
        previous = written % rowBytes != 0;
    }
    put(256);
    out.push_back(uint8_t(bits));
    return out;
}

// Files of a few dozen bytes that declare the largest picture each container allows.
TEST(SpriteMemory, ShortFilesDeclaringHugePicturesAreRefusedBeforeAllocating) {
    test::ScopedTestUi ui;
    TiledBytes ddsr("DDSR", 16384, 16384), ddsl("DDSL", 16384, 16384);
    ddsr.Band(16384, 0).w.Zeros(4);
    ddsl.Band(16384, 0).w.Zeros(4);
    ASSERT_EQ(ddsr.Bytes().size(), 40u);
    std::vector<uint8_t> strip = StripHeader(16384, 16384);
    strip.resize(40);

    tSurface colour(3, 3), alpha;
    const std::vector<uint8_t>& r = ddsr.Bytes();
    const std::vector<uint8_t>& l = ddsl.Bytes();
    EXPECT_LT(PeakOf([&] { DecodeTiledSprite(Bytes(r), TileCodec::RunLength, colour, &alpha); }),
              Allowed(r.size()));
    EXPECT_LT(PeakOf([&] { DecodeTiledSprite(Bytes(l), TileCodec::Dictionary, colour, nullptr); }),
              Allowed(l.size()));
    EXPECT_LT(PeakOf([&] { DecodeStripSprite(Bytes(strip), colour); }), Allowed(strip.size()));
    ASSERT_EQ(ui.errors.size(), 3u);
    for (const std::string& e : ui.errors)
        EXPECT_NE(e.find("picture of 16384 x 16384 pixels needs"), std::string::npos) << e;
    EXPECT_EQ(colour.Width(), 3);  // the surface was never resized

    // A tiled DXT3 picture sizes its surface from the header whatever number of tiles follows.
    std::vector<uint8_t> dds(128, 0);
    const auto put = [&dds](size_t at, uint32_t v) { PutLeU32(dds.data() + at, v); };
    dds[0] = 'D', dds[1] = 'D', dds[2] = 'S', dds[3] = ' ';
    put(12, 16384);
    put(16, 16384);
    put(80, 4);
    put(84, 'D' | 'X' << 8 | 'T' << 16 | uint32_t('3') << 24);
    put(120, 4 | 4 << 16);  // tiles of 4 x 4, none of them present
    ui.Reset();
    EXPECT_LT(PeakOf([&] { DecodeDdsSprite(Bytes(dds), colour, &alpha); }), Allowed(dds.size()));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("needs"), std::string::npos) << ui.errors[0];
    EXPECT_EQ(colour.Width(), 3);
}

// Within the bound a short file still gets its picture (black where no tile is), and the tile
// buffer and the dictionary keep to what is left.
TEST(SpriteMemory, WhatAShortFileMayStillAskStaysUnderTheBound) {
    test::ScopedTestUi ui;
    TiledBytes empty("DDSR", 4000, 4000);
    empty.Band(4000, 0).Tile(0, 0, 64, {});
    tSurface colour;
    const std::vector<uint8_t>& e = empty.Bytes();
    EXPECT_LT(PeakOf([&] { DecodeTiledSprite(Bytes(e), TileCodec::RunLength, colour, nullptr); }),
              Allowed(e.size()));
    EXPECT_EQ(colour.Width(), 4000);
    EXPECT_TRUE(ui.errors.empty());

    // One 4096-pixel tile of one byte over a picture that took half the memory already.
    TiledBytes bigTile("DDSR", 4096, 4096);
    bigTile.Band(4096, 0).Tile(0, 0, 4096, {0x00});
    const std::vector<uint8_t>& t = bigTile.Bytes();
    EXPECT_LT(PeakOf([&] { DecodeTiledSprite(Bytes(t), TileCodec::RunLength, colour, nullptr); }),
              Allowed(t.size()));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("tile of 4096 pixels needs"), std::string::npos) << ui.errors[0];

    // A dictionary that grows with the square of the file.
    const std::vector<uint8_t> codes = GrowingDictionary(1300, 64 * 2);
    TiledBytes grow("DDSL", 64, 64);
    grow.Band(64, 0).Tile(0, 0, 64, codes);
    SpriteLimits small;
    small.BaseMemoryBytes = 2 * kMiB;  // a bound the dictionary of this file reaches
    ui.Reset();
    const std::vector<uint8_t>& g = grow.Bytes();
    EXPECT_LT(
        PeakOf([&] { DecodeTiledSprite(Bytes(g), TileCodec::Dictionary, colour, nullptr, small); }),
        2 * kMiB + 64 * int64_t(g.size()));
    ASSERT_FALSE(ui.errors.empty());
    EXPECT_NE(ui.errors.back().find("dictionary grows beyond"), std::string::npos);
}

}  // namespace
}  // namespace tess
