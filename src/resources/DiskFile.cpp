// Reading files from the disk: an open that never waits on a pipe, and whole-file reads with a
// limit.
#include "resources/DiskFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess {

DiskFile OpenDiskFile(const std::string& name) {
    // Non-blocking, so that opening a named pipe returns at once instead of waiting for a
    // writer; regular files read the same either way.
    FileDescriptor fd(::open(ResolveDiskPath(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) throw IoError("Cannot open file \"" + name + "\": " + std::strerror(errno));
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        throw IoError("Cannot open file \"" + name + "\": " + std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw IoError("Cannot open file \"" + name + "\": not a regular file");
    return {std::move(fd), static_cast<uint64_t>(st.st_size)};
}

std::string DiskEndOfFile(const std::string& name) {
    return "Read beyond end of file \"" + name + "\"";
}

std::string TooLargeText(const std::string& name, uint64_t size, uint64_t limit) {
    return "File too large \"" + name + "\": " + std::to_string(size) + " bytes, at most " +
           std::to_string(limit);
}

std::vector<uint8_t> ReadWholeDiskFile(const DiskFile& file, const std::string& name,
                                       uint64_t limit) {
    if (file.Size > limit) throw IoError(TooLargeText(name, file.Size, limit));
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size));
    const ssize_t n = ReadFullyAt(file.Fd.get(), bytes.data(), bytes.size(), 0);
    if (n < 0) throw IoError("Read error \"" + name + "\": " + std::strerror(errno));
    if (static_cast<size_t>(n) != bytes.size()) throw IoError(DiskEndOfFile(name));
    return bytes;
}

std::vector<uint8_t> ReadDiskFile(const std::string& name, uint64_t limit) {
    return ReadWholeDiskFile(OpenDiskFile(name), name, limit);
}

}  // namespace tess
