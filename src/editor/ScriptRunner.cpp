// Scripted edits: JSON actions in cells replayed through the editor session's engine, with the
// answers for the dialogs they open ("map edit", recorded macros).
#include "editor/ScriptRunner.h"

#include <algorithm>
#include <climits>

#include "editor/EditorSession.h"
#include "editor/EnginePorts.h"
#include "editor/ScriptedEditorDialogs.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"

namespace tess {

using nlohmann::json;

// The session's dialogs that a script answers, installed for the runner's lifetime.
class ScriptRunner::Dialogs final : public AmountDialogPort, public CellParamsDialogPort {
  public:
    Dialogs(EditorSession& session, ScriptAnswers& answers)
        : session_(session),
          answers_(answers),
          ownEditors_(std::make_unique<ScriptedEditorDialogs>(answers, &session.MapSide())),
          previousAmount_(session.Ports().Amount),
          previousCellParams_(session.Ports().CellParams),
          previousEditors_(session.Store().Editors()) {
        session.Ports().Amount = this;
        session.Ports().CellParams = this;
        session.Store().SetEditors(ownEditors_.get());
    }
    ~Dialogs() override {
        session_.Ports().Amount = previousAmount_;
        session_.Ports().CellParams = previousCellParams_;
        session_.Store().SetEditors(previousEditors_);
    }
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    void InstallEditors(EditorDialogs* editors) {
        session_.Store().SetEditors(editors ? editors : ownEditors_.get());
    }

    // "Těžba": a number, or the text typed into its field, or {"text": T, "scroll": N} with
    // the position its bar was left at; anything else cancels it.
    std::optional<AmountReply> AskAmount(const AmountRequest& request) override {
        const std::optional<json> answer = answers_.Take();
        if (!answer) return std::nullopt;
        AmountReply reply{"", request.ScrollPosition};
        const json* text = &*answer;
        if (answer->is_object()) {
            const auto typed = answer->find("text");
            if (typed == answer->end()) return std::nullopt;
            text = &*typed;
            const auto scroll = answer->find("scroll");
            if (scroll != answer->end() && request.ScrollPosition >= 0)
                reply.ScrollPosition =
                    static_cast<int32_t>(ScriptRunner::Integer(*scroll, "scroll", 1, 100));
        }
        if (text->is_number_integer())
            reply.Text = text->dump();
        else if (text->is_string())
            reply.Text = text->get<std::string>();
        else
            return std::nullopt;
        return reply;
    }

    // "secret value": {"Edit1": ..., ...}; a field not named keeps what it showed.
    std::optional<CellParamTexts> EditCellParams(const CellParamTexts& shown) override {
        const std::optional<json> answer = answers_.Take();
        if (!answer || !answer->is_object()) return std::nullopt;
        CellParamTexts texts = shown;
        for (size_t i = 0; i < texts.size(); ++i) {
            const auto field = answer->find("Edit" + std::to_string(i + 1));
            if (field == answer->end()) continue;
            if (field->is_string())
                texts[i] = field->get<std::string>();
            else if (field->is_number_integer())
                texts[i] = field->dump();
            else
                texts[i].clear();
        }
        return texts;
    }

  private:
    EditorSession& session_;
    ScriptAnswers& answers_;
    std::unique_ptr<EditorDialogs> ownEditors_;
    AmountDialogPort* previousAmount_;
    CellParamsDialogPort* previousCellParams_;
    EditorDialogs* previousEditors_;
};

EditScript ReadEditScript(std::string_view text) {
    json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) throw ScriptError("the script is not valid JSON");
    if (!doc.is_object()) throw ScriptError("the script must be a JSON object");
    EditScript script;
    for (auto& [key, value] : doc.items()) {
        if (key == "seed") {
            if (!value.is_number_unsigned())
                throw ScriptError("\"seed\" must be a whole number of 0 or more");
            script.Seed = value.get<uint64_t>();
        } else if (key == "actions") {
            if (!value.is_array()) throw ScriptError("\"actions\" must be an array");
            script.Actions = std::move(value);
        } else {
            throw ScriptError("unknown key \"" + key + "\" in the script");
        }
    }
    if (!doc.contains("actions")) throw ScriptError("the script has no \"actions\"");
    return script;
}

ScriptRunner::ScriptRunner(EditorSession& session)
    : session_(session), dialogs_(std::make_unique<Dialogs>(session, answers_)) {}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::InstallEditorDialogs(EditorDialogs* dialogs) {
    dialogs_->InstallEditors(dialogs);
}

void ScriptRunner::Run(const json& action, size_t index) {
    if (!action.is_object()) throw ScriptError("an action must be a JSON object", index);
    const ScriptVerb* verb = nullptr;
    for (const ScriptVerb& candidate : ScriptVerbs()) {
        if (!action.contains(candidate.Name)) continue;
        if (verb)
            throw ScriptError(std::string("two verbs in one action: \"") + verb->Name +
                                  "\" and \"" + candidate.Name + "\"",
                              index);
        verb = &candidate;
    }
    if (!verb) {
        const std::string first = action.empty() ? std::string() : action.begin().key();
        throw ScriptError("unknown verb \"" + first + "\"", index);
    }
    for (const auto& item : action.items()) {
        const std::string& key = item.key();
        if (key == verb->Name) continue;
        const bool known = std::any_of(verb->Extras.begin(), verb->Extras.end(),
                                       [&](const char* extra) { return key == extra; });
        if (!known)
            throw ScriptError("unknown key \"" + key + "\" for \"" + verb->Name + "\"", index);
    }
    try {
        verb->Run(*this, action);
    } catch (const ScriptError& e) {
        throw ScriptError(e.what(), index);
    }
    ++actionsRun_;
}

void ScriptRunner::RunAll(const EditScript& script) {
    if (script.Seed) session_.Rng().Seed(*script.Seed);
    for (size_t i = 0; i < script.Actions.size(); ++i)
        Run(script.Actions[i], i);
}

int64_t ScriptRunner::Integer(const json& value, const char* what, int64_t min, int64_t max) {
    std::optional<int64_t> number;
    if (value.is_number_unsigned()) {
        if (value.get<uint64_t>() <= uint64_t{INT64_MAX}) number = int64_t(value.get<uint64_t>());
    } else if (value.is_number_integer()) {
        number = value.get<int64_t>();
    }
    if (!number || *number < min || *number > max)
        throw ScriptError(std::string("\"") + what + "\" must be a whole number from " +
                          std::to_string(min) + " to " + std::to_string(max));
    return *number;
}

std::string ScriptRunner::Text(const json& value, const char* what) {
    if (!value.is_string()) throw ScriptError(std::string("\"") + what + "\" must be a string");
    return value.get<std::string>();
}

bool ScriptRunner::Boolean(const json& value, const char* what) {
    if (!value.is_boolean())
        throw ScriptError(std::string("\"") + what + "\" must be true or false");
    return value.get<bool>();
}

TPoint ScriptRunner::Cell(const json& value) const {
    if (!value.is_array() || value.size() != 2)
        throw ScriptError("a cell must be [x, y] with two whole numbers");
    const int64_t x = Integer(value[0], "x", INT64_MIN, INT64_MAX);
    const int64_t y = Integer(value[1], "y", INT64_MIN, INT64_MAX);
    const tMapa& map = session_.Map();
    if (x < 0 || y < 0 || x >= map.Width || y >= map.Height)
        throw ScriptError("the cell [" + std::to_string(x) + ", " + std::to_string(y) +
                          "] is outside the map (" + std::to_string(map.Width) + " x " +
                          std::to_string(map.Height) + ")");
    return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

MouseButton ScriptRunner::Button(const json& action) {
    const auto found = action.find("button");
    if (found == action.end()) return MouseButton::Left;
    const std::string name = Text(*found, "button");
    if (name == "left") return MouseButton::Left;
    if (name == "right") return MouseButton::Right;
    if (name == "middle") return MouseButton::Middle;
    throw ScriptError("\"button\" must be \"left\", \"right\" or \"middle\"");
}

}  // namespace tess
