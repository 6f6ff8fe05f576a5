// Synthesised sounds of the demo game.
#include "Sounds.h"

#include <algorithm>
#include <cstdint>

#include "Canvas.h"
#include "FilePlan.h"
#include "resources/Utils.h"

namespace tess::demo {

namespace {

constexpr int32_t kFull = 32767;

// Sine of a phase in 65536ths of a turn, -32767..32767, by Bhaskara's rational approximation
// (within 0.2 %): exact integers where a library sine could differ between machines.
int32_t Sine(uint32_t phase16) {
    constexpr int64_t kHalf = 32768;
    const int64_t q = phase16 & 0x7FFF;
    const int64_t product = q * (kHalf - q);
    const int64_t s = 16 * product * kFull / (5 * kHalf * kHalf - 4 * product);
    return static_cast<int32_t>(phase16 & 0x8000 ? -s : s);
}

bool Noisy(const std::string& name) {
    const std::string upper = AnsiUpperCase(name);
    for (const char* word : {"OHEN", "VYBUCH", "KOUR", "VODA", "DUL", "KOSTI", "BLESK"})
        if (upper.find(word) != std::string::npos) return true;
    return false;
}

}  // namespace

writers::PcmSound SynthesiseSound(const std::string& soundName) {
    const Tone tone = ToneFor(soundName);
    const uint32_t seed =
        Hash(0x50D0u, static_cast<int32_t>(soundName.size()), static_cast<int32_t>(tone.hertz));
    const int64_t count = int64_t(kSoundRate) * tone.milliseconds / 1000;
    const int64_t attack = kSoundRate / 200;  // 5 ms
    const uint32_t step = static_cast<uint32_t>((uint64_t(tone.hertz) << 32) / kSoundRate);
    const bool noisy = Noisy(soundName);
    // Noise smoothing in 256ths: low values rumble, high ones hiss.
    const int32_t smoothing = 24 + static_cast<int32_t>(seed % 96u);

    writers::PcmSound sound;
    sound.SampleRate = kSoundRate;
    sound.Samples.reserve(static_cast<size_t>(count));
    uint32_t phase = 0, low = 0;  // the tone, and the octave below it under the noise
    int32_t filtered = 0;
    for (int64_t i = 0; i < count; ++i) {
        const uint32_t p = phase >> 16;
        int32_t v;
        if (noisy) {
            const int32_t white =
                static_cast<int32_t>(Hash(seed, static_cast<int32_t>(i), 7) & 0xFFFF) - 32768;
            filtered += (white - filtered) * smoothing / 256;
            v = filtered * 3 / 4 + Sine(low >> 16) / 6;
        } else {
            v = Sine(p) * 2 / 3 + Sine(static_cast<uint32_t>(p * 2)) / 5 +
                Sine(static_cast<uint32_t>(p * 3)) / 10;
        }
        phase += step;
        low += step / 2;
        // Envelope: a short rise, then a fall with the square of the time left.
        const int64_t left = count - i;
        int64_t envelope = left * left * 256 / (count * count);
        if (i < attack) envelope = std::min<int64_t>(envelope, i * 256 / attack);
        const int64_t sample = v * envelope / 256 * 3 / 4;
        sound.Samples.push_back(static_cast<int16_t>(std::clamp<int64_t>(sample, -kFull, kFull)));
    }
    return sound;
}

}  // namespace tess::demo
