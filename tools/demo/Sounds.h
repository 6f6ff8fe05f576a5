// Sounds of the demo game: a short synthesised tone or noise for every ".wav" the tables name.
#pragma once

#include <string>

#include "writers/WavWriter.h"

namespace tess::demo {

constexpr uint32_t kSoundRate = 22050;

// Mono 16-bit samples for a sound named as the tables name it below "sound\": its pitch and
// length come from ToneFor; names of fire, water, smoke, explosions, mines and bones sound as
// filtered noise over a low tone, everything else as a bell-like tone. Integer arithmetic only,
// so every build makes the same samples.
writers::PcmSound SynthesiseSound(const std::string& soundName);

}  // namespace tess::demo
