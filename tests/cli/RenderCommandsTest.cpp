// tessarine-cli map render and map minimap, run end to end on a small game made here.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "CliRun.h"
#include "game/Kalistor.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/BitmapWriter.h"
#include "writers/ObjectTableWriter.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

using test::RunCli;
using writers::RgbaImage;
using writers::RgbaPixel;

constexpr RgbaPixel kKey{255, 0, 255, 255};

// The flat tile colour of a terrain slot; every slot differs in red.
RgbaPixel SlotColour(int slot) {
    return {uint8_t(24 + 16 * slot), 120, 60, 255};
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    RgbaPixel At(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2], 255};
    }
};

Picture ReadPng(const std::string& path) {
    Picture picture;
    int channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
    EXPECT_NE(data, nullptr) << path;
    if (!data) return picture;
    picture.rgb.assign(data, data + size_t(picture.width) * picture.height * 3);
    stbi_image_free(data);
    return picture;
}

// What a pixel of a given colour reads back as after the 16-bit surface.
RgbaPixel Through565(RgbaPixel p) {
    auto five = [](uint8_t v) { return uint8_t((v >> 3) << 3 | (v >> 3) >> 2); };
    auto six = [](uint8_t v) { return uint8_t((v >> 2) << 2 | (v >> 2) >> 4); };
    return {five(p.r), six(p.g), five(p.b), 255};
}

// A game directory: terrain pictures (flat tiles filling their diamond), wall pictures, the
// wall-piece table, an object table with a building sprite, and a 40 x 100 map pair with a
// building of player 1 (blue) at (10, 40) and a wall block at (20, 60).
class RenderCommandsTest : public ::testing::Test {
  protected:
    RenderCommandsTest() : map(std::make_unique<tMapa>()), store(std::make_unique<tKalistor>()) {
        BigFile().Close();
        map->SetDefaultTerrains();
        for (int slot = 0; slot < 15; ++slot) {
            const std::string stem = "PICTURES/32x16/TERENY-/" + map->Terrains[size_t(slot)].Name;
            RgbaImage flat(128, 16, kKey);
            for (int y = 0; y < 16; ++y) {
                const int w = y < 8 ? 4 * (y + 1) : 4 * (16 - y);
                for (int v = 0; v < 4; ++v)
                    for (int x = 16 - w / 2; x < 16 + w / 2; ++x)
                        flat.At(32 * v + x, y) = SlotColour(slot);
            }
            dir.Write(stem + ".bmp", writers::WriteBmp24(flat));
            dir.Write(stem + "#.bmp", writers::WriteBmp24(RgbaImage(64, 280, kKey)));
        }
        for (int kind = 1; kind <= 16; ++kind) {
            RgbaImage wall(491, 649, kKey);
            for (int y = 1; y < 649; ++y)
                for (int x = 1; x < 491; ++x)
                    if (x % 65 > 8 && x % 65 < 56 && y % 81 > 30)
                        wall.At(x, y) = {250, 250, 10, 255};
            char name[64];
            std::snprintf(name, sizeof name, "PICTURES/32x16/WALL/zed%02d.bmp", kind);
            dir.Write(name, writers::WriteBmp24(wall));
        }
        std::vector<uint8_t> table(65536, 1);  // piece 1 for every open block
        table[0] = 255;
        dir.Write("DATA/teren.dat", table);
        RgbaImage hall(40, 30, kKey);
        for (int y = 2; y < 28; ++y)
            for (int x = 2; x < 38; ++x)
                hall.At(x, y) = {10, 240, 240, 255};
        dir.Write("PICTURES/obj/hall.dds", writers::WriteDds(hall));
        writers::ObjectRow row;
        row.Id = 1000;
        row.Name = "Sin";
        row.FileName = "obj/hall.dds";
        row.Typ_build = true;
        row.Relat_X = 20;
        row.Relat_Y = 26;
        row.Width = 40;
        row.Height = 30;
        writers::WriteDbf(dir.File("DATA/objects.dbf"), writers::ObjectTable({row}));

        Random random(2);
        map->FillAsNewMap(40, 100, random);
        for (int32_t y = 0; y < 100; y += 2)
            for (int32_t x = 0; x < 40; ++x)
                map->SetTerrain(x, y, (x / 4 + y / 10) % 15);
        store->Players[1].Used = 1;
        store->Players[1].Barva = 255 << 16;
        store->PlayerCount = 1;
        store->Settlements[1].Used = 1;
        store->Settlements[1].IdPlayer = 1;
        store->SettlementCount = 1;
        store->Buildings[1].Used = 1;
        store->Buildings[1].IdObject = 1000;
        store->Buildings[1].IdTouwn = 1;
        store->Buildings[1].X = 10;
        store->Buildings[1].Y = 40;
        store->BuildingCount = 1;
        map->SetOccupancy(10, 40, 2);
        map->SetLinkKind(10, 40, 1);
        map->SetId(10, 40, 1);
        for (const TPoint& p : tMapa::BlockCells(tMapa::BlockTop(20, 60))) {
            map->SetOccupancy(p.X, p.Y, 3);
            map->SetId(p.X, p.Y, 2);
        }
        mapName = dir.File("MAPS/test.map");
        std::filesystem::create_directories(dir.File("MAPS"));
        map->SaveToFileAtCentre(mapName, TPoint{20, 50});
        store->SaveToFile(GameDataName(mapName));
    }

    std::vector<std::string> Render(std::vector<std::string> extra) {
        std::vector<std::string> args = {"map", "render", mapName, "--game-dir",
                                         dir.Path().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    test::ScopedTestUi ui;  // the store's save looks for the building table this game lacks
    test::TempDir dir;
    test::TempDir out;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tKalistor> store;
    std::string mapName;
};

TEST_F(RenderCommandsTest, TheDefaultViewIsTheEditorsScreenAtTheStoredCentre) {
    const std::string png = out.File("view.png");
    const auto result = RunCli(Render({"-o", png}));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = result.Json();
    EXPECT_EQ(json["Width"], 1024);
    EXPECT_EQ(json["Height"], 768);
    // The centre (20, 50) less half of 33 columns and 101 rows, kept on the map.
    EXPECT_EQ(json["X"], 4);
    EXPECT_EQ(json["Y"], 0);
    const Picture p = ReadPng(png);
    EXPECT_EQ(p.width, 1024);
    EXPECT_EQ(p.height, 768);
}

TEST_F(RenderCommandsTest, CellsShowTheirTerrainAndTheBuildingItsPicture) {
    const std::string png = out.File("view.png");
    const auto result = RunCli(Render({"-o", png, "--view", "0,0,640,480"}));
    ASSERT_EQ(result.status, 0) << result.err;
    const Picture p = ReadPng(png);
    ASSERT_EQ(p.width, 640);
    // The centre of cell (x, y) at level 3: (32x + 16 (y mod 2), 8y - 12).
    for (auto [x, y] : {std::pair{3, 9}, std::pair{12, 30}, std::pair{17, 55}}) {
        const RgbaPixel want = Through565(SlotColour(map->GetTerrain(x, y)));
        EXPECT_EQ(p.At(32 * x + 16 * (y % 2), 8 * y - 12), want) << x << ", " << y;
    }
    // The building's anchor (10, 40) is at (320, 308); its picture reaches 20 left, 26 up.
    EXPECT_EQ(p.At(320, 298), Through565({10, 240, 240, 255}));
    // Without the building layer the terrain shows there.
    const auto hidden = RunCli(Render({"-o", png, "--view", "0,0,640,480", "--layers", "55"}));
    ASSERT_EQ(hidden.status, 0) << hidden.err;
    EXPECT_EQ(ReadPng(png).At(320, 298), Through565(SlotColour(map->GetTerrain(10, 39))));
}

TEST_F(RenderCommandsTest, TheWholeMapInBandsIsTheViewOfItAll) {
    const std::string all = out.File("all.png"), view = out.File("view.png");
    const auto a = RunCli(Render({"-o", all, "--all"}));
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.Json()["Width"], 40 * 32);
    EXPECT_EQ(a.Json()["Height"], 100 * 8);
    const auto v = RunCli(Render({"-o", view, "--view", "0,0,1280,800"}));
    ASSERT_EQ(v.status, 0) << v.err;
    const Picture pa = ReadPng(all), pv = ReadPng(view);
    ASSERT_EQ(pa.width, 1280);
    ASSERT_EQ(pa.height, 800);
    EXPECT_TRUE(pa.rgb == pv.rgb);
}

TEST_F(RenderCommandsTest, WrongUsageAndBadInput) {
    const std::string png = out.File("x.png");
    EXPECT_EQ(RunCli(Render({"-o", png, "--all", "--view", "0,0,10,10"})).status, 2);
    EXPECT_EQ(RunCli(Render({"-o", png, "--view", "0,0,0,10"})).status, 2);
    EXPECT_EQ(RunCli(Render({"-o", png, "--view", "1,2,3"})).status, 2);
    EXPECT_EQ(RunCli(Render({"-o", png, "--layers", "64"})).status, 2);
    EXPECT_EQ(RunCli(Render({})).status, 2);
    // A damaged map file: refused, and no picture appears.
    const std::string broken = dir.Write("MAPS/broken.map", std::string("not a map"));
    const auto result =
        RunCli({"map", "render", broken, "--game-dir", dir.Path().string(), "-o", png});
    EXPECT_EQ(result.status, 3);
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(RenderCommandsTest, TheMiniMapShowsTerrainWallsOwnersAndTheFrame) {
    const std::string png = out.File("mini.png");
    const auto result =
        RunCli({"map", "minimap", mapName, "--game-dir", dir.Path().string(), "-o", png});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = result.Json();
    EXPECT_EQ(json["Width"], 40);
    EXPECT_EQ(json["Height"], 50);
    EXPECT_EQ(json["ScaleX"], 1);
    EXPECT_EQ(json["ScaleY"], 2);
    const Picture p = ReadPng(png);
    ASSERT_EQ(p.width, 40);
    ASSERT_EQ(p.height, 50);
    // Terrain colours are the tile centres of the default terrain list's pictures.
    EXPECT_EQ(p.At(3, 5), Through565(SlotColour(map->GetTerrain(3, 10))));
    EXPECT_EQ(p.At(10, 20), Through565({0, 0, 255, 255}));  // the building, player 1 blue
    EXPECT_EQ(p.At(20, 30), Through565({0, 0, 0, 255}));    // the wall
    // The frame's top-left corner: the view at (8, 0).
    const auto frame = json["Frame"];
    EXPECT_EQ(p.At(frame[0], frame[1]), Through565({255, 255, 255, 255}));
}

}  // namespace
}  // namespace tess
