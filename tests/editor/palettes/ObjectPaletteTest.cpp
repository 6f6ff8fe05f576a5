// The object palette's rules in a session: fills from the menu, choosing an entry, the
// filters, the multiple selection, the mix page, sound mode and the pick from the map.
#include "editor/palettes/ObjectPalette.h"

#include <gtest/gtest.h>

#include "PaletteFixture.h"

namespace tess {
namespace {

using test::PaletteTest;
using Names = std::vector<std::string>;

// A catalogue of many "Další" objects named so that they sort by their number.
std::unique_ptr<tObjects> ManyOthers(int count) {
    auto objects = std::make_unique<tObjects>();
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "o%03d", i);
        test::AddPaletteObject(*objects, 1000 + i, name, false, "", true);
    }
    return objects;
}

TEST_F(PaletteTest, AMenuFillShowsThePaletteOnItsTabWithItsControls) {
    ASSERT_TRUE(session->Run(MenuCommand::FillBuildings, 1, 3));
    ObjectPalette& palette = Objects();
    EXPECT_TRUE(palette.Filled());
    EXPECT_EQ(palette.Tab(), ObjectTab::Budovy);
    EXPECT_EQ(Listed(), (Names{"Kasárna", "Pokladnice"}));
    EXPECT_EQ(view.shown, 1);
    EXPECT_STREQ(kRaceItems[static_cast<size_t>(palette.RaceItem())], "1 Lidé");
    EXPECT_STREQ(kKindItems[static_cast<size_t>(palette.KindItem())], "3 Město");
    EXPECT_TRUE(palette.RaceBoxVisible());
    EXPECT_TRUE(palette.KindBoxVisible());
    EXPECT_FALSE(palette.CheckBoxesVisible());
    EXPECT_FALSE(palette.Nahodne());

    ASSERT_TRUE(session->Run(MenuCommand::FillOther));
    EXPECT_EQ(palette.Tab(), ObjectTab::Dalsi);
    EXPECT_FALSE(palette.RaceBoxVisible());
    EXPECT_FALSE(palette.KindBoxVisible());
    EXPECT_TRUE(palette.CheckBoxesVisible());
    EXPECT_TRUE(palette.Nahodne());
    EXPECT_EQ(palette.NameLabel(), "Balvan");
    EXPECT_EQ(palette.SizeLabel(), "2 x 3");

    ASSERT_TRUE(session->Run(MenuCommand::FillPersons, 0));
    EXPECT_EQ(palette.Tab(), ObjectTab::Jednotky);
    EXPECT_EQ(Listed(), Names{"Vlk"});
    EXPECT_TRUE(palette.RaceBoxVisible());
    EXPECT_FALSE(palette.KindBoxVisible());
    EXPECT_FALSE(palette.CheckBoxesVisible());
    EXPECT_STREQ(kRaceItems[static_cast<size_t>(palette.RaceItem())], "0 Neutrální");
}

TEST_F(PaletteTest, TheThirdPreviewAtBarFiveChoosesEntrySevenForTheObjectTool) {
    session->UseObjects(ManyOthers(12));
    Objects().FillPaletteOther();
    ASSERT_EQ(Objects().List().Count(), 12);
    Tools().PressTerrainButton(3);
    Objects().TrackBarChange(5);
    Objects().PreviewClick(2);
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(Cp1250ToUtf8(State().CurrentPack.Name), "o007");
    EXPECT_EQ(State().CurrentPack.IdObject, 1007);
    EXPECT_EQ(State().CurrentPack.RandomShade, 1);  // "Náhodně umístit" is ticked for "Další"
    EXPECT_EQ(Objects().Chosen(), 7);
    EXPECT_EQ(Tools().Marks().TerrainDown, -1);
    EXPECT_TRUE(Objects().Preview(2).Lowered);
    EXPECT_FALSE(Objects().Preview(1).Lowered);

    // Unticked, the entry is placed without a random shade; a blank preview chooses nothing.
    Objects().NahodneClick(false);
    Objects().TrackBarChange(9);
    EXPECT_EQ(Objects().List().BarPosition(), 9);
    Objects().PreviewClick(0);
    EXPECT_EQ(State().CurrentPack.IdObject, 1009);
    EXPECT_EQ(State().CurrentPack.RandomShade, 0);
    // Another tool releases the chosen entry's frame.
    Tools().PressTerrainButton(1);
    EXPECT_EQ(Objects().Chosen(), -1);
    EXPECT_FALSE(Objects().Preview(0).Lowered);
}

TEST_F(PaletteTest, ChoosingAnEntryAnywhereMovesTheBarToShowIt) {
    session->UseObjects(ManyOthers(10));
    Objects().FillPaletteOther();
    ASSERT_TRUE(Objects().ChooseEntry(9));  // beyond the bar's end (7): the third preview
    EXPECT_EQ(Objects().List().BarPosition(), 7);
    EXPECT_EQ(State().CurrentPack.IdObject, 1009);
    EXPECT_EQ(Objects().Chosen(), 9);
    EXPECT_FALSE(Objects().ChooseEntry(10));
    EXPECT_FALSE(Objects().ChooseEntry(-1));
}

TEST_F(PaletteTest, AllRacesSelectsTheNeutralTypesAndTheBoxSaysSo) {
    Objects().FillPalettePersons(1);
    EXPECT_EQ(Listed(), (Names{"Lučištník", "Rytíř"}));
    Objects().RaceBoxChange(0);  // "Všichni"
    EXPECT_EQ(Listed(), Names{"Vlk"});
    EXPECT_STREQ(kRaceItems[static_cast<size_t>(Objects().RaceItem())], "0 Neutrální");
    Objects().RaceBoxChange(3);  // "3 Trpaslíci"
    EXPECT_EQ(Listed(), Names{"Trpaslík"});

    Objects().FillPaletteBuildings(1, 1);
    EXPECT_EQ(Listed(), Names{});
    Objects().KindBoxChange(0);  // "Všechno": every kind of the race
    EXPECT_EQ(Listed(), (Names{"Kasárna", "Pokladnice"}));
    EXPECT_EQ(Objects().Filter(), (PaletteFilter{1, 0, 0, false}));
}

TEST_F(PaletteTest, UnitResourceAndNatureFillsEndAMixButKeepTheTool) {
    State().CurrentPack.TreeMode = 1;
    Tools().PressTerrainButton(4);
    Objects().FillPalettePersons(-1);
    EXPECT_EQ(State().CurrentPack.TreeMode, 0);
    EXPECT_EQ(State().ToolCode, 4);
    // A fill empties the selection.
    session->SelectedTypes.Add(1);
    Objects().FillPaletteResources();
    EXPECT_EQ(session->SelectedTypes.Count(), 0);
}

TEST_F(PaletteTest, TickBoxesSelectTypesForTheTreeBrush) {
    Objects().FillPaletteNature();
    ASSERT_EQ(Listed(), (Names{"Dub", "Palma", "Prastarý dub", "Smrk"}));
    Tools().PressTerrainButton(2);
    Objects().CheckBoxClick(0, true);
    Objects().CheckBoxClick(2, true);
    EXPECT_TRUE(session->SelectedTypes.Contains(4));
    EXPECT_TRUE(session->SelectedTypes.Contains(26));
    EXPECT_EQ(State().CurrentPack.TreeLetters, "XxX");
    EXPECT_EQ(State().CurrentPack.TreeMode, 1);
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_TRUE(Objects().Preview(0).Ticked);
    EXPECT_FALSE(Objects().Preview(1).Ticked);

    Objects().CheckBoxClick(0, false);
    Objects().CheckBoxClick(2, false);
    EXPECT_EQ(session->SelectedTypes.Count(), 0);
    EXPECT_EQ(State().CurrentPack.TreeLetters, "");

    Objects().CheckBoxClick(1, true);
    Objects().ClearClick();
    EXPECT_EQ(session->SelectedTypes.Count(), 0);
    EXPECT_FALSE(Objects().Preview(1).Ticked);
}

TEST_F(PaletteTest, TheMixPageArmsTheObjectToolWithTheMix) {
    Objects().FillPaletteNature();
    ASSERT_TRUE(Objects().SetSpacingText("5"));
    EXPECT_FALSE(Objects().SetSpacingText("5x"));
    EXPECT_FALSE(Objects().SetSpacingText(""));
    EXPECT_EQ(Objects().Spacing(), 5);
    State().CurrentPack.IdObject = 77;
    Objects().SelectNaturePage(NaturePage::Nahodny);
    const tAddPack& pack = State().CurrentPack;
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(pack.IdObject, 0);
    EXPECT_EQ(pack.OwnerClass, kOwnerObject);
    EXPECT_EQ(pack.RandomShade, 1);
    EXPECT_EQ(pack.Spacing, 5);
    EXPECT_EQ(pack.TreeMode, 1);
    EXPECT_EQ(pack.TreeLetters, "");  // every row "nic"

    Objects().SetMixKind(0, 0);
    Objects().SetMixKind(1, 1);
    Objects().SetMixWeight(1, 50);
    EXPECT_EQ(pack.TreeLetters, "jl");
    EXPECT_EQ(pack.TreeWeights, std::string({67, 33}));
    EXPECT_EQ(Objects().Mix().Labels[0], " 67%");

    Objects().SelectNaturePage(NaturePage::Vyber);
    EXPECT_EQ(pack.TreeMode, 0);
    EXPECT_EQ(Objects().Chosen(), -1);
    EXPECT_EQ(State().ToolCode, kObjectTool);
}

TEST_F(PaletteTest, InSoundModeAnEntryOpensItsSoundsAndLeavesTheBrush) {
    session->Options.SoundEditing = true;
    EXPECT_TRUE(Objects().EffectsTabShown());
    Tools().PressTerrainButton(6);
    Objects().FillPaletteBuildings(-1, 0);
    Objects().PreviewClick(0);  // Kasárna, type 11
    Objects().FillPalettePersons(-1);
    Objects().PreviewClick(0);  // Lučištník, person 28
    Objects().FillPaletteOther();
    Objects().PreviewClick(0);  // Balvan: the only "Další" type with sounds
    Objects().FillPaletteEffects();
    Objects().PreviewClick(1);  // Oheň, effect 7
    EXPECT_EQ(sounds.opened, (Names{"building 11", "person 28", "object 100", "effect 7"}));
    EXPECT_EQ(State().ToolCode, 6);
    EXPECT_EQ(Objects().Chosen(), 1);

    session->Options.SoundEditing = false;
    EXPECT_TRUE(Objects().EffectsTabShown());  // while it is the tab shown
    Objects().FillPaletteOther();
    EXPECT_FALSE(Objects().EffectsTabShown());
}

TEST_F(PaletteTest, ThePickShowsThePageAndChoosesTheEntryWithThatPicture) {
    Objects().Pick(PalettePage::AllUnits, 3053);
    EXPECT_EQ(Objects().Tab(), ObjectTab::Jednotky);
    EXPECT_EQ(Listed(), (Names{"Lučištník", "Rytíř", "Trpaslík", "Vlk"}));
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(State().CurrentPack.Extra, 2);
    EXPECT_EQ(Objects().Chosen(), 3);
    EXPECT_EQ(view.shown, 1);

    // Showing that page already: no second fill (the selection survives).
    session->SelectedTypes.Add(5);
    Objects().Pick(PalettePage::AllUnits, 3003);
    EXPECT_EQ(view.shown, 1);
    EXPECT_EQ(session->SelectedTypes.Count(), 1);
    EXPECT_EQ(State().CurrentPack.Extra, 1);  // Rytíř, the last of the two with that picture

    Objects().Pick(PalettePage::Nature, 26);
    EXPECT_EQ(Objects().Tab(), ObjectTab::Priroda);
    EXPECT_EQ(State().CurrentPack.IdObject, 26);
    Objects().Pick(PalettePage::AllBuildings, 510);
    EXPECT_EQ(Objects().Tab(), ObjectTab::Budovy);
    EXPECT_EQ(State().CurrentPack.Id, 11);
    EXPECT_EQ(session->Ports().Palette, &Objects());
}

TEST_F(PaletteTest, RestoredVisibleObjectPaletteListsOtherObjects) {
    WindowPlaces places{};
    session->PaletteRules().PlacesRestored(places);
    EXPECT_FALSE(Objects().Filled());
    places[kObjectPalette].Visible = 1;
    session->PaletteRules().PlacesRestored(places);
    EXPECT_EQ(Objects().Tab(), ObjectTab::Dalsi);
    EXPECT_EQ(Listed(), Names{"Balvan"});
}

}  // namespace
}  // namespace tess
