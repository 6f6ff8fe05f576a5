// Opening a map together with its game data: the one operation the editor and the CLI share.
#include "game/MapFiles.h"

#include "game/Kalistor.h"
#include "map/Footprints.h"
#include "map/MapDat.h"
#include "resources/Settings.h"
#include "resources/Utils.h"

namespace tess {

std::string GameDataName(const std::string& mapName) {
    return mapName.substr(0, mapName.size() - std::min<size_t>(3, mapName.size())) + "sav";
}

void RemoveGameLinks(tMapa& map) {
    for (int32_t y = 0; y <= map.Height; ++y) {
        for (int32_t x = 0; x <= map.Width; ++x) {
            if (!map.InRange(x, y) || map.Cell(x, y).LinkKind() == 0) continue;
            map.SetOccupancy(x, y, 0);
            map.SetId(x, y, 0);
            map.SetLinkKind(x, y, 0);
        }
    }
}

bool OpenMapPair(tMapa& map, tKalistor& store, const tObjects& objects, ViewPosition& view,
                 const std::string& mapName, const std::string& savName, SettingsStore* settings,
                 RepairSummary* repaired) {
    // A refused map leaves everything as it was: the game data must not be read against a map
    // it does not belong to.
    if (!map.LoadFromFile(mapName, view)) return false;
    if (settings) settings->SetString("LastMap", mapName);

    bool loaded = true;
    if (FileExistsOnDisk(savName)) {
        loaded = store.LoadFromFile(savName, &map);
        if (!loaded) {
            store.Clear();
            RemoveGameLinks(map);
        }
    } else {
        store.Clear();
        RemoveGameLinks(map);
    }

    // Footprints are not trusted from the file: they are rebuilt from the anchors.
    RepairObjects(map, objects, store, repaired);
    return loaded;
}

}  // namespace tess
