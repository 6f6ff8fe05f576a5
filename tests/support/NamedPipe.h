// A named pipe for tests of readers that must refuse one instead of waiting for a writer.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace tess::test {

// Creates a named pipe at `path` (its directories too). While it exists a helper keeps opening
// its write end for a moment, so that a reader stuck in open() is released and the test fails
// on what that reader did next, rather than hanging the test run.
class NamedPipe {
  public:
    explicit NamedPipe(std::string path);
    ~NamedPipe();
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread releaser_;
};

}  // namespace tess::test
