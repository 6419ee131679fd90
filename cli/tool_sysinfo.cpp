// sysinfo: "PC Systeminfo UUID"; exit 1 when the lines end in a failure line.
#include "cli/tool_page.h"

namespace orvane {

int RunSysinfo(ToolContext& ctx) {
    ParseToolArgs(ctx, {}, 0);
    ToolPage page(ctx);
    page.PrintMemo2(ctx.out);
    return page.model.Button_systeminfoClick() ? 0 : 1;
}

}  // namespace orvane
