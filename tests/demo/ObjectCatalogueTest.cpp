// The object catalogue design: rows the palettes and loaders rely on, picture sizes and layouts
// for every container, keys, anchors.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "GameData.h"
#include "Library.h"
#include "Objects.h"
#include "SpriteKit.h"

namespace tess::demo {
namespace {

// All pictures, generated once for the tests of this file.
ArtLibrary& Art() {
    static ArtLibrary art;
    return art;
}

TEST(ObjectRows, IdsNamesAndFieldLengths) {
    int previous = -1;
    for (const ObjectDesign& o : ObjectCatalogue()) {
        EXPECT_GT(o.id, previous) << "ids ascend and are unique";
        previous = o.id;
        EXPECT_LT(o.id, 10000);
        EXPECT_LE(o.name.size(), 20u) << o.id;
        EXPECT_FALSE(o.name.empty()) << o.id;
        EXPECT_LE(o.fileName.size(), 140u - 18u) << o.id;  // room for "PICTURES/32x16/../"
        EXPECT_LE(o.treeIdx.size(), 10u) << o.id;
        EXPECT_TRUE(o.podTeren.empty() || o.podTeren.size() == 2) << o.id;
        EXPECT_GE(o.animCount, 1) << o.id;
        EXPECT_TRUE(o.draw) << o.id;
    }
}

TEST(ObjectRows, PalettesFindWhatTheyList) {
    for (int id : {129, 130, 131, 132, 133, 134, 212, 226, 232, 233, 100, 101, 102, 103,
                   239, 240, 241, 242, 270, 271, 442, 443, 231, 360, 363, 411, 419})
        EXPECT_NE(FindObject(id), nullptr) << id;
    for (int id = 249; id <= 256; ++id)
        EXPECT_NE(FindObject(id), nullptr) << id;
    for (int id = 434; id <= 441; ++id)
        EXPECT_NE(FindObject(id), nullptr) << id;
    // The stages of the bone pile: 212 + progress·14/100 for every progress 1..100.
    for (int p = 1; p <= 100; ++p)
        EXPECT_NE(FindObject(212 + p * 14 / 100), nullptr) << p;
    // Multi-cell pieces the map loader converts pairs of 270/271 into.
    EXPECT_EQ(FindObject(443)->sizeRT, 2);
    EXPECT_EQ(FindObject(442)->sizeLT, 2);
    EXPECT_EQ(FindObject(232)->sizeRT, 3);
    EXPECT_EQ(FindObject(233)->sizeLT, 3);
    // "Další" leaves out names beginning with "2"; one such object exists to show it.
    bool hidden = false;
    for (const ObjectDesign& o : ObjectCatalogue())
        hidden = hidden || (o.typUnown && o.name[0] == '2');
    EXPECT_TRUE(hidden);
}

TEST(ObjectRows, TreesOfEveryPaletteFamily) {
    std::set<char> letters;
    bool plain = false, special = false, sound = false, dayNight = false, forcedTerrain = false;
    for (const ObjectDesign& o : ObjectCatalogue()) {
        if (!o.typTree) continue;
        for (char c : o.treeIdx)
            letters.insert(c);
        plain =
            plain || (!o.treeIdx.empty() && o.treeIdx.find_first_of("tbarpk") == std::string::npos);
        special = special || o.treeIdx.empty();
        sound = sound || !o.wavFile.empty();
        dayNight = dayNight || (!o.wavDay.empty() && !o.wavNight.empty());
        forcedTerrain = forcedTerrain || !o.podTeren.empty();
    }
    for (char c : std::string("jltknzehdfbarpoim"))
        EXPECT_TRUE(letters.count(c)) << c;
    EXPECT_TRUE(plain);
    EXPECT_TRUE(special);
    EXPECT_TRUE(sound);
    EXPECT_TRUE(dayNight);
    EXPECT_TRUE(forcedTerrain);
}

TEST(ObjectRows, UnitPicturesInEightFacingsWithBodies) {
    for (const PersonType& p : PersonTypes()) {
        EXPECT_EQ(p.objectBase % 50, 0) << p.id;
        for (int d = 0; d < 8; ++d) {
            for (int id : {p.objectBase + d, p.objectBase + 24 + d}) {
                const ObjectDesign* o = FindObject(id);
                ASSERT_NE(o, nullptr) << id;
                EXPECT_TRUE(o->typUnit) << id;
            }
        }
    }
    // One unit row whose remainder the catalogue reader skips.
    bool skipped = false;
    for (const ObjectDesign& o : ObjectCatalogue()) {
        const int rem = o.id % 50;
        skipped = skipped || (o.typUnit && !(rem <= 7 || (rem >= 24 && rem <= 31)));
    }
    EXPECT_TRUE(skipped);
}

TEST(ObjectFiles, EveryContainerAppearsAndDictionaryTilesStayOnDisk) {
    std::set<Container> seen;
    std::set<std::string> paths;
    bool plus = false, blackKey = false, onDisk = false;
    for (const ObjectDesign& o : ObjectCatalogue()) {
        seen.insert(o.file.container);
        plus = plus || o.file.ddsPlus;
        blackKey = blackKey || o.file.key == kBlack;
        onDisk = onDisk ||
                 (o.file.storage == Storage::Disk && o.file.container == Container::DdsA4R4G4B4);
        const bool dictionary = o.file.container == Container::DdslA4R4G4B4 ||
                                o.file.container == Container::DdslR5G6B5 ||
                                o.file.container == Container::DdslA8R8G8B8;
        if (dictionary) {
            EXPECT_EQ(o.file.storage, Storage::Disk) << o.id;
        }
        // No two objects write the same file.
        EXPECT_TRUE(paths.insert(o.file.path).second) << o.file.path;
    }
    for (Container c :
         {Container::DdsA4R4G4B4, Container::DdsA8R8G8B8, Container::DdsR5G6B5, Container::DdsDxt3,
          Container::DdsDxt3Tiled, Container::DdsrA4R4G4B4, Container::DdsrR5G6B5,
          Container::DdslA4R4G4B4, Container::DdslR5G6B5, Container::DdslA8R8G8B8})
        EXPECT_TRUE(seen.count(c)) << ContainerName(c);
    EXPECT_TRUE(plus);
    EXPECT_TRUE(blackKey);
    EXPECT_TRUE(onDisk);
    // Objects 231, 360..363 and 411..419 are loaded only from plain or run-length files, with black
    // as the transparent colour.
    for (const ObjectDesign& o : ObjectCatalogue()) {
        const bool special =
            o.id == 231 || (o.id >= 360 && o.id <= 363) || (o.id >= 411 && o.id <= 419);
        if (!special) continue;
        EXPECT_EQ(o.file.key, kBlack) << o.id;
        const Container c = o.file.container;
        EXPECT_TRUE(c == Container::DdsA4R4G4B4 || c == Container::DdsA8R8G8B8 ||
                    c == Container::DdsR5G6B5 || c == Container::DdsrA4R4G4B4 ||
                    c == Container::DdsrR5G6B5)
            << o.id;
    }
}

// Every picture fits its row: frame size times frames, tile sizes for DXT3, anchors inside the
// frame with the object standing on its footprint.
TEST(ObjectPictures, SizesLayoutsAndAnchors) {
    for (const ObjectDesign& o : ObjectCatalogue()) {
        const Canvas* pic = Art().ObjectPicture(o.id);
        ASSERT_NE(pic, nullptr) << o.id;
        EXPECT_EQ(pic->Width(), o.width) << o.id;
        const bool facing = o.typUnit && o.id % 50 <= 7;
        if (facing)
            EXPECT_GE(pic->Height(), o.height) << o.id;  // only the top-left frame is used
        else
            EXPECT_EQ(pic->Height(), o.height * o.animCount) << o.id;
        if (o.file.container == Container::DdsDxt3 || o.file.container == Container::DdsDxt3Tiled) {
            EXPECT_EQ(pic->Width() % 4, 0) << o.id;
            EXPECT_EQ(pic->Height() % 4, 0) << o.id;
        }
        if (o.file.container == Container::DdsDxt3Tiled) {
            EXPECT_EQ(pic->Width() % o.file.tileWidth, 0) << o.id;
            EXPECT_EQ(pic->Height() % o.file.tileHeight, 0) << o.id;
        }
        EXPECT_GE(o.relatX, 0) << o.id;
        EXPECT_LT(o.relatX, o.width) << o.id;
        EXPECT_GE(o.relatY, 0) << o.id;
        // Objects keep their footprint's bottom corner in the frame; units stand on the anchor.
        EXPECT_LT(o.relatY + (o.typUnit ? 0 : 8), o.height) << o.id;
        // Each frame shows something whose lowest pixels reach at least half-way down the
        // footprint and not far below it: the object stands on its cells instead of floating.
        const int halfWay = o.typUnit ? o.relatY - 2 : o.relatY + 8 - 4 * (o.sizeRT + o.sizeLT) - 2;
        for (int f = 0; f < (facing ? 1 : o.animCount); ++f) {
            const Bounds b = VisibleBounds(pic->Crop(0, f * o.height, o.width, o.height));
            EXPECT_GT(b.x1, b.x0) << o.id << " frame " << f;
            EXPECT_LE(b.x0, o.relatX) << o.id;
            EXPECT_GE(b.x1, o.relatX) << o.id;
            EXPECT_GE(b.y1, halfWay) << o.id;
            EXPECT_LE(b.y1, o.relatY + 16) << o.id;
        }
    }
}

// DXT3 keeps one transparent key only where a whole 4 x 4 block is transparent, so those
// pictures have silhouettes on the block grid.
TEST(ObjectPictures, Dxt3PicturesAreBlockAligned) {
    for (const ObjectDesign& o : ObjectCatalogue()) {
        if (o.file.container != Container::DdsDxt3 && o.file.container != Container::DdsDxt3Tiled)
            continue;
        const Canvas* pic = Art().ObjectPicture(o.id);
        for (int by = 0; by < pic->Height(); by += 4)
            for (int bx = 0; bx < pic->Width(); bx += 4) {
                int opaque = 0;
                for (int y = 0; y < 4; ++y)
                    for (int x = 0; x < 4; ++x)
                        opaque += pic->Get(bx + x, by + y).a != 0;
                EXPECT_TRUE(opaque == 0 || opaque == 16) << o.id << " block " << bx << "," << by;
            }
    }
}

// After preparation for its container no visible pixel shows as the key, and the art needed
// hardly any nudging (its colours keep clear of the key on their own).
TEST(ObjectPictures, KeyColourUnusedInsidePictures) {
    for (const ObjectDesign& o : ObjectCatalogue()) {
        const Canvas* art = Art().ObjectPicture(o.id);
        const Canvas out = PrepareForContainer(*art, o.file.container, o.file.key);
        const Rgba key = QuantiseFor(o.file.container, o.file.key);
        int visible = 0, nudged = 0;
        for (size_t i = 0; i < out.Pixels().size(); ++i) {
            const Rgba p = out.Pixels()[i];
            if (p.a == 0) {
                EXPECT_EQ((Rgba{p.r, p.g, p.b, 255}), o.file.key) << o.id;
                continue;
            }
            ++visible;
            nudged += !(art->Pixels()[i].r == p.r && art->Pixels()[i].g == p.g &&
                        art->Pixels()[i].b == p.b);
            const Rgba q = QuantiseFor(o.file.container, p);
            ASSERT_FALSE(q.r == key.r && q.g == key.g && q.b == key.b) << o.id;
        }
        EXPECT_LE(nudged * 100, visible) << o.id;
    }
}

TEST(PrepareForContainer, NudgesColoursThatWouldBecomeTheKey) {
    Canvas c(3, 1, Opaque(250, 4, 250));  // 4 bits: F0F, magenta
    c.Set(1, 0, Opaque(6, 6, 6));         // black in 4 and in 5/6 bits
    c.Set(2, 0, kClear);
    const Canvas m = PrepareForContainer(c, Container::DdsA4R4G4B4, kMagenta);
    EXPECT_NE(To4444(m.Get(0, 0)) & 0x0FFF, To4444(kMagenta) & 0x0FFF);
    EXPECT_EQ(m.Get(2, 0), (Rgba{255, 0, 255, 0}));
    const Canvas b = PrepareForContainer(c, Container::DdsR5G6B5, kBlack);
    EXPECT_NE(To565(b.Get(1, 0)), 0);
    EXPECT_EQ(b.Get(2, 0), (Rgba{0, 0, 0, 0}));
    // Strips keep partial alpha; alpha below 16 is transparent.
    Canvas s(2, 1, WithAlpha(Opaque(200, 100, 50), 128));
    s.Set(1, 0, WithAlpha(Opaque(200, 100, 50), 10));
    const Canvas strip = PrepareForContainer(s, Container::Dds2, kMagenta);
    EXPECT_EQ(strip.Get(0, 0).a, 128);
    EXPECT_EQ(strip.Get(1, 0), (Rgba{255, 0, 255, 0}));
}

TEST(ObjectPictures, GeneratingAgainGivesTheSamePixels) {
    // A fresh library, and pictures drawn in another order: no hidden state leaks between them.
    ArtLibrary other;
    for (int id : {1, 26, 232, 243, 1000, 3000 + 7, 3050 + 27}) {
        ASSERT_NE(FindObject(id), nullptr) << id;
        EXPECT_EQ(other.ObjectPicture(id)->Pixels(), Art().ObjectPicture(id)->Pixels()) << id;
    }
}

}  // namespace
}  // namespace tess::demo
