// The editor's main window: the menu, the map view, the file dialogs and the close question.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/MainMenu.h"
#include "editor/MainWindowPort.h"

class QAction;
class QLabel;
class QTimer;
class QMenu;

namespace tess {

class EngineDialogs;
class LongWork;
class MapSurfaceWidget;
class QtEditorDialogs;
class PaletteWindows;
class SoundEditors;
class TLitleM;
class TfKontrolaMapy;
class WidgetToolWindow;

class TForm1 final : public QMainWindow, public MainWindowPort {
    Q_OBJECT
  public:
    explicit TForm1(const SessionSetup& setup, QWidget* parent = nullptr);
    ~TForm1() override;

    EditorSession& Session() { return session_; }
    MapSurfaceWidget* DXDraw1() const { return dxDraw_; }
    TLitleM* LitleM() const { return litleM_; }
    // The pen, terrain, object and wall palettes.
    PaletteWindows& Palettes() const { return *palettes_; }
    // The sound dialogs; the session opens them for sound-mode clicks and the object palette.
    tess::SoundEditors& SoundEditors() { return *soundEditors_; }

    // The rest of start-up, run once when the view first gets its surface (the first show
    // schedules it; tests call it directly).
    void DXDraw1InitializeSurface();
    bool StartedUp() const { return startedUp_; }
    // True once start-up has run to its end (the caption says the editor is ready).
    bool Ready() const { return ready_; }

    // The action of a menu item by MenuKey (a submenu's menuAction), or null.
    QAction* Action(const std::string& key) const;
    // The generated items of "Hráči" / "Usedlosti", in order.
    const std::vector<QAction*>& PlayerActions() const { return playerActions_; }
    const std::vector<QAction*>& SettlementActions() const { return settlementActions_; }
    QMenu* ProjectMenu() const { return projectMenu_; }
    LongWork* Work() const { return longWork_.get(); }
    QLabel* HistoryLabel() const { return historyLabel_; }

    // MainWindowPort
    std::optional<std::string> ChooseMapToOpen(const FileDialogSetup& setup) override;
    std::optional<std::string> ChooseMapToSave(const FileDialogSetup& setup) override;
    std::optional<MapSizeTexts> AskNewMapSize() override;
    void ShowSurface(const ObjectMenuState& menus) override;
    void ShowProjectMenu(const tess::ProjectMenu& menu) override;
    void SetViewCursor(ViewCursor cursor) override;
    CheckProgress* StartMapCheck() override;
    void FinishMapCheck(const std::vector<CheckFinding>& findings) override;
    void ShowHistory(const HistoryStatus& status) override;
    RecoveryChoice AskRecovery(const std::string& question) override;
    std::optional<std::string> ChooseMacroFile(const FileDialogSetup& setup, bool save) override;

    // Where autosaved pairs go: the per-user data location's "recovery".
    static std::string RecoveryLocation();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, const std::string& path,
                      bool hidden);
    QAction* AddMenuAction(QMenu* menu, const MenuItem& item, const std::string& key, bool hidden);
    void RunMenuItem(const MenuItem& item, QAction* action);
    void SyncCheckMarks();
    void MeReSize();
    void RefillList(QMenu* menu, std::vector<QAction*>& actions,
                    const std::vector<ProjectMenuEntry>& entries, MenuCommand command);

    EditorSession session_;
    // The store's editors, over this window.
    std::unique_ptr<QtEditorDialogs> editors_;
    std::unique_ptr<EngineDialogs> engineDialogs_;
    std::unique_ptr<LongWork> longWork_;
    MapSurfaceWidget* dxDraw_ = nullptr;
    TLitleM* litleM_ = nullptr;
    std::unique_ptr<WidgetToolWindow> litleMPlace_;
    std::unique_ptr<tess::SoundEditors> soundEditors_;
    std::unique_ptr<PaletteWindows> palettes_;
    // The findings window of the check running now.
    QPointer<TfKontrolaMapy> runningCheck_;
    std::map<std::string, QAction*> actions_;
    // Items whose enabled state follows the game data, with their rule and command.
    struct RuledItem {
        QAction* action;
        MenuEnabling rule;
        bool wired;
    };
    std::vector<RuledItem> ruledItems_;
    std::vector<std::pair<QAction*, MenuCommand>> toggles_;
    QLabel* historyLabel_ = nullptr;  // the undo history's steps, in the status bar
    QMenu* projectMenu_ = nullptr;
    QMenu* playersMenu_ = nullptr;
    QMenu* settlementsMenu_ = nullptr;
    std::vector<QAction*> playerActions_;
    std::vector<QAction*> settlementActions_;
    // Asks the session every second whether an autosave is due.
    QTimer* autosaveTimer_ = nullptr;
    bool startScheduled_ = false;
    bool startedUp_ = false;
    bool ready_ = false;
};

}  // namespace tess
