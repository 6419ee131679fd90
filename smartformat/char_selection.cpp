// Character selection: "[i]", "[a..b]", "[ALL]", "[i:bits]" and literal text.
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"

namespace orvane {

namespace {

// The part of S that a message shows: the message panel keeps 255 characters,
// so a huge field is never copied into a message whole.
std::string_view ForMessage(std::string_view S) { return S.substr(0, 300); }

// 1-based position with negatives counted from the end.
long long FromEnd(long long i, size_t L) { return i < 0 ? i + static_cast<long long>(L) + 1 : i; }

}  // namespace

std::string HexSToUserDefS(SmartSession& s, std::string_view S, std::string_view selectors,
                           bool& success) {
    const size_t L = S.size();
    std::string result;
    // `rest` views the selector list, or `owned` once a reference rewrote it.
    std::string owned, ownedSelector;
    std::string_view rest = selectors;
    while (!rest.empty()) {
        // 1. Literal text before the next "[".
        const size_t open = rest.find('[');
        if (open == std::string_view::npos) {
            result.append(rest);
            break;
        }
        if (open > 0) {
            result.append(rest.substr(0, open));
            rest.remove_prefix(open);
        }
        // 2. The selector up to the first "]".
        size_t close = rest.find(']');
        std::string_view selector =
            close == std::string_view::npos ? std::string_view() : rest.substr(1, close - 1);

        // 3. A quoted field reference inside the selector is replaced by its value.
        if (selector.size() >= 3) {
            const size_t q1 = selector.find('\'');
            const size_t q2 = q1 == std::string_view::npos ? q1 : selector.find('\'', q1 + 1);
            if (q2 != std::string_view::npos && q2 - q1 >= 2) {
                bool ignored = true;
                const std::string value = String_Proc(
                    s, "[" + std::string(selector.substr(q1, q2 - q1 + 1)) + "]", true, ignored);
                if (value.find(']') == std::string::npos) {
                    // The selector still ends at the same "]": rewrite only it.
                    ownedSelector.assign(selector.substr(0, q1));
                    ownedSelector.append(value);
                    ownedSelector.append(selector.substr(q2 + 1));
                    selector = ownedSelector;
                } else {
                    std::string rewritten;
                    rewritten.reserve(rest.size() + value.size());
                    rewritten.append(rest.substr(0, 1 + q1));
                    rewritten.append(value);
                    rewritten.append(rest.substr(1 + q2 + 1));
                    owned.swap(rewritten);
                    rest = owned;
                    close = rest.find(']');
                    selector = close == std::string_view::npos ? std::string_view()
                                                               : rest.substr(1, close - 1);
                }
            }
        }

        const size_t colon = selector.find(':');
        if (colon != std::string_view::npos) {
            // 4. Bit selector "[i:ddd]".
            long long i = FromEnd(StrToIntDef(selector.substr(0, colon), -1), L);
            if (i < 1) i = 1;
            if (i > static_cast<long long>(L)) {
                success = false;
            } else {
                int32_t digit;
                if (!TryStrToInt("0x" + std::string(1, S[size_t(i - 1)]), digit)) {
                    s.Show_On_ListBOXRx("Variable convert error ");
                    return result;
                }
                const char bits[4] = {char('0' + ((digit >> 3) & 1)), char('0' + ((digit >> 2) & 1)),
                                      char('0' + ((digit >> 1) & 1)), char('0' + (digit & 1))};
                for (char c : selector.substr(colon + 1)) {
                    long long pos = 4 - StrToInt(std::string_view(&c, 1));
                    if (pos < 1) pos = 1;
                    result += bits[pos - 1];
                }
            }
        } else {
            // 5. Index, range or ALL.
            const std::string_view sel = TrimView(selector);
            const size_t dots = sel.find("..");
            if (UpperCase(sel) == "ALL") {
                result.append(S);
            } else if (dots != std::string_view::npos && dots >= 1) {
                const long long a = FromEnd(StrToInt(sel.substr(0, dots)), L);
                const long long b = FromEnd(StrToInt(sel.substr(dots + 2)), L);
                const long long count = b - a + 1;
                if (count <= 0 || b > static_cast<long long>(L)) {
                    s.Show_On_ListBOXRx("Smart format Range error \"" + std::string(ForMessage(S)) +
                                        "\", pos:[" + std::string(selector) + "]");
                    success = false;
                } else {
                    const size_t from = a < 1 ? 0 : size_t(a - 1);
                    if (from < L) result.append(S.substr(from, size_t(count)));
                }
            } else {
                long long i = FromEnd(StrToInt(sel), L);
                if (i > static_cast<long long>(L) || L == 0) {
                    s.Show_On_ListBOXRx("Smart format out of index:\"" + std::string(ForMessage(S)) +
                                        "\", pos:" + std::to_string(i) + ", @line#");
                    success = false;
                } else {
                    if (i < 1) i = 1;
                    if (L > 0) result += S[size_t(i - 1)];
                }
            }
        }
        // 6. On after the "]".
        if (close == std::string_view::npos) break;
        rest.remove_prefix(close + 1);
    }
    return result;
}

}  // namespace orvane
