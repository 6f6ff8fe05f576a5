// Sprite files: DirectDraw Surface files and the tiled "DDSR", "DDSL" and "DDS2" containers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resources/SpriteLzw.h"
#include "resources/Surface.h"

namespace tess {

// What a sprite file may ask of the loader. A file beyond these bounds is refused with an error
// box naming the loader, the file and the reason, before anything is allocated for it.
//
// Decoding is bounded by the file's content, not by what its header claims: the surfaces, the
// tile buffer and the dictionary of one decode take at most BaseMemoryBytes + MemoryPerFileByte
// bytes for every byte of the file, and the tiles of a tiled container may cost at most four
// times the picture's area plus MemoryPerFileByte pixels for every byte of the file (plus one
// largest tile), so a short file that declares a huge picture is refused instead of allocated.
struct SpriteLimits {
    // Picture width and height.
    int32_t MaxSide = tSurface::kMaxSide;
    // Side of one tile of the tiled containers (a tile buffer holds side * side * 4 bytes).
    int32_t MaxTileSide = 4096;
    // The memory of one decode, as described above.
    uint64_t BaseMemoryBytes = uint64_t(64) << 20;
    uint64_t MemoryPerFileByte = 64;
    // Size of the file, which is read into memory whole.
    uint64_t MaxFileBytes = uint64_t(256) << 20;
    // The dictionary of a "DDSL" band (entries, and bytes of all its strings together).
    int32_t MaxDictionaryEntries = tTabulka::kMaxEntries;
    size_t MaxDictionaryBytes = tTabulka::kMaxStringBytes;
};

// A sprite file's bytes with its name (for messages) and the error text a read past its end
// raises: that of the stream it came from ("End of file" for an archive member).
struct SpriteBytes {
    std::span<const uint8_t> Data;
    std::string Name;
    std::string EndOfFile = "End of file";
};

// The pixel layouts of a DirectDraw Surface file, in the order the loader tries them.
enum class DdsLayout { None, A4R4G4B4, A8R8G8B8, R5G6B5, Dxt3, TiledDxt3 };

// The layout the loader would take for a 128-byte DirectDraw Surface header.
DdsLayout IdentifyDdsLayout(std::span<const uint8_t> header);

enum class TileCodec { RunLength, Dictionary };

// --- the operations the editor calls (names are game-data paths, UTF-8) -----------------------

// Any sprite container: reads 128 bytes first (a shorter file raises the stream's read error),
// then "DDSL" and "DDSR" go to their loaders and "DDS " / "DDS+" are decoded here. The alpha
// surface, when given, receives the opacity as grey.
void LoadDDStoSurface(const std::string& name, tSurface& target, tSurface* alpha);
// "DDSL": read from the disk only (the archive is not consulted).
void LoadDDSLtoSurface(const std::string& name, tSurface& target, tSurface* alpha);
// "DDSR": read through the archive, the disk otherwise.
void LoadDDSRtoSurface(const std::string& name, tSurface& target, tSurface* alpha);
// True for a DirectDraw Surface file of a layout it knows; see the table in Sprites.cpp.
bool GetDDSInfo(const std::string& name, int32_t& width, int32_t& height, int32_t& alphaBits,
                int32_t& bitsPerPixel);
// True for a "DDSR" file; the outputs are set from the header whatever the magic.
bool GetDDSRInfo(const std::string& name, int32_t& width, int32_t& height, int32_t& alphaBits,
                 int32_t& bitsPerPixel);
// Animation strips ("DDS2", read from the disk only) onto a magenta-keyed surface.
void LoadDDS2toSurface(const std::string& name, tSurface& target);

// --- the same on bytes already in memory (the loaders above read the file once and call these;
// fuzzers and benchmarks call them directly) -----------------------------------------------

// A DirectDraw Surface file from its magic on (the magic is checked and reported, not
// dispatched).
void DecodeDdsSprite(const SpriteBytes& file, tSurface& target, tSurface* alpha,
                     const SpriteLimits& limits = {});
// A "DDSR" (run-length) or "DDSL" (dictionary) file.
void DecodeTiledSprite(const SpriteBytes& file, TileCodec codec, tSurface& target, tSurface* alpha,
                       const SpriteLimits& limits = {});
// A "DDS2" strip from its header on (the caller has checked the magic).
void DecodeStripSprite(const SpriteBytes& file, tSurface& target, const SpriteLimits& limits = {});

// What a sprite file's header says, for the command-line tool. Layout is empty when the
// loader would refuse the pixel format; Magic is the first four bytes.
struct SpriteInfo {
    std::string Magic;
    int64_t Width = 0;
    int64_t Height = 0;
    int32_t BitsPerPixel = 0;
    int32_t AlphaBits = 0;
    std::string Layout;
    bool Known = false;  // one of the five magics
};
// Raises IoError("End of file") when the header is cut off.
SpriteInfo DescribeSprite(std::span<const uint8_t> bytes);

// Reads a whole sprite file through the archive (diskOnly false) or from the disk; a missing
// file raises IoError as OpenFile does, a file above limits.MaxFileBytes raises IoError.
std::vector<uint8_t> ReadSpriteFile(const std::string& name, bool diskOnly, std::string& endOfFile,
                                    const SpriteLimits& limits = {});

}  // namespace tess
