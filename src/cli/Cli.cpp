// The command table, argument parsing and shared context of tessarine-cli.
#include "cli/Cli.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "map/ObjectsDat.h"
#include "resources/BigFile.h"
#include "resources/GameDirectory.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace fs = std::filesystem;

namespace {

fs::path& StartDirectory() {
    static fs::path start = fs::current_path();
    return start;
}

}  // namespace

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool isOption =
            word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9');
        const size_t equals = word.rfind("--", 0) == 0 ? word.find('=') : std::string::npos;
        if (!isOption) {
            positionals_.push_back(word);
        } else if (equals != std::string::npos) {
            const std::string name = word.substr(0, equals);
            if (flags.count(name)) throw UsageError("option " + name + " takes no value");
            options_[name] = word.substr(equals + 1);
        } else if (flags.count(word)) {
            flags_.insert(word);
        } else if (i + 1 < words.size()) {
            options_[word] = words[++i];
        } else {
            // Said by Expect, which first names an option the command does not know at all.
            options_[word] = "";
            lacksValue_ = word;
        }
    }
}

const std::string& Args::Positional(size_t index, const std::string& what) const {
    if (index >= positionals_.size()) throw UsageError("missing " + what);
    return positionals_[index];
}

std::string Args::Option(const std::string& name, const std::string& fallback) const {
    auto it = options_.find(name);
    return it == options_.end() ? fallback : it->second;
}

const std::string& Args::Required(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) throw UsageError("missing option " + name);
    return it->second;
}

void Args::Expect(size_t minPositionals, size_t maxPositionals,
                  const std::set<std::string>& knownOptions) const {
    for (const auto& [name, value] : options_)
        if (!knownOptions.count(name)) throw UsageError("unknown option " + name);
    if (!lacksValue_.empty()) throw UsageError("option " + lacksValue_ + " needs a value");
    if (positionals_.size() < minPositionals) throw UsageError("too few arguments");
    if (positionals_.size() > maxPositionals)
        throw UsageError("unexpected argument '" + positionals_[maxPositionals] + "'");
}

std::string UserPath(const std::string& path) {
    if (path.empty() || path == "-") return path;
    const fs::path p(path);
    return p.is_absolute() ? path : (StartDirectory() / p).lexically_normal().string();
}

void EnterGameDirectory(const Args& args) {
    StartDirectory();
    std::string given = args.Option("--game-dir");
    if (!given.empty()) given = UserPath(given);
    std::string problem;
    const std::string dir = ChooseGameDirectory(given, &problem);
    if (dir.empty()) throw InputError("no game directory: give --game-dir DIR");
    if (!problem.empty())
        std::fprintf(stderr, "warning: %s; reading the installed demo game \"%s\"\n",
                     problem.c_str(), dir.c_str());
    try {
        tess::EnterGameDirectory(dir);
    } catch (const IoError& e) {
        throw InputError(e.what());
    }
}

std::unique_ptr<tObjects> LoadObjectCatalogue() {
    auto objects = std::make_unique<tObjects>();
    objects->Load(kObjectTable, "PICTURES/32x16/../");
    if (objects->Source() == CatalogueSource::MissingTable)
        throw InputError(std::string("no object catalogue: neither \"") + kObjectCacheFile +
                         "\" nor \"" + kObjectTable + "\"");
    return objects;
}

void PrintJson(const nlohmann::json& value) {
    std::cout << value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int32_t ParseInt32(const std::string& text, const std::string& what) {
    try {
        size_t used = 0;
        const long long value = std::stoll(text, &used);
        if (used == text.size() && value >= INT32_MIN && value <= INT32_MAX)
            return static_cast<int32_t>(value);
    } catch (const std::exception&) {
    }
    throw UsageError("bad value '" + text + "' for " + what);
}

std::vector<int> ParseIntList(const std::string& text, size_t count, const std::string& option) {
    std::vector<int> values;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of(",x", pos);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(pos, end - pos);
        try {
            size_t used = 0;
            values.push_back(std::stoi(part, &used));
            if (used != part.size()) throw std::invalid_argument(part);
        } catch (const std::exception&) {
            throw UsageError("bad value '" + text + "' for " + option);
        }
        if (end == text.size()) break;
        pos = end + 1;
    }
    if (values.size() != count) throw UsageError("bad value '" + text + "' for " + option);
    return values;
}

Registry& Registry::Instance() {
    static Registry registry;
    return registry;
}

void Registry::Add(Command command) {
    commands_.push_back(std::move(command));
}

const Command* Registry::Find(const std::string& noun, const std::string& verb) const {
    for (const Command& c : commands_)
        if (c.noun == noun && c.verb == verb) return &c;
    return nullptr;
}

bool Registry::HasNoun(const std::string& noun) const {
    for (const Command& c : commands_)
        if (c.noun == noun) return true;
    return false;
}

ErrorChoice CliUi::ErrorBox(const std::string& text) {
    ++errorCount_;
    std::fprintf(stderr, "error: %s\n", text.c_str());
    return ErrorChoice::Retry;
}

Answer CliUi::MessageBox(const std::string& text, Buttons buttons) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return buttons == Buttons::Ok ? Answer::Ok : questionAnswer;
}

void CliUi::SetCaption(const std::string& text) {
    if (!showProgress) return;
    std::fprintf(stderr, "\r\033[K%s", text.c_str());
    std::fflush(stderr);
}

CliUi& TheCliUi() {
    static CliUi ui;
    return ui;
}

}  // namespace tess::cli
