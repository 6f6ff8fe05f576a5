// The demo map as plain data: cell grids for terrain, levels and walls, and lists of what stands
// on the map (objects, deposits, players, settlements, buildings, units), ready for the writing
// phase to place through the real map and game-data model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Grid.h"

namespace tess::demo {

struct ObjectPlacement {
    int id = 0;  // object type; the anchor is the front cell of the footprint
    Cell at;
    int jitter = 136;
    int amount = 0;  // deposits 232/233: the amount kept in the cell left of the anchor
};

struct PlayerDesign {
    std::string name;  // CP1250
    int race = 1;
    bool computer = true;
    int attitude = 1;  // `Povaha`
    int colour = 0;    // red + green·256 + blue·65536
    int money = 100, material = 50;
};

struct SettlementDesign {
    std::string name;    // CP1250
    int player = 0;      // 1-based player index
    int centreType = 0;  // building type of the centre
};

struct BuildingDesign {
    int type = 0;        // building table `Id`
    int objectId = 0;    // picture (object catalogue `Id`) for the progress below
    int settlement = 0;  // 1-based settlement index (0 = none)
    Cell at;
    int progress = 100;  // `ProcVystavby`
    int tag = 0;         // money buildings: the amount they hold
};

struct UnitDesign {
    int person = 0;    // person table `Id`
    int player = 0;    // 1-based
    int objectId = 0;  // picture: the person's multiple of 50 plus the facing
    int facing = 3;
    Cell at;
};

struct MapDesign {
    int width = 0, height = 0;
    // Per cell, row by row (index y·width + x). Terrain, wall kind and variant agree within a
    // block.
    std::vector<uint8_t> terrain, level, wall, variant, tileVariant, animRow, jitter;
    std::vector<ObjectPlacement> objects;
    std::vector<PlayerDesign> players;
    std::vector<SettlementDesign> settlements;
    std::vector<BuildingDesign> buildings;
    std::vector<UnitDesign> units;
    Cell viewCentre;

    bool Inside(Cell c) const { return c.x >= 0 && c.y >= 0 && c.x < width && c.y < height; }
    size_t Index(Cell c) const {
        return static_cast<size_t>(c.y) * static_cast<size_t>(width) + static_cast<size_t>(c.x);
    }
    // The cell brought into the map, as the model's getters do.
    Cell Clamp(Cell c) const;
};

// Lowers cells until every cell's eight neighbours lie within one level of it (the height
// invariant the level brush keeps): the largest such levels not above the given ones.
void EnforceLevelSteps(MapDesign& map);

// An empty map of grass at level 3 with seeded tile variants, animation rows and jitter.
MapDesign BlankMap(int width, int height, uint32_t seed);

}  // namespace tess::demo
