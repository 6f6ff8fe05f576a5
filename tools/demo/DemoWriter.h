// Writes the demo game directory: every file of DemoFilePlan through the project's writers, the
// archive "zor.dat" with the files planned for it, and the demo map pair built through the map
// and game-data model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FilePlan.h"
#include "Library.h"
#include "MapDesign.h"

namespace tess {
class tMapa;
class tKalistor;
class tObjects;
}  // namespace tess

namespace tess::demo {

// A note the writer leaves in the directory; it marks the directory as a demo game that a later
// run may write over.
constexpr const char* kDemoMarker = "tessarine-demo.txt";
constexpr const char* kArchiveName = "zor.dat";

struct DemoWriteResult {
    size_t archiveMembers = 0;
    uint64_t archiveBytes = 0;
    size_t diskFiles = 0;  // besides the archive and the note
    uint64_t diskBytes = 0;
};

// The bytes of one planned file, drawn and encoded as the plan says (pictures are taken from
// and kept in `art`). Not for the map pair and the object cache, which WriteDemoGame builds once
// the tables exist.
std::vector<uint8_t> EncodePlannedFile(const PlannedFile& file, ArtLibrary& art);

// Puts a map design into a map and a store as the editor's placing would leave them: cells,
// terrain, levels, walls, objects placed through the model's footprint operations with the
// catalogue (terrain forced under objects that ask for it), deposit amounts, players with
// colours and relations, settlements, and the buildings and units linked to their cells. Reads
// the names table (the current directory must be the game directory with its archive open).
// Raises std::logic_error when the design puts something where it cannot be placed.
void BuildDemoMap(const MapDesign& design, const tObjects& objects, tMapa& map, tKalistor& store);

// Writes the whole demo game into `dir` (created as needed): the note first, the files planned
// for the disk, "zor.dat", then the object catalogue built from the written table with its
// cache "objects.kar", and the map pair, saved as the editor saves it (after the map check,
// which it must pass) with the view centred on the design's view centre. Files of the same names
// are replaced; nothing else in the directory is touched. For the map pair it makes `dir` the
// current directory and opens its archive as the program-wide one, and puts both back afterwards.
// The same bytes on every run. Raises IoError.
DemoWriteResult WriteDemoGame(const std::string& dir);

// Whether `dir` holds a demo game written by WriteDemoGame (its note).
bool IsDemoGameDirectory(const std::string& dir);

}  // namespace tess::demo
