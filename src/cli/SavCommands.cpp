// tessarine-cli sav commands: dump a game-data file as JSON.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/Cli.h"
#include "game/Kalistor.h"
#include "map/MapDat.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

template <size_t N>
nlohmann::json ByteArray(const uint8_t (&bytes)[N]) {
    return nlohmann::json(std::vector<int>(std::begin(bytes), std::end(bytes)));
}

std::string Text(const ShortString& s) {
    return Cp1250ToUtf8(s.Get());
}

nlohmann::json PlayerJson(int32_t i, const tPlayerRec& p) {
    return {{"Index", i},
            {"Used", p.Used},
            {"Name", Text(p.Name)},
            {"IdRasa", p.IdRasa},
            {"RidiPocitac", p.RidiPocitac},
            {"Povaha", p.Povaha},
            {"Penize", p.Penize},
            {"Barva", p.Barva},
            {"Surovina", p.Surovina},
            {"Tag", p.Tag},
            {"Vztah", ByteArray(p.Vztah)},
            {"StavVynalezu", ByteArray(p.StavVynalezu)},
            {"StavBudov", ByteArray(p.StavBudov)},
            {"MaxDelniku", p.MaxDelniku},
            {"MaxBuild", p.MaxBuild},
            {"MaxVojaku", p.MaxVojaku},
            {"MinSkupinka", p.MinSkupinka},
            {"MaxSkupinka", p.MaxSkupinka},
            {"StavJednotek", ByteArray(p.StavJednotek)}};
}

nlohmann::json SettlementJson(int32_t i, const tSettlementRec& s) {
    return {{"Index", i},
            {"Used", s.Used},
            {"Usedlost", s.Usedlost},
            {"Name", Text(s.Name)},
            {"IdRasa", s.IdRasa},
            {"IdPlayer", s.IdPlayer},
            {"HlavniBudova", s.HlavniBudova},
            {"Civils", s.Civils},
            {"Rezerva", s.Rezerva},
            {"Tag", s.Tag}};
}

nlohmann::json BuildingJson(int32_t i, const tBuildingRec& b) {
    return {{"Index", i},
            {"Used", b.Used},
            {"IdBuilding", b.IdBuilding},
            {"IdObject", b.IdObject},
            {"IdTouwn", b.IdTouwn},
            {"X", b.X},
            {"Y", b.Y},
            {"ProcVystavby", b.ProcVystavby},
            {"Tag", b.Tag},
            {"ProcZivotu", b.ProcZivotu},
            {"Pozorovatel", b.Pozorovatel},
            {"Imortal", b.Imortal}};
}

nlohmann::json UnitJson(int32_t i, const tUnitRec& u) {
    return {{"Index", i},
            {"Used", u.Used},
            {"IdPerson", u.IdPerson},
            {"IdPlayer", u.IdPlayer},
            {"IdObject", u.IdObject},
            {"X", u.X},
            {"Y", u.Y},
            {"Name", Text(u.Name)},
            {"UtoC", u.UtoC},
            {"ObrC", u.ObrC},
            {"Zivoty", u.Zivoty},
            {"Tag", u.Tag},
            {"AI", u.AI},
            {"StaryZaznam", u.StaryZaznam},
            {"Smer", u.Smer},
            {"ProcZivotu", u.ProcZivotu},
            {"PatrolaX", u.PatrolaX},
            {"PatrolaY", u.PatrolaY},
            {"AIEnabled", u.AIEnabled},
            {"Neviditelny", u.Neviditelny},
            {"Pozorovatel", u.Pozorovatel},
            {"Imortal", u.Imortal}};
}

int SavDump(const Args& args) {
    args.Expect(1, 1, {"--map", "--game-dir"});
    const std::string savPath = UserPath(args.Positional(0, "FILE"));
    const std::string mapPath =
        args.Has("--map") ? UserPath(args.Option("--map"))
                          : std::filesystem::path(savPath).replace_extension(".map").string();
    EnterGameDirectory(args);

    // The records that do not link back from the map are loaded dead, as the editor loads them.
    std::unique_ptr<tMapa> map;
    if (FileExistsOnDisk(mapPath)) {
        map = std::make_unique<tMapa>();
        ViewPosition view;
        if (!map->LoadFromFile(mapPath, view)) return kBadInput;
    } else if (args.Has("--map")) {
        throw InputError("no map file \"" + mapPath + "\"");
    } else {
        std::fprintf(stderr, "note: no map \"%s\" beside the file; links are not checked\n",
                     mapPath.c_str());
    }

    auto store = std::make_unique<tKalistor>();
    if (!store->LoadFromFile(savPath, map.get())) return kBadInput;

    nlohmann::json players = nlohmann::json::array();
    for (int32_t i = 1; i <= store->PlayerCount; ++i)
        players.push_back(PlayerJson(i, store->Players[static_cast<size_t>(i)]));
    nlohmann::json settlements = nlohmann::json::array();
    for (int32_t i = 1; i <= store->SettlementCount; ++i)
        settlements.push_back(SettlementJson(i, store->Settlements[static_cast<size_t>(i)]));
    nlohmann::json buildings = nlohmann::json::array();
    for (int32_t i = 1; i <= store->BuildingCount; ++i)
        buildings.push_back(BuildingJson(i, store->Buildings[static_cast<size_t>(i)]));
    nlohmann::json units = nlohmann::json::array();
    for (int32_t i = 1; i <= store->UnitCount; ++i)
        units.push_back(UnitJson(i, store->Units[static_cast<size_t>(i)]));
    PrintJson({{"Version", kSavFileVersion},
               {"Players", players},
               {"Settlements", settlements},
               {"Buildings", buildings},
               {"Units", units}});
    return kOk;
}

const Registration kDump(
    {"sav", "dump", "sav dump FILE [--map MAP] [--game-dir DIR]", {}, SavDump});

}  // namespace

}  // namespace tess::cli
