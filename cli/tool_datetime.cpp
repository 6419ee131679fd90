// datetime [--now T]: "Date_time", with the clock fixed at T when given.
#include "cli/eval_options.h"
#include "cli/tool_page.h"

namespace orvane {

int RunDatetime(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--now"}, 0);
    if (args.Has("--now")) {
        LocalDateTime now;
        if (!ParseNowOption(args.Value("--now", ""), now))
            throw ToolUsageError("--now needs YYYY-MM-DDTHH:MM:SS[.mmm], a real local date and time");
        ctx.host.SetFixedNow(now);
    }
    ToolPage page(ctx);
    page.PrintMemo2(ctx.out);
    page.model.Button_timeClick();
    return 0;
}

}  // namespace orvane
