#pragma once
// The statement evaluator: string assignment (name:STR=template), numeric
// assignment (name=expression) and plain expressions.
#include <string>

#include "engine/session.h"

namespace orvane {

// Evaluates one statement and returns the answer text in `answer`. Returns
// false (answer untouched) when an assignment's name cannot be resolved.
// Raised errors (conversions, arithmetic faults, limits) reach the caller.
bool expression_Proc(Session& session, const std::string& statement, std::string& answer);
// The same on a statement the evaluator may take over (no copy of it is made).
bool expression_Proc(Session& session, std::string&& statement, std::string& answer);

// The calculator's Enter: evaluates `statement`, returns the answer and stores
// it as the session's last answer (Tmp_answer_1).
bool Expression_execute(Session& session, const std::string& statement, std::string& answer);

// Applies one binary operator (upper-case text as cut) to two operand texts.
// L and R are read with strtovalue; "&&" does not read R when L truncates to 0.
std::string calculate(Session& session, const std::string& op, std::string& left,
                      std::string& right);

}  // namespace orvane
