#include "engine/scanner.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/number_text.h"
#include "engine/scan_text.h"
#include "engine/scanner_internal.h"

namespace orvane {

namespace {

struct OperatorDef {
    const char* text;
    uint8_t priority;
    bool ci;  // word operators are matched in any letter case
    size_t length;
};

// Search order; ties go to the operator that comes first.
constexpr OperatorDef kOperators[] = {
    {"+", 1, false, 1},     {"-", 1, false, 1},     {"*", 2, false, 1},     {"/", 2, false, 1},
    {"%", 3, false, 1},     {"^", 3, false, 1},     {" AND ", 3, true, 5},  {" XOR ", 3, true, 5},
    {" MOD ", 3, true, 5},  {" OR ", 3, true, 4},   {">>", 1, false, 2},    {"<<", 1, false, 2},
    {"<=", 1, false, 2},    {">=", 1, false, 2},    {"==", 1, false, 2},    {"<>", 1, false, 2},
    {"!=", 1, false, 2},    {"&&", 1, false, 2},    {"||", 1, false, 2},    {">", 1, false, 1},
    {"<", 1, false, 1},
};
constexpr int kOperatorCount = int(sizeof(kOperators) / sizeof(kOperators[0]));
static_assert(kOperatorCount == 21 && kOperatorCount <= 32);

// For each character, the operators (in table order) that begin with it.
struct StartList {
    uint8_t count = 0;
    uint8_t ops[4] = {};
};
constexpr auto kStartsOperator = [] {
    std::array<StartList, 256> t{};
    for (int k = 0; k < 21; ++k) {
        StartList& l = t[static_cast<unsigned char>(kOperators[k].text[0])];
        l.ops[l.count++] = uint8_t(k);
    }
    return t;
}();

bool MatchesAt(std::string_view v, size_t p, const OperatorDef& op) {
    if (v.size() - p < op.length) return false;
    for (size_t j = 0; j < op.length; ++j) {
        const char c = op.ci ? UpChar(v[p + j]) : v[p + j];
        if (c != op.text[j]) return false;
    }
    return true;
}

constexpr size_t kNotFound = 65535;

// Index of the first `a` or `b` at or after q, or the text's size when there
// is none. Looks at eight characters at a time where neither occurs.
size_t FindEither(std::string_view text, size_t q, char a, char b) {
    const char* p = text.data();
    const size_t n = text.size();
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    const uint64_t pa = kOnes * static_cast<unsigned char>(a);
    const uint64_t pb = kOnes * static_cast<unsigned char>(b);
    for (; q + 8 <= n; q += 8) {
        uint64_t w;
        std::memcpy(&w, p + q, 8);
        const uint64_t xa = w ^ pa, xb = w ^ pb;  // a zero byte where a or b stands
        if (((xa - kOnes) & ~xa & kHighs) | ((xb - kOnes) & ~xb & kHighs)) break;
    }
    while (q < n && p[q] != a && p[q] != b) ++q;
    return q;
}

}  // namespace

size_t MatchGroup(std::string_view text, size_t from, char open, char close, size_t lastClose,
                  bool* balanced) {
    size_t p = from;
    long long depth = 0;
    bool consumed = false;
    if (balanced) *balanced = true;
    do {
        if (lastClose == std::string_view::npos || lastClose < p) {
            // No closing character left: the depth falls without progress.
            --depth;
            if (balanced) *balanced = false;
            continue;
        }
        const size_t q = FindEither(text, p, open, close);  // at lastClose at the latest
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

void GroupOf(ScanText& text, char open, char close, size_t& openPos, size_t& closePos,
             bool* balanced) {
    // Callers know an opener stands within the first few characters.
    const size_t o = text.view().find(open);
    openPos = o == ScanText::npos ? 0 : o + 1;
    const size_t m = MatchGroup(text.view(), 0, open, close, text.RFindChar(close), balanced);
    closePos = m == ScanText::npos ? 0 : m + 1;
}

std::string TakeGroup(ScanText& text, size_t openPos, size_t closePos) {
    const long long count = (long long)closePos - (long long)openPos - 1;
    if (openPos == 0 || count < 1) {
        text.Drop(closePos);
        return {};
    }
    return text.TakeFront(closePos, openPos, size_t(count));
}

void CheckNestingChain(Session& session, std::string_view text, size_t openPos, size_t closePos,
                       bool balanced) {
    // The opener's own argument opens the next level.
    session.CheckNestingRoom(1);
    if (openPos == 0 || closePos <= openPos) return;
    const size_t close = closePos - 1;
    const int room = kMaxNestingDepth - session.Depth();
    // Count the openers of the chain, up to one more than still fits.
    int levels = 1;
    size_t at = openPos;  // just after the opener's "("
    while (levels <= room) {
        while (at < close && static_cast<unsigned char>(text[at]) <= 32) ++at;
        if (at >= close) return;
        const size_t next = ExpressionOpenerAt(text.substr(at, close - at));
        if (next == std::string_view::npos) return;
        ++levels;
        at += next + 1;
    }
    // Every parenthesis inside is matched, and no assignment, brace group or
    // second argument can turn any level of the chain aside.
    if (!balanced) return;
    const std::string_view inside = text.substr(openPos, close - openPos);
    for (char c : {'=', '{', ','})
        if (inside.find(c) != std::string_view::npos) return;
    session.CheckNestingRoom(levels);
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
        bool balanced = false;
        GroupOf(text, '(', ')', open, close, &balanced);
        CheckNestingChain(session, text.view(), open, close, balanced);
        // The group leaves the text before its inside is evaluated, so that no
        // level keeps a copy of what the deeper levels work on.
        std::string inner = TakeGroup(text, open, close);
        const std::string answer = EvalArg(session, std::move(inner));
        text.ReplacePrefix(0, answer);
    }
    if (!text.empty() && text[0] == '[') {
        size_t open, close;
        GroupOf(text, '[', ']', open, close);
        Session::DepthGuard guard(session);
        const std::string group = CopyText(text.view(), open, (long long)close - open + 1);
        const std::string processed = session.String_Proc(group, true, session.String_Proc_success);
        text.ReplacePrefix(close, processed);
    }

    // Operator search: each operator counts at its first occurrence at or after
    // the scan start, and not at all when that occurrence is the text's first
    // character. One pass from the left finds the earliest counting occurrence;
    // ties go to the operator that comes first in the table. The pass stops at
    // the operator, where the evaluator then cuts the text, so scanning a whole
    // statement stays linear in its length.
    const std::string_view v = text.view();
    const size_t from = scanStart - 1;
    uint32_t excluded = 0;  // operators whose first occurrence is the first character
    bool seenPlus = false, seenMinus = false;
    if (from == 0 && !v.empty()) {
        const StartList& starts = kStartsOperator[static_cast<unsigned char>(v[0])];
        for (int idx = 0; idx < starts.count; ++idx)
            if (MatchesAt(v, 0, kOperators[starts.ops[idx]])) excluded |= 1u << starts.ops[idx];
        seenPlus = v[0] == '+';
        seenMinus = v[0] == '-';
    }
    for (size_t p = from == 0 ? 1 : from; p < v.size(); ++p) {
        const StartList& starts = kStartsOperator[static_cast<unsigned char>(v[p])];
        for (int idx = 0; idx < starts.count; ++idx) {
            const int k = starts.ops[idx];
            if ((excluded >> k) & 1u) continue;
            if (!MatchesAt(v, p, kOperators[k])) continue;
            if (k <= 1) {
                // "1E+5": when the first sign directly follows an "E", it is part
                // of a number and the next one is taken instead.
                bool& seen = k == 0 ? seenPlus : seenMinus;
                if (!seen) {
                    seen = true;
                    if (p >= from + 1 && UpChar(v[p - 1]) == 'E') continue;
                }
            }
            opStart = p + 1;
            opEnd = p + 1 + kOperators[k].length;
            priority = kOperators[k].priority;
            return true;
        }
    }
    return false;
}

bool Get_first_operator_pos(Session& session, std::string& text, size_t& opStart, size_t& opEnd,
                            uint8_t& priority) {
    ScanText t(text);
    const bool found = Get_first_operator_pos(session, t, opStart, opEnd, priority);
    text = t.str();
    return found;
}

}  // namespace orvane
