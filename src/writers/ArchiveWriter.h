// Builds "zor.dat" archives: the directory and the member data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess::writers {

struct ArchiveMember {
    std::string name;  // CP1250 bytes as stored, "/" separators
    std::vector<uint8_t> data;
};

// The largest directory entry (name, zero byte, offset, size) the archive reader takes.
constexpr size_t kArchiveEntryWindow = 1000;

// The archive bytes: 8-byte header, member data, then the directory (names with their zero
// byte, offset, size) in the given order. Raises IoError for what the reader could not take: a
// name over 991 bytes or with a zero byte, or more than 4 GB in all.
std::vector<uint8_t> BuildArchive(const std::vector<ArchiveMember>& members);

// Packs every regular file below dir, with names relative to dir and "/" separators (UTF-8 file
// names are stored in CP1250), sorted by name so the result is the same on every machine.
std::vector<ArchiveMember> CollectDirectory(const std::string& dir);

}  // namespace tess::writers
