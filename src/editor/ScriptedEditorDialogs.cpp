// The game-data editors answered by a script ("map edit", recorded macros) instead of a user.
#include "editor/ScriptedEditorDialogs.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/BuildingEditor.h"
#include "game/PermissionEditor.h"
#include "game/PlayerEditor.h"
#include "game/RelationEditor.h"
#include "game/SettlementEditor.h"
#include "game/UnitEditor.h"

namespace tess {

namespace {

using nlohmann::json;

// Reads one editor's answer and reports what is wrong with it in the editor's name.
class AnswerReader {
  public:
    // For the values of an editor opened from another one's answer.
    explicit AnswerReader(const char* dialog) : dialog_(dialog) {}
    AnswerReader(const char* dialog, const json& answer, std::initializer_list<const char*> buttons,
                 std::initializer_list<const char*> extraKeys = {})
        : dialog_(dialog), answer_(&answer) {
        if (!answer.is_object()) Fail("the answer must be an object");
        std::set<std::string> known{"button", "fields"};
        known.insert(extraKeys.begin(), extraKeys.end());
        for (const auto& [key, value] : answer.items())
            if (!known.count(key)) Fail("unknown key \"" + key + "\"");
        const auto button = answer.find("button");
        if (button == answer.end() || !button->is_string())
            Fail("\"button\" must be one of " + List(buttons));
        button_ = button->get<std::string>();
        if (std::none_of(buttons.begin(), buttons.end(),
                         [this](const char* b) { return button_ == b; }))
            Fail("unknown button \"" + button_ + "\", expected one of " + List(buttons));
        if (const auto fields = answer.find("fields"); fields != answer.end()) {
            if (!fields->is_object()) Fail("\"fields\" must be an object");
            fields_ = &*fields;
        }
    }

    const std::string& Button() const { return button_; }
    const json* Find(const char* key) const {
        if (!answer_) return nullptr;
        const auto found = answer_->find(key);
        return found == answer_->end() ? nullptr : &*found;
    }

    // Sets every field through its setter; a field without one is refused.
    void SetFields(const std::map<std::string, std::function<void(const json&)>>& setters) {
        if (!fields_) return;
        for (const auto& [name, value] : fields_->items()) {
            const auto setter = setters.find(name);
            if (setter == setters.end()) Fail("unknown field \"" + name + "\"");
            current_ = name;
            setter->second(value);
        }
        current_.clear();
    }
    bool Has(const char* field) const { return fields_ && fields_->contains(field); }

    [[noreturn]] void Fail(const std::string& what) const {
        std::string message = std::string(dialog_) + ": ";
        if (!current_.empty()) message += "field \"" + current_ + "\": ";
        throw ScriptAnswerError(message + what);
    }
    [[noreturn]] void FailField(const std::string& field, const std::string& what) const {
        throw ScriptAnswerError(std::string(dialog_) + ": field \"" + field + "\": " + what);
    }
    // Ok refused a control's text: the dialog's own message says why.
    void Refuse(const std::optional<FieldError>& error) const {
        if (error) FailField(error->Field, "Ok refused it: " + error->Message);
    }

    // --- values -----------------------------------------------------------------------------
    int32_t Int(const json& v, int64_t low, int64_t high) const {
        if (!v.is_number_integer()) Fail("expected a whole number");
        const int64_t value =
            v.is_number_unsigned()
                ? int64_t(std::min<uint64_t>(v.get<uint64_t>(), uint64_t(INT64_MAX)))
                : v.get<int64_t>();
        if (value < low || value > high)
            Fail(std::to_string(value) + " lies outside " + std::to_string(low) + ".." +
                 std::to_string(high));
        return static_cast<int32_t>(value);
    }
    std::string Text(const json& v) const {
        if (!v.is_string()) Fail("expected a text");
        return v.get<std::string>();
    }
    // A number field's text: a text as typed, or a whole number.
    std::string NumberText(const json& v) const {
        if (v.is_string()) return v.get<std::string>();
        return std::to_string(Int(v, INT32_MIN, INT32_MAX));
    }
    bool Tick(const json& v) const {
        if (v.is_boolean()) return v.get<bool>();
        return Int(v, 0, 1) == 1;
    }
    // Chooses the list item that stands for the number.
    void Choose(ChoiceList& list, const json& v) const {
        const int32_t number = Int(v, INT32_MIN, INT32_MAX);
        if (!list.SelectNumber(number)) Fail("the list has no item " + std::to_string(number));
    }
    BoxState Look(const json& v, const char* empty, const char* greyed, const char* ticked) const {
        const std::string look = Text(v);
        if (look == empty) return BoxState::Empty;
        if (look == greyed) return BoxState::Greyed;
        if (look == ticked) return BoxState::Ticked;
        Fail("expected \"" + std::string(empty) + "\", \"" + greyed + "\" or \"" + ticked + "\"");
    }

  private:
    static std::string List(std::initializer_list<const char*> names) {
        std::string list;
        for (const char* name : names)
            list += (list.empty() ? "\"" : ", \"") + std::string(name) + "\"";
        return list;
    }

    const char* dialog_;
    const json* answer_ = nullptr;
    const json* fields_ = nullptr;
    std::string button_;
    std::string current_;
};

using Setters = std::map<std::string, std::function<void(const json&)>>;

Setters ShownOnly(const AnswerReader& in, std::initializer_list<const char*> fields) {
    Setters setters;
    for (const char* field : fields)
        setters[field] = [&in](const json&) { in.Fail("the control only shows it"); };
    return setters;
}

// The relation editor opened from the player editor, set as the answer says.
std::unique_ptr<RelationEditorRules> SetRelations(const json& relations, tKalistor& store,
                                                  int32_t player) {
    const AnswerReader in("relation editor");
    if (!relations.is_object()) in.Fail("\"relations\" must be an object");
    auto rules = std::make_unique<RelationEditorRules>(store, player);
    for (auto entry = relations.begin(); entry != relations.end(); ++entry) {
        const std::string& key = entry.key();
        const std::optional<int32_t> other = WholeNumber(key);
        const auto& items = rules->Items();
        const auto item = std::find_if(items.begin(), items.end(), [other](const auto& i) {
            return other && i.Player == *other;
        });
        if (item == items.end()) in.Fail("player \"" + key + "\" is not in the list");
        const uint8_t relation = entry.value() == "enemy"     ? kEnemy
                                 : entry.value() == "neutral" ? kNeutral
                                 : entry.value() == "ally"    ? kAlly
                                                              : 0;
        if (relation == 0)
            in.Fail("player \"" + key + "\": expected \"enemy\", \"neutral\" or \"ally\"");
        const BoxState wanted = RelationEditorRules::LookOf(relation);
        // A click cycles the box, as the user would reach the look wanted.
        const auto index = static_cast<size_t>(item - items.begin());
        while (rules->Items()[index].State != wanted)
            rules->Click(index);
    }
    return rules;
}

// The permission editor opened from the player editor, set as the answer says.
std::unique_ptr<PermissionEditorRules> SetPermissions(const json& permissions, tKalistor& store,
                                                      int32_t player, int32_t storedRace) {
    const AnswerReader in("permission editor");
    if (!permissions.is_object()) in.Fail("\"permissions\" must be an object");
    for (const auto& [key, value] : permissions.items())
        if (key != "race" && key != "kind" && key != "clicks" && key != "set-all")
            in.Fail("unknown key \"" + key + "\"");
    const auto race = permissions.find("race");
    const auto kind = permissions.find("kind");
    auto rules = std::make_unique<PermissionEditorRules>(
        store, PermissionTables::Read(), player,
        race == permissions.end() ? storedRace : in.Int(*race, 1, 4),
        kind == permissions.end() ? int(kPermitBuildings)
                                  : in.Int(*kind, kPermitBuildings, kPermitUnits));
    if (const auto all = permissions.find("set-all"); all != permissions.end()) {
        if (!rules->SetAll(in.Look(*all, "empty", "greyed", "ticked")))
            in.Fail("\"set-all\": the greyed box is hidden for this kind");
    }
    if (const auto clicks = permissions.find("clicks"); clicks != permissions.end()) {
        if (!clicks->is_array()) in.Fail("\"clicks\" must be a list of type numbers");
        for (const json& click : *clicks) {
            const int32_t type = in.Int(click, 0, kBuildingStates - 1);
            const auto& items = rules->Items();
            const auto item = std::find_if(items.begin(), items.end(),
                                           [type](const auto& i) { return i.Type == type; });
            if (item == items.end())
                in.Fail("type " + std::to_string(type) + " is not listed for race " +
                        std::to_string(rules->Race()) + ", kind " + std::to_string(rules->Kind()));
            rules->Click(static_cast<size_t>(item - items.begin()));
        }
    }
    return rules;
}

}  // namespace

bool ScriptedEditorDialogs::EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) {
    const std::optional<json> answer = answers_.Take();
    if (!answer) return false;
    AnswerReader in("player editor", *answer, {"ok", "cancel", "delete"},
                    {"relations", "permissions"});
    PlayerEditorRules rules(store, index, player);
    in.SetFields({
        {"Name", [&](const json& v) { rules.Name = in.Text(v); }},
        {"IdRasa", [&](const json& v) { in.Choose(rules.IdRasa, v); }},
        {"RidiPocitac", [&](const json& v) { rules.RidiPocitac = in.Tick(v); }},
        {"Povaha", [&](const json& v) { in.Choose(rules.Povaha, v); }},
        {"Barva", [&](const json& v) { rules.Barva = in.Int(v, 0, 0xFFFFFF); }},
        {"Penize", [&](const json& v) { rules.Penize = in.NumberText(v); }},
        {"Surovina", [&](const json& v) { rules.Surovina = in.NumberText(v); }},
        {"Tag", [&](const json& v) { rules.Tag = in.NumberText(v); }},
        {"MaxDelniku", [&](const json& v) { rules.MaxDelniku = in.NumberText(v); }},
        {"MaxBuild", [&](const json& v) { rules.MaxBuild = in.NumberText(v); }},
        {"MaxVojaku", [&](const json& v) { rules.MaxVojaku = in.NumberText(v); }},
        {"MinSkupinka", [&](const json& v) { rules.MinSkupinka = in.NumberText(v); }},
        {"MaxSkupinka", [&](const json& v) { rules.MaxSkupinka = in.NumberText(v); }},
    });
    if (in.Has("Povaha") && !rules.PovahaEnabled())
        in.FailField("Povaha", "the box is enabled only while \"RidiPocitac\" is ticked");
    // Everything is set and checked before the first store, so a refused answer changes nothing.
    std::unique_ptr<RelationEditorRules> relations;
    if (const json* r = in.Find("relations")) relations = SetRelations(*r, store, index);
    std::unique_ptr<PermissionEditorRules> permissions;
    if (const json* p = in.Find("permissions"))
        permissions = SetPermissions(*p, store, index, rules.StoredRace());
    if (in.Button() == "ok") in.Refuse(rules.Check());
    if (relations) relations->Store();
    if (permissions) permissions->Store();
    if (in.Button() == "delete") rules.Delete();
    if (in.Button() != "ok") return false;
    in.Refuse(rules.Accept());
    return true;
}

bool ScriptedEditorDialogs::EditSettlement(tKalistor& store, int32_t, tSettlementRec& settlement) {
    const std::optional<json> answer = answers_.Take();
    if (!answer) return false;
    AnswerReader in("settlement editor", *answer, {"ok", "cancel", "delete"});
    SettlementEditorRules rules(store, settlement);
    Setters setters = ShownOnly(in, {"Usedlost"});
    setters["Name"] = [&](const json& v) { rules.Name = in.Text(v); };
    setters["IdRasa"] = [&](const json& v) { in.Choose(rules.IdRasa, v); };
    setters["IdPlayer"] = [&](const json& v) { in.Choose(rules.IdPlayer, v); };
    setters["Tag"] = [&](const json& v) { rules.Tag = in.NumberText(v); };
    in.SetFields(setters);
    if (in.Button() == "delete") rules.Delete();
    if (in.Button() != "ok") return false;
    in.Refuse(rules.Accept());
    return true;
}

bool ScriptedEditorDialogs::EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) {
    const std::optional<json> answer = answers_.Take();
    if (!answer) return false;
    AnswerReader in("building editor", *answer, {"ok", "cancel", "delete"});
    BuildingEditorRules rules(store, index, building, map_);
    Setters setters = ShownOnly(in, {"Name", "IdRasa"});
    setters["IdTouwn"] = [&](const json& v) { in.Choose(rules.IdTouwn, v); };
    setters["ProcVystavby"] = [&](const json& v) { rules.SetProcVystavby(in.Int(v, 1, 100)); };
    setters["ProcZivotu"] = [&](const json& v) { rules.SetProcZivotu(in.Int(v, 0, 100)); };
    setters["Tag"] = [&](const json& v) { rules.Tag = in.NumberText(v); };
    setters["Pozorovatel"] = [&](const json& v) { rules.Pozorovatel = in.Tick(v); };
    setters["Imortal"] = [&](const json& v) { rules.Imortal = in.Tick(v); };
    in.SetFields(setters);
    if (in.Button() == "delete") rules.Delete();
    if (in.Button() != "ok") return false;
    in.Refuse(rules.Accept());
    return true;
}

bool ScriptedEditorDialogs::EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) {
    const std::optional<json> answer = answers_.Take();
    if (!answer) return false;
    AnswerReader in("unit editor", *answer, {"ok", "cancel", "delete", "die", "reset", "patrol"});
    UnitEditorRules rules(store, index, unit, map_);
    in.SetFields({
        {"Name", [&](const json& v) { rules.Name = in.Text(v); }},
        {"UtoC", [&](const json& v) { rules.UtoC.Text = in.NumberText(v); }},
        {"ObrC", [&](const json& v) { rules.ObrC.Text = in.NumberText(v); }},
        {"Zivoty", [&](const json& v) { rules.SetZivotyText(in.NumberText(v)); }},
        {"ProcZivotu", [&](const json& v) { rules.SetProcZivotu(in.Int(v, 0, 100)); }},
        {"IdPlayer", [&](const json& v) { in.Choose(rules.IdPlayer, v); }},
        {"Tag", [&](const json& v) { rules.Tag = in.NumberText(v); }},
        {"AI", [&](const json& v) { in.Choose(rules.AI, v); }},
        {"Smer", [&](const json& v) { rules.PressDirection(in.Int(v, 0, 7)); }},
        {"PatrolaX", [&](const json& v) { rules.PatrolaX = in.NumberText(v); }},
        {"PatrolaY", [&](const json& v) { rules.PatrolaY = in.NumberText(v); }},
        {"AIEnabled", [&](const json& v) { rules.AIEnabled = in.Tick(v); }},
        {"Imortal", [&](const json& v) { rules.Imortal = in.Tick(v); }},
        {"Neviditelny", [&](const json& v) { rules.Neviditelny = in.Tick(v); }},
        {"Pozorovatel", [&](const json& v) { rules.Pozorovatel = in.Tick(v); }},
    });
    const std::string& button = in.Button();
    if (button == "delete") rules.Delete();
    if (button == "die") rules.Die();
    if (button == "reset") {
        // Reset writes the record at once; the Ok that follows must not fail after it.
        in.Refuse(rules.Check());
        rules.Reset();
    }
    if (button == "patrol") {
        in.Refuse(rules.SetPatrol());
        return true;
    }
    if (button != "ok" && button != "reset") return false;
    in.Refuse(rules.Accept());
    return true;
}

}  // namespace tess
