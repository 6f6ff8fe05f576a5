// tessarine-cli sound commands: the sounds of effects and buildings, listed and assigned through
// the same save as the sound dialogs' "Ok".
#include <iostream>

#include "cli/Cli.h"
#include "game/SoundTables.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

int SoundList(const Args& args) {
    args.Expect(1, 1, {"--game-dir"});
    const std::string kind = args.Positional(0, "effects|buildings");
    if (kind != "effects" && kind != "buildings")
        throw UsageError("unknown kind '" + kind + "': effects or buildings");
    EnterGameDirectory(args);
    nlohmann::json list = nlohmann::json::array();
    if (kind == "effects") {
        for (const EffectSound& e : ListEffectSounds())
            list.push_back({{"Id", e.Id},
                            {"Name", Cp1250ToUtf8(e.Name)},
                            {"wav_file", Cp1250ToUtf8(e.WavFile)},
                            {"Cas", e.Cas},
                            {"Each_Anim", e.EachAnim}});
    } else {
        for (const BuildingSound& b : ListBuildingSounds())
            list.push_back({{"Id", b.Id},
                            {"Name", Cp1250ToUtf8(b.Name)},
                            {"wav_file", Cp1250ToUtf8(b.WavFile)}});
    }
    if (args.Flag("--text")) {
        for (const nlohmann::json& item : list)
            std::cout << item["Id"].get<int32_t>() << "\t" << item["Name"].get<std::string>()
                      << "\t" << item["wav_file"].get<std::string>() << "\n";
        return kOk;
    }
    PrintJson(list);
    return kOk;
}

int SoundSet(const Args& args) {
    args.Expect(2, 2, {"--game-dir", "--wav", "--fps", "--each-anim"});
    const std::string kind = args.Positional(0, "effect|building");
    const int32_t id = ParseInt32(args.Positional(1, "ID"), "ID");
    if (kind != "effect" && kind != "building")
        throw UsageError("unknown kind '" + kind + "': effect or building");
    // NAME is stored as given, below the "sound" directory, in the tables' code page.
    const std::optional<std::string> wav =
        args.Has("--wav") ? std::optional(Utf8ToCp1250(args.Option("--wav"))) : std::nullopt;
    EffectSoundChange change;
    change.WavFile = wav;
    if (kind == "building") {
        if (args.Has("--fps") || args.Has("--each-anim"))
            throw UsageError("a building has only a sound: --wav NAME");
        if (!wav) throw UsageError("missing option --wav");
    } else {
        if (args.Has("--fps")) {
            const int32_t fps = ParseInt32(args.Option("--fps"), "--fps");
            if (fps <= 0) throw UsageError("--fps must be above 0");
            change.Cas = 1000 / fps;  // as the dialog's frames-per-second field does
        }
        if (args.Has("--each-anim")) {
            const std::string each = args.Option("--each-anim");
            if (each != "0" && each != "1") throw UsageError("--each-anim takes 0 or 1");
            change.EachAnim = each == "1";
        }
        if (!change.WavFile && !change.Cas && !change.EachAnim)
            throw UsageError("nothing to set: give --wav, --fps or --each-anim");
    }
    EnterGameDirectory(args);
    const SaveResult result =
        kind == "effect" ? SaveEffectSound(id, change) : SaveBuildingSound(id, *wav);
    if (!result.Saved()) throw InputError(result.Error);
    return kOk;
}

const Registration kList({"sound",
                          "list",
                          "sound list effects|buildings [--game-dir DIR] [--text]",
                          {"--text"},
                          SoundList});
const Registration kSet({"sound",
                         "set",
                         "sound set effect ID [--wav NAME] [--fps N] [--each-anim 0|1] "
                         "[--game-dir DIR] | sound set building ID --wav NAME [--game-dir DIR]",
                         {},
                         SoundSet});

}  // namespace

}  // namespace tess::cli
