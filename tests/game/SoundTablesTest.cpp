// The sound tables: the name a chosen file gets, the frames-per-second rules, listing, and the
// save the dialogs and the command-line tool share.
#include "game/SoundTables.h"

#include <gtest/gtest.h>

#include "SoundFixture.h"
#include "resources/Dbf.h"

namespace tess {
namespace {

TEST(SoundNameFromPath, KeepsThePathBelowTheSoundDirectory) {
    EXPECT_EQ(SoundNameFromPath("C:\\GAME\\SOUND\\FX\\BOOM.WAV", ""), "FX\\BOOM.WAV");
    EXPECT_EQ(SoundNameFromPath("/games/velmora/Sound/fx/boom.wav", ""), "fx\\boom.wav");
    // Below the game directory its own "sound" counts, not one further up.
    EXPECT_EQ(SoundNameFromPath("/home/sound/velmora/sound/a/b.wav", "/home/sound/velmora"),
              "a\\b.wav");
    EXPECT_EQ(SoundNameFromPath("/home/sound/velmora/x/b.wav", "/home/sound/velmora"),
              std::nullopt);
    // Outside the game directory the first "sound" directory of the path is taken.
    EXPECT_EQ(SoundNameFromPath("/mnt/backup/SOUND/b.wav", "/home/velmora"), "b.wav");
    // A part that only contains the word is not the directory; a file named so is no directory.
    EXPECT_EQ(SoundNameFromPath("/home/soundman/b.wav", ""), std::nullopt);
    EXPECT_EQ(SoundNameFromPath("/x/sound", ""), std::nullopt);
    EXPECT_EQ(SoundNameFromPath("", ""), std::nullopt);
}

TEST(FramesPerSecond, TextAndIntervalFollowTheDialogsRules) {
    EXPECT_EQ(FramesPerSecondText(40), "25");
    EXPECT_EQ(FramesPerSecondText(80), "12");
    EXPECT_EQ(FramesPerSecondText(0), "0");  // no division by zero
    EXPECT_EQ(FramesPerSecondText(-5), "0");
    EXPECT_EQ(IntervalFromFramesPerSecond("25"), 40);
    EXPECT_EQ(IntervalFromFramesPerSecond("fps 12"), 83);
    EXPECT_EQ(IntervalFromFramesPerSecond("2000"), 0);
    EXPECT_EQ(IntervalFromFramesPerSecond("0"), std::nullopt);
    EXPECT_EQ(IntervalFromFramesPerSecond("abc"), std::nullopt);
    EXPECT_EQ(IntervalFromFramesPerSecond(""), std::nullopt);
    EXPECT_EQ(IntervalFromFramesPerSecond("99999999999"), std::nullopt);
}

TEST(SoundFilePath, IsBelowTheSoundDirectoryOrNothing) {
    EXPECT_EQ(SoundFilePath("FX\\BOOM.WAV"), "sound\\FX\\BOOM.WAV");
    EXPECT_EQ(SoundFilePath("   "), std::nullopt);
    EXPECT_EQ(SoundFilePath(""), std::nullopt);
}

class SoundTablesTest : public ::testing::Test {
  protected:
    test::SoundGame game;
};

TEST_F(SoundTablesTest, ListsEffectsAndBuildingsInFileOrder) {
    const std::vector<EffectSound> effects = ListEffectSounds();
    ASSERT_EQ(effects.size(), 6u);
    EXPECT_EQ(effects[0].Id, 1);
    EXPECT_EQ(Cp1250ToUtf8(effects[0].Name), "Oheň");
    EXPECT_EQ(effects[0].WavFile, "FX\\BOOM.WAV");
    EXPECT_EQ(effects[0].Cas, 80);
    EXPECT_TRUE(effects[0].EachAnim);
    EXPECT_FALSE(effects[2].EachAnim);
    const std::vector<BuildingSound> buildings = ListBuildingSounds();
    ASSERT_EQ(buildings.size(), 2u);
    EXPECT_EQ(buildings[0].WavFile, "budovy\\kovar.wav");
    EXPECT_EQ(buildings[1].WavFile, "");
    EXPECT_TRUE(game.ui.errors.empty());
}

TEST_F(SoundTablesTest, SaveWritesOnlyTheFieldsGiven) {
    EffectSoundChange change;
    change.Cas = 25;
    ASSERT_TRUE(SaveEffectSound(2, change).Saved());
    std::vector<EffectSound> effects = ListEffectSounds();
    EXPECT_EQ(effects[1].Cas, 25);
    EXPECT_EQ(effects[1].WavFile, "fx\\spark.wav");
    EXPECT_TRUE(effects[1].EachAnim);
    change = {};
    change.WavFile = Utf8ToCp1250("FX\\ŽÁBA.WAV");
    change.EachAnim = false;
    ASSERT_TRUE(SaveEffectSound(2, change).Saved());
    effects = ListEffectSounds();
    EXPECT_EQ(Cp1250ToUtf8(effects[1].WavFile), "FX\\ŽÁBA.WAV");
    EXPECT_FALSE(effects[1].EachAnim);
    EXPECT_EQ(effects[1].Cas, 25);
    ASSERT_TRUE(SaveBuildingSound(11, "budovy\\studna.wav").Saved());
    EXPECT_EQ(ListBuildingSounds()[1].WavFile, "budovy\\studna.wav");
}

TEST_F(SoundTablesTest, UnknownIdOrRefusedValueWritesNothing) {
    const std::vector<uint8_t> before = test::ReadFileBytes(game.EffectsPath());
    EffectSoundChange change;
    change.Cas = 10;
    EXPECT_EQ(SaveEffectSound(77, change).Status, SaveStatus::UnknownId);
    EXPECT_EQ(SaveBuildingSound(77, "x").Status, SaveStatus::UnknownId);
    // One field fits, the other does not: neither is written.
    change.WavFile = std::string(41, 'x');
    const SaveResult result = SaveEffectSound(1, change);
    EXPECT_EQ(result.Status, SaveStatus::Failed);
    EXPECT_NE(result.Error.find("se nevejde"), std::string::npos) << result.Error;
    EXPECT_EQ(test::ReadFileBytes(game.EffectsPath()), before);
}

TEST(SoundTablesInArchive, SaveReplacesTheTableInsideTheArchiveOnly) {
    test::SoundGame game(/*effectsInArchive=*/true);
    const std::vector<uint8_t> other = BigFile().ReadWholeFile("DATA/other.dbf");
    const std::vector<uint8_t> picture = BigFile().ReadWholeFile("PICTURES/x.dds");
    EffectSoundChange change;
    change.WavFile = "FX\\NEW.WAV";
    ASSERT_TRUE(SaveEffectSound(3, change).Saved());
    EXPECT_FALSE(std::filesystem::exists(game.EffectsPath()));  // no disk copy appeared
    EXPECT_EQ(ListEffectSounds()[2].WavFile, "FX\\NEW.WAV");
    EXPECT_EQ(BigFile().ReadWholeFile("DATA/other.dbf"), other);
    EXPECT_EQ(BigFile().ReadWholeFile("PICTURES/x.dds"), picture);
}

}  // namespace
}  // namespace tess
