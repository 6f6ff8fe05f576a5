// The settlement editor's rules ("Editace usedlosti"): what it shows of a settlement and what Ok
// stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/DialogFields.h"

namespace tess {

class tKalistor;
struct tSettlementRec;

class SettlementEditorRules {
  public:
    static constexpr const char* kCaption = "Editace usedlosti";
    static constexpr const char* kTag = "tag";
    // The kinds, as the disabled "Usedlost" box lists them.
    static const std::vector<std::string>& KindItems();

    SettlementEditorRules(tKalistor& store, tSettlementRec& settlement,
                          std::vector<std::string> races);
    // The same with the race list read from the races table.
    SettlementEditorRules(tKalistor& store, tSettlementRec& settlement);

    std::string Name;
    ChoiceList IdRasa;
    ChoiceList IdPlayer;  // every live player
    std::string Tag;
    // Shown only: item Usedlost - 1, none for a kind outside 1..3.
    ChoiceList Usedlost;

    // What Ok would refuse, without storing anything.
    std::optional<FieldError> Check() const;
    // Ok: Name, IdRasa, IdPlayer, Tag, Usedlost; nothing is stored when "tag" is no whole
    // number. A list with nothing chosen keeps the stored number.
    std::optional<FieldError> Accept();
    // "SMAZAT": the settlement is deleted at once; the dialog then ends cancelled.
    void Delete();

  private:
    tSettlementRec& settlement_;
};

}  // namespace tess
