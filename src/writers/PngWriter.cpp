// PNG pictures written row by row with a fast deflate of our own, so a picture of any size needs
// only a window of memory.
#include "writers/PngWriter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace tess::writers {

namespace {

constexpr size_t kWindow = 32768;  // the largest distance deflate can refer back
constexpr size_t kMaxMatch = 258;
constexpr size_t kMinMatch = 4;      // matches are found through a hash of four bytes
constexpr size_t kChunk = 1u << 20;  // new bytes encoded per round
constexpr size_t kBuffer = kWindow + kChunk + kMaxMatch;
constexpr int kHashBits = 16;
constexpr size_t kOutputFlush = 256 * 1024;

// Bits of a code are sent most significant first, but the stream is filled from the least
// significant bit: codes are stored reversed.
uint32_t Reverse(uint32_t code, int length) {
    uint32_t r = 0;
    for (int i = 0; i < length; ++i)
        r |= ((code >> i) & 1u) << (length - 1 - i);
    return r;
}

// A code with its extra bits, ready to be put into the stream.
struct Code {
    uint32_t Bits = 0;
    uint32_t Length = 0;
};

struct FixedCodes {
    std::array<Code, 256> Literal;
    Code EndOfBlock;
    std::array<Code, kMaxMatch + 1> MatchLength;  // by length 3..258, extra bits included
    std::array<uint8_t, 512> DistanceCode;  // zlib's split table: d-1 < 256, else 256 + (d-1) >> 7
    std::array<uint32_t, 30> DistanceBase;
    std::array<uint8_t, 30> DistanceExtra;
    std::array<uint32_t, 30> DistanceReversed;  // the 5-bit code, reversed

    FixedCodes() {
        for (uint32_t b = 0; b < 256; ++b)
            Literal[b] =
                b < 144 ? Code{Reverse(0x30 + b, 8), 8} : Code{Reverse(0x190 + b - 144, 9), 9};
        EndOfBlock = Code{0, 7};
        static constexpr uint16_t lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        for (uint32_t i = 0; i < 29; ++i) {
            const uint32_t symbol = 257 + i;
            const Code code = symbol < 280 ? Code{Reverse(symbol - 256, 7), 7}
                                           : Code{Reverse(0xC0 + symbol - 280, 8), 8};
            const uint32_t first = lengthBase[i];
            const uint32_t last = i + 1 < 29 ? lengthBase[i + 1] - 1 : 258;
            for (uint32_t length = first; length <= last; ++length)
                MatchLength[length] =
                    Code{code.Bits | (length - first) << code.Length, code.Length + lengthExtra[i]};
        }
        uint32_t base = 1;
        for (uint32_t c = 0; c < 30; ++c) {
            const uint32_t extra = c < 4 ? 0 : c / 2 - 1;
            DistanceBase[c] = base;
            DistanceExtra[c] = static_cast<uint8_t>(extra);
            DistanceReversed[c] = Reverse(c, 5);
            for (uint32_t d = base; d < base + (1u << extra); ++d) {
                if (d - 1 < 256)
                    DistanceCode[d - 1] = static_cast<uint8_t>(c);
                else
                    DistanceCode[256 + ((d - 1) >> 7)] = static_cast<uint8_t>(c);
            }
            base += 1u << extra;
        }
    }
};

const FixedCodes& Codes() {
    static const FixedCodes codes;
    return codes;
}

std::array<std::array<uint32_t, 256>, 8> MakeCrcTables() {
    std::array<std::array<uint32_t, 256>, 8> t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (size_t k = 1; k < 8; ++k)
            t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void PutBigEndian(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const auto t = MakeCrcTables();
    uint32_t c = ~crc;
    while (size >= 8) {
        const uint32_t lo = Load32(data) ^ c;
        const uint32_t hi = Load32(data + 4);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        data += 8;
        size -= 8;
    }
    while (size--)
        c = t[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}

// One zlib stream: a single deflate block with the fixed codes, greedy matching on a four-byte
// hash with one candidate per hash. Input goes through a buffer that keeps the last 32 KiB as
// the window; compressed bytes go to `out` in pieces.
class ZlibEncoder {
  public:
    using Output = std::function<void(const uint8_t*, size_t)>;

    explicit ZlibEncoder(Output out)
        : out_(std::move(out)), buffer_(kBuffer), output_(kOutputFlush + 64) {
        head_.fill(-1);
        output_[0] = 0x78;  // deflate, 32 KiB window
        output_[1] = 0x01;  // fastest; 0x7801 is a multiple of 31
        written_ = 2;
        PutBits(1 | 1 << 1, 3);  // the last block, fixed codes
    }

    void Add(const uint8_t* data, size_t size) {
        UpdateAdler(data, size);
        while (size > 0) {
            if (end_ == buffer_.size()) {
                Encode(end_ - kMaxMatch);
                Slide();
            }
            const size_t n = std::min(size, buffer_.size() - end_);
            std::memcpy(buffer_.data() + end_, data, n);
            end_ += n;
            data += n;
            size -= n;
        }
    }

    void Finish() {
        Encode(end_);
        const FixedCodes& codes = Codes();
        PutBits(codes.EndOfBlock.Bits, codes.EndOfBlock.Length);
        if (bitCount_ > 0) PutBits(0, (8 - bitCount_ % 8) % 8);
        FlushBits();
        const uint32_t adler = adlerB_ << 16 | adlerA_;
        PutBigEndian(output_.data() + written_, adler);
        written_ += 4;
        out_(output_.data(), written_);
        written_ = 0;
    }

  private:
    static uint32_t Hash(uint32_t v) { return (v * 2654435761u) >> (32 - kHashBits); }

    void UpdateAdler(const uint8_t* data, size_t size) {
        uint32_t a = adlerA_, b = adlerB_;
        while (size > 0) {
            const size_t n = std::min<size_t>(size, 5552);
            for (size_t i = 0; i < n; ++i) {
                a += data[i];
                b += a;
            }
            a %= 65521;
            b %= 65521;
            data += n;
            size -= n;
        }
        adlerA_ = a;
        adlerB_ = b;
    }

    void PutBits(uint32_t bits, uint32_t count) {
        bitBuffer_ |= uint64_t{bits} << bitCount_;
        bitCount_ += count;
        if (bitCount_ >= 32) {
            const uint32_t word = static_cast<uint32_t>(bitBuffer_);
            std::memcpy(output_.data() + written_, &word, 4);  // little-endian machines only
            written_ += 4;
            bitBuffer_ >>= 32;
            bitCount_ -= 32;
            if (written_ >= kOutputFlush) {
                out_(output_.data(), written_);
                written_ = 0;
            }
        }
    }

    // Whole bytes of the bit buffer into the output (only at the end, on a byte boundary).
    void FlushBits() {
        while (bitCount_ > 0) {
            output_[written_++] = static_cast<uint8_t>(bitBuffer_);
            bitBuffer_ >>= 8;
            bitCount_ = bitCount_ >= 8 ? bitCount_ - 8 : 0;
        }
    }

    size_t MatchLength(size_t from, size_t at, size_t limit) const {
        const uint8_t* a = buffer_.data() + from;
        const uint8_t* b = buffer_.data() + at;
        size_t n = 0;
        while (n + 8 <= limit) {
            const uint64_t diff = Load64(a + n) ^ Load64(b + n);
            if (diff != 0) return n + static_cast<size_t>(__builtin_ctzll(diff) / 8);
            n += 8;
        }
        while (n < limit && a[n] == b[n])
            ++n;
        return n;
    }

    // Encodes from pos_ up to `limit`; a match may run on to end_.
    void Encode(size_t limit) {
        const FixedCodes& codes = Codes();
        const uint8_t* data = buffer_.data();
        size_t pos = pos_;
        while (pos < limit) {
            if (end_ - pos < kMinMatch) {
                const Code& c = codes.Literal[data[pos]];
                PutBits(c.Bits, c.Length);
                ++pos;
                continue;
            }
            const uint32_t word = Load32(data + pos);
            const uint32_t h = Hash(word);
            const int32_t candidate = head_[h];
            head_[h] = static_cast<int32_t>(pos);
            const size_t distance = pos - static_cast<size_t>(candidate);
            if (candidate >= 0 && distance <= kWindow && Load32(data + candidate) == word) {
                const size_t longest = std::min(kMaxMatch, end_ - pos);
                const size_t length = kMinMatch + MatchLength(size_t(candidate) + kMinMatch,
                                                              pos + kMinMatch, longest - kMinMatch);
                const Code& lc = codes.MatchLength[length];
                PutBits(lc.Bits, lc.Length);
                const uint32_t d = static_cast<uint32_t>(distance);
                const uint32_t dc = d - 1 < 256 ? codes.DistanceCode[d - 1]
                                                : codes.DistanceCode[256 + ((d - 1) >> 7)];
                PutBits(codes.DistanceReversed[dc] | (d - codes.DistanceBase[dc]) << 5,
                        5u + codes.DistanceExtra[dc]);
                // The position right after the match start is often where the next repeat
                // begins (rows of tiles); the others are skipped for speed.
                if (length > 8 && pos + length + kMinMatch <= end_) {
                    const size_t last = pos + length - 1;
                    head_[Hash(Load32(data + last))] = static_cast<int32_t>(last);
                }
                pos += length;
            } else {
                const Code& c = codes.Literal[data[pos]];
                PutBits(c.Bits, c.Length);
                ++pos;
            }
        }
        pos_ = pos;
    }

    // Keeps the window before pos_ and the bytes not yet encoded at the front of the buffer.
    void Slide() {
        const size_t keep = std::min(pos_, kWindow);
        const size_t shift = pos_ - keep;
        if (shift == 0) return;
        std::memmove(buffer_.data(), buffer_.data() + shift, end_ - shift);
        end_ -= shift;
        pos_ -= shift;
        for (int32_t& entry : head_)
            entry = entry >= static_cast<int32_t>(shift) ? entry - static_cast<int32_t>(shift) : -1;
    }

    Output out_;
    std::vector<uint8_t> buffer_;
    size_t end_ = 0;
    size_t pos_ = 0;
    std::array<int32_t, size_t{1} << kHashBits> head_;
    std::vector<uint8_t> output_;
    size_t written_ = 0;
    uint64_t bitBuffer_ = 0;
    uint32_t bitCount_ = 0;
    uint32_t adlerA_ = 1;
    uint32_t adlerB_ = 0;
};

class PngStreamWriter::Deflater : public ZlibEncoder {
    using ZlibEncoder::ZlibEncoder;
};

PngStreamWriter::PngStreamWriter(Sink sink, uint32_t width, uint32_t height, PngColour colour)
    : sink_(std::move(sink)),
      width_(width),
      height_(height),
      rowBytes_(size_t{width} * (colour == PngColour::Rgb ? 3 : 1)) {
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu ||
        rowBytes_ > (size_t{1} << 31))
        throw std::invalid_argument("PNG picture of " + std::to_string(width) + " x " +
                                    std::to_string(height) + " pixels");
    static constexpr uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    sink_(signature, sizeof signature);
    uint8_t header[13] = {};
    PutBigEndian(header, width);
    PutBigEndian(header + 4, height);
    header[8] = 8;  // bits per channel
    header[9] = static_cast<uint8_t>(colour);
    WriteChunk("IHDR", header, sizeof header);
    deflater_ = std::make_unique<Deflater>(
        [this](const uint8_t* data, size_t size) { WriteChunk("IDAT", data, size); });
}

PngStreamWriter::~PngStreamWriter() = default;

void PngStreamWriter::WriteChunk(const char type[4], const uint8_t* data, size_t size) {
    uint8_t head[8];
    PutBigEndian(head, static_cast<uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    sink_(head, sizeof head);
    if (size > 0) sink_(data, size);
    uint8_t tail[4];
    PutBigEndian(tail, Crc32(data, size, Crc32(head + 4, 4)));
    sink_(tail, sizeof tail);
}

void PngStreamWriter::AddRow(const uint8_t* row) {
    if (finished_ || rows_ >= height_) throw std::logic_error("PNG: more rows than the height");
    static constexpr uint8_t noFilter = 0;
    deflater_->Add(&noFilter, 1);
    deflater_->Add(row, rowBytes_);
    ++rows_;
}

void PngStreamWriter::Finish() {
    if (finished_) return;
    if (rows_ != height_) throw std::logic_error("PNG: fewer rows than the height");
    deflater_->Finish();
    WriteChunk("IEND", nullptr, 0);
    finished_ = true;
}

std::vector<uint8_t> EncodePngRgb(const uint8_t* rgb, uint32_t width, uint32_t height) {
    std::vector<uint8_t> png;
    PngStreamWriter writer([&](const uint8_t* d, size_t n) { png.insert(png.end(), d, d + n); },
                           width, height);
    for (uint32_t y = 0; y < height; ++y)
        writer.AddRow(rgb + size_t{y} * width * 3);
    writer.Finish();
    return png;
}

std::vector<uint8_t> DeflateZlib(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    ZlibEncoder encoder([&](const uint8_t* d, size_t n) { out.insert(out.end(), d, d + n); });
    encoder.Add(data, size);
    encoder.Finish();
    return out;
}

}  // namespace tess::writers
