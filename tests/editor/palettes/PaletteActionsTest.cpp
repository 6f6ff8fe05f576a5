// The palette actions of scripts once their values are read: an entry of a filled tab, the
// mix, a new settlement, and the errors a script gets.
#include "editor/palettes/PaletteActions.h"

#include <gtest/gtest.h>

#include "PaletteFixture.h"
#include "editor/ScriptRunner.h"

namespace tess {
namespace {

using test::PaletteTest;

TEST_F(PaletteTest, AScriptChoosesAnEntryOfATabFilledAsItsMenuFillsIt) {
    ChooseFromPalette(Objects(), {ObjectTab::Jednotky, 1, 0, 0, 1});
    EXPECT_EQ(Objects().Tab(), ObjectTab::Jednotky);
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(State().CurrentPack.Extra, 1);        // Rytíř, after Lučištník
    EXPECT_EQ(State().CurrentPack.RandomShade, 1);  // "Náhodně umístit" as it stands

    ChooseFromPalette(Objects(), {ObjectTab::Budovy, -1, 0, 0, 0});
    EXPECT_EQ(State().CurrentPack.Id, 11);
    EXPECT_EQ(State().CurrentPack.RandomShade, 0);  // "Budovy" unticks it

    ChooseFromPalette(Objects(), {ObjectTab::Priroda, -1, 0, ')', 0});
    EXPECT_EQ(State().CurrentPack.IdObject, 26);
    EXPECT_EQ(State().CurrentPack.RandomShade, 1);

    try {
        ChooseFromPalette(Objects(), {ObjectTab::Dalsi, -1, 0, 0, 1});
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(), "\"Další\" lists 1 entries, there is no entry 1");
    }
}

TEST_F(PaletteTest, AScriptMixFillsFourRowsAndTheSpacing) {
    Tools().PressTerrainButton(1);
    ChooseMix(Objects(), {{{'j', 100}, {'l', 50}}, 4});
    EXPECT_EQ(Objects().Tab(), ObjectTab::Priroda);
    EXPECT_EQ(Objects().Nature(), NaturePage::Nahodny);
    const tAddPack& pack = State().CurrentPack;
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(pack.TreeMode, 1);
    EXPECT_EQ(pack.TreeLetters, "jl");
    EXPECT_EQ(pack.TreeWeights, std::string({67, 33}));
    EXPECT_EQ(pack.Spacing, 4);
    EXPECT_EQ(Objects().MixRows()[2].Kind, -1);

    // A second mix replaces the first; a row at 0 drops out, even after a row that had a kind.
    ChooseMix(Objects(), {{{'t', 0}, {')', 30}}, std::nullopt});
    EXPECT_EQ(pack.TreeLetters, ")");
    EXPECT_EQ(pack.TreeWeights, std::string({100}));
    EXPECT_EQ(pack.Spacing, 4);

    EXPECT_THROW(ChooseMix(Objects(), {{{'q', 10}}, std::nullopt}), ScriptError);
    EXPECT_THROW(ChooseMix(Objects(), {{{'j', 1}, {'j', 1}, {'j', 1}, {'j', 1}, {'j', 1}}, 3}),
                 ScriptError);
    EXPECT_EQ(pack.TreeLetters, ")");  // a refused mix changes nothing
}

TEST_F(PaletteTest, AScriptSettlementNamesItsKindAndFailsWithTheTablesMessage) {
    EXPECT_EQ(SettlementKindByName("osada"), 1);
    EXPECT_EQ(SettlementKindByName("ves"), 2);
    EXPECT_EQ(SettlementKindByName("mesto"), 3);
    EXPECT_EQ(SettlementKindByName("Mesto"), 0);
    ChooseNewSettlement(Tools(), 3, 4);
    EXPECT_EQ(State().CurrentPack.Id, 40);
    try {
        ChooseNewSettlement(Tools(), 1, 3);
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(), "Nedostatek informaci v DATA\\BUILDING.dbf");
    }
    EXPECT_EQ(State().CurrentPack.Id, 40);
}

}  // namespace
}  // namespace tess
