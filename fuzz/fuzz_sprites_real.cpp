// Fuzz target: every sprite container with the program's own limits, where a short file's
// memory and work are bounded by the file alone (the other sprite targets use small limits).
#include <cstddef>
#include <cstdint>

#include "FuzzSprites.h"
#include "resources/UiHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tess::InstallSilentUi();
    tess::fuzz::DecodeAnySprite(data, size, tess::SpriteLimits{});
    return 0;
}
