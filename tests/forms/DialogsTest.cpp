// The size dialog, the message and error boxes, and the settings store, through real widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "QtTestApp.h"
#include "editor/EditorSession.h"
#include "editor/forms/QtSettingsStore.h"
#include "editor/forms/QtUiHost.h"
#include "editor/forms/RozmeryMapy.h"
#include "editor/forms/WidgetToolWindow.h"

namespace tess {
namespace {

using test::ModalScript;

class DialogsTest : public ::testing::Test {
  protected:
    DialogsTest() { test::TestApp(); }
};

TEST_F(DialogsTest, SizeDialogShowsItsTextsAndStartValues) {
    TRozmeryMapy dialog;
    EXPECT_EQ(dialog.windowTitle(), "Nová mapa");
    EXPECT_EQ(dialog.EditX()->text(), "256");
    EXPECT_EQ(dialog.EditY()->text(), "512");
    EXPECT_EQ(dialog.EditX()->toolTip(), "rozmezi hodnot [128 .. 2047]");
    EXPECT_EQ(dialog.OkButton()->text(), "Ok");
    EXPECT_EQ(dialog.CancelButton()->text(), "Storno");
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("rozměr X"));
    EXPECT_TRUE(labels.contains("rozměr Y"));
}

TEST_F(DialogsTest, SizeDialogOkFollowsTheFieldEditedLast) {
    TRozmeryMapy dialog;
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.EditX()->setText("127");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.EditY()->setText("300");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.EditY()->setText("2048");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.EditX()->setText("2047");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    const MapSizeTexts texts = dialog.Texts();
    EXPECT_EQ(texts.X, "2047");
    EXPECT_EQ(texts.Y, "2048");
}

TEST_F(DialogsTest, SizeDialogAnswersThroughItsButtons) {
    TRozmeryMapy dialog;
    ModalScript script({[](QWidget* w) {
        auto* d = qobject_cast<TRozmeryMapy*>(w);
        ASSERT_NE(d, nullptr);
        d->EditX()->setText("640");
        d->OkButton()->click();
    }});
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Texts().X, "640");
    ModalScript cancel(
        {[](QWidget* w) { qobject_cast<TRozmeryMapy*>(w)->CancelButton()->click(); }});
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

// Clicks the box's button of the given role and records the box's text and buttons.
struct BoxSeen {
    QString text;
    QMessageBox::StandardButtons buttons;
};

ModalScript::Step Click(QMessageBox::StandardButton button, BoxSeen& seen) {
    return [button, &seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen.text = box->text();
        seen.buttons = box->standardButtons();
        box->button(button)->click();
    };
}

TEST_F(DialogsTest, MessageBoxesOfferTheAskedButtons) {
    QtUiHost host;
    BoxSeen seen;
    {
        ModalScript script({Click(QMessageBox::No, seen)});
        EXPECT_EQ(host.MessageBox("Uložit mapu?", Buttons::YesNoCancel), Answer::No);
        EXPECT_EQ(seen.text, "Uložit mapu?");
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    {
        ModalScript script({Click(QMessageBox::Yes, seen)});
        EXPECT_EQ(host.MessageBox("Opravdu?", Buttons::YesNo), Answer::Yes);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    }
    {
        ModalScript script({Click(QMessageBox::Ok, seen)});
        EXPECT_EQ(host.MessageBox("Hotovo", Buttons::Ok), Answer::Ok);
        EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    }
    {
        // Closing a question without a button is Cancel.
        ModalScript script({[](QWidget* w) { qobject_cast<QMessageBox*>(w)->reject(); }});
        EXPECT_EQ(host.MessageBox("Uložit mapu?", Buttons::YesNoCancel), Answer::Cancel);
    }
}

TEST_F(DialogsTest, ErrorBoxOffersAbortAndRetry) {
    QtUiHost host;
    BoxSeen seen;
    {
        ModalScript script({Click(QMessageBox::Retry, seen)});
        EXPECT_EQ(host.ErrorBox("Chybí DATA\\teren.dat"), ErrorChoice::Retry);
        EXPECT_EQ(seen.buttons, QMessageBox::Abort | QMessageBox::Retry);
        EXPECT_EQ(seen.text, "Chybí DATA\\teren.dat");
    }
    {
        ModalScript script({Click(QMessageBox::Abort, seen)});
        EXPECT_EQ(host.ErrorBox("x"), ErrorChoice::Abort);
    }
}

TEST_F(DialogsTest, CaptionGoesToTheWindow) {
    QWidget window;
    QtUiHost host(&window);
    host.SetCaption("Save ... ok.");
    EXPECT_EQ(window.windowTitle(), "Save ... ok.");
}

// --- settings --------------------------------------------------------------------------------

std::unique_ptr<QSettings> FileSettings(const QString& path) {
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

TEST_F(DialogsTest, SettingsKeepTheirValueNamesAndTypes) {
    QTemporaryDir dir;
    const QString file = dir.filePath("settings.ini");
    {
        QtSettingsStore store(FileSettings(file));
        EXPECT_EQ(store.GetString(kLastMapValue, kDefaultLastMap), "MAPS\\default.map");
        EXPECT_EQ(store.GetInt(kReverseScrollValue, 0), 0);
        EXPECT_TRUE(store.GetBool("LitleMex", true));
        store.SetString(kLastMapValue, "/hry/Velmora/MAPS/Údolí.map");
        store.SetInt(kReverseScrollValue, 1);
        store.SetBool("LitleMex", false);
        store.SetInt("LitleMX", -40);
    }
    QtSettingsStore again(FileSettings(file));
    EXPECT_EQ(again.GetString(kLastMapValue, ""), "/hry/Velmora/MAPS/Údolí.map");
    EXPECT_EQ(again.GetInt(kReverseScrollValue, 0), 1);
    EXPECT_FALSE(again.GetBool("LitleMex", true));
    EXPECT_EQ(again.GetInt("LitleMX", 0), -40);
    // A value of another type gives the fallback rather than 0.
    EXPECT_EQ(again.GetInt(kLastMapValue, 7), 7);
    EXPECT_EQ(again.Settings().value("LastMap").toString(), "/hry/Velmora/MAPS/Údolí.map");
}

TEST_F(DialogsTest, TheEditorsOwnSettingsLiveUnderItsOrganisation) {
    {
        QtSettingsStore store;
        store.SetInt(kReverseScrollValue, 1);
    }
    // Redirected by the test set-up: the user's real settings are never touched.
    const QString expected = test::SettingsDirectory().filePath("Korvel Studio/Tessarine.conf");
    EXPECT_TRUE(QFileInfo::exists(expected)) << expected.toStdString();
    QSettings check(expected, QSettings::IniFormat);
    EXPECT_EQ(check.value("ObracenyKniply").toInt(), 1);
}

TEST_F(DialogsTest, WindowPlacesRoundTripThroughQSettings) {
    QTemporaryDir dir;
    const QString file = dir.filePath("places.ini");
    QWidget mini, wall;
    WidgetToolWindow miniPlace(&mini), wallPlace(&wall);
    {
        QtSettingsStore store(FileSettings(file));
        store.SetInt("LitleMX", 120);
        store.SetInt("LitleMY", 80);
        store.SetBool("LitleMex", true);
        struct NoWindow final : MainWindowPort {
            std::optional<std::string> ChooseMapToOpen(const FileDialogSetup&) override {
                return {};
            }
            std::optional<std::string> ChooseMapToSave(const FileDialogSetup&) override {
                return {};
            }
            std::optional<MapSizeTexts> AskNewMapSize() override { return {}; }
            void ShowSurface(const ObjectMenuState&) override {}
            void ShowProjectMenu(const ProjectMenu&) override {}
            void SetViewCursor(ViewCursor) override {}
            CheckProgress* StartMapCheck() override { return nullptr; }
            void FinishMapCheck(const std::vector<CheckFinding>&) override {}
        } port;
        SessionSetup setup;
        setup.Settings = &store;
        EditorSession session(setup, port);
        session.RestoreWindowPlaces({&miniPlace, nullptr, nullptr, nullptr, &wallPlace});
        EXPECT_TRUE(mini.isVisible());
        EXPECT_EQ(mini.pos(), QPoint(120, 80));
        EXPECT_FALSE(wall.isVisible());
        wall.move(33, 44);
        wall.show();
        mini.hide();
        session.SaveWindowPlaces();
    }
    QtSettingsStore store(FileSettings(file));
    EXPECT_EQ(store.GetInt("seleWallX", 0), 33);
    EXPECT_EQ(store.GetInt("seleWallY", 0), 44);
    EXPECT_TRUE(store.GetBool("seleWallex", false));
    EXPECT_FALSE(store.GetBool("LitleMex", true));
    EXPECT_EQ(store.GetInt("LitleMX", 0), 120);
}

}  // namespace
}  // namespace tess
