// The settings the editor keeps between runs: value names, defaults and the tool-window places.
#include "editor/EditorSettings.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

#include "resources/Utils.h"

namespace tess {

double AutosaveMinutes(SettingsStore& settings) {
    // Users write "1.5" or "1,5"; the value is read the same under any locale.
    std::string text = AllTrim(settings.GetString(kAutosaveMinutesValue, ""));
    std::replace(text.begin(), text.end(), ',', '.');
    if (text.empty()) return kDefaultAutosaveMinutes;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double minutes = 0;
    if (!(in >> minutes) || !in.eof() || !std::isfinite(minutes) || minutes < 0)
        return kDefaultAutosaveMinutes;
    return minutes;
}

size_t HistoryBudget(SettingsStore& settings) {
    constexpr int kMaxMiB = 1 << 20;
    const int mib = settings.GetInt(kHistoryBudgetValue, kDefaultHistoryBudgetMiB);
    if (mib < 0) return size_t{kDefaultHistoryBudgetMiB} << 20;
    return size_t(std::clamp(mib, 1, kMaxMiB)) << 20;
}

bool KeepBackups(SettingsStore& settings) {
    return settings.GetBool(kKeepBackupsValue, true);
}

void ReadWindowPlace(SettingsStore& settings, const std::string& formName, tWindowPlace& place) {
    if (place.Form) CaptureWindowPlace(place);
    place.Left = settings.GetInt(formName + "X", place.Left);
    place.Top = settings.GetInt(formName + "Y", place.Top);
    place.Visible = settings.GetBool(formName + "ex", place.Visible != 0) ? 1 : 0;
}

void WriteWindowPlace(SettingsStore& settings, const std::string& formName,
                      const tWindowPlace& place) {
    settings.SetInt(formName + "X", place.Left);
    settings.SetInt(formName + "Y", place.Top);
    settings.SetBool(formName + "ex", place.Visible != 0);
}

void ApplyWindowPlace(const tWindowPlace& place) {
    if (!place.Form) return;
    place.Form->SetVisible(place.Visible != 0);
    place.Form->SetLeft(place.Left);
    place.Form->SetTop(place.Top);
}

void CaptureWindowPlace(tWindowPlace& place) {
    if (!place.Form) return;
    place.Left = place.Form->Left();
    place.Top = place.Form->Top();
    place.Visible = place.Form->Visible() ? 1 : 0;
}

}  // namespace tess
