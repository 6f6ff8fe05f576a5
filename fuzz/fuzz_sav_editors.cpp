// Fuzz target: the game-data editors over whatever a game-data file loads. Every editor opens on
// the first live records of each kind, its buttons and boxes are worked through and Ok is
// pressed; nothing may index outside the records or the permission arrays, and what an editor
// shows of a record its Ok must take back.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/BuildingEditor.h"
#include "game/Kalistor.h"
#include "game/PermissionEditor.h"
#include "game/PlayerEditor.h"
#include "game/RelationEditor.h"
#include "game/SettlementEditor.h"
#include "game/UnitEditor.h"
#include "resources/BigFile.h"
#include "resources/SafeFile.h"
#include "resources/UiHost.h"
#include "writers/ArchiveWriter.h"
#include "writers/GameTableWriter.h"

namespace {

using namespace tess;

// Records of each kind an input opens editors on: enough to reach every path, few enough to
// keep an input fast.
constexpr int kPerKind = 3;

// Rule tables with requirement and upgrade chains (a cycle among them) and type numbers beyond
// the permission arrays, in an archive; the store the inputs load into.
struct Setup {
    SilentUi ui;
    std::string dir;
    writers::GameTablesData data;
    PermissionTables permissionTables;
    std::vector<std::string> races{"1   Lidi", "2   Barbaři", "3   Trpaslíci", "4   Elfové"};
    std::unique_ptr<tKalistor> store = std::make_unique<tKalistor>();

    Setup() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tess-fuzz-editors-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        dir = pattern;
        SetUi(&ui);
        for (int32_t id = 1; id <= 30; ++id) {
            BuildingType b;
            b.Id = id == 30 ? 1500 : id;
            b.Name = "B";
            b.IdRace = 1 + id % 4;
            b.UseMesto = id % 2 == 0;
            b.UseOsada = id % 3 == 0;
            b.IdObject = 500 + id;
            b.IdObject2 = id % 5 == 0 ? 0 : 600 + id;
            b.IdBEx1 = id > 3 ? id - 3 : 0;
            b.IdBEx2 = id % 7 == 0 ? id : 0;  // some require themselves
            b.IdNext = id % 4 == 0 ? id + 2 : (id == 29 ? 25 : 0);
            data.Buildings.push_back(b);
            PersonType p;
            p.Id = id == 30 ? 600 : id;
            p.Name = "P";
            p.IdRace = id % 5;
            p.UtoC = id;
            p.ObrC = -id;
            p.Zivotu = id * 10;
            p.Type = id % 10;
            data.Persons.push_back(p);
            UpgradeType u;
            u.Id = id;
            u.Name = "U";
            u.IdUEx1 = id % 6 == 0 ? id - 1 : (id == 1 ? 20 : 0);
            u.IdBuild = {id, id + 1, 0};
            u.IdItem = id % 3 == 0;
            u.IdSpell = id % 3 == 1;
            data.Upgrades.push_back(u);
        }
        permissionTables.Buildings = data.Buildings;
        permissionTables.Upgrades = data.Upgrades;
        permissionTables.Persons = data.Persons;
        // In an archive, so the tables are found without changing the current directory.
        const std::string archive = pattern + "/zor.dat";
        WriteFileAtomically(archive,
                            writers::BuildArchive(
                                {{"DATA/building.dbf",
                                  writers::BuildDbf(writers::BuildingTable(data.Buildings)).Table},
                                 {"DATA/person.dbf",
                                  writers::BuildDbf(writers::PersonTable(data.Persons)).Table}}));
        BigFile().Open(archive);
    }
    ~Setup() {
        BigFile().Close();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::optional<PersonType> Person(int32_t id) const {
        for (const PersonType& p : data.Persons)
            if (p.Id == id) return p;
        return std::nullopt;
    }
};

void EditPlayer(Setup& setup, tKalistor& store, int32_t index) {
    PlayerEditorRules player(store, index, store.Players[static_cast<size_t>(index)], setup.races);
    player.Edit3DoubleClick();
    player.Accept();  // Ok may refuse a shown number that does not fit (money of -2^31)

    RelationEditorRules relations(store, index);
    for (size_t i = 0; i < relations.Items().size(); ++i)
        relations.Click(i);
    relations.Store();
    relations.SetAll(BoxState::Greyed);
    relations.ChoosePlayer(static_cast<int>(relations.Players.Items.size()) - 1);
    relations.Store();

    for (int kind = kPermitBuildings; kind <= kPermitUnits; ++kind) {
        PermissionEditorRules permissions(store, setup.permissionTables, index, player.StoredRace(),
                                          kind);
        for (size_t i = 0; i < permissions.Items().size(); ++i) {
            permissions.Click(i);
            permissions.Click(i);
        }
        permissions.SetAll(BoxState::Greyed);
        permissions.ChooseRace(1 + kind % 4);
        for (size_t i = 0; i < permissions.Items().size(); i += 2)
            permissions.Click(i);
        permissions.SetAll(BoxState::Empty);
        permissions.ChoosePlayer(0);
        permissions.Store();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    tKalistor& store = *setup.store;
    if (!store.LoadFromBytes(std::vector<uint8_t>(data, data + size), "fuzz.sav", nullptr))
        return 0;

    for (int32_t i = 1, opened = 0; i <= store.PlayerCount && opened < kPerKind; ++i) {
        if (store.Players[static_cast<size_t>(i)].Used != 1) continue;
        ++opened;
        EditPlayer(setup, store, i);
    }
    for (int32_t i = 1, opened = 0; i <= store.SettlementCount && opened < kPerKind; ++i) {
        tSettlementRec& s = store.Settlements[static_cast<size_t>(i)];
        if (s.Used != 1) continue;
        ++opened;
        SettlementEditorRules rules(store, s, setup.races);
        if (rules.Accept()) __builtin_trap();
    }
    for (int32_t i = 1, opened = 0; i <= store.BuildingCount && opened < kPerKind; ++i) {
        tBuildingRec& b = store.Buildings[static_cast<size_t>(i)];
        if (b.Used != 1) continue;
        ++opened;
        BuildingEditorRules rules(store, i, b, nullptr, setup.data.Buildings, setup.races);
        rules.SetProcVystavby(b.Tag);
        rules.Accept();  // a Tag of -2^31 has no first number that fits: Ok refuses it
        if (b.IdBuilding < 0 || b.IdBuilding >= kBuildingStates) __builtin_trap();
    }
    for (int32_t i = 1, opened = 0; i <= store.UnitCount && opened < kPerKind; ++i) {
        tUnitRec& u = store.Units[static_cast<size_t>(i)];
        if (u.Used != 1) continue;
        ++opened;
        UnitEditorRules rules(store, i, u, nullptr, setup.Person(u.IdPerson));
        rules.PressDirection(u.Tag);
        rules.Accept();
        rules.Reset();
        rules.SetPatrol();
    }
    return 0;
}
