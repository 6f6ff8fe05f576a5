// tessarine-cli archive commands: list, extract, create.
#include <filesystem>

#include "cli/Cli.h"
#include "resources/BigFile.h"
#include "resources/SafeFile.h"
#include "resources/Utils.h"
#include "writers/ArchiveWriter.h"

namespace tess::cli {

namespace {

namespace fs = std::filesystem;

// Opens an archive of the user's; a missing or damaged one is bad input.
void OpenArchive(TBigFile& archive, const std::string& path) {
    try {
        archive.Open(path);
    } catch (const IoError& e) {
        throw InputError(e.what());
    }
}

int ArchiveList(const Args& args) {
    args.Expect(1, 1, {});
    TBigFile archive;
    OpenArchive(archive, UserPath(args.Positional(0, "FILE")));
    nlohmann::json entries = nlohmann::json::array();
    for (const TBigFileFileEntry& e : archive.Directory())
        entries.push_back({{"Name", Cp1250ToUtf8(e.Name)}, {"Offset", e.Offset}, {"Size", e.Size}});
    PrintJson(entries);
    return kOk;
}

int ArchiveExtract(const Args& args) {
    args.Expect(2, 2, {"-o"});
    TBigFile archive;
    OpenArchive(archive, UserPath(args.Positional(0, "FILE")));
    const std::string member = args.Positional(1, "MEMBER");
    const std::string out = UserPath(args.Required("-o"));
    // Only the archive: OpenFile alone would fall back to a disk file of that name.
    const TBigFileFileEntry* entry = archive.FindEntry(member);
    if (entry == nullptr && archive.FindDamagedEntry(member) != nullptr)
        throw InputError("the member \"" + member + "\" is damaged: its data lies past the end");
    if (entry == nullptr) throw InputError("the archive holds no member \"" + member + "\"");
    TBigFileStreamPtr stream;
    archive.OpenFile(stream, member);
    std::vector<uint8_t> data(entry->Size);
    TBigFile::ReadFile(stream.get(), data.data(), data.size());
    TBigFile::CloseFile(stream);
    WriteFileAtomically(out, data);
    PrintJson({{"Name", Cp1250ToUtf8(entry->Name)}, {"Size", entry->Size}, {"File", out}});
    return kOk;
}

int ArchiveCreate(const Args& args) {
    args.Expect(1, 1, {"-o"});
    const std::string dir = UserPath(args.Positional(0, "DIR"));
    const std::string out = UserPath(args.Required("-o"));
    std::error_code error;
    if (!fs::is_directory(dir, error)) throw InputError("not a directory \"" + dir + "\"");
    std::vector<writers::ArchiveMember> members = writers::CollectDirectory(dir);
    // An archive written into the directory it packs must not pack its own older self.
    const fs::path outPath = fs::weakly_canonical(out, error);
    const fs::path base = fs::canonical(dir, error);
    const std::string self = Utf8ToCp1250(outPath.lexically_relative(base).generic_string());
    std::erase_if(members, [&](const writers::ArchiveMember& m) { return m.name == self; });
    const std::vector<uint8_t> bytes = writers::BuildArchive(members);
    WriteFileAtomically(out, bytes);
    PrintJson({{"File", out}, {"Entries", members.size()}, {"Size", bytes.size()}});
    return kOk;
}

const Registration list({"archive", "list", "archive list FILE", {}, ArchiveList});
const Registration extract(
    {"archive", "extract", "archive extract FILE MEMBER -o OUT", {}, ArchiveExtract});
const Registration create({"archive", "create", "archive create DIR -o FILE", {}, ArchiveCreate});

}  // namespace

}  // namespace tess::cli
