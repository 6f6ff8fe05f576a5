// The sounds the game tables give effects and buildings, and the one save path that the sound
// dialogs and the command-line tool share.
#include "game/SoundTables.h"

#include "game/GameTables.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// Finds the record and writes the fields that `write` sets, then the table. Anything that fails
// leaves the table file as it was.
template <typename Write>
SaveResult SaveRecord(const char* tableName, int32_t id, Write write) {
    GameTable table(tableName);
    if (!table.FindId(id))
        return {SaveStatus::UnknownId, "záznam " + std::to_string(id) + " v tabulce \"" +
                                           std::string(tableName) + "\" neexistuje"};
    try {
        write(table.Table());
        SaveDBF(table.Table());
    } catch (const IoError& e) {
        return {SaveStatus::Failed, e.what()};
    }
    return {};
}

std::vector<std::string> PathParts(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            if (i > start) parts.emplace_back(path.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

bool IsSoundDirectory(const std::string& part) {
    return UpperCaseCz(part) == "SOUND";
}

// The parts after index `dir`, joined with "\"; nothing when no file name follows.
std::optional<std::string> Below(const std::vector<std::string>& parts, size_t dir) {
    if (dir + 1 >= parts.size()) return std::nullopt;
    std::string name;
    for (size_t i = dir + 1; i < parts.size(); ++i)
        name += (i > dir + 1 ? "\\" : "") + parts[i];
    return name;
}

}  // namespace

std::vector<EffectSound> ListEffectSounds() {
    GameTable table(sound_tables::kEffects);
    std::vector<EffectSound> list;
    for (table.First(); !table.Eof(); table.Next())
        list.push_back({table.Integer("Id"), table.Text("Name"), table.Text("wav_file"),
                        table.Integer("Cas"), table.Flag("Each_Anim")});
    return list;
}

std::vector<BuildingSound> ListBuildingSounds() {
    GameTable table(sound_tables::kBuildings);
    std::vector<BuildingSound> list;
    for (table.First(); !table.Eof(); table.Next())
        list.push_back({table.Integer("Id"), table.Text("Name"), table.Text("wav_file")});
    return list;
}

SaveResult SaveEffectSound(int32_t id, const EffectSoundChange& change) {
    return SaveRecord(sound_tables::kEffects, id, [&](tTable& table) {
        if (change.WavFile) SetString(table, "Wav_File", *change.WavFile);
        if (change.Cas) SetInteger(table, "Cas", *change.Cas);
        if (change.EachAnim) SetBool(table, "Each_Anim", *change.EachAnim);
    });
}

SaveResult SaveBuildingSound(int32_t id, const std::string& wavFile) {
    return SaveRecord(sound_tables::kBuildings, id,
                      [&](tTable& table) { SetString(table, "wav_file", wavFile); });
}

std::optional<std::string> SoundNameFromPath(std::string_view path,
                                             std::string_view gameDirectory) {
    const std::vector<std::string> parts = PathParts(path);
    const std::vector<std::string> game = PathParts(gameDirectory);
    const bool inGame = !game.empty() && parts.size() > game.size() &&
                        std::equal(game.begin(), game.end(), parts.begin());
    // A directory named "sound" above the game's own (a user's home, say) is not the one meant.
    for (size_t i = inGame ? game.size() : 0; i + 1 < parts.size(); ++i)
        if (IsSoundDirectory(parts[i])) return Below(parts, i);
    return std::nullopt;
}

std::optional<std::string> SoundFilePath(std::string_view name) {
    if (AllTrim(name).empty()) return std::nullopt;
    return std::string(sound_tables::kSoundDir) + std::string(name);
}

std::string FramesPerSecondText(int32_t cas) {
    return std::to_string(cas > 0 ? 1000 / cas : 0);
}

std::optional<int32_t> IntervalFromFramesPerSecond(std::string_view text) {
    int32_t n = 0;
    try {
        n = GetNumber(text, 1);
    } catch (const ConvertError&) {
        return std::nullopt;  // a number too large for the field is no number of frames
    }
    if (n <= 0) return std::nullopt;
    return 1000 / n;
}

}  // namespace tess
