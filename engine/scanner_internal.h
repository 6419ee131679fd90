#pragma once
// Pieces shared by the scanner and the function table.
#include <string>
#include <string_view>
#include <vector>

#include "engine/scan_text.h"
#include "engine/session.h"

namespace orvane {

// Expands the function calls and X commands standing at `scanStart` (1 or 2)
// of the text, in the order of the function table. `sign` is -1 when the text
// began with "-", else +1.
void ExpandFunctions(Session& session, ScanText& text, size_t scanStart, int sign);

// Splits an argument list at the separators found by get_Seperator_pos; an
// empty list is one empty argument. Linear in the length of the list.
std::vector<std::string> SplitArgs(std::string_view args);

// Evaluates one argument with expression_Proc and returns its answer text.
std::string EvalArg(Session& session, const std::string& text);

// Locates the group whose opening character is the first one of the text:
// returns the 1-based open and close positions as get_group_pos does.
void GroupOf(ScanText& text, char open, char close, size_t& openPos, size_t& closePos);

// Copy(text, from, count) with 1-based from; empty for a count below 1.
std::string CopyText(std::string_view text, size_t from, long long count);

}  // namespace orvane
