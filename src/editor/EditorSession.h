// The main window's state and rules without a window: the program-wide objects, start-up, the
// map file commands and the close question; it owns and wires the editing engine.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/EditorSettings.h"
#include "editor/EnginePorts.h"
#include "editor/MainMenu.h"
#include "editor/MainWindowPort.h"
#include "editor/SoundEditorPort.h"
#include "editor/TypeList.h"
#include "game/EditorMapSide.h"
#include "game/Kalistor.h"
#include "game/RefusedGameData.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Random.h"
#include "resources/Settings.h"
#include "resources/Surface.h"
#include "view/ToolState.h"

namespace tess {

class tClipBoard;
class tView;
class ToolBox;
class Placement;
class Brushes;
class MouseTools;
class UndoAndClipboard;
class MapWideCommands;
class Palettes;
class UndoHistory;
class RecoveryStore;
class AutosaveRules;
class MacroRecorder;
struct RecoveryOffer;

// The directory of the editor's one tile size (32 x 16, 4 pixels a level).
inline constexpr const char* kZoomDirectory = "PICTURES/32x16/";

struct SessionSetup {
    // The directory all game data is relative to; the current directory returns to it after
    // every file dialog.
    std::string GameDirectory;
    SettingsStore* Settings = nullptr;  // required
    uint64_t Seed = 0;
    // Where the map takes its wall-piece table (tests without game data use None).
    WallTableSource Walls = WallTableSource::GameData;
    // Where the window keeps autosaved pairs instead of its usual place ("": the usual place).
    std::string RecoveryDirectory;
};

// A file dialog's memory between uses: the file it shows and where it starts.
struct FileDialogState {
    std::string FileName;
    std::string InitialDir;
};

class EditorSession {
  public:
    static constexpr const char* kStartCaption =
        "Tessarine (editor map pro Velmoru) ... prosím chvíli";
    static constexpr const char* kReadyCaption = "Tessarine redy ...";

    // Creates the game-data store, then the map clipboard with its undo snapshot (clipboard
    // idle); the map storage is allocated here and sized by CreateMap.
    EditorSession(const SessionSetup& setup, MainWindowPort& port);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // --- the program-wide objects ---------------------------------------------------------
    tMapa& Map() { return *map_; }
    tKalistor& Store() { return *store_; }
    tClipBoard& Clipboard() { return *clipboard_; }
    // What the game-data editors' delete buttons and "Nastavit hlídku" do to this map.
    EditorMapSide& MapSide() { return *mapSide_; }
    Random& Rng() { return random_; }
    SettingsStore& Settings() { return *settings_; }
    // The view surface the map is drawn into and the window shows.
    tSurface& Surface() { return surface_; }
    // The view position: the attached view's, else the session's own.
    ViewPosition& View() { return view_ ? view_->Position() : ownView_; }
    const std::string& GameDirectory() const { return gameDirectory_; }

    // The view and the mini-map come later in start-up; until they exist nothing is drawn and
    // no cell is under the mouse. CreateView makes the session's own view; tests may attach a
    // view of theirs instead. The view, once there, holds the view position.
    void AttachView(MapViewPort* view) { view_ = view; }
    void AttachMiniMap(MiniMapPort* miniMap) { miniMap_ = miniMap; }
    // The sound dialogs that sound-mode clicks and the object palette open (null: none, as in
    // the command-line tool).
    void AttachSoundEditors(SoundEditorPort* soundEditors) { Ports().Sounds = soundEditors; }
    SoundEditorPort* SoundEditors() const;
    // The session's own view (null before CreateView).
    tView* MapView() { return mapView_.get(); }

    // --- the editing engine -----------------------------------------------------------------
    // The tool state the palettes set and the view reads.
    ToolBox& Tools();
    Placement& Placing();
    Brushes& BrushOps();
    MouseTools& Mouse();
    UndoAndClipboard& ClipCommands();
    MapWideCommands& MapCommands();
    // "Zpět" and "Znovu": every edit is one of its steps; opening a map or a new map starts it
    // again.
    UndoHistory& History();
    // The dialogs and windows the engine asks through (null members: none in this program).
    EnginePorts& Ports();
    // The rules of the pen, terrain, object and wall palettes (the object palette is also the
    // engine's pick port).
    Palettes& PaletteRules() { return *palettes_; }
    // An object catalogue for a session without a view (the command-line tool, tests); the
    // view's own replaces it when the view is created.
    void UseObjects(std::unique_ptr<tObjects> objects);

    std::string FileName;  // the current map file; empty for a map made by "Nová mapa"
    bool Modified = false;
    TypeList TreeTypes;
    TypeList SelectedTypes;
    WindowPlaces Places;
    TPoint CursorCell;
    FileDialogState OpenDialog1;  // "Otevřít mapu"
    FileDialogState SaveDialog1;  // "Uložit jako"; its file name is what "Uložit" saves to
    EditorOptions Options;

    // --- start-up, in the order the main window runs it -----------------------------------
    // The map at full capacity (2047 x 2047).
    void CreateMap();
    // The view on the surface and the map, over the whole surface, all layers shown, with its
    // pictures from "PICTURES/32x16/" (32, 4, 16): terrain, walls and the object catalogue
    // ("objects.kar", else built from "DATA/objects.dbf"), which is built once, here.
    void CreateView();
    // The view's object catalogue; empty before CreateView (a map opened then keeps no object
    // whose type the catalogue lacks).
    const tObjects& Objects() const;
    // The surface and the view rectangle follow the window's client size.
    void MeReSize(int32_t width, int32_t height);
    void ResetViewOrigin();
    // "LastMap" is read when it is used; here the scroll direction and the history's budget.
    void ReadSettings();
    // Opens the last map, or runs "Nová mapa" until a map exists when there is none or it
    // cannot be read.
    void OpenLastMapOrForceNewMap();
    // Empties both type lists.
    void ResetTypeLists();
    // Every type number 0..9999 the catalogue marks as a tree, ascending (at most 1001).
    void CollectTreeTypes(const std::function<bool(int32_t)>& isTree);
    // The same over the view's object catalogue: the types it has with Typ_tree set.
    void CollectTreeTypes();
    // Reads and applies the places of the five tool windows (null where a window does not
    // exist yet).
    void RestoreWindowPlaces(const std::array<ToolWindow*, kToolWindowCount>& windows);
    void FinishStartUp();

    // --- operations -----------------------------------------------------------------------
    // Draws the view and shows it with the object menus enabled as the game data allows.
    void MeView();
    ObjectMenuState ObjectMenus() const;
    // Rebuilds the "Projekt" menu: caption, players and settlements.
    void PrepocitejHrace();
    ProjectMenu ProjectMenuFor() const;
    // Opens a map and its game data. False when the map file was refused: then nothing of the
    // session changed.
    bool LoadMapFiles(const std::string& mapName, const std::string& savName);
    // Checks and writes the pair; false when the check refused the map (its findings window
    // shows them) or a file could not be written (nothing is reported as saved then). An empty
    // map name runs "Uložit jako" once the map passed the check.
    bool SaveMapFiles(const std::string& mapName, const std::string& savName);
    // The full map check with its findings window ("pokus"); true when it found nothing.
    bool CheckMap();
    // A finding's line was chosen (its cell as row * 65,536 + column): the view is centred on
    // the cell, then the building or unit editor opens for the record there.
    void ShowFinding(int32_t cellKey);
    // Captures and writes the five window places.
    void SaveWindowPlaces();

    // --- the "Projekt" menu -------------------------------------------------------------------
    // "Založit hráče": a new player through the player editor.
    void NewPlayerCommand();
    // A player's item: its editor.
    void EditPlayerCommand(int32_t player);
    // A settlement's item: the view goes to its main building, then its editor opens.
    void EditSettlementCommand(int32_t settlement);

    // --- commands ---------------------------------------------------------------------------
    // Runs a menu command; false (and nothing done) for a command not wired in this build.
    bool Run(MenuCommand command, int arg1 = 0, int arg2 = 0);
    // "Nová mapa": the size dialog, then NewMapOfSize.
    void NewMapCommand();
    // The new map of the dialog's texts; false (after a message, the map unchanged) when they
    // are refused.
    bool NewMapOfSize(const MapSizeTexts& texts);
    void OpenMapCommand();
    void SaveCommand();
    // True when the map was saved.
    bool SaveAsCommand();
    // Flips an option's check mark; false for a command that is no toggle.
    bool Toggle(MenuCommand command);
    bool IsChecked(MenuCommand command) const;
    // The close question; true when the window may close.
    bool CloseRequested();

    // --- autosave and recovery (SessionRecovery.cpp) -----------------------------------------
    // Where autosaved pairs go: the window names the per-user data location ("" turns recovery
    // off; a place in the game directory is refused). The interval comes from the settings.
    void SetRecoveryDirectory(const std::string& directory);
    RecoveryStore& Recovery() { return *recovery_; }
    // The window's timer, often: saves the recovery pair when it is due. A failed save says so
    // in the caption once, until one succeeds again. True when it saved.
    bool AutosaveTick(int64_t nowMs);
    // Start-up, before the last map opens: each pair left by a session that did not end cleanly
    // is offered once. True when one was restored (the map it holds is open, modified, under its
    // original name).
    bool OfferRecovery();

    // --- recorded macros (SessionMacros.cpp) ------------------------------------------------
    // "Nahrát makro" is ticked: every action goes into the macro file.
    bool Recording() const { return macro_ != nullptr; }
    MacroRecorder* Recorder() { return macro_.get(); }
    // Starts recording into `path`: the random source is seeded with `seed`, which the macro
    // names; "Zpět" does not reach back before this point while recording.
    void StartRecording(const std::string& path, uint64_t seed);
    // Stops recording and writes the macro file; false (after a message) when it could not be
    // written.
    bool StopRecording();
    // Plays a macro file on the open map; whatever it changed is one step of "Zpět". False
    // (after a message) when the file cannot be read or one of its actions cannot run (what the
    // actions before it did stays, as one step).
    bool PlayMacro(const std::string& path);

    // --- mouse in the view (view pixels) ----------------------------------------------------
    // A press acts at the cell the last move left under the mouse.
    void MouseDown(MouseButton button, int32_t x, int32_t y);
    void MouseMove(int32_t x, int32_t y);
    void MouseUp(MouseButton button, int32_t x, int32_t y);

  private:
    // The engine's rooms and the hooks they reach the session by.
    class Engine;

    // Run without the macro's record.
    bool RunCommand(MenuCommand command, int arg1, int arg2);
    // "Nahrát makro" and "Přehrát makro...": the file dialog, then the work.
    void RecordMacroCommand();
    void PlayMacroCommand();
    FileDialogSetup MacroSetup() const;
    // The commands of "Spec. func" and "Šířka pera"; false for any other command.
    bool RunMapCommand(MenuCommand command);
    // Makes `name` the current map file (both dialogs follow) and loads it; on a refused map
    // file everything stays as it was.
    bool OpenMapFile(const std::string& name);
    void ForceNewMap();
    // Opens a pair; `lastMap` remembers the map file when it was taken.
    bool LoadPair(const std::string& mapName, const std::string& savName, SettingsStore& lastMap);
    bool RestoreRecoveredPair(const RecoveryOffer& offer);
    // The map is as the designer saved or opened it: the recovery pair is not needed.
    void Settled();
    void RestoreCurrentDirectory();
    FileDialogSetup OpenSetup() const;
    FileDialogSetup SaveSetup() const;
    // A name as the game writes it ("MAPS\\x.map"), as an absolute path on this disk.
    std::string DiskPath(const std::string& name) const;
    // The shared save of a pair (check, then both files), with the findings window.
    bool WriteMapPair(const std::string& mapName, const std::string& savName);
    // The view reads the options, the tool state, the store and the clipboard when it draws.
    void ConnectViewTools();
    // After the view moved: the mini-map's frame follows and the view is drawn again.
    void ViewMoved();
    // After an editor of the game data: its changes count as changes of the map, the menus
    // follow the records and the view shows what a delete button removed.
    void GameDataEdited();

    MainWindowPort& port_;
    std::string gameDirectory_;
    SettingsStore* settings_;
    WallTableSource walls_;
    Random random_;
    std::unique_ptr<tKalistor> store_;
    std::unique_ptr<tClipBoard> clipboard_;
    std::unique_ptr<tMapa> map_;
    std::unique_ptr<GridMapSide> mapSide_;
    std::unique_ptr<tObjects> ownObjects_;  // the catalogue until the view has its own
    // The game-data file of the open map that was refused, kept aside by the first save.
    RefusedGameData refusedGameData_;
    tSurface surface_;
    ViewPosition ownView_;
    std::unique_ptr<tView> mapView_;
    std::unique_ptr<MapViewPort> mapViewPort_;
    MapViewPort* view_ = nullptr;
    MiniMapPort* miniMap_ = nullptr;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Palettes> palettes_;
    std::unique_ptr<RecoveryStore> recovery_;
    std::unique_ptr<AutosaveRules> autosave_;
    std::unique_ptr<MacroRecorder> macro_;
    std::string macroPath_;
};

}  // namespace tess
