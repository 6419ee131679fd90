#include "tools/date_guid_lines.h"

#include <charconv>

#include "engine/format_settings.h"
#include "engine/number_text.h"

namespace orvane {

namespace {

// `value` with exactly 15 decimals and the record's decimal separator,
// independent of the C library's locale.
std::string Fixed15(double value, char decimalSeparator) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 15);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == '.') c = decimalSeparator;
    return s;
}

void AppendHex(std::string& out, uint64_t value, int digits) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int i = digits - 1; i >= 0; --i) out += kHex[(value >> (4 * i)) & 15];
}

}  // namespace

std::vector<std::string> DateTimeLines(const LocalDateTime& t) {
    const FormatSettings& fs = GetFormatSettings();
    std::vector<std::string> lines;
    lines.reserve(7);
    lines.push_back(FloatToStr(static_cast<long double>(ToDateTimeValue(t))));
    const bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0;
    std::string both = FormatDateTime(fs.ShortDateFormat, t, fs);
    if (!midnight) both += " " + FormatDateTime(fs.LongTimeFormat, t, fs);
    lines.push_back(both);
    lines.push_back("ddd d of mmm yyyy " + FormatDateTime("ddd d of mmm yyyy", t, fs));
    lines.push_back("yyyy-mm-dd hh:nn:ss.zzz " + FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t, fs));
    for (int s = 0; s < 3; ++s) {
        const LocalDateTime ref{1899, 12, 30, 0, 0, s, 0};
        lines.push_back("1899, 12,30, 0, 0, " + std::to_string(s) + "sec, 0 =" +
                        Fixed15(ToDateTimeValue(ref), fs.DecimalSeparator));
    }
    return lines;
}

std::string GuidText(const platform::Guid& g) {
    std::string out;
    out.reserve(38);
    out += '{';
    AppendHex(out, g.Data1, 8);
    out += '-';
    AppendHex(out, g.Data2, 4);
    out += '-';
    AppendHex(out, g.Data3, 4);
    out += '-';
    AppendHex(out, uint64_t(g.Data4[0]) << 8 | g.Data4[1], 4);
    out += '-';
    for (size_t i = 2; i < 8; ++i) AppendHex(out, g.Data4[i], 2);
    out += '}';
    return out;
}

}  // namespace orvane
