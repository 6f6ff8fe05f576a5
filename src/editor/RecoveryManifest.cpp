// The small manifest beside an autosaved recovery pair: which map it is, when it was saved, by
// which editor process, and whether the designer was already asked about it.
#include "editor/RecoveryManifest.h"

#include <nlohmann/json.hpp>

namespace tess {

namespace {

using nlohmann::json;

constexpr const char* kFormat = "tessarine-recovery";
constexpr int kVersion = 1;
constexpr size_t kMaxName = 4096;

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += digits[static_cast<uint8_t>(c) >> 4];
        out += digits[static_cast<uint8_t>(c) & 15];
    }
    return out;
}

std::optional<std::string> FromHex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    const auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = value(text[i]), low = value(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

std::optional<RecoveryManifest> Fail(std::string* problem, const std::string& why) {
    if (problem) *problem = why;
    return std::nullopt;
}

}  // namespace

bool IsPlainRecoveryName(const std::string& name, const std::string& extension) {
    if (name.size() <= extension.size() || name.size() > 255) return false;
    if (name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    const std::string stem = name.substr(0, name.size() - extension.size());
    for (const char c : stem) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

std::string RecoveryManifestText(const RecoveryManifest& m) {
    json doc = {{"format", kFormat},   {"version", kVersion},  {"savedAt", m.SavedAt},
                {"pid", m.Pid},        {"mapFile", m.MapFile}, {"savFile", m.SavFile},
                {"offered", m.Offered}};
    doc["map"] = m.MapName;
    try {
        return doc.dump(2) + "\n";
    } catch (const json::type_error&) {
        // A path that is no UTF-8 is kept byte for byte.
        doc.erase("map");
        doc["mapBytes"] = Hex(m.MapName);
        return doc.dump(2) + "\n";
    }
}

std::optional<RecoveryManifest> ReadRecoveryManifest(std::span<const uint8_t> bytes,
                                                     std::string* problem) {
    if (bytes.size() > kMaxRecoveryManifest)
        return Fail(problem, "the manifest is longer than " + std::to_string(kMaxRecoveryManifest) +
                                 " bytes");
    const json doc = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        return Fail(problem, "the manifest is no JSON object");
    const auto text = [&](const char* key) -> const json* {
        const auto found = doc.find(key);
        return found != doc.end() && found->is_string() ? &*found : nullptr;
    };
    const auto whole = [&](const char* key) -> std::optional<int64_t> {
        const auto found = doc.find(key);
        if (found == doc.end() || !found->is_number_integer()) return std::nullopt;
        if (found->is_number_unsigned() && found->get<uint64_t>() > uint64_t(INT64_MAX))
            return std::nullopt;
        return found->get<int64_t>();
    };
    const json* format = text("format");
    if (!format || *format != kFormat)
        return Fail(problem, "the manifest is not a recovery manifest");
    if (whole("version") != kVersion) return Fail(problem, "the manifest has another version");

    RecoveryManifest m;
    const std::optional<int64_t> savedAt = whole("savedAt");
    const std::optional<int64_t> pid = whole("pid");
    if (!savedAt || !pid) return Fail(problem, "the manifest lacks \"savedAt\" or \"pid\"");
    m.SavedAt = *savedAt;
    m.Pid = *pid;
    const json* mapFile = text("mapFile");
    const json* savFile = text("savFile");
    if (!mapFile || !savFile) return Fail(problem, "the manifest lacks \"mapFile\" or \"savFile\"");
    m.MapFile = mapFile->get<std::string>();
    m.SavFile = savFile->get<std::string>();
    // Zahodit deletes these: they must be files of the recovery directory itself.
    if (!IsPlainRecoveryName(m.MapFile, ".map") || !IsPlainRecoveryName(m.SavFile, ".sav"))
        return Fail(problem, "the manifest names files outside the recovery directory");
    if (const json* map = text("map")) {
        m.MapName = map->get<std::string>();
    } else if (const json* hex = text("mapBytes")) {
        const std::optional<std::string> name = FromHex(hex->get<std::string>());
        if (!name) return Fail(problem, "the manifest's \"mapBytes\" is no hex text");
        m.MapName = *name;
    } else {
        return Fail(problem, "the manifest names no map");
    }
    if (m.MapName.size() > kMaxName || m.MapName.find('\0') != std::string::npos)
        return Fail(problem, "the manifest's map name cannot be a file name");
    const auto offered = doc.find("offered");
    if (offered != doc.end()) {
        if (!offered->is_boolean())
            return Fail(problem, "the manifest's \"offered\" is no boolean");
        m.Offered = offered->get<bool>();
    }
    return m;
}

}  // namespace tess
