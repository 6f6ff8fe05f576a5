// The stream header of an AVI file's first stream, read from the bytes at the file's start.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tess {

// The fields of the first 'strh' chunk that the frame reader reports and FFmpeg does not keep.
struct AviStreamHeader {
    std::string Type;  // "vids", "auds", ...
    uint32_t Scale = 0;
    uint32_t Rate = 0;
    uint32_t Length = 0;
    uint32_t Quality = 0;
};

// Walks RIFF "AVI " -> LIST 'hdrl' -> the first LIST 'strl' -> 'strh' within `head` (the file's
// first bytes); nothing when the bytes do not hold a whole stream header there.
std::optional<AviStreamHeader> ReadFirstStreamHeader(std::span<const uint8_t> head);

}  // namespace tess
