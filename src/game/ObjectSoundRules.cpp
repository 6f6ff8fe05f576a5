// The map object sound dialog without its window: the "Each" / "Day / Night" choice and the fields
// it shows. The dialog offers its controls only; nothing is read or stored.
#include "game/ObjectSoundRules.h"

namespace tess {

void ObjectSoundRules::ChooseEach() {
    RadioButtonEach = true;
    RadioButtonDayNight = false;
    Edit[3].clear();
    Edit[4].clear();
    CheckBox1 = CheckState::Unchecked;
    CheckBox1Enabled = true;
    EachVisible = true;
    DayNightVisible = false;
}

void ObjectSoundRules::ChooseDayNight() {
    RadioButtonEach = false;
    RadioButtonDayNight = true;
    CheckBox1 = CheckState::Grey;
    CheckBox1Enabled = false;
    Edit[0].clear();
    EachVisible = false;
    DayNightVisible = true;
}

}  // namespace tess
