// Writing the demo game directory.
#include "DemoWriter.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

#include "DemoMap.h"
#include "GameData.h"
#include "ObjectArt.h"
#include "Objects.h"
#include "Sounds.h"
#include "Terrain.h"
#include "Walls.h"
#include "game/Footprints.h"
#include "game/GameTables.h"
#include "game/Kalistor.h"
#include "game/MapCheck.h"
#include "game/MapFiles.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"
#include "writers/ArchiveWriter.h"
#include "writers/AviWriter.h"
#include "writers/BitmapWriter.h"
#include "writers/DbfWriter.h"
#include "writers/SpriteWriter.h"
#include "writers/WavWriter.h"

namespace tess::demo {

namespace fs = std::filesystem;

namespace {

// The picture directory the editor's zoom object hands the object catalogue.
constexpr const char* kPictureDirectory = "PICTURES/32x16/../";
constexpr int kNoShift = 136;  // the Jitter that draws an object exactly on its anchor
constexpr uint32_t kFaceFramesPerSecond = 8;

writers::RgbaImage ToImage(const Canvas& c) {
    writers::RgbaImage image(c.Width(), c.Height());
    for (size_t i = 0; i < c.Pixels().size(); ++i) {
        const Rgba p = c.Pixels()[i];
        image.Pixels[i] = writers::RgbaPixel{p.r, p.g, p.b, p.a};
    }
    return image;
}

// Terrain and wall pictures: a bitmap has no alpha, so what the art leaves transparent is
// written in the key colour. The smallest depth that keeps every colour.
std::vector<uint8_t> EncodeBitmap(const Canvas& art, Rgba key) {
    writers::RgbaImage image = ToImage(art);
    for (writers::RgbaPixel& p : image.Pixels)
        p = p.a == 0 ? writers::RgbaPixel{key.r, key.g, key.b, 255}
                     : writers::RgbaPixel{p.r, p.g, p.b, 255};
    return writers::WriteBmpCompact(image);
}

std::vector<uint8_t> EncodeSprite(const Canvas& art, const PictureFile& file) {
    using writers::DdsFormat;
    using writers::TilePixels;
    const writers::RgbaImage image = ToImage(PrepareForContainer(art, file.container, file.key));
    const int32_t tile = file.tileWidth > 0 ? file.tileWidth : 32;
    auto dds = [&](DdsFormat format) {
        writers::DdsOptions o;
        o.Format = format;
        o.PlusMagic = file.ddsPlus;
        if (format == DdsFormat::TiledDxt3) {
            o.TileWidth = tile;
            o.TileHeight = file.tileHeight > 0 ? file.tileHeight : tile;
        }
        return writers::WriteDds(image, o);
    };
    // Run-length files one tile row per band; dictionary files two, so their bands also use
    // the down links between tile rows.
    auto tiled = [&](TilePixels pixels, bool dictionary) {
        writers::TiledOptions o;
        o.Pixels = pixels;
        o.TileSize = tile;
        o.RowsPerBand = dictionary ? 2 : 1;
        return dictionary ? writers::WriteDdsl(image, o) : writers::WriteDdsr(image, o);
    };
    switch (file.container) {
        case Container::DdsA4R4G4B4:
            return dds(DdsFormat::A4R4G4B4);
        case Container::DdsA8R8G8B8:
            return dds(DdsFormat::A8R8G8B8);
        case Container::DdsR5G6B5:
            return dds(DdsFormat::R5G6B5);
        case Container::DdsDxt3:
            return dds(DdsFormat::Dxt3);
        case Container::DdsDxt3Tiled:
            return dds(DdsFormat::TiledDxt3);
        case Container::DdsrA4R4G4B4:
            return tiled(TilePixels::A4R4G4B4, false);
        case Container::DdsrR5G6B5:
            return tiled(TilePixels::R5G6B5, false);
        case Container::DdslA4R4G4B4:
            return tiled(TilePixels::A4R4G4B4, true);
        case Container::DdslR5G6B5:
            return tiled(TilePixels::R5G6B5, true);
        case Container::DdslA8R8G8B8:
            return tiled(TilePixels::A8R8G8B8, true);
        case Container::Dds2:
            return writers::WriteDds2(image);
    }
    throw std::logic_error("unknown container");
}

// The reader finds fields only under upper-case names.
writers::DbfTable ToDbf(const TableDesign& design) {
    writers::DbfTable table;
    for (const FieldDef& f : design.fields)
        table.Fields.push_back(writers::DbfField{AnsiUpperCase(f.name), f.type,
                                                 static_cast<uint8_t>(f.length),
                                                 static_cast<uint8_t>(f.decimals)});
    for (const auto& row : design.rows)
        table.Records.push_back(writers::DbfRecord{false, row});
    return table;
}

const AnimDesign& FindAnim(int id) {
    for (const AnimDesign& a : AnimDesigns())
        if (a.id == id) return a;
    throw std::out_of_range("no animation " + std::to_string(id));
}

// The keepers' faces, race after race, each over the dark backdrop of the building dialog.
std::vector<uint8_t> EncodeFaceVideo() {
    writers::AviVideo video;
    video.FramesPerSecond = kFaceFramesPerSecond;
    for (int race = 1; race <= 4; ++race)
        for (int f = 0; f < kFaceFrames; ++f) {
            Canvas frame(kFaceWidth, kFaceHeight, Opaque(36, 38, 46));
            frame.Draw(FaceFrame(static_cast<Race>(race), f, kFaceWidth, kFaceHeight), 0, 0);
            video.Frames.push_back(ToImage(frame));
        }
    return writers::WriteAvi(video);
}

void WriteDiskFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error)
        throw IoError("cannot create \"" + path.parent_path().string() + "\": " + error.message());
    // Plain writes: the directory is generated output, made again whole by the next run.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw IoError("cannot write \"" + path.string() + "\"");
}

fs::path DiskPath(const fs::path& dir, const std::string& storedName) {
    return dir / fs::path(Cp1250ToUtf8(storedName));
}

// Places what stands on a cell as the editor's placing does: the fit test, then the footprint
// written by the model. The design keeps every footprint on free cells of the map, so a failing
// test is a fault of the design.
void Place(tMapa& map, const tObjects& objects, const tKalistor& store, Cell at, int32_t index,
           int linkKind, int32_t type, int jitter) {
    if (!CanPlaceObject(map, objects, at.x, at.y, type) ||
        !PlaceObject(map, objects, store, at.x, at.y, index, linkKind, type))
        throw std::logic_error("the demo map cannot place object " + std::to_string(type) + " at " +
                               std::to_string(at.x) + "," + std::to_string(at.y));
    map.SetJitter(at.x, at.y, jitter);
}

const BuildingType& DesignBuilding(int id) {
    for (const BuildingType& b : BuildingTypes())
        if (b.id == id) return b;
    throw std::out_of_range("no building type " + std::to_string(id));
}

const PersonType& DesignPerson(int id) {
    for (const PersonType& p : PersonTypes())
        if (p.id == id) return p;
    throw std::out_of_range("no person type " + std::to_string(id));
}

void PutPlayers(const MapDesign& d, tKalistor& store) {
    int32_t index = 0;
    for (const PlayerDesign& p : d.players) {
        tPlayerRec& r = store.Players[static_cast<size_t>(++index)];
        ZeroRecord(r);
        r.Used = 1;
        r.Name.Set(p.name);
        r.IdRasa = p.race;
        r.RidiPocitac = p.computer ? 1 : 0;
        r.Povaha = p.attitude;
        r.Penize = p.money;
        r.Barva = p.colour;
        r.Surovina = p.material;
        std::fill(std::begin(r.Vztah), std::end(r.Vztah), kEnemy);
        r.Vztah[index] = kAlly;
        std::fill(std::begin(r.StavVynalezu), std::end(r.StavVynalezu), uint8_t(2));
        std::fill(std::begin(r.StavBudov), std::end(r.StavBudov), uint8_t(3));
        std::fill(std::begin(r.StavJednotek), std::end(r.StavJednotek), uint8_t(3));
        if (p.computer) {
            r.MaxDelniku = 20;
            r.MaxBuild = 30;
            r.MaxVojaku = 40;
            r.MinSkupinka = 4;
            r.MaxSkupinka = 12;
        }
    }
    store.PlayerCount = index;
    store.RecalcRelations(0);
}

void PutSettlements(const MapDesign& d, tKalistor& store) {
    int32_t index = 0;
    for (const SettlementDesign& s : d.settlements) {
        tSettlementRec& r = store.Settlements[static_cast<size_t>(++index)];
        ZeroRecord(r);
        const BuildingType& centre = DesignBuilding(s.centreType);
        r.Used = 1;
        // As founding does: the last of the centre's kind flags that is set wins.
        r.Usedlost = centre.mesto ? 3 : centre.ves ? 2 : centre.osada ? 1 : 0;
        r.Name.Set(s.name);
        r.IdRasa = centre.race;
        r.IdPlayer = s.player;
        for (size_t b = 0; b < d.buildings.size(); ++b)
            if (d.buildings[b].settlement == index && d.buildings[b].type == s.centreType)
                r.HlavniBudova = static_cast<int32_t>(b + 1);
    }
    store.SettlementCount = index;
}

void PutBuildings(const MapDesign& d, const tObjects& objects, tMapa& map, tKalistor& store) {
    int32_t index = 0;
    for (const BuildingDesign& b : d.buildings) {
        tBuildingRec& r = store.Buildings[static_cast<size_t>(++index)];
        ZeroRecord(r);
        r.Used = 1;
        r.IdBuilding = b.type;
        r.IdObject = b.objectId;
        r.IdTouwn = b.settlement;
        r.X = b.at.x;
        r.Y = b.at.y;
        r.ProcVystavby = static_cast<uint8_t>(b.progress);
        r.Tag = b.tag;
        r.ProcZivotu = 100;
        r.Pozorovatel = DesignBuilding(b.type).vliv == 4 ? 1 : 0;
        store.BuildingCount = index;
        Place(map, objects, store, b.at, index, 1, r.IdObject, kNoShift);
    }
}

void PutUnits(const MapDesign& d, const tObjects& objects, tMapa& map, tKalistor& store) {
    // Human units get names from the names table, drawn as the store draws them; a fixed seed
    // keeps the draw the same on every run.
    Random random(0xDE30u);
    int32_t index = 0;
    for (const UnitDesign& u : d.units) {
        tUnitRec& r = store.Units[static_cast<size_t>(++index)];
        ZeroRecord(r);
        const PersonType& person = DesignPerson(u.person);
        r.Used = 1;
        r.IdPerson = u.person;
        r.IdPlayer = u.player;
        r.IdObject = u.objectId;
        r.X = u.at.x;
        r.Y = u.at.y;
        std::optional<std::string> drawn;
        if (person.human) drawn = DrawUnitName(random, person.race);
        r.Name.Set(drawn ? *drawn : Utf8ToCp1250(person.name));
        r.UtoC = r.ObrC = r.Zivoty = -1;
        r.AI = 2;
        r.StaryZaznam = -1;
        r.Smer = u.facing;
        r.ProcZivotu = 100;
        r.AIEnabled = 1;
        r.Neviditelny = person.invisible ? 1 : 0;
        r.Pozorovatel = person.vliv == 4 ? 1 : 0;
        store.UnitCount = index;
        Place(map, objects, store, u.at, index, 2, r.IdObject, kNoShift);
    }
}

// Makes the game directory current with its archive as the program-wide one, as the program
// runs; puts the previous directory and archive back when it ends.
class GameDirectoryScope {
  public:
    explicit GameDirectoryScope(const fs::path& dir)
        : previousDir_(fs::current_path()), previousArchive_(BigFile().ArchiveName()) {
        std::error_code error;
        fs::current_path(dir, error);
        if (error) throw IoError("cannot enter \"" + dir.string() + "\": " + error.message());
        try {
            BigFile().Open(kArchiveName);
        } catch (...) {
            Restore();
            throw;
        }
    }
    ~GameDirectoryScope() { Restore(); }
    GameDirectoryScope(const GameDirectoryScope&) = delete;
    GameDirectoryScope& operator=(const GameDirectoryScope&) = delete;

  private:
    void Restore() {
        std::error_code error;
        fs::current_path(previousDir_, error);
        BigFile().Close();
        if (previousArchive_.empty()) return;
        try {
            BigFile().Open(previousArchive_);
        } catch (const IoError&) {
            // The previous archive is gone: lookups go to the disk, as without one.
        }
    }

    fs::path previousDir_;
    std::string previousArchive_;
};

const char kNote[] =
    "Velmora demo game, written by \"tessarine-cli demo\".\n"
    "Every picture, table, sound, video and map in this directory comes from Tessarine's own\n"
    "generator; none of it is taken from the game. Start a new game project from a copy of it.\n"
    "\"tessarine-cli demo -o DIR\" writes over a directory that holds this note.\n";

}  // namespace

std::vector<uint8_t> EncodePlannedFile(const PlannedFile& f, ArtLibrary& art) {
    switch (f.kind) {
        case FileKind::TerrainFlat:
            return EncodeBitmap(art.FlatPicture(f.source), kTerrainKey);
        case FileKind::TerrainSlope:
            return EncodeBitmap(art.SlopePicture(f.source), kTerrainKey);
        case FileKind::WallPicture:
            return EncodeBitmap(art.WallPicture(f.number), kWallKey);
        case FileKind::WallTable:
            return MakeWallPieceTable();
        case FileKind::PaletteButton:
            return EncodeSprite(MakeTerrainButton(f.source),
                                PictureFile{f.path, f.storage, f.container, kMagenta});
        case FileKind::ButtonOverlay:
            // Drawn over the button with black as the transparent colour.
            return EncodeSprite(MakeButtonOverlay(f.source),
                                PictureFile{f.path, f.storage, f.container, kBlack});
        case FileKind::Sprite: {
            const ObjectDesign* o = FindObject(f.number);
            const Canvas* picture = art.ObjectPicture(f.number);
            if (o == nullptr || picture == nullptr)
                throw std::logic_error("no picture for object " + std::to_string(f.number));
            return EncodeSprite(*picture, o->file);
        }
        case FileKind::EffectStrip: {
            const AnimDesign& a = FindAnim(f.number);
            return EncodeSprite(
                EffectStrip(a.effect, a.width, a.height, a.frames, Hash(0xEFFu, a.id, 0)),
                PictureFile{f.path, f.storage, Container::Dds2, kMagenta});
        }
        case FileKind::Table:
            return writers::BuildDbf(ToDbf(FindTable(f.source))).Table;
        case FileKind::TableMemo:
            return writers::BuildDbf(ToDbf(FindTable(f.source))).Memo;
        case FileKind::Sound:
            return writers::WriteWav(SynthesiseSound(f.source));
        case FileKind::FaceVideo:
            return EncodeFaceVideo();
        case FileKind::Map:
        case FileKind::GameData:
        case FileKind::ObjectCache:
            break;
    }
    throw std::logic_error("the map pair and the object cache are built by WriteDemoGame: " +
                           f.path);
}

void BuildDemoMap(const MapDesign& d, const tObjects& objects, tMapa& map, tKalistor& store) {
    Random random(0xDE30u);
    // The editor never draws walls here, so the wall-piece table is not needed.
    map.Create(d.width, d.height, random, WallTableSource::None);
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            const size_t i = d.Index({x, y});
            map.SetTerrain(x, y, d.terrain[i]);
            map.SetVariant(x, y, d.variant[i]);
            map.SetLevel(x, y, d.level[i]);
            map.SetTileVariant(x, y, d.tileVariant[i]);
            map.SetAnimRow(x, y, d.animRow[i]);
            map.SetJitter(x, y, d.jitter[i]);
            if (d.wall[i] != 0) {
                map.SetOccupancy(x, y, 3);
                map.SetId(x, y, d.wall[i]);
            }
        }
    store.Clear();
    PutPlayers(d, store);
    PutSettlements(d, store);
    for (const ObjectPlacement& o : d.objects) {
        Place(map, objects, store, o.at, o.id, 0, o.id, o.jitter);
        // A deposit keeps its amount in the Id of the cell left of its anchor.
        if (o.amount > 0) {
            const TPoint left = map.Neighbour(o.at.x, o.at.y, kDirLeft);
            map.SetId(left.X, left.Y, o.amount);
        }
    }
    PutBuildings(d, objects, map, store);
    PutUnits(d, objects, map, store);
}

DemoWriteResult WriteDemoGame(const std::string& dirName) {
    const fs::path dir = fs::absolute(fs::path(dirName));
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) throw IoError("cannot create \"" + dir.string() + "\": " + error.message());
    // The note first: a run that stops half-way leaves a directory the next run may write over.
    WriteDiskFile(dir / kDemoMarker, std::vector<uint8_t>(kNote, kNote + sizeof kNote - 1));

    DemoWriteResult result;
    ArtLibrary art;
    std::vector<writers::ArchiveMember> members;
    const PlannedFile* mapFile = nullptr;
    const PlannedFile* gameDataFile = nullptr;
    const PlannedFile* cacheFile = nullptr;
    const std::vector<PlannedFile> plan = DemoFilePlan();
    for (const PlannedFile& f : plan) {
        if (f.kind == FileKind::Map || f.kind == FileKind::GameData ||
            f.kind == FileKind::ObjectCache) {
            (f.kind == FileKind::Map        ? mapFile
             : f.kind == FileKind::GameData ? gameDataFile
                                            : cacheFile) = &f;
            continue;
        }
        std::vector<uint8_t> bytes = EncodePlannedFile(f, art);
        if (f.storage == Storage::Archive) {
            members.push_back(writers::ArchiveMember{f.path, std::move(bytes)});
            continue;
        }
        WriteDiskFile(DiskPath(dir, f.path), bytes);
        ++result.diskFiles;
        result.diskBytes += bytes.size();
    }
    const std::vector<uint8_t> archive = writers::BuildArchive(members);
    WriteDiskFile(dir / kArchiveName, archive);
    result.archiveMembers = members.size();
    result.archiveBytes = archive.size();

    if (mapFile == nullptr || gameDataFile == nullptr || cacheFile == nullptr)
        throw std::logic_error("the file plan has no map pair or no object cache");
    fs::create_directories(DiskPath(dir, mapFile->path).parent_path(), error);
    fs::create_directories(DiskPath(dir, gameDataFile->path).parent_path(), error);
    {
        const MapDesign design = DesignDemoMap();
        auto map = std::make_unique<tMapa>();
        auto store = std::make_unique<tKalistor>();
        auto objects = std::make_unique<tObjects>();
        GameDirectoryScope scope(dir);
        // The catalogue built from the written table, as the editor builds it on its first
        // start; its cache ships with the demo.
        if (!objects->BuildFromTable(kObjectTable, kPictureDirectory))
            throw IoError(std::string("the demo has no object table \"") + kObjectTable + "\"");
        objects->WriteCache(Cp1250ToUtf8(cacheFile->path));
        BuildDemoMap(design, *objects, *map, *store);
        // Saved as the editor saves: the map check first, which the demo must pass.
        const MapPairSaveResult saved =
            SaveMapPair(*map, *store, TPoint{design.viewCentre.x, design.viewCentre.y},
                        Cp1250ToUtf8(mapFile->path), Cp1250ToUtf8(gameDataFile->path), nullptr);
        if (saved.Outcome == SaveOutcome::CheckFailed)
            throw std::logic_error("the demo map fails the map check: " +
                                   saved.Findings.front().Line());
        if (!saved.Saved()) throw IoError(saved.Error);
    }
    for (const PlannedFile* f : {mapFile, gameDataFile, cacheFile}) {
        ++result.diskFiles;
        result.diskBytes += fs::file_size(DiskPath(dir, f->path));
    }
    return result;
}

bool IsDemoGameDirectory(const std::string& dir) {
    std::error_code error;
    return fs::is_regular_file(fs::path(dir) / kDemoMarker, error);
}

}  // namespace tess::demo
