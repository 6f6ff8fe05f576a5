// Every file of the demo game directory: where it is stored (inside "zor.dat" or on disk, and
// under which spelling), what it holds and where its content comes from. The writing phase walks
// this list and hands each entry to the matching writer.
#pragma once

#include <string>
#include <vector>

#include "Objects.h"

namespace tess::demo {

enum class FileKind {
    TerrainFlat,    // "<Name>.bmp" of a terrain picture set (source: the set's name)
    TerrainSlope,   // "<Name>#.bmp"
    WallPicture,    // "zedNN.bmp" (number: the wall kind)
    WallTable,      // "DATA\teren.dat", the 65,536-byte wall-piece table
    PaletteButton,  // "PICTURES/terains/<name>.dds", DXT3 64 x 64
    ButtonOverlay,  // "<name>_ex_1.dds", drawn over the button; black is transparent
    Sprite,         // an object picture (number: the object id)
    EffectStrip,    // a "DDS2" strip (number: the animation id)
    Table,          // a dBASE table (source: the table's name as asked for)
    TableMemo,      // the memo file beside a table with a memo field
    Sound,          // a ".wav" (source: the name below "sound\" as the tables spell it)
    FaceVideo,      // "Pictures\ksichtis.avi" with the keeper faces
    Map,            // "MAPS\default.map"
    GameData,       // "MAPS\default.sav"
    ObjectCache,    // "objects.kar", built from the objects table by the catalogue itself
};

struct PlannedFile {
    std::string path;  // as stored: archive member name or disk path, "/" separators
    Storage storage = Storage::Archive;
    FileKind kind = FileKind::Sprite;
    std::string source;                            // terrain set, table or sound name
    int number = 0;                                // wall kind, object id or animation id
    Container container = Container::DdsA4R4G4B4;  // pictures in sprite containers
    std::string askedAs;  // how the program names it, where that differs from `path`
};

std::vector<PlannedFile> DemoFilePlan();

// A short tone for each sound the tables name: a pitch and a length, fixed by the name.
struct Tone {
    int hertz = 440, milliseconds = 200;
};
Tone ToneFor(const std::string& soundName);

}  // namespace tess::demo
