// The unit editor's rules ("Editace jednotky"): what it shows of a unit, the values that follow the
// person table, what Ok stores, and its buttons.
#include "game/UnitEditor.h"

#include <algorithm>
#include <cmath>

#include "game/EditorMapSide.h"
#include "game/Kalistor.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// What a unit's body is drawn with: the picture that follows its last one.
constexpr uint32_t kBodyOffset = 24;

// Shows the unit's own value in the edit when it has one that differs from the table's, else
// the table's.
UnitEditorRules::TableValueEdit ShowTableValue(int32_t own, std::optional<int32_t> table) {
    UnitEditorRules::TableValueEdit edit;
    edit.TableValue = table;
    if (!table) return edit;  // a type the table lacks: the edit stays empty
    edit.Text = std::to_string(own != -1 && own != *table ? own : *table);
    return edit;
}

// The value Ok stores for an edit: -1 when it equals the table's; an empty edit of a type the
// table lacks keeps what the unit had.
int32_t StoredTableValue(FieldReader& in, const char* field, const char* caption,
                         const UnitEditorRules::TableValueEdit& edit, int32_t current) {
    if (!edit.TableValue && AllTrim(edit.Text).empty()) return current;
    const int32_t value = in.Whole(field, caption, edit.Text);
    return edit.TableValue && value == *edit.TableValue ? -1 : value;
}

}  // namespace

const std::vector<std::string>& UnitEditorRules::AiItems() {
    static const std::vector<std::string> items{"0 Nízká", "2 Normální", "1 Vysoká"};
    return items;
}

bool UnitEditorRules::TableValueEdit::Red() const {
    const std::optional<int32_t> value = WholeNumber(Text);
    if (!value) return true;
    return TableValue && *value != *TableValue;
}

UnitEditorRules::UnitEditorRules(tKalistor& store, int32_t index, tUnitRec& unit,
                                 EditorMapSide* map)
    : UnitEditorRules(store, index, unit, map,
                      FindPersonType(unit.IdPerson, person_fields::Strength)) {}

UnitEditorRules::UnitEditorRules(tKalistor& store, int32_t index, tUnitRec& unit,
                                 EditorMapSide* map, std::optional<PersonType> type)
    : index_(index), unit_(unit), map_(map), type_(std::move(type)) {
    IdPlayer.Items = PlayerItems(store, 4);
    Name = Cp1250ToUtf8(unit.Name.Get());
    Tag = std::to_string(unit.Tag);
    AI.Items = AiItems();
    AI.SelectNumber(unit.AI);
    SetProcZivotu(unit.ProcZivotu);
    PatrolaX = std::to_string(unit.PatrolaX);
    PatrolaY = std::to_string(unit.PatrolaY);
    AIEnabled = unit.AIEnabled != 0;
    Imortal = unit.Imortal != 0;
    Neviditelny = unit.Neviditelny != 0;
    Pozorovatel = unit.Pozorovatel != 0;
    PressDirection(unit.Smer);
    if (type_) {
        UtoC = ShowTableValue(unit.UtoC, type_->UtoC);
        ObrC = ShowTableValue(unit.ObrC, type_->ObrC);
        zivoty_ = ShowTableValue(unit.Zivoty, type_->Zivotu);
    }
    RefreshMaxZivoty();
    IdPlayer.SelectNumber(unit.IdPlayer);
}

void UnitEditorRules::SetZivotyText(std::string text) {
    zivoty_.Text = std::move(text);
    RefreshMaxZivoty();
}

void UnitEditorRules::SetProcZivotu(int percent) {
    procZivotu_ = std::clamp(percent, 0, 100);
    RefreshMaxZivoty();
}

void UnitEditorRules::RefreshMaxZivoty() {
    const std::optional<int32_t> lives = WholeNumber(zivoty_.Text);
    if (!lives) return;
    // Halves go to the even neighbour, as the game's own rounding does.
    const double total = std::nearbyint(double(*lives) * procZivotu_ / 100.0);
    maxZivoty_ = std::to_string(static_cast<int64_t>(total));
}

void UnitEditorRules::PressDirection(int direction) {
    smer_ = direction >= 0 && direction <= 7 ? direction : -1;
}

struct UnitEditorRules::Values {
    int32_t UtoC, ObrC, Zivoty, IdPlayer, Tag, AI, PatrolaX, PatrolaY;
};

std::optional<FieldError> UnitEditorRules::Read(Values& v) const {
    FieldReader in;
    v.UtoC = StoredTableValue(in, "UtoC", kUtoC, UtoC, unit_.UtoC);
    v.ObrC = StoredTableValue(in, "ObrC", kObrC, ObrC, unit_.ObrC);
    v.Zivoty = StoredTableValue(in, "Zivoty", kZivoty, zivoty_, unit_.Zivoty);
    v.IdPlayer = in.Chosen(IdPlayer, unit_.IdPlayer);
    v.Tag = in.First("Tag", kTag, Tag);
    v.AI = in.Chosen(AI, unit_.AI);
    v.PatrolaX = in.First("PatrolaX", "PatrolaX", PatrolaX);
    v.PatrolaY = in.First("PatrolaY", "PatrolaY", PatrolaY);
    return in.Error();
}

std::optional<FieldError> UnitEditorRules::Check() const {
    Values values{};
    return Read(values);
}

std::optional<FieldError> UnitEditorRules::Accept() {
    Values v{};
    if (auto error = Read(v)) return error;
    unit_.Name.Set(Utf8ToCp1250(Name));
    unit_.UtoC = v.UtoC;
    unit_.ObrC = v.ObrC;
    unit_.Zivoty = v.Zivoty;
    unit_.ProcZivotu = procZivotu_;
    unit_.IdPlayer = v.IdPlayer;
    unit_.Tag = v.Tag;
    unit_.AI = v.AI;
    if (smer_ >= 0) unit_.Smer = smer_;
    unit_.PatrolaX = v.PatrolaX;
    unit_.PatrolaY = v.PatrolaY;
    unit_.AIEnabled = AIEnabled ? 1 : 0;
    unit_.Neviditelny = Neviditelny ? 1 : 0;
    unit_.Pozorovatel = Pozorovatel ? 1 : 0;
    unit_.Imortal = Imortal ? 1 : 0;
    return std::nullopt;
}

void UnitEditorRules::Delete() {
    unit_.Used = 0;
    if (map_) map_->RemoveRecordObject(2, index_, unit_.X, unit_.Y);
}

void UnitEditorRules::Die() {
    unit_.Used = 0;
    // A unit whose editor opens before it is placed has no object, and so leaves no body.
    if (!map_ || !map_->RemoveRecordObject(2, index_, unit_.X, unit_.Y)) return;
    map_->LeaveBody(unit_.X, unit_.Y,
                    static_cast<int32_t>(static_cast<uint32_t>(unit_.IdObject) + kBodyOffset));
}

void UnitEditorRules::Reset() {
    if (!type_) return;
    unit_.UtoC = type_->UtoC;
    unit_.ObrC = type_->ObrC;
    unit_.Zivoty = type_->Zivotu;
    UtoC.Text = std::to_string(type_->UtoC);
    ObrC.Text = std::to_string(type_->ObrC);
    SetZivotyText(std::to_string(type_->Zivotu));
}

std::optional<FieldError> UnitEditorRules::SetPatrol() {
    if (auto error = Accept()) return error;
    if (map_) map_->ArmPatrolPick(index_);
    return std::nullopt;
}

}  // namespace tess
