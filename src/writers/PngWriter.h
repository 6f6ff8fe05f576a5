// PNG pictures written row by row with a fast deflate of our own, so a picture of any size needs
// only a window of memory. Kept over zlib because whole-map pictures are gigabytes of pixels
// where encoding time dominates: on map pictures it runs about two and a half times as fast as
// zlib's fastest level for output about a third larger (BM_DeflateOursDemoBand beside
// BM_DeflateZlibDemoBand in bench/view_bench.cpp measure both in one run).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tess::writers {

// The pixel layouts the writer takes: the PNG colour types of 8-bit grey and 8-bit RGB.
enum class PngColour : uint8_t { Grey = 0, Rgb = 2 };

// Writes an 8-bit grey or RGB PNG (no interlace, filter "None" on every row) to a sink, one row at
// a time from the top. The image data is one zlib stream of a single deflate block with the fixed
// Huffman codes: greedy LZ77 matching on a hash of four bytes, which keeps the encoder at a few
// hundred megabytes a second and still finds the tiles that repeat across a map picture. Data
// reaches the sink in IDAT chunks of at most 256 KiB.
class PngStreamWriter {
  public:
    using Sink = std::function<void(const uint8_t* data, size_t size)>;

    // Writes the signature and the header. Width and height must lie in 1..2^31 - 1 and the
    // row must fit in memory; anything else raises std::invalid_argument.
    PngStreamWriter(Sink sink, uint32_t width, uint32_t height, PngColour colour = PngColour::Rgb);
    ~PngStreamWriter();
    PngStreamWriter(const PngStreamWriter&) = delete;
    PngStreamWriter& operator=(const PngStreamWriter&) = delete;

    // One row of width bytes (grey) or width * 3 (red, green, blue). More rows than the height
    // raise std::logic_error.
    void AddRow(const uint8_t* row);
    // Ends the stream; every row must have been given (std::logic_error otherwise).
    void Finish();

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    uint32_t RowsWritten() const { return rows_; }

  private:
    class Deflater;

    void WriteChunk(const char type[4], const uint8_t* data, size_t size);

    Sink sink_;
    uint32_t width_;
    uint32_t height_;
    size_t rowBytes_;
    uint32_t rows_ = 0;
    bool finished_ = false;
    std::unique_ptr<Deflater> deflater_;
};

// A whole picture as PNG bytes (rows of width * 3 bytes, tightly packed).
std::vector<uint8_t> EncodePngRgb(const uint8_t* rgb, uint32_t width, uint32_t height);

// The zlib stream the writer produces for some bytes (tests check it with a decoder).
std::vector<uint8_t> DeflateZlib(const uint8_t* data, size_t size);

// CRC-32 (the PNG and zip polynomial), continuing from `crc` (0 to start).
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

}  // namespace tess::writers
