// Crash-safe file writing: a temporary file, flushed, renamed over the target; then the directory.
#include "resources/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "resources/BigFile.h"

namespace tess {

namespace {

constexpr size_t kBufferSize = 1 << 20;

std::string Failure(const std::string& what, const std::string& name) {
    return what + " \"" + name + "\": " + std::strerror(errno);
}

void WriteAll(int fd, const char* data, size_t count, const std::string& name) {
    while (count > 0) {
        const ssize_t n = ::write(fd, data, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw IoError(Failure("Cannot write", name));
        }
        data += n;
        count -= static_cast<size_t>(n);
    }
}

// The rename lives in the directory: until the directory is on the disk, a power cut can bring
// back the old file (or none) although the save was reported as done.
void SyncDirectoryOf(const std::string& target) {
    const std::filesystem::path parent = std::filesystem::path(target).parent_path();
    const std::string dir = parent.empty() ? "." : parent.string();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw IoError(Failure("Cannot flush the directory of", target));
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot flush a directory at all; there is nothing more to do there.
    if (result != 0 && error != EINVAL && error != ENOTSUP) {
        errno = error;
        throw IoError(Failure("Cannot flush the directory of", target));
    }
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::string& target) : target_(target) {
    tempName_ = target + ".tmp-XXXXXX";
    fd_ = ::mkstemp(tempName_.data());
    if (fd_ < 0) throw IoError(Failure("Cannot create", target));
    // Keep the permissions a new file would get rather than mkstemp's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st;
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask);
    ::fchmod(fd_, mode);
    buffer_.reserve(kBufferSize);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(tempName_.c_str());
}

void AtomicFileWriter::Write(const void* data, size_t count) {
    if (fd_ < 0) throw IoError("Cannot write \"" + target_ + "\": the file is closed");
    const char* bytes = static_cast<const char*>(data);
    if (buffer_.size() + count > kBufferSize) Flush();
    if (count >= kBufferSize) {
        WriteAll(fd_, bytes, count, target_);
        return;
    }
    buffer_.append(bytes, count);
}

void AtomicFileWriter::Flush() {
    WriteAll(fd_, buffer_.data(), buffer_.size(), target_);
    buffer_.clear();
}

void AtomicFileWriter::Commit() {
    if (fd_ < 0) throw IoError("Cannot write \"" + target_ + "\": the file is closed");
    Flush();
    if (::fsync(fd_) != 0) throw IoError(Failure("Cannot flush", target_));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw IoError(Failure("Cannot close", target_));
    if (::rename(tempName_.c_str(), target_.c_str()) != 0)
        throw IoError(Failure("Cannot replace", target_));
    committed_ = true;
    SyncDirectoryOf(target_);
}

void WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes) {
    AtomicFileWriter writer(target);
    writer.Write(bytes);
    writer.Commit();
}

}  // namespace tess
