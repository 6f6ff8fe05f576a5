// The video frame reader: the first stream's information and single frames of an AVI file.
#pragma once

#include <cstdint>
#include <string>

#include "resources/Surface.h"

namespace tess {

// What a video file may ask of the reader. A file beyond these bounds is refused with the error
// box of the step that met it.
struct AviLimits {
    // Frame width and height.
    int32_t MaxSide = tSurface::kMaxSide;
    // Packets read from the file for one frame (from the key frame before it, or from the start).
    // A stream whose key frames lie further apart than this, or a damaged index that sends the
    // reader through the whole file, is refused rather than decoded for minutes.
    int32_t MaxPacketsPerFrame = 100000;
    // How often a failing operation runs in all: Retry repeats it, but a damaged file fails the
    // same way every time, and the user must not be left with Abort as the only way out. Where
    // nobody can fix the file in between (the command-line tool) once is enough.
    int32_t Attempts = 3;
};

// The record of one video file, owned by the caller. No file stays open between calls: every
// operation opens the file, does its work and closes it again.
struct tAviFile {
    std::string FileName;     // the video file (a game-data path, either separator, any case)
    int32_t FrameWidth = 0;   // right edge of the first stream's frame rectangle
    int32_t FrameHeight = 0;  // bottom edge of the first stream's frame rectangle
    uint32_t Rate = 0;        // the stream's rate: frames per time unit (the header's dwRate)
    uint32_t FrameCount = 0;  // the stream's length in frames
    uint32_t Quality = 0;     // the stream header's quality value (0xFFFFFFFF: the default)
    AviLimits Limits;
};

// Sets FileName and reads the first stream's information. A first stream that is not video
// leaves the other fields unchanged. Failures show an error box naming the step and the file:
// "Avi AVIFileOpen \"<name>\"" (the file cannot be opened or is no AVI file),
// "Avi AVIFileGetStream \"<name>\"" (no stream), "Avi AVIStreamInfo \"<name>\"" (a video stream
// without a usable frame size). After Retry the whole operation is tried again, at most
// Limits.Attempts times in all; then it gives up and the fields stay as they were.
void OpenAvi(tAviFile& avi, const std::string& fileName);

// Decodes frame `frame` (0-based) of the first stream of avi.FileName onto `target`, which is
// resized to the frame: exactly that frame, decoded forward from the key frame before it.
// Besides the messages of OpenAvi the steps report "Avi AVIStreamGetFrameOpen \"<name>\"" (the
// first stream is not video or has no decoder), "Avi AVIStreamGetFrame \"<name>\"" (no such
// frame, damaged data, or more packets than the limit) and "Avi CreateDIBitmap chybny handle"
// (the frame cannot be converted); Retry works as in OpenAvi. True when the frame was drawn;
// false leaves the surface as it was.
bool GetAviFrame(tAviFile& avi, int32_t frame, tSurface& target);

// Clears FileName.
void CloseAvi(tAviFile& avi);

}  // namespace tess
