// A named pipe for tests of readers that must refuse one instead of waiting for a writer.
#include "support/NamedPipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace tess::test {

NamedPipe::NamedPipe(std::string path) : path_(std::move(path)) {
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path());
    if (::mkfifo(path_.c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed: " + path_);
    releaser_ = std::thread([this] {
        std::unique_lock lock(mutex_);
        // A reader that does not wait is long done by then.
        if (stopped_.wait_for(lock, std::chrono::seconds(5), [this] { return stop_; })) return;
        while (!stop_) {
            // Succeeds only while a reader has the pipe open or waits in open().
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                released_ = true;
                ::close(fd);
            }
            stopped_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stop_; });
        }
    });
}

NamedPipe::~NamedPipe() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    stopped_.notify_all();
    releaser_.join();
    ::unlink(path_.c_str());
}

}  // namespace tess::test
