// The object catalogue of the demo game: one entry per row of "DATA\objects.dbf", with the
// picture it names, the container and place its file gets, and the art that fills it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

namespace tess::demo {

// Every container and layout the picture loaders accept.
enum class Container {
    DdsA4R4G4B4,   // DirectDraw Surface, 16-bit with 4-bit alpha
    DdsA8R8G8B8,   // DirectDraw Surface, 32-bit
    DdsR5G6B5,     // DirectDraw Surface, 16-bit without alpha
    DdsDxt3,       // DirectDraw Surface, DXT3 blocks
    DdsDxt3Tiled,  // DirectDraw Surface, DXT3 in tiles (caps words 3 and 4)
    DdsrA4R4G4B4,  // "DDSR", run-length tiles
    DdsrR5G6B5,
    DdslA4R4G4B4,  // "DDSL", dictionary tiles; read from the disk only
    DdslR5G6B5,
    DdslA8R8G8B8,
    Dds2,  // "DDS2", the effect strips (4-bit alpha, overlapping tiles)
};
const char* ContainerName(Container c);

enum class Storage { Archive, Disk };

struct PictureFile {
    // Archive member name ("/" separators) or the path on disk relative to the game directory,
    // spelled as the file is stored (which may differ in letter case from how it is asked for).
    std::string path;
    Storage storage = Storage::Archive;
    Container container = Container::DdsA4R4G4B4;
    Rgba key = kMagenta;                // transparent pixels are written in this colour
    bool ddsPlus = false;               // magic "DDS+" instead of "DDS "
    int tileWidth = 0, tileHeight = 0;  // tiled containers: the tile size to write
};

struct ObjectDesign {
    int id = 0;
    std::string name;  // CP1250, at most 20 characters
    std::string
        fileName;  // the table's "FileName", below the picture directory "PICTURES/32x16/../"
    PictureFile file;
    bool typTree = false, typBuild = false, typUnit = false, typUnown = false;
    std::string podTeren;  // two-letter terrain code or empty
    bool treeList = false, treeJehl = false, treeKer = false, treeTrop = false;
    std::string treeIdx;
    std::string wavFile, wavDay, wavNight;  // below "sound\"
    int animY = 0, relatX = 0, relatY = 0, width = 0, height = 0, animCount = 1;
    int sizeRT = 1, sizeLT = 1;
    std::function<Canvas()> draw;  // the whole picture, frames stacked; alpha 0 = transparent
};

// All objects, in table order. Person pictures use multiples of 50 plus the facing (0..7) or the
// body (24..31); one extra unit row with another remainder is left out by the catalogue reader.
const std::vector<ObjectDesign>& ObjectCatalogue();
const ObjectDesign* FindObject(int id);

// The picture as it is to be encoded: transparent pixels in the key colour with alpha 0, every
// other pixel opaque and nudged, where needed, so that the container's colour depth never turns
// it into the key colour.
Canvas PrepareForContainer(const Canvas& art, Container container, Rgba key);
// The colour a pixel shows after the container's quantisation: the writers round each channel
// to the nearest level, the loaders expand it again.
Rgba QuantiseFor(Container container, Rgba c);

// Object id ranges.
constexpr int kBuildingPictureBase = 1000;
constexpr int kUnitPictureBase = 3000;

}  // namespace tess::demo
