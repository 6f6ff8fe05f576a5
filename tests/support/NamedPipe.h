// A named pipe for tests of readers that must refuse one instead of waiting for a writer.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace tess::test {

// Creates a named pipe at `path` (its directories too). A reader that waits on it is released
// after a few seconds by a helper that opens the write end, so that a test of a reader that
// blocks fails (ReleasedAReader() is true, and the reader sees an empty file) rather than
// hanging the test run. A reader that refuses the pipe at once never meets the helper.
class NamedPipe {
  public:
    explicit NamedPipe(std::string path);
    ~NamedPipe();
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const std::string& Path() const { return path_; }
    bool ReleasedAReader() const { return released_; }

  private:
    std::string path_;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::atomic<bool> released_{false};
    std::thread releaser_;
};

}  // namespace tess::test
