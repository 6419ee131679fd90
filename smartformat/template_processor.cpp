// Whole template texts, brace substitution and the grammar of one line.
#include <cstring>
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"

namespace orvane {

namespace {

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// Brace groups whose content keeps producing new brace groups are cut off
// after this many re-expansions instead of looping forever.
constexpr int kMaxBraceReexpansions = 1000;

}  // namespace

std::string String_Proc(SmartSession& s, const std::string& Original, bool real_proc,
                        bool& proc_success_all) {
    Session::DepthGuard guard(s);
    proc_success_all = true;
    std::string work = Original;
    if (!curly_brackets_Process(s, work)) {
        proc_success_all = false;
        return {};
    }
    std::string output;
    std::string_view rest(work);
    for (;;) {
        const size_t crlf = rest.find("\r\n");
        if (crlf == std::string_view::npos) break;
        bool ok = true;
        output += Sub_String_Proc(s, TrimView(rest.substr(0, crlf)), real_proc, ok);
        output += "\r\n";
        if (!ok) proc_success_all = false;
        rest = TrimView(rest.substr(crlf + 2));
    }
    bool ok = true;
    output += Sub_String_Proc(s, rest, real_proc, ok);
    if (!ok) proc_success_all = false;
    return output;
}

bool curly_brackets_Process(SmartSession& s, std::string& text) {
    // Without any brace group the text stays as it is (and is not copied).
    if (text.find('{') == std::string::npos) return true;
    // `rest` from `from` on is still to be scanned; `out` holds what the part
    // before it became, and holds neither "{" nor "}". A result that brings
    // braces of its own goes back in front of the rest and is scanned again.
    std::string out;
    std::string rest;
    rest.swap(text);
    size_t from = 0;
    int reexpansions = 0;
    bool lineBreaks = rest.find("\r\n") != std::string::npos;
    for (;;) {
        const size_t open = rest.find('{', from);
        if (open == std::string::npos) break;
        const size_t close = rest.find('}', from);
        if (close == std::string::npos || close < open) break;
        // The first "}" ends the group, so the inside holds none.
        const std::string_view inside(rest.data() + open + 1, close - open - 1);
        // An inside that is neither a bracket group nor several lines comes
        // back from String_Proc as it is: take it so, without the copies.
        const bool plain = (inside.empty() || inside[0] != '[') &&
                           (!lineBreaks || inside.find("\r\n") == std::string_view::npos);
        std::string processed;
        if (plain) {
            s.CheckNestingRoom(1);  // String_Proc's own level
        } else {
            bool ok = true;
            processed = String_Proc(s, std::string(inside), true, ok);
            if (!ok) {
                out.append(rest, from, std::string::npos);
                text.swap(out);
                return false;
            }
        }
        const std::string_view result = plain ? inside : std::string_view(processed);
        out.append(rest, from, open - from);
        if (result.find('{') == std::string_view::npos && result.find('}') == std::string_view::npos) {
            out += result;
            from = close + 1;
            continue;
        }
        if (++reexpansions > kMaxBraceReexpansions)
            throw ELimitExceeded("Brace groups keep expanding into new brace groups");
        // Put the result just in front of the rest after the group: the group
        // and what came before it are no longer needed, so it fits there
        // unless the result is longer.
        const size_t room = close + 1 - from;
        if (result.size() <= room) {
            const size_t at = close + 1 - result.size();
            std::memmove(&rest[at], result.data(), result.size());
            from = at;
        } else {
            std::string rebuilt(result);
            rebuilt.append(rest, close + 1, std::string::npos);
            rest.swap(rebuilt);
            from = 0;
        }
        if (!plain && processed.find("\r\n") != std::string::npos) lineBreaks = true;
    }
    if (out.empty()) {
        rest.erase(0, from);
        text.swap(rest);
    } else {
        out.append(rest, from, std::string::npos);
        text.swap(out);
    }
    return true;
}

std::string Sub_String_Proc(SmartSession& s, std::string_view line, bool real_proc,
                            bool& proc_success) {
    proc_success = true;
    std::string output;
    if (line.empty() || line[0] != '[') return std::string(line);
    line = TrimView(line);
    if (line.back() != ']') {
        s.Host().ShowMessage(MsgIcon::Error, "Format error: not end with \"]\"");
        proc_success = false;
        return {};
    }
    std::string_view rest = TrimView(line.substr(1, line.size() - 2));
    size_t lastLength = rest.size();
    while (!rest.empty()) {
        // Literal.
        if (rest[0] == '"') {
            rest.remove_prefix(1);
            size_t pos = 0;
            for (;;) {
                const size_t q = rest.find('"', pos);
                if (q == std::string_view::npos) {
                    s.Host().ShowMessage(MsgIcon::Error, "Can not find another \"");
                    proc_success = false;
                    rest = TrimView(rest);
                    break;
                }
                if (q + 1 < rest.size() && rest[q + 1] == '"') {
                    output.append(rest.substr(pos, q + 1 - pos));
                    pos = q + 2;
                    continue;
                }
                output.append(rest.substr(pos, q - pos));
                rest = TrimView(rest.substr(q + 1));
                break;
            }
        }
        // Joiner.
        if (!rest.empty() && rest[0] == '+') rest = TrimView(rest.substr(1));
        // Field item.
        if (!rest.empty() && rest[0] == '\'') {
            rest.remove_prefix(1);
            const size_t q = rest.find('\'');
            const std::string name(rest.substr(0, q == std::string_view::npos ? 0 : q));
            std::string value;
            if (real_proc) {
                bool exist = true;
                value = Get_String_BY_FieldName(s, name, exist);
                if (!exist) proc_success = false;
            }
            rest = TrimView(q == std::string_view::npos ? rest : rest.substr(q + 1));
            if (!rest.empty() && rest[0] == ':') {
                size_t end = rest.find('+');
                if (end != std::string_view::npos && end + 1 < rest.size() &&
                    IsDigitChar(rest[end + 1]))
                    end = rest.find('+', end + 1);
                if (end == std::string_view::npos) end = rest.size();
                bool pass = true;
                output += HexToFormat(s, value, rest.substr(1, end - 1), pass);
                if (!pass) proc_success = false;
                rest = TrimView(rest.substr(end));
            } else {
                output += value;
                const size_t plus = rest.find('+');
                if (plus != std::string_view::npos) rest = TrimView(rest.substr(plus));
            }
        }
        // Progress check.
        if (rest.size() == lastLength) {
            s.Show_On_ListBOXRx("unknow format Length:>" + std::to_string(rest.size()) + "<");
            proc_success = false;
            break;
        }
        lastLength = rest.size();
    }
    return output;
}

}  // namespace orvane
