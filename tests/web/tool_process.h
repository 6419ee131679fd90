#pragma once
// Runs orvane-tool as a child process with a given environment (nothing of
// the test's own but PATH), optionally as another user through setpriv, and
// collects its exit status, standard output and standard error. A child that
// runs longer than a minute is killed, so a hang fails the test instead of
// stalling it.
#include <string>
#include <vector>

namespace orvane::test {

struct ToolRun {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
    // The lines of `out` (or `err`), without their line breaks.
    std::vector<std::string> OutLines() const;
    std::vector<std::string> ErrLines() const;
};

struct ToolEnv {
    std::vector<std::string> vars;  // "NAME=value"
    std::string user;               // run as this user when not empty (needs root)
    std::string cwd;                // working folder when not empty
};

ToolRun RunProcess(const std::vector<std::string>& args, const ToolEnv& env);

}  // namespace orvane::test
