// update-check: the about box's update check without the window, in the
// program orvane-tool-qt (Qt Network). Prints the text the box's update
// button shows ("version up-to-date (2.5.3.1)", "Different Version:  2.5.4.0"
// CR LF "available online", or "Web site upgrade not available."), as it is,
// on one line; the reason of a failure goes to standard error.
#include <QCoreApplication>

#include "about/update_check.h"
#include "about/version_info.h"
#include "cli/tool_command.h"
#include "platform/qt/qt_http_client.h"
#include "platform/settings_path.h"

namespace orvane {

int RunUpdateCheck(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--base"}, 0);
    // Qt sees no argument of the command.
    static int qtArgc = 1;
    static char* qtArgv[] = {ctx.argv[0], nullptr};
    QCoreApplication app(qtArgc, qtArgv);

    platform::QtHttpClient http;
    // Every program of Orvane carries the same version: this one's is the
    // window's.
    UpdateCheckCommand check(http, args.Value("--base", ""), GetFileVersion(platform::ProgramFilePath()));
    int status = 1;
    // The answer comes from the event loop (at the latest after the check's
    // time-out), which then ends.
    check.Start([&](const std::string& text, int exitStatus) {
        ctx.out.Line(text);
        status = exitStatus;
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    if (status != 0 && !check.last_error().empty())
        ToolHost::Note(check.document_address() + ": " + check.last_error());
    return status;
}

}  // namespace orvane
