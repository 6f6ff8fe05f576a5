// The designer's copy of an installed demo game: where it goes, that it is made whole or not at
// all, and that a copy once made is never replaced.
#include "resources/GameDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "resources/BigFile.h"
#include "support/TempDir.h"

namespace tess {
namespace {

namespace fs = std::filesystem;

// Sets (or with nullopt removes) an environment variable for the guard's lifetime.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { previous_ ? ::setenv(name_, previous_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(UserDemoDirectory, FollowsTheDataHomeOfTheDesktop) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/data");
        ScopedEnv home("HOME", "/home/anna");
        EXPECT_EQ(UserDemoDirectory(), "/srv/data/Korvel Studio/Tessarine/demo");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
        ScopedEnv home("HOME", "/home/anna");
        EXPECT_EQ(UserDemoDirectory(), "/home/anna/.local/share/Korvel Studio/Tessarine/demo");
    }
    ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    EXPECT_EQ(UserDemoDirectory(), "");
}

class DemoCopy : public ::testing::Test {
  protected:
    DemoCopy() {
        dir.Write("installed/zor.dat", std::string("archive"));
        dir.Write("installed/MAPS/default.map", std::string("map"));
        dir.Write("installed/DATA/races.dbf", std::string("table"));
        // Installed files are often read-only; the copy must still be saved over.
        fs::permissions(installed / "MAPS" / "default.map", fs::perms::owner_read);
    }

    test::TempDir dir;
    const fs::path installed = dir.Path() / "installed";
    const fs::path copy = dir.Path() / "data" / "Tessarine" / "demo";
};

TEST_F(DemoCopy, CopiesEveryFileWritableAndKeepsTheDesignersWork) {
    EnsureDemoCopy(installed.string(), copy.string());
    EXPECT_EQ(test::ReadFileBytes((copy / "DATA" / "races.dbf").string()),
              test::ReadFileBytes((installed / "DATA" / "races.dbf").string()));
    EXPECT_EQ(test::ReadFileBytes((copy / "zor.dat").string()).size(), 7u);
    const fs::perms perms = fs::status(copy / "MAPS" / "default.map").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
    for (const auto& entry : fs::directory_iterator(copy.parent_path()))
        EXPECT_EQ(entry.path(), copy) << "left behind: " << entry.path();

    // The designer saves the map; a newer installed demo does not replace their copy.
    dir.Write("data/Tessarine/demo/MAPS/default.map", std::string("edited"));
    dir.Write("installed/DATA/races.dbf", std::string("newer table"));
    EnsureDemoCopy(installed.string(), copy.string());
    EXPECT_EQ(test::ReadFileBytes((copy / "MAPS" / "default.map").string()),
              (std::vector<uint8_t>{'e', 'd', 'i', 't', 'e', 'd'}));
    EXPECT_EQ(test::ReadFileBytes((copy / "DATA" / "races.dbf").string()).size(), 5u);
}

TEST_F(DemoCopy, NothingIsLeftOfACopyThatCannotBeMade) {
    EXPECT_THROW(EnsureDemoCopy((dir.Path() / "nowhere").string(), copy.string()), IoError);
    EXPECT_FALSE(fs::exists(copy));
    // The place of the copy is taken by a file.
    dir.Write("data/Tessarine/demo", std::string("a file"));
    EXPECT_THROW(EnsureDemoCopy(installed.string(), copy.string()), IoError);
    for (const auto& entry : fs::directory_iterator(copy.parent_path()))
        EXPECT_EQ(entry.path(), copy) << "left behind: " << entry.path();
}

TEST_F(DemoCopy, AGivenDirectoryIsTakenAsItStands) {
    EXPECT_EQ(ChooseGameDirectory("/some/game"), "/some/game");
}

}  // namespace
}  // namespace tess
