// orvane-tool: the operations of the window's tool pages without the window.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/tool_command.h"
#include "engine/errors.h"
#include "engine/format_settings.h"
#include "platform/locale_posix.h"

namespace {

int Run(int& argc, char** argv, orvane::ToolOutput& out) {
    using namespace orvane;
    if (argc < 2) throw ToolUsageError("no COMMAND given");
    const std::string name = argv[1];
    if (name == "-h" || name == "--help") {
        std::string usage = ToolUsage();
        usage.pop_back();  // Line adds the last line break
        out.Line(usage);
        return 0;
    }
    const ToolCommand* command = FindToolCommand(name);
    if (!command) throw ToolUsageError("unknown command " + name);
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "-h" || a == "--help") {
            out.Line(std::string("Usage: orvane-tool ") + command->name + " " + command->synopsis);
            return 0;
        }
    }
    if (!command->run) throw ToolUsageError(name + " is not available yet");
    SetFormatSettings(FormatSettingsFromPosixLocale());
    ToolHost host;
    ToolContext ctx{name, std::move(args), argc, argv, out, host};
    return command->run(ctx);
}

}  // namespace

int main(int argc, char** argv) {
    // A reader that goes away must end the tool with an exit status, not a
    // signal: writes then fail with EPIPE, which is checked.
    std::signal(SIGPIPE, SIG_IGN);
    orvane::ToolOutput out(STDOUT_FILENO);
    int status = 1;
    try {
        status = Run(argc, argv, out);
    } catch (const orvane::ToolUsageError& e) {
        orvane::ToolHost::Note(std::string(e.what()) + " (see orvane-tool --help)");
        return 2;
    } catch (const orvane::EOrvane& e) {
        orvane::CliHost(true).WriteRaised(e.kind(), e.what());
        status = 1;
    } catch (const std::bad_alloc&) {
        orvane::ToolHost::Note("out of memory");
        status = 1;
    } catch (const std::exception& e) {
        orvane::ToolHost::Note(e.what());
        status = 1;
    } catch (...) {
        orvane::ToolHost::Note("unknown error");
        status = 1;
    }
    if (!out.Flush()) {
        // A closed pipe is the reader's choice and needs no message.
        if (out.Error() != EPIPE)
            orvane::ToolHost::Note(std::string("cannot write the output: ") + std::strerror(out.Error()));
        return 1;
    }
    return status;
}
