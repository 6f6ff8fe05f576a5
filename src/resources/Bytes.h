// Little-endian field-by-field reading and writing with explicit widths and bounds checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/BigFile.h"

namespace tess {

// Little-endian values at a place the caller has already checked lies inside its buffer. Every
// reader of the game's files takes its multi-byte fields through these (or ByteReader).
inline uint16_t LeU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t LeU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t LeI32(const uint8_t* p) {
    return static_cast<int32_t>(LeU32(p));
}
inline uint64_t LeU64(const uint8_t* p) {
    return uint64_t(LeU32(p)) | uint64_t(LeU32(p + 4)) << 32;
}
// The memo files of the tables are the one big-endian format.
inline uint32_t BeU32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
inline void PutLeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutLeU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutLeI32(uint8_t* p, int32_t v) {
    PutLeU32(p, static_cast<uint32_t>(v));
}

// Reads fields from a byte buffer; reading past the end raises IoError("End of file").
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

    size_t Position() const { return pos_; }
    size_t Size() const { return data_.size(); }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }
    void Seek(size_t position) {
        if (position > data_.size()) throw IoError("End of file");
        pos_ = position;
    }
    void Skip(size_t count) { Seek(Need(count) + count); }

    uint8_t U8() {
        const size_t p = Need(1);
        ++pos_;
        return data_[p];
    }
    uint16_t U16() {
        const size_t p = Need(2);
        pos_ += 2;
        return LeU16(data_.data() + p);
    }
    uint32_t U32() {
        const size_t p = Need(4);
        pos_ += 4;
        return LeU32(data_.data() + p);
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    double F64() {
        const size_t p = Need(8);
        pos_ += 8;
        const uint64_t bits = LeU64(data_.data() + p);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void Bytes(void* out, size_t count) {
        const size_t p = Need(count);
        if (count) std::memcpy(out, data_.data() + p, count);
        pos_ += count;
    }
    // A short string: a length byte and `capacity` bytes; the length is capped at capacity.
    std::string ShortString(size_t capacity) {
        const size_t p = Need(1 + capacity);
        pos_ += 1 + capacity;
        const size_t length = std::min<size_t>(data_[p], capacity);
        return std::string(reinterpret_cast<const char*>(data_.data() + p + 1), length);
    }

  private:
    size_t Need(size_t count) const {
        if (count > data_.size() - pos_) throw IoError("End of file");
        return pos_;
    }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

// Appends fields to a growing byte buffer.
class ByteWriter {
  public:
    std::vector<uint8_t>& Data() { return data_; }
    const std::vector<uint8_t>& Data() const { return data_; }
    size_t Size() const { return data_.size(); }

    void U8(uint8_t v) { data_.push_back(v); }
    void U16(uint16_t v) {
        uint8_t b[2];
        PutLeU16(b, v);
        Bytes(b, sizeof b);
    }
    void U32(uint32_t v) {
        uint8_t b[4];
        PutLeU32(b, v);
        Bytes(b, sizeof b);
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i)
            data_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void Bytes(const void* p, size_t count) {
        const auto* b = static_cast<const uint8_t*>(p);
        data_.insert(data_.end(), b, b + count);
    }
    void Zeros(size_t count) { data_.insert(data_.end(), count, 0); }
    // A short string: length byte (text cut to capacity) and capacity bytes, unused ones zero.
    void ShortString(const std::string& text, size_t capacity) {
        const size_t length = std::min(text.size(), capacity);
        U8(static_cast<uint8_t>(length));
        Bytes(text.data(), length);
        Zeros(capacity - length);
    }
    // Overwrites 4 bytes at an earlier position.
    void PatchU32(size_t position, uint32_t v) {
        if (position > data_.size() || data_.size() - position < 4)
            throw std::out_of_range("PatchU32 past the end");
        PutLeU32(data_.data() + position, v);
    }

  private:
    std::vector<uint8_t> data_;
};

}  // namespace tess
