// The object palette's list of entries with its bar: adding, the sort by name and the three
// entries the previews show.
#include "editor/palettes/PaletteList.h"

#include <algorithm>
#include <numeric>

#include "resources/Utils.h"

namespace tess {

uint32_t PaletteSortKey(std::string_view name) {
    const std::string upper = UpperCaseCz(name.substr(0, 4));
    uint32_t key = 0;
    for (size_t i = 0; i < 4; ++i)
        key = (key << 8) | (i < upper.size() ? static_cast<uint8_t>(upper[i]) : 0u);
    return key;
}

void PaletteList::ResetEntries() {
    entries_.clear();
    barMax_ = 0;
    barPosition_ = 0;
    barEnabled_ = false;
}

bool PaletteList::AddEntry(const tAddPack& entry) {
    if (Count() >= kMaxPaletteEntries) return false;
    if (entries_.empty())
        barEnabled_ = true;
    else
        ++barMax_;
    entries_.push_back(entry);
    return true;
}

void PaletteList::SortEntries() {
    // Keys are computed once; the entries move once, into their sorted places.
    std::vector<uint32_t> keys(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i)
        keys[i] = PaletteSortKey(entries_[i].Name);
    std::vector<uint32_t> order(entries_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<tAddPack> sorted;
    sorted.reserve(entries_.size());
    for (uint32_t index : order)
        sorted.push_back(std::move(entries_[index]));
    entries_ = std::move(sorted);
}

void PaletteList::FinishFill() {
    SortEntries();
    barMax_ = std::max(barMax_ - (kPreviewCount - 1), 0);
    barPosition_ = std::min(barPosition_, barMax_);
}

const tAddPack* PaletteList::Shown(int32_t preview) const {
    const int32_t index = barPosition_ + preview;
    if (preview < 0 || preview >= kPreviewCount || index >= Count()) return nullptr;
    return &entries_[static_cast<size_t>(index)];
}

void PaletteList::SetBarPosition(int32_t position) {
    barPosition_ = std::clamp(position, 0, barMax_);
}

}  // namespace tess
