// Seeds for fuzz_recovery_manifest: manifests as autosave writes them, and damaged ones.
#include <string>
#include <vector>

#include "Seeds.h"
#include "editor/RecoveryManifest.h"

namespace tess::fuzz {

void WriteRecoverySeeds(const std::filesystem::path& corpus) {
    const std::string target = "fuzz_recovery_manifest";
    const auto write = [&](const std::string& name, const std::string& text) {
        WriteSeed(corpus, target, name, std::vector<uint8_t>(text.begin(), text.end()));
    };
    RecoveryManifest m{"MAPS\\default.map", 1700000000,        4242,
                       "session-1-a.map",   "session-1-a.sav", false};
    write("named", RecoveryManifestText(m));
    m.MapName =
        "/home/x/mapy/\xE8"
        "ern\xE1.map";
    m.Offered = true;
    write("bytes-name", RecoveryManifestText(m));
    m.MapName.clear();
    write("new-map", RecoveryManifestText(m));
    std::string outside = RecoveryManifestText(m);
    outside.replace(outside.find("session-1-a.sav"), 15, "../../etc/pass");
    write("outside", outside);
    const std::string named = RecoveryManifestText(m);
    write("cut", named.substr(0, named.size() / 2));
}

}  // namespace tess::fuzz
