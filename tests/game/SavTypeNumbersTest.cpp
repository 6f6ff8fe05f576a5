// The game-data file's building and person type numbers must fit the players' permission arrays.
#include <gtest/gtest.h>

#include "game/GameFixture.h"
#include "game/Kalistor.h"
#include "resources/Bytes.h"

namespace tess {
namespace {

class SavTypeNumbersTest : public test::GameTest {
  protected:
    // Two players, three buildings (the second dead) and two units, with no map to link to.
    std::vector<uint8_t> Saved() {
        auto source = std::make_unique<tKalistor>();
        source->PlayerCount = 2;
        source->Players[1].Used = source->Players[2].Used = 1;
        source->BuildingCount = 3;
        source->UnitCount = 2;
        for (int32_t i = 1; i <= 3; ++i) {
            source->Buildings[i].Used = i == 2 ? 0 : 1;
            source->Buildings[i].IdBuilding = 10 + i;
        }
        for (int32_t i = 1; i <= 2; ++i) {
            source->Units[i].Used = 1;
            source->Units[i].IdPerson = i;
            source->Units[i].StaryZaznam = -1;
        }
        return source->SaveToBytes();
    }
    static size_t BuildingTypeAt(int32_t index) {
        return 16 + 2 * kPlayerFileRecord + 8 + 8 + size_t(index - 1) * kBuildingFileRecord + 1;
    }
    static size_t UnitTypeAt(int32_t index) {
        return BuildingTypeAt(4) - 1 + 8 + size_t(index - 1) * kUnitFileRecord + 1;
    }
    static std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, int32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(uint32_t(value) >> (8 * i));
        return bytes;
    }
};

TEST_F(SavTypeNumbersTest, TypesAtTheArraysEndsLoad) {
    const std::vector<uint8_t> good = Saved();
    ASSERT_EQ(ByteReader(good).Size(), BuildingTypeAt(4) - 1 + 8 + 2 * kUnitFileRecord);
    const std::vector<uint8_t> edges = Patched(
        Patched(Patched(good, BuildingTypeAt(3), 1000), UnitTypeAt(2), 500), UnitTypeAt(1), 0);
    ASSERT_TRUE(store->LoadFromBytes(edges, "edges.sav", nullptr));
    EXPECT_EQ(store->Buildings[3].IdBuilding, 1000);
    EXPECT_EQ(store->Units[2].IdPerson, 500);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SavTypeNumbersTest, TypesOutsideTheArraysRefuseTheFileAndLeaveTheStore) {
    const std::vector<uint8_t> good = Saved();
    const struct {
        std::vector<uint8_t> bytes;
        const char* says;
    } cases[] = {
        {Patched(good, BuildingTypeAt(1), 1001), "budova 1 má typ 1001 mimo 0..1000"},
        {Patched(good, BuildingTypeAt(2), -1), "budova 2 má typ -1 mimo 0..1000"},  // dead too
        {Patched(good, UnitTypeAt(2), 501), "jednotka 2 má typ 501 mimo 0..500"},
        {Patched(good, UnitTypeAt(1), INT32_MIN), "jednotka 1 má typ -2147483648 mimo 0..500"},
    };
    ASSERT_TRUE(store->LoadFromBytes(good, "good.sav", nullptr));
    const std::vector<uint8_t> before = store->SaveToBytes();
    for (const auto& c : cases) {
        ui.Reset();
        EXPECT_FALSE(store->LoadFromBytes(c.bytes, "bad.sav", nullptr)) << c.says;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], std::string("Soubor \"bad.sav\" je poškozený: ") + c.says + ".");
        EXPECT_EQ(store->SaveToBytes(), before) << c.says;
    }
}

TEST_F(SavTypeNumbersTest, RecordsTooShortToHoldATypeCarryNone) {
    // A record of the Used byte alone names no type: it loads as type 0.
    ByteWriter out;
    out.F64(kSavFileVersion);
    for (int32_t size : {kPlayerFileRecord, kSettlementFileRecord}) {
        out.I32(0);
        out.I32(size);
    }
    for (int section = 0; section < 2; ++section) {
        out.I32(1);
        out.I32(1);
        out.U8(1);
    }
    ASSERT_TRUE(store->LoadFromBytes(out.Data(), "short.sav", nullptr));
    EXPECT_EQ(store->Buildings[1].IdBuilding, 0);
    EXPECT_EQ(store->Units[1].IdPerson, 0);
}

}  // namespace
}  // namespace tess
