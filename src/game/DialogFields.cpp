// What the game-data editors share: box looks, lists of numbered items and reading numbers back.
#include "game/DialogFields.h"

#include <algorithm>
#include <charconv>

#include "game/GameTables.h"
#include "game/Kalistor.h"
#include "resources/Utils.h"

namespace tess {

bool ChoiceList::SelectNumber(int32_t value) {
    Selected = FindItemOfNumber(value, Items);
    return Selected >= 0;
}

std::optional<int32_t> ChoiceList::SelectedNumber() const {
    if (!HasSelection()) return std::nullopt;
    return FirstNumber(Items[Selected]);
}

std::optional<int32_t> FirstNumber(std::string_view text) {
    try {
        return GetNumber(text, 1);
    } catch (const ConvertError&) {
        return std::nullopt;
    }
}

int FindItemOfNumber(int32_t value, const std::vector<std::string>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        if (FirstNumber(items[i]) == value) return static_cast<int>(i);
    return -1;
}

std::string NumberedItem(std::string_view number, int width, std::string_view name) {
    return PadRight(number, width, " ") + std::string(name);
}

std::vector<std::string> PlayerItems(const tKalistor& store, int width) {
    std::vector<std::string> items;
    const int32_t count = std::clamp(store.PlayerCount, 0, kMaxPlayers);
    for (int32_t i = 1; i <= count; ++i) {
        const tPlayerRec& p = store.Players[static_cast<size_t>(i)];
        if (p.Used == 1)
            items.push_back(NumberedItem(std::to_string(i), width, Cp1250ToUtf8(p.Name.Get())));
    }
    return items;
}

std::vector<std::string> SettlementItems(const tKalistor& store) {
    std::vector<std::string> items;
    const int32_t count = std::clamp(store.SettlementCount, 0, kMaxSettlements);
    for (int32_t i = 1; i <= count; ++i) {
        const tSettlementRec& s = store.Settlements[static_cast<size_t>(i)];
        if (s.Used == 1)
            items.push_back(NumberedItem(std::to_string(i), 4, Cp1250ToUtf8(s.Name.Get())));
    }
    return items;
}

std::vector<std::string> RaceItemsUtf8() {
    std::vector<std::string> items = RaceListItems();
    for (std::string& item : items)
        item = Cp1250ToUtf8(item);
    return items;
}

std::optional<int32_t> WholeNumber(std::string_view text) {
    const auto notBlank = [](char c) { return c != ' ' && c != '\t'; };
    const auto first = std::find_if(text.begin(), text.end(), notBlank);
    const auto last = std::find_if(text.rbegin(), text.rend(), notBlank).base();
    if (first >= last) return std::nullopt;
    std::string_view digits(&*first, static_cast<size_t>(last - first));
    // from_chars takes a minus sign but no plus sign.
    if (digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-') return std::nullopt;
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

int32_t FieldReader::Whole(std::string_view field, std::string_view caption,
                           std::string_view text) {
    if (const auto value = WholeNumber(text)) return *value;
    Fail(field,
         "Pole „" + std::string(caption) + "“: „" + std::string(text) + "“ není celé číslo.");
    return 0;
}

int32_t FieldReader::First(std::string_view field, std::string_view caption,
                           std::string_view text) {
    if (const auto value = FirstNumber(text)) return *value;
    Fail(field, "Pole „" + std::string(caption) + "“: číslo v „" + std::string(text) +
                    "“ je příliš velké.");
    return 0;
}

void FieldReader::Fail(std::string_view field, std::string message) {
    if (!error_) error_ = FieldError{std::string(field), std::move(message)};
}

}  // namespace tess
