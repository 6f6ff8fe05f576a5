// The editor's main window: the menu, the map view, the file dialogs and the close question.
#include "editor/forms/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include "editor/UndoHistory.h"
#include "editor/forms/EngineDialogs.h"
#include "editor/forms/FileDialogs.h"
#include "editor/forms/KontrolaMapy.h"
#include "editor/forms/LitleM.h"
#include "editor/forms/LongWork.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "editor/forms/PaletteWindows.h"
#include "editor/forms/QtUiHost.h"
#include "editor/forms/RozmeryMapy.h"
#include "editor/forms/WidgetToolWindow.h"
#include "game/forms/QtEditorDialogs.h"
#include "game/forms/SoundEditors.h"
#include "view/ViewDat.h"

namespace tess {

namespace {

// Texts from the data (names of players, settlements, files) must not turn into mnemonics.
QString MenuText(const std::string& text) {
    return QString::fromStdString(text).replace('&', "&&");
}

}  // namespace

TForm1::TForm1(const SessionSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      session_(setup, *this),
      editors_(std::make_unique<QtEditorDialogs>(session_.MapSide(), this)) {
    setObjectName("Form1");
    session_.Store().SetEditors(editors_.get());
    setWindowTitle(EditorSession::kStartCaption);
    // The engine's dialogs and its long work; the object palette joins once it exists.
    engineDialogs_ = std::make_unique<EngineDialogs>(this);
    historyLabel_ = new QLabel(this);
    historyLabel_->setObjectName("HistoryStatus");
    statusBar()->addWidget(historyLabel_);
    ShowHistory(HistoryStatus{});
    longWork_ = std::make_unique<LongWork>(this);
    EnginePorts& ports = session_.Ports();
    ports.Amount = engineDialogs_.get();
    ports.CellParams = engineDialogs_.get();
    ports.Input = engineDialogs_.get();
    ports.ClipFiles = engineDialogs_.get();
    ports.Work = longWork_.get();

    dxDraw_ = new MapSurfaceWidget(session_, this);
    dxDraw_->SetResizeHandler([this] { MeReSize(); });
    setCentralWidget(dxDraw_);
    // Shown once start-up has sized its surface.
    dxDraw_->setVisible(false);
    // The first tool window; hidden until start-up places it.
    litleM_ = new TLitleM(this);
    litleM_->hide();
    litleMPlace_ = std::make_unique<WidgetToolWindow>(litleM_);
    litleM_->SetViewMovedHandler([this] {
        session_.MeView();
        litleM_->ShowFrame();
    });
    // The person dialog shows pictures from the view's catalogue, which start-up creates.
    soundEditors_ = std::make_unique<tess::SoundEditors>(this, [this]() -> tObjects* {
        return session_.MapView() ? session_.MapView()->Zoom->Objects.get() : nullptr;
    });
    session_.AttachSoundEditors(soundEditors_.get());
    palettes_ = std::make_unique<PaletteWindows>(this, session_);
    session_.SetRecoveryDirectory(setup.RecoveryDirectory.empty() ? RecoveryLocation()
                                                                  : setup.RecoveryDirectory);
    autosaveTimer_ = new QTimer(this);
    autosaveTimer_->setInterval(1000);
    connect(autosaveTimer_, &QTimer::timeout, this,
            [this] { session_.AutosaveTick(QDateTime::currentMSecsSinceEpoch()); });

    for (const MenuItem& top : MainMenuItems()) {
        QMenu* menu = menuBar()->addMenu(MenuText(top.Caption));
        const std::string key = MenuKey(top, "");
        actions_[key] = menu->menuAction();
        menu->menuAction()->setVisible(!top.Hidden);
        if (top.Caption == "Projekt") projectMenu_ = menu;
        AddMenuItems(menu, top.Items, top.Caption, top.Hidden);
    }
    SyncCheckMarks();
}

TForm1::~TForm1() {
    session_.AttachSoundEditors(nullptr);
}

void TForm1::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, const std::string& path,
                          bool hidden) {
    for (const MenuItem& item : items) {
        const std::string key = MenuKey(item, path);
        if (item.Separator) {
            actions_[key] = menu->addSeparator();
            continue;
        }
        if (item.IsSubmenu()) {
            QMenu* sub = menu->addMenu(MenuText(item.Caption));
            QAction* action = sub->menuAction();
            action->setObjectName(QString::fromStdString(key));
            action->setVisible(!item.Hidden);
            actions_[key] = action;
            if (item.Enabling != MenuEnabling::Always) {
                ruledItems_.push_back({action, item.Enabling, true});
                action->setEnabled(false);
            }
            if (item.List == MenuList::Players) playersMenu_ = sub;
            if (item.List == MenuList::Settlements) settlementsMenu_ = sub;
            AddMenuItems(sub, item.Items, path + "/" + item.Caption, hidden || item.Hidden);
            continue;
        }
        AddMenuAction(menu, item, key, hidden || item.Hidden);
    }
}

QAction* TForm1::AddMenuAction(QMenu* menu, const MenuItem& item, const std::string& key,
                               bool hidden) {
    QAction* action = menu->addAction(MenuText(item.Caption));
    action->setObjectName(QString::fromStdString(key));
    action->setVisible(!item.Hidden);
    if (ShortcutIsActive(item)) {
        QList<QKeySequence> keys{QKeySequence(QString::fromStdString(item.Shortcut))};
        if (!item.AltShortcut.empty())
            keys.append(QKeySequence(QString::fromStdString(item.AltShortcut)));
        action->setShortcuts(keys);
    }
    // Items of hidden menus keep their shortcuts working through the window itself.
    if (hidden && !item.Shortcut.empty()) addAction(action);
    const bool wired = IsWired(item.Command);
    action->setEnabled(wired && item.Enabling == MenuEnabling::Always);
    if (item.Enabling != MenuEnabling::Always)
        ruledItems_.push_back({action, item.Enabling, wired});
    if (item.Checkable) {
        action->setCheckable(true);
        action->setChecked(item.Checked);
        toggles_.emplace_back(action, item.Command);
    }
    actions_[key] = action;
    const MenuItem* source = &item;
    connect(action, &QAction::triggered, this,
            [this, source, action] { RunMenuItem(*source, action); });
    return action;
}

void TForm1::RunMenuItem(const MenuItem& item, QAction* action) {
    session_.Run(item.Command, item.Arg1, item.Arg2);
    if (item.Checkable) action->setChecked(session_.IsChecked(item.Command));
}

void TForm1::SyncCheckMarks() {
    for (const auto& [action, command] : toggles_)
        action->setChecked(session_.IsChecked(command));
}

QAction* TForm1::Action(const std::string& key) const {
    const auto found = actions_.find(key);
    return found == actions_.end() ? nullptr : found->second;
}

void TForm1::DXDraw1InitializeSurface() {
    // Set first: the size dialog that start-up may force runs an event loop of its own.
    if (startedUp_) return;
    startedUp_ = true;
    session_.CreateMap();
    // Shown and laid out first, so the surface gets the view's real size at once.
    dxDraw_->setVisible(true);
    if (layout()) layout()->activate();
    MeReSize();
    litleM_->SetMap(session_.Map(), session_.Store());
    session_.CreateView();
    litleM_->PlaceBesideMainWindow();
    litleM_->show();
    // The terrain colours come from the pictures just loaded.
    litleM_->Initialise(*session_.MapView(), session_.MapView()->Zoom->Terens);
    session_.AttachMiniMap(litleM_);
    session_.ResetViewOrigin();
    session_.ReadSettings();
    SyncCheckMarks();
    session_.OpenLastMapOrForceNewMap();
    session_.MeView();
    session_.ResetTypeLists();
    session_.CollectTreeTypes();
    session_.RestoreWindowPlaces(
        {litleMPlace_.get(), palettes_->Place(kPenPalette), palettes_->Place(kTerrainPalette),
         palettes_->Place(kObjectPalette), palettes_->Place(kWallPalette)});
    session_.FinishStartUp();
    ready_ = true;
    autosaveTimer_->start();
}

void TForm1::MeReSize() {
    if (!startedUp_) return;
    session_.MeReSize(dxDraw_->width(), dxDraw_->height());
    // A resized surface is blank: draw it again rather than wait for the mouse.
    session_.MeView();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startScheduled_ || startedUp_) return;
    startScheduled_ = true;
    // After the window is on screen, as when the surface first initialises.
    QTimer::singleShot(0, this, [this] { DXDraw1InitializeSurface(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (session_.CloseRequested())
        event->accept();
    else
        event->ignore();
}

// --- MainWindowPort --------------------------------------------------------------------------

std::optional<std::string> TForm1::ChooseMapToOpen(const FileDialogSetup& setup) {
    return ChooseFile(this, "Otevřít mapu", "OpenDialog1", setup, false);
}

std::optional<std::string> TForm1::ChooseMapToSave(const FileDialogSetup& setup) {
    // The command asks its own overwrite question.
    return ChooseFile(this, "Uložit jako", "SaveDialog1", setup, true);
}

std::optional<MapSizeTexts> TForm1::AskNewMapSize() {
    TRozmeryMapy dialog(this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Texts();
}

void TForm1::ShowSurface(const ObjectMenuState& menus) {
    for (const RuledItem& item : ruledItems_) {
        const bool allowed =
            item.rule == MenuEnabling::NeedsPlayer ? menus.HasPlayer : menus.HasSettlement;
        item.action->setEnabled(item.wired && allowed);
    }
    dxDraw_->update();
}

void TForm1::ShowProjectMenu(const tess::ProjectMenu& menu) {
    if (projectMenu_) projectMenu_->setTitle(MenuText(menu.Caption));
    RefillList(playersMenu_, playerActions_, menu.Players, MenuCommand::EditPlayer);
    RefillList(settlementsMenu_, settlementActions_, menu.Settlements, MenuCommand::EditSettlement);
}

void TForm1::RefillList(QMenu* menu, std::vector<QAction*>& actions,
                        const std::vector<ProjectMenuEntry>& entries, MenuCommand command) {
    if (!menu) return;
    for (QAction* action : actions) {
        menu->removeAction(action);
        action->deleteLater();
    }
    actions.clear();
    for (const ProjectMenuEntry& entry : entries) {
        QAction* action = menu->addAction(MenuText(entry.Caption));
        action->setData(entry.Index);
        action->setEnabled(IsWired(command));
        const int32_t index = entry.Index;
        connect(action, &QAction::triggered, this,
                [this, command, index] { session_.Run(command, index); });
        actions.push_back(action);
    }
}

CheckProgress* TForm1::StartMapCheck() {
    // Each check has a window of its own; one with findings stays until the user closes it.
    auto* window = new TfKontrolaMapy(this);
    window->SetFindingHandler([this](int32_t cellKey) { session_.ShowFinding(cellKey); });
    runningCheck_ = window;
    return window;
}

void TForm1::FinishMapCheck(const std::vector<CheckFinding>& findings) {
    TfKontrolaMapy* window = runningCheck_;
    runningCheck_ = nullptr;
    if (!window) return;
    if (findings.empty())
        delete window;
    else
        window->ShowFindings(findings);
}

void TForm1::ShowHistory(const HistoryStatus& status) {
    if (historyLabel_) historyLabel_->setText(QString::fromStdString(HistoryStatusText(status)));
}

RecoveryChoice TForm1::AskRecovery(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QtUiHost::kBoxTitle, QString::fromStdString(question),
                    QMessageBox::NoButton, this);
    box.setObjectName("RecoveryQuestion");
    QPushButton* restore = box.addButton("Obnovit", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Zahodit", QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) return RecoveryChoice::Restore;
    if (box.clickedButton() == discard) return RecoveryChoice::Discard;
    return RecoveryChoice::Later;
}

std::optional<std::string> TForm1::ChooseMacroFile(const FileDialogSetup& setup, bool save) {
    return save ? ChooseFile(this, "Nahrát makro", "MacroDialog", setup, true)
                : ChooseFile(this, "Přehrát makro", "MacroDialog", setup, false);
}

std::string TForm1::RecoveryLocation() {
    return (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery")
        .toStdString();
}

void TForm1::SetViewCursor(ViewCursor cursor) {
    switch (cursor) {
        case ViewCursor::Scroll:
            dxDraw_->setCursor(Qt::SizeAllCursor);
            break;
        case ViewCursor::Hand:
            dxDraw_->setCursor(Qt::PointingHandCursor);
            break;
        case ViewCursor::Default:
            dxDraw_->unsetCursor();
            break;
    }
}

}  // namespace tess
