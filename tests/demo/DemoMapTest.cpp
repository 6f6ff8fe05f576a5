// The demo map design: the height invariant, everything inside the map and on free cells, and
// the game data consistent enough for the map check.
#include <gtest/gtest.h>

#include <set>

#include "DemoMap.h"
#include "GameData.h"
#include "Objects.h"

namespace tess::demo {
namespace {

const MapDesign& Map() {
    static const MapDesign m = DesignDemoMap();
    return m;
}

// Other sizes the layout scales to: the smallest new map and a wide one.
const MapDesign& Small() {
    static const MapDesign m = DesignDemoMap(128, 128);
    return m;
}
const MapDesign& Wide() {
    static const MapDesign m = DesignDemoMap(300, 300);
    return m;
}

void CheckLevels(const MapDesign& m) {
    int highest = 0, lowest = 7;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const int level = m.level[m.Index({x, y})];
            highest = std::max(highest, level);
            lowest = std::min(lowest, level);
            for (int d = 0; d < 8; ++d) {
                const Cell n = Step({x, y}, d);
                if (m.Inside(n)) {
                    ASSERT_LE(std::abs(level - m.level[m.Index(n)]), 1) << x << "," << y;
                }
            }
        }
    EXPECT_EQ(highest, 7);
    EXPECT_EQ(lowest, 0);
}

TEST(DemoMap, NeighbouringLevelsDifferByAtMostOne) {
    ASSERT_EQ(Map().width, kDemoMapWidth);
    ASSERT_EQ(Map().height, kDemoMapHeight);
    CheckLevels(Map());
    CheckLevels(Small());
    CheckLevels(Wide());
}

TEST(DemoMap, TerrainWallsAndVariantsAgreeWithinBlocks) {
    const MapDesign& m = Map();
    std::set<int> terrains, walls;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const size_t i = m.Index({x, y});
            terrains.insert(m.terrain[i]);
            walls.insert(m.wall[i]);
            ASSERT_LT(m.terrain[i], 15);
            const Cell top = BlockTop({x, y});
            if (!m.Inside(top)) continue;
            const size_t t = m.Index(top);
            ASSERT_EQ(m.terrain[i], m.terrain[t]) << x << "," << y;
            ASSERT_EQ(m.wall[i], m.wall[t]) << x << "," << y;
            ASSERT_EQ(m.variant[i], m.variant[t]) << x << "," << y;
        }
    EXPECT_EQ(terrains.size(), 15u);  // every default slot is used somewhere
    EXPECT_GE(walls.size(), 13u);     // most of the sixteen wall kinds, and no wall
}

void CheckPlacements(const MapDesign& m) {
    std::vector<int> owner(static_cast<size_t>(m.width * m.height), -1);
    int next = 0;
    auto claim = [&](const std::vector<Cell>& cells, bool water) {
        const int me = next++;
        for (const Cell& c : cells) {
            ASSERT_TRUE(m.Inside(c)) << c.x << "," << c.y;
            const size_t i = m.Index(c);
            ASSERT_EQ(owner[i], -1) << "overlap at " << c.x << "," << c.y;
            ASSERT_EQ(m.wall[i], 0) << c.x << "," << c.y;
            if (!water) {
                ASSERT_NE(m.terrain[i], kDeep) << c.x << "," << c.y;
            }
            owner[i] = me;
        }
    };
    for (const ObjectPlacement& o : m.objects) {
        const ObjectDesign* d = FindObject(o.id);
        ASSERT_NE(d, nullptr) << o.id;
        EXPECT_FALSE(d->typUnit || d->typBuild) << o.id;
        claim(FootprintCells(o.at, d->sizeRT, d->sizeLT), o.id >= 360 && o.id <= 363);
        if (o.id == 232 || o.id == 233) {
            EXPECT_GT(o.amount, 0);
            EXPECT_LE(o.amount, 65535);
            claim({Step(o.at, 5)}, false);  // the amount's cell stays empty
        } else {
            EXPECT_EQ(o.amount, 0);
        }
    }
    for (const BuildingDesign& b : m.buildings) {
        const ObjectDesign* d = FindObject(b.objectId);
        ASSERT_NE(d, nullptr) << b.objectId;
        claim(FootprintCells(b.at, d->sizeRT, d->sizeLT), false);
    }
    for (const UnitDesign& u : m.units)
        claim({u.at}, false);
}

TEST(DemoMap, EverythingStandsInsideTheMapOnFreeCells) {
    CheckPlacements(Map());
    CheckPlacements(Small());
    CheckPlacements(Wide());
}

void CheckGameData(const MapDesign& m) {
    ASSERT_GE(m.players.size(), 2u);
    std::set<int> races;
    for (const PlayerDesign& p : m.players)
        races.insert(p.race);
    EXPECT_EQ(races.size(), 4u);
    std::set<int> centresSeen;
    for (const SettlementDesign& s : m.settlements) {
        EXPECT_GE(s.player, 1);
        EXPECT_LE(s.player, static_cast<int>(m.players.size()));
    }
    std::set<int> types;
    for (const BuildingDesign& b : m.buildings) {
        types.insert(b.type);
        EXPECT_GE(b.settlement, 1);
        EXPECT_LE(b.settlement, static_cast<int>(m.settlements.size()));
        EXPECT_GE(b.progress, 1);
        EXPECT_LE(b.progress, 100);
        if (b.type == 89) {
            EXPECT_GT(b.tag, 0) << "a bone pile without an amount fails the check";
            EXPECT_EQ(b.objectId, 212 + b.progress * 14 / 100);
        }
        for (const BuildingType& bt : BuildingTypes())
            if (bt.id == b.type && (bt.tag & 4)) {
                centresSeen.insert(b.settlement);
                // A settlement centre stands on its block's top cell, as the placing command puts
                // it.
                EXPECT_EQ(BlockTop(b.at), b.at);
            }
    }
    EXPECT_EQ(centresSeen.size(), m.settlements.size()) << "every settlement has its centre";
    EXPECT_TRUE(types.count(89));
    int inProgress = 0;
    for (const BuildingDesign& b : m.buildings)
        inProgress += b.progress < 100;
    EXPECT_GT(inProgress, 3);
    for (const UnitDesign& u : m.units) {
        EXPECT_GE(u.player, 1);
        EXPECT_LE(u.player, static_cast<int>(m.players.size()));
        EXPECT_EQ(u.objectId % 50, u.facing);
        bool known = false;
        for (const PersonType& p : PersonTypes())
            known = known || (p.id == u.person && p.objectBase + u.facing == u.objectId);
        EXPECT_TRUE(known) << u.person;
    }
    EXPECT_TRUE(m.Inside(m.viewCentre));
}

TEST(DemoMap, GameDataPassesTheMapCheck) {
    CheckGameData(Map());
    CheckGameData(Small());
    CheckGameData(Wide());
}

TEST(DemoMap, SameSizeSameDesign) {
    const MapDesign a = DesignDemoMap(160, 256);
    const MapDesign b = DesignDemoMap(160, 256);
    EXPECT_EQ(a.level, b.level);
    EXPECT_EQ(a.terrain, b.terrain);
    EXPECT_EQ(a.wall, b.wall);
    ASSERT_EQ(a.objects.size(), b.objects.size());
    for (size_t i = 0; i < a.objects.size(); ++i)
        EXPECT_EQ(a.objects[i].id, b.objects[i].id);
    EXPECT_EQ(a.buildings.size(), b.buildings.size());
    EXPECT_EQ(a.units.size(), b.units.size());
    // A smaller map still gets its settlements, each with its centre.
    EXPECT_EQ(a.settlements.size(), Map().settlements.size());
}

}  // namespace
}  // namespace tess::demo
