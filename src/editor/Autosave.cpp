// When the editor autosaves the map it works on, and the words it uses about autosaving and
// recovery.
#include "editor/Autosave.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace tess {

void AutosaveRules::SetInterval(double minutes) {
    intervalMs_ = minutes > 0 ? std::max<int64_t>(1, std::llround(minutes * 60000)) : 0;
}

void AutosaveRules::Settle(uint64_t revision) {
    lastMs_ = -1;
    savedRevision_ = revision;
    failing_ = false;
}

bool AutosaveRules::Due(int64_t nowMs, uint64_t revision, bool modified, bool busy) {
    // The first tick starts the count: nothing is due at once.
    if (lastMs_ < 0) lastMs_ = nowMs;
    if (!Enabled() || !modified || busy || revision == savedRevision_) return false;
    return nowMs - lastMs_ >= intervalMs_;
}

void AutosaveRules::Succeeded(int64_t nowMs, uint64_t revision) {
    lastMs_ = nowMs;
    savedRevision_ = revision;
    failing_ = false;
}

bool AutosaveRules::Failed(int64_t nowMs) {
    lastMs_ = nowMs;
    const bool first = !failing_;
    failing_ = true;
    return first;
}

std::string RecoveryQuestionText(const RecoveryManifest& manifest) {
    const std::string map =
        manifest.MapName.empty() ? std::string("nová mapa") : "mapa \"" + manifest.MapName + "\"";
    std::string when;
    const std::time_t seconds = static_cast<std::time_t>(manifest.SavedAt);
    std::tm local{};
    char text[64];
    if (localtime_r(&seconds, &local) &&
        std::strftime(text, sizeof text, "%d. %m. %Y %H:%M", &local))
        when = std::string(" z ") + text;
    return "Editor minule neskončil řádně. Zůstala po něm automaticky uložená " + map + when +
           ".\n\nObnovit ji? (\"Zahodit\" ji smaže.)";
}

std::string AutosaveFailedCaption(const std::string& why) {
    return "Automatické uložení selhalo: " + why;
}

}  // namespace tess
