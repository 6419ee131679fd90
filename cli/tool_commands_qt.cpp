// The command table of orvane-tool-qt: the commands of orvane-tool that need
// Qt (the web engine for fetch, Qt Network for update-check).
#include "cli/tool_command.h"

namespace orvane {

namespace {

// clang-format off
constexpr ToolCommand kCommands[] = {
    {"fetch",        "[--definitions FILE] [--section N] [--ini FILE] [--timeout-ms MS]", RunFetchInProcess},
    {"update-check", "[--base URL]",                                                      RunUpdateCheck},
};
// clang-format on

}  // namespace

std::span<const ToolCommand> ToolCommands() { return kCommands; }

}  // namespace orvane
