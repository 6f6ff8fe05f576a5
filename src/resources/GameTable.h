// One game table opened for one operation: field reads that report a missing field once, and
// lookups by a numeric field from an index built on the first search.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "resources/Dbf.h"

namespace tess {

// One table opened for one operation and closed when the operation ends; nothing is kept
// between operations. Lookups by a numeric field follow the reader's search rule (the first
// record whose field spells the number); an operation that looks up many numbers scans the
// table once. A field the table lacks is reported once per operation, then reads as 0, false
// or empty text.
class GameTable {
  public:
    explicit GameTable(const std::string& name);
    ~GameTable();
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    // Positions on the first record whose numeric field `key` spells `value`; false (and the
    // position past the end) when there is none.
    bool Find(std::string_view key, int32_t value);
    bool FindId(int32_t value) { return Find("Id", value); }

    void First() { tess::First(table_); }
    void Next() { tess::Next(table_); }
    void GoRecord(int32_t record) { tess::GoRecord(table_, record); }
    bool Eof() const { return tess::Eof(table_); }
    int32_t RecordCount() const { return table_.RecordCount; }

    // The reading rules on the current record. At the position past the end Integer gives 0
    // and Flag and Text raise IoError, as the reader does.
    int32_t Integer(std::string_view field);
    bool Flag(std::string_view field);
    std::string Text(std::string_view field);

    tTable& Table() { return table_; }

  private:
    bool Has(std::string_view field);

    tTable table_;
    std::set<std::string, std::less<>> reported_;
    std::map<std::string, std::unordered_map<int64_t, int32_t>, std::less<>> indexes_;
};

}  // namespace tess
