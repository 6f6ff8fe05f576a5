// The dBASE table reader: open by name, walk records, read fields by name.
#include "resources/Dbf.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr size_t kHeaderFixedPart = 12;  // version, date, record count, header and record sizes
constexpr size_t kDescriptorSize = 32;
constexpr size_t kFieldNameBytes = 10;

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Turns the zero bytes of a descriptor name into spaces.
std::string DescriptorName(const uint8_t* p) {
    std::string name(reinterpret_cast<const char*>(p), kFieldNameBytes);
    std::replace(name.begin(), name.end(), '\0', ' ');
    return name;
}

// The lookup key of a field name: Czech upper-casing, then spaces up to 10 characters.
std::string FieldKey(std::string_view name) {
    return PadRight(UpperCaseCz(name), 10, " ");
}

// A decimal integer with an optional leading "-" and nothing else; false when the text is
// not one or does not fit 32 bits.
bool ParseInt32(std::string_view text, int32_t& out) {
    bool negative = false;
    size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return false;
    out = static_cast<int32_t>(value);
    return true;
}

// A floating-point number with optional surrounding spaces.
bool ParseDouble(std::string_view text, double& out) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

void ReportDamage(const std::string& name, const std::string& why) {
    ErrorBox("\"OpenDBF\" soubor \"" + name + "\" je poškozený: " + why + ".");
}

void ReportMissingField(const tTable& table, std::string_view name) {
    ErrorBox("\"GetFieldname\" Field \"" + Cp1250ToUtf8(FieldKey(name)) + "\" v tabulce \"" +
             AllTrim(table.FileName) + "\" neexistuje.");
}

}  // namespace

void tTable::Reset() {
    HeaderSize = 0;
    RecordSize = 0;
    FileName.clear();
    RecordCount = 0;
    Current = 1;
    FieldCount = 0;
    data_.clear();
    data_.shrink_to_fit();
    fields_.clear();
    fromArchive_ = false;
    modified_ = false;
}

void tTable::ReadStructure(const std::string& name) {
    fromArchive_ = BigFile().FindEntry(name) != nullptr;
    data_ = BigFile().ReadWholeFile(name);
    const size_t size = data_.size();
    if (size < kHeaderFixedPart) {
        ReportDamage(name, "soubor je kratší než hlavička");
        return;
    }
    const int32_t storedCount = static_cast<int32_t>(LeU32(&data_[4]));
    HeaderSize = LeU16(&data_[8]);
    RecordSize = LeU16(&data_[10]);
    if (HeaderSize < 33) {
        ReportDamage(name, "délka hlavičky " + std::to_string(HeaderSize) + " je menší než 33");
        return;
    }
    if (HeaderSize > size) {
        ReportDamage(name, "hlavička přesahuje konec souboru");
        return;
    }
    FieldCount = (HeaderSize - 33) / 32;

    uint32_t offset = 1;
    fields_.reserve(static_cast<size_t>(FieldCount));
    for (int32_t i = 1; i <= FieldCount; ++i) {
        const uint8_t* d = &data_[kDescriptorSize * static_cast<size_t>(i)];
        tFieldDescriptor field;
        field.Name = DescriptorName(d);
        field.FieldType = static_cast<char>(d[11]);
        field.Length = d[16];
        field.Decimals = d[17];
        field.Offset = offset;
        offset += field.Length;
        fields_.push_back(std::move(field));
    }

    if (storedCount < 0) {
        ReportDamage(name, "záporný počet záznamů");
        return;
    }
    if (storedCount == 0) return;
    if (RecordSize == 0) {
        ReportDamage(name, "délka záznamu je 0");
        return;
    }
    // Fields may reach past their record into the next one; the last record must still fit.
    const uint64_t span = std::max<uint64_t>(RecordSize, offset);
    const uint64_t available = size - HeaderSize;
    const uint64_t fitting = available < span ? 0 : (available - span) / RecordSize + 1;
    if (fitting < static_cast<uint64_t>(storedCount)) {
        ReportDamage(name, "záznamy přesahují konec souboru (celých " + std::to_string(fitting) +
                               " z " + std::to_string(storedCount) + ")");
        RecordCount = static_cast<int32_t>(fitting);
    } else {
        RecordCount = storedCount;
    }
}

const tFieldDescriptor* tTable::FindField(std::string_view name) const {
    const std::string key = FieldKey(name);
    if (key.size() != kFieldNameBytes) return nullptr;
    for (const tFieldDescriptor& field : fields_)
        if (field.Name == key) return &field;
    return nullptr;
}

std::string_view tTable::ValueView(const tFieldDescriptor& field) const {
    const int64_t start = int64_t(Current - int64_t(1)) * RecordSize + HeaderSize + field.Offset;
    if (start < 0 || static_cast<uint64_t>(start) + field.Length > data_.size())
        throw IoError("End of file");
    return {reinterpret_cast<const char*>(data_.data()) + start, field.Length};
}

std::string tTable::ReadValue(const tFieldDescriptor& field) const {
    return std::string(ValueView(field));
}

std::string tTable::MemoText(const tFieldDescriptor& field) const {
    try {
        const std::string_view value = ValueView(field);
        int64_t block = 0;
        if (field.Length == 4) {
            block = static_cast<int32_t>(LeU32(reinterpret_cast<const uint8_t*>(value.data())));
        } else {
            const size_t first = value.find_first_not_of(' ');
            int32_t parsed = 0;
            if (first == std::string_view::npos || !ParseInt32(value.substr(first), parsed))
                return {};
            block = parsed;
        }
        if (block < 0) return {};

        TBigFileStreamPtr stream;
        BigFile().OpenFile(stream, StripExt(FileName) + ".fpt");
        const int64_t memoSize = stream->Size();
        uint8_t word[4];
        TBigFile::SeekFile(stream.get(), 4);
        TBigFile::ReadFile(stream.get(), word, 4);
        const uint64_t blockSize = BeU32(word);
        if (blockSize != 0 && static_cast<uint64_t>(block) > uint64_t(memoSize) / blockSize)
            return {};
        const int64_t lengthAt = block * static_cast<int64_t>(blockSize) + 4;
        if (lengthAt + 4 > memoSize) return {};
        TBigFile::SeekFile(stream.get(), lengthAt);
        TBigFile::ReadFile(stream.get(), word, 4);
        const uint64_t length = BeU32(word);
        if (length > static_cast<uint64_t>(memoSize - lengthAt - 4)) return {};
        std::string text(static_cast<size_t>(length), '\0');
        if (length > 0) TBigFile::ReadFile(stream.get(), text.data(), text.size());
        TBigFile::CloseFile(stream);
        return text;
    } catch (const std::exception&) {
        return {};
    }
}

void OpenDBF(tTable& table, const std::string& name) {
    table.Reset();
    if (!BigFile().FileExists(name)) {
        ErrorBox("\"OpenDBF\" soubor \"" + name + "\" neexistuje.");
        table.FileName = name;
        return;
    }
    table.FileName = name;
    try {
        table.ReadStructure(name);
    } catch (const IoError& e) {
        const std::string keep = table.FileName;
        table.Reset();
        table.FileName = keep;
        ErrorBox("\"OpenDBF\" soubor \"" + name + "\" nelze přečíst: " + e.what());
        return;
    }
    table.Current = 1;
}

void CloseDBF(tTable& table) {
    table.Reset();
}

void First(tTable& table) {
    GoRecord(table, 1);
}

void Next(tTable& table) {
    GoRecord(table, table.Current + 1);
}

void GoRecord(tTable& table, int32_t record) {
    if (record < 1 || int64_t(record) > int64_t(table.RecordCount) + 1) return;
    table.Current = record;
}

bool Eof(const tTable& table) {
    return int64_t(table.Current) == int64_t(table.RecordCount) + 1;
}

void GetFieldname(tTable& table, std::string_view name, tField& field) {
    const tFieldDescriptor* found = table.FindField(name);
    if (!found) {
        ReportMissingField(table, name);
        return;
    }
    field.Name = found->Name;
    field.FieldType = found->FieldType;
    field.Length = found->Length;
    field.Decimals = found->Decimals;
    field.Value = table.ReadValue(*found);
}

int32_t GetInteger(tTable& table, std::string_view name) {
    tField field;
    try {
        GetFieldname(table, name, field);
    } catch (const IoError&) {
        return 0;
    }
    const std::string text = AllTrim(field.Value);
    int32_t value = 0;
    if (text.empty() || !ParseInt32(text, value)) return 0;
    return value;
}

std::string GetString(tTable& table, std::string_view name) {
    const tFieldDescriptor* found = table.FindField(name);
    if (!found) {
        ReportMissingField(table, name);
        return {};
    }
    return GetString(table, *found);
}

std::string GetString(const tTable& table, const tFieldDescriptor& field) {
    const std::string_view value = table.ValueView(field);  // raises past the end
    if (UpperAscii(field.FieldType) == 'M') return table.MemoText(field);
    return RightTrim(value);
}

bool GetBool(tTable& table, std::string_view name) {
    tField field;
    GetFieldname(table, name, field);
    return UpperCaseCz(field.Value).find('T') != std::string::npos;
}

int64_t LocateKey(const tFieldDescriptor& field, std::string_view value) {
    if (UpperAscii(field.FieldType) != 'N' || field.Decimals != 0) return kNoLocateKey;
    try {
        return GetNumber(value, 1);
    } catch (const ConvertError&) {
        return kNoLocateKey;
    }
}

namespace {

// The walk shared by the Locate variants: positions on the first record that matches.
template <typename Matches>
bool LocateWith(tTable& table, std::string_view name, Matches matches) {
    First(table);
    if (Eof(table)) return false;
    const tFieldDescriptor* field = table.FindField(name);
    if (!field) {
        ReportMissingField(table, name);
        GoRecord(table, table.RecordCount + 1);
        return false;
    }
    while (!Eof(table)) {
        if (matches(*field, table.ValueView(*field))) return true;
        Next(table);
    }
    return false;
}

}  // namespace

bool Locate(tTable& table, std::string_view name, int32_t value) {
    return LocateWith(table, name, [value](const tFieldDescriptor& f, std::string_view v) {
        return LocateKey(f, v) == value;
    });
}

bool Locate(tTable& table, std::string_view name, std::string_view value) {
    return LocateWith(table, name, [value](const tFieldDescriptor& f, std::string_view v) {
        return UpperAscii(f.FieldType) == 'C' && v == value;
    });
}

bool Locate(tTable& table, std::string_view name, const char* value) {
    return Locate(table, name, std::string_view(value));
}

bool Locate(tTable& table, std::string_view name, bool value) {
    return LocateWith(table, name, [value](const tFieldDescriptor& f, std::string_view v) {
        return UpperAscii(f.FieldType) == 'L' && ((!v.empty() && UpperAscii(v[0]) == 'T') == value);
    });
}

bool Locate(tTable& table, std::string_view name, double value) {
    return LocateWith(table, name, [value](const tFieldDescriptor& f, std::string_view v) {
        double stored = 0;
        return UpperAscii(f.FieldType) == 'N' && f.Decimals > 0 && ParseDouble(v, stored) &&
               stored == value;
    });
}

}  // namespace tess
