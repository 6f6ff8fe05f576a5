// The tile codecs: run-length control bytes and the dictionary decoder's codes, rows and limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/SpriteLzw.h"
#include "resources/SpriteRle.h"
#include "support/TestUi.h"

namespace tess {
namespace {

// --- run-length ------------------------------------------------------------------------------

// Decodes into a buffer of `pixels` 16-bit pixels followed by guard bytes that must stay.
std::vector<uint16_t> Rle(const std::vector<uint8_t>& data, size_t pixels, size_t* used = nullptr) {
    std::vector<uint8_t> buffer(pixels * 2 + 8, 0xEE);
    std::fill(buffer.begin(), buffer.begin() + long(pixels * 2), 0);
    tRle rle(data);
    rle.DecodeTile(std::span<uint8_t>(buffer.data(), pixels * 2));
    for (size_t i = pixels * 2; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], 0xEE) << "guard " << i;
    if (used) *used = rle.Position();
    std::vector<uint16_t> out(pixels);
    for (size_t i = 0; i < pixels; ++i)
        out[i] = uint16_t(buffer[2 * i] | buffer[2 * i + 1] << 8);
    return out;
}

TEST(RunLength, ControlBytes) {
    // 0xC3: four zero pixels, then a copy of one pixel lands on the fifth.
    EXPECT_EQ(Rle({0xC3, 0x40, 0x34, 0x12, 0x00}, 6),
              (std::vector<uint16_t>{0, 0, 0, 0, 0x1234, 0}));
    // 0x80 with the pixel 0x1234: written once.
    EXPECT_EQ(Rle({0x80, 0x34, 0x12, 0x40, 0x01, 0x00, 0x00}, 3),
              (std::vector<uint16_t>{0x1234, 0x0001, 0}));
    // A repeat of three, a copy of two.
    EXPECT_EQ(Rle({0x82, 0xCD, 0xAB, 0x41, 1, 0, 2, 0, 0x00}, 6),
              (std::vector<uint16_t>{0xABCD, 0xABCD, 0xABCD, 1, 2, 0}));
    // 0x00 (and anything up to 0x3F) ends the tile at once.
    size_t used = 0;
    EXPECT_EQ(Rle({0x3F, 0x80, 0x34, 0x12}, 2, &used), (std::vector<uint16_t>{0, 0}));
    EXPECT_EQ(used, 1u);
}

TEST(RunLength, OutputStopsAtTheTileEnd) {
    // A repeat of 64 pixels into a 2 x 2 tile writes four and nothing past them.
    EXPECT_EQ(Rle({0xBF, 0x01, 0x02, 0x00}, 4),
              (std::vector<uint16_t>{0x0201, 0x0201, 0x0201, 0x0201}));
    // A copy that runs past the end keeps what fits; the full tile takes the next control
    // byte as its end whatever it says.
    size_t used = 0;
    EXPECT_EQ(Rle({0x42, 1, 0, 2, 0, 3, 0, 0x80, 9, 9}, 2, &used), (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(used, 8u);
    Rle({0xFF, 0xFF, 0xFF}, 1);  // zero runs past the end: guards checked inside
}

TEST(RunLength, InputThatRunsOutEndsTheTile) {
    // A copy of three pixels with only three bytes left delivers those bytes.
    EXPECT_EQ(Rle({0x42, 1, 0, 2}, 4), (std::vector<uint16_t>{1, 2, 0, 0}));
    // A repeat without its whole pixel writes nothing.
    EXPECT_EQ(Rle({0x40, 5, 0, 0x83, 7}, 4), (std::vector<uint16_t>{5, 0, 0, 0}));
    EXPECT_EQ(Rle({}, 2), (std::vector<uint16_t>{0, 0}));
    EXPECT_EQ(Rle({0x45}, 2), (std::vector<uint16_t>{0, 0}));
}

// --- dictionary ------------------------------------------------------------------------------

// Packs codes least significant bit first, each with its own width.
class CodeStream {
  public:
    CodeStream& Code(uint32_t code, int width) {
        for (int i = 0; i < width; ++i, ++bit_) {
            if (bit_ / 8 >= bytes_.size()) bytes_.push_back(0);
            if (code >> i & 1u) bytes_[bit_ / 8] |= uint8_t(1u << (bit_ % 8));
        }
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    size_t bit_ = 0;
};

std::string Text(const std::vector<uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

class Dictionary : public ::testing::Test {
  protected:
    // Decodes one tile of `rows` rows of `rowLength` bytes from the stream.
    std::vector<uint8_t> Tile(const CodeStream& codes, uint32_t rowLength, uint32_t rows,
                              tTabulka::Status* status = nullptr) {
        data.push_back(codes.Bytes());  // the decoder keeps a view of the data
        table.SetData(data.back());
        std::vector<uint8_t> out(size_t(rowLength) * rows, 0);
        const tTabulka::Status s = table.DecodeTile(out, rowLength);
        if (status) *status = s;
        return out;
    }
    test::ScopedTestUi ui;
    tTabulka table;
    std::vector<std::vector<uint8_t>> data;
};

TEST_F(Dictionary, ResetStartsWithTheSingleBytesAndKeepsPrevious) {
    table.Previous = 5;
    table.Reset(8);
    EXPECT_EQ(table.CodeWidth, 9);
    EXPECT_EQ(table.Capacity, 512);
    EXPECT_EQ(table.EndCode, 256);
    EXPECT_EQ(table.WidenCode, 257);
    EXPECT_EQ(table.LastIndex, 257);
    EXPECT_EQ(table.Previous, 5);
    EXPECT_EQ(Text(std::vector<uint8_t>(table.Entry(65).begin(), table.Entry(65).end())), "A");
    EXPECT_TRUE(table.Entry(256).empty());
    EXPECT_TRUE(table.Entry(258).empty());
    // Entries are added after the last one; the capacity doubles when it is reached.
    const uint8_t ab[] = {'A', 'B'};
    for (int code = 258; code < 512; ++code)
        ASSERT_EQ(table.AddEntry(ab), code);
    EXPECT_EQ(table.Capacity, 512);
    EXPECT_EQ(table.AddEntry(ab), 512);
    EXPECT_EQ(table.Capacity, 1024);
    table.Reset(8);
    EXPECT_EQ(table.LastIndex, 257);
    EXPECT_TRUE(table.Entry(300).empty());
}

TEST_F(Dictionary, CodesBuildStringsTheKwKwKCodeAndRowsStartAfresh) {
    table.Reset(8);
    // "A", "B" (adds "AB" = 258), 258 "AB" (adds "BA" = 259), 260 being defined: "ABA"
    // (prev "AB" + its first byte), "C" (adds "ABAC") fills the row of 8.
    CodeStream codes;
    codes.Code('A', 9).Code('B', 9).Code(258, 9).Code(260, 9).Code('C', 9).Code('D', 9).Code(256,
                                                                                             9);
    EXPECT_EQ(Text(Tile(codes, 8, 2)), std::string("ABABABA") + "C" + "D" + std::string(7, '\0'));
    // "C" still follows "ABA" in its row; "D" starts the next row and adds nothing.
    EXPECT_EQ(table.LastIndex, 261);
    EXPECT_EQ(Text({table.Entry(261).begin(), table.Entry(261).end()}), "ABAC");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(Dictionary, ZeroRunAboveTheDictionaryClearsPrevious) {
    table.Reset(8);
    const uint8_t x[] = {'x'};
    while (table.LastIndex < 300)
        table.AddEntry(x);
    // 305 with LastIndex 300: four zero bytes; the next code adds no entry.
    CodeStream codes;
    codes.Code('A', 9).Code(305, 9).Code('B', 9).Code(256, 9);
    const std::vector<uint8_t> out = Tile(codes, 16, 1);
    EXPECT_EQ(out, (std::vector<uint8_t>{'A', 0, 0, 0, 0, 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table.LastIndex, 300);
    // A single piece through Decode: Previous is -1 after a zero run.
    table.Previous = 'A';
    CodeStream run;
    run.Code(303, 9);
    data.push_back(run.Bytes());
    table.SetData(data.back());
    tTabulka::Piece piece;
    ASSERT_EQ(table.Decode(piece), tTabulka::Status::Ok);
    EXPECT_EQ(piece.Bytes, nullptr);
    EXPECT_EQ(piece.Length, 2u);
    EXPECT_EQ(table.Previous, -1);
}

TEST_F(Dictionary, TheCodeAfterWidenIsReadWithTheNewWidth) {
    table.Reset(8);
    // 513 in 10 bits after the widen code: a zero run of 513 - 258 = 255 bytes. Read with
    // 9 bits it would be 1 (a byte) and leave a stray bit.
    CodeStream codes;
    codes.Code(257, 9).Code(513, 10).Code('Z', 10).Code(256, 10);
    const std::vector<uint8_t> out = Tile(codes, 256, 1);
    EXPECT_EQ(table.CodeWidth, 10);
    EXPECT_EQ(std::count(out.begin(), out.begin() + 255, 0), 255);
    EXPECT_EQ(out[255], 'Z');
    EXPECT_TRUE(ui.errors.empty());
    // The width stops at 25 bits.
    table.CodeWidth = 25;
    CodeStream wide;
    wide.Code(257, 25).Code(256, 25);
    Tile(wide, 4, 1);
    EXPECT_EQ(table.CodeWidth, 25);
}

TEST_F(Dictionary, CodeBeingDefinedRightAfterARowEndIsBrokenData) {
    table.Reset(8);
    // "A", "B" (adds 258 "AB") fill the row of 2; 259 = LastIndex + 1 with no previous string.
    CodeStream codes;
    codes.Code('A', 9).Code('B', 9).Code(259, 9).Code('C', 9).Code(256, 9);
    tTabulka::Status status{};
    EXPECT_EQ(Text(Tile(codes, 2, 2, &status)), std::string("AB\0\0", 4));
    EXPECT_EQ(status, tTabulka::Status::Broken);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Porusena integrita dat"}));
}

TEST_F(Dictionary, RowEndsStringsThatCrossThemAndOverflow) {
    table.Reset(8);
    // Rows of 3: "A", 258 = "AA" ends exactly at the row end (silent); 258 "AA" again, then
    // 259 = "AAA" crosses the row end (reported, written) and passes the tile's end.
    CodeStream codes;
    codes.Code('A', 9).Code(258, 9).Code(258, 9).Code(259, 9).Code('Q', 9).Code(256, 9);
    EXPECT_EQ(Text(Tile(codes, 3, 2)), "AAAAAA");
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"podezrela delka", "pretekl zasobnik"}));
}

TEST_F(Dictionary, ReadingPastTheDataEndsTheTile) {
    table.Reset(8);
    // No end code: bits past the data read as 0 (byte 0) until the position is beyond it.
    CodeStream codes;
    codes.Code('A', 9);
    EXPECT_EQ(Text(Tile(codes, 8, 1)), std::string("A\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"cteme z neaspravne pozice"}));
    EXPECT_EQ(table.BitPos, 27u);
}

TEST_F(Dictionary, DictionaryCarriesOverFromTileToTileUntilReset) {
    table.Reset(8);
    CodeStream first;
    first.Code('H', 9).Code('I', 9).Code(256, 9);  // adds 258 = "HI"
    EXPECT_EQ(Text(Tile(first, 2, 1)), "HI");
    CodeStream second;
    second.Code(258, 9).Code(256, 9);
    EXPECT_EQ(Text(Tile(second, 2, 1)), "HI");
    table.Reset(8);
    CodeStream third;
    third.Code('A', 9).Code(258, 9).Code(256, 9);  // after the reset 258 is "AA" again
    EXPECT_EQ(Text(Tile(third, 3, 1)), "AAA");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(Dictionary, StaleAndSpecialPreviousCodesAreBrokenDataNotMemory) {
    table.Reset(8);
    const uint8_t x[] = {'x', 'y'};
    while (table.LastIndex < 400)
        table.AddEntry(x);
    table.Previous = 390;
    table.Reset(8);  // Previous still names 390, which no longer exists
    CodeStream codes;
    codes.Code(258, 9).Code(256, 9);
    tTabulka::Status status{};
    Tile(codes, 4, 1, &status);
    EXPECT_EQ(status, tTabulka::Status::Broken);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Porusena integrita dat"}));
    // A byte code with a stale Previous adds nothing.
    ui.Reset();
    table.Previous = 390;
    CodeStream bytes;
    bytes.Code('K', 9).Code(256, 9);
    EXPECT_EQ(Text(Tile(bytes, 2, 1)), std::string("K\0", 2));
    EXPECT_EQ(table.LastIndex, 257);
    // Two widen codes in a row would name the widen code's missing string.
    ui.Reset();
    CodeStream twice;
    twice.Code(257, 9).Code(257, 10).Code('A', 10);
    Tile(twice, 2, 1, &status);
    EXPECT_EQ(status, tTabulka::Status::Broken);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Porusena integrita dat"}));
}

TEST(DictionaryBounds, GrowthBeyondTheBoundsIsRefused) {
    test::ScopedTestUi ui;
    tTabulka table(1000, 4096);
    table.Reset(8);
    // Each KwKwK code adds a string one byte longer than the last: "AA", "AAA", ...
    CodeStream codes;
    codes.Code('A', 9);
    for (uint32_t code = 258; code < 400; ++code)
        codes.Code(code, 9);
    std::vector<uint8_t> out(1 << 20);
    table.SetData(codes.Bytes());
    EXPECT_EQ(table.DecodeTile(out, 1 << 20), tTabulka::Status::TooLarge);
    EXPECT_LT(table.LastIndex, 400);
    tTabulka few(300, 1 << 20);
    few.Reset(8);
    const uint8_t a[] = {'a'};
    while (few.AddEntry(a) != -1) {
    }
    EXPECT_EQ(few.LastIndex, 299);
}

}  // namespace
}  // namespace tess
