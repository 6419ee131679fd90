#pragma once
// The process-wide locale format record: number and date formats taken from the
// user's locale once at start-up. Everything that reads or writes numbers and
// dates uses it. Tests set it explicitly.
#include <array>
#include <string>

namespace orvane {

struct FormatSettings {
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    // Delphi-style patterns: y, m, d for the date; h, n, s, z for the time;
    // "/" and ":" stand for the separators above.
    std::string ShortDateFormat = "yyyy/mm/dd";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    int TwoDigitYearCenturyWindow = 50;

    // The record of the "C"/POSIX locale.
    static FormatSettings CLocale() { return FormatSettings{}; }
};

// The record in force (the "C" locale's until SetFormatSettings is called).
const FormatSettings& GetFormatSettings();
// Replaces the record; called once at start-up (and by tests).
void SetFormatSettings(const FormatSettings& settings);

}  // namespace orvane
