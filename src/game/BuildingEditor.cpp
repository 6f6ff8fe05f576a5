// The building editor's rules ("Editace stavby"): what it shows of a building, what Ok stores and
// which picture the construction stage gives.
#include "game/BuildingEditor.h"

#include <algorithm>

#include "game/EditorMapSide.h"
#include "game/Kalistor.h"
#include "resources/Utils.h"

namespace tess {

namespace {

std::vector<BuildingType> ReadEditorTable() {
    namespace f = building_fields;
    return ReadBuildingTypes(f::Id | f::Name | f::Race | f::Pictures);
}

// The type whose picture field holds the object number, trying the finished picture, then the
// three stages, each over the whole table.
const BuildingType* TypeByPicture(const std::vector<BuildingType>& table, int32_t object) {
    for (int32_t BuildingType::*field : {&BuildingType::IdObject, &BuildingType::IdObject1,
                                         &BuildingType::IdObject2, &BuildingType::IdObject3})
        for (const BuildingType& type : table)
            if (type.*field == object) return &type;
    return nullptr;
}

}  // namespace

BuildingEditorRules::BuildingEditorRules(tKalistor& store, int32_t index, tBuildingRec& building,
                                         EditorMapSide* map)
    : BuildingEditorRules(store, index, building, map, ReadEditorTable(), RaceItemsUtf8()) {}

BuildingEditorRules::BuildingEditorRules(tKalistor& store, int32_t index, tBuildingRec& building,
                                         EditorMapSide* map, std::vector<BuildingType> table,
                                         std::vector<std::string> races)
    : index_(index), building_(building), map_(map), table_(std::move(table)) {
    const BuildingType* type = TypeById(building.IdBuilding);
    // A picture of 0 is "no picture" and names no type; a type number the permission arrays
    // cannot hold is not taken over.
    if (!type && building.IdObject != 0) {
        const BuildingType* byPicture = TypeByPicture(table_, building.IdObject);
        if (byPicture && byPicture->Id >= 0 && byPicture->Id < kBuildingStates) {
            type = byPicture;
            building.IdBuilding = byPicture->Id;
        }
    }
    if (!type && !table_.empty()) type = &table_.front();  // shown, never stored
    if (type) Name = Cp1250ToUtf8(type->Name);
    IdRasa.Items = std::move(races);
    if (type) IdRasa.SelectNumber(type->IdRace);
    IdTouwn.Items = SettlementItems(store);
    IdTouwn.SelectNumber(building.IdTouwn);
    SetProcVystavby(building.ProcVystavby);
    Tag = std::to_string(building.Tag);
    SetProcZivotu(building.ProcZivotu);
    Pozorovatel = building.Pozorovatel != 0;
    Imortal = building.Imortal != 0;
}

const BuildingType* BuildingEditorRules::TypeById(int32_t id) const {
    const auto found = std::find_if(table_.begin(), table_.end(),
                                    [id](const BuildingType& type) { return type.Id == id; });
    return found == table_.end() ? nullptr : &*found;
}

void BuildingEditorRules::SetProcVystavby(int percent) {
    procVystavby_ = std::clamp(percent, 1, 100);
}

void BuildingEditorRules::SetProcZivotu(int percent) {
    procZivotu_ = std::clamp(percent, 0, 100);
}

std::string BuildingEditorRules::Label4() const {
    return "Výstavba " + std::to_string(procVystavby_) + " %";
}

std::string BuildingEditorRules::Label7() const {
    return tKalistor::IsMoneyBuilding(building_.IdBuilding) ? kMoneyLabel : kTagLabel;
}

int32_t BuildingEditorRules::StagePicture(const BuildingType& type, int percent, int32_t current) {
    int32_t picture = current;
    if (percent < 33) picture = type.IdObject1;
    if ((percent >= 33 && percent <= 65) || picture == 0) picture = type.IdObject2;
    if ((percent >= 66 && percent <= 98) || picture == 0) picture = type.IdObject3;
    if (percent == 100 || picture == 0) picture = type.IdObject;
    return picture;
}

std::optional<FieldError> BuildingEditorRules::Check() const {
    FieldReader in;
    in.First("Tag", Label7(), Tag);
    return in.Error();
}

std::optional<FieldError> BuildingEditorRules::Accept() {
    FieldReader in;
    const int32_t tag = in.First("Tag", Label7(), Tag);
    if (in.Error()) return in.Error();
    building_.IdTouwn = in.Chosen(IdTouwn, building_.IdTouwn);
    building_.ProcVystavby = static_cast<uint8_t>(procVystavby_);
    building_.Tag = tag;
    building_.ProcZivotu = static_cast<uint8_t>(procZivotu_);
    building_.Pozorovatel = Pozorovatel ? 1 : 0;
    building_.Imortal = Imortal ? 1 : 0;
    if (const BuildingType* type = TypeById(building_.IdBuilding))
        building_.IdObject = StagePicture(*type, procVystavby_, building_.IdObject);
    return std::nullopt;
}

void BuildingEditorRules::Delete() {
    building_.Used = 0;
    if (map_) map_->RemoveRecordObject(1, index_, building_.X, building_.Y);
}

}  // namespace tess
