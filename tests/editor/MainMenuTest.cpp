// The menu as data: unique keys, the table's captions and shortcuts, hidden items, wiring.
#include "editor/MainMenu.h"

#include <gtest/gtest.h>

#include <map>

namespace tess {
namespace {

std::map<std::string, const MenuItem*> ItemsByKey() {
    std::map<std::string, const MenuItem*> items;
    ForEachMenuItem(MainMenuItems(), "", [&](const MenuItem& item, const std::string& path) {
        const std::string key = MenuKey(item, path);
        EXPECT_TRUE(items.emplace(key, &item).second) << "duplicate key " << key;
    });
    return items;
}

TEST(MainMenuTest, TopLevelMenusInOrder) {
    std::vector<std::string> captions;
    std::vector<std::string> hidden;
    for (const MenuItem& top : MainMenuItems()) {
        captions.push_back(top.Caption);
        if (top.Hidden) hidden.push_back(top.Caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Mapa", "Úpravy", "Nástrojové lišty", "Nastavení",
                                                  "Projekt", "Schránka", "Spec. func", "Šířka pera",
                                                  "Objekty", "Stěny"}));
    EXPECT_EQ(hidden, (std::vector<std::string>{"Schránka", "Šířka pera", "Objekty", "Stěny"}));
}

TEST(MainMenuTest, NamedItemsCarryTheirCaptionShortcutAndFlags) {
    const auto items = ItemsByKey();
    struct Expected {
        const char* key;
        const char* caption;
        const char* shortcut;
        bool hidden;
        bool checked;
    };
    for (const Expected& e : {
             Expected{"Zaloitnovoumapu1", "Nová mapa", "", false, false},
             Expected{"Loadmapu1", "Otevřít mapu", "", false, false},
             Expected{"Save1", "Uložit", "Ctrl+S", false, false},
             Expected{"Savemapu1", "Uložit jako", "", false, false},
             Expected{"pokus2", "pokus", "", true, false},
             Expected{"Zpt1", "Zpět", "Ctrl+Z", false, false},
             Expected{"Copy3", "Zkopírovat", "Ctrl+C", false, false},
             Expected{"Paste1", "Vložit", "Ctrl+V", false, false},
             Expected{"Load2", "Načíst obsah schránky", "", false, false},
             Expected{"Save3", "Uložit obsah schránky", "", false, false},
             Expected{"LiteMap1", "Mini mapa", "", false, false},
             Expected{"AutoOpravaPolicek", "Auto oprava policek", "", true, true},
             Expected{"Editovatnovbudovy1", "Editovat nové budovy", "", true, true},
             Expected{"Obrtinkniply1", "Obrátit směr posunu mapy", "", false, false},
             Expected{"Zmnazd1", "Změna zdí", "", true, false},
             Expected{"Vidtneprchozv1", "Vidět neprůchozví", "", false, false},
             Expected{"Zvukaedituje1", "Zvukař edituje", "", true, false},
             Expected{"Copy1", "Copy", "Ctrl+K", false, false},
             Expected{"Zaloithre1", "Založit hráče", "", false, false},
         }) {
        const auto found = items.find(e.key);
        ASSERT_NE(found, items.end()) << e.key;
        EXPECT_EQ(found->second->Caption, e.caption) << e.key;
        EXPECT_EQ(found->second->Shortcut, e.shortcut) << e.key;
        EXPECT_EQ(found->second->Hidden, e.hidden) << e.key;
        EXPECT_EQ(found->second->Checked, e.checked) << e.key;
    }
    EXPECT_EQ(items.at("Šířka pera/Zpět")->Shortcut, "Ctrl+Z");
    EXPECT_EQ(items.at("Stěny/Jeskyně se zdí ()")->Arg1, 12);
}

TEST(MainMenuTest, ASharedShortcutFiresTheFirstItemInMenuOrder) {
    const auto items = ItemsByKey();
    EXPECT_TRUE(ShortcutIsActive(*items.at("Zpt1")));
    EXPECT_FALSE(ShortcutIsActive(*items.at("Šířka pera/Zpět")));
    EXPECT_TRUE(ShortcutIsActive(*items.at("Copy3")));
    EXPECT_FALSE(ShortcutIsActive(*items.at("Copy2")));
    EXPECT_TRUE(ShortcutIsActive(*items.at("Copy1")));
    EXPECT_FALSE(ShortcutIsActive(*items.at("Past1")));
    // Items sharing a key run the same command, so nothing is lost.
    EXPECT_EQ(items.at("Copy2")->Command, items.at("Copy3")->Command);
    EXPECT_EQ(items.at("Past1")->Command, items.at("Paste1")->Command);
    EXPECT_EQ(items.at("Šířka pera/Zpět")->Command, items.at("Zpt1")->Command);
}

TEST(MainMenuTest, BothSettlementMenusFoundTheHumanVillage) {
    const auto items = ItemsByKey();
    for (const char* key : {"Nástrojové lišty/Objekty/Založit usedlost/Lidská/Vesnice",
                            "Projekt/Usedlosti/Založit usedlost/Lidská/Vesnice"}) {
        const MenuItem* village = items.at(key);
        EXPECT_EQ(village->Command, MenuCommand::NewSettlement) << key;
        EXPECT_EQ(village->Arg1, 2) << key;  // ves
        EXPECT_EQ(village->Arg2, 1) << key;  // human
    }
}

TEST(MainMenuTest, ObjectMenusNeedGameData) {
    const auto items = ItemsByKey();
    EXPECT_EQ(items.at("Nástrojové lišty/Objekty/Založit usedlost")->Enabling,
              MenuEnabling::NeedsPlayer);
    EXPECT_EQ(items.at("Projekt/Usedlosti")->Enabling, MenuEnabling::NeedsPlayer);
    EXPECT_EQ(items.at("Nástrojové lišty/Objekty/Jednotky")->Enabling, MenuEnabling::NeedsPlayer);
    EXPECT_EQ(items.at("Nástrojové lišty/Objekty/Budovy")->Enabling, MenuEnabling::NeedsSettlement);
    EXPECT_EQ(items.at("Projekt/Hráči")->List, MenuList::Players);
    EXPECT_EQ(items.at("Projekt/Usedlosti")->List, MenuList::Settlements);
}

}  // namespace
}  // namespace tess
