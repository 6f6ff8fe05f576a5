// The building, object and person sound dialogs' rules: the keeper's face, "Play" of a missing
// sound, "Ok"; the object dialog's two modes; the person dialog's slots, "Load" and "Vidět".
#include <gtest/gtest.h>

#include <cerrno>

#include "SoundFixture.h"
#include "game/BuildingSoundRules.h"
#include "game/ObjectSoundRules.h"
#include "game/PersonSoundRules.h"
#include "map/ObjectsDat.h"

namespace tess {
namespace {

constexpr uint16_t kButtonFace = 0xC618;

class BuildingSoundRulesTest : public ::testing::Test {
  protected:
    test::SoundGame game;
    BuildingSoundRules rules{game.player};
};

TEST_F(BuildingSoundRulesTest, ShowsTheLastFrameOfTheKeepersClip) {
    rules.SetDisplay(40, 30, kButtonFace);
    rules.Fill(10);
    EXPECT_EQ(rules.Label1, "Kovárna");
    EXPECT_EQ(rules.Edit1, "budovy\\kovar.wav");
    EXPECT_EQ(rules.FaceFrame(), 6);  // Xicht_Pos 3 + Xicht_Len 4 - 1
    EXPECT_EQ(rules.Display().PixelAt(0, 0), test::FaceColour(6));
    EXPECT_EQ(rules.Display().PixelAt(test::kFaceWidth - 1, test::kFaceHeight - 1),
              test::FaceColour(6));
    EXPECT_EQ(rules.Display().PixelAt(test::kFaceWidth, 0), kButtonFace);
    EXPECT_EQ(rules.Display().PixelAt(0, test::kFaceHeight), kButtonFace);
    EXPECT_TRUE(game.ui.errors.empty());
}

TEST_F(BuildingSoundRulesTest, NoClipOrNoVideoLeavesTheAreaEmptyWithoutAReport) {
    rules.SetDisplay(40, 30, kButtonFace);
    rules.Fill(11);
    EXPECT_EQ(rules.FaceFrame(), -1);
    EXPECT_EQ(rules.Display().PixelAt(0, 0), kButtonFace);
    std::filesystem::remove(game.dir.File("Pictures/ksichtis.avi"));
    rules.Fill(10);
    EXPECT_EQ(rules.FaceFrame(), -1);
    EXPECT_EQ(rules.Display().PixelAt(0, 0), kButtonFace);
    EXPECT_TRUE(game.ui.errors.empty());
}

TEST_F(BuildingSoundRulesTest, PlayReportsAMissingFileWithItsErrorNumber) {
    rules.Fill(10);
    rules.Play();
    EXPECT_TRUE(game.player.played.empty());
    EXPECT_EQ(game.player.closes, 1);
    ASSERT_EQ(game.ui.messages.size(), 1u);
    EXPECT_NE(game.ui.messages[0].find("sound\\budovy\\kovar.wav"), std::string::npos);
    EXPECT_NE(game.ui.messages[0].find("chyba " + std::to_string(ENOENT)), std::string::npos)
        << game.ui.messages[0];
    rules.Edit1 = "fx\\BOOM.wav";
    rules.Play();
    EXPECT_EQ(game.player.played, std::vector<std::string>{game.dir.File("Sound/FX/boom.wav")});
    EXPECT_EQ(game.ui.messages.size(), 1u);
}

TEST_F(BuildingSoundRulesTest, OkStoresTheSound) {
    rules.Fill(11);
    rules.Edit1 = "budovy\\studna.wav";
    ASSERT_TRUE(rules.Save().Saved());
    EXPECT_EQ(ListBuildingSounds()[1].WavFile, "budovy\\studna.wav");
    EXPECT_EQ(ListBuildingSounds()[0].WavFile, "budovy\\kovar.wav");
}

TEST(ObjectSoundRules, EachAndDayNightShowTheirFields) {
    ObjectSoundRules rules(42);
    EXPECT_EQ(rules.CheckBox1, CheckState::Grey);
    rules.Edit[0] = "voda.wav";
    rules.Edit[3] = "den.wav";
    rules.ChooseDayNight();
    EXPECT_TRUE(rules.RadioButtonDayNight);
    EXPECT_FALSE(rules.RadioButtonEach);
    EXPECT_EQ(rules.Edit[0], "");
    EXPECT_EQ(rules.Edit[3], "den.wav");
    EXPECT_FALSE(rules.EachVisible);
    EXPECT_TRUE(rules.DayNightVisible);
    EXPECT_EQ(rules.CheckBox1, CheckState::Grey);
    EXPECT_FALSE(rules.CheckBox1Enabled);
    rules.Edit[4] = "noc.wav";
    rules.ChooseEach();
    EXPECT_TRUE(rules.RadioButtonEach);
    EXPECT_EQ(rules.Edit[3], "");
    EXPECT_EQ(rules.Edit[4], "");
    EXPECT_TRUE(rules.EachVisible);
    EXPECT_FALSE(rules.DayNightVisible);
    EXPECT_EQ(rules.CheckBox1, CheckState::Unchecked);
    EXPECT_TRUE(rules.CheckBox1Enabled);
}

class PersonSoundRulesTest : public ::testing::Test {
  protected:
    PersonSoundRulesTest() {
        writers::DbfTable persons;
        persons.Fields = {{"ID", 'N', 4}, {"NAME", 'C', 30}, {"ID_OBJ_CHU", 'N', 5}};
        persons.Records = {{false, {"7", Utf8ToCp1250("Trpaslík"), "3000"}}};
        game.dir.Write("DATA/person.dbf", writers::BuildDbf(persons).Table);
    }
    test::SoundGame game;
};

TEST_F(PersonSoundRulesTest, LoadFillsOnlySlotsThatStillShowZero) {
    for (const char* name :
         {"dwarf_click.wav", "Dwarf_Move2.WAV", "dwarf_move1.wav", "dwarf_attack.wav",
          "dwarf_create.wav", "dwarf_angry.wav", "dwarf_work.txt", "readme.wav"})
        game.dir.Write(std::string("Sound/people/") + name, std::string("x"));
    PersonSoundRules rules(game.player, nullptr);
    rules.Fill(7);
    EXPECT_EQ(rules.Label1, "Trpaslík");
    EXPECT_FALSE(rules.CheckBox1);
    rules.SlotEdited(3, "mine.wav");
    EXPECT_TRUE(rules.CheckBox1);
    const int32_t filled =
        rules.LoadDirectory(game.dir.File("Sound/people/readme.wav"), game.dir.Path().string());
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(rules.Edit[0], "people\\dwarf_click.wav");
    EXPECT_EQ(rules.Edit[1], "people\\Dwarf_Move2.WAV");  // the first in name order
    EXPECT_EQ(rules.Edit[2], "0");                        // a ".txt" is no sound
    EXPECT_EQ(rules.Edit[3], "mine.wav");                 // not "0": kept
    EXPECT_EQ(rules.Edit[7], "people\\dwarf_angry.wav");
    for (size_t slot : {4u, 5u, 6u})
        EXPECT_EQ(rules.Edit[slot], "0");  // "CREATE" fills none
    rules.CurrentSlot = 0;
    rules.Play();  // "sound\people\dwarf_click.wav" exists
    EXPECT_EQ(game.player.played.size(), 1u);
    rules.CurrentSlot = 4;
    rules.Play();  // "0": nothing
    EXPECT_EQ(game.player.played.size(), 1u);
}

TEST_F(PersonSoundRulesTest, SeeShowsTheFacingsRoundAndTheFallOnce) {
    tObjects objects;
    const auto put = [&](int32_t id, int32_t frames, uint16_t colour) {
        auto entry = std::make_unique<tObject>();
        entry->Id = id;
        entry->Typ_Unit = 1;
        entry->Height = 6;
        entry->Anim_Count = static_cast<uint8_t>(frames);
        entry->Picture.SetSize(4, 6 * frames);
        entry->Picture.Fill(colour);
        entry->State = PictureState::Loaded;
        objects.Put(std::move(entry));
    };
    for (int32_t k = 0; k < 8; ++k)
        put(3000 + k, 1, uint16_t(0x100 + k));
    put(3024, 3, 0x0F0F);
    PersonSoundRules rules(game.player, &objects);
    rules.SetDisplaySize(10, 10);
    rules.Fill(7);

    rules.See(PersonSoundRules::Section::Turn, true);
    std::vector<uint16_t> seen = {rules.Display().PixelAt(5, 5)};
    for (int i = 0; i < 8; ++i) {
        rules.Tick();
        seen.push_back(rules.Display().PixelAt(5, 5));
    }
    EXPECT_EQ(seen, (std::vector<uint16_t>{0x100, 0x101, 0x102, 0x103, 0x104, 0x105, 0x106, 0x107,
                                           0x100}));
    EXPECT_TRUE(rules.TimerEnabled());
    EXPECT_EQ(rules.Display().PixelAt(0, 0), 0);  // cleared around the frame

    rules.See(PersonSoundRules::Section::Fall, false);
    EXPECT_EQ(rules.SectionFrames(), 3);
    int ticks = 0;
    while (rules.TimerEnabled() && ticks < 10) {
        rules.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 2);  // the first frame shows at once, two more ticks end the fall
    EXPECT_FALSE(rules.Looping());

    PersonSoundRules withoutPictures(game.player, nullptr);
    withoutPictures.Fill(7);
    withoutPictures.See(PersonSoundRules::Section::Turn, true);
    EXPECT_FALSE(withoutPictures.TimerEnabled());
}

}  // namespace
}  // namespace tess
