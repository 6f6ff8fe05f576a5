// The effect sound dialog without its window: what it shows of an effect, its animation and
// frame timer, its sound, and what "Ok" stores.
#include "game/EffectSoundRules.h"

#include <limits>

#include "game/GameTables.h"
#include "game/SoundPlayer.h"
#include "resources/BigFile.h"
#include "resources/Sprites.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The label of a linked effect: hidden for 0, else its text with the effect's name appended.
EffectLink Link(const char* text, int32_t id, GameTable& effects) {
    EffectLink link{text, id != 0, id};
    if (id != 0 && effects.FindId(id)) link.Text += " " + Cp1250ToUtf8(effects.Text("Name"));
    return link;
}

// A strip the timer can walk: frames of a sensible size whose rows all fit 32 bits.
bool UsableStrip(int32_t width, int32_t height, int32_t count) {
    return width > 0 && height > 0 && count > 0 && width <= tSurface::kMaxSide &&
           height <= tSurface::kMaxSide &&
           int64_t(count) * height <= std::numeric_limits<int32_t>::max();
}

}  // namespace

EffectSoundRules::EffectSoundRules(SoundPlayer& player) : player_(player) {
    Label2.Text = kTrailText;
    Label3.Text = kNextText;
}

void EffectSoundRules::SetDisplaySize(int32_t width, int32_t height) {
    display_.SetSize(width, height);
    if (HasAnimation()) DrawFrame();
}

void EffectSoundRules::Fill(int32_t effectId) {
    effectId_ = effectId;
    int32_t animId = 0;
    {
        GameTable effects(sound_tables::kEffects);
        if (effects.FindId(effectId)) {
            Label1 = Cp1250ToUtf8(effects.Text("Name"));
            Edit1 = Cp1250ToUtf8(effects.Text("wav_file"));
            cas_ = effects.Integer("Cas");
            Edit2 = FramesPerSecondText(cas_);
            const int32_t trail = effects.Integer("Traileff");
            const int32_t next = effects.Integer("Next_id_ef");
            Label4Visible = effects.Integer("Doly_circl") >= 1;
            Label5Visible = effects.Flag("Strela");
            once_ = effects.Flag("Jen_Jednou");
            CheckBox1 = storedEachAnim_ = effects.Flag("Each_Anim");
            animId = effects.Integer("Id_anim");
            direction_ = effects.Flag("Odzadu") ? -1 : 1;
            // The names last: looking them up moves the table off this record.
            Label2 = Link(kTrailText, trail, effects);
            Label3 = Link(kNextText, next, effects);
        }
    }
    if (animId > 0) LoadAnimation(animId);
    if (HasAnimation()) DrawFrame();
    StartTimer();
}

void EffectSoundRules::LoadAnimation(int32_t animId) {
    GameTable anims(sound_tables::kAnims);
    if (!anims.FindId(animId)) return;
    const std::string file =
        std::string(kAnimDirectory) +
        ReplaceText(ReplaceText(anims.Text("FileName"), "*", ""), "tga", "dds");
    width_ = anims.Integer("Width");
    height_ = anims.Integer("Height");
    count_ = anims.Integer("AnimCount");
    if (!UsableStrip(width_, height_, count_)) count_ = 0;
    if (count_ == 0) Edit2 = "0";
    if (once_ || count_ == 0) CheckBox1 = CheckBox1Enabled = false;
    frame_ = 0;
    try {
        LoadDDS2toSurface(Cp1250ToUtf8(file), strip_);
    } catch (const IoError& e) {
        // The animation still runs (and its sound plays), only without pictures.
        strip_ = tSurface();
        ErrorBox("LoadDDS2toSurface " + Cp1250ToUtf8(file) + ": " + e.what());
    }
}

void EffectSoundRules::StartTimer() {
    timerEnabled_ = true;
    interval_ = cas_ > 0 ? cas_ : 0;
}

void EffectSoundRules::Tick() {
    if (!HasAnimation()) {
        timerEnabled_ = false;  // nothing to animate, and no cycle to play a sound at
        return;
    }
    frame_ += direction_;
    while (frame_ < 0) {
        if (CheckBox1) PlaySound();
        frame_ += count_;
    }
    while (frame_ >= count_) {
        if (CheckBox1) PlaySound();
        frame_ -= count_;
    }
    DrawFrame();
    if (cas_ > 0) {
        interval_ = cas_;
        if (once_ && ((direction_ < 0 && frame_ == 0) || (direction_ > 0 && frame_ == count_ - 1)))
            timerEnabled_ = false;
    } else {
        timerEnabled_ = false;
    }
}

void EffectSoundRules::DrawFrame() {
    const SurfaceRect part{0, frame_ * height_, width_, frame_ * height_ + height_};
    display_.Draw(display_.Width() / 2 - width_ / 2, display_.Height() / 2 - height_ / 2, strip_,
                  part);
}

void EffectSoundRules::PlaySound() {
    PlayTableSound(player_, Edit1);
}

void EffectSoundRules::Play() {
    PlaySound();
    if (HasAnimation()) frame_ = direction_ > 0 ? count_ - 1 : 0;
    StartTimer();
}

void EffectSoundRules::FramesPerSecondEdited(std::string_view text) {
    Edit2 = std::string(text);
    const std::optional<int32_t> interval = IntervalFromFramesPerSecond(text);
    if (!interval) return;
    timerEnabled_ = true;
    interval_ = cas_ = *interval;
}

SaveResult EffectSoundRules::Save() const {
    EffectSoundChange change;
    change.WavFile = Utf8ToCp1250(Edit1);
    change.Cas = cas_;
    change.EachAnim = CheckBox1Enabled ? CheckBox1 : storedEachAnim_;
    return SaveEffectSound(effectId_, change);
}

void EffectSoundRules::Close() {
    player_.Close();
    timerEnabled_ = false;
    strip_ = tSurface();
}

}  // namespace tess
