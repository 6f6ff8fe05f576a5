// The main window on the demo game: start-up, drawing, the mini-map, scrolling, saving and the
// map-check window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <set>

#include "QtTestApp.h"
#include "editor/DragScroll.h"
#include "editor/forms/KontrolaMapy.h"
#include "editor/forms/LitleM.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "game/Kalistor.h"
#include "game/forms/EditVojak.h"
#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/Settings.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "view/LitleMap.h"
#include "view/ViewDat.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

#ifdef TESS_DEMO_DIR

// A private copy of the demo written at build time: saving must not change the build's demo.
class DemoStartUpTest : public ::testing::Test {
  protected:
    DemoStartUpTest() {
        test::TestApp();
        fs::copy(TESS_DEMO_DIR, dir.Path() / "game", fs::copy_options::recursive);
        cwd = std::make_unique<test::ScopedCurrentDir>(dir.Path() / "game");
        BigFile().Open("zor.dat");
        setup.GameDirectory = (dir.Path() / "game").string();
        setup.Settings = &settings;
        setup.Seed = 11;
    }
    ~DemoStartUpTest() override {
        form.reset();
        BigFile().Close();
    }

    void Start() {
        form = std::make_unique<TForm1>(setup);
        form->resize(1024, 768);
        form->DXDraw1InitializeSurface();
        form->show();
        QCoreApplication::processEvents();
    }

    EditorSession& Session() { return form->Session(); }

    void Move(int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, dragButtons,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(form->DXDraw1(), &move);
    }
    void Press(Qt::MouseButton button, QWidget* target, QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, at, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
    }
    void Release(Qt::MouseButton button, QWidget* target, QPoint at) {
        QMouseEvent release(QEvent::MouseButtonRelease, at, at, button, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    }

    // The visible findings window of the last check, if any.
    static TfKontrolaMapy* FindingsWindow() {
        TfKontrolaMapy* found = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<TfKontrolaMapy*>(widget); window && window->isVisible())
                found = window;
        return found;
    }

    test::TempDir dir;
    std::unique_ptr<test::ScopedCurrentDir> cwd;
    test::ScopedTestUi ui;
    MemorySettings settings;
    SessionSetup setup;
    std::unique_ptr<TForm1> form;
    Qt::MouseButtons dragButtons = Qt::NoButton;
};

// How many pixels of the surface are not black, and how many colours it uses.
std::pair<int64_t, size_t> PixelStats(const tSurface& surface) {
    int64_t lit = 0;
    std::set<uint16_t> colours;
    for (int32_t y = 0; y < surface.Height(); ++y)
        for (int32_t x = 0; x < surface.Width(); ++x) {
            const uint16_t pixel = surface.PixelAt(x, y);
            colours.insert(pixel);
            if (pixel != 0) ++lit;
        }
    return {lit, colours.size()};
}

TEST_F(DemoStartUpTest, OpensTheDefaultMapDrawsItAndShowsTheMiniMap) {
    Start();
    EditorSession& session = Session();
    EXPECT_EQ(session.FileName, "MAPS\\default.map");
    EXPECT_EQ(settings.GetString(kLastMapValue, ""), "MAPS\\default.map");
    ASSERT_GE(ui.captions.size(), 2u);
    EXPECT_NE(std::find(ui.captions.begin(), ui.captions.end(), "Loading \"MAPS\\default.map\"..."),
              ui.captions.end());
    EXPECT_EQ(ui.LastCaption(), "Tessarine redy ...");
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_FALSE(session.Modified);
    EXPECT_GT(session.Map().Width, 0);

    // The object catalogue is the view's, and its trees are collected once.
    ASSERT_NE(session.MapView(), nullptr);
    EXPECT_EQ(&session.Objects(), session.MapView()->Zoom->Objects.get());
    ASSERT_GT(session.TreeTypes.Count(), 0);
    for (int32_t i = 0; i < session.TreeTypes.Count(); ++i) {
        const tObject* entry = session.Objects().Item(session.TreeTypes[i]);
        ASSERT_NE(entry, nullptr);
        EXPECT_NE(entry->Typ_tree, 0);
        if (i > 0) {
            EXPECT_LT(session.TreeTypes[i - 1], session.TreeTypes[i]);
        }
    }

    // The first frame is a drawn map, not a cleared surface.
    const auto [lit, colours] = PixelStats(session.Surface());
    EXPECT_GT(lit, int64_t{session.Surface().Width()} * session.Surface().Height() / 2);
    EXPECT_GT(colours, 50u);

    // The mini-map stands at the main window's right edge, 40 pixels from the top, with the
    // picture sized for the map.
    TLitleM* mini = form->LitleM();
    ASSERT_TRUE(mini->isVisible());
    const MiniMapSize size = MiniMapSizeFor(session.Map().Width, session.Map().Height);
    EXPECT_EQ(mini->width(), size.Width);
    EXPECT_EQ(mini->height(), size.Height);
    EXPECT_EQ(mini->x(), form->frameGeometry().width() - mini->frameGeometry().width() - 10);
    EXPECT_EQ(mini->y(), 40);
    const SurfaceRect frame = mini->Mini().FrameRect();
    const QImage shown = mini->grab().toImage();
    EXPECT_EQ(shown.pixelColor(frame.Left, frame.Top), QColor(255, 255, 255));
    const auto [miniLit, miniColours] = PixelStats(mini->Mini().Picture);
    EXPECT_GT(miniColours, 3u);
    EXPECT_GT(miniLit, 0);
}

TEST_F(DemoStartUpTest, TheViewRedrawsOnlyWhenTheMouseReachesAnotherCell) {
    Start();
    EditorSession& session = Session();
    Move(300, 200);
    const TPoint cell = session.MapView()->CellAt(300, 200);
    EXPECT_EQ(session.CursorCell, cell);
    EXPECT_EQ(ui.LastCaption(), std::to_string(cell.X) + "x" + std::to_string(cell.Y));

    // A move inside the same cell leaves the picture alone.
    session.Surface().Fill(Rgb565(255, 0, 255));
    Move(301, 200);
    EXPECT_EQ(session.CursorCell, cell);
    EXPECT_EQ(session.Surface().PixelAt(10, 10), Rgb565(255, 0, 255));
    // Three columns on is another cell: drawn again.
    Move(300 + 3 * 32, 200);
    EXPECT_NE(session.CursorCell, cell);
    const auto [lit, colours] = PixelStats(session.Surface());
    EXPECT_GT(colours, 50u);
    EXPECT_GT(lit, 0);
}

TEST_F(DemoStartUpTest, TheRightButtonScrollsBothWaysAndTheMiniMapFollows) {
    Start();
    EditorSession& session = Session();
    // From the map's top-left corner, so that a scroll right and down is never clamped.
    session.View().X = 0;
    session.View().Y = 0;
    const SurfaceRect frameBefore = form->LitleM()->Mini().FrameRect();

    Move(400, 300);
    Press(Qt::RightButton, form->DXDraw1(), {400, 300});
    EXPECT_EQ(form->DXDraw1()->cursor().shape(), Qt::SizeAllCursor);
    dragButtons = Qt::RightButton;
    Move(300, 250);  // left and up: the view would leave the map, it stays at the corner
    EXPECT_EQ(session.View().X, 0);
    EXPECT_EQ(session.View().Y, 0);
    Move(500, 350);
    EXPECT_EQ(session.View().X, 20);
    EXPECT_EQ(session.View().Y, 40);
    const SurfaceRect frameAfter = form->LitleM()->Mini().FrameRect();
    EXPECT_GT(frameAfter.Left + frameAfter.Top, frameBefore.Left + frameBefore.Top);
    dragButtons = Qt::NoButton;
    Release(Qt::RightButton, form->DXDraw1(), {500, 350});
    EXPECT_EQ(form->DXDraw1()->cursor().shape(), Qt::ArrowCursor);

    // Reversed, the same gesture moves the view the other way.
    form->Action("Obrtinkniply1")->trigger();
    Press(Qt::RightButton, form->DXDraw1(), {500, 350});
    dragButtons = Qt::RightButton;
    Move(500, 350);
    Move(600, 400);
    EXPECT_EQ(session.View().X, 10);
    EXPECT_EQ(session.View().Y, 20);
    // Never past the bottom-right edge.
    Move(-100000, -100000);
    EXPECT_EQ(session.View().X, session.Map().Width - session.View().Right / kViewTileWidth - 2);
    // The view draws from even rows only.
    EXPECT_EQ(session.View().Y,
              (session.Map().Height - session.View().Bottom / (kViewTileHeight / 2) - 2) & ~1);
    Release(Qt::RightButton, form->DXDraw1(), {0, 0});
}

TEST_F(DemoStartUpTest, AMiniMapClickMovesTheViewAndTheMenuItemBringsItBack) {
    Start();
    EditorSession& session = Session();
    TLitleM* mini = form->LitleM();
    session.View().X = 50;
    session.View().Y = 50;
    session.Surface().Fill(Rgb565(255, 0, 255));
    Press(Qt::LeftButton, mini, {0, 0});
    EXPECT_EQ(session.View().X, 0);
    EXPECT_EQ(session.View().Y, 0);
    EXPECT_NE(session.Surface().PixelAt(10, 10), Rgb565(255, 0, 255));  // drawn again
    EXPECT_EQ(mini->Mini().FrameRect().Left, 0);

    mini->close();
    EXPECT_FALSE(mini->isVisible());
    mini->move(5, 300);
    form->Action("LiteMap1")->trigger();
    EXPECT_TRUE(mini->isVisible());
    EXPECT_EQ(mini->x(), form->frameGeometry().width() - mini->frameGeometry().width() - 10);
    EXPECT_EQ(mini->y(), 40);
}

TEST_F(DemoStartUpTest, SaveWritesBothFilesThatReadBack) {
    Start();
    EditorSession& session = Session();
    const auto mapBefore = test::ReadFileBytes("MAPS/default.map");
    const auto savBefore = test::ReadFileBytes("MAPS/default.sav");
    const int32_t level = session.Map().GetLevel(7, 9);
    session.Map().SetLevel(7, 9, level == 7 ? 6 : level + 1);
    session.Modified = true;
    form->Action("Save1")->trigger();
    EXPECT_EQ(ui.LastCaption(), "Save ... ok.");
    EXPECT_FALSE(session.Modified);
    EXPECT_EQ(FindingsWindow(), nullptr);
    EXPECT_NE(test::ReadFileBytes("MAPS/default.map"), mapBefore);
    // The game data is written again, record for record.
    EXPECT_EQ(test::ReadFileBytes("MAPS/default.sav").size(), savBefore.size());

    auto reread = std::make_unique<tMapa>();
    Random random;
    reread->Create(kMaxMapSize, kMaxMapSize, random, WallTableSource::None);
    ViewPosition view;
    reread->LoadFromFile("MAPS/default.map", view);
    EXPECT_EQ(reread->GetLevel(7, 9), session.Map().GetLevel(7, 9));
    EXPECT_EQ(reread->Width, session.Map().Width);
}

TEST_F(DemoStartUpTest, AMapFailingTheCheckIsNotSavedAndItsFindingLeadsToTheCell) {
    Start();
    EditorSession& session = Session();
    tKalistor& store = session.Store();
    // A unit whose player is gone.
    int32_t unit = 0;
    for (int32_t i = 1; i < kMaxUnits && !unit; ++i)
        if (store.Units[i].Used && store.Units[i].X > 30 && store.Units[i].Y > 60) unit = i;
    ASSERT_NE(unit, 0);
    store.Units[unit].IdPlayer = 0;
    const TPoint cell{store.Units[unit].X, store.Units[unit].Y};
    const auto mapBefore = test::ReadFileBytes("MAPS/default.map");
    const auto savBefore = test::ReadFileBytes("MAPS/default.sav");
    session.Modified = true;
    form->Action("Save1")->trigger();
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(session.Modified);
    EXPECT_EQ(test::ReadFileBytes("MAPS/default.map"), mapBefore);
    EXPECT_EQ(test::ReadFileBytes("MAPS/default.sav"), savBefore);

    TfKontrolaMapy* window = FindingsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "V mapě byly nalezeny chyby.");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->ProgressBar1()->maximum(), session.Map().Height);
    EXPECT_EQ(window->ProgressBar1()->value(), session.Map().Height);
    QTreeWidget* tree = window->TreeView1();
    const std::string line = "Jednotka nepatří žádnému hráči. [" + std::to_string(cell.X) + "," +
                             std::to_string(cell.Y) + "]";
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).toStdString() == line) item = tree->topLevelItem(i);
    ASSERT_NE(item, nullptr) << line;

    // A click on the line centres the view on the unit's cell and opens the unit's editor.
    session.View().X = 0;
    session.View().Y = 0;
    ViewPosition expected = session.View();
    CentreViewOn(expected, session.Map().Width, session.Map().Height, cell);
    ASSERT_NE(expected.X, session.View().X);
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    ViewPosition seen;
    test::ModalScript editor({[&](QWidget* w) {
        auto* dialog = qobject_cast<TEditSoldier*>(w);
        ASSERT_NE(dialog, nullptr);
        seen = session.View();
        dialog->Button(5)->click();
    }});
    Press(Qt::LeftButton, tree->viewport(), at);
    Release(Qt::LeftButton, tree->viewport(), at);
    EXPECT_EQ(editor.Remaining(), 0u);
    EXPECT_EQ(seen.X, expected.X);
    EXPECT_EQ(seen.Y, expected.Y & ~1);  // the view draws from even rows
    EXPECT_EQ(store.Units[unit].Used, 1);

    // Each check has its own window; the one with findings stays until closed.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FindingsWindow(), nullptr);
}

#endif

}  // namespace
}  // namespace tess
