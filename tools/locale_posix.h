#pragma once
// Fills the locale format record from the user's POSIX locale (LC_ALL, LC_*,
// LANG), without changing the process's C library locale. The programs call
// it once at start-up.
#include "engine/format_settings.h"

namespace orvane {

// The record for the user's locale; the "C" record when it cannot be read.
FormatSettings FormatSettingsFromPosixLocale();

// Converts a strftime date or time format ("%d.%m.%Y", "%H:%M:%S") to the
// record's pattern form ("dd/mm/yyyy" with `sep` = '.'). Exposed for tests.
std::string PatternFromStrftime(const std::string& fmt, char& sep);

}  // namespace orvane
