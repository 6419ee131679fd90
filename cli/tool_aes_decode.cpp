// aes-decode [--key K] [--iv IV] [BASE64]: "Button_decode" on BASE64; prints
// the five lines it appends to the log.
#include "cli/tool_page.h"

namespace orvane {

int RunAesDecode(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--key", "--iv"}, 1);
    ToolPage page(ctx);
    page.model.SetText(ToolsBox::Key, args.Value("--key", kToolsPlaceholder));
    page.model.SetText(ToolsBox::IV, args.Value("--iv", kToolsPlaceholder));
    page.model.SetText(ToolsBox::Encoded, TextArgument(args));
    page.PrintMemo2(ctx.out);
    page.model.Button_decodeClick();
    return 0;
}

}  // namespace orvane
