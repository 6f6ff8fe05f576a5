// The relation editor's rules ("Vztah hráčů"): one player's relations to every live player, kept
// symmetric.
#include "game/RelationEditor.h"

#include "game/Kalistor.h"

namespace tess {

namespace {

bool IsPlayerIndex(int32_t index) {
    return index >= 1 && index <= kMaxPlayers;
}

}  // namespace

RelationEditorRules::RelationEditorRules(tKalistor& store, int32_t player) : store_(store) {
    Players.Items = PlayerItems(store, 2);
    Show(player);
}

uint8_t RelationEditorRules::RelationOf(BoxState state) {
    switch (state) {
        case BoxState::Ticked:
            return kEnemy;
        case BoxState::Greyed:
            return kNeutral;
        case BoxState::Empty:
            break;
    }
    return kAlly;
}

BoxState RelationEditorRules::LookOf(uint8_t relation) {
    if (relation == kEnemy) return BoxState::Ticked;
    if (relation == kNeutral) return BoxState::Greyed;
    return BoxState::Empty;
}

void RelationEditorRules::Show(int32_t player) {
    shown_ = IsPlayerIndex(player) ? player : 0;
    items_.clear();
    Players.SelectNumber(shown_);
    if (shown_ == 0) return;
    const tPlayerRec& p = store_.Players[static_cast<size_t>(shown_)];
    for (const std::string& text : Players.Items) {
        const int32_t j = FirstNumber(text).value_or(0);
        items_.push_back({text, j, LookOf(IsPlayerIndex(j) ? p.Vztah[j] : kEnemy)});
    }
}

void RelationEditorRules::Click(size_t item) {
    if (item >= items_.size()) return;
    BoxState& state = items_[item].State;
    switch (state) {
        case BoxState::Ticked:
            state = BoxState::Greyed;
            break;
        case BoxState::Greyed:
            state = BoxState::Empty;
            break;
        case BoxState::Empty:
            state = BoxState::Ticked;
            break;
    }
}

void RelationEditorRules::SetAll(BoxState look) {
    for (Item& item : items_)
        item.State = look;
}

void RelationEditorRules::ChoosePlayer(int comboItem) {
    Store();
    Players.Selected = comboItem;
    Show(Players.SelectedNumber().value_or(0));
}

void RelationEditorRules::Store() {
    if (shown_ == 0) return;
    tPlayerRec& p = store_.Players[static_cast<size_t>(shown_)];
    for (const Item& item : items_) {
        if (!IsPlayerIndex(item.Player)) continue;
        const uint8_t value = RelationOf(item.State);
        p.Vztah[item.Player] = value;
        store_.Players[static_cast<size_t>(item.Player)].Vztah[shown_] = value;
    }
}

}  // namespace tess
