// The settings the editor keeps between runs: value names, defaults and the tool-window places.
#include "editor/EditorSettings.h"

namespace tess {

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
