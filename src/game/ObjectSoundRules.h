// The map object sound dialog without its window: the "Each" / "Day / Night" choice and the fields
// it shows. The dialog offers its controls only; nothing is read or stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tess {

enum class CheckState { Unchecked, Checked, Grey };

class ObjectSoundRules {
  public:
    static constexpr const char* kCaption = "Zvuk objektu";
    static constexpr const char* kEach = "Each";
    static constexpr const char* kDayNight = "Day / Night";
    static constexpr const char* kLoop = "Loop";
    static constexpr const char* kDay = "Day";
    static constexpr const char* kNight = "Night";
    static constexpr const char* kDistance = "Wav_dist";
    static constexpr const char* kSave = "Uložit";

    explicit ObjectSoundRules(int32_t objectType) : objectType_(objectType) {}

    int32_t ObjectType() const { return objectType_; }

    // "Each": one sound in Edit1; the day and night fields are cleared and hidden, and "Loop"
    // is unchecked and enabled.
    void ChooseEach();
    // "Day / Night": a sound for the day (Edit4) and one for the night (Edit5); Edit1 is cleared
    // and hidden, "Loop" is unchecked, grey and disabled.
    void ChooseDayNight();

    // The controls' state (UTF-8): Edit[0] is Edit1 (the sound for every moment), Edit[1] Edit2
    // ("Wav_dist"), Edit[2] Edit3 (the top line), Edit[3] and Edit[4] Edit4 and Edit5 (day and
    // night). The dialog opens showing "Each" with "Loop" grey.
    std::array<std::string, 5> Edit;
    bool RadioButtonEach = true;
    bool RadioButtonDayNight = false;
    bool EachVisible = true;       // Edit1 and its label
    bool DayNightVisible = false;  // Edit4, Edit5 and their labels
    CheckState CheckBox1 = CheckState::Grey;
    bool CheckBox1Enabled = true;

  private:
    int32_t objectType_;
};

}  // namespace tess
