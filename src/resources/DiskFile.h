// Reading files from the disk: an open that never waits on a pipe, and whole-file reads with a
// limit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/FileDescriptor.h"

namespace tess {

// A regular file opened for reading, with its size when it was opened.
struct DiskFile {
    FileDescriptor Fd;
    uint64_t Size = 0;
};

// Opens a disk file for reading; the name may use "\" and any letter case (ResolveDiskPath).
// Only a regular file is opened: a named pipe, a device or a directory is refused at once,
// without waiting for a writer. Raises IoError("Cannot open file \"NAME\": why").
DiskFile OpenDiskFile(const std::string& name);

// The text of the IoError a read past the end of a disk file raises.
std::string DiskEndOfFile(const std::string& name);

// Every reader of outside data takes a whole file through this or TBigFile::ReadWholeFile, so
// all of them refuse the same things with the same messages. Raises IoError:
//   "Cannot open file \"NAME\": why"              missing, unreadable or not a regular file
//   "File too large \"NAME\": N bytes, at most M" the limit is checked before anything is read
//   "Read error \"NAME\": why"                    the disk failed
//   DiskEndOfFile(NAME)                           the file shrank while it was read
std::vector<uint8_t> ReadDiskFile(const std::string& name, uint64_t limit);

// Reads a whole file that is already open (its size as found at open).
std::vector<uint8_t> ReadWholeDiskFile(const DiskFile& file, const std::string& name,
                                       uint64_t limit);

// The "File too large" error of a file above its limit.
std::string TooLargeText(const std::string& name, uint64_t size, uint64_t limit);

}  // namespace tess
