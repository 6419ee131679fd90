#include "webdata/daily_check.h"

#include "engine/number_text.h"
#include "webdata/web_data_fetcher.h"
#include "webdata/web_definitions.h"

namespace orvane::webdata {

namespace {

LocalDateTime TenDaysBefore(const LocalDateTime& now) {
    LocalDateTime t = now;
    CivilFromDays(DaysFromCivil(now.year, now.month, now.day) - 10, t.year, t.month, t.day);
    return t;
}

bool SameDate(const LocalDateTime& a, const LocalDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

LocalDateTime ReadSyncDay(const platform::IniDocument& definitions, const LocalDateTime& now,
                          const FormatSettings& fs) {
    std::string_view text;
    LocalDateTime t;
    if (definitions.Find(kSyncDaySection, kSyncDayKey, text) &&
        TryStrToDateTime(text.substr(0, platform::kIniValueMax), t, now, fs))
        return t;
    return TenDaysBefore(now);
}

std::string SyncDayText(const LocalDateTime& t, const FormatSettings& fs) {
    return FormatDateTime(fs.ShortDateFormat + " " + fs.LongTimeFormat, t, fs);
}

Timer1State currency_update(const std::string& path, EngineHost& host, const FormatSettings& fs) {
    platform::IniFile file(path);
    const LocalDateTime now = host.Now();
    LocalDateTime last = ReadSyncDay(file.Read(), now, fs);
    Timer1State state = Timer1State::Disabled;
    if (!SameDate(last, now)) {
        host.StatusLine2Show(kFetchPanel, "Currency update in 15 sec.");
        state = Timer1State::Enabled;
    }
    file.WriteString(kSyncDaySection, kSyncDayKey, SyncDayText(now, fs));
    return state;
}

int32_t SectionOfEdit1(std::string_view edit1) { return StrToIntDef(edit1, 0); }

int32_t Timer1Timer(EngineHost& host, std::string_view edit1) {
    host.StatusLine2Show(kFetchPanel, "Updateing Currency");
    return SectionOfEdit1(edit1);
}

}  // namespace orvane::webdata
