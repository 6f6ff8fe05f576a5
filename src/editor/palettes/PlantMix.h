// The "Náhodný" mix of the object palette: up to four plant kinds with their weights, turned
// into the letters and per-cent shares the tree brush draws from.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tess {

// The plant kinds a mix row offers; a kind's letter is the character after its "(".
inline constexpr std::array<const char*, 18> kPlantKinds = {
    "Jehličnatý (j)",      "Listnatý (l)",      "Tropický (t)", "Keře (k)",     "Ideální (n)",
    "Zimní (z)",           "Temný (e)",         "Holý (h)",     "Podzimní (d)", "Fialový (f)",
    "Bažinní (b)",         "Bambus (a)",        "Rákosí (r)",   "Pařezy (p)",   "Topoly (o)",
    "Snih jehličnatý (i)", "Snih listnatý (m)", "Speciální ()"};
// What a row without a kind shows.
inline constexpr const char* kNoPlant = "nic";
constexpr int32_t kMixRows = 4;
constexpr int32_t kMaxMixWeight = 100;

struct MixRow {
    int32_t Kind = -1;               // index into kPlantKinds; -1 shows "nic"
    int32_t Weight = kMaxMixWeight;  // the row's bar, 0..100
    friend bool operator==(const MixRow&, const MixRow&) = default;
};

struct PlantMix {
    std::string Letters;  // one letter per row that has a kind
    std::string Weights;  // one byte per letter: its share in per cent
    // Each row's share, right-aligned in three characters, then "%".
    std::array<std::string, kMixRows> Labels;
};

// The letter of a plant kind (")" for "Speciální ()"); 0 for no kind.
char PlantLetter(int32_t kind);
// The kind whose letter this is, or -1.
int32_t PlantKindOfLetter(char letter);

// Recomputes the mix. A row whose bar is at 0 is set to "nic" first; the weights of the rows
// that have a kind make the total (1 when they are all 0), and each row's share is its weight
// in per cent of it, rounded to the nearest (ties to even).
PlantMix ComputeMix(std::array<MixRow, kMixRows>& rows);

}  // namespace tess
