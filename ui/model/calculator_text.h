#pragma once
// The stateless text rules of the calculator panel: font sizes, nibble
// grouping, the key echo, seconds to date-time, the handle text and the
// variable-list lines. UTF-8 in and out; no state, no Qt.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "variables/variable_tables.h"

namespace orvane::ui {

// min(20, round(91 / (n + 1))) + 8 points, n = answer length, ties to even.
int AnswerFontPoints(int n);
// min(16, round(500 / (n + 1))) + 8 points, n = expression length, ties to even.
int ExpressionFontPoints(int n);
// Length of UTF-8 text in UTF-16 code units (what a box counts).
int WideLength(std::string_view utf8);
// How many characters of `text` equal `ch`.
int ContarLetras(std::string_view text, char ch);
// Groups of four characters counted from the right, the leftmost padded with
// "0", joined by one blank, at most 1000 characters: "101" gives "0101".
std::string NibbleGroup(std::string_view text);
// "<code>(0x<HEX, at least 2 digits>)": 13 gives "13(0x0D)".
std::string KeyEchoText(int code);
// The two lines (joined by CR LF) of the seconds-to-date-time label for
// `secs`: "%d day %d:%d:%d" and the UTC moment "yyyy/mm/dd hh:nn:ss" in the
// locale's separators. 90061 gives "1 day 1:1:1\r\n1970/01/02 01:01:01".
std::string SecToDayTimeText(int32_t secs);
// "Handle:%10d 0x%X" for the fifth panel at activation.
std::string HandleText(uint32_t handle);
// The memo lines of "Variable List": "%2d: %12s = " + value (number text),
// from slot 0 to the first empty name.
std::vector<std::string> VariableListLines(const INI_Parameter_Table& table);
// The memo lines of "Str Variable List": "%2d: %12s = %s " (trailing blank).
std::vector<std::string> StrVariableListLines(const INI_Str_Variable_Table& table);

}  // namespace orvane::ui
