// Runs the built tessarine-cli and captures its exit status, stdout and stderr.
#include "CliRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tess::test {

namespace {

// The whole content of a temporary file that a child wrote.
std::string Slurp(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    return text;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    return RunProgram(TESS_CLI_PATH, args, {});
}

CliResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                     const std::vector<std::pair<std::string, std::string>>& environment) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (!out || !err) throw std::runtime_error("tmpfile failed");
    std::vector<char*> argv;
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(::fileno(out), STDOUT_FILENO);
        ::dup2(::fileno(err), STDERR_FILENO);
        for (const auto& [name, value] : environment)
            value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1);
        ::execv(argv[0], argv.data());
        std::_Exit(127);
    }
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    CliResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    result.out = Slurp(out);
    result.err = Slurp(err);
    std::fclose(out);
    std::fclose(err);
    return result;
}

}  // namespace tess::test
