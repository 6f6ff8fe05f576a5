// The map grid: cell packing, neighbours, blocks, Create/Clear and the map file.
#include "map/MapDat.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"

namespace tess {
namespace {

// The cells are large (25 MB each): one map per test fixture, reused by its cases.
class MapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Random random(7);
        map.Create(40, 30, random, WallTableSource::None);
    }
    tMapa map;
    test::ScopedTestUi ui;
};

// A map file put together byte by byte, independently of SaveToFile.
struct MapFile {
    double version = kMapFileVersion;
    int32_t width = 0;
    int32_t height = 0;
    std::function<tMapCell(int, int)> cell = [](int, int) { return tMapCell{}; };
    std::vector<uint8_t> Bytes(int32_t centreX, int32_t centreY,
                               const std::vector<std::string>& names,
                               const std::vector<uint8_t>& shades) const {
        ByteWriter out;
        out.F64(version);
        out.I32(width);
        out.I32(height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (uint16_t word : cell(x, y).w)
                    out.U16(word);
        out.I32(centreX);
        out.I32(centreY);
        for (const std::string& name : names)
            out.ShortString(name, 30);
        for (uint8_t shade : shades)
            out.U8(shade);
        return std::move(out.Data());
    }
    size_t CellsEnd() const { return 16 + 6 * size_t(width) * size_t(height); }
};

tMapCell MakeCell(uint16_t w0, uint16_t w1, uint16_t w2) {
    tMapCell c;
    c.w[0] = w0;
    c.w[1] = w1;
    c.w[2] = w2;
    return c;
}

// A cell pattern that differs from cell to cell in every word, reserved bits included.
tMapCell Pattern(int x, int y) {
    return MakeCell(static_cast<uint16_t>(x * 131 + y * 7 + 0x3000),
                    static_cast<uint16_t>(y * 257 + x + 0x8000),
                    static_cast<uint16_t>(x ^ (y << 5)));
}

std::vector<std::string> Names(const std::string& stem) {
    std::vector<std::string> names;
    for (int i = 0; i < 16; ++i)
        names.push_back(stem + std::to_string(i));
    return names;
}

TEST_F(MapTest, SettersPackEveryFieldAtItsBitsAndTakeValuesModuloTheirWidth) {
    map.SetCell(3, 4, MakeCell(0xFFFF, 0xFFFF, 0xFFFF));
    map.SetLevel(3, 4, 0);
    map.SetTileVariant(3, 4, 9);  // 9 mod 8
    map.SetOccupancy(3, 4, 6);    // 6 mod 4
    map.SetAnimRow(3, 4, 0);
    map.SetJitter(3, 4, 0x1AB);  // low 8 bits
    map.SetLinkKind(3, 4, 1);
    map.SetId(3, 4, 0x12345);  // low 16 bits
    const tMapCell& c = map.Cell(3, 4);
    // Terrain, Variant, the reserved bits 12-15 of word 0 and bit 15 of word 1 are untouched.
    EXPECT_EQ(c.w[0], (0xFFFF & ~(7 << 6) & ~(7 << 9)) | (1 << 9));
    EXPECT_EQ(c.w[1],
              (0xFFFF & ~3 & ~(7 << 2) & ~(0xFF << 5) & ~(3 << 13)) | 2 | (0xAB << 5) | (1 << 13));
    EXPECT_EQ(c.w[2], 0x2345);
    EXPECT_EQ(map.GetLevel(3, 4), 0);
    EXPECT_EQ(map.GetTileVariant(3, 4), 1);
    EXPECT_EQ(map.GetOccupancy(3, 4), 2);
    EXPECT_EQ(map.GetJitter(3, 4), 0xAB);
    EXPECT_EQ(map.GetLinkKind(3, 4), 1);
    EXPECT_EQ(map.GetTerrain(3, 4), 15);
    EXPECT_EQ(map.GetVariant(3, 4), 3);
    EXPECT_EQ(map.Cell(3, 4).BlockMark(), 3);

    map.SetCell(3, 4, tMapCell{});
    map.SetTerrain(3, 4, 0x1E);  // low 4 bits
    map.SetVariant(3, 4, 7);
    map.SetBlockMark(3, 4, 2);
    map.SetLevel(3, 4, 13);
    map.SetAnimRow(3, 4, 5);
    EXPECT_EQ(map.Cell(3, 4).w[0], 0xE | (3 << 4) | (5 << 6) | (2 << 14));
    EXPECT_EQ(map.Cell(3, 4).w[1], 5 << 2);
}

TEST_F(MapTest, NeighboursFollowTheRowParityAndStayInRange) {
    const int dxEven[] = {0, 1, 0, 0, -1, -1, -1, 0}, dyEven[] = {-1, 0, 1, 2, 1, 0, -1, -2};
    const int dxOdd[] = {1, 1, 1, 0, 0, -1, 0, 0}, dyOdd[] = {-1, 0, 1, 2, 1, 0, -1, -2};
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(map.Neighbour(10, 10, d), (TPoint{10 + dxEven[d], 10 + dyEven[d]})) << d;
        EXPECT_EQ(map.Neighbour(10, 11, d), (TPoint{10 + dxOdd[d], 11 + dyOdd[d]})) << d;
    }
    // From (0, 0) only directions 1, 2 and 3 leave the cell.
    const TPoint origin{0, 0};
    EXPECT_EQ(map.Neighbour(0, 0, 1), (TPoint{1, 0}));
    EXPECT_EQ(map.Neighbour(0, 0, 2), (TPoint{0, 1}));
    EXPECT_EQ(map.Neighbour(0, 0, 3), (TPoint{0, 2}));
    for (int d : {0, 5, 6, 7})
        EXPECT_EQ(map.Neighbour(0, 0, d), origin) << d;
    EXPECT_EQ(map.Neighbour(0, 0, 4), (TPoint{0, 1}));  // (-1, 1) brought into range
    // The extra column and row are in range; one step beyond is not.
    EXPECT_EQ(map.Neighbour(39, 29, 2), (TPoint{40, 30}));
    EXPECT_EQ(map.Neighbour(40, 30, 1), (TPoint{40, 30}));
    EXPECT_EQ(map.Neighbour(40, 29, 3), (TPoint{40, 30}));
    // Points far out are brought in without overflow; a bad direction only clamps.
    EXPECT_EQ(map.Neighbour(INT32_MAX, INT32_MIN, 1), (TPoint{40, 0}));
    EXPECT_EQ(map.Neighbour(5, 5, 8), (TPoint{5, 5}));
    EXPECT_EQ(map.Neighbour(-5, 50, -1), (TPoint{0, 30}));
    // Steps along the two diamond axes commute.
    for (int y = 2; y < 6; ++y) {
        const TPoint a = map.Neighbour(10, y, 0), b = map.Neighbour(10, y, 6);
        EXPECT_EQ(map.Neighbour(a.X, a.Y, 6), map.Neighbour(b.X, b.Y, 0)) << y;
    }
}

TEST_F(MapTest, GettersClampAndSettersIgnorePointsOutOfRange) {
    map.SetId(0, 0, 11);
    map.SetId(40, 30, 22);  // the extra corner cell is in range
    map.SetId(40, 0, 33);
    EXPECT_EQ(map.GetId(-1, -1), 11);
    EXPECT_EQ(map.GetId(INT32_MIN, INT32_MIN), 11);
    EXPECT_EQ(map.GetId(41, 31), 22);
    EXPECT_EQ(map.GetId(INT32_MAX, -7), 33);

    const tMapCell before = map.Cell(40, 30);
    for (auto [x, y] : {std::pair{41, 30}, {40, 31}, {-1, 0}, {0, -1}}) {
        map.SetId(x, y, 99);
        map.SetLevel(x, y, 7);
        map.SetTerrain(x, y, 9);
        map.SetVariant(x, y, 2);
        map.SetCell(x, y, MakeCell(1, 2, 3));
    }
    EXPECT_EQ(map.Cell(40, 30), before);
    EXPECT_EQ(map.GetId(0, 0), 11);
    EXPECT_NE(map.GetTerrain(0, 0), 9);
}

TEST_F(MapTest, BlocksOfFourPartitionTheGrid) {
    // Every cell maps to a top cell whose block holds it, and all four map back to that top.
    for (int y = 2; y < 20; ++y) {
        for (int x = 1; x < 20; ++x) {
            const TPoint top = tMapa::BlockTop(x, y);
            const auto cells = tMapa::BlockCells(top);
            EXPECT_NE(std::find(cells.begin(), cells.end(), TPoint{x, y}), cells.end())
                << x << "," << y;
            for (const TPoint& c : cells)
                EXPECT_EQ(tMapa::BlockTop(c.X, c.Y), top);
            EXPECT_EQ(tMapa::IsBlockBottom(x, y), (TPoint{x, y} == cells[2]));
        }
    }
    // The block's cells are the walk from its top cell: down-right, down-left, up-left.
    const TPoint top = tMapa::BlockTop(1, 4);
    EXPECT_EQ(top, (TPoint{1, 4}));
    const TPoint r = map.Neighbour(top.X, top.Y, kDirDownRight);
    const TPoint b = map.Neighbour(r.X, r.Y, kDirDownLeft);
    const TPoint l = map.Neighbour(b.X, b.Y, kDirUpLeft);
    EXPECT_EQ(tMapa::BlockCells(top), (std::array<TPoint, 4>{top, r, b, l}));
}

TEST_F(MapTest, BlockSettersWriteAcrossRowsAndOnlyTheirOwnBlock) {
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 40; ++x)
            map.SetTerrain(x, y, 0);
    // (3, 6) is a bottom cell: its top is two rows up, its sides one row up.
    ASSERT_TRUE(tMapa::IsBlockBottom(3, 6));
    map.SetTerrain(3, 6, 5);
    std::vector<TPoint> changed;
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 40; ++x)
            if (map.GetTerrain(x, y) == 5) changed.push_back({x, y});
    EXPECT_EQ(changed, (std::vector<TPoint>{{3, 4}, {2, 5}, {3, 5}, {3, 6}}));

    // A bottom cell on row 0 belongs to a block above the map: only that one cell changes.
    ASSERT_TRUE(tMapa::IsBlockBottom(0, 0));
    map.SetBlockMark(0, 0, 2);
    int marked = 0;
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 40; ++x)
            marked += map.Cell(x, y).BlockMark() != 0;
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(map.Cell(0, 0).BlockMark(), 2);
    // A top cell on row 0: its block reaches row 2 and the left cell one column back.
    map.SetBlockMark(1, 0, 1);
    EXPECT_EQ(map.Cell(1, 1).BlockMark(), 1);
    EXPECT_EQ(map.Cell(1, 2).BlockMark(), 1);
    EXPECT_EQ(map.Cell(0, 1).BlockMark(), 1);
    EXPECT_EQ(map.Cell(0, 0).BlockMark(), 2);
    // A block cut by the left edge writes its cells that are in range.
    map.SetVariant(0, 5, 0);
    map.SetVariant(0, 5, 2);  // (0, 5) is the left cell of the block with top (1, 4)
    EXPECT_EQ(map.GetVariant(1, 4), 2);
    EXPECT_EQ(map.GetVariant(1, 6), 2);
}

TEST(MapCreate, ClearRollsTheCellsFromTheSeedAndSetsTheDefaults) {
    test::ScopedTestUi ui;
    tMapa a;
    tMapa b;
    Random ra(42), rb(42);
    a.Create(300, 200, ra, WallTableSource::None);
    a.SetId(5, 5, 77);
    a.Terrains[0].Name = "x";
    a.Clear(ra);
    b.Create(300, 200, rb, WallTableSource::None);
    b.Clear(rb);
    EXPECT_EQ(a.GetId(5, 5), 0);
    EXPECT_EQ(a.Terrains[0].Name, "Skala");
    int sameAsB = 0, tileHistogram[8] = {}, jitterHigh = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            const tMapCell& c = a.Cell(x, y);
            sameAsB += c == b.Cell(x, y);
            EXPECT_EQ(c.Level(), 3);
            EXPECT_EQ(c.Terrain(), 0);
            EXPECT_EQ(c.Occupancy() | c.LinkKind() | c.Id(), 0);
            ++tileHistogram[c.TileVariant()];
            jitterHigh += c.Jitter() >= 128;
        }
    }
    EXPECT_EQ(sameAsB, 300 * 200);
    for (int n : tileHistogram)
        EXPECT_GT(n, 300 * 200 / 16);
    EXPECT_GT(jitterHigh, 300 * 200 / 4);
    // The extra column and row get no roll of their own.
    EXPECT_EQ(a.Cell(300, 100).Level(), 0);
    EXPECT_EQ(a.Cell(150, 200).Level(), 0);
    EXPECT_TRUE(ui.errors.empty());

    const char* names[16] = {"Skala",
                             "Poust",
                             "HlinaK",
                             "KameniB",
                             "KameniT",
                             "Trava",
                             "TravaS",
                             "Les",
                             "Bazina",
                             "Snih",
                             "cp",
                             "ck",
                             "Voda-melka-pohyb0000",
                             "Voda-hluboka-pohyb0000",
                             "Lava",
                             ""};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(a.Terrains[i].Name, names[i]);
        EXPECT_EQ(a.Terrains[i].Shade, i == 9 ? 0 : 1);
    }
    // A different seed gives a different map.
    Random rc(43);
    b.Clear(rc);
    int differs = 0;
    for (int x = 0; x < 300; ++x)
        differs += !(a.Cell(x, 7) == b.Cell(x, 7));
    EXPECT_GT(differs, 200);
}

TEST(MapCreate, CapsTheSizeAndReadsTheWallTableThroughTheArchive) {
    test::ScopedTestUi ui;
    test::TempDir dir;
    test::ScopedCurrentDir cd(dir.Path());
    tMapa map;
    Random random(1);

    // Missing: the error box with the file name, and no wall pieces at all.
    map.WallTable.assign(kWallTableSize, 0);
    map.TerrainLoaded.fill(true);
    map.Create(5000, -3, random);
    EXPECT_EQ(map.Width, 2047);
    EXPECT_EQ(map.Height, 0);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "Nelze nalezt definicni soubor vazby terenu \"DATA\\teren.dat\".");
    ASSERT_EQ(map.WallTable.size(), kWallTableSize);
    EXPECT_EQ(std::count(map.WallTable.begin(), map.WallTable.end(), 255), 65536);
    for (bool loaded : map.TerrainLoaded)
        EXPECT_FALSE(loaded);

    // Too short counts as unreadable.
    dir.Write("Data/Teren.dat", std::vector<uint8_t>(65535, 1));
    map.Create(10, 10, random);
    EXPECT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(map.WallTable[0], 255);

    // Present on the disk (any case, "\" separator): read as it is.
    std::vector<uint8_t> table(kWallTableSize);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<uint8_t>(i * 7);
    dir.Write("Data/Teren.dat", table);
    map.Create(10, 10, random);
    EXPECT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(map.WallTable, table);

    // The archive wins over the disk.
    std::vector<uint8_t> archived(kWallTableSize, 3);
    BigFile().Open(dir.Write("zor.dat", writers::BuildArchive({{"DATA/TEREN.DAT", archived}})));
    map.Create(10, 10, random);
    BigFile().Close();
    EXPECT_EQ(map.WallTable, archived);

    // Tools that never draw walls skip the file and the message.
    map.Create(10, 10, random, WallTableSource::None);
    EXPECT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(map.WallTable[1], 255);
}

TEST(MapCreate, NewMapFillsTerrainFiveLevelThreeAndTheExtraColumnAndRow) {
    tMapa map;
    Random random(9);
    map.FillAsNewMap(128, 130, random);
    EXPECT_EQ(map.Width, 128);
    EXPECT_EQ(map.Height, 130);
    int variants[4] = {};
    for (int y = 0; y <= 130; ++y) {
        for (int x = 0; x <= 128; ++x) {
            ASSERT_EQ(map.GetTerrain(x, y), 5) << x << "," << y;
            ASSERT_EQ(map.GetLevel(x, y), 3) << x << "," << y;
            ++variants[map.GetVariant(x, y)];
        }
    }
    for (int n : variants)
        EXPECT_GT(n, 129 * 131 / 8);
    // Same seed, same map.
    tMapa again;
    Random same(9);
    again.FillAsNewMap(128, 130, same);
    for (int y = 0; y <= 130; y += 13)
        for (int x = 0; x <= 128; ++x)
            ASSERT_EQ(map.Cell(x, y), again.Cell(x, y));
}

class MapFileTest : public MapTest {
  protected:
    std::string Write(const std::string& file, const std::vector<uint8_t>& bytes) {
        return dir.Write(file, bytes);
    }
    // What the map holds, to show that a refused file changed nothing.
    struct Snapshot {
        int32_t width, height;
        std::vector<tMapCell> cells;
        std::vector<std::string> names;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot Take() const {
        Snapshot s{map.Width, map.Height, {}, {}};
        for (int y = 0; y <= 41; ++y)
            for (int x = 0; x <= 41; ++x)
                s.cells.push_back(map.Cells()[tMapa::Index(x, y)]);
        for (const TerrainSlot& t : map.Terrains)
            s.names.push_back(t.Name);
        return s;
    }
    test::TempDir dir;
    ViewPosition view;
};

TEST_F(MapFileTest, SavesTheExactLayoutAndLoadsItBack128By512) {
    Random random(3);
    map.Create(128, 512, random, WallTableSource::None);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 128; ++x)
            map.SetCell(x, y, Pattern(x, y));
    map.Terrains[3] = {"K\xE1men", 0};
    map.Terrains[15] = {std::string(30, 'z'), 7};
    view = {10, 20, 0, 0, 1024, 768};
    const TPoint centre = tMapa::ViewCentreOf(view);
    EXPECT_EQ(centre, (TPoint{10 + (1024 / 32 + 1) / 2, 20 + ((768 + 32) / 8 + 1) / 2}));

    MemorySettings settings;
    const std::string path = dir.File("m.map");
    map.SaveToFile(path, view, &settings);
    EXPECT_EQ(settings.GetString("LastMap", ""), path);
    const std::vector<uint8_t> bytes = test::ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 393752u);

    MapFile expected;
    expected.width = 128;
    expected.height = 512;
    expected.cell = Pattern;
    std::vector<std::string> names;
    std::vector<uint8_t> shades;
    for (const TerrainSlot& t : map.Terrains) {
        names.push_back(t.Name);
        shades.push_back(t.Shade);
    }
    EXPECT_EQ(bytes, expected.Bytes(centre.X, centre.Y, names, shades));

    tMapa loaded;
    ViewPosition other{0, 0, 0, 0, 1024, 768};
    ASSERT_TRUE(loaded.LoadFromFile(path, other));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(loaded.Width, 128);
    EXPECT_EQ(loaded.Height, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(loaded.Cell(x, y), Pattern(x, y)) << x << "," << y;
    EXPECT_EQ(loaded.Terrains[3].Name, "K\xE1men");
    EXPECT_EQ(loaded.Terrains[3].Shade, 0);
    EXPECT_EQ(loaded.Terrains[15].Shade, 7);
    EXPECT_EQ(other.X, 10);
    EXPECT_EQ(other.Y, 20);
    EXPECT_EQ(loaded.StoredViewCentre(), centre);

    // Saving what was loaded gives the same bytes.
    loaded.SaveToFile(dir.File("again.map"), other);
    EXPECT_EQ(test::ReadFileBytes(dir.File("again.map")), bytes);
}

TEST_F(MapFileTest, ViewCentreIsClampedIntoTheMapOnLoad) {
    const ViewPosition screen{0, 0, 0, 0, 1024, 768};
    const auto place = [&](TPoint centre, int w, int h) {
        ViewPosition v = screen;
        tMapa::PlaceView(v, centre, w, h);
        return TPoint{v.X, v.Y};
    };
    // Half a screen is 16 columns and 50 rows ((768 + 32) / 8 = 100, +1, / 2).
    EXPECT_EQ(place({100, 300}, 256, 512), (TPoint{84, 250}));
    EXPECT_EQ(place({3, 7}, 256, 512), (TPoint{0, 0}));  // raised to 0
    EXPECT_EQ(place({INT32_MIN, INT32_MIN}, 256, 512), (TPoint{0, 0}));
    // Past the far edge: the view ends at the edge (1024 / 32 = 32 columns, 768 / 8 = 96 rows).
    EXPECT_EQ(place({250, 510}, 256, 512), (TPoint{256 - 32, 512 - 96}));
    EXPECT_EQ(place({INT32_MAX, INT32_MAX}, 256, 512), (TPoint{224, 416}));
    // Save and load round trip wherever the view is not pushed back by an edge.
    for (int x : {0, 17, 200})
        for (int y : {0, 1, 333}) {
            ViewPosition v = screen;
            v.X = x;
            v.Y = y;
            const TPoint c = tMapa::ViewCentreOf(v);
            EXPECT_EQ(place(c, 256, 512), (TPoint{x, y}));
        }
    // No stored centre: the top-left corner.
    ViewPosition v{5, 6, 0, 0, 1024, 768};
    tMapa::PlaceView(v, std::nullopt, 256, 512);
    EXPECT_EQ(v.X, 0);
    EXPECT_EQ(v.Y, 0);
}

TEST_F(MapFileTest, ShortFilesFallBackToDefaults) {
    MapFile file;
    file.width = 6;
    file.height = 5;
    file.cell = Pattern;
    const std::vector<uint8_t> full = file.Bytes(4, 3, Names("t"), std::vector<uint8_t>(16, 0));

    // Ends right after the cells: view (0, 0), default names, every shade 1 but "Snih".
    view = {9, 9, 0, 0, 64, 64};
    ASSERT_TRUE(map.LoadFromFile(
        Write("cells.map", {full.begin(), full.begin() + long(file.CellsEnd())}), view));
    EXPECT_EQ(view.X, 0);
    EXPECT_EQ(view.Y, 0);
    EXPECT_FALSE(map.StoredViewCentre().has_value());
    EXPECT_EQ(map.Terrains[9].Name, "Snih");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(map.Terrains[i].Shade, i == 9 ? 0 : 1) << i;
    EXPECT_EQ(map.Cell(5, 4), Pattern(5, 4));

    // A partial view centre counts as none.
    ASSERT_TRUE(map.LoadFromFile(
        Write("part.map", {full.begin(), full.begin() + long(file.CellsEnd()) + 5}), view));
    EXPECT_FALSE(map.StoredViewCentre().has_value());

    // Ends after the view centre: the centre is used, the lists fall back.
    ASSERT_TRUE(map.LoadFromFile(
        Write("centre.map", {full.begin(), full.begin() + long(file.CellsEnd()) + 8}), view));
    EXPECT_EQ(map.StoredViewCentre(), (TPoint{4, 3}));
    EXPECT_EQ(map.Terrains[0].Name, "Skala");

    // Ends after the names: names read, shades fall back.
    ASSERT_TRUE(map.LoadFromFile(Write("names.map", {full.begin(), full.end() - 16}), view));
    EXPECT_EQ(map.Terrains[0].Name, "t0");
    EXPECT_EQ(map.Terrains[15].Name, "t15");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(map.Terrains[i].Shade, i == 9 ? 0 : 1) << i;

    // Complete, and trailing bytes are ignored.
    std::vector<uint8_t> longer = full;
    longer.push_back(0xEE);
    ASSERT_TRUE(map.LoadFromFile(Write("long.map", longer), view));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(map.Terrains[i].Shade, 0) << i;
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MapFileTest, OtherVersionsAreRefusedWithTheVersionMessage) {
    const NumberFormat saved = UserNumberFormat();
    MapFile file;
    file.version = 1.01;
    file.width = 4;
    file.height = 4;
    const std::string path =
        Write("old.map", file.Bytes(0, 0, Names("n"), std::vector<uint8_t>(16)));
    const Snapshot before = Take();
    EXPECT_FALSE(map.LoadFromFile(path, view));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "soubor \"" + path + "\" je verze 1.01\rTessarine je verze 1.02");
    EXPECT_EQ(Take(), before);

    UserNumberFormat() = NumberFormat{",", " "};
    file.version = 1234.5;
    EXPECT_FALSE(map.LoadFromFile(Write("new.map", file.Bytes(0, 0, {}, {})), view));
    EXPECT_NE(ui.messages.back().find("je verze 1 234,50\rTessarine je verze 1,02"),
              std::string::npos)
        << ui.messages.back();
    // A version that is not a number at all still gives a readable message.
    file.version = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(map.LoadFromFile(Write("nan.map", file.Bytes(0, 0, {}, {})), view));
    EXPECT_NE(ui.messages.back().find("je verze NAN\r"), std::string::npos);
    file.version = 1e300;
    EXPECT_FALSE(map.LoadFromFile(Write("huge.map", file.Bytes(0, 0, {}, {})), view));
    EXPECT_EQ(Take(), before);
    UserNumberFormat() = saved;
}

TEST_F(MapFileTest, DamagedFilesAreRefusedAndLeaveTheMapUntouched) {
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            map.SetCell(x, y, Pattern(x + 1, y));
    map.Terrains[2].Name = "mine";
    const Snapshot before = Take();

    MapFile file;
    file.width = 8;
    file.height = 8;
    file.cell = Pattern;
    const std::vector<uint8_t> good = file.Bytes(1, 1, Names("x"), std::vector<uint8_t>(16, 1));
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    const auto withSize = [&](int32_t w, int32_t h) {
        std::vector<uint8_t> b = good;
        ByteWriter dims;
        dims.I32(w);
        dims.I32(h);
        std::copy(dims.Data().begin(), dims.Data().end(), b.begin() + 8);
        return b;
    };
    cases.push_back({"zero width", withSize(0, 8)});
    cases.push_back({"negative height", withSize(8, -1)});
    cases.push_back({"too wide", withSize(2048, 1)});
    cases.push_back({"huge", withSize(INT32_MAX, INT32_MAX)});
    cases.push_back({"larger than the file", withSize(9, 8)});
    cases.push_back({"inside the cells", {good.begin(), good.begin() + long(file.CellsEnd()) - 1}});
    cases.push_back(
        {"inside the names", {good.begin(), good.begin() + long(file.CellsEnd()) + 40}});
    cases.push_back({"inside the shades", {good.begin(), good.end() - 3}});
    cases.push_back({"before the sizes", {good.begin(), good.begin() + 12}});
    cases.push_back({"before the version", {good.begin(), good.begin() + 5}});
    cases.push_back({"empty", {}});
    for (const auto& [what, bytes] : cases) {
        ui.Reset();
        view = {3, 4, 0, 0, 100, 100};
        EXPECT_FALSE(map.LoadFromFile(Write("bad.map", bytes), view)) << what;
        ASSERT_EQ(ui.messages.size(), 1u) << what;
        EXPECT_NE(ui.messages[0].find("bad.map"), std::string::npos) << ui.messages[0];
        EXPECT_EQ(Take(), before) << what;
        EXPECT_EQ(view.X, 3) << what;
    }
    // Missing files and directories are reported, not thrown.
    ui.Reset();
    EXPECT_FALSE(map.LoadFromFile(dir.File("none.map"), view));
    EXPECT_FALSE(map.LoadFromFile(dir.Path().string(), view));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(Take(), before);
    // The good file itself loads.
    EXPECT_TRUE(map.LoadFromFile(Write("good.map", good), view));
}

TEST_F(MapFileTest, LoadConvertsTheTwoOldObjectTypes) {
    MapFile file;
    file.width = 12;
    file.height = 12;
    // (4, 5) -> up-right (5, 4) -> (5, 3); (8, 8) -> up-left (7, 7) -> (7, 6).
    const auto anchor = [](int id, int jitter, int link = 0) {
        tMapCell c;
        c.Put(1, 0, 3, 2);
        c.Put(1, 5, 0xFF, jitter);
        c.Put(1, 13, 3, link);
        c.w[2] = static_cast<uint16_t>(id);
        return c;
    };
    file.cell = [&](int x, int y) {
        if (x == 4 && y == 5) return anchor(270, 99);
        if (x == 5 && y == 4) return anchor(270, 50);
        if (x == 8 && y == 8) return anchor(271, 99);
        if (x == 7 && y == 7) return anchor(271, 50);
        if (x == 2 && y == 11) return anchor(270, 99, 1);  // a building record, not an object
        if (x == 2 && y == 10) return anchor(270, 99);
        if (x == 10 && y == 11) return anchor(270, 99);  // alone: stays
        return tMapCell{};
    };
    ASSERT_TRUE(map.LoadFromFile(Write("old.map", file.Bytes(0, 0, {}, {})), view));
    EXPECT_EQ(map.GetId(4, 5), 443);
    EXPECT_EQ(map.GetJitter(4, 5), 0);
    EXPECT_EQ(map.GetOccupancy(4, 5), 2);
    EXPECT_EQ(map.GetOccupancy(5, 4), 0);
    EXPECT_EQ(map.GetId(5, 4), 270);
    EXPECT_EQ(map.GetOccupancy(5, 3), 2);
    EXPECT_EQ(map.GetId(5, 3), 270);
    EXPECT_EQ(map.GetJitter(5, 3), 0);

    EXPECT_EQ(map.GetId(8, 8), 442);
    EXPECT_EQ(map.GetOccupancy(7, 7), 0);
    EXPECT_EQ(map.GetOccupancy(7, 6), 2);
    EXPECT_EQ(map.GetId(7, 6), 271);

    EXPECT_EQ(map.GetId(2, 11), 270);
    EXPECT_EQ(map.GetJitter(2, 11), 99);
    EXPECT_EQ(map.GetId(10, 11), 270);
    EXPECT_EQ(map.GetJitter(10, 11), 99);
}

TEST_F(MapFileTest, OldObjectsAreFoundAtEveryColumnOfWideRows) {
    // One pair per odd row, each at another column, so that every word position of a row is
    // looked at (the load skips rows by a quick look first). Rows 1, 5, 9... hold 270 pairs
    // (partner up-right), rows 3, 7, 11... 271 pairs (partner up-left).
    MapFile file;
    file.width = 100;
    file.height = 60;
    const auto pairAt = [](int y) { return (y / 2) * 3 % 99; };
    const auto oldId = [](int anchorRow) { return anchorRow % 4 == 1 ? 270 : 271; };
    file.cell = [&](int x, int y) {
        tMapCell c;
        c.w[0] = 0x010C;  // near the wanted values in every other word
        c.w[1] = 0x010D;
        int id = 0;
        if (y % 2 == 1 && x == pairAt(y)) id = oldId(y);
        if (y % 2 == 0 && y + 1 < 60) {
            const int anchorRow = y + 1;
            const int partnerX = pairAt(anchorRow) + (oldId(anchorRow) == 270 ? 1 : 0);
            if (x == partnerX) id = oldId(anchorRow);
        }
        if (id != 0) {
            c.w[1] = 2;
            c.w[2] = static_cast<uint16_t>(id);
        }
        return c;
    };
    ASSERT_TRUE(map.LoadFromFile(Write("wide.map", file.Bytes(0, 0, {}, {})), view));
    for (int y = 1; y < 60; y += 2)
        EXPECT_EQ(map.GetId(pairAt(y), y), oldId(y) == 270 ? 443 : 442) << pairAt(y) << "," << y;
}

// A file of full-width rows is read in pieces that split rows anywhere; a pair in any part of
// a split row is still found.
TEST_F(MapFileTest, OldObjectsAreFoundInRowsSplitBetweenPiecesOfTheFile) {
    MapFile file;
    file.width = kMaxMapSize;
    file.height = 300;
    const auto pairAt = [](int y) { return (y * 997) % (kMaxMapSize - 2); };
    file.cell = [&](int x, int y) {
        tMapCell c;
        // Anchors on odd rows from 3 on (a partner in row 0 would have its next cell clamped).
        if (y % 2 == 1 && y >= 3 && x == pairAt(y)) c.w[2] = 270;
        if (y % 2 == 0 && y >= 2 && y + 1 < 300 && x == pairAt(y + 1) + 1) c.w[2] = 270;
        if (c.w[2] != 0) c.w[1] = 2;
        return c;
    };
    ASSERT_TRUE(map.LoadFromFile(Write("full.map", file.Bytes(0, 0, {}, {})), view));
    for (int y = 3; y < 300; y += 2) {
        ASSERT_EQ(map.GetId(pairAt(y), y), 443) << pairAt(y) << "," << y;
        ASSERT_EQ(map.GetOccupancy(pairAt(y) + 1, y - 1), 0) << pairAt(y) << "," << y;
    }
}

TEST_F(MapFileTest, LoadResetsTheExtraColumnAndRow) {
    for (int y = 0; y <= 30; ++y)
        for (int x = 0; x <= 40; ++x)
            map.SetCell(x, y, MakeCell(0xFFFF, 0xFFFF, 0xFFFF));
    MapFile file;
    file.width = 10;
    file.height = 7;
    file.cell = Pattern;
    ASSERT_TRUE(map.LoadFromFile(Write("small.map", file.Bytes(0, 0, {}, {})), view));
    for (int y = 0; y <= 7; ++y) {
        EXPECT_EQ(map.Cell(10, y).Id(), 0);
        EXPECT_EQ(map.GetLevel(12, y), 3);  // clamped into the extra column
    }
    for (int x = 0; x <= 10; ++x)
        EXPECT_EQ(map.Cell(x, 7).Occupancy(), 0);
    EXPECT_EQ(map.Cell(9, 6), Pattern(9, 6));
}

TEST_F(MapFileTest, FailedSavesKeepTheOldFileAndTheLastMapSetting) {
    MemorySettings settings;
    const std::string path = dir.File("keep.map");
    map.SaveToFile(path, view, &settings);
    const std::vector<uint8_t> old = test::ReadFileBytes(path);
    settings.SetString("LastMap", "previous");

    // Into a directory that cannot be written.
    const std::string locked = dir.File("locked");
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    if (::access(locked.c_str(), W_OK) != 0) {  // root writes anyway
        EXPECT_THROW(map.SaveToFile(locked + "/m.map", view, &settings), IoError);
        EXPECT_EQ(settings.GetString("LastMap", ""), "previous");
    }
    ::chmod(locked.c_str(), 0755);

    // A map without cells is not written over a good file.
    map.Width = 0;
    EXPECT_THROW(map.SaveToFile(path, view, &settings), IoError);
    EXPECT_EQ(test::ReadFileBytes(path), old);
    EXPECT_EQ(settings.GetString("LastMap", ""), "previous");
    // No temporary files are left beside the target.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace tess
