// Which game directory a program works in, and entering it (current directory and archive).
#include "resources/GameDirectory.h"

#include <cstdlib>
#include <filesystem>

#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess {

namespace fs = std::filesystem;

std::string DemoGameDirectory() {
    if (const char* env = std::getenv("TESSARINE_DEMO_DIR"); env && *env) return env;
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const fs::path dir = exe.parent_path();
    for (const fs::path& candidate :
         {dir / ".." / "demo", dir / ".." / "share" / "tessarine" / "demo"}) {
        if (fs::exists(candidate / "zor.dat", error))
            return fs::canonical(candidate, error).string();
    }
    return {};
}

std::string ChooseGameDirectory(const std::string& given) {
    if (!given.empty()) return given;
    if (FileExistsOnDisk("zor.dat")) {
        std::error_code error;
        const fs::path current = fs::current_path(error);
        if (!error) return current.string();
    }
    return DemoGameDirectory();
}

void EnterGameDirectory(const std::string& dir) {
    std::error_code error;
    fs::current_path(dir, error);
    if (error) throw IoError("cannot enter game directory \"" + dir + "\": " + error.message());
    if (FileExistsOnDisk("zor.dat"))
        BigFile().Open("zor.dat");
    else
        BigFile().Close();
}

}  // namespace tess
