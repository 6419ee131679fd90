#pragma once
// orvane-tool's commands: each lives in a file of its own (tool_<name>.cpp)
// and has one row in the command table (tool_commands.cpp). The dispatcher
// stays free of Qt; a command that needs a Qt application creates it from the
// process's argc and argv in the context.
#include <cstddef>
#include <initializer_list>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_host.h"
#include "cli/tool_output.h"

namespace orvane {

// A wrong command line: exit status 2 with the message on one line.
class ToolUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// orvane-tool's host: message boxes and status-line texts go to standard
// error as one line each ("box(error): File not Exist"); it remembers whether
// a box with the error icon was shown.
class ToolHost : public CliHost {
public:
    ToolHost() : CliHost(true) {}
    void ShowMessage(MsgIcon icon, const std::string& text) override {
        if (icon == MsgIcon::Error) m_errorShown = true;
        CliHost::ShowMessage(icon, text);
    }
    bool ErrorShown() const { return m_errorShown; }
    // Writes "orvane-tool: <text>" as one line to standard error.
    static void Note(const std::string& text);

private:
    bool m_errorShown = false;
};

struct ToolContext {
    std::string command;             // the command's name
    std::vector<std::string> args;   // the arguments after it
    int& argc;                       // the process's, as a Qt application wants them
    char** argv;
    ToolOutput& out;                 // standard output
    ToolHost& host;
};

// Runs a command; returns its exit status (0 success, 1 failure). Raises
// ToolUsageError for a wrong command line.
using ToolRun = int (*)(ToolContext&);

struct ToolCommand {
    const char* name;
    const char* synopsis;  // options and arguments, for the usage text
    ToolRun run;           // null: the command is not available in this build
};

// The command table, in the order of the usage text.
std::span<const ToolCommand> ToolCommands();
// The row named `name`, or null.
const ToolCommand* FindToolCommand(std::string_view name);
// The --help text.
std::string ToolUsage();

// A command's arguments: options with values, and the rest.
struct ToolArgs {
    std::map<std::string, std::string> values;  // option name ("--key") -> value (the last given)
    std::vector<std::string> positional;
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    std::string Value(const std::string& name, const std::string& fallback) const {
        auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    }
};

// Reads "--name VALUE" and "--name=VALUE" for the names in `valueOptions`;
// "--" ends the options, so a text that begins with "--" can follow. Raises
// ToolUsageError for any other option, a missing value, or more than
// `maxPositional` other arguments.
ToolArgs ParseToolArgs(const ToolContext& ctx, std::initializer_list<std::string_view> valueOptions,
                       size_t maxPositional);

// The TEXT argument: the positional one when given, else the whole of
// standard input with one trailing line break (LF or CR LF) dropped. Raises
// EOrvane "EInOutError" when standard input cannot be read.
std::string TextArgument(const ToolArgs& args);

// The commands.
int RunMd5(ToolContext& ctx);
int RunMd5File(ToolContext& ctx);
int RunAesEncode(ToolContext& ctx);
int RunAesDecode(ToolContext& ctx);
int RunSysinfo(ToolContext& ctx);
int RunDatetime(ToolContext& ctx);
int RunGuid(ToolContext& ctx);
int RunCrcSearch(ToolContext& ctx);
// The commands that need Qt (fetch, update-check): orvane-tool hands them to
// the program orvane-tool-qt (RunInQtTool), which runs them
// (RunFetchInProcess, RunUpdateCheck); builds with Qt only.
int RunInQtTool(ToolContext& ctx);
int RunFetchInProcess(ToolContext& ctx);
int RunUpdateCheck(ToolContext& ctx);

// The folder of orvane-tool and the window program: the running program's
// folder, or "<prefix>/bin" for orvane-tool-qt installed in
// "<prefix>/lib/orvane". Empty when the running program's path is unknown.
std::string ToolProgramFolder();
// The path of the program `name` in ToolProgramFolder() (just `name` when
// that folder is unknown).
std::string ProgramBeside(const std::string& name);
// orvane-tool-qt as orvane-tool finds it: beside the running program, else in
// "../lib/orvane" from there (an installed copy); the path beside it when
// neither exists (the error then names it).
std::string QtToolProgram();

}  // namespace orvane
