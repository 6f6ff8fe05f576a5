// One entry of the object palette: what the object and wall tools place.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tess {

// Owner classes of an entry; the class becomes the placed cell's LinkKind.
constexpr uint8_t kOwnerObject = 0;
constexpr uint8_t kOwnerBuilding = 1;  // buildings and effects
constexpr uint8_t kOwnerUnit = 2;

// The building table's Tag bit of a settlement's centre building.
constexpr int32_t kSettlementCentreTag = 4;
// TreeLetters meaning "draw from the types selected in the object palette".
inline constexpr const char* kSelectedTypesLetters = "XxX";

// A plain record; its only owned members are its three texts (CP1250). Fields in this order.
struct tAddPack {
    std::string Name;
    int32_t IdObject = 0;  // object type of the picture; 0 = none; the wall kind for walls
    int32_t Id = 0;        // building type; the object type again for catalogue objects
    int32_t Extra = 0;     // person type of a unit; the unit while the patrol pick is armed
    uint8_t UseOsada = 0;
    uint8_t UseVes = 0;
    uint8_t UseMesto = 0;
    int32_t Tag = 0;  // the building table's Tag (bit 2: settlement centre); -1: patrol pick
    uint8_t RandomShade = 0;
    uint8_t Group = 0;       // 2, or 99 for effects
    uint8_t OwnerClass = 0;  // kOwnerObject, kOwnerBuilding or kOwnerUnit
    uint8_t TreeMode = 0;    // 1: scatter plants from the mix below
    std::array<uint8_t, 4> TreeFlags{};
    std::string TreeLetters;  // one letter per plant kind, or "XxX"
    std::string TreeWeights;  // one byte per letter: its share in per cent
    int32_t Spacing = 0;      // gap between plants placed by the mix

    friend bool operator==(const tAddPack&, const tAddPack&) = default;
};

}  // namespace tess
