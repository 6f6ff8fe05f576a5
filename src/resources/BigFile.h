// The game archive ("zor.dat") with the disk as fallback: lookup and member/disk streams.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tess {

// An input/output failure raised to the caller (missing file, short read, damaged archive).
class IoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TBigFileFileEntry {
    std::string Name;  // CP1250, upper-cased, "/" separators
    uint32_t Size = 0;
    uint32_t Offset = 0;
    uint64_t EntryPos = 0;  // where the directory entry (its name) starts in the archive file
};

// A file opened for reading: an archive member or a disk file. Close, Read, Seek, Size.
class TBigFileStream {
  public:
    virtual ~TBigFileStream() = default;
    virtual void Close() = 0;
    // Reads exactly count bytes or raises IoError (after delivering what was available).
    virtual void Read(void* buffer, size_t count) = 0;
    virtual void Seek(int64_t position) = 0;
    virtual int64_t Size() = 0;
};

using TBigFileStreamPtr = std::unique_ptr<TBigFileStream>;

class TBigFile {
  public:
    TBigFile();
    ~TBigFile();
    TBigFile(const TBigFile&) = delete;
    TBigFile& operator=(const TBigFile&) = delete;

    // Loads the directory of the archive (UTF-8 path). A missing or unreadable archive, or one
    // whose directory is damaged, raises IoError and leaves the archive empty. A member whose
    // data lies past the end of the file is kept aside: its lookup falls to the disk, and the
    // first attempt to read it reports the damage; the other members stay usable.
    void Open(const std::string& name);
    // Forgets the archive: every lookup goes to the disk.
    void Close();

    // Looks a name up (either separator, any case, "." and ".." segments); nullptr if absent.
    const TBigFileFileEntry* FindEntry(const std::string& name) const;
    // The member if the archive has it, else the disk file (resolved with either separator and
    // any letter case). A missing disk file raises IoError. Always returns true.
    bool OpenFile(TBigFileStreamPtr& stream, const std::string& name) const;
    bool FileExists(const std::string& name) const;

    // The stream operations; a null stream does nothing (FileSize gives 0).
    static void ReadFile(TBigFileStream* stream, void* buffer, size_t count);
    static void SeekFile(TBigFileStream* stream, int64_t position);
    static int32_t FileSize(TBigFileStream* stream);
    static void CloseFile(TBigFileStreamPtr& stream);

    // The whole content of a file found as OpenFile finds it, at most `limit` bytes; raises
    // IoError with the messages of ReadDiskFile (an archive member too large or cut off raises
    // "File too large" or "End of file").
    std::vector<uint8_t> ReadWholeFile(const std::string& name,
                                       uint64_t limit = kWholeFileLimit) const;
    // What a read past the end of the file of that name raises: "End of file" for an archive
    // member, the disk's end-of-file error otherwise.
    std::string EndOfFileText(const std::string& name) const;

    // The limit of a whole-file read that names none: far above any file of the game's data.
    static constexpr uint64_t kWholeFileLimit = uint64_t(256) << 20;

    const std::vector<TBigFileFileEntry>& Directory() const { return directory_; }
    // The members kept aside because their data lies past the end of the archive.
    const std::vector<TBigFileFileEntry>& DamagedEntries() const { return damaged_; }
    // The damaged member of that name, or nullptr (the lookup rules of FindEntry).
    const TBigFileFileEntry* FindDamagedEntry(const std::string& name) const;
    const std::string& ArchiveName() const { return archiveName_; }

    // The lookup key of a name: separators unified, "." and ".." resolved, upper-cased CP1250.
    static std::string LookupKey(const std::string& name);

  private:
    // Shows the damage of a member that was asked for, once per member.
    void ReportDamagedMember(const std::string& name) const;

    std::shared_ptr<struct ArchiveHandle> file_;
    std::string archiveName_;
    std::vector<TBigFileFileEntry> directory_;
    std::vector<TBigFileFileEntry> damaged_;
    mutable std::set<std::string> reportedDamage_;
};

// The program-wide archive. Start-up opens it on "zor.dat" in the game directory.
TBigFile& BigFile();

}  // namespace tess
