// tessarine-cli demo: writes the demo game directory, the start of a new game project.
#include <filesystem>

#include "DemoWriter.h"
#include "cli/Cli.h"

namespace tess::cli {

namespace {

namespace fs = std::filesystem;

int Demo(const Args& args) {
    args.Expect(0, 0, {"-o"});
    const std::string out = UserPath(args.Required("-o"));
    std::error_code error;
    if (fs::exists(out, error) && !fs::is_directory(out, error))
        throw InputError("\"" + out + "\" is not a directory");
    // Writing over someone's files needs their say; a demo written before is ours to replace.
    const bool empty = !fs::exists(out, error) || fs::is_empty(out, error);
    if (!empty && !demo::IsDemoGameDirectory(out) && !args.Flag("--force"))
        throw InputError("\"" + out +
                         "\" is not empty and holds no demo game; give --force to write into it");
    const demo::DemoWriteResult result = demo::WriteDemoGame(out);
    PrintJson({{"Directory", out},
               {"Archive",
                {{"File", demo::kArchiveName},
                 {"Members", result.archiveMembers},
                 {"Size", result.archiveBytes}}},
               {"DiskFiles", result.diskFiles},
               {"DiskSize", result.diskBytes}});
    return kOk;
}

const Registration demo({"demo", "", "demo -o DIR [--force]", {"--force"}, Demo});

}  // namespace

}  // namespace tess::cli
