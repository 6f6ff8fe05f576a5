// The map as it was before a line or paste preview: previews are drawn into the map and taken
// back by copying this over it.
#pragma once

#include <algorithm>
#include <vector>

#include "map/MapDat.h"

namespace tess {

class PreviewGrid {
  public:
    // The whole cell storage (25 MB), allocated on first use and kept for the run.
    void Capture(const tMapa& map) {
        cells_.resize(kCells);
        std::copy(map.Cells(), map.Cells() + kCells, cells_.begin());
    }
    // Puts the captured cells back; nothing happens before the first capture.
    void RestoreInto(tMapa& map) const {
        if (cells_.size() == kCells) std::copy(cells_.begin(), cells_.end(), map.Cells());
    }
    bool Captured() const { return cells_.size() == kCells; }

  private:
    static constexpr size_t kCells = size_t{kMapStorage} * kMapStorage;
    std::vector<tMapCell> cells_;
};

}  // namespace tess
