// The small manifest beside an autosaved recovery pair: which map it is, when it was saved, by
// which editor process, and whether the designer was already asked about it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tess {

// A manifest longer than this is not ours.
inline constexpr size_t kMaxRecoveryManifest = 64 * 1024;

struct RecoveryManifest {
    std::string MapName;  // the map file the designer works on ("" for a map never saved)
    int64_t SavedAt = 0;  // seconds since 1970 (UTC)
    int64_t Pid = 0;      // the editor process that saved it
    // The pair's files, plain names inside the recovery directory.
    std::string MapFile;
    std::string SavFile;
    // The designer was asked and chose neither: the files stay, the question does not come back.
    bool Offered = false;
    friend bool operator==(const RecoveryManifest&, const RecoveryManifest&) = default;
};

// The manifest as JSON text (the map name as bytes when it is not UTF-8).
std::string RecoveryManifestText(const RecoveryManifest& manifest);

// Reads a manifest; nothing (and why in `problem`) for bytes that are not a manifest of ours: too
// long, not JSON, missing or mistyped fields, or file names that are not plain ".map" / ".sav"
// names of the recovery directory.
std::optional<RecoveryManifest> ReadRecoveryManifest(std::span<const uint8_t> bytes,
                                                     std::string* problem = nullptr);

// Whether a name is one the recovery directory may hold: letters, digits, '-', '_' and one '.'
// before the given extension, nothing that leaves the directory.
bool IsPlainRecoveryName(const std::string& name, const std::string& extension);

}  // namespace tess
