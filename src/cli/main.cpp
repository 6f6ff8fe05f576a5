// tessarine-cli entry point: NOUN VERB [ARGS], JSON on stdout, one error line each on stderr.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "cli/Cli.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"

using namespace tess;
using namespace tess::cli;

namespace {

constexpr const char* kOptionNotes[][2] = {
    {"--game-dir DIR",
     "the game directory (default: the current directory when it holds \"zor.dat\", else the "
     "demo game)"},
    {"--text", "a human-readable form instead of JSON"},
};

bool IsHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

// The commands of one noun, or of every noun, grouped by noun.
void PrintCommands(std::FILE* out, const std::string& noun) {
    std::vector<const Command*> commands;
    for (const Command& c : Registry::Instance().All())
        if (noun.empty() || c.noun == noun) commands.push_back(&c);
    std::stable_sort(commands.begin(), commands.end(),
                     [](const Command* a, const Command* b) { return a->noun < b->noun; });
    for (const Command* c : commands)
        std::fprintf(out, "  tessarine-cli %s\n", c->usage.c_str());
}

void PrintUsage(std::FILE* out) {
    std::fprintf(
        out,
        "usage: tessarine-cli NOUN VERB [ARGS]\n"
        "       tessarine-cli NOUN VERB --help\n"
        "       tessarine-cli --version\n\n"
        "Output is JSON on stdout, errors are one line each on stderr. Exit status: 0 done,\n"
        "1 a check found problems, 2 wrong usage, 3 unreadable, damaged or refused input.\n"
        "An option takes its value as the next word or after \"=\" (-o OUT, --view=X,Y,W,H).\n"
        "Where a command shows them:\n");
    for (const auto& [option, note] : kOptionNotes)
        std::fprintf(out, "  %-15s %s\n", option, note);
    std::fprintf(out, "\ncommands:\n");
    PrintCommands(out, "");
}

// A command's usage, with the notes of the shared options it shows.
void PrintCommandUsage(std::FILE* out, const Command& command) {
    std::fprintf(out, "usage: tessarine-cli %s\n", command.usage.c_str());
    for (const auto& [option, note] : kOptionNotes) {
        const std::string_view name =
            std::string_view(option).substr(0, std::string_view(option).find(' '));
        if (command.usage.find(name) != std::string::npos)
            std::fprintf(out, "  %-15s %s\n", option, note);
    }
}

// The command named by the first words, and how many words name it; null when none is.
const Command* FindCommand(const std::vector<std::string>& words, size_t& consumed) {
    const Registry& registry = Registry::Instance();
    if (words.size() > 1) {
        consumed = 2;
        if (const Command* c = registry.Find(words[0], words[1])) return c;
    }
    // Single-word commands register with an empty verb.
    consumed = 1;
    return registry.Find(words[0], "");
}

int Run(const Command& command, const std::vector<std::string>& words) {
    CliUi& ui = TheCliUi();
    ui.showProgress = ::isatty(STDERR_FILENO) != 0;
    SetUi(&ui);
    int status = kOk;
    try {
        status = command.run(Args(words, command.flags));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "error: %s\nusage: tessarine-cli %s\n", e.what(),
                     command.usage.c_str());
        return kUsage;
    } catch (const std::exception& e) {
        // InputError, IoError, ConvertError and any other failure of the input.
        std::fprintf(stderr, "error: %s\n", e.what());
        status = kBadInput;
    }
    if (ui.showProgress) std::fprintf(stderr, "\r\033[K");
    if (ui.ErrorCount() > 0 && status == kOk) status = kBadInput;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        PrintUsage(stderr);
        return kUsage;
    }
    if (words[0] == "--version") {
        std::printf("tessarine-cli %s\n", TESS_VERSION);
        return kOk;
    }
    // "help NOUN VERB" is "NOUN VERB --help".
    const bool help = IsHelp(words[0]) || words[0] == "help" ||
                      std::any_of(words.begin() + 1, words.end(), IsHelp);
    if (words[0] == "help" || IsHelp(words[0])) words.erase(words.begin());
    if (words.empty()) {
        PrintUsage(stdout);
        return kOk;
    }

    size_t consumed = 0;
    const Command* command = FindCommand(words, consumed);
    if (!command) {
        const std::string& noun = words[0];
        const bool knownNoun = Registry::Instance().HasNoun(noun);
        if (help && knownNoun) {
            std::fprintf(stdout, "%s commands:\n", noun.c_str());
            PrintCommands(stdout, noun);
            return kOk;
        }
        const std::string verb = words.size() > 1 ? words[1] : "";
        if (knownNoun && verb.empty())
            std::fprintf(stderr, "error: '%s' needs a command\n", noun.c_str());
        else
            std::fprintf(stderr, "error: unknown command '%s%s%s'\n", noun.c_str(),
                         verb.empty() ? "" : " ", verb.c_str());
        if (knownNoun) {
            std::fprintf(stderr, "%s commands:\n", noun.c_str());
            PrintCommands(stderr, noun);
        } else {
            PrintUsage(stderr);
        }
        return kUsage;
    }
    if (help) {
        PrintCommandUsage(stdout, *command);
        return kOk;
    }
    return Run(*command,
               std::vector<std::string>(words.begin() + static_cast<long>(consumed), words.end()));
}
