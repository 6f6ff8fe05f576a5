// The object catalogue: trees, resources, decorations, building and unit pictures.
#include "Objects.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "GameData.h"
#include "ObjectArt.h"
#include "SpriteKit.h"
#include "resources/Utils.h"
#include "writers/SpriteEncoders.h"

namespace tess::demo {

const char* ContainerName(Container c) {
    switch (c) {
        case Container::DdsA4R4G4B4:
            return "DDS A4R4G4B4";
        case Container::DdsA8R8G8B8:
            return "DDS A8R8G8B8";
        case Container::DdsR5G6B5:
            return "DDS R5G6B5";
        case Container::DdsDxt3:
            return "DDS DXT3";
        case Container::DdsDxt3Tiled:
            return "DDS DXT3 tiled";
        case Container::DdsrA4R4G4B4:
            return "DDSR 4444";
        case Container::DdsrR5G6B5:
            return "DDSR 565";
        case Container::DdslA4R4G4B4:
            return "DDSL 4444";
        case Container::DdslR5G6B5:
            return "DDSL 565";
        case Container::DdslA8R8G8B8:
            return "DDSL 8888";
        case Container::Dds2:
            return "DDS2";
    }
    return "?";
}

Rgba QuantiseFor(Container c, Rgba p) {
    switch (c) {
        case Container::DdsA4R4G4B4:
        case Container::DdsrA4R4G4B4:
        case Container::DdslA4R4G4B4:
        case Container::Dds2: {
            const Rgba q = From4444(writers::ToArgb4444({p.r, p.g, p.b, p.a}));
            return Rgba{q.r, q.g, q.b, 255};
        }
        case Container::DdsR5G6B5:
        case Container::DdsrR5G6B5:
        case Container::DdslR5G6B5:
        case Container::DdsDxt3:
        case Container::DdsDxt3Tiled:
            return From565(writers::ToRgb565({p.r, p.g, p.b, p.a}));
        case Container::DdsA8R8G8B8:
        case Container::DdslA8R8G8B8:
            return Rgba{p.r, p.g, p.b, 255};
    }
    return p;
}

Canvas PrepareForContainer(const Canvas& art, Container container, Rgba key) {
    Canvas out = art;
    const Rgba qKey = QuantiseFor(container, key);
    for (Rgba& p : out.Pixels()) {
        // Strips keep their alpha (the loader turns alpha 0 into magenta); everything else is
        // either fully transparent or fully opaque.
        const bool visible = container == Container::Dds2 ? (p.a >> 4) != 0 : p.a != 0;
        if (!visible) {
            p = Rgba{key.r, key.g, key.b, 0};
            continue;
        }
        if (container != Container::Dds2) p.a = 255;
        Rgba q = QuantiseFor(container, p);
        // One step of the container's depth away from the key, in the channel that moves least.
        while (q.r == qKey.r && q.g == qKey.g && q.b == qKey.b) {
            if (p.g < 200)
                p.g = static_cast<uint8_t>(std::min(255, p.g + 17));
            else
                p.g = static_cast<uint8_t>(p.g - 17);
            q = QuantiseFor(container, p);
        }
    }
    return out;
}

namespace {

using C = Container;

std::string Cp(const std::string& utf8) {
    return Utf8ToCp1250(utf8);
}

struct Catalogue {
    std::vector<ObjectDesign> all;

    // A picture below "PICTURES/32x16/<dir>/". Archive members are named as the table spells
    // them; files on disk get another letter case, which the disk lookup must see through.
    ObjectDesign& Add(int id, const std::string& nameUtf8, const std::string& dir,
                      const std::string& file, Container c, Storage s = Storage::Archive) {
        ObjectDesign o;
        o.id = id;
        o.name = Cp(nameUtf8).substr(0, 20);
        o.fileName = "32x16\\" + dir + "\\" + file;
        o.file.container = c;
        o.file.storage = s;
        if (s == Storage::Archive) {
            o.file.path = "PICTURES/32x16/" + ReplaceChar(dir, '\\', '/') + "/" + file;
        } else {
            std::string lowerDir = ReplaceChar(dir, '\\', '/');
            for (char& ch : lowerDir)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            o.file.path = "pictures/32X16/" + lowerDir + "/" + AnsiUpperCase(file);
        }
        if (c == C::DdsrA4R4G4B4 || c == C::DdsrR5G6B5 || c == C::DdslA4R4G4B4 ||
            c == C::DdslR5G6B5 || c == C::DdslA8R8G8B8) {
            o.file.tileWidth = o.file.tileHeight = 32;
        }
        all.push_back(std::move(o));
        return all.back();
    }

    static void Frame(ObjectDesign& o, int w, int h, int frames, int rt, int lt) {
        o.width = w;
        o.height = h;
        o.animCount = frames;
        o.sizeRT = rt;
        o.sizeLT = lt;
        const AnchorPoint a = AnchorOf(w, h, rt, lt);
        o.relatX = a.x;
        o.relatY = a.y;
    }
};

void AddTrees(Catalogue& cat) {
    struct T {
        int id;
        const char* name;
        char kind;
        const char* letters;
        bool list, jehl, ker, trop;
        int w, h, frames, size;
        Container c;
    };
    const T trees[] = {
        {1, "Smrk", 'j', "j", false, true, false, false, 40, 72, 4, 1, C::DdsA4R4G4B4},
        {2, "Jedle", 'j', "j", false, true, false, false, 32, 56, 3, 1, C::DdsA4R4G4B4},
        {3, "Borovice", 'q', "jz", false, true, false, false, 36, 64, 3, 1, C::DdsA4R4G4B4},
        {4, "Dub", 'l', "l", true, false, false, false, 48, 64, 4, 1, C::DdsA4R4G4B4},
        {5, "Buk", 'l', "l", true, false, false, false, 44, 60, 3, 1, C::DdsA4R4G4B4},
        {6, "Lípa", 'l', "ln", true, false, false, false, 44, 60, 3, 1, C::DdsA4R4G4B4},
        {7, "Palma", 't', "t", false, false, false, true, 48, 64, 3, 1, C::DdsrA4R4G4B4},
        {8, "Palmička", 't', "t", false, false, false, true, 40, 52, 2, 1, C::DdsrA4R4G4B4},
        {9, "Keř", 'k', "k", false, false, true, false, 28, 24, 4, 1, C::DdsA4R4G4B4},
        {10, "Kvetoucí keř", 'k', "k", false, false, true, false, 28, 24, 3, 1, C::DdsA4R4G4B4},
        {11, "Ideální strom", 'n', "n", true, false, false, false, 40, 56, 3, 1, C::DdsA4R4G4B4},
        {12, "Zimní strom", 'z', "z", true, false, false, false, 40, 60, 3, 1, C::DdsA4R4G4B4},
        {13, "Temný strom", 'e', "e", true, false, false, false, 44, 60, 3, 1, C::DdsA4R4G4B4},
        {14, "Holý strom", 'h', "h", true, false, false, false, 40, 60, 4, 1, C::DdsA4R4G4B4},
        {15, "Podzimní dub", 'd', "d", true, false, false, false, 44, 60, 4, 1, C::DdsA4R4G4B4},
        {16, "Javor", 'd', "dl", true, false, false, false, 40, 56, 3, 1, C::DdsA4R4G4B4},
        {17, "Fialový strom", 'f', "f", true, false, false, false, 44, 60, 3, 1, C::DdsA4R4G4B4},
        {18, "Vrba", 'b', "b", true, false, false, false, 48, 60, 3, 1, C::DdsA4R4G4B4},
        {19, "Bambus", 'a', "a", false, false, false, true, 32, 60, 3, 1, C::DdsrA4R4G4B4},
        {20, "Rákosí", 'r', "r", false, false, false, false, 24, 28, 3, 1, C::DdsA4R4G4B4},
        {21, "Pařez", 'p', "p", false, false, false, false, 20, 18, 2, 1, C::DdsA4R4G4B4},
        {22, "Topol", 'o', "o", true, false, false, false, 24, 76, 3, 1, C::DdsA4R4G4B4},
        {23, "Zasněžený smrk", 'i', "i", false, true, false, false, 40, 72, 3, 1, C::DdsA4R4G4B4},
        {24, "Zasněžená jedle", 'i', "iz", false, true, false, false, 32, 56, 3, 1, C::DdsA4R4G4B4},
        {25, "Zasněžený listnáč", 'm', "m", true, false, false, false, 44, 60, 3, 1,
         C::DdsA4R4G4B4},
        {26, "Prastarý dub", 'x', "", true, false, false, false, 96, 104, 2, 2, C::DdsA8R8G8B8},
        {27, "Mrtvý strom", 'y', "", false, false, false, false, 40, 60, 2, 1, C::DdsA4R4G4B4},
        {28, "Bříza", 'w', "l", true, false, false, false, 36, 60, 3, 1, C::DdsA4R4G4B4},
        {29, "Tmavý keř", 'k', "ke", false, false, true, false, 28, 24, 2, 1, C::DdsA4R4G4B4},
        {30, "Pařez s houbami", 'p', "p", false, false, false, false, 20, 18, 2, 1, C::DdsA4R4G4B4},
    };
    for (const T& t : trees) {
        const bool onDisk = t.id == 27 || t.id == 28;
        char file[32];
        std::snprintf(file, sizeof file, "strom%02d.dds", t.id);
        ObjectDesign& o =
            cat.Add(t.id, t.name, "STROMY", file, t.c, onDisk ? Storage::Disk : Storage::Archive);
        Catalogue::Frame(o, t.w, t.h, t.frames, t.size, t.size);
        o.typTree = true;
        o.treeIdx = t.letters;
        o.treeList = t.list;
        o.treeJehl = t.jehl;
        o.treeKer = t.ker;
        o.treeTrop = t.trop;
        if (t.id == 27) o.file.ddsPlus = true;
        if (t.id == 18 || t.id == 20) o.podTeren = "BZ";
        if (t.id == 26) o.podTeren = "LS";
        if (t.id == 4) o.wavFile = "priroda\\ptaci.wav";
        if (t.id == 18) {
            o.wavDay = "priroda\\zaby.wav";
            o.wavNight = "priroda\\cvrcci.wav";
        }
        const char kind = t.kind;
        const int w = t.w, h = t.h, frames = t.frames;
        const uint32_t seed = Hash(0x7EE5u, t.id, 0);
        o.draw = [kind, w, h, frames, seed] { return TreePicture(kind, w, h, frames, seed); };
    }
}

void AddDecor(Catalogue& cat, int id, const std::string& name, const std::string& dir, Decor kind,
              int w, int h, int frames, int rt, int lt, int variant, int stage, Container c,
              Storage s = Storage::Archive) {
    char file[32];
    std::snprintf(file, sizeof file, "obj%03d.dds", id);
    ObjectDesign& o = cat.Add(id, name, dir, file, c, s);
    Catalogue::Frame(o, w, h, frames, rt, lt);
    const uint32_t seed = Hash(0xDEC0u, id, 0);
    o.draw = [=] { return DecorPicture(kind, w, h, frames, rt, lt, variant, stage, seed); };
}

void AddResourcesAndDecor(Catalogue& cat) {
    auto unowned = [&](int id) {
        for (ObjectDesign& o : cat.all)
            if (o.id == id) o.typUnown = true;
    };
    for (int k = 0; k < 4; ++k) {
        AddDecor(cat, 100 + k, "Balvan " + std::to_string(k + 1), "OBJEKTY", Decor::Boulder, 32, 32,
                 1, 1, 1, k, 0, C::DdsR5G6B5, k == 3 ? Storage::Disk : Storage::Archive);
        unowned(100 + k);
    }
    AddDecor(cat, 104, "Studna", "OBJEKTY", Decor::Well, 32, 48, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    AddDecor(cat, 105, "Socha", "OBJEKTY", Decor::Statue, 32, 60, 1, 1, 1, 0, 0, C::DdsA8R8G8B8);
    AddDecor(cat, 106, "Obelisk", "OBJEKTY", Decor::Obelisk, 24, 64, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    AddDecor(cat, 107, "Ukazatel", "OBJEKTY", Decor::Signpost, 32, 44, 1, 1, 1, 0, 0,
             C::DdsA4R4G4B4);
    AddDecor(cat, 108, "Sudy", "OBJEKTY", Decor::Barrels, 32, 32, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    AddDecor(cat, 109, "Bedny", "OBJEKTY", Decor::Crates, 32, 32, 1, 1, 1, 0, 0, C::DdsrR5G6B5);
    AddDecor(cat, 110, "Vůz", "OBJEKTY", Decor::Cart, 64, 48, 1, 2, 1, 0, 0, C::DdsrA4R4G4B4);
    AddDecor(cat, 111, "Stan", "OBJEKTY", Decor::Tent, 64, 60, 1, 2, 2, 0, 0, C::DdsrA4R4G4B4);
    AddDecor(cat, 112, "Kamenný kruh", "OBJEKTY", Decor::StoneCircle, 96, 68, 1, 3, 3, 0, 0,
             C::DdsR5G6B5);
    AddDecor(cat, 113, "Kupka sena", "OBJEKTY", Decor::Haystack, 32, 36, 1, 1, 1, 0, 0,
             C::DdsA4R4G4B4);
    for (int id = 104; id <= 113; ++id)
        unowned(id);
    for (ObjectDesign& o : cat.all)
        if (o.id == 104) o.wavFile = "priroda\\studna.wav";

    // Resources.
    AddDecor(cat, 129, "Kámen", "SUROVINY", Decor::StonePile, 32, 32, 1, 1, 1, 0, 0, C::DdsR5G6B5);
    AddDecor(cat, 130, "Velký kámen", "SUROVINY", Decor::StonePile, 64, 48, 1, 2, 2, 1, 0,
             C::DdsR5G6B5);
    AddDecor(cat, 131, "Kamení", "SUROVINY", Decor::StonePile, 32, 32, 1, 1, 1, 2, 0, C::DdsR5G6B5);
    cat.all.back().file.ddsPlus = true;
    const char* crystals[3] = {"Modrý krystal", "Zelený krystal", "Rudý krystal"};
    for (int k = 0; k < 3; ++k)
        AddDecor(cat, 132 + k, crystals[k], "SUROVINY", Decor::Crystal, 32, 48, 1, 1, 1, k, 0,
                 C::DdsA8R8G8B8);
    // The bone pile: its picture follows the construction progress of building type 89.
    for (int s = 0; s <= 14; ++s) {
        AddDecor(cat, 212 + s, "Kosti " + std::to_string(s * 100 / 14) + "%", "SUROVINY",
                 Decor::BonePile, 64, 52, 1, 2, 2, 0, s, C::DdsR5G6B5);
        cat.all.back().typBuild = true;
    }
    AddDecor(cat, 232, "Zlatý důl", "SUROVINY", Decor::GoldMine, 112, 84, 1, 3, 3, 0, 0,
             C::DdsrR5G6B5);
    cat.all.back().podTeren = "SK";
    cat.all.back().wavFile = "priroda\\dul.wav";
    AddDecor(cat, 233, "Železný důl", "SUROVINY", Decor::IronMine, 112, 84, 1, 3, 3, 0, 0,
             C::DdsrR5G6B5);
    cat.all.back().podTeren = "KT";

    // Decorations with black as their transparent colour: the campfire, water lilies, flowers.
    AddDecor(cat, 231, "Táborák", "OBJEKTY", Decor::Campfire, 32, 32, 4, 1, 1, 0, 0, C::DdsR5G6B5);
    cat.all.back().file.key = kBlack;
    cat.all.back().wavFile = "priroda\\ohen.wav";
    unowned(231);
    for (int k = 0; k < 4; ++k) {
        AddDecor(cat, 239 + k, "Zřícenina " + std::to_string(k + 1), "OBJEKTY", Decor::Ruin, 64, 64,
                 1, 2, 2, k, 0, C::DdsDxt3);
        unowned(239 + k);
    }
    AddDecor(cat, 243, "Zřícená věž", "OBJEKTY", Decor::RuinTower, 96, 112, 1, 3, 3, 0, 0,
             C::DdsDxt3Tiled);
    cat.all.back().file.tileWidth = 32;
    cat.all.back().file.tileHeight = 16;
    unowned(243);
    AddDecor(cat, 244, "2 značka", "OBJEKTY", Decor::Marker, 24, 32, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    unowned(244);
    for (int k = 0; k < 4; ++k) {
        AddDecor(cat, 249 + 2 * k, "Hrob " + std::to_string(k + 1), "OBJEKTY", Decor::Grave, 32, 40,
                 1, 1, 1, k, 0, C::DdsA4R4G4B4);
        AddDecor(cat, 250 + 2 * k, "Lebka " + std::to_string(k + 1), "OBJEKTY", Decor::Skull, 32,
                 24, 1, 1, 1, k, 0, C::DdsA4R4G4B4);
        unowned(249 + 2 * k);
        unowned(250 + 2 * k);
    }
    AddDecor(cat, 270, "Plot", "OBJEKTY", Decor::FenceNE, 32, 36, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    AddDecor(cat, 271, "Plot", "OBJEKTY", Decor::FenceNW, 32, 36, 1, 1, 1, 0, 0, C::DdsA4R4G4B4);
    for (int k = 0; k < 4; ++k) {
        AddDecor(cat, 360 + k, "Lekníny " + std::to_string(k + 1), "OBJEKTY", Decor::WaterLily, 32,
                 24, 1, 1, 1, k, 0, C::DdsrR5G6B5);
        cat.all.back().file.key = kBlack;
        cat.all.back().podTeren = "VM";
        unowned(360 + k);
    }
    for (int k = 0; k < 9; ++k) {
        AddDecor(cat, 411 + k, "Květiny " + std::to_string(k + 1), "OBJEKTY", Decor::Flowers, 24,
                 24, 1, 1, 1, k, 0, k < 3 ? C::DdsrA4R4G4B4 : C::DdsA4R4G4B4,
                 k == 8 ? Storage::Disk : Storage::Archive);
        cat.all.back().file.key = kBlack;
        unowned(411 + k);
    }
    for (int k = 0; k < 4; ++k) {
        AddDecor(cat, 434 + k, "Houby " + std::to_string(k + 1), "OBJEKTY", Decor::Mushrooms, 24,
                 24, 1, 1, 1, k, 0, C::DdsA4R4G4B4);
        AddDecor(cat, 438 + k, "Menhir " + std::to_string(k + 1), "OBJEKTY", Decor::Menhir, 24, 64,
                 1, 1, 1, k, 0, C::DdsA4R4G4B4);
        unowned(434 + k);
        unowned(438 + k);
    }
    AddDecor(cat, 442, "Dlouhý plot", "OBJEKTY", Decor::FenceNW, 64, 44, 1, 1, 2, 0, 0,
             C::DdsA4R4G4B4);
    AddDecor(cat, 443, "Dlouhý plot", "OBJEKTY", Decor::FenceNE, 64, 44, 1, 2, 1, 0, 0,
             C::DdsA4R4G4B4);
    for (int id : {270, 271, 442, 443})
        unowned(id);
}

Race RaceOf(int race) {
    return race >= 1 && race <= 4 ? static_cast<Race>(race) : Race::Human;
}

void AddBuildings(Catalogue& cat) {
    static const char* kFolder[5] = {"NEUTRAL", "LIDE", "BARBARI", "TRPASLICI", "ELFOVE"};
    for (const BuildingType& b : BuildingTypes()) {
        if (b.kind == BuildingKind::BonePile) continue;
        const int span = std::max(b.sizeRT, b.sizeLT);
        const int w = 16 * (b.sizeRT + b.sizeLT) + 16;
        int h = 44 + 24 * span;
        if (b.kind == BuildingKind::Tower || b.kind == BuildingKind::Totem ||
            b.kind == BuildingKind::CentreTown || b.kind == BuildingKind::Temple)
            h += 24;
        const std::string base = Utf8ToCp1250(b.name);
        for (int stage = 3; stage >= 0; --stage) {
            const int id = stage == 3 ? b.objectId : b.stageObjects[static_cast<size_t>(stage)];
            if (id == 0) continue;
            char file[32];
            std::snprintf(file, sizeof file, "bud%04d.dds", id);
            ObjectDesign& o = cat.Add(id, "", std::string("BUDOVY\\") + kFolder[b.race], file,
                                      b.container, b.storage);
            o.name =
                (stage == 3 ? base : base.substr(0, 16) + " " + std::to_string(stage + 1) + "/3")
                    .substr(0, 20);
            Catalogue::Frame(o, w, h, 1, b.sizeRT, b.sizeLT);
            o.typBuild = true;
            const Race race = RaceOf(b.race);
            const BuildingKind kind = b.kind;
            const int rt = b.sizeRT, lt = b.sizeLT;
            const uint32_t seed = Hash(0xB01Du, b.id, 0);
            o.draw = [=] { return BuildingPicture(race, kind, w, h, rt, lt, stage, seed); };
        }
    }
}

void AddUnits(Catalogue& cat) {
    for (const PersonType& p : PersonTypes()) {
        const std::string folder = "JEDNOTKY\\J" + std::to_string(p.id);
        const std::string name = Utf8ToCp1250(p.name).substr(0, 14);
        const Race race = RaceOf(p.race);
        const Figure figure = p.figure;
        for (int d = 0; d < 8; ++d) {
            char file[32];
            std::snprintf(file, sizeof file, "stoji%d.dds", d);
            ObjectDesign& o = cat.Add(p.objectBase + d, "", folder, file, p.container, p.storage);
            o.name = name + " " + std::to_string(d);
            o.typUnit = true;
            o.width = p.width;
            o.height = p.height;
            o.animCount = 2;
            o.relatX = p.width / 2;
            o.relatY = p.height - 6;
            const int w = p.width, h = p.height;
            o.draw = [=] { return UnitPicture(figure, race, d, w, h, 2, 0); };
        }
        if (p.id == 2) {
            // A sheet the game uses for attacks: the catalogue reader leaves such rows out.
            ObjectDesign& o =
                cat.Add(p.objectBase + 8, "", folder, "utok.dds", p.container, p.storage);
            o.name = Utf8ToCp1250(p.name) + " " + Utf8ToCp1250("útok");
            o.typUnit = true;
            o.width = p.width;
            o.height = p.height;
            o.animCount = 2;
            o.relatX = p.width / 2;
            o.relatY = p.height - 6;
            const int w = p.width, h = p.height;
            o.draw = [=] { return UnitPicture(figure, race, 3, w, h, 2, 0); };
        }
        for (int d = 0; d < 8; ++d) {
            char file[32];
            std::snprintf(file, sizeof file, "mrtvy%d.dds", d);
            ObjectDesign& o =
                cat.Add(p.objectBase + 24 + d, "", folder, file, p.container, p.storage);
            o.name = name + " +" + std::to_string(d);
            o.typUnit = true;
            const int w = std::max(p.width, 40), h = p.height;
            o.width = w;
            o.height = h;
            o.animCount = 3;
            o.relatX = w / 2;
            o.relatY = h - 8;
            o.draw = [=] { return BodyPicture(figure, race, d, w, h, 3, 0); };
        }
    }
}

}  // namespace

const std::vector<ObjectDesign>& ObjectCatalogue() {
    static const std::vector<ObjectDesign> all = [] {
        Catalogue cat;
        AddTrees(cat);
        AddResourcesAndDecor(cat);
        AddBuildings(cat);
        AddUnits(cat);
        std::stable_sort(cat.all.begin(), cat.all.end(),
                         [](const ObjectDesign& a, const ObjectDesign& b) { return a.id < b.id; });
        return cat.all;
    }();
    return all;
}

const ObjectDesign* FindObject(int id) {
    static const std::map<int, const ObjectDesign*> index = [] {
        std::map<int, const ObjectDesign*> m;
        for (const ObjectDesign& o : ObjectCatalogue())
            m[o.id] = &o;
        return m;
    }();
    auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

}  // namespace tess::demo
