// orvane-eval: the statement evaluator without the window.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "cli/eval_options.h"
#include "cli/eval_runner.h"
#include "cli/line_io.h"
#include "engine/format_settings.h"
#include "tools/locale_posix.h"

namespace {

void Fatal(const std::string& what) {
    orvane::WriteAllTo(STDERR_FILENO, "orvane-eval: " + what + "\n");
}

int Run(int argc, char** argv) {
    orvane::EvalOptions options;
    std::string error = orvane::ParseEvalOptions(argc, argv, options);
    if (error.empty() && !options.help) error = orvane::ResolveInputFiles(options);
    if (!error.empty()) {
        orvane::WriteAllTo(STDERR_FILENO, "orvane-eval: " + error + " (see --help)\n");
        return 2;
    }
    if (options.help) {
        const int err = orvane::WriteAllTo(STDOUT_FILENO, orvane::EvalUsage());
        if (err && err != EPIPE) Fatal(std::string("cannot write the output: ") + std::strerror(err));
        return err ? 1 : 0;
    }
    orvane::SetFormatSettings(orvane::FormatSettingsFromPosixLocale());
    orvane::LineOutput out(STDOUT_FILENO);
    orvane::LineInput in(STDIN_FILENO, out);
    return orvane::RunEval(options, out, options.inputs.empty() ? &in : nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    // A closed pipe shows as EPIPE on the write, which ends the run quietly.
    std::signal(SIGPIPE, SIG_IGN);
    // Whatever escapes the run is reported; the process never aborts.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        Fatal("out of memory");
    } catch (const std::exception& e) {
        Fatal(std::string("internal error: ") + e.what());
    } catch (...) {
        Fatal("internal error");
    }
    return 1;
}
