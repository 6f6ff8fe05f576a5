// The rules of the new-map size dialog TRozmeryMapy: its texts, when "Ok" is enabled, and what a
// confirmed dialog means.
#include "editor/MapSizeRules.h"

#include "resources/Utils.h"

namespace tess {

std::optional<int32_t> WholeNumberIn(std::string_view text, int32_t min, int32_t max) {
    const std::string trimmed = AllTrim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Leading zeros aside, more than ten digits is out of every int32 range; the cap keeps the
    // sum within 64 bits.
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<int32_t> MapSizeRules::SideValue(std::string_view text) {
    return WholeNumberIn(text, kMinSide, kMaxSide);
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
