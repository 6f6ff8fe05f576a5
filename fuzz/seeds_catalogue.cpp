// Seeds for fuzz_objects_kar and fuzz_wall_table: caches written by the catalogue and wall
// tables with small maps laid out in code.
#include <memory>

#include "Seeds.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"

namespace tess::fuzz {

namespace {

std::vector<uint8_t> CacheOf(std::initializer_list<int32_t> ids) {
    auto objects = std::make_unique<tObjects>();
    for (int32_t id : ids) {
        auto o = std::make_unique<tObject>();
        o->Id = id;
        o->Name = "objekt";
        o->FileName = "PICTURES/32x16/../objekty/o.dds";
        o->Typ_tree = id % 2;
        o->Tree_idx = id % 3 ? "ls" : "tb";
        o->pod_teren = static_cast<uint16_t>(id % 16);
        o->Width = 64;
        o->Height = 80;
        o->Anim_Count = 2;
        o->Size_RT = 2;
        o->Size_LT = 3;
        objects->Put(std::move(o));
    }
    return objects->CacheBytes();
}

// A map layout of 25 x 25 cells for the wall target: walls where `wall` says, variant by place.
template <typename Wall>
std::vector<uint8_t> Layout(Wall wall) {
    std::vector<uint8_t> cells;
    for (int y = 0; y <= 24; ++y)
        for (int x = 0; x <= 24; ++x)
            cells.push_back(static_cast<uint8_t>((wall(x, y) ? 1 : 0) | ((x + y) % 4) << 4));
    return cells;
}

std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

void WriteCatalogueSeeds(const std::filesystem::path& corpus) {
    const std::string kar = "fuzz_objects_kar";
    const std::vector<uint8_t> three = CacheOf({0, 57, 9999});
    WriteSeed(corpus, kar, "three", three);
    WriteSeed(corpus, kar, "three-odd", Join(three, {0}));  // refused, through the other reader
    WriteSeed(corpus, kar, "empty", CacheOf({}));
    WriteSeed(corpus, kar, "cut", std::vector<uint8_t>(three.begin(), three.begin() + 300));
    std::vector<uint8_t> longName = three;
    longName[4 + 4 + 141] = 30;  // Name length beyond its field
    WriteSeed(corpus, kar, "long-name", longName);

    const std::string walls = "fuzz_wall_table";
    std::vector<uint8_t> table(kWallTableSize);
    for (size_t key = 0; key < table.size(); ++key)
        table[key] = static_cast<uint8_t>(key % 13);
    table[0] = 255;
    const auto rooms = Layout([](int x, int y) { return (x / 3 + y / 5) % 3 == 0; });
    const auto lines = Layout([](int x, int y) { return x == 12 || y % 8 == 0; });
    WriteSeed(corpus, walls, "pieces-rooms", Join(table, rooms));
    WriteSeed(corpus, walls, "pieces-lines", Join(table, lines));
    WriteSeed(corpus, walls, "nothing-rooms",
              Join(std::vector<uint8_t>(kWallTableSize, 255), rooms));
    WriteSeed(corpus, walls, "short", Join(std::vector<uint8_t>(100, 3), lines));
}

}  // namespace tess::fuzz
