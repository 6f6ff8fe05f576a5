// The whole document as the history and the recovery files hold it, for comparing states byte
// for byte.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Kalistor.h"
#include "map/MapDat.h"

namespace tess::test {

// The whole document as the history sees it: the cell storage (the rows of the map exactly, the
// rest by a hash of all of it), the map's size, and every record array byte for byte.
struct DocumentState {
    std::vector<tMapCell> rows;
    size_t storageHash = 0;
    int32_t width = 0, height = 0;
    std::string records;
    std::array<int32_t, 4> counts{};

    static DocumentState Of(const tMapa& map, const tKalistor& store) {
        DocumentState s;
        const size_t used = size_t(map.Height + 1) * kMapStorage;
        s.rows.assign(map.Cells(), map.Cells() + used);
        const size_t storage = size_t{kMapStorage} * kMapStorage * sizeof(tMapCell);
        s.storageHash = std::hash<std::string_view>{}(
            std::string_view(reinterpret_cast<const char*>(map.Cells()), storage));
        s.width = map.Width;
        s.height = map.Height;
        const auto append = [&s](const auto& array) {
            s.records.append(reinterpret_cast<const char*>(array.data()), sizeof(array));
        };
        append(store.Players);
        append(store.Settlements);
        append(store.Buildings);
        append(store.Units);
        s.counts = {store.PlayerCount, store.SettlementCount, store.BuildingCount, store.UnitCount};
        return s;
    }
    bool operator==(const DocumentState&) const = default;
};

}  // namespace tess::test
