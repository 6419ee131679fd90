#pragma once
// Operand text to value: hexadecimal ("0x1F"), base-2 ("101.B"), zero padding
// ("12:4") and plain decimal numbers.
#include <string>

#include "engine/session.h"

namespace orvane {

// Reads the operand text `s` as a number and may rewrite it (trimmed; "0x1F"
// becomes "31"; "101.B" becomes "5"; "12:4" becomes "0012"). Text that is no
// decimal number returns the sentinel 1.1E4932 and writes "Variable convert
// error " to the message panel. Raises EConvertError for malformed hexadecimal,
// base-2 results or width texts; EInvalidOp when a padded value is out of range;
// ELimitExceeded for a padding width beyond kMaxPadWidth.
long double strtovalue(Session& session, std::string& s);

// Largest zero-padding width honoured; wider requests raise ELimitExceeded.
constexpr int kMaxPadWidth = 65536;

}  // namespace orvane
