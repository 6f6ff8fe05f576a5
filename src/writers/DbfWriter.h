// Writes dBASE tables (text, number, logical and memo fields) and their ".fpt" memo files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess::writers {

struct DbfField {
    std::string Name;  // at most 10 bytes; stored as given (case included), zero-padded
    char Type = 'C';   // 'C', 'N', 'L' or 'M' (any other byte is stored as it stands)
    uint8_t Length = 10;
    uint8_t Decimals = 0;
};

struct DbfRecord {
    bool Deleted = false;  // stored as the flag byte '*'
    // One value per field, CP1250 text. A value as long as its field is stored unchanged;
    // a shorter one is padded by type: numbers right-aligned, everything else left-aligned.
    // Longer values are cut. For 'M' fields the value is the memo text.
    std::vector<std::string> Values;
};

struct DbfTable {
    std::vector<DbfField> Fields;
    std::vector<DbfRecord> Records;
};

struct DbfOptions {
    uint32_t MemoBlockSize = 64;
    // 'M' fields of length 4 always hold a little-endian block number; longer ones hold it as
    // right-aligned decimal text.
    bool EndMarker = true;  // the 0x1A byte after the last record
};

struct DbfFiles {
    std::vector<uint8_t> Table;
    std::vector<uint8_t> Memo;  // the ".fpt" file; empty when the table has no 'M' field
};

DbfFiles BuildDbf(const DbfTable& table, const DbfOptions& options = {});

// Writes NAME (and NAME's ".fpt" beside it when there is a memo field); returns the table's
// path. Raises IoError on failure.
std::string WriteDbf(const std::string& path, const DbfTable& table,
                     const DbfOptions& options = {});

}  // namespace tess::writers
