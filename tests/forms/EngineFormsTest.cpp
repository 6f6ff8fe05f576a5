// The editing engine in the window: "Těžba" and "secret value", the input boxes, the items of
// Úpravy, Spec. func and the hidden menus, the mouse, "Nová mapa"'s pictures, the fill's Esc.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>

#include "QtTestApp.h"
#include "editor/ToolBox.h"
#include "editor/forms/EngineDialogs.h"
#include "editor/forms/LongWork.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "editor/forms/SecretValue.h"
#include "editor/forms/Tezba.h"
#include "resources/BigFile.h"
#include "resources/Settings.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "view/ViewDat.h"

namespace tess {
namespace {

namespace fs = std::filesystem;
using test::ModalScript;

TEST(EngineDialogsTest, TezbaShowsItsRequestAndAnswersWithItsFields) {
    test::TestApp();
    TTezba plain({"Těžba", "Zlato", "0", -1});
    EXPECT_EQ(plain.windowTitle(), "Těžba");
    EXPECT_EQ(plain.Caption()->text(), "Zlato");
    EXPECT_EQ(plain.Edit()->text(), "0");
    EXPECT_FALSE(plain.ScrollBar()->isVisibleTo(&plain));
    EXPECT_EQ(plain.Reply().ScrollPosition, -1);
    TTezba bones({"Pouze [1..65535]", "Kostí", "12", 40});
    EXPECT_EQ(bones.windowTitle(), "Pouze [1..65535]");
    EXPECT_TRUE(bones.ScrollBar()->isVisibleTo(&bones));
    EXPECT_EQ(bones.ScrollBar()->toolTip(), "stav kostry");
    EXPECT_EQ(bones.ScrollBar()->minimum(), 1);

    EngineDialogs dialogs(nullptr);
    ModalScript script({[](QWidget* w) {
                            auto* d = qobject_cast<TTezba*>(w);
                            ASSERT_NE(d, nullptr);
                            d->Edit()->setText("250");
                            d->ScrollBar()->setValue(70);
                            d->OkButton()->click();
                        },
                        [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
    const auto reply = dialogs.AskAmount({"Těžba", "Kostí", "12", 40});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Text, "250");
    EXPECT_EQ(reply->ScrollPosition, 70);
    EXPECT_FALSE(dialogs.AskAmount({"Těžba", "Zlato", "5", -1}));
}

TEST(EngineDialogsTest, SecretValueShowsEightParametersAndInputBoxesTheirTexts) {
    test::TestApp();
    CellParamTexts shown{"1", "2", "3", "4", "5", "6", "7", "8"};
    TSecretValue dialog(shown);
    EXPECT_EQ(dialog.windowTitle(), "secret value");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Param 1"));
    EXPECT_TRUE(labels.contains("Param 8"));
    EXPECT_TRUE(labels.contains("surovina"));
    EXPECT_EQ(dialog.Edit(7)->objectName(), "Edit8");
    EXPECT_EQ(dialog.Edit(7)->text(), "8");

    EngineDialogs dialogs(nullptr);
    ModalScript script({[](QWidget* w) {
                            auto* d = qobject_cast<TSecretValue*>(w);
                            ASSERT_NE(d, nullptr);
                            d->Edit(2)->setText("");
                            d->OkButton()->click();
                        },
                        [](QWidget* w) {
                            auto* box = qobject_cast<QInputDialog*>(w);
                            ASSERT_NE(box, nullptr);
                            EXPECT_EQ(box->windowTitle(), "Nove rozmery");
                            EXPECT_EQ(box->labelText(), "x=");
                            EXPECT_EQ(box->textValue(), "256");
                            box->setTextValue("300");
                            box->accept();
                        }});
    const auto texts = dialogs.EditCellParams(shown);
    ASSERT_TRUE(texts);
    EXPECT_EQ((*texts)[2], "");
    EXPECT_EQ((*texts)[3], "4");
    EXPECT_EQ(dialogs.InputBox("Nove rozmery", "x=", "256"), std::optional<std::string>("300"));
}

#ifdef TESS_DEMO_DIR

// The main window on a private copy of the demo game.
class EngineFormsTest : public ::testing::Test {
  protected:
    EngineFormsTest() {
        test::TestApp();
        fs::copy(TESS_DEMO_DIR, dir.Path() / "game", fs::copy_options::recursive);
        cwd = std::make_unique<test::ScopedCurrentDir>(dir.Path() / "game");
        BigFile().Open("zor.dat");
        setup.GameDirectory = (dir.Path() / "game").string();
        setup.Settings = &settings;
        setup.Seed = 3;
        form = std::make_unique<TForm1>(setup);
        form->resize(1024, 768);
        form->DXDraw1InitializeSurface();
        form->show();
        QCoreApplication::processEvents();
    }
    ~EngineFormsTest() override {
        form.reset();
        BigFile().Close();
    }

    EditorSession& Session() { return form->Session(); }
    tMapa& Map() { return Session().Map(); }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, at, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(form->DXDraw1(), &event);
    }
    void Click(Qt::MouseButton button, QPoint at) {
        Mouse(QEvent::MouseMove, Qt::NoButton, at);
        Mouse(QEvent::MouseButtonPress, button, at);
        Mouse(QEvent::MouseButtonRelease, button, at);
    }

    test::TempDir dir;
    std::unique_ptr<test::ScopedCurrentDir> cwd;
    test::ScopedTestUi ui;
    MemorySettings settings;
    SessionSetup setup;
    std::unique_ptr<TForm1> form;
};

TEST_F(EngineFormsTest, TheEditingItemsAreEnabledAndTheMouseEditsWhatZpetTakesBack) {
    for (const char* key :
         {"Zpt1", "Copy3", "Paste1", "Load2", "Save3", "Copy2", "Copy1", "Past1", "Save2", "Load1",
          "ResizeMap", "Pokus3", "vyhloubenivody1", "Resetallunit1", "Smazatvsechnystromy1",
          "Celoumapu1", "Šířka pera/27x27", "Šířka pera/Zpět"}) {
        QAction* action = form->Action(key);
        ASSERT_NE(action, nullptr) << key;
        EXPECT_TRUE(action->isEnabled()) << key;
    }

    const QPoint at(400, 300);
    Session().Tools().PressTerrainButton(14);
    Click(Qt::LeftButton, at);
    const TPoint cell = Session().CursorCell;
    EXPECT_EQ(Map().GetTerrain(cell.X, cell.Y), 14);
    form->Action("Zpt1")->trigger();
    EXPECT_NE(Map().GetTerrain(cell.X, cell.Y), 14);

    // The middle button opens "secret value" for the cell under the mouse.
    bool opened = false;
    ModalScript script({[&](QWidget* w) {
        opened = qobject_cast<TSecretValue*>(w) != nullptr;
        qobject_cast<QDialog*>(w)->reject();
    }});
    Click(Qt::MiddleButton, at);
    EXPECT_TRUE(opened);
}

TEST_F(EngineFormsTest, ResizeMapAsksThroughTwoInputBoxes) {
    const int32_t width = Map().Width;
    ModalScript script({[](QWidget* w) {
                            auto* box = qobject_cast<QInputDialog*>(w);
                            ASSERT_NE(box, nullptr);
                            box->setTextValue("100");
                            box->accept();
                        },
                        [](QWidget* w) {
                            auto* box = qobject_cast<QInputDialog*>(w);
                            ASSERT_NE(box, nullptr);
                            EXPECT_EQ(box->labelText(), "y=");
                            box->reject();  // keeps the height it showed
                        }});
    const int32_t height = Map().Height;
    form->Action("ResizeMap")->trigger();
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_EQ(Map().Width, 100);
    EXPECT_EQ(Map().Height, height);
    EXPECT_NE(width, 100);
}

TEST_F(EngineFormsTest, ANewMapDrawsTheDefaultTerrainsAgainAfterARenamedSlot) {
    const auto pixels = [&](int terrain) {
        const tSurface* picture = Session().MapView()->Zoom->Terens.CellPicture(terrain, 0, 0);
        std::vector<uint16_t> all;
        for (int32_t y = 0; picture && y < picture->Height(); ++y)
            for (int32_t x = 0; x < picture->Width(); ++x)
                all.push_back(picture->PixelAt(x, y));
        return all;
    };
    const auto grass = pixels(5);
    ASSERT_FALSE(grass.empty());
    // A map whose slot 5 shows another terrain's pictures.
    Map().Terrains[5].Name = Map().Terrains[0].Name;
    Map().SaveToFileAtCentre((dir.Path() / "game" / "MAPS" / "renamed.map").string(), {0, 0});
    ASSERT_TRUE(Session().LoadMapFiles("MAPS/renamed.map", "MAPS/renamed.sav"));
    EXPECT_NE(pixels(5), grass);
    ASSERT_TRUE(Session().NewMapOfSize({"128", "128"}));
    EXPECT_EQ(pixels(5), grass);
}

TEST_F(EngineFormsTest, EscStopsAFillAtItsFirstVisit) {
    const QPoint at(400, 300);
    Mouse(QEvent::MouseMove, Qt::NoButton, at);
    const TPoint cell = Session().CursorCell;
    const int terrain = Map().GetTerrain(cell.X, cell.Y);
    Session().Tools().PressTerrainButton(terrain == 3 ? 4 : 3);
    Session().Tools().SetPenMode(kPenFill);
    QCoreApplication::postEvent(form->DXDraw1(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    EXPECT_EQ(Map().GetTerrain(cell.X, cell.Y), terrain);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_FALSE(form->Work()->Bar()->isVisible());

    // Without the key the fill runs to its end.
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
    EXPECT_NE(Map().GetTerrain(cell.X, cell.Y), terrain);
}

#endif

}  // namespace
}  // namespace tess
