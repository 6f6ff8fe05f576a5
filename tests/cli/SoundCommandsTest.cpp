// tessarine-cli sound list / sound set, run as a program on a small game directory.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "game/SoundFixture.h"

namespace tess {
namespace {

using test::RunCli;

class SoundCommandsTest : public ::testing::Test {
  protected:
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.push_back("--game-dir");
        args.push_back(game.dir.Path().string());
        return args;
    }
    nlohmann::json Effects() const { return RunCli(With({"sound", "list", "effects"})).Json(); }

    test::SoundGame game;
};

TEST_F(SoundCommandsTest, ListShowsEffectsAndBuildings) {
    const auto r = RunCli(With({"sound", "list", "effects"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = r.Json();
    ASSERT_EQ(j.size(), 6u);
    EXPECT_EQ(j[0], (nlohmann::json{{"Id", 1},
                                    {"Name", "Oheň"},
                                    {"wav_file", "FX\\BOOM.WAV"},
                                    {"Cas", 80},
                                    {"Each_Anim", true}}));
    const nlohmann::json b = RunCli(With({"sound", "list", "buildings"})).Json();
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0],
              (nlohmann::json{{"Id", 10}, {"Name", "Kovárna"}, {"wav_file", "budovy\\kovar.wav"}}));
    EXPECT_EQ(RunCli(With({"sound", "list", "persons"})).status, 2);
}

TEST_F(SoundCommandsTest, SetStoresWhatIsGivenAndKeepsTheRest) {
    auto r = RunCli(With({"sound", "set", "effect", "2", "--fps", "25"}));
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json e = Effects()[1];
    EXPECT_EQ(e["Cas"], 40);
    EXPECT_EQ(e["wav_file"], "fx\\spark.wav");
    EXPECT_EQ(e["Each_Anim"], true);
    r = RunCli(With({"sound", "set", "effect", "2", "--wav", "FX\\ŽÁBA.WAV", "--each-anim", "0"}));
    ASSERT_EQ(r.status, 0) << r.err;
    e = Effects()[1];
    EXPECT_EQ(e["wav_file"], "FX\\ŽÁBA.WAV");
    EXPECT_EQ(e["Each_Anim"], false);
    EXPECT_EQ(e["Cas"], 40);
    r = RunCli(With({"sound", "set", "building", "11", "--wav", "budovy\\studna.wav"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunCli(With({"sound", "list", "buildings"})).Json()[1]["wav_file"],
              "budovy\\studna.wav");
}

TEST_F(SoundCommandsTest, UnknownIdAndBadValuesWriteNothing) {
    const std::vector<uint8_t> before = test::ReadFileBytes(game.EffectsPath());
    auto r = RunCli(With({"sound", "set", "effect", "99", "--wav", "x.wav"}));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("99"), std::string::npos);
    r = RunCli(With({"sound", "set", "effect", "1", "--wav", std::string(41, 'x')}));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("se nevejde"), std::string::npos) << r.err;
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"sound", "set", "effect", "1"},
             {"sound", "set", "effect", "1", "--fps", "0"},
             {"sound", "set", "effect", "1", "--fps", "x"},
             {"sound", "set", "effect", "1", "--each-anim", "2"},
             {"sound", "set", "building", "10", "--fps", "5", "--wav", "a"},
             {"sound", "set", "building", "10"},
             {"sound", "set", "unit", "1", "--wav", "a"},
             {"sound", "set", "effect", "one", "--wav", "a"}})
        EXPECT_EQ(RunCli(With(wrong)).status, 2) << wrong[2] << " " << wrong.back();
    EXPECT_EQ(test::ReadFileBytes(game.EffectsPath()), before);
}

}  // namespace
}  // namespace tess
