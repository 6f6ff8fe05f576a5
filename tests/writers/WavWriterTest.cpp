// Sound writer: the RIFF layout a sound player reads, and the sounds it refuses to write.
#include "writers/WavWriter.h"

#include <gtest/gtest.h>

#include "resources/Bytes.h"

namespace tess::writers {
namespace {

std::string FourCc(ByteReader& r) {
    std::string s(4, ' ');
    r.Bytes(s.data(), 4);
    return s;
}

TEST(WavWriter, ChunksDescribeTheSamples) {
    PcmSound sound;
    sound.SampleRate = 11025;
    sound.Channels = 2;
    sound.Samples = {0, -1, 32767, -32768, 1234, -4321};
    const std::vector<uint8_t> wav = WriteWav(sound);
    ASSERT_EQ(wav.size(), 44u + 12u);
    ByteReader r(wav);
    EXPECT_EQ(FourCc(r), "RIFF");
    EXPECT_EQ(r.U32(), wav.size() - 8);
    EXPECT_EQ(FourCc(r), "WAVE");
    EXPECT_EQ(FourCc(r), "fmt ");
    EXPECT_EQ(r.U32(), 16u);
    EXPECT_EQ(r.U16(), 1);  // PCM
    EXPECT_EQ(r.U16(), 2);
    EXPECT_EQ(r.U32(), 11025u);
    EXPECT_EQ(r.U32(), 11025u * 4);  // bytes per second
    EXPECT_EQ(r.U16(), 4);           // bytes per frame
    EXPECT_EQ(r.U16(), 16);
    EXPECT_EQ(FourCc(r), "data");
    EXPECT_EQ(r.U32(), 12u);
    for (int16_t s : sound.Samples)
        EXPECT_EQ(static_cast<int16_t>(r.U16()), s);
}

TEST(WavWriter, RefusesSoundsWithoutChannelsRateOrWholeFrames) {
    PcmSound sound;
    sound.Samples = {1, 2, 3};
    sound.Channels = 2;
    EXPECT_THROW(WriteWav(sound), std::invalid_argument);
    sound.Channels = 0;
    EXPECT_THROW(WriteWav(sound), std::invalid_argument);
    sound.Channels = 1;
    sound.SampleRate = 0;
    EXPECT_THROW(WriteWav(sound), std::invalid_argument);
}

}  // namespace
}  // namespace tess::writers
