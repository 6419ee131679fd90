#pragma once
// The smart-format template language.
//
// A template text holds lines separated by CR LF. A line that begins with "["
// is a group of items joined by optional "+": "literal" texts and 'field'
// references with an optional ":function(selectors)trailer" suffix; any other
// line passes through unchanged. Brace groups {...} are replaced by their
// processed content first. Every function here takes a success flag by
// reference, sets it true on entry and only clears it; the text produced so
// far is still returned. Conversion errors of the number helpers (EConvertError)
// and arithmetic faults are raised to the caller.
#include <string>
#include <string_view>

#include "smartformat/smart_session.h"

namespace orvane {

// Processes a whole template text (brace substitution, then each line).
// With real_proc false every field stands for empty text.
std::string String_Proc(SmartSession& s, const std::string& Original, bool real_proc,
                        bool& proc_success_all);
// Processes one line.
std::string Sub_String_Proc(SmartSession& s, std::string_view Original, bool real_proc,
                            bool& proc_success);
// Replaces each {...} group of `text` by its processed content; false when a
// group fails (the text is then partly substituted).
bool curly_brackets_Process(SmartSession& s, std::string& text);

// The value of a field reference: reserved "&..." names (variables, last answer,
// system values, instance values) or a field-table name.
std::string Get_String_BY_FieldName(SmartSession& s, const std::string& name, bool& string_exist);

// Applies a selector list ("[1][2]", "[1..5]", "[ALL]", "[2:3210]", literal text
// between) to `source` and returns the selected text.
std::string HexSToUserDefS(SmartSession& s, std::string_view source, std::string_view selectors,
                           bool& success);

// Applies a function text ("V10([13][14])-9900", "CRC16([all])", "M3(#h[1][2],)")
// to a field value.
std::string HexToFormat(SmartSession& s, std::string_view OrignalS, std::string_view FormatS,
                        bool& proc_Pass);

}  // namespace orvane
