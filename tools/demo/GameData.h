// The demo game's rules as data: building and person types, and every dBASE table of "DATA\"
// as field definitions and rows of text, ready for a dBASE writer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ObjectArt.h"
#include "Objects.h"

namespace tess::demo {

struct BuildingType {
    int id = 0;
    const char* name = "";  // UTF-8
    int race = 0;           // 0 neutral
    BuildingKind kind = BuildingKind::House;
    bool osada = false, ves = false, mesto = false;
    int tag = 0, vliv = 0, civils = 0;
    int requires1 = 0, requires2 = 0, notRequired = 0, next = 0;
    int sizeRT = 2, sizeLT = 2;
    std::array<bool, 3> stages{true, true, true};  // which construction-stage pictures exist
    const char* wav = "";
    int faceClip = 0, faceLength = 1;  // first frame and length of the keeper's clip
    Container container = Container::DdsrR5G6B5;
    Storage storage = Storage::Archive;
    // Pictures: the finished one and the three stages; 0 where a stage has none.
    int objectId = 0;
    std::array<int, 3> stageObjects{0, 0, 0};
};
const std::vector<BuildingType>& BuildingTypes();

struct PersonType {
    int id = 0;
    const char* name = "";  // UTF-8
    int race = 0;           // 0 every race
    Figure figure = Figure::Worker;
    bool human = true, invisible = false, inBarracks = false;
    int vliv = 0, attack = 0, defence = 0, lives = 0, type = 1;
    int objectBase = 0;  // multiple of 50
    Container container = Container::DdsA4R4G4B4;
    Storage storage = Storage::Archive;
    int width = 24, height = 36;
};
const std::vector<PersonType>& PersonTypes();

// The money buildings, as the building editor knows them.
constexpr int kMoneyBuildings[11] = {43, 53, 90, 92, 95, 123, 140, 141, 144, 89, 139};

struct FieldDef {
    std::string name;
    char type = 'C';  // C, N, L or M
    int length = 10;
    int decimals = 0;
};

struct TableDesign {
    std::string name;        // as the program asks for it, e.g. "DATA\building.dbf"
    std::string storedPath;  // where the file is stored (archive member or disk path)
    Storage storage = Storage::Archive;
    std::vector<FieldDef> fields;
    // Values as text in CP1250: numbers in decimal, logicals "T"/"F", memos as their text.
    std::vector<std::vector<std::string>> rows;

    int Field(const std::string& fieldName) const;  // index, -1 when absent
    const std::string& Value(size_t row, const std::string& fieldName) const;
};

// Every table of the demo: building, person, names, races, upgrade, efects, anims, objects.
const std::vector<TableDesign>& DemoTables();
const TableDesign& FindTable(const std::string& name);  // by the name as asked for

// One animation strip of "data\Anims.dbf" and its art.
struct AnimDesign {
    int id = 0;
    const char* tableFileName = "";  // with "*" and ".tga", as the table stores it
    std::string diskPath;            // where the strip is written (below the game directory)
    Effect effect = Effect::Fire;
    int width = 48, height = 48, frames = 8;
};
const std::vector<AnimDesign>& AnimDesigns();

// The face video: keepers' faces for the four races, `kFaceFrames` frames each, in race order.
constexpr int kFaceFrames = 4, kFaceWidth = 64, kFaceHeight = 64;
constexpr const char* kFaceVideo = "Pictures/ksichtis.avi";

// Every ".wav" the tables name, below "sound\" as the tables spell them.
std::vector<std::string> SoundFiles();

// Files that are stored elsewhere than where they are first looked for, and the fixed texts:
// the wall-piece table.
constexpr const char* kWallTableName = "DATA\\teren.dat";

}  // namespace tess::demo
