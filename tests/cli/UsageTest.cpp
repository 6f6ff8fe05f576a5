// tessarine-cli's command line itself: --version, each command's --help, options given with "="
// or as the next word, and usage texts that show exactly the shared options a command takes.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using test::RunCli;

struct Listed {
    std::vector<std::string> words;  // the noun and, unless it is a single-word command, the verb
    std::string usage;               // the whole line after "tessarine-cli "
};

// The commands as the general help lists them.
std::vector<Listed> ListedCommands() {
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    std::vector<Listed> commands;
    std::istringstream lines(help.out);
    const std::string prefix = "  tessarine-cli ";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        Listed c;
        c.usage = line.substr(prefix.size());
        std::istringstream words(c.usage);
        // Command words are lower case; placeholders (FILE) and options (-o) end them.
        for (std::string w; words >> w && std::islower(static_cast<unsigned char>(w[0]));)
            c.words.push_back(w);
        commands.push_back(c);
    }
    return commands;
}

std::vector<std::string> With(std::vector<std::string> words, const std::string& extra) {
    words.push_back(extra);
    return words;
}

TEST(CliUsage, VersionAndHelpOfEveryCommand) {
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(
        std::regex_match(version.out, std::regex("tessarine-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;

    const std::vector<Listed> commands = ListedCommands();
    ASSERT_GE(commands.size(), 20u);
    for (const Listed& c : commands) {
        SCOPED_TRACE(c.usage);
        ASSERT_FALSE(c.words.empty());
        for (const std::string help : {"--help", "-h"}) {
            const auto shown = RunCli(With(c.words, help));
            EXPECT_EQ(shown.status, 0) << shown.err;
            EXPECT_EQ(shown.out.substr(0, shown.out.find('\n')), "usage: tessarine-cli " + c.usage);
        }
        std::vector<std::string> helpFirst = c.words;
        helpFirst.insert(helpFirst.begin(), "help");
        EXPECT_EQ(RunCli(helpFirst).out, RunCli(With(c.words, "--help")).out);
    }

    // A noun alone lists its commands: with --help as an answer, without as an error.
    const auto map = RunCli({"map", "--help"});
    EXPECT_EQ(map.status, 0);
    EXPECT_NE(map.out.find("tessarine-cli map render"), std::string::npos);
    EXPECT_EQ(map.out.find("tessarine-cli sprite"), std::string::npos);
    const auto bare = RunCli({"map"});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("'map' needs a command"), std::string::npos);
    EXPECT_NE(bare.err.find("tessarine-cli map info"), std::string::npos);
    EXPECT_EQ(RunCli({"nope", "thing"}).status, 2);
}

// What a usage text shows is what the command accepts: --game-dir where it reads the game
// directory, --text where it has a human-readable form, and nowhere else.
TEST(CliUsage, SharedOptionsExactlyWhereTheUsageShowsThem) {
    test::TempDir dir;
    const std::string missing = dir.File("no-such-game");
    for (const Listed& c : ListedCommands()) {
        SCOPED_TRACE(c.usage);
        for (const std::string option : {"--game-dir", "--text"}) {
            const bool shown = c.usage.find(option) != std::string::npos;
            const std::string word = option == "--text" ? option : option + "=" + missing;
            const auto run = RunCli(With(c.words, word));
            EXPECT_NE(run.status, 0);
            EXPECT_EQ(run.err.find("unknown option " + option) == std::string::npos, shown)
                << run.err;
        }
    }
}

TEST(CliUsage, OptionValuesAfterAnEqualsSignOrAsTheNextWord) {
    test::TempDir dir;
    const std::string map = dir.File("m.map");
    ASSERT_EQ(RunCli({"map", "new", "--size=128x128", "-o", map, "--seed=3"}).status, 0);
    const auto spaced = RunCli({"map", "cells", map, "--rect", "4,5,3,2"});
    const auto joined = RunCli({"map", "cells", map, "--rect=4,5,3,2"});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_EQ(joined.Json().size(), 6u);

    // A flag takes no value; a value option needs one; an unknown option is named.
    const auto flagged = RunCli({"map", "info", map, "--text=yes"});
    EXPECT_EQ(flagged.status, 2);
    EXPECT_NE(flagged.err.find("option --text takes no value"), std::string::npos);
    const auto lacking = RunCli({"map", "cells", map, "--rect"});
    EXPECT_EQ(lacking.status, 2);
    EXPECT_NE(lacking.err.find("option --rect needs a value"), std::string::npos);
    const auto unknown = RunCli({"map", "cells", map, "--rectangle=1,1,1,1"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option --rectangle"), std::string::npos);
}

}  // namespace
}  // namespace tess
