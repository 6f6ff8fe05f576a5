// "Nahrát makro": the session's actions and its dialogs' answers written as an edit script.
#include "editor/MacroRecorder.h"

#include <string_view>
#include <utility>

#include "editor/EditorSession.h"
#include "editor/MouseTools.h"
#include "editor/ScriptRunner.h"
#include "editor/ToolBox.h"
#include "game/BuildingEditor.h"
#include "game/Clipboard.h"
#include "game/PlayerEditor.h"
#include "game/RelationEditor.h"
#include "game/SettlementEditor.h"
#include "game/UnitEditor.h"
#include "resources/SafeFile.h"

namespace tess {

using nlohmann::json;

namespace {

// The options a replay must share with the recording: the checked items of "Nastavení".
constexpr MenuCommand kOptions[] = {
    MenuCommand::ToggleAutoRepair,    MenuCommand::ToggleEditNewBuildings,
    MenuCommand::ToggleReverseScroll, MenuCommand::ToggleWallChange,
    MenuCommand::ToggleShowBlocked,   MenuCommand::ToggleSoundEditing,
};

std::string OptionCaption(MenuCommand command) {
    std::string caption;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& item, const std::string&) {
        if (caption.empty() && item.Checkable && item.Command == command) caption = item.Caption;
    });
    return caption;
}

// The commands a script names by a verb alone.
constexpr std::pair<MenuCommand, const char*> kCommandVerbs[] = {
    {MenuCommand::Undo, "undo"},
    {MenuCommand::Redo, "redo"},
    {MenuCommand::CopyRectangle, "copy"},
    {MenuCommand::CopyDiamond, "copy-diamond"},
    {MenuCommand::Paste, "paste"},
    {MenuCommand::RepairObjects, "repair"},
    {MenuCommand::DigWater, "dig-water"},
    {MenuCommand::DeleteTrees, "delete-trees"},
    {MenuCommand::ResetUnits, "reset-units"},
    {MenuCommand::FillWholeMap, "fill-map"},
    {MenuCommand::PenRadius27, "27x27"},
    {MenuCommand::NewPlayer, "add-player"},
    {MenuCommand::EditPlayer, "edit-player"},
    {MenuCommand::EditSettlement, "edit-settlement"},
};

const char* CommandVerb(MenuCommand command) {
    for (const auto& [known, verb] : kCommandVerbs)
        if (known == command) return verb;
    return nullptr;
}

const char* ButtonName(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return "right";
        case MouseButton::Middle:
            return "middle";
        default:
            return "left";
    }
}

json CellJson(TPoint cell) {
    return json::array({cell.X, cell.Y});
}

// A choice list's answer: the number its chosen item stands for.
void PutChoice(json& fields, const char* name, const ChoiceList& list) {
    if (const std::optional<int32_t> number = list.SelectedNumber()) fields[name] = *number;
}

const char* RelationWord(BoxState look) {
    if (look == RelationEditorRules::LookOf(kEnemy)) return "enemy";
    if (look == RelationEditorRules::LookOf(kAlly)) return "ally";
    return "neutral";
}

std::vector<BoxState> RelationLooks(tKalistor& store, int32_t player) {
    std::vector<BoxState> looks;
    RelationEditorRules rules(store, player);
    for (const auto& item : rules.Items())
        looks.push_back(item.State);
    return looks;
}

}  // namespace

// Stands between the engine and the window's dialogs while recording: each dialog is the
// window's, and what it answered is written down. A dialog the window does not have stays
// missing (the engine treats it as cancelled, as a replay does without an answer).
class MacroRecorder::Dialogs final : public AmountDialogPort,
                                     public CellParamsDialogPort,
                                     public ClipFileDialogPort,
                                     public EditorDialogs {
  public:
    explicit Dialogs(MacroRecorder& recorder)
        : recorder_(recorder),
          session_(recorder.session_),
          amount_(session_.Ports().Amount),
          cellParams_(session_.Ports().CellParams),
          clipFiles_(session_.Ports().ClipFiles),
          editors_(session_.Store().Editors()) {
        EnginePorts& ports = session_.Ports();
        if (amount_) ports.Amount = this;
        if (cellParams_) ports.CellParams = this;
        if (clipFiles_) ports.ClipFiles = this;
        if (editors_) session_.Store().SetEditors(this);
    }
    ~Dialogs() override {
        EnginePorts& ports = session_.Ports();
        if (ports.Amount == this) ports.Amount = amount_;
        if (ports.CellParams == this) ports.CellParams = cellParams_;
        if (ports.ClipFiles == this) ports.ClipFiles = clipFiles_;
        if (session_.Store().Editors() == this) session_.Store().SetEditors(editors_);
    }
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    std::optional<AmountReply> AskAmount(const AmountRequest& request) override {
        std::optional<AmountReply> reply = amount_->AskAmount(request);
        // A cancel is written too (an answer the dialog cannot take cancels it), so that the
        // answers after it stay with their dialogs.
        if (!reply)
            recorder_.Answer(nullptr);
        else if (request.ScrollPosition >= 0 && reply->ScrollPosition != request.ScrollPosition)
            recorder_.Answer({{"text", reply->Text}, {"scroll", reply->ScrollPosition}});
        else
            recorder_.Answer(reply->Text);
        return reply;
    }

    std::optional<CellParamTexts> EditCellParams(const CellParamTexts& shown) override {
        std::optional<CellParamTexts> texts = cellParams_->EditCellParams(shown);
        if (!texts) {
            recorder_.Answer(nullptr);
            return texts;
        }
        json answer = json::object();
        for (size_t i = 0; i < texts->size(); ++i)
            answer["Edit" + std::to_string(i + 1)] = (*texts)[i];
        recorder_.Answer(std::move(answer));
        return texts;
    }

    std::optional<std::string> ChooseClipToSave(const FileDialogSetup& setup) override {
        return recorder_.clipFile_ = clipFiles_->ChooseClipToSave(setup);
    }
    std::optional<std::string> ChooseClipToOpen(const FileDialogSetup& setup) override {
        return recorder_.clipFile_ = clipFiles_->ChooseClipToOpen(setup);
    }

    // The game-data editors: the record as Ok stored it, read back as the dialog would show it
    // (so a replay's Ok stores the same), or the button that removed it.
    bool EditPlayer(tKalistor& store, int32_t index, tPlayerRec& player) override {
        const std::vector<BoxState> relationsBefore = RelationLooks(store, index);
        const bool used = player.Used != 0;
        const bool ok = editors_->EditPlayer(store, index, player);
        json answer = Button(ok, used && player.Used == 0 ? "delete" : "cancel");
        if (ok) {
            PlayerEditorRules shown(store, index, player);
            json fields = {{"Name", shown.Name},
                           {"RidiPocitac", shown.RidiPocitac},
                           {"Barva", shown.Barva},
                           {"Penize", shown.Penize},
                           {"Surovina", shown.Surovina},
                           {"Tag", shown.Tag},
                           {"MaxDelniku", shown.MaxDelniku},
                           {"MaxBuild", shown.MaxBuild},
                           {"MaxVojaku", shown.MaxVojaku},
                           {"MinSkupinka", shown.MinSkupinka},
                           {"MaxSkupinka", shown.MaxSkupinka}};
            PutChoice(fields, "IdRasa", shown.IdRasa);
            if (shown.PovahaEnabled()) PutChoice(fields, "Povaha", shown.Povaha);
            answer["fields"] = std::move(fields);
        }
        // The relation editor, opened from this one, stores at once: its looks as they ended.
        if (RelationLooks(store, index) != relationsBefore) {
            json relations = json::object();
            RelationEditorRules now(store, index);
            for (const auto& item : now.Items())
                relations[std::to_string(item.Player)] = RelationWord(item.State);
            answer["relations"] = std::move(relations);
        }
        recorder_.Answer(std::move(answer));
        return ok;
    }

    bool EditSettlement(tKalistor& store, int32_t index, tSettlementRec& settlement) override {
        const bool used = settlement.Used != 0;
        const bool ok = editors_->EditSettlement(store, index, settlement);
        json answer = Button(ok, used && settlement.Used == 0 ? "delete" : "cancel");
        if (ok) {
            SettlementEditorRules shown(store, settlement);
            json fields = {{"Name", shown.Name}, {"Tag", shown.Tag}};
            PutChoice(fields, "IdRasa", shown.IdRasa);
            PutChoice(fields, "IdPlayer", shown.IdPlayer);
            answer["fields"] = std::move(fields);
        }
        recorder_.Answer(std::move(answer));
        return ok;
    }

    bool EditBuilding(tKalistor& store, int32_t index, tBuildingRec& building) override {
        const bool used = building.Used != 0;
        const bool ok = editors_->EditBuilding(store, index, building);
        json answer = Button(ok, used && building.Used == 0 ? "delete" : "cancel");
        if (ok) {
            BuildingEditorRules shown(store, index, building, nullptr);
            json fields = {{"ProcVystavby", shown.ProcVystavby()},
                           {"ProcZivotu", shown.ProcZivotu()},
                           {"Tag", shown.Tag},
                           {"Pozorovatel", shown.Pozorovatel},
                           {"Imortal", shown.Imortal}};
            PutChoice(fields, "IdTouwn", shown.IdTouwn);
            answer["fields"] = std::move(fields);
        }
        recorder_.Answer(std::move(answer));
        return ok;
    }

    bool EditUnit(tKalistor& store, int32_t index, tUnitRec& unit) override {
        const bool used = unit.Used != 0;
        const tMapa& map = session_.Map();
        const bool onMap = unit.X >= 0 && unit.Y >= 0 && unit.X < map.Width && unit.Y < map.Height;
        const tMapCell before = onMap ? map.Cell(unit.X, unit.Y) : tMapCell{};
        const bool ok = editors_->EditUnit(store, index, unit);
        const char* gone = "cancel";
        if (used && unit.Used == 0) {
            // "Zemřít" leaves the unit's body where it stood; "SMAZAT" leaves nothing.
            const bool body = onMap && !(map.Cell(unit.X, unit.Y) == before) &&
                              map.Cell(unit.X, unit.Y).Id() != 0;
            gone = body ? "die" : "delete";
        }
        json answer = Button(ok, gone);
        if (ok) {
            UnitEditorRules shown(store, index, unit, nullptr);
            json fields = {{"Name", shown.Name},
                           {"UtoC", shown.UtoC.Text},
                           {"ObrC", shown.ObrC.Text},
                           {"Zivoty", shown.Zivoty().Text},
                           {"Tag", shown.Tag},
                           {"Smer", shown.Smer()},
                           {"PatrolaX", shown.PatrolaX},
                           {"PatrolaY", shown.PatrolaY},
                           {"AIEnabled", shown.AIEnabled},
                           {"Imortal", shown.Imortal},
                           {"Neviditelny", shown.Neviditelny},
                           {"Pozorovatel", shown.Pozorovatel}};
            PutChoice(fields, "IdPlayer", shown.IdPlayer);
            PutChoice(fields, "AI", shown.AI);
            answer["fields"] = std::move(fields);
        }
        recorder_.Answer(std::move(answer));
        return ok;
    }

  private:
    static json Button(bool ok, const char* otherwise) {
        return {{"button", ok ? "ok" : otherwise}};
    }

    MacroRecorder& recorder_;
    EditorSession& session_;
    AmountDialogPort* amount_;
    CellParamsDialogPort* cellParams_;
    ClipFileDialogPort* clipFiles_;
    EditorDialogs* editors_;
};

MacroRecorder::MacroRecorder(EditorSession& session, uint64_t seed)
    : session_(session), seed_(seed), dialogs_(std::make_unique<Dialogs>(*this)) {
    // A replay starts wherever its program stands: the options and the whole tool state first.
    for (MenuCommand option : kOptions) {
        const std::string caption = OptionCaption(option);
        if (!caption.empty())
            actions_.push_back({{"option", caption}, {"checked", session_.IsChecked(option)}});
    }
    written_.ToolCode = -1;  // nothing the replay holds counts as written
    SyncTools();
}

MacroRecorder::~MacroRecorder() = default;

MacroRecorder::Tools MacroRecorder::Now() const {
    const ToolState& state = session_.Tools().State();
    return {state.ToolCode, state.PenRadius, state.PenMode, state.CurrentPack,
            session_.Tools().Marks().Layers};
}

void MacroRecorder::SyncTools() {
    const Tools now = Now();
    const int32_t code = now.ToolCode;
    bool toolWritten = false;
    const bool objectTool = code == kObjectTool || code == kWallTool;
    if (code != written_.ToolCode || (objectTool && now.Pack != written_.Pack)) {
        toolWritten = true;
        if (code >= 0 && code <= kLastTerrainTool)
            actions_.push_back({{"terrain", code}});
        else if (code == kDeleteTool)
            actions_.push_back({{"delete", true}});
        else if (code >= kLevelTool && code <= kLevelTool + 7)
            actions_.push_back({{"level", code - kLevelTool}});
        else if (code == kObjectTool)
            actions_.push_back({{"place", AddPackJson(now.Pack)}});
        else if (code == kWallTool && now.Pack.IdObject >= 1 && now.Pack.IdObject <= 16)
            actions_.push_back({{"wall", now.Pack.IdObject}});
        else
            toolWritten = false;
    }
    // Choosing a tool and the fill mode set the radius their own way: it follows them.
    bool penWritten = false;
    if (toolWritten || now.PenMode != written_.PenMode) {
        static const char* const kModes[] = {"pen", "line", "fill"};
        if (now.PenMode <= kPenFill) {
            actions_.push_back({{"pen", kModes[now.PenMode]}});
            penWritten = true;
        }
    }
    if (toolWritten || penWritten || now.PenRadius != written_.PenRadius)
        actions_.push_back({{"radius", now.PenRadius}});
    if (now.Layers != written_.Layers) actions_.push_back({{"layers", now.Layers}});
    written_ = now;
}

void MacroRecorder::Begin(json action) {
    answerAt_ = actions_.size();
    actions_.push_back(std::move(action));
}

void MacroRecorder::Answer(json answer) {
    actions_.insert(actions_.begin() + static_cast<std::ptrdiff_t>(answerAt_),
                    json{{"answer", std::move(answer)}});
    ++answerAt_;
}

TPoint MacroRecorder::UnderMouse() const {
    return session_.Mouse().UnderMouse();
}

void MacroRecorder::Press(MouseButton button) {
    SyncTools();
    const TPoint cell = UnderMouse();
    json action = {{"press", CellJson(cell)}};
    if (button != MouseButton::Left) action["button"] = ButtonName(button);
    Begin(std::move(action));
    lastCell_ = cell;
}

void MacroRecorder::Moved() {
    // Only a drag edits as the mouse goes; a press and a release name their own cells.
    if (session_.Tools().State().DragState != kDragLeft) return;
    const TPoint cell = UnderMouse();
    if (lastCell_ == cell) return;
    Begin({{"move", CellJson(cell)}});
    lastCell_ = cell;
}

void MacroRecorder::Release(MouseButton button) {
    const TPoint cell = UnderMouse();
    json action = {{"release", CellJson(cell)}};
    if (button != MouseButton::Left) action["button"] = ButtonName(button);
    Begin(std::move(action));
    lastCell_ = cell;
}

void MacroRecorder::BeforeCommand(MenuCommand command, int arg1) {
    sizeBefore_ = {session_.Map().Width, session_.Map().Height};
    clipFile_.reset();
    const char* verb = CommandVerb(command);
    if (!verb) {
        // The commands that write their verb afterwards still act on the tool state now.
        if (command == MenuCommand::ResizeMap || command == MenuCommand::LoadClipboard) SyncTools();
        answerAt_ = actions_.size();
        return;
    }
    SyncTools();
    json action = {{"command", verb}};
    if (command == MenuCommand::EditPlayer) action["player"] = arg1;
    if (command == MenuCommand::EditSettlement) action["settlement"] = arg1;
    Begin(std::move(action));
}

void MacroRecorder::AfterCommand(MenuCommand command) {
    const tMapa& map = session_.Map();
    switch (command) {
        case MenuCommand::ResizeMap:
            if (sizeBefore_ && *sizeBefore_ != std::pair{map.Width, map.Height})
                Begin({{"command", "resize"}, {"width", map.Width}, {"height", map.Height}});
            break;
        case MenuCommand::SaveClipboard:
            if (clipFile_) Begin({{"command", "save-clip"}, {"file", *clipFile_}});
            break;
        case MenuCommand::LoadClipboard:
            if (clipFile_) Begin({{"command", "load-clip"}, {"file", *clipFile_}});
            break;
        default:
            for (MenuCommand option : kOptions)
                if (option == command)
                    Begin({{"option", OptionCaption(command)},
                           {"checked", session_.IsChecked(command)}});
            break;
    }
}

void MacroRecorder::NewMap(int32_t width, int32_t height) {
    Begin({{"command", "new-map"}, {"width", width}, {"height", height}});
}

void MacroRecorder::Finish() {
    Begin({{"view", CellJson(tMapa::ViewCentreOf(session_.View()))}});
}

json MacroRecorder::Script() const {
    return {{"seed", seed_}, {"actions", actions_}};
}

void MacroRecorder::WriteTo(const std::string& path) const {
    // One action a line: a script a person can read and change.
    std::string text = "{\"seed\": " + std::to_string(seed_) + ", \"actions\": [\n";
    for (size_t i = 0; i < actions_.size(); ++i) {
        text += "  " + actions_[i].dump();
        text += i + 1 < actions_.size() ? ",\n" : "\n";
    }
    text += "]}\n";
    AtomicFileWriter out(path);
    out.Write(text.data(), text.size());
    out.Commit();
}

}  // namespace tess
