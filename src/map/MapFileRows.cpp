// Reading the cell rows of a map file into the grid's storage, with the look for old objects.
#include "map/MapFileRows.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tess {

namespace {

constexpr size_t kCellBytes = 6;
constexpr size_t kHeaderBytes = 16;
// A piece of the file: small enough that it is still in the cache when it is copied into its
// rows, large enough that the reads cost little beside the copying. Even, so that no 16-bit
// word of the cells is split between two pieces.
constexpr size_t kPieceBytes = size_t(512) << 10;
static_assert(kPieceBytes % 2 == 0);

// A word of an old pair type, whichever of the two.
bool IsOldPairWord(uint16_t word) {
    static_assert(kOldPairUpRightId == 270 && kOldPairUpLeftId == 271);
    return (word & 0xFFFE) == kOldPairUpRightId;
}

// Copies and looks at the words of `bytes` bytes (an even number) from src to dst; returns
// whether an old pair word occurred.
bool CopyWordsPlain(uint8_t* dst, const uint8_t* src, size_t bytes) {
    std::memcpy(dst, src, bytes);
    bool hit = false;
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        uint16_t word;
        std::memcpy(&word, src + i, sizeof word);
        if constexpr (std::endian::native != std::endian::little)
            word = static_cast<uint16_t>(word >> 8 | word << 8);
        hit |= IsOldPairWord(word);
    }
    return hit;
}

#if defined(__x86_64__)
// The vector forms copy and look at a piece of a row in one pass (AVX2 where the processor has
// it, else SSE2, which every x86-64 has): four vectors a step, then single vectors, the last one
// overlapping what is done (the piece has an even length, so every vector holds whole words of
// the row). A piece shorter than a vector is left to the plain copy: the return value is how
// many bytes were done.
__attribute__((target("avx2"))) inline __m256i CopyVectorAvx2(uint8_t* dst, const uint8_t* src,
                                                              __m256i found) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), v);
    const __m256i masked = _mm256_and_si256(v, _mm256_set1_epi16(static_cast<short>(0xFFFE)));
    return _mm256_or_si256(found, _mm256_cmpeq_epi16(masked, _mm256_set1_epi16(kOldPairUpRightId)));
}

__attribute__((target("avx2"))) size_t CopyWordsAvx2(uint8_t* dst, const uint8_t* src, size_t bytes,
                                                     bool& hit) {
    constexpr size_t kVector = 32;
    if (bytes < kVector) return 0;
    __m256i found = _mm256_setzero_si256();
    size_t i = 0;
    for (; i + 4 * kVector <= bytes; i += 4 * kVector)
        for (size_t k = 0; k < 4; ++k)
            found = CopyVectorAvx2(dst + i + k * kVector, src + i + k * kVector, found);
    for (; i + kVector <= bytes; i += kVector)
        found = CopyVectorAvx2(dst + i, src + i, found);
    if (i < bytes) found = CopyVectorAvx2(dst + bytes - kVector, src + bytes - kVector, found);
    hit |= _mm256_movemask_epi8(found) != 0;
    return bytes;
}

inline __m128i CopyVectorSse2(uint8_t* dst, const uint8_t* src, __m128i found) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), v);
    const __m128i masked = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFFFE)));
    return _mm_or_si128(found, _mm_cmpeq_epi16(masked, _mm_set1_epi16(kOldPairUpRightId)));
}

size_t CopyWordsSse2(uint8_t* dst, const uint8_t* src, size_t bytes, bool& hit) {
    constexpr size_t kVector = 16;
    if (bytes < kVector) return 0;
    __m128i found = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 4 * kVector <= bytes; i += 4 * kVector)
        for (size_t k = 0; k < 4; ++k)
            found = CopyVectorSse2(dst + i + k * kVector, src + i + k * kVector, found);
    for (; i + kVector <= bytes; i += kVector)
        found = CopyVectorSse2(dst + i, src + i, found);
    if (i < bytes) found = CopyVectorSse2(dst + bytes - kVector, src + bytes - kVector, found);
    hit |= _mm_movemask_epi8(found) != 0;
    return bytes;
}

bool HasAvx2() {
    static const bool avx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return avx2;
}
#endif

bool CopyWords(uint8_t* dst, const uint8_t* src, size_t bytes) {
    bool hit = false;
    size_t done = 0;
#if defined(__x86_64__)
    done = HasAvx2() ? CopyWordsAvx2(dst, src, bytes, hit) : CopyWordsSse2(dst, src, bytes, hit);
#endif
    return CopyWordsPlain(dst + done, src + done, bytes - done) || hit;
}

// Reads exactly `count` bytes at `offset`; false with errno set when the file ends first.
bool ReadPiece(int fd, uint8_t* buffer, size_t count, uint64_t offset) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;  // the file was shortened while being read
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

void CellsToLittleEndian(tMapCell* cells, size_t count) {
    if constexpr (std::endian::native != std::endian::little) {
        for (size_t i = 0; i < count; ++i)
            for (uint16_t& word : cells[i].w)
                word = static_cast<uint16_t>((word >> 8) | (word << 8));
    } else {
        (void)cells;
        (void)count;
    }
}

bool ReadCellRows(int fd, tMapCell* storage, int32_t width, int32_t height, const tMapCell& edge,
                  std::vector<uint8_t>& mayHoldOldPair) {
    const size_t rowBytes = kCellBytes * static_cast<size_t>(width);
    const uint64_t total = uint64_t(rowBytes) * static_cast<uint64_t>(height);
    mayHoldOldPair.assign(static_cast<size_t>(height), 0);
    const auto piece = std::make_unique_for_overwrite<uint8_t[]>(kPieceBytes);
    size_t y = 0, x = 0;  // where the next byte of the file goes: row and byte in the row
    for (uint64_t read = 0; read < total;) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(kPieceBytes, total - read));
        if (!ReadPiece(fd, piece.get(), count, kHeaderBytes + read)) return false;
        for (size_t at = 0; at < count;) {
            const size_t part = std::min(rowBytes - x, count - at);
            auto* row = reinterpret_cast<uint8_t*>(storage + tMapa::Index(0, int32_t(y)));
            if (CopyWords(row + x, piece.get() + at, part)) mayHoldOldPair[y] = 1;
            at += part;
            x += part;
            if (x == rowBytes) {
                CellsToLittleEndian(storage + tMapa::Index(0, int32_t(y)), size_t(width));
                // Now, while the row's end is in the cache: one miss a row otherwise.
                storage[tMapa::Index(width, int32_t(y))] = edge;
                x = 0;
                ++y;
            }
        }
        read += count;
    }
    return true;
}

}  // namespace tess
