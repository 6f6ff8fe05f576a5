// The main window: its menu, start-up, the size dialog it forces, saving and the close question.
#include "editor/forms/MainForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <filesystem>

#include "QtTestApp.h"
#include "editor/forms/MapSurfaceWidget.h"
#include "editor/forms/RozmeryMapy.h"
#include "game/GameFixture.h"
#include "game/MapFiles.h"
#include "game/forms/SoundEditors.h"
#include "game/forms/ZvukBuilding.h"
#include "map/MapDat.h"
#include "resources/Settings.h"

namespace tess {
namespace {

using test::ModalScript;

class MainFormTest : public test::GameTest {
  protected:
    MainFormTest() {
        test::TestApp();
        std::filesystem::create_directories(dir.Path() / "MAPS");
        setup.GameDirectory = dir.Path().string();
        setup.Settings = &settings;
        setup.Seed = 3;
        setup.Walls = WallTableSource::None;
    }

    // "MAPS/default.map" with one player and its game data.
    void WriteDefaultMap() {
        auto map = std::make_unique<tMapa>();
        Random random;
        map->Create(96, 96, random, WallTableSource::None);
        map->SaveToFile(dir.File("MAPS/default.map"), ViewPosition{});
        auto data = std::make_unique<tKalistor>();
        data->Players[1].Used = 1;
        data->Players[1].Name.Set("R&D");
        data->PlayerCount = 1;
        data->SaveToFile(dir.File("MAPS/default.sav"));
    }

    std::unique_ptr<TForm1> StartedForm() {
        auto form = std::make_unique<TForm1>(setup);
        form->resize(800, 600);
        form->DXDraw1InitializeSurface();
        form->show();
        return form;
    }

    MemorySettings settings;
    SessionSetup setup;
};

TEST_F(MainFormTest, MenuFollowsTheTable) {
    TForm1 form(setup);
    int checked = 0;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& item, const std::string& path) {
        const std::string key = MenuKey(item, path);
        const QAction* action = form.Action(key);
        ASSERT_NE(action, nullptr) << key;
        ++checked;
        if (item.Separator) {
            EXPECT_TRUE(action->isSeparator()) << key;
            return;
        }
        EXPECT_EQ(action->text().toStdString(), item.Caption) << key;
        EXPECT_EQ(action->isVisible(), !item.Hidden) << key;
        const QKeySequence expected = ShortcutIsActive(item)
                                          ? QKeySequence(QString::fromStdString(item.Shortcut))
                                          : QKeySequence();
        EXPECT_EQ(action->shortcut(), expected) << key;
        EXPECT_EQ(action->isCheckable(), item.Checkable) << key;
        if (item.Checkable) {
            EXPECT_EQ(action->isChecked(), item.Checked) << key;
        }
        // The object menus wait for game data. (Qt also counts a hidden action as disabled.)
        const bool enabled = !item.Hidden && item.Enabling == MenuEnabling::Always &&
                             (item.IsSubmenu() || IsWired(item.Command));
        EXPECT_EQ(action->isEnabled(), enabled) << key;
    });
    EXPECT_GT(checked, 100);
    EXPECT_EQ(form.Action("Save1")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(form.Action("Zpt1")->isEnabled());
    EXPECT_TRUE(form.Action("Typpera1")->isEnabled());
    EXPECT_TRUE(form.Action("Loadmapu1")->isEnabled());
    EXPECT_EQ(form.windowTitle(), "Tessarine (editor map pro Velmoru) ... prosím chvíli");
}

TEST_F(MainFormTest, SessionOpensTheSoundDialogsOverTheWindow) {
    TForm1 form(setup);
    ASSERT_EQ(form.Session().SoundEditors(), &form.SoundEditors());
    form.Session().SoundEditors()->EditBuildingSounds(1);
    ASSERT_NE(form.SoundEditors().BuildingDialog(), nullptr);
    EXPECT_EQ(form.SoundEditors().BuildingDialog()->parentWidget(), &form);
}

TEST_F(MainFormTest, StartUpOnAGameOpensItsDefaultMap) {
    WriteDefaultMap();
    auto form = StartedForm();
    EditorSession& session = form->Session();
    EXPECT_EQ(session.FileName, "MAPS\\default.map");
    EXPECT_EQ(session.Map().Width, 96);
    EXPECT_EQ(ui.LastCaption(), "Tessarine redy ...");
    EXPECT_EQ(form->ProjectMenu()->title(), "default");
    ASSERT_EQ(form->PlayerActions().size(), 1u);
    EXPECT_EQ(form->PlayerActions()[0]->text(), "R&&D");  // a name, not a mnemonic
    EXPECT_EQ(form->PlayerActions()[0]->data().toInt(), 1);
    EXPECT_TRUE(form->Action("Nástrojové lišty/Objekty/Jednotky")->isEnabled());
    EXPECT_TRUE(form->Action("Projekt/Usedlosti")->isEnabled());
    EXPECT_FALSE(form->Action("Nástrojové lišty/Objekty/Budovy")->isEnabled());
    EXPECT_TRUE(form->DXDraw1()->isVisible());
    EXPECT_EQ(session.Surface().Width(), form->DXDraw1()->width());
    EXPECT_EQ(session.Surface().Height(), form->DXDraw1()->height());
}

TEST_F(MainFormTest, StartUpWithoutALastMapForcesTheSizeDialog) {
    ModalScript script({
        [](QWidget* w) { qobject_cast<TRozmeryMapy*>(w)->CancelButton()->click(); },
        [](QWidget* w) {
            auto* dialog = qobject_cast<TRozmeryMapy*>(w);
            dialog->EditX()->setText("300");
            dialog->OkButton()->click();
        },
    });
    auto form = StartedForm();
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_EQ(form->Session().Map().Width, 300);
    EXPECT_EQ(form->Session().Map().Height, 512);
    EXPECT_EQ(form->Session().FileName, "");
    EXPECT_EQ(form->ProjectMenu()->title(), "Projekt");
    EXPECT_FALSE(form->Action("Projekt/Usedlosti")->isEnabled());
}

TEST_F(MainFormTest, SaveWritesBothFilesAndAFailedCheckWritesNothing) {
    WriteDefaultMap();
    auto form = StartedForm();
    std::filesystem::remove(dir.File("MAPS/default.sav"));
    const auto mapBefore = test::ReadFileBytes(dir.File("MAPS/default.map"));

    // One player is too few for the map check.
    form->Session().Modified = true;
    form->Action("Save1")->trigger();
    EXPECT_EQ(ui.LastCaption(), "Save ... failed!");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("MAPS/default.sav")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("MAPS/default.map")), mapBefore);

    form->Session().Store().Players[2].Used = 1;
    form->Session().Store().PlayerCount = 2;
    form->Session().Map().SetLevel(4, 4, 7);
    form->Action("Save1")->trigger();
    EXPECT_EQ(ui.LastCaption(), "Save ... ok.");
    EXPECT_TRUE(std::filesystem::exists(dir.File("MAPS/default.sav")));
    EXPECT_NE(test::ReadFileBytes(dir.File("MAPS/default.map")), mapBefore);
    EXPECT_FALSE(form->Session().Modified);
}

TEST_F(MainFormTest, TheCloseQuestionComesOnlyWhenTheMapWasChanged) {
    WriteDefaultMap();
    {
        auto form = StartedForm();
        ui.Reset();
        EXPECT_TRUE(form->close());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(settings.GetInt("LitleMX", -1), -1);  // places untouched
    }
    auto form = StartedForm();
    ui.Reset();
    // Any press in the view is a change, even the right button that only scrolls.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->DXDraw1(), &press);
    EXPECT_EQ(form->DXDraw1()->cursor().shape(), Qt::SizeAllCursor);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(40, 40), QPointF(40, 40),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->DXDraw1(), &release);
    EXPECT_EQ(form->DXDraw1()->cursor().shape(), Qt::ArrowCursor);

    ui.messageAnswers = {Answer::Cancel};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Uložit mapu do souboru \"MAPS\\default.map\"?");
    EXPECT_NE(settings.GetInt("LitleMX", -1), -1);

    ui.messageAnswers = {Answer::No};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, TheViewShowsTheSurfaceAndFollowsTheWindowSize) {
    ModalScript script({[](QWidget* w) { qobject_cast<TRozmeryMapy*>(w)->OkButton()->click(); }});
    auto form = StartedForm();
    EditorSession& session = form->Session();
    session.Surface().Fill(Rgb565(255, 128, 0));
    const QImage shown = form->DXDraw1()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Expand5(31), Expand6(32), 0));

    form->resize(640, 480);
    QCoreApplication::processEvents();
    EXPECT_EQ(session.Surface().Width(), form->DXDraw1()->width());
    EXPECT_EQ(session.View().Right, form->DXDraw1()->width());
    EXPECT_EQ(session.View().Bottom, form->DXDraw1()->height());
}

TEST_F(MainFormTest, ReverseScrollMarkFollowsAndWritesTheSetting) {
    settings.SetInt(kReverseScrollValue, 1);
    WriteDefaultMap();
    auto form = StartedForm();
    QAction* reverse = form->Action("Obrtinkniply1");
    EXPECT_TRUE(reverse->isChecked());
    reverse->trigger();
    EXPECT_FALSE(reverse->isChecked());
    EXPECT_EQ(settings.GetInt(kReverseScrollValue, -1), 0);
}

}  // namespace
}  // namespace tess
