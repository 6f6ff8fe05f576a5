// The palette verbs of "map edit" scripts: "palette", "mix" (with "spacing") and
// "new-settlement".
#include "editor/palettes/PaletteVerbs.h"

#include <initializer_list>
#include <string>

#include "editor/EditorSession.h"
#include "editor/ScriptRunner.h"
#include "editor/palettes/PaletteActions.h"
#include "editor/palettes/Palettes.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr int32_t kMaxRace = 4;
constexpr int32_t kMaxSpacing = 1000;

// The object of a verb, with no keys but the ones it knows.
const nlohmann::json& Fields(const nlohmann::json& action, const char* verb,
                             std::initializer_list<const char*> known) {
    const nlohmann::json& value = action.at(verb);
    if (!value.is_object()) throw ScriptError(std::string("\"") + verb + "\" must be an object");
    for (const auto& [key, item] : value.items()) {
        bool ok = false;
        for (const char* name : known)
            ok = ok || key == name;
        if (!ok) throw ScriptError(std::string("\"") + verb + "\" has no key \"" + key + "\"");
    }
    return value;
}

// One CP1250 character from a one-character text.
char Letter(const nlohmann::json& value, const char* what) {
    const std::string letter = Utf8ToCp1250(ScriptRunner::Text(value, what));
    if (letter.size() != 1) throw ScriptError(std::string(what) + " must be one character");
    return letter[0];
}

}  // namespace

void RunPaletteVerb(ScriptRunner& runner, const nlohmann::json& action) {
    const nlohmann::json& fields =
        Fields(action, "palette", {"page", "race", "kind", "letter", "entry"});
    if (!fields.contains("page")) throw ScriptError("\"palette\" needs a \"page\"");
    const std::string page = ScriptRunner::Text(fields.at("page"), "page");
    const std::optional<ObjectTab> tab = ObjectTabByName(page);
    if (!tab) throw ScriptError("no palette page \"" + page + "\"");
    PaletteChoice choice;
    choice.Tab = *tab;
    if (fields.contains("race"))
        choice.Race =
            static_cast<int32_t>(ScriptRunner::Integer(fields["race"], "race", -1, kMaxRace));
    if (fields.contains("kind"))
        choice.Kind = static_cast<int32_t>(ScriptRunner::Integer(fields["kind"], "kind", -1, 3));
    if (fields.contains("letter")) choice.Letter = Letter(fields["letter"], "letter");
    if (fields.contains("entry"))
        choice.Entry = static_cast<int32_t>(
            ScriptRunner::Integer(fields["entry"], "entry", 0, kMaxPaletteEntries - 1));
    ChooseFromPalette(runner.Session().PaletteRules().Objects(), choice);
}

void RunMixVerb(ScriptRunner& runner, const nlohmann::json& action) {
    const nlohmann::json& rows = action.at("mix");
    if (!rows.is_array()) throw ScriptError("\"mix\" must be a list of [letter, weight] rows");
    MixChoice choice;
    for (const nlohmann::json& row : rows) {
        if (!row.is_array() || row.size() != 2)
            throw ScriptError("a \"mix\" row is [letter, weight]");
        choice.Rows.emplace_back(
            Letter(row[0], "mix letter"),
            static_cast<int32_t>(ScriptRunner::Integer(row[1], "mix weight", 0, kMaxMixWeight)));
    }
    if (action.contains("spacing"))
        choice.Spacing = static_cast<int32_t>(
            ScriptRunner::Integer(action["spacing"], "spacing", 0, kMaxSpacing));
    ChooseMix(runner.Session().PaletteRules().Objects(), choice);
}

void RunNewSettlementVerb(ScriptRunner& runner, const nlohmann::json& action) {
    const nlohmann::json& fields = Fields(action, "new-settlement", {"kind", "race"});
    if (!fields.contains("kind")) throw ScriptError("\"new-settlement\" needs a \"kind\"");
    const std::string name = ScriptRunner::Text(fields.at("kind"), "kind");
    const int32_t kind = SettlementKindByName(name);
    if (kind == 0) throw ScriptError("settlement kind \"" + name + "\" is not osada, ves or mesto");
    const int32_t race =
        fields.contains("race")
            ? static_cast<int32_t>(ScriptRunner::Integer(fields["race"], "race", 1, kMaxRace))
            : 0;
    ChooseNewSettlement(runner.Session().Tools(), kind, race);
}

}  // namespace tess
