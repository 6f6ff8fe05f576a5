// The written demo game for the tests that read it back: its directory, and a fixture that
// works inside it as the program does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DemoWriter.h"
#include "resources/BigFile.h"
#include "support/TempDir.h"
#include "support/TestUi.h"

namespace tess::demo {

// The demo written at build time, where the programs find it; without one (the build-time
// demo switched off), one written here once per test program.
inline const std::string& DemoDir() {
    static const std::string dir = [] {
#ifdef TESS_DEMO_DIR
        if (std::filesystem::exists(std::filesystem::path(TESS_DEMO_DIR) / "zor.dat"))
            return std::string(TESS_DEMO_DIR);
#endif
        static test::TempDir temp;
        WriteDemoGame(temp.File("demo"));
        return temp.File("demo");
    }();
    return dir;
}

// The demo as the program sees it: its directory current, its archive open, error boxes
// recorded.
class InDemoGame : public ::testing::Test {
  protected:
    InDemoGame() : cd_(DemoDir()) { BigFile().Open("zor.dat"); }
    ~InDemoGame() override { BigFile().Close(); }

    test::ScopedTestUi ui;

  private:
    test::ScopedCurrentDir cd_;
};

}  // namespace tess::demo
