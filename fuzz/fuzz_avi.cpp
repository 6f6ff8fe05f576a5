// Fuzz target: the video frame reader on a mutated AVI file: stream information, the first and
// the last frame (decoded forward from a key frame), under small frame and packet limits.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "MemoryFile.h"
#include "resources/Avi.h"
#include "resources/UiHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tess;
    InstallSilentUi();
    static fuzz::MemoryFile file;
    tAviFile avi;
    avi.Limits.MaxSide = 512;
    avi.Limits.MaxPacketsPerFrame = 256;
    avi.Limits.Attempts = 1;
    OpenAvi(avi, file.Hold(data, size));
    tSurface frame;
    GetAviFrame(avi, 0, frame);
    if (avi.FrameCount > 1)
        GetAviFrame(avi, static_cast<int32_t>(avi.FrameCount % 4096) - 1, frame);
    CloseAvi(avi);
    return 0;
}
