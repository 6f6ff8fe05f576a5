// The palette windows on a copy of the demo game: menu fills, previews, terrain, level and wall
// buttons, the layer boxes, the terrain-binding dialog, and the places kept between runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <filesystem>
#include <set>

#include "QtTestApp.h"
#include "editor/ToolBox.h"
#include "editor/forms/EditTeren.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/PaletteWindows.h"
#include "editor/forms/SeleObj.h"
#include "editor/forms/SelePero.h"
#include "editor/forms/SeleTer.h"
#include "editor/forms/SeleWall.h"
#include "editor/palettes/Palettes.h"
#include "game/forms/SoundEditors.h"
#include "resources/BigFile.h"
#include "resources/Settings.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "view/ViewDat.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

#ifdef TESS_DEMO_DIR

class PalettesTest : public ::testing::Test {
  protected:
    PalettesTest() {
        test::TestApp();
        fs::copy(TESS_DEMO_DIR, dir.Path() / "game", fs::copy_options::recursive);
        cwd = std::make_unique<test::ScopedCurrentDir>(dir.Path() / "game");
        BigFile().Open("zor.dat");
        setup.GameDirectory = (dir.Path() / "game").string();
        setup.Settings = &settings;
        setup.Seed = 5;
    }
    ~PalettesTest() override {
        form.reset();
        BigFile().Close();
    }

    std::unique_ptr<TForm1> Started() {
        auto started = std::make_unique<TForm1>(setup);
        started->resize(1024, 768);
        started->DXDraw1InitializeSurface();
        started->show();
        QCoreApplication::processEvents();
        return started;
    }
    void Start() { form = Started(); }

    EditorSession& Session() { return form->Session(); }
    const ToolState& State() { return Session().Tools().State(); }
    PaletteWindows& Palettes() { return form->Palettes(); }
    void Trigger(const std::string& key) {
        QAction* action = form->Action(key);
        ASSERT_NE(action, nullptr) << key;
        ASSERT_TRUE(action->isEnabled()) << key;
        action->trigger();
    }
    static void Click(QWidget* target) {
        const QPoint at(target->width() / 2, target->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
    }
    // Distinct colours of a widget as it shows now.
    static size_t Colours(QWidget* widget) {
        const QImage image = widget->grab().toImage();
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        return colours.size();
    }

    test::TempDir dir;
    std::unique_ptr<test::ScopedCurrentDir> cwd;
    test::ScopedTestUi ui;
    MemorySettings settings;
    SessionSetup setup;
    std::unique_ptr<TForm1> form;
};

TEST_F(PalettesTest, AMenuLeafFillsAndShowsTheObjectPaletteOnItsTab) {
    Start();
    TSeleObj* palette = Palettes().Obj();
    EXPECT_FALSE(palette->isVisible());
    Trigger("Nástrojové lišty/Objekty/Budovy/Lidské/Město");
    ASSERT_TRUE(palette->isVisible());
    EXPECT_EQ(palette->pos(), QPoint(20, 40));
    EXPECT_EQ(palette->windowTitle(), "Výběr objektů");
    EXPECT_EQ(palette->PageControl1()->currentIndex(), 0);
    EXPECT_EQ(palette->ComboBoxRasy()->currentText(), "1 Lidé");
    EXPECT_EQ(palette->ComboBoxTyp()->currentText(), "3 Město");
    EXPECT_FALSE(palette->CBox(0)->isVisible());
    const ObjectPalette& rules = Session().PaletteRules().Objects();
    ASSERT_GT(rules.List().Count(), 0);
    EXPECT_EQ(palette->Preview(0)->toolTip().toStdString(),
              Cp1250ToUtf8(rules.List().Entry(0).Name));

    Trigger("Nástrojové lišty/Objekty/Příroda");
    EXPECT_EQ(palette->PageControl1()->currentIndex(), 3);
    EXPECT_TRUE(palette->PageControl2()->isVisible());
    EXPECT_TRUE(palette->CBox(0)->isVisible());
    EXPECT_FALSE(palette->ComboBoxRasy()->isVisible());
    EXPECT_TRUE(palette->Nahodne()->isChecked());
    ASSERT_GT(rules.List().Count(), 3);
    // Trees have pictures: the previews are drawn, not blank.
    EXPECT_GT(Colours(palette->Preview(0)), 8u);
    // The bar pages through the list and the previews follow.
    palette->TrackBar()->setValue(1);
    EXPECT_EQ(palette->Preview(0)->toolTip().toStdString(),
              Cp1250ToUtf8(rules.List().Entry(1).Name));
    // Another tab fills itself; "Efekty" is there only for the sound designer.
    palette->PageControl1()->setCurrentIndex(4);
    EXPECT_EQ(rules.Tab(), ObjectTab::Dalsi);
    EXPECT_EQ(palette->NameLabel()->text().toStdString(), Cp1250ToUtf8(rules.NameLabel()));
    EXPECT_FALSE(palette->PageControl1()->isTabVisible(5));
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
}

TEST_F(PalettesTest, ClickingAPreviewArmsTheObjectToolWithThatEntry) {
    Start();
    Trigger("Nástrojové lišty/Objekty/Další");
    TSeleObj* palette = Palettes().Obj();
    const PaletteList& list = Session().PaletteRules().Objects().List();
    ASSERT_GT(list.Count(), 5);
    palette->TrackBar()->setValue(2);
    Click(palette->Preview(1));
    EXPECT_EQ(State().ToolCode, kObjectTool);
    EXPECT_EQ(State().CurrentPack.IdObject, list.Entry(3).IdObject);
    EXPECT_EQ(State().CurrentPack.Name, list.Entry(3).Name);
    EXPECT_EQ(State().CurrentPack.RandomShade, 1);
    EXPECT_EQ(palette->Bevel(1)->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(palette->Bevel(0)->frameShadow(), QFrame::Raised);

    // The mix page takes over the palette and the brush.
    Trigger("Nástrojové lišty/Objekty/Příroda");
    palette->PageControl2()->setCurrentIndex(1);
    EXPECT_TRUE(palette->MixShown());
    palette->MixBox(0)->setCurrentIndex(1);
    emit palette->MixBox(0)->activated(1);
    EXPECT_EQ(State().CurrentPack.TreeLetters, "j");
    EXPECT_EQ(palette->MixLabel(0)->text(), "100%");
    EXPECT_EQ(State().CurrentPack.TreeMode, 1);
}

TEST_F(PalettesTest, InSoundModeAChosenEntryOpensItsSoundDialog) {
    Start();
    Session().Run(MenuCommand::ToggleSoundEditing);  // a hidden item
    ASSERT_TRUE(Session().Options.SoundEditing);
    Palettes().Ter()->Teren(4)->click();
    TSeleObj* palette = Palettes().Obj();
    Session().PaletteRules().Objects().FillPaletteEffects();
    EXPECT_TRUE(palette->PageControl1()->isTabVisible(5));
    EXPECT_EQ(palette->PageControl1()->currentIndex(), 5);
    ASSERT_GT(Session().PaletteRules().Objects().List().Count(), 0);
    Click(palette->Preview(0));
    EXPECT_NE(form->SoundEditors().EffectDialog(), nullptr);
    EXPECT_EQ(State().ToolCode, 4);
    EXPECT_EQ(palette->Bevel(0)->frameShadow(), QFrame::Sunken);
}

TEST_F(PalettesTest, TerrainButtonsAndTheLevelBarSelectTheirTools) {
    Start();
    Trigger("Tereny1");
    TseleTer* terrain = Palettes().Ter();
    ASSERT_TRUE(terrain->isVisible());
    EXPECT_EQ(terrain->windowTitle(), "Tereny");
    // Right edge of the main window, above the pen palette.
    EXPECT_EQ(terrain->x(), form->frameGeometry().width() - terrain->frameGeometry().width() - 10);
    for (int t = 0; t < 10; ++t)
        EXPECT_FALSE(terrain->Teren(t)->icon().isNull()) << t;
    EXPECT_GT(Colours(terrain->Teren(5)), 8u);

    terrain->Teren(5)->click();
    EXPECT_EQ(State().ToolCode, 5);
    EXPECT_TRUE(terrain->Teren(5)->isChecked());
    EXPECT_EQ(terrain->Bevel2()->frameShadow(), QFrame::Raised);
    terrain->TrackBar1()->setValue(2);
    EXPECT_EQ(State().ToolCode, kLevelTool + 5);
    EXPECT_FALSE(terrain->Teren(5)->isChecked());
    EXPECT_EQ(terrain->Bevel2()->frameShadow(), QFrame::Sunken);
    terrain->TrackBar1()->setValue(0);
    terrain->BitBtn4()->click();  // one level above the top: still 7
    EXPECT_EQ(State().ToolCode, kLevelTool + 7);
    terrain->BitBtn3()->click();
    EXPECT_EQ(State().ToolCode, kLevelTool + 6);
    EXPECT_EQ(terrain->TrackBar1()->value(), 1);
}

TEST_F(PalettesTest, DoubleClickingATerrainBindsItToAnotherPictureSet) {
    Start();
    TseleTer* terrain = Palettes().Ter();
    const QImage before = terrain->Teren(5)->icon().pixmap(64, 64).toImage();
    test::ModalScript script({[](QWidget* w) {
        auto* dialog = qobject_cast<TEditTeren*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Navolit terén");
        EXPECT_FALSE(dialog->Edit1()->isVisible());
        dialog->ComboBox1()->setCurrentText("lava");
        dialog->OkButton()->click();
    }});
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(terrain->Teren(5), &twice);
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_EQ(Session().Map().Terrains[5].Name, "lava");
    EXPECT_TRUE(Session().Modified);
    EXPECT_EQ(State().ToolCode, 5);
    EXPECT_NE(terrain->Teren(5)->icon().pixmap(64, 64).toImage(), before);
    // The water slots keep their pictures: no dialog.
    QCoreApplication::sendEvent(terrain->Teren(11), &twice);
    EXPECT_EQ(Session().Map().Terrains[11].Name, DefaultTerrainName(11));
}

TEST_F(PalettesTest, AWallButtonWithZalamovatChoosesTheKindEightHigher) {
    Start();
    Trigger("Stny1");
    TseleWall* walls = Palettes().Wall();
    ASSERT_TRUE(walls->isVisible());
    EXPECT_EQ(walls->pos(), QPoint(10, 50));
    EXPECT_EQ(walls->windowTitle(), "Lišta pro tvorbu zdí");
    EXPECT_GT(Colours(walls->SpeedButton(4)), 8u);
    walls->SpeedButton(2)->click();
    EXPECT_EQ(State().ToolCode, kWallTool);
    EXPECT_EQ(State().CurrentPack.IdObject, 3);
    walls->CheckBox1()->click();
    EXPECT_EQ(State().CurrentPack.IdObject, 11);
    walls->SpeedButton(4)->click();
    EXPECT_EQ(State().CurrentPack.IdObject, 13);
    EXPECT_TRUE(walls->SpeedButton(4)->isChecked());
    EXPECT_FALSE(walls->SpeedButton(2)->isChecked());
    EXPECT_EQ(walls->SpeedButton(4)->toolTip(), "Zeď ()");
}

TEST_F(PalettesTest, ThePenPaletteSetsTheBrushAndTheViewsLayers) {
    Start();
    Trigger("Typpera1");
    TselePero* pen = Palettes().Pero();
    ASSERT_TRUE(pen->isVisible());
    EXPECT_EQ(pen->windowTitle(), "Pero");
    EXPECT_TRUE(pen->SpeedButton8()->isChecked());
    pen->TrackBar1()->setValue(3);
    EXPECT_EQ(State().PenRadius, 3);
    EXPECT_EQ(Session().MapView()->CursorWidth, 6);
    pen->SpeedButton1()->click();
    EXPECT_EQ(State().PenMode, kPenFill);
    EXPECT_EQ(pen->TrackBar1()->value(), 0);
    pen->SpeedButton12()->click();
    EXPECT_EQ(State().ToolCode, kDeleteTool);
    EXPECT_TRUE(pen->SpeedButton12()->isChecked());
    pen->LayerBox(1)->click();  // "Stromy"
    EXPECT_EQ(Session().MapView()->Layers, 61);
    pen->LayerBox(1)->click();
    EXPECT_EQ(Session().MapView()->Layers, 63);
    // A terrain from the other palette releases the delete button.
    Palettes().Ter()->Teren(2)->click();
    EXPECT_FALSE(pen->SpeedButton12()->isChecked());
}

TEST_F(PalettesTest, ThePalettesPlacesAndVisibilityComeBackAtTheNextStart) {
    Start();
    Trigger("Typpera1");
    Trigger("Tereny1");
    Trigger("Nástrojové lišty/Objekty/Suroviny");
    Palettes().Pero()->move(300, 310);
    Palettes().Ter()->move(320, 330);
    Palettes().Obj()->move(340, 350);
    Session().Modified = true;
    ui.messageAnswers.push_back(Answer::No);
    ASSERT_TRUE(form->close());
    form.reset();
    EXPECT_EQ(settings.GetInt("selePeroX", 0), 300);
    EXPECT_TRUE(settings.GetBool("SeleObjex", false));
    EXPECT_FALSE(settings.GetBool("seleWallex", true));

    Start();
    EXPECT_TRUE(Palettes().Pero()->isVisible());
    EXPECT_EQ(Palettes().Pero()->pos(), QPoint(300, 310));
    EXPECT_TRUE(Palettes().Ter()->isVisible());
    EXPECT_EQ(Palettes().Ter()->pos(), QPoint(320, 330));
    EXPECT_TRUE(Palettes().Obj()->isVisible());
    EXPECT_EQ(Palettes().Obj()->pos(), QPoint(340, 350));
    EXPECT_FALSE(Palettes().Wall()->isVisible());
    // A visible object palette comes back listing "Další".
    EXPECT_EQ(Session().PaletteRules().Objects().Tab(), ObjectTab::Dalsi);
    EXPECT_GT(Session().PaletteRules().Objects().List().Count(), 0);
    // Closing a palette only hides it.
    Palettes().Obj()->close();
    EXPECT_FALSE(Palettes().Obj()->isVisible());
    EXPECT_GT(Session().PaletteRules().Objects().List().Count(), 0);
}

#endif

}  // namespace
}  // namespace tess
