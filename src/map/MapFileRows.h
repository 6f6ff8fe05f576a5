// Reading the cell rows of a map file into the grid's storage, with the look for old objects.
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapDat.h"

namespace tess {

// The two old object types that a load converts (they differ in the low bit only).
constexpr int kOldPairUpRightId = 270;  // a pair along direction 0
constexpr int kOldPairUpLeftId = 271;   // a pair along direction 6

// Reads the width x height cells that follow the 16-byte header of the open map file into the
// storage rows (row y at tMapa::Index(0, y)). The file is read in pieces small enough to stay in
// the processor's cache, and each piece is copied into its rows while every 16-bit word of it is
// looked at for the old pair types (one pass over the cells instead of a read and a look):
// mayHoldOldPair gets one flag per row, set for rows where such a word occurs (the conversion then
// looks at those rows only). The cell after each row (the extra column, never saved) becomes
// `edge`. Returns false with errno set when the file cannot deliver all the cells.
bool ReadCellRows(int fd, tMapCell* storage, int32_t width, int32_t height, const tMapCell& edge,
                  std::vector<uint8_t>& mayHoldOldPair);

// Swaps the words of cells between file order (little-endian) and memory on other hosts.
void CellsToLittleEndian(tMapCell* cells, size_t count);

}  // namespace tess
