// One game table opened for one operation: field reads that report a missing field once, and
// lookups by a numeric field from an index built on the first search.
#include "resources/GameTable.h"

#include "resources/Utils.h"

namespace tess {

GameTable::GameTable(const std::string& name) {
    OpenDBF(table_, name);
}

GameTable::~GameTable() {
    CloseDBF(table_);
}

bool GameTable::Has(std::string_view field) {
    if (table_.FindField(field)) return true;
    const std::string key = UpperCaseCz(field);
    if (reported_.insert(key).second) {
        tField ignored;
        GetFieldname(table_, field, ignored);  // shows the reader's missing-field report
    }
    return false;
}

bool GameTable::Find(std::string_view key, int32_t value) {
    const std::string name = UpperCaseCz(key);
    auto index = indexes_.find(name);
    if (index == indexes_.end()) {
        // One pass in file order; the first record of each number is the one a search finds.
        std::unordered_map<int64_t, int32_t> numbers;
        const tFieldDescriptor* field = table_.FindField(key);
        if (table_.RecordCount > 0 && Has(key)) {
            const int32_t keep = table_.Current;
            for (tess::First(table_); !tess::Eof(table_); tess::Next(table_)) {
                const int64_t key = LocateKey(*field, table_.ValueView(*field));
                if (key != kNoLocateKey) numbers.emplace(key, table_.Current);
            }
            table_.Current = keep;
        }
        index = indexes_.emplace(name, std::move(numbers)).first;
    }
    const auto found = index->second.find(value);
    if (found == index->second.end()) {
        tess::GoRecord(table_, table_.RecordCount + 1);
        return false;
    }
    tess::GoRecord(table_, found->second);
    return true;
}

int32_t GameTable::Integer(std::string_view field) {
    return Has(field) ? GetInteger(table_, field) : 0;
}

bool GameTable::Flag(std::string_view field) {
    return Has(field) && GetBool(table_, field);
}

std::string GameTable::Text(std::string_view field) {
    return Has(field) ? GetString(table_, field) : std::string();
}

}  // namespace tess
