// Hostile and huge statements: each is answered or rejected with one of the
// program's own errors; nothing crashes, overflows the stack or runs away.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "tests/support/recording_host.h"
#include "tests/support/text_summary.h"

namespace orvane::test {
namespace {

// Evaluates and returns the answer (a Summary of it), or "raised(<kind>)".
std::string Evaluate(const std::string& statement) {
    RecordingHost host;
    Session s(host);
    std::string answer;
    try {
        expression_Proc(s, statement, answer);
    } catch (const EOrvane& e) {
        EXPECT_EQ(s.Depth(), 0);
        return "raised(" + e.kind() + ")";
    }
    EXPECT_EQ(s.Depth(), 0);
    return Summary(answer);
}

TEST(BadInput, LongExpressionsHaveNoOperatorLimit) {
    CLocaleScope locale;
    EXPECT_EQ(Evaluate("1" + Repeat("+1", 999)), "1000");
    EXPECT_EQ(Evaluate("1" + Repeat("+1", 49999)), "50000");
    EXPECT_EQ(Evaluate("2" + Repeat("*1", 20000) + "-1"), "1");
    // Right-associative priority-3 chains reduce from the right end.
    EXPECT_EQ(Evaluate("2" + Repeat("^1", 5000)), "2");
    EXPECT_EQ(Evaluate("MAX(" + Repeat("1,", 30000) + "7)"), "7");
    EXPECT_EQ(Evaluate("CNT(" + Repeat("1,", 30000) + "1)"), "30001");
}

TEST(BadInput, DeepNestingIsRejectedCleanly) {
    CLocaleScope locale;
    EXPECT_EQ(Evaluate(Repeat("(", 150) + "1" + Repeat(")", 150)), "1");
    EXPECT_EQ(Evaluate(Repeat("(", 50000) + "1" + Repeat(")", 50000)), "raised(ELimitExceeded)");
    EXPECT_EQ(Evaluate(Repeat("ABS(", 25000) + "1" + Repeat(")", 25000)), "raised(ELimitExceeded)");
    EXPECT_EQ(Evaluate(Repeat("MAX(1,", 15000) + "1" + Repeat(")", 15000)), "raised(ELimitExceeded)");
    EXPECT_EQ(Evaluate(Repeat("X1016(", 15000) + "1" + Repeat(")", 15000)), "raised(ELimitExceeded)");
    // Each of these evaluates its arguments more than once in a naive reading;
    // nested 150 deep they still answer (STDEVP(1, x) tends to 1/3). The cost
    // is measured in bench/bad_input_bench.cpp.
    EXPECT_EQ(Evaluate(Repeat("STDEVP(1,", 150) + "1" + Repeat(")", 150)), "0.333333333333334");
    EXPECT_EQ(Evaluate(Repeat("SORT(1,", 150) + "1" + Repeat(")", 150)), "0,1,");
}

// Each of these comes back with its answer (Summary of it) or one of the
// program's own errors; what each costs is measured in
// bench/bad_input_bench.cpp.
TEST(BadInput, UnbalancedAndRepetitiveTextIsAnsweredOrRejected) {
    CLocaleScope locale;
    const struct {
        const char* name;
        std::string statement;
        const char* outcome;
    } rows[] = {
        // Text that is no number stays whole.
        {"open parentheses", Repeat("(", 100000), "((((((((((((...(100000)"},
        {"close parentheses", Repeat(")", 100000), "))))))))))))...(100000)"},
        {"open brackets", Repeat("[", 100000), "[[[[[[[[[[[[...(100000)"},
        {"assignment chain", Repeat("a=", 50000), "a=a=a=a=a=a=...(99998)"},
        {"string assignment chain", Repeat(":STR=", 20000), ":STR=:STR=:S...(99995)"},
        // An unclosed function: its value (the sentinel, a date, the clock)
        // and the text after it.
        {"unclosed ABS chain", Repeat("ABS(", 25000), "1.1E4932ABS(...(100008)"},
        {"unclosed DATETIME chain", Repeat("DATETIME(", 10000), "1796774400DA...(90010)"},
        {"NOW() without operators", Repeat("NOW()", 20000), "1796819696NO...(100005)"},
        // Sentinels in arithmetic overflow, or turn into an invalid operation.
        {"open parenthesis and plus", Repeat("(+", 50000), "raised(EOverflow)"},
        {"name plus name", Repeat("x+", 50000), "raised(EOverflow)"},
        {"bracket and plus", Repeat("[+", 50000), "raised(EOverflow)"},
        {"minus signs", Repeat("-", 100000), "raised(EOverflow)"},
        {"exponent chain", Repeat("1E+", 33000), "raised(EOverflow)"},
        {"AND without operands", Repeat(" AND", 25000), "raised(EInvalidOp)"},
        {"empty arguments", "MAX(" + Repeat("(,", 50000) + ")", "-1.1E4932"},
        {"SORT of empty arguments", "SORT(" + Repeat("(", 50000) + Repeat(",", 50000) + ")",
         "0,0,0,0,0,0,...(100002)"},
        // Text that must be a number where the syntax says so.
        {"unclosed base conversions", Repeat("X1016(", 16000), "raised(EConvertError)"},
        {"padding chain", Repeat("1:", 50000), "raised(EConvertError)"},
        {"NUL bytes", std::string(100000, '\0'), ""},
    };
    for (const auto& r : rows) EXPECT_EQ(Evaluate(r.statement), r.outcome) << r.name;
}

}  // namespace
}  // namespace orvane::test
