// Seeds for fuzz_view: small maps with hills, walls, objects, buildings and units, written by the
// map itself, each followed by the bytes that place the view and choose its tools.
#include "Seeds.h"
#include "map/MapDat.h"

namespace tess::fuzz {

namespace {

void Anchor(tMapa& map, int32_t x, int32_t y, int link, int id, int jitter) {
    map.SetOccupancy(x, y, 2);
    map.SetLinkKind(x, y, link);
    map.SetId(x, y, id);
    map.SetJitter(x, y, jitter);
}

}  // namespace

void WriteViewSeeds(const std::filesystem::path& corpus) {
    const std::string target = "fuzz_view";
    tMapa map;
    Random random(29);
    map.FillAsNewMap(12, 24, random);
    for (int32_t y = 6; y < 14; ++y)
        for (int32_t x = 3; x < 7; ++x)
            map.SetLevel(x, y, (y > 7 && y < 12 && x > 3 && x < 6) ? 5 : 4);
    for (int32_t y = 14; y < 22; y += 2)
        for (int32_t x = 7; x < 10; ++x)
            for (const TPoint& p : tMapa::BlockCells(tMapa::BlockTop(x, y))) {
                map.SetOccupancy(p.X, p.Y, 3);
                map.SetId(p.X, p.Y, x % 2 ? 1 : 5);
            }
    Anchor(map, 2, 4, 0, 1, 136);
    Anchor(map, 5, 9, 0, 7, 0);
    Anchor(map, 8, 6, 1, 3, 0x35);
    Anchor(map, 3, 18, 2, 4, 255);
    Anchor(map, 10, 2, 0, 8, 136);
    map.SetTerrain(0, 0, 15);
    std::vector<uint8_t> seed = SavedMapBytes(map, TPoint{6, 12});
    WriteSeed(corpus, target, "hills-walls-objects", seed);
    // The same with the last bytes choosing the cursor, the object tool and the layers.
    seed.back() = 0x2A;
    seed[seed.size() - 4] = 0x03;
    WriteSeed(corpus, target, "object-tool", seed);

    map.FillAsNewMap(40, 40, random);
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 40; ++x)
            if ((x * 7 + y * 3) % 5 == 0) Anchor(map, x, y, (x + y) % 3, 1 + (x * y) % 8, x * y);
    WriteSeed(corpus, target, "crowded-40x40", SavedMapBytes(map, TPoint{20, 20}));

    map.FillAsNewMap(1, 1, random);
    WriteSeed(corpus, target, "one-cell", SavedMapBytes(map, TPoint{0, 0}));
}

}  // namespace tess::fuzz
