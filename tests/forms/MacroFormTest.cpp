// A macro recorded in the window ("Nahrát makro") and replayed by "tessarine-cli map edit" on a
// copy of the pair the recording started from gives the same files, byte for byte.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

#include "QtTestApp.h"
#include "editor/EditorSession.h"
#include "editor/ToolBox.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "editor/forms/Tezba.h"
#include "game/AddPack.h"
#include "game/Footprints.h"
#include "resources/BigFile.h"
#include "resources/Settings.h"
#include "support/TempDir.h"
#include "support/TestUi.h"

namespace tess {
namespace {

namespace fs = std::filesystem;
using test::ModalScript;

#if defined(TESS_DEMO_DIR) && defined(TESS_CLI_PATH)

constexpr int32_t kGoldMine = 232;

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class MacroFormTest : public ::testing::Test {
  protected:
    MacroFormTest() {
        test::TestApp();
        game = dir.Path() / "game";
        fs::copy(TESS_DEMO_DIR, game, fs::copy_options::recursive);
        // The pair as it is on disk before the session: what the replay starts from.
        fs::copy_file(game / "MAPS" / "default.map", dir.Path() / "start.map");
        fs::copy_file(game / "MAPS" / "default.sav", dir.Path() / "start.sav");
        cwd = std::make_unique<test::ScopedCurrentDir>(game);
        BigFile().Open("zor.dat");
        setup.GameDirectory = game.string();
        setup.Settings = &settings;
        setup.Seed = 3;
        setup.RecoveryDirectory = (dir.Path() / "recovery").string();
        form = std::make_unique<TForm1>(setup);
        form->resize(1024, 768);
        form->DXDraw1InitializeSurface();
        form->show();
        QCoreApplication::processEvents();
    }
    ~MacroFormTest() override {
        form.reset();
        BigFile().Close();
    }

    EditorSession& Session() { return form->Session(); }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, at, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(form->DXDraw1(), &event);
    }
    void Stroke(std::initializer_list<QPoint> points) {
        Mouse(QEvent::MouseMove, Qt::NoButton, *points.begin());
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, *points.begin());
        for (QPoint at : points) {
            QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(form->DXDraw1(), &event);
        }
        Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, *(points.end() - 1));
    }
    // A point of the view whose cell can take an object of `type` (the hover moves nothing).
    QPoint RoomFor(int32_t type) {
        for (int y = 120; y < 700; y += 16)
            for (int x = 120; x < 900; x += 32) {
                Mouse(QEvent::MouseMove, Qt::NoButton, {x, y});
                const TPoint cell = Session().CursorCell;
                if (CanPlaceObject(Session().Map(), Session().Objects(), cell.X, cell.Y, type))
                    return {x, y};
            }
        ADD_FAILURE() << "no room for object " << type;
        return {400, 300};
    }
    // "Nahrát makro", answering its file dialog with `path`.
    void ToggleRecording(const std::string& path) {
        ModalScript script({[path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog checks the name first
        }});
        form->Action("Nahratmakro1")->trigger();
        EXPECT_EQ(script.Remaining(), 0u);
    }

    test::TempDir dir;
    fs::path game;
    std::unique_ptr<test::ScopedCurrentDir> cwd;
    test::ScopedTestUi ui;
    MemorySettings settings;
    SessionSetup setup;
    std::unique_ptr<TForm1> form;
};

TEST_F(MacroFormTest, ARecordedSessionReplayedByMapEditGivesTheSameFiles) {
    const std::string macro = (dir.Path() / "session.json").string();
    QAction* record = form->Action("Nahratmakro1");
    ASSERT_NE(record, nullptr);
    ToggleRecording(macro);
    ASSERT_TRUE(Session().Recording());
    EXPECT_TRUE(record->isChecked());

    // A stroke of terrain.
    Session().Tools().PressTerrainButton(6);
    Session().Tools().SetPenRadius(1);
    Stroke({{380, 300}, {420, 310}, {470, 340}});
    // A gold mine, its amount typed into "Těžba".
    tAddPack gold;
    gold.Name = "Zlat\xfd d\xf9l";
    gold.IdObject = gold.Id = kGoldMine;
    Session().Tools().SelectPlacement(gold, false);
    Session().Tools().SetPenRadius(0);
    // Where the mouse finds room for it (the demo map has forests and water).
    const QPoint mine = RoomFor(kGoldMine);
    {
        ModalScript amount({[](QWidget* w) {
            auto* dialog = qobject_cast<TTezba*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->Edit()->setText("1500");
            dialog->OkButton()->click();
        }});
        Stroke({mine});
        EXPECT_EQ(amount.Remaining(), 0u);
    }
    // Another stroke, taken back.
    Session().Tools().PressTerrainButton(2);
    Stroke({{600, 400}, {640, 420}});
    form->Action("Zpt1")->trigger();

    record->trigger();  // stops without a question
    ASSERT_FALSE(Session().Recording());
    EXPECT_FALSE(record->isChecked());
    ASSERT_TRUE(fs::exists(macro));

    // The window saves its map; the command-line tool replays the macro on the starting pair.
    const std::string windowMap = (dir.Path() / "window.map").string();
    ASSERT_TRUE(Session().SaveMapFiles(windowMap, (dir.Path() / "window.sav").string()));
    const std::string cliMap = (dir.Path() / "cli.map").string();
    const std::string command = Quoted(TESS_CLI_PATH) + " map edit " +
                                Quoted((dir.Path() / "start.map").string()) + " " + Quoted(cliMap) +
                                " --script " + Quoted(macro) + " --game-dir " +
                                Quoted(game.string()) + " --check >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const auto windowBytes = test::ReadFileBytes(windowMap);
    EXPECT_EQ(test::ReadFileBytes(cliMap), windowBytes);
    EXPECT_EQ(test::ReadFileBytes((dir.Path() / "cli.sav").string()),
              test::ReadFileBytes((dir.Path() / "window.sav").string()));
    // And the session did change the map.
    EXPECT_NE(test::ReadFileBytes((dir.Path() / "start.map").string()), windowBytes);
}

#endif

}  // namespace
}  // namespace tess
