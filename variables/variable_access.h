#pragma once
// Reading and writing named values: numeric and string variables in the
// session's tables, and the reserved names that address the shared block.
//
// Every name is trimmed and upper-cased first. Names beginning with
// "KOR_G_S_MEM" address public text n (1..64) of the shared block, names
// beginning with "KOR_P_S_MEM" the private text of instance n (1..8); n is
// read from characters 12 and 13 only (StrToIntDef, -1 when not a number), and
// "KOR_P_S_MEM" alone means this copy's own number. Any other name is a table
// name, cut to its first 64 characters.
//
// Failures are reported through the host's message boxes and otherwise
// swallowed: nothing here raises.
#include <string>

#include "variables/variable_session.h"

namespace orvane {

// Numeric read: the variable's value as FloatToStr text, found = true; an
// absent name gives "" without a message. A shared text is returned as it is
// with found = false; a shared number out of range (or no shared block) shows
// an error box and gives "".
std::string Varable_Get(VariableSession& s, const std::string& name, bool& found);

// String read: as Varable_Get on the string table; a shared text read that
// succeeds sets found = true.
std::string STR_Varable_Get(VariableSession& s, const std::string& name, bool& found);

// Field `index_text` (1-based, StrToIntDef) of s.Tmp_answer_all, fields being
// separated by ";", trimmed. found = true for a non-empty field; an empty one
// shows a warning box. An index text that reads as -1 or is no number gives ""
// silently.
std::string Get_Field_Contants(VariableSession& s, const std::string& index_text, bool& found);

// Numeric write. A shared text receives the FloatToStr text of the value.
// Returns false only when a private text write is refused (another copy's
// text, a number outside 1..8, or no shared block).
bool Varable_set_f(VariableSession& s, const std::string& name, long double value);

// String write; shared texts take at most 128 characters. Result as Varable_set_f.
bool Varable_set_str(VariableSession& s, const std::string& name, const std::string& value);

// Stores an evaluator answer: as text when `isString`, else read as a number
// ("Str to Float fail" when it is none).
void Assign_variable_Single(VariableSession& s, const std::string& name, const std::string& answer,
                            bool isString);

// How a variable name is understood (exposed for the listing and for tests).
struct VariableName {
    enum class Kind { Table, Public, Private };
    Kind kind = Kind::Table;
    std::string name;  // normalised; for "KOR_P_S_MEM" alone with the own number appended
    int number = -1;   // shared entry number, -1 when unreadable; unused for tables
};
VariableName ParseVariableName(const std::string& raw, uint8_t instance_no);

}  // namespace orvane
