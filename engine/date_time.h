#pragma once
// Calendar helpers: local date-time records, whole seconds since 1970 counted
// as UTC, parsing in the locale's formats, and the Delphi-style pattern writer.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/format_settings.h"

namespace orvane {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Days from 1970-01-01 to the given proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d);
// The inverse of DaysFromCivil.
void CivilFromDays(int64_t days, int& y, int& m, int& d);
bool IsValidDate(int y, int m, int d);
bool IsLeapYear(int y);
// ISO day of week, 1 = Monday .. 7 = Sunday.
int DayOfTheWeekIso(int y, int m, int d);

// Whole seconds since 1970-01-01 00:00, the local time counted as if it were UTC.
int64_t SecondsSince1970(const LocalDateTime& t);
// The date-time value: days since 1899-12-30, fraction = time of day.
double ToDateTimeValue(const LocalDateTime& t);
LocalDateTime FromDateTimeValue(double value);

// Reads a date, a time, or a date followed by a time in the formats of `fs`
// (date order from ShortDateFormat, separators, optional AM/PM). A date with
// two numbers takes the year of `now`. Returns false when the text is not one.
bool TryStrToDateTime(std::string_view text, LocalDateTime& out, const LocalDateTime& now,
                      const FormatSettings& fs = GetFormatSettings());

// Writes `t` with a Delphi-style pattern: yyyy yy m mm mmm mmmm d dd ddd dddd
// h hh n nn s ss z zzz, "/" and ":" as the locale's separators, quoted text.
std::string FormatDateTime(std::string_view pattern, const LocalDateTime& t,
                           const FormatSettings& fs = GetFormatSettings());

// The local time now, from the C library (used where no host clock is given).
LocalDateTime SystemLocalNow();
// The local date and time of `secs` seconds since 1970-01-01 00:00 UTC, with
// `millisecond` as given (a leap second reads as second 59).
LocalDateTime LocalDateTimeAt(time_t secs, int millisecond = 0);

}  // namespace orvane
