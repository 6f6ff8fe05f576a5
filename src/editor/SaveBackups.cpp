// The pair a save replaces, kept as "NAME.map.bak" and "NAME.sav.bak" (names the game never
// reads).
#include "editor/SaveBackups.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tess {

namespace fs = std::filesystem;

PairBackup::PairBackup(const std::string& mapPath, const std::string& savPath) {
    for (const std::string& path : {mapPath, savPath}) {
        File file{path + ".bak", path + ".bak.tmp-" + std::to_string(::getpid()), false};
        std::error_code error;
        file.Existed = fs::is_regular_file(path, error);
        if (file.Existed) {
            fs::remove(file.Temporary, error);
            // The save renames a new file over the old one: a link keeps the old one as it is.
            if (::link(path.c_str(), file.Temporary.c_str()) != 0) {
                fs::copy_file(path, file.Temporary, fs::copy_options::overwrite_existing, error);
                if (error) {
                    problem_ = error.message();
                    file.Existed = false;
                }
            }
        }
        files_.push_back(std::move(file));
    }
}

PairBackup::~PairBackup() {
    for (const File& file : files_)
        if (file.Existed) ::unlink(file.Temporary.c_str());
}

bool PairBackup::Commit() {
    // Half a pair kept is no backup: the ".bak" files stay as they were.
    if (!problem_.empty()) return false;
    bool ok = true;
    for (File& file : files_) {
        if (!file.Existed) {
            // A ".bak" of an earlier save would not match the other one.
            std::error_code error;
            fs::remove(file.Target, error);
            continue;
        }
        if (::rename(file.Temporary.c_str(), file.Target.c_str()) != 0) {
            ok = false;
            continue;
        }
        file.Existed = false;
    }
    return ok;
}

}  // namespace tess
