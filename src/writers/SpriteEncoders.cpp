// Encoders of the sprite codecs: run-length tiles, dictionary tiles and DXT3 blocks.
#include "writers/SpriteEncoders.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "resources/SpriteLzw.h"
#include "resources/Surface.h"

namespace tess::writers {

uint8_t To4Bits(uint8_t v) {
    return static_cast<uint8_t>((v * 15 + 127) / 255);
}

uint16_t ToArgb4444(const RgbaPixel& p) {
    return static_cast<uint16_t>(To4Bits(p.a) << 12 | To4Bits(p.r) << 8 | To4Bits(p.g) << 4 |
                                 To4Bits(p.b));
}

uint16_t ToRgb565(const RgbaPixel& p) {
    return static_cast<uint16_t>((p.r * 31 + 127) / 255 << 11 | (p.g * 63 + 127) / 255 << 5 |
                                 (p.b * 31 + 127) / 255);
}

// --- run-length ------------------------------------------------------------------------------

std::vector<uint8_t> EncodeRleTile(std::span<const uint16_t> pixels) {
    std::vector<uint8_t> out;
    const size_t n = pixels.size();
    const auto runAt = [&](size_t i) {
        size_t r = 1;
        while (i + r < n && r < 64 && pixels[i + r] == pixels[i])
            ++r;
        return r;
    };
    size_t i = 0;
    while (i < n) {
        const size_t run = runAt(i);
        if (pixels[i] == 0) {
            out.push_back(static_cast<uint8_t>(0xC0 | (run - 1)));
            i += run;
        } else if (run >= 2) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            out.push_back(static_cast<uint8_t>(pixels[i]));
            out.push_back(static_cast<uint8_t>(pixels[i] >> 8));
            i += run;
        } else {
            // A literal stretch, up to the next zero pixel or run of three.
            size_t end = i + 1;
            while (end < n && end - i < 64 && pixels[end] != 0 && runAt(end) < 3)
                ++end;
            out.push_back(static_cast<uint8_t>(0x40 | (end - i - 1)));
            for (size_t k = i; k < end; ++k) {
                out.push_back(static_cast<uint8_t>(pixels[k]));
                out.push_back(static_cast<uint8_t>(pixels[k] >> 8));
            }
            i = end;
        }
    }
    out.push_back(0x00);
    return out;
}

// --- dictionary ------------------------------------------------------------------------------

namespace {
constexpr uint32_t kEndCode = 256;
constexpr uint32_t kWidenCode = 257;
}  // namespace

void DictionaryEncoder::Reset() {
    children_.clear();
    lastIndex_ = 257;
    codeWidth_ = 9;
}

void DictionaryEncoder::Put(uint32_t code) {
    bits_ |= uint64_t(code) << bitCount_;
    bitCount_ += codeWidth_;
    while (bitCount_ >= 8) {
        out_.push_back(static_cast<uint8_t>(bits_));
        bits_ >>= 8;
        bitCount_ -= 8;
    }
}

void DictionaryEncoder::Fit(uint32_t code) {
    // The decoder takes one widen code before a code; keeping every code the dictionary can
    // produce next within the width means one is always enough.
    if (code < (1u << codeWidth_)) return;
    if (codeWidth_ >= tTabulka::kMaxCodeWidth || code >= (2u << codeWidth_))
        throw std::length_error("dictionary code does not fit");
    Put(kWidenCode);
    ++codeWidth_;
    ++widenCount_;
}

std::vector<uint8_t> DictionaryEncoder::EncodeTile(std::span<const uint8_t> bytes,
                                                   uint32_t rowLength) {
    if (rowLength == 0 || bytes.size() % rowLength != 0)
        throw std::invalid_argument("a tile is whole rows");
    out_.clear();
    bits_ = 0;
    bitCount_ = 0;
    for (size_t rowStart = 0; rowStart < bytes.size(); rowStart += rowLength) {
        const size_t end = rowStart + rowLength;
        size_t pos = rowStart;
        while (pos < end) {
            size_t zeros = 0;
            while (pos + zeros < end && bytes[pos + zeros] == 0)
                ++zeros;
            if (zeros >= kMinZeroRun) {
                // A run of n zero bytes is the code LastIndex + 1 + n.
                auto room = [this] {
                    return (int64_t(1) << codeWidth_) - 1 - (int64_t(lastIndex_) + 1);
                };
                if (room() < int64_t(std::min<size_t>(zeros, 64)) &&
                    codeWidth_ < tTabulka::kMaxCodeWidth) {
                    Put(kWidenCode);
                    ++codeWidth_;
                    ++widenCount_;
                }
                const int64_t n = std::min<int64_t>(int64_t(zeros), room());
                if (n >= 1) {
                    Put(static_cast<uint32_t>(lastIndex_ + 1 + n));
                    ++zeroRunCount_;
                    previous_ = -1;
                    pos += static_cast<size_t>(n);
                    continue;
                }
            }
            const uint8_t first = bytes[pos];
            // The decoder adds (previous string + this string's first byte) as it reads the
            // code; mirror it before matching, so the entry being defined can be used.
            if (previous_ != -1) {
                if (lastIndex_ + 1 >= tTabulka::kMaxEntries)
                    throw std::length_error("dictionary too large for one band");
                ++lastIndex_;
                children_.try_emplace(uint64_t(previous_) << 8 | first, lastIndex_);
            }
            int32_t code = first;
            size_t length = 1;
            while (pos + length < end) {
                const auto it = children_.find(uint64_t(code) << 8 | bytes[pos + length]);
                if (it == children_.end()) break;
                code = it->second;
                ++length;
            }
            Fit(static_cast<uint32_t>(std::max(code, lastIndex_ + 1)));
            Put(static_cast<uint32_t>(code));
            pos += length;
            // No string spans a row end: the next row starts without a previous string.
            previous_ = pos == end ? -1 : code;
        }
    }
    Put(kEndCode);
    if (bitCount_ > 0) out_.push_back(static_cast<uint8_t>(bits_));
    bits_ = 0;
    bitCount_ = 0;
    return out_;
}

// --- DXT3 ------------------------------------------------------------------------------------

namespace {

struct Color {
    int r, g, b;
};

Color Visible(uint16_t p) {
    const Rgb8 c = ExpandRgb565(p);
    return {c.r, c.g, c.b};
}

// The four colours the decoder shows for the endpoints c0, c1.
std::array<Color, 4> PaletteOf(uint16_t c0, uint16_t c1) {
    const Rgb8 e0 = ExpandRgb565(c0), e1 = ExpandRgb565(c1);
    const auto third = [](int a, int b) { return 2 * a / 3 + b / 3; };
    const uint16_t p2 =
        Rgb565(static_cast<uint8_t>(third(e0.r, e1.r)), static_cast<uint8_t>(third(e0.g, e1.g)),
               static_cast<uint8_t>(third(e0.b, e1.b)));
    const uint16_t p3 =
        Rgb565(static_cast<uint8_t>(third(e1.r, e0.r)), static_cast<uint8_t>(third(e1.g, e0.g)),
               static_cast<uint8_t>(third(e1.b, e0.b)));
    return {Visible(c0), Visible(c1), Visible(p2), Visible(p3)};
}

int Distance(const Color& a, const Color& b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

int64_t BlockError(const std::array<Color, 16>& px, uint16_t c0, uint16_t c1,
                   std::array<uint8_t, 16>* indices) {
    const std::array<Color, 4> pal = PaletteOf(c0, c1);
    int64_t total = 0;
    for (size_t i = 0; i < 16; ++i) {
        int best = std::numeric_limits<int>::max();
        uint8_t bestIndex = 0;
        for (uint8_t k = 0; k < 4; ++k) {
            const int d = Distance(px[i], pal[k]);
            if (d < best) {
                best = d;
                bestIndex = k;
            }
        }
        total += best;
        if (indices) (*indices)[i] = bestIndex;
    }
    return total;
}

uint16_t Quantize(double r, double g, double b) {
    const auto clamp8 = [](double v) {
        return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    return ToRgb565({clamp8(r), clamp8(g), clamp8(b), 255});
}

}  // namespace

std::array<uint8_t, 16> EncodeDxt3Block(const std::array<RgbaPixel, 16>& pixels) {
    std::array<uint8_t, 16> out{};
    for (int j = 0; j < 4; ++j) {
        uint16_t row = 0;
        for (int i = 0; i < 4; ++i)
            row |= static_cast<uint16_t>(To4Bits(pixels[j * 4 + i].a) << (4 * i));
        out[2 * j] = static_cast<uint8_t>(row);
        out[2 * j + 1] = static_cast<uint8_t>(row >> 8);
    }

    std::array<Color, 16> px;
    std::vector<uint16_t> distinct;
    bool hasBlack = false;
    for (size_t i = 0; i < 16; ++i) {
        const uint16_t q = ToRgb565(pixels[i]);
        px[i] = {pixels[i].r, pixels[i].g, pixels[i].b};
        if (q == 0) hasBlack = true;
        if (std::find(distinct.begin(), distinct.end(), q) == distinct.end()) distinct.push_back(q);
    }

    // Candidate endpoints: the block's own colours, its bounding box, its principal axis.
    std::vector<uint16_t> ends = distinct;
    if (distinct.size() > 8) {
        ends.clear();
        double mean[3] = {0, 0, 0};
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (const Color& c : px) {
            const int v[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                mean[k] += v[k] / 16.0;
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        }
        ends.push_back(Quantize(lo[0], lo[1], lo[2]));
        ends.push_back(Quantize(hi[0], hi[1], hi[2]));
        double cov[3][3] = {};
        for (const Color& c : px) {
            const double d[3] = {c.r - mean[0], c.g - mean[1], c.b - mean[2]};
            for (int a = 0; a < 3; ++a)
                for (int b = 0; b < 3; ++b)
                    cov[a][b] += d[a] * d[b];
        }
        double axis[3] = {1, 1, 1};
        for (int iter = 0; iter < 8; ++iter) {
            double next[3] = {0, 0, 0};
            for (int a = 0; a < 3; ++a)
                for (int b = 0; b < 3; ++b)
                    next[a] += cov[a][b] * axis[b];
            const double len = std::sqrt(next[0] * next[0] + next[1] * next[1] + next[2] * next[2]);
            if (len < 1e-9) break;
            for (int a = 0; a < 3; ++a)
                axis[a] = next[a] / len;
        }
        double tMin = 1e9, tMax = -1e9;
        for (const Color& c : px) {
            const double t =
                (c.r - mean[0]) * axis[0] + (c.g - mean[1]) * axis[1] + (c.b - mean[2]) * axis[2];
            tMin = std::min(tMin, t);
            tMax = std::max(tMax, t);
        }
        ends.push_back(
            Quantize(mean[0] + tMin * axis[0], mean[1] + tMin * axis[1], mean[2] + tMin * axis[2]));
        ends.push_back(
            Quantize(mean[0] + tMax * axis[0], mean[1] + tMax * axis[1], mean[2] + tMax * axis[2]));
        for (uint16_t d : distinct)
            ends.push_back(d);
    }

    uint16_t best0 = distinct[0], best1 = distinct[0];
    int64_t bestError = std::numeric_limits<int64_t>::max();
    const auto tryPair = [&](uint16_t c0, uint16_t c1) {
        const int64_t e = BlockError(px, c0, c1, nullptr);
        if (e < bestError) {
            bestError = e;
            best0 = c0;
            best1 = c1;
        }
    };
    if (hasBlack) {
        // Black must stay exact: it is the colour key of transparent pixels.
        for (uint16_t c : ends)
            tryPair(c, 0);
    } else if (distinct.size() <= 8) {
        for (size_t a = 0; a < ends.size(); ++a)
            for (size_t b = a; b < ends.size(); ++b)
                tryPair(ends[a], ends[b]);
    } else {
        // Principal-axis and bounding-box pairs, then each against the block's colours.
        tryPair(ends[0], ends[1]);
        tryPair(ends[2], ends[3]);
        for (size_t a = 0; a < 4; ++a)
            for (size_t b = 4; b < ends.size(); ++b)
                tryPair(ends[a], ends[b]);
    }

    std::array<uint8_t, 16> indices{};
    BlockError(px, best0, best1, &indices);
    out[8] = static_cast<uint8_t>(best0);
    out[9] = static_cast<uint8_t>(best0 >> 8);
    out[10] = static_cast<uint8_t>(best1);
    out[11] = static_cast<uint8_t>(best1 >> 8);
    for (int j = 0; j < 4; ++j) {
        uint8_t row = 0;
        for (int i = 0; i < 4; ++i)
            row |= static_cast<uint8_t>(indices[j * 4 + i] << (2 * i));
        out[12 + j] = row;
    }
    return out;
}

}  // namespace tess::writers
