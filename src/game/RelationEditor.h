// The relation editor's rules ("Vztah hráčů"): one player's relations to every live player, kept
// symmetric.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/DialogFields.h"

namespace tess {

class tKalistor;

class RelationEditorRules {
  public:
    static constexpr const char* kCaption = "Vztah hráčů";
    // The legend boxes, which also set every item to their look.
    static constexpr const char* kAllyLegend = "Aliance";     // shown empty
    static constexpr const char* kNeutralLegend = "Neutral";  // shown greyed
    static constexpr const char* kEnemyLegend = "Nepřítel";   // shown ticked

    struct Item {
        std::string Text;  // the player's item (UTF-8)
        int32_t Player = 0;
        BoxState State = BoxState::Empty;
    };

    // Opens on player `player` (0: nobody shown).
    RelationEditorRules(tKalistor& store, int32_t player);

    // ComboBox1: every live player; the shown one is chosen when it is live.
    ChoiceList Players;
    // CheckListBox1: the shown player's relation to every live player, itself included.
    const std::vector<Item>& Items() const { return items_; }
    int32_t Shown() const { return shown_; }

    // A click on an item cycles its box: ticked, greyed, empty, ticked again.
    void Click(size_t item);
    // A legend box: every item takes its look.
    void SetAll(BoxState look);
    // Choosing another player in the combo stores the shown player's relations first.
    void ChoosePlayer(int comboItem);
    // Writes the shown player's relations both ways ("&Ok" stores, then closes; "Storno" closes
    // without storing).
    void Store();

    static uint8_t RelationOf(BoxState state);
    static BoxState LookOf(uint8_t relation);

  private:
    void Show(int32_t player);

    tKalistor& store_;
    int32_t shown_ = 0;
    std::vector<Item> items_;
};

}  // namespace tess
