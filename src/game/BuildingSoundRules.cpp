// The building sound dialog without its window: the building's sound, its keeper's face from the
// face video, "Play" and what "Ok" stores.
#include "game/BuildingSoundRules.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "game/GameTables.h"
#include "game/SoundPlayer.h"
#include "resources/Avi.h"
#include "resources/UiHost.h"
#include "resources/Utils.h"

namespace tess {

namespace {

// The system's error number for opening the file that is no sound file on the disk.
int OpenError(const std::string& path) {
    // Non-blocking: a named pipe of that name must not hold the dialog up.
    const int fd = ::open(ResolveDiskPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
    return EISDIR;  // it opened, so it is a directory
}

}  // namespace

BuildingSoundRules::BuildingSoundRules(SoundPlayer& player) : player_(player) {}

void BuildingSoundRules::SetDisplay(int32_t width, int32_t height, uint16_t background) {
    background_ = background;
    display_.SetSize(width, height);
    display_.Fill(background_);
}

void BuildingSoundRules::Fill(int32_t buildingId) {
    buildingId_ = buildingId;
    faceFrame_ = -1;
    int32_t clipStart = 0, clipLength = 0;
    {
        GameTable table(sound_tables::kBuildings);
        if (table.FindId(buildingId)) {
            Label1 = Cp1250ToUtf8(table.Text("Name"));
            Edit1 = Cp1250ToUtf8(table.Text("wav_file"));
            clipStart = table.Integer("Xicht_Pos");
            clipLength = table.Integer("Xicht_Len");
        }
    }
    // Without a clip there is no last frame to show (and no error box to raise for frame -1).
    if (clipLength <= 0 || !FileExistsOnDisk(sound_tables::kFaceVideo)) return;
    tAviFile avi;
    OpenAvi(avi, sound_tables::kFaceVideo);
    tSurface face;
    const int32_t frame =
        static_cast<int32_t>(std::min<int64_t>(int64_t(clipStart) + clipLength - 1, INT32_MAX));
    if (GetAviFrame(avi, frame, face)) {
        display_.Fill(background_);
        display_.Draw(0, 0, face);
        faceFrame_ = frame;
    }
    CloseAvi(avi);
}

void BuildingSoundRules::Play() {
    if (PlayTableSound(player_, Edit1)) return;
    player_.Close();
    const std::optional<std::string> path = SoundFilePath(Edit1);
    const std::string shown = path ? *path : sound_tables::kSoundDir;
    const int error = path ? OpenError(*path) : EISDIR;
    Ui().MessageBox("Zvuk \"" + shown + "\" nelze přehrát: chyba " + std::to_string(error) + " (" +
                        std::strerror(error) + ").",
                    Buttons::Ok);
}

SaveResult BuildingSoundRules::Save() const {
    return SaveBuildingSound(buildingId_, Utf8ToCp1250(Edit1));
}

void BuildingSoundRules::Close() {
    player_.Close();
}

}  // namespace tess
