// An editor session over a temporary game directory, with a scripted main window.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/MainWindowPort.h"
#include "editor/UndoHistory.h"
#include "game/GameFixture.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/Settings.h"

namespace tess::test {

// Answers the session's dialogs from queues; an unexpected dialog fails the test by throwing
// (a forced size dialog would otherwise be shown for ever).
class ScriptedPort final : public MainWindowPort {
  public:
    std::optional<std::string> ChooseMapToOpen(const FileDialogSetup& setup) override {
        openSetups.push_back(setup);
        return Next(openAnswers, "open dialog");
    }
    std::optional<std::string> ChooseMapToSave(const FileDialogSetup& setup) override {
        saveSetups.push_back(setup);
        return Next(saveAnswers, "save dialog");
    }
    std::optional<MapSizeTexts> AskNewMapSize() override {
        ++sizeDialogs;
        return Next(sizeAnswers, "size dialog");
    }
    void ShowSurface(const ObjectMenuState& menus) override {
        ++frames;
        lastMenus = menus;
    }
    void ShowProjectMenu(const ProjectMenu& menu) override {
        ++projectMenus;
        lastProject = menu;
    }
    void SetViewCursor(ViewCursor cursor) override { cursors.push_back(cursor); }
    CheckProgress* StartMapCheck() override {
        ++checksStarted;
        return &progress;
    }
    void FinishMapCheck(const std::vector<CheckFinding>& findings) override {
        ++checksFinished;
        lastFindings = findings;
    }
    void ShowHistory(const HistoryStatus& status) override { lastHistory = status; }
    RecoveryChoice AskRecovery(const std::string& question) override {
        recoveryQuestions.push_back(question);
        return Next(recoveryAnswers, "recovery question");
    }

    // Records the rows a check reports.
    struct RecordedProgress final : CheckProgress {
        void Start(int32_t max) override {
            maximum = max;
            rows = 0;
        }
        void Position(int32_t) override { ++rows; }
        int32_t maximum = -1;
        int32_t rows = 0;
    };

    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<MapSizeTexts>> sizeAnswers;
    std::vector<FileDialogSetup> openSetups;
    std::vector<FileDialogSetup> saveSetups;
    int sizeDialogs = 0;
    int frames = 0;
    int projectMenus = 0;
    ObjectMenuState lastMenus;
    ProjectMenu lastProject;
    std::vector<ViewCursor> cursors;
    RecordedProgress progress;
    int checksStarted = 0;
    int checksFinished = 0;
    std::vector<CheckFinding> lastFindings;
    HistoryStatus lastHistory;
    std::deque<RecoveryChoice> recoveryAnswers;
    std::vector<std::string> recoveryQuestions;

  private:
    template <typename T>
    static T Next(std::deque<T>& answers, const char* what) {
        if (answers.empty()) throw std::runtime_error(std::string("unexpected ") + what);
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

// A game directory (current for the test) with the standard tables, and a session on it.
class SessionTest : public GameTest {
  protected:
    SessionTest() {
        std::filesystem::create_directories(dir.Path() / "MAPS");
        setup.GameDirectory = dir.Path().string();
        setup.Settings = &settings;
        setup.Seed = 7;
        setup.Walls = WallTableSource::None;
        session = std::make_unique<EditorSession>(setup, port);
    }

    // A 64 x 64 map file with two players and a unit of the first on (10, 10), and its game
    // data: a pair that passes the map check.
    std::string WriteMapPair(const std::string& relative, const std::string& savRelative) {
        auto map = std::make_unique<tMapa>();
        Random random;
        map->Create(64, 64, random, WallTableSource::None);
        map->SetOccupancy(10, 10, 2);
        map->SetLinkKind(10, 10, 2);
        map->SetId(10, 10, 1);
        const std::string mapName = dir.File(relative);
        map->SaveToFile(mapName, ViewPosition{});
        auto data = std::make_unique<tKalistor>();
        data->Players[1].Used = 1;
        data->Players[1].Name.Set(Utf8ToCp1250("Šedý"));
        data->Players[2].Used = 1;
        data->Players[2].Name.Set("Modry");
        data->PlayerCount = 2;
        data->Units[1].Used = 1;
        data->Units[1].IdPlayer = 1;
        data->Units[1].X = 10;
        data->Units[1].Y = 10;
        data->UnitCount = 1;
        data->SaveToFile(dir.File(savRelative));
        return mapName;
    }

    // Two players in the session's store: a new map then passes the map check.
    void GiveTwoPlayers() {
        tKalistor& store = session->Store();
        store.Players[1].Used = 1;
        store.Players[2].Used = 1;
        store.PlayerCount = std::max(store.PlayerCount, 2);
    }

    // The start-up steps the main window runs, without the view and the palettes.
    void StartUp() {
        session->CreateMap();
        session->MeReSize(640, 480);
        session->ResetViewOrigin();
        session->ReadSettings();
        session->OpenLastMapOrForceNewMap();
        session->MeView();
        session->ResetTypeLists();
        session->RestoreWindowPlaces({nullptr, nullptr, nullptr, nullptr, nullptr});
        session->FinishStartUp();
    }

    MemorySettings settings;
    ScriptedPort port;
    SessionSetup setup;
    std::unique_ptr<EditorSession> session;
};

}  // namespace tess::test
