// orvane-eval: the statement evaluator without the window.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/eval_options.h"
#include "cli/eval_runner.h"
#include "cli/line_io.h"
#include "engine/format_settings.h"
#include "tools/locale_posix.h"

int main(int argc, char** argv) {
    orvane::EvalOptions options;
    std::string error = orvane::ParseEvalOptions(argc, argv, options);
    if (error.empty() && !options.help) error = orvane::ResolveFieldFiles(options);
    if (!error.empty()) {
        std::fprintf(stderr, "orvane-eval: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(orvane::EvalUsage().c_str(), stdout);
        return 0;
    }
    orvane::SetFormatSettings(orvane::FormatSettingsFromPosixLocale());
    orvane::LineOutput out(STDOUT_FILENO);
    orvane::LineInput in(STDIN_FILENO, out);
    return orvane::RunEval(options, out, options.inputs.empty() ? &in : nullptr);
}
