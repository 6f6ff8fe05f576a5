// Fuzz target: a dBASE table with its memo file; opens it, walks it, reads every field with
// every getter, searches it, and writes fields back. Input: a 4-byte little-endian table length,
// the table, the memo.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/BigFile.h"
#include "resources/Dbf.h"
#include "resources/UiHost.h"

namespace {

struct Setup {
    tess::SilentUi ui;
    std::string dir;
    Setup() {
        // Each input is written to files; memory-backed storage keeps that from dominating.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "tess-fuzz-dbf-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        dir = pattern;
        tess::SetUi(&ui);
        tess::BigFile().Close();
    }
    ~Setup() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Every read inside the table's records must succeed; only the position past the end may raise.
void ReadAllFields(tess::tTable& table) {
    for (const tess::tFieldDescriptor& field : table.Fields()) {
        tess::GetString(table, field);
        tess::GetInteger(table, field.Name);
        tess::GetString(table, field.Name);
        tess::GetBool(table, field.Name);
        tess::tField out;
        tess::GetFieldname(table, field.Name, out);
    }
}

// Writes every field of the last record back with its own bytes and saves: the file must come
// out exactly as it went in. Then the other write operations, whose failures raise IoError.
void WriteBack(tess::tTable& table, const std::string& name, const uint8_t* data, size_t size) {
    tess::GoRecord(table, table.RecordCount);
    for (const tess::tFieldDescriptor& field : table.Fields()) {
        try {
            const tess::tFieldDescriptor* named = table.FindField(field.Name);
            if (named) tess::SetString(table, field.Name, table.ReadValue(*named));
        } catch (const tess::IoError&) {
        }
    }
    try {
        tess::SaveDBF(table);
    } catch (const tess::IoError&) {
        __builtin_trap();  // the table was read from this very file
    }
    std::ifstream in(name, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (saved.size() != size || (size > 0 && std::memcmp(saved.data(), data, size) != 0))
        __builtin_trap();
    for (const tess::tFieldDescriptor& field : table.Fields()) {
        try {
            tess::SetInteger(table, field.Name, -12);
            tess::SetBool(table, field.Name, true);
        } catch (const tess::IoError&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    size_t tableSize = size;
    const uint8_t* table = data;
    const uint8_t* memo = data + size;
    size_t memoSize = 0;
    if (size >= 4) {
        const size_t stated = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                              uint32_t(data[3]) << 24;
        table = data + 4;
        tableSize = std::min(stated, size - 4);
        memo = table + tableSize;
        memoSize = size - 4 - tableSize;
    }
    const std::string name = setup.dir + "/t.dbf";
    WriteFile(name, table, tableSize);
    WriteFile(setup.dir + "/t.fpt", memo, memoSize);

    tess::tTable t;
    tess::OpenDBF(t, name);
    if (t.RecordCount < 0 || t.FieldCount < 0 ||
        t.Fields().size() != static_cast<size_t>(t.FieldCount))
        __builtin_trap();
    for (tess::First(t); !tess::Eof(t); tess::Next(t))
        ReadAllFields(t);

    // Past the end only GetInteger is quiet; the others raise the end-of-file error.
    for (const tess::tFieldDescriptor& field : t.Fields()) {
        tess::GetInteger(t, field.Name);
        try {
            tess::GetString(t, field);
        } catch (const tess::IoError&) {
        }
    }

    if (t.RecordCount > 0 && !t.Fields().empty()) {
        // The first few fields are searched: enough for every comparison rule, and a table of
        // many fields and records stays quick.
        tess::First(t);
        const size_t searched = std::min<size_t>(t.Fields().size(), 6);
        for (size_t i = 0; i < searched; ++i) {
            const tess::tFieldDescriptor& field = t.Fields()[i];
            const std::string value = t.ReadValue(field);
            tess::First(t);
            // A name stands for the first field that carries it (names may repeat).
            const tess::tFieldDescriptor* named = t.FindField(field.Name);
            if (tess::Locate(t, field.Name, value) && t.ReadValue(*named) != value)
                __builtin_trap();
            tess::Locate(t, field.Name, static_cast<int32_t>(tess::LocateKey(field, value)));
            tess::Locate(t, field.Name, true);
            tess::Locate(t, field.Name, 1.5);
            tess::First(t);
        }
        tess::GoRecord(t, static_cast<int32_t>(size % (static_cast<size_t>(t.RecordCount) + 3)));
        if (!tess::Eof(t)) ReadAllFields(t);
        WriteBack(t, name, table, tableSize);
    }
    tess::CloseDBF(t);
    return 0;
}
