// The effect sound dialog's rules: what it shows, how the frame timer walks the strip and plays
// the sound, the frames-per-second field, and what "Ok" stores.
#include "game/EffectSoundRules.h"

#include <gtest/gtest.h>

#include "SoundFixture.h"

namespace tess {
namespace {

constexpr int32_t kAreaWidth = 60, kAreaHeight = 40;

class EffectSoundRulesTest : public ::testing::Test {
  protected:
    EffectSoundRules& Open(int32_t id) {
        rules.SetDisplaySize(kAreaWidth, kAreaHeight);
        rules.Fill(id);
        return rules;
    }
    // The frame the display shows at its centre (-1 for none of the strip's colours).
    int32_t Shown() const {
        const uint16_t centre = rules.Display().PixelAt(kAreaWidth / 2, kAreaHeight / 2);
        for (int32_t f = 0; f < test::kStripFrames; ++f)
            if (centre == test::StripColour(f)) return f;
        return -1;
    }
    // Ticks until the timer stops (at most `limit` ticks); the frames shown, in order.
    std::vector<int32_t> RunTimer(int limit) {
        std::vector<int32_t> frames;
        for (int i = 0; i < limit && rules.TimerEnabled(); ++i) {
            rules.Tick();
            frames.push_back(Shown());
        }
        return frames;
    }

    test::SoundGame game;
    EffectSoundRules rules{game.player};
};

TEST_F(EffectSoundRulesTest, FillShowsTheEffectAndItsLinks) {
    Open(1);
    EXPECT_EQ(rules.Label1, "Oheň");
    EXPECT_EQ(rules.Edit1, "FX\\BOOM.WAV");
    EXPECT_EQ(rules.Edit2, "12");  // 1000 div 80
    EXPECT_TRUE(rules.Label2.Visible);
    EXPECT_EQ(rules.Label2.Text, "Každou animací plodí efekt Jiskra");
    EXPECT_EQ(rules.Label2.EffectId, 2);
    EXPECT_EQ(rules.Label3.Text, "Po skončení začne efekt Kouř");
    EXPECT_EQ(rules.Label3.EffectId, 3);
    EXPECT_TRUE(rules.Label4Visible);
    EXPECT_TRUE(rules.Label5Visible);
    EXPECT_TRUE(rules.CheckBox1);
    EXPECT_TRUE(rules.CheckBox1Enabled);
    EXPECT_EQ(rules.FrameCount(), test::kStripFrames);
    EXPECT_TRUE(rules.TimerEnabled());
    EXPECT_EQ(rules.TimerInterval(), 80);
    // Frame 0 at the centre of the area, over black.
    EXPECT_EQ(Shown(), 0);
    const int32_t left = kAreaWidth / 2 - test::kStripWidth / 2;
    const int32_t top = kAreaHeight / 2 - test::kStripHeight / 2;
    EXPECT_EQ(rules.Display().PixelAt(left, top), test::StripColour(0));
    EXPECT_EQ(rules.Display().PixelAt(left - 1, top), 0);
    EXPECT_EQ(rules.Display().PixelAt(left, top + test::kStripHeight), 0);

    EffectSoundRules other(game.player);
    other.Fill(2);
    EXPECT_FALSE(other.Label2.Visible);
    EXPECT_FALSE(other.Label3.Visible);
    EXPECT_FALSE(other.Label4Visible);
    EXPECT_FALSE(other.Label5Visible);
    EXPECT_TRUE(game.ui.errors.empty());
}

TEST_F(EffectSoundRulesTest, LoopingAnimationPlaysTheSoundAtEveryCycle) {
    Open(1);
    EXPECT_EQ(RunTimer(7), (std::vector<int32_t>{1, 2, 3, 4, 0, 1, 2}));
    EXPECT_TRUE(rules.TimerEnabled());
    ASSERT_EQ(game.player.played.size(), 1u);  // at the wrap from the last frame to the first
    EXPECT_EQ(game.player.played[0], game.dir.File("Sound/FX/boom.wav"));
    // Without the tick, cycles are silent.
    rules.CheckBox1 = false;
    RunTimer(10);
    EXPECT_EQ(game.player.played.size(), 1u);
}

TEST_F(EffectSoundRulesTest, OnceStopsOnTheLastFrameAndBackwardsOnTheFirst) {
    Open(2);
    // Once: the box is unchecked and disabled, so cycles play no sound.
    EXPECT_FALSE(rules.CheckBox1);
    EXPECT_FALSE(rules.CheckBox1Enabled);
    EXPECT_EQ(RunTimer(20), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_FALSE(rules.TimerEnabled());
    EXPECT_EQ(rules.CurrentFrame(), 4);

    EffectSoundRules backwards(game.player);
    backwards.SetDisplaySize(kAreaWidth, kAreaHeight);
    backwards.Fill(3);
    EXPECT_EQ(backwards.Direction(), -1);
    std::vector<int32_t> frames;
    for (int i = 0; i < 20 && backwards.TimerEnabled(); ++i) {
        backwards.Tick();
        frames.push_back(backwards.CurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{4, 3, 2, 1, 0}));
    EXPECT_TRUE(game.player.played.empty());
}

TEST_F(EffectSoundRulesTest, PlayStartsANewCycle) {
    Open(2);
    RunTimer(20);
    ASSERT_FALSE(rules.TimerEnabled());
    rules.Edit1 = "fx\\boom.WAV";
    rules.Play();
    EXPECT_EQ(game.player.played.size(), 1u);
    EXPECT_TRUE(rules.TimerEnabled());
    EXPECT_EQ(RunTimer(20), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    // A sound that is not on the disk is not played.
    rules.Edit1 = "fx\\missing.wav";
    rules.Play();
    EXPECT_EQ(game.player.played.size(), 1u);
}

TEST_F(EffectSoundRulesTest, FramesPerSecondFieldSetsTheInterval) {
    Open(1);
    rules.FramesPerSecondEdited("25");
    EXPECT_EQ(rules.TimerInterval(), 40);
    for (const char* text : {"0", "abc", ""}) {
        rules.FramesPerSecondEdited(text);
        EXPECT_EQ(rules.TimerInterval(), 40) << text;
    }
    rules.Tick();
    EXPECT_EQ(rules.TimerInterval(), 40);  // the tick keeps the remembered interval
    ASSERT_TRUE(rules.Save().Saved());
    EXPECT_EQ(ListEffectSounds()[0].Cas, 40);
}

TEST_F(EffectSoundRulesTest, EffectWithoutAnimationShowsNoPictureAndKeepsTheBox) {
    Open(4);
    EXPECT_FALSE(rules.HasAnimation());
    EXPECT_TRUE(rules.CheckBox1);
    EXPECT_TRUE(rules.CheckBox1Enabled);
    EXPECT_EQ(rules.Edit2, "20");
    // A trail effect that does not exist keeps the label without a name.
    EXPECT_EQ(rules.Label2.Text, "Každou animací plodí efekt");
    EXPECT_TRUE(rules.Label2.Visible);
    rules.Tick();  // returns at once: nothing to walk
    EXPECT_FALSE(rules.TimerEnabled());
    for (int32_t y = 0; y < kAreaHeight; ++y)
        for (int32_t x = 0; x < kAreaWidth; ++x)
            ASSERT_EQ(rules.Display().PixelAt(x, y), 0);
    EXPECT_TRUE(game.player.played.empty());
}

TEST_F(EffectSoundRulesTest, AnimationOfNoFramesAndFrameTimeZeroDoNotDivideByZero) {
    Open(5);
    EXPECT_EQ(rules.Edit2, "0");
    EXPECT_FALSE(rules.CheckBox1);
    EXPECT_FALSE(rules.CheckBox1Enabled);
    rules.Tick();
    EXPECT_FALSE(rules.TimerEnabled());
    // The disabled box stores what the table said, not its forced state.
    ASSERT_TRUE(rules.Save().Saved());
    EXPECT_TRUE(ListEffectSounds()[4].EachAnim);

    EffectSoundRules still(game.player);
    still.Fill(6);
    EXPECT_EQ(still.Edit2, "0");
    EXPECT_EQ(still.TimerInterval(), 0);
    still.Tick();
    EXPECT_FALSE(still.TimerEnabled());
}

TEST_F(EffectSoundRulesTest, OkStoresTheFieldsAndAFailedSaveChangesNothing) {
    Open(3);
    rules.Edit1 = "FX\\BOOM.WAV";
    rules.FramesPerSecondEdited("50");
    ASSERT_TRUE(rules.Save().Saved());
    const EffectSound saved = ListEffectSounds()[2];
    EXPECT_EQ(saved.WavFile, "FX\\BOOM.WAV");
    EXPECT_EQ(saved.Cas, 20);
    EXPECT_FALSE(saved.EachAnim);

    const std::vector<uint8_t> before = test::ReadFileBytes(game.EffectsPath());
    rules.Edit1 = std::string(45, 'a');
    const SaveResult failed = rules.Save();
    EXPECT_EQ(failed.Status, SaveStatus::Failed);
    EXPECT_FALSE(failed.Error.empty());
    EXPECT_EQ(test::ReadFileBytes(game.EffectsPath()), before);
}

TEST_F(EffectSoundRulesTest, MissingStripIsReportedAndTheTimerStillRuns) {
    std::filesystem::remove(game.dir.File("Pictures/Anims/OHEN.DDS"));
    Open(1);
    ASSERT_EQ(game.ui.errors.size(), 1u);
    EXPECT_NE(game.ui.errors[0].find("pictures\\anims\\ohen.dds"), std::string::npos);
    EXPECT_EQ(Shown(), -1);
    EXPECT_EQ(RunTimer(5).size(), 5u);
    EXPECT_EQ(game.player.played.size(), 1u);
}

TEST_F(EffectSoundRulesTest, CloseStopsTheSoundAndTheTimer) {
    Open(1);
    rules.Close();
    EXPECT_EQ(game.player.closes, 1);
    EXPECT_FALSE(rules.TimerEnabled());
}

}  // namespace
}  // namespace tess
