// The game archive ("zor.dat") with the disk as fallback: lookup and member/disk streams.
#include "resources/BigFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "resources/Bytes.h"
#include "resources/DiskFile.h"
#include "resources/FileDescriptor.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

// The open archive file, shared by the archive object and its member streams.
struct ArchiveHandle {
    int fd = -1;
    uint64_t size = 0;
    ArchiveHandle() = default;
    ArchiveHandle(const ArchiveHandle&) = delete;
    ArchiveHandle& operator=(const ArchiveHandle&) = delete;
    ~ArchiveHandle() {
        if (fd >= 0) ::close(fd);
    }
};

namespace {

constexpr size_t kEntryWindow = 1000;
// What a read past the end of an archive member raises.
constexpr char kMemberEndOfFile[] = "End of file";

// Reads up to count bytes at offset; returns how many were read.
size_t ReadAt(int fd, void* buffer, size_t count, uint64_t offset) {
    const ssize_t n = ReadFullyAt(fd, buffer, count, offset);
    if (n < 0) throw IoError(std::string("Read error: ") + std::strerror(errno));
    return static_cast<size_t>(n);
}

// Byte-wise order; a prefix is smaller than the longer name.
bool ByteLess(const std::string& a, const std::string& b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c != 0 ? c < 0 : a.size() < b.size();
}

// Resolves "." and ".." segments of a "\"-separated path.
std::string Canonicalize(const std::string& path) {
    std::vector<std::string> segments;
    size_t pos = 0;
    while (true) {
        const size_t end = path.find('\\', pos);
        std::string segment =
            path.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (segment != ".") {
            segments.push_back(std::move(segment));
        }
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    std::string out;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) out += '\\';
        out += segments[i];
    }
    return out;
}

class MemberStream final : public TBigFileStream {
  public:
    MemberStream(std::shared_ptr<ArchiveHandle> file, TBigFileFileEntry entry)
        : file_(std::move(file)), entry_(std::move(entry)) {}

    void Close() override {}

    // Every read seeks first, so any number of member streams share the one archive file. A
    // position before the start or past the end delivers nothing.
    void Read(void* buffer, size_t count) override {
        size_t n = 0;
        if (position_ >= 0 && static_cast<uint64_t>(position_) < entry_.Size) {
            const uint64_t available = entry_.Size - static_cast<uint64_t>(position_);
            n = count > available ? static_cast<size_t>(available) : count;
        }
        const size_t got =
            n == 0 ? 0
                   : ReadAt(file_->fd, buffer, n, entry_.Offset + static_cast<uint64_t>(position_));
        position_ += static_cast<int64_t>(got);
        if (got != count) throw IoError(kMemberEndOfFile);
    }

    void Seek(int64_t position) override { position_ = position; }
    int64_t Size() override { return entry_.Size; }

  private:
    std::shared_ptr<ArchiveHandle> file_;
    TBigFileFileEntry entry_;
    int64_t position_ = 0;
};

class DiskStream final : public TBigFileStream {
  public:
    DiskStream(DiskFile file, std::string name) : fd_(file.Fd.release()), name_(std::move(name)) {}
    ~DiskStream() override { Close(); }

    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    void Read(void* buffer, size_t count) override {
        if (fd_ < 0) throw IoError("File not open \"" + name_ + "\"");
        auto* out = static_cast<uint8_t*>(buffer);
        size_t done = 0;
        while (done < count) {
            const ssize_t n = ::read(fd_, out + done, count - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw IoError("Read error \"" + name_ + "\": " + std::strerror(errno));
            }
            if (n == 0) throw IoError(DiskEndOfFile(name_));
            done += static_cast<size_t>(n);
        }
    }

    void Seek(int64_t position) override {
        if (fd_ < 0) throw IoError("File not open \"" + name_ + "\"");
        if (position < 0 || ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0)
            throw IoError("Seek error \"" + name_ + "\"");
    }

    int64_t Size() override {
        struct stat st;
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
        return st.st_size;
    }

  private:
    int fd_;
    std::string name_;
};

}  // namespace

TBigFile::TBigFile() = default;
TBigFile::~TBigFile() = default;

void TBigFile::Close() {
    file_.reset();
    directory_.clear();
    damaged_.clear();
    reportedDamage_.clear();
    archiveName_.clear();
}

void TBigFile::Open(const std::string& name) {
    Close();
    auto file = std::make_shared<ArchiveHandle>();
    // Read-only: the archive is never written, and game data installed read-only must load.
    DiskFile disk = OpenDiskFile(name);
    file->size = disk.Size;
    file->fd = disk.Fd.release();

    const auto damaged = [&name](const std::string& why) {
        return IoError("Damaged archive \"" + name + "\": " + why);
    };
    uint8_t header[8];
    if (ReadAt(file->fd, header, sizeof header, 0) != sizeof header)
        throw damaged("shorter than its 8-byte header");
    const uint32_t count = LeU32(header);
    const uint64_t directoryOffset = LeU32(header + 4);
    if (count > 0 && directoryOffset >= file->size)
        throw damaged("the directory starts past the end of the file");
    // The smallest entry is an empty name: its zero byte and 8 bytes.
    if (count > (file->size - std::min(file->size, directoryOffset)) / 9)
        throw damaged("the entry count does not fit the file");

    std::vector<TBigFileFileEntry> entries, outOfBounds;
    entries.reserve(count);
    uint64_t p = directoryOffset;
    uint8_t window[kEntryWindow];
    for (uint32_t i = 0; i < count; ++i) {
        const size_t got = p < file->size ? ReadAt(file->fd, window, kEntryWindow, p) : 0;
        const auto* zero = static_cast<const uint8_t*>(std::memchr(window, 0, got));
        if (zero == nullptr) throw damaged("entry " + std::to_string(i + 1) + " has no name end");
        const size_t nameLength = static_cast<size_t>(zero - window);
        if (nameLength + 1 + 8 > got)
            throw damaged("entry " + std::to_string(i + 1) + " is cut off");
        TBigFileFileEntry entry;
        entry.Name = AnsiUpperCase(std::string(reinterpret_cast<const char*>(window), nameLength));
        entry.Offset = LeU32(window + nameLength + 1);
        entry.Size = LeU32(window + nameLength + 5);
        entry.EntryPos = p;
        // One member out of bounds does not spoil the others; it fails when it is asked for.
        if (uint64_t(entry.Offset) + entry.Size > file->size)
            outOfBounds.push_back(std::move(entry));
        else
            entries.push_back(std::move(entry));
        p += nameLength + 1 + 8;
    }
    const auto descending = [](const TBigFileFileEntry& a, const TBigFileFileEntry& b) {
        return ByteLess(b.Name, a.Name);
    };
    std::sort(entries.begin(), entries.end(), descending);
    std::sort(outOfBounds.begin(), outOfBounds.end(), descending);
    file_ = std::move(file);
    directory_ = std::move(entries);
    damaged_ = std::move(outOfBounds);
    archiveName_ = name;
}

std::string TBigFile::LookupKey(const std::string& name) {
    std::string key = ReplaceChar(Utf8ToCp1250(name), '/', '\\');
    key = Canonicalize(key);
    key = ReplaceChar(key, '\\', '/');
    return AnsiUpperCase(key);
}

namespace {

// Search by halving over a directory sorted in descending byte-wise order.
const TBigFileFileEntry* FindByKey(const std::vector<TBigFileFileEntry>& directory,
                                   const std::string& key) {
    int64_t lo = 0;
    int64_t hi = static_cast<int64_t>(directory.size()) - 1;
    while (lo <= hi) {
        const int64_t mid = (lo + hi) / 2;
        const std::string& entryName = directory[static_cast<size_t>(mid)].Name;
        if (entryName == key) return &directory[static_cast<size_t>(mid)];
        if (ByteLess(entryName, key))
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return nullptr;
}

}  // namespace

const TBigFileFileEntry* TBigFile::FindEntry(const std::string& name) const {
    if (directory_.empty()) return nullptr;
    return FindByKey(directory_, LookupKey(name));
}

const TBigFileFileEntry* TBigFile::FindDamagedEntry(const std::string& name) const {
    if (damaged_.empty()) return nullptr;
    return FindByKey(damaged_, LookupKey(name));
}

void TBigFile::ReportDamagedMember(const std::string& name) const {
    const TBigFileFileEntry* entry = FindDamagedEntry(name);
    if (!entry || !reportedDamage_.insert(entry->Name).second) return;
    ErrorBox("Archiv \"" + archiveName_ + "\" je poškozený: data položky \"" +
             Cp1250ToUtf8(entry->Name) + "\" leží za koncem souboru. Místo ní se čte soubor \"" +
             name + "\" z disku.");
}

bool TBigFile::OpenFile(TBigFileStreamPtr& stream, const std::string& name) const {
    stream.reset();
    if (const TBigFileFileEntry* entry = FindEntry(name)) {
        stream = std::make_unique<MemberStream>(file_, *entry);
        return true;
    }
    ReportDamagedMember(name);
    // Read-only, so read-only game data opens (the archive's read-write mode is not needed).
    stream = std::make_unique<DiskStream>(OpenDiskFile(name), name);
    return true;
}

bool TBigFile::FileExists(const std::string& name) const {
    return FindEntry(name) != nullptr || FileExistsOnDisk(name);
}

void TBigFile::ReadFile(TBigFileStream* stream, void* buffer, size_t count) {
    if (stream) stream->Read(buffer, count);
}

void TBigFile::SeekFile(TBigFileStream* stream, int64_t position) {
    if (stream) stream->Seek(position);
}

int32_t TBigFile::FileSize(TBigFileStream* stream) {
    if (!stream) return 0;
    const int64_t size = stream->Size();
    return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
}

void TBigFile::CloseFile(TBigFileStreamPtr& stream) {
    if (!stream) return;
    stream->Close();
    stream.reset();
}

std::vector<uint8_t> TBigFile::ReadWholeFile(const std::string& name, uint64_t limit) const {
    const TBigFileFileEntry* entry = FindEntry(name);
    if (!entry) {
        ReportDamagedMember(name);
        return ReadDiskFile(name, limit);
    }
    if (entry->Size > limit) throw IoError(TooLargeText(name, entry->Size, limit));
    std::vector<uint8_t> data(entry->Size);
    MemberStream(file_, *entry).Read(data.data(), data.size());
    return data;
}

std::string TBigFile::EndOfFileText(const std::string& name) const {
    return FindEntry(name) ? std::string(kMemberEndOfFile) : DiskEndOfFile(name);
}

TBigFile& BigFile() {
    static TBigFile archive;
    return archive;
}

}  // namespace tess
