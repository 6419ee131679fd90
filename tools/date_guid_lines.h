#pragma once
// The lines of the tools page's date and GUID buttons.
#include <string>
#include <vector>

#include "engine/date_time.h"
#include "platform/guid_source.h"

namespace orvane {

// The seven lines of "Date_time" for the moment `t`, in the locale record in
// force (GetFormatSettings):
//  1. the date-time value (days since 1899-12-30) in the general number form;
//  2. the short date and the long time (the time left out exactly at midnight);
//  3. "ddd d of mmm yyyy " + `t` in that pattern ("Tue 2 of Jan 2024");
//  4. "yyyy-mm-dd hh:nn:ss.zzz " + `t` in that pattern;
//  5-7. "1899, 12,30, 0, 0, <s>sec, 0 =" + the value of 00:00:0<s> on
//     1899-12-30 with 15 decimals, for s = 0, 1, 2.
// Numbers use the record's decimal separator.
std::vector<std::string> DateTimeLines(const LocalDateTime& t);

// The registry form of a GUID: "{" + 8, 4, 4, 4 and 12 upper-case hexadecimal
// digits joined by "-" + "}", 38 characters.
std::string GuidText(const platform::Guid& g);

}  // namespace orvane
