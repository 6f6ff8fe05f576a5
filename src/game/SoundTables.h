// The sounds the game tables give effects and buildings, and the one save path that the sound
// dialogs and the command-line tool share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

namespace sound_tables {
inline constexpr char kEffects[] = "data\\Efects.dbf";
inline constexpr char kAnims[] = "data\\Anims.dbf";
inline constexpr char kBuildings[] = "data\\building.dbf";
// The directory the tables' sound names are relative to.
inline constexpr char kSoundDir[] = "sound\\";
inline constexpr char kFaceVideo[] = "Pictures\\ksichtis.avi";
}  // namespace sound_tables

// Texts are CP1250, as the tables hold them.
struct EffectSound {
    int32_t Id = 0;
    std::string Name;
    std::string WavFile;
    int32_t Cas = 0;  // milliseconds per animation frame
    bool EachAnim = false;
};

struct BuildingSound {
    int32_t Id = 0;
    std::string Name;
    std::string WavFile;
};

// Every record of the table, in file order (missing tables and fields are reported by the
// table reader and read as nothing).
std::vector<EffectSound> ListEffectSounds();
std::vector<BuildingSound> ListBuildingSounds();

// What a save of an effect changes; a field left empty keeps its stored value.
struct EffectSoundChange {
    std::optional<std::string> WavFile;  // CP1250, the name below "sound\"
    std::optional<int32_t> Cas;
    std::optional<bool> EachAnim;
};

enum class SaveStatus { Saved, UnknownId, Failed };

struct SaveResult {
    SaveStatus Status = SaveStatus::Saved;
    std::string Error;  // UTF-8: why it failed (empty when saved)
    bool Saved() const { return Status == SaveStatus::Saved; }
};

// Finds the record by "Id" and writes the given fields ("Wav_File", "Cas", "Each_Anim"), then
// the table, where it was read from. An unknown id or any failure writes nothing.
SaveResult SaveEffectSound(int32_t id, const EffectSoundChange& change);
// The same for a building's "wav_file".
SaveResult SaveBuildingSound(int32_t id, const std::string& wavFile);

// What the dialogs say when a chosen sound file lies outside the game's "sound" directory.
inline constexpr char kSoundOutsideText[] =
    "Zvuk musí ležet v adresáři \"sound\" hry; pole zůstává, jak bylo.";

// The name a table stores for a chosen sound file: its path below the game's "sound" directory,
// with "\" separators ('C:\GAME\SOUND\FX\BOOM.WAV' -> 'FX\BOOM.WAV'). The directory is the first
// one named "sound" (any letter case) below `gameDirectory` when the path lies there, else the
// first directory of the path with that name. Nothing when the path has no such directory.
std::optional<std::string> SoundNameFromPath(std::string_view path, std::string_view gameDirectory);

// The disk path of a table's sound name ("sound\" + name); nothing for a name of spaces only.
std::optional<std::string> SoundFilePath(std::string_view name);

// The frames-per-second text of a frame interval: 1000 div cas, "0" for an interval of 0 or less.
std::string FramesPerSecondText(int32_t cas);
// The frame interval of a frames-per-second text: 1000 div its first number; nothing when the
// text holds no number above 0.
std::optional<int32_t> IntervalFromFramesPerSecond(std::string_view text);

}  // namespace tess
