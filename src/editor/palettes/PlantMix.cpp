// The "Náhodný" mix of the object palette: up to four plant kinds with their weights, turned
// into the letters and per-cent shares the tree brush draws from.
#include "editor/palettes/PlantMix.h"

#include <cmath>
#include <cstring>

#include "resources/Utils.h"

namespace tess {

namespace {

bool HasKind(int32_t kind) {
    return kind >= 0 && kind < static_cast<int32_t>(kPlantKinds.size());
}

}  // namespace

char PlantLetter(int32_t kind) {
    if (!HasKind(kind)) return 0;
    const char* open = std::strchr(kPlantKinds[static_cast<size_t>(kind)], '(');
    return open ? open[1] : 0;
}

int32_t PlantKindOfLetter(char letter) {
    for (int32_t kind = 0; kind < static_cast<int32_t>(kPlantKinds.size()); ++kind)
        if (letter != 0 && PlantLetter(kind) == letter) return kind;
    return -1;
}

PlantMix ComputeMix(std::array<MixRow, kMixRows>& rows) {
    int32_t total = 0;
    for (MixRow& row : rows) {
        if (row.Weight <= 0) row.Kind = -1;
        if (HasKind(row.Kind)) total += row.Weight;
    }
    if (total == 0) total = 1;
    PlantMix mix;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int32_t weight = HasKind(rows[i].Kind) ? rows[i].Weight : 0;
        const int32_t share =
            static_cast<int32_t>(std::nearbyint(weight * 100.0 / static_cast<double>(total)));
        if (HasKind(rows[i].Kind)) {
            mix.Letters.push_back(PlantLetter(rows[i].Kind));
            mix.Weights.push_back(static_cast<char>(share));
        }
        mix.Labels[i] = PadLeft(std::to_string(share), 3, " ") + "%";
    }
    return mix;
}

}  // namespace tess
