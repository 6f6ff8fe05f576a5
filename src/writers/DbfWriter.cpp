// Writes dBASE tables (text, number, logical and memo fields) and their ".fpt" memo files.
#include "writers/DbfWriter.h"

#include <algorithm>

#include "resources/Bytes.h"
#include "resources/SafeFile.h"
#include "resources/Utils.h"

namespace tess::writers {

namespace {

constexpr uint32_t kMemoHeaderSize = 512;

void BigEndianU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

std::string FitValue(const DbfField& field, const std::string& value) {
    const size_t length = field.Length;
    if (value.size() >= length) return value.substr(0, length);
    const std::string fill(length - value.size(), ' ');
    return field.Type == 'N' ? fill + value : value + fill;
}

// Appends one memo block chain and returns its first block number.
uint32_t AppendMemo(std::vector<uint8_t>& memo, uint32_t blockSize, const std::string& text) {
    const uint32_t block = static_cast<uint32_t>(memo.size() / blockSize);
    const size_t at = memo.size();
    memo.resize(at + 8);
    BigEndianU32(memo, at, 1);  // text memo
    BigEndianU32(memo, at + 4, static_cast<uint32_t>(text.size()));
    memo.insert(memo.end(), text.begin(), text.end());
    memo.resize((memo.size() + blockSize - 1) / blockSize * blockSize, 0);
    BigEndianU32(memo, 0, static_cast<uint32_t>(memo.size() / blockSize));  // next free block
    return block;
}

}  // namespace

DbfFiles BuildDbf(const DbfTable& table, const DbfOptions& options) {
    const bool hasMemo = std::any_of(table.Fields.begin(), table.Fields.end(),
                                     [](const DbfField& f) { return f.Type == 'M'; });
    const uint32_t blockSize = std::max<uint32_t>(options.MemoBlockSize, 1);
    DbfFiles files;
    if (hasMemo) {
        files.Memo.assign(std::max(kMemoHeaderSize, blockSize), 0);
        files.Memo.resize((files.Memo.size() + blockSize - 1) / blockSize * blockSize, 0);
        BigEndianU32(files.Memo, 0, static_cast<uint32_t>(files.Memo.size() / blockSize));
        BigEndianU32(files.Memo, 4, blockSize);
    }

    size_t recordSize = 1;
    for (const DbfField& f : table.Fields)
        recordSize += f.Length;
    const size_t headerSize = 32 + 32 * table.Fields.size() + 1;

    ByteWriter out;
    out.U8(hasMemo ? 0xF5 : 0x03);
    out.U8(124);  // last update: year - 1900, month, day; fixed so output is reproducible
    out.U8(1);
    out.U8(1);
    out.U32(static_cast<uint32_t>(table.Records.size()));
    out.U16(static_cast<uint16_t>(headerSize));
    out.U16(static_cast<uint16_t>(recordSize));
    out.Zeros(20);
    for (const DbfField& f : table.Fields) {
        char name[11] = {};
        std::copy_n(f.Name.data(), std::min<size_t>(f.Name.size(), 10), name);
        out.Bytes(name, 11);
        out.U8(static_cast<uint8_t>(f.Type));
        out.U32(0);
        out.U8(f.Length);
        out.U8(f.Decimals);
        out.Zeros(14);
    }
    out.U8(0x0D);

    for (const DbfRecord& record : table.Records) {
        out.U8(record.Deleted ? '*' : ' ');
        for (size_t i = 0; i < table.Fields.size(); ++i) {
            const DbfField& f = table.Fields[i];
            const std::string value = i < record.Values.size() ? record.Values[i] : std::string();
            if (f.Type != 'M') {
                const std::string fitted = FitValue(f, value);
                out.Bytes(fitted.data(), fitted.size());
                continue;
            }
            const uint32_t block = value.empty() ? 0 : AppendMemo(files.Memo, blockSize, value);
            if (f.Length == 4) {
                out.U32(block);
            } else {
                const std::string text = block == 0 ? std::string() : std::to_string(block);
                const std::string fitted = FitValue(DbfField{f.Name, 'N', f.Length, 0}, text);
                out.Bytes(fitted.data(), fitted.size());
            }
        }
    }
    if (options.EndMarker) out.U8(0x1A);
    files.Table = std::move(out.Data());
    return files;
}

std::string WriteDbf(const std::string& path, const DbfTable& table, const DbfOptions& options) {
    const DbfFiles files = BuildDbf(table, options);
    WriteFileAtomically(path, files.Table);
    if (!files.Memo.empty()) {
        const std::string stem = StripExt(path);
        WriteFileAtomically((stem.empty() ? path : stem) + ".fpt", files.Memo);
    }
    return path;
}

}  // namespace tess::writers
