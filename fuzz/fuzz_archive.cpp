// Fuzz target: the archive directory reader, lookups and member reads.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "MemoryFile.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InstallSilentUi();
    static fuzz::MemoryFile file;
    TBigFile archive;
    try {
        archive.Open(file.Hold(data, size));
    } catch (const IoError&) {
        Require(archive.Directory().empty());
        return 0;
    }
    const auto& directory = archive.Directory();
    Require(directory.size() <= size / 9);
    for (size_t i = 0; i < directory.size(); ++i) {
        const TBigFileFileEntry& entry = directory[i];
        // Descending byte order, and every member inside the file.
        if (i > 0) Require(!(directory[i - 1].Name < entry.Name));
        Require(uint64_t(entry.Offset) + entry.Size <= size);
        // A name already in its lookup form is found again (or a namesake of it).
        const std::string utf8 = Cp1250ToUtf8(entry.Name);
        const TBigFileFileEntry* found = archive.FindEntry(utf8);
        if (TBigFile::LookupKey(utf8) == entry.Name) Require(found != nullptr);
        // Only members: a name that is not found would open a disk file of that name.
        if (found == nullptr) continue;
        Require(found->Name == TBigFile::LookupKey(utf8));
        TBigFileStreamPtr stream;
        archive.OpenFile(stream, utf8);
        std::vector<uint8_t> bytes(found->Size + size_t{1});
        if (found->Size > 0) TBigFile::ReadFile(stream.get(), bytes.data(), found->Size);
        Require(std::equal(bytes.begin(), bytes.begin() + found->Size, data + found->Offset));
        bool endOfFile = false;
        try {
            TBigFile::ReadFile(stream.get(), bytes.data(), 1);
        } catch (const IoError&) {
            endOfFile = true;
        }
        Require(endOfFile);
        TBigFile::CloseFile(stream);
    }
    // Members past the end are kept aside, never found, and their lookup goes to the disk.
    for (const TBigFileFileEntry& entry : archive.DamagedEntries()) {
        Require(uint64_t(entry.Offset) + entry.Size > size);
        const std::string utf8 = Cp1250ToUtf8(entry.Name);
        if (TBigFile::LookupKey(utf8) != entry.Name) continue;
        Require(archive.FindDamagedEntry(utf8) != nullptr);
        const TBigFileFileEntry* found = archive.FindEntry(utf8);
        Require(found == nullptr || uint64_t(found->Offset) + found->Size <= size);
    }
    Require(archive.Directory().size() + archive.DamagedEntries().size() <= size / 9);
    // Lookups that walk the whole directory.
    for (const char* name : {"", ".", "..", "DATA/TEREN.DAT", "data\\..\\x", "\xC5\xA0KOLA"})
        (void)archive.FindEntry(name);
    return 0;
}
