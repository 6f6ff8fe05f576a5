// One step of the edit history: the bytes of the map and its game data that the step changed,
// kept as compact runs, and the swap that undoes and redoes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tess {

class tMapa;
class tKalistor;

// A step holds, for every run of cells or record bytes that differ between the document before
// and after it, the bytes of the other state. Swapping them with the document's bytes turns the
// document from one state into the other, so one copy serves both undo and redo.
class HistoryStep {
  public:
    // The step from the state `beforeMap` / `beforeStore` to the state `map` / `store`: the
    // cell storage is compared whole (unused rows and columns too, which a resize keeps), and
    // so are the four record arrays, the map's size and the record counts. Empty when nothing
    // differs.
    static HistoryStep Between(const tMapa& beforeMap, const tKalistor& beforeStore,
                               const tMapa& map, const tKalistor& store);

    bool Empty() const { return runs_.empty(); }
    // Exchanges the step's bytes with the document's: a done step becomes undone, an undone
    // one done.
    void Swap(tMapa& map, tKalistor& store);
    // The memory the step holds.
    size_t Bytes() const { return sizeof(HistoryStep) + runs_.capacity(); }
    // Cells of the map storage the step changed (runs may include a few unchanged ones).
    size_t Cells() const { return cells_; }

  private:
    std::vector<uint8_t> runs_;
    size_t cells_ = 0;
};

}  // namespace tess
