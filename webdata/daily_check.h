#pragma once
// The daily web-data update: the check `currency_update` that the start-up
// timer runs once, and the one-shot timer `Timer1` it arms when the last
// check was on another day. The window maps the decisions to its QTimers.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/date_time.h"
#include "engine/format_settings.h"
#include "engine/session.h"
#include "platform/ini_file.h"

namespace orvane::webdata {

// The start-up timer `Timer0`: fires once, this long after start-up, opens
// the address box's address and runs the daily check.
inline constexpr int kTimer0IntervalMs = 3000;
// `Timer1`: fires once, this long after the daily check armed it.
inline constexpr int kTimer1IntervalMs = 15000;

enum class Timer1State { Enabled, Disabled };

// The last check's date and time: "datetime" of "Web sync day" read in the
// locale's formats; ten days before `now` when missing or not a date and time.
LocalDateTime ReadSyncDay(const platform::IniDocument& definitions, const LocalDateTime& now,
                          const FormatSettings& fs = GetFormatSettings());

// `t` in the locale's short date and long time formats, joined by a blank
// (the "datetime" text).
std::string SyncDayText(const LocalDateTime& t, const FormatSettings& fs = GetFormatSettings());

// The daily check: reads the last check from the definition file at `path`
// (a missing file counts as ten days ago); when its calendar date differs
// from today's (earlier or later) shows "Currency update in 15 sec." in the
// fifth panel and returns Enabled, when it is today returns Disabled; in
// either case writes the host's current date and time as the new "datetime"
// (creating the file when missing).
Timer1State currency_update(const std::string& path, EngineHost& host,
                            const FormatSettings& fs = GetFormatSettings());

// The section number a fetch started by hand or by Timer1 uses: the value of
// the section box `Edit1`, 0 (all sections) when it is not an integer.
int32_t SectionOfEdit1(std::string_view edit1);

// Timer1's tick (`Timer1Timer`), after the caller has disabled Timer1: shows
// "Updateing Currency" in the fifth panel and returns the section number for
// the fetch that follows (SectionOfEdit1).
int32_t Timer1Timer(EngineHost& host, std::string_view edit1);

}  // namespace orvane::webdata
