// md5 [TEXT]: "String_MD5" on TEXT.
#include "cli/tool_page.h"

namespace orvane {

int RunMd5(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {}, 1);
    ToolPage page(ctx);
    page.model.SetText(ToolsBox::DATA, TextArgument(args));
    page.PrintMemo2(ctx.out);
    page.model.Button_String_MD5Click();
    return 0;
}

}  // namespace orvane
