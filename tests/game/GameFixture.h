// A small game directory for store and table tests: the six rule tables and scripted editors.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/EditorDialogs.h"
#include "game/Kalistor.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/GameTableWriter.h"

namespace tess::test {

inline BuildingType Building(int32_t id, const char* name, int32_t race, bool osada, bool ves,
                             bool mesto, int32_t tag, int32_t vliv, int32_t civils,
                             int32_t object) {
    BuildingType b;
    b.Id = id;
    b.Name = Utf8ToCp1250(name);
    b.IdRace = race;
    b.UseOsada = osada;
    b.UseVes = ves;
    b.UseMesto = mesto;
    b.Tag = tag;
    b.IdVliv = vliv;
    b.Civils = civils;
    b.IdObject = object;
    b.IdObject1 = object + 1;
    b.IdObject2 = object + 2;
    b.IdObject3 = object + 3;
    return b;
}

inline PersonType Person(int32_t id, const char* name, bool human, int32_t race, bool invisible,
                         int32_t vliv) {
    PersonType p;
    p.Id = id;
    p.Name = Utf8ToCp1250(name);
    p.TypHuman = human;
    p.IdRace = race;
    p.NoVisible = invisible;
    p.IdVliv = vliv;
    p.UtoC = 10;
    p.ObrC = 5;
    p.Zivotu = 100;
    return p;
}

// The rule tables most tests use.
inline writers::GameTablesData StandardTables() {
    writers::GameTablesData d;
    d.Buildings = {
        Building(10, "Radnice", 1, true, false, true, 5, 0, 10, 500),
        Building(11, "Kasárna", 1, false, false, true, 3, 4, 3, 510),
        Building(12, "Náves", 1, false, true, false, 4, 0, 7, 520),
        Building(20, "Chýše", 2, true, false, false, 4, 0, 5, 600),
        Building(30, "Štola", 3, false, true, false, 4, 0, 2, 700),
        Building(31, "Sál", 3, false, false, true, 4, 0, 2, 710),
        Building(40, "Strom", 4, false, false, true, 12, 0, 1, 800),
        Building(43, "Pokladnice", 1, false, false, true, 0, 0, 1, 430),
    };
    d.Persons = {Person(1, "Rytíř", true, 1, false, 0), Person(2, "Vlk", false, 0, true, 4),
                 Person(3, "Trpaslík", true, 3, false, 0),
                 Person(28, "Lučištník", false, 1, false, 0)};
    d.Names = {{"Adam", 1}, {"Borek", 5}, {"Cyril", 2}, {"Dvalin", 4}};
    d.Races = {{"1", Utf8ToCp1250("Lidi")},
               {"2", Utf8ToCp1250("Barbaři")},
               {"3", Utf8ToCp1250("Trpaslíci")},
               {"4", Utf8ToCp1250("Elfové")}};
    return d;
}

// Editors that answer from a queue (empty queue: accept) and may change the record first.
class ScriptedEditors final : public EditorDialogs {
  public:
    std::deque<bool> answers;
    std::vector<std::string> opened;  // "player 3", "unit 1", ...
    std::function<void(tPlayerRec&)> onPlayer;
    std::function<void(tUnitRec&)> onUnit;
    std::function<void(tSettlementRec&)> onSettlement;

    bool EditPlayer(tKalistor&, int32_t index, tPlayerRec& p) override {
        if (onPlayer) onPlayer(p);
        return Answer("player", index);
    }
    bool EditSettlement(tKalistor&, int32_t index, tSettlementRec& s) override {
        if (onSettlement) onSettlement(s);
        return Answer("settlement", index);
    }
    bool EditBuilding(tKalistor&, int32_t index, tBuildingRec&) override {
        return Answer("building", index);
    }
    bool EditUnit(tKalistor&, int32_t index, tUnitRec& u) override {
        if (onUnit) onUnit(u);
        return Answer("unit", index);
    }

  private:
    bool Answer(const char* what, int32_t index) {
        opened.push_back(std::string(what) + " " + std::to_string(index));
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A game directory made current for the test, with the standard tables and a fresh store.
class GameTest : public ::testing::Test {
  protected:
    GameTest() : cwd(dir.Path()), store(std::make_unique<tKalistor>()) {
        BigFile().Close();
        writers::WriteGameTables(dir.Path().string(), StandardTables());
        store->SetEditors(&editors);
    }
    ~GameTest() override { BigFile().Close(); }

    TempDir dir;
    ScopedCurrentDir cwd;
    ScopedTestUi ui;
    ScriptedEditors editors;
    std::unique_ptr<tKalistor> store;
};

}  // namespace tess::test
