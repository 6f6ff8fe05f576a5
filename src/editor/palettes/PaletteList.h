// The object palette's list of entries with its bar: adding, the sort by name and the three
// entries the previews show.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "game/AddPack.h"

namespace tess {

// The list has room for this many entries; adding stops there.
constexpr int32_t kMaxPaletteEntries = 10001;
// Previews show this many entries from the bar's position on.
constexpr int32_t kPreviewCount = 3;

// The first four bytes of the Czech upper-cased name as a big-endian number; missing bytes of a
// shorter name count as 0.
uint32_t PaletteSortKey(std::string_view name);

class PaletteList {
  public:
    // No entries, no chosen entry; the bar at 0 with maximum 0, disabled.
    void ResetEntries();
    // Appends a copy; false (nothing added) when the list is full. The first entry enables
    // the bar, every further one raises its maximum by one.
    bool AddEntry(const tAddPack& entry);
    // Ascending by PaletteSortKey; equal keys keep the order they were added in.
    void SortEntries();
    // The end of every fill: sorts, then lowers the bar's maximum so that the previews show the
    // last three entries at its end (never below 0).
    void FinishFill();

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    const tAddPack& Entry(int32_t index) const { return entries_[static_cast<size_t>(index)]; }
    const std::vector<tAddPack>& Entries() const { return entries_; }
    // The entry a preview shows, or null past the list's end.
    const tAddPack* Shown(int32_t preview) const;

    int32_t BarMax() const { return barMax_; }
    int32_t BarPosition() const { return barPosition_; }
    bool BarEnabled() const { return barEnabled_; }
    // Moves the bar, kept within 0 .. BarMax.
    void SetBarPosition(int32_t position);

  private:
    std::vector<tAddPack> entries_;
    int32_t barMax_ = 0;
    int32_t barPosition_ = 0;
    bool barEnabled_ = false;
};

}  // namespace tess
