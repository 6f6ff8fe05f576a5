// Builds "zor.dat" archives: the directory and the member data.
#include "writers/ArchiveWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/Utils.h"

namespace tess::writers {

namespace fs = std::filesystem;

std::vector<uint8_t> BuildArchive(const std::vector<ArchiveMember>& members) {
    ByteWriter out;
    out.U32(static_cast<uint32_t>(members.size()));
    out.U32(0);  // directory offset, patched below
    std::vector<uint32_t> offsets;
    for (const ArchiveMember& m : members) {
        offsets.push_back(static_cast<uint32_t>(out.Size()));
        out.Bytes(m.data.data(), m.data.size());
    }
    out.PatchU32(4, static_cast<uint32_t>(out.Size()));
    for (size_t i = 0; i < members.size(); ++i) {
        out.Bytes(members[i].name.data(), members[i].name.size());
        out.U8(0);
        out.U32(offsets[i]);
        out.U32(static_cast<uint32_t>(members[i].data.size()));
    }
    return std::move(out.Data());
}

std::vector<ArchiveMember> CollectDirectory(const std::string& dir) {
    std::vector<ArchiveMember> members;
    std::error_code error;
    if (!fs::is_directory(dir, error)) throw IoError("not a directory \"" + dir + "\"");
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = entry.path().lexically_relative(dir).generic_string();
        std::ifstream in(entry.path(), std::ios::binary);
        if (!in) throw IoError("cannot read \"" + entry.path().string() + "\"");
        ArchiveMember member;
        member.name = Utf8ToCp1250(relative);
        member.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        members.push_back(std::move(member));
    }
    std::sort(members.begin(), members.end(),
              [](const ArchiveMember& a, const ArchiveMember& b) { return a.name < b.name; });
    return members;
}

}  // namespace tess::writers
