// Fuzz target: the map file reader, on one full-size map reused for every input.
#include <cstdint>
#include <cstdlib>

#include "MemoryFile.h"
#include "map/MapDat.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tMapa* const map = new tMapa();  // 25 MB: once, never per input
    static fuzz::MemoryFile file;
    static SilentUi ui;
    static const bool installed = (SetUi(&ui), true);
    (void)installed;

    const int32_t width = map->Width;
    const int32_t height = map->Height;
    const tMapCell corner = map->Cell(0, 0);
    const std::string terrain = map->Terrains[0].Name;
    ViewPosition view{7, 9, 0, 0, 1024, 768};
    const int messagesBefore = ui.messages;
    const bool loaded = map->LoadFromFile(file.Hold(data, size), view);
    if (!loaded) {
        // A refused file says why and changes nothing.
        Require(ui.messages == messagesBefore + 1);
        Require(map->Width == width && map->Height == height);
        Require(map->Cell(0, 0) == corner && map->Terrains[0].Name == terrain);
        Require(view.X == 7 && view.Y == 9);
        return 0;
    }
    Require(ui.messages == messagesBefore);
    Require(map->Width >= 1 && map->Width <= kMaxMapSize);
    Require(map->Height >= 1 && map->Height <= kMaxMapSize);
    Require(size >= 16 + 6 * size_t(map->Width) * size_t(map->Height));
    for (const TerrainSlot& slot : map->Terrains)
        Require(slot.Name.size() <= 30);
    // Walk the edges through the clamping getters and the neighbour steps.
    for (int32_t y = -1; y <= map->Height + 1; ++y) {
        for (int d = 0; d < 8; ++d) {
            const TPoint n = map->Neighbour(map->Width, y, d);
            Require(map->InRange(n.X, n.Y));
            (void)map->GetId(n.X, n.Y);
        }
    }
    return 0;
}
