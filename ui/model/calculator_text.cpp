// The stateless pieces of the calculator panel: font-size rules, nibble
// grouping, the key echo, seconds to date-time, the variable-list lines and
// the key-code mapping.
#include <algorithm>
#include <cstdio>

#include "engine/date_time.h"
#include "engine/number_text.h"
#include "ui/model/calculator_model.h"

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

int VirtualKeyFromQt(const KeyDescription& key) {
    const int k = key.qtKey;
    if (key.keypad) {
        if (k >= '0' && k <= '9') return vk::Numpad0 + (k - '0');
        switch (k) {
            case '*': return vk::Multiply;
            case '+': return vk::Add;
            case '-': return vk::Subtract;
            case '/': return vk::Divide;
            case '.':
            case ',': return vk::Decimal;
            default: break;  // keypad Enter and the NumLock-off keys map as usual
        }
    }
    if (k >= '0' && k <= '9') return k;
    if (k >= 'A' && k <= 'Z') return k;
    if (k >= 'a' && k <= 'z') return k - 32;
    if (k >= qtkey::F1 && k <= qtkey::F24) return vk::F1 + (k - qtkey::F1);
    switch (k) {
        // Shifted digits of the main keyboard (US layout).
        case ')': return 48;
        case '!': return 49;
        case '@': return 50;
        case '#': return 51;
        case '$': return 52;
        case '%': return 53;
        case '^': return 54;
        case '&': return 55;
        case '*': return 56;
        case '(': return 57;
        case ' ': return vk::Space;
        case ';': case ':': return vk::OemSemicolon;
        case '=': case '+': return vk::OemPlus;
        case ',': case '<': return vk::OemComma;
        case '-': case '_': return vk::OemMinus;
        case '.': case '>': return vk::OemPeriod;
        case '/': case '?': return vk::Oem2Slash;
        case '`': case '~': return vk::Oem3Tilde;
        case '[': case '{': return vk::Oem4Bracket;
        case '\\': case '|': return vk::Oem5Backslash;
        case ']': case '}': return vk::Oem6Bracket;
        case '\'': case '"': return vk::Oem7Quote;
        case qtkey::Escape: return vk::Escape;
        case qtkey::Tab:
        case qtkey::Backtab: return vk::Tab;
        case qtkey::Backspace: return vk::Back;
        case qtkey::Return:
        case qtkey::Enter: return vk::Return;
        case qtkey::Insert: return vk::Insert;
        case qtkey::Delete: return vk::Delete;
        case qtkey::Pause: return vk::Pause;
        case qtkey::Print:
        case qtkey::SysReq: return vk::Snapshot;
        case qtkey::Clear: return vk::Clear;
        case qtkey::Home: return vk::Home;
        case qtkey::End: return vk::End;
        case qtkey::Left: return vk::Left;
        case qtkey::Up: return vk::Up;
        case qtkey::Right: return vk::Right;
        case qtkey::Down: return vk::Down;
        case qtkey::PageUp: return vk::Prior;
        case qtkey::PageDown: return vk::Next;
        case qtkey::Shift: return vk::Shift;
        case qtkey::Control: return vk::Control;
        case qtkey::Alt: return vk::Menu;
        case qtkey::Meta:
        case qtkey::Super_L: return vk::LWin;
        case qtkey::Super_R: return vk::LWin + 1;
        case qtkey::Menu: return vk::Apps;
        case qtkey::CapsLock: return vk::Capital;
        case qtkey::NumLock: return vk::NumLock;
        case qtkey::ScrollLock: return vk::Scroll;
        default: return 0;
    }
}

}  // namespace orvane::ui
