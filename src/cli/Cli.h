// The command table, argument parsing and shared context of tessarine-cli.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "resources/UiHost.h"

namespace tess {
class tObjects;
}  // namespace tess

namespace tess::cli {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kFindings = 1;  // the file is fine but a check found problems
constexpr int kUsage = 2;
constexpr int kBadInput = 3;  // unreadable, damaged or refused input

// Raised by commands for a wrong command line (exit 2) or bad input (exit 3).
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The parsed command line of one command: positionals and options.
class Args {
  public:
    // Flags take no value; every other option takes its value after "=" ("--view=0,0,64,64")
    // or as the next word ("--view 0,0,64,64", also for short options: "-o FILE").
    Args(const std::vector<std::string>& words, const std::set<std::string>& flags);

    const std::vector<std::string>& Positionals() const { return positionals_; }
    // The positional at index, or a UsageError naming `what`.
    const std::string& Positional(size_t index, const std::string& what) const;
    bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
    bool Has(const std::string& name) const { return options_.count(name) > 0; }
    std::string Option(const std::string& name, const std::string& fallback = "") const;
    // The option's value, or a UsageError when it is missing.
    const std::string& Required(const std::string& name) const;
    // Fails with a UsageError on options or positionals that the command does not know, and on
    // an option given last without its value. Flags are known from the command's table entry.
    void Expect(size_t minPositionals, size_t maxPositionals,
                const std::set<std::string>& knownOptions) const;

  private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::string> options_;
    std::set<std::string> flags_;
    std::string lacksValue_;  // an option that ended the line without its value
};

// Paths given on the command line are taken relative to the directory the tool was started in,
// even after it has changed into the game directory.
std::string UserPath(const std::string& path);

// Makes the game directory current and opens its archive: --game-dir, else the current
// directory when it holds "zor.dat", else the demo game beside the program (an installed one:
// the designer's copy of it).
void EnterGameDirectory(const Args& args);

// The object catalogue of the game directory, read from "objects.kar" or the object table
// without writing the cache; an InputError when neither exists.
std::unique_ptr<tObjects> LoadObjectCatalogue();

// Prints JSON (pretty) to stdout.
void PrintJson(const nlohmann::json& value);

// A whole signed 32-bit decimal number; a UsageError names `what` when the text is not one.
int32_t ParseInt32(const std::string& text, const std::string& what);

// Parses "A,B[,C...]" into integers; a UsageError names the option when it does not fit.
std::vector<int> ParseIntList(const std::string& text, size_t count, const std::string& option);

// One command. Its usage shows every option it takes: "--game-dir DIR" where it reads the game
// directory, "--text" (a flag to list here) where it has a human-readable form.
struct Command {
    std::string noun;
    std::string verb;   // empty for a single-word command
    std::string usage;  // e.g. "map info FILE [--text]"
    std::set<std::string> flags;
    std::function<int(const Args&)> run;
};

// Commands register themselves from their own source files with a static Registration.
class Registry {
  public:
    static Registry& Instance();
    void Add(Command command);
    const Command* Find(const std::string& noun, const std::string& verb) const;
    bool HasNoun(const std::string& noun) const;
    const std::vector<Command>& All() const { return commands_; }

  private:
    std::vector<Command> commands_;
};

struct Registration {
    explicit Registration(Command command) { Registry::Instance().Add(std::move(command)); }
};

// The CLI's user-interface host: error boxes print one line on stderr and the run goes on as
// after Retry; any error box makes the run end with status 3.
class CliUi final : public UiHost {
  public:
    ErrorChoice ErrorBox(const std::string& text) override;
    Answer MessageBox(const std::string& text, Buttons buttons) override;
    void SetCaption(const std::string& text) override;
    void Beep() override {}
    int ErrorCount() const { return errorCount_; }
    // Questions are answered with this (default Yes: carry on).
    Answer questionAnswer = Answer::Yes;
    bool showProgress = false;

  private:
    int errorCount_ = 0;
};

CliUi& TheCliUi();

}  // namespace tess::cli
