// The written demo game, read back through the program's own loaders: every table, sprite,
// terrain and wall picture, sound and the face video; lookups as the program makes them; the
// map pair; and the same bytes from a second run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "DemoFixture.h"
#include "DemoMap.h"
#include "DemoWriter.h"
#include "FilePlan.h"
#include "GameData.h"
#include "Objects.h"
#include "Terrain.h"
#include "Walls.h"
#include "game/Footprints.h"
#include "game/GameTables.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "map/TerenDat.h"
#include "map/WallDat.h"
#include "resources/BigFile.h"
#include "resources/Bitmap.h"
#include "resources/Bytes.h"
#include "resources/Dbf.h"
#include "resources/Sprites.h"
#include "resources/Utils.h"
#include "support/TempDir.h"

namespace tess::demo {
namespace {

namespace fs = std::filesystem;

// The name the program asks a planned file by.
std::string AskedName(const PlannedFile& f) {
    return f.askedAs.empty() ? f.path : f.askedAs;
}

std::string RightTrim(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

TEST_F(InDemoGame, EveryTableReadsBackAsDesigned) {
    for (const TableDesign& design : DemoTables()) {
        SCOPED_TRACE(design.name);
        tTable table;
        OpenDBF(table, design.name);
        ASSERT_EQ(table.RecordCount, static_cast<int32_t>(design.rows.size()));
        ASSERT_EQ(table.FieldCount, static_cast<int32_t>(design.fields.size()));
        size_t row = 0;
        for (First(table); !Eof(table); Next(table), ++row) {
            for (size_t f = 0; f < design.fields.size(); ++f) {
                const FieldDef& field = design.fields[f];
                const std::string& value = design.rows[row][f];
                SCOPED_TRACE(field.name + " in record " + std::to_string(row + 1));
                switch (field.type) {
                    case 'N':
                        EXPECT_EQ(GetInteger(table, field.name),
                                  value.empty() ? 0 : std::stoi(value));
                        break;
                    case 'L':
                        EXPECT_EQ(GetBool(table, field.name), value == "T");
                        break;
                    case 'M':
                        EXPECT_EQ(GetString(table, field.name), value);
                        break;
                    default:
                        EXPECT_EQ(GetString(table, field.name), RightTrim(value));
                }
            }
        }
        EXPECT_EQ(row, design.rows.size());
        CloseDBF(table);
    }
    // The model's own readers of the rule tables take every record.
    EXPECT_EQ(ReadBuildingTypes().size(), BuildingTypes().size());
    EXPECT_EQ(ReadPersonTypes().size(), PersonTypes().size());
    EXPECT_EQ(ReadNames().size(), FindTable("DATA\\names.dbf").rows.size());
    EXPECT_EQ(ReadRaces().size(), 4u);
    EXPECT_EQ(ReadUpgrades().size(), FindTable("DATA\\upgrade.dbf").rows.size());
    EXPECT_EQ(ReadEffects().size(), FindTable("DATA\\efects.dbf").rows.size());
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

// The surface pixel a lossless container gives for a prepared picture's pixel.
uint16_t Expected565(Container c, Rgba p) {
    if (c == Container::Dds2 && (p.a >> 4) == 0) return kMagenta565;
    const Rgba q = QuantiseFor(c, p);
    return Rgb565(q.r, q.g, q.b);
}

bool IsDxt3(Container c) {
    return c == Container::DdsDxt3 || c == Container::DdsDxt3Tiled;
}

// Loads a picture file through the loader its container calls for, checking the information
// operations on the way.
tSurface LoadSprite(const std::string& name, Container c) {
    tSurface surface;
    int32_t w = 0, h = 0, alphaBits = 0, bits = 0;
    switch (c) {
        case Container::Dds2:
            LoadDDS2toSurface(name, surface);
            break;
        case Container::DdslA4R4G4B4:
        case Container::DdslR5G6B5:
        case Container::DdslA8R8G8B8:
            LoadDDSLtoSurface(name, surface, nullptr);
            break;
        case Container::DdsrA4R4G4B4:
        case Container::DdsrR5G6B5:
            EXPECT_TRUE(GetDDSRInfo(name, w, h, alphaBits, bits));
            LoadDDSRtoSurface(name, surface, nullptr);
            EXPECT_EQ(w, surface.Width());
            EXPECT_EQ(h, surface.Height());
            EXPECT_EQ(bits, 16);
            break;
        default:
            EXPECT_TRUE(GetDDSInfo(name, w, h, alphaBits, bits));
            LoadDDStoSurface(name, surface, nullptr);
            EXPECT_EQ(w, surface.Width());
            EXPECT_EQ(h, surface.Height());
    }
    return surface;
}

void ExpectPicture(const tSurface& surface, const Canvas& prepared, Container c, Rgba key) {
    ASSERT_EQ(surface.Width(), prepared.Width());
    ASSERT_EQ(surface.Height(), prepared.Height());
    const uint16_t key565 = Rgb565(key.r, key.g, key.b);
    int64_t error = 0;
    for (int y = 0; y < prepared.Height(); ++y)
        for (int x = 0; x < prepared.Width(); ++x) {
            const Rgba p = prepared.Get(x, y);
            const uint16_t got = surface.PixelAt(x, y);
            if (!IsDxt3(c)) {
                ASSERT_EQ(got, Expected565(c, p)) << x << "," << y;
                continue;
            }
            // DXT3 approximates colours; transparent blocks must keep the key exactly and no
            // drawn pixel may turn into it.
            ASSERT_EQ(got == key565, p.a == 0) << x << "," << y;
            const Rgb8 g = ExpandRgb565(got);
            error += std::abs(g.r - p.r) + std::abs(g.g - p.g) + std::abs(g.b - p.b);
        }
    // On average the colours stay close (the sum over the three channels).
    EXPECT_LT(error / (prepared.Width() * prepared.Height()), 24);
}

TEST_F(InDemoGame, EverySpriteLoadsAsDrawn) {
    ArtLibrary art;
    std::set<Container> seen;
    for (const PlannedFile& f : DemoFilePlan()) {
        const std::string name = AskedName(f);
        SCOPED_TRACE(name);
        switch (f.kind) {
            case FileKind::Sprite: {
                const ObjectDesign* o = FindObject(f.number);
                ASSERT_NE(o, nullptr);
                const Canvas prepared =
                    PrepareForContainer(*art.ObjectPicture(o->id), o->file.container, o->file.key);
                ExpectPicture(LoadSprite(name, f.container), prepared, f.container, o->file.key);
                seen.insert(f.container);
                break;
            }
            case FileKind::EffectStrip: {
                // The effect dialog's name: the table's file name without "*", "tga" as "dds".
                std::string asked;
                for (const AnimDesign& a : AnimDesigns())
                    if (a.id == f.number)
                        asked = "pictures\\anims\\" +
                                ReplaceText(ReplaceText(a.tableFileName, "*", ""), "tga", "dds");
                ASSERT_TRUE(FileExistsOnDisk(asked));
                const tSurface strip = LoadSprite(asked, Container::Dds2);
                for (const AnimDesign& a : AnimDesigns())
                    if (a.id == f.number) {
                        EXPECT_EQ(strip.Width(), a.width);
                        EXPECT_EQ(strip.Height(), a.height * a.frames);
                    }
                seen.insert(Container::Dds2);
                break;
            }
            case FileKind::PaletteButton:
                ExpectPicture(
                    LoadSprite(name, f.container),
                    PrepareForContainer(MakeTerrainButton(f.source), f.container, kMagenta),
                    f.container, kMagenta);
                break;
            case FileKind::ButtonOverlay:
                ExpectPicture(LoadSprite(name, f.container),
                              PrepareForContainer(MakeButtonOverlay(f.source), f.container, kBlack),
                              f.container, kBlack);
                break;
            default:
                break;
        }
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(seen.size(), 11u);  // every container and layout
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

uint16_t BitsPerPixel(const std::string& name) {
    const std::vector<uint8_t> bytes = BigFile().ReadWholeFile(name);
    ByteReader r(bytes);
    r.Seek(28);
    return r.U16();
}

TEST_F(InDemoGame, TerrainAndWallPicturesKeepEveryColour) {
    ArtLibrary art;
    int pictures = 0;
    for (const PlannedFile& f : DemoFilePlan()) {
        const Canvas* drawn = nullptr;
        Rgba key = kTerrainKey;
        if (f.kind == FileKind::TerrainFlat) drawn = &art.FlatPicture(f.source);
        if (f.kind == FileKind::TerrainSlope) drawn = &art.SlopePicture(f.source);
        if (f.kind == FileKind::WallPicture) {
            drawn = &art.WallPicture(f.number);
            key = kWallKey;
        }
        if (drawn == nullptr) continue;
        const std::string name = AskedName(f);
        SCOPED_TRACE(name);
        ++pictures;
        // Palettised: walls have at most 16 colours, terrain at most 256.
        EXPECT_LE(BitsPerPixel(name), f.kind == FileKind::WallPicture ? 4 : 8);
        tSurface s;
        LoadBitmapToSurface(name, s);
        ASSERT_EQ(s.Width(), drawn->Width());
        ASSERT_EQ(s.Height(), drawn->Height());
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) {
                const Rgba p = drawn->Get(x, y).a == 0 ? key : drawn->Get(x, y);
                ASSERT_EQ(s.PixelAt(x, y), Rgb565(p.r, p.g, p.b)) << x << "," << y;
            }
        EXPECT_EQ(s.PixelAt(0, 0), kMagenta565);  // the key, as every piece's top-left pixel
    }
    EXPECT_EQ(pictures, 2 * static_cast<int>(TerrainSetNames().size()) + kWallKinds);
    // The wall-piece table as the map reads it, the wall pictures as the walls take them.
    auto map = std::make_unique<tMapa>();
    Random random;
    map->Create(128, 128, random, WallTableSource::GameData);
    EXPECT_EQ(map->WallTable, MakeWallPieceTable());
    for (int kind = 1; kind <= kWallKinds; ++kind) {
        tWall wall;
        wall.Create(*map, WallPictureName("PICTURES/32x16/", kind));
        EXPECT_EQ(wall.Picture.Width(), kWallPictureWidth) << kind;
        EXPECT_EQ(wall.Picture.Height(), kWallPictureHeight) << kind;
    }
    // Every picture set through the terrain catalogue, fifteen slots at a time.
    auto terrains = std::make_unique<tTerens>();
    terrains->Create(kLevelDepth, kTileHeight, kTileWidth, *map, kTerrainPictureDir);
    const std::vector<std::string>& sets = TerrainSetNames();
    for (size_t first = 0; first < sets.size(); first += kTerrainSlots) {
        for (size_t slot = 0; slot < size_t(kTerrainSlots); ++slot)
            map->Terrains[slot].Name = sets[std::min(first + slot, sets.size() - 1)];
        terrains->LoadPictures(kTerrainPictureDir);
        for (int slot = 0; slot < kTerrainSlots; ++slot) {
            SCOPED_TRACE(map->Terrains[size_t(slot)].Name);
            ASSERT_TRUE(map->TerrainLoaded[size_t(slot)]);
            const tTerenOne* one = terrains->Item(slot);
            EXPECT_EQ(one->FlatRows, TerrainFlatRows(map->Terrains[size_t(slot)].Name));
            EXPECT_EQ(one->SlopeVariants, kSlopeVariants);
        }
    }
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(InDemoGame, CatalogueFromTheTableHoldsEveryObjectWithItsPicture) {
    auto objects = std::make_unique<tObjects>();
    ASSERT_TRUE(objects->BuildFromTable(kObjectTable, "PICTURES/32x16/../"));
    // The cache the demo ships is this build's.
    EXPECT_TRUE(test::ReadFileBytes(ResolveDiskPath(kObjectCacheFile)) == objects->CacheBytes());
    int32_t count = 0;
    for (const ObjectDesign& o : ObjectCatalogue()) {
        SCOPED_TRACE("object " + std::to_string(o.id));
        tObject* e = objects->Item(o.id);
        if (o.typUnit && !KeepsUnitPicture(o.id)) {
            EXPECT_EQ(e, nullptr);
            continue;
        }
        ASSERT_NE(e, nullptr);
        ++count;
        EXPECT_EQ(e->Name, o.name);
        EXPECT_EQ(e->pod_teren, TerrainUnderCode(o.podTeren));
        EXPECT_EQ(e->Tree_idx, o.treeIdx);
        EXPECT_EQ(e->HasSound, !o.wavFile.empty() || !o.wavDay.empty() || !o.wavNight.empty());
        EXPECT_EQ(e->Size_RT, o.sizeRT);
        EXPECT_EQ(e->Size_LT, o.sizeLT);
        EXPECT_EQ(e->Anim_Count, o.animCount);
        ASSERT_TRUE(objects->LoadPicture(*e));
        // The frame height the catalogue finds in the picture is the designed one.
        EXPECT_EQ(e->Height, o.height);
        EXPECT_EQ(e->Picture.Width(), o.width);
    }
    EXPECT_EQ(objects->Count(), count);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(InDemoGame, NamesResolveWhereTheProgramLooks) {
    int inArchive = 0, onDisk = 0, respelled = 0;
    for (const PlannedFile& f : DemoFilePlan()) {
        const std::string name = AskedName(f);
        SCOPED_TRACE(name + " stored as " + f.path);
        const TBigFileFileEntry* entry = BigFile().FindEntry(name);
        if (f.storage == Storage::Archive) {
            ASSERT_NE(entry, nullptr);
            EXPECT_GT(entry->Size, 0u);
            ++inArchive;
        } else {
            EXPECT_EQ(entry, nullptr);
            EXPECT_TRUE(FileExistsOnDisk(name));
            // Stored exactly as planned, so the case-blind lookup had work to do where the
            // spellings differ.
            EXPECT_TRUE(fs::is_regular_file(fs::path(Cp1250ToUtf8(f.path))));
            respelled += fs::path(name) != fs::path(f.path);
            ++onDisk;
        }
        EXPECT_TRUE(BigFile().FileExists(name));
    }
    EXPECT_EQ(static_cast<size_t>(inArchive), BigFile().Directory().size());
    EXPECT_GT(onDisk, 40);
    EXPECT_GT(respelled, 20);
    // The archive holds nothing that is also on the disk under the same name.
    for (const TBigFileFileEntry& e : BigFile().Directory())
        EXPECT_FALSE(FileExistsOnDisk(e.Name)) << e.Name;
}

TEST_F(InDemoGame, SoundsAndTheFaceVideoAreThereForTheDialogs) {
    for (const std::string& sound : SoundFiles()) {
        const std::string name = "sound\\" + sound;
        SCOPED_TRACE(name);
        ASSERT_TRUE(FileExistsOnDisk(name));
        const std::vector<uint8_t> wav = test::ReadFileBytes(ResolveDiskPath(name));
        ByteReader r(wav);
        r.Seek(20);
        EXPECT_EQ(r.U16(), 1);  // PCM
        EXPECT_EQ(r.U16(), 1);  // mono
        r.Seek(40);
        const uint32_t dataBytes = r.U32();
        EXPECT_EQ(dataBytes + 44, wav.size());
        int loudest = 0;
        for (uint32_t i = 0; i < dataBytes / 2; ++i)
            loudest = std::max(loudest, std::abs(static_cast<int16_t>(r.U16())));
        EXPECT_GT(loudest, 8000);
    }

    const std::string video = "Pictures\\ksichtis.avi";
    ASSERT_TRUE(FileExistsOnDisk(video));
    const std::vector<uint8_t> avi = test::ReadFileBytes(ResolveDiskPath(video));
    ByteReader r(avi);
    r.Seek(24 + 8 + 16);  // avih: total frames
    const uint32_t frames = r.U32();
    EXPECT_EQ(frames, uint32_t(4 * kFaceFrames));
    r.Seek(24 + 8 + 32);
    EXPECT_EQ(r.I32(), kFaceWidth);
    EXPECT_EQ(r.I32(), kFaceHeight);
    // Every building's clip lies within the video: the dialog shows its last frame.
    tTable buildings;
    OpenDBF(buildings, "data\\building.dbf");
    for (First(buildings); !Eof(buildings); Next(buildings)) {
        const int32_t first = GetInteger(buildings, "Xicht_Pos");
        const int32_t length = GetInteger(buildings, "Xicht_Len");
        SCOPED_TRACE("building " + std::to_string(GetInteger(buildings, "Id")));
        EXPECT_GE(first, 0);
        EXPECT_GE(length, 1);
        EXPECT_LT(first + length - 1, static_cast<int32_t>(frames));
    }
    CloseDBF(buildings);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(InDemoGame, MapPairLoadsWithItsGameData) {
    const MapDesign design = DesignDemoMap();
    auto map = std::make_unique<tMapa>();
    auto store = std::make_unique<tKalistor>();
    // The shipped cache: an installed demo is read-only.
    auto objects = std::make_unique<tObjects>();
    objects->Load(kObjectTable, "PICTURES/32x16/../");
    EXPECT_EQ(objects->Source(), CatalogueSource::Cache);
    ViewPosition view{0, 0, 0, 0, 640, 480};
    RepairSummary repaired;
    ASSERT_TRUE(OpenMapPair(*map, *store, *objects, view, "MAPS\\default.map", "MAPS\\default.sav",
                            nullptr, &repaired));
    EXPECT_EQ(repaired.EmptiedAnchors, 0);
    EXPECT_GT(repaired.FootprintCells, 0);
    // The footprints as written are the ones the repair rebuilds: the file read without it
    // holds the same cells.
    {
        auto asWritten = std::make_unique<tMapa>();
        ViewPosition v;
        ASSERT_TRUE(asWritten->LoadFromFile("MAPS\\default.map", v));
        for (int y = 0; y < design.height; ++y)
            for (int x = 0; x < design.width; ++x)
                ASSERT_EQ(asWritten->Cell(x, y), map->Cell(x, y)) << x << "," << y;
    }
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
    ASSERT_EQ(map->Width, design.width);
    ASSERT_EQ(map->Height, design.height);
    ASSERT_TRUE(map->StoredViewCentre().has_value());
    EXPECT_EQ(map->StoredViewCentre()->X, design.viewCentre.x);
    EXPECT_EQ(map->StoredViewCentre()->Y, design.viewCentre.y);

    // Levels, walls and tile variants as designed; terrain too, except where an object forces
    // its own under it.
    int terrainChanged = 0;
    for (int y = 0; y < design.height; ++y)
        for (int x = 0; x < design.width; ++x) {
            const size_t i = design.Index({x, y});
            ASSERT_EQ(map->GetLevel(x, y), design.level[i]) << x << "," << y;
            ASSERT_EQ(map->GetTileVariant(x, y), design.tileVariant[i]) << x << "," << y;
            ASSERT_EQ(map->GetOccupancy(x, y) == 3, design.wall[i] != 0) << x << "," << y;
            if (design.wall[i]) {
                ASSERT_EQ(map->GetId(x, y), design.wall[i]) << x << "," << y;
            }
            terrainChanged += map->GetTerrain(x, y) != design.terrain[i];
        }
    EXPECT_LT(terrainChanged, design.width * design.height / 100);

    // Objects on their anchors with whole footprints after the load's repair; deposits with
    // their amounts.
    for (const ObjectPlacement& o : design.objects) {
        const ObjectDesign* object = FindObject(o.id);
        const std::vector<Cell> cells = FootprintCells(o.at, object->sizeRT, object->sizeLT);
        for (size_t k = 0; k < cells.size(); ++k) {
            ASSERT_EQ(map->GetOccupancy(cells[k].x, cells[k].y), k == 0 ? 2 : 1) << o.id;
            ASSERT_EQ(map->GetLinkKind(cells[k].x, cells[k].y), 0) << o.id;
            ASSERT_EQ(map->GetId(cells[k].x, cells[k].y), o.id);
        }
        if (o.id == 232 || o.id == 233) {
            const TPoint left = map->Neighbour(o.at.x, o.at.y, kDirLeft);
            EXPECT_EQ(map->GetId(left.X, left.Y), o.amount);
            EXPECT_GE(o.amount, 500);
        }
    }

    // The editor's map check finds nothing.
    tMapCheck check(*map, *store);
    EXPECT_EQ(check.Check(kCheckFull, false), 0);
    for (const CheckFinding& f : check.Findings())
        ADD_FAILURE() << f.Line();

    // Every record survived the load's link check: its cell points back at it.
    ASSERT_EQ(store->PlayerCount, static_cast<int32_t>(design.players.size()));
    ASSERT_EQ(store->SettlementCount, static_cast<int32_t>(design.settlements.size()));
    ASSERT_EQ(store->BuildingCount, static_cast<int32_t>(design.buildings.size()));
    ASSERT_EQ(store->UnitCount, static_cast<int32_t>(design.units.size()));
    for (int32_t b = 1; b <= store->BuildingCount; ++b) {
        const tBuildingRec& r = store->Buildings[size_t(b)];
        ASSERT_EQ(r.Used, 1) << "building " << b;
        EXPECT_EQ(map->GetLinkKind(r.X, r.Y), 1);
        EXPECT_EQ(map->GetOccupancy(r.X, r.Y), 2);
        const tSettlementRec& s = store->Settlements[size_t(r.IdTouwn)];
        EXPECT_EQ(s.Used, 1) << "building " << b << " is in no settlement";
        EXPECT_EQ(store->Players[size_t(s.IdPlayer)].Used, 1);
        if (r.IdBuilding == 89) {
            EXPECT_GT(r.Tag, 0) << "bone pile without bones";
        }
    }
    for (int32_t u = 1; u <= store->UnitCount; ++u) {
        const tUnitRec& r = store->Units[size_t(u)];
        ASSERT_EQ(r.Used, 1) << "unit " << u;
        EXPECT_EQ(map->GetLinkKind(r.X, r.Y), 2);
        EXPECT_EQ(store->Players[size_t(r.IdPlayer)].Used, 1) << "unit " << u;
        EXPECT_EQ(r.IdObject % 50, r.Smer);
        EXPECT_GT(r.Name.Length, 0);
    }
    // Each settlement's main building is its centre, found again by the save's recalculation.
    std::set<int32_t> centres;
    for (const BuildingType& t : BuildingTypes())
        if (t.tag & 4) centres.insert(t.id);
    for (int32_t s = 1; s <= store->SettlementCount; ++s) {
        const tSettlementRec& r = store->Settlements[size_t(s)];
        ASSERT_GT(r.HlavniBudova, 0) << "settlement " << s;
        const tBuildingRec& main = store->Buildings[size_t(r.HlavniBudova)];
        EXPECT_EQ(main.IdTouwn, s);
        EXPECT_TRUE(centres.count(main.IdBuilding)) << main.IdBuilding;
        EXPECT_GT(r.Civils, 0);
    }
    // Colours, and relations as the computer players' attitudes set them: the elves are allies
    // of the human player, the dwarves neutral to all, the barbarians and the wild enemies.
    const auto& players = store->Players;
    EXPECT_EQ(players[1].RidiPocitac, 0);
    EXPECT_EQ(players[1].Barva, 255 * 65536);
    EXPECT_EQ(players[4].Vztah[1], kAlly);
    EXPECT_EQ(players[1].Vztah[4], kAlly);
    EXPECT_EQ(players[3].Vztah[2], kNeutral);
    EXPECT_EQ(players[2].Vztah[1], kEnemy);
    EXPECT_EQ(players[5].Vztah[1], kEnemy);
    for (int32_t p = 1; p <= store->PlayerCount; ++p)
        EXPECT_EQ(players[size_t(p)].Vztah[p], kAlly);
}

// Every regular file below a directory, by relative path.
std::map<std::string, std::vector<uint8_t>> Files(const fs::path& dir) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file())
            files[e.path().lexically_relative(dir).generic_string()] =
                test::ReadFileBytes(e.path().string());
    return files;
}

TEST(DemoWriter, WritingAgainGivesTheSameBytes) {
    test::TempDir dir;
    const DemoWriteResult result = WriteDemoGame(dir.File("again"));
    // Without a build-time demo DemoDir() was written by this process too; compare two runs.
    const std::string other = DemoDir();
    const auto a = Files(dir.File("again")), b = Files(other);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs";
    }
    EXPECT_EQ(a.size(), result.diskFiles + 2);  // with the archive and the note
    EXPECT_EQ(a.at("zor.dat").size(), result.archiveBytes);
    EXPECT_TRUE(IsDemoGameDirectory(dir.File("again")));
    EXPECT_FALSE(IsDemoGameDirectory(dir.Path().string()));
}

}  // namespace
}  // namespace tess::demo
