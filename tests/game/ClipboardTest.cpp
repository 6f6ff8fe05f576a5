// The map clipboard: regions, copy and paste, the clip file and the undo snapshot.
#include "game/Clipboard.h"

#include <gtest/gtest.h>

#include <memory>

#include "resources/Bytes.h"
#include "support/TempDir.h"
#include "support/TestUi.h"

namespace tess {
namespace {

// Steps a point without clamping, as a region walk does.
TPoint Walk(TPoint p, int direction, int steps) {
    for (int i = 0; i < steps; ++i) {
        const DirectionStep& s = kDirectionSteps[p.Y & 1][direction];
        p = {p.X + s.dx, p.Y + s.dy};
    }
    return p;
}

// A cell that says where it came from: an object anchor whose Id is the position.
tMapCell Marked(int id) {
    tMapCell c;
    c.Put(1, 0, 3, 2);
    c.Put(2, 0, 0xFFFF, id);
    return c;
}

class ClipboardTest : public ::testing::Test {
  protected:
    ClipboardTest()
        : map(std::make_unique<tMapa>()),
          store(std::make_unique<tKalistor>()),
          clip(std::make_unique<tClipBoard>()) {
        Random random(3);
        map->Create(64, 64, random, WallTableSource::None);
    }

    // Every cell of the map proper gets an anchor whose Id tells its position.
    void MarkEveryCell() {
        for (int32_t y = 0; y < map->Height; ++y)
            for (int32_t x = 0; x < map->Width; ++x)
                map->SetCell(x, y, Marked(y * 100 + x));
    }

    void Link(int32_t x, int32_t y, int kind, int32_t index) {
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, kind);
        map->SetId(x, y, index);
    }

    int32_t AddLiveUnit(int32_t index, int32_t player, int32_t x, int32_t y) {
        tUnitRec& u = store->Units[static_cast<size_t>(index)];
        u.Used = 1;
        u.IdPerson = 7;
        u.IdPlayer = player;
        u.X = x;
        u.Y = y;
        u.Name.Set("Jednotka");
        store->UnitCount = std::max(store->UnitCount, index);
        Link(x, y, 2, index);
        return index;
    }

    test::ScopedTestUi ui;
    std::unique_ptr<tMapa> map;
    std::unique_ptr<tKalistor> store;
    std::unique_ptr<tClipBoard> clip;
};

// --- regions -----------------------------------------------------------------------------------

TEST(AxisOffsetsTest, GivesTheStepsThatLeadFromOneCellToTheOther) {
    // Every parity of both rows, both signs along both axes.
    Random random(17);
    for (int trial = 0; trial < 4000; ++trial) {
        const TPoint a{random.Next(200) - 50, random.Next(200) - 50};
        const int p = random.Next(41) - 20;
        const int q = random.Next(41) - 20;
        TPoint b = p >= 0 ? Walk(a, kDirUpLeft, p) : Walk(a, kDirDownRight, -p);
        b = q >= 0 ? Walk(b, kDirUpRight, q) : Walk(b, kDirDownLeft, -q);
        ASSERT_EQ(AxisOffsets(a, b), (AxisOffset{p, q}))
            << "a " << a.X << "," << a.Y << " b " << b.X << "," << b.Y;
    }
    // One step up-right from an even row, one step up-left from an odd row.
    EXPECT_EQ(AxisOffsets({0, 2}, {0, 1}), (AxisOffset{0, 1}));
    EXPECT_EQ(AxisOffsets({0, 1}, {0, 0}), (AxisOffset{1, 0}));
}

TEST_F(ClipboardTest, RectangleSelectionCopiesTwoRowsOfThreeCells) {
    MarkEveryCell();
    clip->Rectangular = 1;
    clip->CornerA = {13, 12};
    clip->CornerB = {10, 10};
    clip->Normalize();
    EXPECT_EQ(clip->Origin, (TPoint{10, 10}));
    EXPECT_EQ(clip->Rows, 2);
    EXPECT_EQ(clip->Columns, 3);
    // The marks include one more row and column than the copy takes.
    EXPECT_TRUE(clip->InSelection(13, 12));
    EXPECT_FALSE(clip->InSelection(14, 12));
    EXPECT_FALSE(clip->InSelection(10, 13));
    EXPECT_FALSE(clip->InSelection(9, 10));

    clip->State = kClipSelecting;
    clip->Rotation = 4;
    clip->Copy(*map, *store, clip->Origin.X, clip->Origin.Y);
    EXPECT_EQ(clip->State, kClipIdle);
    EXPECT_EQ(clip->Rotation, 0);
    const int expected[] = {1010, 1011, 1012, 1110, 1111, 1112};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(clip->Cells[i].Id(), expected[i]) << i;
    EXPECT_EQ(clip->Cells[6], tMapCell{});
}

TEST_F(ClipboardTest, DiamondSelectionMarksBothCornersAndCopiesAlongTheAxes) {
    MarkEveryCell();
    Random random(5);
    for (int trial = 0; trial < 300; ++trial) {
        clip->CornerA = {10 + random.Next(40), 10 + random.Next(40)};
        clip->CornerB = {10 + random.Next(40), 10 + random.Next(40)};
        clip->Normalize();
        ASSERT_GE(clip->Rows, 0);
        ASSERT_GE(clip->Columns, 0);
        ASSERT_TRUE(clip->InSelection(clip->CornerA.X, clip->CornerA.Y));
        ASSERT_TRUE(clip->InSelection(clip->CornerB.X, clip->CornerB.Y));
    }

    // Corner B below and to the right of A along the axes: the origin moves so that the rows
    // still run up-left and the cells up-right.
    clip->CornerA = {20, 20};
    clip->CornerB = Walk(Walk(clip->CornerA, kDirDownRight, 2), kDirDownLeft, 3);
    clip->Normalize();
    EXPECT_EQ(clip->Rows, 2);
    EXPECT_EQ(clip->Columns, 3);
    EXPECT_EQ(clip->Origin, clip->CornerB);

    clip->Copy(*map, *store, clip->Origin.X, clip->Origin.Y);
    size_t i = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c, ++i) {
            const TPoint p = Walk(Walk(clip->Origin, kDirUpLeft, r), kDirUpRight, c);
            EXPECT_EQ(clip->Cells[i].Id(), p.Y * 100 + p.X) << r << "," << c;
        }
}

TEST_F(ClipboardTest, CopyOfMoreThan65536CellsKeepsTheWholeRowsThatFit) {
    Random random(1);
    map->Create(400, 400, random, WallTableSource::None);
    clip->Rectangular = 1;
    clip->Rows = 300;
    clip->Columns = 300;
    clip->Copy(*map, *store, 0, 0);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "moc dat, zasobnik se nenacetl");
    EXPECT_EQ(clip->Rows, 65536 / 300);
    EXPECT_EQ(clip->Columns, 300);
}

TEST_F(ClipboardTest, CellsOutsideTheMapAreCopiedWithoutWhatStandsOnThem) {
    AddLiveUnit(1, 1, 0, 10);
    map->SetTerrain(0, 10, 7);
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 3;
    clip->Copy(*map, *store, -2, 10);
    EXPECT_EQ(clip->Cells[0].Terrain(), 7);  // the edge cell's ground
    EXPECT_EQ(clip->Cells[0].Occupancy(), 0);
    EXPECT_EQ(clip->Cells[0].Id(), 0);
    EXPECT_EQ(clip->Cells[2].LinkKind(), 2);  // the unit itself is copied once
    EXPECT_EQ(clip->Cells[2].Id(), 1);
}

// --- paste -------------------------------------------------------------------------------------

TEST_F(ClipboardTest, PasteKeepsTheHeightsAndGivesEachBlockTheCellsTerrain) {
    for (int32_t x = 0; x < 4; ++x) {
        map->SetLevel(x, 4, 1);
        map->SetTerrain(x, 4, 2);
    }
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 4;
    clip->Copy(*map, *store, 0, 4);

    // A hill where the row goes.
    for (int32_t x = 20; x < 24; ++x)
        map->SetLevel(x, 30, 5 + x % 2);
    ASSERT_TRUE(clip->Paste(*map, *store, 20, 30, false));
    for (int32_t x = 20; x < 24; ++x) {
        EXPECT_EQ(map->GetLevel(x, 30), 5 + x % 2);
        EXPECT_EQ(map->GetTerrain(x, 30), 2);
        // The whole block of the cell took the terrain, also cells outside the region.
        for (const TPoint& p : tMapa::BlockCells(tMapa::BlockTop(x, 30)))
            EXPECT_EQ(map->GetTerrain(p.X, p.Y), 2);
    }
}

TEST_F(ClipboardTest, PasteWalksTheRotatedDirectionsAndSkipsCellsOutsideTheMap) {
    MarkEveryCell();
    clip->Rows = 1;
    clip->Columns = 3;
    clip->Copy(*map, *store, 10, 10);  // (10,10), then up-right twice
    const int first = clip->Cells[0].Id(), second = clip->Cells[1].Id(),
              third = clip->Cells[2].Id();

    auto target = std::make_unique<tMapa>();
    Random random(2);
    target->Create(64, 64, random, WallTableSource::None);
    clip->Rotation = 2;  // cells go down-right
    ASSERT_TRUE(clip->Paste(*target, *store, 30, 30, false));
    EXPECT_EQ(target->GetId(30, 30), first);
    EXPECT_EQ(target->GetId(30, 31), second);
    EXPECT_EQ(target->GetId(31, 32), third);

    // Rectangle mode walks x + 1 whatever the rotation.
    clip->Rectangular = 1;
    clip->Rotation = 2;
    ASSERT_TRUE(clip->Paste(*target, *store, 40, 40, false));
    EXPECT_EQ(target->GetId(41, 40), second);

    // Half of the row lies left of the map.
    clip->Rectangular = 1;
    ASSERT_TRUE(clip->Paste(*target, *store, -1, 50, false));
    EXPECT_EQ(target->GetId(0, 50), second);
    EXPECT_EQ(target->GetId(1, 50), third);
}

TEST_F(ClipboardTest, PasteWithGameDataMakesFreshRecordsEachTime) {
    AddLiveUnit(4, 2, 10, 10);
    tBuildingRec& b = store->Buildings[3];
    b.Used = 1;
    b.IdBuilding = 12;
    b.IdTouwn = 1;
    b.Tag = 55;
    store->BuildingCount = 3;
    Link(11, 10, 1, 3);
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 2;
    clip->Copy(*map, *store, 10, 10);

    ASSERT_TRUE(clip->Paste(*map, *store, 20, 20, true));
    ASSERT_TRUE(clip->Paste(*map, *store, 30, 30, true));
    // Units 1 and 2 were free below the copied unit 4; buildings 1 and 2 below building 3.
    EXPECT_EQ(map->GetId(20, 20), 1);
    EXPECT_EQ(map->GetId(30, 30), 2);
    EXPECT_EQ(map->GetId(21, 20), 1);
    EXPECT_EQ(map->GetId(31, 30), 2);
    for (int32_t i : {1, 2}) {
        const tUnitRec& u = store->Units[static_cast<size_t>(i)];
        EXPECT_EQ(u.Used, 1);
        EXPECT_EQ(u.IdPlayer, 2);
        EXPECT_EQ(u.Name.Get(), "Jednotka");
        EXPECT_EQ(u.X, i == 1 ? 20 : 30);
        EXPECT_EQ(u.Y, u.X);
        const tBuildingRec& nb = store->Buildings[static_cast<size_t>(i)];
        EXPECT_EQ(nb.Tag, 55);
        EXPECT_EQ(nb.X, i == 1 ? 21 : 31);
    }
    EXPECT_EQ(store->UnitCount, 4);      // never lowered
    EXPECT_EQ(store->Units[4].X, 10);    // the original stays
    EXPECT_EQ(store->BuildingCount, 3);  // raised only when the new index is higher

    // A third paste goes past the original's index.
    ASSERT_TRUE(clip->Paste(*map, *store, 40, 40, true));
    EXPECT_EQ(map->GetId(40, 40), 3);
    ASSERT_TRUE(clip->Paste(*map, *store, 42, 42, true));
    EXPECT_EQ(map->GetId(42, 42), 5);
    EXPECT_EQ(store->UnitCount, 5);

    // Without game data the anchors keep the source's indices.
    ASSERT_TRUE(clip->Paste(*map, *store, 50, 50, false));
    EXPECT_EQ(map->GetId(50, 50), 4);
    EXPECT_EQ(store->UnitCount, 5);
}

TEST_F(ClipboardTest, AnchorOfADeadOrImpossibleRecordIsPastedWithoutItsLink) {
    Link(10, 10, 2, 6);      // unit 6 is not live
    Link(11, 10, 1, 60000);  // beyond the building array
    Link(12, 10, 2, 0);      // no record at all
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 3;
    clip->Copy(*map, *store, 10, 10);
    ASSERT_TRUE(clip->Paste(*map, *store, 20, 20, true));
    for (int32_t x = 20; x < 23; ++x) {
        EXPECT_EQ(map->GetOccupancy(x, 20), 0);
        EXPECT_EQ(map->GetLinkKind(x, 20), 0);
        EXPECT_EQ(map->GetId(x, 20), 0);
    }
    EXPECT_EQ(store->UnitCount, 0);
    EXPECT_EQ(store->BuildingCount, 0);
}

TEST_F(ClipboardTest, PasteStopsWithAMessageWhenTheStoreIsFull) {
    map->SetId(9, 10, 123);  // a plain cell before the unit
    map->SetOccupancy(9, 10, 0);
    AddLiveUnit(1, 1, 10, 10);
    map->SetId(11, 10, 456);
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 3;
    clip->Copy(*map, *store, 9, 10);
    for (int32_t i = 1; i <= kMaxUnits; ++i)
        store->Units[static_cast<size_t>(i)].Used = 1;
    store->UnitCount = kMaxUnits;

    EXPECT_FALSE(clip->Paste(*map, *store, 20, 20, true));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("10000 jednotek"), std::string::npos);
    EXPECT_EQ(map->GetId(20, 20), 123);       // pasted before the store ran out
    EXPECT_EQ(map->GetOccupancy(21, 20), 0);  // the unit's cell is not written
    EXPECT_EQ(map->GetId(21, 20), 0);
    EXPECT_EQ(map->GetId(22, 20), 0);  // and nothing after it
}

// --- clip file ---------------------------------------------------------------------------------

TEST_F(ClipboardTest, ClipFileHoldsEverythingAtItsPlaceAndLoadsBack) {
    test::TempDir dir;
    AddLiveUnit(2, 3, 5, 6);
    tUnitRec& u = store->Units[2];
    u.ProcZivotu = 77;
    u.AIEnabled = 1;
    u.Imortal = 1;
    tBuildingRec& b = store->Buildings[10000];
    b.Used = 1;
    b.ProcVystavby = 40;
    b.Tag = -2;
    b.Imortal = 1;
    clip->Rectangular = 1;
    clip->Rows = 1;
    clip->Columns = 1;
    clip->Copy(*map, *store, 5, 6);

    const std::string name = dir.File("one.clp");
    clip->SaveToFile(name);
    const std::vector<uint8_t> bytes = test::ReadFileBytes(name);
    ASSERT_EQ(bytes.size(), 1753361u);
    ByteReader in(bytes);
    EXPECT_EQ(in.I32(), 1);
    EXPECT_EQ(in.I32(), 1);
    in.Seek(8 + 2);
    EXPECT_EQ(in.U16() & 3, 2);  // the first cell's Occupancy
    EXPECT_EQ(in.U16(), 2);      // and its Id
    const size_t unit = 393224 + 2 * 100;
    EXPECT_EQ(bytes[unit], 1);
    EXPECT_EQ(bytes[unit + 1] | bytes[unit + 2] | bytes[unit + 3], 0);
    in.Seek(unit + 8);
    EXPECT_EQ(in.I32(), 3);          // IdPlayer
    EXPECT_EQ(bytes[unit + 24], 8);  // the name's length
    EXPECT_EQ(bytes[unit + 55], 0);
    in.Seek(unit + 84);
    EXPECT_EQ(in.I32(), 77);
    EXPECT_EQ(bytes[unit + 96], 1);
    EXPECT_EQ(bytes[unit + 99], 1);
    const size_t building = 1393324 + 10000 * 36;
    EXPECT_EQ(bytes[building], 1);
    EXPECT_EQ(bytes[building + 24], 40);
    EXPECT_EQ(bytes[building + 25] | bytes[building + 26] | bytes[building + 27], 0);
    in.Seek(building + 28);
    EXPECT_EQ(in.I32(), -2);
    EXPECT_EQ(bytes[building + 34], 1);
    EXPECT_EQ(bytes[1753360], 1);  // Rectangular

    auto loaded = std::make_unique<tClipBoard>();
    loaded->State = kClipPasting;
    loaded->Rotation = 6;
    loaded->CornerA = {4, 4};
    ASSERT_TRUE(loaded->LoadFromFile(name));
    EXPECT_EQ(loaded->Rotation, 0);
    EXPECT_EQ(loaded->State, kClipPasting);
    EXPECT_EQ(loaded->CornerA, (TPoint{4, 4}));
    EXPECT_EQ(loaded->SaveToBytes(), bytes);
    // Every byte is written, also into a buffer that held something else.
    std::vector<uint8_t> reused(bytes.size(), 0xAA);
    loaded->SaveToBuffer(reused);
    EXPECT_EQ(reused, bytes);
    EXPECT_EQ(loaded->LiveUnits(), 1);
    EXPECT_EQ(loaded->LiveBuildings(), 1);
}

TEST_F(ClipboardTest, RefusedClipFileLeavesTheClipboardAsItWas) {
    test::TempDir dir;
    AddLiveUnit(1, 1, 3, 3);
    clip->Rows = 2;
    clip->Columns = 2;
    clip->Copy(*map, *store, 3, 3);
    const std::vector<uint8_t> before = clip->SaveToBytes();

    const auto patched = [&](size_t offset, std::vector<uint8_t> value) {
        std::vector<uint8_t> bytes = before;
        std::copy(value.begin(), value.end(), bytes.begin() + static_cast<long>(offset));
        return bytes;
    };
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> bad = {
        {"short.clp", std::vector<uint8_t>(before.begin(), before.end() - 1)},
        {"long.clp",
         [&] {
             auto b = before;
             b.push_back(0);
             return b;
         }()},
        {"negative.clp", patched(0, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"toomany.clp", patched(0, {0x01, 0x01, 0, 0, 0x00, 0x01, 0, 0})},  // 257 x 256
        {"mode.clp", patched(1753360, {2})},
    };
    for (const auto& [name, bytes] : bad) {
        ui.Reset();
        EXPECT_FALSE(clip->LoadFromFile(dir.Write(name, bytes))) << name;
        EXPECT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(clip->SaveToBytes(), before) << name;
    }
    ui.Reset();
    EXPECT_FALSE(clip->LoadFromFile(dir.File("missing.clp")));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(clip->LoadFromFile(dir.Path().string()));  // a directory
    EXPECT_EQ(clip->SaveToBytes(), before);

    // The largest region that fits loads.
    EXPECT_TRUE(clip->LoadFromBytes(patched(0, {0x00, 0x01, 0, 0, 0x00, 0x01, 0, 0}), "x"));
    EXPECT_EQ(clip->Rows * clip->Columns, 65536);
}

// --- undo snapshot -----------------------------------------------------------------------------

TEST_F(ClipboardTest, SnapshotRestoresGridDimensionsRecordsAndCounts) {
    tData& undo = clip->Undo;
    EXPECT_FALSE(undo.Restore(*map, *store));  // nothing taken yet: nothing changes
    EXPECT_EQ(map->Width, 64);

    store->Players[1].Used = 1;
    store->PlayerCount = 1;
    AddLiveUnit(1, 1, 5, 5);
    map->SetTerrain(7, 7, 9);
    const std::vector<tMapCell> grid(map->Cells(), map->Cells() + kMapStorage * kMapStorage);
    undo.Store(*map, *store);

    // One press that paints, places three units and a settlement and resizes.
    map->SetTerrain(7, 7, 1);
    map->Cells()[tMapa::Index(2047, 2047)] = Marked(5);  // storage beyond the map
    for (int32_t i = 2; i <= 4; ++i)
        AddLiveUnit(i, 1, 10 + i, 10);
    store->Settlements[1].Used = 1;
    store->SettlementCount = 1;
    store->Players[1].Penize = 999;
    map->SetSize(100, 90);

    ASSERT_TRUE(undo.Restore(*map, *store));
    EXPECT_EQ(map->Width, 64);
    EXPECT_EQ(map->Height, 64);
    EXPECT_TRUE(std::equal(grid.begin(), grid.end(), map->Cells()));
    EXPECT_EQ(store->UnitCount, 1);
    for (int32_t i = 2; i <= 4; ++i)
        EXPECT_EQ(store->Units[static_cast<size_t>(i)].Used, 0) << i;
    EXPECT_EQ(store->SettlementCount, 0);
    EXPECT_EQ(store->Settlements[1].Used, 0);
    EXPECT_EQ(store->Players[1].Penize, 0);
    EXPECT_EQ(store->PlayerCount, 1);

    // A second undo restores the same snapshot again.
    map->SetTerrain(7, 7, 3);
    ASSERT_TRUE(undo.Restore(*map, *store));
    EXPECT_EQ(map->GetTerrain(7, 7), 9);
}

}  // namespace
}  // namespace tess
