// The rules of the new-map size dialog TRozmeryMapy: its texts, when "Ok" is enabled, and what a
// confirmed dialog means.
#include "editor/MapSizeRules.h"

#include "resources/Utils.h"

namespace tess {

std::optional<int32_t> MapSizeRules::SideValue(std::string_view text) {
    const std::string trimmed = AllTrim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Ten digits already exceed every side; the cap keeps the sum below overflow.
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < kMinSide || value > kMaxSide) return std::nullopt;
    return value;
}

MapSizeOutcome MapSizeRules::Confirm(const MapSizeTexts& texts) {
    const std::optional<int32_t> width = SideValue(texts.X);
    const std::optional<int32_t> height = SideValue(texts.Y);
    if (width && height) return {MapSize{*width, *height}, {}};
    const std::string fields = !width && !height ? "rozměr X ani rozměr Y není"
                               : !width          ? "rozměr X není"
                                                 : "rozměr Y není";
    return {std::nullopt, "Mapa zůstala beze změny: " + fields + " celé číslo od " +
                              std::to_string(kMinSide) + " do " + std::to_string(kMaxSide) + "."};
}

}  // namespace tess
