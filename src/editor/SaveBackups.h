// The pair a save replaces, kept as "NAME.map.bak" and "NAME.sav.bak" (names the game never
// reads).
#pragma once

#include <string>
#include <vector>

namespace tess {

// Made before a save: the files as they are now are kept under temporary names beside them (a
// hard link, a copy where the file system has none). Commit, once the save has succeeded, makes
// them the ".bak" files; without it they go and the ".bak" files stay as they were. A file that
// did not exist leaves no ".bak" of its own, so the two never belong to different saves.
class PairBackup {
  public:
    PairBackup(const std::string& mapPath, const std::string& savPath);
    ~PairBackup();
    PairBackup(const PairBackup&) = delete;
    PairBackup& operator=(const PairBackup&) = delete;

    // False when a file could not be kept or put in place (the save itself stands).
    bool Commit();
    bool Kept() const { return problem_.empty(); }

  private:
    struct File {
        std::string Target;  // NAME.map.bak
        std::string Temporary;
        bool Existed = false;
    };
    std::vector<File> files_;
    std::string problem_;
};

}  // namespace tess
