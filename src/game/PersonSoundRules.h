// The person sound dialog without its window: eight sound slots, "Load" filling them from a
// directory of sounds by keyword, "Play", and the "Vidět" buttons that show the person's pictures.
// The game has no place for these slots; nothing is stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "resources/Surface.h"

namespace tess {

class SoundPlayer;
class tObjects;
struct tObject;

class PersonSoundRules {
  public:
    static constexpr int kSlots = 8;
    static constexpr std::array<const char*, kSlots> kSlotLabels = {
        "ohlášení", "přesun", "práce", "útok", "smrt", "úder", "výroba", "rozlobený"};
    static constexpr const char* kCaption = "Zvuky osoby";
    static constexpr const char* kChanged = "Změněno";
    // The frame display's timer.
    static constexpr int32_t kFrameInterval = 83;

    // What the "Vidět" buttons show, from the object catalogue: the person's eight facings one
    // after the other (turning round), or the frames of its first body (falling). The first
    // button turns the person round and round, the second lets it fall once, the third turns it
    // round once.
    enum class Section { Turn, Fall };
    struct SeeButton {
        Section section;
        bool looping;
    };
    static constexpr std::array<SeeButton, 3> kSeeButtons = {
        {{Section::Turn, true}, {Section::Fall, false}, {Section::Turn, false}}};

    // The catalogue may be null (no pictures to show).
    PersonSoundRules(SoundPlayer& player, tObjects* objects);

    void SetDisplaySize(int32_t width, int32_t height);
    // Every slot shows "0"; the heading is the person's name, its pictures are found from the
    // person table's "Id_obj_chu".
    void Fill(int32_t personId);

    // The controls' state (UTF-8).
    std::string Label1;                    // heading
    std::array<std::string, kSlots> Edit;  // Edit1..Edit8
    bool CheckBox1 = false;                // a slot changed
    int32_t CurrentSlot = 0;               // the slot "Play" plays (the one edited or focused last)

    int32_t PersonId() const { return personId_; }
    // A slot's text changed (by the user or by "Load").
    void SlotEdited(int32_t slot, std::string_view text);
    // "Load": the directory of the chosen file is scanned for ".wav" files (in name order); a
    // name holding "CLICK", "MOVE", "WORK", "ATTACK" or "ANGRY" (upper-cased, first keyword
    // found) belongs to slot 1, 2, 3, 4 or 8, one holding "CREATE" to no slot. A slot that still
    // shows "0" gets the file's name below the game's "sound" directory (its bare name when it
    // lies elsewhere); a slot with another value keeps it. Returns how many slots were filled.
    int32_t LoadDirectory(const std::string& chosenFile, std::string_view gameDirectory);
    // "Play": the current slot's sound, when it names a file below "sound\".
    void Play();

    // "Vidět": shows a section in the frame display, from its first frame.
    void See(Section section, bool looping);
    bool Looping() const { return looping_; }
    int32_t SectionFrames() const { return count_; }
    bool TimerEnabled() const { return timerEnabled_; }
    // One tick of the frame display: the area cleared to colour 0, the next frame drawn at its
    // centre; at the section's end it starts again (looping) or stops.
    void Tick();
    const tSurface& Display() const { return display_; }
    void Close();

  private:
    // The catalogue picture of object `id`, loaded on first use; null when there is none.
    const tObject* Picture(int32_t id);

    SoundPlayer& player_;
    tObjects* objects_;
    int32_t personId_ = 0;
    int32_t objectBase_ = 0;
    tSurface display_;
    tSurface strip_;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    int32_t count_ = 0;
    int32_t frame_ = 0;
    bool looping_ = false;
    bool timerEnabled_ = false;
};

}  // namespace tess
