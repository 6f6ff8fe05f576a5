// The game-data store: new records, editors, recalculations, limits and the game-data file.
#include "game/Kalistor.h"

#include <cmath>

#include "GameFixture.h"
#include "map/MapDat.h"
#include "resources/Bytes.h"

namespace tess {
namespace {

using test::GameTest;

constexpr int32_t kFullSizes[4] = {kPlayerFileRecord, kSettlementFileRecord, kBuildingFileRecord,
                                   kUnitFileRecord};

// Rewrites a file this build saved with every record of section s cut to sizes[s] bytes.
std::vector<uint8_t> Repack(const std::vector<uint8_t>& full, const int32_t (&sizes)[4]) {
    ByteReader in(full);
    ByteWriter out;
    out.F64(in.F64());
    for (int s = 0; s < 4; ++s) {
        const int32_t count = in.I32();
        in.I32();
        out.I32(count);
        out.I32(sizes[s]);
        std::vector<uint8_t> record(static_cast<size_t>(kFullSizes[s]));
        for (int32_t i = 0; i < count; ++i) {
            in.Bytes(record.data(), record.size());
            out.Bytes(record.data(), static_cast<size_t>(std::min(sizes[s], kFullSizes[s])));
            if (sizes[s] > kFullSizes[s]) out.Zeros(static_cast<size_t>(sizes[s] - kFullSizes[s]));
        }
    }
    return std::move(out.Data());
}

class StoreTest : public GameTest {
  protected:
    // A map whose cells link back to the store's buildings and units.
    std::unique_ptr<tMapa> LinkedMap() const {
        auto map = std::make_unique<tMapa>();
        Random random;
        map->Create(200, 200, random, WallTableSource::None);
        for (int32_t i = 1; i <= store->BuildingCount; ++i) {
            const tBuildingRec& b = store->Buildings[static_cast<size_t>(i)];
            map->SetLinkKind(b.X, b.Y, 1);
            map->SetId(b.X, b.Y, i);
        }
        for (int32_t i = 1; i <= store->UnitCount; ++i) {
            const tUnitRec& u = store->Units[static_cast<size_t>(i)];
            map->SetLinkKind(u.X, u.Y, 2);
            map->SetId(u.X, u.Y, i);
        }
        return map;
    }

    int32_t PlaceBuilding(int32_t type, int32_t settlement, int32_t x, int32_t y) {
        const int32_t b = store->AddBuilding(type, 500, settlement);
        store->Buildings[static_cast<size_t>(b)].X = x;
        store->Buildings[static_cast<size_t>(b)].Y = y;
        return b;
    }

    // A small store with every kind of record, fields set to distinct values.
    void Populate() {
        store->AddPlayer();
        store->AddPlayer();
        tPlayerRec& p = store->Players[2];
        p.Penize = 1234;
        p.StavBudov[17] = 1;
        p.StavJednotek[500] = 2;
        p.MaxSkupinka = -3;
        store->AddSettlement(10);
        store->Settlements[1].IdPlayer = 2;
        store->Settlements[1].Tag = 77;
        PlaceBuilding(10, 1, 10, 20);
        PlaceBuilding(11, 1, 12, 20);
        store->Buildings[2].Tag = 5000;
        store->Buildings[2].Imortal = 1;
        store->AddUnit(2, 150, 30, 40);
        store->AddUnit(1, 50, 31, 41);
        store->Units[2].PatrolaX = 99;
        store->Units[2].Zivoty = 321;
    }
};

TEST_F(StoreTest, EmptyStoreSavesFortyBytes) {
    const std::vector<uint8_t> bytes = store->SaveToBytes();
    ByteWriter expected;
    for (uint8_t b : {0x29, 0x5C, 0x8F, 0xC2, 0xF5, 0x28, 0xF0, 0x3F})
        expected.U8(b);
    for (int32_t size : kFullSizes) {
        expected.I32(0);
        expected.I32(size);
    }
    EXPECT_EQ(bytes, expected.Data());

    const std::string path = dir.File("empty.sav");
    store->SaveToFile(path);
    EXPECT_EQ(test::ReadFileBytes(path), expected.Data());
}

TEST_F(StoreTest, SaveTrimsDeadSettlementsAtTheTop) {
    for (int i = 0; i < 3; ++i)
        store->AddSettlement(10);
    store->Settlements[3].Used = 0;
    const std::vector<uint8_t> bytes = store->SaveToBytes();
    EXPECT_EQ(store->SettlementCount, 2);
    ByteReader in(bytes);
    in.Seek(16);
    EXPECT_EQ(in.I32(), 2);
    EXPECT_EQ(in.I32(), kSettlementFileRecord);
    EXPECT_EQ(bytes.size(), 40u + 2 * kSettlementFileRecord);

    // A dead settlement below a live one stays.
    store->AddSettlement(10);  // takes index 3 again
    store->Settlements[2].Used = 0;
    store->SaveToBytes();
    EXPECT_EQ(store->SettlementCount, 3);
}

TEST_F(StoreTest, FieldsAreWrittenInFileOrder) {
    store->AddSettlement(10);
    tSettlementRec& s = store->Settlements[1];
    s.Rezerva = 0x11111111;
    s.Tag = 0x22222222;
    const std::vector<uint8_t> bytes = store->SaveToBytes();
    ByteReader in(bytes);
    in.Seek(24);  // version, empty player section, settlement count and size
    EXPECT_EQ(in.U8(), 1);
    EXPECT_EQ(Cp1250ToUtf8(in.ShortString(30)), "Nové město");
    EXPECT_EQ(in.I32(), 1);  // IdRasa
    EXPECT_EQ(in.I32(), 0);  // IdPlayer
    EXPECT_EQ(in.I32(), 0);  // HlavniBudova (no building)
    EXPECT_EQ(in.I32(), 0);  // Civils
    EXPECT_EQ(in.I32(), 0x11111111);
    EXPECT_EQ(in.I32(), kMesto);  // Usedlost comes after the five words
    EXPECT_EQ(in.I32(), 0x22222222);
    EXPECT_EQ(in.Remaining(), 16u);  // the two empty sections
}

TEST_F(StoreTest, SavedStoreLoadsBackRecordForRecord) {
    Populate();
    const std::string path = dir.File("round.sav");
    store->SaveToFile(path);
    const auto map = LinkedMap();
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromFile(path, map.get()));
    EXPECT_EQ(loaded->PlayerCount, 2);
    EXPECT_EQ(loaded->SettlementCount, 1);
    EXPECT_EQ(loaded->BuildingCount, 2);
    EXPECT_EQ(loaded->UnitCount, 2);
    for (size_t i = 0; i <= 2; ++i) {
        EXPECT_EQ(std::memcmp(&loaded->Players[i], &store->Players[i], sizeof(tPlayerRec)), 0) << i;
        EXPECT_EQ(std::memcmp(&loaded->Buildings[i], &store->Buildings[i], sizeof(tBuildingRec)), 0)
            << i;
        EXPECT_EQ(std::memcmp(&loaded->Units[i], &store->Units[i], sizeof(tUnitRec)), 0) << i;
    }
    EXPECT_EQ(std::memcmp(&loaded->Settlements[1], &store->Settlements[1], sizeof(tSettlementRec)),
              0);
    // Saving what was loaded gives the same file.
    EXPECT_EQ(loaded->SaveToBytes(), test::ReadFileBytes(path));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StoreTest, PlayerRecordsWithoutUnitPermissionsGetAllUsable) {
    Populate();
    const std::vector<uint8_t> full = store->SaveToBytes();
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(Repack(full, {2180, 60, 29, 96}), "short.sav", nullptr));
    for (int32_t p = 1; p <= 2; ++p) {
        const tPlayerRec& rec = loaded->Players[static_cast<size_t>(p)];
        EXPECT_TRUE(std::all_of(std::begin(rec.StavJednotek), std::end(rec.StavJednotek),
                                [](uint8_t v) { return v == 3; }));
        EXPECT_EQ(rec.MaxSkupinka, store->Players[static_cast<size_t>(p)].MaxSkupinka);
    }
    EXPECT_EQ(loaded->Players[2].StavBudov[17], 1);
    EXPECT_EQ(loaded->Players[2].Penize, 1234);
}

TEST_F(StoreTest, PlayerRecordsWithoutRelationsHaveThemRecomputed) {
    store->AddPlayer();
    store->AddPlayer();
    store->AddPlayer();
    store->Players[1].Povaha = kNeutral;  // a neutral computer player
    store->Players[3].RidiPocitac = 0;
    const std::vector<uint8_t> full = store->SaveToBytes();
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(Repack(full, {57, 60, 29, 96}), "old.sav", nullptr));
    const auto& p = loaded->Players;
    // Player 1 is neutral to everybody both ways; its own entry, like every player's, is ally.
    for (int r = 2; r <= 3; ++r) {
        EXPECT_EQ(p[1].Vztah[r], kNeutral) << r;
        EXPECT_EQ(p[static_cast<size_t>(r)].Vztah[1], kNeutral) << r;
    }
    EXPECT_EQ(p[1].Vztah[1], kAlly);
    EXPECT_EQ(p[2].Vztah[2], kAlly);
    // Everything else keeps the loading default, enemy.
    EXPECT_EQ(p[2].Vztah[3], kEnemy);
    EXPECT_EQ(p[3].Vztah[2], kEnemy);
    // Permissions that older records lack are filled in.
    EXPECT_EQ(p[2].StavVynalezu[5], 2);
    EXPECT_EQ(p[2].StavBudov[5], 3);
}

TEST_F(StoreTest, ZeroPermissionsBecomeDefaultsExceptEntryZero) {
    store->AddPlayer();
    tPlayerRec& p = store->Players[1];
    std::fill(std::begin(p.StavVynalezu), std::end(p.StavVynalezu), 0);
    std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 0);
    std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 0);
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(store->SaveToBytes(), "zero.sav", nullptr));
    const tPlayerRec& q = loaded->Players[1];
    EXPECT_EQ(q.StavVynalezu[0], 0);
    EXPECT_EQ(q.StavBudov[0], 0);
    EXPECT_EQ(q.StavJednotek[0], 0);
    EXPECT_EQ(q.StavVynalezu[1000], 2);
    EXPECT_EQ(q.StavBudov[1000], 3);
    EXPECT_EQ(q.StavJednotek[500], 3);
}

TEST_F(StoreTest, OtherVersionIsRefusedWithTheVersionMessage) {
    Populate();
    std::vector<uint8_t> bytes = tKalistor().SaveToBytes();
    ByteWriter version;
    version.F64(1.0);
    std::copy(version.Data().begin(), version.Data().end(), bytes.begin());
    const std::string path = dir.Write("old.sav", bytes);

    EXPECT_FALSE(store->LoadFromFile(path, nullptr));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "soubor \"" + path + "\" je verze 1.00\rTessarine je verze 1.01");
    EXPECT_EQ(store->PlayerCount, 2);  // untouched
    EXPECT_EQ(store->UnitCount, 2);

    const NumberFormat saved = UserNumberFormat();
    UserNumberFormat().decimal = ",";
    store->LoadFromFile(path, nullptr);
    UserNumberFormat() = saved;
    EXPECT_EQ(ui.messages[1], "soubor \"" + path + "\" je verze 1,00\rTessarine je verze 1,01");
}

TEST_F(StoreTest, RecordsWhoseCellDoesNotLinkBackLoadDead) {
    Populate();
    const std::vector<uint8_t> bytes = store->SaveToBytes();
    auto map = LinkedMap();
    map->SetId(31, 41, 7);  // unit 2's cell holds another index
    map->SetId(12, 20, 1);  // building 2's cell holds building 1
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(bytes, "links.sav", map.get()));
    EXPECT_EQ(loaded->Units[1].Used, 1);
    EXPECT_EQ(loaded->Units[2].Used, 0);
    EXPECT_EQ(loaded->Buildings[1].Used, 1);
    EXPECT_EQ(loaded->Buildings[2].Used, 0);
    EXPECT_EQ(loaded->Units[2].Zivoty, 321);  // the rest of the record is read
    EXPECT_EQ(loaded->UnitCount, 2);
}

TEST_F(StoreTest, RetiredPersonTypeIsReadAsItsSuccessor) {
    store->AddUnit(1, 0, 5, 5);
    store->Units[1].IdPerson = 220;
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(store->SaveToBytes(), "p.sav", nullptr));
    EXPECT_EQ(loaded->Units[1].IdPerson, 28);
}

TEST_F(StoreTest, ShortBuildingAndUnitRecordsTakeTheirDefaults) {
    Populate();
    store->Units[1].Zivoty = 80;
    const std::vector<uint8_t> full = store->SaveToBytes();
    auto loaded = std::make_unique<tKalistor>();
    // Buildings stop after Tag, units after Smer.
    ASSERT_TRUE(loaded->LoadFromBytes(Repack(full, {2681, 60, 26, 80}), "short.sav", nullptr));
    const tBuildingRec& kasarna = loaded->Buildings[2];
    EXPECT_EQ(kasarna.Tag, 5000);
    EXPECT_EQ(kasarna.ProcZivotu, 100);
    EXPECT_EQ(kasarna.Pozorovatel, 1);  // Id_vliv 4 in the table
    EXPECT_EQ(kasarna.Imortal, 0);
    EXPECT_EQ(loaded->Buildings[1].Pozorovatel, 0);
    const tUnitRec& wolf = loaded->Units[1];
    EXPECT_EQ(wolf.Smer, store->Units[1].Smer);
    EXPECT_EQ(wolf.ProcZivotu, 80);  // the value of Zivoty
    EXPECT_EQ(wolf.AIEnabled, 1);
    EXPECT_EQ(wolf.Neviditelny, 1);  // novisible in the table
    EXPECT_EQ(wolf.Pozorovatel, 1);
    EXPECT_EQ(wolf.PatrolaX, 0);
    EXPECT_EQ(loaded->Units[2].Neviditelny, 0);
}

TEST_F(StoreTest, OldUnitRecordsConvertLivesToAShare) {
    store->AddUnit(1, 0, 1, 1);
    store->AddUnit(1, 0, 2, 2);
    store->AddUnit(1, 0, 3, 3);
    tUnitRec* u = &store->Units[0];
    u[1].StaryZaznam = 0;
    u[1].Zivoty = 50;
    u[1].ProcZivotu = 200;
    u[2].StaryZaznam = 5;
    u[2].Zivoty = 50;
    u[2].ProcZivotu = 0;
    u[3].StaryZaznam = 1;
    u[3].Zivoty = 2000000000;
    u[3].ProcZivotu = 1;
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(store->SaveToBytes(), "old.sav", nullptr));
    EXPECT_EQ(loaded->Units[1].ProcZivotu, 25);
    EXPECT_EQ(loaded->Units[2].ProcZivotu, 0);
    EXPECT_EQ(loaded->Units[3].ProcZivotu, INT32_MAX);  // kept within 32 bits
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(loaded->Units[static_cast<size_t>(i)].StaryZaznam, -1);
}

TEST_F(StoreTest, LongerRecordsSkipWhatThisBuildDoesNotKnow) {
    Populate();
    const std::vector<uint8_t> full = store->SaveToBytes();
    auto loaded = std::make_unique<tKalistor>();
    ASSERT_TRUE(loaded->LoadFromBytes(Repack(full, {2700, 64, 40, 100}), "new.sav", nullptr));
    EXPECT_EQ(loaded->Players[2].Penize, 1234);
    EXPECT_EQ(loaded->Settlements[1].Tag, 77);
    EXPECT_EQ(loaded->Buildings[2].Imortal, 1);
    EXPECT_EQ(loaded->Units[2].PatrolaX, 99);
}

TEST_F(StoreTest, ImpossibleFilesLeaveTheStoreUntouched) {
    Populate();
    const std::vector<uint8_t> good = store->SaveToBytes();
    auto patched = [&](size_t at, int32_t value) {
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(uint32_t(value) >> (8 * i));
        return bytes;
    };
    const size_t settlements = 16 + 2 * kPlayerFileRecord;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"101 players", patched(8, 101)},
        {"negative player count", patched(8, -1)},
        {"record size inside a field", patched(12, 40)},
        {"record size 0", patched(12, 0)},
        {"negative record size", patched(12, -5)},
        {"settlement count past the file", patched(settlements, 90)},
        {"cut inside the units", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"no unit section", std::vector<uint8_t>(good.begin(), good.end() - 8 - 2 * 96)},
        {"only a version", std::vector<uint8_t>(good.begin(), good.begin() + 8)},
        {"shorter than a version", std::vector<uint8_t>(good.begin(), good.begin() + 5)},
    };
    auto before = std::make_unique<tKalistor>();
    ASSERT_TRUE(before->LoadFromBytes(good, "good.sav", nullptr));
    for (const auto& c : cases) {
        ui.Reset();
        auto target = std::make_unique<tKalistor>();
        ASSERT_TRUE(target->LoadFromBytes(good, "good.sav", nullptr));
        EXPECT_FALSE(target->LoadFromBytes(c.bytes, "bad.sav", nullptr)) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_NE(ui.messages[0].find("poškozený"), std::string::npos) << c.what;
        EXPECT_EQ(target->SaveToBytes(), before->SaveToBytes()) << c.what;
    }
    // Sections with no records may carry any size.
    auto empty = std::make_unique<tKalistor>();
    std::vector<uint8_t> bytes = empty->SaveToBytes();
    bytes[12] = 0;
    bytes[13] = 0;
    EXPECT_TRUE(empty->LoadFromBytes(bytes, "empty.sav", nullptr));
}

TEST_F(StoreTest, LoadEmptiesTheStoreFirst) {
    Populate();
    auto small = std::make_unique<tKalistor>();
    small->SetEditors(&editors);
    small->AddPlayer();
    ASSERT_TRUE(store->LoadFromBytes(small->SaveToBytes(), "small.sav", nullptr));
    EXPECT_EQ(store->PlayerCount, 1);
    EXPECT_EQ(store->Players[2].Used, 0);
    EXPECT_EQ(store->Units[2].Used, 0);
    EXPECT_EQ(store->Units[2].Zivoty, 0);
}

TEST_F(StoreTest, MissingFileIsReportedAndRefused) {
    Populate();
    EXPECT_FALSE(store->LoadFromFile(dir.File("none.sav"), nullptr));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(store->PlayerCount, 2);
}

TEST_F(StoreTest, FailedSaveRaisesAndKeepsThePreviousFile) {
    Populate();
    EXPECT_THROW(store->SaveToFile(dir.File("no/such/dir/x.sav")), IoError);
    const std::string path = dir.File("keep.sav");
    tKalistor().SaveToFile(path);
    const std::vector<uint8_t> before = test::ReadFileBytes(path);
    std::filesystem::create_directory(dir.File("keep.sav.dir"));
    EXPECT_THROW(store->SaveToFile(dir.File("keep.sav.dir")), IoError);  // a directory
    EXPECT_EQ(test::ReadFileBytes(path), before);
}

// --- new records and editors -------------------------------------------------------------------

TEST_F(StoreTest, AddPlayerFillsDefaultsColoursAndOwnRelation) {
    EXPECT_EQ(store->AddPlayer(), 1);
    EXPECT_EQ(store->AddPlayer(), 2);
    EXPECT_EQ(store->PlayerCount, 2);
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"player 1", "player 2"}));
    const tPlayerRec& p1 = store->Players[1];
    const tPlayerRec& p2 = store->Players[2];
    EXPECT_EQ(p1.Barva, 255 * 65536);  // blue
    EXPECT_EQ(p2.Barva, 255);          // red
    EXPECT_EQ(Cp1250ToUtf8(p1.Name.Get()), "Nový hráč");
    EXPECT_EQ(p1.Used, 1);
    EXPECT_EQ(p1.IdRasa, 1);
    EXPECT_EQ(p1.RidiPocitac, 1);
    EXPECT_EQ(p1.Povaha, 1);
    EXPECT_EQ(p1.Penize, 100);
    EXPECT_EQ(p1.Surovina, 50);
    for (int j = 0; j <= kMaxPlayers; ++j) {
        EXPECT_EQ(p1.Vztah[j], j == 1 ? kAlly : kEnemy) << j;
        EXPECT_EQ(p2.Vztah[j], j == 2 ? kAlly : kEnemy) << j;
    }
    EXPECT_EQ(p1.StavVynalezu[1000], 2);
    EXPECT_EQ(p1.StavBudov[0], 3);
    EXPECT_EQ(p1.StavJednotek[500], 3);
}

TEST_F(StoreTest, CancelledPlayerIsNotAddedAndIndicesAreReused) {
    editors.answers = {true, true, true, false};
    store->AddPlayer();
    store->AddPlayer();
    store->AddPlayer();
    EXPECT_EQ(store->AddPlayer(), 0);
    EXPECT_EQ(store->PlayerCount, 3);
    EXPECT_EQ(store->Players[4].Used, 0);

    store->Players[2].Used = 0;  // the editor's delete button
    EXPECT_EQ(store->AddPlayer(), 2);
    EXPECT_EQ(store->PlayerCount, 3);
    EXPECT_EQ(store->Players[2].Barva, 255);
}

TEST_F(StoreTest, RecalcRelationsNeutralAndAllyRules) {
    for (int i = 0; i < 4; ++i)
        store->AddPlayer();
    auto& p = store->Players;
    p[3].RidiPocitac = 0;  // the first human player
    p[4].RidiPocitac = 0;
    p[2].Povaha = kAlly;
    store->RecalcRelations(2);
    EXPECT_EQ(p[2].Vztah[3], kAlly);
    EXPECT_EQ(p[3].Vztah[2], kAlly);
    EXPECT_EQ(p[2].Vztah[4], kEnemy);
    EXPECT_EQ(p[2].Vztah[1], kEnemy);
    EXPECT_EQ(p[2].Vztah[2], kAlly);

    p[1].Povaha = kNeutral;
    store->RecalcRelations(0);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(p[1].Vztah[r], r == 1 ? kAlly : kNeutral) << r;
        EXPECT_EQ(p[static_cast<size_t>(r)].Vztah[1], r == 1 ? kAlly : kNeutral) << r;
    }
    // A human player with Povaha 3 is no computer ally: only its own entry changes.
    p[3].Povaha = kAlly;
    p[3].Vztah[3] = kEnemy;
    store->RecalcRelations(3);
    EXPECT_EQ(p[3].Vztah[3], kAlly);
    EXPECT_EQ(p[3].Vztah[4], kEnemy);
}

TEST_F(StoreTest, ComputerAllyFindsAHumanBeyondTheCount) {
    store->AddPlayer();
    store->AddPlayer();
    store->Players[1].Povaha = kAlly;
    store->RecalcRelations(1);
    // Player 3 has no record yet, so nobody controls it by computer.
    EXPECT_EQ(store->Players[1].Vztah[3], kAlly);
    EXPECT_EQ(store->Players[3].Vztah[1], kAlly);
    EXPECT_EQ(store->Players[1].Vztah[2], kEnemy);
}

TEST_F(StoreTest, AddSettlementTakesRaceAndKindFromItsBuilding) {
    editors.answers = {true, false};
    EXPECT_EQ(store->AddSettlement(10), 1);
    const tSettlementRec& s = store->Settlements[1];
    EXPECT_EQ(Cp1250ToUtf8(s.Name.Get()), "Nové město");
    EXPECT_EQ(s.IdRasa, 1);
    EXPECT_EQ(s.Usedlost, kMesto);  // use_osada and use_mesto: the last flag wins
    EXPECT_EQ(s.Used, 1);
    EXPECT_EQ(store->AddSettlement(20), 0);  // cancelled
    EXPECT_EQ(store->Settlements[2].Used, 0);
    EXPECT_EQ(store->Settlements[2].Usedlost, kOsada);
    EXPECT_EQ(store->SettlementCount, 1);
    EXPECT_EQ(store->AddSettlement(30), 2);
    EXPECT_EQ(store->Settlements[2].Usedlost, kVesnice);
    EXPECT_EQ(store->Settlements[2].IdRasa, 3);
    // An unknown type keeps the defaults of a cleared record.
    EXPECT_EQ(store->AddSettlement(999), 3);
    EXPECT_EQ(store->Settlements[3].Usedlost, 0);
    EXPECT_EQ(store->Settlements[3].IdRasa, 0);
}

TEST_F(StoreTest, AddBuildingOpensTheEditorOnlyWhenAsked) {
    EXPECT_EQ(store->AddBuilding(11, 510, 0), 1);
    EXPECT_TRUE(editors.opened.empty());
    const tBuildingRec& b = store->Buildings[1];
    EXPECT_EQ(b.Used, 1);
    EXPECT_EQ(b.ProcVystavby, 100);
    EXPECT_EQ(b.ProcZivotu, 100);
    EXPECT_EQ(b.Pozorovatel, 1);
    EXPECT_EQ(b.IdObject, 510);

    store->EditNewBuildings = false;
    editors.answers = {false, true};
    EXPECT_EQ(store->AddBuilding(10, 500, 0), 0);
    EXPECT_EQ(store->Buildings[2].Used, 0);
    EXPECT_EQ(store->BuildingCount, 1);
    EXPECT_EQ(store->AddBuilding(10, 500, 0), 2);
    EXPECT_EQ(editors.opened, (std::vector<std::string>{"building 2", "building 2"}));
    EXPECT_EQ(store->Buildings[2].Pozorovatel, 0);
}

TEST_F(StoreTest, AddUnitUsesRememberedDefaultsAndTheTable) {
    store->LastPlayer = 3;
    store->LastAI = 2;
    store->LastSmer = 5;
    store->LastAIEnabled = 0;
    EXPECT_EQ(store->AddUnit(2, 150, 7, 8), 1);
    const tUnitRec& wolf = store->Units[1];
    EXPECT_EQ(Cp1250ToUtf8(wolf.Name.Get()), "Vlk");
    EXPECT_EQ(wolf.IdPlayer, 3);
    EXPECT_EQ(wolf.AI, 2);
    EXPECT_EQ(wolf.Smer, 5);
    EXPECT_EQ(wolf.AIEnabled, 0);
    EXPECT_EQ(wolf.IdObject, 155);  // the type's multiple of 50 plus the direction
    EXPECT_EQ(wolf.UtoC, -1);
    EXPECT_EQ(wolf.Zivoty, -1);
    EXPECT_EQ(wolf.StaryZaznam, -1);
    EXPECT_EQ(wolf.ProcZivotu, 100);
    EXPECT_EQ(wolf.Neviditelny, 1);
    EXPECT_EQ(wolf.Pozorovatel, 1);
    EXPECT_EQ(wolf.X, 7);
    EXPECT_EQ(wolf.Y, 8);

    // The editor's values become the next unit's defaults.
    editors.onUnit = [](tUnitRec& u) {
        u.Smer = 7;
        u.IdPlayer = 1;
        u.AI = 1;
        u.AIEnabled = 1;
    };
    EXPECT_EQ(store->AddUnit(3, 203, 1, 1), 2);
    EXPECT_EQ(store->Units[2].IdObject, 207);
    EXPECT_EQ(store->LastSmer, 7);
    EXPECT_EQ(store->LastPlayer, 1);
    EXPECT_EQ(store->LastAI, 1);
    EXPECT_EQ(store->LastAIEnabled, 1);
    // A dwarf gets a dwarf's name from the names table.
    const std::string name = Cp1250ToUtf8(store->Units[2].Name.Get());
    EXPECT_TRUE(name == "Borek" || name == "Dvalin") << name;

    editors.onUnit = nullptr;
    editors.answers = {false};
    EXPECT_EQ(store->AddUnit(1, 50, 2, 2), 0);
    EXPECT_EQ(store->Units[3].Used, 0);
    EXPECT_EQ(store->UnitCount, 2);
    EXPECT_EQ(store->LastSmer, 7);
}

TEST_F(StoreTest, AddsBeyondTheLimitsAreRefused) {
    for (int i = 0; i < kMaxPlayers; ++i)
        ASSERT_EQ(store->AddPlayer(), i + 1);
    EXPECT_EQ(store->AddPlayer(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("100"), std::string::npos);
    EXPECT_EQ(store->PlayerCount, kMaxPlayers);

    for (int32_t i = 1; i <= kMaxUnits; ++i)
        store->Units[static_cast<size_t>(i)].Used = 1;
    store->UnitCount = kMaxUnits;
    EXPECT_EQ(store->AddUnit(1, 50, 0, 0), 0);
    for (int32_t i = 1; i <= kMaxBuildings; ++i)
        store->Buildings[static_cast<size_t>(i)].Used = 1;
    EXPECT_EQ(store->AddBuilding(10, 500, 0), 0);
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(store->EditUnit(kMaxUnits + 1), false);
    EXPECT_EQ(store->EditPlayer(0), false);
}

TEST_F(StoreTest, WithoutEditorsNothingIsAccepted) {
    store->SetEditors(nullptr);
    EXPECT_EQ(store->AddPlayer(), 0);
    EXPECT_EQ(store->PlayerCount, 0);
}

// --- recalculations ----------------------------------------------------------------------------

TEST_F(StoreTest, CivilsAndMainBuildingsFollowTheLiveBuildings) {
    store->AddSettlement(10);
    store->AddSettlement(10);
    PlaceBuilding(10, 1, 0, 0);  // main, 10 civils
    PlaceBuilding(11, 1, 0, 0);  // 3 civils
    PlaceBuilding(12, 1, 0, 0);  // main, 7 civils
    PlaceBuilding(10, 2, 0, 0);
    PlaceBuilding(999, 2, 0, 0);  // unknown type adds nothing
    PlaceBuilding(12, 2, 0, 0);
    store->Buildings[6].Used = 0;
    store->RecalcCivils();
    store->RecalcMainBuildings();
    EXPECT_EQ(store->Settlements[1].Civils, 20);
    EXPECT_EQ(store->Settlements[2].Civils, 10);
    EXPECT_EQ(store->Settlements[1].HlavniBudova, 3);  // the last main building
    EXPECT_EQ(store->Settlements[2].HlavniBudova, 4);  // building 6 is dead

    // A settlement editor recalculates first.
    store->Buildings[2].Used = 0;
    store->EditSettlement(1);
    EXPECT_EQ(store->Settlements[1].Civils, 17);
}

TEST_F(StoreTest, NewBuildingsGoToTheNearestSettlement) {
    store->AddSettlement(10);
    store->AddSettlement(10);
    store->AddSettlement(10);
    store->Settlements[1].HlavniBudova = PlaceBuilding(10, 1, 10, 10);
    store->Settlements[2].HlavniBudova = PlaceBuilding(10, 2, 20, 10);
    store->Settlements[3].HlavniBudova = PlaceBuilding(10, 3, 14, 14);
    EXPECT_EQ(store->NearestSettlement(11, 10), 1);
    EXPECT_EQ(store->NearestSettlement(15, 10), 3);  // 17 beats 25 and 25
    EXPECT_EQ(store->NearestSettlement(15, 5), 1);   // 25, 25, 82: the lower index
    store->Settlements[1].Used = 0;
    EXPECT_EQ(store->NearestSettlement(11, 10), 3);
    store->Settlements[2].HlavniBudova = 0;
    store->Settlements[3].HlavniBudova = 20000;  // out of range: ignored
    EXPECT_EQ(store->NearestSettlement(11, 10), 0);
}

TEST_F(StoreTest, MoneyBuildingsAndListItems) {
    for (int32_t type : kMoneyBuildings)
        EXPECT_TRUE(tKalistor::IsMoneyBuilding(type)) << type;
    EXPECT_FALSE(tKalistor::IsMoneyBuilding(44));
    EXPECT_FALSE(tKalistor::IsMoneyBuilding(0));

    const std::vector<std::string> items = {"0 nikdo", "12Dvanact", "1 Jedna"};
    EXPECT_EQ(FindItemByNumber(1, items), "12Dvanact");  // the first item holding "1"
    EXPECT_EQ(FindItemByNumber(0, items), "0 nikdo");
    EXPECT_EQ(FindItemByNumber(5, items), "");
    EXPECT_EQ(ItemNumber("12Dvanact"), 12);
    EXPECT_EQ(ItemNumber("hrac  7 a 8"), 7);
    EXPECT_EQ(ItemNumber("nic"), 0);
}

TEST_F(StoreTest, ClearZeroesEverythingButTheRememberedDefaults) {
    Populate();
    store->LastSmer = 4;
    store->Clear();
    EXPECT_EQ(store->PlayerCount + store->SettlementCount + store->BuildingCount + store->UnitCount,
              0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&store->Units[2]);
    EXPECT_TRUE(std::all_of(bytes, bytes + sizeof(tUnitRec), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(store->LastSmer, 4);
}

}  // namespace
}  // namespace tess
