// Whole template texts, brace substitution and the grammar of one line.
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
    // The text before `from` holds neither "{" nor "}" any more; results that
    // bring new braces are spliced back into the text and scanned again.
    std::string out;
    size_t from = 0;
    int reexpansions = 0;
    for (;;) {
        const size_t open = text.find('{', from);
        if (open == std::string::npos) break;
        const size_t close = text.find('}', from);
        if (close == std::string::npos || close < open) break;
        bool ok = true;
        const std::string result =
            String_Proc(s, text.substr(open + 1, close - open - 1), true, ok);
        if (!ok) {
            out.append(text, from, std::string::npos);
            text.swap(out);
            return false;
        }
        out.append(text, from, open - from);
        if (result.find_first_of("{}") == std::string::npos) {
            out += result;
            from = close + 1;
        } else {
            if (++reexpansions > kMaxBraceReexpansions)
                throw ELimitExceeded("Brace groups keep expanding into new brace groups");
            // The result brings braces of its own: splice it into the text
            // and scan on from where it starts.
            std::string rebuilt = out;
            const size_t pos = rebuilt.size();
            rebuilt += result;
            rebuilt.append(text, close + 1, std::string::npos);
            text.swap(rebuilt);
            out.assign(text, 0, pos);
            from = pos;
        }
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
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
