#pragma once
// Base-conversion commands: "X" + two digits source base + two digits target
// base + "(" digits ")", for example "X1016(255)" gives "FF".
#include <string>
#include <string_view>

namespace orvane {

// Converts an unsigned whole number between bases (2..36 in, 2..26 out; digits
// G..P stand for 16..25; a remainder of 26 or more ends the conversion).
// Sets `success` true on entry and false for an empty command, a command not
// starting with X ("No Such command" is returned) or a target base below 2
// (other than 0, which raises EZeroDivide for a value above 0).
// Raises EConvertError for a malformed source base, EInvalidOp for a value of
// 2^63 or more with a target base other than 10.
std::string XB1B2(std::string_view command, bool& success);

}  // namespace orvane
