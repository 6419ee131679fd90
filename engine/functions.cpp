// The function table of the scanner: calls standing at the scan start are
// evaluated and replaced by their value text.
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/base_convert.h"
#include "engine/date_time.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/fp_check.h"
#include "engine/number_text.h"
#include "engine/scanner.h"
#include "engine/scanner_internal.h"
#include "engine/value_text.h"

namespace orvane {

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

enum Fn {
    kMax, kMin, kAvg, kCnt, kStdevp, kStdevs, kSort, kPos, kSin, kCos, kTan, kArccos, kArcsin,
    kArctanh, kArctan2, kNow, kDatetime, kAbs, kInt, kFrac, kRound, kExp, kLog10, kLog2, kLn,
    kRadtodeg, kDegtorad, kFnCount
};

constexpr const char* kNames[kFnCount] = {
    "MAX(", "MIN(", "AVG(", "CNT(", "STDEVP(", "STDEVS(", "SORT(", "POS(", "SIN(",
    "COS(", "TAN(", "ARCCOS(", "ARCSIN(", "ARCTANH(", "ARCTAN2(", "NOW()", "DATETIME(",
    "ABS(", "INT(", "FRAC(", "ROUND(", "EXP(", "LOG10(", "LOG2(", "LN(", "RADTODEG(",
    "DEGTORAD(",
};

// Letters that begin a function name: other texts skip the table at once.
constexpr auto kNameInitial = [] {
    std::array<bool, 256> t{};
    for (const char* n : kNames) t[static_cast<unsigned char>(n[0])] = true;
    return t;
}();

long double ApplyOneArg(Fn fn, long double v) {
    switch (fn) {
        case kSin: return Checked([&] { return std::sin(v); });
        case kCos: return Checked([&] { return std::cos(v); });
        case kTan: return Checked([&] { return std::tan(v); });
        case kArccos: return Checked([&] { return std::acos(v); });
        case kArcsin: return Checked([&] { return std::asin(v); });
        case kArctanh: return Checked([&] { return std::atanh(v); });
        case kAbs: return std::fabs(v);
        case kInt: return std::trunc(v);
        case kFrac: return FSub(v, std::trunc(v));
        case kExp: return Checked([&] { return std::exp(v); });
        case kLog10: return Checked([&] { return std::log10(v); });
        case kLog2: return Checked([&] { return std::log2(v); });
        case kLn: return Checked([&] { return std::log(v); });
        case kRadtodeg: return FMul(v, 180.0L / kPi);
        case kDegtorad: return FMul(v, kPi / 180.0L);
        default: return v;
    }
}

// The current local date-time as whole seconds since 1970, counted as UTC.
int64_t NowSeconds(Session& s) { return SecondsSince1970(s.Host().Now()); }

// Arguments' answers, each argument evaluated once.
std::vector<std::string> EvalArgs(Session& s, std::string inner) {
    std::vector<std::string> answers = SplitArgs(inner);
    inner = std::string();  // the arguments hold it all now
    for (std::string& a : answers) a = EvalArg(s, std::move(a));
    return answers;
}

// True for the functions whose arguments are expressions evaluated at once.
bool EvaluatesArguments(Fn fn) { return fn != kNow && fn != kDatetime && fn != kPos; }

bool NameAt(std::string_view t, size_t at, std::string_view name) {
    if (t.size() < at + name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (UpChar(t[at + i]) != name[i]) return false;
    return true;
}

// Standard deviation over the argument answers; `sample` divides by n - 1.
// The mean is the average written as text and read back, as the average
// function answers it.
long double StandardDeviation(const std::vector<std::string>& answers, bool sample) {
    const long double n = static_cast<long double>(answers.size());
    std::vector<long double> values;
    values.reserve(answers.size());
    long double sum = 0;
    for (const std::string& a : answers) {
        values.push_back(StrToFloat(a));
        sum = FAdd(sum, values.back());
    }
    const long double mean = StrToFloat(FloatToStr(FDiv(sum, n)));
    long double squares = 0;
    for (long double v : values) {
        const long double d = FSub(v, mean);
        squares = FAdd(squares, FMul(d, d));
    }
    const long double var = FDiv(squares, sample ? FSub(n, 1) : n);
    return Checked([&] { return std::sqrt(var); });
}

}  // namespace

std::string EvalArg(Session& session, const std::string& text) {
    std::string answer;
    expression_Proc(session, text, answer);
    return answer;
}

std::string EvalArg(Session& session, std::string&& text) {
    std::string answer;
    expression_Proc(session, std::move(text), answer);
    return answer;
}

size_t ExpressionOpenerAt(std::string_view t) {
    constexpr size_t npos = std::string_view::npos;
    if (t.empty()) return npos;
    if (t[0] == '(') return 0;
    // The first function of the table whose name stands there, as the
    // expansion takes it.
    if (kNameInitial[static_cast<unsigned char>(UpChar(t[0]))]) {
        for (int f = 0; f < kFnCount; ++f) {
            const std::string_view name = kNames[f];
            if (!NameAt(t, 0, name)) continue;
            return EvaluatesArguments(static_cast<Fn>(f)) ? name.size() - 1 : npos;
        }
    }
    if (t.size() > 5 && UpChar(t[0]) == 'X' && t[5] == '(' && t.substr(0, 5).find('(') == npos)
        return 5;
    return npos;
}

std::vector<std::string> SplitArgs(std::string_view a) {
    std::vector<std::string> out;
    const size_t npos = std::string_view::npos;
    const size_t lastClose = a.rfind(')');
    size_t start = 0;
    size_t nextOpen = a.find('(');
    size_t nextComma = a.find(',');
    for (;;) {
        if (nextOpen != npos && nextOpen < start) nextOpen = a.find('(', start);
        if (nextComma != npos && nextComma < start) nextComma = a.find(',', start);
        size_t sep = nextComma;
        if (nextOpen != npos && nextComma != npos && nextComma > nextOpen) {
            // Skip the first parenthesised group of the rest.
            const size_t m = MatchGroup(a, start, '(', ')', lastClose);
            const size_t from = m == npos ? start : m;
            sep = from <= nextComma ? nextComma : a.find(',', from);
        }
        if (sep == npos) {
            out.emplace_back(a.substr(start));
            return out;
        }
        out.emplace_back(a.substr(start, sep - start));
        start = sep + 1;
    }
}

void ExpandFunctions(Session& s, ScanText& t, size_t scanStart, int sign) {
    const size_t at = scanStart - 1;
    for (int f = 0; f < kFnCount; ++f) {
        const Fn fn = static_cast<Fn>(f);
        if (t.size() <= at || !kNameInitial[static_cast<unsigned char>(UpChar(t[at]))]) break;
        if (!NameAt(t.view(), at, kNames[f])) continue;
        if (fn == kNow) {
            // A sign in front is dropped together with the call.
            t.ReplacePrefix(at + 5, IntToStr(NowSeconds(s)));
            continue;
        }
        size_t open, close;
        bool balanced = false;
        GroupOf(t, '(', ')', open, close, &balanced);
        if (EvaluatesArguments(fn)) CheckNestingChain(s, t.view(), open, close, balanced);
        // The call leaves the text before its arguments are evaluated, so that
        // no level keeps a copy of what the deeper levels work on.
        std::string inner = TakeGroup(t, open, close);
        std::string result;
        switch (fn) {
            case kMax: {
                long double m = -Sentinel();
                for (const std::string& a : EvalArgs(s, std::move(inner))) {
                    const long double d = StrToFloatDef(a, -HUGE_VALL);
                    if (!(m >= d)) m = StrToFloat(a);
                }
                result = FloatToStr(FMul(m, sign));
                break;
            }
            case kMin: {
                long double m = Sentinel();
                for (const std::string& a : EvalArgs(s, std::move(inner))) {
                    const long double d = StrToFloatDef(a, -Sentinel());
                    if (!(m < d)) m = StrToFloat(a);
                }
                result = FloatToStr(FMul(m, sign));
                break;
            }
            case kAvg: {
                const std::vector<std::string> answers = EvalArgs(s, std::move(inner));
                long double sum = 0;
                for (const std::string& a : answers) sum = FAdd(sum, StrToFloat(a));
                result = FloatToStr(FMul(FDiv(sum, (long double)answers.size()), sign));
                break;
            }
            case kCnt:
                result = FloatToStr(FMul((long double)EvalArgs(s, std::move(inner)).size(), sign));
                break;
            case kStdevp:
            case kStdevs:
                result = FloatToStr(
                    FMul(StandardDeviation(EvalArgs(s, std::move(inner)), fn == kStdevs), sign));
                break;
            case kSort: {
                std::vector<long double> values;
                for (const std::string& a : EvalArgs(s, std::move(inner)))
                    values.push_back(StrToFloatDef(a, 0));
                std::stable_sort(values.begin(), values.end());
                std::string list;
                for (long double v : values) list += FloatToStr(v) + ",";
                t.ReplacePrefix(t.size(), list);
                continue;
            }
            case kPos: {
                const std::vector<std::string> args = SplitArgs(inner);
                const std::string sub = s.String_Proc(args[0], true, s.String_Proc_success);
                const std::string str =
                    args.size() > 1 ? s.String_Proc(args[1], true, s.String_Proc_success) : "";
                long long from = 1;
                if (args.size() > 2) from = StrToIntDef(EvalArg(s, args[2]), 1);
                result = FloatToStr((long double)PosEx(sub, str, from < 1 ? 0 : size_t(from)));
                break;
            }
            case kArctan2: {
                const std::vector<std::string> args = SplitArgs(inner);
                const std::string y = EvalArg(s, args[0]);
                const std::string x = args.size() > 1 ? EvalArg(s, args[1]) : "";
                if (y.empty() || x.empty()) {
                    t.ReplacePrefix(t.size(), "INF");
                    continue;
                }
                const long double yv = StrToFloat(y), xv = StrToFloat(x);
                result = FloatToStr(Checked([&] { return std::atan2(yv, xv); }));
                break;
            }
            case kDatetime: {
                std::string raw = inner;
                const LocalDateTime now = s.Host().Now();
                if (raw.find('/') == std::string::npos)
                    raw = FormatDateTime(GetFormatSettings().ShortDateFormat, now) + raw;
                LocalDateTime dt;
                if (!TryStrToDateTime(raw, dt, now)) RaiseInvalidDateTime(raw);
                result = IntToStr(SecondsSince1970(dt));
                break;
            }
            case kRound: {
                std::string answer = EvalArg(s, std::move(inner));
                const long double v = strtovalue(s, answer);
                const long double r = static_cast<long double>(Round(v));
                result = FloatToStr(sign < 0 ? -r : r);
                break;
            }
            default: {
                std::string answer = EvalArg(s, std::move(inner));
                const long double v = strtovalue(s, answer);
                result = FloatToStr(FMul(ApplyOneArg(fn, v), sign));
                break;
            }
        }
        t.ReplacePrefix(0, result);
    }

    // X commands: "X" at the scan start with the first "(" five characters on.
    if (t.size() > at + 5 && UpChar(t[at]) == 'X' && t[at + 5] == '(' &&
        t.view().substr(at, 5).find('(') == std::string_view::npos) {
        {
            size_t open, close;
            bool balanced = false;
            GroupOf(t, '(', ')', open, close, &balanced);
            CheckNestingChain(s, t.view(), open, close, balanced);
            std::string command = CopyText(t.view(), 1, (long long)open);
            // As for a call: no level keeps what the deeper ones work on.
            std::string inner = TakeGroup(t, open, close);
            command += EvalArg(s, std::move(inner)) + ")";
            bool ok = true;
            const std::string result = XB1B2(command, ok);
            t.ReplacePrefix(0, result);
        }
    }
}

}  // namespace orvane
