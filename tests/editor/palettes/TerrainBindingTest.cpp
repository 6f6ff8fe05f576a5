// "Navolit terén": what it shows, what Ok stores, and the pictures that follow a slot's name.
#include "editor/palettes/TerrainBinding.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "PaletteFixture.h"
#include "view/ViewFixture.h"

namespace tess {
namespace {

using test::PaletteTest;

TEST(TerrainBindingTest, OkStoresAtMostThirtyCharactersAndTheShade) {
    auto map = std::make_unique<tMapa>();
    map->SetDefaultTerrains();
    TerrainBinding binding(*map, 9);
    EXPECT_EQ(binding.Terrain(), 9);
    EXPECT_EQ(binding.Name(), "Snih");
    EXPECT_FALSE(binding.Shade());  // "Snih" is the slot the game does not shade
    EXPECT_FALSE(binding.Apply(*map));

    binding.PictureSetChosen("snih02");
    binding.SetShade(true);
    EXPECT_TRUE(binding.Apply(*map));
    EXPECT_EQ(map->Terrains[9].Name, "snih02");
    EXPECT_EQ(map->Terrains[9].Shade, 1);

    // Thirty characters of the code page, however many bytes their UTF-8 takes.
    binding.PictureSetChosen("Žluťoučký kůň úpěl ďábelské ódy navždy");
    binding.Apply(*map);
    EXPECT_EQ(map->Terrains[9].Name.size(), kSlotNameChars);
    EXPECT_EQ(Cp1250ToUtf8(map->Terrains[9].Name), "Žluťoučký kůň úpěl ďábelské ód");
}

TEST(TerrainBindingTest, BrowsingTakesTheFileNameWithoutItsDirectoryAndSuffix) {
    auto map = std::make_unique<tMapa>();
    map->SetDefaultTerrains();
    TerrainBinding binding(*map, 2);
    EXPECT_EQ(binding.BrowseFileName(), "HlinaK#.bmp");
    binding.FileChosen("/games/velmora/PICTURES/32x16/TERENY-/mramor01#.bmp");
    EXPECT_EQ(binding.Name(), "mramor01");
    binding.FileChosen("a.b");
    EXPECT_EQ(binding.Name(), "");
}

TEST_F(PaletteTest, RenamingASlotToLavaChangesThePicturesOfItsCellsAtTheNextRedraw) {
    std::filesystem::copy(test::FixtureGame::Get().Dir() / "PICTURES", dir.Path() / "PICTURES",
                          std::filesystem::copy_options::recursive);
    session->CreateMap();
    session->MeReSize(320, 240);
    session->CreateView();
    tMapa& map = session->Map();
    map.FillAsNewMap(64, 64, session->Rng());  // terrain 5 ("Trava") everywhere
    // The red of the fixture's terrain pictures tells their slot: 30 + 12 * slot.
    auto pixelsOfSlot = [&](int slot) {
        session->MeView();
        const int red = 30 + 12 * slot;
        int64_t count = 0;
        const tSurface& surface = session->Surface();
        for (int32_t y = 0; y < surface.Height(); ++y)
            for (int32_t x = 0; x < surface.Width(); ++x)
                count += std::abs(surface.ColorAt(x, y).r - red) <= 4;
        return count;
    };
    EXPECT_GT(pixelsOfSlot(5), 10000);
    EXPECT_EQ(pixelsOfSlot(14), 0);
    const std::vector<tMapCell> cells(map.Cells(), map.Cells() + kMapStorage * 66);

    TerrainBinding binding(map, 5);
    binding.PictureSetChosen("lava");
    session->PaletteRules().BindingAccepted(binding);
    EXPECT_EQ(map.Terrains[5].Name, "lava");
    EXPECT_TRUE(session->Modified);
    EXPECT_EQ(session->Tools().State().ToolCode, 5);
    EXPECT_EQ(session->Tools().Marks().TerrainDown, 5);
    EXPECT_EQ(pixelsOfSlot(5), 0);
    EXPECT_GT(pixelsOfSlot(14), 10000);
    EXPECT_TRUE(std::equal(cells.begin(), cells.end(), map.Cells()));

    // A name that has no pictures is refused: the slot and its pictures stay.
    session->Modified = false;
    TerrainBinding typo(map, 5);
    typo.PictureSetChosen("lavaa");
    EXPECT_FALSE(session->PaletteRules().BindingAccepted(typo));
    EXPECT_EQ(map.Terrains[5].Name, "lava");
    EXPECT_FALSE(session->Modified);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back(), "neni soubor PICTURES/32x16/TERENY-/lavaa.bmp");
    EXPECT_GT(pixelsOfSlot(14), 10000);
}

}  // namespace
}  // namespace tess
