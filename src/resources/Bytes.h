// Little-endian field-by-field reading and writing with explicit widths and bounds checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "resources/BigFile.h"

namespace tess {

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
        return static_cast<uint16_t>(data_[p] | data_[p + 1] << 8);
    }
    uint32_t U32() {
        const size_t p = Need(4);
        pos_ += 4;
        return uint32_t(data_[p]) | uint32_t(data_[p + 1]) << 8 | uint32_t(data_[p + 2]) << 16 |
               uint32_t(data_[p + 3]) << 24;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    double F64() {
        const size_t p = Need(8);
        pos_ += 8;
        uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = bits << 8 | data_[p + static_cast<size_t>(i)];
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
        data_.push_back(static_cast<uint8_t>(v));
        data_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
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
        for (int i = 0; i < 4; ++i)
            data_.at(position + i) = static_cast<uint8_t>(v >> (8 * i));
    }

  private:
    std::vector<uint8_t> data_;
};

}  // namespace tess
