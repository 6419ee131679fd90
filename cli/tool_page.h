#pragma once
// The tools page model as orvane-tool's commands use it: with its own MD5
// hasher and the platform's GUID generator, the host of the context, and its
// logs unset until the command attaches the one it prints.
#include "cli/tool_command.h"
#include "platform/libuuid_guid_source.h"
#include "tools/md5_tools.h"
#include "tools/tools_page_model.h"

namespace orvane {

struct ToolPage {
    explicit ToolPage(ToolContext& ctx) : model(ctx.host, md5, guids, SmbiosPathsFromEnvironment()) {}
    // Sends the page's log Memo2 to standard output, one line each.
    void PrintMemo2(ToolOutput& out) {
        model.SetMemo2([&out](const std::string& line) { out.Line(line); });
    }

    Md5Hasher md5;
    platform::LibuuidGuidSource guids;
    ToolsPageModel model;
};

}  // namespace orvane
