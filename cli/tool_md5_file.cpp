// md5-file FILE: "FIle MD5" with FILE chosen in the dialog.
#include "cli/tool_page.h"

namespace orvane {

int RunMd5File(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {}, 1);
    if (args.positional.empty()) throw ToolUsageError("md5-file needs a FILE");
    ToolPage page(ctx);
    page.PrintMemo2(ctx.out);
    return page.model.Button8Click(args.positional.front()) ? 0 : 1;
}

}  // namespace orvane
