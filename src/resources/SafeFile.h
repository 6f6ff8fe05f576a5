// Crash-safe file writing: a temporary file, flushed, renamed over the target; then the directory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tess {

// Writes a file so that the target is either the old file or the whole new one. Write() may be
// called any number of times; Commit() makes the new content the target and flushes the
// directory, so that a commit that returned survives a power cut. Destroying the writer
// without Commit() removes the temporary file and leaves the target untouched. Every failure
// raises IoError.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(const std::string& target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(const void* data, size_t count);
    void Write(std::span<const uint8_t> bytes) { Write(bytes.data(), bytes.size()); }
    void Commit();

    const std::string& TemporaryName() const { return tempName_; }

  private:
    void Flush();

    std::string target_;
    std::string tempName_;
    int fd_ = -1;
    std::string buffer_;
    bool committed_ = false;
};

// Writes a whole file crash-safely; raises IoError on failure (the old file stays).
void WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes);

}  // namespace tess
