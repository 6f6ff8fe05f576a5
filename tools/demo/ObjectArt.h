// The picture generators for map objects: trees, resources, decorations, buildings, units,
// effect strips and the keeper faces. Each returns the whole picture (frames stacked
// vertically), transparent where alpha is 0.
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace tess::demo {

// Tree kinds: the palette letters, plus 'x' a giant oak and 'y' a dead tree (both without
// letters), 'w' a birch.
Canvas TreePicture(char kind, int width, int height, int frames, uint32_t seed);

enum class Decor {
    Boulder,
    StonePile,
    Crystal,
    BonePile,
    GoldMine,
    IronMine,
    Well,
    Statue,
    Obelisk,
    Signpost,
    Barrels,
    Crates,
    Cart,
    Tent,
    StoneCircle,
    Haystack,
    Campfire,
    Ruin,
    RuinTower,
    Grave,
    Skull,
    FenceNE,
    FenceNW,
    WaterLily,
    Flowers,
    Mushrooms,
    Menhir,
    Marker,
};
// `stage` grows some pictures (the bone pile 0..14); `variant` picks family members.
Canvas DecorPicture(Decor kind, int width, int height, int frames, int sizeRT, int sizeLT,
                    int variant, int stage, uint32_t seed);

enum class Race { Human = 1, Barbarian = 2, Dwarf = 3, Elf = 4 };
enum class BuildingKind {
    Centre,
    CentreVillage,
    CentreTown,
    House,
    Farm,
    Barracks,
    Smithy,
    Temple,
    Tower,
    Sawmill,
    Treasury,
    Market,
    Mine,
    Hall,
    Brewery,
    Garden,
    Totem,
    Vault,
    BonePile,
    Caravan,
    Chest,
};
// stage 0..2 construction stages (foundation, walls, roof frame), 3 finished.
Canvas BuildingPicture(Race race, BuildingKind kind, int width, int height, int sizeRT, int sizeLT,
                       int stage, uint32_t seed);

enum class Figure {
    Worker,
    Swordsman,
    Archer,
    Knight,
    Mage,
    Spy,
    Scout,
    Axeman,
    Berserker,
    Shaman,
    Miner,
    DwarfWarrior,
    Crossbowman,
    Gatherer,
    ElfArcher,
    Druid,
    Wolf,
    Bear,
    Skeleton,
    Troll,
    Wanderer,
};
// One facing 0..7 (clockwise from up-right): `frames` walking frames stacked, standing first.
Canvas UnitPicture(Figure figure, Race race, int facing, int width, int height, int frames,
                   uint32_t seed);
// The body lying in direction `facing`: falling frames, the last lying on the ground.
Canvas BodyPicture(Figure figure, Race race, int facing, int width, int height, int frames,
                   uint32_t seed);

enum class Effect { Fire, Explosion, Sparkle, Smoke, Heal, Lightning, Splash, Arrow };
Canvas EffectStrip(Effect kind, int width, int height, int frames, uint32_t seed);

// The keeper faces of the building dialog's video: `frames` frames of one keeper.
Canvas FaceFrame(Race race, int frame, int width, int height);

}  // namespace tess::demo
