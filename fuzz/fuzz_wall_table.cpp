// Fuzz target: the wall-piece table file, then the wall key and piece choice over a small map
// whose walls come from the rest of the input.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "map/MapDat.h"
#include "map/WallDat.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

constexpr int kSide = 24;

void Require(bool condition) {
    if (!condition) std::abort();
}

// A scratch game directory made current once; the table file is rewritten for every input.
struct Setup {
    SilentUi ui;
    std::unique_ptr<tMapa> map = std::make_unique<tMapa>();
    tWall wall;

    Setup() {
        SetUi(&ui);
        char pattern[] = "/tmp/tess-fuzz-wall-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        std::filesystem::create_directories(std::filesystem::path(pattern) / "DATA");
        std::filesystem::current_path(pattern);
        BigFile().Close();
        Random random(1);
        map->Create(kSide, kSide, random, WallTableSource::None);
        wall.Map = map.get();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    tMapa& map = *setup.map;

    const size_t tableBytes = std::min<size_t>(size, kWallTableSize);
    {
        std::ofstream out("DATA/teren.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(tableBytes));
    }
    const int errorsBefore = setup.ui.errors;
    map.ReadWallTable();
    Require(map.WallTable.size() == kWallTableSize);
    if (tableBytes < kWallTableSize) {
        // A short file is reported and draws no walls at all.
        Require(setup.ui.errors == errorsBefore + 1);
        for (uint8_t value : map.WallTable)
            Require(value == 255);
    } else {
        Require(setup.ui.errors == errorsBefore);
        Require(std::equal(map.WallTable.begin(), map.WallTable.end(), data));
    }

    // The rest of the input lays walls: one byte per cell (bit 0 wall, bits 4-5 variant).
    const uint8_t* cells = data + tableBytes;
    const size_t cellBytes = size - tableBytes;
    size_t next = 0;
    for (int32_t y = 0; y <= kSide; ++y) {
        for (int32_t x = 0; x <= kSide; ++x) {
            const uint8_t b = next < cellBytes ? cells[next++] : 0;
            map.SetOccupancy(x, y, (b & 1) ? 3 : 0);
            map.SetVariant(x, y, b >> 4);
        }
    }

    for (int32_t y = -1; y <= kSide + 1; ++y) {
        for (int32_t x = -1; x <= kSide + 1; ++x) {
            const uint16_t key = WallKey(map, x, y);
            WallPiece piece;
            const int result = setup.wall.PickPiece(x, y, piece);
            const bool isWall = map.GetOccupancy(x, y) == 3;
            if (!isWall) {
                Require(result == kWallNotWall);
                continue;
            }
            Require(result == kWallPieceDrawn || result == kWallNothing);
            if (key == 0) Require(result == kWallNothing);
            if (result != kWallPieceDrawn) continue;
            const int row = WallPictureRow(map.WallTable[key]);
            Require(row >= 0 && row <= 7);
            Require(piece.Source.Width() == kWallPieceWidth);
            Require(piece.Source.Height() == kWallPieceHeight);
            Require(piece.Source.Top == 81 * row + 1);
            const int shift = piece.Source.Left - (65 * map.GetVariant(x, y) + 1);
            Require(shift == 0 || shift == kWallEndShiftNear || shift == kWallEndShiftFar);
            Require(piece.OffsetX == kWallPieceOffsetX && piece.OffsetY == kWallPieceOffsetY);
        }
    }
    return 0;
}
