// The main window's state and rules without a window: the program-wide objects, start-up, the
// map file commands and the close question; it owns and wires the editing engine.
#include "editor/EditorSession.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "editor/Autosave.h"
#include "editor/DragScroll.h"
#include "editor/MacroRecorder.h"
#include "editor/OptionToggles.h"
#include "editor/RecoveryStore.h"
#include "editor/SaveBackups.h"
#include "editor/SessionEngine.h"
#include "editor/UndoHistory.h"
#include "editor/palettes/Palettes.h"
#include "game/Clipboard.h"
#include "game/MapCheck.h"
#include "game/MapFiles.h"
#include "resources/BigFile.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"
#include "view/ViewDat.h"

namespace tess {

namespace {

constexpr const char* kMapsDirectory = "Maps";
constexpr const char* kOpenFilter = "Mapa k ZOR|*.map";
constexpr const char* kSaveFilter = "Mapa k ZOR *.map|*.map";
constexpr int32_t kObjectTypes = 10000;

// Forwards to the program's settings and notes whether the map was remembered as "LastMap":
// opening a pair remembers it exactly when the map file was taken, which tells a refused map
// file (nothing changed) from a refused game-data file (the map is there, its game data not).
class RememberingSettings final : public SettingsStore {
  public:
    explicit RememberingSettings(SettingsStore& inner) : inner_(inner) {}
    bool MapRemembered() const { return mapRemembered_; }

    std::string GetString(const std::string& name, const std::string& fallback) override {
        return inner_.GetString(name, fallback);
    }
    void SetString(const std::string& name, const std::string& value) override {
        if (name == kLastMapValue) mapRemembered_ = true;
        inner_.SetString(name, value);
    }
    int GetInt(const std::string& name, int fallback) override {
        return inner_.GetInt(name, fallback);
    }
    void SetInt(const std::string& name, int value) override { inner_.SetInt(name, value); }
    bool GetBool(const std::string& name, bool fallback) override {
        return inner_.GetBool(name, fallback);
    }
    void SetBool(const std::string& name, bool value) override { inner_.SetBool(name, value); }

  private:
    SettingsStore& inner_;
    bool mapRemembered_ = false;
};

// The session's own view as the session uses it.
class OwnView final : public MapViewPort {
  public:
    explicit OwnView(tView& view) : view_(view) {}
    ViewPosition& Position() override { return view_; }
    void Draw() override { view_.Draw(true); }
    TPoint CellAt(int32_t x, int32_t y) override { return view_.CellAt(x, y); }

  private:
    tView& view_;
};

}  // namespace

EditorSession::EditorSession(const SessionSetup& setup, MainWindowPort& port)
    : port_(port),
      gameDirectory_(setup.GameDirectory),
      settings_(setup.Settings),
      walls_(setup.Walls),
      random_(setup.Seed),
      store_(std::make_unique<tKalistor>()),
      clipboard_(std::make_unique<tClipBoard>()),
      map_(std::make_unique<tMapa>()),
      ownObjects_(std::make_unique<tObjects>()),
      recovery_(std::make_unique<RecoveryStore>(setup.GameDirectory)),
      autosave_(std::make_unique<AutosaveRules>()) {
    // The editors' delete buttons clear a footprint as the delete tool does; "Nastavit hlídku"
    // arms the mouse tools' patrol pick for the unit.
    mapSide_ = std::make_unique<GridMapSide>(
        *map_, [this]() -> const tObjects& { return Objects(); }, *store_,
        [this](int32_t unit) {
            tAddPack& pack = Tools().State().CurrentPack;
            pack.Tag = -1;
            pack.Extra = unit;
            Tools().Changed();
        });
    if (!settings_) throw std::invalid_argument("the editor session needs a settings store");
    store_->SetRandom(&random_);
    // The clipboard owns the undo snapshot with its own map and store.
    clipboard_->State = kClipIdle;
    OpenDialog1.InitialDir = kMapsDirectory;
    SaveDialog1.InitialDir = kMapsDirectory;
    TreeTypes.Clear();
    SelectedTypes.Clear();
    engine_ = std::make_unique<Engine>(*this);
    palettes_ = std::make_unique<Palettes>(engine_->context);
    engine_->ports.Palette = &palettes_->Objects();
    engine_->history.SetListener(
        [this](const HistoryStatus& status) { port_.ShowHistory(status); });
}

EditorSession::~EditorSession() = default;

// --- start-up --------------------------------------------------------------------------------

void EditorSession::CreateMap() {
    map_->Create(kMaxMapSize, kMaxMapSize, random_, walls_);
}

void EditorSession::CreateView() {
    auto view = std::make_unique<tView>();
    view->Create(surface_, *map_, SurfaceRect{0, 0, surface_.Width(), surface_.Height()});
    view->SetZoom(kZoomDirectory, kViewTileWidth, kViewLevelDepth, kViewTileHeight);
    mapView_ = std::move(view);
    mapViewPort_ = std::make_unique<OwnView>(*mapView_);
    view_ = mapViewPort_.get();
    ConnectViewTools();
}

const tObjects& EditorSession::Objects() const {
    if (mapView_ && mapView_->Zoom && mapView_->Zoom->Objects) return *mapView_->Zoom->Objects;
    return *ownObjects_;
}

void EditorSession::UseObjects(std::unique_ptr<tObjects> objects) {
    if (objects) ownObjects_ = std::move(objects);
}

void EditorSession::ConnectViewTools() {
    mapView_->Tools = {&Tools().State(), &Options, clipboard_.get()};
    mapView_->Store = store_.get();
    const int32_t extent = 2 * Tools().State().PenRadius;
    mapView_->CursorWidth = extent;
    mapView_->CursorHeight = extent;
}

void EditorSession::MeReSize(int32_t width, int32_t height) {
    width = std::clamp(width, 0, tSurface::kMaxSide);
    height = std::clamp(height, 0, tSurface::kMaxSide);
    surface_.SetSize(width, height);
    ViewPosition& view = View();
    view.Right = width;
    view.Bottom = height;
}

void EditorSession::ResetViewOrigin() {
    View().X = 0;
    View().Y = 0;
}

void EditorSession::ReadSettings() {
    Options.ReverseScroll = settings_->GetInt(kReverseScrollValue, 0) == 1;
    History().SetBudget(HistoryBudget(*settings_));
    autosave_->SetInterval(AutosaveMinutes(*settings_));
}

void EditorSession::OpenLastMapOrForceNewMap() {
    // Work a crashed session left comes first: once restored it is the map to work on.
    if (OfferRecovery()) return;
    const std::string lastMap = settings_->GetString(kLastMapValue, kDefaultLastMap);
    if (FileExistsOnDisk(lastMap)) {
        Ui().SetCaption("Loading \"" + lastMap + "\"...");
        if (OpenMapFile(lastMap)) return;
    }
    // No last map, or one that cannot be read: the editor is not left holding an empty map
    // under the old file's name (a save would overwrite that file).
    ForceNewMap();
}

void EditorSession::ForceNewMap() {
    map_->Width = 0;
    while (map_->Width == 0)
        NewMapCommand();
}

void EditorSession::ResetTypeLists() {
    TreeTypes.Clear();
    SelectedTypes.Clear();
}

void EditorSession::CollectTreeTypes(const std::function<bool(int32_t)>& isTree) {
    TreeTypes.Clear();
    for (int32_t type = 0; type < kObjectTypes; ++type)
        if (isTree(type) && !TreeTypes.Add(type)) break;
}

void EditorSession::CollectTreeTypes() {
    const tObjects& objects = Objects();
    CollectTreeTypes([&objects](int32_t type) {
        const tObject* entry = objects.Item(type);
        return entry && entry->Typ_tree != 0;
    });
}

void EditorSession::RestoreWindowPlaces(const std::array<ToolWindow*, kToolWindowCount>& windows) {
    for (int i = 0; i < kToolWindowCount; ++i) {
        Places[i].Form = windows[i];
        ReadWindowPlace(*settings_, kToolWindowNames[i], Places[i]);
        ApplyWindowPlace(Places[i]);
    }
    palettes_->PlacesRestored(Places);
}

void EditorSession::FinishStartUp() {
    Ui().SetCaption(kReadyCaption);
}

// --- operations ------------------------------------------------------------------------------

void EditorSession::MeView() {
    if (view_) view_->Draw();
    port_.ShowSurface(ObjectMenus());
}

ObjectMenuState EditorSession::ObjectMenus() const {
    ObjectMenuState state;
    const int32_t players = std::min(store_->PlayerCount, kMaxPlayers);
    for (int32_t i = 1; i <= players && !state.HasPlayer; ++i)
        state.HasPlayer = store_->Players[i].Used != 0;
    const int32_t settlements = std::min(store_->SettlementCount, kMaxSettlements);
    for (int32_t i = 1; i <= settlements && !state.HasSettlement; ++i)
        state.HasSettlement = store_->Settlements[i].Used != 0;
    return state;
}

ProjectMenu EditorSession::ProjectMenuFor() const {
    ProjectMenu menu;
    // A name without a base part would leave the menu without a caption to click.
    const std::string base = ExtractBaseName(FileName);
    menu.Caption = base.empty() ? "Projekt" : base;
    const int32_t players = std::min(store_->PlayerCount, kMaxPlayers);
    for (int32_t i = 1; i <= players; ++i)
        if (store_->Players[i].Used)
            menu.Players.push_back({i, Cp1250ToUtf8(store_->Players[i].Name.Get())});
    const int32_t settlements = std::min(store_->SettlementCount, kMaxSettlements);
    for (int32_t i = 1; i <= settlements; ++i)
        if (store_->Settlements[i].Used)
            menu.Settlements.push_back({i, Cp1250ToUtf8(store_->Settlements[i].Name.Get())});
    return menu;
}

void EditorSession::PrepocitejHrace() {
    port_.ShowProjectMenu(ProjectMenuFor());
}

bool EditorSession::LoadMapFiles(const std::string& mapName, const std::string& savName) {
    if (!LoadPair(mapName, savName, *settings_)) return false;
    // A macro works on the map it was recorded on: another map ends it.
    if (macro_) StopRecording();
    Settled();
    return true;
}

bool EditorSession::LoadPair(const std::string& mapName, const std::string& savName,
                             SettingsStore& lastMap) {
    RememberingSettings settings(lastMap);
    OpenMapPair(*map_, *store_, Objects(), View(), mapName, savName, &settings, nullptr,
                &refusedGameData_);
    // A refused map file leaves the previous map, and with it its unsaved changes.
    if (!settings.MapRemembered()) return false;
    // The map brings its own terrain list: the view draws its pictures.
    engine_->ReloadTerrainPictures();
    // Another map: nothing of the last one is left to undo.
    History().Clear();
    Modified = false;
    PrepocitejHrace();
    if (miniMap_) miniMap_->Rebuild();
    return true;
}

bool EditorSession::SaveMapFiles(const std::string& mapName, const std::string& savName) {
    if (mapName.empty()) {
        // Checked first, as every save: a map that fails is refused before a name is asked.
        Ui().SetCaption("Save ...");
        if (!CheckMap()) {
            Ui().SetCaption("Save ... failed!");
            Ui().Beep();
            return false;
        }
        // Only a pair really written counts as saved.
        return SaveAsCommand();
    }
    if (!WriteMapPair(mapName, savName)) return false;
    Modified = false;
    // Everything is in the map's own files now.
    recovery_->RemoveOwn();
    Settled();
    return true;
}

bool EditorSession::WriteMapPair(const std::string& mapName, const std::string& savName) {
    // The captions, the check, the beep, both crash-safe writes (the pair is never left half
    // written) and "LastMap" are the shared save's.
    std::optional<PairBackup> backup;
    if (KeepBackups(*settings_)) backup.emplace(DiskPath(mapName), DiskPath(savName));
    CheckProgress* progress = port_.StartMapCheck();
    const MapPairSaveResult result =
        SaveMapPair(*map_, *store_, tMapa::ViewCentreOf(View()), mapName, savName, settings_,
                    progress, &refusedGameData_);
    port_.FinishMapCheck(result.Findings);
    if (result.Saved() && backup) backup->Commit();
    return result.Saved();
}

bool EditorSession::CheckMap() {
    CheckProgress* progress = port_.StartMapCheck();
    tMapCheck check(*map_, *store_);
    const int result = check.Check(kCheckFull, false, progress);
    port_.FinishMapCheck(check.Findings());
    return result == 0;
}

void EditorSession::ShowFinding(int32_t cellKey) {
    // A finding that concerns no cell keeps (0, 0): there is nothing to go to or to open.
    if (cellKey <= 0) return;
    // The view goes to the cell first, so the record whose editor opens is in sight.
    CentreViewOn(View(), map_->Width, map_->Height, {cellKey % 65536, cellKey / 65536});
    ViewMoved();
    if (!store_->Editors()) return;
    HistoryScope step(History());
    tMapCheck(*map_, *store_).OpenFinding(cellKey);
    GameDataEdited();
}

void EditorSession::ViewMoved() {
    if (miniMap_) miniMap_->ShowFrame();
    MeView();
}

void EditorSession::NewPlayerCommand() {
    HistoryScope step(History());
    store_->AddPlayer();
    GameDataEdited();
}

void EditorSession::EditPlayerCommand(int32_t player) {
    HistoryScope step(History());
    store_->EditPlayer(player);
    GameDataEdited();
}

void EditorSession::EditSettlementCommand(int32_t settlement) {
    if (settlement >= 1 && settlement <= kMaxSettlements) {
        const int32_t main = store_->Settlements[static_cast<size_t>(settlement)].HlavniBudova;
        // A settlement without a main building has no place to go to.
        if (main >= 1 && main <= kMaxBuildings) {
            const tBuildingRec& building = store_->Buildings[static_cast<size_t>(main)];
            CentreViewOnSettlement(View(), map_->Width, map_->Height, {building.X, building.Y});
            ViewMoved();
        }
    }
    HistoryScope step(History());
    store_->EditSettlement(settlement);
    GameDataEdited();
}

void EditorSession::GameDataEdited() {
    Modified = true;
    PrepocitejHrace();
    MeView();
}

void EditorSession::SaveWindowPlaces() {
    for (int i = 0; i < kToolWindowCount; ++i) {
        CaptureWindowPlace(Places[i]);
        WriteWindowPlace(*settings_, kToolWindowNames[i], Places[i]);
    }
}

// --- commands --------------------------------------------------------------------------------

bool EditorSession::Run(MenuCommand command, int arg1, int arg2) {
    if (!IsWired(command)) return false;
    if (command == MenuCommand::RecordMacro) {
        RecordMacroCommand();
        return true;
    }
    if (command == MenuCommand::PlayMacro) {
        PlayMacroCommand();
        return true;
    }
    if (!macro_) return RunCommand(command, arg1, arg2);
    // The recorder may stop (a new map, an opened map) while the command runs.
    MacroRecorder* recorder = macro_.get();
    recorder->BeforeCommand(command, arg1);
    const bool ran = RunCommand(command, arg1, arg2);
    if (macro_.get() == recorder) recorder->AfterCommand(command);
    return ran;
}

bool EditorSession::RunCommand(MenuCommand command, int arg1, int arg2) {
    if (palettes_->Run(command, arg1, arg2)) return true;
    switch (command) {
        case MenuCommand::None:
            return true;
        case MenuCommand::NewMap:
            NewMapCommand();
            // A new map is a change like any other: the view shows it at once.
            MeView();
            return true;
        case MenuCommand::OpenMap:
            OpenMapCommand();
            return true;
        case MenuCommand::SaveMap:
            SaveCommand();
            return true;
        case MenuCommand::SaveMapAs:
            SaveAsCommand();
            return true;
        case MenuCommand::CheckMap:
            CheckMap();
            return true;
        case MenuCommand::ShowMiniMap:
            if (miniMap_) miniMap_->ShowWindow();
            return true;
        case MenuCommand::NewPlayer:
            NewPlayerCommand();
            return true;
        case MenuCommand::EditPlayer:
            EditPlayerCommand(arg1);
            return true;
        case MenuCommand::EditSettlement:
            EditSettlementCommand(arg1);
            return true;
        case MenuCommand::ToggleShowBlocked:
            // The marks change the picture at once.
            Toggle(command);
            MeView();
            return true;
        case MenuCommand::Undo:
            ClipCommands().Undo();
            return true;
        case MenuCommand::Redo:
            ClipCommands().Redo();
            return true;
        case MenuCommand::CopyRectangle:
        case MenuCommand::CopyDiamond:
            ClipCommands().StartCopy(command == MenuCommand::CopyRectangle);
            return true;
        case MenuCommand::Paste:
            ClipCommands().StartPaste();
            return true;
        case MenuCommand::SaveClipboard:
            ClipCommands().SaveClipFile();
            return true;
        case MenuCommand::LoadClipboard:
            ClipCommands().LoadClipFile();
            return true;
        default:
            return RunMapCommand(command) || Toggle(command);
    }
}

void EditorSession::NewMapCommand() {
    const std::optional<MapSizeTexts> texts = port_.AskNewMapSize();
    if (texts && NewMapOfSize(*texts) && macro_) macro_->NewMap(map_->Width, map_->Height);
    PrepocitejHrace();
}

bool EditorSession::NewMapOfSize(const MapSizeTexts& texts) {
    if (!MapCommands().NewMapOfSize(texts)) return false;
    // A new map has no file until it is saved.
    SaveDialog1.FileName.clear();
    FileName.clear();
    return true;
}

void EditorSession::OpenMapCommand() {
    const std::optional<std::string> chosen = port_.ChooseMapToOpen(OpenSetup());
    RestoreCurrentDirectory();
    if (chosen) OpenMapFile(*chosen);
    MeView();
    PrepocitejHrace();
}

void EditorSession::SaveCommand() {
    if (SaveDialog1.FileName.empty()) {
        SaveAsCommand();
        return;
    }
    SaveMapFiles(SaveDialog1.FileName, GameDataName(SaveDialog1.FileName));
}

bool EditorSession::SaveAsCommand() {
    const std::optional<std::string> chosen = port_.ChooseMapToSave(SaveSetup());
    bool saved = false;
    if (chosen) {
        bool confirmed = true;
        if (FileExistsOnDisk(*chosen))
            confirmed = Ui().MessageBox("Opravdu prepsat existujici soubor " + *chosen + "?",
                                        Buttons::YesNo) == Answer::Yes;
        RestoreCurrentDirectory();
        if (confirmed) {
            FileName = *chosen;
            OpenDialog1 = SaveDialog1 = {*chosen, ExtractDir(*chosen)};
            saved = SaveMapFiles(*chosen, GameDataName(*chosen));
            // The "Projekt" menu carries the map's name, which has just changed.
            PrepocitejHrace();
        }
    } else {
        RestoreCurrentDirectory();
    }
    MeView();
    return saved;
}

bool EditorSession::RunMapCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::ResizeMap:
            MapCommands().ResizeMap();
            return true;
        case MenuCommand::RepairObjects:
            MapCommands().RepairObjects();
            return true;
        case MenuCommand::DigWater:
            MapCommands().DigWater();
            return true;
        case MenuCommand::ResetUnits:
            MapCommands().ResetUnits();
            return true;
        case MenuCommand::DeleteTrees:
            MapCommands().DeleteTrees();
            return true;
        case MenuCommand::PenRadius27:
            Tools().PenRadius27();
            return true;
        case MenuCommand::FillWholeMap:
            MapCommands().FillWholeMap();
            return true;
        default:
            return false;
    }
}

bool EditorSession::Toggle(MenuCommand command) {
    return ToggleOption(command, Options, *store_, *settings_);
}

bool EditorSession::IsChecked(MenuCommand command) const {
    if (command == MenuCommand::RecordMacro) return Recording();
    return OptionChecked(command, Options, *store_);
}

bool EditorSession::CloseRequested() {
    if (!Modified) {
        if (macro_) StopRecording();
        recovery_->RemoveOwn();
        return true;
    }
    const std::string question = FileName.empty() ? std::string("Uložit mapu?")
                                                  : "Uložit mapu do souboru \"" + FileName + "\"?";
    const Answer answer = Ui().MessageBox(question, Buttons::YesNoCancel);
    bool close = answer != Answer::Cancel;
    if (answer == Answer::Yes)
        close = SaveMapFiles(SaveDialog1.FileName, GameDataName(SaveDialog1.FileName));
    SaveWindowPlaces();
    if (close && macro_) StopRecording();
    // A clean exit: nothing is left to recover.
    if (close) recovery_->RemoveOwn();
    return close;
}

// --- mouse -----------------------------------------------------------------------------------

void EditorSession::MouseDown(MouseButton button, int32_t /*x*/, int32_t /*y*/) {
    if (macro_) macro_->Press(button);
    Mouse().Down(button);
}

void EditorSession::MouseMove(int32_t x, int32_t y) {
    Mouse().MovePixels(x, y);
    if (macro_) macro_->Moved();
}

void EditorSession::MouseUp(MouseButton button, int32_t /*x*/, int32_t /*y*/) {
    if (macro_) macro_->Release(button);
    Mouse().Up(button);
}

// --- helpers ---------------------------------------------------------------------------------

bool EditorSession::OpenMapFile(const std::string& name) {
    const std::string previousName = FileName;
    const FileDialogState previousOpen = OpenDialog1;
    const FileDialogState previousSave = SaveDialog1;
    // Set before loading: the "Projekt" menu rebuilt by the load carries the new name.
    FileName = name;
    OpenDialog1 = SaveDialog1 = {name, ExtractDir(name)};
    if (LoadMapFiles(name, GameDataName(name))) return true;
    FileName = previousName;
    OpenDialog1 = previousOpen;
    SaveDialog1 = previousSave;
    return false;
}

void EditorSession::RestoreCurrentDirectory() {
    if (gameDirectory_.empty()) return;
    std::error_code error;
    std::filesystem::current_path(gameDirectory_, error);
}

std::string EditorSession::DiskPath(const std::string& name) const {
    if (name.empty()) return name;
    // Game paths use "\" and any letter case; a dialog needs the path as it is on this disk.
    const std::filesystem::path path(ResolveDiskPath(name));
    if (path.is_absolute() || gameDirectory_.empty()) return path.string();
    return (std::filesystem::path(gameDirectory_) / path).lexically_normal().string();
}

FileDialogSetup EditorSession::OpenSetup() const {
    return {kOpenFilter, "", DiskPath(OpenDialog1.InitialDir), DiskPath(OpenDialog1.FileName)};
}

FileDialogSetup EditorSession::SaveSetup() const {
    return {kSaveFilter, "map", DiskPath(SaveDialog1.InitialDir), DiskPath(SaveDialog1.FileName)};
}

}  // namespace tess
