// The stream header of an AVI file's first stream, read from the bytes at the file's start.
#include "resources/AviHeader.h"

#include <cstring>

#include "resources/Bytes.h"

namespace tess {

namespace {

constexpr size_t kStreamHeaderBytes = 48;  // up to and including dwQuality

bool Is(std::span<const uint8_t> bytes, size_t at, const char* code) {
    return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, code, 4) == 0;
}

// The chunks of [from, to): finds the first chunk `id` (with list type `listType` for "LIST")
// and returns the range of its data (after the list type for lists).
std::optional<std::span<const uint8_t>> FindChunk(std::span<const uint8_t> bytes, const char* id,
                                                  const char* listType) {
    size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const uint64_t size = LeU32(bytes.data() + at + 4);
        const uint64_t available = bytes.size() - (at + 8);
        const size_t inside = static_cast<size_t>(size < available ? size : available);
        if (Is(bytes, at, id)) {
            if (listType == nullptr) return bytes.subspan(at + 8, inside);
            if (inside >= 4 && Is(bytes, at + 8, listType))
                return bytes.subspan(at + 12, inside - 4);
        }
        if (size >= available) break;
        at += 8 + static_cast<size_t>(size) + (size & 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<AviStreamHeader> ReadFirstStreamHeader(std::span<const uint8_t> head) {
    if (!Is(head, 0, "RIFF") || !Is(head, 8, "AVI ")) return std::nullopt;
    const auto hdrl = FindChunk(head.subspan(12), "LIST", "hdrl");
    if (!hdrl) return std::nullopt;
    const auto strl = FindChunk(*hdrl, "LIST", "strl");
    if (!strl) return std::nullopt;
    const auto strh = FindChunk(*strl, "strh", nullptr);
    if (!strh || strh->size() < kStreamHeaderBytes) return std::nullopt;
    const uint8_t* p = strh->data();
    AviStreamHeader header;
    header.Type.assign(reinterpret_cast<const char*>(p), 4);
    header.Scale = LeU32(p + 20);
    header.Rate = LeU32(p + 24);
    header.Length = LeU32(p + 32);
    header.Quality = LeU32(p + 40);
    return header;
}

}  // namespace tess
