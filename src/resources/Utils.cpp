// String, path and number routines shared by the whole program.
#include "resources/Utils.h"

#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tess {

namespace {

// Unicode code points of the CP1250 bytes 0x80..0xFF (undefined bytes map to themselves).
// clang-format off
constexpr std::array<uint16_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// The Czech case tables, matched by position (CP1250 bytes).
constexpr std::string_view kUpperCz =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD8\x8A\x8D\xDA\xD9\xDD\x8E";
constexpr std::string_view kLowerCz =
    "abcdefghijklmnopqrstuvwxyz\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF8\x9A\x9D\xFA\xF9\xFD\x9E";
static_assert(kUpperCz.size() == 40 && kLowerCz.size() == 40);

constexpr std::array<uint8_t, 256> MakeCzUpperTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < kLowerCz.size(); ++i)
        t[static_cast<uint8_t>(kLowerCz[i])] = static_cast<uint8_t>(kUpperCz[i]);
    return t;
}

constexpr std::array<uint8_t, 256> MakeAnsiUpperTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<uint8_t>(c - 32);
    const uint8_t pairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
                                {0x9F, 0x8F}, {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA},
                                {0xBE, 0xBC}, {0xBF, 0xAF}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) t[c] = static_cast<uint8_t>(c - 0x20);
    return t;
}

constexpr auto kCzUpper = MakeCzUpperTable();
constexpr auto kAnsiUpper = MakeAnsiUpperTable();

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when it is not valid UTF-8.
size_t DecodeUtf8(std::string_view s, size_t i, uint32_t& cp) {
    const auto b0 = static_cast<uint8_t>(s[i]);
    size_t len = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    return len;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::string Cp1250ToUtf8(std::string_view cp1250) {
    std::string out;
    out.reserve(cp1250.size());
    for (char c : cp1250) {
        const auto b = static_cast<uint8_t>(c);
        AppendUtf8(out, b < 0x80 ? b : kCp1250High[b - 0x80]);
    }
    return out;
}

std::string Utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out += utf8[i++];
            continue;
        }
        uint32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) {  // not UTF-8: already a CP1250 byte
            out += utf8[i++];
            continue;
        }
        char mapped = '?';
        for (size_t k = 0; k < kCp1250High.size(); ++k) {
            if (kCp1250High[k] == cp) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += mapped;
        i += len;
    }
    return out;
}

std::string UpperCaseCz(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(kCzUpper[static_cast<uint8_t>(c)]);
    return out;
}

char AnsiUpperChar(char c) {
    return static_cast<char>(kAnsiUpper[static_cast<uint8_t>(c)]);
}

std::string AnsiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AnsiUpperChar(c);
    return out;
}

std::string AllTrim(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string RightTrim(std::string_view s) {
    const size_t last = s.find_last_not_of(' ');
    if (last == std::string_view::npos) return {};
    return std::string(s.substr(0, last + 1));
}

std::string PadLeft(std::string_view s, int width, std::string_view pad) {
    std::string out(s);
    if (pad.empty()) return out;
    while (static_cast<int>(out.size()) < width)
        out.insert(0, pad);
    return out;
}

std::string PadRight(std::string_view s, int width, std::string_view pad) {
    std::string out(s);
    if (pad.empty()) return out;
    while (static_cast<int>(out.size()) < width)
        out.append(pad);
    return out;
}

std::string ReplaceChar(std::string_view s, char from, char to) {
    std::string out(s);
    for (char& c : out)
        if (c == from) c = to;
    return out;
}

std::string ReplaceText(std::string_view s, std::string_view find, std::string_view repl) {
    if (find.empty()) return std::string(s);
    std::string out;
    std::string pending;
    size_t k = 0;
    for (char c : s) {
        if (c == find[k]) {
            pending += c;
            if (++k == find.size()) {
                out += repl;
                pending.clear();
                k = 0;
            }
        } else {
            out += pending;
            out += c;
            pending.clear();
            k = 0;
        }
    }
    out += pending;
    return out;
}

std::string ExtractName(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return std::string(path.substr(i));
    return std::string(path);
}

std::string ExtractBaseName(std::string_view path) {
    std::string name = ExtractName(path);
    const size_t dot = name.find('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

std::string StripExt(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(name.substr(0, dot));
}

std::string ExtractDir(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return std::string(path.substr(0, i));
    return {};
}

std::string AddSlash(std::string_view path) {
    std::string out(path);
    if (out.empty() || !IsSeparator(out.back())) out += '\\';
    return out;
}

int32_t GetNumber(std::string_view s, int n) {
    int run = 0;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] < '0' || s[i] > '9') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        if (++run != n) continue;
        int64_t value = 0;
        for (size_t k = start; k < i; ++k) {
            value = value * 10 + (s[k] - '0');
            if (value > INT32_MAX)
                throw ConvertError("'" + std::string(s.substr(start, i - start)) +
                                   "' is not a valid integer value");
        }
        return static_cast<int32_t>(value);
    }
    return 0;
}

NumberFormat& UserNumberFormat() {
    static NumberFormat format;
    return format;
}

std::string FormatFixed2(double value) {
    // Numbers come from files too (a map's version), so NaN, infinities and huge values must
    // format without overflowing a buffer.
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char buffer[320];  // the largest double has 309 digits; sign, point and two decimals
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    const size_t dot = text.find('.');
    std::string whole = text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "00" : text.substr(dot + 1);
    const NumberFormat& format = UserNumberFormat();
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += format.group;
        grouped += whole[i];
    }
    return (negative ? "-" : "") + grouped + format.decimal + fraction;
}

namespace {

bool PathExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Compares two file-name segments without regard to letter case (ASCII and CP1250 letters).
bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() == b.size()) {
        bool same = true;
        for (size_t i = 0; i < a.size() && same; ++i)
            same = AnsiUpperChar(a[i]) == AnsiUpperChar(b[i]);
        if (same) return true;
    }
    return AnsiUpperCase(Utf8ToCp1250(a)) == AnsiUpperCase(Utf8ToCp1250(b));
}

}  // namespace

std::string ResolveDiskPath(const std::string& name) {
    const std::string path = ReplaceChar(name, '\\', '/');
    if (path.empty() || PathExists(path)) return path;

    std::string resolved;
    size_t pos = 0;
    if (path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(pos, end - pos);
        const bool last = end == path.size();
        std::string chosen = segment;
        if (!segment.empty() && segment != "." && segment != "..") {
            const std::string candidate = resolved + segment;
            if (!PathExists(candidate)) {
                const std::string dir = resolved.empty() ? "." : resolved;
                if (DIR* d = ::opendir(dir.c_str())) {
                    while (const dirent* entry = ::readdir(d)) {
                        const std::string entryName = entry->d_name;
                        if (SameNameIgnoringCase(entryName, segment)) {
                            chosen = entryName;
                            break;
                        }
                    }
                    ::closedir(d);
                }
            }
        }
        resolved += chosen;
        if (last) break;
        resolved += '/';
        pos = end + 1;
    }
    return resolved;
}

bool FileExistsOnDisk(const std::string& name) {
    if (name.empty()) return false;
    struct stat st;
    if (::stat(ResolveDiskPath(name).c_str(), &st) != 0) return false;
    return !S_ISDIR(st.st_mode);
}

void TLineStepper::Init(TPoint start, TPoint target) {
    Current = start;
    Target = target;
    Running = true;
    DX = std::abs(target.X - start.X);
    DY = std::abs(target.Y - start.Y);
    if (DX > DY) {
        IncStraight = 2 * DY;
        IncDiagonal = 2 * (DY - DX);
        D = 2 * DY - DX;
    } else {
        IncStraight = 2 * DX;
        IncDiagonal = 2 * (DX - DY);
        D = 2 * DX - DY;
    }
}

void TLineStepper::Step() {
    if (Current == Target) {
        Running = false;
        return;
    }
    const bool yMajor = DX <= DY;
    int32_t& major = yMajor ? Current.Y : Current.X;
    int32_t& minor = yMajor ? Current.X : Current.Y;
    const int32_t majorTarget = yMajor ? Target.Y : Target.X;
    const int32_t minorTarget = yMajor ? Target.X : Target.Y;
    major += major < majorTarget ? 1 : -1;
    if (D >= 0) {
        if (minor != minorTarget) minor += minor < minorTarget ? 1 : -1;
        D += IncDiagonal;
    } else {
        D += IncStraight;
    }
}

}  // namespace tess
