// String, path and number routines shared by the whole program (CP1250 byte strings).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tess {

// --- code page 1250 -------------------------------------------------------------------------
// Converts a CP1250 byte string to UTF-8 (every byte has a mapping).
std::string Cp1250ToUtf8(std::string_view cp1250);
// Converts UTF-8 to CP1250. Characters without a CP1250 form become '?'; bytes that are not
// valid UTF-8 are taken as CP1250 bytes already and pass through unchanged.
std::string Utf8ToCp1250(std::string_view utf8);

// Upper-cases with the Czech table only (40 letters; other accented letters stay).
std::string UpperCaseCz(std::string_view s);
// Upper-cases every CP1250 letter that has an upper-case form (the system's ANSI upper-casing).
std::string AnsiUpperCase(std::string_view s);
char AnsiUpperChar(char c);

// --- trimming, padding, replacing ------------------------------------------------------------
std::string AllTrim(std::string_view s);    // spaces (code 32) only, both ends
std::string RightTrim(std::string_view s);  // trailing spaces only
std::string PadLeft(std::string_view s, int width, std::string_view pad);
std::string PadRight(std::string_view s, int width, std::string_view pad);
std::string ReplaceChar(std::string_view s, char from, char to);
// Left-to-right replacement with a pending buffer; a failed partial match does not retry the
// current character as the start of a new match.
std::string ReplaceText(std::string_view s, std::string_view find, std::string_view repl);

// --- paths (byte-wise; "\" and "/" both separate) ------------------------------------------
std::string ExtractName(std::string_view path);      // after the last separator
std::string ExtractBaseName(std::string_view path);  // ExtractName cut before its first "."
std::string StripExt(std::string_view name);         // before the last "."; "" without one
std::string ExtractDir(std::string_view path);       // up to and including the last separator
std::string AddSlash(std::string_view path);         // appends "\" unless it ends in a separator

// --- numbers ---------------------------------------------------------------------------------
// Raised where the original raised its conversion error.
class ConvertError : public std::exception {
  public:
    explicit ConvertError(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

  private:
    std::string text_;
};

// The n-th (1-based) maximal run of digits, 0 if there are fewer runs. A run too large for a
// signed 32-bit integer raises ConvertError.
int32_t GetNumber(std::string_view s, int n);

// The user's number format, used where the messages format numbers "in the user's format".
// The Qt editor fills it from the system locale; elsewhere it stays "." with "," grouping.
struct NumberFormat {
    std::string decimal = ".";
    std::string group = ",";
};
NumberFormat& UserNumberFormat();
// Two decimals with the user's decimal separator and thousands grouping ("1,234.50").
std::string FormatFixed2(double value);

// --- files -----------------------------------------------------------------------------------
// True when a file of that name exists on disk, even when it cannot be read. Names may use "\"
// and any letter case; they are resolved as ResolveDiskPath does.
bool FileExistsOnDisk(const std::string& name);

// Maps a game-data path (either separator, any letter case, UTF-8) to the path of an existing
// file or directory on this disk, segment by segment; a segment that matches nothing is kept
// as given. Relative paths resolve against the current directory.
std::string ResolveDiskPath(const std::string& name);

// --- line stepping ---------------------------------------------------------------------------
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Integer Bresenham walk between two map cells. Loop while Running: Step(), then use Current;
// the target is delivered once more by the final Step that clears Running.
struct TLineStepper {
    bool Running = false;
    TPoint Current;
    int32_t D = 0;
    int32_t IncStraight = 0;
    int32_t IncDiagonal = 0;
    int32_t DX = 0;
    int32_t DY = 0;
    TPoint Target;

    void Init(TPoint start, TPoint target);
    void Step();
};

}  // namespace tess
