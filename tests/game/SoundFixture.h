// A small game directory for the sound dialogs: effects with their animation strips, buildings
// with their keepers' faces, persons, sounds; and a player that records what it was asked.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/SoundPlayer.h"
#include "resources/BigFile.h"
#include "resources/Surface.h"
#include "resources/Utils.h"
#include "support/TempDir.h"
#include "support/TestUi.h"
#include "writers/ArchiveWriter.h"
#include "writers/AviWriter.h"
#include "writers/DbfWriter.h"
#include "writers/SpriteWriter.h"
#include "writers/WavWriter.h"

namespace tess::test {

class RecordingPlayer : public SoundPlayer {
  public:
    void Play(const std::string& path) override { played.push_back(path); }
    void Close() override { ++closes; }
    std::vector<std::string> played;
    int closes = 0;
};

// Frame f of an animation strip is one solid colour (exact in 4 bits per channel).
inline uint16_t StripColour(int32_t frame) {
    return Rgb565(Expand4(uint32_t(frame + 1)), Expand4(uint32_t(15 - frame)), Expand4(9));
}
// Frame f of the face video is one solid colour (exact in 16 bits).
inline uint16_t FaceColour(int32_t frame) {
    return Rgb565(uint8_t(frame * 8), 132, uint8_t(248 - frame * 8));
}

constexpr int32_t kStripWidth = 20, kStripHeight = 12, kStripFrames = 5;
constexpr int32_t kFaceWidth = 16, kFaceHeight = 10, kFaceFrames = 12;

inline writers::RgbaImage Strip() {
    writers::RgbaImage img(kStripWidth, kStripHeight * kStripFrames);
    for (int32_t f = 0; f < kStripFrames; ++f) {
        const Rgb8 c = ExpandRgb565(StripColour(f));
        for (int32_t y = 0; y < kStripHeight; ++y)
            for (int32_t x = 0; x < kStripWidth; ++x)
                img.At(x, f * kStripHeight + y) = {c.r, c.g, c.b, 255};
    }
    return img;
}

inline writers::AviVideo Faces() {
    writers::AviVideo video;
    video.Codec = writers::AviCodec::Rle8;
    video.KeyFrameInterval = 5;
    for (int32_t f = 0; f < kFaceFrames; ++f) {
        const Rgb8 c = ExpandRgb565(FaceColour(f));
        video.Frames.emplace_back(kFaceWidth, kFaceHeight, writers::RgbaPixel{c.r, c.g, c.b, 255});
    }
    return video;
}

// Effects: 1 loops forward with a sound every cycle and links to 2 and 3; 2 runs once; 3 runs
// once backwards; 4 has no animation; 5 has an animation of no frames; 6 has a frame time of 0.
inline writers::DbfTable EffectsTable() {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 4},         {"NAME", 'C', 30},    {"WAV_FILE", 'C', 40},
                {"CAS", 'N', 5},        {"TRAILEFF", 'N', 4}, {"NEXT_ID_EF", 'N', 4},
                {"DOLY_CIRCL", 'N', 3}, {"STRELA", 'L', 1},   {"JEN_JEDNOU", 'L', 1},
                {"EACH_ANIM", 'L', 1},  {"ID_ANIM", 'N', 4},  {"ODZADU", 'L', 1}};
    const auto row = [](const char* id, const char* name, const char* wav, const char* cas,
                        const char* trail, const char* next, const char* crater, bool arrow,
                        bool once, bool each, const char* anim, bool back) {
        return writers::DbfRecord{
            false,
            {id, Utf8ToCp1250(name), wav, cas, trail, next, crater, arrow ? "T" : "F",
             once ? "T" : "F", each ? "T" : "F", anim, back ? "T" : "F"}};
    };
    t.Records = {
        row("1", "Oheň", "FX\\BOOM.WAV", "80", "2", "3", "1", true, false, true, "1", false),
        row("2", "Jiskra", "fx\\spark.wav", "40", "0", "0", "0", false, true, true, "1", false),
        row("3", "Kouř", "", "100", "0", "0", "0", false, true, false, "1", true),
        row("4", "Gong", "FX\\BOOM.WAV", "50", "9", "0", "0", false, false, true, "0", false),
        row("5", "Prázdný", "", "60", "0", "0", "0", false, false, true, "2", false),
        row("6", "Stojící", "", "0", "0", "0", "0", false, false, false, "1", false)};
    return t;
}

inline writers::DbfTable AnimsTable() {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 4},
                {"FILENAME", 'C', 60},
                {"WIDTH", 'N', 4},
                {"HEIGHT", 'N', 4},
                {"ANIMCOUNT", 'N', 4}};
    t.Records = {{false,
                  {"1", "ohen*.tga", std::to_string(kStripWidth), std::to_string(kStripHeight),
                   std::to_string(kStripFrames)}},
                 {false, {"2", "ohen*.tga", "20", "12", "0"}}};
    return t;
}

// Buildings: 10 shows face frame 3 + 4 - 1 = 6; 11 has no clip.
inline writers::DbfTable BuildingTable() {
    writers::DbfTable t;
    t.Fields = {{"ID", 'N', 5},
                {"NAME", 'C', 30},
                {"WAV_FILE", 'C', 40},
                {"XICHT_POS", 'N', 5},
                {"XICHT_LEN", 'N', 5}};
    t.Records = {{false, {"10", Utf8ToCp1250("Kovárna"), "budovy\\kovar.wav", "3", "4"}},
                 {false, {"11", Utf8ToCp1250("Studna"), "", "0", "0"}}};
    return t;
}

// The game directory, current for the fixture's lifetime, with the tables on the disk (or the
// effects table in "zor.dat" when asked).
class SoundGame {
  public:
    explicit SoundGame(bool effectsInArchive = false) : cwd(dir.Path()) {
        BigFile().Close();
        const std::vector<uint8_t> effects = writers::BuildDbf(EffectsTable()).Table;
        if (effectsInArchive) {
            dir.Write("zor.dat", writers::BuildArchive({{"DATA/Efects.DBF", effects},
                                                        {"DATA/other.dbf", {1, 2, 3}},
                                                        {"PICTURES/x.dds", {4, 5}}}));
            BigFile().Open("zor.dat");
        } else {
            dir.Write("DATA/Efects.DBF", effects);
        }
        dir.Write("DATA/anims.dbf", writers::BuildDbf(AnimsTable()).Table);
        dir.Write("DATA/BUILDING.DBF", writers::BuildDbf(BuildingTable()).Table);
        dir.Write("Pictures/Anims/OHEN.DDS", writers::WriteDds2(Strip()));
        dir.Write("Pictures/ksichtis.avi", writers::WriteAvi(Faces()));
        writers::PcmSound sound;
        sound.Samples.assign(100, 0);
        dir.Write("Sound/FX/boom.wav", writers::WriteWav(sound));
    }
    ~SoundGame() { BigFile().Close(); }

    std::string EffectsPath() const { return dir.File("DATA/Efects.DBF"); }

    TempDir dir;
    ScopedCurrentDir cwd;
    ScopedTestUi ui;
    RecordingPlayer player;
};

}  // namespace tess::test
