// The command table of orvane-tool.
#include "cli/tool_command.h"

namespace orvane {

namespace {

// fetch and update-check need Qt, which a build without Qt lacks.
#ifdef ORVANE_TOOL_QT
constexpr ToolRun kRunInQt = RunInQtTool;
#else
constexpr ToolRun kRunInQt = nullptr;
#endif

// clang-format off
constexpr ToolCommand kCommands[] = {
    {"md5",          "[TEXT]",                                  RunMd5},
    {"md5-file",     "FILE",                                    RunMd5File},
    {"aes-encode",   "[--key K] [--iv IV] [TEXT]",              RunAesEncode},
    {"aes-decode",   "[--key K] [--iv IV] [BASE64]",            RunAesDecode},
    {"sysinfo",      "",                                        RunSysinfo},
    {"datetime",     "[--now YYYY-MM-DDTHH:MM:SS[.mmm]]",       RunDatetime},
    {"guid",         "",                                        RunGuid},
    {"fetch",        "[--definitions FILE] [--section N] [--ini FILE] [--timeout-ms MS]", kRunInQt},
    {"update-check", "[--base URL]",                            kRunInQt},
    {"crc-search",   "[--width 8|16] [--skip N] FRAME...",      RunCrcSearch},
};
// clang-format on

}  // namespace

std::span<const ToolCommand> ToolCommands() { return kCommands; }

}  // namespace orvane
