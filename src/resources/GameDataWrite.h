// Writing game data back where it was read from: a disk file or an archive member, crash-safely.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tess {

class TBigFile;

// Replaces an existing disk file (a game-data name: either separator, any letter case) with new
// bytes through a temporary file and a rename; a symbolic link keeps pointing at the file it
// names, which is the one replaced. Raises IoError (the file stays as it was) when the file does
// not exist, is read-only or cannot be written.
void ReplaceDiskFile(const std::string& name, std::span<const uint8_t> bytes);

// Replaces the data of the archive member that `name` finds. The archive file is rewritten
// crash-safely with every other byte as it was: the new data goes where the old data lay when it
// fits there and no other member shares those bytes, else after the end of the file, and only the
// member's directory entry (offset, size) changes. The archive is opened again afterwards, so
// later reads see the new data. Raises IoError, with the archive file unchanged, when the name is
// not in the archive, the archive file changed since it was opened, is read-only, or would grow
// past 4 GB.
void ReplaceArchiveMember(TBigFile& archive, const std::string& name,
                          std::span<const uint8_t> bytes);

}  // namespace tess
