// tessarine-cli entry point: NOUN VERB [ARGS], JSON on stdout, one error line each on stderr.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/Cli.h"
#include "resources/BigFile.h"
#include "resources/Utils.h"

using namespace tess;
using namespace tess::cli;

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: tessarine-cli NOUN VERB [ARGS] [--game-dir DIR] [--text]\n\n");
    for (const Command& c : Registry::Instance().All())
        std::fprintf(out, "  tessarine-cli %s\n", c.usage.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintUsage(words.empty() ? stderr : stdout);
        return words.empty() ? kUsage : kOk;
    }
    std::string noun = words[0];
    std::string verb = words.size() > 1 ? words[1] : "";
    const Command* command = Registry::Instance().Find(noun, verb);
    // A single-word command given alone is found with the empty verb and consumes one word.
    size_t consumed = verb.empty() ? 1 : 2;
    if (!command) {  // single-word commands register with an empty verb
        command = Registry::Instance().Find(noun, "");
        consumed = 1;
    }
    if (!command) {
        std::fprintf(stderr, "error: unknown command '%s%s%s'\n", noun.c_str(),
                     verb.empty() ? "" : " ", verb.c_str());
        PrintUsage(stderr);
        return kUsage;
    }

    CliUi& ui = TheCliUi();
    ui.showProgress = ::isatty(STDERR_FILENO) != 0;
    SetUi(&ui);
    int status = kOk;
    try {
        std::set<std::string> flags = command->flags;
        flags.insert("--text");
        const Args args(
            std::vector<std::string>(words.begin() + static_cast<long>(consumed), words.end()),
            flags);
        status = command->run(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "error: %s\nusage: tessarine-cli %s\n", e.what(),
                     command->usage.c_str());
        return kUsage;
    } catch (const InputError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        status = kBadInput;
    } catch (const IoError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        status = kBadInput;
    } catch (const ConvertError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        status = kBadInput;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        status = kBadInput;
    }
    if (ui.showProgress) std::fprintf(stderr, "\r\033[K");
    if (ui.ErrorCount() > 0 && status == kOk) status = kBadInput;
    return status;
}
