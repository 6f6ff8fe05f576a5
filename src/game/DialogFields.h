// What the game-data editors share: box looks, lists of numbered items and reading numbers back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

class tKalistor;

// The three looks of a three-state box.
enum class BoxState : uint8_t { Empty, Greyed, Ticked };

// A list or combo box: its items (UTF-8) and the chosen one.
struct ChoiceList {
    std::vector<std::string> Items;
    int Selected = -1;  // -1: nothing chosen

    bool HasSelection() const {
        return Selected >= 0 && static_cast<size_t>(Selected) < Items.size();
    }
    // The chosen item's text, "" when nothing is chosen.
    std::string SelectedText() const { return HasSelection() ? Items[Selected] : std::string(); }
    // Chooses the item that stands for `value`; nothing is chosen when no item does. True when
    // one was found.
    bool SelectNumber(int32_t value);
    // The number the chosen item stands for; nothing when none is chosen.
    std::optional<int32_t> SelectedNumber() const;
};

// The number an item stands for: its first run of digits, 0 without one, nothing when the run
// does not fit 32 bits.
std::optional<int32_t> FirstNumber(std::string_view text);

// The index of the first item that stands for `value`, -1 when none does. Unlike the store's
// FindItemByNumber, an item only matches its own number: a list with players 12 and 1, or a
// name holding digits, never preselects another record's item.
int FindItemOfNumber(int32_t value, const std::vector<std::string>& items);

// An item: the number padded with blanks on the right to `width`, then the name.
std::string NumberedItem(std::string_view number, int width, std::string_view name);

// Every live player 1..PlayerCount as an item of the given number width (UTF-8).
std::vector<std::string> PlayerItems(const tKalistor& store, int width);
// Every live settlement 1..SettlementCount, numbers padded to four characters (UTF-8).
std::vector<std::string> SettlementItems(const tKalistor& store);
// The race list from the races table (UTF-8).
std::vector<std::string> RaceItemsUtf8();

// A control whose text cannot be stored.
struct FieldError {
    std::string Field;    // the record field the control shows ("Surovina")
    std::string Message;  // for the user (UTF-8), naming the control
};

// A whole number: an optional sign and decimal digits, blanks around allowed, within 32 bits.
std::optional<int32_t> WholeNumber(std::string_view text);

// Reads the numbers of one Ok before anything is stored: each read gives the value (0 after a
// failure) and the first failure is kept, so a dialog stores all of its fields or none.
class FieldReader {
  public:
    // `caption` names the control for the user, `field` is the record field it shows.
    int32_t Whole(std::string_view field, std::string_view caption, std::string_view text);
    int32_t First(std::string_view field, std::string_view caption, std::string_view text);
    // The chosen item's number, or `keep` when nothing is chosen.
    int32_t Chosen(const ChoiceList& list, int32_t keep) const {
        return list.SelectedNumber().value_or(keep);
    }
    const std::optional<FieldError>& Error() const { return error_; }

  private:
    void Fail(std::string_view field, std::string message);
    std::optional<FieldError> error_;
};

}  // namespace tess
