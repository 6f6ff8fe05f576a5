// The game-data editors' forms: controls filled from a record, Ok storing through the rules,
// the delete buttons, and the store opening them as modal dialogs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

#include "QtTestApp.h"
#include "game/EditorMapSide.h"
#include "game/GameFixture.h"
#include "game/forms/EditBuild.h"
#include "game/forms/EditPlayer.h"
#include "game/forms/EditTouwn.h"
#include "game/forms/EditUpgrade.h"
#include "game/forms/EditVojak.h"
#include "game/forms/EditVztah.h"
#include "game/forms/QtEditorDialogs.h"
#include "map/MapDat.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {
namespace {

class GameEditorsTest : public test::GameTest {
  protected:
    GameEditorsTest()
        : map(std::make_unique<tMapa>()),
          side(
              *map, [this]() -> const tObjects& { return objects; }, *store,
              [this](int32_t unit) { armed = unit; }) {
        test::TestApp();
        Random random(2);
        map->Create(64, 64, random, WallTableSource::None);
        for (int32_t i : {1, 2, 3}) {
            tPlayerRec& p = store->Players[i];
            p.Used = 1;
            p.Name.Set("P" + std::to_string(i));
            p.IdRasa = 1;
            p.RidiPocitac = 1;
            p.Povaha = 1;
            std::fill(std::begin(p.Vztah), std::end(p.Vztah), kEnemy);
            p.Vztah[i] = kAlly;
            std::fill(std::begin(p.StavBudov), std::end(p.StavBudov), 3);
            std::fill(std::begin(p.StavJednotek), std::end(p.StavJednotek), 3);
        }
        store->PlayerCount = 3;
    }
    static QStringList Texts(const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    static void DoubleClick(QWidget* target) {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &click);
    }
    tUnitRec& PlacedUnit(int32_t index, int32_t x, int32_t y) {
        tUnitRec& u = store->Units[index];
        u.Used = 1;
        u.IdPerson = 1;
        u.IdPlayer = 2;
        u.IdObject = 3455;
        u.Smer = 5;
        u.X = x;
        u.Y = y;
        u.UtoC = 14;
        u.ObrC = u.Zivoty = -1;
        u.ProcZivotu = 50;
        store->UnitCount = std::max(store->UnitCount, index);
        map->SetOccupancy(x, y, 2);
        map->SetLinkKind(x, y, 2);
        map->SetId(x, y, index);
        return u;
    }

    std::unique_ptr<tMapa> map;
    tObjects objects;
    int32_t armed = 0;
    GridMapSide side;
};

TEST_F(GameEditorsTest, ThePlayerEditorShowsTheRecordAndOkStoresThroughItsRules) {
    tPlayerRec& p = store->Players[2];
    p.RidiPocitac = 0;
    p.Penize = 120;
    PlayerEditorRules rules(*store, 2, p);
    TEditHrac dialog(rules);
    EXPECT_EQ(dialog.windowTitle(), "Editace hráče");
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog.Name()->text(), "P2");
    EXPECT_EQ(Texts(dialog.IdRasa()),
              (QStringList{"1   Lidi", "2   Barbaři", "3   Trpaslíci", "4   Elfové"}));
    EXPECT_EQ(dialog.IdRasa()->currentText(), "1   Lidi");
    EXPECT_EQ(dialog.Povaha()->currentText(), "1  Nepřítel");
    EXPECT_FALSE(dialog.Povaha()->isEnabled());
    dialog.RidiPocitac()->setChecked(true);
    EXPECT_TRUE(dialog.Povaha()->isEnabled());
    EXPECT_EQ(dialog.Edit("Penize")->text(), "120");
    EXPECT_EQ(dialog.Edit("Tag")->objectName(), "Edit1");

    dialog.SetColourChooser([](QColor initial, QWidget*) -> std::optional<QColor> {
        EXPECT_EQ(initial, QColor(0, 0, 0));
        return QColor(10, 20, 30);
    });
    dialog.Button4()->click();
    EXPECT_EQ(dialog.Button4()->palette().color(QPalette::ButtonText), QColor(10, 20, 30));
    EXPECT_EQ(p.Barva, 0);  // stored with Ok

    dialog.Name()->setText("Tmavý");
    dialog.Povaha()->setCurrentIndex(2);
    dialog.Edit("Surovina")->setText("x");
    dialog.Button("Ok")->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Pole „Surovina“: „x“ není celé číslo.");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(p.Name.Get(), "P2");

    dialog.Edit("Surovina")->setText("75");
    dialog.Button("Ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Cp1250ToUtf8(p.Name.Get()), "Tmavý");
    EXPECT_EQ(p.RidiPocitac, 1);
    EXPECT_EQ(p.Povaha, 3);
    EXPECT_EQ(p.Surovina, 75);
    EXPECT_EQ(p.Barva, 10 + 20 * 256 + 30 * 65536);
}

TEST_F(GameEditorsTest, ThePlayerEditorsOtherButtons) {
    tPlayerRec& p = store->Players[1];
    store->Settlements[1].Used = 1;
    store->Settlements[1].IdPlayer = 1;
    store->SettlementCount = 1;
    for (int32_t b = 1; b <= 3; ++b) {
        store->Buildings[b].Used = 1;
        store->Buildings[b].IdTouwn = b == 3 ? 0 : 1;
    }
    store->BuildingCount = 3;
    PlayerEditorRules rules(*store, 1, p);
    TEditHrac dialog(rules);
    DoubleClick(dialog.Edit("MaxBuild"));
    EXPECT_EQ(dialog.Edit("MaxBuild")->text(), "2");

    dialog.Button("Vztahy")->click();
    ASSERT_EQ(dialog.RelationWindows().size(), 1u);
    EXPECT_EQ(dialog.RelationWindows()[0]->Rules().Shown(), 1);
    dialog.Button("Permission3")->click();
    ASSERT_EQ(dialog.PermissionWindows().size(), 1u);
    EXPECT_EQ(dialog.PermissionWindows()[0]->Rules().Kind(), kPermitSpells);
    EXPECT_EQ(dialog.PermissionWindows()[0]->KindTabs()->currentIndex(), 2);

    dialog.Button("Smazat")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(p.Used, 0);
}

TEST_F(GameEditorsTest, TheRelationWindowCyclesBoxesSetsThemAllAndStoresBothWays) {
    auto* window = new TVztahHracu(*store, 1);
    window->show();
    QListWidget* list = window->CheckListBox1();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), "2 P2");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);  // its own: ally
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_FALSE(list->item(1)->flags() & Qt::ItemIsUserCheckable);
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(list->item(1)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(window->LegendBox(1)->text(), "Aliance");
    EXPECT_EQ(window->LegendBox(2)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(window->LegendBox(3)->text(), "Nepřítel");

    window->LegendBox(1)->click();  // every player an ally; the box keeps its look
    EXPECT_EQ(window->LegendBox(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
    QPointer<TVztahHracu> alive(window);
    window->OkButton()->click();
    EXPECT_EQ(store->Players[1].Vztah[3], kAlly);
    EXPECT_EQ(store->Players[3].Vztah[1], kAlly);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(GameEditorsTest, ThePermissionWindowFollowsItsTabsAndStores) {
    auto* window = new TStavUpgrade(*store, PermissionTables::Read(), 1, 1, kPermitBuildings);
    window->show();
    EXPECT_EQ(window->windowTitle(), "Použitelné upgrade");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->KindTabs()->tabText(0), "Buodvy");
    EXPECT_EQ(window->RaceTabs()->tabText(3), "Elfové");
    EXPECT_FALSE(window->LegendBox(2)->isVisible());
    EXPECT_EQ(window->LegendBox(1)->text(), "Nepoužívat");
    QListWidget* list = window->CheckListBox1();
    ASSERT_EQ(list->count(), 3);  // Radnice, Kasárna, Pokladnice: the human town's buildings
    EXPECT_EQ(list->item(1)->text(), "11  Kasárna");
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);

    window->RaceTabs()->setCurrentIndex(1);  // stores, then shows the barbarians' osada
    EXPECT_EQ(store->Players[1].StavBudov[11], 1);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "20  Chýše");
    window->KindTabs()->setCurrentIndex(1);
    EXPECT_TRUE(window->LegendBox(2)->isVisible());
    EXPECT_EQ(window->LegendBox(3)->text(), "Vyzkoumáno");
    window->KindTabs()->setCurrentIndex(4);
    window->RaceTabs()->setCurrentIndex(2);
    ASSERT_EQ(list->count(), 2);  // Vlk of every race, Trpaslík
    window->LegendBox(1)->click();
    window->OkButton()->click();
    EXPECT_EQ(store->Players[1].StavJednotek[3], 2);
    EXPECT_EQ(store->Players[1].StavJednotek[1], 3);
}

TEST_F(GameEditorsTest, TheSettlementEditorShowsItsKindAndDeletes) {
    tSettlementRec& s = store->Settlements[1];
    s.Used = 1;
    s.Usedlost = 2;
    s.IdPlayer = 3;
    s.Name.Set("Ves");
    store->SettlementCount = 1;
    SettlementEditorRules rules(*store, s);
    TEditMesto dialog(rules);
    EXPECT_EQ(dialog.windowTitle(), "Editace usedlosti");
    EXPECT_EQ(dialog.Usedlost()->currentText(), "2 - Vesnice");
    EXPECT_FALSE(dialog.Usedlost()->isEnabled());
    EXPECT_EQ(dialog.IdPlayer()->currentText(), "3   P3");
    EXPECT_EQ(dialog.IdRasa()->toolTip(), "rasa která tohle město zbudovala");
    dialog.Name()->setText("Město");
    dialog.IdPlayer()->setCurrentIndex(0);
    dialog.Tag()->setText("12");
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Cp1250ToUtf8(s.Name.Get()), "Město");
    EXPECT_EQ(s.IdPlayer, 1);
    EXPECT_EQ(s.Tag, 12);

    TEditMesto again(rules);
    again.DeleteButton()->click();
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(s.Used, 0);
}

TEST_F(GameEditorsTest, TheBuildingEditorsBarsLabelAndDelete) {
    tBuildingRec& b = store->Buildings[1];
    b.Used = 1;
    b.IdBuilding = 43;
    b.IdObject = 430;
    b.ProcVystavby = 100;
    b.ProcZivotu = 90;
    b.X = 8;
    b.Y = 8;
    store->BuildingCount = 1;
    map->SetOccupancy(8, 8, 2);
    map->SetLinkKind(8, 8, 1);
    map->SetId(8, 8, 1);
    BuildingEditorRules rules(*store, 1, b, &side);
    TEditStavba dialog(rules);
    EXPECT_EQ(dialog.Name()->text(), "Pokladnice");
    EXPECT_FALSE(dialog.Name()->isEnabled());
    EXPECT_FALSE(dialog.IdRasa()->isEnabled());
    EXPECT_EQ(dialog.Label7()->text(), "Peníze/Surovina");
    EXPECT_EQ(dialog.Label4()->text(), "Výstavba 100 %");
    EXPECT_EQ(dialog.ProcVystavby()->minimum(), 1);
    dialog.ProcVystavby()->setValue(40);
    EXPECT_EQ(dialog.Label4()->text(), "Výstavba 40 %");
    dialog.ScrollBar1()->setValue(10);
    EXPECT_EQ(dialog.Label4()->text(), "Výstavba 40 %");
    dialog.EdTag()->setText("250");
    dialog.Imortal()->setChecked(true);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(b.ProcVystavby, 40);
    EXPECT_EQ(b.ProcZivotu, 10);
    EXPECT_EQ(b.Tag, 250);
    EXPECT_EQ(b.Imortal, 1);
    EXPECT_EQ(b.IdObject, 432);

    TEditStavba again(rules);
    again.DeleteButton()->click();
    EXPECT_EQ(b.Used, 0);
    EXPECT_EQ(map->GetOccupancy(8, 8), 0);
}

TEST_F(GameEditorsTest, TheUnitEditorColoursTableValuesAndPointsItsDirections) {
    tUnitRec& u = PlacedUnit(1, 10, 10);
    UnitEditorRules rules(*store, 1, u, &side);
    TEditSoldier dialog(rules);
    EXPECT_EQ(dialog.windowTitle(), "Editace jednotky");
    EXPECT_EQ(dialog.EdUtoC()->text(), "14");
    EXPECT_EQ(dialog.EdUtoC()->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(dialog.EdObrC()->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(dialog.MaxZivoty()->text(), "50");
    dialog.EdUtoC()->setText("10");
    EXPECT_EQ(dialog.EdUtoC()->palette().color(QPalette::Text), QColor(Qt::black));
    dialog.ScrollBar1()->setValue(30);
    EXPECT_EQ(dialog.MaxZivoty()->text(), "30");
    EXPECT_EQ(dialog.IdPlayer()->currentText(), "2   P2");
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("EditpatrolaX")->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.Button(2)->toolTip(),
              "Po jednotce zůstane pouze mrtvola. Mrtvola nemizí, ale nejde z ní kouslit "
              "kostlivec");

    // The 3 x 3 grid: top row 6, 7, 0; middle 5, -, 1; bottom 4, 3, 2.
    auto* grid = dialog.SpeedButton(0)->parentWidget()->findChild<QGridLayout*>();
    ASSERT_NE(grid, nullptr);
    const int expected[3][3] = {{6, 7, 0}, {5, -1, 1}, {4, 3, 2}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            QLayoutItem* cell = grid->itemAtPosition(row, column);
            if (expected[row][column] < 0)
                EXPECT_EQ(cell, nullptr);
            else
                EXPECT_EQ(cell->widget(), dialog.SpeedButton(expected[row][column]));
        }
    EXPECT_TRUE(dialog.SpeedButton(5)->isChecked());
    dialog.SpeedButton(7)->click();
    EXPECT_FALSE(dialog.SpeedButton(5)->isChecked());
    dialog.Button(1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(u.Smer, 7);
    EXPECT_EQ(u.UtoC, -1);
    EXPECT_EQ(u.ProcZivotu, 30);
}

TEST_F(GameEditorsTest, TheUnitEditorsDieResetAndPatrolButtons) {
    tUnitRec& u = PlacedUnit(1, 10, 10);
    UnitEditorRules rules(*store, 1, u, &side);
    {
        TEditSoldier dialog(rules);
        dialog.Button(4)->click();  // Reset
        EXPECT_EQ(u.UtoC, 10);
        EXPECT_EQ(dialog.EdUtoC()->text(), "10");
        dialog.Button(6)->click();  // Nastavit hlídku
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(armed, 1);
    }
    TEditSoldier dialog(rules);
    dialog.Button(2)->click();  // Zemřít
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(u.Used, 0);
    EXPECT_EQ(map->GetId(10, 10), 3455 + 24);
    EXPECT_EQ(map->GetLinkKind(10, 10), 0);
}

TEST_F(GameEditorsTest, TheStoreOpensTheRealDialogsModally) {
    QtEditorDialogs dialogs(side, nullptr);
    store->SetEditors(&dialogs);
    test::ModalScript script({[](QWidget* w) {
                                  auto* dialog = qobject_cast<TEditMesto*>(w);
                                  ASSERT_NE(dialog, nullptr);
                                  dialog->Name()->setText("Nová Lhota");
                                  dialog->OkButton()->click();
                              },
                              [](QWidget* w) {
                                  auto* dialog = qobject_cast<TEditSoldier*>(w);
                                  ASSERT_NE(dialog, nullptr);
                                  dialog->Button(5)->click();
                              }});
    ASSERT_EQ(store->AddSettlement(12), 1);
    EXPECT_EQ(Cp1250ToUtf8(store->Settlements[1].Name.Get()), "Nová Lhota");
    EXPECT_EQ(store->Settlements[1].Usedlost, 2);
    PlacedUnit(1, 10, 10);
    EXPECT_FALSE(store->EditUnit(1));
    EXPECT_EQ(script.Remaining(), 0u);
}

}  // namespace
}  // namespace tess
