// Temporary directories and files for tests, removed when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tess::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& relative) const { return (path_ / relative).string(); }

    // Writes a file (creating its directories) and returns its full path.
    std::string Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    std::string Write(const std::string& relative, const std::string& text) const;

  private:
    std::filesystem::path path_;
};

// Makes a directory the current one for the guard's lifetime (the game directory rule).
class ScopedCurrentDir {
  public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

  private:
    std::filesystem::path previous_;
};

std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace tess::test
