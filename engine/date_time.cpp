#include "engine/date_time.h"

#include <sys/time.h>

#include <cmath>
#include <ctime>

#include "engine/number_text.h"

namespace orvane {

int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool IsValidDate(int y, int m, int d) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    int dim = kDays[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
    return d <= dim;
}

int DayOfTheWeekIso(int y, int m, int d) {
    int64_t days = DaysFromCivil(y, m, d);  // 1970-01-01 was a Thursday (4)
    int64_t w = ((days % 7) + 7 + 3) % 7;   // 0 = Monday
    return int(w) + 1;
}

int64_t SecondsSince1970(const LocalDateTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
           t.second;
}

double ToDateTimeValue(const LocalDateTime& t) {
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) + 25569;
    const double frac = (t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 +
                         t.millisecond) / 86400000.0;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

LocalDateTime FromDateTimeValue(double value) {
    LocalDateTime t;
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    CivilFromDays(int64_t(whole) - 25569, t.year, t.month, t.day);
    int64_t ms = int64_t(std::llround(frac * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    t.hour = int(ms / 3600000);
    t.minute = int(ms / 60000 % 60);
    t.second = int(ms / 1000 % 60);
    t.millisecond = int(ms % 1000);
    return t;
}

LocalDateTime LocalDateTimeAt(time_t secs, int millisecond) {
    std::tm tm{};
    localtime_r(&secs, &tm);
    LocalDateTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
    t.millisecond = millisecond;
    return t;
}

LocalDateTime SystemLocalNow() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return LocalDateTimeAt(tv.tv_sec, int(tv.tv_usec / 1000));
}

namespace {

struct Reader {
    std::string_view s;
    size_t i = 0;
    void SkipBlanks() {
        while (i < s.size() && s[i] == ' ') ++i;
    }
    bool AtEnd() const { return i >= s.size(); }
    bool Number(int& value, int& digits) {
        size_t b = i;
        int64_t v = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - b < 9) v = v * 10 + (s[i++] - '0');
        digits = int(i - b);
        if (digits == 0 || (i < s.size() && s[i] >= '0' && s[i] <= '9')) return false;
        value = int(v);
        return true;
    }
    bool Char(char c) {
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        if (w.empty() || s.size() - i < w.size()) return false;
        for (size_t k = 0; k < w.size(); ++k)
            if (UpChar(s[i + k]) != UpChar(w[k])) return false;
        i += w.size();
        return true;
    }
};

// Date order from the short date pattern: 0 = y m d, 1 = m d y, 2 = d m y.
int DateOrder(const std::string& pattern) {
    for (char c : pattern) {
        char u = UpChar(c);
        if (u == 'Y') return 0;
        if (u == 'M') return 1;
        if (u == 'D') return 2;
    }
    return 0;
}

bool ScanDate(Reader& r, int& y, int& m, int& d, const LocalDateTime& now,
              const FormatSettings& fs) {
    size_t start = r.i;
    int n[3], dig[3], count = 0;
    r.SkipBlanks();
    if (!r.Number(n[0], dig[0])) {
        r.i = start;
        return false;
    }
    count = 1;
    if (!r.Char(fs.DateSeparator)) {
        r.i = start;
        return false;
    }
    if (!r.Number(n[1], dig[1])) {
        r.i = start;
        return false;
    }
    count = 2;
    size_t afterTwo = r.i;
    if (r.Char(fs.DateSeparator)) {
        if (r.Number(n[2], dig[2])) count = 3;
        else r.i = afterTwo;
    }
    int yearDigits = 4;
    const int order = DateOrder(fs.ShortDateFormat);
    if (count == 2) {
        y = now.year;
        if (order == 2) d = n[0], m = n[1];
        else m = n[0], d = n[1];
    } else if (order == 0) {
        y = n[0], yearDigits = dig[0], m = n[1], d = n[2];
    } else if (order == 1) {
        m = n[0], d = n[1], y = n[2], yearDigits = dig[2];
    } else {
        d = n[0], m = n[1], y = n[2], yearDigits = dig[2];
    }
    if (count == 3 && yearDigits <= 2 && y < 100) {
        int century = now.year - now.year % 100;
        y += century;
        if (fs.TwoDigitYearCenturyWindow > 0 && y < now.year - fs.TwoDigitYearCenturyWindow)
            y += 100;
    }
    if (!IsValidDate(y, m, d)) {
        r.i = start;
        return false;
    }
    return true;
}

bool ScanTime(Reader& r, int& h, int& n, int& s, int& ms, const FormatSettings& fs) {
    size_t start = r.i;
    int dig;
    h = n = s = ms = 0;
    r.SkipBlanks();
    if (!r.Number(h, dig)) {
        r.i = start;
        return false;
    }
    bool hasMinutes = false;
    if (r.Char(fs.TimeSeparator)) {
        if (!r.Number(n, dig)) {
            r.i = start;
            return false;
        }
        hasMinutes = true;
        if (r.Char(fs.TimeSeparator)) {
            if (!r.Number(s, dig)) {
                r.i = start;
                return false;
            }
            if (r.Char(fs.DecimalSeparator) || r.Char('.')) {
                if (!r.Number(ms, dig) || dig > 3) {
                    r.i = start;
                    return false;
                }
                while (dig++ < 3) ms *= 10;
            }
        }
    }
    r.SkipBlanks();
    int ampm = 0;
    if (r.Word(fs.TimeAMString) || r.Word("AM")) ampm = 1;
    else if (r.Word(fs.TimePMString) || r.Word("PM")) ampm = 2;
    if (!hasMinutes && ampm == 0) {
        r.i = start;
        return false;
    }
    if (ampm) {
        if (h < 1 || h > 12) {
            r.i = start;
            return false;
        }
        if (h == 12) h = 0;
        if (ampm == 2) h += 12;
    }
    if (h > 23 || n > 59 || s > 59 || ms > 999) {
        r.i = start;
        return false;
    }
    return true;
}

}  // namespace

bool TryStrToDateTime(std::string_view text, LocalDateTime& out, const LocalDateTime& now,
                      const FormatSettings& fs) {
    Reader r{text};
    LocalDateTime t;
    bool haveDate = ScanDate(r, t.year, t.month, t.day, now, fs);
    bool haveTime = false;
    if (!r.AtEnd()) {
        size_t before = r.i;
        r.SkipBlanks();
        if (!r.AtEnd()) {
            r.i = before;
            haveTime = ScanTime(r, t.hour, t.minute, t.second, t.millisecond, fs);
            if (!haveTime) return false;
        }
    }
    r.SkipBlanks();
    if (!r.AtEnd() || (!haveDate && !haveTime)) return false;
    if (!haveDate) {
        // A time alone is a time of the day zero of the date-time scale.
        t.year = 1899, t.month = 12, t.day = 30;
    }
    out = t;
    return true;
}

std::string FormatDateTime(std::string_view pat, const LocalDateTime& t, const FormatSettings& fs) {
    std::string out;
    auto pad = [](int v, int w) {
        std::string s = std::to_string(v);
        while (int(s.size()) < w) s.insert(s.begin(), '0');
        return s;
    };
    size_t i = 0;
    while (i < pat.size()) {
        char c = pat[i];
        char u = UpChar(c);
        size_t run = 1;
        while (i + run < pat.size() && UpChar(pat[i + run]) == u) ++run;
        if (c == '"' || c == '\'') {
            size_t e = pat.find(c, i + 1);
            if (e == std::string_view::npos) e = pat.size();
            out.append(pat.substr(i + 1, e - i - 1));
            i = e + 1;
            continue;
        }
        switch (u) {
            case 'Y': out += run <= 2 ? pad(t.year % 100, 2) : pad(t.year, 4); break;
            case 'M':
                if (run >= 4) out += fs.LongMonthNames[size_t(t.month - 1)];
                else if (run == 3) out += fs.ShortMonthNames[size_t(t.month - 1)];
                else out += pad(t.month, int(run));
                break;
            case 'D': {
                int dow = DayOfTheWeekIso(t.year, t.month, t.day) % 7;  // 0 = Sunday
                if (run >= 4) out += fs.LongDayNames[size_t(dow)];
                else if (run == 3) out += fs.ShortDayNames[size_t(dow)];
                else out += pad(t.day, int(run));
                break;
            }
            case 'H': out += pad(t.hour, run >= 2 ? 2 : 1); break;
            case 'N': out += pad(t.minute, run >= 2 ? 2 : 1); break;
            case 'S': out += pad(t.second, run >= 2 ? 2 : 1); break;
            case 'Z': out += pad(t.millisecond, run >= 3 ? 3 : 1); break;
            case '/': out.append(run, fs.DateSeparator); break;
            case ':': out.append(run, fs.TimeSeparator); break;
            default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

}  // namespace orvane
