// Fuzz target: the recovery manifest reader, alone and as start-up finds manifests in the
// recovery directory.
//
// The input is a manifest's bytes. A manifest that is refused must say why; one that is read
// must write back to the same manifest and name only plain files of the recovery directory. The
// input is then put in a temporary recovery directory as a session's manifest (beside a pair for
// it to name): whatever the start-up offers must lie in that directory.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "editor/RecoveryManifest.h"
#include "editor/RecoveryStore.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

struct Directory {
    std::filesystem::path path;
    Directory() {
        path = std::filesystem::temp_directory_path() /
               ("fuzz-recovery-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        for (const char* name : {"session-1-a.map", "session-1-a.sav"})
            std::ofstream(path / name) << "x";
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Directory* const dir = [] {
        InstallSilentUi();
        return new Directory();
    }();
    const std::span<const uint8_t> bytes(data, size);
    std::string problem;
    const std::optional<RecoveryManifest> manifest = ReadRecoveryManifest(bytes, &problem);
    if (!manifest) {
        Require(!problem.empty());
    } else {
        Require(IsPlainRecoveryName(manifest->MapFile, ".map"));
        Require(IsPlainRecoveryName(manifest->SavFile, ".sav"));
        const std::string text = RecoveryManifestText(*manifest);
        const std::span<const uint8_t> again(reinterpret_cast<const uint8_t*>(text.data()),
                                             text.size());
        Require(ReadRecoveryManifest(again) == manifest);
    }

    {
        std::ofstream out(dir->path / "session-1.json", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    RecoveryStore store("");
    store.SetDirectory(dir->path.string());
    for (const RecoveryOffer& offer : store.Orphans()) {
        Require(std::filesystem::path(offer.MapPath).parent_path() == dir->path);
        Require(std::filesystem::path(offer.SavPath).parent_path() == dir->path);
        Require(offer.Manifest == *manifest && !offer.Manifest.Offered);
    }
    return 0;
}
