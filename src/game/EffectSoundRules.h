// The effect sound dialog without its window: what it shows of an effect, its animation and
// frame timer, its sound, and what "Ok" stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/SoundTables.h"
#include "resources/Surface.h"

namespace tess {

class SoundPlayer;

// A label that names another effect and opens it when clicked.
struct EffectLink {
    std::string Text;  // the fixed text, then a space and the effect's name when it has one
    bool Visible = false;
    int32_t EffectId = 0;
};

class EffectSoundRules {
  public:
    static constexpr const char* kTrailText = "Každou animací plodí efekt";
    static constexpr const char* kNextText = "Po skončení začne efekt";
    static constexpr const char* kCraterText = "Dělá v terénu ďolík";
    static constexpr const char* kArrowText = "Chová se jako střela";
    static constexpr const char* kEachAnimText = "Každou Animaci";
    static constexpr const char* kAnimDirectory = "pictures\\anims\\";

    explicit EffectSoundRules(SoundPlayer& player);

    // The display area the frames are centred in (black until a frame is drawn).
    void SetDisplaySize(int32_t width, int32_t height);
    // Reads the effect from "data\Efects.dbf" and its animation strip (from "data\Anims.dbf"),
    // shows the first frame and starts the frame timer.
    void Fill(int32_t effectId);

    // --- what the controls show (UTF-8) -------------------------------------------------------
    std::string Label1;  // the effect's name
    std::string Edit1;   // the sound, relative to "sound\"; the form writes edits back here
    std::string Edit2;   // frames per second
    EffectLink Label2;   // the effect each cycle spawns
    EffectLink Label3;   // the effect that follows
    bool Label4Visible = false;
    bool Label5Visible = false;
    bool CheckBox1 = false;  // "Každou Animaci": the sound plays at every animation cycle
    bool CheckBox1Enabled = true;

    int32_t EffectId() const { return effectId_; }
    bool HasAnimation() const { return count_ > 0; }
    int32_t CurrentFrame() const { return frame_; }
    int32_t Direction() const { return direction_; }
    int32_t FrameCount() const { return count_; }
    bool Once() const { return once_; }
    const tSurface& Display() const { return display_; }

    // --- the frame timer ----------------------------------------------------------------------
    bool TimerEnabled() const { return timerEnabled_; }
    int32_t TimerInterval() const { return interval_; }
    // One tick: the next frame in the animation's direction (a sound at each new cycle when
    // CheckBox1 is ticked), drawn at the display's centre; a once-only animation stops on its
    // last frame (its first when it runs backwards).
    void Tick();

    // --- actions ------------------------------------------------------------------------------
    // "Play": the sound now, and the animation from the start of a new cycle.
    void Play();
    // Edit2 changed: a number n above 0 makes the frame interval 1000 div n; anything else
    // changes nothing.
    void FramesPerSecondEdited(std::string_view text);
    // "Ok": stores "Wav_File", "Cas" and "Each_Anim" into the effect's record.
    SaveResult Save() const;
    // The dialog closes: the sound stops, the timer stops, the strip is let go.
    void Close();

  private:
    void LoadAnimation(int32_t animId);
    void DrawFrame();
    void PlaySound();
    void StartTimer();

    SoundPlayer& player_;
    int32_t effectId_ = 0;
    tSurface strip_;
    tSurface display_;
    int32_t frame_ = 0;
    int32_t direction_ = 1;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t count_ = 0;
    bool once_ = false;
    // "Each_Anim" as read: kept when the box is disabled, since the user could not change it.
    bool storedEachAnim_ = false;
    int32_t cas_ = 0;  // the remembered frame interval, stored as "Cas"
    bool timerEnabled_ = false;
    int32_t interval_ = 0;
};

}  // namespace tess
