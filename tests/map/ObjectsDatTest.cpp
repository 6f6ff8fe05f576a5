// The object catalogue: building from the table, the cache file, and loading pictures.
#include "map/ObjectsDat.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/BigFile.h"
#include "resources/Bytes.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ObjectTableWriter.h"
#include "writers/SpriteWriter.h"

namespace tess {
namespace {

using writers::ObjectRow;
using writers::RgbaImage;
using writers::RgbaPixel;

constexpr const char* kPictureDir = "PICTURES/32x16/../";

ObjectRow Row(int32_t id, const char* file = "obj/a.dds") {
    ObjectRow row;
    row.Id = id;
    row.Name = "o" + std::to_string(id);
    row.FileName = file;
    row.Width = 16;
    row.Height = 20;
    return row;
}

// A game directory made current, without an archive, with the picture directory present.
class CatalogueTest : public ::testing::Test {
  protected:
    CatalogueTest() : cwd(dir.Path()), objects(std::make_unique<tObjects>()) {
        BigFile().Close();
        std::filesystem::create_directories(dir.File("PICTURES/32x16"));
        std::filesystem::create_directories(dir.File("DATA"));
    }
    ~CatalogueTest() override { BigFile().Close(); }

    void WriteTable(const std::vector<ObjectRow>& rows) {
        writers::WriteDbf(dir.File("DATA/objects.dbf"), writers::ObjectTable(rows));
    }
    bool CacheExists() const { return std::filesystem::exists(dir.File(kObjectCacheFile)); }

    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::ScopedTestUi ui;
    std::unique_ptr<tObjects> objects;
};

TEST_F(CatalogueTest, UnitPicturesEnterOnlyAsFacingsOrBodies) {
    std::vector<ObjectRow> rows;
    for (int32_t id : {57, 58, 74, 81, 82, 100, 3000}) {
        rows.push_back(Row(id));
        rows.back().Typ_Unit = true;
    }
    rows.push_back(Row(108));  // remainder 8, but not a unit picture
    WriteTable(rows);
    ASSERT_TRUE(objects->BuildFromTable(kObjectTable, kPictureDir));
    for (int32_t id : {57, 74, 81, 100, 3000, 108})
        EXPECT_NE(objects->Item(id), nullptr) << id;
    for (int32_t id : {58, 82})
        EXPECT_EQ(objects->Item(id), nullptr) << id;
    // One caption per record that enters, with the picture path.
    EXPECT_EQ(ui.captions.size(), 6u);
    EXPECT_EQ(ui.captions.front(), "read ... PICTURES/32x16/../obj/a.dds");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(CatalogueTest, TableFieldsAreConvertedAsTheCatalogueKeepsThem) {
    ObjectRow full = Row(42, "stromy/smrk.dds");
    full.Name = Utf8ToCp1250("Smrk ztepilý dlouhý název");  // 25 characters: cut to 20
    full.Typ_tree = full.Typ_unown = true;
    full.pod_teren = "LS";
    full.Tree_list = full.Tree_trop = true;
    full.Tree_idx = "lsjqwyzvxnm";  // 11 letters: cut to 10
    full.WAV_NIGHT = "sova.wav";
    full.Anim_y = -7;
    full.Relat_X = 12;
    full.Relat_Y = 30;
    full.Width = 24;
    full.Height = 33;
    full.Anim_Count = 260;  // kept as a byte
    full.Size_RT = 2;
    full.Size_LT = 3;
    ObjectRow longPath = Row(43, std::string(130, 'p').c_str());
    WriteTable({full, longPath});
    ASSERT_TRUE(objects->BuildFromTable(kObjectTable, kPictureDir));

    const tObject& o = *objects->Item(42);
    EXPECT_EQ(o.Id, 42);
    EXPECT_EQ(o.Name, Utf8ToCp1250("Smrk ztepilý dlouhý "));
    EXPECT_EQ(o.FileName, "PICTURES/32x16/../stromy/smrk.dds");
    EXPECT_EQ(o.Typ_tree, 1);
    EXPECT_EQ(o.Typ_build, 0);
    EXPECT_EQ(o.Typ_Unit, 0);
    EXPECT_EQ(o.Typ_unown, 1);
    EXPECT_EQ(o.pod_teren, 7);
    EXPECT_EQ(o.Tree_list, 1);
    EXPECT_EQ(o.Tree_jehl, 0);
    EXPECT_EQ(o.Tree_ker, 0);
    EXPECT_EQ(o.Tree_trop, 1);
    EXPECT_EQ(o.Tree_idx, "lsjqwyzvxn");
    EXPECT_EQ(o.TreeIdxPlain, 1);
    EXPECT_EQ(o.HasSound, 1);
    EXPECT_EQ(o.Anim_y, -7);
    EXPECT_EQ(o.Relat_X, 12);
    EXPECT_EQ(o.Relat_Y, 30);
    EXPECT_EQ(o.Width, 24);
    EXPECT_EQ(o.Height, 33);
    EXPECT_EQ(o.Anim_Count, 4);
    EXPECT_EQ(o.Size_RT, 2);
    EXPECT_EQ(o.Size_LT, 3);
    EXPECT_EQ(o.State, PictureState::NotLoaded);

    const tObject& p = *objects->Item(43);
    EXPECT_EQ(p.FileName.size(), kObjectFileChars);
    EXPECT_EQ(p.HasSound, 0);
    EXPECT_EQ(p.pod_teren, kNoTerrainUnder);
    EXPECT_EQ(p.TreeIdxPlain, 0);
}

TEST(CatalogueCodes, TerrainUnderCodesAreExactTwoLetterMatches) {
    const char* codes[] = {"SK", "PS", "HK", "KB", "KT", "TR", "TS", "LS",
                           "BZ", "SH", "CP", "CK", "VM", "VH", "LV"};
    for (uint16_t slot = 0; slot < 15; ++slot)
        EXPECT_EQ(TerrainUnderCode(codes[slot]), slot);
    for (const char* other : {"sk", "Sk", "", "S", "SKX", " SK", "XX"})
        EXPECT_EQ(TerrainUnderCode(other), kNoTerrainUnder) << '"' << other << '"';
}

TEST(CatalogueCodes, PlainTreeLettersAvoidTheGroupLetters) {
    EXPECT_EQ(ComputeTreeIdxPlain(""), 0);
    EXPECT_EQ(ComputeTreeIdxPlain("ls"), 1);
    EXPECT_EQ(ComputeTreeIdxPlain("LTBARPK"), 1);  // only the lower-case letters count
    for (const char* letters : {"t", "xb", "a", "lr", "p", "sk"})
        EXPECT_EQ(ComputeTreeIdxPlain(letters), 0) << letters;
}

TEST(CatalogueCodes, FrameHeightIsTheShareOfOneFrameRoundedUp) {
    EXPECT_EQ(FrameHeight(20, 1), 20);
    EXPECT_EQ(FrameHeight(20, 3), 7);   // 6.67 + 0.4999
    EXPECT_EQ(FrameHeight(21, 2), 11);  // 10.5 + 0.4999
    EXPECT_EQ(FrameHeight(40, 3), 14);  // 13.33 + 0.4999
    EXPECT_EQ(FrameHeight(10, 4), 3);   // 2.5 + 0.4999
    EXPECT_EQ(FrameHeight(0, 5), 0);
}

// Every field with a value of its own, strings at their full length.
std::unique_ptr<tObject> FullEntry(int32_t id) {
    auto o = std::make_unique<tObject>();
    o->Id = id;
    o->Name = std::string(kObjectNameChars, char('A' + id % 26));
    o->FileName = std::string(kObjectFileChars, '\x9a');  // CP1250 letter
    o->Typ_tree = 1;
    o->Typ_build = 2;
    o->Typ_Unit = 3;
    o->Typ_unown = 4;
    o->pod_teren = static_cast<uint16_t>(id % 15);
    o->Tree_list = 5;
    o->Tree_jehl = 6;
    o->Tree_ker = 7;
    o->Tree_trop = 8;
    o->Tree_idx = "sv";
    o->TreeIdxPlain = 1;
    o->HasSound = 1;
    o->Anim_y = -id;
    o->Relat_X = id * 3;
    o->Relat_Y = -40000;
    o->Width = 70000;
    o->Height = id + 1;
    o->Anim_Count = 9;
    o->Size_RT = 10;
    o->Size_LT = 11;
    return o;
}

void ExpectSameFields(const tObject& a, const tObject& b) {
    EXPECT_EQ(a.Id, b.Id);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.FileName, b.FileName);
    EXPECT_EQ(a.Typ_tree, b.Typ_tree);
    EXPECT_EQ(a.Typ_build, b.Typ_build);
    EXPECT_EQ(a.Typ_Unit, b.Typ_Unit);
    EXPECT_EQ(a.Typ_unown, b.Typ_unown);
    EXPECT_EQ(a.pod_teren, b.pod_teren);
    EXPECT_EQ(a.Tree_list, b.Tree_list);
    EXPECT_EQ(a.Tree_jehl, b.Tree_jehl);
    EXPECT_EQ(a.Tree_ker, b.Tree_ker);
    EXPECT_EQ(a.Tree_trop, b.Tree_trop);
    EXPECT_EQ(a.TreeIdxPlain, b.TreeIdxPlain);
    EXPECT_EQ(a.Tree_idx, b.Tree_idx);
    EXPECT_EQ(a.HasSound, b.HasSound);
    EXPECT_EQ(a.Anim_y, b.Anim_y);
    EXPECT_EQ(a.Relat_X, b.Relat_X);
    EXPECT_EQ(a.Relat_Y, b.Relat_Y);
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.Anim_Count, b.Anim_Count);
    EXPECT_EQ(a.Size_RT, b.Size_RT);
    EXPECT_EQ(a.Size_LT, b.Size_LT);
}

TEST(CatalogueCache, RoundTripKeepsEveryFieldAndEmptySlotsCostFourBytes) {
    auto written = std::make_unique<tObjects>();
    for (int32_t id : {0, 1, 777, 9999})
        written->Put(FullEntry(id));
    const std::vector<uint8_t> bytes = written->CacheBytes();
    ASSERT_EQ(bytes.size(), 4 * kCacheEntryBytes + (kObjectSlots - 4) * kCacheEmptyBytes);

    // Entry 0 starts the file; entry 1 follows 215 bytes later; slot 2 is a zero word.
    ByteReader in(bytes);
    EXPECT_NE(in.U32(), 0u);
    EXPECT_EQ(in.I32(), 0);
    in.Seek(kCacheEntryBytes);
    EXPECT_NE(in.U32(), 0u);
    EXPECT_EQ(in.I32(), 1);
    in.Seek(2 * kCacheEntryBytes);
    EXPECT_EQ(in.U32(), 0u);
    // Typ_unown (4) is stored before Typ_Unit (3): presence, Id, FileName, Name, tree, build.
    const size_t flags = kCacheEntryBytes + 4 + 4 + 141 + 21;
    EXPECT_EQ(bytes[flags], 1);
    EXPECT_EQ(bytes[flags + 1], 2);
    EXPECT_EQ(bytes[flags + 2], 4);
    EXPECT_EQ(bytes[flags + 3], 3);
    // pod_teren closes the entry.
    EXPECT_EQ(bytes[2 * kCacheEntryBytes - 2], 1);
    EXPECT_EQ(bytes[2 * kCacheEntryBytes - 1], 0);

    auto read = std::make_unique<tObjects>();
    std::string why;
    ASSERT_TRUE(read->ReadCacheBytes(bytes, why)) << why;
    EXPECT_EQ(read->Count(), 4);
    for (int32_t id : {0, 1, 777, 9999}) {
        SCOPED_TRACE(id);
        ASSERT_NE(read->Item(id), nullptr);
        ExpectSameFields(*read->Item(id), *written->Item(id));
    }
    EXPECT_EQ(read->CacheBytes(), bytes);
}

TEST(CatalogueCache, PlainTreeLettersAreComputedWhenTheCacheIsRead) {
    auto written = std::make_unique<tObjects>();
    auto entry = FullEntry(5);
    entry->Tree_idx = "kv";
    entry->TreeIdxPlain = 1;  // not what the letters say: the reader computes it afresh
    written->Put(std::move(entry));
    auto read = std::make_unique<tObjects>();
    std::string why;
    ASSERT_TRUE(read->ReadCacheBytes(written->CacheBytes(), why));
    EXPECT_EQ(read->Item(5)->TreeIdxPlain, 0);
}

TEST(CatalogueCache, DamagedBytesAreRefusedWithoutTouchingTheCatalogue) {
    auto source = std::make_unique<tObjects>();
    source->Put(FullEntry(3));
    source->Put(FullEntry(4));
    const std::vector<uint8_t> good = source->CacheBytes();

    std::vector<std::vector<uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.begin() + 3 * 4 + kCacheEntryBytes + 100);
    damaged.emplace_back(good.begin(), good.end() - 1);
    damaged.push_back(good);
    damaged.back().push_back(0);
    damaged.push_back(good);
    damaged.back()[3 * 4 + 8] = 141;  // FileName length beyond its 140 bytes
    damaged.push_back(good);
    damaged.back()[3 * 4 + 8 + 141] = 21;  // Name length beyond its 20 bytes
    damaged.emplace_back();

    auto target = std::make_unique<tObjects>();
    target->Put(FullEntry(9));
    for (size_t i = 0; i < damaged.size(); ++i) {
        std::string why;
        EXPECT_FALSE(target->ReadCacheBytes(damaged[i], why)) << i;
        EXPECT_FALSE(why.empty()) << i;
        EXPECT_EQ(target->Count(), 1) << i;
        EXPECT_NE(target->Item(9), nullptr) << i;
    }
}

TEST_F(CatalogueTest, CreateBuildsFromTheTableAndWritesTheCacheThenReadsIt) {
    ObjectRow tree = Row(7);
    tree.Typ_tree = true;
    tree.Tree_idx = "ls";
    WriteTable({tree, Row(8)});
    objects->Create(kObjectTable, kPictureDir);
    EXPECT_EQ(objects->Source(), CatalogueSource::Table);
    ASSERT_TRUE(CacheExists());
    EXPECT_EQ(test::ReadFileBytes(dir.File(kObjectCacheFile)), objects->CacheBytes());
    // The first run already knows the plain trees, as every later run does.
    EXPECT_EQ(objects->Item(7)->TreeIdxPlain, 1);

    // Once the cache exists the table is no longer read, even when it changed.
    WriteTable({Row(9)});
    ui.Reset();
    auto again = std::make_unique<tObjects>();
    again->Create(kObjectTable, kPictureDir);
    EXPECT_EQ(again->Source(), CatalogueSource::Cache);
    EXPECT_NE(again->Item(7), nullptr);
    EXPECT_EQ(again->Item(9), nullptr);
    EXPECT_EQ(again->Item(7)->TreeIdxPlain, 1);
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(CatalogueTest, DamagedCacheIsReportedAndRebuiltFromTheTable) {
    WriteTable({Row(7), Row(8)});
    auto stale = std::make_unique<tObjects>();
    stale->Put(FullEntry(3));
    std::vector<uint8_t> bytes = stale->CacheBytes();
    bytes.resize(bytes.size() - 3);  // cut inside the last empty slot
    dir.Write(kObjectCacheFile, bytes);

    objects->Create(kObjectTable, kPictureDir);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("objects.kar"), std::string::npos);
    EXPECT_EQ(objects->Source(), CatalogueSource::Table);
    EXPECT_EQ(objects->Item(3), nullptr);  // nothing of the damaged file survives
    EXPECT_NE(objects->Item(7), nullptr);
    // The rebuilt cache replaced the damaged one.
    EXPECT_EQ(test::ReadFileBytes(dir.File(kObjectCacheFile)), objects->CacheBytes());
}

TEST_F(CatalogueTest, WithoutTableOrCacheTheCatalogueIsEmptyAndNoCacheIsWritten) {
    objects->Put(FullEntry(1));
    objects->Create(kObjectTable, kPictureDir);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find("neexistuje"), std::string::npos);
    EXPECT_EQ(objects->Source(), CatalogueSource::MissingTable);
    EXPECT_EQ(objects->Count(), 0);
    EXPECT_FALSE(CacheExists());
}

TEST_F(CatalogueTest, LoadReadsTheCatalogueWithoutWritingTheCache) {
    WriteTable({Row(7)});
    objects->Load(kObjectTable, kPictureDir);
    EXPECT_NE(objects->Item(7), nullptr);
    EXPECT_FALSE(CacheExists());
}

TEST_F(CatalogueTest, CacheNameIsFoundWhateverItsLetterCase) {
    auto stored = std::make_unique<tObjects>();
    stored->Put(FullEntry(12));
    dir.Write("OBJECTS.KAR", stored->CacheBytes());
    objects->Create(kObjectTable, kPictureDir);
    EXPECT_EQ(objects->Source(), CatalogueSource::Cache);
    EXPECT_NE(objects->Item(12), nullptr);
}

// --- pictures ----------------------------------------------------------------------------------

// Pictures whose colours a container holds exactly: 4 bits per channel for the A4R4G4B4
// layouts, 5-6-5 for the R5G6B5 ones; none of them magenta or black.
RgbaPixel PatternColour(int x, int y, bool rgb565) {
    if (rgb565) return {Expand5(x), Expand6(y * 2), Expand5(9), 255};
    return {Expand4(x), Expand4(y), Expand4(4), 255};
}

RgbaImage Pattern(int w, int h, bool rgb565 = false) {
    RgbaImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.At(x, y) = PatternColour(x, y, rgb565);
    return img;
}

uint16_t PatternPixel(int x, int y, bool rgb565 = false) {
    const RgbaPixel p = PatternColour(x, y, rgb565);
    return Rgb565(p.r, p.g, p.b);
}

writers::TiledOptions Tiles565() {
    writers::TiledOptions tiled;
    tiled.Pixels = writers::TilePixels::R5G6B5;
    tiled.TileSize = 8;
    return tiled;
}

class PictureTest : public CatalogueTest {
  protected:
    // Writes the sprite and puts an entry that names it.
    tObject& Entry(int32_t id, const std::string& file, const std::vector<uint8_t>& sprite,
                   bool unit = false, int animCount = 1) {
        dir.Write("PICTURES/obj/" + file, sprite);  // the "../" leaves 32x16
        auto o = std::make_unique<tObject>();
        o->Id = id;
        o->FileName = std::string(kPictureDir) + "obj/" + file;
        o->Typ_Unit = unit;
        o->Width = 8;
        o->Height = 6;
        o->Anim_Count = static_cast<uint8_t>(animCount);
        tObject& ref = *o;
        objects->Put(std::move(o));
        return ref;
    }
};

TEST_F(PictureTest, UnitFacingKeepsTheTopLeftFrameOnly) {
    writers::DdsOptions options;
    tObject& facing = Entry(3007, "facing.dds", writers::WriteDds(Pattern(16, 20), options), true);
    ASSERT_TRUE(objects->LoadPicture(facing));
    EXPECT_EQ(ui.LastCaption(), "read ... PICTURES/32x16/../obj/facing.dds");
    ASSERT_EQ(facing.Picture.Width(), 8);
    ASSERT_EQ(facing.Picture.Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(facing.Picture.PixelAt(x, y), PatternPixel(x, y));
    EXPECT_EQ(facing.Picture.TransparentColor(), kMagenta565);
    EXPECT_EQ(facing.Height, 6);  // a facing keeps its table height

    // A file smaller than the frame leaves the rest transparent.
    tObject& small = Entry(3050, "small.dds", writers::WriteDds(Pattern(4, 4), options), true);
    ASSERT_TRUE(objects->LoadPicture(small));
    EXPECT_EQ(small.Picture.PixelAt(3, 3), PatternPixel(3, 3));
    EXPECT_EQ(small.Picture.PixelAt(7, 5), kMagenta565);
}

TEST_F(PictureTest, UnitBodyLoadsWholeAndTakesItsFrameHeight) {
    tObject& body =
        Entry(3024, "body.ddsr", writers::WriteDdsr(Pattern(16, 20, true), Tiles565()), true, 3);
    ASSERT_TRUE(objects->LoadPicture(body));
    EXPECT_EQ(body.Picture.Width(), 16);
    EXPECT_EQ(body.Picture.Height(), 20);
    EXPECT_EQ(body.Height, 7);
    EXPECT_EQ(body.Picture.PixelAt(15, 19), PatternPixel(15, 19, true));
    EXPECT_EQ(body.Picture.TransparentColor(), kMagenta565);
}

TEST_F(PictureTest, BlackKeyedDecorationsLoadFromPlainOrRunLengthFilesOnly) {
    tObject& fire = Entry(231, "fire.dds", writers::WriteDds(Pattern(8, 12)), false, 2);
    ASSERT_TRUE(objects->LoadPicture(fire));
    EXPECT_EQ(fire.Picture.TransparentColor(), kBlack565);
    EXPECT_EQ(fire.Height, 6);

    tObject& lily = Entry(361, "lily.ddsr", writers::WriteDdsr(Pattern(8, 12, true), Tiles565()));
    ASSERT_TRUE(objects->LoadPicture(lily));
    EXPECT_EQ(lily.Picture.TransparentColor(), kBlack565);
    EXPECT_EQ(lily.Picture.PixelAt(2, 3), PatternPixel(2, 3, true));

    // A dictionary file is neither kind: no picture, and no message.
    tObject& flower = Entry(415, "flower.ddsl", writers::WriteDdsl(Pattern(8, 12)));
    EXPECT_FALSE(objects->LoadPicture(flower));
    EXPECT_EQ(flower.State, PictureState::Failed);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(PictureTest, OtherObjectsChooseTheDecoderByTheFileHeader) {
    writers::DdsOptions plus;
    plus.PlusMagic = true;
    writers::TiledOptions tiled;  // 4 bits per channel
    tiled.TileSize = 8;
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"a.dds", writers::WriteDds(Pattern(8, 12))},
        {"b.dds", writers::WriteDds(Pattern(8, 12), plus)},
        {"c.ddsr", writers::WriteDdsr(Pattern(8, 12), tiled)},
        {"d.ddsl", writers::WriteDdsl(Pattern(8, 12, true), Tiles565())},
        {"e.dds2", writers::WriteDds2(Pattern(8, 12), 6)},
    };
    int32_t id = 500;
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        tObject& o = Entry(id++, name, bytes, false, 4);
        ASSERT_TRUE(objects->LoadPicture(o));
        EXPECT_EQ(o.Picture.Width(), 8);
        EXPECT_EQ(o.Picture.Height(), 12);
        EXPECT_EQ(o.Picture.PixelAt(5, 7), PatternPixel(5, 7, name == "d.ddsl"));
        EXPECT_EQ(o.Picture.TransparentColor(), kMagenta565);
        EXPECT_EQ(o.Height, 3);
    }
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(PictureTest, UnknownHeaderIsReportedAndFailuresAreNotRetried) {
    tObject& odd = Entry(600, "odd.dds", std::vector<uint8_t>(200, 'Q'));
    EXPECT_FALSE(objects->LoadPicture(odd));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "LoadDDSLtoSurface PICTURES/32x16/../obj/odd.dds");
    EXPECT_EQ(odd.Height, 6);  // nothing measured, nothing changed

    auto missing = std::make_unique<tObject>();
    missing->Id = 601;
    missing->FileName = "PICTURES/nothing.dds";
    tObject& ref = *missing;
    objects->Put(std::move(missing));
    EXPECT_FALSE(objects->LoadPicture(ref));
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_NE(ui.errors[1].find("PICTURES/nothing.dds"), std::string::npos);

    // The view asks again on every frame: neither file is read or reported again.
    const size_t captions = ui.captions.size();
    EXPECT_FALSE(objects->LoadPicture(odd));
    EXPECT_FALSE(objects->LoadPicture(ref));
    EXPECT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(ui.captions.size(), captions);
}

TEST_F(PictureTest, FacingWithAnImpossibleFrameSizeIsRefused) {
    tObject& facing = Entry(3001, "f.dds", writers::WriteDds(Pattern(8, 8)), true);
    facing.Width = 0;
    EXPECT_FALSE(objects->LoadPicture(facing));
    EXPECT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(facing.Picture.Empty());
}

}  // namespace
}  // namespace tess
