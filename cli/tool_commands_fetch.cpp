// The command table of orvane-tool-fetch: the one command of orvane-tool that
// needs the web engine.
#include "cli/tool_command.h"

namespace orvane {

namespace {

constexpr ToolCommand kCommands[] = {
    {"fetch", "[--definitions FILE] [--section N] [--ini FILE] [--timeout-ms MS]", RunFetchInProcess},
};

}  // namespace

std::span<const ToolCommand> ToolCommands() { return kCommands; }

}  // namespace orvane
