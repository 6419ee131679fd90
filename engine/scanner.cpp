#include "engine/scanner.h"

#include "engine/number_text.h"
#include "engine/scan_text.h"
#include "engine/scanner_internal.h"

namespace orvane {

namespace {

struct OperatorDef {
    const char* text;
    uint8_t priority;
    bool ci;  // word operators are matched in any letter case
};

// Search order; ties go to the operator that comes first.
constexpr OperatorDef kOperators[] = {
    {"+", 1, false},     {"-", 1, false},     {"*", 2, false},     {"/", 2, false},
    {"%", 3, false},     {"^", 3, false},     {" AND ", 3, true},  {" XOR ", 3, true},
    {" MOD ", 3, true},  {" OR ", 3, true},   {">>", 1, false},    {"<<", 1, false},
    {"<=", 1, false},    {">=", 1, false},    {"==", 1, false},    {"<>", 1, false},
    {"!=", 1, false},    {"&&", 1, false},    {"||", 1, false},    {">", 1, false},
    {"<", 1, false},
};
static_assert(sizeof(kOperators) / sizeof(kOperators[0]) == ScanText::kPatEPlus);

constexpr size_t kNotFound = 65535;

}  // namespace

size_t MatchGroup(std::string_view text, size_t from, char open, char close, size_t lastClose) {
    size_t p = from;
    long long depth = 0;
    bool consumed = false;
    do {
        if (lastClose == std::string_view::npos || lastClose < p) {
            // No closing character left: the depth falls without progress.
            --depth;
            continue;
        }
        size_t q = p;
        while (text[q] != open && text[q] != close) ++q;  // ends at lastClose at the latest
        depth += text[q] == open ? 1 : -1;
        p = q + 1;
        consumed = true;
    } while (depth > 0);
    return consumed ? p - 1 : std::string_view::npos;
}

bool get_group_pos(std::string_view pair, std::string_view text, size_t& openPos,
                   size_t& closePos) {
    const char open = pair.size() > 0 ? pair[0] : '(';
    const char close = pair.size() > 1 ? pair[1] : ')';
    const size_t o = text.find(open);
    openPos = o == std::string_view::npos ? 0 : o + 1;
    const size_t m = MatchGroup(text, 0, open, close, text.rfind(close));
    closePos = m == std::string_view::npos ? 0 : m + 1;
    return true;
}

bool get_Seperator_pos(std::string_view sep, std::string_view text, size_t& pos) {
    const size_t o = text.find('(');
    const size_t s = text.find(sep);
    size_t p = s;
    if (o != std::string_view::npos && s != std::string_view::npos && s > o) {
        size_t op, cl;
        get_group_pos("()", text, op, cl);
        p = text.find(sep, cl == 0 ? 0 : cl - 1);
    }
    pos = p == std::string_view::npos ? 0 : p + 1;
    return p != std::string_view::npos;
}

std::string CopyText(std::string_view text, size_t from, long long count) {
    if (count < 1 || from < 1 || from > text.size()) return {};
    return std::string(text.substr(from - 1, size_t(count)));
}

void GroupOf(ScanText& text, char open, char close, size_t& openPos, size_t& closePos) {
    const size_t o = text.Find(open == '(' ? ScanText::kPatOpenParen : ScanText::kPatOpenBracket,
                               std::string_view(&open, 1), false, 0);
    openPos = o == ScanText::npos ? 0 : o + 1;
    const size_t m = MatchGroup(text.view(), 0, open, close, text.RFindChar(close));
    closePos = m == ScanText::npos ? 0 : m + 1;
}

bool Get_first_operator_pos(Session& session, ScanText& text, size_t& opStart, size_t& opEnd,
                            uint8_t& priority) {
    text.Trim();
    opStart = opEnd = kNotFound;
    priority = 0;
    size_t scanStart = 1;
    int sign = 1;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        scanStart = 2;
        if (text[0] == '-') sign = -1;
    }

    ExpandFunctions(session, text, scanStart, sign);

    if (!text.empty() && text[0] == '(') {
        size_t open, close;
        GroupOf(text, '(', ')', open, close);
        const std::string inner = CopyText(text.view(), open + 1, (long long)close - open - 1);
        const std::string answer = EvalArg(session, inner);
        text.ReplacePrefix(close, answer);
    }
    if (!text.empty() && text[0] == '[') {
        size_t open, close;
        GroupOf(text, '[', ']', open, close);
        const std::string group = CopyText(text.view(), open, (long long)close - open + 1);
        Session::DepthGuard guard(session);
        const std::string processed = session.String_Proc(group, true, session.String_Proc_success);
        text.ReplacePrefix(close, processed);
    }

    const size_t from = scanStart - 1;
    size_t best = ScanText::npos;
    for (int k = 0; k < ScanText::kPatEPlus; ++k) {
        const OperatorDef& op = kOperators[k];
        size_t pos = text.Find(k, op.text, op.ci, from);
        if (k <= 1 && pos != ScanText::npos) {
            // "1E+5": a sign directly after the first "E" is part of a number.
            const bool plus = k == 0;
            const size_t e = text.Find(plus ? ScanText::kPatEPlus : ScanText::kPatEMinus,
                                       plus ? "E+" : "E-", true, from);
            if (e != ScanText::npos && pos == e + 1)
                pos = text.Find(plus ? ScanText::kPatPlus2 : ScanText::kPatMinus2, op.text, false,
                                pos + 1);
        }
        if (pos != ScanText::npos && pos > 0 && (best == ScanText::npos || pos < best)) {
            best = pos;
            opStart = pos + 1;
            opEnd = pos + 1 + std::char_traits<char>::length(op.text);
            priority = op.priority;
        }
    }
    return best != ScanText::npos;
}

bool Get_first_operator_pos(Session& session, std::string& text, size_t& opStart, size_t& opEnd,
                            uint8_t& priority) {
    ScanText t(text);
    const bool found = Get_first_operator_pos(session, t, opStart, opEnd, priority);
    text = t.str();
    return found;
}

}  // namespace orvane
