// Writes sound files: RIFF "WAVE" with uncompressed 16-bit PCM samples.
#pragma once

#include <cstdint>
#include <vector>

namespace tess::writers {

struct PcmSound {
    uint32_t SampleRate = 22050;
    uint16_t Channels = 1;
    std::vector<int16_t> Samples;  // interleaved when there is more than one channel
};

// The "RIFF" file: a 16-byte "fmt " chunk (PCM, 16 bits per sample) and the "data" chunk.
// Raises std::invalid_argument for no channels, a rate of 0, samples that do not fill whole
// frames or a file over 4 GB.
std::vector<uint8_t> WriteWav(const PcmSound& sound);

}  // namespace tess::writers
