// Builds "zor.dat" archives: the directory and the member data.
#include "writers/ArchiveWriter.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/Utils.h"

namespace tess::writers {

namespace fs = std::filesystem;

std::vector<uint8_t> BuildArchive(const std::vector<ArchiveMember>& members) {
    // What the reader takes: offsets and sizes in 32 bits, each entry within its 1000-byte
    // window, names ending at their zero byte.
    uint64_t total = 8;
    for (const ArchiveMember& m : members) {
        if (m.name.size() + 1 + 8 > kArchiveEntryWindow)
            throw IoError("archive member name too long (" + std::to_string(m.name.size()) +
                          " bytes): \"" + Cp1250ToUtf8(m.name.substr(0, 60)) + "...\"");
        if (m.name.find('\0') != std::string::npos)
            throw IoError("archive member name with a zero byte");
        total += m.data.size() + m.name.size() + 1 + 8;
    }
    if (total > UINT32_MAX) throw IoError("the archive would be larger than 4 GB");
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
        ArchiveMember member;
        member.name = Utf8ToCp1250(relative);
        // A member's size is a 32-bit field of the directory.
        member.data = ReadDiskFile(entry.path().string(), UINT32_MAX);
        members.push_back(std::move(member));
    }
    std::sort(members.begin(), members.end(),
              [](const ArchiveMember& a, const ArchiveMember& b) { return a.name < b.name; });
    return members;
}

}  // namespace tess::writers
