// guid: "GUID"; one new GUID in its registry form.
#include "cli/tool_page.h"

namespace orvane {

int RunGuid(ToolContext& ctx) {
    ParseToolArgs(ctx, {}, 0);
    ToolPage page(ctx);
    page.PrintMemo2(ctx.out);
    if (page.model.Button_GUIDClick()) return 0;
    ToolHost::Note("the GUID generator made no GUID");
    return 1;
}

}  // namespace orvane
