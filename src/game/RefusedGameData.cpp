// A game-data file refused when its map opened, kept as "NAME.sav.damaged" by the first save.
#include "game/RefusedGameData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "resources/BigFile.h"
#include "resources/DiskFile.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// Far more kept copies of one file than anybody makes by hand.
constexpr int kMaxCopies = 1000;
// A refused file is kept whole only up to this size; a game-data file is at most about 1.5 MB.
constexpr uint64_t kLargestKeptFile = uint64_t(256) << 20;

std::string CopyName(const std::string& path, int number) {
    return path + ".damaged" + (number == 1 ? "" : "." + std::to_string(number));
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Writes the bytes as a new file; false (errno EEXIST) when the name is taken meanwhile.
bool WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw IoError("Cannot create \"" + path + "\": " + std::strerror(errno));
    }
    FileDescriptor file(fd);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw IoError("Cannot write \"" + path + "\": " + std::strerror(errno));
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) throw IoError("Cannot flush \"" + path + "\": " + std::strerror(errno));
    return true;
}

}  // namespace

std::string DamagedCopyName(const std::string& path) {
    const std::string resolved = ResolveDiskPath(path);
    for (int number = 1; number <= kMaxCopies; ++number)
        if (!Exists(CopyName(resolved, number))) return CopyName(resolved, number);
    return CopyName(resolved, kMaxCopies + 1);
}

std::string KeepDamagedCopy(const std::string& path) {
    const std::string resolved = ResolveDiskPath(path);
    if (!Exists(resolved)) return {};
    // A copy rather than a link, so that nothing written to the game-data file later (by any
    // program) reaches the kept one; O_EXCL never replaces a file that is already there.
    const std::vector<uint8_t> bytes = ReadDiskFile(resolved, kLargestKeptFile);
    for (int number = 1; number <= kMaxCopies; ++number) {
        const std::string name = CopyName(resolved, number);
        if (WriteNewFile(name, bytes)) return name;
    }
    throw IoError("Cannot keep \"" + path + "\": every name up to " +
                  CopyName(resolved, kMaxCopies) + " is taken");
}

}  // namespace tess
