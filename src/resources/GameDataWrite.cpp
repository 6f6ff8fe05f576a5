// Writing game data back where it was read from: a disk file or an archive member, crash-safely.
#include "resources/GameDataWrite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/FileDescriptor.h"
#include "resources/SafeFile.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr size_t kCopyChunk = size_t(1) << 20;

// The existing, writable file a replacement goes to: symbolic links followed, so the link stays.
std::string WritableTarget(const std::string& name) {
    const std::string path = ResolveDiskPath(name);
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) throw IoError("Cannot write \"" + name + "\": " + std::strerror(errno));
    std::string target = real;
    std::free(real);
    struct stat st;
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw IoError("Cannot write \"" + name + "\": not a regular file");
    // The rename would replace a read-only file all the same; a read-only game stays untouched.
    if (::access(target.c_str(), W_OK) != 0)
        throw IoError("Cannot write \"" + name + "\": " + std::strerror(errno));
    return target;
}

// Bytes to put over the copied file at an offset.
struct Patch {
    uint64_t Offset = 0;
    std::span<const uint8_t> Bytes;
};

// Copies the open file into the writer, chunk by chunk, with the patches laid over the bytes
// they cover (patches lie inside the file).
void CopyWithPatches(int fd, uint64_t size, const std::vector<Patch>& patches,
                     AtomicFileWriter& out, const std::string& name) {
    std::vector<uint8_t> chunk(kCopyChunk);
    for (uint64_t at = 0; at < size;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyChunk, size - at));
        if (ReadFullyAt(fd, chunk.data(), want, at) != static_cast<ssize_t>(want))
            throw IoError("Cannot read \"" + name + "\": the file changed while it was copied");
        for (const Patch& p : patches) {
            const uint64_t from = std::max(at, p.Offset);
            const uint64_t to = std::min<uint64_t>(at + want, p.Offset + p.Bytes.size());
            if (from < to)
                std::memcpy(chunk.data() + (from - at), p.Bytes.data() + (from - p.Offset),
                            static_cast<size_t>(to - from));
        }
        out.Write(chunk.data(), want);
        at += want;
    }
}

// True when [offset, offset + size) holds bytes of something other than the member `entry`: the
// header, a directory entry or another member's data. Writing there would change them.
bool SharedByAnother(const TBigFile& archive, const TBigFileFileEntry& entry, uint64_t offset,
                     uint64_t size) {
    const auto overlaps = [&](uint64_t from, uint64_t length) {
        return length > 0 && from < offset + size && offset < from + length;
    };
    if (overlaps(0, 8)) return true;
    // Members set aside as damaged keep their directory entries and whatever of their data the
    // file holds: a repair tool may still want them.
    for (const auto* members : {&archive.Directory(), &archive.DamagedEntries()}) {
        for (const TBigFileFileEntry& other : *members) {
            if (overlaps(other.EntryPos, other.Name.size() + 9)) return true;
            if (other.EntryPos != entry.EntryPos && overlaps(other.Offset, other.Size)) return true;
        }
    }
    return false;
}

}  // namespace

void ReplaceDiskFile(const std::string& name, std::span<const uint8_t> bytes) {
    WriteFileAtomically(WritableTarget(name), bytes);
}

void ReplaceArchiveMember(TBigFile& archive, const std::string& name,
                          std::span<const uint8_t> bytes) {
    const TBigFileFileEntry* found = archive.FindEntry(name);
    if (found == nullptr)
        throw IoError("\"" + name + "\" is not in the archive \"" + archive.ArchiveName() + "\"");
    const TBigFileFileEntry entry = *found;
    const std::string archiveName = archive.ArchiveName();
    const std::string target = WritableTarget(archiveName);

    const DiskFile archiveFile = OpenDiskFile(target);
    const FileDescriptor& file = archiveFile.Fd;
    const uint64_t size = archiveFile.Size;

    // The directory entry must still say what it said when the archive was opened.
    const size_t nameLength = entry.Name.size();
    std::vector<uint8_t> stored(nameLength + 9);
    if (entry.EntryPos + stored.size() > size ||
        ReadFullyAt(file.get(), stored.data(), stored.size(), entry.EntryPos) !=
            static_cast<ssize_t>(stored.size()) ||
        stored[nameLength] != 0 ||
        AnsiUpperCase(std::string(stored.begin(), stored.begin() + long(nameLength))) !=
            entry.Name ||
        LeU32(&stored[nameLength + 1]) != entry.Offset ||
        LeU32(&stored[nameLength + 5]) != entry.Size)
        throw IoError("Cannot write \"" + archiveName +
                      "\": the archive changed since it was opened");

    const bool inPlace =
        bytes.size() <= entry.Size && !SharedByAnother(archive, entry, entry.Offset, entry.Size);
    const uint64_t newOffset = inPlace ? entry.Offset : size;
    if (newOffset + bytes.size() > UINT32_MAX)
        throw IoError("Cannot write \"" + archiveName + "\": the archive would exceed 4 GB");

    uint8_t fields[8];
    PutLeU32(fields, static_cast<uint32_t>(newOffset));
    PutLeU32(fields + 4, static_cast<uint32_t>(bytes.size()));
    std::vector<Patch> patches = {{entry.EntryPos + nameLength + 1, fields}};
    if (inPlace) patches.push_back({entry.Offset, bytes});

    AtomicFileWriter out(target);
    CopyWithPatches(file.get(), size, patches, out, archiveName);
    if (!inPlace) out.Write(bytes);
    out.Commit();
    archive.Open(archiveName);
}

}  // namespace tess
