// A fixed-capacity list of object type numbers (the tree types, the types selected in the
// object palette).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace tess {

class TypeList {
  public:
    static constexpr int32_t kCapacity = 1001;

    // Count 0 and every entry zeroed.
    void Clear() {
        items_.fill(0);
        count_ = 0;
    }
    // Appends at the end; a full list keeps what it has and returns false.
    bool Add(int32_t type) {
        if (count_ >= kCapacity) return false;
        items_[static_cast<size_t>(count_++)] = type;
        return true;
    }
    // Removes the first equal entry, closing the gap; an absent value changes nothing.
    void Remove(int32_t type) {
        const auto end = items_.begin() + count_;
        const auto found = std::find(items_.begin(), end, type);
        if (found == end) return;
        std::copy(found + 1, end, found);
        items_[static_cast<size_t>(--count_)] = 0;
    }
    bool Contains(int32_t type) const {
        return std::find(items_.begin(), items_.begin() + count_, type) != items_.begin() + count_;
    }
    int32_t Count() const { return count_; }
    int32_t operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }

  private:
    std::array<int32_t, kCapacity> items_{};
    int32_t count_ = 0;
};

}  // namespace tess
