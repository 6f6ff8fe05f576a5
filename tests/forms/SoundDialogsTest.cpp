// The sound dialogs as real widgets: the effect animation running on its timer, the building's
// face, "Ok" writing the table, one dialog of a kind at a time, and the modal object dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "QtTestApp.h"
#include "game/SoundFixture.h"
#include "game/forms/QtSoundPlayer.h"
#include "game/forms/SoundEditors.h"
#include "game/forms/SoundWidgets.h"
#include "game/forms/ZvukBuilding.h"
#include "game/forms/ZvukEfects.h"
#include "game/forms/ZvukObject.h"
#include "game/forms/ZvukPerson.h"

namespace tess {
namespace {

using test::ModalScript;

// Runs the event loop until `done` holds or two seconds have passed.
bool WaitFor(const std::function<bool()>& done) {
    // Windows closed outside any event loop are let go only when asked to, from outside one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (done()) return true;
    QEventLoop loop;
    QTimer poll, limit;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    limit.start(2000);
    loop.exec();
    return done();
}

// The colour the widget shows at a point, as the 16-bit pixel it came from.
uint16_t ShownPixel(QWidget* widget, int x, int y) {
    const QImage image = widget->grab().toImage();
    const QColor c = image.pixelColor(x, y);
    return Rgb565(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}

class SoundDialogsTest : public ::testing::Test {
  protected:
    SoundDialogsTest() { test::TestApp(); }

    // Every dialog gets a player that records into `played`.
    SoundEditors editors{nullptr, {}, [this] {
                             auto player = std::make_unique<test::RecordingPlayer>();
                             players.push_back(player.get());
                             return player;
                         }};
    test::SoundGame game;
    std::vector<test::RecordingPlayer*> players;
};

TEST_F(SoundDialogsTest, EffectDialogAnimatesOnItsTimerUntilTheOnceAnimationEnds) {
    editors.EditEffectSounds(2);  // once, 40 ms a frame, five frames
    TFormZvukEfects* dialog = editors.EffectDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Label1()->text(), "Jiskra");
    EXPECT_EQ(dialog->Edit2()->text(), "25");
    EXPECT_FALSE(dialog->CheckBox1()->isChecked());
    EXPECT_FALSE(dialog->CheckBox1()->isEnabled());
    EXPECT_FALSE(dialog->Label2()->isVisibleTo(dialog));
    EXPECT_FALSE(dialog->BackButton()->isVisibleTo(dialog));
    EXPECT_TRUE(dialog->FrameTimer().isActive());
    EXPECT_EQ(dialog->FrameTimer().interval(), 40);
    const int cx = TFormZvukEfects::kAreaWidth / 2, cy = TFormZvukEfects::kAreaHeight / 2;
    EXPECT_EQ(ShownPixel(dialog->Display(), cx, cy), test::StripColour(0));

    ASSERT_TRUE(WaitFor([&] { return !dialog->FrameTimer().isActive(); }));
    EXPECT_EQ(dialog->Rules().CurrentFrame(), test::kStripFrames - 1);
    EXPECT_EQ(ShownPixel(dialog->Display(), cx, cy), test::StripColour(test::kStripFrames - 1));

    // A new frame rate takes effect at once; "Play" runs the animation again.
    dialog->Edit2()->selectAll();
    dialog->Edit2()->insert("50");
    EXPECT_EQ(dialog->FrameTimer().interval(), 20);
    dialog->PlayButton()->click();
    EXPECT_TRUE(dialog->FrameTimer().isActive());
    ASSERT_TRUE(WaitFor([&] { return !dialog->FrameTimer().isActive(); }));
    EXPECT_EQ(dialog->Rules().CurrentFrame(), test::kStripFrames - 1);
}

TEST_F(SoundDialogsTest, EffectOkWritesTheTableAndCloses) {
    editors.EditEffectSounds(1);
    QPointer<TFormZvukEfects> dialog = editors.EffectDialog();
    dialog->Edit1()->selectAll();
    dialog->Edit1()->insert("FX\\NEW.WAV");
    dialog->Edit2()->selectAll();
    dialog->Edit2()->insert("20");
    dialog->CheckBox1()->setChecked(false);
    dialog->OkButton()->click();
    const EffectSound saved = ListEffectSounds()[0];
    EXPECT_EQ(saved.WavFile, "FX\\NEW.WAV");
    EXPECT_EQ(saved.Cas, 50);
    EXPECT_FALSE(saved.EachAnim);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(players.at(0)->closes, 1);                    // the sound stops with the window
    ASSERT_TRUE(WaitFor([&] { return dialog.isNull(); }));  // and the window is let go
    EXPECT_EQ(editors.EffectDialog(), nullptr);
}

TEST_F(SoundDialogsTest, FailedOkSaysSoAndKeepsTheDialog) {
    editors.EditEffectSounds(1);
    TFormZvukEfects* dialog = editors.EffectDialog();
    const std::vector<uint8_t> before = test::ReadFileBytes(game.EffectsPath());
    dialog->Edit1()->selectAll();
    dialog->Edit1()->insert(QString(50, 'x'));
    dialog->OkButton()->click();
    ASSERT_EQ(game.ui.messages.size(), 1u);
    EXPECT_NE(game.ui.messages[0].find("se nepodařilo uložit"), std::string::npos);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(test::ReadFileBytes(game.EffectsPath()), before);
    // Nor does another effect replace it: the edit would be lost.
    editors.EditEffectSounds(2);
    EXPECT_EQ(editors.EffectDialog(), dialog);
    EXPECT_EQ(game.ui.messages.size(), 2u);
}

TEST_F(SoundDialogsTest, LinkLabelsOpenTheLinkedEffectAndBackReturns) {
    editors.EditEffectSounds(1);
    TFormZvukEfects* first = editors.EffectDialog();
    first->Edit1()->selectAll();
    first->Edit1()->insert("FX\\LINK.WAV");
    EXPECT_EQ(first->Label3()->text(), "Po skončení začne efekt Kouř");
    first->Label3()->click();
    TFormZvukEfects* next = editors.EffectDialog();
    ASSERT_NE(next, first);
    EXPECT_EQ(next->Rules().EffectId(), 3);
    EXPECT_TRUE(next->BackButton()->isVisibleTo(next));
    EXPECT_EQ(ListEffectSounds()[0].WavFile, "FX\\LINK.WAV");  // saved on the way
    next->BackButton()->click();
    ASSERT_NE(editors.EffectDialog(), nullptr);
    EXPECT_EQ(editors.EffectDialog()->Rules().EffectId(), 1);
    EXPECT_FALSE(editors.EffectDialog()->BackButton()->isVisibleTo(editors.EffectDialog()));
}

TEST_F(SoundDialogsTest, BuildingDialogShowsTheFaceAndOneOpensAtATime) {
    editors.EditBuildingSounds(10);
    TFormZvukBuilding* dialog = editors.BuildingDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Label1()->text(), "Kovárna");
    EXPECT_EQ(dialog->Edit1()->text(), "budovy\\kovar.wav");
    EXPECT_EQ(ShownPixel(dialog->Display(), 3, 3), test::FaceColour(6));
    EXPECT_EQ(ShownPixel(dialog->Display(), test::kFaceWidth + 2, 3),
              Rgb565Of(dialog->palette().color(QPalette::Button)));

    dialog->Edit1()->selectAll();
    dialog->Edit1()->insert("budovy\\nova.wav");
    editors.EditBuildingSounds(11);  // the open one is saved as by "Ok", then replaced
    EXPECT_EQ(ListBuildingSounds()[0].WavFile, "budovy\\nova.wav");
    ASSERT_NE(editors.BuildingDialog(), nullptr);
    EXPECT_EQ(editors.BuildingDialog()->Rules().BuildingId(), 11);
    EXPECT_EQ(editors.BuildingDialog()->Rules().FaceFrame(), -1);

    editors.BuildingDialog()->PlayButton()->click();  // no sound: reported with its number
    EXPECT_EQ(game.ui.messages.size(), 1u);
}

TEST_F(SoundDialogsTest, ObjectDialogIsModalAndAnswersThroughUlozit) {
    ModalScript script({[](QWidget* w) {
        auto* dialog = qobject_cast<TFormZvukObject*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->CheckBox1()->checkState(), Qt::PartiallyChecked);
        EXPECT_TRUE(dialog->Edit(1)->isVisibleTo(dialog));
        EXPECT_FALSE(dialog->Edit(4)->isVisibleTo(dialog));
        dialog->RadioButtonDayNight()->click();
        EXPECT_FALSE(dialog->Edit(1)->isVisibleTo(dialog));
        EXPECT_TRUE(dialog->Edit(4)->isVisibleTo(dialog));
        EXPECT_FALSE(dialog->CheckBox1()->isEnabled());
        dialog->RadioButtonEach()->click();
        EXPECT_EQ(dialog->CheckBox1()->checkState(), Qt::Unchecked);
        EXPECT_TRUE(dialog->CheckBox1()->isEnabled());
        dialog->Button1()->click();
    }});
    EXPECT_TRUE(editors.EditObjectSounds(120));
    ModalScript cancel({[](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
    EXPECT_FALSE(editors.EditObjectSounds(120));
}

TEST_F(SoundDialogsTest, PersonDialogSlotsAndReplacement) {
    editors.EditPersonSounds(7);
    TFormZvukPerson* dialog = editors.PersonDialog();
    ASSERT_NE(dialog, nullptr);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(dialog->Edit(i)->text(), "0");
    EXPECT_FALSE(dialog->CheckBox1()->isChecked());
    dialog->Edit(2)->selectAll();
    dialog->Edit(2)->insert("fx\\boom.wav");
    EXPECT_TRUE(dialog->CheckBox1()->isChecked());
    dialog->PlayButton()->click();
    EXPECT_EQ(players.back()->played.size(), 1u);
    dialog->SeeButton(1)->click();  // no catalogue: nothing to show, no timer
    EXPECT_FALSE(dialog->FrameTimer().isActive());
    QPointer<TFormZvukPerson> first = dialog;
    editors.EditPersonSounds(8);
    ASSERT_TRUE(WaitFor([&] { return first.isNull(); }));
    EXPECT_NE(editors.PersonDialog(), nullptr);
}

TEST_F(SoundDialogsTest, QtPlayerTakesTheFileAndLetsItGo) {
    QtSoundPlayer player;
    EXPECT_TRUE(player.Source().isEmpty());
    const std::string path = game.dir.File("Sound/FX/boom.wav");
    player.Play(path);
    EXPECT_EQ(player.Source(), QUrl::fromLocalFile(QString::fromStdString(path)));
    player.Close();
    EXPECT_TRUE(player.Source().isEmpty());
}

}  // namespace
}  // namespace tess
