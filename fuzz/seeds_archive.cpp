// Seeds for fuzz_archive: small archives built with the archive writer, and damaged variants.
#include "Seeds.h"
#include "writers/ArchiveWriter.h"

namespace tess::fuzz {

void WriteArchiveSeeds(const std::filesystem::path& corpus) {
    using writers::ArchiveMember;
    using writers::BuildArchive;
    const auto bytes = [](const std::string& s) {
        return std::vector<uint8_t>(s.begin(), s.end());
    };
    WriteSeed(corpus, "fuzz_archive", "empty", BuildArchive({}));
    WriteSeed(corpus, "fuzz_archive", "one", BuildArchive({{"DATA/TEREN.DAT", bytes("wall")}}));
    const std::vector<ArchiveMember> several = {
        {"DATA/OBJECTS.DBF", bytes("objects")},
        {"PICTURES/32X16/TERENY-/TRAVA0.DDS", std::vector<uint8_t>(200, 7)},
        {"\x8AKOLA.TXT", bytes("\x8A")},
        {"A", {}},
        {"AB", bytes("ab")},
        {"", bytes("no name")},
        {"maps/../maps/./x.map", bytes("dots")},
    };
    const std::vector<uint8_t> archive = BuildArchive(several);
    WriteSeed(corpus, "fuzz_archive", "several", archive);
    // Damaged: cut inside the directory, count too large, a member past the end (the rest of
    // that archive stays usable).
    WriteSeed(corpus, "fuzz_archive", "cut",
              std::vector<uint8_t>(archive.begin(), archive.end() - 5));
    std::vector<uint8_t> count = archive;
    count[0] = 0x40;
    WriteSeed(corpus, "fuzz_archive", "count", count);
    std::vector<uint8_t> past = archive;
    past[past.size() - 2] = 0x7F;
    WriteSeed(corpus, "fuzz_archive", "past", past);
}

}  // namespace tess::fuzz
