// The player editor's rules ("Editace hráče"): what it shows of a player and what Ok stores.
#include "game/PlayerEditor.h"

#include <algorithm>

#include "game/Kalistor.h"
#include "resources/Utils.h"

namespace tess {

const std::vector<std::string>& PlayerEditorRules::AttitudeItems() {
    static const std::vector<std::string> items{"1  Nepřítel", "2  Neutrální", "3  Spojenec"};
    return items;
}

PlayerEditorRules::PlayerEditorRules(tKalistor& store, int32_t index, tPlayerRec& player)
    : PlayerEditorRules(store, index, player, RaceItemsUtf8()) {}

PlayerEditorRules::PlayerEditorRules(tKalistor& store, int32_t index, tPlayerRec& player,
                                     std::vector<std::string> races)
    : store_(store), index_(index), player_(player) {
    Name = Cp1250ToUtf8(player.Name.Get());
    IdRasa.Items = std::move(races);
    IdRasa.SelectNumber(player.IdRasa);
    RidiPocitac = player.RidiPocitac != 0;
    Povaha.Items = AttitudeItems();
    Povaha.SelectNumber(player.Povaha);
    Barva = player.Barva;
    Penize = std::to_string(player.Penize);
    Surovina = std::to_string(player.Surovina);
    Tag = std::to_string(player.Tag);
    MaxDelniku = std::to_string(player.MaxDelniku);
    MaxBuild = std::to_string(player.MaxBuild);
    MaxVojaku = std::to_string(player.MaxVojaku);
    MinSkupinka = std::to_string(player.MinSkupinka);
    MaxSkupinka = std::to_string(player.MaxSkupinka);
}

void PlayerEditorRules::Edit3DoubleClick() {
    const int32_t settlements = std::clamp(store_.SettlementCount, 0, kMaxSettlements);
    const int32_t buildings = std::clamp(store_.BuildingCount, 0, kMaxBuildings);
    int32_t count = 0;
    for (int32_t b = 1; b <= buildings; ++b) {
        const tBuildingRec& building = store_.Buildings[static_cast<size_t>(b)];
        if (building.Used != 1 || building.IdTouwn < 1 || building.IdTouwn > settlements) continue;
        const tSettlementRec& s = store_.Settlements[static_cast<size_t>(building.IdTouwn)];
        if (s.Used == 1 && s.IdPlayer == index_) ++count;
    }
    MaxBuild = std::to_string(count);
}

int32_t PlayerEditorRules::StoredRace() const {
    return player_.IdRasa;
}

struct PlayerEditorRules::Values {
    int32_t IdRasa, Povaha, Penize, Surovina, Tag, MaxDelniku, MaxBuild, MaxVojaku, MinSkupinka,
        MaxSkupinka;
};

std::optional<FieldError> PlayerEditorRules::Read(Values& v) const {
    FieldReader in;
    v.IdRasa = in.Chosen(IdRasa, player_.IdRasa);
    v.Povaha = in.Chosen(Povaha, player_.Povaha);
    v.Penize = in.First("Penize", kPenize, Penize);
    v.Surovina = in.Whole("Surovina", kSurovina, Surovina);
    v.Tag = in.Whole("Tag", kTag, Tag);
    v.MaxDelniku = in.Whole("MaxDelniku", kMaxDelniku, MaxDelniku);
    v.MaxBuild = in.Whole("MaxBuild", kMaxBuild, MaxBuild);
    v.MaxVojaku = in.Whole("MaxVojaku", kMaxVojaku, MaxVojaku);
    v.MinSkupinka = in.Whole("MinSkupinka", kMinSkupinka, MinSkupinka);
    v.MaxSkupinka = in.Whole("MaxSkupinka", kMaxSkupinka, MaxSkupinka);
    return in.Error();
}

std::optional<FieldError> PlayerEditorRules::Check() const {
    Values values{};
    return Read(values);
}

std::optional<FieldError> PlayerEditorRules::Accept() {
    Values v{};
    if (auto error = Read(v)) return error;
    player_.Name.Set(Utf8ToCp1250(Name));
    player_.IdRasa = v.IdRasa;
    player_.RidiPocitac = RidiPocitac ? 1 : 0;
    player_.Povaha = v.Povaha;
    player_.Barva = Barva;
    player_.Penize = v.Penize;
    player_.Surovina = v.Surovina;
    player_.Tag = v.Tag;
    player_.MaxDelniku = v.MaxDelniku;
    player_.MaxBuild = v.MaxBuild;
    player_.MaxVojaku = v.MaxVojaku;
    player_.MinSkupinka = v.MinSkupinka;
    player_.MaxSkupinka = v.MaxSkupinka;
    return std::nullopt;
}

void PlayerEditorRules::Delete() {
    player_.Used = 0;
}

}  // namespace tess
