// The dictionary (LZW) tile code of the "DDSL" container, with zero runs above the dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tess {

// The dictionary decoder. One lives for a whole "DDSL" load; the loader resets it at the start
// of every band, so the dictionary carries over from tile to tile within a band.
//
// Codes are CodeWidth bits, packed least significant bit first; bits past the end of the data
// read as 0. Codes up to LastIndex are dictionary strings, LastIndex + 1 is the string being
// defined by the code itself, and a code c above that is a run of c - LastIndex - 1 zero bytes.
class tTabulka {
  public:
    // Codes are read from a 32-bit window at a byte boundary, so at most 25 bits fit; a widen
    // code at that width leaves the width as it is.
    static constexpr int32_t kMaxCodeWidth = 25;
    // Bounds on the dictionary, far above what a picture of the largest accepted size needs
    // (a band is a strip of tiles; each entry costs its whole string). A stream that would grow
    // it further is refused rather than allowed to take memory without limit. With bounds of E
    // entries and B string bytes the dictionary never holds more than 2 B + 24 E bytes (the
    // strings and the entry table while either grows), plus its first 64 KiB.
    static constexpr int32_t kMaxEntries = 1 << 23;
    static constexpr size_t kMaxStringBytes = size_t(128) << 20;

    enum class Status {
        Ok,        // a piece was decoded (or the tile ended normally)
        Broken,    // "Porusena integrita dat" was reported; the tile's decoding ends
        TooLarge,  // the dictionary would pass its bounds; the caller refuses the file
    };

    // One decoded piece: a dictionary string (Bytes set) or, with Bytes null, a run of Length
    // zero bytes; Length 0 is the end code. Bytes stay valid until the next Decode or AddEntry.
    struct Piece {
        const uint8_t* Bytes = nullptr;
        uint32_t Length = 0;
    };

    explicit tTabulka(int32_t maxEntries = kMaxEntries, size_t maxStringBytes = kMaxStringBytes)
        : maxEntries_(maxEntries), maxStringBytes_(maxStringBytes) {}

    // Frees every entry and starts again with the single bytes of `symbolBits` (1..8; the game uses
    // 8), the end code 2^b, the widen code 2^b + 1 and codes of b + 1 bits. Previous stays.
    void Reset(int32_t symbolBits);
    // Adds a copy of the string as entry LastIndex + 1 and returns its code, or -1 (nothing
    // added) when the dictionary is at its bounds.
    int32_t AddEntry(std::span<const uint8_t> string);
    // The next piece of Data at BitPos.
    Status Decode(Piece& piece);
    // Starts on a tile's compressed bytes (Data, BitPos = 0).
    void SetData(std::span<const uint8_t> data) {
        Data = data;
        BitPos = 0;
    }
    // Decodes the tile in Data into `out` (size rows of rowLength bytes, zero-filled by the
    // caller), with the row rules and the messages "podezrela delka", "pretekl zasobnik"
    // (reported once per tile) and "cteme z neaspravne pozice". A row length of 0 (a tile
    // without pixels) reads nothing.
    Status DecodeTile(std::span<uint8_t> out, uint32_t rowLength);

    // The string of a defined code (empty for the end and widen codes and undefined codes).
    std::span<const uint8_t> Entry(int32_t code) const;

    int32_t Capacity = 0;
    int32_t LastIndex = -1;
    int32_t EndCode = 0;
    int32_t WidenCode = 0;
    int32_t CodeWidth = 0;
    int32_t Previous = -1;
    std::span<const uint8_t> Data;
    uint64_t BitPos = 0;

  private:
    struct Slot {
        uint32_t Offset = 0;
        uint32_t Length = 0;
    };

    uint32_t NextCode();
    // Previous names a string of the current dictionary (it may name one that a Reset freed).
    bool PreviousDefined() const;
    // Adds (entry `from`) + `last`; false when the bounds do not allow it.
    bool AddExtended(int32_t from, uint8_t last);

    int32_t maxEntries_;
    size_t maxStringBytes_;
    std::vector<Slot> slots_;  // Capacity slots, 0..LastIndex in use
    // Every entry's bytes, one after another. Grown by hand: a vector would zero the room it
    // adds before each string is copied in.
    struct Arena {
        std::unique_ptr<uint8_t[]> bytes;
        size_t used = 0;
        size_t room = 0;
        uint8_t* data() const { return bytes.get(); }
        // Makes room for `need` bytes in all (growing by doubling, but never past `cap` unless
        // `need` is larger), keeping what is there.
        void Reserve(size_t need, size_t cap);
    };
    Arena strings_;
};

}  // namespace tess
