// Autosave and crash recovery: when a save is due, the recovery pair and its manifest, where it
// may go, what a failed autosave says and keeps, the start-up offer and its three answers, the
// clean exit, and the ".bak" pair kept by "Uložit".
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "SessionFixture.h"
#include "editor/Autosave.h"
#include "editor/EditorSettings.h"
#include "editor/MouseTools.h"
#include "editor/RecoveryManifest.h"
#include "editor/RecoveryStore.h"
#include "editor/ToolBox.h"
#include "game/MapFiles.h"
#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(RecoveryManifestTest, RoundTripsAndRefusesWhatIsNotOurs) {
    RecoveryManifest m{"MAPS\\les.map",   1700000000,        42,
                       "session-2-b.map", "session-2-b.sav", false};
    EXPECT_EQ(ReadRecoveryManifest(Bytes(RecoveryManifestText(m))), m);
    m.MapName = std::string(
        "/mapy/\xE8"
        "ern\xE1.map");  // CP1250 bytes, no UTF-8
    m.Offered = true;
    EXPECT_EQ(ReadRecoveryManifest(Bytes(RecoveryManifestText(m))), m);
    m.MapName.clear();
    EXPECT_EQ(ReadRecoveryManifest(Bytes(RecoveryManifestText(m))), m);

    const std::string good = RecoveryManifestText(m);
    const auto refused = [](const std::string& text) {
        std::string why;
        const bool read = ReadRecoveryManifest(Bytes(text), &why).has_value();
        return !read && !why.empty();
    };
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused("[1, 2]"));
    EXPECT_TRUE(refused(good.substr(0, good.size() / 2)));
    EXPECT_TRUE(refused(with("session-2-b.map", "../../home/x.map")));
    EXPECT_TRUE(refused(with("session-2-b.sav", "session-2-b.map")));
    EXPECT_TRUE(refused(with("session-2-b.map", "session.2.map")));
    EXPECT_TRUE(refused(with("\"pid\": 42", "\"pid\": \"42\"")));
    EXPECT_TRUE(refused(with("\"version\": 1", "\"version\": 2")));
    EXPECT_TRUE(refused(with("tessarine-recovery", "something-else")));
    EXPECT_TRUE(refused(with("\"offered\": true", "\"offered\": 1")));
    EXPECT_TRUE(refused(with("\"map\": \"\"", "\"mapBytes\": \"4x\"")));
    EXPECT_TRUE(refused(good + std::string(kMaxRecoveryManifest, ' ')));
}

TEST(AutosaveRulesTest, DueAfterTheIntervalWhenSomethingChangedAndNothingIsInProgress) {
    AutosaveRules rules;
    rules.SetInterval(2);
    const int64_t minute = 60000;
    rules.Settle(5);
    EXPECT_FALSE(rules.Due(0, 6, true, false));  // the first tick starts the count
    EXPECT_FALSE(rules.Due(2 * minute - 1, 6, true, false));
    EXPECT_TRUE(rules.Due(2 * minute, 6, true, false));
    EXPECT_FALSE(rules.Due(2 * minute, 5, true, false));  // no change since it settled
    EXPECT_FALSE(rules.Due(2 * minute, 6, false, false));
    EXPECT_FALSE(rules.Due(2 * minute, 6, true, true));  // a drag: the next tick then
    rules.Succeeded(2 * minute, 6);
    EXPECT_FALSE(rules.Due(3 * minute, 7, true, false));
    EXPECT_TRUE(rules.Due(4 * minute, 7, true, false));

    EXPECT_TRUE(rules.Failed(4 * minute));  // the first failure is reported
    EXPECT_FALSE(rules.Due(5 * minute, 7, true, false));
    EXPECT_TRUE(rules.Due(6 * minute, 7, true, false));
    EXPECT_FALSE(rules.Failed(6 * minute));  // the second is not
    rules.Succeeded(8 * minute, 7);
    EXPECT_TRUE(rules.Failed(10 * minute));  // after a success, again

    rules.SetInterval(0);
    EXPECT_FALSE(rules.Enabled());
    EXPECT_FALSE(rules.Due(100 * minute, 9, true, false));
    rules.SetInterval(0.02);  // 1.2 seconds
    EXPECT_TRUE(rules.Due(100 * minute + 1200, 9, true, false));
}

// Every file below a directory, as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root).string());
    return files;
}

class AutosaveTest : public test::SessionTest {
  protected:
    AutosaveTest() {
        mapName = WriteMapPair("MAPS/les.map", "MAPS/les.sav");
        settings.SetString(kLastMapValue, mapName);
        settings.SetString(kAutosaveMinutesValue, "1");
        recovery = (data.Path() / "Tessarine" / "recovery").string();
    }

    // A session as the window starts it, with its recovery location.
    void Start() {
        session->SetRecoveryDirectory(recovery);
        StartUp();
    }
    // A stroke of terrain `terrain` through the engine.
    void Paint(int terrain, TPoint from, TPoint to) {
        session->Tools().PressTerrainButton(terrain);
        session->Tools().SetPenRadius(2);
        session->Mouse().MoveToCell(from);
        session->Mouse().Down(MouseButton::Left);
        session->Mouse().MoveToCell(to);
        session->Mouse().Up(MouseButton::Left);
    }
    // Two ticks a minute apart: one of them autosaves when anything changed.
    bool AutosaveNow() {
        const bool first = session->AutosaveTick(clock);
        clock += 60000;
        return session->AutosaveTick(clock) || first;
    }
    // The process "dies": its files stay, its lock goes with it.
    void Crash() { session.reset(); }
    void NewSession() { session = std::make_unique<EditorSession>(setup, port); }

    // The map's cells and the bytes the store's file would have, for comparing a restored map.
    struct Saved {
        std::vector<tMapCell> cells;
        std::vector<uint8_t> sav;
        bool operator==(const Saved&) const = default;
    };
    Saved Contents() {
        Saved saved;
        const tMapa& map = session->Map();
        for (int32_t y = 0; y < map.Height; ++y)
            saved.cells.insert(saved.cells.end(), map.Cells() + tMapa::Index(0, y),
                               map.Cells() + tMapa::Index(map.Width, y));
        auto copy = std::make_unique<tKalistor>();
        const tKalistor& store = session->Store();
        copy->Players = store.Players;
        copy->PlayerCount = store.PlayerCount;
        copy->Settlements = store.Settlements;
        copy->SettlementCount = store.SettlementCount;
        copy->Buildings = store.Buildings;
        copy->BuildingCount = store.BuildingCount;
        copy->Units = store.Units;
        copy->UnitCount = store.UnitCount;
        saved.sav = copy->SaveToBytes();
        return saved;
    }

    test::TempDir data;
    std::string mapName;
    std::string recovery;
    int64_t clock = 1'000'000;
};

TEST_F(AutosaveTest, TheRecoveryPairGoesToTheDataLocationAndNeverIntoTheGameDirectory) {
    Start();
    const std::set<std::string> gameFiles = FilesUnder(dir.Path());
    EXPECT_FALSE(AutosaveNow());  // nothing changed yet
    Paint(12, {20, 20}, {30, 24});
    session->Store().SettlementCount = 3;  // three dead ones: a save would trim them
    const Saved before = Contents();
    ui.Reset();
    ASSERT_TRUE(AutosaveNow());

    EXPECT_EQ(FilesUnder(dir.Path()), gameFiles);
    EXPECT_EQ(FilesUnder(recovery), (std::set<std::string>{"session-1-a.map", "session-1-a.sav",
                                                           "session-1.json", "session-1.lock"}));
    // Nothing of the session changed: the store untrimmed, the map modified, no caption.
    EXPECT_EQ(session->Store().SettlementCount, 3);
    EXPECT_TRUE(Contents() == before);
    EXPECT_TRUE(session->Modified);
    EXPECT_EQ(settings.GetString(kLastMapValue, ""), mapName);
    EXPECT_TRUE(ui.captions.empty());
    const auto manifest = ReadRecoveryManifest(test::ReadFileBytes(recovery + "/session-1.json"));
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->MapName, mapName);
    EXPECT_GE(manifest->SavedAt, (clock - 60000) / 1000);  // the tick that saved
    EXPECT_LE(manifest->SavedAt, clock / 1000);
    EXPECT_EQ(manifest->Pid, ::getpid());

    // The next save writes the other generation and drops the first.
    Paint(3, {40, 40}, {44, 44});
    ASSERT_TRUE(AutosaveNow());
    EXPECT_EQ(FilesUnder(recovery), (std::set<std::string>{"session-1-b.map", "session-1-b.sav",
                                                           "session-1.json", "session-1.lock"}));
    EXPECT_EQ(FilesUnder(dir.Path()), gameFiles);

    // A location inside the game directory is refused, once, in the caption.
    NewSession();
    session->SetRecoveryDirectory((dir.Path() / "MAPS" / "recovery").string());
    EXPECT_FALSE(session->Recovery().Usable());
    EXPECT_NE(ui.LastCaption().find("Automatické uložení selhalo"), std::string::npos);
    StartUp();
    Paint(12, {20, 20}, {30, 24});
    EXPECT_FALSE(AutosaveNow());
    EXPECT_EQ(FilesUnder(dir.Path()), gameFiles);
}

TEST_F(AutosaveTest, AFailedAutosaveSaysSoOnceAndLosesNothing) {
    Start();
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    const std::vector<uint8_t> firstMap = test::ReadFileBytes(recovery + "/session-1-a.map");
    const std::vector<uint8_t> manifest = test::ReadFileBytes(recovery + "/session-1.json");

    // The next generation cannot be written (as on a full disk or a read-only place).
    fs::create_directories(recovery + "/session-1-b.map");
    Paint(4, {40, 40}, {50, 44});
    const Saved edited = Contents();
    ui.Reset();
    EXPECT_FALSE(AutosaveNow());
    EXPECT_FALSE(AutosaveNow());
    EXPECT_EQ(ui.captions.size(), 1u);
    EXPECT_NE(ui.LastCaption().find("Automatické uložení selhalo: "), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
    // The last complete pair is still the one named, the document as it was.
    EXPECT_EQ(test::ReadFileBytes(recovery + "/session-1-a.map"), firstMap);
    EXPECT_EQ(test::ReadFileBytes(recovery + "/session-1.json"), manifest);
    EXPECT_TRUE(Contents() == edited);
    EXPECT_TRUE(session->Modified);

    fs::remove(recovery + "/session-1-b.map");
    EXPECT_TRUE(AutosaveNow());
    fs::create_directories(recovery + "/session-1-a.map");
    Paint(5, {60, 10}, {62, 12});
    ui.Reset();
    EXPECT_FALSE(AutosaveNow());
    EXPECT_EQ(ui.captions.size(), 1u);  // a new failure after a success is said again
}

TEST_F(AutosaveTest, ACrashedSessionsPairIsOfferedBeforeTheLastMapAndRestoredUnderItsName) {
    Start();
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    const Saved autosaved = Contents();
    Paint(4, {40, 40}, {50, 44});  // after the autosave: lost with the crash
    Crash();

    NewSession();
    port.recoveryAnswers = {RecoveryChoice::Restore};
    Start();
    ASSERT_EQ(port.recoveryQuestions.size(), 1u);
    EXPECT_NE(port.recoveryQuestions[0].find("\"" + mapName + "\""), std::string::npos);
    EXPECT_TRUE(Contents() == autosaved);
    EXPECT_EQ(session->FileName, mapName);
    EXPECT_EQ(session->SaveDialog1.FileName, mapName);
    EXPECT_TRUE(session->Modified);
    EXPECT_EQ(settings.GetString(kLastMapValue, ""), mapName);
    EXPECT_EQ(session->Recovery().OwnSlot(), "session-1");

    // "Uložit" writes it where it belongs; the recovery pair is no longer needed.
    GiveTwoPlayers();
    session->Run(MenuCommand::SaveMap);
    EXPECT_FALSE(session->Modified);
    EXPECT_FALSE(fs::exists(recovery + "/session-1.json"));
    auto reopened = std::make_unique<tMapa>();
    ViewPosition view;
    ASSERT_TRUE(reopened->LoadFromFile(mapName, view));
    EXPECT_EQ(reopened->GetTerrain(25, 22), 12);
}

TEST_F(AutosaveTest, EachPairIsAskedAboutOnceAndARunningSessionsPairIsNotOffered) {
    Start();
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());

    // Another editor running at the same time does not offer this one's pair.
    EditorSession other(setup, port);
    other.SetRecoveryDirectory(recovery);
    EXPECT_FALSE(other.OfferRecovery());
    EXPECT_TRUE(port.recoveryQuestions.empty());

    // Closed without an answer: kept, and never asked about again.
    Crash();
    NewSession();
    port.recoveryAnswers = {RecoveryChoice::Later};
    Start();
    EXPECT_EQ(port.recoveryQuestions.size(), 1u);
    EXPECT_EQ(session->FileName, mapName);
    EXPECT_FALSE(session->Modified);
    EXPECT_TRUE(fs::exists(recovery + "/session-1-a.map"));
    Crash();
    NewSession();
    Start();  // no answer queued: a question would fail the test
    EXPECT_EQ(port.recoveryQuestions.size(), 1u);

    // "Zahodit" deletes the pair; the last map opens.
    Paint(7, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    EXPECT_EQ(session->Recovery().OwnSlot(), "session-2");  // the kept pair keeps its slot
    Crash();
    NewSession();
    port.recoveryAnswers = {RecoveryChoice::Discard};
    Start();
    EXPECT_EQ(port.recoveryQuestions.size(), 2u);
    EXPECT_FALSE(fs::exists(recovery + "/session-2.json"));
    EXPECT_FALSE(fs::exists(recovery + "/session-2-a.map"));
    EXPECT_TRUE(fs::exists(recovery + "/session-1-a.map"));
    EXPECT_EQ(session->FileName, mapName);
    EXPECT_NE(session->Map().GetTerrain(25, 22), 7);
}

TEST_F(AutosaveTest, AManifestThatIsAPipeIsPassedOverWithoutWaitingOnIt) {
    fs::create_directories(recovery);
    ASSERT_EQ(::mkfifo((recovery + "/session-1.json").c_str(), 0600), 0);
    Start();  // no answer queued: a question would fail the test, a wait would hang it
    EXPECT_TRUE(port.recoveryQuestions.empty());
    EXPECT_EQ(session->FileName, mapName);
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    EXPECT_EQ(session->Recovery().OwnSlot(), "session-2");  // the slot it names stays as it is
}

TEST_F(AutosaveTest, ACleanExitRemovesThePairAndARestoredPairIsNotOfferedAgain) {
    Start();
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    ui.messageAnswers = {Answer::No};  // the close question: do not save
    EXPECT_TRUE(session->CloseRequested());
    EXPECT_EQ(FilesUnder(recovery), std::set<std::string>{"session-1.lock"});

    NewSession();
    Start();
    Paint(12, {20, 20}, {30, 24});
    ASSERT_TRUE(AutosaveNow());
    Crash();
    NewSession();
    port.recoveryAnswers = {RecoveryChoice::Restore};
    Start();
    Crash();  // before anything was saved again
    NewSession();
    Start();
    EXPECT_EQ(port.recoveryQuestions.size(), 1u);
}

TEST_F(AutosaveTest, UlozitKeepsThePreviousPairAsBakUnlessTheSettingSaysNo) {
    Start();
    GiveTwoPlayers();
    const std::vector<uint8_t> firstMap = test::ReadFileBytes(mapName);
    const std::vector<uint8_t> firstSav = test::ReadFileBytes(dir.File("MAPS/les.sav"));
    Paint(12, {20, 20}, {30, 24});
    session->Run(MenuCommand::SaveMap);
    ASSERT_FALSE(session->Modified);
    EXPECT_EQ(test::ReadFileBytes(mapName + ".bak"), firstMap);
    EXPECT_EQ(test::ReadFileBytes(dir.File("MAPS/les.sav.bak")), firstSav);
    const std::vector<uint8_t> secondMap = test::ReadFileBytes(mapName);

    // A save the check refuses keeps the ".bak" pair as it was.
    session->Store().Players[2].Used = 0;
    session->Run(MenuCommand::SaveMap);
    EXPECT_EQ(test::ReadFileBytes(mapName + ".bak"), firstMap);
    GiveTwoPlayers();
    session->Run(MenuCommand::SaveMap);
    EXPECT_EQ(test::ReadFileBytes(mapName + ".bak"), secondMap);
    for (const auto& file : FilesUnder(dir.Path() / "MAPS"))
        EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;

    settings.SetBool(kKeepBackupsValue, false);
    Paint(3, {40, 40}, {44, 44});
    session->Run(MenuCommand::SaveMap);
    EXPECT_EQ(test::ReadFileBytes(mapName + ".bak"), secondMap);
}

TEST_F(AutosaveTest, AnEditorKilledAfterAnAutosaveIsOfferedAndRestoredWithEveryEditUpToIt) {
    // The editor runs in a child process that is killed outright (no destructor, no exit
    // handler): what survives is what the autosave put on the disk and the lock the system let
    // go of.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const fs::path expectedCells = data.Path() / "expected.cells";
    const fs::path expectedSav = data.Path() / "expected.sav";
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::close(ready[0]);
        Start();
        Paint(12, {20, 20}, {30, 24});
        Paint(4, {60, 30}, {66, 33});
        if (!AutosaveNow()) ::_exit(3);
        const Saved autosaved = Contents();
        const auto* cellBytes = reinterpret_cast<const uint8_t*>(autosaved.cells.data());
        data.Write(
            "expected.cells",
            std::vector<uint8_t>(cellBytes, cellBytes + autosaved.cells.size() * sizeof(tMapCell)));
        data.Write("expected.sav", autosaved.sav);
        Paint(7, {80, 80}, {90, 84});  // after the autosave: lost with the process
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1) ::_exit(4);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    const ssize_t got = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1) << "the editor process ended before its autosave (status " << status << ")";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    port.recoveryAnswers = {RecoveryChoice::Restore};
    Start();
    ASSERT_EQ(port.recoveryQuestions.size(), 1u);
    EXPECT_NE(port.recoveryQuestions[0].find("\"" + mapName + "\""), std::string::npos);
    const Saved restored = Contents();
    const std::vector<uint8_t> cells = test::ReadFileBytes(expectedCells.string());
    ASSERT_EQ(cells.size(), restored.cells.size() * sizeof(tMapCell));
    EXPECT_EQ(std::memcmp(cells.data(), restored.cells.data(), cells.size()), 0);
    EXPECT_EQ(restored.sav, test::ReadFileBytes(expectedSav.string()));
    EXPECT_EQ(session->Map().GetTerrain(25, 22), 12);
    EXPECT_EQ(session->Map().GetTerrain(63, 31), 4);
    EXPECT_NE(session->Map().GetTerrain(85, 82), 7);
    EXPECT_EQ(session->FileName, mapName);
    EXPECT_TRUE(session->Modified);
}

}  // namespace
}  // namespace tess
