// The verbs of edit scripts: tools, the mouse in cells, menu commands and dialog answers. Other
// parts of the editor add their verbs to the table at the end.
#include <climits>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/GameDataVerbs.h"
#include "editor/MapWideCommands.h"
#include "editor/MouseTools.h"
#include "editor/OptionToggles.h"
#include "editor/ScriptRunner.h"
#include "editor/ToolBox.h"
#include "editor/UndoAndClipboard.h"
#include "editor/palettes/PaletteVerbs.h"
#include "game/AddPack.h"
#include "game/Clipboard.h"
#include "resources/Utils.h"

namespace tess {

namespace {

using nlohmann::json;
using R = ScriptRunner;

// --- tools -----------------------------------------------------------------------------------

void Terrain(R& r, const json& a) {
    r.Session().Tools().PressTerrainButton(
        static_cast<int32_t>(R::Integer(a["terrain"], "terrain", 0, kLastTerrainTool)));
}

void Level(R& r, const json& a) {
    r.Session().Tools().SelectLevelTool(
        static_cast<int32_t>(R::Integer(a["level"], "level", 0, 7)));
}

void Delete(R& r, const json& a) {
    if (!R::Boolean(a["delete"], "delete")) throw ScriptError("\"delete\" must be true");
    r.Session().Tools().PressDeleteButton();
}

void Wall(R& r, const json& a) {
    r.Session().Tools().PressWallButton(static_cast<int32_t>(R::Integer(a["wall"], "wall", 1, 16)));
}

uint8_t Byte(const json& v, const char* what) {
    return static_cast<uint8_t>(R::Integer(v, what, 0, 255));
}
int32_t Int32(const json& v, const char* what) {
    return static_cast<int32_t>(R::Integer(v, what, INT32_MIN, INT32_MAX));
}

// An entry whose named fields are given and the rest zero.
tAddPack ReadPack(const json& fields) {
    if (!fields.is_object()) throw ScriptError("\"place\" must be an object of entry fields");
    tAddPack pack;
    for (const auto& item : fields.items()) {
        const std::string& key = item.key();
        const json& v = item.value();
        const char* k = key.c_str();
        if (key == "Name")
            pack.Name = Utf8ToCp1250(R::Text(v, k));
        else if (key == "IdObject")
            pack.IdObject = Int32(v, k);
        else if (key == "Id")
            pack.Id = Int32(v, k);
        else if (key == "Extra")
            pack.Extra = Int32(v, k);
        else if (key == "UseOsada")
            pack.UseOsada = Byte(v, k);
        else if (key == "UseVes")
            pack.UseVes = Byte(v, k);
        else if (key == "UseMesto")
            pack.UseMesto = Byte(v, k);
        else if (key == "Tag")
            pack.Tag = Int32(v, k);
        else if (key == "RandomShade")
            pack.RandomShade = Byte(v, k);
        else if (key == "Group")
            pack.Group = Byte(v, k);
        else if (key == "OwnerClass")
            pack.OwnerClass = static_cast<uint8_t>(R::Integer(v, k, 0, kOwnerUnit));
        else if (key == "TreeMode")
            pack.TreeMode = Byte(v, k);
        else if (key == "TreeFlags") {
            if (!v.is_array() || v.size() > pack.TreeFlags.size())
                throw ScriptError("\"TreeFlags\" must be an array of at most 4 numbers");
            for (size_t i = 0; i < v.size(); ++i)
                pack.TreeFlags[i] = Byte(v[i], k);
        } else if (key == "TreeLetters")
            pack.TreeLetters = Utf8ToCp1250(R::Text(v, k));
        else if (key == "TreeWeights") {
            if (!v.is_array()) throw ScriptError("\"TreeWeights\" must be an array of numbers");
            pack.TreeWeights.clear();
            for (const json& weight : v)
                pack.TreeWeights.push_back(static_cast<char>(Byte(weight, k)));
        } else if (key == "Spacing")
            pack.Spacing = Int32(v, k);
        else
            throw ScriptError("unknown entry field \"" + key + "\"");
    }
    return pack;
}

void Place(R& r, const json& a) {
    const tAddPack pack = ReadPack(a["place"]);
    r.Session().Tools().SelectPlacement(pack, pack.RandomShade != 0);
}

void Radius(R& r, const json& a) {
    r.Session().Tools().SetPenRadius(
        static_cast<int32_t>(R::Integer(a["radius"], "radius", 0, kMaxPenRadius)));
}

void Pen(R& r, const json& a) {
    const std::string mode = R::Text(a["pen"], "pen");
    ToolBox& tools = r.Session().Tools();
    if (mode == "pen")
        tools.SetPenMode(kPenFree);
    else if (mode == "line")
        tools.SetPenMode(kPenLine);
    else if (mode == "fill")
        tools.SetPenMode(kPenFill);
    else
        throw ScriptError("\"pen\" must be \"pen\", \"line\" or \"fill\"");
}

void Option(R& r, const json& a) {
    const std::string caption = R::Text(a["option"], "option");
    const auto command = ToggleByCaption(caption);
    if (!command) throw ScriptError("no option \"" + caption + "\" in \"Nastavení\"");
    const auto checked = a.find("checked");
    if (checked == a.end()) throw ScriptError("\"option\" needs \"checked\"");
    if (r.Session().IsChecked(*command) != R::Boolean(*checked, "checked"))
        r.Session().Run(*command);
}

void Layers(R& r, const json& a) {
    r.Session().Tools().SetViewMask(static_cast<uint8_t>(R::Integer(a["layers"], "layers", 0, 63)));
}

void View(R& r, const json& a) {
    // The centre of a view wider than the map may lie beyond it: the view keeps on the map, the
    // file keeps the centre.
    const json& cell = a["view"];
    if (!cell.is_array() || cell.size() != 2)
        throw ScriptError("\"view\" must be [x, y] with two whole numbers");
    constexpr int64_t kReach = int64_t{1} << 20;
    const TPoint centre{static_cast<int32_t>(R::Integer(cell[0], "x", -kReach, kReach)),
                        static_cast<int32_t>(R::Integer(cell[1], "y", -kReach, kReach))};
    EditorSession& session = r.Session();
    tMapa::PlaceView(session.View(), centre, session.Map().Width, session.Map().Height);
    r.SetViewCentre(centre);
    session.MeView();
}

// --- the mouse, in cells ---------------------------------------------------------------------

void Press(R& r, const json& a) {
    const TPoint cell = r.Cell(a["press"]);
    const MouseButton button = R::Button(a);
    r.Session().Mouse().MoveToCell(cell);
    r.Session().Mouse().Down(button);
}

void Move(R& r, const json& a) {
    r.Session().Mouse().MoveToCell(r.Cell(a["move"]));
}

void Release(R& r, const json& a) {
    const TPoint cell = r.Cell(a["release"]);
    const MouseButton button = R::Button(a);
    r.Session().Mouse().MoveToCell(cell);
    r.Session().Mouse().Up(button);
}

void Click(R& r, const json& a) {
    const TPoint cell = r.Cell(a["click"]);
    const MouseButton button = R::Button(a);
    MouseTools& mouse = r.Session().Mouse();
    mouse.MoveToCell(cell);
    mouse.Down(button);
    mouse.Up(button);
}

void Stroke(R& r, const json& a) {
    const json& list = a["stroke"];
    if (!list.is_array() || list.empty())
        throw ScriptError("\"stroke\" must be a non-empty array of cells");
    std::vector<TPoint> cells;
    for (const json& cell : list)
        cells.push_back(r.Cell(cell));
    MouseTools& mouse = r.Session().Mouse();
    mouse.MoveToCell(cells.front());
    mouse.Down(MouseButton::Left);
    for (size_t i = 1; i < cells.size(); ++i)
        mouse.MoveToCell(cells[i]);
    mouse.Up(MouseButton::Left);
}

// --- commands --------------------------------------------------------------------------------

int32_t Side(const json& a, const char* key, int32_t min) {
    const auto found = a.find(key);
    if (found == a.end()) throw ScriptError(std::string("the command needs \"") + key + "\"");
    return static_cast<int32_t>(R::Integer(*found, key, min, 2047));
}

std::string File(R& r, const json& a) {
    const auto found = a.find("file");
    if (found == a.end()) throw ScriptError("the command needs \"file\"");
    const std::string name = R::Text(*found, "file");
    if (name.empty()) throw ScriptError("\"file\" must not be empty");
    return r.ResolvePath ? r.ResolvePath(name) : name;
}

void Command(R& r, const json& a) {
    const std::string name = R::Text(a["command"], "command");
    EditorSession& session = r.Session();
    // Which of the extra keys the command takes.
    const bool sized = name == "resize" || name == "new-map";
    const bool filed = name == "save-clip" || name == "load-clip";
    if (!sized && (a.contains("width") || a.contains("height")))
        throw ScriptError("\"" + name + "\" takes no \"width\" or \"height\"");
    if (!filed && a.contains("file")) throw ScriptError("\"" + name + "\" takes no \"file\"");
    if (RunGameDataCommand(r, name, a)) return;
    for (const char* key : kGameDataCommandKeys)
        if (a.contains(key)) throw ScriptError("\"" + name + "\" takes no \"" + key + "\"");

    static const std::pair<const char*, MenuCommand> kMenuCommands[] = {
        {"undo", MenuCommand::Undo},
        {"redo", MenuCommand::Redo},
        {"copy", MenuCommand::CopyRectangle},
        {"copy-diamond", MenuCommand::CopyDiamond},
        {"paste", MenuCommand::Paste},
        {"repair", MenuCommand::RepairObjects},
        {"dig-water", MenuCommand::DigWater},
        {"delete-trees", MenuCommand::DeleteTrees},
        {"reset-units", MenuCommand::ResetUnits},
        {"fill-map", MenuCommand::FillWholeMap},
        {"27x27", MenuCommand::PenRadius27},
    };
    for (const auto& [verb, command] : kMenuCommands) {
        if (name != verb) continue;
        session.Run(command);
        return;
    }
    if (name == "resize") {
        const int32_t width = Side(a, "width", 1), height = Side(a, "height", 1);
        session.MapCommands().ResizeTo(std::to_string(width), std::to_string(height));
    } else if (name == "new-map") {
        const int32_t width = Side(a, "width", 128), height = Side(a, "height", 128);
        session.NewMapOfSize({std::to_string(width), std::to_string(height)});
        session.PrepocitejHrace();
    } else if (name == "save-clip") {
        const std::string file = File(r, a);
        // Saving an empty clipboard does nothing, as the menu item does.
        if (session.Clipboard().Rows != 0 && !session.ClipCommands().SaveClipTo(file))
            throw ScriptError("the clip file \"" + file + "\" could not be written");
    } else if (name == "load-clip") {
        const std::string file = File(r, a);
        if (!session.ClipCommands().LoadClipFrom(file))
            throw ScriptError("the clip file \"" + file + "\" could not be read");
    } else {
        throw ScriptError("unknown command \"" + name + "\"");
    }
}

void Answer(R& r, const json& a) {
    r.Answers().Push(a["answer"]);
}

const std::vector<ScriptVerb>& Table() {
    static const std::vector<ScriptVerb> verbs = {
        {"terrain", {}, Terrain},
        {"level", {}, Level},
        {"delete", {}, Delete},
        {"wall", {}, Wall},
        {"place", {}, Place},
        {"radius", {}, Radius},
        {"pen", {}, Pen},
        {"option", {"checked"}, Option},
        {"layers", {}, Layers},
        {"view", {}, View},
        {"press", {"button"}, Press},
        {"move", {}, Move},
        {"release", {"button"}, Release},
        {"click", {"button"}, Click},
        {"stroke", {}, Stroke},
        {"command", {"width", "height", "file", "player", "settlement"}, Command},
        {"answer", {}, Answer},
        {"palette", {}, RunPaletteVerb},
        {"mix", {"spacing"}, RunMixVerb},
        {"new-settlement", {}, RunNewSettlementVerb},
    };
    return verbs;
}

}  // namespace

nlohmann::json AddPackJson(const tAddPack& entry) {
    nlohmann::json weights = nlohmann::json::array();
    for (char weight : entry.TreeWeights)
        weights.push_back(static_cast<uint8_t>(weight));
    return {{"Name", Cp1250ToUtf8(entry.Name)},
            {"IdObject", entry.IdObject},
            {"Id", entry.Id},
            {"Extra", entry.Extra},
            {"UseOsada", entry.UseOsada},
            {"UseVes", entry.UseVes},
            {"UseMesto", entry.UseMesto},
            {"Tag", entry.Tag},
            {"RandomShade", entry.RandomShade},
            {"Group", entry.Group},
            {"OwnerClass", entry.OwnerClass},
            {"TreeMode", entry.TreeMode},
            {"TreeFlags", entry.TreeFlags},
            {"TreeLetters", Cp1250ToUtf8(entry.TreeLetters)},
            {"TreeWeights", weights},
            {"Spacing", entry.Spacing}};
}

std::span<const ScriptVerb> ScriptVerbs() {
    return Table();
}

}  // namespace tess
