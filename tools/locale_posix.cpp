#include "tools/locale_posix.h"

#include <langinfo.h>
#include <locale.h>

namespace orvane {

std::string PatternFromStrftime(const std::string& fmt, char& sep) {
    std::string out;
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%' || i + 1 >= fmt.size()) {
            const char c = fmt[i];
            if (c == '.' || c == '/' || c == '-' || c == ':') {
                if (!sep) sep = c;
                out += (c == ':') ? ':' : '/';
            } else {
                out += c;
            }
            continue;
        }
        char c = fmt[++i];
        if (c == 'E' || c == 'O') {
            if (i + 1 >= fmt.size()) break;
            c = fmt[++i];
        }
        switch (c) {
            case 'Y': out += "yyyy"; break;
            case 'y': out += "yy"; break;
            case 'm': out += "mm"; break;
            case 'd': out += "dd"; break;
            case 'e': out += "d"; break;
            case 'b': case 'h': out += "mmm"; break;
            case 'B': out += "mmmm"; break;
            case 'a': out += "ddd"; break;
            case 'A': out += "dddd"; break;
            case 'H': out += "hh"; break;
            case 'I': out += "hh"; break;
            case 'M': out += "nn"; break;
            case 'S': out += "ss"; break;
            case 'p': out += "AMPM"; break;
            case 'D': out += "mm/dd/yy"; if (!sep) sep = '/'; break;
            case 'F': out += "yyyy/mm/dd"; if (!sep) sep = '-'; break;
            case 'T': out += "hh:nn:ss"; break;
            case 'R': out += "hh:nn"; break;
            case 'r': out += "hh:nn:ss AMPM"; break;
            case '%': out += '%'; break;
            default: break;
        }
    }
    return out;
}

FormatSettings FormatSettingsFromPosixLocale() {
    FormatSettings fs = FormatSettings::CLocale();
    locale_t loc = newlocale(LC_ALL_MASK, "", nullptr);
    if (!loc) return fs;
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    if (radix && radix[0] && !radix[1]) fs.DecimalSeparator = radix[0];

    char dateSep = 0;
    const std::string dfmt = nl_langinfo_l(D_FMT, loc);
    std::string date = PatternFromStrftime(dfmt, dateSep);
    // The "C" locale's own format ("%m/%d/%y") keeps the program's default.
    if (!date.empty() && dfmt != "%m/%d/%y") {
        fs.ShortDateFormat = date;
        if (dateSep) fs.DateSeparator = dateSep;
    }
    char timeSep = 0;
    std::string time = PatternFromStrftime(nl_langinfo_l(T_FMT, loc), timeSep);
    if (!time.empty()) {
        fs.LongTimeFormat = time;
        if (timeSep) fs.TimeSeparator = timeSep;
    }
    const char* am = nl_langinfo_l(AM_STR, loc);
    const char* pm = nl_langinfo_l(PM_STR, loc);
    if (am && *am) fs.TimeAMString = am;
    if (pm && *pm) fs.TimePMString = pm;
    static const nl_item kAbMon[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6,
                                       ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item kMon[12] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                     MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item kAbDay[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    static const nl_item kDay[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    for (int i = 0; i < 12; ++i) {
        fs.ShortMonthNames[size_t(i)] = nl_langinfo_l(kAbMon[i], loc);
        fs.LongMonthNames[size_t(i)] = nl_langinfo_l(kMon[i], loc);
    }
    for (int i = 0; i < 7; ++i) {
        fs.ShortDayNames[size_t(i)] = nl_langinfo_l(kAbDay[i], loc);
        fs.LongDayNames[size_t(i)] = nl_langinfo_l(kDay[i], loc);
    }
    freelocale(loc);
    return fs;
}

}  // namespace orvane
