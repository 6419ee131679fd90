#pragma once
// The tools page model as orvane-tool's commands use it: with its own MD5
// hasher and the platform's GUID generator, the host of the context, and its
// logs unset until the command attaches the one it prints.
#include <cstdlib>

#include "cli/tool_command.h"
#include "platform/libuuid_guid_source.h"
#include "tools/md5_tools.h"
#include "tools/tools_page_model.h"

namespace orvane {

// Where "sysinfo" reads the firmware tables: the folder named by
// ORVANE_SMBIOS_DIR (files "DMI" and "smbios_entry_point") when it is set,
// else the system's.
inline SmbiosPaths ToolSmbiosPaths() {
    SmbiosPaths paths;
    if (const char* dir = std::getenv("ORVANE_SMBIOS_DIR"); dir && *dir) {
        paths.table = std::string(dir) + "/DMI";
        paths.entryPoint = std::string(dir) + "/smbios_entry_point";
    }
    return paths;
}

struct ToolPage {
    explicit ToolPage(ToolContext& ctx) : model(ctx.host, md5, guids, ToolSmbiosPaths()) {}
    // Sends the page's log Memo2 to standard output, one line each.
    void PrintMemo2(ToolOutput& out) {
        model.SetMemo2([&out](const std::string& line) { out.Line(line); });
    }

    Md5Hasher md5;
    platform::LibuuidGuidSource guids;
    ToolsPageModel model;
};

}  // namespace orvane
