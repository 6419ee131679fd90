#pragma once
// Runs orvane-eval's inputs in one session and writes their output.
#include "cli/eval_options.h"
#include "cli/line_io.h"

namespace orvane {

// Evaluates the options' inputs, or each line of `in` when there are none.
// Returns the exit status: 0 when no input raised an error, else 1. A failed
// write to standard output or standard error ends the run with status 1; its
// reason goes to standard error unless the output was a pipe whose reader
// has gone (EPIPE).
int RunEval(const EvalOptions& options, LineOutput& out, LineInput* in);

}  // namespace orvane
