// Runs the built tessarine-cli and captures its exit status, stdout and stderr.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace tess::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
    nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

// Runs tessarine-cli with the arguments (no shell involved) in the current directory.
CliResult RunCli(const std::vector<std::string>& args);

// Runs a program the same way with some environment variables changed (an empty value removes
// the variable).
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::vector<std::pair<std::string, std::string>>& environment);

}  // namespace tess::test
