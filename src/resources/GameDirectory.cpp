// Which game directory a program works in, and entering it (current directory and archive).
#include "resources/GameDirectory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess {

namespace fs = std::filesystem;

namespace {

constexpr const char* kArchive = "zor.dat";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The demo beside the program: in the build tree, or installed under the prefix.
struct ShippedDemo {
    std::string Path;
    bool Installed = false;
};

ShippedDemo FindShippedDemo() {
    if (const std::string env = Environment("TESSARINE_DEMO_DIR"); !env.empty()) return {env};
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const fs::path dir = exe.parent_path();
    if (fs::exists(dir / ".." / "demo" / kArchive, error))
        return {fs::canonical(dir / ".." / "demo", error).string()};
    const fs::path installed = dir / ".." / "share" / "tessarine" / "demo";
    if (fs::exists(installed / kArchive, error))
        return {fs::canonical(installed, error).string(), true};
    return {};
}

void MakeOwnerWritable(const fs::path& root) {
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_symlink())
            fs::permissions(entry.path(),
                            entry.is_directory() ? fs::perms::owner_all
                                                 : fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add);
}

}  // namespace

std::string DemoGameDirectory() {
    return FindShippedDemo().Path;
}

std::string UserDemoDirectory() {
    fs::path data = Environment("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is invalid and ignored.
    if (data.empty() || data.is_relative()) {
        const std::string home = Environment("HOME");
        if (home.empty()) return {};
        data = fs::path(home) / ".local" / "share";
    }
    return (data / "Korvel Studio" / "Tessarine" / "demo").string();
}

void EnsureDemoCopy(const std::string& installed, const std::string& copy) {
    std::error_code error;
    if (fs::exists(fs::path(copy) / kArchive, error)) return;
    if (!fs::exists(fs::path(installed) / kArchive, error))
        throw IoError("no demo game in \"" + installed + "\"");
    const fs::path temporary = copy + ".partial-" + std::to_string(::getpid());
    try {
        fs::create_directories(fs::path(copy).parent_path());
        fs::remove_all(temporary);
        fs::copy(installed, temporary, fs::copy_options::recursive);
        MakeOwnerWritable(temporary);
        fs::rename(temporary, copy);
    } catch (const fs::filesystem_error& e) {
        fs::remove_all(temporary, error);
        // Another start of the program may have made the copy meanwhile.
        if (fs::exists(fs::path(copy) / kArchive, error)) return;
        throw IoError("cannot copy the demo game to \"" + copy + "\": " + e.code().message());
    }
}

std::string ChooseGameDirectory(const std::string& given, std::string* problem) {
    if (!given.empty()) return given;
    if (FileExistsOnDisk(kArchive)) {
        std::error_code error;
        const fs::path current = fs::current_path(error);
        if (!error) return current.string();
    }
    const ShippedDemo demo = FindShippedDemo();
    if (!demo.Installed) return demo.Path;
    const std::string copy = UserDemoDirectory();
    try {
        if (copy.empty()) throw IoError("no HOME to keep a copy of the demo game in");
        EnsureDemoCopy(demo.Path, copy);
        return copy;
    } catch (const IoError& e) {
        if (problem) *problem = e.what();
        return demo.Path;
    }
}

void EnterGameDirectory(const std::string& dir) {
    std::error_code error;
    fs::current_path(dir, error);
    if (error) throw IoError("cannot enter game directory \"" + dir + "\": " + error.message());
    if (FileExistsOnDisk(kArchive))
        BigFile().Open(kArchive);
    else
        BigFile().Close();
}

}  // namespace tess
