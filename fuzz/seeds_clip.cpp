// Seeds for fuzz_clip: patch inputs aimed at the fields and records of the base clip file.
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "ClipBase.h"
#include "Seeds.h"
#include "game/Clipboard.h"

namespace tess::fuzz {

namespace {

// A patch input: the two control bytes, then (offset, byte) patches.
std::vector<uint8_t> PatchInput(uint8_t control, uint8_t position,
                                std::initializer_list<std::pair<size_t, uint8_t>> patches) {
    std::vector<uint8_t> input{control, position};
    for (const auto& [offset, value] : patches) {
        input.push_back(static_cast<uint8_t>(offset));
        input.push_back(static_cast<uint8_t>(offset >> 8));
        input.push_back(static_cast<uint8_t>(offset >> 16));
        input.push_back(value);
    }
    return input;
}

size_t CellWord(int32_t cell, int word) {
    return kClipCellsOffset + 6 * size_t(cell) + 2 * size_t(word);
}

}  // namespace

void WriteClipSeeds(const std::filesystem::path& corpus) {
    const std::string target = "fuzz_clip";
    constexpr uint8_t kGameData = 8;
    constexpr uint8_t kMiddle = 0x55;  // paste at (12, 12)
    WriteSeed(corpus, target, "base-with-game-data", PatchInput(kGameData, kMiddle, {}));
    WriteSeed(corpus, target, "base-rotated", PatchInput(kGameData | 3, 0x33, {}));
    WriteSeed(corpus, target, "base-at-the-corner", PatchInput(5, 0x00, {}));
    WriteSeed(corpus, target, "rectangle",
              PatchInput(kGameData, kMiddle, {{kClipRectangularOffset, 1}}));
    WriteSeed(corpus, target, "mode-2", PatchInput(0, kMiddle, {{kClipRectangularOffset, 2}}));
    WriteSeed(corpus, target, "rows-negative", PatchInput(0, kMiddle, {{3, 0x80}}));
    WriteSeed(corpus, target, "largest-region",
              PatchInput(kGameData, kMiddle, {{0, 0}, {1, 1}, {4, 0}, {5, 1}}));
    WriteSeed(corpus, target, "one-cell-too-many",
              PatchInput(0, kMiddle, {{0, 1}, {1, 1}, {4, 0}, {5, 1}}));
    WriteSeed(corpus, target, "dead-unit",
              PatchInput(kGameData, kMiddle, {{kClipUnitsOffset + 100 * kBaseUnit, 0}}));
    WriteSeed(
        corpus, target, "link-beyond-the-arrays",
        PatchInput(kGameData, kMiddle,
                   {{CellWord(kBaseUnitCell, 2), 0xFF}, {CellWord(kBaseUnitCell, 2) + 1, 0xFF}}));
    WriteSeed(
        corpus, target, "building-without-amount",
        PatchInput(kGameData, kMiddle, {{kClipBuildingsOffset + 36 * kBaseBuilding + 28, 0}}));
    WriteSeed(corpus, target, "deposit-footprint",
              PatchInput(0, kMiddle, {{CellWord(kBaseDepositCell, 1), 0x01}}));
}

}  // namespace tess::fuzz
