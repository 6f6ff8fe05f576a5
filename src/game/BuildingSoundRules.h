// The building sound dialog without its window: the building's sound, its keeper's face from the
// face video, "Play" and what "Ok" stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/SoundTables.h"
#include "resources/Surface.h"

namespace tess {

class SoundPlayer;

class BuildingSoundRules {
  public:
    explicit BuildingSoundRules(SoundPlayer& player);

    // The face area's size and the colour it is filled with before the face is drawn (the
    // window's button face).
    void SetDisplay(int32_t width, int32_t height, uint16_t background);
    // Reads the building from "data\building.dbf" and, when "Pictures\ksichtis.avi" exists on the
    // disk, draws its face: frame "Xicht_Pos" + "Xicht_Len" - 1 of the video at the area's top
    // left. A building without a clip ("Xicht_Len" 0) shows no face.
    void Fill(int32_t buildingId);

    std::string Label1;  // the building's name (UTF-8)
    std::string Edit1;   // the sound, relative to "sound\"
    int32_t BuildingId() const { return buildingId_; }
    int32_t FaceFrame() const { return faceFrame_; }  // -1 when none was drawn
    const tSurface& Display() const { return display_; }

    // "Play": plays the sound; a file that is not on the disk is reported in an information box
    // with the system's error number.
    void Play();
    // "Ok": stores "wav_file" into the building's record.
    SaveResult Save() const;
    void Close();

  private:
    SoundPlayer& player_;
    int32_t buildingId_ = 0;
    int32_t faceFrame_ = -1;
    uint16_t background_ = 0;
    tSurface display_;
};

}  // namespace tess
