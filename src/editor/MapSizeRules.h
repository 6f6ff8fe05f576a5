// The rules of the new-map size dialog TRozmeryMapy: its texts, when "Ok" is enabled, and what a
// confirmed dialog means.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

// The number a text holds when it is a whole decimal number in min..max, spaces around it and a
// sign allowed; nothing otherwise (the editor's number fields all read so).
std::optional<int32_t> WholeNumberIn(std::string_view text, int32_t min, int32_t max);

struct MapSize {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const MapSize&, const MapSize&) = default;
};

// The texts of the two fields when the dialog was confirmed.
struct MapSizeTexts {
    std::string X;
    std::string Y;
};

// What a confirmed dialog gives: the size, or why the map stays as it is.
struct MapSizeOutcome {
    std::optional<MapSize> Size;
    std::string Reason;  // UTF-8, for a message box; empty when Size is set
};

class MapSizeRules {
  public:
    static constexpr const char* kCaption = "Nová mapa";
    static constexpr const char* kLabelX = "rozměr X";
    static constexpr const char* kLabelY = "rozměr Y";
    static constexpr const char* kInitialX = "256";
    static constexpr const char* kInitialY = "512";
    // The hint names the bound the check really applies (2047), not a smaller one.
    static constexpr const char* kHint = "rozmezi hodnot [128 .. 2047]";
    static constexpr const char* kOk = "Ok";
    static constexpr const char* kCancel = "Storno";
    static constexpr int32_t kMinSide = 128;
    static constexpr int32_t kMaxSide = 2047;

    // Each change of a field enables "Ok" exactly when that field holds a side in range: the
    // field changed last decides, whatever the other one holds.
    void EditXChanged(std::string_view text) { okEnabled_ = SideValue(text).has_value(); }
    void EditYChanged(std::string_view text) { okEnabled_ = SideValue(text).has_value(); }
    bool OkEnabled() const { return okEnabled_; }

    // Because only the last change decides, a confirmed dialog may still hold a bad field; the
    // map is then left unchanged and the reason names the field.
    static MapSizeOutcome Confirm(const MapSizeTexts& texts);

    // The number a field holds when it is a whole number in 128..2047 (spaces around it are
    // allowed), else nothing.
    static std::optional<int32_t> SideValue(std::string_view text);

  private:
    bool okEnabled_ = true;  // both initial texts are in range
};

}  // namespace tess
