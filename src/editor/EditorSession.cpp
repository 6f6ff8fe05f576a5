// The main window's state and rules without a window: the program-wide objects, start-up, the
// map file commands, the close question, the option toggles and scrolling the view.
#include "editor/EditorSession.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "editor/DragScroll.h"
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

std::string CellCaption(TPoint cell) {
    return std::to_string(cell.X) + "x" + std::to_string(cell.Y);
}

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

// The brush radius never exceeds the palette's 13; this only bounds a nonsensical value.
constexpr int32_t kMaxCursorShift = 64;

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
      noObjects_(std::make_unique<tObjects>()) {
    if (!settings_) throw std::invalid_argument("the editor session needs a settings store");
    store_->SetRandom(&random_);
    // The clipboard owns the undo snapshot with its own map and store.
    clipboard_->State = kClipIdle;
    OpenDialog1.InitialDir = kMapsDirectory;
    SaveDialog1.InitialDir = kMapsDirectory;
    TreeTypes.Clear();
    SelectedTypes.Clear();
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
    SyncViewTools();
}

const tObjects& EditorSession::Objects() const {
    if (mapView_ && mapView_->Zoom && mapView_->Zoom->Objects) return *mapView_->Zoom->Objects;
    return *noObjects_;
}

void EditorSession::SyncViewTools() {
    ViewTools& tools = mapView_->Tools;
    tools.ShowBlocked = Options.ShowBlocked;
    tools.ToolCode = ToolCode;
    tools.PenRadius = PenRadius;
    tools.Clipboard = clipboard_.get();
    // The object tool's preview (TreeMode, IdObject) follows the object palette's entry once
    // that palette exists; until then nothing is previewed.
    mapView_->Store = store_.get();
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
}

void EditorSession::OpenLastMapOrForceNewMap() {
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
    // Once the palettes exist: a visible object palette is filled with the "Další" objects and
    // a visible wall palette fills its list.
}

void EditorSession::FinishStartUp() {
    Ui().SetCaption(kReadyCaption);
}

// --- operations ------------------------------------------------------------------------------

void EditorSession::MeView() {
    if (mapView_) SyncViewTools();
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
    RememberingSettings settings(*settings_);
    OpenMapPair(*map_, *store_, Objects(), View(), mapName, savName, &settings, nullptr,
                &refusedGameData_);
    // A refused map file leaves the previous map, and with it its unsaved changes.
    if (!settings.MapRemembered()) return false;
    // The map brings its own terrain list: the view draws its pictures.
    if (mapView_ && mapView_->Zoom)
        mapView_->Zoom->Terens.LoadPictures(std::string(kZoomDirectory) + "TERENY-/");
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
    return true;
}

bool EditorSession::WriteMapPair(const std::string& mapName, const std::string& savName) {
    // The captions, the check, the beep, both crash-safe writes (the pair is never left half
    // written) and "LastMap" are the shared save's.
    CheckProgress* progress = port_.StartMapCheck();
    const MapPairSaveResult result =
        SaveMapPair(*map_, *store_, tMapa::ViewCentreOf(View()), mapName, savName, settings_,
                    progress, &refusedGameData_);
    port_.FinishMapCheck(result.Findings);
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
    if (store_->Editors()) {
        tMapCheck(*map_, *store_).OpenFinding(cellKey);
        MeView();
        return;
    }
    // A finding that concerns no cell keeps (0, 0): there is nothing to go to.
    if (cellKey <= 0) return;
    CentreViewOn(View(), map_->Width, map_->Height, {cellKey % 65536, cellKey / 65536});
    ViewMoved();
}

void EditorSession::ViewMoved() {
    if (miniMap_) miniMap_->ShowFrame();
    MeView();
}

void EditorSession::SaveWindowPlaces() {
    for (int i = 0; i < kToolWindowCount; ++i) {
        CaptureWindowPlace(Places[i]);
        WriteWindowPlace(*settings_, kToolWindowNames[i], Places[i]);
    }
}

// --- commands --------------------------------------------------------------------------------

bool EditorSession::Run(MenuCommand command, int /*arg1*/, int /*arg2*/) {
    if (!IsWired(command)) return false;
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
        case MenuCommand::ToggleShowBlocked:
            // The marks change the picture at once.
            Toggle(command);
            MeView();
            return true;
        default:
            return Toggle(command);
    }
}

void EditorSession::NewMapCommand() {
    const std::optional<MapSizeTexts> texts = port_.AskNewMapSize();
    if (texts) {
        const MapSizeOutcome outcome = MapSizeRules::Confirm(*texts);
        if (!outcome.Size) {
            Ui().MessageBox(outcome.Reason, Buttons::Ok);
        } else {
            map_->FillAsNewMap(outcome.Size->Width, outcome.Size->Height, random_);
            store_->Clear();
            if (miniMap_) miniMap_->Rebuild();
            SaveDialog1.FileName.clear();
            FileName.clear();
            // Once the terrain palette exists it reloads its list here.
        }
    }
    PrepocitejHrace();
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

bool EditorSession::Toggle(MenuCommand command) {
    switch (command) {
        case MenuCommand::ToggleAutoRepair:
            Options.AutoRepairCells = !Options.AutoRepairCells;
            return true;
        case MenuCommand::ToggleEditNewBuildings:
            store_->EditNewBuildings = !store_->EditNewBuildings;
            return true;
        case MenuCommand::ToggleReverseScroll:
            Options.ReverseScroll = !Options.ReverseScroll;
            settings_->SetInt(kReverseScrollValue, Options.ReverseScroll ? 1 : 0);
            return true;
        case MenuCommand::ToggleWallChange:
            Options.WallChange = !Options.WallChange;
            return true;
        case MenuCommand::ToggleShowBlocked:
            Options.ShowBlocked = !Options.ShowBlocked;
            return true;
        case MenuCommand::ToggleSoundEditing:
            Options.SoundEditing = !Options.SoundEditing;
            return true;
        default:
            return false;
    }
}

bool EditorSession::IsChecked(MenuCommand command) const {
    switch (command) {
        case MenuCommand::ToggleAutoRepair:
            return Options.AutoRepairCells;
        case MenuCommand::ToggleEditNewBuildings:
            return store_->EditNewBuildings;
        case MenuCommand::ToggleReverseScroll:
            return Options.ReverseScroll;
        case MenuCommand::ToggleWallChange:
            return Options.WallChange;
        case MenuCommand::ToggleShowBlocked:
            return Options.ShowBlocked;
        case MenuCommand::ToggleSoundEditing:
            return Options.SoundEditing;
        default:
            return false;
    }
}

bool EditorSession::CloseRequested() {
    if (!Modified) return true;
    const std::string question = FileName.empty() ? std::string("Uložit mapu?")
                                                  : "Uložit mapu do souboru \"" + FileName + "\"?";
    const Answer answer = Ui().MessageBox(question, Buttons::YesNoCancel);
    bool close = answer != Answer::Cancel;
    if (answer == Answer::Yes)
        close = SaveMapFiles(SaveDialog1.FileName, GameDataName(SaveDialog1.FileName));
    SaveWindowPlaces();
    return close;
}

// --- mouse -----------------------------------------------------------------------------------

void EditorSession::MouseDown(MouseButton button, int32_t /*x*/, int32_t /*y*/) {
    // Every press counts as a change, even one that only starts scrolling.
    Modified = true;
    // A left press while the right button scrolls picks an object type or repaints a border;
    // both belong to the editing tools and leave the scroll running.
    if (button == MouseButton::Left && DragState == 2) return;
    switch (button) {
        case MouseButton::Left:
            DragState = 1;
            // The editing tools take over here: the undo snapshot, then the tool's work at
            // CursorCell (deposits, buildings, units, fill, line, pen).
            break;
        case MouseButton::Right:
            port_.SetViewCursor(ViewCursor::Scroll);
            DragState = 2;
            break;
        case MouseButton::Middle:
            // The paste preview's rotation and the cell-parameter dialog: editing tools.
            break;
    }
}

void EditorSession::MouseMove(int32_t x, int32_t y) {
    bool scrolled = false;
    if (DragState == 2) {
        scrolled = ScrollViewByDrag(View(), map_->Width, map_->Height, LastMousePos, {x, y},
                                    Options.ReverseScroll);
        if (scrolled && miniMap_) miniMap_->ShowFrame();
    }
    LastMousePos = {x, y};
    // Without the view there is no cell under the mouse.
    if (!view_) return;
    const TPoint previous = CursorCell;
    // A brush wider than 3 x 3 has its anchor (its south corner) PenRadius - 1 steps down.
    TPoint cell = view_->CellAt(x, y);
    for (int32_t i = 1; i < std::min(PenRadius, kMaxCursorShift); ++i)
        cell = map_->Neighbour(cell.X, cell.Y, kDirDown);
    Ui().SetCaption(CellCaption(CursorCell));
    if (DragState == 1 && cell != previous) {
        // The editing tools paint, draw a line or select here; the pen walk ends at the new
        // cell.
        CursorCell = cell;
    } else {
        Ui().SetCaption(CellCaption(cell));
        CursorCell = cell;
    }
    // A scroll can leave the same cell under the mouse (reversed, the mouse follows the map):
    // the view moved all the same and is drawn again.
    if (cell != previous || scrolled) MeView();
}

void EditorSession::MouseUp(MouseButton /*button*/, int32_t /*x*/, int32_t /*y*/) {
    // A copy selection ends here once the clipboard commands exist.
    if (DragState == 2) port_.SetViewCursor(ViewCursor::Default);
    DragState = 0;
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
