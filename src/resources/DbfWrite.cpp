// The table's write operations: field values changed in memory, the table written back in place.
#include <string>

#include "resources/BigFile.h"
#include "resources/Dbf.h"
#include "resources/GameDataWrite.h"
#include "resources/Utils.h"

namespace tess {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Quoted(std::string_view cp1250) {
    return "\"" + Cp1250ToUtf8(cp1250) + "\"";
}

// The field a write goes to; a missing or memo field raises IoError.
const tFieldDescriptor& FieldToWrite(const tTable& table, const char* operation,
                                     std::string_view name) {
    const tFieldDescriptor* field = table.FindField(name);
    const std::string where = " v tabulce \"" + AllTrim(table.FileName) + "\"";
    if (field == nullptr)
        throw IoError(std::string("\"") + operation + "\" Field " +
                      Quoted(PadRight(UpperCaseCz(name), 10, " ")) + where + " neexistuje.");
    if (UpperAscii(field->FieldType) == 'M')
        throw IoError(std::string("\"") + operation + "\" Field " + Quoted(field->Name) + where +
                      " je typu memo a nelze ho zapsat.");
    return *field;
}

// Pads the text as dBASE stores it: numbers right-aligned, everything else left-aligned.
std::string FieldImage(const tTable& table, const char* operation, const tFieldDescriptor& field,
                       std::string_view text) {
    if (text.size() > field.Length)
        throw IoError(std::string("\"") + operation + "\" hodnota " + Quoted(text) +
                      " se nevejde do pole " + Quoted(field.Name) + " (" +
                      std::to_string(field.Length) + " znaků) v tabulce \"" +
                      AllTrim(table.FileName) + "\".");
    return UpperAscii(field.FieldType) == 'N' ? PadLeft(text, field.Length, " ")
                                              : PadRight(text, field.Length, " ");
}

void Store(tTable& table, const char* operation, std::string_view name, std::string_view text) {
    const tFieldDescriptor& field = FieldToWrite(table, operation, name);
    StoreFieldValue(table, field, FieldImage(table, operation, field, text));
}

}  // namespace

void StoreFieldValue(tTable& table, const tFieldDescriptor& field, const std::string& value) {
    (void)table.ValueView(field);  // raises past the end of the data
    const size_t start = static_cast<size_t>(
        int64_t(table.Current - int64_t(1)) * table.RecordSize + table.HeaderSize + field.Offset);
    std::copy(value.begin(), value.begin() + field.Length, table.data_.begin() + long(start));
    table.modified_ = true;
}

void SetString(tTable& table, std::string_view name, std::string_view text) {
    Store(table, "SetString", name, text);
}

void SetInteger(tTable& table, std::string_view name, int32_t value) {
    const tFieldDescriptor& field = FieldToWrite(table, "SetInteger", name);
    std::string text = std::to_string(value);
    if (UpperAscii(field.FieldType) == 'N' && field.Decimals > 0)
        text += "." + std::string(field.Decimals, '0');
    StoreFieldValue(table, field, FieldImage(table, "SetInteger", field, text));
}

void SetBool(tTable& table, std::string_view name, bool value) {
    Store(table, "SetBool", name, value ? "T" : "F");
}

void SaveDBF(tTable& table) {
    if (!table.modified_) return;
    if (table.fromArchive_)
        ReplaceArchiveMember(BigFile(), table.FileName, table.data_);
    else
        ReplaceDiskFile(table.FileName, table.data_);
    table.modified_ = false;
}

}  // namespace tess
