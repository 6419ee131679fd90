// Hostile and huge statements: each is answered or rejected with one of the
// program's own errors; nothing crashes, overflows the stack or runs away.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "recording_host.h"

namespace orvane::test {
namespace {

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

// Evaluates and returns the answer, or "raised(<kind>)".
std::string Evaluate(const std::string& statement) {
    RecordingHost host;
    Session s(host);
    std::string answer;
    try {
        expression_Proc(s, statement, answer);
    } catch (const EOrvane& e) {
        return "raised(" + e.kind() + ")";
    }
    EXPECT_EQ(s.Depth(), 0);
    return answer;
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
    // Each of these evaluates its arguments more than once in a naive reading:
    // nesting them must not multiply the work.
    EXPECT_NE(Evaluate(Repeat("STDEVP(1,", 150) + "1" + Repeat(")", 150)), "");
    EXPECT_NE(Evaluate(Repeat("SORT(1,", 150) + "1" + Repeat(")", 150)), "");
}

TEST(BadInput, UnbalancedAndRepetitiveTextFinishes) {
    CLocaleScope locale;
    const std::string inputs[] = {
        Repeat("(", 100000),
        Repeat(")", 100000),
        Repeat("ABS(", 25000),
        Repeat("(+", 50000),
        Repeat("x+", 50000),
        Repeat("[", 100000),
        Repeat("[+", 50000),
        Repeat("X1016(", 16000),
        Repeat("-", 100000),
        Repeat("1E+", 33000),
        Repeat(" AND", 25000),
        "MAX(" + Repeat("(,", 50000) + ")",
        "SORT(" + Repeat("(", 50000) + Repeat(",", 50000) + ")",
        Repeat("DATETIME(", 10000),
        Repeat("NOW()", 20000),
        Repeat("a=", 50000),
        Repeat(":STR=", 20000),
        Repeat("1:", 50000),
        std::string(100000, '\0'),
    };
    for (const std::string& in : inputs) {
        const std::string r = Evaluate(in);
        (void)r;  // any answer or raised error is fine; it must come back
    }
}

}  // namespace
}  // namespace orvane::test
