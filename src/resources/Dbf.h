// The dBASE table reader: open by name, walk records, read fields by name, write fields back.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// The result of a field lookup.
struct tField {
    std::string Name;   // the 10 name bytes of the descriptor, zero bytes turned into spaces
    std::string Value;  // exactly Length bytes of the current record, unchanged
    char FieldType = 0;
    uint8_t Length = 0;
    uint8_t Decimals = 0;
};

// One field descriptor as read at open, with the field's place inside a record.
struct tFieldDescriptor {
    std::string Name;  // 10 bytes, zero bytes turned into spaces
    char FieldType = 0;
    uint8_t Length = 0;
    uint8_t Decimals = 0;
    uint32_t Offset = 0;  // 1 + the lengths of the fields before it
};

// One open table. The header and the descriptors are read once at open, and so are the
// table's bytes (the game's tables are small), so walking and reading never touch the file.
class tTable {
  public:
    uint16_t HeaderSize = 0;
    uint16_t RecordSize = 0;
    std::string FileName;  // the name the table was opened with
    int32_t RecordCount = 0;
    int32_t Current = 1;  // 1-based; RecordCount + 1 is the position past the end
    int32_t FieldCount = 0;

    const std::vector<tFieldDescriptor>& Fields() const { return fields_; }
    // The descriptor a field name selects (upper-cased key, padded to 10), or nullptr. Shows
    // nothing: GetFieldname is the lookup that reports a missing field.
    const tFieldDescriptor* FindField(std::string_view name) const;
    // The field's bytes in the current record; raises IoError("End of file") when they lie
    // past the table's data (the position past the end of a table).
    std::string ReadValue(const tFieldDescriptor& field) const;
    // The same bytes without copying (valid until the table is closed or reopened).
    std::string_view ValueView(const tFieldDescriptor& field) const;

    // The memo text of a field of type "M" in the current record; "" on any failure.
    std::string MemoText(const tFieldDescriptor& field) const;

    // True when a Set operation changed the table since it was opened or last saved.
    bool Modified() const { return modified_; }
    // True when the table was read from the archive (a save replaces the member there).
    bool FromArchive() const { return fromArchive_; }

  private:
    friend void OpenDBF(tTable& table, const std::string& name);
    friend void CloseDBF(tTable& table);
    friend void SaveDBF(tTable& table);

    void Reset();
    void ReadStructure(const std::string& name);
    // Overwrites the field's bytes in the current record with `value` (exactly Length bytes).
    friend void StoreFieldValue(tTable& table, const tFieldDescriptor& field,
                                const std::string& value);

    std::vector<uint8_t> data_;  // the whole file as read
    std::vector<tFieldDescriptor> fields_;
    bool fromArchive_ = false;
    bool modified_ = false;
};

// Opens a table through the archive (disk file otherwise). A missing table shows the error
// box "\"OpenDBF\" soubor ... neexistuje."; after Retry the table is empty. A damaged table
// (header shorter than its fields, records that do not fit the file) shows an error box too
// and is read as far as it is whole: an empty or shortened table.
void OpenDBF(tTable& table, const std::string& name);
void CloseDBF(tTable& table);

void First(tTable& table);
void Next(tTable& table);
// Ignored when the number is below 1 or above RecordCount + 1.
void GoRecord(tTable& table, int32_t record);
bool Eof(const tTable& table);

// Looks the field up and reads its value in the current record into `field`. A missing field
// shows the error box "\"GetFieldname\" Field ... neexistuje." and leaves `field` as it was.
// Reading at the position past the end raises IoError("End of file").
void GetFieldname(tTable& table, std::string_view name, tField& field);

// The trimmed value as a decimal integer; 0 for empty text, other text, an out-of-range
// number, a missing field or a read past the end.
int32_t GetInteger(tTable& table, std::string_view name);
// The memo text for a field of type "M" (empty on any failure), else the value without its
// trailing spaces. Raises IoError at the position past the end.
std::string GetString(tTable& table, std::string_view name);
// The same for a field already looked up (a table walked field by field).
std::string GetString(const tTable& table, const tFieldDescriptor& field);
// True when the value, upper-cased, contains "T". Raises IoError at the position past the end.
bool GetBool(tTable& table, std::string_view name);

// Searches from the first record for the first record whose field matches the value, by the
// field's type: "N" without decimals compares the first run of digits with an integer, "C"
// the whole stored text (filling spaces included) with a string, "L" the first character
// being "T" with a boolean, "N" with decimals the number with a double. Any other pairing of
// field type and value never matches. True: the table stands on that record; false: it stands
// past the end. A missing field is reported once per search.
bool Locate(tTable& table, std::string_view name, int32_t value);
bool Locate(tTable& table, std::string_view name, std::string_view value);
bool Locate(tTable& table, std::string_view name, const char* value);
bool Locate(tTable& table, std::string_view name, bool value);
bool Locate(tTable& table, std::string_view name, double value);

// What LocateKey gives for a value that no integer search may match. It lies outside the range
// of int32_t, so a search for any number (-1 included) never takes it for a key.
inline constexpr int64_t kNoLocateKey = std::numeric_limits<int64_t>::min();

// The integer a numeric lookup compares for a field value: the first run of digits of an "N"
// field without decimals; kNoLocateKey for any other field type or a run too long for 32 bits.
int64_t LocateKey(const tFieldDescriptor& field, std::string_view value);

// The write operations of the editors. Each changes the field of the current record in memory
// only; SaveDBF writes the table. The value is laid out as dBASE stores it: numbers right-aligned,
// everything else left-aligned, padded with spaces to the field's length. A field the table
// lacks, a memo field, a value longer than the field or the position past the end raises
// IoError and leaves the table as it was.
void SetString(tTable& table, std::string_view name, std::string_view text);
// The integer in decimal (with the field's decimals as zeros: 25 in N(6,2) is " 25.00").
void SetInteger(tTable& table, std::string_view name, int32_t value);
// "T" or "F".
void SetBool(tTable& table, std::string_view name, bool value);

// Writes a changed table back where it was read from, with every byte but the changed fields as
// it was: a disk file is replaced crash-safely, an archive member is replaced inside the archive
// (see ReplaceArchiveMember). An unchanged table writes nothing. On failure raises IoError and
// the file stays as it was (the table keeps its changes, so the save can be tried again).
void SaveDBF(tTable& table);

}  // namespace tess
