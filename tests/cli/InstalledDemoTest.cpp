// An installed tessarine-cli without --game-dir works in the designer's copy of the installed
// demo game, made on first use; an explicit --game-dir is used as given.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

// A prefix laid out as `cmake --install` lays it out: the program in bin/, the demo game in
// share/tessarine/demo.
class InstalledCli : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        demo_ = new test::TempDir;
        const auto written = test::RunCli({"demo", "-o", demo_->File("demo")});
        ASSERT_EQ(written.status, 0) << written.err;
    }
    static void TearDownTestSuite() { delete demo_; }

    void SetUp() override {
        fs::create_directories(installed.parent_path());
        fs::create_directories(program.parent_path());
        fs::copy_file(TESS_CLI_PATH, program);
        fs::copy(demo_->File("demo"), installed, fs::copy_options::recursive);
    }

    test::CliResult Run(const std::vector<std::string>& args) {
        return test::RunProgram(program.string(), args,
                                {{"TESSARINE_DEMO_DIR", ""},
                                 {"XDG_DATA_HOME", (dir.Path() / "data").string()},
                                 {"HOME", (dir.Path() / "home").string()}});
    }

    static test::TempDir* demo_;  // one demo game for every test, written once
    test::TempDir dir;
    const fs::path program = dir.Path() / "prefix" / "bin" / "tessarine-cli";
    const fs::path installed = dir.Path() / "prefix" / "share" / "tessarine" / "demo";
    const fs::path copy = dir.Path() / "data" / "Korvel Studio" / "Tessarine" / "demo";
};

test::TempDir* InstalledCli::demo_ = nullptr;

TEST_F(InstalledCli, WorksInTheDesignersCopyOfTheDemo) {
    const std::vector<uint8_t> shippedCache =
        test::ReadFileBytes((installed / "objects.kar").string());
    const auto built = Run({"objects", "build"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err, "");
    EXPECT_EQ(fs::path(built.Json()["File"].get<std::string>()), copy / "objects.kar");
    EXPECT_TRUE(fs::exists(copy / "zor.dat"));
    EXPECT_TRUE(fs::exists(copy / "MAPS" / "default.map"));
    EXPECT_EQ(test::ReadFileBytes((installed / "objects.kar").string()), shippedCache);

    // The copy is the designer's from now on: a later start neither replaces nor refreshes it.
    fs::remove(copy / "MAPS" / "default.sav");
    ASSERT_EQ(Run({"objects", "list"}).status, 0);
    EXPECT_FALSE(fs::exists(copy / "MAPS" / "default.sav"));
    for (const auto& entry : fs::directory_iterator(copy.parent_path()))
        EXPECT_EQ(entry.path(), copy) << "left behind: " << entry.path();
}

TEST_F(InstalledCli, AnExplicitGameDirectoryIsUsedAsGiven) {
    const auto listed = Run({"objects", "list", "--game-dir", installed.string()});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_FALSE(fs::exists(copy));
}

TEST_F(InstalledCli, WithoutAPlaceForTheCopyItReadsTheInstalledDemoAndSaysSo) {
    // A file where the data directory should be: no copy can be made there.
    test::TempDir other;
    other.Write("data", std::string("not a directory"));
    const auto listed = test::RunProgram(
        program.string(), {"objects", "build"},
        {{"TESSARINE_DEMO_DIR", ""}, {"XDG_DATA_HOME", other.File("data")}, {"HOME", ""}});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.err.find("warning: cannot copy the demo game"), std::string::npos)
        << listed.err;
    EXPECT_EQ(fs::path(listed.Json()["File"].get<std::string>()), installed / "objects.kar");
}

}  // namespace
}  // namespace tess
