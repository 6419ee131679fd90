#include "cli/tool_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/errors.h"

namespace orvane {

void ToolHost::Note(const std::string& text) {
    const std::string line = "orvane-tool: " + text + "\n";
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // nowhere left to report it
        done += size_t(n);
    }
}

const ToolCommand* FindToolCommand(std::string_view name) {
    for (const ToolCommand& c : ToolCommands())
        if (name == c.name) return &c;
    return nullptr;
}

std::string ToolUsage() {
    std::string text =
        "Usage: orvane-tool COMMAND [options] [ARG]\n"
        "Runs an operation of the window's tool pages and prints the lines it writes to its log.\n"
        "Commands:\n";
    for (const ToolCommand& c : ToolCommands()) {
        std::string line = std::string("  ") + c.name;
        if (*c.synopsis) line += std::string(" ") + c.synopsis;
        if (!c.run) line += "   (not available yet)";
        text += line + "\n";
    }
    text +=
        "A TEXT that is not given is read from standard input (one trailing line break dropped).\n"
        "crc-search without FRAME reads one frame per line of standard input.\n"
        "--key and --iv default to the tools page's initial text; --iv \"\" is the empty IV.\n"
        "fetch: --definitions defaults to \"web data.inf\" beside the program (made from the built-in\n"
        "definitions when missing), --section to 0 (all), --ini to the window's settings file,\n"
        "--timeout-ms to 13000 (the wait for each page).\n"
        "update-check: prints the about box's update button text; --base defaults to the update\n"
        "base address ($ORVANE_UPDATE_BASE when set); exit 1 when no update information is found.\n"
        "Exit status: 0 on success, 1 when the operation failed, 2 for usage errors.\n";
    return text;
}

ToolArgs ParseToolArgs(const ToolContext& ctx, std::initializer_list<std::string_view> valueOptions,
                       size_t maxPositional) {
    ToolArgs out;
    bool optionsEnded = false;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (optionsEnded || a.rfind("--", 0) != 0) {
            out.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t eq = a.find('=');
        const std::string name = a.substr(0, eq);
        bool known = false;
        for (std::string_view v : valueOptions) known = known || name == v;
        if (!known) throw ToolUsageError("unknown option " + name + " for " + ctx.command);
        if (eq != std::string::npos) {
            out.values[name] = a.substr(eq + 1);
        } else if (i + 1 < ctx.args.size()) {
            out.values[name] = ctx.args[++i];
        } else {
            throw ToolUsageError("option " + name + " needs a value");
        }
    }
    if (out.positional.size() > maxPositional)
        throw ToolUsageError("too many arguments for " + ctx.command);
    return out;
}

std::string TextArgument(const ToolArgs& args) {
    if (!args.positional.empty()) return args.positional.front();
    std::string text;
    int err = 0;
    if (!ReadAll(STDIN_FILENO, text, err))
        throw EOrvane("EInOutError", std::string("Cannot read standard input: ") + std::strerror(err));
    DropOneLineBreak(text);
    return text;
}

}  // namespace orvane
