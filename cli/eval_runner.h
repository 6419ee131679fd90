#pragma once
// Runs orvane-eval's inputs in one session and writes their output.
#include "cli/eval_options.h"
#include "cli/line_io.h"

namespace orvane {

// Evaluates the options' inputs, or each line of `in` when there are none.
// Returns the exit status: 0 when no input raised an error, else 1.
int RunEval(const EvalOptions& options, LineOutput& out, LineInput* in);

}  // namespace orvane
