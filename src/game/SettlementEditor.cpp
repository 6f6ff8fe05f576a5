// The settlement editor's rules ("Editace usedlosti"): what it shows of a settlement and what Ok
// stores.
#include "game/SettlementEditor.h"

#include "game/Kalistor.h"
#include "resources/Utils.h"

namespace tess {

const std::vector<std::string>& SettlementEditorRules::KindItems() {
    static const std::vector<std::string> items{"1 - Osada", "2 - Vesnice", "3 - Město"};
    return items;
}

SettlementEditorRules::SettlementEditorRules(tKalistor& store, tSettlementRec& settlement)
    : SettlementEditorRules(store, settlement, RaceItemsUtf8()) {}

SettlementEditorRules::SettlementEditorRules(tKalistor& store, tSettlementRec& settlement,
                                             std::vector<std::string> races)
    : settlement_(settlement) {
    Name = Cp1250ToUtf8(settlement.Name.Get());
    IdRasa.Items = std::move(races);
    IdRasa.SelectNumber(settlement.IdRasa);
    IdPlayer.Items = PlayerItems(store, 4);
    IdPlayer.SelectNumber(settlement.IdPlayer);
    Tag = std::to_string(settlement.Tag);
    Usedlost.Items = KindItems();
    if (settlement.Usedlost >= 1 && settlement.Usedlost <= 3)
        Usedlost.Selected = settlement.Usedlost - 1;
}

std::optional<FieldError> SettlementEditorRules::Check() const {
    FieldReader in;
    in.Whole("Tag", kTag, Tag);
    return in.Error();
}

std::optional<FieldError> SettlementEditorRules::Accept() {
    FieldReader in;
    const int32_t tag = in.Whole("Tag", kTag, Tag);
    if (in.Error()) return in.Error();
    settlement_.Name.Set(Utf8ToCp1250(Name));
    settlement_.IdRasa = in.Chosen(IdRasa, settlement_.IdRasa);
    settlement_.IdPlayer = in.Chosen(IdPlayer, settlement_.IdPlayer);
    settlement_.Tag = tag;
    settlement_.Usedlost = in.Chosen(Usedlost, settlement_.Usedlost);
    return std::nullopt;
}

void SettlementEditorRules::Delete() {
    settlement_.Used = 0;
}

}  // namespace tess
