// Seeds for the video fuzz target: small AVI files of our own writer in both codecs.
#include <filesystem>

#include "Seeds.h"
#include "writers/AviWriter.h"

namespace tess::fuzz {

namespace {

writers::AviVideo Clip(writers::AviCodec codec, int frames, uint32_t keys) {
    writers::AviVideo video;
    video.Codec = codec;
    video.FramesPerSecond = 12;
    video.KeyFrameInterval = keys;
    for (int k = 0; k < frames; ++k) {
        writers::RgbaImage img(16, 9);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 16; ++x)
                img.At(x, y) = {uint8_t(x == k ? 255 : x * 16), uint8_t(y * 28), 60, 255};
        video.Frames.push_back(img);
    }
    return video;
}

}  // namespace

void WriteVideoSeeds(const std::filesystem::path& corpus) {
    using writers::AviCodec;
    WriteSeed(corpus, "fuzz_avi", "raw", writers::WriteAvi(Clip(AviCodec::Uncompressed, 3, 0)));
    WriteSeed(corpus, "fuzz_avi", "rle-one-key", writers::WriteAvi(Clip(AviCodec::Rle8, 8, 0)));
    WriteSeed(corpus, "fuzz_avi", "rle-keys", writers::WriteAvi(Clip(AviCodec::Rle8, 8, 3)));
    writers::PcmSound sound;
    sound.Samples.assign(64, 1000);
    WriteSeed(corpus, "fuzz_avi", "audio-first", writers::WriteAudioAvi(sound));
}

}  // namespace tess::fuzz
