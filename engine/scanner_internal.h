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
std::string EvalArg(Session& session, std::string&& text);

// Locates the group whose opening character is the first one of the text:
// returns the 1-based open and close positions as get_group_pos does, and in
// `balanced` whether every opening character inside it is matched.
void GroupOf(ScanText& text, char open, char close, size_t& openPos, size_t& closePos,
             bool* balanced = nullptr);

// Removes the front of the text up to the closing character at closePos and
// returns what stood between the opening one at openPos and it (1-based
// positions as GroupOf gives them; empty when there is nothing between, or
// no closing character), as CopyText(text, openPos + 1, closePos - openPos - 1)
// followed by Drop(closePos), without copying a large inside.
std::string TakeGroup(ScanText& text, size_t openPos, size_t closePos);

// When what stands at the front of `text` is a parenthesised group, an X
// command or a call whose argument text is evaluated at once as one
// expression: the 0-based index of its "(". Else npos.
size_t ExpressionOpenerAt(std::string_view text);

// Before the argument of an opener is copied and evaluated: raises the
// nesting error at once when that evaluation must pass the limit. That is so
// when the argument opens a level itself, and when it begins with another
// opener, whose argument begins with another, and so on, further than the
// limit allows, with nothing in between ("=", "{", "," or a parenthesis
// without its partner) that could turn the course aside. openPos and closePos
// are the 1-based positions of the opener's parentheses in `text` as GroupOf
// gives them.
void CheckNestingChain(Session& session, std::string_view text, size_t openPos, size_t closePos,
                       bool balanced);

// Copy(text, from, count) with 1-based from; empty for a count below 1.
std::string CopyText(std::string_view text, size_t from, long long count);

}  // namespace orvane
