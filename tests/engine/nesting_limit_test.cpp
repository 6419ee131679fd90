// The nesting limit is met at the same level whether the evaluation walks
// down to it or sees it coming: a chain of groups, calls or X commands one
// level inside the limit does not raise the limit's error, one level past it
// does, and bodies that stop the early refusal (an "=", a brace group, a
// second argument) meet the limit at the same place.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

// "answered" or "raised(<kind>)"; the session's depth is back to 0 either way.
std::string Outcome(const std::string& statement) {
    RecordingHost host;
    Session s(host);
    std::string answer;
    std::string outcome = "answered";
    try {
        expression_Proc(s, statement, answer);
    } catch (const EOrvane& e) {
        outcome = "raised(" + e.kind() + ")";
    }
    EXPECT_EQ(s.Depth(), 0);
    return outcome;
}

TEST(NestingLimit, TheLimitIsMetAtTheSameLevelForEveryKindOfChain) {
    CLocaleScope locale;
    const char* openers[] = {"(", "( ", "ABS(", "abs(", "X1016(", "MAX(", "ROUND("};
    const char* bodies[] = {"1", "1==1", "{1}", "1,2"};
    // The statement itself is the first level; each opener adds one.
    constexpr size_t kDeepestAnswered = kMaxNestingDepth - 1;
    for (const char* opener : openers)
        for (const char* body : bodies)
            for (size_t levels : {kDeepestAnswered, kDeepestAnswered + 1, size_t(5000)}) {
                const std::string closer = opener[std::string(opener).size() - 1] == ' ' ? " )" : ")";
                const std::string statement = Repeat(opener, levels) + body + Repeat(closer, levels);
                SCOPED_TRACE(std::string(opener) + " x" + std::to_string(levels) + " around " + body);
                // Within the limit some bodies raise errors of their own.
                const bool tooDeep = Outcome(statement) == "raised(ELimitExceeded)";
                EXPECT_EQ(tooDeep, levels > kDeepestAnswered);
            }
}

// Unmatched parentheses and signs end a chain where the walk would see it
// end; these outcomes are the ones of the level-by-level walk.
TEST(NestingLimit, UnmatchedParenthesesAndSignsEndTheChainAsTheWalkDoes) {
    CLocaleScope locale;
    EXPECT_EQ(Outcome(Repeat("(", 300) + "1" + Repeat(")", 301)), "raised(ELimitExceeded)");
    EXPECT_EQ(Outcome(Repeat("(", 250) + "1" + Repeat(")", 249)), "raised(ELimitExceeded)");
    EXPECT_EQ(Outcome(Repeat("(", 300) + "1" + Repeat(")", 150)), "answered");
    EXPECT_EQ(Outcome(Repeat("(", 300) + "1"), "answered");
    EXPECT_EQ(Outcome(Repeat("(", 100) + "-" + Repeat("(", 50) + "1" + Repeat(")", 150)), "answered");
}

}  // namespace
}  // namespace orvane::test
