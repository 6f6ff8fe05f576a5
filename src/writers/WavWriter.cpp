// Writes sound files: RIFF "WAVE" with uncompressed 16-bit PCM samples.
#include "writers/WavWriter.h"

#include <stdexcept>

#include "resources/Bytes.h"

namespace tess::writers {

std::vector<uint8_t> WriteWav(const PcmSound& sound) {
    if (sound.Channels == 0 || sound.SampleRate == 0)
        throw std::invalid_argument("a sound needs a channel and a sample rate");
    if (sound.Samples.size() % sound.Channels != 0)
        throw std::invalid_argument("the samples do not fill whole frames");
    const uint64_t dataBytes = uint64_t(sound.Samples.size()) * 2;
    if (dataBytes > UINT32_MAX - 64) throw std::invalid_argument("sound too long");
    const uint32_t blockAlign = uint32_t(sound.Channels) * 2;

    ByteWriter w;
    w.Bytes("RIFF", 4);
    w.U32(static_cast<uint32_t>(4 + (8 + 16) + (8 + dataBytes)));
    w.Bytes("WAVE", 4);
    w.Bytes("fmt ", 4);
    w.U32(16);
    w.U16(1);  // PCM
    w.U16(sound.Channels);
    w.U32(sound.SampleRate);
    w.U32(sound.SampleRate * blockAlign);  // bytes per second
    w.U16(static_cast<uint16_t>(blockAlign));
    w.U16(16);
    w.Bytes("data", 4);
    w.U32(static_cast<uint32_t>(dataBytes));
    for (int16_t s : sound.Samples)
        w.U16(static_cast<uint16_t>(s));
    return std::move(w.Data());
}

}  // namespace tess::writers
