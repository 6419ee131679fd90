#include "ui/model/calculator_text.h"

#include <algorithm>
#include <cstdio>

#include "engine/date_time.h"
#include "engine/number_text.h"

namespace orvane::ui {

namespace {

// round(num / den) for num >= 0, den > 0, halves to the even neighbour.
int64_t RoundHalfEven(int64_t num, int64_t den) {
    const int64_t q = num / den, r = num % den;
    if (2 * r > den || (2 * r == den && (q & 1))) return q + 1;
    return q;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// `text` right-aligned in `width` box characters (never cut).
std::string PadLeft(const std::string& text, int width) {
    const int n = WideLength(text);
    return n >= width ? text : std::string(size_t(width - n), ' ') + text;
}

std::string Index2(int index) {
    std::string s = std::to_string(index);
    return s.size() >= 2 ? s : " " + s;
}

}  // namespace

int AnswerFontPoints(int n) {
    if (n < 0) n = 0;
    return int(std::min<int64_t>(20, RoundHalfEven(91, int64_t(n) + 1))) + 8;
}

int ExpressionFontPoints(int n) {
    if (n < 0) n = 0;
    return int(std::min<int64_t>(16, RoundHalfEven(500, int64_t(n) + 1))) + 8;
}

int WideLength(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        if (IsContinuation(c)) continue;
        n += c >= 0xF0 ? 2 : 1;  // four-byte sequences are surrogate pairs
    }
    return n;
}

int ContarLetras(std::string_view text, char ch) {
    int n = 0;
    for (char c : text)
        if (c == ch) ++n;
    return n;
}

std::string NibbleGroup(std::string_view text) {
    // Characters are whole UTF-8 sequences, so a group never splits one.
    if (text.empty()) return "";
    std::vector<size_t> starts{0};
    for (size_t i = 1; i < text.size(); ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[i]))) starts.push_back(i);

    constexpr size_t kKeep = 1000;
    const size_t count = starts.size();
    std::string out;
    size_t kept = 0;  // characters in `out`
    auto put = [&](std::string_view piece, size_t chars) {
        out.append(piece);
        kept += chars;
    };
    // The leftmost group holds count % 4 characters (4 when it divides).
    size_t first = count % 4 == 0 ? 4 : count % 4;
    put(std::string(4 - first, '0'), 4 - first);
    size_t c = 0;
    while (c < count && kept < kKeep) {
        const size_t groupEnd = c + (c == 0 ? first : 4);
        if (c != 0) put(" ", 1);
        for (; c < groupEnd && kept < kKeep; ++c) {
            const size_t b = starts[c], e = c + 1 < count ? starts[c + 1] : text.size();
            put(text.substr(b, e - b), 1);
        }
    }
    return out;
}

std::string KeyEchoText(int code) {
    return IntToStr(code) + "(0x" + IntToHex(code, 2) + ")";
}

std::string SecToDayTimeText(int32_t secs) {
    const int64_t v = secs;
    const int64_t d = v / 86400;  // truncates toward zero, as the parts do
    int64_t r = v - 86400 * d;
    const int64_t h = r / 3600;
    r -= 3600 * h;
    const int64_t m = r / 60;
    const int64_t s = r - 60 * m;
    std::string first = std::to_string(d) + " day " + std::to_string(h) + ":" +
                        std::to_string(m) + ":" + std::to_string(s);

    // The moment itself counts whole days downward (before 1970 too).
    int64_t days = v / 86400, tod = v % 86400;
    if (tod < 0) tod += 86400, --days;
    LocalDateTime t;
    CivilFromDays(days, t.year, t.month, t.day);
    t.hour = int(tod / 3600);
    t.minute = int(tod % 3600 / 60);
    t.second = int(tod % 60);
    return first + "\r\n" + FormatDateTime("yyyy/mm/dd hh:nn:ss", t);
}

std::string HandleText(uint32_t handle) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Handle:%10lu 0x%lX", static_cast<unsigned long>(handle),
                  static_cast<unsigned long>(handle));
    return buf;
}

std::vector<std::string> VariableListLines(const INI_Parameter_Table& table) {
    std::vector<std::string> lines;
    for (int i = 0; i < kVariableSlots && !table[size_t(i)].Name.empty(); ++i) {
        const TINI_Parameter& v = table[size_t(i)];
        lines.push_back(Index2(i) + ": " + PadLeft(v.Name, 12) + " = " +
                        FloatToStr(static_cast<long double>(v.Value)));
    }
    return lines;
}

std::vector<std::string> StrVariableListLines(const INI_Str_Variable_Table& table) {
    std::vector<std::string> lines;
    for (int i = 0; i < kVariableSlots && !table[size_t(i)].Name.empty(); ++i) {
        const TINI_Str_Variable& v = table[size_t(i)];
        lines.push_back(Index2(i) + ": " + PadLeft(v.Name, 12) + " = " + v.Value + " ");
    }
    return lines;
}

}  // namespace orvane::ui
