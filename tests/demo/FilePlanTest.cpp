// The demo game's file plan: each file where the program's lookups will find it.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "FilePlan.h"
#include "resources/Utils.h"

namespace tess::demo {
namespace {

// The key the archive lookup and the case-blind disk lookup compare: separators unified, "."
// and ".." resolved, upper case.
std::string Key(const std::string& name) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : ReplaceChar(name, '\\', '/') + "/") {
        if (c != '/') {
            part += c;
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    }
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return AnsiUpperCase(out);
}

TEST(FilePlan, EveryFileIsFoundUnderTheNameTheProgramUses) {
    std::set<std::string> keys;
    int respelled = 0;
    for (const PlannedFile& f : DemoFilePlan()) {
        EXPECT_TRUE(keys.insert(Key(f.path)).second) << "two files named " << f.path;
        EXPECT_EQ(f.path.find('\\'), std::string::npos) << f.path;
        if (f.askedAs.empty()) continue;
        EXPECT_EQ(Key(f.path), Key(f.askedAs)) << f.path << " asked as " << f.askedAs;
        respelled += f.path != f.askedAs;
    }
    EXPECT_GT(respelled, 20);
}

TEST(FilePlan, EveryDirectoryOnDiskHasOneSpelling) {
    // Two spellings side by side would leave the case-blind lookup to pick either directory.
    std::map<std::string, std::string> spelling;
    for (const PlannedFile& f : DemoFilePlan()) {
        if (f.storage != Storage::Disk) continue;
        for (size_t slash = f.path.find('/'); slash != std::string::npos;
             slash = f.path.find('/', slash + 1)) {
            const std::string dir = f.path.substr(0, slash);
            const auto [it, added] = spelling.emplace(AnsiUpperCase(dir), dir);
            EXPECT_EQ(it->second, dir) << f.path;
        }
    }
}

TEST(FilePlan, EachLookupFindsItsFilesWhereItLooks) {
    std::map<FileKind, std::set<Storage>> where;
    int archivedSprites = 0, diskSprites = 0;
    for (const PlannedFile& f : DemoFilePlan()) {
        where[f.kind].insert(f.storage);
        if (f.kind == FileKind::Sprite)
            (f.storage == Storage::Archive ? archivedSprites : diskSprites)++;
        const bool dictionary = f.container == Container::DdslA4R4G4B4 ||
                                f.container == Container::DdslR5G6B5 ||
                                f.container == Container::DdslA8R8G8B8;
        if (f.kind == FileKind::Sprite && dictionary) {
            EXPECT_EQ(f.storage, Storage::Disk) << f.path;
        }
    }
    // Only looked for in the archive.
    for (FileKind k : {FileKind::TerrainFlat, FileKind::WallPicture, FileKind::PaletteButton,
                       FileKind::ButtonOverlay})
        EXPECT_EQ(where[k], std::set<Storage>{Storage::Archive}) << static_cast<int>(k);
    // Only looked for on disk.
    for (FileKind k : {FileKind::EffectStrip, FileKind::Sound, FileKind::FaceVideo, FileKind::Map,
                       FileKind::GameData})
        EXPECT_EQ(where[k], std::set<Storage>{Storage::Disk}) << static_cast<int>(k);
    // Looked for in both: the demo uses both.
    EXPECT_EQ(where[FileKind::TerrainSlope].size(), 2u);
    EXPECT_EQ(where[FileKind::Table].size(), 2u);
    EXPECT_GT(archivedSprites, 100);
    EXPECT_GT(diskSprites, 20);
    EXPECT_EQ(where[FileKind::WallTable].size(), 1u);
    EXPECT_EQ(where[FileKind::TableMemo].size(), 1u);
}

}  // namespace
}  // namespace tess::demo
